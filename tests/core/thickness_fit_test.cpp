#include "core/thickness_fit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/materials.h"
#include "core/number_format.h"
#include "core/random_structures.h"

namespace korvelle {
namespace {

// List positions of the entry screens.
constexpr int kTopOgfc = 0, kTopSuperpave12 = 2;
constexpr int kSuperpave19 = 3, kSuperpave25 = 5, kGradedAggregate = 8, kNoCourse = 9;
constexpr int kOverlayNoCourse = 7;
constexpr int kAsphaltic = 2, kExistingGradedAggregate = 4, kExistingNoCourse = 6;
const CourseEntry kUnused{};

using testing::Designed;

// 1.50 in. of 12.5 mm and 2.00 of 19 mm Superpave, 25 mm Superpave of
// `third` inches and 8.00 of graded aggregate base.
EnteredStructure FullDepthExample(const std::string& third) {
    return {false,
            {{kTopSuperpave12, "1.50"}, {kSuperpave19, "2.00"}, {kSuperpave25, third}, {kGradedAggregate, "8.00"},
             {kNoCourse, ""}}};
}

// 1.50 in. of 12.5 mm and `second` of 19 mm Superpave on 4.00 of asphaltic
// concrete over 8.00 of graded aggregate base.
EnteredStructure OverlayExample(const std::string& second) {
    return {true,
            {{kTopSuperpave12, "1.50"}, {kSuperpave19, second}, {kOverlayNoCourse, ""}, {kAsphaltic, "4.00"},
             {kExistingGradedAggregate, "8.00"}, {kExistingNoCourse, ""}}};
}

// The proposed SN of the structure with `row` at `quarterInches`.
std::optional<float> ProposedAt(EnteredStructure structure, int row, int quarterInches, DesignRecord record) {
    structure.rows[static_cast<std::size_t>(row)].thickness = QuarterInchText(quarterInches);
    const auto evaluation = Evaluate(structure, record);
    if (!evaluation) return std::nullopt;
    return evaluation->numbers.proposedSn;
}

// The least thickness meeting the required SN by trying every quarter inch
// from 0 up; nothing when none does.
std::optional<int> PlainScan(const EnteredStructure& structure, int row, const DesignRecord& record) {
    for (int q = 0; q <= kMostQuarterInches; ++q) {
        const auto proposed = ProposedAt(structure, row, q, record);
        if (proposed && *proposed >= record.requiredSn) return q;
    }
    return std::nullopt;
}

TEST(FitCourseThickness, WorkedExamplesOfAFullDepthAndAnOverlayCourse) {
    // Full depth, required 3.44: 1.50 + 2.00 leave 1.00 in. of the 4.5-in.
    // zone to course 3 (0.44), the rest of it counts 0.30.  0.66 + 0.88 +
    // 0.44 + 1.28 = 3.26, so 0.30 (t - 1) must make up 0.18: t >= 1.60, or
    // 1.75 in.; there 0.30 x 0.75 = 0.225 shows 0.23 and the SN is 3.49;
    // at 1.50, 0.30 x 0.50 = 0.15 gives 3.41.
    const ThicknessFit full = FitCourseThickness(FullDepthExample("3.00"), 2, Designed(3.44f));
    EXPECT_FALSE(full.refusal);
    EXPECT_EQ(full.quarterInches, 7);
    EXPECT_EQ(full.inches(), 1.75f);
    EXPECT_NEAR(full.proposedSn, 3.49f, 1e-5f);
    EXPECT_EQ(full.requiredSn, 3.44f);

    // Overlay, required 4.00: with x in. of course 2 the asphaltic concrete
    // has 3 - x in. inside the zone (0.44) and 1 + x below (0.30): 0.66 +
    // 0.44 x + 0.44 (3 - x) + 0.30 (1 + x) + 1.28 = 3.56 + 0.30 x >= 4.00
    // for x >= 1.47, so 1.50 in.: 0.66 + 0.66 + 0.66 + 0.75 + 1.28 = 4.01.
    // At 1.25: 0.66 + 0.55 + 0.77 + 0.68 (0.675) + 1.28 = 3.94.
    const ThicknessFit over = FitCourseThickness(OverlayExample("3.00"), 1, Designed(4.00f));
    EXPECT_FALSE(over.refusal);
    EXPECT_EQ(over.quarterInches, 6);
    EXPECT_NEAR(over.proposedSn, 4.01f, 1e-5f);
}

TEST(FitCourseThickness, RefusesWithTheReasonAndTheNumbersOfIt) {
    struct Case {
        const char* what;
        EnteredStructure structure;
        int row;
        float requiredSn;
        std::optional<FitRefusal> refusal;
        int quarterInches;
        float proposedSn;  // worked out by hand
    };
    const Case cases[] = {
        {"nothing chosen", {false, {{kTopSuperpave12, "1.50"}, kUnused, kUnused, kUnused, kUnused}}, 1, 3.44f,
         FitRefusal::NoCourse, 0, 0.0f},
        {"no course", FullDepthExample("3.00"), 4, 3.44f, FitRefusal::NoCourse, 0, 0.0f},
        {"existing no course", OverlayExample("2.00"), 5, 3.44f, FitRefusal::NoCourse, 0, 0.0f},
        {"a row beyond the screen", FullDepthExample("3.00"), 5, 3.44f, FitRefusal::NoCourse, 0, 0.0f},
        {"open-graded", {false, {{kTopOgfc, "0"}, {kSuperpave19, "2.00"}, kUnused, kUnused, kUnused}}, 0, 3.44f,
         FitRefusal::SpreadRate, 0, 0.0f},
        {"no required SN", FullDepthExample("3.00"), 2, 0.0f, FitRefusal::NotEvaluated, 0, 0.0f},
        {"another course's thickness", FullDepthExample("abc"), 3, 3.44f, FitRefusal::NotEvaluated, 0, 0.0f},
        // 1.50 + 2.00 and 16.00 of base: 0.66 + 0.88 + 2.56 = 4.10.
        {"met without it",
         {false,
          {{kTopSuperpave12, "1.50"}, {kSuperpave19, "2.00"}, {kSuperpave25, ""}, {kGradedAggregate, "16.00"},
           kUnused}},
         2, 3.44f, FitRefusal::MetWithoutCourse, 0, 4.10f},
        // 0.66 + 0.16 x 1000 = 160.66.
        {"beyond reach", {false, {{kTopSuperpave12, "1.50"}, {kGradedAggregate, ""}, kUnused, kUnused, kUnused}}, 1,
         200.0f, FitRefusal::Unreachable, kMostQuarterInches, 160.66f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ThicknessFit fit = FitCourseThickness(c.structure, c.row, Designed(c.requiredSn));
        EXPECT_EQ(fit.refusal, c.refusal);
        EXPECT_EQ(fit.quarterInches, c.quarterInches);
        EXPECT_NEAR(fit.proposedSn, c.proposedSn, 1e-4f);
    }
}

// For random structures reachable on the screens: the fit is the least
// quarter inch a plain scan finds, it meets the required SN and a quarter
// inch less does not, and the design's record is left alone.
TEST(FitCourseThickness, IsTheLeastQuarterInchThatMeetsTheRequiredSn) {
    testing::RandomStructures random(2001);
    int fitted = 0;
    for (int i = 0; i < 1500; ++i) {
        const EnteredStructure structure = random.Any();
        const int row = random.CourseRow(structure);
        const DesignRecord record = Designed(random.RequiredSn());
        SCOPED_TRACE(::testing::Message() << "case " << i << " row " << row);

        const DesignRecord before = record;
        const ThicknessFit fit = FitCourseThickness(structure, row, record);
        EXPECT_EQ(record.proposedSn, before.proposedSn);
        EXPECT_EQ(record.topZoneDepth, before.topZoneDepth);

        const std::optional<int> least = PlainScan(structure, row, record);
        ASSERT_TRUE(least);  // any course of 1000 in. outweighs a required SN under 10
        if (*least == 0) {
            EXPECT_EQ(fit.refusal, FitRefusal::MetWithoutCourse);
            continue;
        }
        ASSERT_FALSE(fit.refusal);
        EXPECT_EQ(fit.quarterInches, *least);
        EXPECT_GE(*ProposedAt(structure, row, fit.quarterInches, record), record.requiredSn);
        EXPECT_LT(*ProposedAt(structure, row, fit.quarterInches - 1, record), record.requiredSn);
        ++fitted;
    }
    EXPECT_GT(fitted, 500);  // most cases fit a thickness, not a refusal
}

// Rounding makes the proposed SN dip now and then as a course grows: each
// quarter inch of base adds 0.16 x 0.25 = 0.040 but pushes 0.25 in. of the
// asphalt below out of the top zone, which loses 0.14 x 0.25 = 0.035, and the
// shown values may round the other way.  The fit still equals a plain scan.
TEST(FitCourseThickness, FindsTheLeastWhereTheRoundedSnDips) {
    int dips = 0;
    for (int hundredths = 1; hundredths <= 600; ++hundredths) {
        const EnteredStructure structure{false,
                                         {{kTopSuperpave12, "1.50"}, {kGradedAggregate, ""},
                                          {kSuperpave25, FormatNumber(hundredths / 100.0, "#0.00")},
                                          {kGradedAggregate, "4.00"}, kUnused}};
        // Where the SN dips, require what it reached just before the dip:
        // a fit landing beyond the dip would not be the least.
        const DesignRecord probe = Designed(1.0f);
        for (int q = 1; q < 4 * 8; ++q) {
            const float before = *ProposedAt(structure, 1, q - 1, probe);
            if (*ProposedAt(structure, 1, q, probe) >= before) continue;
            ++dips;
            const DesignRecord record = Designed(before);
            const ThicknessFit fit = FitCourseThickness(structure, 1, record);
            const std::optional<int> least = PlainScan(structure, 1, record);
            ASSERT_TRUE(least);
            EXPECT_EQ(fit.refusal ? 0 : fit.quarterInches, *least) << hundredths << " " << q;
        }
    }
    EXPECT_GT(dips, 0);  // the structures do dip
}

}  // namespace
}  // namespace korvelle
