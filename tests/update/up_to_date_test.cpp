#include <gtest/gtest.h>

#include "connection/prixel_answer.h"
#include "host/application.h"
#include "import/article_fixture.h"
#include "module/prixel_ctrl.h"
#include "resources/prixel_resources.h"

namespace {

const std::string kUpdateCheck = "https:///awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT";

// A maker line: id, prefix, name, tariff date, version, two unread fields, full-update mark.
std::string MakerLine(const std::string& id, const std::string& prefix, const std::string& date,
                      const std::string& version = "V1") {
    return id + "\t" + prefix + "\tMaker " + id + "\t" + date + "\t" + version + "\t\t\t\r\n";
}

class UpToDateTest : public ArticleImportTest {
  protected:
    void SetUp() override {
        ArticleImportTest::SetUp();
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    void TearDown() override {
        m_prixel.reset();
        ArticleImportTest::TearDown();
    }

    // Imports count articles of a maker, all at the tariff date of 15 April 2013.
    void Import(const std::string& id, const std::string& prefix, int count) {
        std::string answer = "<BODY><PRE>C1:PC::R\r\n";
        for (int i = 0; i < count; ++i) {
            answer += Line({{CPrixelElement::MakerId, id},
                            {CPrixelElement::MakerPrefix, prefix},
                            {CPrixelElement::Reference, "R" + std::to_string(i)}}) +
                      "\r\n";
        }
        std::list<std::string> codes;
        ASSERT_EQ(CPrixelAnswer(answer + "</PRE></BODY>").ImportAnswer(codes, true), count);
    }
    CPrixelCtrl::PrixelUpdateState Check(const std::string& makerLines) {
        m_web.Serve(kUpdateCheck, "<BODY><PRE>C1:PC::R\r\n" + makerLines + "</PRE></BODY>");
        return m_prixel->IsUpToDate();
    }

    std::unique_ptr<CPrixelCtrl> m_prixel;
};

TEST_F(UpToDateTest, MakersWithAnotherTariffDateOrVersionAreOutOfDate) {
    Import("M1", "ACM", 3);
    Import("M2", "BTP", 4);
    Import("M3", "CHX", 2);
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014") + MakerLine("M9", "ZZZ", "01/06/2014") +
                    MakerLine("M2", "BTP", "15/04/2013") + MakerLine("M3", "CHX", "15/04/2013")),
              CPrixelCtrl::PrixelOutOfDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 3);

    EXPECT_EQ(
        Check(MakerLine("M1", "ACM", "15/04/2013") + MakerLine("M2", "BTP", "15/04/2013", "V2") +
              MakerLine("M3", "CHX", "01/06/2014")),
        CPrixelCtrl::PrixelOutOfDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 6);

    EXPECT_EQ(Check(MakerLine("M1", "ACM", "15/04/2013") + MakerLine("M2", "BTP", "15/04/2013") +
                    MakerLine("M3", "CHX", "15/04/2013")),
              CPrixelCtrl::PrixelUpToDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 0);
}

TEST_F(UpToDateTest, EmptyLibraryOrBodyIsUpToDate) {
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelUpToDate);
    Import("M1", "ACM", 1);
    EXPECT_EQ(Check("M1\tACM\tMaker\t01/06/2014\tV1\t\t\t"), CPrixelCtrl::PrixelUpToDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 0);
}

TEST_F(UpToDateTest, TheArrayHoldsNoMoreMakersThanTheLibraryKnows) {
    Import("M1", "ACM", 1);
    Import("M2", "BTP", 1);
    const std::string outdated = MakerLine("M1", "ACM", "01/06/2014");
    EXPECT_EQ(Check(outdated + outdated + outdated + outdated + outdated),
              CPrixelCtrl::PrixelOutOfDate);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 2);
}

TEST_F(UpToDateTest, RefusedOrFailedChecksLeaveTheArrayAsItWas) {
    Import("M1", "ACM", 2);
    EXPECT_EQ(Check(MakerLine("M1", "ACM", "01/06/2014")), CPrixelCtrl::PrixelOutOfDate);

    m_web.Serve(kUpdateCheck, std::string(10000000, 'x'));
    EXPECT_EQ(m_prixel->IsUpToDate(), CPrixelCtrl::PrixelNotChecked);
    m_web.NeverAnswer(kUpdateCheck);
    EXPECT_EQ(m_prixel->IsUpToDate(), CPrixelCtrl::PrixelNotChecked);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Opération impossible, le nombre de fabricant est trop important.\n",
                              "Impossible de se connecter à Vako Prixel.\n"}));

    GetHostApp()->m_Rights.clear();
    const std::size_t asked = m_web.navigations.size();
    EXPECT_EQ(m_prixel->IsUpToDate(), CPrixelCtrl::PrixelNotChecked);
    EXPECT_EQ(m_web.navigations.size(), asked);
    EXPECT_EQ(m_prixel->GetArticleUpToDateCount(), 2);
}

}  // namespace
