#include "platform/db/query.h"

#include "platform/db/dao.h"
#include "platform/text.h"

namespace db {

namespace {

[[noreturn]] void Refuse(std::string description) {
    throw CDaoException(dao::kSyntaxError, std::move(description));
}

[[noreturn]] void RefuseFormat(std::string_view format) {
    Refuse(text::FromUtf8("La requête \"") + std::string(format) +
           text::FromUtf8("\" ne correspond pas aux valeurs données."));
}

[[noreturn]] void RefuseValue(std::string_view value, const char* reasonUtf8) {
    Refuse(text::FromUtf8("La valeur \"") + std::string(value) + text::FromUtf8(reasonUtf8));
}

// delimiter: the character that opened the literal the value goes into, or 0 outside any.
void CheckText(std::string_view value, char delimiter) {
    if (value.find('\'') != std::string_view::npos)
        RefuseValue(value, "\" contient une apostrophe : la requête a été refusée.");
    if (delimiter == '#' && value.find('#') != std::string_view::npos)
        RefuseValue(value, "\" contient le caractère # : la requête a été refusée.");
    if (delimiter == 0)
        RefuseValue(value, "\" serait placée hors d'une chaîne : la requête a été refusée.");
}

// The literal open after c, given the one open before it.
char DelimiterAfter(char delimiter, char c) {
    if (delimiter == 0) return c == '\'' || c == '#' ? c : 0;
    return c == delimiter ? 0 : delimiter;
}

}  // namespace

std::string FormatQueryArgs(std::string_view format, const std::vector<QueryArg>& args) {
    std::string out;
    std::size_t next = 0;
    char delimiter = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            delimiter = DelimiterAfter(delimiter, c);
            continue;
        }
        const char conversion = i + 1 < format.size() ? format[++i] : '\0';
        if (conversion == '%') {
            out += '%';
            continue;
        }
        if (next == args.size()) RefuseFormat(format);
        const QueryArg& arg = args[next++];
        if ((conversion == 'd' || conversion == 'i') && std::holds_alternative<std::int64_t>(arg)) {
            out += std::to_string(std::get<std::int64_t>(arg));
        } else if (conversion == 's' && std::holds_alternative<std::string_view>(arg)) {
            const std::string_view value = std::get<std::string_view>(arg);
            CheckText(value, delimiter);
            out += value;
        } else {
            RefuseFormat(format);
        }
    }
    if (next != args.size()) RefuseFormat(format);
    return out;
}

}  // namespace db
