#include <stdexcept>

#include "headless_fixture.h"

namespace uitest {
namespace {

using ui::Notification;

using UiDialogTest = HeadlessTest;

TEST_F(UiDialogTest, ScriptedPressEndsTheModalRunWithTheHandlersResult) {
    bool shownDuringRun = false;
    user.Do(kDialog, [&] { shownDuringRun = Shown()->visible; }).Press(kDialog, kOther);
    TestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(shownDuringRun);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(dialog.m_hWnd, 0);
    EXPECT_EQ(user.PendingSteps(), 0u);
}

TEST_F(UiDialogTest, EscapeAndTheCloseBoxCancel) {
    user.PressEscape(kDialog);
    EXPECT_EQ(TestDialog().DoModal(), IDCANCEL);
    user.CloseWindow(kDialog);
    EXPECT_EQ(TestDialog().DoModal(), IDCANCEL);
}

TEST_F(UiDialogTest, OkReadsTheControlsIntoTheMembersAndInitialisationWritesThem) {
    std::string shownText;
    user.Do(kDialog, [&] { shownText = backend->FindControl(kDialog, kEdit)->text; })
        .Type(kDialog, kEdit, "abc")
        .Press(kDialog, IDOK);
    TestDialog dialog;
    dialog.m_strEdit = "d\xE9j\xE0";
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownText, "d\xE9j\xE0");
    EXPECT_EQ(dialog.m_strEdit, "abc");
}

TEST_F(UiDialogTest, CancelLeavesTheMembersAsTheyWere) {
    user.Type(kDialog, kEdit, "abc").PressEscape(kDialog);
    TestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_strEdit, "");
}

TEST_F(UiDialogTest, APressOnADisabledButtonDoesNothing) {
    user.Press(kDialog, kDisabled).PressEscape(kDialog);
    EXPECT_EQ(TestDialog().DoModal(), IDCANCEL);
}

TEST_F(UiDialogTest, AButtonEnabledByTheDialogTakesThePress) {
    user.Press(kDialog, kDisabled);
    TestDialog dialog;
    dialog.onInit = [&] { dialog.GetDlgItem(kDisabled)->EnableWindow(); };
    EXPECT_EQ(dialog.DoModal(), 99);
}

TEST_F(UiDialogTest, EndingInInitialisationNeverShowsTheWindow) {
    TestDialog dialog;
    bool everShown = false;
    dialog.onInit = [&] {
        dialog.EndDialog(5);
        everShown = dialog.IsWindowVisible();
    };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_FALSE(everShown);
}

TEST_F(UiDialogTest, AMissingTemplateMakesNoWindow) {
    CDialog dialog(12345);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(12345));
    EXPECT_EQ(dialog.m_hWnd, 0);
}

TEST_F(UiDialogTest, WithNothingLeftToDoTheUserPressesEscapeOnceThenGivesUp) {
    EXPECT_EQ(TestDialog().DoModal(), IDCANCEL);

    TestDialog stubborn;
    stubborn.onNotify = [](int id, Notification, int*) { return id == IDCANCEL; };
    EXPECT_THROW(stubborn.DoModal(), std::logic_error);
}

TEST_F(UiDialogTest, KeystrokesReachTheDialogOneCharacterAtATime) {
    user.Type(kDialog, kEdit, "ABCDEFGH").PressEscape(kDialog);
    TestDialog dialog;
    std::string kept;
    dialog.On(kEdit, Notification::Changed, [&] {
        std::string typed = dialog.GetDlgItemText(kEdit);
        if (typed.size() > 6)
            dialog.SetDlgItemText(kEdit, kept);
        else
            kept = typed;
    });
    dialog.onInit = [&] { dialog.SetDlgItemText(kEdit, "old"); };
    dialog.DoModal();
    EXPECT_EQ(kept, "ABCDEF");
}

