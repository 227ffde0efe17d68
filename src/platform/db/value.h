#pragma once
// A value as it crosses the database port: null, integer, real, text (CP1252) or bytes.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace db {

using Bytes = std::vector<unsigned char>;
using Value = std::variant<std::monostate, std::int64_t, double, std::string, Bytes>;

inline bool IsNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

}  // namespace db
