#pragma once
// Text helpers over the framework's 8-bit strings. Every string of the system is CP1252 text held
// in a std::string; lengths, positions and cuts count CP1252 characters (bytes). Conversion to and
// from UTF-8 happens only at the edges (SQLite, the terminal, the desktop toolkit).

#include <string>
#include <string_view>
#include <vector>

namespace text {

// CP1252 -> UTF-8. The five bytes CP1252 leaves undefined map to the C1 control of the same value.
std::string ToUtf8(std::string_view cp1252);
// UTF-8 -> CP1252. A character CP1252 cannot hold, or a malformed sequence, becomes '?'.
std::string FromUtf8(std::string_view utf8);

// Position of the first occurrence of what at or after start, or -1 (start < 0 counts as 0).
int Find(std::string_view s, std::string_view what, int start = 0);
int Find(std::string_view s, char what, int start = 0);
// Position of the last occurrence of c, or -1.
int ReverseFind(std::string_view s, char c);

// The framework's Mid, Left and Right: out-of-range positions and counts are clamped, never thrown.
std::string Mid(std::string_view s, int first);
std::string Mid(std::string_view s, int first, int count);
std::string Left(std::string_view s, int count);
std::string Right(std::string_view s, int count);

// White space is blank, TAB, CR, LF, vertical tab and form feed.
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string Trim(std::string_view s);
// Trims the given characters instead of white space.
std::string TrimLeft(std::string_view s, std::string_view chars);

// Replaces every occurrence of from (non-empty) by to, left to right, without rescanning.
std::string Replace(std::string_view s, std::string_view from, std::string_view to);
std::string Replace(std::string_view s, char from, char to);

// Splits at every sep; n separators give n+1 parts, empty parts included ("" gives one empty part).
std::vector<std::string> Split(std::string_view s, char sep);

// printf-style formatting into a string (the framework's Format).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ASCII letters and CP1252's accented letters, whose other case is one byte too (é/É, œ/Œ,
// š/Š, ž/Ž, ÿ/Ÿ); ß and µ stay as they are.
std::string MakeUpper(std::string_view s);
std::string MakeLower(std::string_view s);

}  // namespace text
