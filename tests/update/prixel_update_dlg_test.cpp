#include "update/prixel_update_dlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "import/prixel_maker.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

// Makers M1 (3 materials) and M3 (1) are out of date, M2 is current, and the last entry is empty.
class PrixelUpdateDlgTest : public TariffUpdateTest {
  protected:
    void SetUp() override {
        TariffUpdateTest::SetUp();
        Import("M1", "ACM", 3);
        Import("M2", "BTP", 2);
        Import("M3", "CHX", 1);
        m_makers = std::make_unique<CPrixelMaker[]>(4);
        const std::string lines[] = {"M1\tACM\tMaker M1\t01/06/2014\tV1\t\t\t",
                                     "M2\tBTP\tMaker M2\t15/04/2013\tV1\t\t\t",
                                     "M3\tCHX\tMaker M3\t01/06/2014\tV1\t\t\t"};
        for (int i = 0; i < 3; ++i) {
            m_makers[i].SetFromLine(lines[i]);
            m_makers[i].CheckUpToDate();
        }
    }
    void TearDown() override {
        m_makers.reset();
        TariffUpdateTest::TearDown();
    }

    int Show() {
        CPrixelUpdateDlg dialog(m_makers.get(), 4, nullptr);
        return dialog.DoModal();
    }
    const ui::WindowModel& List() const {
        return *m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST);
    }
    bool UpdateOneEnabled() const {
        return m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE)->enabled;
    }
    // Records, while the dialog is shown, whether "Actualiser" is enabled.
    void RecordUpdateOne(std::vector<bool>& states) {
        User().Do(IDD_PRIXEL_UPDATE, [this, &states] { states.push_back(UpdateOneEnabled()); });
    }

    std::unique_ptr<CPrixelMaker[]> m_makers;
};

TEST_F(PrixelUpdateDlgTest, ListsTheOutOfDateMakersWithTheirCountsAndIndexes) {
    std::vector<ui::ListColumn> columns;
    std::vector<ui::ListRow> rows;
    bool enabled = true;
    User().Do(IDD_PRIXEL_UPDATE, [&] {
        columns = List().columns;
        rows = List().rows;
        enabled = UpdateOneEnabled();
    });
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(Show(), CPrixelUpdateDlg::UPDATE_QUIT);

    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].heading, "Fabricant");
    EXPECT_EQ(columns[0].align, ui::ColumnAlign::Left);
    EXPECT_EQ(columns[0].width, 213);
    EXPECT_EQ(columns[1].heading, "");
    EXPECT_EQ(columns[1].align, ui::ColumnAlign::Right);
    EXPECT_EQ(columns[1].width, 40);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].texts, (std::vector<std::string>{"Maker M1", "3"}));
    EXPECT_EQ(rows[0].data, 0u);
    EXPECT_EQ(rows[1].texts, (std::vector<std::string>{"Maker M3", "1"}));
    EXPECT_EQ(rows[1].data, 2u);
    EXPECT_FALSE(enabled);
}

TEST_F(PrixelUpdateDlgTest, ActualiserFollowsTheSelectionMarkAndAnswersTheMakersIndex) {
    std::vector<bool> states;
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 5);
    RecordUpdateOne(states);
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE);
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 1);
    RecordUpdateOne(states);
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 7);
    RecordUpdateOne(states);
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE);
    EXPECT_EQ(Show(), 2);
    EXPECT_EQ(states, (std::vector<bool>{false, true, true}));
}

TEST_F(PrixelUpdateDlgTest, EscapeAndTheCloseBoxQuitAndToutActualiserAsksForAll) {
    User().PressEscape(IDD_PRIXEL_UPDATE);
    EXPECT_EQ(Show(), CPrixelUpdateDlg::UPDATE_QUIT);
    User().CloseWindow(IDD_PRIXEL_UPDATE);
    EXPECT_EQ(Show(), CPrixelUpdateDlg::UPDATE_QUIT);
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL);
    EXPECT_EQ(Show(), CPrixelUpdateDlg::UPDATE_ALL);
}

TEST_F(PrixelUpdateDlgTest, TheColumnsCannotBeResized) {
    std::vector<int> widths;
    bool handled = false;
    int result = 0;
    User().DragColumnDivider(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 0, 100);
    User().DragColumnDivider(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 1, 90);
    User().Do(IDD_PRIXEL_UPDATE, [&] {
        for (const ui::ListColumn& column : List().columns) widths.push_back(column.width);
        CPrixelUpdateDlg* dialog =
            static_cast<CPrixelUpdateDlg*>(m_backend->FindDialog(IDD_PRIXEL_UPDATE)->wnd);
        handled =
            dialog->OnNotify(IDC_UPDATE_LIST, ui::Notification::HeaderDividerDblClick, &result);
    });
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(Show(), CPrixelUpdateDlg::UPDATE_QUIT);
    EXPECT_EQ(widths, (std::vector<int>{213, 40}));
    EXPECT_TRUE(handled);
    EXPECT_EQ(result, 1);
}

}  // namespace
