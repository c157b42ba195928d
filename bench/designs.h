#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "core/design_record.h"
#include "core/materials.h"
#include "core/required_sn.h"
#include "core/structure_evaluation.h"
#include "qt/print_support.h"

namespace korvelle::bench {

// The million-load design: 137 one-ESAL trucks a day in the design lane for
// 20 years (1,000,100 loads), serviceability loss 1.7, soil support 4.0,
// regional factor 1.0.  The search steps down from 4.56 to 3.44.
inline DesignRecord MillionLoadDesign() {
    DesignRecord record = testing::ExampleRecord();  // project and designer
    InitMaterialLists(record);
    record.initialAadt = 136;
    record.finalAadt = 136;
    record.truckPercent = 100.0f;
    record.ldf = 100.0f;
    record.esal18 = 1.0f;
    record.serviceabilityLoss = 1.7f;
    record.soilSupport = 4.0f;
    record.regionalFactor = 1.0f;
    ComputeRequiredSn(record);
    return record;
}

// The longest search the entry fields allow: the heaviest loading that fits
// (267,432 vehicles a day, all 5.5-ESAL trucks in the design lane, for 4
// years: 2,147,480,420 loads), terminal serviceability 4.1, soil support 0.5
// and regional factor 3.0.  The search climbs from 7.09 to 34.49.
inline DesignRecord LongestSearchDesign() {
    DesignRecord record = MillionLoadDesign();
    record.finalYear = 2004;
    record.initialAadt = 267432;
    record.finalAadt = 267432;
    record.singleUnitEsal = 2.5f;
    record.multiUnitEsal = 5.5f;
    record.esal18 = 5.5f;
    record.terminalServiceability = 4.1f;
    record.serviceabilityLoss = static_cast<float>(4.2 - record.terminalServiceability);
    record.soilSupport = 0.5f;
    record.regionalFactor = 3.0f;
    return record;
}

// Steps of 0.01 between the start of the search, 0.33 ln W, and the SN it
// found.
inline int SearchSteps(const DesignRecord& record) {
    const float start = static_cast<float>(0.33 * std::log(static_cast<double>(record.designLoading)));
    return static_cast<int>(std::lround(std::fabs(record.requiredSn - start) / 0.01));
}

// List positions of the structure entry screens.
namespace position {
inline constexpr int kTopSuperpave12 = 2;
inline constexpr int kSuperpave19 = 3;
inline constexpr int kSuperpave25 = 5;
inline constexpr int kGradedAggregate = 8;
inline constexpr int kFullDepthNoCourse = 9;
inline constexpr int kOverlayNoCourse = 7;
inline constexpr int kExistingAsphaltic = 2;
inline constexpr int kExistingGradedAggregate = 4;
inline constexpr int kExistingSandClay = 5;
inline constexpr int kExistingNoCourse = 6;
}  // namespace position

// 1.5 inches of 12.5 mm and 2 of 19 mm Superpave, 3 of 25 mm Superpave split
// by the bottom of the top asphalt zone, 8 of graded aggregate base.
inline std::array<CourseEntry, 5> FullDepthStructure() {
    return {{{position::kTopSuperpave12, "1.50"},
             {position::kSuperpave19, "2.00"},
             {position::kSuperpave25, "3.00"},
             {position::kGradedAggregate, "8.00"},
             {position::kFullDepthNoCourse, ""}}};
}

// 1.5 and 2 inches of overlay on 4 inches of asphaltic concrete, split by
// the bottom of the zone, over 8 inches of graded aggregate base.
inline std::array<CourseEntry, 3> OverlayCourses() {
    return {{{position::kTopSuperpave12, "1.50"}, {position::kSuperpave19, "2.00"}, {position::kOverlayNoCourse, ""}}};
}

inline std::array<CourseEntry, 3> ExistingCourses() {
    return {{{position::kExistingAsphaltic, "4.00"},
             {position::kExistingGradedAggregate, "8.00"},
             {position::kExistingNoCourse, ""}}};
}

}  // namespace korvelle::bench
