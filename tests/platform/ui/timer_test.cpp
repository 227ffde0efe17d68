#include <utility>

#include "headless_fixture.h"

namespace uitest {
namespace {

using UiTimerTest = HeadlessTest;
using Firing = std::pair<unsigned, std::int64_t>;  // timer id, time

TEST_F(UiTimerTest, AZeroPeriodRepeatsAtTheShortestIntervalAndALongTimeOutComesAtOnceAfter) {
    std::vector<Firing> firings;
    TestDialog dialog;
    dialog.onInit = [&] {
        EXPECT_EQ(dialog.SetTimer(987654321, 10000), 987654321u);
        dialog.SetTimer(2, 0);
    };
    dialog.onTimer = [&](unsigned id) {
        firings.emplace_back(id, clock.NowMs());
        if (firings.size() == 3) dialog.KillTimer(2);
        if (id == 987654321) dialog.EndDialog(11);
    };
    EXPECT_EQ(dialog.DoModal(), 11);
    EXPECT_EQ(firings, (std::vector<Firing>{{2, 0}, {2, 10}, {2, 20}, {987654321, 10000}}));
}

TEST_F(UiTimerTest, KillingOrRestartingATimerTakesEffectEvenWhenItIsAlreadyDue) {
    std::vector<Firing> firings;
    TestDialog dialog;
    dialog.onInit = [&] {
        dialog.SetTimer(1, 500);
        EXPECT_TRUE(dialog.KillTimer(1));
        EXPECT_FALSE(dialog.KillTimer(1));
        dialog.SetTimer(2, 100);
        dialog.SetTimer(3, 100);
        dialog.SetTimer(4, 100);
    };
    dialog.onTimer = [&](unsigned id) {
        firings.emplace_back(id, clock.NowMs());
        if (id == 2) {
            dialog.KillTimer(2);
            dialog.KillTimer(3);      // due at the same time, already waiting
            dialog.SetTimer(4, 120);  // restarts its period
        }
        if (id == 4) dialog.EndDialog(0);
    };
    dialog.DoModal();
    EXPECT_EQ(firings, (std::vector<Firing>{{2, 100}, {4, 220}}));
}

// A transfer that needs a few polls before it delivers its result to a window.
struct FakeTransfer : ui::LoopSource {
    FakeTransfer(int polls, std::function<void()> done) : m_polls(polls), m_done(std::move(done)) {}
    int NextWakeMs() override { return m_polls > 0 ? 0 : -1; }
    void Poll(int) override {
        if (m_polls > 0 && --m_polls == 0) m_done();
    }
    int m_polls;
    std::function<void()> m_done;
};

TEST_F(UiTimerTest, TheVirtualClockStandsStillWhileALoopSourceIsBusy) {
    TestDialog dialog;
    FakeTransfer transfer(3, [&] { backend->Post(dialog.m_hWnd, [&] { dialog.EndDialog(1); }); });
    backend->AddLoopSource(&transfer);
    dialog.onInit = [&] { dialog.SetTimer(987654321, 10000); };
    dialog.onTimer = [&](unsigned) { dialog.EndDialog(11); };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(clock.NowMs(), 0);

    EXPECT_EQ(dialog.DoModal(), 11);  // the transfer is done: the time-out comes
    EXPECT_EQ(clock.NowMs(), 10000);
    backend->RemoveLoopSource(&transfer);
}

}  // namespace
}  // namespace uitest
