#pragma once

// Random structures as a designer can enter them on the two entry screens:
// courses from the top down without gaps, each course's material from its
// row's list, thicknesses set with the scroll bar (quarter inches) or typed
// to the hundredth, a spread-rate top course at "0".

#include <random>
#include <string>

#include "core/design_record.h"
#include "core/materials.h"
#include "core/number_format.h"
#include "core/structure_evaluation.h"

namespace korvelle::testing {

// A record with the material lists and a required SN to evaluate against.
inline DesignRecord Designed(float requiredSn) {
    DesignRecord record;
    InitMaterialLists(record);
    record.requiredSn = requiredSn;
    return record;
}

// List positions on the screens.
inline constexpr int kTopLastPosition = 4;            // course 1: OGFC, PEM, three mixes
inline constexpr int kFullDepthLowerCourses = 9;      // courses 2 to 5: seven mixes, two bases
inline constexpr int kFullDepthNoCoursePosition = 9;
inline constexpr int kOverlayLowerMixes = 7;          // overlay courses 2 and 3
inline constexpr int kOverlayNoCoursePosition = 7;
inline constexpr int kExistingCourses = 6;            // concrete, asphalt and bases
inline constexpr int kExistingNoCoursePosition = 6;
inline constexpr int kSpreadRatePositions = 2;        // OGFC and PEM head the top list

class RandomStructures {
public:
    explicit RandomStructures(unsigned seed) : random_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // A thickness as the bar sets it (quarter inches up to 16) or as typed
    // (hundredths up to 40), now and then far thicker.
    std::string Thickness() {
        switch (Between(0, 5)) {
            case 0: return FormatNumber(Between(1, 4000) / 100.0, "#0.00");
            case 1: return FormatNumber(Between(1, 400) / 4.0, "#0.00");
            default: return FormatNumber(Between(1, 64) / 4.0, "#0.00");
        }
    }

    // An unused row: "[NO COURSE]" or nothing chosen.
    CourseEntry Unused(int noCoursePosition) { return {Between(0, 1) ? noCoursePosition : -1, ""}; }

    CourseEntry TopCourse() {
        const int position = Between(0, kTopLastPosition);
        return {position, position < kSpreadRatePositions ? "0" : Thickness()};
    }

    EnteredStructure FullDepth() {
        EnteredStructure s;
        s.rows.push_back(TopCourse());
        const int lower = Between(s.rows[0].position < kSpreadRatePositions ? 1 : 0, kFullDepthRows - 1);
        for (int k = 1; k < kFullDepthRows; ++k) {
            s.rows.push_back(k <= lower ? CourseEntry{Between(0, kFullDepthLowerCourses - 1), Thickness()}
                                        : Unused(kFullDepthNoCoursePosition));
        }
        return s;
    }

    EnteredStructure Overlay() {
        EnteredStructure s;
        s.overlay = true;
        s.rows.push_back(TopCourse());
        const int lower = Between(s.rows[0].position < kSpreadRatePositions ? 1 : 0, kOverlayCourseRows - 1);
        for (int k = 1; k < kOverlayCourseRows; ++k) {
            s.rows.push_back(k <= lower ? CourseEntry{Between(0, kOverlayLowerMixes - 1), Thickness()}
                                        : Unused(kOverlayNoCoursePosition));
        }
        // The top existing row must be chosen; "[NO COURSE]" counts.
        const int existing = Between(0, kOverlayScreenRows - kOverlayCourseRows);
        for (int k = 0; k < kOverlayScreenRows - kOverlayCourseRows; ++k) {
            if (k < existing) {
                s.rows.push_back({Between(0, kExistingCourses - 1), Thickness()});
            } else {
                s.rows.push_back(k == 0 ? CourseEntry{kExistingNoCoursePosition, ""}
                                        : Unused(kExistingNoCoursePosition));
            }
        }
        return s;
    }

    EnteredStructure Any() { return Between(0, 1) ? Overlay() : FullDepth(); }

    // A required SN the design data can give, to the hundredth.
    float RequiredSn() { return static_cast<float>(Between(100, 900) / 100.0); }

    // A row holding a course with a thickness: not laid by spread rate.
    int CourseRow(const EnteredStructure& s) {
        for (;;) {
            const int row = Between(0, static_cast<int>(s.rows.size()) - 1);
            const CourseEntry& e = s.rows[static_cast<std::size_t>(row)];
            if (!e.thickness.empty() && !(row == 0 && e.position < kSpreadRatePositions)) return row;
        }
    }

private:
    std::mt19937 random_;
};

}  // namespace korvelle::testing
