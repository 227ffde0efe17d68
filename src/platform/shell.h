#pragma once
// Opening an address in the user's own web browser.

#include <string>

namespace sys {

// Runs the desktop's opener with url as its only argument, without a shell, and does not wait
// for it. The opener is the program named by the environment variable PRIXEL_OPEN_COMMAND, or
// xdg-open. Answers whether the program could be started.
bool OpenInBrowser(const std::string& url);

}  // namespace sys
