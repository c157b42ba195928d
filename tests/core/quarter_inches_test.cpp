#include "core/quarter_inches.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace korvelle {
namespace {

TEST(QuarterInches, ConvertBothWaysAndShowTheThickness) {
    struct Case {
        double inches;
        std::optional<int> exact;
        int nearest;  // kept within 0..40
        const char* text;  // of `nearest`
    };
    const Case cases[] = {
        {0.0, 0, 0, "0.00"},         {0.25, 1, 1, "0.25"},      {1.75, 7, 7, "1.75"},
        {1.3, std::nullopt, 5, "1.25"},                                 // 5.2 quarter inches
        {1.375, std::nullopt, 6, "1.50"},                               // 5.5: halves away from zero
        {-0.25, -1, 0, "0.00"},      {10.0, 40, 40, "10.00"},   {12.5, 50, 40, "10.00"},
        {2e6, std::nullopt, 40, "10.00"},                               // beyond a million inches
        {std::nan(""), std::nullopt, 0, "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inches);
        EXPECT_EQ(ExactQuarterInches(c.inches), c.exact);
        EXPECT_EQ(NearestQuarterInches(c.inches, 0, 40), c.nearest);
        EXPECT_EQ(QuarterInchText(c.nearest), c.text);
        if (c.exact) {
            EXPECT_EQ(QuarterInchesToInches(*c.exact), c.inches);
        }
    }
    EXPECT_EQ(QuarterInchText(4000), "1000.00");

    // Where a course's scroll bar stands for a typed thickness.
    EXPECT_EQ(QuarterInchesOf(" 1.30 "), 5);
    EXPECT_EQ(QuarterInchesOf("-1"), 0);
    EXPECT_EQ(QuarterInchesOf("2000"), 4000);
    EXPECT_EQ(QuarterInchesOf("1,5"), std::nullopt);
    EXPECT_EQ(QuarterInchesOf(""), std::nullopt);
}

}  // namespace
}  // namespace korvelle
