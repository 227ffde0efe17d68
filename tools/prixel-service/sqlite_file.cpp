#include "sqlite_file.h"

#include <stdexcept>

namespace {

[[noreturn]] void Fail(sqlite3* db, std::string_view what) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql,
                                 const std::vector<SqlValue>& values) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr) !=
        SQLITE_OK)
        Fail(db, sql);
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        if (const auto* text = std::get_if<std::string>(&values[i]))
            sqlite3_bind_text(m_statement, index, text->c_str(), static_cast<int>(text->size()),
                              SQLITE_TRANSIENT);
        else if (const auto* number = std::get_if<double>(&values[i]))
            sqlite3_bind_double(m_statement, index, *number);
        else
            sqlite3_bind_int64(m_statement, index, std::get<long long>(values[i]));
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

bool SqliteStatement::Step() {
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    Fail(sqlite3_db_handle(m_statement), "step");
}

std::string SqliteStatement::Text(int column) const {
    const auto* text = sqlite3_column_text(m_statement, column);
    return text == nullptr ? std::string()
                           : std::string(reinterpret_cast<const char*>(text),
                                         sqlite3_column_bytes(m_statement, column));
}

double SqliteStatement::Number(int column) const {
    return sqlite3_column_double(m_statement, column);
}

long long SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

SqliteFile::SqliteFile(const std::string& path) {
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(m_db);
        sqlite3_close(m_db);
        throw std::runtime_error("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(m_db, 5000);
}

SqliteFile::~SqliteFile() {
    sqlite3_close(m_db);
}

void SqliteFile::Execute(std::string_view sql, const std::vector<SqlValue>& values) {
    if (values.empty() && sql.find(';') != std::string_view::npos) {
        char* error = nullptr;
        if (sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error == nullptr ? "" : error;
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
        return;
    }
    SqliteStatement statement(m_db, sql, values);
    while (statement.Step()) {
    }
}
