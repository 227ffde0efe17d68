#include "support/running_service.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

RunningService::RunningService(const TempDir& dir, const std::string& advertise)
    : m_certs(dir.File("certs")) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const std::string data = dir.File("data");
    std::vector<const char*> args = {PRIXEL_SERVICE_EXE, "--port", "0",         "--make-cert",
                                     m_certs.c_str(),    "--data", data.c_str()};
    if (!advertise.empty()) args.insert(args.end(), {"--advertise", advertise.c_str()});
    args.push_back(nullptr);
    posix_spawn(&m_pid, PRIXEL_SERVICE_EXE, &actions, nullptr,
                const_cast<char* const*>(args.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    m_output = fdopen(pipeEnds[0], "r");
    if (std::fscanf(m_output, "port %d", &m_port) != 1) m_port = 0;
}

RunningService::~RunningService() {
    if (m_pid > 0 && !m_stopped) Stop();
    if (m_output != nullptr) std::fclose(m_output);
}

int RunningService::Stop() {
    m_stopped = true;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
    return output;
}
