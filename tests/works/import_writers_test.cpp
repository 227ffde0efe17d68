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
    const std::string longLabel(300, 'x');
    EXPECT_TRUE(ProcessWork(Work("A12", " T1 ", "  Cloison 72/48 ", "1.5", "0,5", " ml2 ")));
    EXPECT_TRUE(ProcessWork(Work("A13", "NONE", "", "", "")));
    EXPECT_TRUE(ProcessWork(Work("A14", "", longLabel, "", "")));
    EXPECT_TRUE(ProcessWork(Work("A15", "T1", "Doublage", "", ""), ""));
    const std::string today = "|1|" + COleDateTime::Today().ToIso();
    EXPECT_EQ(Rows("SELECT Type, Code, Libelle, Unite, LibFamille, CodeFamille, Profil, DateMaj "
                   "FROM BOUV ORDER BY Code"),
              (Strings{"501|A15|Doublage|m2|Cloisons et plafon|" + family + today,
                       "501|PRIXELA12|Cloison 72/48|ml2|Cloisons et plafon|" + family + today,
                       "501|PRIXELA13|Libellé à définir|m2||@" + today,
                       "501|PRIXELA14|" + longLabel.substr(0, 255) + "|m2||@" + today}));
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
    EXPECT_FALSE(ProcessWork(line.substr(0, line.size() - 2) + "\n")) << "12 fields";
    EXPECT_FALSE(ProcessWork(line.substr(0, line.size() - 1) + "|\n")) << "14 fields";
    EXPECT_FALSE(ProcessWork(""));
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

// The labour material of a prefix is added once; a work line follows the lines its work has.
TEST_F(ImportWritersTest, TheLabourMaterialAndTheWorkLinesAreAddedInTurn) {
    const std::string label = Fr(TXT_LABOUR_MATERIAL_LABEL);
    for (const char* code : {"X_MO", "X_MO", "Y_MO"})
        CImportedMaterialWriter(PRIXEL_TYPE_LABOUR, code, label, "H").Process();
    EXPECT_EQ(Rows("SELECT Type, Code, Libelle, Unite, CoefFG, CoefVente, CoefFG2, CoefVente2, "
                   "LibFamille, CodeFamille, Profil, PrixelCheck FROM BXMX ORDER BY Code"),
              (Strings{"24001|X_MO|" + Utf8(label) + "|H|1|1|1|1||@|0|0",
                       "24001|Y_MO|" + Utf8(label) + "|H|1|1|1|1||@|0|0"}));

    for (const auto& [work, quantity] :
         {std::pair{"PRIXELA12", 2.0}, std::pair{"PRIXELA13", 0.25}, std::pair{"PRIXELA12", 1.0},
          std::pair{"PRIXELA12", 3.0}, std::pair{"A'1", 1.0}}) {
        CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, work, "PRIXEL_MO", quantity).Write();
    }
    EXPECT_EQ(Rows("SELECT [Type tache], [Code tache], NumLigne, TypeElement, CodeElement, "
                   "Quantite FROM BLOUV ORDER BY rowid"),
              (Strings{"501|PRIXELA12|0|24001|PRIXEL_MO|2", "501|PRIXELA13|0|24001|PRIXEL_MO|0.25",
                       "501|PRIXELA12|2|24001|PRIXEL_MO|1", "501|PRIXELA12|3|24001|PRIXEL_MO|3"}));
    EXPECT_EQ(Messages().size(), 1u) << "a work code holding a quote";
}

}  // namespace
