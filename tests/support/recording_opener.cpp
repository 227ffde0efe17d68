#include "support/recording_opener.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

RecordingOpener::RecordingOpener(const TempDir& dir) : m_record(dir.File("opener.record")) {
    const std::string script = dir.File("opener");
    // The record appears whole: written aside, then renamed.
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << m_record << ".part' && mv '"
                          << m_record << ".part' '" << m_record << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    setenv("PRIXEL_OPEN_COMMAND", script.c_str(), 1);
}

RecordingOpener::~RecordingOpener() {
    unsetenv("PRIXEL_OPEN_COMMAND");
}

std::optional<std::string> RecordingOpener::WaitForArgument() const {
    for (int poll = 0; poll < 1000; ++poll) {
        if (std::ifstream record{m_record}) {
            std::ostringstream text;
            text << record.rdbuf();
            return text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}
