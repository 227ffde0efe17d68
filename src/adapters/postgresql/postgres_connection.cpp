#include "adapters/postgresql/postgres_connection.h"

#include <cstdlib>

#include "adapters/postgresql/postgres_dialect.h"
#include "platform/db/jet.h"
#include "platform/db/literal_parameters.h"
#include "platform/text.h"

namespace adapters {

namespace {

// Type numbers of the server's catalogue, the same in every version.
constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26;
constexpr Oid kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

constexpr std::size_t kTranslatedStatements = 512;

PostgresResult Adopt(PGresult* result) {
    return PostgresResult(result, &PQclear);
}

bool Succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

std::string FirstLine(const char* message) {
    const std::string all = message == nullptr ? std::string() : message;
    return all.substr(0, all.find('\n'));
}

std::string Field(const PGresult* result, int field) {
    const char* value = result == nullptr ? nullptr : PQresultErrorField(result, field);
    return value == nullptr ? std::string() : value;
}

std::string SavepointName(int depth) {
    return "prixel_" + std::to_string(depth);
}

db::Value ValueOf(const PGresult* result, int row, int column, Oid type) {
    if (PQgetisnull(result, row, column)) return {};
    const char* value = PQgetvalue(result, row, column);
    switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return static_cast<std::int64_t>(std::strtoll(value, nullptr, 10));
        case kBool:
            return std::int64_t{value[0] == 't' ? 1 : 0};
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return std::strtod(value, nullptr);
        case kBytea: {
            std::size_t size = 0;
            unsigned char* bytes =
                PQunescapeBytea(reinterpret_cast<const unsigned char*>(value), &size);
            db::Bytes out(bytes, bytes + size);
            PQfreemem(bytes);
            return out;
        }
    }
    return text::FromUtf8(std::string_view(value, PQgetlength(result, row, column)));
}

class PostgresStatement : public db::Statement {
  public:
    PostgresStatement(std::shared_ptr<PostgresConnection> connection,
                      std::shared_ptr<const PreparedStatement> prepared)
        : m_owner(std::move(connection)), m_prepared(std::move(prepared)) {
        const auto count = static_cast<std::size_t>(m_prepared->parameters);
        m_parameters.values.resize(count);
        m_parameters.nulls.resize(count, 1);
        m_parameters.formats.resize(count, 0);
    }

    void Bind(int index, const db::Value& value) override;
    bool Step() override {
        if (!m_result) {
            m_result = m_owner->Run(m_prepared, m_parameters);
            m_row = -1;
        }
        return ++m_row < PQntuples(m_result.get());
    }
    void Reset() override { m_result.reset(); }
    int ColumnCount() const override { return static_cast<int>(m_prepared->columns.size()); }
    std::string ColumnName(int column) const override { return m_prepared->columns[column]; }
    db::Value Column(int column) const override {
        return ValueOf(m_result.get(), m_row, column, m_prepared->types[column]);
    }

  private:
    std::shared_ptr<PostgresConnection> m_owner;
    std::shared_ptr<const PreparedStatement> m_prepared;
    Parameters m_parameters;
    PostgresResult m_result{nullptr, &PQclear};
    int m_row = -1;
};

void PostgresStatement::Bind(int index, const db::Value& value) {
    if (index < 1 || index > m_prepared->parameters) return;
    const auto at = static_cast<std::size_t>(index - 1);
    std::string& out = m_parameters.values[at];
    m_parameters.nulls[at] = db::IsNull(value) ? 1 : 0;
    m_parameters.formats[at] = std::holds_alternative<db::Bytes>(value) ? 1 : 0;
    if (const auto* n = std::get_if<std::int64_t>(&value)) out = std::to_string(*n);
    if (const auto* r = std::get_if<double>(&value)) out = text::Format("%.17g", *r);
    if (const auto* s = std::get_if<std::string>(&value)) out = text::ToUtf8(*s);
    if (const auto* b = std::get_if<db::Bytes>(&value)) out.assign(b->begin(), b->end());
}

}  // namespace

