#pragma once
// The exception that reports a failure of the SQLite engine: its Jet code and a French
// description that names what failed and ends with the engine's own words.

#include <string>

#include "platform/db/dao.h"

namespace adapters {

// extendedCode and engineMessage (UTF-8) as SQLite gives them; path is the database file (CP1252).
CDaoException SqliteError(int extendedCode, const std::string& engineMessage,
                          const std::string& path);

}  // namespace adapters
