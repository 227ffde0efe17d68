#include "support/virtual_display.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

// Xvfb picks a free display number and writes it on the descriptor given with -displayfd once the
// display accepts clients.
VirtualDisplay::VirtualDisplay() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string fd = std::to_string(pipeEnds[1]);
    std::vector<const char*> args = {"Xvfb",         "-displayfd", fd.c_str(), "-screen", "0",
                                     "1280x1024x24", "-nolisten",  "tcp",      nullptr};
    const int spawned = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr,
                                     const_cast<char* const*>(args.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    FILE* output = fdopen(pipeEnds[0], "r");
    int number = -1;
    if (spawned == 0 && std::fscanf(output, "%d", &number) == 1) {
        m_name = ":" + std::to_string(number);
        setenv("DISPLAY", m_name.c_str(), 1);
    }
    std::fclose(output);
}

VirtualDisplay::~VirtualDisplay() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    unsetenv("DISPLAY");
}