TEST_F(UiDialogTest, AnEditLosesTheFocusBeforeTheButtonIsClicked) {
    std::vector<std::string> events;
    user.Type(kDialog, kEdit, "x").Press(kDialog, kOther);
    TestDialog dialog;
    dialog.On(kEdit, Notification::KillFocus, [&] { events.push_back("kill"); });
    dialog.On(kEdit, Notification::Changed, [&] { events.push_back("change"); });
    dialog.OnClicked(kOther, [&] {
        events.push_back("click");
        dialog.EndDialog(0);
    });
    dialog.DoModal();
    EXPECT_EQ(events, (std::vector<std::string>{"change", "kill", "click"}));
}

TEST_F(UiDialogTest, ControlsKeepTextsStateAndRectanglesInPixels) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(kDialog));
    EXPECT_EQ(dialog.GetDlgItem(777), nullptr);
    EXPECT_EQ(dialog.GetDlgItemText(kLabel), "Texte");
    CWnd* other = dialog.GetDlgItem(kOther);
    EXPECT_TRUE(other->EnableWindow(false) == false && !other->IsWindowEnabled());
    EXPECT_TRUE(other->EnableWindow(true));

    // 8-point MS Sans Serif: x * 6 / 4 and y * 13 / 8, rounded.
    CRect rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{0, 0, 300, 163}));
    other->GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{165, 130, 225, 153}));

    dialog.MoveWindow(100, 50, 300, 163);
    other->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), (CPoint{265, 180}));

    dialog.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_SHOWWINDOW);
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{100, 50, 100, 50}));
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_TRUE(Shown()->topmost);

    dialog.SetWindowPos(nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{10, 20, 10, 20}));

    EXPECT_TRUE(dialog.ShowWindow(SW_HIDE));
    EXPECT_FALSE(other->IsWindowVisible());
}

class SelfDeletingDialog : public TestDialog {
  public:
    explicit SelfDeletingDialog(bool& deleted) : m_deleted(deleted) {}
    ~SelfDeletingDialog() override { m_deleted = true; }

  protected:
    void PostNcDestroy() override { delete this; }

  private:
    bool& m_deleted;
};

TEST_F(UiDialogTest, AModelessDialogLivesUntilDestroyedAndMayDeleteItself) {
    bool deleted = false;
    auto* dialog = new SelfDeletingDialog(deleted);
    bool initialised = false;
    dialog->onInit = [&] { initialised = true; };
    ASSERT_TRUE(dialog->Create(kDialog));
    EXPECT_TRUE(initialised);
    EXPECT_FALSE(dialog->IsWindowVisible());  // its template is not visible at creation
    dialog->EndDialog(IDCANCEL);
    EXPECT_NE(Shown(), nullptr);
    EXPECT_TRUE(dialog->DestroyWindow());
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Shown(), nullptr);
}

TEST_F(UiDialogTest, AModelessTemplateMarkedVisibleIsShownAndDeletingItsObjectDestroysIt) {
    {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create(kModeless));
        EXPECT_TRUE(dialog.IsWindowVisible());
        dialog.EndDialog(IDOK);
        EXPECT_FALSE(dialog.IsWindowVisible());
    }
    EXPECT_EQ(Shown(kModeless), nullptr);
}

TEST_F(UiDialogTest, ListViewRowsColumnsItemDataAndSelectionMark) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(kDialog));
    CListCtrl& list = dialog.m_list;
    EXPECT_EQ(list.InsertColumn(0, "Fabricant", LVCFMT_LEFT, 213, 0), 0);
    EXPECT_EQ(list.InsertColumn(1, "", LVCFMT_RIGHT, 40, 1), 1);
    EXPECT_EQ(list.InsertItem(0, "Alpha"), 0);
    EXPECT_EQ(list.InsertItem(5, "Beta"), 1);  // past the end: appended
    EXPECT_EQ(list.InsertItem(-1, "Gamma"), -1);
    EXPECT_TRUE(list.SetItemText(1, 1, "3"));
    EXPECT_FALSE(list.SetItemText(1, 2, "no such column"));
    EXPECT_FALSE(list.SetItemText(2, 0, "no such row"));
    EXPECT_TRUE(list.SetItemData(1, 7));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 0), "Beta");
    EXPECT_EQ(list.GetItemText(1, 1), "3");
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemData(1), 7u);
    EXPECT_EQ(list.GetColumnWidth(0), 213);
    EXPECT_EQ(Shown()->controls.size(), 8u);
    EXPECT_EQ(backend->Find(list.m_hWnd)->columns[1].align, ui::ColumnAlign::Right);

    EXPECT_EQ(list.GetSelectionMark(), -1);
    EXPECT_EQ(list.SetSelectionMark(0), -1);
    EXPECT_EQ(list.GetSelectionMark(), 0);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSelectionMark(), -1);
}

