#include "adapters/sqlite/sqlite_connection.h"

#include <sqlite3.h>

#include "adapters/sqlite/sqlite_error.h"
#include "platform/db/jet.h"
#include "platform/db/literal_parameters.h"
#include "platform/text.h"

namespace adapters {

namespace {

// Idle statements kept per connection; the texts a query compares with are bound, not part of
// its prepared form, so a few dozen forms cover the system's queries.
constexpr std::size_t kIdleStatements = 32;
constexpr std::size_t kTranslatedStatements = 512;

class SqliteStatement : public db::Statement {
  public:
    SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string sql,
                    sqlite3_stmt* statement)
        : m_connection(std::move(connection)), m_sql(std::move(sql)), m_statement(statement) {}
    ~SqliteStatement() override { m_connection->Recycle(std::move(m_sql), m_statement); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void Bind(int index, const db::Value& value) override {
        if (BindValue(index, value) != SQLITE_OK) m_connection->Fail();
    }
    bool Step() override {
        m_connection->RefuseAfterLostTransaction();
        const int rc = sqlite3_step(m_statement);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) m_connection->Fail();
        return rc == SQLITE_ROW;
    }
    void Reset() override { sqlite3_reset(m_statement); }
    int ColumnCount() const override { return sqlite3_column_count(m_statement); }
    std::string ColumnName(int column) const override {
        return m_connection->ColumnNames(m_statement)[column];
    }
    db::Value Column(int column) const override;

  private:
    int BindValue(int index, const db::Value& value);

    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_sql;
    sqlite3_stmt* m_statement;
};

int SqliteStatement::BindValue(int index, const db::Value& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value))
        return sqlite3_bind_int64(m_statement, index, *n);
    if (const auto* r = std::get_if<double>(&value))
        return sqlite3_bind_double(m_statement, index, *r);
    if (const auto* s = std::get_if<std::string>(&value)) {
        const std::string utf8 = text::ToUtf8(*s);
        return sqlite3_bind_text64(m_statement, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    if (const auto* b = std::get_if<db::Bytes>(&value)) {
        // An empty vector may have no data pointer, which would bind NULL.
        if (b->empty()) return sqlite3_bind_zeroblob(m_statement, index, 0);
        return sqlite3_bind_blob64(m_statement, index, b->data(), b->size(), SQLITE_TRANSIENT);
    }
    return sqlite3_bind_null(m_statement, index);
}

db::Value SqliteStatement::Column(int column) const {
    switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(m_statement, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement, column);
        case SQLITE_TEXT: {
            const auto* utf8 =
                reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
            return text::FromUtf8(
                std::string_view(utf8, sqlite3_column_bytes(m_statement, column)));
        }
        case SQLITE_BLOB: {
            const auto* data =
                static_cast<const unsigned char*>(sqlite3_column_blob(m_statement, column));
            return db::Bytes(data, data + sqlite3_column_bytes(m_statement, column));
        }
    }
    return {};
}

}  // namespace

SqliteConnection::SqliteConnection(sqlite3* db, std::string path, bool readOnly)
    : m_db(db), m_path(std::move(path)), m_readOnly(readOnly) {
    sqlite3_extended_result_codes(m_db, 1);
}

SqliteConnection::~SqliteConnection() {
    for (auto& [sql, statement] : m_idle) sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

void SqliteConnection::Finalize(sqlite3_stmt* statement) {
    m_columnNames.erase(statement);
    sqlite3_finalize(statement);
}

const std::vector<std::string>& SqliteConnection::ColumnNames(sqlite3_stmt* statement) {
    auto [found, added] = m_columnNames.try_emplace(statement);
    if (added) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            found->second.push_back(text::FromUtf8(sqlite3_column_name(statement, i)));
        }
    }
    return found->second;
}

void SqliteConnection::Configure(int busyTimeoutMs) {
    SetLockWait(busyTimeoutMs);
    Execute("SELECT count(*) FROM sqlite_master");
    Execute("PRAGMA foreign_keys = OFF; PRAGMA synchronous = NORMAL");
    if (!IsReadOnly()) Execute("PRAGMA journal_mode = WAL");
}

void SqliteConnection::SetLockWait(int milliseconds) {
    sqlite3_busy_timeout(m_db, milliseconds);
}

