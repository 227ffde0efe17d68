#include <gtest/gtest.h>

#include <memory>

#include "host/application.h"
#include "platform/db/faulty_driver.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

const COleDateTime kOldTariff(2013, 4, 15);
const COleDateTime kNewTariff(2014, 6, 1);

class MakerUpdateTest : public TariffUpdateTest {
  protected:
    const ui::WindowModel& List() const {
        return *m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST);
    }
    // Records, while the update dialog is shown, its rows' names and counts and whether
    // "Actualiser" is enabled.
    void RecordDialog() {
        User().Do(IDD_PRIXEL_UPDATE, [this] {
            std::vector<std::string> row;
            for (const ui::ListRow& r : List().rows) row.push_back(r.texts[0] + "=" + r.texts[1]);
            m_shown.push_back(row);
            m_updateOneEnabled.push_back(
                m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE)->enabled);
        });
    }
    void RefreshRow(int row) {
        User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, row);
        User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE);
    }
    double ListPrice(const std::string& code) {
        CBibXmxSet row(&m_library, 2, 1);
        return Material(code, row) ? row.m_dPrixTarif : -1;
    }
    COleDateTime PrixelDate(const std::string& code) {
        CBibXmxSet row(&m_library, 2, 1);
        return Material(code, row) ? row.m_dtPrixelDate : COleDateTime();
    }
    bool ToasterShown() const {
        const ui::WindowModel* toaster = m_backend->FindDialog(IDD_PRIXEL_TOASTER);
        return toaster != nullptr && toaster->visible;
    }

    std::vector<std::vector<std::string>> m_shown;
    std::vector<bool> m_updateOneEnabled;
};

TEST_F(MakerUpdateTest, WithNothingOutOfDateTheListIsEmptyAndQuitterAnswersNonZero) {
    Import("M1", "ACM", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "15/04/2013")), CPrixelCtrl::PrixelUpToDate);
    RecordDialog();
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 0);
    RecordDialog();
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    EXPECT_NE(m_prixel->OpenUpdate(), 0);
    EXPECT_EQ(m_shown, (std::vector<std::vector<std::string>>{{}, {}}));
    EXPECT_EQ(m_updateOneEnabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(Queries().empty());
}

TEST_F(MakerUpdateTest, WithoutTheRightNothingIsShownAndTheAnswerTellsWhatIsLeft) {
    Import("M1", "ACM", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    GetHostApp()->m_Rights.clear();
    EXPECT_EQ(m_prixel->OpenUpdate(), 0);
    EXPECT_EQ(m_backend->FindDialog(IDD_PRIXEL_UPDATE), nullptr);
}

TEST_F(MakerUpdateTest, ActualiserRefreshesOneMakerThenShowsTheListWithoutIt) {
    Import("M1", "ACM", 3);
    Import("M2", "BTP", 2);
    const std::string makers =
        MakerLine("M1", "ACM", "01/06/2014") + MakerLine("M2", "BTP", "01/06/2014");
    ASSERT_EQ(Check(makers), CPrixelCtrl::PrixelOutOfDate);
    ServeNewTariffs("M1", "ACM", 3);

    RecordDialog();
    RefreshRow(0);
    RecordDialog();
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(m_prixel->OpenUpdate(), 0);

    EXPECT_EQ(Queries(), (std::vector<std::string>{"M1,ACM,R0,01/06/2014", "M1,ACM,R1,01/06/2014",
                                                   "M1,ACM,R2,01/06/2014"}));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Les tarifs du fabricant 'Maker M1' ont été mis à jour."}));
    EXPECT_EQ(m_shown, (std::vector<std::vector<std::string>>{{"Maker M1=3", "Maker M2=2"},
                                                              {"Maker M2=2"}}));
    EXPECT_EQ(m_updateOneEnabled, (std::vector<bool>{false, false}));

    EXPECT_EQ(ListPrice("ACMR2"), 120);
    EXPECT_EQ(PrixelDate("ACMR2"), kNewTariff);
    EXPECT_EQ(ListPrice("BTPR0"), 100);
    EXPECT_EQ(MakerTariffDate("M1"), kNewTariff);
    EXPECT_EQ(MakerTariffDate("M2"), kOldTariff);
    EXPECT_EQ(Check(makers), CPrixelCtrl::PrixelOutOfDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 2);
}

TEST_F(MakerUpdateTest, EscapeLeavesLikeQuitter) {
    Import("M1", "ACM", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    User().PressEscape(IDD_PRIXEL_UPDATE);
    EXPECT_EQ(m_prixel->OpenUpdate(), 0);
    EXPECT_TRUE(Queries().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MakerUpdateTest, ToutActualiserRefreshesOnlyTheOutOfDateMakers) {
    Import("M1", "ACM", 2);
    Import("M2", "BTP", 1);
    Import("M3", "CHX", 1);
    Import("M4", "DUR", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014") + MakerLine("M2", "BTP", "15/04/2013") +
                    MakerLine("M3", "CHX", "01/06/2014") + MakerLine("M4", "DUR", "15/04/2013")),
              CPrixelCtrl::PrixelOutOfDate);
    ServeNewTariffs("M1", "ACM", 2);
    ServeNewTariffs("M3", "CHX", 1);
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL);
    EXPECT_NE(m_prixel->OpenUpdate(), 0);

    EXPECT_EQ(Queries(), (std::vector<std::string>{"M1,ACM,R0,01/06/2014", "M1,ACM,R1,01/06/2014",
                                                   "M3,CHX,R0,01/06/2014"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Tous les tarifs ont été mis à jour."}));
    EXPECT_TRUE(ToasterShown());
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 0);
    EXPECT_EQ(MakerTariffDate("M3"), kNewTariff);
}

TEST_F(MakerUpdateTest, AnArticleWithoutAnswerIsToldAndTheMakerIsMarkedAllTheSame) {
    Import("M1", "ACM", 3);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    ServeNewTariffs("M1", "ACM", 3);
    m_web.NeverAnswer(Query("M1,ACM,R1,"));
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL);
    EXPECT_NE(m_prixel->OpenUpdate(), 0);

    EXPECT_EQ(Queries().size(), 3u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Impossible de se connecter à Vako Prixel.\n",
                                                    "Tous les tarifs ont été mis à jour."}));
    EXPECT_EQ(ListPrice("ACMR1"), 100);
    EXPECT_EQ(ListPrice("ACMR2"), 120);
    EXPECT_EQ(MakerTariffDate("M1"), kNewTariff);
}

TEST_F(MakerUpdateTest, AMakerWhoseRowCannotBeWrittenStaysListed) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    Import("M1", "ACM", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    ServeNewTariffs("M1", "ACM", 1);
    faulty->FailWhenContains("UPDATE Fabricant", dao::kLocked,
                             text::FromUtf8("Table verrouillée."));

    RefreshRow(0);
    RecordDialog();
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    m_prixel->OpenUpdate();

    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Table verrouillée.",
                                        "Les tarifs du fabricant 'Maker M1' ont été mis à jour."}));
    EXPECT_EQ(m_shown, (std::vector<std::vector<std::string>>{{"Maker M1=1"}}));
    EXPECT_EQ(ListPrice("ACMR0"), 120);
    EXPECT_EQ(MakerTariffDate("M1"), kOldTariff);
}

}  // namespace
