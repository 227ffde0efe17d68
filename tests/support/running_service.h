#pragma once
// The stand-in service program, started on a free loopback port with a fresh certificate
// authority in a test's folder, and stopped with the test.

#include <sys/types.h>
#include <cstdio>
#include <string>

#include "support/temp_dir.h"

class RunningService {
  public:
    // advertise: the name it gives itself in its answers, whatever address a browser reached it
    // by; empty for the address it was reached by.
    explicit RunningService(const TempDir& dir, const std::string& advertise = "");
    ~RunningService();
    RunningService(const RunningService&) = delete;
    RunningService& operator=(const RunningService&) = delete;

    int Port() const { return m_port; }
    std::string CaFile() const { return m_certs + "/ca.pem"; }
    // SIGTERM, then the exit status.
    int Stop();

  private:
    std::string m_certs;
    pid_t m_pid = 0;
    FILE* m_output = nullptr;
    int m_port = 0;
    bool m_stopped = false;
};

// What a shell command prints on its standard output.
std::string CommandOutput(const std::string& command);
