#include <gtest/gtest.h>

#include <string>

#include "import/article_fixture.h"
#include "import/bib_mx_element.h"

namespace {

class BibMxElementTest : public ArticleImportTest {
  protected:
    // BXMX rows of maker M1 as the user or an earlier import left them: (code, reference,
    // linked, tariff date) followed by the values of more columns.
    void Store(const std::string& more, const std::string& rows) {
        const std::string columns = "Code, Reference, PrixelCheck, PrixelDate" + more;
        m_library.Execute("INSERT INTO BXMX (Type, Libelle, PrixelFabricantID, " + columns +
                          ") SELECT 10001, 'Saisi', 'M1', * FROM (VALUES " + rows + ")");
    }
    // The columns of the row of code, joined by '|'.
    Strings Columns(const std::string& columns, const std::string& code) {
        return Rows("SELECT " + columns + " FROM BXMX WHERE Code = '" + code + "'");
    }
    static bool Process(Fields changes) { return CPrixelBibMxElement(Line(changes)).Process(); }

    // The article of FOUR1 at 80, with its discount of 10 %.
    const std::string m_withSupplier = Line({{CPrixelElement::SupplierData1, "80"},
                                             {CPrixelElement::SupplierData2, "FOUR1"},
                                             {CPrixelElement::SupplierData4, "0.9"}});
};

// The cost has the supplier's discount of 10 %; fields are cut and what is not read reads back as
// zero, a zero date stored empty or as its day.
TEST_F(BibMxElementTest, NewArticleAddsItsRowMakerAndSupplierPrices) {
    EXPECT_TRUE(CPrixelBibMxElement(m_withSupplier).Process());
    EXPECT_TRUE(Process({{CPrixelElement::Reference, "R2"},
                         {CPrixelElement::Label, std::string(300, 'L')},
                         {CPrixelElement::Unit, "ABCDEFGHIJ"},
                         {CPrixelElement::ListPrice, "2e10"},
                         {CPrixelElement::SecondValue, "n/a"},
                         {CPrixelElement::TariffDate, "2013ABCD"}}));
    EXPECT_TRUE(Process({{CPrixelElement::Reference, "R3"}, {CPrixelElement::Label, ""}}));
    EXPECT_TRUE(Messages().empty());

    EXPECT_EQ(Columns("PrixRevient, PrixVente, LibFamille, Fournisseur, Profil, PrixelCheck, "
                      "PrixelDate, PrixelFabricantID || PrefixeFabricant || Reference",
                      "ACMR100"),
              Strings{"108|162|Robinets|FOUR1|2|1|2013-04-15|M1ACMR100"});
    CBibXmxSet row(&m_library, 2, 1);
    row.Open("SELECT * FROM BXMX WHERE Code = 'ACMR100'");
    EXPECT_EQ(std::string(row.m_NoteLibelle.begin(), row.m_NoteLibelle.end()),
              CPrixelElement::ToRtf("Robinet") + '\0');
    EXPECT_EQ(Columns("Libelle, Unite, ifnull(PrixTarif, 0), ifnull(Valeur2, 0), "
                      "ifnull(PrixelDate, '1899-12-30')",
                      "ACMR2"),
              Strings{std::string(255, 'L') + "|ABC|0|0|1899-12-30"});
    EXPECT_EQ(Columns("Libelle", "ACMR3"), Strings{"Libellé à définir"});
}

// An unlinked row is linked and its first link members overwritten; a linked row keeps its fixed
// sale price, its family and its note, and its coefficient is computed again.
TEST_F(BibMxElementTest, AStoredRowIsUpdatedAsItsLinkAsks) {
    Store(
        ", CodeFamille, Fournisseur, Remise, MajPourcent, MajIncluse, CoefFG, PVImpose, "
        "PrixVente",
        "('ACMR1', 'R1', 0, NULL, 'ZZ', 'AUTRE', 50, 0, 0, 3, 1, 999), "
        "('ACMR2', 'R2', 1, '2012-01-01', 'USER', '', 10, 5, 1, 1.2, 1, 226.8)");
    for (const char* reference : {"R1", "R2"})
        EXPECT_TRUE(Process({{CPrixelElement::Reference, reference}}));
    EXPECT_EQ(
        Rows("SELECT PrixelCheck, PrefixeFabricant, CodeFamille IN ('ZZ', 'USER'), "
             "Fournisseur, PrixVente, CoefVente, PrixelDate, ifnull(length(NoteLibelle), 0) > 0 "
             "FROM BXMX ORDER BY Code"),
        (Strings{"1|ACM|0||180|1.5|2013-04-15|1", "1||1||226.8|2|2013-04-15|0"}));
}

TEST_F(BibMxElementTest, WithdrawnArticleUnlinksOnlyALinkedRow) {
    Store(", PrefixeFabricant",
          "('ACMR100', 'R100', 1, '2012-01-01', 'ACM'), "
          "('ACMR2', 'R2', 0, '2012-01-01', '')");
    const std::string withdrawn = text::FromUtf8("Cet article n'existe plus.  ");
    for (const char* reference : {"R100", "R2", "R3"}) {
        EXPECT_FALSE(
            Process({{CPrixelElement::Reference, reference}, {CPrixelElement::Label, withdrawn}}));
    }
    EXPECT_EQ(Columns("PrixelCheck, PrixelDate, PrixelFabricantID, PrefixeFabricant, Reference",
                      "ACMR100"),
              Strings{"0|1899-12-30|||"});
    EXPECT_EQ(Columns("PrixelFabricantID", "ACMR2"), Strings{"M1"});
    EXPECT_EQ(Count(m_library, "BXMX"), 2);
}

// The code is refused by its lookup, the maker, families and suppliers before it.
TEST_F(BibMxElementTest, QuoteInAQueriedFieldStopsTheArticleBeforeAnyStatement) {
    const dbtest::FaultyDriver& counting = Faulty();
    for (const auto& [field, value] : {std::pair{CPrixelElement::Reference, "R'1"},
                                       std::pair{CPrixelElement::FamilyCodes, "K1|K'2"}}) {
        CPrixelBibMxElement element(Line({{field, value}}));
        const int before = counting.Statements();
        EXPECT_FALSE(element.Process());
        EXPECT_EQ(counting.Statements(), before) << value;
    }
    EXPECT_EQ(
        Messages(),
        (Strings{"La valeur \"ACMR'1\" contient une apostrophe : la requête a été refusée.",
                 "La valeur \"K1|K'2\" contient une apostrophe : la requête a été refusée."}));
    EXPECT_EQ(LibraryRows(), 0);
}

TEST_F(BibMxElementTest, NoMaterialWithoutAFamily) {
    Faulty().FailWhenContains("INSERT INTO Famille", dao::kReadOnly);
    Store("", "('ACMR2', 'R2', 0, NULL)");
    EXPECT_FALSE(Process({}));
    EXPECT_FALSE(Process({{CPrixelElement::Reference, "R2"}}));
    EXPECT_EQ(LibraryRows(), 1);
    EXPECT_EQ(Columns("PrixelCheck", "ACMR2"), Strings{"0"});
}

// Two workstations share one library: another one stores the same article or family between this
// one's lookup and its store. The row is then there once, with what this workstation wrote, and
// nothing is told.
TEST_F(BibMxElementTest, ARowStoredFirstByAnotherWorkstationIsUpdatedNotDoubled) {
    const struct {
        const char *table, *otherRow, *check, *expected;
    } cases[] = {
        {"BXMX",
         "INSERT INTO BXMX (Type, Code, Libelle, PrixTarif, PrixelCheck) "
         "VALUES (10001, 'ACMR100', 'Autre poste', 90, 1)",
         "SELECT count(*), PrixTarif, Libelle FROM BXMX WHERE Code = 'ACMR100'", "1|100|Robinet"},
        {"Famille",
         "INSERT INTO Famille (Type, Parent, Rang, Code, Libelle, CodePrixel) "
         "VALUES (10000, '@', 1, '@zz', 'ACM', 'ACM.')",
         "SELECT count(*), min(CodeFamille LIKE '@zz%') FROM Famille, BXMX "
         "WHERE Famille.CodePrixel = 'ACM.'",
         "1|1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        m_library.Execute(
            "DELETE FROM BXMX; DELETE FROM Catalogue; DELETE FROM Fabricant; "
            "DELETE FROM Famille");
        Faulty().BeforeFirst(std::string("INSERT INTO ") + c.table,
                             [&] { m_library.Execute(c.otherRow); });
        EXPECT_TRUE(CPrixelBibMxElement(m_withSupplier).Process());
        EXPECT_EQ(Messages(), Strings{});
        EXPECT_EQ(Rows(c.check), Strings{c.expected});
    }
}

}  // namespace
