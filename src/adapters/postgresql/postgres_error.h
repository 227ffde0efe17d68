#pragma once
// The exceptions that report a failure of the PostgreSQL server or of the connection to it: the
// Jet code the system knows and a French description that names what failed and ends with the
// server's own words.

#include <string>

#include "platform/db/dao.h"

namespace adapters {

struct PostgresFailure {
    std::string sqlState;  // five characters; empty when the connection failed
    std::string message;   // the server's or the client library's words (UTF-8)
    std::string table;     // the table concerned, when the server tells it
};

// database: the database's name (CP1252).
CDaoException PostgresError(const PostgresFailure& failure, const std::string& database);

// The exception for a connection that could not be made; message is the client library's.
CDaoException PostgresConnectError(const std::string& message, const std::string& database);

// Whether the failure ends the transaction in progress whatever the statement's savepoint: the
// server out of room or memory, a failure of its storage, the connection lost.
bool EndsTheTransaction(const PostgresFailure& failure);

}  // namespace adapters
