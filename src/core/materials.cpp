#include "materials.h"

namespace korvelle {

void InitMaterialLists(DesignRecord& record) {
    record.fullDepthMaterials = {
        "12.5 mm OGFC",     "12.5 mm PEM",     "12.5 mm Superpave", "9.5 mm Superpave",
        "12.5 mm SMA",      "19 mm Superpave", "19 mm SMA",         "25 mm Superpave",
        "37 mm Superpave",  "Soil-Cement Base", "Graded Aggregate Base", std::string(kNoCourseName)};
    for (std::size_t i = 0; i < 9; ++i) record.overlayMaterials[i] = record.fullDepthMaterials[i];
    record.overlayMaterials[9] = std::string(kNoCourseName);
    record.existingMaterials = {
        "Portland Cement Concrete (good)", "Portland Cement Concrete (fair)", "Asphaltic Concrete",
        "Soil-Cement Base", "Graded Aggregate Base", "Sand-Clay Base", std::string(kNoCourseName)};
    record.singleUnitEsal = 0.40f;
    record.multiUnitEsal = 1.50f;
    record.terminalServiceability = 2.5f;
}

float FullDepthBaseCoefficient(std::int16_t material) {
    switch (material) {
        case fulldepth::kSoilCementBase: return 0.20f;
        case fulldepth::kGradedAggregateBase: return 0.16f;
        default: return 0.0f;
    }
}

float ExistingCoefficient(std::int16_t material) {
    switch (material) {
        case existing::kConcreteGood: return 0.40f;
        case existing::kConcreteFair: return 0.30f;
        case existing::kSoilCementBase: return 0.20f;
        case existing::kGradedAggregateBase: return 0.16f;
        case existing::kSandClayBase: return 0.10f;
        default: return 0.0f;
    }
}

}  // namespace korvelle
