#include "support/log_lines.h"

#include <fstream>
#include <regex>

std::vector<std::string> LogLines(const std::string& folder, const std::string& file) {
    static const std::regex dated(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (.*)$)");
    std::ifstream log(folder + file);
    std::vector<std::string> lines;
    std::smatch match;
    for (std::string line; std::getline(log, line);) {
        lines.push_back(std::regex_match(line, match, dated) ? match[1].str() : line);
    }
    return lines;
}
