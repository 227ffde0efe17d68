#pragma once
// The person at the catalogue page: for each code, clicks the "Choisir" link of
// its row on the page the service shows (codes the page does not show are
// reported on standard error and skipped), then presses Valider. Without codes
// he presses Quitter.

#include <string>
#include <vector>

#include "host_screen.h"

void PickOnCataloguePage(HostScreen& host, const std::vector<std::string>& codes);

// The address of the pick link of code's row in a catalogue page, relative to
// the server, or empty when the page shows no such row.
std::string PickLinkOf(const std::string& page, const std::string& code);
