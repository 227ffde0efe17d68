// The headless backend on a virtual clock, current for one test, with a test dialog template:
// modal runs, the scripted user's steps and timers.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/desktop.h"
#include "platform/ui/dialog.h"
#include "platform/ui/headless/headless_backend.h"

namespace {

constexpr int kDialog = 9100;
constexpr int kOther = 10;     // push button, ends with 42
constexpr int kDisabled = 11;  // push button, disabled
constexpr int kEdit = 20;

class TestDialog : public CDialog {
  public:
    TestDialog() : CDialog(kDialog) {
        OnClicked(kOther, [this] { EndDialog(42); });
        OnClicked(kDisabled, [this] { EndDialog(99); });
    }

    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) onInit();
        return true;
    }
    void OnTimer(unsigned id) override {
        if (onTimer) onTimer(id);
    }
    bool OnNotify(int id, ui::Notification code, int* result) override {
        if (onNotify && onNotify(id, code, result)) return true;
        return CDialog::OnNotify(id, code, result);
    }
    using CDialog::OnClicked;

    std::string m_strEdit;
    std::function<void()> onInit;
    std::function<void(unsigned)> onTimer;
    std::function<bool(int, ui::Notification, int*)> onNotify;

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kEdit, m_strEdit); }
};

const ui::ResourceModule& TestModule() {
    using ui::ControlKind;
    static const std::vector<ui::ControlTemplate> controls = {
        {IDOK, ControlKind::DefPushButton, 10, 80, 40, 14, "OK", ui::kStyleTabStop},
        {IDCANCEL, ControlKind::PushButton, 60, 80, 40, 14, "Annuler", ui::kStyleTabStop},
        {kOther, ControlKind::PushButton, 110, 80, 40, 14, "Autre", ui::kStyleTabStop},
        {kDisabled, ControlKind::PushButton, 160, 80, 40, 14, "Gris", ui::kStyleDisabled},
        {kEdit, ControlKind::Edit, 10, 10, 80, 12, "", ui::kStyleAutoHScroll},
    };
    static const ui::ResourceModule module = {
        "ui-test",
        {{kDialog, "Essai", 200, 100, ui::kStyleCaption, "MS Sans Serif", 8, controls}},
        {}};
    return module;
}

class HeadlessTest : public ::testing::Test {
  protected:
    HeadlessTest() { ui::RegisterResourceModule(&TestModule()); }
    ~HeadlessTest() override { ui::UnregisterResourceModule(&TestModule()); }

    const ui::WindowModel* Shown() const { return backend->FindDialog(kDialog); }

    ui::VirtualClock clock;
    std::shared_ptr<ui::HeadlessBackend> backend = std::make_shared<ui::HeadlessBackend>(clock);
    ui::ScopedBackend scope{backend};
    ui::ScriptedUser& user = backend->User();
};

using UiDialogTest = HeadlessTest;

TEST_F(UiDialogTest, AModalRunEndsAsTheUserOrTheDialogSays) {
    // A run's result and the edit's member: shown in its control, read back on OK only.
    using Run = std::pair<int, std::string>;
    const std::string kept = "d\xE9j\xE0";
    const auto run = [&](const std::function<void(TestDialog&)>& init = {}) {
        TestDialog dialog;
        dialog.m_strEdit = kept;
        if (init) dialog.onInit = [&] { init(dialog); };
        const int result = dialog.DoModal();
        EXPECT_EQ(Shown(), nullptr);
        return Run(result, dialog.m_strEdit);
    };
    user.Press(kDialog, IDOK).Type(kDialog, kEdit, "abc").Press(kDialog, IDOK);
    EXPECT_EQ(run(), Run(IDOK, kept));
    EXPECT_EQ(run(), Run(IDOK, "abc"));
    user.Type(kDialog, kEdit, "abc").PressEscape(kDialog);
    EXPECT_EQ(run(), Run(IDCANCEL, kept));
    EXPECT_EQ(run(), Run(IDCANCEL, kept));  // no step left: the user presses Escape
    user.Press(kDialog, kDisabled).PressEscape(kDialog).Press(kDialog, kDisabled);
    EXPECT_EQ(run(), Run(IDCANCEL, kept));
    EXPECT_EQ(run([](TestDialog& d) { d.GetDlgItem(kDisabled)->EnableWindow(); }), Run(99, kept));
    user.Type(kDialog, kEdit, "abc").Type(kDialog, 404, "abc").Press(kDialog, IDOK);
    EXPECT_EQ(run([](TestDialog& d) { d.GetDlgItem(kEdit)->EnableWindow(false); }),
              Run(IDOK, kept));
    const auto endAtOnce = [](TestDialog& d) {
        d.EndDialog(5);
        EXPECT_FALSE(d.IsWindowVisible());
    };
    EXPECT_EQ(run(endAtOnce), Run(5, kept));
    EXPECT_EQ(user.PendingSteps(), 0u);

    TestDialog stubborn;
    stubborn.onNotify = [](int id, ui::Notification, int*) { return id == IDCANCEL; };
    EXPECT_THROW(stubborn.DoModal(), std::logic_error);
    // A missing template makes no window at all.
    CDialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create(12345));
    EXPECT_EQ(missing.m_hWnd, 0);
}

TEST_F(UiDialogTest, StepsRunInTheirOrderOnTheNewestWindowOfTheirTemplate) {
    // The head step waits for its dialog: a box shown meanwhile keeps its default and leaves the
    // step where it is; the answer after it is for the box the press brings.
    user.Press(kDialog, kOther).AnswerMessageBox(IDNO).Press(kDialog, IDOK).PressEscape(kDialog);
    EXPECT_EQ(AfxMessageBox("?", MB_YESNO), IDYES);
    EXPECT_EQ(user.PendingSteps(), 4u);

    TestDialog outer;
    int answer = 0;
    int inner = 0;
    outer.OnClicked(kOther, [&] {
        answer = AfxMessageBox("Quitter ?", MB_YESNO);
        inner = TestDialog().DoModal();
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(inner, IDOK);
    EXPECT_EQ(user.PendingSteps(), 0u);
    // An answer the box has no button for is a mistake of the script.
    user.AnswerMessageBox(IDYES);
    EXPECT_THROW(AfxMessageBox("Impossible de se connecter.", MB_OK), std::logic_error);
}

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

}  // namespace
