#include "platform/text.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace text {

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined five keep their own value. The other bytes
// are their own code point, as in Latin-1. (glibc's iconv rejects the undefined five, and gives
// the same error for malformed input as for a character without a byte, so it is not used here.)
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    const auto* it = std::find(kHighControls.begin(), kHighControls.end(), cp);
    return it == kHighControls.end() ? '?' : static_cast<char>(0x80 + (it - kHighControls.begin()));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct Decoded {
    char32_t cp;  // U+FFFD for a malformed sequence
    size_t length;
};

// Decodes the sequence at the start of s (not empty). A malformed sequence is consumed up to the
// first byte that cannot continue it, so that the next sequence starts afresh.
Decoded DecodeUtf8(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) return {lead, 1};
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t cp = lead & (0x3F >> (length - 1));
    if (lead < 0xC2 || lead > 0xF4) return {0xFFFD, 1};
    for (size_t i = 1; i < length; ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return {0xFFFD, i};
        cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        // Overlong forms, surrogates and values past U+10FFFF show on the second byte.
        if (i == 1 && ((length == 3 && cp < 0x20) || (length == 3 && cp >= 0x360 && cp < 0x380) ||
                       (length == 4 && (cp < 0x10 || cp >= 0x110)))) {
            return {0xFFFD, 1};
        }
    }
    return {cp, length};
}

bool IsWhite(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string TrimLeftIf(std::string_view s, auto trimmed) {
    auto it = std::find_if_not(s.begin(), s.end(), trimmed);
    return std::string(it, s.end());
}

// CP1252 letters whose other case is a single byte as well.
char ToUpperByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 0x10);  // š œ ž
    if (b == 0xFF) return static_cast<char>(0x9F);                                // ÿ
    return c;
}

char ToLowerByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 0x10);  // Š Œ Ž
    if (b == 0x9F) return static_cast<char>(0xFF);                                // Ÿ
    return c;
}

int Length(std::string_view s) {
    return static_cast<int>(s.size());
}

// ASCII is the same in both encodings.
bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string ToUtf8(std::string_view cp1252) {
    if (IsAscii(cp1252)) return std::string(cp1252);
    std::string out;
    out.reserve(cp1252.size() * 2);
    for (char c : cp1252) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Decoded d = DecodeUtf8(utf8);
        out += ByteOf(d.cp);
        utf8.remove_prefix(d.length);
    }
    return out;
}

int Find(std::string_view s, std::string_view what, int start) {
    start = std::max(start, 0);
    if (start > Length(s)) return -1;
    const size_t pos = s.find(what, static_cast<size_t>(start));
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int Find(std::string_view s, char what, int start) {
    return Find(s, std::string_view(&what, 1), start);
}

int ReverseFind(std::string_view s, char c) {
    const size_t pos = s.rfind(c);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

std::string Mid(std::string_view s, int first) {
    return Mid(s, first, Length(s));
}

std::string Mid(std::string_view s, int first, int count) {
    first = std::clamp(first, 0, Length(s));
    count = std::clamp(count, 0, Length(s) - first);
    return std::string(s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

std::string Left(std::string_view s, int count) {
    return Mid(s, 0, count);
}

std::string Right(std::string_view s, int count) {
    count = std::clamp(count, 0, Length(s));
    return std::string(s.substr(s.size() - static_cast<size_t>(count)));
}

std::string TrimLeft(std::string_view s) {
    return TrimLeftIf(s, IsWhite);
}

std::string TrimRight(std::string_view s) {
    auto it = std::find_if_not(s.rbegin(), s.rend(), IsWhite);
    return std::string(s.begin(), it.base());
}

std::string Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

std::string TrimLeft(std::string_view s, std::string_view chars) {
    return TrimLeftIf(s, [chars](char c) { return chars.find(c) != std::string_view::npos; });
}

std::string Replace(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    size_t done = 0;
    for (size_t pos = s.find(from); pos != std::string_view::npos; pos = s.find(from, done)) {
        out.append(s.substr(done, pos - done)).append(to);
        done = pos + from.size();
    }
    return out.append(s.substr(done));
}

std::string Replace(std::string_view s, char from, char to) {
    std::string out(s);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

std::vector<std::string> Split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    for (size_t pos = s.find(sep); pos != std::string_view::npos; pos = s.find(sep)) {
        parts.emplace_back(s.substr(0, pos));
        s.remove_prefix(pos + 1);
    }
    parts.emplace_back(s);
    return parts;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<size_t>(length));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}

std::string MakeUpper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), ToUpperByte);
    return out;
}

std::string MakeLower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), ToLowerByte);
    return out;
}

}  // namespace text
