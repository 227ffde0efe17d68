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
    // The maker's row as prefix|name|tariff date|version|full update; empty when there is none.
    std::string Maker(const std::string& id) {
        const Strings rows = Rows(
            "SELECT Prefixe, Nom, DateTarif, VersionTarif, MajComplete FROM Fabricant WHERE Id = "
            "'" +
            id + "'");
        return rows.empty() ? "" : rows[0];
    }
    long Makers() { return Count(m_library, "Fabricant"); }
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
    EXPECT_EQ(Maker("M1"), "ACM||2013-04-15||0");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PrixelMakerTest, MarkUpdatedStoresTheLineAndClearsTheFullUpdateFlag) {
    StoreMaker("M1", "V1", 1);
    FromLine(kFullUpdateLine)->MarkUpdated();
    EXPECT_EQ(Maker("M1"), "ACM|Acme|2013-04-15|V2|0");
}

TEST_F(PrixelMakerTest, IdentifierWithAQuoteFailsTheLookupAndIsShown) {
    CPrixelMaker maker("M'1", "ACM", "20130415");
    EXPECT_EQ(maker.FindMaker(), 2);
    maker.AddIfMissing();
    EXPECT_EQ(Makers(), 0);
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
    EXPECT_EQ(Makers(), 1);
    EXPECT_EQ(Maker("M2"), "OLD|Ancien nom|2010-01-02|V1|1");
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
    EXPECT_EQ(Maker("M1"), "") << "a maker without linked material loses its row";
    EXPECT_EQ(Makers(), 1);
}

// Another maker's materials are never counted.
TEST_F(PrixelMakerTest, AnotherVersionCountsAllLinkedMaterialsAndAnEmptyOneTakesTheLines) {
    const struct {
        const char* version;
        Strings outdated;
        const char* row;
    } cases[] = {{"", {"R2"}, "OLD|Acme|2010-01-02|V2|0"},
                 {"V1", {"R1", "R2"}, "OLD|Ancien nom|2010-01-02|V1|0"}};
    for (const auto& c : cases) {
        m_library.Execute("DELETE FROM Fabricant; DELETE FROM BXMX");
        StoreMaker("M1", c.version);
        StoreLinkedMaterials();
        StoreMaterial("R3", "M2", true, kOldDate);
        auto maker = FromLine(kLine);
        EXPECT_FALSE(maker->CheckUpToDate()) << c.version;
        EXPECT_EQ(OutdatedRefs(*maker), c.outdated);
        EXPECT_EQ(Maker("M1"), c.row);
    }
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
    EXPECT_EQ(Maker("M1"), "OLD|Ancien nom|2010-01-02||0");
}

}  // namespace
