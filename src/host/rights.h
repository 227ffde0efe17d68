#pragma once
// The host's access check.

#include <string>

class CWnd;

struct CMdaInterface {
    // Non-zero when the user holds right number right in mode ("MODIF", "PARAM"). The window and
    // the last argument say whether and where the host tells the user of a refusal.
    static int HasAcces(int right, const std::string& mode, CWnd* window, int tell);
};
