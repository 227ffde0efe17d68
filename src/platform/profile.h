#pragma once
// Profile files with the Windows profile semantics: "[section]" lines and "key=value" lines.
// Section and key names match case-insensitively; white space around names and values is ignored,
// and so is a pair of single or double quotes enclosing a value. Lines starting with ';' are
// comments. The first matching section and key count. The files hold CP1252 bytes.

#include <string>
#include <string_view>

namespace profile {

// Size of the buffer values are read through: a stored value longer than kBufferSize - 1
// characters comes back cut to its first kBufferSize - 1.
constexpr int kBufferSize = 2048;

// The value of key in section of the file at path; the default (without its trailing blanks)
// when the file, the section or the key is missing or unreadable.
std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultValue);

// Writes key=value in section, creating the file and the section when missing and keeping every
// other line byte for byte; a new file ends its lines with CR LF, an existing one keeps its own
// line ends. The file is replaced atomically (temporary file, then rename), so a crash never
// leaves it truncated. False, and the file unchanged, when it could not be written, when it is
// read-only (whoever the user), or when the entry would not read back as written: a line break
// in any of the three, an empty key, '=' in the key or ']' in the section.
bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value);

}  // namespace profile
