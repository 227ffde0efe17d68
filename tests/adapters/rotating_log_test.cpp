// The diagnostic log as composed: one line per write in the company folder's Prixel.log, bounded
// in size and rotated, each folder with its own file; a log that cannot be written is let be.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/diagnostic_log.h"
#include "platform/text.h"
#include "support/log_lines.h"
#include "support/temp_dir.h"

namespace {

std::string Numbered(int i) {
    return "ligne " + std::to_string(i) + " " + std::string(250, 'x');
}

TEST(RotatingLogTest, FullLogStartsAfreshAndKeepsTwoOlderFiles) {
    TempDir dir;
    constexpr int kLines = 3500;  // about 900 KB: more than three files' worth
    for (int i = 0; i < kLines; ++i) diag::Write(dir.Folder(), Numbered(i));
    for (const char* file : {"Prixel.log", "Prixel.1.log", "Prixel.2.log"}) {
        EXPECT_LE(std::filesystem::file_size(dir.File(file)), diag::LOG_MAX_BYTES) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("Prixel.3.log")));
    EXPECT_EQ(LogLines(dir.Folder()).back(), Numbered(kLines - 1));
}

TEST(RotatingLogTest, EachFolderHasItsOwnLogOfWholeLinesAndOneThatCannotBeWrittenIsLetBe) {
    TempDir first;
    TempDir second;
    std::ofstream(second.File("fichier")) << "pas un dossier";
    diag::Write(first.Folder(), text::FromUtf8("Échec\r\nsur deux lignes"));
    diag::Write(second.Folder() + "fichier/", "perdue");
    diag::Write(second.Folder(), "autre dossier");
    diag::Write(first.Folder(), "encore");
    EXPECT_EQ(LogLines(first.Folder()),
              (std::vector<std::string>{"Échec  sur deux lignes", "encore"}));
    EXPECT_EQ(LogLines(second.Folder()), std::vector<std::string>{"autre dossier"});
}

}  // namespace
