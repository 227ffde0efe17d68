#pragma once
// A small hold on an SQLite file: statements with bound text and numbers, and a transaction.

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

using SqlValue = std::variant<std::string, double, long long>;

class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, std::string_view sql, const std::vector<SqlValue>& values);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool Step();  // true while a row is there
    std::string Text(int column) const;
    double Number(int column) const;
    long long Integer(int column) const;

  private:
    sqlite3_stmt* m_statement = nullptr;
};

class SqliteFile {
  public:
    explicit SqliteFile(const std::string& path);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void Execute(std::string_view sql, const std::vector<SqlValue>& values = {});
    int Changes() const { return sqlite3_changes(m_db); }
    sqlite3* Handle() const { return m_db; }

  private:
    sqlite3* m_db = nullptr;
};
