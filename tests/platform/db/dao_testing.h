#pragma once
// What the database tests share: a database file holding one table, Article, a recordset class
// bound to it with a member of every kind (as the host's recordset classes are), and Raised.

#include <memory>
#include <string>

#include "adapters/sqlite/sqlite_driver.h"
#include "platform/db/dao.h"
#include "support/temp_dir.h"

namespace dbtest {

// Remarque is never bound: it keeps whatever the table gives it.
inline const char* const kArticleSchema =
    "CREATE TABLE Article (Code TEXT UNIQUE, Rang SMALLINT, Quantite INTEGER, Prix DOUBLE, "
    "Lie BOOLEAN, Libelle TEXT, DateTarif DATETIME, Note BLOB, Remarque TEXT DEFAULT 'aucune')";

// A fresh Article.db in its own folder.
class ArticleDatabase {
  public:
    ArticleDatabase() : m_path(m_dir.File("Article.db")) {
        adapters::SqliteDriver::Shared()->Create(m_path)->Execute(kArticleSchema);
    }
    const std::string& Path() const { return m_path; }
    const TempDir& Dir() const { return m_dir; }

  private:
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
