// An import file of the works import, read as the engine reads it: line by line in text mode,
// each line split into its '|'-separated fields, the labour times of a works line read as
// numbers. Checked against plain readings: the lines are the file's, LF or CR LF ended; a record
// has as many fields as it counts; a labour time is what strtod reads once ',' is written '.'.

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "import/text_fields.h"
#include "platform/text_file.h"
#include "works/labour_time.h"

namespace {

constexpr std::size_t kWorkFields = 13;
constexpr std::size_t kLabourTimes[] = {9, 10};

// The lines of content in text mode, without their terminators.
std::vector<std::string> PlainLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (end < content.size() && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> FileLines(const std::string& content) {
    static const std::string path = [] {
        char name[] = "/dev/shm/prixel-fuzz-works-XXXXXX";
        close(mkstemp(name));
        return std::string(name);
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    CStdioFile reader;
    if (!reader.Open(path)) std::abort();
    std::vector<std::string> lines;
    for (std::string line; reader.ReadString(line);) lines.push_back(line);
    return lines;
}

bool IsBlank(char c) {
    return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos;
}

void CheckFields(const std::string& record) {
    const std::vector<std::string> fields = TrimmedFields(record);
    if (fields.size() != FieldCount(record)) std::abort();
    for (const std::string& field : fields) {
        if (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back()))) std::abort();
    }
    if (fields.size() != kWorkFields) return;
    for (std::size_t at : kLabourTimes) ReadLabourTime(fields[at]);
}

// A labour time read as the runtime would, its decimal comma written as a point. Only texts whose
// number is made of digits, a separator and an exponent are compared: strtod also reads
// hexadecimal numbers, infinities and NaN, which a labour time is not.
void CheckLabourTime(const std::string& text) {
    std::string pointed = text;
    for (char& c : pointed) {
        if (c == ',') c = '.';
    }
    errno = 0;
    char* end = nullptr;
    const double expected = std::strtod(pointed.c_str(), &end);
    if (errno == ERANGE) return;
    const std::string_view read(pointed.c_str(), static_cast<std::size_t>(end - pointed.c_str()));
    if (read.find_first_not_of(" \t\n\v\f\r+-0123456789.eE") != std::string_view::npos) return;
    const double got = ReadLabourTime(text);
    if (got != expected && !(got == 0.0 && expected == 0.0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = FileLines(content);
    if (lines != PlainLines(content)) std::abort();
    for (const std::string& line : lines) {
        if (text::WithoutLineEnd(line + "\r\n") != line) std::abort();
        CheckFields(line);
    }
    CheckLabourTime(content.substr(0, content.find('\0')));
    return 0;
}
