#include "materials.h"

namespace korvelle {

void InitMaterialLists(DesignRecord& record) {
    for (std::size_t i = 0; i < kFullDepthMaterialNames.size(); ++i) {
        record.fullDepthMaterials[i] = std::string(kFullDepthMaterialNames[i]);
    }
    for (std::size_t i = 0; i < record.overlayMaterials.size(); ++i) {
        record.overlayMaterials[i] = std::string(MaterialName(MaterialList::Overlay, static_cast<std::int16_t>(i + 1)));
    }
    for (std::size_t i = 0; i < kExistingMaterialNames.size(); ++i) {
        record.existingMaterials[i] = std::string(kExistingMaterialNames[i]);
    }
    record.singleUnitEsal = 0.40f;
    record.multiUnitEsal = 1.50f;
    record.terminalServiceability = 2.5f;
}

std::string_view MaterialName(MaterialList list, std::int16_t material) {
    switch (list) {
        case MaterialList::FullDepth:
            if (material >= 1 && material <= fulldepth::kNoCourse) return kFullDepthMaterialNames[material - 1];
            break;
        case MaterialList::Overlay:
            if (material >= 1 && material <= overlay::kLastMix) return kFullDepthMaterialNames[material - 1];
            if (material == overlay::kNoCourse) return kNoCourseName;
            break;
        case MaterialList::Existing:
            if (material >= 1 && material <= existing::kNoCourse) return kExistingMaterialNames[material - 1];
            break;
    }
    return {};
}

bool IsNoCourse(MaterialList list, std::int16_t material) {
    switch (list) {
        case MaterialList::FullDepth: return material == fulldepth::kNoCourse;
        case MaterialList::Overlay: return material == overlay::kNoCourse;
        case MaterialList::Existing: return material == existing::kNoCourse;
    }
    return false;
}

bool IsSpreadRate(MaterialList list, std::int16_t material) {
    // The two surface courses have the same numbers in both lists.
    return list != MaterialList::Existing && (material == fulldepth::kOgfc || material == fulldepth::kPem);
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
