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
// Two linked materials of M1: R1 at the line's tariff date, R2 at an older one.
const char* const kLinkedOfM1 = "('R1', 'M1', 1, '2013-04-15'), ('R2', 'M1', 1, '2010-01-02')";

class PrixelMakerTest : public ArticleImportTest {
  protected:
    // A maker's row as an earlier check left it, dated 2 January 2010.
    void StoreMaker(const std::string& id, const std::string& version, int fullUpdate = 0) {
        m_library.Execute(db::FormatQuery(
            "INSERT INTO Fabricant (Id, Prefixe, Nom, DateTarif, VersionTarif, MajComplete) "
            "VALUES ('%s', 'OLD', 'Ancien nom', '2010-01-02', '%s', %d)",
            id, version, fullUpdate));
    }
    // Materials of the library, each as (reference, maker, linked, tariff date).
    void StoreMaterials(const std::string& rows) {
        m_library.Execute(
            "INSERT INTO BXMX (Type, Code, Reference, PrixelFabricantID, "
            "PrixelCheck, PrixelDate) SELECT 10001, 'ACM' || column1, * FROM "
            "(VALUES " +
            rows + ")");
    }
    static std::unique_ptr<CPrixelMaker> FromLine(const char* line) {
        auto maker = std::make_unique<CPrixelMaker>();
        maker->SetFromLine(line);
        return maker;
    }
    static Strings OutdatedRefs(const CPrixelMaker& maker) {
        const std::string* refs = maker.GetOutdatedRefs();
        Strings found(refs, refs + maker.GetOutdatedCount());
        std::sort(found.begin(), found.end());
        return found;
    }
    // The maker's row as prefix|name|tariff date|version|full update; empty when there is none.
    std::string Maker(const std::string& id) {
        const Strings rows = Rows(
            "SELECT Prefixe, Nom, DateTarif, VersionTarif, MajComplete "
            "FROM Fabricant WHERE Id = '" +
            id + "'");
        return rows.empty() ? "" : rows[0];
    }
};

// Each failure is shown where it happens, but one of the up-to-date check goes to its caller.
TEST_F(PrixelMakerTest, AFailedQueryOrStatementIsShownAndLeavesTheTable) {
    StoreMaker("M1", "");
    StoreMaker("M2", "V1", 1);
    StoreMaterials(kLinkedOfM1);
    EXPECT_EQ(CPrixelMaker("M'1", "ACM", "20130415").FindMaker(), 2);
    Faulty().FailWhenContains("INSERT INTO Fabricant", dao::kReadOnly, "Base en lecture seule.");
    CPrixelMaker("M3", "ACM", "20130415").AddIfMissing();
    Faulty().FailWhenContains("UPDATE Fabricant", dao::kReadOnly, "Base en lecture seule.");
    FromLine("M2\tACM\tAcme\t15/04/2013\tV2\t\t\t")->MarkUpdated();
    EXPECT_THROW(FromLine(kLine)->CheckUpToDate(), CDaoException);
    Faulty().FailWhenContains("FROM Fabricant", dao::kLocked, text::FromUtf8("Table verrouillée."));
    CPrixelMaker maker("M2", "ACM", "20130415");
    EXPECT_EQ(maker.CountMakers(), 0);
    EXPECT_EQ(maker.FindMaker(), 2);
    EXPECT_TRUE(maker.CheckUpToDate());

    EXPECT_EQ(Messages(),
              (Strings{"La valeur \"M'1\" contient une apostrophe : la requête a été refusée.",
                       "Base en lecture seule.", "Base en lecture seule.", "Table verrouillée.",
                       "Table verrouillée.", "Table verrouillée."}));
    m_driver.reset();
    EXPECT_EQ(Rows("SELECT Id FROM Fabricant ORDER BY Id"), (Strings{"M1", "M2"}));
    EXPECT_EQ(Maker("M1") + " " + Maker("M2"),
              "OLD|Ancien nom|2010-01-02||0 OLD|Ancien nom|2010-01-02|V1|1");
}

// A maker without linked material is up to date and loses its row. Another version counts all
// linked materials, an empty one takes the line's and counts those not at its date; a full update
// counts all until the maker is marked. Another maker's materials are never counted; a maker the
// library does not know is the service's every check.
TEST_F(PrixelMakerTest, OutdatedMaterialsFollowTheLinksTheVersionAndTheFullUpdateFlag) {
    const struct {
        const char* version;
        const char* line;
        Strings outdated;
        const char* row;
    } cases[] = {{"V2", kLine, {}, ""},
                 {"", kLine, {"R2"}, "OLD|Acme|2010-01-02|V2|0"},
                 {"V1", kLine, {"R1", "R2"}, "OLD|Ancien nom|2010-01-02|V1|0"},
                 {"V2", kFullUpdateLine, {"R1", "R2"}, "OLD|Ancien nom|2010-01-02|V2|1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        m_library.Execute("DELETE FROM Fabricant; DELETE FROM BXMX");
        StoreMaker("M1", c.version);
        StoreMaterials(
            std::string(c.outdated.empty() ? "('R1', 'M1', 0, '2010-01-02')" : kLinkedOfM1) +
            ", ('R3', 'M2', 1, '2010-01-02')");
        auto maker = FromLine(c.line);
        EXPECT_EQ(maker->CheckUpToDate(), c.outdated.empty());
        EXPECT_EQ(OutdatedRefs(*maker), c.outdated);
        EXPECT_EQ(Maker("M1"), c.row);
    }
    auto later = FromLine(kLine);
    EXPECT_FALSE(later->CheckUpToDate());
    EXPECT_EQ(later->GetOutdatedCount(), 2) << "the flag is kept until the maker is marked";
    later->MarkUpdated();
    EXPECT_FALSE(later->CheckUpToDate());
    EXPECT_EQ(OutdatedRefs(*later), Strings{"R2"});
}

}  // namespace
