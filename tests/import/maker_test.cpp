#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "connection/web_fixture.h"
#include "host/company.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "import/prixel_maker.h"
#include "platform/db/dao.h"
#include "platform/db/faulty_driver.h"
#include "platform/text.h"

namespace {

class PrixelMakerTest : public WebExchangeTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        WebExchangeTest::SetUp();
        m_library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
    }
    void TearDown() override {
        m_library.Close();
        WebExchangeTest::TearDown();
        host::CloseCompany();
    }

    void StoreMaker(const std::string& id, const std::string& version, int fullUpdate) {
        CBibFabricantSet makers(&m_library);
        makers.Open();
        makers.AddNew();
        makers.m_strId = id;
        makers.m_strPrefixe = "OLD";
        makers.m_strNom = "Ancien nom";
        makers.m_dtDateTarif = COleDateTime(2010, 1, 2);
        makers.m_strVersionTarif = version;
        makers.m_nMajComplete = fullUpdate;
        makers.Update();
    }
    // The maker's row, copied into a recordset standing on it; id empty when there is none.
    std::unique_ptr<CBibFabricantSet> Row(const std::string& id) {
        auto makers = std::make_unique<CBibFabricantSet>(&m_library);
        makers->Open("SELECT * FROM Fabricant WHERE Id = '" + id + "'");
        if (makers->IsEOF()) makers->m_strId.clear();
        return makers;
    }
    long Rows() {
        CBibFabricantSet makers(&m_library);
        makers.Open();
        long rows = 0;
        for (; !makers.IsEOF(); makers.MoveNext()) ++rows;
        return rows;
    }

    CDaoDatabase m_library;
};

TEST_F(PrixelMakerTest, MakerLineWithSevenTabsFillsEightTrimmedFields) {
    CPrixelMaker maker;
    maker.SetFromLine(" M1 \tACM\t Acme SA\t15/04/2013 \tV2\tx\ty\t\tignored");
    EXPECT_EQ(maker.GetId(), "M1");
    EXPECT_EQ(maker.GetPrefix(), "ACM");
    EXPECT_EQ(maker.GetName(), "Acme SA");
    EXPECT_EQ(maker.GetTariffDate(), "15/04/2013");

    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\tx\ty");
    EXPECT_EQ(maker.GetId(), "");
    EXPECT_EQ(maker.GetPrefix(), "");
    EXPECT_EQ(maker.GetName(), "");
    EXPECT_EQ(maker.GetTariffDate(), "");
}

TEST_F(PrixelMakerTest, TooShortLineLeavesVersionAndFlagEmptyToo) {
    StoreMaker("", "V1", 1);
    CPrixelMaker maker;
    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\tx\ty\tfull");
    maker.SetFromLine("a\tb");
    maker.MarkUpdated();
    const auto row = Row("");
    EXPECT_EQ(row->m_strVersionTarif, "");
    EXPECT_EQ(row->m_nMajComplete, 0);
}

TEST_F(PrixelMakerTest, AddIfMissingAddsTheArticleMakerOnceWithItsTariffDate) {
    CPrixelMaker first("M1", "ACM", "20130415");
    EXPECT_EQ(first.FindMaker(), 1);
    first.AddIfMissing();
    EXPECT_EQ(first.FindMaker(), 0);

    CPrixelMaker again("M1", "NEW", "20140101");
    again.AddIfMissing();

    EXPECT_EQ(Rows(), 1);
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strPrefixe, "ACM");
    EXPECT_EQ(row->m_dtDateTarif, COleDateTime(2013, 4, 15));
    EXPECT_EQ(row->m_strNom, "");
    EXPECT_EQ(row->m_nMajComplete, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PrixelMakerTest, AddIfMissingLeavesAnExistingRowUnchanged) {
    StoreMaker("M1", "V1", 1);
    CPrixelMaker maker("M1", "ACM", "20130415");
    maker.AddIfMissing();
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strPrefixe, "OLD");
    EXPECT_EQ(row->m_dtDateTarif, COleDateTime(2010, 1, 2));
}

TEST_F(PrixelMakerTest, ArticleDateThatIsNoDateStoresTheZeroDate) {
    CPrixelMaker maker("M1", "ACM", "2013");
    maker.AddIfMissing();
    EXPECT_TRUE(Row("M1")->m_dtDateTarif.IsZero());
}

TEST_F(PrixelMakerTest, CountMakersCountsTheRows) {
    CPrixelMaker maker;
    EXPECT_EQ(maker.CountMakers(), 0);
    StoreMaker("M1", "V1", 0);
    StoreMaker("M2", "V1", 0);
    StoreMaker("M3", "V1", 0);
    EXPECT_EQ(maker.CountMakers(), 3);
}

TEST_F(PrixelMakerTest, MarkUpdatedStoresTheLineAndClearsTheFullUpdateFlag) {
    StoreMaker("M1", "V1", 1);
    CPrixelMaker maker;
    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\t\t\tfull");
    maker.MarkUpdated();

    const auto row = Row("M1");
    EXPECT_EQ(row->m_strPrefixe, "ACM");
    EXPECT_EQ(row->m_strNom, "Acme");
    EXPECT_EQ(row->m_dtDateTarif, COleDateTime(2013, 4, 15));
    EXPECT_EQ(row->m_strVersionTarif, "V2");
    EXPECT_EQ(row->m_nMajComplete, 0);
    EXPECT_FALSE(maker.IsOutdated());
}

TEST_F(PrixelMakerTest, MarkUpdatedOfAnUnknownMakerAddsNothing) {
    CPrixelMaker maker;
    maker.SetFromLine("M9\tACM\tAcme\t15/04/2013\tV2\t\t\t");
    maker.MarkUpdated();
    EXPECT_EQ(Rows(), 0);
}

TEST_F(PrixelMakerTest, IdentifierWithAQuoteFailsTheLookupAndIsShown) {
    CPrixelMaker maker("M'1", "ACM", "20130415");
    EXPECT_EQ(maker.FindMaker(), 2);
    maker.AddIfMissing();
    EXPECT_EQ(Rows(), 0);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0],
              "La valeur \"M'1\" contient une apostrophe : la requête a été refusée.");
}

TEST_F(PrixelMakerTest, QueryThatDoesNotOpenIsShownAndCountsNothing) {
    StoreMaker("M1", "V1", 0);
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("FROM Fabricant", dao::kLocked, text::FromUtf8("Table verrouillée."));
    CPrixelMaker maker("M1", "ACM", "20130415");
    EXPECT_EQ(maker.CountMakers(), 0);
    EXPECT_EQ(maker.FindMaker(), 2);
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "Table verrouillée."));
}

TEST_F(PrixelMakerTest, FailedAdditionIsShownAndStoresNothing) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO Fabricant", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    CPrixelMaker maker("M1", "ACM", "20130415");
    maker.AddIfMissing();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Base en lecture seule."});
}

TEST_F(PrixelMakerTest, FailedMarkIsShownAndLeavesTheRowAsItWas) {
    StoreMaker("M1", "V1", 1);
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("UPDATE Fabricant", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    CPrixelMaker maker;
    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\t\t\t");
    maker.MarkUpdated();

    EXPECT_EQ(Messages(), std::vector<std::string>{"Base en lecture seule."});
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strVersionTarif, "V1");
    EXPECT_EQ(row->m_nMajComplete, 1);
    EXPECT_EQ(row->m_dtDateTarif, COleDateTime(2010, 1, 2));
}

}  // namespace
