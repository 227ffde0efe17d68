#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "import/article_fixture.h"
#include "import/etude_mx_element.h"
#include "platform/db/faulty_driver.h"
#include "platform/system.h"

namespace {

class EtudeMxElementTest : public ArticleImportTest {
  protected:
    void StoreStudyLine(const std::string& code, short number, bool linked) {
        CEtudeXmxSet rows(&m_study);
        rows.Open();
        rows.AddNew();
        rows.m_nType = PRIXEL_TYPE_MATERIAL;
        rows.m_strCode = code;
        rows.m_nNumCode = number;
        rows.m_strLibelle = "Saisi";
        rows.m_dPrixTarif = 50;
        rows.m_dCoefFG = 1.4;
        rows.m_bPrixelCheck = linked;
        rows.m_dtPrixelDate = COleDateTime(2012, 1, 1);
        rows.m_strPrixelFabricantID = "M1";
        rows.m_strPrefixeFabricant = "ACM";
        rows.m_strReference = "R100";
        rows.Update();
    }
    // The rows of a study table, each standing in its own recordset.
    std::vector<std::unique_ptr<CEtudeXmxSet>> StudyRows(const std::string& table) {
        std::vector<std::unique_ptr<CEtudeXmxSet>> rows;
        CEtudeXmxSet all(&m_study);
        all.Open(table);
        for (long i = 0; !all.IsEOF(); all.MoveNext(), ++i) {
            auto row = std::make_unique<CEtudeXmxSet>(&m_study);
            row->Open(table);
            for (long j = 0; j < i; ++j) row->MoveNext();
            rows.push_back(std::move(row));
        }
        return rows;
    }
    long LibraryRows() {
        long count = 0;
        for (const char* table : {"BXMX", "Fabricant", "Catalogue", "Famille"}) {
            CDaoRecordset rows(&m_library);
            rows.Open(table);
            for (; !rows.IsEOF(); rows.MoveNext()) ++count;
        }
        return count;
    }
    bool Add(const std::string& line) { return CPrixelEtudeMxElement(line).AddRecord(); }
};

TEST_F(EtudeMxElementTest, NewStudyRowCarriesDefaultsAndTheFixedPriceEachTime) {
    const std::string line = Line({{CPrixelElement::FixedPriceFlag, "O"}});
    EXPECT_TRUE(Add(line));
    const auto rows = StudyRows("EXmxPrixel");
    ASSERT_EQ(rows.size(), 1u);
    const CEtudeXmxSet& row = *rows[0];
    EXPECT_EQ(row.m_nType, PRIXEL_TYPE_MATERIAL);
    EXPECT_EQ(row.m_strCode, "ACMR100");
    EXPECT_GE(row.m_nNumCode, 0);
    EXPECT_EQ(row.m_strLibelle, "Robinet");
    EXPECT_EQ(AsText(row.m_NoteLibelle), RtfBytes("Robinet"));
    EXPECT_EQ(AsText(row.m_NoteTechnique), RtfBytes(CPrixelEtudeMxElement(line).TechnicalNote()));
    EXPECT_DOUBLE_EQ(row.m_dCoefFG, 1.2);
    EXPECT_DOUBLE_EQ(row.m_dPrixRevient, 120);
    EXPECT_TRUE(row.m_bPVImpose);
    EXPECT_DOUBLE_EQ(row.m_dPrixVente, 100);
    EXPECT_DOUBLE_EQ(row.m_dValeur2, 2.5);
    EXPECT_TRUE(row.m_bPrixelCheck);
    EXPECT_EQ(row.m_dtPrixelDate, COleDateTime(2013, 4, 15));
    EXPECT_EQ(row.m_strPrixelFabricantID, "M1");
    EXPECT_EQ(row.m_strReference, "R100");
    EXPECT_TRUE(StudyRows("EXMX").empty());
    EXPECT_EQ(LibraryRows(), 0);

    EXPECT_TRUE(Add(line));
    EXPECT_EQ(StudyRows("EXmxPrixel").size(), 2u);
}

TEST_F(EtudeMxElementTest, LineNumbersTakenInTheStudyAreDrawnAgain) {
    sys::SeedRand(7);
    const short first = static_cast<short>(sys::Rand() % 32768);
    const short second = static_cast<short>(sys::Rand() % 32768);
    const std::set<int> taken = {1, 2, first, second};
    int expected = sys::Rand() % 32768;
    while (taken.count(expected)) expected = sys::Rand() % 32768;
    for (const int number : taken) StoreStudyLine("ACMR100", static_cast<short>(number), false);

    sys::SeedRand(7);
    EXPECT_TRUE(Add(Line()));
    const auto rows = StudyRows("EXmxPrixel");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]->m_nNumCode, expected);
}

