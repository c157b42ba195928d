#include "core/materials.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/design_record.h"

namespace korvelle {
namespace {

TEST(InitMaterialLists, FillsTheThreeListsInTheirOrder) {
    DesignRecord record;
    InitMaterialLists(record);

    const std::array<std::string, 12> fullDepth{
        "12.5 mm OGFC",     "12.5 mm PEM",     "12.5 mm Superpave", "9.5 mm Superpave",
        "12.5 mm SMA",      "19 mm Superpave", "19 mm SMA",         "25 mm Superpave",
        "37 mm Superpave",  "Soil-Cement Base", "Graded Aggregate Base", "[NO COURSE]"};
    EXPECT_EQ(record.fullDepthMaterials, fullDepth);

    const std::array<std::string, 10> overlayNames{
        "12.5 mm OGFC",    "12.5 mm PEM", "12.5 mm Superpave", "9.5 mm Superpave", "12.5 mm SMA",
        "19 mm Superpave", "19 mm SMA",   "25 mm Superpave",   "37 mm Superpave",  "[NO COURSE]"};
    EXPECT_EQ(record.overlayMaterials, overlayNames);

    const std::array<std::string, 7> existingNames{
        "Portland Cement Concrete (good)", "Portland Cement Concrete (fair)", "Asphaltic Concrete",
        "Soil-Cement Base", "Graded Aggregate Base", "Sand-Clay Base", "[NO COURSE]"};
    EXPECT_EQ(record.existingMaterials, existingNames);

    EXPECT_EQ(kNoCourseName, "[NO COURSE]");
}

TEST(InitMaterialLists, SetsTheDesignDefaultsAndNothingElse) {
    DesignRecord record;
    record.singleUnitEsal = 0.75f;
    record.multiUnitEsal = 2.25f;
    record.terminalServiceability = 3.0f;
    record.ldf = 80.0f;
    record.esal18 = 1.1f;
    record.requiredSn = 3.5f;
    record.projectNumber = "NH-123";
    InitMaterialLists(record);

    EXPECT_EQ(record.singleUnitEsal, 0.40f);
    EXPECT_EQ(record.multiUnitEsal, 1.50f);
    EXPECT_EQ(record.terminalServiceability, 2.5f);
    // The designer's own entries are left alone.
    EXPECT_EQ(record.ldf, 80.0f);
    EXPECT_EQ(record.esal18, 1.1f);
    EXPECT_EQ(record.requiredSn, 3.5f);
    EXPECT_EQ(record.projectNumber, "NH-123");
}

TEST(DesignRecord, StartsAtZeroExceptTheStartValues) {
    const DesignRecord record;

    EXPECT_EQ(record.terminalServiceability, 2.5f);
    EXPECT_EQ(record.singleUnitEsal, 0.40f);
    EXPECT_EQ(record.multiUnitEsal, 1.50f);

    EXPECT_TRUE(record.projectNumber.empty());
    EXPECT_TRUE(record.piNumber.empty());
    EXPECT_TRUE(record.countyName.empty());
    EXPECT_TRUE(record.projectDescription.empty());
    EXPECT_EQ(record.initialYear, 0);
    EXPECT_EQ(record.finalYear, 0);
    EXPECT_EQ(record.initialAadt, 0);
    EXPECT_EQ(record.finalAadt, 0);
    EXPECT_EQ(record.truckPercent, 0.0f);

    EXPECT_EQ(record.ldf, 0.0f);
    EXPECT_EQ(record.serviceabilityLoss, 0.0f);
    EXPECT_EQ(record.soilSupport, 0.0f);
    EXPECT_EQ(record.regionalFactor, 0.0f);
    EXPECT_EQ(record.esal18, 0.0f);

    EXPECT_EQ(record.meanAadt, 0);
    EXPECT_EQ(record.dailyLoads, 0);
    EXPECT_EQ(record.designLoading, 0);
    EXPECT_EQ(record.requiredSn, 0.0f);

    EXPECT_EQ(record.snDifferencePercent, 0.0f);
    EXPECT_EQ(record.proposedSn, 0.0f);
    EXPECT_EQ(record.officeIndex, 0);
    EXPECT_TRUE(record.designerName.empty());
    EXPECT_TRUE(record.designDate.empty());
    EXPECT_TRUE(record.designComments.empty());
    EXPECT_EQ(record.menuChoice, 0);

    EXPECT_EQ(record.mmPerInch, 0.0f);
    EXPECT_EQ(record.topZoneCourse, 0.0f);
    EXPECT_EQ(record.topZoneDepth, 0.0f);
    EXPECT_EQ(record.fullDepthCourseCount, 0);
    EXPECT_EQ(record.overlayCourseCount, 0);
    EXPECT_EQ(record.existingCourseCount, 0);
    EXPECT_EQ(record.baseCoefficient, 0.0f);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(record.upperPart[k], 0.0f);
        EXPECT_EQ(record.lowerPart[k], 0.0f);
        EXPECT_EQ(record.fullDepthCourseMaterial[k], 0);
        EXPECT_EQ(record.fullDepthThickness[k], 0.0f);
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(record.overlayCourseMaterial[k], 0);
        EXPECT_EQ(record.overlayThickness[k], 0.0f);
        EXPECT_EQ(record.existingCourseMaterial[k], 0);
        EXPECT_EQ(record.existingThickness[k], 0.0f);
    }
    for (const auto& name : record.fullDepthMaterials) EXPECT_TRUE(name.empty());
    for (const auto& name : record.overlayMaterials) EXPECT_TRUE(name.empty());
    for (const auto& name : record.existingMaterials) EXPECT_TRUE(name.empty());
}

TEST(MaterialSlice, MapsListPositionsToMaterialNumbers) {
    DesignRecord record;
    InitMaterialLists(record);

    // Full-depth course 1 shows OGFC to 12.5 mm SMA.
    EXPECT_EQ(kFullDepthTopList.size(), 5);
    EXPECT_EQ(kFullDepthTopList.MaterialAt(0), 1);
    EXPECT_EQ(kFullDepthTopList.MaterialAt(1), 2);
    EXPECT_EQ(kFullDepthTopList.MaterialAt(4), 5);
    EXPECT_EQ(record.fullDepthMaterials[kFullDepthTopList.MaterialAt(4) - 1], "12.5 mm SMA");
    EXPECT_EQ(kFullDepthTopList.MaterialAt(5), 0);
    EXPECT_EQ(kFullDepthTopList.MaterialAt(-1), 0);

    // Courses 2 to 5 show 12.5 mm Superpave to [NO COURSE].
    EXPECT_EQ(kFullDepthLowerList.size(), 10);
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(0), 3);
    EXPECT_EQ(record.fullDepthMaterials[kFullDepthLowerList.MaterialAt(0) - 1], "12.5 mm Superpave");
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(7), 10);
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(8), 11);
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(9), 12);
    EXPECT_EQ(record.fullDepthMaterials[kFullDepthLowerList.MaterialAt(9) - 1], "[NO COURSE]");
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(10), 0);
    EXPECT_EQ(kFullDepthLowerList.MaterialAt(-1), 0);

    EXPECT_EQ(kOverlayTopList.size(), 5);
    EXPECT_EQ(kOverlayTopList.MaterialAt(0), 1);
    EXPECT_EQ(kOverlayTopList.MaterialAt(4), 5);
    EXPECT_EQ(kOverlayTopList.MaterialAt(5), 0);

    // Overlay courses 2 and 3 show 12.5 mm Superpave to [NO COURSE]: no bases.
    EXPECT_EQ(kOverlayLowerList.size(), 8);
    EXPECT_EQ(kOverlayLowerList.MaterialAt(0), 3);
    EXPECT_EQ(kOverlayLowerList.MaterialAt(6), 9);
    EXPECT_EQ(record.overlayMaterials[kOverlayLowerList.MaterialAt(6) - 1], "37 mm Superpave");
    EXPECT_EQ(kOverlayLowerList.MaterialAt(7), 10);
    EXPECT_EQ(record.overlayMaterials[kOverlayLowerList.MaterialAt(7) - 1], "[NO COURSE]");
    EXPECT_EQ(kOverlayLowerList.MaterialAt(8), 0);

    EXPECT_EQ(kExistingList.size(), 7);
    EXPECT_EQ(kExistingList.MaterialAt(0), 1);
    EXPECT_EQ(kExistingList.MaterialAt(2), 3);
    EXPECT_EQ(record.existingMaterials[kExistingList.MaterialAt(2) - 1], "Asphaltic Concrete");
    EXPECT_EQ(kExistingList.MaterialAt(6), 7);
    EXPECT_EQ(record.existingMaterials[kExistingList.MaterialAt(6) - 1], "[NO COURSE]");
    EXPECT_EQ(kExistingList.MaterialAt(7), 0);
    EXPECT_EQ(kExistingList.MaterialAt(-1), 0);
}

