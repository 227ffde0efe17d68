#pragma once
// Profile files with the Windows profile semantics: "[section]" lines and "key=value" lines.
// Section and key names match case-insensitively; white space around names and values is ignored.

#include <string>
#include <string_view>

namespace profile {

// Size of the buffer values are read through: a stored value longer than kBufferSize - 1
// characters comes back cut to its first kBufferSize - 1.
constexpr int kBufferSize = 2048;

// The value of key in section of the file at path; the default when the file, the section or
// the key is missing or unreadable.
std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultValue);

// Writes key=value in section, creating the file and the section when missing and keeping every
// other line as it was. The file is replaced atomically (temporary file, then rename), so a crash
// never leaves it truncated. False when it could not be written.
bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value);

}  // namespace profile
