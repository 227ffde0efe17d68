#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "connection/web_fixture.h"
#include "host/company.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "import/prixel_maker.h"
#include "platform/db/dao.h"
#include "platform/db/faulty_driver.h"
#include "platform/text.h"

namespace {

const char* const kLine = "M1\tACM\tAcme\t15/04/2013\tV2\t\t\t";
const char* const kFullUpdateLine = "M1\tACM\tAcme\t15/04/2013\tV2\t\t\ttout";
const COleDateTime kLineDate(2013, 4, 15);
const COleDateTime kOldDate(2010, 1, 2);

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

    void StoreMaker(const std::string& id, const std::string& version, int fullUpdate = 0) {
        CBibFabricantSet makers(&m_library);
        makers.Open();
        makers.AddNew();
        makers.m_strId = id;
        makers.m_strPrefixe = "OLD";
        makers.m_strNom = "Ancien nom";
        makers.m_dtDateTarif = kOldDate;
        makers.m_strVersionTarif = version;
        makers.m_nMajComplete = fullUpdate;
        makers.Update();
    }
    void StoreMaterial(const std::string& reference, const std::string& makerId, bool linked,
                       const COleDateTime& tariffDate) {
        CBibXmxSet materials(&m_library, 2, 1);
        materials.Open();
        materials.AddNew();
        materials.m_nType = 10001;
        materials.m_strCode = "ACM" + reference;
        materials.m_strReference = reference;
        materials.m_bPrixelCheck = linked;
        materials.m_strPrixelFabricantID = makerId;
        materials.m_dtPrixelDate = tariffDate;
        materials.Update();
    }
    // Two linked materials of M1: R1 at the line's tariff date, R2 at an older one.
    void StoreLinkedMaterials() {
        StoreMaterial("R1", "M1", true, kLineDate);
        StoreMaterial("R2", "M1", true, kOldDate);
    }
    static std::vector<std::string> OutdatedRefs(const CPrixelMaker& maker) {
        const std::string* refs = maker.GetOutdatedRefs();
        std::vector<std::string> found(refs, refs + maker.GetOutdatedCount());
        std::sort(found.begin(), found.end());
        return found;
    }
    // A recordset on the maker's row; its id is empty when there is none.
    std::unique_ptr<CBibFabricantSet> Row(const std::string& id) {
        auto makers = std::make_unique<CBibFabricantSet>(&m_library);
        makers->Open("SELECT * FROM Fabricant WHERE Id = '" + id + "'");
        if (makers->IsEOF()) makers->m_strId.clear();
        return makers;
    }
    long Rows() { return CPrixelMaker().CountMakers(); }

    CDaoDatabase m_library;
};

TEST_F(PrixelMakerTest, MakerLineNeedsSevenTabsAndItsFieldsAreTrimmed) {
    CPrixelMaker maker;
    maker.SetFromLine(" M1 \tACM\t Acme SA\t15/04/2013 \tV2\tx\ty\t\tignored");
    EXPECT_EQ(maker.GetId(), "M1");
    EXPECT_EQ(maker.GetPrefix(), "ACM");
    EXPECT_EQ(maker.GetName(), "Acme SA");
    EXPECT_EQ(maker.GetTariffDate(), "15/04/2013");

    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\tx\ty");
    EXPECT_EQ(maker.GetId() + maker.GetPrefix() + maker.GetName() + maker.GetTariffDate(), "");
}

TEST_F(PrixelMakerTest, AddIfMissingAddsTheArticleMakerOnceWithItsTariffDate) {
    CPrixelMaker maker("M1", "ACM", "20130415");
    EXPECT_EQ(maker.FindMaker(), 1);
    maker.AddIfMissing();
    EXPECT_EQ(maker.FindMaker(), 0);
    CPrixelMaker("M1", "NEW", "20140101").AddIfMissing();

    EXPECT_EQ(Rows(), 1);
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strPrefixe, "ACM");
    EXPECT_EQ(row->m_dtDateTarif, kLineDate);
    EXPECT_EQ(row->m_nMajComplete, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PrixelMakerTest, CountMakersOfAnEmptyTableIsZero) {
    EXPECT_EQ(Rows(), 0);
    StoreMaker("M1", "V1");
    StoreMaker("M2", "V1");
    EXPECT_EQ(Rows(), 2);
}

TEST_F(PrixelMakerTest, MarkUpdatedStoresTheLineAndClearsTheFullUpdateFlag) {
    StoreMaker("M1", "V1", 1);
    CPrixelMaker maker;
    maker.SetFromLine(kFullUpdateLine);
    maker.MarkUpdated();

    const auto row = Row("M1");
    EXPECT_EQ(row->m_strPrefixe, "ACM");
    EXPECT_EQ(row->m_strNom, "Acme");
    EXPECT_EQ(row->m_dtDateTarif, kLineDate);
    EXPECT_EQ(row->m_strVersionTarif, "V2");
    EXPECT_EQ(row->m_nMajComplete, 0);
}

