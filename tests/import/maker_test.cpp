#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "import/article_fixture.h"
#include "import/prixel_maker.h"
#include "platform/db/query.h"

namespace {

const char* const kLine = "M1\tACM\tAcme\t15/04/2013\tV2\t\t\t";
const char* const kFullUpdateLine = "M1\tACM\tAcme\t15/04/2013\tV2\t\t\ttout";
const COleDateTime kLineDate(2013, 4, 15);
const COleDateTime kOldDate(2010, 1, 2);

class PrixelMakerTest : public ArticleImportTest {
  protected:
    void StoreMaker(const std::string& id, const std::string& version, int fullUpdate = 0) {
        m_library.Execute(db::FormatQuery(
            "INSERT INTO Fabricant (Id, Prefixe, Nom, DateTarif, VersionTarif, MajComplete) "
            "VALUES ('%s', 'OLD', 'Ancien nom', '%s', '%s', %d)",
            id, kOldDate.ToIso(), version, fullUpdate));
    }
    void StoreMaterial(const std::string& reference, const std::string& makerId, bool linked,
                       const COleDateTime& tariffDate) {
        m_library.Execute(db::FormatQuery(
            "INSERT INTO BXMX (Type, Code, Reference, PrixelCheck, PrixelFabricantID, PrixelDate) "
            "VALUES (10001, 'ACM%s', '%s', %d, '%s', '%s')",
            reference, reference, linked ? 1 : 0, makerId, tariffDate.ToIso()));
    }
    // Two linked materials of M1: R1 at the line's tariff date, R2 at an older one.
    void StoreLinkedMaterials() {
        StoreMaterial("R1", "M1", true, kLineDate);
        StoreMaterial("R2", "M1", true, kOldDate);
    }
    static std::unique_ptr<CPrixelMaker> FromLine(const char* line) {
        auto maker = std::make_unique<CPrixelMaker>();
        maker->SetFromLine(line);
        return maker;
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
    long Rows() { return Count(m_library, "Fabricant"); }
};

TEST_F(PrixelMakerTest, MakerLineNeedsSevenTabsAndItsFieldsAreTrimmed) {
    CPrixelMaker maker;
    maker.SetFromLine(" M1 \tACM\t Acme SA\t15/04/2013 \tV2\tx\ty\t\tignored");
    EXPECT_EQ(maker.GetId() + "|" + maker.GetName() + "|" + maker.GetTariffDate(),
              "M1|Acme SA|15/04/2013");

    maker.SetFromLine("M1\tACM\tAcme\t15/04/2013\tV2\tx\ty");
    EXPECT_EQ(maker.GetId() + maker.GetPrefix() + maker.GetName() + maker.GetTariffDate(), "");
}

TEST_F(PrixelMakerTest, AddIfMissingAddsTheArticleMakerOnceWithItsTariffDate) {
    EXPECT_EQ(CPrixelMaker().CountMakers(), 0);
    CPrixelMaker maker("M1", "ACM", "20130415");
    EXPECT_EQ(maker.FindMaker(), 1);
    maker.AddIfMissing();
    EXPECT_EQ(maker.FindMaker(), 0);
    CPrixelMaker("M1", "NEW", "20140101").AddIfMissing();

    EXPECT_EQ(maker.CountMakers(), 1);
    EXPECT_EQ(Row("M1")->m_strPrefixe, "ACM");
    EXPECT_EQ(Row("M1")->m_dtDateTarif, kLineDate);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PrixelMakerTest, MarkUpdatedStoresTheLineAndClearsTheFullUpdateFlag) {
    StoreMaker("M1", "V1", 1);
    FromLine(kFullUpdateLine)->MarkUpdated();

    const auto row = Row("M1");
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
    Faulty().FailWhenContains("FROM Fabricant", dao::kLocked, text::FromUtf8("Table verrouillée."));
    CPrixelMaker maker("M1", "ACM", "20130415");
    EXPECT_EQ(maker.CountMakers(), 0);
    EXPECT_EQ(maker.FindMaker(), 2);
    EXPECT_TRUE(maker.CheckUpToDate());
    EXPECT_EQ(Messages(), std::vector<std::string>(3, "Table verrouillée."));
}

TEST_F(PrixelMakerTest, FailedAdditionOrMarkIsShownAndLeavesTheTable) {
    StoreMaker("M2", "V1", 1);
    Faulty().FailWhenContains("INSERT INTO Fabricant", dao::kReadOnly,
                              text::FromUtf8("Base en lecture seule."));
    CPrixelMaker("M1", "ACM", "20130415").AddIfMissing();
    Faulty().FailWhenContains("UPDATE Fabricant", dao::kReadOnly,
                              text::FromUtf8("Base en lecture seule."));
    FromLine("M2\tACM\tAcme\t15/04/2013\tV2\t\t\t")->MarkUpdated();

    EXPECT_EQ(Messages(), std::vector<std::string>(2, "Base en lecture seule."));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Row("M2")->m_strVersionTarif, "V1");
    EXPECT_EQ(Row("M2")->m_nMajComplete, 1);
}

TEST_F(PrixelMakerTest, UnknownMakerOrOneWithoutLinkedMaterialIsUpToDate) {
    StoreMaterial("R1", "M1", false, kOldDate);
    StoreMaterial("R2", "M2", true, kOldDate);
    auto unknown = FromLine(kFullUpdateLine);
    EXPECT_TRUE(unknown->CheckUpToDate());
    EXPECT_FALSE(unknown->IsOutdated());

    StoreMaker("M1", "V2");
    StoreMaker("M2", "V2");
    auto unlinked = FromLine(kLine);
    EXPECT_TRUE(unlinked->CheckUpToDate());
    EXPECT_EQ(unlinked->GetOutdatedCount(), 0);
    EXPECT_EQ(Row("M1")->m_strId, "") << "a maker without linked material loses its row";
    EXPECT_EQ(Rows(), 1);
}

TEST_F(PrixelMakerTest, EmptyStoredVersionTakesTheLineNameAndVersion) {
    StoreMaker("M1", "");
    StoreLinkedMaterials();
    auto maker = FromLine(kLine);
    EXPECT_FALSE(maker->CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(*maker), std::vector<std::string>{"R2"});
    const auto row = Row("M1");
    EXPECT_EQ(row->m_strNom + row->m_strVersionTarif, "AcmeV2");
    EXPECT_EQ(row->m_dtDateTarif, kOldDate);
}

TEST_F(PrixelMakerTest, DifferentVersionCountsAllLinkedMaterials) {
    StoreMaker("M1", "V1");
    StoreLinkedMaterials();
    StoreMaterial("R3", "M2", true, kOldDate);
    auto maker = FromLine(kLine);
    EXPECT_FALSE(maker->CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(*maker), (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(Row("M1")->m_strNom, "Ancien nom");
}

TEST_F(PrixelMakerTest, FullUpdateFlagCountsAllLinkedMaterialsUntilMarked) {
    StoreMaker("M1", "V2");
    StoreLinkedMaterials();
    auto flagged = FromLine(kFullUpdateLine);
    EXPECT_FALSE(flagged->CheckUpToDate());
    EXPECT_EQ(flagged->GetOutdatedCount(), 2);

    auto later = FromLine(kLine);
    EXPECT_FALSE(later->CheckUpToDate());
    EXPECT_EQ(later->GetOutdatedCount(), 2);
    later->MarkUpdated();
    EXPECT_FALSE(later->CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(*later), std::vector<std::string>{"R2"});
}

TEST_F(PrixelMakerTest, CheckLeavesADatabaseFailureToItsCaller) {
    StoreMaker("M1", "");
    StoreLinkedMaterials();
    Faulty().FailWhenContains("UPDATE Fabricant", dao::kLocked);
    EXPECT_THROW(FromLine(kLine)->CheckUpToDate(), CDaoException);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Row("M1")->m_strVersionTarif, "");
}

}  // namespace
