#pragma once
// A connection to one SQLite file and the statements it prepares. The connection keeps idle
// prepared statements by their text; a statement goes back to it when its owner lets it go.

#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/driver.h"

struct sqlite3;
struct sqlite3_stmt;

namespace adapters {

class SqliteConnection : public db::Connection,
                         public std::enable_shared_from_this<SqliteConnection> {
  public:
    // Takes db, even when its opening failed; path is the file's name as the caller gave it.
    SqliteConnection(sqlite3* db, std::string path, bool readOnly);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Checks that the file is a database, then sets the busy timeout and the pragmas.
    void Configure(int busyTimeoutMs);

    std::unique_ptr<db::Statement> Prepare(const std::string& jetSql) override;
    void Execute(const std::string& jetSql) override;
    std::int64_t LastInsertRowId() override;
    std::int64_t Changes() override;
    std::vector<db::ColumnInfo> TableColumns(const std::string& table) override;
    bool IsReadOnly() const override;

    // Throws the exception for the engine's last failure.
    [[noreturn]] void Fail() const;
    // Takes back a statement that its owner no longer uses.
    void Recycle(std::string sql, sqlite3_stmt* statement);

  private:
    sqlite3_stmt* TakeIdle(const std::string& sql);

    sqlite3* m_db;
    std::string m_path;
    bool m_readOnly;
    std::list<std::pair<std::string, sqlite3_stmt*>> m_idle;  // most recently used first
};

}  // namespace adapters
