#pragma once
// The host program's commands that call the facade's members of the service
// connection. Each answers the program's exit code.

#include <string>
#include <vector>

#include "host_screen.h"

class CPrixelCtrl;

struct ServiceCommand {
    std::string name;  // record, create-account, sheet-article, ..., site, toast, check, ...,
                       // sync-suppliers, activate
    std::vector<std::string> texts;  // the member's texts, UTF-8
    bool recordFirst = true;         // record the customer first, as the host does
    // browse: the search text (UTF-8), into the study rather than the library, a
    // toaster at the end, and the codes the person picks on the catalogue page.
    std::string search;
    bool study = false;
    bool notify = false;
    std::vector<std::string> picks;
    // update: every maker, or the makers named by identifier or name (UTF-8).
    bool all = false;
    std::vector<std::string> makers;
};

int RunServiceCommand(CPrixelCtrl& prixel, HostScreen& host, const ServiceCommand& command);

const char* RecordingStateName(int state);
