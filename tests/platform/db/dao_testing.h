#pragma once
// What the database tests share: the engines the database port runs on, a database holding one
// table, Article, a recordset class bound to it with a member of every kind (as the host's
// recordset classes are), and Raised.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "adapters/postgresql/postgres_driver.h"
#include "adapters/sqlite/sqlite_driver.h"
#include "platform/db/dao.h"
#include "platform/text.h"
#include "support/postgres_cluster.h"
#include "support/temp_dir.h"

namespace dbtest {

enum class Engine { kSqlite, kPostgresql };

inline std::shared_ptr<db::Driver> DriverOf(Engine engine) {
    if (engine == Engine::kPostgresql) return adapters::PostgresDriver::Shared();
    return adapters::SqliteDriver::Shared();
}

inline std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::kSqlite ? "Sqlite" : "Postgresql";
}

inline const auto kEngines = ::testing::Values(Engine::kSqlite, Engine::kPostgresql);

// Remarque is never bound: it keeps whatever the table gives it.
inline const char* const kArticleSchema =
    "CREATE TABLE Article (Code TEXT UNIQUE, Rang SMALLINT, Quantite INTEGER, Prix DOUBLE, "
    "Lie BOOLEAN, Libelle TEXT, DateTarif DATETIME, Note BLOB, Remarque TEXT DEFAULT 'aucune')";

// A fresh database holding Article: Article.db in its own folder, or a new database of the test
// program's PostgreSQL cluster.
class ArticleDatabase {
  public:
    explicit ArticleDatabase(Engine engine = Engine::kSqlite)
        : m_path(engine == Engine::kSqlite ? m_dir.File("Article.db") : NewPostgresAddress()) {
        DriverOf(engine)->Create(m_path)->Execute(kArticleSchema);
    }
    // The file's path, or the PostgreSQL database's address.
    const std::string& Path() const { return m_path; }
    // The database's name in descriptions: the file's path, or the PostgreSQL database's name.
    std::string Name() const {
        const std::size_t at = m_path.find("@/");
        return at == std::string::npos ? m_path : m_path.substr(at + 2, m_path.find('?') - at - 2);
    }
    const TempDir& Dir() const { return m_dir; }

  private:
    static std::string NewPostgresAddress() {
        static int made = 0;
        return SharedPostgresCluster().Uri("article" + std::to_string(++made));
    }

    TempDir m_dir;
    std::string m_path;
};

class CArticleSet : public CDaoRecordset {
  public:
    explicit CArticleSet(CDaoDatabase* database) : CDaoRecordset(database) {
        Bind("Code", &m_strCode);
        Bind("Rang", &m_nRang);
        Bind("Quantite", &m_nQuantite);
        Bind("Prix", &m_dPrix);
        Bind("Lie", &m_bLie);
        Bind("Libelle", &m_strLibelle);
        Bind("DateTarif", &m_dtTarif);
        Bind("Note", &m_note);
    }

    std::string m_strCode;
    short m_nRang = 0;
    int m_nQuantite = 0;
    double m_dPrix = 0.0;
    bool m_bLie = false;
    std::string m_strLibelle;
    COleDateTime m_dtTarif;
    db::Bytes m_note;

  protected:
    std::string GetDefaultSQL() const override { return "[Article]"; }
};

// The CDaoException that action raises, or one with code 0 when it raises none.
template <class Action>
CDaoException Raised(Action action) {
    try {
        action();
    } catch (const CDaoException& e) {
        return e;
    }
    return CDaoException(0, "");
}

}  // namespace dbtest
