#include <nlohmann/json.hpp>

#include "design_file.h"
#include "design_file_members.h"

namespace korvelle {

namespace {

using namespace design_file;
// Keeps the members in the order they are added.
using Json = nlohmann::ordered_json;

// The member at a dotted path below `root`, made (as an object) where missing.
Json& MemberAt(Json& root, std::string_view path) {
    Json* at = &root;
    while (!path.empty()) {
        const auto dot = path.find('.');
        at = &(*at)[std::string(path.substr(0, dot))];
        path = dot == std::string_view::npos ? std::string_view{} : path.substr(dot + 1);
    }
    return *at;
}

void PutText(Json& object, std::string_view key, const std::string& text, bool nullWhenEmpty) {
    object[std::string(key)] = nullWhenEmpty && text.empty() ? Json(nullptr) : Json(text);
}

Json Course(const CourseRow& row) {
    Json course = Json::object();
    PutText(course, kMaterialKey, row.material, true);
    course[std::string(kPositionKey)] = row.position;
    PutText(course, kThicknessKey, row.thickness, false);
    return course;
}

template <std::size_t Rows, std::size_t Lists>
Json Structure(const std::array<CourseRow, Rows>& rows, const std::array<CourseList, Lists>& lists) {
    Json structure = Json::object();
    for (const CourseList& list : lists) {
        Json& courses = structure[std::string(list.key)] = Json::array();
        for (std::size_t r = 0; r < list.rows; ++r) courses.push_back(Course(rows[list.firstRow + r]));
    }
    return structure;
}

Json Accepted(const AcceptedStructure& accepted) {
    Json out = Json::object();
    out[std::string(kStructureKey)] = EntryFor(kStructureNames, accepted.kind).name;
    out[std::string(kCurrentKey)] = accepted.current;
    PutText(out, kDesignLoadingKey, accepted.designLoading, false);
    for (const SheetText& member : kSheetTexts) PutText(out, member.key, accepted.sheet.*member.text, false);
    Json& rows = out[std::string(kRowsKey)] = Json::array();
    for (const ResultRow& row : accepted.sheet.rows) rows.push_back(row);
    return out;
}

}  // namespace

std::string DesignFileText(const DesignFile& file) {
    Json root = Json::object();
    root[std::string(kFormatKey)] = kDesignFileFormat;
    root[std::string(kVersionKey)] = kDesignFileVersion;
    for (const TextMember& member : kMetaTexts) PutText(MemberAt(root, member.path), member.key, file.*member.text, false);
    root[std::string(kStageKey)] = EntryFor(kStageNames, file.stage).name;
    ForEachTypedText(file, [&](std::string_view path, std::string_view key, const std::string& text, bool nullWhenEmpty) {
        PutText(MemberAt(root, path), key, text, nullWhenEmpty);
    });
    MemberAt(root, kDesignerTexts.path)[std::string(kOfficeKey)] = file.office;
    if (file.fullDepth) root[std::string(kFullDepthKey)] = Structure(*file.fullDepth, kFullDepthLists);
    if (file.overlay) root[std::string(kOverlayKey)] = Structure(*file.overlay, kOverlayLists);
    if (file.accepted) root[std::string(kAcceptedKey)] = Accepted(*file.accepted);
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace korvelle
