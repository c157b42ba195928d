#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "design_record.h"

namespace korvelle {

// Material numbers, counted from 1 in their list.
namespace fulldepth {
inline constexpr std::int16_t kOgfc = 1;
inline constexpr std::int16_t kPem = 2;
inline constexpr std::int16_t kFirstMix = 3;
inline constexpr std::int16_t kLastMix = 9;
inline constexpr std::int16_t kSoilCementBase = 10;
inline constexpr std::int16_t kGradedAggregateBase = 11;
inline constexpr std::int16_t kNoCourse = 12;
}  // namespace fulldepth

namespace overlay {
inline constexpr std::int16_t kOgfc = 1;
inline constexpr std::int16_t kPem = 2;
inline constexpr std::int16_t kFirstMix = 3;
inline constexpr std::int16_t kLastMix = 9;
inline constexpr std::int16_t kNoCourse = 10;
}  // namespace overlay

namespace existing {
inline constexpr std::int16_t kConcreteGood = 1;
inline constexpr std::int16_t kConcreteFair = 2;
inline constexpr std::int16_t kAsphalticConcrete = 3;
inline constexpr std::int16_t kSoilCementBase = 4;
inline constexpr std::int16_t kGradedAggregateBase = 5;
inline constexpr std::int16_t kSandClayBase = 6;
inline constexpr std::int16_t kNoCourse = 7;
}  // namespace existing

inline constexpr std::string_view kNoCourseName = "[NO COURSE]";

// The material lists, each name at its material number - 1.  The overlay
// list is the full-depth list's surface courses and mixes (1 to 9) followed
// by "[NO COURSE]".
inline constexpr std::array<std::string_view, 12> kFullDepthMaterialNames{
    "12.5 mm OGFC",    "12.5 mm PEM",     "12.5 mm Superpave", "9.5 mm Superpave",
    "12.5 mm SMA",     "19 mm Superpave", "19 mm SMA",         "25 mm Superpave",
    "37 mm Superpave", "Soil-Cement Base", "Graded Aggregate Base", kNoCourseName};
inline constexpr std::array<std::string_view, 7> kExistingMaterialNames{
    "Portland Cement Concrete (good)", "Portland Cement Concrete (fair)", "Asphaltic Concrete",
    "Soil-Cement Base", "Graded Aggregate Base", "Sand-Clay Base", kNoCourseName};

// The list a material number counts in.
enum class MaterialList { FullDepth, Overlay, Existing };

// The name of a material in its list; empty for a number outside the list.
std::string_view MaterialName(MaterialList list, std::int16_t material);

// "[NO COURSE]": chosen, but not a course.
bool IsNoCourse(MaterialList list, std::int16_t material);

// OGFC or PEM, which head both top-course lists: a surface course laid by
// spread rate, with no thickness that counts.
bool IsSpreadRate(MaterialList list, std::int16_t material);

// The top asphalt zone: the inches of pavement, from the surface or from the
// bottom of an OGFC or PEM top course, whose asphalt takes the upper
// coefficient.
inline constexpr float kTopZoneInches = 4.5f;

// Layer coefficients of an asphalt mix inside the top zone and below it.
// They are doubles: an asphalt course's structural value is worked out in
// double precision, a base or concrete course's in single.
inline constexpr double kUpperAsphaltCoefficient = 0.44;
inline constexpr double kLowerAsphaltCoefficient = 0.30;

// Fills the three material lists and sets the default design values
// (single-unit ESAL 0.40, multiple-unit ESAL 1.50, terminal serviceability
// 2.5).  Runs once when the program starts.
void InitMaterialLists(DesignRecord& record);

// The choice lists of the structure entry screens are slices of the material
// lists: a row's list shows the materials first..last of its list, and list
// position p stands for material number p + first.
struct MaterialSlice {
    std::int16_t first;  // material number shown at position 0
    std::int16_t last;   // material number shown at the last position
    int size() const { return last - first + 1; }
    // Material number for a list position; 0 when the position is outside
    // the list (nothing chosen is -1).
    std::int16_t MaterialAt(int position) const {
        return position >= 0 && position < size() ? static_cast<std::int16_t>(first + position) : 0;
    }
};

inline constexpr MaterialSlice kFullDepthTopList{1, 5};      // course 1
inline constexpr MaterialSlice kFullDepthLowerList{3, 12};   // courses 2 to 5
inline constexpr MaterialSlice kOverlayTopList{1, 5};        // overlay course 1
inline constexpr MaterialSlice kOverlayLowerList{3, 10};     // overlay courses 2 and 3
inline constexpr MaterialSlice kExistingList{1, 7};          // existing courses 1 to 3

// Layer coefficients of the base and concrete courses; 0 for materials that
// take theirs from the top asphalt zone or have none.
float FullDepthBaseCoefficient(std::int16_t material);
float ExistingCoefficient(std::int16_t material);

// Spread rates shown for the surface courses that carry no structural value.
struct SpreadRate {
    std::string_view imperial;
    std::string_view metric;
};
inline constexpr SpreadRate kOgfcSpreadRate{"90 lb/sy", "50 kg/sm"};
inline constexpr SpreadRate kPemSpreadRate{"135 lb/sy", "75 kg/sm"};
// The spread rate of a top course of OGFC or PEM (the same numbers in the
// full-depth and the overlay list).
inline const SpreadRate& SpreadRateOf(std::int16_t surfaceMaterial) {
    return surfaceMaterial == fulldepth::kOgfc ? kOgfcSpreadRate : kPemSpreadRate;
}

}  // namespace korvelle
