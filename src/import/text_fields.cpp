#include "import/text_fields.h"

#include <algorithm>

#include "platform/text.h"

namespace {

constexpr char kFieldSeparator = '|';

}  // namespace

std::size_t FieldCount(std::string_view record) {
    return static_cast<std::size_t>(std::count(record.begin(), record.end(), kFieldSeparator)) + 1;
}

std::vector<std::string> TrimmedFields(std::string_view record) {
    std::vector<std::string> fields = text::Split(record, kFieldSeparator);
    for (std::string& field : fields) field = text::Trim(field);
    return fields;
}
