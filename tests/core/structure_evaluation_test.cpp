#include "core/structure_evaluation.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include "core/design_record.h"
#include "core/materials.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/random_structures.h"

namespace korvelle {
namespace {

// List positions as the entry screens show them.
namespace top {  // full-depth and overlay course 1
constexpr int kOgfc = 0;
constexpr int kPem = 1;
constexpr int kSuperpave12 = 2;
constexpr int kSuperpave9 = 3;
constexpr int kSma12 = 4;
}  // namespace top
namespace lower {  // full-depth courses 2 to 5, overlay courses 2 and 3
constexpr int kSuperpave12 = 0;
constexpr int kSuperpave9 = 1;
constexpr int kSma12 = 2;
constexpr int kSuperpave19 = 3;
constexpr int kSma19 = 4;
constexpr int kSuperpave25 = 5;
constexpr int kSuperpave37 = 6;
constexpr int kSoilCement = 7;         // full-depth only
constexpr int kGradedAggregate = 8;    // full-depth only
constexpr int kNoCourse = 9;           // full-depth
constexpr int kOverlayNoCourse = 7;    // overlay
}  // namespace lower
namespace old {  // existing courses 1 to 3
constexpr int kConcreteGood = 0;
constexpr int kConcreteFair = 1;
constexpr int kAsphaltic = 2;
constexpr int kSoilCement = 3;
constexpr int kGradedAggregate = 4;
constexpr int kSandClay = 5;
constexpr int kNoCourse = 6;
}  // namespace old

const CourseEntry kUnused{};

using FullDepth = std::array<CourseEntry, 5>;
using Layers = std::array<CourseEntry, 3>;

DesignRecord Designed(float requiredSn = 3.44f) {
    DesignRecord record;
    InitMaterialLists(record);
    record.requiredSn = requiredSn;
    return record;
}

const ResultRow kEmptyRow{};

auto Fields(const DesignRecord& r) {
    return std::tie(r.projectNumber, r.piNumber, r.countyName, r.projectDescription, r.initialYear,
                    r.finalYear, r.initialAadt, r.finalAadt, r.truckPercent, r.ldf,
                    r.terminalServiceability, r.serviceabilityLoss, r.soilSupport, r.regionalFactor,
                    r.singleUnitEsal, r.multiUnitEsal, r.esal18, r.meanAadt, r.dailyLoads,
                    r.designLoading, r.requiredSn, r.snDifferencePercent, r.proposedSn,
                    r.officeIndex, r.designerName, r.designDate, r.designComments, r.menuChoice,
                    r.mmPerInch, r.topZoneCourse, r.topZoneDepth, r.fullDepthCourseCount,
                    r.overlayCourseCount, r.existingCourseCount, r.upperPart, r.lowerPart,
                    r.baseCoefficient, r.fullDepthMaterials, r.fullDepthCourseMaterial,
                    r.fullDepthThickness, r.overlayMaterials, r.overlayCourseMaterial,
                    r.overlayThickness, r.existingMaterials, r.existingCourseMaterial,
                    r.existingThickness);
}

bool SameRecord(const DesignRecord& a, const DesignRecord& b) { return Fields(a) == Fields(b); }

// ---------------------------------------------------------------- full depth

TEST(EvaluateFullDepth, FourCoursesWithTheZoneEndingInsideTheThird) {
    DesignRecord record = Designed();
    const auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.50"},
                                           {lower::kSuperpave19, "2.00"},
                                           {lower::kSuperpave25, "3.00"},
                                           {lower::kGradedAggregate, "8.00"},
                                           {lower::kNoCourse, ""}}},
                                         record);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 5u);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->requiredSn, "3.44");
    EXPECT_EQ(sheet->proposedSn, "3.86");
    EXPECT_EQ(sheet->difference, "12.2%");  // 0.42 / 3.44
    EXPECT_EQ(sheet->verdict, kOverdesign);

    EXPECT_EQ(record.mmPerInch, 25.4f);
    EXPECT_EQ(record.topZoneDepth, 4.5f);
    EXPECT_EQ(record.topZoneCourse, 3.0f);
    EXPECT_EQ(record.fullDepthCourseCount, 4);
    EXPECT_EQ(record.fullDepthCourseMaterial, (std::array<std::int16_t, 5>{3, 6, 8, 11, 12}));
    EXPECT_EQ(record.fullDepthThickness[0], 1.5f);
    EXPECT_EQ(record.fullDepthThickness[1], 2.0f);
    EXPECT_EQ(record.fullDepthThickness[2], 3.0f);
    EXPECT_EQ(record.fullDepthThickness[3], 8.0f);
    EXPECT_EQ(record.upperPart[2], 1.0f);
    EXPECT_EQ(record.lowerPart[2], 2.0f);
    EXPECT_EQ(record.baseCoefficient, 0.16f);
    EXPECT_NEAR(record.proposedSn, 3.86f, 1e-5f);
    EXPECT_NEAR(record.snDifferencePercent, 12.2093f, 1e-3f);
    EXPECT_EQ(record.requiredSn, 3.44f);
}

TEST(EvaluateFullDepth, UnderdesignByTwelvePointEightPercent) {
    DesignRecord record = Designed();
    // 1.98 + 0.20 x 5.10 = 3.00 against 3.44.
    const auto sheet = EvaluateFullDepth(
        {{{top::kSuperpave9, "4.50"}, {lower::kSoilCement, "5.10"}, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"9.5 mm Superpave", "4.50", "114", "0.44", "1.98"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"Soil-Cement Base", "5.10", "130", "0.20", "1.02"}));
    EXPECT_EQ(sheet->proposedSn, "3.00");
    EXPECT_EQ(sheet->difference, "12.8%");  // 0.44 / 3.44 = 12.79 %
    EXPECT_EQ(sheet->verdict, kUnderdesign);
    EXPECT_EQ(record.fullDepthCourseCount, 2);
    EXPECT_EQ(record.baseCoefficient, 0.20f);
    EXPECT_NEAR(record.snDifferencePercent, 12.7907f, 1e-3f);
}

