#pragma once
// A virtual X display (Xvfb) on a free display number, for the desktop tests; stopped with the
// test. DISPLAY names it for the test and the programs it starts.

#include <sys/types.h>

#include <string>

class VirtualDisplay {
  public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", or empty when the display could not be started.
    const std::string& Name() const { return m_name; }

  private:
    pid_t m_pid = 0;
    std::string m_name;
};
