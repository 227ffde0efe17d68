#pragma once
// A stand-in for the desktop's opener: a script that writes the address it is given to a file.
// While it lives, PRIXEL_OPEN_COMMAND names it.

#include <optional>
#include <string>

#include "support/temp_dir.h"

class RecordingOpener {
  public:
    explicit RecordingOpener(const TempDir& dir);
    ~RecordingOpener();
    RecordingOpener(const RecordingOpener&) = delete;
    RecordingOpener& operator=(const RecordingOpener&) = delete;

    // The argument the script was run with, once written; nothing after a generous wait.
    std::optional<std::string> WaitForArgument() const;

  private:
    std::string m_record;
};