TEST(MaterialNumbers, NameTheRightEntries) {
    DesignRecord record;
    InitMaterialLists(record);
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kOgfc - 1], "12.5 mm OGFC");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kPem - 1], "12.5 mm PEM");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kFirstMix - 1], "12.5 mm Superpave");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kLastMix - 1], "37 mm Superpave");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kSoilCementBase - 1], "Soil-Cement Base");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kGradedAggregateBase - 1], "Graded Aggregate Base");
    EXPECT_EQ(record.fullDepthMaterials[fulldepth::kNoCourse - 1], "[NO COURSE]");
    EXPECT_EQ(record.overlayMaterials[overlay::kLastMix - 1], "37 mm Superpave");
    EXPECT_EQ(record.overlayMaterials[overlay::kNoCourse - 1], "[NO COURSE]");
    EXPECT_EQ(record.existingMaterials[existing::kConcreteGood - 1], "Portland Cement Concrete (good)");
    EXPECT_EQ(record.existingMaterials[existing::kConcreteFair - 1], "Portland Cement Concrete (fair)");
    EXPECT_EQ(record.existingMaterials[existing::kAsphalticConcrete - 1], "Asphaltic Concrete");
    EXPECT_EQ(record.existingMaterials[existing::kSoilCementBase - 1], "Soil-Cement Base");
    EXPECT_EQ(record.existingMaterials[existing::kGradedAggregateBase - 1], "Graded Aggregate Base");
    EXPECT_EQ(record.existingMaterials[existing::kSandClayBase - 1], "Sand-Clay Base");
    EXPECT_EQ(record.existingMaterials[existing::kNoCourse - 1], "[NO COURSE]");
}

