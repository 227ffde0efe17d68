#include <stdexcept>

#include "headless_fixture.h"

namespace uitest {
namespace {

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

}  // namespace
}  // namespace uitest
