#pragma once
// A company with its service library, the headless UI and an import folder whose six files the
// test writes (CP1252 from UTF-8), and the library's rows read back as text.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/paths.h"
#include "import/article_fixture.h"
#include "platform/db/driver.h"
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

    // The rows a query of the library answers, each as its columns joined by '|', in UTF-8.
    std::vector<std::string> Rows(const std::string& sql) {
        const auto statement = m_library.Connection().Prepare(sql);
        std::vector<std::string> rows;
        while (statement->Step()) {
            std::string row;
            for (int column = 0; column < statement->ColumnCount(); ++column)
                row += (column ? "|" : "") + TextOf(statement->Column(column));
            rows.push_back(row);
        }
        return rows;
    }

  private:
    static std::string TextOf(const db::Value& value) {
        if (const auto* n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
        if (const auto* r = std::get_if<double>(&value)) return text::Format("%g", *r);
        if (const auto* s = std::get_if<std::string>(&value)) return text::ToUtf8(*s);
        return "";
    }
};
