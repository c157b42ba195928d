#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvelle {

// Everything of the one design in progress: the entries of every screen, the
// design traffic and required structural number computed from them, the
// material lists, and the values of the last structure evaluation.  The
// program owns exactly one and hands it to whoever needs it.  Thicknesses are
// in inches; course arrays hold course 1 (the top course) at element 0.
struct DesignRecord {
    // Project information
    std::string projectNumber;
    std::string piNumber;
    std::string countyName;
    std::string projectDescription;
    std::int16_t initialYear = 0;
    std::int16_t finalYear = 0;
    std::int32_t initialAadt = 0;  // one-way, vehicles per day
    std::int32_t finalAadt = 0;
    float truckPercent = 0.0f;

    // Design data
    float ldf = 0.0f;  // lane distribution factor, percent
    float terminalServiceability = 2.5f;
    float serviceabilityLoss = 0.0f;  // 4.2 - terminal serviceability
    float soilSupport = 0.0f;
    float regionalFactor = 0.0f;
    float singleUnitEsal = 0.40f;
    float multiUnitEsal = 1.50f;
    float esal18 = 0.0f;  // representative 18-kip ESAL per truck

    // Design traffic and required structural number
    std::int32_t meanAadt = 0;
    std::int32_t dailyLoads = 0;
    std::int32_t designLoading = 0;
    float requiredSn = 0.0f;

    // Evaluation results and designer information
    float snDifferencePercent = 0.0f;
    float proposedSn = 0.0f;
    std::int16_t officeIndex = 0;
    std::string designerName;
    std::string designDate;
    std::string designComments;
    std::int16_t menuChoice = 0;

    // Working values of the last structure evaluation
    float mmPerInch = 0.0f;
    float topZoneCourse = 0.0f;  // whole number 0 to 6
    float topZoneDepth = 0.0f;
    std::int16_t fullDepthCourseCount = 0;
    std::int16_t overlayCourseCount = 0;
    std::int16_t existingCourseCount = 0;
    std::array<float, 5> upperPart{};
    std::array<float, 5> lowerPart{};
    float baseCoefficient = 0.0f;
    std::array<std::string, 12> fullDepthMaterials;
    std::array<std::int16_t, 5> fullDepthCourseMaterial{};
    std::array<float, 5> fullDepthThickness{};
    std::array<std::string, 10> overlayMaterials;
    std::array<std::int16_t, 3> overlayCourseMaterial{};
    std::array<float, 3> overlayThickness{};
    std::array<std::string, 7> existingMaterials;
    std::array<std::int16_t, 3> existingCourseMaterial{};
    std::array<float, 3> existingThickness{};
};

}  // namespace korvelle