TEST_F(PrixelMakerTest, IdentifierWithAQuoteFailsTheLookupAndIsShown) {
    CPrixelMaker maker("M'1", "ACM", "20130415");
    EXPECT_EQ(maker.FindMaker(), 2);
    maker.AddIfMissing();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Messages(),
              std::vector<std::string>(
                  2, "La valeur \"M'1\" contient une apostrophe : la requête a été refusée."));
}

TEST_F(PrixelMakerTest, QueryThatDoesNotOpenIsShownAndCountsNothing) {
    StoreMaker("M1", "V1");
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("FROM Fabricant", dao::kLocked, text::FromUtf8("Table verrouillée."));
    CPrixelMaker maker("M1", "ACM", "20130415");
    EXPECT_EQ(maker.CountMakers(), 0);
    EXPECT_EQ(maker.FindMaker(), 2);
    EXPECT_TRUE(maker.CheckUpToDate());
    EXPECT_EQ(Messages(), std::vector<std::string>(3, "Table verrouillée."));
}

TEST_F(PrixelMakerTest, FailedAdditionIsShownAndStoresNothing) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO Fabricant", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    CPrixelMaker("M1", "ACM", "20130415").AddIfMissing();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Base en lecture seule."});
    faulty->Heal();
    EXPECT_EQ(Rows(), 0);
}

TEST_F(PrixelMakerTest, FailedMarkIsShownAndLeavesTheRowAsItWas) {
    StoreMaker("M1", "V1", 1);
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("UPDATE Fabricant", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    CPrixelMaker maker;
    maker.SetFromLine(kLine);
    maker.MarkUpdated();

    EXPECT_EQ(Messages(), std::vector<std::string>{"Base en lecture seule."});
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strVersionTarif, "V1");
    EXPECT_EQ(row->m_nMajComplete, 1);
    EXPECT_EQ(row->m_dtDateTarif, kOldDate);
}

TEST_F(PrixelMakerTest, UnknownMakerIsUpToDateWhateverItsDates) {
    StoreMaterial("R1", "M1", true, kOldDate);
    CPrixelMaker maker;
    maker.SetFromLine(kFullUpdateLine);
    EXPECT_TRUE(maker.CheckUpToDate());
    EXPECT_FALSE(maker.IsOutdated());
    EXPECT_EQ(Rows(), 0);
}

TEST_F(PrixelMakerTest, KnownMakerWithoutLinkedMaterialLosesItsRow) {
    StoreMaker("M1", "V2");
    StoreMaker("M2", "V2");
    StoreMaterial("R1", "M1", false, kOldDate);
    StoreMaterial("R2", "M2", true, kOldDate);
    CPrixelMaker maker;
    maker.SetFromLine(kLine);
    EXPECT_TRUE(maker.CheckUpToDate());
    EXPECT_EQ(maker.GetOutdatedCount(), 0);
    EXPECT_EQ(Row("M1")->m_strId, "");
    EXPECT_EQ(Rows(), 1);
}

TEST_F(PrixelMakerTest, EmptyStoredVersionTakesTheLineNameAndVersion) {
    StoreMaker("M1", "");
    StoreLinkedMaterials();
    CPrixelMaker maker;
    maker.SetFromLine(kLine);
    EXPECT_FALSE(maker.CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(maker), std::vector<std::string>{"R2"});
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strNom, "Acme");
    EXPECT_EQ(row->m_strVersionTarif, "V2");
    EXPECT_EQ(row->m_dtDateTarif, kOldDate);
}

TEST_F(PrixelMakerTest, DifferentVersionCountsAllLinkedMaterials) {
    StoreMaker("M1", "V1");
    StoreLinkedMaterials();
    StoreMaterial("R3", "M2", true, kOldDate);
    CPrixelMaker maker;
    maker.SetFromLine(kLine);
    EXPECT_FALSE(maker.CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(maker), (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(Row("M1")->m_strNom, "Ancien nom");
}

TEST_F(PrixelMakerTest, FullUpdateFlagCountsAllLinkedMaterialsUntilMarked) {
    StoreMaker("M1", "V2");
    StoreLinkedMaterials();
    CPrixelMaker flagged;
    flagged.SetFromLine(kFullUpdateLine);
    EXPECT_FALSE(flagged.CheckUpToDate());
    EXPECT_EQ(flagged.GetOutdatedCount(), 2);

    CPrixelMaker later;
    later.SetFromLine(kLine);
    EXPECT_FALSE(later.CheckUpToDate());
    EXPECT_EQ(later.GetOutdatedCount(), 2);
    later.MarkUpdated();
    EXPECT_FALSE(later.IsOutdated());
    EXPECT_FALSE(later.CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(later), std::vector<std::string>{"R2"});
}

TEST_F(PrixelMakerTest, CheckLeavesADatabaseFailureToItsCaller) {
    StoreMaker("M1", "");
    StoreLinkedMaterials();
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("UPDATE Fabricant", dao::kLocked);
    CPrixelMaker maker;
    maker.SetFromLine(kLine);
    EXPECT_THROW(maker.CheckUpToDate(), CDaoException);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Row("M1")->m_strVersionTarif, "");
}

}  // namespace