TEST(EvaluateFullDepth, SurfaceCoursesShowTheirSpreadRate) {
    DesignRecord record = Designed();
    // The zone starts below the OGFC: 4.5 in, ending inside course 3.
    auto sheet = EvaluateFullDepth({{{top::kOgfc, "0"},
                                     {lower::kSuperpave12, "2.00"},
                                     {lower::kSuperpave19, "3.00"},
                                     kUnused,
                                     kUnused}},
                                   record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"12.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"19 mm Superpave", "2.50", "64", "0.44", "1.10", "0.50", "13", "0.30", "0.15"}));
    EXPECT_EQ(sheet->rows[3], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "2.13");
    EXPECT_EQ(sheet->difference, "38.1%");  // 1.31 / 3.44
    EXPECT_EQ(sheet->verdict, kUnderdesign);
    EXPECT_EQ(record.topZoneDepth, 4.5f);
    EXPECT_EQ(record.topZoneCourse, 3.0f);
    EXPECT_EQ(record.fullDepthCourseMaterial[0], 1);
    EXPECT_EQ(record.upperPart[2], 2.5f);
    EXPECT_EQ(record.lowerPart[2], 0.5f);

    // A surface course given a thickness moves the zone down by as much.
    sheet = EvaluateFullDepth({{{top::kOgfc, "1.00"},
                                {lower::kSuperpave12, "2.00"},
                                {lower::kSuperpave19, "3.00"},
                                kUnused,
                                kUnused}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"19 mm Superpave", "2.50", "64", "0.44", "1.10", "0.50", "13", "0.30", "0.15"}));
    EXPECT_EQ(sheet->proposedSn, "2.13");
    EXPECT_EQ(record.topZoneDepth, 5.5f);
    EXPECT_EQ(record.topZoneCourse, 3.0f);

    sheet = EvaluateFullDepth({{{top::kPem, "0"}, {lower::kSuperpave12, "1.50"}, kUnused, kUnused, kUnused}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm PEM", "135 lb/sy", "75 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->proposedSn, "0.66");
    EXPECT_EQ(record.fullDepthCourseMaterial[0], 2);
}

TEST(EvaluateFullDepth, ASingleCourse) {
    DesignRecord record = Designed();
    // Reaching below the zone: split into the fixed upper part and 1.50 in below.
    auto sheet = EvaluateFullDepth({{{top::kSma12, "6.00"}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0],
              (ResultRow{"12.5 mm SMA", "4.50", "114", "0.44", "1.98", "1.50", "38", "0.30", "0.45"}));
    EXPECT_EQ(sheet->proposedSn, "2.43");
    EXPECT_EQ(sheet->difference, "29.4%");  // 1.01 / 3.44
    EXPECT_EQ(sheet->verdict, kUnderdesign);
    EXPECT_EQ(record.topZoneCourse, 1.0f);
    EXPECT_EQ(record.fullDepthCourseCount, 1);
    EXPECT_EQ(record.upperPart[0], 4.5f);
    EXPECT_EQ(record.lowerPart[0], 1.5f);

    // Exactly as deep as the zone: not split.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "4.50"}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98"}));
    EXPECT_EQ(sheet->proposedSn, "1.98");
    EXPECT_EQ(record.topZoneCourse, 0.0f);

    // Blanks around a typed thickness are allowed.
    sheet = EvaluateFullDepth({{{top::kSuperpave9, "  2.00 "}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"9.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
}

TEST(EvaluateFullDepth, StructuralValuesAreSummedAsShown) {
    DesignRecord record = Designed();
    auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.30"}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.30", "33", "0.44", "0.57"}));
    EXPECT_EQ(sheet->proposedSn, "0.57");
    EXPECT_NEAR(record.proposedSn, 0.57f, 1e-6f);  // not 0.572

    // Three shown values of 0.57 give 1.71; the unrounded products would give 1.72.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.30"},
                                {lower::kSuperpave12, "1.30"},
                                {lower::kSuperpave9, "1.30"},
                                kUnused,
                                kUnused}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[2], (ResultRow{"9.5 mm Superpave", "1.30", "33", "0.44", "0.57"}));
    EXPECT_EQ(sheet->proposedSn, "1.71");
    EXPECT_NEAR(record.proposedSn, 1.71f, 1e-5f);
    EXPECT_EQ(record.topZoneCourse, 4.0f);  // all three inside the zone
}

