#pragma once
// One exchange with the service: the web exchange dialog of a kind, run modally, and the page it
// saved.

#include <string>

#include "connection/prixel_request.h"

class CPrixelSettings;

struct ServiceExchange {
    int result = 0;    // the dialog's result
    std::string page;  // the saved page's text when the result is IDOK
};

ServiceExchange RunServiceExchange(PrixelRequestKind kind, CPrixelSettings* settings,
                                   const std::string& param);
