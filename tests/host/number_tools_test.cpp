#include "host/number_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(HostNumberTest, ReadsTheLeadingDecimalWithEitherMark) {
    const CNumberTools numbers;
    const std::pair<const char*, double> cases[] = {
        {"12,5", 12.5}, {" \t-3,25e2", -325.0}, {"+.25", 0.25}, {"1,234.5", 1.234},
        {"3e+x", 3.0},  {"0x1A", 0.0},          {",e5", 0.0},   {"inf", 0.0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(numbers.GetDoubleValue(text), expected) << text;
    // An overflow is told as infinite, which the correction replaces.
    EXPECT_EQ(numbers.GetDoubleValue("-1e999"), -kInfinity);
    EXPECT_EQ(numbers.CorrectNumber(numbers.GetDoubleValue("-1e999"), 7.0), 7.0);
    EXPECT_EQ(numbers.CorrectNumber(-1e300, 7.0), -1e300);
}

TEST(HostNumberTest, PricesRoundHalfAwayFromZeroOnTheDecimalValue) {
    const CNumberTools numbers(2);
    const std::pair<double, double> cases[] = {
        {2.675, 2.68},       {-1.005, -1.01}, {0.005, 0.01}, {1.004999, 1.0},
        {94.5 * 1.2, 113.4}, {-0.004, 0.0},   {1e20, 1e20},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_DOUBLE_EQ(numbers.Round(value, 0), expected) << value;
    EXPECT_EQ(numbers.Round(2.675, 1), 2.675);
    EXPECT_TRUE(std::isnan(numbers.Round(kNaN, 0)));
    EXPECT_DOUBLE_EQ(CNumberTools(0).Round(-2.5, 0), -3.0);
}

TEST(HostNumberTest, FieldValuesAsIntegers) {
    EXPECT_EQ(CCrack::intVARIANT(db::Value{std::int64_t{5'000'000'000}}),
              std::numeric_limits<int>::max());
    EXPECT_EQ(CCrack::intVARIANT(db::Value{-3.9}), -3);
    EXPECT_EQ(CCrack::intVARIANT(db::Value{-1e12}), std::numeric_limits<int>::min());
    EXPECT_EQ(CCrack::intVARIANT(db::Value{kNaN}), 0);
    EXPECT_EQ(CCrack::intVARIANT(db::Value{std::string("  17 pieces")}), 17);
    EXPECT_EQ(CCrack::intVARIANT(db::Value{std::string("+5")}), 5);
    EXPECT_EQ(CCrack::intVARIANT(db::Value{std::string("+-5")}), 0);
    EXPECT_EQ(CCrack::intVARIANT(db::Value{}), 0);
}

}  // namespace
