#pragma once
// The time the headless event loop runs on: the real one for programs, a virtual one for tests,
// which passes only when told to or when the loop has nothing to do but wait for a timer.

#include <chrono>
#include <cstdint>

namespace ui {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMs() const = 0;
    // Lets time pass up to deadlineMs: the real clock sleeps, the virtual clock jumps there.
    virtual void WaitUntil(std::int64_t deadlineMs) = 0;
    // A virtual clock stands still while the loop waits for real input.
    virtual bool IsVirtual() const = 0;
};

class RealClock : public Clock {
  public:
    std::int64_t NowMs() const override;
    void WaitUntil(std::int64_t deadlineMs) override;
    bool IsVirtual() const override { return false; }

  private:
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};

class VirtualClock : public Clock {
  public:
    std::int64_t NowMs() const override { return m_now; }
    void WaitUntil(std::int64_t deadlineMs) override;
    bool IsVirtual() const override { return true; }
    // Time passes; timers that fall due fire at the loop's next turn.
    void Advance(std::int64_t ms) { m_now += ms; }

  private:
    std::int64_t m_now = 0;
};

}  // namespace ui
