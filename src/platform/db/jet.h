#pragma once
// The Jet dialect in which the system writes its queries, and its translation to SQLite's.

#include <cstddef>
#include <string>
#include <string_view>

namespace db::jet {

// SQLite's form of a Jet text: "[Name]" becomes "\"Name\"", a date "#mm/dd/yyyy#" (month and day
// of one or two digits, an optional time "hh:mm[:ss]" after a blank) becomes the ISO text the
// database stores ('yyyy-mm-dd' or 'yyyy-mm-dd hh:mm:ss'), and the words TRUE and FALSE become
// 1 and 0. Nothing changes inside '...' literals ('' included) or "..." names; a '#' that does
// not open a date stays as it is.
std::string ToSqlite(std::string_view jetSql);

// Position of keyword (a whole word, in any case) at or after from, outside literals, bracketed
// names and parentheses; npos when there is none.
std::size_t FindKeyword(std::string_view sql, std::string_view keyword, std::size_t from = 0);

}  // namespace db::jet
