#include <gtest/gtest.h>

#include "host/application.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

using Shown = std::vector<std::vector<std::string>>;

class MakerUpdateTest : public TariffUpdateTest {
  protected:
    // Records, while the update dialog is shown, its rows' names and counts and whether
    // "Actualiser" is enabled.
    void RecordDialog() {
        User().Do(IDD_PRIXEL_UPDATE, [this] {
            Strings row;
            for (const ui::ListRow& r :
                 m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST)->rows)
                row.push_back(r.texts[0] + "=" + r.texts[1]);
            m_shown.push_back(row);
            m_updateOneEnabled.push_back(
                m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE)->enabled);
        });
    }

    Shown m_shown;
    std::vector<bool> m_updateOneEnabled;
};

// The columns cannot be resized. Without the right nothing is shown, and the answer tells that
// makers are left.
TEST_F(MakerUpdateTest, WithNothingOutOfDateTheListIsEmptyAndQuitterAnswersNonZero) {
    Import("M1", "ACM", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "15/04/2013")), CPrixelCtrl::PrixelUpToDate);
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 0);
    RecordDialog();
    User().DragColumnDivider(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 0, 100);
    User().Do(IDD_PRIXEL_UPDATE, [&] {
        EXPECT_EQ(m_backend->FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST)->columns.at(0).width,
                  213);
    });
    User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
    EXPECT_NE(m_prixel->OpenUpdate(), 0);
    EXPECT_EQ(m_shown, Shown{{}});
    EXPECT_EQ(m_updateOneEnabled, std::vector<bool>{false});

    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);
    GetHostApp()->m_Rights.clear();
    EXPECT_EQ(m_prixel->OpenUpdate(), 0);
    EXPECT_EQ(m_backend->FindDialog(IDD_PRIXEL_UPDATE), nullptr);
}

// The refreshes themselves are walked through the host program. A maker whose row cannot be
// written stays listed; an article the service does not answer is told, and its maker is marked
// all the same. A click outside the rows keeps the mark.
TEST_F(MakerUpdateTest, FailuresAreToldAndOnlyAMakerWhoseRowCannotBeWrittenStaysListed) {
    dbtest::FaultyDriver& faulty = Faulty();
    Import("M1", "ACM", 2);
    Import("M3", "CHX", 1);
    ASSERT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014") + MakerLine("M3", "CHX", "01/06/2014")),
              CPrixelCtrl::PrixelOutOfDate);
    ServeNewTariffs("M1", "ACM", 2);
    ServeNewTariffs("M3", "CHX", 1);
    m_web.NeverAnswer(std::string(kTariffQuery) + "M1,ACM,R1,");
    faulty.FailWhenContains("UPDATE Fabricant", dao::kLocked, text::FromUtf8("Table verrouillée."));

    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 1);
    User().ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 7);
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE);
    RecordDialog();
    User().Do(IDD_PRIXEL_UPDATE, [&faulty] { faulty.Heal(); });
    User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL);
    m_prixel->OpenUpdate();

    EXPECT_EQ(Messages(), (Strings{"Table verrouillée.",
                                   "Les tarifs du fabricant 'Maker M3' ont été mis à jour.",
                                   "Impossible de se connecter à Vako Prixel.\n",
                                   "Tous les tarifs ont été mis à jour."}));
    EXPECT_EQ(m_shown, (Shown{{"Maker M1=2", "Maker M3=1"}}));
    EXPECT_EQ(Rows("SELECT Code, PrixTarif FROM BXMX ORDER BY Code"),
              (Strings{"ACMR0|120", "ACMR1|100", "CHXR0|120"}));
    EXPECT_EQ(Rows("SELECT Id, DateTarif FROM Fabricant ORDER BY Id"),
              (Strings{"M1|2014-06-01", "M3|2014-06-01"}));
}

}  // namespace
