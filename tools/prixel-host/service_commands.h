#pragma once
// The host program's commands that call the facade's members of the service connection. Each
// answers the program's exit code.

#include <string>
#include <vector>

#include "headless_host.h"

class CPrixelCtrl;

struct ServiceCommand {
    std::string name;                // record, create-account, sheet-article, ..., site, toast
    std::vector<std::string> texts;  // the member's texts, UTF-8
    bool recordFirst = true;         // record the customer first, as the host does
};

int RunServiceCommand(CPrixelCtrl& prixel, HeadlessHost& host, const ServiceCommand& command);

const char* RecordingStateName(int state);
