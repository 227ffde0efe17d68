#pragma once
// The Jet dialect in which the system writes its queries, and its translations to SQLite's and
// PostgreSQL's.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace db::jet {

// SQLite's form of a Jet text: "[Name]" becomes "\"Name\"", a date "#mm/dd/yyyy#" (month and day
// of one or two digits, an optional time "hh:mm[:ss]" after a blank) becomes the ISO text the
// database stores ('yyyy-mm-dd' or 'yyyy-mm-dd hh:mm:ss'), and the words TRUE and FALSE become
// 1 and 0. Nothing changes inside '...' literals ('' included) or "..." names; a '#' that does
// not open a date stays as it is.
std::string ToSqlite(std::string_view jetSql);

// PostgreSQL's form of a Jet text: as ToSqlite, but a bracketed name is put in lower case (ASCII
// letters), as PostgreSQL folds the names written without quotes: Jet names ignore case, and
// "[Type tache]" and "BLOUV.Type" then name the columns that "CREATE TABLE BLOUV ([Type tache]
// INTEGER, Type INTEGER)" made.
std::string ToPostgresql(std::string_view jetSql);

// Position of keyword (a whole word, in any case) at or after from, outside literals, bracketed
// names and parentheses; npos when there is none.
std::size_t FindKeyword(std::string_view sql, std::string_view keyword, std::size_t from = 0);

// The parts of sql between the separators that stand outside literals, bracketed or quoted names
// and parentheses, blanks trimmed, empty parts left out: the statements of a script (';'), the
// columns of a table (',').
std::vector<std::string> SplitOutside(std::string_view sql, char separator);

}  // namespace db::jet
