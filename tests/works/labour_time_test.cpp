#include "works/labour_time.h"

#include <gtest/gtest.h>

namespace {

TEST(LabourTimeTest, EitherSeparatorReadsUpToTheFirstOtherCharacter) {
    const struct {
        const char* text;
        double hours;
    } cases[] = {{"  2,25 h", 2.25}, {"-1,5", -1.5}, {"+3", 3.0},  {".5", 0.5},    {"h2", 0.0},
                 {"1.2.3", 1.2},     {"1e2", 100.0}, {"2e+", 2.0}, {"1e999", 0.0}, {"\t\r\n", 0.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ReadLabourTime(c.text), c.hours) << c.text;
}

}  // namespace
