#include "works/work_import.h"

#include <gtest/gtest.h>

#include "host/application.h"
#include "module/prixel_ctrl.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"
#include "works/labour_time.h"
#include "works/works_fixture.h"

namespace {

class WorkImportTest : public WorksImportTest {
  protected:
    void SetUp() override {
        WorksImportTest::SetUp();
        Write("corpsdetat.txt",
              "T1|Maçonnerie|||||||\r\nT2|Plâtrerie|||||||\r\nT3|Dix|||||||||\r\n");
        Write("familleouvrage.txt",
              "F1|T1|-1|Murs||||\nF2|T1|F3|Avant son parent||||\nF3|T1|F1|Murs porteurs||||\n");
        Write("ouvrage.txt", Work("A1", "F1", "Mur en parpaings", "1.5", "0,5") +
                                 Work("A2", "F3", "Mur porteur", "", "") +
                                 Work("A3", "T2", " Enduit plâtre", "n/a", "0,25"));
    }

    // The facade's ImportWork with the dialog's defaults: "&Importer" pressed.
    void ImportWithDefaults() {
        User().Press(IDD_IMPORT_WORK, IDC_IMPORT_START);
        m_prixel.ImportWork();
    }
    Strings Counts() {
        return Rows(
            "SELECT (SELECT count(*) FROM Famille), (SELECT count(*) FROM BOUV), "
            "(SELECT count(*) FROM BLOUV), (SELECT count(*) FROM BXMX)");
    }

