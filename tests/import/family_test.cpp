#include "import/family.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "import/article_fixture.h"
#include "platform/db/query.h"
#include "platform/system.h"

namespace {

struct FamilyRow {
    int type;
    std::string parent;
    int rank;
    std::string code;
    std::string label;
    std::string key;
};

const std::string kQuoteRefused = "\" contient une apostrophe : la requête a été refusée.";

class FamilyTest : public ArticleImportTest {
  protected:
    // The codes drawn are the same whichever tests run before.
    void SetUp() override {
        ArticleImportTest::SetUp();
        sys::SeedRand(1);
    }

    // The Famille rows in the order they were written.
    std::vector<FamilyRow> Rows() {
        CBibFamSet families(&m_library);
        std::vector<FamilyRow> rows;
        for (families.Open(); !families.IsEOF(); families.MoveNext()) {
            rows.push_back({families.m_nType, families.m_strParent, families.m_nRang,
                            families.m_strCode, families.m_strLibelle, families.m_strCodePrixel});
        }
        return rows;
    }

    void AddRow(int type, const std::string& code, int rank, const std::string& key) {
        m_library.Execute(
            db::FormatQuery("INSERT INTO Famille (Type, Parent, Rang, Code, Libelle, "
                            "CodePrixel) VALUES (%d, '@', %d, '%s', 'Murs', '%s')",
                            type, rank, code, key));
    }

    // The codes MakeChildCode draws from parent after seeding the generator with seed.
    static std::vector<std::string> CodesDrawn(unsigned seed, const std::string& parent, int n) {
        sys::SeedRand(seed);
        CFamilyPath drawer;
        std::vector<std::string> codes;
        for (int i = 0; i < n; ++i) codes.push_back(drawer.MakeChildCode(parent));
        return codes;
    }
};

std::string Keys(int count) {
    std::string keys = "K1";
    for (int i = 2; i <= count; ++i) keys += "|K" + std::to_string(i);
    return keys;
}

TEST_F(FamilyTest, APathCreatesEachLevelUnderThePreviousWithCumulatedKeys) {
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", " F1 | F2 ", " Portes | Blindées ");
    path.EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> parents{"@", rows[0].code, rows[1].code};
    const std::vector<std::string> keys{"ACME.", "ACME.F1.", "ACME.F1.F2."};
    const std::vector<std::string> labels{"ACME", "Portes", "Blindées"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].parent, parents[i]);
        EXPECT_EQ(rows[i].code.size(), 3 + 2 * i);
        EXPECT_EQ(rows[i].key, keys[i]);
        EXPECT_EQ(rows[i].label, labels[i]);
    }
    EXPECT_TRUE(std::all_of(rows[2].code.begin() + 1, rows[2].code.end(),
                            [](unsigned char c) { return std::isalnum(c); }));
    EXPECT_EQ(path.GetCode(), rows[2].code);
    EXPECT_EQ(path.GetLabel(), "Blindées");

    CFamilyPath again(PRIXEL_FAMILY_MATERIALS, "ACME", "F1|F2", "");
    again.EnsureFamily();
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(again.GetCode(), path.GetCode());
}

TEST_F(FamilyTest, ThePathEndsAtTheFirstEmptyKeyAndHoldsTenLevelsAtMost) {
    CFamilyPath gap(PRIXEL_FAMILY_MATERIALS, "M", "F1|F2||F4", "L1|L2|L3|L4");
    gap.EnsureFamily();
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(gap.GetLabel(), "L2");

    CFamilyPath deep(PRIXEL_FAMILY_MATERIALS, "N", Keys(12), "");
    deep.EnsureFamily();
    EXPECT_EQ(Rows().size(), 13u);
    EXPECT_EQ(deep.GetCode().size(), 21u);
    EXPECT_EQ(deep.GetLabel(), "") << "a missing label field gives an empty label";

    // No family is made below the tenth level.
    CWorkFamily(PRIXEL_FAMILY_MATERIALS, "DEEP|x|" + Rows().back().key + "|Trop profond||||")
        .EnsureFamily();
    EXPECT_EQ(Rows().size(), 13u);
}

TEST_F(FamilyTest, AFamilyIsRankedAfterTheLastSiblingAndItsLabelCutToSeventy) {
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||").EnsureFamily();
    AddRow(PRIXEL_FAMILY_WORKS, "@zz", 7, "T7");
    AddRow(PRIXEL_FAMILY_MATERIALS, "@yy", 30, "M1");
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T2|" + std::string(90, 'e') + "|||||||").EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].rank, 1);
    EXPECT_EQ(rows[3].rank, 8);
    EXPECT_EQ(rows[3].label, std::string(70, 'e'));
}

TEST_F(FamilyTest, AWorkFamilyHangsUnderItsParentItsTradeOrTheRoot) {
    CTradeFamily(PRIXEL_FAMILY_WORKS, " T1 | Maçonnerie |a|b|c|d|e|f|g").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, " W1 | T1 | -1 | Murs |||| ").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W2|T1|W1|Murs porteurs||||").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W3|T1|NONE|Orphelin||||").EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].key + rows[0].label, "T1Maçonnerie");
    EXPECT_EQ(rows[1].key + rows[1].label, "W1Murs");
    EXPECT_EQ(rows[1].parent, rows[0].code);
    EXPECT_EQ(rows[2].parent, rows[1].code);
    EXPECT_EQ(rows[3].parent, "@");
}

