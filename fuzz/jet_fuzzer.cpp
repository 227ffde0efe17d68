// The Jet-to-SQLite translation of query texts, on any bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/db/jet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    db::jet::ToSqlite(sql);
    db::jet::FindKeyword(sql, "FROM");
    return 0;
}
