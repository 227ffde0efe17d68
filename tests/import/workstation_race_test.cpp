// Two workstations sharing one library: another one stores the same article, supplier price,
// maker or family between this one's lookup and its store. The row is then there once, with what
// this workstation wrote, and nothing is told.

#include <gtest/gtest.h>

#include <string>

#include "import/article_fixture.h"
#include "import/bib_mx_element.h"

namespace {

using WorkstationRaceTest = ArticleImportTest;

TEST_F(WorkstationRaceTest, ARowStoredFirstByAnotherWorkstationIsUpdatedNotDoubled) {
    const struct {
        const char* table;
        const char* otherRow;
        const char* check;
        const char* expected;
    } cases[] = {
        {"BXMX",
         "INSERT INTO BXMX (Type, Code, Libelle, PrixTarif, PrixelCheck) "
         "VALUES (10001, 'ACMR100', 'Autre poste', 90, 1)",
         "SELECT count(*), PrixTarif, Libelle FROM BXMX WHERE Code = 'ACMR100'", "1|100|Robinet"},
        {"Catalogue",
         "INSERT INTO Catalogue (Type, Code, Ordre, Fournisseur, PrixTarif) "
         "VALUES (10001, 'ACMR100', 1, 'FOUR1', 90)",
         "SELECT count(*), PrixTarif, Remise FROM Catalogue WHERE Fournisseur = 'FOUR1'",
         "1|100|10"},
        {"Fabricant", "INSERT INTO Fabricant (Id, Prefixe, Nom) VALUES ('M1', 'ACM', 'Acme')",
         "SELECT count(*), Nom FROM Fabricant", "1|Acme"},
        {"Famille",
         "INSERT INTO Famille (Type, Parent, Rang, Code, Libelle, CodePrixel) "
         "VALUES (10000, '@', 1, '@zz', 'ACM', 'ACM.')",
         "SELECT count(*), min(CodeFamille LIKE '@zz%') FROM Famille, BXMX "
         "WHERE Famille.CodePrixel = 'ACM.'",
         "1|1"},
    };
    const std::string line = Line({{CPrixelElement::SupplierData1, "80"},
                                   {CPrixelElement::SupplierData2, "FOUR1"},
                                   {CPrixelElement::SupplierData4, "0.9"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        for (const char* table : {"BXMX", "Catalogue", "Fabricant", "Famille"})
            m_library.Execute(std::string("DELETE FROM ") + table);
        Faulty().BeforeFirst(std::string("INSERT INTO ") + c.table,
                             [&] { m_library.Execute(c.otherRow); });
        EXPECT_TRUE(CPrixelBibMxElement(line).Process());
        EXPECT_EQ(Messages(), Strings{});
        EXPECT_EQ(Rows(c.check), Strings{c.expected});
    }
}

}  // namespace
