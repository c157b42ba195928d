#pragma once

// The members of a design file as data: which JSON member holds which part of
// a DesignFile.  The reader, the writer and the check of docs/design-file.md
// all work from these tables.  A path names nested objects with dots
// ("worksheets.county"); the file's members appear in the order of the tables.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/materials.h"
#include "design_file.h"

namespace korvelle::design_file {

// Typed texts held in one array of DesignFile: keys[i] names element i.
template <std::size_t N>
struct TextGroup {
    std::string_view path;
    std::array<std::string, N> DesignFile::*texts;
    std::array<std::string_view, N> keys;
};

inline constexpr TextGroup<kProjectFields> kProjectTexts{
    "project",
    &DesignFile::project,
    {"projectNumber", "piNumber", "county", "description", "initialYear", "initialTraffic", "finalYear",
     "finalTraffic", "truckPercent"}};

inline constexpr TextGroup<kDesignDataFields> kDesignDataTexts{
    "designData",
    &DesignFile::designData,
    {"ldf", "terminalServiceability", "soilSupport", "regionalFactor", "singleUnitEsal", "multiUnitEsal",
     "representativeEsal"}};

inline constexpr TextGroup<kDesignerFields> kDesignerTexts{"designer", &DesignFile::designer, {"name", "comments", "date"}};

// A text held in a member of its own.  A text that may be null stands for
// "none" when empty, and is written as null.
struct TextMember {
    std::string_view path;
    std::string_view key;
    std::string DesignFile::*text;
    bool nullWhenEmpty = false;
};

// Who wrote the file and when; at the top level.
inline constexpr std::array<TextMember, 2> kMetaTexts{{
    {"", "program", &DesignFile::program},
    {"", "saved", &DesignFile::saved},
}};

inline constexpr std::array<TextMember, 4> kWorksheetTexts{{
    {"worksheets", "ldfEntry", &DesignFile::ldfWorksheetEntry},
    {"worksheets.county", "chosen", &DesignFile::county, true},
    {"worksheets.county", "soilSupport", &DesignFile::countySoilSupport},
    {"worksheets.county", "regionalFactor", &DesignFile::countyRegionalFactor},
}};

// The designer's office, a choice counted from 0, in the designer object
// after its texts.
inline constexpr std::string_view kOfficeKey = "office";
inline constexpr int kOffices = 5;

// Calls visit(path, key, text, nullWhenEmpty) for every typed text, in the
// file's order.  `File` is DesignFile or const DesignFile.
template <typename File, typename Visit>
void ForEachTypedText(File& file, Visit&& visit) {
    auto group = [&](const auto& texts) {
        for (std::size_t i = 0; i < texts.keys.size(); ++i) visit(texts.path, texts.keys[i], (file.*texts.texts)[i], false);
    };
    group(kProjectTexts);
    group(kDesignDataTexts);
    group(kDesignerTexts);
    for (const TextMember& member : kWorksheetTexts) visit(member.path, member.key, file.*member.text, member.nullWhenEmpty);
}

inline constexpr std::string_view kFormatKey = "format";
inline constexpr std::string_view kVersionKey = "version";
inline constexpr std::string_view kStageKey = "stage";

// Name tables: each value once, each name once.
struct StageName {
    DesignStage value;
    std::string_view name;
};
inline constexpr std::array<StageName, 6> kStageNames{{
    {DesignStage::ProjectInformation, "project-information"},
    {DesignStage::DesignData, "design-data"},
    {DesignStage::DesignerInformation, "designer-information"},
    {DesignStage::MainMenu, "main-menu"},
    {DesignStage::FullDepthEntry, "full-depth"},
    {DesignStage::OverlayEntry, "overlay"},
}};

// ----------------------------------------------------------------- courses

// Where a row's material names come from.
enum class MaterialCatalogue { FullDepth, Overlay, Existing };

// The names of a catalogue, material number 1 at element 0.
std::span<const std::string> MaterialNames(MaterialCatalogue catalogue);

// A list of course rows in a structure object.  Course 1 chooses from
// topList, the courses below it from lowerList.
struct CourseList {
    std::string_view key;      // in the structure object
    std::string_view rowName;  // messages name a row "<rowName> COURSE <n>"
    std::size_t firstRow;      // in the DesignFile's course array
    std::size_t rows;
    MaterialSlice topList;
    MaterialSlice lowerList;
    MaterialCatalogue catalogue;
};

inline constexpr std::string_view kFullDepthKey = "fullDepth";
inline constexpr std::array<CourseList, 1> kFullDepthLists{{
    {"courses", "full-depth", 0, kFullDepthCourses, kFullDepthTopList, kFullDepthLowerList,
     MaterialCatalogue::FullDepth},
}};

inline constexpr std::string_view kOverlayKey = "overlay";
inline constexpr std::array<CourseList, 2> kOverlayLists{{
    {"overlay", "overlay", 0, kOverlayCourses, kOverlayTopList, kOverlayLowerList, MaterialCatalogue::Overlay},
    {"existing", "existing", kOverlayCourses, kExistingCourses, kExistingList, kExistingList,
     MaterialCatalogue::Existing},
}};

// The members of one course.
inline constexpr std::string_view kMaterialKey = "material";
inline constexpr std::string_view kPositionKey = "position";
inline constexpr std::string_view kThicknessKey = "thickness";

// A material name's position in the list of a row (0 is course 1), or nothing
// when the list does not hold it.
std::optional<int> ListPosition(const CourseList& list, std::size_t row, std::string_view material);

// ------------------------------------------------------- accepted structure

inline constexpr std::string_view kAcceptedKey = "accepted";
inline constexpr std::string_view kStructureKey = "structure";
// Whether the acceptance is current; absent (as files written before it was
// kept) reads as current.
inline constexpr std::string_view kCurrentKey = "current";
inline constexpr std::string_view kDesignLoadingKey = "designLoading";
inline constexpr std::string_view kRowsKey = "rows";

struct StructureName {
    StructureKind value;
    std::string_view name;
    std::string_view described;  // in a message
    std::size_t rows;            // of its result sheet
};
inline constexpr std::array<StructureName, 2> kStructureNames{{
    {StructureKind::FullDepth, "full-depth", "a full-depth structure", kFullDepthCourses},
    {StructureKind::Overlay, "overlay", "an overlay", kOverlayCourses + kExistingCourses},
}};

// The result sheet's texts besides its rows, after the design loading.
struct SheetText {
    std::string_view key;
    std::string ResultSheet::*text;
};
inline constexpr std::array<SheetText, 4> kSheetTexts{{
    {"requiredSn", &ResultSheet::requiredSn},
    {"proposedSn", &ResultSheet::proposedSn},
    {"difference", &ResultSheet::difference},
    {"verdict", &ResultSheet::verdict},
}};

// The entry of a name table for a value.
template <typename Entry, std::size_t N, typename Value>
const Entry& EntryFor(const std::array<Entry, N>& table, Value value) {
    for (const Entry& entry : table) {
        if (entry.value == value) return entry;
    }
    return table.front();  // every value has its entry
}

// The entry of a name table for a name, or nothing.
template <typename Entry, std::size_t N>
const Entry* EntryNamed(const std::array<Entry, N>& table, std::string_view name) {
    for (const Entry& entry : table) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

}  // namespace korvelle::design_file
