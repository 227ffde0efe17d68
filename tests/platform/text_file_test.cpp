#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/temp_dir.h"

namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
    TempDir dir;
    std::ofstream(dir.File("f.txt"), std::ios::binary) << bytes;
    CStdioFile file;
    EXPECT_TRUE(file.Open(dir.File("f.txt")));
    std::vector<std::string> lines;
    for (std::string line; file.ReadString(line);) lines.push_back(line);
    return lines;
}

TEST(TextFileTest, LinesEndWithLfOrCrLfALastLineNeedsNoTerminatorAndAMissingFileNoLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(LinesOf(""), Lines{});
    EXPECT_EQ(LinesOf("a|b\r\nc\nd"), (Lines{"a|b", "c", "d"}));
    EXPECT_EQ(LinesOf("\n\r\nx\r"), (Lines{"", "", "x\r"}));
    EXPECT_EQ(LinesOf("a\rb\r\n"), (Lines{"a\rb"}));
    EXPECT_EQ(LinesOf(std::string("z\0y\n", 4)), (Lines{std::string("z\0y", 3)}));

    CStdioFile file;
    EXPECT_FALSE(file.Open("/nonexistent/f.txt"));
    std::string line;
    EXPECT_FALSE(file.ReadString(line));
}

}  // namespace
