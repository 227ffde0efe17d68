#pragma once
// A company with its service library, the headless UI and an import folder whose six files the
// test writes (CP1252 from UTF-8).

#include <filesystem>
#include <fstream>
#include <string>

#include "host/paths.h"
#include "import/article_fixture.h"
#include "platform/system.h"
#include "works/work_import.h"

class WorksImportTest : public ArticleImportTest {
  protected:
    // Family codes are drawn the same whichever tests run before.
    void SetUp() override {
        ArticleImportTest::SetUp();
        sys::SeedRand(1);
        std::filesystem::create_directory(Folder());
        for (const char* file : CWorkImport::IMPORT_FILES) Write(file, "");
    }

    // The dialog's default folder.
    std::string Folder() const { return CParPath::sServeurDataPath + "OuvragesPrixel"; }
    // Writes a file of the import folder; lines are given in UTF-8, ended as written.
    void Write(const std::string& file, const std::string& utf8) const {
        std::ofstream(Folder() + "/" + file, std::ios::binary) << text::FromUtf8(utf8);
    }
    // A work line of 13 fields.
    static std::string Work(const std::string& code, const std::string& family,
                            const std::string& label, const std::string& time1,
                            const std::string& time2, const std::string& unit = "m2") {
        return code + "|" + family + "|||" + unit + "|" + label + "||||" + time1 + "|" + time2 +
               "||\n";
    }
};
