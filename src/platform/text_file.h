#pragma once
// The framework's text file, read in text mode: a line ends with LF or CR LF, and its terminator
// is not part of the line read; a last line without terminator is still a line. Lines are read
// one at a time, so a file of any size costs no more memory than its longest line.

#include <cstdio>
#include <string>
#include <string_view>

class CStdioFile {
  public:
    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Opens the file at path (CP1252) for reading; false when it cannot be opened.
    bool Open(const std::string& path);
    // The next line, without its terminator; false at the end of the file.
    bool ReadString(std::string& line);
    void SeekToBegin();
    void Close();

  private:
    std::FILE* m_file = nullptr;
    char* m_buffer = nullptr;
    std::size_t m_capacity = 0;
};

namespace text {

// A line as read in text mode: without its final LF, or CR LF.
std::string_view WithoutLineEnd(std::string_view line);

}  // namespace text