    CPrixelCtrl m_prixel;
};

// A work hangs under its family, or its trade, with one labour line when its times add up to more
// than nothing; a family that comes before its parent hangs at the root.
TEST_F(WorkImportTest, ImportsWorksUnderTheirFamilyWithALabourLineWhenTheyHaveTimes) {
    ImportWithDefaults();
    EXPECT_EQ(
        Rows("SELECT b.Code, f.CodePrixel, ifnull(p.CodePrixel, f.Parent), l.NumLigne, l.Quantite "
             "FROM BOUV b JOIN Famille f ON f.Code = b.CodeFamille LEFT JOIN Famille p ON "
             "p.Code = f.Parent LEFT JOIN BLOUV l ON l.[Code tache] = b.Code ORDER BY b.Code"),
        (Strings{"PRIXELA1|F1|T1|0|2", "PRIXELA2|F3|F1||", "PRIXELA3|T2|@|0|0.25"}));
    EXPECT_EQ(Rows("SELECT Parent FROM Famille WHERE CodePrixel = 'F2'"), Strings{"@"});
    EXPECT_EQ(m_backend->FindDialog(IDD_IMPORT_PROGRESS), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkImportTest, AFolderLackingOneOfTheSixFilesImportsNothing) {
    std::filesystem::remove(Folder() + "/liensouvragemateriaux.txt");
    ImportWithDefaults();
    EXPECT_EQ(Messages(), Strings{"Opération impossible : le dossier spécifié ne contient pas les "
                                  "fichiers nécessaires à l'importation."});
    EXPECT_EQ(Counts(), Strings{"0|0|0|0"});
    EXPECT_EQ(ToasterText(), "");
}

TEST_F(WorkImportTest, TheProgressWindowStandsAtThePointerWithAWideRange) {
    Write("corpsdetat.txt", "");
    Write("ouvrage.txt", std::string(70000, '\n'));
    m_backend->SetCursorPos({600, 400});
    CWorkImport import(Folder(), "PRIXEL");
    EXPECT_TRUE(import.Run());
    const ui::WindowModel* window = m_backend->FindDialog(IDD_IMPORT_PROGRESS);
    ASSERT_NE(window, nullptr);
    // The template is 308 by 80 dialog units.
    EXPECT_EQ(window->rect, (CRect{600 - 231, 400 - 65, 600 + 231, 400 + 65}));
    const ui::WindowModel* bar = m_backend->FindControl(IDD_IMPORT_PROGRESS, IDC_PROGRESS_BAR);
    EXPECT_EQ(std::to_string(bar->upper) + " " + std::to_string(bar->pos), "70000 69999");
}

TEST_F(WorkImportTest, ALibraryThatCannotBeWrittenIsToldOnceAndStopsTheImport) {
    Faulty().FailOpen(dao::kLocked, text::FromUtf8("Bib.mdb est verrouillée."));
    EXPECT_FALSE(CWorkImport(Folder(), "PRIXEL").Run());
    EXPECT_EQ(Messages(), Strings{"Bib.mdb est verrouillée."});
    EXPECT_EQ(m_backend->FindDialog(IDD_IMPORT_PROGRESS), nullptr);
    Faulty().Heal();

    // The library may not grow beyond its present size, as on a full disk.
    std::string works;
    for (int i = 0; i < 300; ++i)
        works += Work("L" + std::to_string(i), "", std::string(200, 'l'), "1", "");
    Write("ouvrage.txt", works);
    m_library.Execute("PRAGMA max_page_count = 1");
    EXPECT_FALSE(CWorkImport(Folder(), "PRIXEL").Run());
    EXPECT_EQ(Messages().back(), "Plus de place pour écrire dans la base de données " +
                                     Utf8(m_library.GetName()) +
                                     " : le disque est plein (database or disk is full).");
    // The families were stored at the end of their file; the works' batch was undone whole.
    EXPECT_EQ(Counts(), Strings{"5|0|0|0"});
}

// A folder that does not exist is refused and the default one shown again, an empty one refused
// on "Importer"; "Fermer" ends the dialog. Without the right no dialog is shown. The prefix's six
// characters are the host program's import.
TEST_F(WorkImportTest, TheDialogRefusesAMissingFolderAndAnEmptyOne) {
    User()
        .Type(IDD_IMPORT_WORK, IDC_IMPORT_FOLDER, m_dir.File("absent"))
        .Type(IDD_IMPORT_WORK, IDC_IMPORT_PREFIX, "")
        .Do(IDD_IMPORT_WORK,
            [this] {
                EXPECT_EQ(m_backend->FindControl(IDD_IMPORT_WORK, IDC_IMPORT_FOLDER)->text,
                          Folder());
            })
        .Type(IDD_IMPORT_WORK, IDC_IMPORT_FOLDER, "")
        .Press(IDD_IMPORT_WORK, IDC_IMPORT_START)
        .Press(IDD_IMPORT_WORK, IDCANCEL);
    m_prixel.ImportWork();
    EXPECT_EQ(Messages(),
              (Strings{"Ce répertoire n'existe pas.", "Veulliez spécifier le dossier source."}));
    EXPECT_EQ(User().PendingSteps(), 0u) << "\"Fermer\" ends the dialog";
    GetHostApp()->m_Rights.clear();
    ImportWithDefaults();
    EXPECT_EQ(User().PendingSteps(), 1u);
    EXPECT_EQ(Counts(), Strings{"0|0|0|0"});
}

// The folder chosen with "Parcourir" is imported under the prefix typed; the default folder holds
// no work.
TEST_F(WorkImportTest, AFolderChosenWithParcourirIsImportedUnderThePrefixTyped) {
    const std::string other = m_dir.File("Ouvrages à part");
    std::filesystem::copy(Folder(), other);
    Write("ouvrage.txt", "");
    User()
        .Press(IDD_IMPORT_WORK, IDC_IMPORT_BROWSE)
        .ChooseFolder(text::FromUtf8(other))
        .Type(IDD_IMPORT_WORK, IDC_IMPORT_PREFIX, "Y")
        .Press(IDD_IMPORT_WORK, IDC_IMPORT_START);
    m_prixel.ImportWork();
    EXPECT_EQ(Rows("SELECT Code FROM BXMX"), Strings{"Y_MO"});
    EXPECT_EQ(Rows("SELECT count(*) FROM BOUV WHERE Code LIKE 'Y%'"), Strings{"3"});
    EXPECT_TRUE(Messages().empty());
}

TEST(LabourTimeTest, EitherSeparatorReadsUpToTheFirstOtherCharacter) {
    const struct {
        const char* text;
        double hours;
    } cases[] = {{"  2,25 h", 2.25}, {"-1,5", -1.5}, {"+3", 3.0},  {".5", 0.5},    {"h2", 0.0},
                 {"1.2.3", 1.2},     {"1e2", 100.0}, {"2e+", 2.0}, {"1e999", 0.0}, {"\t\r\n", 0.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ReadLabourTime(c.text), c.hours) << c.text;
}

}  // namespace
