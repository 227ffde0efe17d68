#include <gtest/gtest.h>

#include <string>

#include "import/article_fixture.h"
#include "import/etude_mx_element.h"
#include "platform/db/query.h"
#include "platform/system.h"

namespace {

class EtudeMxElementTest : public ArticleImportTest {
  protected:
    void StoreStudyLine(const std::string& code, int number, bool linked) {
        m_study.Execute(db::FormatQuery(
            "INSERT INTO EXMX (Type, Code, [Num Code], Libelle, PrixTarif, CoefFG, PrixelCheck, "
            "PrixelDate, PrixelFabricantID, PrefixeFabricant, Reference) VALUES (10001, '%s', %d, "
            "'Saisi', 50, 1.4, %d, '2012-01-01', 'M1', 'ACM', 'R100')",
            code, number, linked ? 1 : 0));
    }
    // The given columns of the rows of table, in their order, joined by '|'.
    Strings Study(const std::string& columns, const char* table = "EXMX") {
        return Rows(m_study, "SELECT " + columns + " FROM " + table + " ORDER BY rowid");
    }
    bool Add(const std::string& line) { return CPrixelEtudeMxElement(line).AddRecord(); }
};

TEST_F(EtudeMxElementTest, LineNumbersTakenInTheStudyAreDrawnAgain) {
    sys::SeedRand(7);
    const int first = sys::Rand() % 32768, second = sys::Rand() % 32768;
    const int third = sys::Rand() % 32768;
    for (const int number : {first, second}) StoreStudyLine("ACMR100", number, false);
    sys::SeedRand(7);
    EXPECT_TRUE(Add(Line()));
    EXPECT_EQ(Study("[Num Code]", "EXmxPrixel"), Strings{std::to_string(third)});
}

TEST_F(EtudeMxElementTest, WithdrawnArticleUnlinksEveryStudyLine) {
    StoreStudyLine("ACMR100", 1, true);
    StoreStudyLine("ACMR100", 2, true);
    StoreStudyLine("ACMR2", 1, true);
    EXPECT_FALSE(Add(Line({{CPrixelElement::Label, "Cet article n'existe plus. "}})));
    EXPECT_EQ(Study("Code, PrixelCheck, ifnull(PrixelDate, '1899-12-30'), "
                    "PrixelFabricantID, PrefixeFabricant, Reference"),
              (Strings{"ACMR100|0|1899-12-30|||", "ACMR100|0|1899-12-30|||",
                       "ACMR2|1|2012-01-01|M1|ACM|R100"}));
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 0);
}

// A new study row carries the defaults, and the fixed price, each time it is added; the library is
// left alone.
TEST_F(EtudeMxElementTest, ProcessUpdatesALinkedStudyLineOrAddsTheArticle) {
    StoreStudyLine("ACMR100", 1, true);
    EXPECT_TRUE(CPrixelEtudeMxElement(Line()).Process());
    EXPECT_EQ(Study("PrixTarif, CoefFG, Libelle, PrixelDate"),
              Strings{"100|1.4|Robinet|2013-04-15"});

    StoreStudyLine("ACMR2", 1, false);
    EXPECT_FALSE(CPrixelEtudeMxElement(Line({{CPrixelElement::Reference, "R2"}})).Process());
    const std::string fixed =
        Line({{CPrixelElement::Reference, "R3"}, {CPrixelElement::FixedPriceFlag, "O"}});
    EXPECT_TRUE(CPrixelEtudeMxElement(fixed).Process());
    EXPECT_TRUE(Add(fixed));
    EXPECT_EQ(
        Study("Code, PrixRevient, PVImpose, PrixVente, PrixelCheck, PrixelDate", "EXmxPrixel"),
        Strings(2, "ACMR3|120|1|100|1|2013-04-15"));
    EXPECT_EQ(Count(m_study, "EXMX") + LibraryRows(), 2);
}

TEST_F(EtudeMxElementTest, AQuoteALockedStudyOrEveryLineNumberTakenAddsNothing) {
    EXPECT_FALSE(Add(Line({{CPrixelElement::Reference, "R'1"}})));
    m_study.Execute(
        "INSERT INTO EXMX (Type, Code, [Num Code]) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
        "SELECT i + 1 FROM n WHERE i < 32767) SELECT 10001, 'ACMR100', i FROM n");
    EXPECT_FALSE(Add(Line()));
    m_study.Execute("DELETE FROM EXMX");
    Faulty().FailWhenContains("INSERT INTO EXmxPrixel", dao::kLocked,
                              text::FromUtf8("Étude verrouillée."));
    EXPECT_FALSE(Add(Line()));
    EXPECT_EQ(Messages(),
              (Strings{"La valeur \"ACMR'1\" contient une apostrophe : la requête a été refusée.",
                       "L'élément ACMR100 n'a pu être ajouté à l'étude : ses 32768 numéros de "
                       "ligne sont déjà pris.\n",
                       "Étude verrouillée."}));
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 0);
}

}  // namespace