PostgresConnection::PostgresConnection(const std::string& address, bool readOnly, int lockWaitMs)
    : m_address(address), m_database("PostgreSQL"), m_readOnly(readOnly), m_lockWaitMs(lockWaitMs) {
    Connect();
}

PostgresConnection::~PostgresConnection() = default;

void PostgresConnection::Connect() {
    const std::string address = text::ToUtf8(m_address);
    const char* const keywords[] = {"dbname", "client_encoding", "fallback_application_name",
                                    nullptr};
    const char* const values[] = {address.c_str(), "UTF8", "prixel", nullptr};
    m_connection.reset(PQconnectdbParams(keywords, values, 1));
    if (PQdb(m_connection.get()) != nullptr) m_database = text::FromUtf8(PQdb(m_connection.get()));
    if (PQstatus(m_connection.get()) != CONNECTION_OK)
        throw PostgresConnectError(PQerrorMessage(m_connection.get()), m_database);
    PQsetNoticeProcessor(
        m_connection.get(), [](void*, const char*) {}, nullptr);
    m_prepared.clear();
    ++m_session;
    Configure();
}

void PostgresConnection::Configure() {
    SetLockWait(m_lockWaitMs);
    if (m_readOnly) Command("SET default_transaction_read_only = on");
}

void PostgresConnection::SetLockWait(int milliseconds) {
    m_lockWaitMs = milliseconds;
    if (PQstatus(m_connection.get()) == CONNECTION_OK)
        Command("SET lock_timeout = " + std::to_string(milliseconds));
}

void PostgresConnection::Reconnect() {
    RefuseAfterLostTransaction();
    if (PQstatus(m_connection.get()) == CONNECTION_OK) return;
    if (m_transactions > 0) {
        m_lost = true;
        throw db::LostTransaction();
    }
    Connect();
}

std::unique_ptr<db::Statement> PostgresConnection::Prepare(const std::string& jetSql) {
    Reconnect();
    db::ParameterizedSql parameterized = db::ParameterizeLiterals(jetSql, '$');
    auto found = m_translated.find(parameterized.sql);
    if (found == m_translated.end()) {
        if (m_translated.size() >= kTranslatedStatements) m_translated.clear();
        std::string sql = text::ToUtf8(db::jet::ToPostgresql(parameterized.sql));
        found = m_translated.emplace(std::move(parameterized.sql), std::move(sql)).first;
    }
    auto statement =
        std::make_unique<PostgresStatement>(shared_from_this(), Prepared(found->second));
    for (std::size_t i = 0; i < parameterized.literals.size(); ++i) {
        statement->Bind(parameterized.firstLiteral + static_cast<int>(i),
                        parameterized.literals[i]);
    }
    return statement;
}

std::shared_ptr<const PreparedStatement> PostgresConnection::Prepared(const std::string& sql) {
    if (const auto found = m_prepared.find(sql); found != m_prepared.end()) return found->second;
    if (text::Trim(sql).empty())
        throw CDaoException(dao::kSyntaxError,
                            text::FromUtf8("Erreur de syntaxe dans la requête (requête vide)."));
    auto prepared = std::make_shared<PreparedStatement>();
    prepared->sql = sql;
    prepared->name = "prixel_" + std::to_string(++m_statements);
    prepared->session = m_session;
    Guarded([&] {
        return PQsendPrepare(m_connection.get(), prepared->name.c_str(), sql.c_str(), 0, nullptr);
    });
    const PostgresResult description =
        Guarded([&] { return PQsendDescribePrepared(m_connection.get(), prepared->name.c_str()); });
    prepared->parameters = PQnparams(description.get());
    for (int i = 0; i < PQnfields(description.get()); ++i) {
        prepared->columns.push_back(text::FromUtf8(PQfname(description.get(), i)));
        prepared->types.push_back(PQftype(description.get(), i));
    }
    return m_prepared.emplace(sql, std::move(prepared)).first->second;
}

