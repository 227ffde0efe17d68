#include "platform/db/jet.h"

#include <cctype>
#include <optional>

#include "platform/oledate.h"

namespace db::jet {

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::size_t WordEnd(std::string_view s, std::size_t i) {
    while (i < s.size() && IsWordChar(s[i])) ++i;
    return i;
}

// End of the quoted run opening at i ('...', "..." with doubled closers, or [...]).
std::size_t QuotedEnd(std::string_view s, std::size_t i) {
    const char close = s[i] == '[' ? ']' : s[i];
    for (std::size_t j = i + 1; j < s.size(); ++j) {
        if (s[j] != close) continue;
        if (close != ']' && j + 1 < s.size() && s[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return s.size();
}

bool OpensQuotedRun(char c) {
    return c == '\'' || c == '"' || c == '[';
}

class NumberReader {
  public:
    explicit NumberReader(std::string_view s) : m_s(s) {}

    std::optional<int> Number(std::size_t minDigits, std::size_t maxDigits) {
        std::size_t digits = 0;
        int value = 0;
        while (m_pos < m_s.size() && digits < maxDigits &&
               std::isdigit(static_cast<unsigned char>(m_s[m_pos]))) {
            value = value * 10 + (m_s[m_pos++] - '0');
            ++digits;
        }
        if (digits < minDigits) return std::nullopt;
        return value;
    }
    bool Skip(char c) {
        if (m_pos >= m_s.size() || m_s[m_pos] != c) return false;
        ++m_pos;
        return true;
    }
    bool AtEnd() const { return m_pos == m_s.size(); }

  private:
    std::string_view m_s;
    std::size_t m_pos = 0;
};

// The ISO literal of a Jet date "m/d/yyyy[ h:mm[:ss]]", or nothing.
std::optional<std::string> IsoLiteral(std::string_view date) {
    NumberReader r(date);
    const auto month = r.Number(1, 2);
    if (!month || !r.Skip('/')) return std::nullopt;
    const auto day = r.Number(1, 2);
    if (!day || !r.Skip('/')) return std::nullopt;
    const auto year = r.Number(4, 4);
    if (!year) return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    if (r.Skip(' ')) {
        const auto h = r.Number(1, 2);
        const auto m = r.Skip(':') ? r.Number(2, 2) : std::nullopt;
        if (!h || !m) return std::nullopt;
        const auto s = r.Skip(':') ? r.Number(2, 2) : std::optional<int>(0);
        if (!s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
        hour = *h, minute = *m, second = *s;
    }
    if (!r.AtEnd() || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    return "'" + COleDateTime(*year, *month, *day, hour, minute, second).ToIso() + "'";
}

enum class NameCase { kAsWritten, kLower };

std::string QuotedName(std::string_view bracketed, NameCase nameCase) {
    std::string out = "\"";
    for (char c : bracketed.substr(1, bracketed.size() - 2)) {
        if (c == '"') out += '"';
        const bool lower = nameCase == NameCase::kLower && c >= 'A' && c <= 'Z';
        out += lower ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out + '"';
}

std::string Translated(std::string_view jetSql, NameCase nameCase) {
    std::string out;
    out.reserve(jetSql.size());
    std::size_t i = 0;
    while (i < jetSql.size()) {
        const char c = jetSql[i];
        std::size_t end = i + 1;
        if (OpensQuotedRun(c)) {
            end = QuotedEnd(jetSql, i);
            const std::string_view run = jetSql.substr(i, end - i);
            const bool name = c == '[' && run.size() > 1 && run.back() == ']';
            out += name ? QuotedName(run, nameCase) : std::string(run);
        } else if (c == '#') {
            const std::size_t close = jetSql.find('#', i + 1);
            const auto iso = close == std::string_view::npos
                                 ? std::nullopt
                                 : IsoLiteral(jetSql.substr(i + 1, close - i - 1));
            if (iso) end = close + 1;
            out += iso ? *iso : std::string(1, c);
        } else if (IsWordChar(c)) {
            end = WordEnd(jetSql, i);
            const std::string_view word = jetSql.substr(i, end - i);
            out += SameWord(word, "TRUE") ? "1" : SameWord(word, "FALSE") ? "0" : word;
        } else {
            out += c;
        }
        i = end;
    }
    return out;
}

}  // namespace

std::string ToSqlite(std::string_view jetSql) {
    return Translated(jetSql, NameCase::kAsWritten);
}

std::string ToPostgresql(std::string_view jetSql) {
    return Translated(jetSql, NameCase::kLower);
}

std::size_t FindKeyword(std::string_view sql, std::string_view keyword, std::size_t from) {
    int depth = 0;
    std::size_t i = from;
    while (i < sql.size()) {
        const char c = sql[i];
        if (OpensQuotedRun(c)) {
            i = QuotedEnd(sql, i);
        } else if (IsWordChar(c)) {
            const std::size_t end = WordEnd(sql, i);
            if (depth == 0 && SameWord(sql.substr(i, end - i), keyword)) return i;
            i = end;
        } else {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ++i;
        }
    }
    return std::string_view::npos;
}

std::vector<std::string> SplitOutside(std::string_view sql, char separator) {
    std::vector<std::string> parts;
    const auto keep = [&parts, sql](std::size_t begin, std::size_t end) {
        std::size_t first = begin, last = end;
        while (first < last && std::isspace(static_cast<unsigned char>(sql[first]))) ++first;
        while (last > first && std::isspace(static_cast<unsigned char>(sql[last - 1]))) --last;
        if (first < last) parts.emplace_back(sql.substr(first, last - first));
    };
    int depth = 0;
    std::size_t begin = 0, i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (OpensQuotedRun(c)) {
            i = QuotedEnd(sql, i);
            continue;
        }
        if (c == separator && depth == 0) {
            keep(begin, i);
            begin = i + 1;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        ++i;
    }
    keep(begin, sql.size());
    return parts;
}

}  // namespace db::jet
