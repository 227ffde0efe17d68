#include <gtest/gtest.h>

#include "import/family.h"
#include "works/text_import_writer.h"
#include "works/work_line_writer.h"
#include "works/works_fixture.h"

namespace {

using ImportWritersTest = WorksImportTest;

bool ProcessWork(const std::string& utf8Line, const std::string& prefix = "PRIXEL") {
    return CImportedWorkWriter(PRIXEL_TYPE_WORK, prefix, text::FromUtf8(utf8Line)).Process();
}

TEST_F(ImportWritersTest, AWorkIsStoredUnderThePrefixWithItsFamilyAndTrimmedFields) {
    CTradeFamily(PRIXEL_FAMILY_WORKS, "T1|Cloisons et plafonds en plaques|||||||").EnsureFamily();
    const std::string family = Rows("SELECT Code FROM Famille").at(0);
    EXPECT_TRUE(ProcessWork(Work("A12", " T1 ", "  Cloison 72/48 ", "1.5", "0,5", " ml2 ")));
    EXPECT_TRUE(ProcessWork(Work("A13", "NONE", "", "", "")));
    EXPECT_TRUE(ProcessWork(Work("A15", "T1", "Doublage", "", ""), ""));
    const std::string today = "|" + COleDateTime::Today().ToIso();
    EXPECT_EQ(Rows("SELECT Code, Libelle, Unite, LibFamille, CodeFamille, DateMaj FROM BOUV "
                   "ORDER BY Code"),
              (Strings{"A15|Doublage|m2|Cloisons et plafon|" + family + today,
                       "PRIXELA12|Cloison 72/48|ml2|Cloisons et plafon|" + family + today,
                       "PRIXELA13|Libellé à définir|m2||@" + today}));
    EXPECT_TRUE(Messages().empty());
}

// A work whose code holds a quote, or that the library refuses, is told and not added; one of a
// wrong field count or already there is skipped unsaid.
TEST_F(ImportWritersTest, OnlyANewWorkOfThirteenFieldsIsAdded) {
    EXPECT_FALSE(ProcessWork(Work("A'12", "", "Cloison", "1", "")));
    Faulty().FailWhenContains("INSERT INTO BOUV", dao::kLocked,
                              text::FromUtf8("Table BOUV verrouillée."));
    EXPECT_FALSE(ProcessWork(Work("A12", "", "Cloison", "1", "")));
    m_driver.reset();

    const std::string line = Work("A12", "", "Cloison", "1", "");
    EXPECT_TRUE(ProcessWork(line));
    EXPECT_FALSE(ProcessWork(Work("A12", "", "Autre libellé", "1", ""))) << "already there";
    EXPECT_FALSE(ProcessWork(line.substr(0, line.size() - 1) + "|\n")) << "14 fields";
    // A code is stored whole, but looked up by its first 18 characters: a work of a longer code
    // is not found again, and the library refuses to store it twice.
    EXPECT_TRUE(ProcessWork(Work("ABCDEFGHIJKLMN", "", "Long", "", "")));
    EXPECT_TRUE(ProcessWork(Work("ABCDEFGHIJKLMNOP", "", "Plus long", "", "")));
    EXPECT_FALSE(ProcessWork(Work("ABCDEFGHIJKLMN", "", "Long", "", "")));
    EXPECT_EQ(Rows("SELECT Code, Libelle FROM BOUV ORDER BY Code"),
              (Strings{"PRIXELA12|Cloison", "PRIXELABCDEFGHIJKLMN|Long",
                       "PRIXELABCDEFGHIJKLMNOP|Plus long"}));
    EXPECT_EQ(
        Messages(),
        (Strings{"La valeur \"PRIXELA'12\" contient une apostrophe : la requête a été refusée.",
                 "Table BOUV verrouillée.",
                 "Doublon dans un index unique de la table BOUV (UNIQUE constraint failed: "
                 "BOUV.Type, BOUV.Code)."}));
}

// A work line follows the lines its work has. The labour material is the works import's.
TEST_F(ImportWritersTest, AWorkLineFollowsTheLinesOfItsWork) {
    for (const auto& [work, quantity] :
         {std::pair{"PRIXELA12", 2.0}, std::pair{"PRIXELA13", 0.25}, std::pair{"PRIXELA12", 1.0},
          std::pair{"PRIXELA12", 3.0}, std::pair{"A'1", 1.0}}) {
        CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, work, "PRIXEL_MO", quantity).Write();
    }
    EXPECT_EQ(Rows("SELECT [Code tache], NumLigne, Quantite FROM BLOUV ORDER BY rowid"),
              (Strings{"PRIXELA12|0|2", "PRIXELA13|0|0.25", "PRIXELA12|2|1", "PRIXELA12|3|3"}));
    EXPECT_EQ(Messages().size(), 1u) << "a work code holding a quote";
}

}  // namespace
