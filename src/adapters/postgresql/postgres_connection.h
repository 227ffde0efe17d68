#pragma once
// A connection to one PostgreSQL database and the statements it prepares. Statements are prepared
// once on the server, by their text, and kept there for the connection's life. Inside a
// transaction each statement runs under a savepoint of its own: a statement that fails (a
// duplicate) is undone alone and the transaction goes on, as with the Jet engine, where the server
// would otherwise refuse everything until the transaction's end. A connection lost outside a
// transaction is made again at the next statement.

#include <libpq-fe.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapters/postgresql/postgres_error.h"
#include "platform/db/driver.h"

namespace adapters {

using PostgresResult = std::unique_ptr<PGresult, decltype(&PQclear)>;

// A statement prepared on the server: its text, its name there (in the connection's session),
// its parameters and result columns.
struct PreparedStatement {
    std::string sql;
    std::string name;
    int session = 0;
    int parameters = 0;
    std::vector<std::string> columns;  // CP1252
    std::vector<Oid> types;            // of the columns
};

// The values of a statement's parameters, as the client library sends them.
struct Parameters {
    std::vector<std::string> values;
    std::vector<char> nulls;
    std::vector<int> formats;  // 0 text, 1 binary
};

class PostgresConnection : public db::Connection,
                           public std::enable_shared_from_this<PostgresConnection> {
  public:
    // address: a connection string or URI of the client library (CP1252). Throws CDaoException.
    PostgresConnection(const std::string& address, bool readOnly, int lockWaitMs);
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    void SetLockWait(int milliseconds);

    std::unique_ptr<db::Statement> Prepare(const std::string& jetSql) override;
    void Execute(const std::string& jetSql) override;
    std::int64_t LastInsertRowId() override;
    std::int64_t Changes() override { return m_changes; }
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() override;
    bool IsTransactionLost() const override { return m_lost; }

    // Runs a prepared statement with its parameters' values, after preparing it again when the
    // connection was made again since; throws CDaoException.
    PostgresResult Run(std::shared_ptr<const PreparedStatement>& statement,
                       const Parameters& parameters);

  private:
    void Connect();
    void Configure();
    // Makes the connection again when it was lost and no transaction depended on it.
    void Reconnect();
    std::shared_ptr<const PreparedStatement> Prepared(const std::string& sql);
    // Runs the statement that send sends, under a savepoint of its own inside a transaction;
    // throws on failure, after undoing the statement or ending the transaction it spoiled.
    template <class Send>
    PostgresResult Guarded(Send send);
    // Runs SQL of PostgreSQL's dialect that takes no parameters; throws on failure.
    std::vector<PostgresResult> PipelineResults();
    PostgresResult Command(const std::string& sql);
    void TakeWriteLock();
    [[noreturn]] void Fail(const PGresult* result);
    PostgresFailure FailureOf(const PGresult* result) const;
    void RefuseAfterLostTransaction() const;
    void NoteChanges(const PGresult* result);

    std::string m_address;
    std::string m_database;  // the database's name, for messages
    bool m_readOnly;
    int m_lockWaitMs;
    std::unique_ptr<PGconn, decltype(&PQfinish)> m_connection{nullptr, &PQfinish};
    int m_transactions = 0;  // nesting depth of the open transaction
    bool m_lost = false;
    std::int64_t m_changes = 0;
    int m_session = 0;     // the connections made so far
    int m_statements = 0;  // the statements prepared so far
    // Prepared statements by their text in PostgreSQL's dialect (UTF-8).
    std::map<std::string, std::shared_ptr<const PreparedStatement>> m_prepared;
    // The statements translated lately, by their Jet text with the literals made parameters.
    std::map<std::string, std::string> m_translated;
};

}  // namespace adapters
