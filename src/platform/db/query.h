#pragma once
// The one way a query is built from a fixed text and values. Values are put into the text as they
// are ("%d" and "%i" integers, "%s" texts, "%%" a percent sign); a text value holding a single
// quote is refused with the CDaoException a broken query raises (code 3075), so no value can
// ever change what a query reads or writes. For the same reason a "%s" must stand inside a
// '...' literal or a #...# date, and a value put into a date may not hold '#'. A format whose
// conversions do not match the values given is refused the same way.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace db {

using QueryArg = std::variant<std::int64_t, std::string_view>;

std::string FormatQueryArgs(std::string_view format, const std::vector<QueryArg>& args);

template <class... Args>
std::string FormatQuery(std::string_view format, const Args&... args) {
    [[maybe_unused]] auto toArg = [](const auto& a) -> QueryArg {
        if constexpr (std::is_integral_v<std::decay_t<decltype(a)>>) {
            return static_cast<std::int64_t>(a);
        } else {
            return std::string_view(a);
        }
    };
    return FormatQueryArgs(format, {toArg(args)...});
}

}  // namespace db