TEST(EvaluateFullDepth, CoursesEndingExactlyAtTheBottomOfTheZone) {
    DesignRecord record = Designed();
    // Course 2 ends at 4.5 in: it takes 0.44 whole, course 3 has an empty upper part.
    auto sheet = EvaluateFullDepth({{{top::kSuperpave9, "1.50"},
                                     {lower::kSuperpave19, "3.00"},
                                     {lower::kSuperpave25, "3.00"},
                                     kUnused,
                                     kUnused}},
                                   record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"9.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "3.00", "76", "0.44", "1.32"}));
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"25 mm Superpave", "0.00", "", "0.44", "0.00", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->proposedSn, "2.88");
    EXPECT_EQ(record.topZoneCourse, 3.0f);
    EXPECT_EQ(record.upperPart[2], 0.0f);
    EXPECT_EQ(record.lowerPart[2], 3.0f);

    // Course 3 ends at 4.5 in.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.50"},
                                {lower::kSuperpave12, "1.50"},
                                {lower::kSuperpave12, "1.50"},
                                {lower::kSuperpave37, "2.00"},
                                kUnused}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[2], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[3],
              (ResultRow{"37 mm Superpave", "0.00", "", "0.44", "0.00", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->proposedSn, "2.58");
    EXPECT_EQ(record.topZoneCourse, 4.0f);

    // Course 4 ends at 4.5 in.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.00"},
                                {lower::kSuperpave12, "1.00"},
                                {lower::kSuperpave12, "1.00"},
                                {lower::kSma19, "1.50"},
                                {lower::kSuperpave25, "2.00"}}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[3], (ResultRow{"19 mm SMA", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[4],
              (ResultRow{"25 mm Superpave", "0.00", "", "0.44", "0.00", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->proposedSn, "2.58");
    EXPECT_EQ(record.topZoneCourse, 5.0f);
    EXPECT_EQ(record.fullDepthCourseCount, 5);

    // Course 5 ends at 4.5 in: every course inside the zone.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "0.50"},
                                {lower::kSuperpave12, "1.00"},
                                {lower::kSuperpave12, "1.00"},
                                {lower::kSuperpave12, "1.00"},
                                {lower::kSuperpave12, "1.00"}}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->rows[4], (ResultRow{"12.5 mm Superpave", "1.00", "25", "0.44", "0.44"}));
    EXPECT_EQ(sheet->proposedSn, "1.98");
    EXPECT_EQ(record.topZoneCourse, 6.0f);

    // Course 1 ends at 4.5 in: the course below lies wholly below the zone.
    sheet = EvaluateFullDepth(
        {{{top::kSuperpave12, "4.50"}, {lower::kSuperpave25, "2.75"}, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"25 mm Superpave", "2.75", "70", "0.30", "0.83"}));  // 0.825
    EXPECT_EQ(sheet->proposedSn, "2.81");
    EXPECT_EQ(record.topZoneCourse, 0.0f);
}

