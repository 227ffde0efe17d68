#pragma once
// A connection to one SQLite file and the statements it prepares. The connection keeps idle
// prepared statements by their text; a statement goes back to it when its owner lets it go.

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/db/driver.h"
#include "platform/db/literal_parameters.h"

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
    void SetLockWait(int milliseconds);

    std::unique_ptr<db::Statement> Prepare(const std::string& jetSql) override;
    void Execute(const std::string& jetSql) override;
    std::int64_t LastInsertRowId() override;
    std::int64_t Changes() override;
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() override;
    bool IsTransactionLost() const override { return m_lost; }

    // Throws the exception for the engine's last failure, after ending the open transaction when
    // the failure leaves it unusable.
    [[noreturn]] void Fail();
    // Throws when a failure ended the open transaction and it has not been rolled back yet.
    void RefuseAfterLostTransaction() const;
    // Takes back a statement that its owner no longer uses.
    void Recycle(std::string sql, sqlite3_stmt* statement);
    // The names of a prepared statement's result columns (CP1252), read once while it is kept.
    const std::vector<std::string>& ColumnNames(sqlite3_stmt* statement);

  private:
    // A Jet statement in SQLite's dialect, its literals made parameters, its text in UTF-8.
    db::ParameterizedSql Translated(const std::string& jetSql);
    sqlite3_stmt* TakeIdle(const std::string& sql);
    void Finalize(sqlite3_stmt* statement);
    // Runs SQL that needs no translation nor result.
    void Run(const char* sql);
    void EndTransactionOnFailure(int code);
    // Opened read-only, or on a file that cannot be written: such a file keeps its journal mode.
    bool IsReadOnly() const;

    sqlite3* m_db;
    std::string m_path;
    bool m_readOnly;
    int m_transactions = 0;  // nesting depth of the open transaction
    bool m_lost = false;
    std::list<std::pair<std::string, sqlite3_stmt*>> m_idle;  // most recently used first
    // The statements translated lately, by their Jet text with the literals made parameters: the
    // same forms come back for every row written, whatever values they compare with.
    std::unordered_map<std::string, std::string> m_translated;
    std::unordered_map<sqlite3_stmt*, std::vector<std::string>> m_columnNames;
};

}  // namespace adapters