PostgresResult PostgresConnection::Run(std::shared_ptr<const PreparedStatement>& prepared,
                                       const Parameters& parameters) {
    Reconnect();
    if (prepared->session != m_session) prepared = Prepared(prepared->sql);
    const PreparedStatement& statement = *prepared;
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (std::size_t i = 0; i < parameters.values.size(); ++i) {
        values.push_back(parameters.nulls[i] ? nullptr : parameters.values[i].c_str());
        lengths.push_back(static_cast<int>(parameters.values[i].size()));
    }
    PostgresResult result = Guarded([&] {
        return PQsendQueryPrepared(m_connection.get(), statement.name.c_str(), statement.parameters,
                                   values.data(), lengths.data(), parameters.formats.data(), 0);
    });
    NoteChanges(result.get());
    return result;
}

void PostgresConnection::Execute(const std::string& jetSql) {
    Reconnect();
    for (const std::string& statement : PostgresStatements(jetSql)) {
        const std::string sql = text::ToUtf8(PostgresTableDefinition(statement));
        NoteChanges(Guarded([&] {
                        return PQsendQueryParams(m_connection.get(), sql.c_str(), 0, nullptr,
                                                 nullptr, nullptr, nullptr, 0);
                    }).get());
    }
}

// The statement goes with its savepoint and the savepoint's release in one exchange with the
// server, so that the savepoint costs no wait.
template <class Send>
PostgresResult PostgresConnection::Guarded(Send send) {
    PGconn* connection = m_connection.get();
    const bool guarded = m_transactions > 0;
    const auto sendCommand = [connection](const char* sql) {
        PQsendQueryParams(connection, sql, 0, nullptr, nullptr, nullptr, nullptr, 0);
    };
    PQenterPipelineMode(connection);
    if (guarded) sendCommand("SAVEPOINT prixel_statement");
    send();
    if (guarded) sendCommand("RELEASE SAVEPOINT prixel_statement");
    PQpipelineSync(connection);
    std::vector<PostgresResult> results = PipelineResults();
    PQexitPipelineMode(connection);
    const std::size_t statement = guarded ? 1 : 0;
    for (PostgresResult& result : results) {
        if (Succeeded(result.get())) continue;
        if (guarded && !EndsTheTransaction(FailureOf(result.get())))
            Command("ROLLBACK TO SAVEPOINT prixel_statement; RELEASE SAVEPOINT prixel_statement");
        Fail(result.get());
    }
    if (results.size() != (guarded ? 3u : 1u)) Fail(nullptr);
    return std::move(results[statement]);
}

// The results of the statements sent since the pipeline was opened, up to its end or the loss of
// the connection.
std::vector<PostgresResult> PostgresConnection::PipelineResults() {
    std::vector<PostgresResult> results;
    for (;;) {
        PostgresResult result = Adopt(PQgetResult(m_connection.get()));
        if (!result) {
            if (PQstatus(m_connection.get()) != CONNECTION_OK) break;
            continue;
        }
        if (PQresultStatus(result.get()) == PGRES_PIPELINE_SYNC) break;
        results.push_back(std::move(result));
    }
    return results;
}

PostgresResult PostgresConnection::Command(const std::string& sql) {
    PostgresResult result = Adopt(PQexec(m_connection.get(), sql.c_str()));
    if (!Succeeded(result.get())) Fail(result.get());
    return result;
}

PostgresFailure PostgresConnection::FailureOf(const PGresult* result) const {
    PostgresFailure failure{Field(result, PG_DIAG_SQLSTATE), Field(result, PG_DIAG_MESSAGE_PRIMARY),
                            Field(result, PG_DIAG_TABLE_NAME)};
    if (PQstatus(m_connection.get()) != CONNECTION_OK) failure.sqlState.clear();
    if (failure.message.empty()) failure.message = FirstLine(PQerrorMessage(m_connection.get()));
    return failure;
}