TEST_F(UiDialogTest, AClickOnARowMarksItAndAClickOutsideTheRowsKeepsTheMark) {
    std::vector<int> marks;
    user.ClickRow(kDialog, kList, 1).ClickRow(kDialog, kList, 9).Press(kDialog, kOther);
    TestDialog dialog;
    dialog.onInit = [&] {
        dialog.m_list.InsertItem(0, "a");
        dialog.m_list.InsertItem(1, "b");
    };
    dialog.On(kList, Notification::ListClick,
              [&] { marks.push_back(dialog.m_list.GetSelectionMark()); });
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(marks, (std::vector<int>{1, 1}));
}

TEST_F(UiDialogTest, AColumnDividerMovesUnlessTheDialogRefusesTheDrag) {
    TestDialog dialog;
    int widthAfterRefusal = 0;
    user.DragColumnDivider(kDialog, kList, 0, 80)
        .Do(kDialog, [&] { widthAfterRefusal = dialog.m_list.GetColumnWidth(0); })
        .DragColumnDivider(kDialog, kList, 0, 90)
        .Press(kDialog, kOther);
    bool refuse = true;
    dialog.onInit = [&] { dialog.m_list.InsertColumn(0, "A", LVCFMT_LEFT, 50); };
    dialog.onNotify = [&](int id, Notification code, int* result) {
        if (id != kList || code != Notification::HeaderBeginTrack || !refuse) return false;
        *result = 1;
        refuse = false;
        return true;
    };
    int widthAfterDrag = 0;
    dialog.OnClicked(kOther, [&] {
        widthAfterDrag = dialog.m_list.GetColumnWidth(0);
        dialog.EndDialog(0);
    });
    dialog.DoModal();
    EXPECT_EQ(widthAfterRefusal, 50);
    EXPECT_EQ(widthAfterDrag, 90);
    EXPECT_EQ(backend->Find(dialog.m_list.m_hWnd), nullptr);  // gone with its dialog
}

TEST_F(UiDialogTest, AProgressBarKeepsItsPositionWithinItsRange) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(kDialog));
    dialog.m_progress.SetRange(0, 3);
    EXPECT_EQ(dialog.m_progress.SetPos(2), 0);
    EXPECT_EQ(dialog.m_progress.SetPos(70000), 2);
    EXPECT_EQ(dialog.m_progress.GetPos(), 3);
    dialog.m_progress.SetRange(0, 0);
    EXPECT_EQ(dialog.m_progress.GetPos(), 0);
}

TEST_F(UiDialogTest, DesktopGivesWorkAreaCursorAndFolderChooser) {
    backend->SetWorkArea({0, 0, 1280, 984});
    backend->SetCursorPos({640, 300});
    EXPECT_EQ(ui::GetWorkArea(), (CRect{0, 0, 1280, 984}));
    EXPECT_EQ(ui::GetCursorPos(), (CPoint{640, 300}));

    user.ChooseFolder("/srv/ouvrages").ChooseFolder(std::nullopt);
    EXPECT_EQ(ui::BrowseForFolder(nullptr, "Choix"), "/srv/ouvrages");
    EXPECT_EQ(ui::BrowseForFolder(nullptr, "Choix"), std::nullopt);
    EXPECT_EQ(ui::BrowseForFolder(nullptr, "Sans suite"), std::nullopt);
    EXPECT_EQ(backend->FolderChoosers().size(), 3u);
}

}  // namespace
}  // namespace uitest
