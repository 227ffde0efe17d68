#include <stdexcept>

#include "headless_fixture.h"

namespace uitest {
namespace {

using ui::Notification;

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
    user.Type(kDialog, kEdit, "abc").PressEscape(kDialog).CloseWindow(kDialog);
    EXPECT_EQ(run(), Run(IDCANCEL, kept));
    EXPECT_EQ(run(), Run(IDCANCEL, kept));  // the close box
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
    stubborn.onNotify = [](int id, Notification, int*) { return id == IDCANCEL; };
    EXPECT_THROW(stubborn.DoModal(), std::logic_error);
    // A missing template makes no window at all.
    CDialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create(12345));
    EXPECT_EQ(missing.m_hWnd, 0);
}

TEST_F(UiDialogTest, KeystrokesArriveOneAtATimeAndTheEditLosesTheFocusBeforeTheClick) {
    std::vector<std::string> events;
    user.Type(kDialog, kEdit, "ABCDEFGH").Press(kDialog, kOther);
    TestDialog dialog;
    dialog.On(kEdit, Notification::Changed, [&] {
        events.push_back(dialog.GetDlgItemText(kEdit));
        if (events.back().size() > 6) dialog.SetDlgItemText(kEdit, "ABCDEF");
    });
    dialog.On(kEdit, Notification::KillFocus, [&] { events.push_back("kill"); });
    dialog.OnClicked(kOther, [&] {
        events.push_back(dialog.GetDlgItemText(kEdit));
        dialog.EndDialog(0);
    });
    dialog.onInit = [&] { dialog.SetDlgItemText(kEdit, "old"); };
    dialog.DoModal();
    EXPECT_EQ(events, (std::vector<std::string>{"", "A", "AB", "ABC", "ABCD", "ABCDE", "ABCDEF",
                                                "ABCDEFG", "ABCDEFH", "kill", "ABCDEF"}));
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

TEST_F(UiDialogTest, AModelessDialogsControlsFollowItUntilItIsDestroyedAndDeletesItself) {
    bool deleted = false;
    auto* dialog = new SelfDeletingDialog(deleted);
    ASSERT_TRUE(dialog->Create(kDialog));
    EXPECT_FALSE(dialog->IsWindowVisible());
    EXPECT_EQ(dialog->GetDlgItem(777), nullptr);
    CWnd* other = dialog->GetDlgItem(kOther);

    // 8-point MS Sans Serif: x * 6 / 4 and y * 13 / 8, rounded.
    CRect rect;
    dialog->GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{0, 0, 300, 163}));
    dialog->MoveWindow(100, 50, 300, 163);
    other->GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{265, 180, 325, 203}));
    dialog->SetWindowPos(&CWnd::wndTop, 10, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dialog->GetWindowRect(&rect);
    EXPECT_EQ(rect, (CRect{10, 20, 310, 183}));
    EXPECT_TRUE(other->IsWindowVisible());
    EXPECT_TRUE(dialog->ShowWindow(SW_HIDE));
    EXPECT_FALSE(other->IsWindowVisible());

    dialog->EndDialog(IDCANCEL);
    EXPECT_NE(Shown(), nullptr);
    EXPECT_TRUE(dialog->DestroyWindow());
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Shown(), nullptr);
}

TEST_F(UiDialogTest, ListViewAndProgressBarRefuseOrBoundWhatIsOutOfRange) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(kDialog));
    CListCtrl& list = dialog.m_list;
    list.InsertColumn(0, "Fabricant", LVCFMT_LEFT, 213, 0);
    list.InsertColumn(1, "", LVCFMT_RIGHT, 40, 1);
    EXPECT_EQ(list.InsertItem(0, "Alpha"), 0);
    EXPECT_EQ(list.InsertItem(5, "Beta"), 1);  // past the end: appended
    EXPECT_EQ(list.InsertItem(-1, "Gamma"), -1);
    EXPECT_TRUE(list.SetItemText(1, 1, "3") && list.GetItemText(1, 1) == "3");
    EXPECT_FALSE(list.SetItemText(1, 2, "no such column"));
    EXPECT_FALSE(list.SetItemText(2, 0, "no such row"));
    list.SetSelectionMark(0);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetSelectionMark(), -1);

    dialog.m_progress.SetRange(0, 3);
    EXPECT_EQ(dialog.m_progress.SetPos(70000), 0);
    EXPECT_EQ(dialog.m_progress.GetPos(), 3);
    dialog.m_progress.SetRange(0, 0);
    EXPECT_EQ(dialog.m_progress.GetPos(), 0);
}

TEST_F(UiDialogTest, AColumnDividerMovesUnlessTheDialogRefusesTheDrag) {
    TestDialog dialog;
    std::vector<int> widths;
    auto measure = [&] { widths.push_back(dialog.m_list.GetColumnWidth(0)); };
    user.DragColumnDivider(kDialog, kList, 0, 80)
        .Do(kDialog, measure)
        .DragColumnDivider(kDialog, kList, 0, 90)
        .Do(kDialog, measure);
    bool refuse = true;
    dialog.onInit = [&] { dialog.m_list.InsertColumn(0, "A", LVCFMT_LEFT, 50); };
    dialog.onNotify = [&](int id, Notification code, int* result) {
        if (id != kList || code != Notification::HeaderBeginTrack || !refuse) return false;
        *result = 1;
        refuse = false;
        return true;
    };
    dialog.DoModal();
    EXPECT_EQ(widths, (std::vector<int>{50, 90}));
    EXPECT_EQ(backend->Find(dialog.m_list.m_hWnd), nullptr);  // gone with its dialog
}

}  // namespace
}  // namespace uitest