TEST_F(FamilyTest, OnlyAMissingFamilyWithItsKeyAndLabelIsCreated) {
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W1|T1|-1|Murs|||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie||||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, " |Sans clé|||||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1| |||||||").EnsureFamily();
    CChildFamilyEntry(PRIXEL_FAMILY_WORKS, "W1", "").EnsureFamily();
    EXPECT_TRUE(Rows().empty());

    CChildFamilyEntry(PRIXEL_FAMILY_WORKS, "W1", "Murs").EnsureFamily();
    CChildFamilyEntry(PRIXEL_FAMILY_WORKS, "W1", "Murs encore").EnsureFamily();
    CChildFamilyEntry(PRIXEL_FAMILY_MATERIALS, "W1", "Autre type").EnsureFamily();
    EXPECT_EQ(Rows().size(), 2u) << "one family per type and key";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FamilyTest, LookupCodeGivesTheFamilyAndItsLabelOrTheRoot) {
    AddRow(PRIXEL_FAMILY_WORKS, "@Ab", 1, "W1");
    const auto lookup = [](int type, const char* key) {
        CChildFamilyEntry entry(type, key, "donné");
        const std::string code = entry.LookupCode();
        return code + " " + entry.GetLabel();
    };
    EXPECT_EQ(lookup(PRIXEL_FAMILY_WORKS, "W1"), "@Ab Murs");
    EXPECT_EQ(lookup(PRIXEL_FAMILY_WORKS, "W9"), "@ donné");
    EXPECT_EQ(lookup(PRIXEL_FAMILY_WORKS, ""), "@ donné");
    EXPECT_EQ(lookup(PRIXEL_FAMILY_MATERIALS, "W1"), "@ donné") << "another type";
}

TEST_F(FamilyTest, ATakenCodeIsDrawnAgainAndTheFamilyStored) {
    const std::vector<std::string> drawn = CodesDrawn(11, "@", 3);
    AddRow(PRIXEL_FAMILY_MATERIALS, drawn[0], 1, "X1");
    AddRow(PRIXEL_FAMILY_MATERIALS, drawn[1], 2, "X2");

    sys::SeedRand(11);
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||").EnsureFamily();
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[2].code, drawn[2]);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FamilyTest, TwelveRefusedCodesGiveUpWithTheDatabaseMessage) {
    const std::vector<std::string> drawn = CodesDrawn(5, "@", 13);
    // Both forms of the duplicate error are retried.
    for (long code : {dao::kDuplicateKey, 0x800A0000L | dao::kDuplicateKey}) {
        Faulty().FailWhenContains("INSERT INTO Famille", code,
                                  text::FromUtf8("Valeur en double dans l'index Code."));
        sys::SeedRand(5);
        CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
        path.EnsureFamily();

        EXPECT_EQ(path.MakeChildCode("@"), drawn[12]) << "twelve codes drawn";
        EXPECT_TRUE(path.GetCode().empty());
    }
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "Valeur en double dans l'index Code."));
}

TEST_F(FamilyTest, ALockedLibraryShowsTheDatabaseMessageAndCreatesNothing) {
    const std::string locked = "Le fichier Bib.mdb est verrouillé par un autre utilisateur.";
    Faulty().FailWhenContains("INSERT INTO Famille", dao::kLocked, text::FromUtf8(locked));

    const std::vector<std::string> drawn = CodesDrawn(3, "@", 2);
    sys::SeedRand(3);
    CTradeFamily trade(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||");
    trade.EnsureFamily();
    EXPECT_EQ(trade.MakeChildCode("@"), drawn[1]) << "no second attempt";

    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "F1", "Portes");
    path.EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>(2, locked));
}

TEST_F(FamilyTest, AFailedQueryShowsTheDatabaseMessageAndCreatesNothing) {
    const std::string broken = "Erreur de lecture de la table Famille.";
    AddRow(PRIXEL_FAMILY_WORKS, "@Ab", 1, "W1");
    dbtest::FaultyDriver& faulty = Faulty();
    faulty.FailWhenContains("CodePrixel", dao::kGeneralFailure, text::FromUtf8(broken));

    CChildFamilyEntry lookup(PRIXEL_FAMILY_WORKS, "W1", "donné");
    EXPECT_EQ(lookup.LookupCode(), "@");
    EXPECT_EQ(lookup.GetLabel(), "donné");
    CChildFamilyEntry(PRIXEL_FAMILY_WORKS, "W2", "Murs porteurs").EnsureFamily();
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
    path.EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());

    faulty.FailWhenContains("[Parent]", dao::kGeneralFailure, text::FromUtf8(broken));
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||").EnsureFamily();
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Messages(), std::vector<std::string>(4, broken));
}

TEST_F(FamilyTest, AKeyHoldingAQuoteShowsTheQueryMessageAndCreatesNothing) {
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "L'F", "Portes");
    path.EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T'1|Maçonnerie|||||||").EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());
    ASSERT_EQ(Rows().size(), 1u) << "the maker's level is made before the broken one";

    CWorkFamily(PRIXEL_FAMILY_WORKS, "W1|T1|P'1|Murs||||").EnsureFamily();
    EXPECT_EQ(Rows().back().parent, "@") << "a parent that cannot be looked up is the root";
    EXPECT_EQ(Messages(), (std::vector<std::string>{"La valeur \"ACME.L'F." + kQuoteRefused,
                                                    "La valeur \"T'1" + kQuoteRefused,
                                                    "La valeur \"P'1" + kQuoteRefused}));
}

TEST_F(FamilyTest, AnUnopenedLibraryShowsTheDatabaseMessageAndCreatesNothing) {
    Faulty().FailOpen(dao::kFileNotFound, text::FromUtf8("Fichier Bib.mdb introuvable."));
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
    path.EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"La base de données n'est pas ouverte."});
}

}  // namespace
