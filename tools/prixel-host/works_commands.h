#pragma once
// The host program's works import: the person fills the import dialog and presses "&Importer",
// and may interrupt the import after a number of lines.

#include <optional>
#include <string>

#include "host_screen.h"

class CPrixelCtrl;

struct WorksCommand {
    std::optional<std::string> folder;  // typed into the dialog (UTF-8); its default otherwise
    std::optional<std::string> prefix;
    int interruptAfter = 0;  // "Interrompre" pressed after that many lines in all; 0: never
};

// Prints the rows the import added: "trades N" (families of works at the top level),
// "families N" (the other families of works), "works N" and "lines N".
int ImportWorks(CPrixelCtrl& prixel, HostScreen& host, const WorksCommand& command);
