#include "import/family.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "host/company_fixture.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/db/dao.h"
#include "platform/db/faulty_driver.h"
#include "platform/db/query.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/ui/headless/headless_backend.h"

namespace {

struct FamilyRow {
    int type;
    std::string parent;
    int rank;
    std::string code;
    std::string label;
    std::string key;
};

class FamilyTest : public HostCompanyFixture {
  protected:
    // The codes drawn are the same whichever tests run before.
    void SetUp() override {
        HostCompanyFixture::SetUp();
        sys::SeedRand(1);
    }

    // The Famille rows in the order they were written.
    std::vector<FamilyRow> Rows() {
        CDaoDatabase library;
        library.Open(LibraryFile());
        CBibFamSet families(&library);
        std::vector<FamilyRow> rows;
        for (families.Open(); !families.IsEOF(); families.MoveNext()) {
            rows.push_back({families.m_nType, families.m_strParent, families.m_nRang,
                            families.m_strCode, families.m_strLibelle, families.m_strCodePrixel});
        }
        return rows;
    }

    void AddRow(int type, const std::string& code, int rank, const std::string& key) {
        CDaoDatabase library;
        library.Open(LibraryFile());
        library.Execute(
            db::FormatQuery("INSERT INTO Famille (Type, Parent, Rang, Code, Libelle, "
                            "CodePrixel) VALUES (%d, '@', %d, '%s', 'Murs', '%s')",
                            type, rank, code, key));
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const ui::MessageBoxRecord& box : m_backend->MessageBoxes()) {
            texts.push_back(text::ToUtf8(box.text));
        }
        return texts;
    }

    static std::string LibraryFile() {
        return GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb";
    }

    // The codes MakeChildCode draws from parent after seeding the generator with seed.
    static std::vector<std::string> CodesDrawn(unsigned seed, const std::string& parent, int n) {
        sys::SeedRand(seed);
        CFamilyPath drawer;
        std::vector<std::string> codes;
        for (int i = 0; i < n; ++i) codes.push_back(drawer.MakeChildCode(parent));
        return codes;
    }

    ui::VirtualClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    ui::ScopedBackend m_scoped{m_backend};
};

std::string Keys(int count) {
    std::string keys;
    for (int i = 1; i <= count; ++i) keys += (i > 1 ? "|K" : "K") + std::to_string(i);
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
        EXPECT_EQ(rows[i].type, PRIXEL_FAMILY_MATERIALS);
        EXPECT_EQ(rows[i].rank, 1);
    }
    for (char c : rows[2].code.substr(1)) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)));
    EXPECT_EQ(path.GetCode(), rows[2].code);
    EXPECT_EQ(path.GetLabel(), "Blindées");

    CFamilyPath again(PRIXEL_FAMILY_MATERIALS, "ACME", "F1|F2", "");
    again.EnsureFamily();
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(again.GetCode(), path.GetCode());
    EXPECT_TRUE(Messages().empty());
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

    CFamilyPath maker(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
    maker.EnsureFamily();
    EXPECT_EQ(maker.GetCode().size(), 3u);
    EXPECT_EQ(maker.GetLabel(), "ACME");

    CFamilyPath unnamed;
    unnamed.EnsureFamily();
    EXPECT_EQ(Rows().back().type, 0);
    EXPECT_EQ(Rows().back().key, ".");
    EXPECT_EQ(unnamed.GetCode(), Rows().back().code);
}

TEST_F(FamilyTest, AFamilyBelowTheTenthLevelIsNotCreated) {
    CFamilyPath deep(PRIXEL_FAMILY_WORKS, "N", Keys(9), "");
    deep.EnsureFamily();
    ASSERT_EQ(deep.GetCode().size(), 21u);
    const std::string tenth = Rows().back().key;

    CWorkFamily child(PRIXEL_FAMILY_WORKS, "DEEP|x|" + tenth + "|Trop profond||||");
    child.EnsureFamily();
    EXPECT_EQ(Rows().size(), 10u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FamilyTest, AFamilyIsRankedAfterTheLastSiblingTheQueryReturns) {
    CTradeFamily first(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||");
    first.EnsureFamily();
    AddRow(PRIXEL_FAMILY_WORKS, "@zz", 7, "T7");
    AddRow(PRIXEL_FAMILY_MATERIALS, "@yy", 30, "M1");
    CTradeFamily next(PRIXEL_FAMILY_WORKS, "T2|Plâtrerie|||||||");
    next.EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].rank, 1);
    EXPECT_EQ(rows[3].rank, 8);
    EXPECT_EQ(rows[3].label, "Plâtrerie");
    EXPECT_EQ(rows[3].parent, "@");
}

TEST_F(FamilyTest, ALabelIsStoredCutToSeventyCharacters) {
    const std::string label(90, 'e');
    CTradeFamily trade(PRIXEL_FAMILY_WORKS, "T1|" + label + "|||||||");
    trade.EnsureFamily();
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "M", "F", label);
    path.EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].label, std::string(70, 'e'));
    EXPECT_EQ(rows[2].label, std::string(70, 'e'));
}