TEST_F(EtudeMxElementTest, ArticleUsingEveryLineNumberIsRefused) {
    m_study.Execute(
        "INSERT INTO EXMX (Type, Code, [Num Code]) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
        "SELECT i + 1 FROM n WHERE i < 32767) SELECT 10001, 'ACMR100', i FROM n");
    EXPECT_FALSE(Add(Line()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "L'élément ACMR100 n'a pu être ajouté à l'étude : ses 32768 numéros de ligne sont "
              "déjà pris.\n");
    EXPECT_TRUE(StudyRows("EXmxPrixel").empty());
}

TEST_F(EtudeMxElementTest, WithdrawnArticleUnlinksEveryStudyLine) {
    StoreStudyLine("ACMR100", 1, true);
    StoreStudyLine("ACMR100", 2, true);
    StoreStudyLine("ACMR2", 1, true);
    EXPECT_FALSE(Add(Line({{CPrixelElement::Label, "Cet article n'existe plus. "}})));
    const auto rows = StudyRows("EXMX");
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(rows[i]->m_bPrixelCheck);
        EXPECT_TRUE(rows[i]->m_dtPrixelDate.IsZero());
        EXPECT_EQ(rows[i]->m_strPrixelFabricantID, "");
        EXPECT_EQ(rows[i]->m_strPrefixeFabricant, "");
        EXPECT_EQ(rows[i]->m_strReference, "");
    }
    EXPECT_TRUE(rows[2]->m_bPrixelCheck);
    EXPECT_TRUE(StudyRows("EXmxPrixel").empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EtudeMxElementTest, ProcessUpdatesALinkedStudyLineOrAddsTheArticle) {
    StoreStudyLine("ACMR100", 1, true);
    CPrixelEtudeMxElement linked(Line());
    EXPECT_TRUE(linked.Process());
    auto rows = StudyRows("EXMX");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(rows[0]->m_dPrixTarif, 100);
    EXPECT_DOUBLE_EQ(rows[0]->m_dCoefFG, 1.4);
    EXPECT_EQ(rows[0]->m_strLibelle, "Robinet");
    EXPECT_EQ(rows[0]->m_dtPrixelDate, COleDateTime(2013, 4, 15));

    CPrixelEtudeMxElement unlinked(Line({{CPrixelElement::Reference, "R2"}}));
    StoreStudyLine("ACMR2", 1, false);
    EXPECT_FALSE(unlinked.Process());
    CPrixelEtudeMxElement missing(Line({{CPrixelElement::Reference, "R3"}}));
    EXPECT_TRUE(missing.Process());
    rows = StudyRows("EXmxPrixel");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]->m_strCode, "ACMR3");
}

TEST_F(EtudeMxElementTest, QuoteInTheCodeAddsNothing) {
    EXPECT_FALSE(Add(Line({{CPrixelElement::Reference, "R'1"}})));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "La valeur \"ACMR'1\" contient une apostrophe : la requête a été refusée.");
    EXPECT_TRUE(StudyRows("EXmxPrixel").empty());
}

TEST_F(EtudeMxElementTest, LockedStudyFailsTheArticleWithItsMessage) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO EXmxPrixel", dao::kLocked,
                             text::FromUtf8("Étude verrouillée."));
    EXPECT_FALSE(Add(Line()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Étude verrouillée.");
    faulty->Heal();
    EXPECT_TRUE(StudyRows("EXmxPrixel").empty());
}

}  // namespace
