#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace sys {

namespace {

constexpr const char* kDefaultOpener = "xdg-open";

// Openers started and not yet reaped. The caller's thread must never block on an opener, and the
// host's handling of SIGCHLD is the host's own; so each launch reaps, without waiting, those that
// have ended since the previous one. At most the openers of earlier launches stay as zombies until
// then. An opener someone else reaped (waitpid fails) is forgotten as well.
std::vector<pid_t>& Launched() {
    static std::vector<pid_t> pids;
    return pids;
}

void ReapEndedOpeners() {
    std::erase_if(Launched(), [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

std::string OpenerProgram() {
    const char* program = std::getenv("PRIXEL_OPEN_COMMAND");
    return program && *program ? program : kDefaultOpener;
}

}  // namespace

bool OpenInBrowser(const std::string& url) {
    ReapEndedOpeners();
    std::string program = OpenerProgram();
    std::string argument = url;
    char* const argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    Launched().push_back(pid);
    return true;
}

}  // namespace sys