TEST_F(FamilyTest, AWorkFamilyHangsUnderItsParentItsTradeOrTheRoot) {
    CTradeFamily(PRIXEL_FAMILY_WORKS, " T1 | Maçonnerie |a|b|c|d|e|f|g").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, " W1 | T1 | -1 | Murs |||| ").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W2|T1|W1|Murs porteurs||||").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W3|T1|NONE|Orphelin||||").EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].key, "T1");
    EXPECT_EQ(rows[0].label, "Maçonnerie");
    EXPECT_EQ(rows[1].key, "W1");
    EXPECT_EQ(rows[1].label, "Murs");
    EXPECT_EQ(rows[1].parent, rows[0].code);
    EXPECT_EQ(rows[2].parent, rows[1].code);
    EXPECT_EQ(rows[3].parent, "@");
    EXPECT_EQ(rows[3].code.size(), 3u);
}

TEST_F(FamilyTest, OnlyAMissingFamilyWithItsKeyAndLabelIsCreated) {
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W1|T1|-1|Murs|||").EnsureFamily();
    CWorkFamily(PRIXEL_FAMILY_WORKS, "W1|T1|-1|Murs|||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie||||||").EnsureFamily();
    CTradeFamily(PRIXEL_FAMILY_WORKS, "").EnsureFamily();
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

    CChildFamilyEntry found(PRIXEL_FAMILY_WORKS, "W1", "donné");
    EXPECT_EQ(found.LookupCode(), "@Ab");
    EXPECT_EQ(found.GetLabel(), "Murs");

    CChildFamilyEntry unknown(PRIXEL_FAMILY_WORKS, "W9", "donné");
    EXPECT_EQ(unknown.LookupCode(), "@");
    EXPECT_EQ(unknown.GetLabel(), "donné");

    CChildFamilyEntry empty(PRIXEL_FAMILY_WORKS, "", "donné");
    EXPECT_EQ(empty.LookupCode(), "@");
    EXPECT_EQ(empty.GetLabel(), "donné");

    CChildFamilyEntry otherType(PRIXEL_FAMILY_MATERIALS, "W1", "donné");
    EXPECT_EQ(otherType.LookupCode(), "@");
}

TEST_F(FamilyTest, ATakenCodeIsDrawnAgainAndTheFamilyStored) {
    const std::vector<std::string> drawn = CodesDrawn(11, "@", 3);
    AddRow(PRIXEL_FAMILY_MATERIALS, drawn[0], 1, "X1");
    AddRow(PRIXEL_FAMILY_MATERIALS, drawn[1], 2, "X2");

    sys::SeedRand(11);
    CTradeFamily trade(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||");
    trade.EnsureFamily();

    const std::vector<FamilyRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].code, drawn[2]);
    EXPECT_EQ(rows[2].key, "T1");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FamilyTest, TwelveRefusedCodesGiveUpWithTheDatabaseMessage) {
    const std::string refusal = text::FromUtf8("Valeur en double dans l'index Code.");
    const std::vector<std::string> drawn = CodesDrawn(5, "@", 13);
    // Both forms of the duplicate error are retried.
    for (long code : {dao::kDuplicateKey, 0x800A0000L | dao::kDuplicateKey}) {
        auto faulty = std::make_shared<dbtest::FaultyDriver>();
        dbtest::ScopedDriver scoped(faulty);
        faulty->FailWhenContains("INSERT INTO Famille", code, refusal);
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
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO Famille", dao::kLocked, text::FromUtf8(locked));

    const std::vector<std::string> drawn = CodesDrawn(3, "@", 2);
    sys::SeedRand(3);
    CTradeFamily trade(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||");
    trade.EnsureFamily();
    EXPECT_EQ(trade.MakeChildCode("@"), drawn[1]) << "no second attempt";

    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "F1", "Portes");
    path.EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());

    faulty->Heal();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>(2, locked));
}

TEST_F(FamilyTest, AFailedQueryShowsTheDatabaseMessageAndCreatesNothing) {
    const std::string broken = "Erreur de lecture de la table Famille.";
    AddRow(PRIXEL_FAMILY_WORKS, "@Ab", 1, "W1");
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("CodePrixel", dao::kGeneralFailure, text::FromUtf8(broken));

    CChildFamilyEntry lookup(PRIXEL_FAMILY_WORKS, "W1", "donné");
    EXPECT_EQ(lookup.LookupCode(), "@");
    EXPECT_EQ(lookup.GetLabel(), "donné");
    CChildFamilyEntry child(PRIXEL_FAMILY_WORKS, "W2", "Murs porteurs");
    child.EnsureFamily();
    CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
    path.EnsureFamily();
    EXPECT_TRUE(path.GetCode().empty());

    faulty->FailWhenContains("[Parent]", dao::kGeneralFailure, text::FromUtf8(broken));
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Maçonnerie|||||||").EnsureFamily();

    faulty->Heal();
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
    const char* refused = "\" contient une apostrophe : la requête a été refusée.";
    EXPECT_EQ(Messages(), (std::vector<std::string>{std::string("La valeur \"ACME.L'F.") + refused,
                                                    std::string("La valeur \"T'1") + refused,
                                                    std::string("La valeur \"P'1") + refused}));
}

TEST_F(FamilyTest, AnUnopenedLibraryShowsTheDatabaseMessageAndCreatesNothing) {
    {
        auto faulty = std::make_shared<dbtest::FaultyDriver>();
        dbtest::ScopedDriver scoped(faulty);
        faulty->FailOpen(dao::kFileNotFound, text::FromUtf8("Fichier Bib.mdb introuvable."));
        CFamilyPath path(PRIXEL_FAMILY_MATERIALS, "ACME", "", "");
        path.EnsureFamily();
        EXPECT_TRUE(path.GetCode().empty());
    }
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"La base de données n'est pas ouverte."});
}

}  // namespace
