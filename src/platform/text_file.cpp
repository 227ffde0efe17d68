#include "platform/text_file.h"

#include <sys/types.h>

#include <cstdlib>

#include "platform/text.h"

CStdioFile::~CStdioFile() {
    Close();
    std::free(m_buffer);
}

bool CStdioFile::Open(const std::string& path) {
    Close();
    m_file = std::fopen(text::ToUtf8(path).c_str(), "rb");
    return m_file != nullptr;
}

bool CStdioFile::ReadString(std::string& line) {
    if (!m_file) return false;
    const ssize_t length = ::getline(&m_buffer, &m_capacity, m_file);
    if (length < 0) return false;
    line = text::WithoutLineEnd(std::string_view(m_buffer, static_cast<std::size_t>(length)));
    return true;
}

void CStdioFile::SeekToBegin() {
    if (m_file) std::rewind(m_file);
}

void CStdioFile::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

namespace text {

std::string_view WithoutLineEnd(std::string_view line) {
    if (!line.ends_with('\n')) return line;
    line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace text