// A failure that spoils the transaction ends it here: the server would refuse every statement
// until its end, and what it wrote is undone.
void PostgresConnection::Fail(const PGresult* result) {
    const PostgresFailure failure = FailureOf(result);
    if (m_transactions > 0 && !m_lost && EndsTheTransaction(failure)) {
        if (PQstatus(m_connection.get()) == CONNECTION_OK)
            PQclear(PQexec(m_connection.get(), "ROLLBACK"));
        m_lost = true;
    }
    throw PostgresError(failure, m_database);
}

void PostgresConnection::NoteChanges(const PGresult* result) {
    const std::string status = PQcmdStatus(const_cast<PGresult*>(result));
    for (const char* write : {"INSERT", "UPDATE", "DELETE"}) {
        if (status.rfind(write, 0) == 0)
            m_changes = std::strtoll(PQcmdTuples(const_cast<PGresult*>(result)), nullptr, 10);
    }
}

std::int64_t PostgresConnection::LastInsertRowId() {
    const auto statement = Prepare("SELECT lastval()");
    statement->Step();
    return std::get<std::int64_t>(statement->Column(0));
}

void PostgresConnection::BeginTransaction() {
    Reconnect();
    if (m_transactions > 0) {
        Command("SAVEPOINT " + SavepointName(m_transactions));
    } else {
        Command("BEGIN");
        TakeWriteLock();
    }
    ++m_transactions;
}

// Writers of one library take turns, as they do on a database file: each outermost transaction
// holds the library's one write lock until it ends, so that the row locks of two workstations
// never wait on each other in a circle. The wait is bounded by the lock wait; when it runs out,
// the transaction is undone before the failure is thrown.
void PostgresConnection::TakeWriteLock() {
    if (m_readOnly) return;
    const PostgresResult result =
        Adopt(PQexec(m_connection.get(), "SELECT pg_advisory_xact_lock(7361)"));
    if (Succeeded(result.get())) return;
    const PostgresFailure failure = FailureOf(result.get());
    if (PQstatus(m_connection.get()) == CONNECTION_OK)
        PQclear(PQexec(m_connection.get(), "ROLLBACK"));
    throw PostgresError(failure, m_database);
}

// A transaction whose commit fails is over: the server undid it.
void PostgresConnection::CommitTransaction() {
    RefuseAfterLostTransaction();
    if (m_transactions == 0) throw db::NoTransaction();
    if (m_transactions == 1) {
        const PostgresResult result = Adopt(PQexec(m_connection.get(), "COMMIT"));
        if (!Succeeded(result.get()) || std::string(PQcmdStatus(result.get())) != "COMMIT") {
            m_lost = true;
            if (Succeeded(result.get())) throw db::LostTransaction();
            throw PostgresError(FailureOf(result.get()), m_database);
        }
    } else {
        Command("RELEASE SAVEPOINT " + SavepointName(m_transactions - 1));
    }
    --m_transactions;
}

// After a lost transaction each level is rolled back by its owner; the server already undid them.
void PostgresConnection::RollbackTransaction() {
    if (m_transactions == 0) throw db::NoTransaction();
    const std::string savepoint = SavepointName(m_transactions - 1);
    if (!m_lost && PQstatus(m_connection.get()) == CONNECTION_OK)
        Command(m_transactions == 1
                    ? "ROLLBACK"
                    : "ROLLBACK TO SAVEPOINT " + savepoint + "; RELEASE SAVEPOINT " + savepoint);
    if (--m_transactions == 0) m_lost = false;
}

void PostgresConnection::RefuseAfterLostTransaction() const {
    if (m_lost) throw db::LostTransaction();
}

}  // namespace adapters
