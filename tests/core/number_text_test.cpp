#include "core/number_text.h"

#include <gtest/gtest.h>

namespace korvelle {
namespace {

TEST(LeadingValue, TakesTheLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(LeadingValue("85-100"), 85.0);
    EXPECT_DOUBLE_EQ(LeadingValue("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingValue(" 1 2 . 5x"), 12.5);  // blanks anywhere are ignored
    EXPECT_DOUBLE_EQ(LeadingValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingValue("-3"), -3.0);
    EXPECT_DOUBLE_EQ(LeadingValue("1,000"), 1.0);
    EXPECT_DOUBLE_EQ(LeadingValue(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingValue("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingValue("."), 0.0);
    EXPECT_DOUBLE_EQ(LeadingValue("3-"), 3.0);
}

TEST(ParseNumber, AcceptsOnlyAWholeDecimalNumber) {
    EXPECT_EQ(ParseNumber("2.5"), 2.5);
    EXPECT_EQ(ParseNumber("  2.5 "), 2.5);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("+7"), 7.0);
    EXPECT_EQ(ParseNumber("-0.25"), -0.25);
    for (const char* bad : {"", "   ", ".", "-", "1.2.3", "2,5", "1,000", "12abc", "85-100", "1 2", "1e3",
                            "inf", "nan", "0x10"}) {
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
    }
}

TEST(ParseNumber, ConvertsToTheFieldTypes) {
    EXPECT_EQ(ParseInt16("1001.5"), 1002);  // ties go to the even integer
    EXPECT_EQ(ParseInt16("1002.5"), 1002);
    EXPECT_EQ(ParseInt16("1002.51"), 1003);
    EXPECT_EQ(ParseInt16("-2.5"), -2);
    EXPECT_EQ(ParseInt16("32767"), 32767);
    EXPECT_FALSE(ParseInt16("32768").has_value());
    EXPECT_FALSE(ParseInt16("99999").has_value());
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    EXPECT_FALSE(ParseInt32("2147483648").has_value());
    EXPECT_EQ(ParseInt32("300000"), 300000);
    EXPECT_EQ(ParseSingle("0.1"), 0.1f);
    EXPECT_EQ(ParseSingle("4.1"), 4.1f);
    EXPECT_FALSE(ParseSingle("340282356779733661637539395458142568448").has_value());  // beyond single
    EXPECT_FALSE(ParseSingle("abc").has_value());
}

TEST(RoundHalfEven, GoesToTheEvenIntegerOnTies) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
}

}  // namespace
}  // namespace korvelle
