#include "host/number_tools.h"

#include <locale.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal number that starts text (after blanks), with '.' as its mark; empty when none does.
std::string LeadingDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    int digits = 0;
    const auto takeDigits = [&] {
        for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) number += text[i];
    };
    takeDigits();
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        number += '.';
        ++i;
        takeDigits();
    }
    if (digits == 0) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            number.append(text, i, j - i);
            for (i = j; i < text.size() && IsDigit(text[i]); ++i) number += text[i];
        }
    }
    return number;
}

// value rounded half away from zero to places decimals, on the shortest decimal text that reads
// back as value (so 1.005 rounds up, as the user sees it, though its binary value lies below).
double RoundDecimal(double value, int places) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific);
    const std::string_view shortest(buffer, written.ptr - buffer);  // d[.ddd]e±xx
    const std::size_t mark = shortest.find('e');
    std::string digits;
    for (char c : shortest.substr(0, mark)) {
        if (c != '.') digits += c;
    }
    const char* exponentText = shortest.data() + mark + 1;
    if (*exponentText == '+') ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, shortest.data() + shortest.size(), exponent);

    const long kept = static_cast<long>(exponent) + 1 + places;  // digits before the cut
    if (kept >= static_cast<long>(digits.size())) return value;
    if (kept < 0) return 0.0;
    std::uint64_t scaled = 0;
    for (long k = 0; k < kept; ++k) scaled = scaled * 10 + static_cast<unsigned>(digits[k] - '0');
    if (digits[kept] >= '5') ++scaled;
    if (scaled == 0) return 0.0;
    const std::string rounded = std::to_string(scaled) + "e" + std::to_string(-places);
    double result = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), result);
    return std::copysign(result, value);
}

}  // namespace

double CNumberTools::GetDoubleValue(const std::string& text) const {
    const std::string number = LeadingDecimal(text);
    if (number.empty()) return 0.0;
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, classic);
}

double CNumberTools::CorrectNumber(double value, double replacement) const {
    return std::isfinite(value) ? value : replacement;
}

double CNumberTools::Round(double value, int kind) const {
    if (kind != 0 || !std::isfinite(value)) return value;
    return RoundDecimal(value, m_nPricePrecision);
}

int CCrack::intVARIANT(const db::Value& value) {
    constexpr int kLowest = std::numeric_limits<int>::min();
    constexpr int kHighest = std::numeric_limits<int>::max();
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<int>(std::clamp<std::int64_t>(*integer, kLowest, kHighest));
    }
    if (const auto* real = std::get_if<double>(&value)) {
        if (std::isnan(*real)) return 0;
        return static_cast<int>(std::clamp<double>(std::trunc(*real), kLowest, kHighest));
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        std::size_t i = 0;
        while (i < text->size() && IsBlank((*text)[i])) ++i;
        if (i + 1 < text->size() && (*text)[i] == '+' && IsDigit((*text)[i + 1])) ++i;
        int number = 0;
        std::from_chars(text->data() + i, text->data() + text->size(), number);
        return number;
    }
    return 0;
}
