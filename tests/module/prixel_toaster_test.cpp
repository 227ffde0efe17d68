#include "module/prixel_toaster_dlg.h"

#include <gtest/gtest.h>

#include "module/module_fixture.h"
#include "platform/text.h"
#include "resources/prixel_texts.h"

namespace {

using PrixelToasterTest = ModuleTest;

TEST_F(PrixelToasterTest, StandsInTheWorkAreasBottomRightCornerAboveTheOtherWindows) {
    CDialog other(IDD_PRIXEL_WEB);
    ASSERT_TRUE(other.Create(IDD_PRIXEL_WEB));
    const CRect taskBarAtRight{0, 0, 1856, 1080};
    const CRect taskBarAtBottom{0, 0, 1920, 1040};
    for (const CRect& area : {taskBarAtRight, taskBarAtBottom}) {
        m_backend->SetWorkArea(area);
        other.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_prixel->DisplayToaster(Fr(TXT_TOASTER_ELEMENTS_DONE));
        ASSERT_NE(Toaster(), nullptr);
        EXPECT_TRUE(Toaster()->visible);
        // Its template is 200 by 31 dialog units.
        EXPECT_EQ(Toaster()->rect,
                  (CRect{area.right - 300, area.bottom - 50, area.right, area.bottom}));
        EXPECT_GT(Toaster()->zOrder, m_backend->Find(other.GetSafeHwnd())->zOrder);
        EXPECT_FALSE(Toaster()->topmost);
        EXPECT_EQ(ToasterText(), text::ToUtf8(Fr(TXT_TOASTER_ELEMENTS_DONE)));
    }
    const std::string longText(400, 'x');
    m_prixel->DisplayToaster(longText);
    EXPECT_EQ(ToasterText(), longText);
}

TEST_F(PrixelToasterTest,
       WindowGoesWithItsOwnTimerThreeSecondsAfterTheLatestToasterWhichReplacesTheFirst) {
    m_prixel->DisplayToaster("premier");
    const ui::Hwnd first = Toaster()->handle;
    m_clock.Advance(1000);
    m_backend->PumpPending();
    m_prixel->DisplayToaster("second");
    EXPECT_EQ(m_backend->Find(first), nullptr);
    ASSERT_NE(Toaster(), nullptr);
    EXPECT_EQ(ToasterText(), "second");

    m_clock.Advance(2999);
    m_backend->PumpPending();
    ASSERT_NE(Toaster(), nullptr);
    m_clock.Advance(1);
    m_backend->PumpPending();
    EXPECT_EQ(Toaster(), nullptr);

    // Only its own timer closes the window; a refused timer leaves no window.
    CPrixelToasterDlg toaster("texte", nullptr);
    ASSERT_TRUE(toaster.Create(IDD_PRIXEL_TOASTER));
    toaster.OnTimer(toaster.m_nTimer + 1);
    EXPECT_NE(Toaster(), nullptr);
    toaster.OnTimer(toaster.m_nTimer);
    EXPECT_EQ(Toaster(), nullptr);

    m_backend->RefuseTimers(true);
    m_prixel->DisplayToaster("jamais vu");
    EXPECT_EQ(Toaster(), nullptr);
}

}  // namespace
