#include "platform/ui/headless/clock.h"

#include <thread>

namespace ui {

std::int64_t RealClock::NowMs() const {
    auto elapsed = std::chrono::steady_clock::now() - m_origin;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void RealClock::WaitUntil(std::int64_t deadlineMs) {
    std::this_thread::sleep_until(m_origin + std::chrono::milliseconds(deadlineMs));
}

void VirtualClock::WaitUntil(std::int64_t deadlineMs) {
    if (deadlineMs > m_now) m_now = deadlineMs;
}

}  // namespace ui
