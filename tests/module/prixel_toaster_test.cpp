#include "module/prixel_toaster_dlg.h"

#include <gtest/gtest.h>

#include "module/module_fixture.h"
#include "platform/text.h"
#include "resources/prixel_texts.h"

namespace {

using PrixelToasterTest = ModuleTest;

// Its template is 200 by 31 dialog units.
TEST_F(PrixelToasterTest, StandsInTheWorkAreasBottomRightCornerAboveTheOtherWindows) {
    CDialog other(IDD_PRIXEL_WEB);
    ASSERT_TRUE(other.Create(IDD_PRIXEL_WEB));
    m_backend->SetWorkArea({0, 0, 1856, 1040});
    m_prixel->DisplayToaster(Fr(TXT_TOASTER_ELEMENTS_DONE));
    ASSERT_NE(Toaster(), nullptr);
    EXPECT_EQ(Toaster()->rect, (CRect{1556, 990, 1856, 1040}));
    EXPECT_GT(Toaster()->zOrder, m_backend->Find(other.GetSafeHwnd())->zOrder);
    EXPECT_FALSE(Toaster()->topmost);
    EXPECT_EQ(ToasterText(), text::ToUtf8(Fr(TXT_TOASTER_ELEMENTS_DONE)));
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
