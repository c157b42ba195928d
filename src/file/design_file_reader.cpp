#include <cstdint>
#include <cstdio>
#include <limits>
#include <span>
#include <nlohmann/json.hpp>

#include "design_file.h"
#include "design_file_members.h"
#include "core/utf8.h"

namespace korvelle {

namespace {

using namespace design_file;
using Json = nlohmann::json;

constexpr std::string_view kOtherFormat = "not a Korvelle design file";
// Names quoted in a message are cut to this many bytes.
constexpr std::size_t kShownNameBytes = 60;

DesignFileRefusal Refused(std::string reason) { return DesignFileRefusal{{}, std::move(reason)}; }

std::string Joined(std::string_view path, std::string_view key) {
    return path.empty() ? std::string(key) : std::string(path) + "." + std::string(key);
}

// A name as the file writes it, in quotes with its control characters
// escaped, so that a message stays on one line.
std::string Quoted(std::string_view name) {
    const std::string_view shown = Utf8Prefix(name, kShownNameBytes);
    std::string quoted = Json(std::string(shown)).dump(-1, ' ', false, Json::error_handler_t::replace);
    if (shown.size() < name.size()) quoted.insert(quoted.size() - 1, "...");
    return quoted;
}

// A JSON number that is a whole number within 64 bits.
std::optional<std::int64_t> WholeNumber(const Json& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
        return static_cast<std::int64_t>(number);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    return std::nullopt;
}

// Builds the document in one pass over the text and, when the text is not
// JSON, keeps where the parser gave up: the byte it stopped at, counted from
// 1, and what it said.  The position is taken here rather than from the
// exception the parser hands over: a number beyond the range of a double
// comes as an out-of-range exception, which carries no position.
class DocumentBuilder : public nlohmann::detail::json_sax_dom_parser<Json> {
public:
    explicit DocumentBuilder(Json& root) : json_sax_dom_parser(root, false) {}

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
        bytesRead = position;
        what = error.what();
        return json_sax_dom_parser::parse_error(position, token, error);
    }