// Jet writes its text literals as SQLite does, so they are made parameters before the translation,
// which then serves every statement of the same form.
db::ParameterizedSql SqliteConnection::Translated(const std::string& jetSql) {
    db::ParameterizedSql parameterized = db::ParameterizeLiterals(jetSql);
    auto found = m_translated.find(parameterized.sql);
    if (found == m_translated.end()) {
        if (m_translated.size() >= kTranslatedStatements) m_translated.clear();
        std::string sqlite = text::ToUtf8(db::jet::ToSqlite(parameterized.sql));
        found = m_translated.emplace(std::move(parameterized.sql), std::move(sqlite)).first;
    }
    parameterized.sql = found->second;
    return parameterized;
}

std::unique_ptr<db::Statement> SqliteConnection::Prepare(const std::string& jetSql) {
    RefuseAfterLostTransaction();
    const db::ParameterizedSql parameterized = Translated(jetSql);
    std::string sql = parameterized.sql;
    sqlite3_stmt* statement = TakeIdle(sql);
    if (!statement) {
        if (sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size() + 1),
                               SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
            Fail();
        if (!statement) throw SqliteError(SQLITE_ERROR, "incomplete input", m_path);
    }
    auto prepared =
        std::make_unique<SqliteStatement>(shared_from_this(), std::move(sql), statement);
    for (std::size_t i = 0; i < parameterized.literals.size(); ++i) {
        prepared->Bind(parameterized.firstLiteral + static_cast<int>(i), parameterized.literals[i]);
    }
    return prepared;
}

void SqliteConnection::Execute(const std::string& jetSql) {
    RefuseAfterLostTransaction();
    Run(text::ToUtf8(db::jet::ToSqlite(jetSql)).c_str());
}

void SqliteConnection::Run(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
}

std::int64_t SqliteConnection::LastInsertRowId() {
    return sqlite3_last_insert_rowid(m_db);
}

std::int64_t SqliteConnection::Changes() {
    return sqlite3_changes64(m_db);
}

bool SqliteConnection::IsReadOnly() const {
    return m_readOnly || sqlite3_db_readonly(m_db, "main") == 1;
}

void SqliteConnection::BeginTransaction() {
    RefuseAfterLostTransaction();
    Run(m_transactions == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT prixel");
    ++m_transactions;
}

void SqliteConnection::CommitTransaction() {
    RefuseAfterLostTransaction();
    if (m_transactions == 0) throw db::NoTransaction();
    Run(m_transactions == 1 ? "COMMIT" : "RELEASE prixel");
    --m_transactions;
}

// After a lost transaction each level is rolled back by its owner; the engine already undid them.
void SqliteConnection::RollbackTransaction() {
    if (m_transactions == 0) throw db::NoTransaction();
    if (!m_lost) Run(m_transactions == 1 ? "ROLLBACK" : "ROLLBACK TO prixel; RELEASE prixel");
    if (--m_transactions == 0) m_lost = false;
}

void SqliteConnection::RefuseAfterLostTransaction() const {
    if (m_lost) throw db::LostTransaction();
}

void SqliteConnection::Fail() {
    const int code = sqlite3_extended_errcode(m_db);
    const std::string message = sqlite3_errmsg(m_db);
    EndTransactionOnFailure(code);
    throw SqliteError(code, message, m_path);
}

// The engine undoes the whole transaction on some failures by itself; on a failure of the storage
// it may undo the last statement only, and a transaction that goes on after a write was lost would
// store an import in part: it is undone here too.
void SqliteConnection::EndTransactionOnFailure(int code) {
    if (m_transactions == 0 || m_lost) return;
    const int primary = code & 0xFF;
    const bool storage = primary == SQLITE_FULL || primary == SQLITE_IOERR ||
                         primary == SQLITE_NOMEM || primary == SQLITE_CORRUPT;
    if (!storage && sqlite3_get_autocommit(m_db) == 0) return;
    if (sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_lost = true;
}

void SqliteConnection::Recycle(std::string sql, sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    m_idle.emplace_front(std::move(sql), statement);
    if (m_idle.size() <= kIdleStatements) return;
    Finalize(m_idle.back().second);
    m_idle.pop_back();
}

sqlite3_stmt* SqliteConnection::TakeIdle(const std::string& sql) {
    for (auto it = m_idle.begin(); it != m_idle.end(); ++it) {
        if (it->first != sql) continue;
        sqlite3_stmt* statement = it->second;
        m_idle.erase(it);
        return statement;
    }
    return nullptr;
}

}  // namespace adapters
