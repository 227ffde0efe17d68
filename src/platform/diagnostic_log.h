#pragma once
// The diagnostic log: lines for the support, never shown to the user, about what failed without
// a message (an exchange with the service that brought no answer, a database error of a long
// piece of writing). Each company folder has its own log file, bounded in size and rotated, so
// the plug-in writes it the same from every host. The composition puts the file in place; with
// none composed, lines go nowhere.

#include <memory>
#include <string>

namespace diag {

// The file name of the log in a company folder; its older parts are named Prixel.1.log and so on.
inline constexpr const char* LOG_FILE = "Prixel.log";
// The log of a folder holds at most this many bytes, plus LOG_OLD_FILES older files as large.
inline constexpr std::size_t LOG_MAX_BYTES = 256 * 1024;
inline constexpr std::size_t LOG_OLD_FILES = 2;

class Sink {
  public:
    virtual ~Sink() = default;
    // Appends line (UTF-8, no line break) with the date and time to the log of folder. A log
    // that cannot be written is left as it is: the work the line tells of goes on.
    virtual void Write(const std::string& folder, const std::string& line) = 0;
};

// Puts sink in place of the current one (null: none). Answers the previous one.
std::shared_ptr<Sink> ReplaceSink(std::shared_ptr<Sink> sink);

// Writes line (CP1252) as one line of the log of folder (ending with a separator); its control
// characters (line breaks, ...) become blanks. Nothing when folder is empty.
void Write(const std::string& folder, const std::string& line);

}  // namespace diag
