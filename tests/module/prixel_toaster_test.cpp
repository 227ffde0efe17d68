#include "module/prixel_toaster_dlg.h"

#include <gtest/gtest.h>

#include "module/module_fixture.h"
#include "resources/prixel_texts.h"

namespace {

using PrixelToasterTest = ModuleTest;

// Template 5018 is 200 by 31 dialog units.
constexpr int kWidth = 300;
constexpr int kHeight = 50;

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
        EXPECT_EQ(Toaster()->rect,
                  (CRect{area.right - kWidth, area.bottom - kHeight, area.right, area.bottom}));
        EXPECT_GT(Toaster()->zOrder, m_backend->Find(other.GetSafeHwnd())->zOrder);
        EXPECT_FALSE(Toaster()->topmost);
        EXPECT_EQ(ToasterText(), Fr(TXT_TOASTER_ELEMENTS_DONE));
    }
    const std::string longText(400, 'x');
    m_prixel->DisplayToaster(longText);
    EXPECT_EQ(ToasterText(), longText);
}

TEST_F(PrixelToasterTest, SecondToasterWithinTheDisplayTimeReplacesTheFirst) {
    m_prixel->DisplayToaster("premier");
    const ui::Hwnd first = Toaster()->handle;
    m_clock.Advance(1000);
    m_backend->PumpPending();
    m_prixel->DisplayToaster("second");
    EXPECT_EQ(m_backend->Find(first), nullptr);
    ASSERT_NE(Toaster(), nullptr);
    EXPECT_EQ(ToasterText(), "second");

    // The second runs its own three seconds.
    m_clock.Advance(2999);
    m_backend->PumpPending();
    EXPECT_NE(Toaster(), nullptr);
}

TEST_F(PrixelToasterTest, WindowGoesAfterThreeSecondsAndTheNextToasterReplacesTheObject) {
    m_prixel->DisplayToaster("fin");
    m_clock.Advance(2999);
    m_backend->PumpPending();
    ASSERT_NE(Toaster(), nullptr);
    m_clock.Advance(1);
    m_backend->PumpPending();
    EXPECT_EQ(Toaster(), nullptr);

    m_prixel->DisplayToaster("encore");
    ASSERT_NE(Toaster(), nullptr);
    EXPECT_EQ(ToasterText(), "encore");
}

TEST_F(PrixelToasterTest, RefusedTimerLeavesNoWindow) {
    m_backend->RefuseTimers(true);
    m_prixel->DisplayToaster("jamais vu");
    EXPECT_EQ(Toaster(), nullptr);
    CPrixelToasterDlg toaster("texte", nullptr);
    EXPECT_FALSE(toaster.Create(IDD_PRIXEL_TOASTER));
    EXPECT_EQ(toaster.m_nTimer, 0u);

    m_backend->RefuseTimers(false);
    m_prixel->DisplayToaster("vu");
    EXPECT_NE(Toaster(), nullptr);
}

TEST_F(PrixelToasterTest, DestroyingTheFacadeRemovesTheWindow) {
    m_prixel->DisplayToaster("fin");
    ASSERT_NE(Toaster(), nullptr);
    m_prixel.reset();
    EXPECT_EQ(Toaster(), nullptr);
}

TEST_F(PrixelToasterTest, OnlyItsOwnTimerClosesTheWindowAndTheObjectStays) {
    CPrixelToasterDlg toaster("texte", nullptr);
    ASSERT_TRUE(toaster.Create(IDD_PRIXEL_TOASTER));
    EXPECT_EQ(toaster.m_nTimer, 987654321u);
    toaster.OnTimer(1);
    EXPECT_NE(Toaster(), nullptr);
    toaster.OnTimer(toaster.m_nTimer);
    EXPECT_EQ(Toaster(), nullptr);
    EXPECT_EQ(toaster.m_strText, "texte");
}

}  // namespace
