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
    EXPECT_EQ(Rows("SELECT Type, Code, Libelle, Unite, LibFamille, CodeFamille, Profil, DateMaj "
                   "FROM BOUV ORDER BY Code"),
              (std::vector<std::string>{
                  "501|A15|Doublage|m2|Cloisons et plafon|" + family + "|1|" +
                      COleDateTime::Today().ToIso(),
                  "501|PRIXELA12|Cloison 72/48|ml2|Cloisons et plafon|" + family + "|1|" +
                      COleDateTime::Today().ToIso(),
                  "501|PRIXELA13|Libellé à définir|m2||@|1|" + COleDateTime::Today().ToIso(),
                  "501|PRIXELA14|" + longLabel.substr(0, 255) + "|m2||@|1|" +
                      COleDateTime::Today().ToIso()}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ImportWritersTest, OnlyANewWorkOfThirteenFieldsIsAdded) {
    const std::string line = Work("A12", "", "Cloison", "1", "");
    EXPECT_TRUE(ProcessWork(line));
    EXPECT_FALSE(ProcessWork(Work("A12", "", "Autre libellé", "1", ""))) << "already there";
    EXPECT_FALSE(ProcessWork(line.substr(0, line.size() - 2) + "\n")) << "12 fields";
    EXPECT_FALSE(ProcessWork(line.substr(0, line.size() - 1) + "|\n")) << "14 fields";
    EXPECT_FALSE(ProcessWork(""));
    EXPECT_TRUE(Messages().empty());
    // A code is stored whole, but looked up by its first 18 characters: a work of a longer code
    // is not found again, and the library refuses to store it twice.
    EXPECT_TRUE(ProcessWork(Work("ABCDEFGHIJKLMN", "", "Long", "", "")));
    EXPECT_TRUE(ProcessWork(Work("ABCDEFGHIJKLMNOP", "", "Plus long", "", "")));
    EXPECT_FALSE(ProcessWork(Work("ABCDEFGHIJKLMN", "", "Long", "", "")));
    EXPECT_EQ(Rows("SELECT Code, Libelle FROM BOUV ORDER BY Code"),
              (std::vector<std::string>{"PRIXELA12|Cloison", "PRIXELABCDEFGHIJKLMN|Long",
                                        "PRIXELABCDEFGHIJKLMNOP|Plus long"}));
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(ImportWritersTest, DatabaseFailuresAreShownAndAddNothing) {
    EXPECT_FALSE(ProcessWork(Work("A'12", "", "Cloison", "1", "")));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("apostrophe"), std::string::npos) << Messages()[0];

    Faulty().FailWhenContains("INSERT INTO BOUV", dao::kLocked,
                              text::FromUtf8("Table BOUV verrouillée."));
    EXPECT_FALSE(ProcessWork(Work("A12", "", "Cloison", "1", "")));
    EXPECT_EQ(Messages().back(), "Table BOUV verrouillée.");
    EXPECT_EQ(Count(m_library, "BOUV"), 0);
}

TEST_F(ImportWritersTest, TheLabourMaterialOfAPrefixIsAddedOnce) {
    const std::string label = Fr(TXT_LABOUR_MATERIAL_LABEL);
    for (const char* code : {"X_MO", "X_MO", "Y_MO"})
        CImportedMaterialWriter(PRIXEL_TYPE_LABOUR, code, label, "H").Process();
    EXPECT_EQ(
        Rows("SELECT Type, Code, Libelle, Unite, CoefFG, CoefVente, CoefFG2, CoefVente2, "
             "LibFamille, CodeFamille, Profil, PrixelCheck FROM BXMX ORDER BY Code"),
        (std::vector<std::string>{"24001|X_MO|" + text::ToUtf8(label) + "|H|1|1|1|1||@|0|0",
                                  "24001|Y_MO|" + text::ToUtf8(label) + "|H|1|1|1|1||@|0|0"}));
}

TEST_F(ImportWritersTest, AWorkLineFollowsTheLinesTheWorkHas) {
    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, "PRIXELA12", "PRIXEL_MO", 2.0).Write();
    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, "PRIXELA13", "PRIXEL_MO", 0.25).Write();
    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, "PRIXELA12", "PRIXEL_MO", 1.0).Write();
    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, "PRIXELA12", "PRIXEL_MO", 3.0).Write();
    EXPECT_EQ(Rows("SELECT [Type tache], [Code tache], NumLigne, TypeElement, CodeElement, "
                   "Quantite FROM BLOUV ORDER BY rowid"),
              (std::vector<std::string>{
                  "501|PRIXELA12|0|24001|PRIXEL_MO|2", "501|PRIXELA13|0|24001|PRIXEL_MO|0.25",
                  "501|PRIXELA12|2|24001|PRIXEL_MO|1", "501|PRIXELA12|3|24001|PRIXEL_MO|3"}));

    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, "A'1", "PRIXEL_MO", 1.0).Write();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Count(m_library, "BLOUV"), 4);
}

}  // namespace
