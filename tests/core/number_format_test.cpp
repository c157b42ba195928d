#include "core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/number_text.h"

namespace korvelle {
namespace {

TEST(FormatNumber, ThePatternsOfTheScreensAndTheForm) {
    EXPECT_EQ(FormatNumber(1.25, "#0.00"), "1.25");
    EXPECT_EQ(FormatNumber(0.0, "#0.00"), "0.00");
    EXPECT_EQ(FormatNumber(16.0, "#0.00"), "16.00");
    EXPECT_EQ(FormatNumber(0.2f, "0.00"), "0.20");
    EXPECT_EQ(FormatNumber(0.1, "0.000"), "0.100");
    EXPECT_EQ(FormatNumber(114.3, "###"), "114");
    EXPECT_EQ(FormatNumber(0.0, "###"), "");  // "#" alone prints nothing for zero
    EXPECT_EQ(FormatNumber(0.4, "###"), "");  // rounds to zero
    EXPECT_EQ(FormatNumber(12.25, "##0.0"), "12.3");
    EXPECT_EQ(FormatNumber(0.04, "##0.0"), "0.0");
    EXPECT_EQ(FormatNumber(90.0, "###.0"), "90.0");
    EXPECT_EQ(FormatNumber(0.5, "###.0"), ".5");  // no leading zero
    EXPECT_EQ(FormatNumber(100.0, "###.0"), "100.0");
    EXPECT_EQ(FormatNumber(std::int32_t{12000}, "##,###"), "12,000");
    EXPECT_EQ(FormatNumber(std::int32_t{999}, "##,###"), "999");
    EXPECT_EQ(FormatNumber(std::int32_t{0}, "##,###"), "");
    EXPECT_EQ(FormatNumber(std::int32_t{9008200}, "###,###,###"), "9,008,200");
    EXPECT_EQ(FormatNumber(std::int32_t{2147483647}, "###,###,###"), "2,147,483,647");
    EXPECT_EQ(FormatNumber(std::int32_t{1234567}, "##,###"), "1,234,567");  // more digits than the pattern
    EXPECT_EQ(FormatNumber(std::int64_t{-1500}, "##,###"), "-1,500");
}

TEST(FormatNumber, RoundsTheDecimalValueAsAPersonWould) {
    // 0.30 x 2.75 is 0.8249999... in binary; as a decimal it is 0.825.
    EXPECT_EQ(FormatNumber(0.30 * 2.75, "0.00"), "0.83");
    EXPECT_EQ(FormatNumber(0.30 * 0.25, "0.00"), "0.08");  // 0.075
    EXPECT_EQ(FormatNumber(0.44 * 1.3, "0.00"), "0.57");   // 0.572
    // 7.50 in x 25.4 = 190.5 mm (single)
    EXPECT_EQ(FormatNumber(25.4f * 7.5f, "###"), "191");
    EXPECT_EQ(FormatNumber(25.4f * 4.5f, "###"), "114");
    EXPECT_EQ(FormatNumber(2.675f, "0.00"), "2.68");
    EXPECT_EQ(FormatNumber(1.005, "0.00"), "1.01");
    EXPECT_EQ(FormatNumber(9.995, "#0.00"), "10.00");  // carry into a new digit
    EXPECT_EQ(FormatNumber(999.95, "##0.0"), "1000.0");
    EXPECT_EQ(FormatNumber(0.0049, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(0.005, "0.00"), "0.01");
}

TEST(FormatNumber, NeverPrintsAMinusBeforeZero) {
    EXPECT_EQ(FormatNumber(-0.001, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(-0.0, "#0.00"), "0.00");
    EXPECT_EQ(FormatNumber(-0.3f, "###"), "");
    EXPECT_EQ(FormatNumber(-1.255, "0.00"), "-1.26");  // half away from zero
    EXPECT_EQ(FormatNumber(-12.25, "##0.0"), "-12.3");
}

TEST(FormatNumber, KeepsOnlyTheSignificantDigitsOfLargeAndTinyValues) {
    // 15 significant digits of a double, 7 of a single, then the pattern.
    EXPECT_EQ(FormatNumber(123456789012345678.0, "###,###,###"), "123,456,789,012,346,000");
    EXPECT_EQ(FormatNumber(16777217.0f, "###"), "16777220");  // the single 16,777,216
    EXPECT_EQ(FormatNumber(1234567.5f, "###"), "1234568");
    EXPECT_EQ(FormatNumber(1e20, "###"), "100000000000000000000");
    EXPECT_EQ(FormatNumber(0.000999999999999999, "0.000"), "0.001");
    EXPECT_EQ(FormatNumber(0.00099999999999999, "0.000"), "0.001");
    EXPECT_EQ(FormatNumber(0.0009999, "0.000"), "0.001");
    EXPECT_EQ(FormatNumber(0.000499999f, "0.000"), "0.000");
    EXPECT_EQ(FormatNumber(5e-324, "0.00"), "0.00");  // the smallest double
    EXPECT_EQ(FormatNumber(-1e-45f, "#0.00"), "0.00");
    EXPECT_EQ(FormatNumber(1.7976931348623157e308, "0").size(), 309u);
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.00"), "#NUM");
}

TEST(RoundAsShown, IsTheNumberTheShownTextStandsFor) {
    // Worked out as decimals: 0.30 x 2.75 = 0.825 and 0.30 x 0.75 = 0.225
    // round up; the single 2.675 is 2.675 to 7 digits.
    EXPECT_EQ(RoundAsShown(0.30 * 2.75, 2), 0.83);
    EXPECT_EQ(RoundAsShown(0.30 * 0.75, 2), 0.23);
    EXPECT_EQ(RoundAsShown(0.44 * 1.3, 2), 0.57);
    EXPECT_EQ(RoundAsShown(2.675f, 2), 2.68);
    EXPECT_EQ(RoundAsShown(0.16f * 8.0f, 2), 1.28);
    EXPECT_EQ(RoundAsShown(-0.004, 2), 0.0);

    // Whatever the value, the number is what the shown text reads back as.
    std::mt19937 random(20011201);
    std::uniform_real_distribution<double> magnitude(-3.0, 4.0);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::pow(10.0, magnitude(random)) * (i % 7 == 0 ? -1.0 : 1.0);
        const float single = static_cast<float>(value);
        SCOPED_TRACE(testing::Message() << value);
        EXPECT_EQ(RoundAsShown(value, 2), LeadingValue(FormatNumber(value, "0.00")));
        EXPECT_EQ(RoundAsShown(single, 2), LeadingValue(FormatNumber(single, "0.00")));
        EXPECT_EQ(RoundAsShown(value, 1), LeadingValue(FormatNumber(value, "0.0")));
    }
    // Structural values of quarter inches to 1000 in., half of them on a tie
    // at the hundredth, and values just beside ties of every decimal.
    for (int q = 0; q <= 4000; ++q) {
        const float inches = static_cast<float>(q / 4.0);
        for (const double product : {0.30 * inches, 0.44 * inches}) {
            EXPECT_EQ(RoundAsShown(product, 2), LeadingValue(FormatNumber(product, "0.00"))) << q;
        }
        for (const float coefficient : {0.10f, 0.16f, 0.20f, 0.30f, 0.40f}) {
            const float product = coefficient * inches;
            EXPECT_EQ(RoundAsShown(product, 2), LeadingValue(FormatNumber(product, "0.00"))) << q;
        }
    }
    for (int i = 0; i < 20000; ++i) {
        const double tie = (std::uniform_int_distribution<int>(0, 999999)(random) + 0.5) / 1000.0;
        for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e9)}) {
            EXPECT_EQ(RoundAsShown(value, 3), LeadingValue(FormatNumber(value, "0.000"))) << value;
            const auto single = static_cast<float>(value);
            EXPECT_EQ(RoundAsShown(single, 3), LeadingValue(FormatNumber(single, "0.000"))) << value;
        }
    }
}

TEST(FormatLongDate, WritesTheMonthInFull) {
    EXPECT_EQ(FormatLongDate(2001, 12, 1), "December 1, 2001");
    EXPECT_EQ(FormatLongDate(2026, 1, 31), "January 31, 2026");
    EXPECT_EQ(FormatLongDate(2026, 13, 1), "");
}

}  // namespace
}  // namespace korvelle
