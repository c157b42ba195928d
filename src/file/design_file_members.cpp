#include "design_file_members.h"

#include <tuple>

#include "core/design_record.h"

namespace korvelle {

bool operator==(const AcceptedStructure& a, const AcceptedStructure& b) {
    auto fields = [](const AcceptedStructure& s) {
        return std::tie(s.kind, s.current, s.designLoading, s.sheet.rows, s.sheet.requiredSn, s.sheet.proposedSn,
                        s.sheet.difference, s.sheet.verdict);
    };
    return fields(a) == fields(b);
}

std::string DesignFileRefusal::Message() const { return file.empty() ? reason : file + ": " + reason; }

namespace design_file {

namespace {

// The names exactly as the program fills its lists at start-up.
const DesignRecord& Catalogue() {
    static const DesignRecord catalogue = [] {
        DesignRecord record;
        InitMaterialLists(record);
        return record;
    }();
    return catalogue;
}

}  // namespace

std::span<const std::string> MaterialNames(MaterialCatalogue catalogue) {
    switch (catalogue) {
        case MaterialCatalogue::FullDepth: return Catalogue().fullDepthMaterials;
        case MaterialCatalogue::Overlay: return Catalogue().overlayMaterials;
        case MaterialCatalogue::Existing: return Catalogue().existingMaterials;
    }
    return {};
}

std::optional<int> ListPosition(const CourseList& list, std::size_t row, std::string_view material) {
    const MaterialSlice& slice = row == 0 ? list.topList : list.lowerList;
    const auto names = MaterialNames(list.catalogue);
    for (int position = 0; position < slice.size(); ++position) {
        if (names[static_cast<std::size_t>(slice.MaterialAt(position) - 1)] == material) return position;
    }
    return std::nullopt;
}

}  // namespace design_file
}  // namespace korvelle
