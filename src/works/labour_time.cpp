#include "works/labour_time.h"

#include <cctype>
#include <charconv>
#include <string>

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Moves at past the digits there; answers how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at - start;
}

// The unsigned number at the start of text, its separator written '.'; empty when there is none.
std::string LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    std::size_t digits = SkipDigits(text, at);
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        ++at;
        digits += SkipDigits(text, at);
    }
    if (digits == 0) return {};
    std::size_t end = at;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (SkipDigits(text, exponent) > 0) end = exponent;
    }
    std::string number(text.substr(0, end));
    for (char& c : number)
        if (c == ',') c = '.';
    return number;
}

}  // namespace

double ReadLabourTime(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string_view::npos) return 0.0;
    const bool negative = text[first] == '-';
    if (text[first] == '+' || negative) ++first;
    const std::string number = LeadingNumber(text.substr(first));
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc()) return 0.0;
    return negative ? -value : value;
}
