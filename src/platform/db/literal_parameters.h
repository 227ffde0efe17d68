#pragma once
// Statements that differ only by the texts they compare with share one prepared form: every
// string literal of a statement becomes a parameter of its own, whose value is bound when the
// statement is taken. The statement's own '?' parameters keep their numbers (1, 2, ...); the
// literals take the numbers after them. Parameters are written with the engine's mark and their
// number: "?1" for SQLite, "$1" for PostgreSQL; in a statement without '?' of its own, SQLite's
// literals are bare '?' marks, which it numbers in order.

#include <string>
#include <vector>

namespace db {

struct ParameterizedSql {
    std::string sql;                    // with mark and number in place of each literal
    int firstLiteral = 1;               // the number of the first literal's parameter
    std::vector<std::string> literals;  // their values, quotes undone, in order
};

ParameterizedSql ParameterizeLiterals(const std::string& sql, char mark = '?');

}  // namespace db
