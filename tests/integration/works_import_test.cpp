// The works import through the stand-in host program: the sample folder of tests/data imported,
// checked in the library with SQL and imported again without adding anything; a small generated
// folder imported with interruptions through the progress window.

#include <gtest/gtest.h>

#include <string>

#include "integration/host_service_fixture.h"
#include "works_folder.h"

namespace {

const std::string kSample = std::string(PRIXEL_TEST_DATA) + "/works";

class WorksImportThroughHostTest : public HostProgramTest {
  protected:
    static std::string Added(int trades, int families, int works, int lines) {
        return "trades " + std::to_string(trades) + "\nfamilies " + std::to_string(families) +
               "\nworks " + std::to_string(works) + "\nlines " + std::to_string(lines) + "\n";
    }
};

TEST_F(WorksImportThroughHostTest, TheSampleFolderIsImportedOnceWithItsFamiliesAndLabour) {
    EXPECT_EQ(Host("import-works --folder '" + kSample + "'", true),
              "toaster: L'importation d'ouvrage est terminée.\n" + Added(30, 450, 3000, 3000));

    // Every family of works hangs under the family its file names, two characters deeper.
    EXPECT_EQ(Value("SELECT count(*) FROM Famille f JOIN Famille p ON p.Code = f.Parent "
                    "WHERE f.Type = 500 AND length(f.Code) = length(p.Code) + 2"),
              "450");
    EXPECT_EQ(Value("SELECT count(*) FROM BOUV b JOIN Famille f ON f.Code = b.CodeFamille "
                    "WHERE b.Type = 501 AND b.Code LIKE 'PRIXELOUV%' AND b.Profil = 1"),
              "3000");
    EXPECT_EQ(Value("SELECT Libelle || '|' || Unite || '|' || LibFamille FROM BOUV "
                    "WHERE Code = 'PRIXELOUV000002'"),
              "Dépose et repose de plinthes en chêne hauteur 2,50 m|m3|Terrassement - Ouv");
    // Each work has one labour line: its two times added, read with either separator.
    EXPECT_EQ(Value("SELECT group_concat(CodeElement || ' ' || Quantite, ' ') FROM BLOUV WHERE "
                    "[Code tache] IN ('PRIXELOUV000001', 'PRIXELOUV000002')"),
              "PRIXEL_MO 0.3 PRIXEL_MO 0.42");

    EXPECT_EQ(Host("import-works --folder '" + kSample + "'", true),
              "toaster: L'importation d'ouvrage est terminée.\n" + Added(0, 0, 0, 0));
    EXPECT_EQ(Value("SELECT Type, Code, Unite, CoefFG, CodeFamille FROM BXMX"),
              "24001|PRIXEL_MO|H|1.0|@");
}

TEST_F(WorksImportThroughHostTest, AnInterruptionKeepsWhatWasImportedAndNoGoesOn) {
    const std::string folder = m_dir.File("ouvrages");
    ASSERT_TRUE(WriteWorksFolder(folder, {.trades = 4, .works = 30}));
    EXPECT_EQ(Host("import-works --folder '" + folder + "' --interrupt-after 3", true),
              "message: Confirmez-vous l'interruption ?\n"
              "toaster: L'importation d'ouvrage est terminée.\n" +
                  Added(3, 0, 0, 0));
    EXPECT_EQ(Value("SELECT Code FROM BXMX"), "PRIXEL_MO");

    EXPECT_EQ(Host("--answer no import-works --folder '" + folder +
                       "' --prefix ABCDEFGH --interrupt-after 1",
                   true),
              "message: Confirmez-vous l'interruption ?\n"
              "toaster: L'importation d'ouvrage est terminée.\n" +
                  Added(1, 60, 30, 30));
    EXPECT_EQ(Value("SELECT group_concat(Code, ' ') FROM (SELECT Code FROM BXMX ORDER BY Code)"),
              "ABCDEF_MO PRIXEL_MO");
}

}  // namespace
