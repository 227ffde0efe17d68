#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "import/article_fixture.h"
#include "import/etude_mx_element.h"
#include "platform/db/query.h"
#include "platform/system.h"

namespace {

class EtudeMxElementTest : public ArticleImportTest {
  protected:
    void StoreStudyLine(const std::string& code, short number, bool linked) {
        m_study.Execute(db::FormatQuery(
            "INSERT INTO EXMX (Type, Code, [Num Code], Libelle, PrixTarif, CoefFG, PrixelCheck, "
            "PrixelDate, PrixelFabricantID, PrefixeFabricant, Reference) VALUES (10001, '%s', %d, "
            "'Saisi', 50, 1.4, %d, '2012-01-01', 'M1', 'ACM', 'R100')",
            code, number, linked ? 1 : 0));
    }
    // The row of table holding code at line number, or an empty code when there is none.
    std::unique_ptr<CEtudeXmxSet> StudyRow(const char* table, const std::string& code,
                                           int number = -1) {
        auto row = std::make_unique<CEtudeXmxSet>(&m_study);
        row->Open(std::string("SELECT * FROM ") + table +
                  db::FormatQuery(" WHERE Code = '%s'", code) +
                  (number < 0 ? "" : " AND [Num Code] = " + std::to_string(number)));
        if (row->IsEOF()) row->m_strCode.clear();
        return row;
    }
    long LibraryRows() {
        return Count(m_library, "BXMX") + Count(m_library, "Fabricant") +
               Count(m_library, "Catalogue") + Count(m_library, "Famille");
    }
    bool Add(const std::string& line) { return CPrixelEtudeMxElement(line).AddRecord(); }
};

TEST_F(EtudeMxElementTest, NewStudyRowCarriesDefaultsAndTheFixedPriceEachTime) {
    const std::string line = Line({{CPrixelElement::FixedPriceFlag, "O"}});
    EXPECT_TRUE(Add(line));
    const auto row = StudyRow("EXmxPrixel", "ACMR100");
    ASSERT_EQ(row->m_strCode, "ACMR100");
    EXPECT_EQ(AsText(row->m_NoteLibelle), RtfBytes("Robinet"));
    EXPECT_EQ(AsText(row->m_NoteTechnique), RtfBytes(CPrixelEtudeMxElement(line).TechnicalNote()));
    EXPECT_DOUBLE_EQ(row->m_dPrixRevient, 120);
    EXPECT_TRUE(row->m_bPVImpose);
    EXPECT_DOUBLE_EQ(row->m_dPrixVente, 100);
    EXPECT_TRUE(row->m_bPrixelCheck);
    EXPECT_EQ(row->m_dtPrixelDate, COleDateTime(2013, 4, 15));
    EXPECT_EQ(Count(m_study, "EXMX") + LibraryRows(), 0);

    EXPECT_TRUE(Add(line));
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 2);
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
    EXPECT_EQ(StudyRow("EXmxPrixel", "ACMR100")->m_nNumCode, expected);
}

TEST_F(EtudeMxElementTest, ArticleUsingEveryLineNumberIsRefused) {
    m_study.Execute(
        "INSERT INTO EXMX (Type, Code, [Num Code]) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
        "SELECT i + 1 FROM n WHERE i < 32767) SELECT 10001, 'ACMR100', i FROM n");
    EXPECT_FALSE(Add(Line()));
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "L'élément ACMR100 n'a pu être ajouté à l'étude : ses 32768 numéros "
                              "de ligne sont déjà pris.\n"});
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 0);
}

TEST_F(EtudeMxElementTest, WithdrawnArticleUnlinksEveryStudyLine) {
    StoreStudyLine("ACMR100", 1, true);
    StoreStudyLine("ACMR100", 2, true);
    StoreStudyLine("ACMR2", 1, true);
    EXPECT_FALSE(Add(Line({{CPrixelElement::Label, "Cet article n'existe plus. "}})));
    for (int number : {1, 2}) {
        const auto row = StudyRow("EXMX", "ACMR100", number);
        EXPECT_FALSE(row->m_bPrixelCheck);
        EXPECT_TRUE(row->m_dtPrixelDate.IsZero());
        EXPECT_EQ(row->m_strPrixelFabricantID + row->m_strPrefixeFabricant + row->m_strReference,
                  "");
    }
    EXPECT_TRUE(StudyRow("EXMX", "ACMR2")->m_bPrixelCheck);
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EtudeMxElementTest, ProcessUpdatesALinkedStudyLineOrAddsTheArticle) {
    StoreStudyLine("ACMR100", 1, true);
    EXPECT_TRUE(CPrixelEtudeMxElement(Line()).Process());
    const auto row = StudyRow("EXMX", "ACMR100");
    EXPECT_DOUBLE_EQ(row->m_dPrixTarif, 100);
    EXPECT_DOUBLE_EQ(row->m_dCoefFG, 1.4);
    EXPECT_EQ(row->m_strLibelle, "Robinet");
    EXPECT_EQ(row->m_dtPrixelDate, COleDateTime(2013, 4, 15));

    StoreStudyLine("ACMR2", 1, false);
    EXPECT_FALSE(CPrixelEtudeMxElement(Line({{CPrixelElement::Reference, "R2"}})).Process());
    EXPECT_TRUE(CPrixelEtudeMxElement(Line({{CPrixelElement::Reference, "R3"}})).Process());
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 1);
    EXPECT_EQ(StudyRow("EXmxPrixel", "ACMR3")->m_strCode, "ACMR3");
}

TEST_F(EtudeMxElementTest, QuoteInTheCodeOrALockedStudyAddsNothing) {
    EXPECT_FALSE(Add(Line({{CPrixelElement::Reference, "R'1"}})));
    Faulty().FailWhenContains("INSERT INTO EXmxPrixel", dao::kLocked,
                              text::FromUtf8("Étude verrouillée."));
    EXPECT_FALSE(Add(Line()));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{
                  "La valeur \"ACMR'1\" contient une apostrophe : la requête a été refusée.",
                  "Étude verrouillée."}));
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 0);
}

}  // namespace