    std::size_t bytesRead = 0;  // counting the byte the parser stopped at
    std::string what;
};

// Why a text is not JSON, and where: line and column counted from 1, the
// column in characters.
std::string BrokenText(std::string_view text, const DocumentBuilder& parser) {
    const std::size_t at = std::min(parser.bytesRead > 0 ? parser.bytesRead - 1 : 0, text.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    const bool utf8 = parser.what.find("UTF-8") != std::string::npos;
    return std::string("not a design file: ") + (utf8 ? "the text is not valid UTF-8" : "the JSON text is broken") +
           " at line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Reads members, keeping the first refusal.  After a refusal every read does
// nothing and gives nothing, so a reading goes on to its end without checks
// at every step and the first fault found is the one reported.
class Reader {
public:
    const std::optional<std::string>& refusal() const { return refusal_; }

    void Refuse(std::string reason) {
        if (!refusal_) refusal_ = std::move(reason);
    }

    // The member `key` of an object that `path` names; nothing when it is
    // missing, or when absent is allowed and it is absent or null.
    const Json* Member(const Json* object, std::string_view path, std::string_view key, bool mayBeAbsent = false) {
        if (!object || refusal_) return nullptr;
        const auto found = object->find(std::string(key));
        if (found == object->end() || (mayBeAbsent && found->is_null())) {
            if (!mayBeAbsent) Refuse("the member " + Joined(path, key) + " is missing");
            return nullptr;
        }
        return &*found;
    }

    const Json* Object(const Json* object, std::string_view path, std::string_view key, bool mayBeAbsent = false) {
        return Typed(Member(object, path, key, mayBeAbsent), path, key, &Json::is_object, "an object");
    }

    const Json* Array(const Json* object, std::string_view path, std::string_view key) {
        return Typed(Member(object, path, key), path, key, &Json::is_array, "an array");
    }

    // The object at a dotted path below the root.
    const Json* ObjectAt(const Json& root, std::string_view path) {
        const Json* at = &root;
        for (std::size_t start = 0; at && start < path.size();) {
            std::size_t dot = path.find('.', start);
            if (dot == std::string_view::npos) dot = path.size();
            at = Object(at, path.substr(0, start > 0 ? start - 1 : 0), path.substr(start, dot - start));
            start = dot + 1;
        }
        return at;
    }

    void Text(const Json* object, std::string_view path, std::string_view key, std::string& text,
              bool nullable = false) {
        const Json* member = Member(object, path, key);
        if (!member) return;
        if (nullable && member->is_null()) {
            text.clear();
        } else if (member->is_string()) {
            text = member->get<std::string>();
        } else {
            Refuse("the member " + Joined(path, key) + (nullable ? " must be a string or null" : " must be a string"));
        }
    }

    // A whole number from `lowest` to `highest`; `expected` says so.
    std::optional<std::int64_t> Number(const Json* object, std::string_view path, std::string_view key,
                                       std::int64_t lowest, std::int64_t highest, std::string_view expected) {
        const Json* member = Member(object, path, key);
        if (!member) return std::nullopt;
        const auto number = WholeNumber(*member);
        if (!number || *number < lowest || *number > highest) {
            Refuse("the member " + Joined(path, key) + " must be " + std::string(expected));
            return std::nullopt;
        }
        return number;
    }

    // An array of `count` elements, `what` naming them.
    const Json* Elements(const Json* object, std::string_view path, std::string_view key, std::size_t count,
                         std::string_view what) {
        const Json* array = Array(object, path, key);
        if (array && array->size() != count) {
            Refuse(Joined(path, key) + " must hold " + std::to_string(count) + " " + std::string(what));
            return nullptr;
        }
        return array;
    }

private:
    const Json* Typed(const Json* member, std::string_view path, std::string_view key,
                      bool (Json::*is)() const noexcept, std::string_view type) {
        if (member && !(member->*is)()) {
            Refuse("the member " + Joined(path, key) + " must be " + std::string(type));
            return nullptr;
        }
        return member;
    }

    std::optional<std::string> refusal_;
};

// One course row; the material's name decides, and the position must agree.
void ReadCourse(Reader& reader, const Json* course, const std::string& path, const CourseList& list,
                std::size_t row, CourseRow& out) {
    reader.Text(course, path, kMaterialKey, out.material, true);
    const auto position = reader.Number(course, path, kPositionKey, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max(), "a whole number");
    reader.Text(course, path, kThicknessKey, out.thickness);
    if (!position) return;
    out.position = static_cast<int>(*position);
    const std::string rowName = std::string(list.rowName) + " COURSE " + std::to_string(row + 1) + ": ";
    if (out.material.empty()) {
        if (out.position != -1) reader.Refuse(rowName + "no material is chosen, so its position must be -1");
        return;
    }
    const auto listed = ListPosition(list, row, out.material);
    if (!listed) {
        reader.Refuse(rowName + Quoted(out.material) + " is not one of the materials of this list");
    } else if (*listed != out.position) {
        reader.Refuse(rowName + Quoted(out.material) + " is at position " + std::to_string(*listed) +
                      " of this list, not " + std::to_string(out.position));
    }
}

// The course lists of a structure object, whose path is `path`, into rows.
template <std::size_t Lists>
void ReadCourseLists(Reader& reader, const Json* structure, const std::string& path,
                     const std::array<CourseList, Lists>& lists, std::span<CourseRow> rows) {
    for (const CourseList& list : lists) {
        const Json* courses = reader.Elements(structure, path, list.key, list.rows, "courses");
        for (std::size_t r = 0; courses && r < list.rows; ++r) {
            const std::string coursePath = Joined(path, list.key) + "[" + std::to_string(r) + "]";
            const Json& course = (*courses)[r];
            if (!course.is_object()) reader.Refuse("the member " + coursePath + " must be an object");
            ReadCourse(reader, course.is_object() ? &course : nullptr, coursePath, list, r, rows[list.firstRow + r]);
        }
    }
}

template <std::size_t Rows, std::size_t Lists>
void ReadStructure(Reader& reader, const Json& root, std::string_view key, const std::array<CourseList, Lists>& lists,
                   std::optional<std::array<CourseRow, Rows>>& out) {
    const Json* structure = reader.Object(&root, "", key, true);
    if (!structure) return;
    std::array<CourseRow, Rows> rows;
    ReadCourseLists(reader, structure, std::string(key), lists, rows);
    if (!reader.refusal()) out = rows;
}

// The member `structure` of an object: which kind of structure it holds.
const StructureName* ReadKind(Reader& reader, const Json* object, const std::string& path) {
    std::string structure;
    reader.Text(object, path, kStructureKey, structure);
    const StructureName* kind = EntryNamed(kStructureNames, structure);
    if (!reader.refusal() && !kind) {
        std::string names;
        for (const StructureName& entry : kStructureNames) names += (names.empty() ? "\"" : " or \"") + std::string(entry.name) + "\"";
        reader.Refuse("the member " + Joined(path, kStructureKey) + " must be " + names);
    }
    return kind;
}

// The alternatives: each a name, a kind and its course lists.
void ReadAlternatives(Reader& reader, const Json& root, DesignFile& file) {
    const Json* alternatives = reader.Member(&root, "", kAlternativesKey, true);
    if (!alternatives) return;
    if (!alternatives->is_array()) {
        reader.Refuse("the member " + std::string(kAlternativesKey) + " must be an array");
        return;
    }
    for (std::size_t a = 0; a < alternatives->size() && !reader.refusal(); ++a) {
        const std::string path = std::string(kAlternativesKey) + "[" + std::to_string(a) + "]";
        const Json& object = (*alternatives)[a];
        if (!object.is_object()) {
            reader.Refuse("the member " + path + " must be an object");
            return;
        }
        Alternative alternative;
        reader.Text(&object, path, kNameKey, alternative.name);
        const StructureName* kind = ReadKind(reader, &object, path);
        if (!kind) return;
        alternative.kind = kind->value;
        alternative.rows.resize(kind->rows);
        if (kind->value == StructureKind::FullDepth) {
            ReadCourseLists(reader, &object, path, kFullDepthLists, alternative.rows);
        } else {
            ReadCourseLists(reader, &object, path, kOverlayLists, alternative.rows);
        }
        file.alternatives.push_back(std::move(alternative));
    }
}

void ReadAccepted(Reader& reader, const Json& root, DesignFile& file) {
    const Json* accepted = reader.Object(&root, "", kAcceptedKey, true);
    if (!accepted) return;
    AcceptedStructure out;
    const StructureName* kind = ReadKind(reader, accepted, std::string(kAcceptedKey));
    if (const Json* current = reader.Member(accepted, kAcceptedKey, kCurrentKey, true)) {
        if (current->is_boolean()) {
            out.current = current->get<bool>();
        } else {
            reader.Refuse("the member " + Joined(kAcceptedKey, kCurrentKey) + " must be true or false");
        }
    }
    reader.Text(accepted, kAcceptedKey, kDesignLoadingKey, out.designLoading);
    for (const SheetText& member : kSheetTexts) reader.Text(accepted, kAcceptedKey, member.key, out.sheet.*member.text);
    if (!kind) return;
    out.kind = kind->value;
    const Json* rows = reader.Elements(accepted, kAcceptedKey, kRowsKey, kind->rows,
                                       "rows for " + std::string(kind->described));
    for (std::size_t r = 0; rows && r < kind->rows; ++r) {
        const std::string rowPath = Joined(kAcceptedKey, kRowsKey) + "[" + std::to_string(r) + "]";
        const Json& row = (*rows)[r];
        ResultRow cells;
        if (!row.is_array() || row.size() != cells.size()) {
            reader.Refuse(rowPath + " must be an array of " + std::to_string(cells.size()) + " cells");
            return;
        }
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (!row[c].is_string()) {
                reader.Refuse("the member " + rowPath + "[" + std::to_string(c) + "] must be a string");
                return;
            }
            cells[c] = row[c].get<std::string>();
        }
        out.sheet.rows.push_back(cells);
    }
    // The accepted sheet was worked out from the courses the file holds.
    const bool coursesHeld = out.kind == StructureKind::FullDepth ? file.fullDepth.has_value() : file.overlay.has_value();
    if (!reader.refusal() && !coursesHeld) {
        reader.Refuse(std::string(kind->described) + " is accepted, but the file holds no " + std::string(kind->name) +
                      " courses");
    }
    if (!reader.refusal()) file.accepted = std::move(out);
}

}  // namespace

DesignFileReading ReadDesignFileText(std::string_view text) {
    if (text.size() > kMaxDesignFileBytes) return Refused(std::string(kTooLargeReason));
    Json document;
    DocumentBuilder parser(document);
    if (!Json::sax_parse(text, &parser)) return Refused(BrokenText(text, parser));
    const Json& root = document;

    // Whether this is a design file at all, then whether this version reads it.
    const auto format = root.is_object() ? root.find(std::string(kFormatKey)) : root.end();
    if (!root.is_object() || format == root.end() || *format != kDesignFileFormat) {
        return Refused(std::string(kOtherFormat));
    }
    const auto version = root.find(std::string(kVersionKey));
    if (version == root.end()) return Refused("the member version is missing");
    if (!version->is_number_unsigned() || version->get<std::uint64_t>() == 0) {
        return Refused("the member version must be a positive whole number");
    }
    if (version->get<std::uint64_t>() > static_cast<std::uint64_t>(kDesignFileVersion)) {
        return Refused("written by a newer Korvelle: format " + std::to_string(version->get<std::uint64_t>()) +
                       "; this version reads formats 1 to " + std::to_string(kDesignFileVersion));
    }

    DesignFile file;
    Reader reader;
    for (const TextMember& member : kMetaTexts) {
        reader.Text(reader.ObjectAt(root, member.path), member.path, member.key, file.*member.text);
    }
    std::string stage;
    reader.Text(&root, "", kStageKey, stage);
    if (const StageName* named = EntryNamed(kStageNames, stage)) {
        file.stage = named->value;
    } else if (!reader.refusal()) {
        std::string names;
        for (const StageName& entry : kStageNames) names += (names.empty() ? "\"" : ", \"") + std::string(entry.name) + "\"";
        reader.Refuse("the member stage must be one of " + names);
    }
    ForEachTypedText(file, [&](std::string_view path, std::string_view key, std::string& text, bool nullWhenEmpty) {
        reader.Text(reader.ObjectAt(root, path), path, key, text, nullWhenEmpty);
    });
    if (const auto office = reader.Number(reader.ObjectAt(root, kDesignerTexts.path), kDesignerTexts.path, kOfficeKey,
                                          0, kOffices - 1, "a whole number from 0 to " + std::to_string(kOffices - 1))) {
        file.office = static_cast<int>(*office);
    }
    ReadStructure(reader, root, kFullDepthKey, kFullDepthLists, file.fullDepth);
    ReadStructure(reader, root, kOverlayKey, kOverlayLists, file.overlay);
    ReadAccepted(reader, root, file);
    ReadAlternatives(reader, root, file);

    if (reader.refusal()) return Refused(*reader.refusal());
    return file;
}

}  // namespace korvelle
