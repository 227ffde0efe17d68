#pragma once
// The statements of the system as PostgreSQL runs them. Queries need only the Jet translation;
// a table's definition also needs PostgreSQL's types, and the row number that the database layer
// finds each row by (SQLite's rowid): every table made through the driver gets a last column
// "rowid", numbered by the database and its primary key.

#include <string>
#include <string_view>
#include <vector>

namespace adapters {

// The statements of a Jet script in PostgreSQL's dialect (CP1252 still).
std::vector<std::string> PostgresStatements(std::string_view jetScript);

// A "CREATE TABLE" of the Jet dialect already translated, with the types PostgreSQL knows: texts,
// memos and dates are text compared byte by byte, as SQLite compares them ("C" collation);
// integers bigint; yes/no and small integers smallint; reals double precision; binary data bytea;
// a counter a bigint numbered by the database. Any other statement stays as it is.
std::string PostgresTableDefinition(const std::string& statement);

}  // namespace adapters
