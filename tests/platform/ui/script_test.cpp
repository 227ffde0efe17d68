#include <stdexcept>

#include "headless_fixture.h"

namespace uitest {
namespace {

using UiScriptTest = HeadlessTest;

TEST_F(UiScriptTest, MessageBoxesTakeTheScriptedAnswerOrTheirFirstButtonAndAreRecorded) {
    user.AnswerMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox("Quitter ?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox("?", MB_OKCANCEL), IDOK);
    EXPECT_EQ(AfxMessageBox("Continuer ?", MB_YESNO), IDYES);
    ASSERT_EQ(backend->MessageBoxes().size(), 3u);
    EXPECT_EQ(backend->MessageBoxes()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(backend->MessageBoxes()[0].answer, IDNO);

    user.AnswerMessageBox(IDYES);
    EXPECT_THROW(AfxMessageBox("Impossible de se connecter.", MB_OK), std::logic_error);
}

TEST_F(UiScriptTest, StepsRunInTheirOrderOnTheNewestWindowOfTheirTemplate) {
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
}

TEST_F(UiScriptTest, LettingPendingMessagesThroughLetsTheUserActDuringLongWork) {
    TestDialog progress;
    bool cancel = false;
    progress.onNotify = [&](int id, ui::Notification, int*) {
        if (id != IDCANCEL) return false;
        if (AfxMessageBox("Confirmez-vous l'interruption ?", MB_YESNO | MB_ICONQUESTION) == IDYES)
            cancel = true;
        return true;
    };
    ASSERT_TRUE(progress.Create(kModeless));
    progress.m_progress.SetRange(0, 100);
    user.Press(kModeless, IDCANCEL, [&] { return progress.m_progress.GetPos() >= 3; })
        .AnswerMessageBox(IDNO)
        .Press(kModeless, IDCANCEL, [&] { return progress.m_progress.GetPos() >= 6; })
        .AnswerMessageBox(IDYES);
    int line = 0;
    for (; line < 100 && !cancel; ++line) {
        progress.m_progress.SetPos(line);
        ui::PumpPendingMessages();
    }
    EXPECT_EQ(line, 7);
    EXPECT_EQ(backend->MessageBoxes().size(), 2u);
    EXPECT_NE(progress.m_hWnd, 0);  // the window stays open
}

}  // namespace
}  // namespace uitest
