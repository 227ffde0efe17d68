#include <gtest/gtest.h>

#include "connection/prixel_settings.h"
#include "host/application.h"
#include "platform/profile.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

const std::string kCatalogue = "https:///Varneloawp?";
const std::string kRecuperation = "https:///awp/varneloawp.awp?COMMANDE=1:2_VarneloAWP_PAGERECUP";

class CatalogueBrowsingTest : public TariffUpdateTest {
  protected:
    void SetUp() override {
        TariffUpdateTest::SetUp();
        m_web.Serve(kCatalogue, "<HTML><BODY>catalogue</BODY></HTML>");
        m_web.Serve(kUpdateCheck, Page("!C1:PC::R\r\n"));
    }

    int Browse(const std::string& answer, int notify = 1) {
        m_web.Serve(kRecuperation, Page(answer));
        User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
        return m_prixel->OpenVarnelo(m_codes, "", 1, notify);
    }
    bool CheckedLast() const { return m_web.navigations.back().starts_with(kUpdateCheck); }

    std::list<std::string> m_codes{"EXISTING"};
};

TEST_F(CatalogueBrowsingTest, PickedArticlesAreWrittenReportedAndCheckedWithTheToasterAsked) {
    EXPECT_EQ(Browse("C9:PC::R\r\n" + Line() + "\r\n", 0), 1);
    EXPECT_TRUE(CheckedLast());
    EXPECT_EQ(ToasterText(), "");

    m_codes = {"EXISTING"};
    const std::string answer =
        "C9:PC::R\r\n" + Line() + "\r\n" + Line({{CPrixelElement::Reference, "R200"}}) + "\r\n";
    EXPECT_EQ(Browse(answer), 2);
    EXPECT_EQ(m_codes, (std::list<std::string>{"EXISTING", "ACMR100", "ACMR200"}));
    EXPECT_NE(ToasterText(), "");
}

// Leaving keeps Prixel.ini as it was; an empty selection stores its header only. A long search
// text is cut, its separators cleared.
TEST_F(CatalogueBrowsingTest, LeavingOrAnEmptySelectionWritesNoArticle) {
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
    EXPECT_EQ(m_prixel->OpenVarnelo(m_codes, "a:b|c_" + std::string(1500, 'x'), 1, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(PrixelIniPath()));
    EXPECT_NE(m_web.navigations.at(0).find("_RA_|||||a b c " + std::string(994, 'x') + "_"),
              std::string::npos);

    EXPECT_EQ(Browse("C9:PC::R\r\n"), 0);
    EXPECT_EQ(profile::GetString(PrixelIniPath(), "PrixelCustomerKey", "CustomerNumber", ""), "C9");
    EXPECT_FALSE(CheckedLast());
    EXPECT_EQ(m_codes, (std::list<std::string>{"EXISTING"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CatalogueBrowsingTest, FailedExchangesAreToldInFrench) {
    m_web.Serve(kRecuperation, std::string(10000000, 'x'));
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(m_prixel->OpenVarnelo(m_codes, "", 1, 1), 0);

    m_web.NeverAnswer(kRecuperation);
    User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
    EXPECT_EQ(m_prixel->OpenVarnelo(m_codes, "", 1, 1), 0);

    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Opération impossible, vous avez sélectionné trop d'articles.\n",
                              "Impossible de se connecter à Vako Prixel.\n"}));
}

TEST_F(CatalogueBrowsingTest, WithoutTheRightNothingHappens) {
    m_prixel->DisplayToaster("avant");
    GetHostApp()->m_Rights.clear();
    EXPECT_EQ(m_prixel->OpenVarnelo(m_codes, "", 1, 1), 0);
    EXPECT_TRUE(m_web.navigations.empty());
    EXPECT_EQ(ToasterText(), "avant");
}

}  // namespace
