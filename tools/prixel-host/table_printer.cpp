#include "table_printer.h"

#include <cstdio>
#include <memory>

#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/text.h"

namespace {

std::string Escape(const std::string& cp1252) {
    std::string out;
    for (char c : text::ToUtf8(cp1252)) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Long binary notes hold text with its terminating zero: shown as the text.
std::string BytesAsText(const db::Bytes& bytes) {
    std::string s(bytes.begin(), bytes.end());
    while (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
}

std::string Show(const db::Value& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(std::int64_t n) const { return std::to_string(n); }
        std::string operator()(double d) const {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.15g", d);
            return buffer;
        }
        std::string operator()(const std::string& s) const { return Escape(s); }
        std::string operator()(const db::Bytes& b) const { return Escape(BytesAsText(b)); }
    };
    return std::visit(Visitor{}, value);
}

void PrintRow(const db::Statement& statement, bool header, std::ostream& out) {
    for (int i = 0; i < statement.ColumnCount(); ++i) {
        if (i > 0) out << '\t';
        out << (header ? Escape(statement.ColumnName(i)) : Show(statement.Column(i)));
    }
    out << '\n';
}

}  // namespace

void PrintTable(const std::string& databaseFile, const std::string& table, std::ostream& out) {
    CDaoDatabase database;
    database.Open(databaseFile, false, true);
    std::unique_ptr<db::Statement> statement =
        database.Connection().Prepare("SELECT * FROM [" + table + "] ORDER BY rowid");
    bool hasRow = statement->Step();
    PrintRow(*statement, true, out);
    for (; hasRow; hasRow = statement->Step()) PrintRow(*statement, false, out);
}
