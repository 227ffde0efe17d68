#pragma once
// The lines of a company folder's diagnostic log, as a test reads them.

#include <string>
#include <vector>

// The lines of the log file (UTF-8) of folder, each without its date and time; none when there is
// no log. A line that does not begin with a date and time is kept whole, so that a test sees it.
std::vector<std::string> LogLines(const std::string& folder,
                                  const std::string& file = "Prixel.log");
