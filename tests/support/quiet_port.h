#pragma once
// A loopback port that is bound for the test's whole life: listening, it takes connections into
// its backlog and never answers them; not listening, it refuses them.

#include <string>

class QuietPort {
  public:
    explicit QuietPort(bool listening);
    ~QuietPort();
    QuietPort(const QuietPort&) = delete;
    QuietPort& operator=(const QuietPort&) = delete;

    int Port() const { return m_port; }
    std::string Url() const { return "https://127.0.0.1:" + std::to_string(m_port) + "/p"; }

  private:
    int m_socket;
    int m_port = 0;
};
