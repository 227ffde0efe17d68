#include "import/family.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/article_fixture.h"
#include "platform/db/query.h"
#include "platform/system.h"

namespace {

class FamilyTest : public ArticleImportTest {
  protected:
    // The codes drawn are the same whichever tests run before.
    void SetUp() override {
        ArticleImportTest::SetUp();
        sys::SeedRand(1);
    }

    // The Famille rows in the order they were written, as key|label|parent's key ("@": the
    // root)|rank|length of the code.
    Strings Families() {
        return Rows(
            "SELECT f.CodePrixel, f.Libelle, ifnull(p.CodePrixel, f.Parent), f.Rang, "
            "length(f.Code) FROM Famille f LEFT JOIN Famille p ON p.Code = f.Parent "
            "ORDER BY f.rowid");
    }
    void AddRow(int type, const std::string& code, int rank, const std::string& key) {
        m_library.Execute(
            db::FormatQuery("INSERT INTO Famille (Type, Parent, Rang, Code, Libelle, "
                            "CodePrixel) VALUES (%d, '@', %d, '%s', 'Murs', '%s')",
                            type, rank, code, key));
    }
    // The codes MakeChildCode draws from the root after seeding the generator with seed.
    static Strings CodesDrawn(unsigned seed, int n) {
        sys::SeedRand(seed);
        CFamilyPath drawer;
        Strings codes;
        for (int i = 0; i < n; ++i) codes.push_back(drawer.MakeChildCode("@"));
        return codes;
    }
};

TEST_F(FamilyTest, APathMakesEachMissingLevelUpToTheFirstEmptyKeyAndTenLevelsAtMost) {
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", " F1 | F2 ",
                     text::FromUtf8(" Portes | Blindées "));
    path.EnsureFamily();
    CFamilyPath again(PRIXEL_FAMILY_MATERIALS, "ACME", "F1|F2", "");
    again.EnsureFamily();
    CFamilyPath gap(PRIXEL_FAMILY_MATERIALS, "ACME", "F1|G2||F4", "L1|L2|L3|L4");
    gap.EnsureFamily();
    EXPECT_EQ(Families(),
              (Strings{"ACME.|ACME|@|1|3", "ACME.F1.|Portes|ACME.|1|5",
                       "ACME.F1.F2.|Blindées|ACME.F1.|1|7", "ACME.F1.G2.|L2|ACME.F1.|2|7"}));
    EXPECT_EQ(again.GetCode(), path.GetCode());
    EXPECT_EQ(Utf8(path.GetLabel() + gap.GetLabel()), "BlindéesL2");

    CFamilyPath deep(PRIXEL_FAMILY_MATERIALS, "N", "K1|K2|K3|K4|K5|K6|K7|K8|K9|K10|K11", "");
    deep.EnsureFamily();
    EXPECT_EQ(deep.GetCode().size(), 21u);
    // What a read ahead asks the library for is what the path looks up.
    EXPECT_EQ(CFamilyPath::LevelKeys("ACME", " F1 |G2||F4"), gap.LevelKeys());
    EXPECT_EQ(CFamilyPath::LevelKeys("N", "K1|K2|K3|K4|K5|K6|K7|K8|K9|K10|K11"), deep.LevelKeys());
    EXPECT_EQ(deep.GetLabel(), "") << "a missing label field gives an empty label";
    CWorkFamily(PRIXEL_FAMILY_MATERIALS, "DEEP|x|N.K1.K2.K3.K4.K5.K6.K7.K8.K9.|Profond||||")
        .EnsureFamily();
    EXPECT_EQ(Count(m_library, "Famille"), 14) << "ten levels of N, none below";
}

// A work family hangs under its parent, its trade ("-1") or the root; a line of the wrong field
// count, without key or label, or of a family already there makes none.
TEST_F(FamilyTest, TradesAndWorkFamiliesAreMadeOnceRankedAfterTheirLastSibling) {
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W1|T1|-1|Murs|||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie||||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, " |Sans clé|||||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, text::FromUtf8(" T1 | Maçonnerie |a|b|c|d|e|f|g"))
        .EnsureFamily();
    AddRow(PRIXEL_FAMILY_WORKS, "@zz", 7, "T7");
    AddRow(PRIXEL_FAMILY_MATERIALS, "@yy", 30, "M1");
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T2|Enduits|||||||").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, " W1 | T1 | -1 | Murs |||| ").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W2|T1|W1|Murs porteurs||||").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W3|T1|NONE|Orphelin||||").EnsureFamily();
    CChildFamilyEntry(PRIXEL_FAMILY_WORKS, "W1", "Murs encore").EnsureFamily();
    CChildFamilyEntry(PRIXEL_FAMILY_MATERIALS, "W1", "Autre type").EnsureFamily();

    EXPECT_EQ(Families(), (Strings{"T1|Maçonnerie|@|1|3", "T7|Murs|@|7|3", "M1|Murs|@|30|3",
                                   "T2|Enduits|@|8|3", "W1|Murs|T1|1|5", "W2|Murs porteurs|W1|1|7",
                                   "W3|Orphelin|@|9|3", "W1|Autre type|@|31|3"}));
    EXPECT_TRUE(Messages().empty());
}

// A refused code is drawn again twelve times at most (both forms of the duplicate error); any
// other failure stops at once. Each is shown as the database tells it, and nothing is made.
TEST_F(FamilyTest, AFailureShowsTheDatabaseMessageAndMakesNoFamily) {
    const struct {
        const char* piece;  // none: the library cannot be opened
        long code;
        const char* message;
        int draws;
    } cases[] = {
        {"INSERT INTO Famille", dao::kDuplicateKey, "Valeur en double dans l'index Code.", 12},
        {"INSERT INTO Famille", 0x800A0000L | dao::kDuplicateKey,
         "Valeur en double dans l'index Code.", 12},
        {"INSERT INTO Famille", dao::kLocked,
         "Le fichier Bib.mdb est verrouillé par un autre utilisateur.", 1},
        {nullptr, dao::kFileNotFound, "La base de données n'est pas ouverte.", 0},
    };
    const Strings drawn = CodesDrawn(5, 13);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.piece ? c.piece : "open");
        if (c.piece) {
            Faulty().FailWhenContains(c.piece, c.code, text::FromUtf8(c.message));
        } else {
            Faulty().FailOpen(c.code);
        }
        sys::SeedRand(5);
        CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "F1", "Portes");
        path.EnsureFamily();
        EXPECT_TRUE(path.GetCode().empty());
        EXPECT_EQ(path.MakeChildCode("@"), drawn[c.draws]);
        EXPECT_EQ(Messages().back(), c.message);
    }
    EXPECT_EQ(Messages().size(), std::size(cases));
    EXPECT_EQ(Count(m_library, "Famille"), 0);
}

}  // namespace