TEST(LayerCoefficients, BasesAndConcrete) {
    EXPECT_EQ(FullDepthBaseCoefficient(10), 0.20f);  // soil-cement
    EXPECT_EQ(FullDepthBaseCoefficient(11), 0.16f);  // graded aggregate
    // Mixes take theirs from the top zone; surface courses and unused ones have none.
    for (std::int16_t material : {1, 2, 3, 6, 9, 12}) EXPECT_EQ(FullDepthBaseCoefficient(material), 0.0f) << material;

    EXPECT_EQ(ExistingCoefficient(1), 0.40f);  // concrete, good
    EXPECT_EQ(ExistingCoefficient(2), 0.30f);  // concrete, fair
    EXPECT_EQ(ExistingCoefficient(4), 0.20f);  // soil-cement
    EXPECT_EQ(ExistingCoefficient(5), 0.16f);  // graded aggregate
    EXPECT_EQ(ExistingCoefficient(6), 0.10f);  // sand-clay
    EXPECT_EQ(ExistingCoefficient(7), 0.0f);   // no course
}

TEST(SpreadRates, OfTheSurfaceCourses) {
    EXPECT_EQ(kOgfcSpreadRate.imperial, "90 lb/sy");
    EXPECT_EQ(kOgfcSpreadRate.metric, "50 kg/sm");
    EXPECT_EQ(kPemSpreadRate.imperial, "135 lb/sy");
    EXPECT_EQ(kPemSpreadRate.metric, "75 kg/sm");
}

}  // namespace
}  // namespace korvelle
