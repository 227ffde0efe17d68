#include "platform/db/literal_parameters.h"

namespace db {

namespace {

// The end of the quoted run that starts at begin ('' or "" inside it stands for the quote).
std::size_t QuotedEnd(const std::string& sql, std::size_t begin) {
    const char quote = sql[begin];
    std::size_t i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] != quote) {
            ++i;
        } else if (i + 1 < sql.size() && sql[i + 1] == quote) {
            i += 2;
        } else {
            return i + 1;
        }
    }
    return sql.size();
}

std::string Unquote(const std::string& literal) {
    std::string value;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        value += literal[i];
        if (literal[i] == '\'') ++i;
    }
    return value;
}

// A character that starts a quoted run or a parameter.
bool Special(char c) {
    return c == '\'' || c == '"' || c == '?';
}

int CountPlainParameters(const std::string& sql) {
    int count = 0;
    for (std::size_t i = 0; i < sql.size();) {
        if (sql[i] == '\'' || sql[i] == '"') {
            i = QuotedEnd(sql, i);
            continue;
        }
        if (sql[i] == '?') ++count;
        ++i;
    }
    return count;
}

}  // namespace

ParameterizedSql ParameterizeLiterals(const std::string& sql, char mark) {
    ParameterizedSql result;
    result.sql.reserve(sql.size());
    int plain = 0;
    result.firstLiteral = CountPlainParameters(sql) + 1;
    // SQLite numbers a bare '?' after the one before it, and reads bare marks in linear time where
    // numbered ones cost it the square of their count.
    const bool numbered = mark != '?' || result.firstLiteral > 1;
    for (std::size_t i = 0; i < sql.size();) {
        std::size_t special = i;
        while (special < sql.size() && !Special(sql[special])) ++special;
        result.sql.append(sql, i, special - i);
        i = special;
        if (i == sql.size()) break;
        if (sql[i] == '\'') {
            const std::size_t end = QuotedEnd(sql, i);
            result.literals.push_back(Unquote(sql.substr(i, end - i)));
            result.sql += mark;
            if (numbered)
                result.sql += std::to_string(result.firstLiteral + result.literals.size() - 1);
            i = end;
        } else if (sql[i] == '"') {
            const std::size_t end = QuotedEnd(sql, i);
            result.sql.append(sql, i, end - i);
            i = end;
        } else {
            result.sql += mark;
            result.sql += std::to_string(++plain);
            ++i;
        }
    }
    return result;
}

}  // namespace db
