#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include "platform/text.h"

namespace profile {

namespace {

// One line of the file: its text and the line end that followed it ("\r\n", "\n" or none).
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    while (!content.empty()) {
        const size_t lf = content.find('\n');
        const size_t next = lf == std::string_view::npos ? content.size() : lf + 1;
        const bool crlf = lf != std::string_view::npos && lf > 0 && content[lf - 1] == '\r';
        const size_t textEnd = crlf ? lf - 1 : std::min(lf, content.size());
        lines.push_back({content.substr(0, textEnd), content.substr(textEnd, next - textEnd)});
        content.remove_prefix(next);
    }
    return lines;
}

bool SameName(std::string_view a, std::string_view b) {
    return text::MakeUpper(a) == text::MakeUpper(b);
}

// The name of a "[section]" line; nothing for any other line.
std::optional<std::string> SectionName(std::string_view line) {
    const std::string trimmed = text::Trim(line);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    const int close = text::Find(trimmed, ']');
    return text::Trim(
        text::Mid(trimmed, 1, close < 0 ? static_cast<int>(trimmed.size()) : close - 1));
}

// Whether the line is "key=value" for key; a comment line (";") is never a key.
bool IsKeyLine(std::string_view line, std::string_view key) {
    const std::string trimmed = text::TrimLeft(line);
    const int equals = text::Find(trimmed, '=');
    return equals > 0 && trimmed[0] != ';' &&
           SameName(text::Trim(text::Left(trimmed, equals)), key);
}

// The value of a key line: trimmed, and without the quotes that may enclose it.
std::string ValueOf(std::string_view line) {
    std::string value = text::Trim(text::Mid(line, text::Find(line, '=') + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// The lines of section: the index of its "[section]" line and the index past its last line.
struct Range {
    size_t header;
    size_t end;
};

std::optional<Range> FindSection(const std::vector<Line>& lines, std::string_view section) {
    std::optional<Range> found;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (!name) continue;
        if (found) return Range{found->header, i};
        if (SameName(*name, section)) found = Range{i, lines.size()};
    }
    return found;
}

std::optional<size_t> FindKey(const std::vector<Line>& lines, const Range& range,
                              std::string_view key) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (IsKeyLine(lines[i].text, key)) return i;
    }
    return std::nullopt;
}

std::string CutToBuffer(std::string value) {
    if (value.size() > kBufferSize - 1) value.resize(kBufferSize - 1);
    return value;
}

// The file's bytes: empty when the file does not exist, nothing when it cannot be read.
std::optional<std::string> ReadContent(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
    std::string content;
    char buffer[8192];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) content.append(buffer, got);
    ::close(fd);
    if (got < 0) return std::nullopt;
    return content;
}

// Whether the file at path may be replaced; mode receives its permissions when it exists. A file
// marked read-only stays unchanged even for a user whom the system would let write it, as the
// read-only attribute does on Windows.
bool MayReplace(const std::string& path, std::optional<mode_t>& mode) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT;
    mode = info.st_mode & 07777;
    if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes content into a temporary file beside path, then renames it over path.
bool ReplaceFile(const std::string& path, std::string_view content, std::optional<mode_t> mode) {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = WriteAll(fd, content) && (!mode || ::fchmod(fd, *mode) == 0);
    written = ::fsync(fd) == 0 && written;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool HoldsLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The line end of the file: CR LF unless the file already ends its lines with a bare LF.
std::string_view LineEndOf(std::string_view content) {
    const size_t lf = content.find('\n');
    return lf != std::string_view::npos && (lf == 0 || content[lf - 1] != '\r') ? "\n" : "\r\n";
}

// The file's text with key=value set in section.
std::string WithValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::string_view eol = LineEndOf(content);
    const std::vector<Line> lines = SplitLines(content);
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::string out;
    const auto range = FindSection(lines, section);
    if (!range) {
        out = content;
        if (!lines.empty() && lines.back().end.empty()) out += eol;
        return out.append("[").append(section).append("]").append(eol).append(entry).append(eol);
    }
    const auto keyLine = FindKey(lines, *range, key);
    size_t insertAfter = range->header;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (!text::Trim(lines[i].text).empty()) insertAfter = i;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (keyLine == i) {
            out.append(entry).append(lines[i].end);
            continue;
        }
        out.append(lines[i].text).append(lines[i].end);
        if (!keyLine && i == insertAfter) {
            if (lines[i].end.empty()) out += eol;
            out.append(entry).append(eol);
        }
    }
    return out;
}

}  // namespace

std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultValue) {
    const std::string content = ReadContent(path).value_or("");
    const std::vector<Line> lines = SplitLines(content);
    const auto range = FindSection(lines, section);
    const auto keyLine = range ? FindKey(lines, *range, key) : std::nullopt;
    if (!keyLine) return CutToBuffer(text::TrimRight(defaultValue));
    return CutToBuffer(ValueOf(lines[*keyLine].text));
}

bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value) {
    if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value) ||
        text::Trim(key).empty() || text::Find(key, '=') >= 0 || text::Find(section, ']') >= 0) {
        return false;
    }
    std::optional<mode_t> mode;
    if (!MayReplace(path, mode)) return false;
    const auto content = ReadContent(path);
    if (!content) return false;
    return ReplaceFile(path, WithValue(*content, section, key, value), mode);
}

}  // namespace profile
