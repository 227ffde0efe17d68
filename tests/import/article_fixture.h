#pragma once
// A company with its service library and study, the headless UI, article lines of the service's
// answers built field by field, and the rows of a query read back as text.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "connection/web_fixture.h"
#include "host/company.h"
#include "host/databases.h"
#include "host/paths.h"
#include "host/recordsets.h"
#include "import/prixel_element.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/db/faulty_driver.h"
#include "platform/text.h"

class ArticleImportTest : public WebExchangeTest {
  protected:
    using Fields = std::initializer_list<std::pair<CPrixelElement::Field, std::string>>;
    using Strings = std::vector<std::string>;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        WebExchangeTest::SetUp();
        CParPath::sFirmDefaut = "DEMO";
        m_library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
        m_study.Open(host::DatabaseFileOf(m_dir.Folder(), "EXMX"));
    }
    void TearDown() override {
        m_driver.reset();
        m_study.Close();
        m_library.Close();
        WebExchangeTest::TearDown();
        host::CloseCompany();
    }

    // An article of maker M1 (prefix ACM), reference R100, dated 15 April 2013 at 100, without
    // suppliers; changes replace fields.
    static std::string Line(Fields changes = {}) {
        std::vector<std::string> fields = text::Split(
            "M1\tACM\tR100\tRobinet\t\t20130415\t100\tU\t\t\tCarton\t\t\t\tK1|K2\t"
            "Sanitaire|Robinets\t3000000000001\t2.5",
            '\t');
        fields.resize(CPrixelElement::FieldCount);
        for (const auto& [field, value] : changes) fields[field] = value;
        std::string line = fields[0];
        for (std::size_t i = 1; i < fields.size(); ++i) line += "\t" + fields[i];
        return line;
    }

    static std::string Utf8(const std::string& cp1252) { return text::ToUtf8(cp1252); }

    static long Count(CDaoDatabase& database, const std::string& table) {
        return std::stol(Rows(database, "SELECT count(*) FROM " + table).at(0));
    }
    // The rows of the library's article, maker, supplier price and family tables.
    long LibraryRows() {
        return Count(m_library, "BXMX") + Count(m_library, "Fabricant") +
               Count(m_library, "Catalogue") + Count(m_library, "Famille");
    }
    // The rows a query of database answers, each as its columns joined by '|', in UTF-8.
    static Strings Rows(CDaoDatabase& database, const std::string& sql) {
        const auto statement = database.Connection().Prepare(sql);
        Strings rows;
        while (statement->Step()) {
            std::string row;
            for (int column = 0; column < statement->ColumnCount(); ++column)
                row += (column ? "|" : "") + TextOf(statement->Column(column));
            rows.push_back(row);
        }
        return rows;
    }
    Strings Rows(const std::string& sql) { return Rows(m_library, sql); }

    // A driver that makes database errors happen, in place until the end of the test; databases
    // opened before keep the real one.
    dbtest::FaultyDriver& Faulty() {
        m_driver.reset();
        m_faulty = std::make_shared<dbtest::FaultyDriver>();
        m_driver.emplace(m_faulty);
        return *m_faulty;
    }

    static std::string TextOf(const db::Value& value) {
        if (const auto* n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
        if (const auto* r = std::get_if<double>(&value)) return text::Format("%g", *r);
        if (const auto* s = std::get_if<std::string>(&value)) return text::ToUtf8(*s);
        return "";
    }

    CDaoDatabase m_library;
    CDaoDatabase m_study;
    std::shared_ptr<dbtest::FaultyDriver> m_faulty;
    std::optional<dbtest::ScopedDriver> m_driver;
};
