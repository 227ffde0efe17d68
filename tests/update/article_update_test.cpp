#include <gtest/gtest.h>

#include "host/application.h"
#include "resources/prixel_resources.h"
#include "update/tariff_update_fixture.h"

namespace {

using ArticleUpdateTest = TariffUpdateTest;

// The four texts of an article are joined for the query. The service that does not answer is
// walked through the host program; the person who leaves is not told; a library that cannot be
// opened gives no tariff.
TEST_F(ArticleUpdateTest, FailedExchangesOrAnUnopenedLibraryAreTold) {
    m_web.Serve(kTariffQuery, std::string(10000000, 'x'));
    m_prixel->UpdatePrixelArticle("M1", "ACM", "R1", "15/04/2013", 1);
    EXPECT_NE(m_web.navigations.at(0).find("_NP_M1,ACM,R1,15/04/2013_"), std::string::npos);
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    m_web.NeverAnswer(kTariffQuery);
    User().PressEscape(IDD_PRIXEL_WEB);
    m_prixel->UpdatePrixelArticle("M1,ACM,R1,15/04/2013", 1);
    m_web.Serve(kTariffQuery, Page("C7:PC::R\r\n" + Article("M1", "ACM", 1) + "\r\n"));
    Faulty().FailOpen(dao::kLocked, text::FromUtf8("Base verrouillée."));
    EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R1"), "");
    EXPECT_EQ(Messages(),
              (Strings{"Opération impossible, vous avez sélectionnez trop d'articles.\n",
                       "Opération impossible, dépassement de mémoire.\n", "Base verrouillée."}));
}

// The tariff is asked without the right, which refuses the article update. An empty body or a
// line without its end gives no tariff.
TEST_F(ArticleUpdateTest, TheTariffIsTheFirstListPriceOfTheAnswerAndNothingIsWritten) {
    GetHostApp()->m_Rights.clear();
    m_prixel->UpdatePrixelArticle("12", "ABC", "X100", "15/04/2013", 1);

    const std::pair<std::string, const char*> cases[] = {
        {"C7:PC::R\r\n" + Article("M1", "ACM", 1, "20130415", "") + "\r\n" +
             Article("M1", "ACM", 2, "20130415", "12.50") + "\r\n" +
             Article("M1", "ACM", 3, "20130415", "99") + "\r\n",
         "12.50"},
        {"C7:PC::R\r\n" + Article("M1", "ACM", 2), ""},
        {"C7:PC::R", ""}};
    for (const auto& [body, tariff] : cases) {
        m_web.Serve(kTariffQuery, Page(body));
        EXPECT_EQ(m_prixel->GetArticleTarif("M1", "ACM", "R2"), tariff) << body;
    }
    EXPECT_EQ(m_web.navigations.size(), 3u);
    EXPECT_EQ(Count(m_library, "BXMX") + Count(m_library, "Fabricant"), 0);
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
