#include <gtest/gtest.h>

#include "connection/prixel_settings.h"
#include "host/application.h"
#include "platform/profile.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

class ArticleUpdateTest : public TariffUpdateTest {
  protected:
    std::string CustomerNumber() const {
        return profile::GetString(PrixelIniPath(), "PrixelCustomerKey", "CustomerNumber", "");
    }
};

TEST_F(ArticleUpdateTest, TheFourTextsAreJoinedAndTheAnswerIsWrittenWhereAsked) {
    m_web.Serve(kTariffQuery, Page("C7:PC::R\r\n" + Article("M1", "ACM", 1) + "\r\n"));
    m_prixel->UpdatePrixelArticle("12", "ABC", "X100", "15/04/2013", 1);
    m_prixel->UpdatePrixelArticle("a_b", 0);
    EXPECT_EQ(Queries(), (std::vector<std::string>{"12,ABC,X100,15/04/2013", "a"}));
    EXPECT_NE(m_web.navigations[1].find("_NP_a_b_"), std::string::npos);
    EXPECT_EQ(Count(m_library, "BXMX"), 1);
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 1);
    EXPECT_EQ(CustomerNumber(), "C7");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ArticleUpdateTest, FailedExchangesAreToldAndWriteNothing) {
    m_web.Serve(kTariffQuery, std::string(10000000, 'x'));
    m_prixel->UpdatePrixelArticle("M1,ACM,R1,15/04/2013", 1);
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    m_web.NeverAnswer(kTariffQuery);
    m_prixel->UpdatePrixelArticle("M1,ACM,R1,15/04/2013", 1);
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    User().PressEscape(IDD_PRIXEL_WEB);
    m_prixel->UpdatePrixelArticle("M1,ACM,R1,15/04/2013", 1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Opération impossible, vous avez sélectionnez trop d'articles.\n",
                              "Opération impossible, dépassement de mémoire.\n",
                              "Impossible de se connecter à Vako Prixel.\n",
                              "Impossible de se connecter à Vako Prixel.\n"}));
    EXPECT_EQ(Count(m_library, "BXMX"), 0);
}

TEST_F(ArticleUpdateTest, TheTariffIsTheFirstListPriceOfTheAnswerAndNothingIsWritten) {
    m_web.Serve(kTariffQuery, Page("C7:PC::R\r\n" + Article("M1", "ACM", 1, "20130415", "") +
                                   "\r\n" + Article("M1", "ACM", 2, "20130415", "12.50") + "\r\n" +
                                   Article("M1", "ACM", 3, "20130415", "99") + "\r\n"));
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R2"), "12.50");
    EXPECT_EQ(Queries(), (std::vector<std::string>{"M1,ACM,R2"}));
    EXPECT_EQ(CustomerNumber(), "C7");
    EXPECT_EQ(Count(m_library, "BXMX"), 0);
    EXPECT_EQ(Count(m_library, "Fabricant"), 0);
}

// An empty body writes nothing but its header is kept.
TEST_F(ArticleUpdateTest, AnEmptyBodyOrALineWithoutItsEndGivesNoTariff) {
    m_web.Serve(kTariffQuery, Page("C7:PC::R\r\n"));
    m_prixel->UpdatePrixelArticle("M1,ACM,R1,15/04/2013", 1);
    EXPECT_EQ(Count(m_library, "BXMX"), 0);
    EXPECT_EQ(CustomerNumber(), "C7");
    for (const std::string& body :
         {"C7:PC::R\r\n" + Article("M1", "ACM", 1), std::string("C7:PC::R")}) {
        m_web.Serve(kTariffQuery, Page(body));
        EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ArticleUpdateTest, OnlyTheTariffQueryIsOpenWithoutTheRightAndItNeedsTheLibrary) {
    m_web.Serve(kTariffQuery, Page("C7:PC::R\r\n" + Article("M1", "ACM", 1) + "\r\n"));
    GetHostApp()->m_Rights.clear();
    m_prixel->UpdatePrixelArticle("12", "ABC", "X100", "15/04/2013", 1);
    EXPECT_TRUE(m_web.navigations.empty());
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "100");

    // A library that cannot be opened gives no tariff.
    Faulty().FailOpen(dao::kLocked, text::FromUtf8("Base verrouillée."));
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Base verrouillée."}));
}

}  // namespace