TEST(EvaluateFullDepth, CoursesWhollyInsideTheZone) {
    DesignRecord record = Designed();
    auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "0.50"},
                                     {lower::kSuperpave9, "0.50"},
                                     {lower::kSma12, "0.50"},
                                     {lower::kSma19, "0.50"},
                                     {lower::kSuperpave37, "0.50"}}},
                                   record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"9.5 mm Superpave", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->rows[2], (ResultRow{"12.5 mm SMA", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"19 mm SMA", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->rows[4], (ResultRow{"37 mm Superpave", "0.50", "13", "0.44", "0.22"}));
    EXPECT_EQ(sheet->proposedSn, "1.10");
    EXPECT_EQ(record.topZoneCourse, 6.0f);
    EXPECT_EQ(record.fullDepthCourseCount, 5);

    sheet = EvaluateFullDepth(
        {{{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->proposedSn, "1.54");
    EXPECT_EQ(record.topZoneCourse, 3.0f);
}

TEST(EvaluateFullDepth, ZoneEndingInsideCourseTwoAndCoursesBelowIt) {
    DesignRecord record = Designed();
    const auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "3.00"},
                                           {lower::kSuperpave19, "2.50"},
                                           {lower::kSuperpave25, "2.75"},
                                           {lower::kGradedAggregate, "7.50"},
                                           kUnused}},
                                         record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "3.00", "76", "0.44", "1.32"}));
    EXPECT_EQ(sheet->rows[1],
              (ResultRow{"19 mm Superpave", "1.50", "38", "0.44", "0.66", "1.00", "25", "0.30", "0.30"}));
    EXPECT_EQ(sheet->rows[2], (ResultRow{"25 mm Superpave", "2.75", "70", "0.30", "0.83"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Graded Aggregate Base", "7.50", "191", "0.16", "1.20"}));
    EXPECT_EQ(sheet->proposedSn, "4.31");
    EXPECT_EQ(sheet->difference, "25.3%");  // 0.87 / 3.44
    EXPECT_EQ(record.topZoneCourse, 2.0f);
    EXPECT_EQ(record.upperPart[1], 1.5f);
    EXPECT_EQ(record.lowerPart[1], 1.0f);
}

TEST(EvaluateFullDepth, BasesKeepTheirCoefficientAndCountInTheDepth) {
    DesignRecord record = Designed();
    // The zone ends inside the graded aggregate base: a base is never split.
    auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "2.00"},
                                     {lower::kSoilCement, "2.00"},
                                     {lower::kGradedAggregate, "6.00"},
                                     kUnused,
                                     kUnused}},
                                   record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"Soil-Cement Base", "2.00", "51", "0.20", "0.40"}));
    EXPECT_EQ(sheet->rows[2], (ResultRow{"Graded Aggregate Base", "6.00", "152", "0.16", "0.96"}));
    EXPECT_EQ(sheet->proposedSn, "2.24");
    EXPECT_EQ(record.topZoneCourse, 3.0f);

    // A mix under a base: the base's 1.00 in counts, so the zone ends 1.50 in into the mix.
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "2.00"},
                                {lower::kSoilCement, "1.00"},
                                {lower::kSuperpave25, "3.00"},
                                kUnused,
                                kUnused}},
                              record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[1], (ResultRow{"Soil-Cement Base", "1.00", "25", "0.20", "0.20"}));
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"25 mm Superpave", "1.50", "38", "0.44", "0.66", "1.50", "38", "0.30", "0.45"}));
    EXPECT_EQ(sheet->proposedSn, "2.19");
    EXPECT_EQ(record.topZoneCourse, 3.0f);

    // The zone ends inside the base at course 2.
    sheet = EvaluateFullDepth(
        {{{top::kSuperpave12, "2.00"}, {lower::kGradedAggregate, "8.00"}, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[1], (ResultRow{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(sheet->proposedSn, "2.16");
    EXPECT_EQ(record.topZoneCourse, 2.0f);
}

TEST(EvaluateFullDepth, TheVerdictComparesTheUnroundedNumbers) {
    // Required 3.4391 and proposed 3.44 both show as 3.44, yet the proposal is larger.
    DesignRecord record = Designed(3.4391062f);
    auto sheet = EvaluateFullDepth(
        {{{top::kSuperpave9, "4.50"}, {lower::kGradedAggregate, "9.125"}, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[1], (ResultRow{"Graded Aggregate Base", "9.13", "232", "0.16", "1.46"}));
    EXPECT_EQ(sheet->requiredSn, "3.44");
    EXPECT_EQ(sheet->proposedSn, "3.44");
    EXPECT_EQ(sheet->difference, "0.0%");
    EXPECT_EQ(sheet->verdict, kOverdesign);

    // Exactly equal.
    record = Designed(1.98f);
    sheet = EvaluateFullDepth({{{top::kSuperpave12, "4.50"}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->proposedSn, "1.98");
    EXPECT_EQ(sheet->difference, "0.0%");
    EXPECT_EQ(sheet->verdict, kExactVerdict);
    EXPECT_EQ(record.snDifferencePercent, 0.0f);
}

TEST(EvaluateFullDepth, RowsOfUnusedCoursesAreEmpty) {
    DesignRecord record = Designed();
    ASSERT_TRUE(EvaluateFullDepth({{{top::kSuperpave12, "1.50"},
                                    {lower::kSuperpave19, "2.00"},
                                    {lower::kSuperpave25, "3.00"},
                                    {lower::kGradedAggregate, "8.00"},
                                    {lower::kSoilCement, "6.00"}}},
                                  record));
    EXPECT_EQ(record.fullDepthCourseCount, 5);

    // The same screen with courses 3 to 5 taken away again; a thickness left in
    // an unused row is not read.
    const auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "1.50"},
                                           {lower::kSuperpave19, "2.00"},
                                           {lower::kNoCourse, "abc"},
                                           {lower::kNoCourse, "8.00"},
                                           kUnused}},
                                         record);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 5u);
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[2], kEmptyRow);
    EXPECT_EQ(sheet->rows[3], kEmptyRow);
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "1.54");
    EXPECT_EQ(record.fullDepthCourseCount, 2);
    EXPECT_EQ(record.fullDepthCourseMaterial[2], 12);
    EXPECT_EQ(record.fullDepthCourseMaterial[3], 12);
}

TEST(EvaluateFullDepth, RefusesWhatItCannotEvaluateAndChangesNothing) {
    DesignRecord record = Designed();
    const FullDepth good{{{top::kSuperpave12, "1.50"},
                          {lower::kSuperpave19, "2.00"},
                          {lower::kSuperpave25, "3.00"},
                          {lower::kGradedAggregate, "8.00"},
                          kUnused}};
    ASSERT_TRUE(EvaluateFullDepth(good, record));
    const DesignRecord before = record;

    const auto refused = [&](const FullDepth& courses) {
        const bool evaluated = EvaluateFullDepth(courses, record).has_value();
        const bool unchanged = SameRecord(record, before);
        record = before;
        return !evaluated && unchanged;
    };

    for (const char* text : {"abc", "2,5", "1.2.3", "", " ", "-1.00", "-0.25", "nan", "inf", "2.5in"}) {
        FullDepth courses = good;
        courses[2].thickness = text;
        EXPECT_TRUE(refused(courses)) << "course 3 thickness '" << text << "'";
        courses = good;
        courses[0].thickness = text;
        EXPECT_TRUE(refused(courses)) << "course 1 thickness '" << text << "'";
    }

    // Gaps: a course in use below one that is not (a thickness left in the
    // unused row must not make it count).
    FullDepth gap = good;
    gap[1] = {lower::kNoCourse, "2.00"};
    EXPECT_TRUE(refused(gap)) << "[NO COURSE] above course 3";
    gap = good;
    gap[1] = {-1, "2.00"};
    EXPECT_TRUE(refused(gap)) << "nothing chosen above course 3";
    gap = good;
    gap[3] = {lower::kNoCourse, "8.00"};
    gap[4] = {lower::kSoilCement, "6.00"};
    EXPECT_TRUE(refused(gap)) << "[NO COURSE] above course 5";

    // No top course.
    FullDepth noTop = good;
    noTop[0] = kUnused;
    EXPECT_TRUE(refused(noTop));
    EXPECT_TRUE(refused({{kUnused, kUnused, kUnused, kUnused, kUnused}}));

    // No required structural number to compare with.
    record.requiredSn = 0.0f;
    const DesignRecord noRequired = record;
    EXPECT_FALSE(EvaluateFullDepth(good, record));
    EXPECT_TRUE(SameRecord(record, noRequired));
}

// A course may be up to 1000 inches thick: every value derived from it can
// still be shown.  Beyond that (up to the largest single, whose millimetres
// could not be shown at all) the structure is refused.
TEST(EvaluateFullDepth, ThicknessesUpToAThousandInches) {
    EXPECT_EQ(CourseThickness("1000"), 1000.0f);
    EXPECT_EQ(CourseThickness(" 0 "), 0.0f);
    for (const char* text : {"1000.01", "1001", "329674500000000000000000000000000000000", "-0.01", "x"}) {
        EXPECT_FALSE(CourseThickness(text)) << text;
        DesignRecord record = Designed();
        const DesignRecord before = record;
        EXPECT_FALSE(EvaluateFullDepth({{{top::kSuperpave12, text}, kUnused, kUnused, kUnused, kUnused}}, record))
            << text;
        EXPECT_FALSE(EvaluateOverlay({{{top::kSuperpave12, "1.50"}, kUnused, kUnused}},
                                     {{{old::kGradedAggregate, text}, kUnused, kUnused}}, record))
            << text;
        EXPECT_TRUE(SameRecord(record, before)) << text;
    }

    // 4.50 inches in the top zone, 995.50 (25,285.7 mm) below it at 0.30:
    // 1.98 + 298.65 = 300.63.
    DesignRecord record = Designed();
    auto sheet = EvaluateFullDepth({{{top::kSuperpave12, "1000"}, kUnused, kUnused, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0],
              (ResultRow{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98", "995.50", "25286", "0.30", "298.65"}));
    EXPECT_EQ(sheet->proposedSn, "300.63");
}

// ------------------------------------------------------------------- overlay

TEST(EvaluateOverlay, ZoneEndingInsideTheExistingAsphalt) {
    DesignRecord record = Designed();
    const auto sheet = EvaluateOverlay(
        {{{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, {lower::kOverlayNoCourse, ""}}},
        {{{old::kAsphaltic, "4.00"}, {old::kGradedAggregate, "8.00"}, {old::kNoCourse, ""}}}, record);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 6u);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[2], kEmptyRow);
    EXPECT_EQ(sheet->rows[3],
              (ResultRow{"Asphaltic Concrete", "1.00", "25", "0.44", "0.44", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->rows[4], (ResultRow{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(sheet->rows[5], kEmptyRow);
    EXPECT_EQ(sheet->requiredSn, "3.44");
    EXPECT_EQ(sheet->proposedSn, "4.16");
    EXPECT_EQ(sheet->difference, "20.9%");  // 0.72 / 3.44
    EXPECT_EQ(sheet->verdict, kOverdesign);

    EXPECT_EQ(record.mmPerInch, 25.4f);
    EXPECT_EQ(record.topZoneDepth, 4.5f);
    EXPECT_EQ(record.topZoneCourse, 4.0f);
    EXPECT_EQ(record.overlayCourseCount, 2);
    EXPECT_EQ(record.existingCourseCount, 2);
    EXPECT_EQ(record.overlayCourseMaterial, (std::array<std::int16_t, 3>{3, 6, 10}));
    EXPECT_EQ(record.existingCourseMaterial, (std::array<std::int16_t, 3>{3, 5, 7}));
    EXPECT_EQ(record.overlayThickness[0], 1.5f);
    EXPECT_EQ(record.overlayThickness[1], 2.0f);
    EXPECT_EQ(record.existingThickness[0], 4.0f);
    EXPECT_EQ(record.existingThickness[1], 8.0f);
    EXPECT_EQ(record.upperPart[3], 1.0f);  // existing course 1 is course 4 from the surface
    EXPECT_EQ(record.lowerPart[3], 3.0f);
    EXPECT_EQ(record.baseCoefficient, 0.16f);
    EXPECT_NEAR(record.proposedSn, 4.16f, 1e-5f);
    EXPECT_NEAR(record.snDifferencePercent, 20.9302f, 1e-3f);
}

TEST(EvaluateOverlay, OnConcrete) {
    DesignRecord record = Designed();
    auto sheet = EvaluateOverlay({{{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, kUnused}},
                                 {{{old::kConcreteGood, "9.00"}, {old::kNoCourse, ""}, {old::kNoCourse, ""}}},
                                 record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Portland Cement Concrete (good)", "9.00", "229", "0.40", "3.60"}));
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->rows[5], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "5.14");
    EXPECT_EQ(sheet->difference, "49.4%");  // 1.70 / 3.44
    EXPECT_EQ(record.topZoneCourse, 0.0f);
    EXPECT_EQ(record.existingCourseCount, 1);
    EXPECT_EQ(record.baseCoefficient, 0.40f);

    // OGFC on concrete in fair condition.
    sheet = EvaluateOverlay({{{top::kOgfc, "0"}, {lower::kSuperpave12, "3.00"}, kUnused}},
                            {{{old::kConcreteFair, "8.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"12.5 mm Superpave", "3.00", "76", "0.44", "1.32"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Portland Cement Concrete (fair)", "8.00", "203", "0.30", "2.40"}));
    EXPECT_EQ(sheet->proposedSn, "3.72");
    EXPECT_EQ(record.baseCoefficient, 0.30f);
}

TEST(EvaluateOverlay, OverlayEndingExactlyAtTheBottomOfTheZone) {
    DesignRecord record = Designed();
    // Overlay course 2 ends at 4.5 in: the existing asphalt lies below the zone.
    auto sheet = EvaluateOverlay({{{top::kSma12, "2.00"}, {lower::kSuperpave19, "2.50"}, kUnused}},
                                 {{{old::kAsphaltic, "3.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm SMA", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.50", "64", "0.44", "1.10"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->proposedSn, "2.88");
    EXPECT_EQ(record.topZoneCourse, 3.0f);

    // Overlay course 3 ends at 4.5 in: the existing asphalt has an empty upper part.
    sheet = EvaluateOverlay(
        {{{top::kSuperpave12, "1.50"}, {lower::kSuperpave12, "1.50"}, {lower::kSuperpave9, "1.50"}}},
        {{{old::kAsphaltic, "3.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[2], (ResultRow{"9.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[3],
              (ResultRow{"Asphaltic Concrete", "0.00", "", "0.44", "0.00", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->proposedSn, "2.88");
    EXPECT_EQ(record.topZoneCourse, 4.0f);
    EXPECT_EQ(record.overlayCourseCount, 3);

    // Overlay course 1 ends at 4.5 in: what lies below it is below the zone
    // and takes 0.30, as in a full-depth pavement.
    sheet = EvaluateOverlay({{{top::kSuperpave12, "4.50"}, {lower::kSuperpave19, "2.00"}, kUnused}},
                            {{{old::kAsphaltic, "3.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"19 mm Superpave", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->proposedSn, "3.48");

    sheet = EvaluateOverlay({{{top::kSuperpave12, "4.50"}, kUnused, kUnused}},
                            {{{old::kAsphaltic, "3.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(sheet->proposedSn, "2.88");
}

TEST(EvaluateOverlay, ZoneEndingInsideAnOverlayCourse) {
    DesignRecord record = Designed();
    auto sheet = EvaluateOverlay({{{top::kSma12, "6.00"}, kUnused, kUnused}},
                                 {{{old::kAsphaltic, "2.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0],
              (ResultRow{"12.5 mm SMA", "4.50", "114", "0.44", "1.98", "1.50", "38", "0.30", "0.45"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->proposedSn, "3.03");
    EXPECT_EQ(record.topZoneCourse, 1.0f);
    EXPECT_EQ(record.overlayCourseCount, 1);
    EXPECT_EQ(record.upperPart[0], 4.5f);
    EXPECT_EQ(record.lowerPart[0], 1.5f);

    sheet = EvaluateOverlay(
        {{{top::kSuperpave12, "3.00"}, {lower::kSuperpave19, "2.50"}, {lower::kSuperpave25, "1.00"}}},
        {{{old::kAsphaltic, "2.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "3.00", "76", "0.44", "1.32"}));
    EXPECT_EQ(sheet->rows[1],
              (ResultRow{"19 mm Superpave", "1.50", "38", "0.44", "0.66", "1.00", "25", "0.30", "0.30"}));
    EXPECT_EQ(sheet->rows[2], (ResultRow{"25 mm Superpave", "1.00", "25", "0.30", "0.30"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->proposedSn, "3.18");
    EXPECT_EQ(record.topZoneCourse, 2.0f);

    sheet = EvaluateOverlay(
        {{{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, {lower::kSuperpave25, "3.00"}}},
        {{{old::kAsphaltic, "2.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[2],
              (ResultRow{"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->proposedSn, "3.18");
    EXPECT_EQ(record.topZoneCourse, 3.0f);
    EXPECT_EQ(record.upperPart[2], 1.0f);
    EXPECT_EQ(record.lowerPart[2], 2.0f);
}

TEST(EvaluateOverlay, ExistingAsphaltWhollyInsideTheZone) {
    DesignRecord record = Designed();
    auto sheet = EvaluateOverlay({{{top::kSuperpave12, "1.00"}, kUnused, kUnused}},
                                 {{{old::kAsphaltic, "2.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->proposedSn, "1.32");
    EXPECT_EQ(record.topZoneCourse, 0.0f);

    // Ending exactly at the bottom of the zone.
    sheet = EvaluateOverlay({{{top::kSuperpave12, "1.50"}, kUnused, kUnused}},
                            {{{old::kAsphaltic, "3.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Asphaltic Concrete", "3.00", "76", "0.44", "1.32"}));
    EXPECT_EQ(sheet->proposedSn, "1.98");
}

TEST(EvaluateOverlay, SurfaceCourseCountsAsNoThickness) {
    DesignRecord record = Designed();
    // Whatever was typed for the PEM, the zone is 4.5 in from the top of course 2.
    const auto sheet = EvaluateOverlay({{{top::kPem, "1.25"}, {lower::kSuperpave12, "2.00"}, kUnused}},
                                       {{{old::kAsphaltic, "4.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm PEM", "135 lb/sy", "75 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(sheet->rows[1], (ResultRow{"12.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[3],
              (ResultRow{"Asphaltic Concrete", "2.50", "64", "0.44", "1.10", "1.50", "38", "0.30", "0.45"}));
    EXPECT_EQ(sheet->proposedSn, "2.43");
    EXPECT_EQ(record.overlayThickness[0], 0.0f);
    EXPECT_EQ(record.topZoneDepth, 4.5f);
    EXPECT_EQ(record.topZoneCourse, 4.0f);
    EXPECT_EQ(record.overlayCourseMaterial[0], 2);
}

TEST(EvaluateOverlay, ExistingCoursesBelowTheFirst) {
    DesignRecord record = Designed();
    // Asphaltic concrete as existing course 2 takes 0.30 even inside the zone.
    auto sheet = EvaluateOverlay(
        {{{top::kSuperpave12, "1.00"}, kUnused, kUnused}},
        {{{old::kGradedAggregate, "1.00"}, {old::kAsphaltic, "2.00"}, {old::kSandClay, "5.00"}}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "1.00", "25", "0.44", "0.44"}));
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Graded Aggregate Base", "1.00", "25", "0.16", "0.16"}));
    EXPECT_EQ(sheet->rows[4], (ResultRow{"Asphaltic Concrete", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(sheet->rows[5], (ResultRow{"Sand-Clay Base", "5.00", "127", "0.10", "0.50"}));
    EXPECT_EQ(sheet->proposedSn, "1.70");
    EXPECT_EQ(record.existingCourseCount, 3);
    EXPECT_EQ(record.existingThickness[2], 5.0f);
    EXPECT_EQ(record.baseCoefficient, 0.10f);

    sheet = EvaluateOverlay({{{top::kSuperpave12, "2.00"}, kUnused, kUnused}},
                            {{{old::kGradedAggregate, "8.00"}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "2.16");

    sheet = EvaluateOverlay({{{top::kSuperpave12, "2.00"}, kUnused, kUnused}},
                            {{{old::kSoilCement, "2.00"}, {old::kConcreteFair, "6.00"}, {old::kConcreteGood, "7.50"}}},
                            record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[3], (ResultRow{"Soil-Cement Base", "2.00", "51", "0.20", "0.40"}));
    EXPECT_EQ(sheet->rows[4], (ResultRow{"Portland Cement Concrete (fair)", "6.00", "152", "0.30", "1.80"}));
    EXPECT_EQ(sheet->rows[5], (ResultRow{"Portland Cement Concrete (good)", "7.50", "191", "0.40", "3.00"}));
    EXPECT_EQ(sheet->proposedSn, "6.08");
}

TEST(EvaluateOverlay, NoExistingCourse) {
    DesignRecord record = Designed();
    const auto sheet = EvaluateOverlay({{{top::kSuperpave12, "2.00"}, kUnused, kUnused}},
                                       {{{old::kNoCourse, ""}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[0], (ResultRow{"12.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(sheet->rows[3][kMaterialCell], "[NO COURSE]");
    for (int cell = kCoefficientCell; cell <= kLowerStructuralValueCell; ++cell)
        EXPECT_EQ(sheet->rows[3][cell], "") << "cell " << cell;
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->rows[5], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "0.88");
    EXPECT_EQ(record.existingCourseCount, 0);
    EXPECT_EQ(record.overlayCourseCount, 1);
}

TEST(EvaluateOverlay, EqualNumbersAndRowsLeftOver) {
    DesignRecord record = Designed();
    ASSERT_TRUE(EvaluateOverlay(
        {{{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, {lower::kSuperpave25, "1.00"}}},
        {{{old::kAsphaltic, "4.00"}, {old::kGradedAggregate, "8.00"}, {old::kSandClay, "6.00"}}}, record));

    record.requiredSn = 1.98f;
    const auto sheet = EvaluateOverlay({{{top::kSuperpave12, "4.50"}, kUnused, kUnused}},
                                       {{{old::kNoCourse, ""}, kUnused, kUnused}}, record);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows[1], kEmptyRow);
    EXPECT_EQ(sheet->rows[2], kEmptyRow);
    EXPECT_EQ(sheet->rows[4], kEmptyRow);
    EXPECT_EQ(sheet->rows[5], kEmptyRow);
    EXPECT_EQ(sheet->proposedSn, "1.98");
    EXPECT_EQ(sheet->difference, "0.0%");
    EXPECT_EQ(sheet->verdict, kExactVerdict);
}

TEST(EvaluateOverlay, RefusesWhatItCannotEvaluateAndChangesNothing) {
    DesignRecord record = Designed();
    const Layers goodOverlay{
        {{top::kSuperpave12, "1.50"}, {lower::kSuperpave19, "2.00"}, {lower::kSuperpave25, "1.00"}}};
    const Layers goodExisting{
        {{old::kAsphaltic, "4.00"}, {old::kGradedAggregate, "8.00"}, {old::kSandClay, "6.00"}}};
    ASSERT_TRUE(EvaluateOverlay(goodOverlay, goodExisting, record));
    const DesignRecord before = record;

    const auto refused = [&](const Layers& overlay, const Layers& existing) {
        const bool evaluated = EvaluateOverlay(overlay, existing, record).has_value();
        const bool unchanged = SameRecord(record, before);
        record = before;
        return !evaluated && unchanged;
    };

    for (const char* text : {"abc", "2,5", "1.2.3", "", "-1.00", "nan"}) {
        for (int k = 0; k < 3; ++k) {
            Layers overlay = goodOverlay;
            overlay[k].thickness = text;
            EXPECT_TRUE(refused(overlay, goodExisting)) << "overlay course " << k + 1 << " '" << text << "'";
            Layers existing = goodExisting;
            existing[k].thickness = text;
            EXPECT_TRUE(refused(goodOverlay, existing)) << "existing course " << k + 1 << " '" << text << "'";
        }
    }

    Layers overlay = goodOverlay;
    overlay[1] = {lower::kOverlayNoCourse, "2.00"};
    EXPECT_TRUE(refused(overlay, goodExisting)) << "[NO COURSE] above overlay course 3";
    overlay[1] = {-1, "2.00"};
    EXPECT_TRUE(refused(overlay, goodExisting)) << "nothing chosen above overlay course 3";

    Layers existing = goodExisting;
    existing[0] = {old::kNoCourse, "4.00"};
    EXPECT_TRUE(refused(goodOverlay, existing)) << "[NO COURSE] above existing course 2";
    existing[0] = {-1, "4.00"};
    EXPECT_TRUE(refused(goodOverlay, existing)) << "nothing chosen above existing course 2";
    existing = goodExisting;
    existing[1] = {old::kNoCourse, "8.00"};
    EXPECT_TRUE(refused(goodOverlay, existing)) << "[NO COURSE] above existing course 3";

    overlay = goodOverlay;
    overlay[0] = kUnused;
    EXPECT_TRUE(refused(overlay, goodExisting)) << "no overlay course 1";
    EXPECT_TRUE(refused(goodOverlay, {{kUnused, kUnused, kUnused}})) << "no existing course 1";

    record.requiredSn = 0.0f;
    const DesignRecord noRequired = record;
    EXPECT_FALSE(EvaluateOverlay(goodOverlay, goodExisting, record));
    EXPECT_TRUE(SameRecord(record, noRequired));
}

// ------------------------------------------------------------------ numbers

// The numbers of an evaluation are those its cells show, row by row, and the
// proposed SN is their sum as the sheet shows it.
::testing::AssertionResult NumbersMatchTheSheet(const Evaluation& e, const DesignRecord& record) {
    const StructureNumbers& n = e.numbers;
    std::size_t course = 0;
    double sum = 0.0;
    for (std::size_t r = 0; r < e.sheet.rows.size(); ++r) {
        const ResultRow& row = e.sheet.rows[r];
        if (row[kMaterialCell].empty()) continue;
        if (course >= n.courses.size()) return ::testing::AssertionFailure() << "no numbers for row " << r;
        const EvaluatedCourse& c = n.courses[course++];
        if (c.existing != (n.overlay && r >= kOverlayCourseRows)) {
            return ::testing::AssertionFailure() << "row " << r << " is in the wrong group";
        }
        const std::size_t parts = row[kLowerInchesCell].empty() ? 1 : 2;
        if (c.parts.size() != parts) return ::testing::AssertionFailure() << "row " << r << " parts";
        for (std::size_t p = 0; p < parts; ++p) {
            const int first = p == 0 ? kInchesCell : kLowerInchesCell;
            const EvaluatedPart& part = c.parts[p];
            const bool shownByRate = c.spreadRate && p == 0;
            if (!shownByRate && FormatNumber(part.inches, "#0.00") != row[first]) {
                return ::testing::AssertionFailure() << "row " << r << " inches " << part.inches;
            }
            const std::string coefficient = row[first + 2];
            if (!coefficient.empty() && FormatNumber(part.coefficient, "0.00") != coefficient) {
                return ::testing::AssertionFailure() << "row " << r << " coefficient " << part.coefficient;
            }
            if (part.value != LeadingValue(row[first + 3])) {
                return ::testing::AssertionFailure() << "row " << r << " value " << part.value;
            }
            sum += part.value;
        }
    }
    if (course != n.courses.size()) return ::testing::AssertionFailure() << "numbers for rows not shown";
    if (FormatNumber(n.proposedSn, "0.00") != e.sheet.proposedSn || n.proposedSn != record.proposedSn) {
        return ::testing::AssertionFailure() << "proposed SN " << n.proposedSn;
    }
    if (std::fabs(n.proposedSn - sum) > 1e-3) return ::testing::AssertionFailure() << "sum " << sum;
    if (n.requiredSn != record.requiredSn || n.topZoneDepth != record.topZoneDepth) {
        return ::testing::AssertionFailure() << "required SN or zone depth";
    }
    return ::testing::AssertionSuccess();
}

TEST(Evaluate, NumbersAreWhatTheSheetShowsForRandomStructures) {
    testing::RandomStructures random(1972);
    for (int i = 0; i < 3000; ++i) {
        DesignRecord record = Designed(random.RequiredSn());
        const EnteredStructure structure = random.Any();
        DesignRecord direct = record;
        const auto e = Evaluate(structure, record);
        ASSERT_TRUE(e) << i;
        EXPECT_TRUE(NumbersMatchTheSheet(*e, record)) << i;
        // The same sheet as the evaluation of each kind of structure.
        const auto& r = structure.rows;
        const auto sheet = structure.overlay ? EvaluateOverlay({r[0], r[1], r[2]}, {r[3], r[4], r[5]}, direct)
                                             : EvaluateFullDepth({r[0], r[1], r[2], r[3], r[4]}, direct);
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->rows, e->sheet.rows);
        EXPECT_EQ(sheet->proposedSn, e->sheet.proposedSn);
        // The same proposed SN, bit for bit, from the rows as numbers.
        const auto layout = ReadStructure(structure);
        ASSERT_TRUE(layout) << i;
        const auto fast = ProposedSn(*layout);
        ASSERT_TRUE(fast) << i;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*fast), std::bit_cast<std::uint32_t>(e->numbers.proposedSn)) << i;
    }
}

TEST(ProposedSn, RefusesWhatTheEvaluationRefuses) {
    StructureLayout good;
    good.material = {fulldepth::kFirstMix, fulldepth::kGradedAggregateBase, fulldepth::kNoCourse, 0, 0, 0};
    good.inches = {1.5f, 8.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    ASSERT_TRUE(ProposedSn(good));
    EXPECT_NEAR(*ProposedSn(good), 0.66f + 1.28f, 1e-5f);

    const auto refused = [&](auto change) {
        StructureLayout layout = good;
        change(layout);
        return !ProposedSn(layout);
    };
    EXPECT_TRUE(refused([](StructureLayout& l) { l.material[0] = 0; })) << "no top course";
    EXPECT_TRUE(refused([](StructureLayout& l) { l.material[1] = fulldepth::kOgfc; })) << "not in the row's list";
    EXPECT_TRUE(refused([](StructureLayout& l) { l.material[3] = fulldepth::kFirstMix; })) << "a gap";
    EXPECT_TRUE(refused([](StructureLayout& l) { l.inches[1] = -0.25f; })) << "negative";
    EXPECT_TRUE(refused([](StructureLayout& l) { l.inches[1] = 1000.25f; })) << "too thick";
    EXPECT_TRUE(refused([](StructureLayout& l) { l.inches[0] = std::nanf(""); })) << "not a number";
    EXPECT_FALSE(refused([](StructureLayout& l) { l.inches[3] = -1.0f; })) << "a row not in use is not read";
    EXPECT_TRUE(refused([](StructureLayout& l) {
        l.overlay = true;
        l.material[3] = 0;
    })) << "no existing course 1";
}

TEST(Evaluate, TakesOnlyTheRowsOfAScreen) {
    DesignRecord record = Designed();
    const DesignRecord before = record;
    EXPECT_FALSE(Evaluate({false, {{top::kSuperpave12, "1.50"}}}, record));
    EXPECT_FALSE(Evaluate({true, std::vector<CourseEntry>(5, CourseEntry{top::kSuperpave12, "1.50"})}, record));
    EXPECT_TRUE(SameRecord(record, before));
}

}  // namespace
}  // namespace korvelle
