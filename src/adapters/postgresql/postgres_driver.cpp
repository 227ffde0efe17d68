#include "adapters/postgresql/postgres_driver.h"

#include <libpq-fe.h>

#include <vector>

#include "adapters/postgresql/postgres_connection.h"
#include "adapters/postgresql/postgres_error.h"
#include "platform/text.h"

namespace adapters {

namespace {

std::string FirstLine(const char* message) {
    const std::string all = message;
    return all.substr(0, all.find('\n'));
}

std::string Field(const PGresult* result, int field) {
    const char* value = PQresultErrorField(result, field);
    return value == nullptr ? std::string() : value;
}

using Options = std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)>;

Options ParsedAddress(const std::string& address) {
    char* error = nullptr;
    Options options(PQconninfoParse(text::ToUtf8(address).c_str(), &error), &PQconninfoFree);
    if (!options) {
        const std::string message = error == nullptr ? "out of memory" : FirstLine(error);
        PQfreemem(error);
        throw CDaoException(
            dao::kConnectionFailed,
            text::FromUtf8("L'adresse de la base de données est incorrecte (" + message + ")."));
    }
    return options;
}

// The name of the database an address names, quoted for a statement.
std::string QuotedDatabase(const PQconninfoOption* options) {
    std::string quoted = "\"";
    for (const PQconninfoOption* o = options; o->keyword != nullptr; ++o) {
        if (std::string(o->keyword) != "dbname" || o->val == nullptr) continue;
        for (const char* c = o->val; *c != '\0'; ++c)
            quoted += *c == '"' ? "\"\"" : std::string(1, *c);
    }
    return quoted + "\"";
}

// A connection to the server's "postgres" database, at the address otherwise given.
std::unique_ptr<PGconn, decltype(&PQfinish)> ServerConnection(const PQconninfoOption* options) {
    std::vector<const char*> keywords, values;
    for (const PQconninfoOption* o = options; o->keyword != nullptr; ++o) {
        if (o->val == nullptr || std::string(o->keyword) == "dbname") continue;
        keywords.push_back(o->keyword);
        values.push_back(o->val);
    }
    keywords.insert(keywords.end(), {"dbname", "client_encoding", nullptr});
    values.insert(values.end(), {"postgres", "UTF8", nullptr});
    return {PQconnectdbParams(keywords.data(), values.data(), 0), &PQfinish};
}

}  // namespace

PostgresDriver::PostgresDriver(int lockWaitMs) : m_lockWaitMs(lockWaitMs) {}

std::shared_ptr<PostgresDriver> PostgresDriver::Shared() {
    static const auto driver = std::make_shared<PostgresDriver>();
    return driver;
}

std::shared_ptr<db::Connection> PostgresDriver::Open(const std::string& address, bool readOnly) {
    std::erase_if(m_connections, [](const auto& entry) { return entry.second.expired(); });
    const auto key = std::make_pair(address, readOnly);
    if (auto live = m_connections[key].lock()) return live;
    auto connection = std::make_shared<PostgresConnection>(address, readOnly, m_lockWaitMs);
    m_connections[key] = connection;
    return connection;
}

std::shared_ptr<db::Connection> PostgresDriver::Create(const std::string& address) {
    const Options options = ParsedAddress(address);
    const std::string database = QuotedDatabase(options.get());
    const std::string name = text::FromUtf8(database.substr(1, database.size() - 2));
    const auto server = ServerConnection(options.get());
    if (PQstatus(server.get()) != CONNECTION_OK)
        throw PostgresConnectError(PQerrorMessage(server.get()), name);
    PQsetNoticeProcessor(
        server.get(), [](void*, const char*) {}, nullptr);
    const std::unique_ptr<PGresult, decltype(&PQclear)> created(
        PQexec(server.get(), ("CREATE DATABASE " + database +
                              " ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0")
                                 .c_str()),
        &PQclear);
    const std::string state = Field(created.get(), PG_DIAG_SQLSTATE);
    if (state == "42P04")
        throw CDaoException(dao::kDatabaseExists, text::FromUtf8("La base de données ") + name +
                                                      text::FromUtf8(" existe déjà."));
    if (PQresultStatus(created.get()) != PGRES_COMMAND_OK)
        throw PostgresError({state, Field(created.get(), PG_DIAG_MESSAGE_PRIMARY), ""}, name);
    return Open(address, false);
}

void PostgresDriver::SetLockWait(int milliseconds) {
    m_lockWaitMs = milliseconds;
    for (const auto& [key, connection] : m_connections) {
        if (auto live = connection.lock()) live->SetLockWait(milliseconds);
    }
}

}  // namespace adapters
