#pragma once
// The records of the import files: one line each, fields separated by '|' (no quoting, no
// escape), numbered from 0. A record is valid only with exactly the number of fields of its file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The number of fields of a record: its separators plus one (an empty record has one).
std::size_t FieldCount(std::string_view record);
// The fields of a record, each without its leading and trailing white space.
std::vector<std::string> TrimmedFields(std::string_view record);
