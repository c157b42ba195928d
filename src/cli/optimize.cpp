#include "optimize.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <nlohmann/json.hpp>

#include "core/quarter_inches.h"
#include "design_report.h"

namespace korvelle {

namespace {

constexpr const char* kRangeForm =
    "give COURSE=LEAST:GREATEST, the course's number and its least and greatest thickness in inches (for example "
    "3=2:6)";

// The new courses, the ones a structure lays: COURSE 1 of the group is the
// top one.  Of an overlay they are the overlay courses; the existing courses
// below them stay as they are.
const CourseGroup& NewCourses(const StructureRules& rules) { return rules.groups.front(); }

// Why a course number is none of the new courses.
std::string CourseNumbers(const StructureRules& rules) {
    const std::string last = std::to_string(NewCourses(rules).rows);
    return rules.kind == StructureKind::Overlay
               ? "an overlay's courses are numbered 1 to " + last + " (its existing courses are never sized)"
               : "a full-depth structure's courses are numbered 1 to " + last;
}

// One new course of the answer: its number in its group, its material, and
// the thickness the search gave it (none for a course laid by spread rate).
struct AnswerCourse {
    int course = 0;
    std::string material;
    std::optional<std::string> thickness;
};

std::vector<AnswerCourse> AnswerCourses(const StructureRules& rules, const LeastCostStructure& found) {
    const CourseGroup& group = NewCourses(rules);
    std::vector<AnswerCourse> courses;
    for (int row = group.firstRow; row < group.firstRow + group.rows; ++row) {
        if (!IsPricedRow(found.structure, row)) continue;
        const std::optional<int>& quarterInches = found.quarterInches.at(static_cast<std::size_t>(row));
        courses.push_back({row - group.firstRow + 1, std::string(RowMaterialName(found.structure, row)),
                           quarterInches ? std::optional<std::string>(QuarterInchText(*quarterInches)) : std::nullopt});
    }
    return courses;
}

}  // namespace

std::variant<CourseRangeOption, std::string> ParseCourseRange(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return std::string(kRangeForm);
    const std::size_t colon = text.find(':', equals);
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos) return std::string(kRangeForm);
    const std::string_view number(text.data(), equals);
    CourseRangeOption option{text, 0, {text.substr(equals + 1, colon - equals - 1), text.substr(colon + 1)}};
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), option.course);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        !std::isdigit(static_cast<unsigned char>(number.front()))) {
        return std::string(kRangeForm);
    }
    return option;
}

StructureChoice ChooseStructure(const DesignFile& file, std::optional<StructureKind> given) {
    auto laidOut = [&](StructureKind kind) {
        return kind == StructureKind::Overlay ? file.overlay.has_value() : file.fullDepth.has_value();
    };
    if (given) {
        if (laidOut(*given)) return {given, {}, false};
        const std::string what = *given == StructureKind::Overlay ? "overlay" : "full-depth structure";
        return {std::nullopt, "the design holds no " + what + ": its entry screen was never used", false};
    }
    if (file.accepted && laidOut(file.accepted->kind)) return {file.accepted->kind, {}, false};
    const bool fullDepth = laidOut(StructureKind::FullDepth);
    const bool overlay = laidOut(StructureKind::Overlay);
    if (fullDepth != overlay) return {fullDepth ? StructureKind::FullDepth : StructureKind::Overlay, {}, false};
    if (!fullDepth) {
        return {std::nullopt, "no structure is laid out: choose its materials on an entry screen first", false};
    }
    if (file.stage == DesignStage::FullDepthEntry) return {StructureKind::FullDepth, {}, false};
    if (file.stage == DesignStage::OverlayEntry) return {StructureKind::Overlay, {}, false};
    return {std::nullopt,
            "the design holds both a full-depth structure and an overlay, and neither was accepted: choose one with "
            "--structure full-depth or --structure overlay",
            true};
}

std::variant<RowRanges, RangeRefusal> GivenRanges(const StructureRules& rules, std::span<const CourseEntry> rows,
                                                  const std::vector<CourseRangeOption>& given) {
    const CourseGroup& group = NewCourses(rules);
    const std::vector<int> sized = SizedRows(rules, rows);
    RowRanges ranges(rows.size());
    for (const CourseRangeOption& option : given) {
        const std::string name = "--range " + option.given;
        if (option.course < 1 || option.course > group.rows) {
            return RangeRefusal{name, CourseNumbers(rules)};
        }
        const int row = group.firstRow + option.course - 1;
        if (std::find(sized.begin(), sized.end(), row) == sized.end()) {
            return RangeRefusal{name, rules.CourseName(row) +
                                          " has no thickness to size: it holds no course, or one laid by spread rate"};
        }
        auto& range = ranges.at(static_cast<std::size_t>(row));
        if (range) return RangeRefusal{name, rules.CourseName(row) + " has a range already"};
        auto read = ReadRange(rules, row, option.texts);
        if (auto* reason = std::get_if<std::string>(&read)) return RangeRefusal{name, *reason};
        range = std::get<ThicknessRange>(read);
    }
    return ranges;
}

RowRanges SearchRanges(const StructureRules& rules, std::span<const CourseEntry> rows, const RowRanges& given,
                       const UnitCostTable& table) {
    RowRanges ranges = DefaultRanges(ToEvaluate(rules, rows), table);
    for (std::size_t row = 0; row < ranges.size() && row < given.size(); ++row) {
        if (given[row]) ranges[row] = given[row];
    }
    return ranges;
}

std::vector<std::string> OptimizeLines(const StructureRules& rules, const LeastCostStructure& found) {
    std::vector<std::string> lines;
    for (const AnswerCourse& course : AnswerCourses(rules, found)) {
        lines.push_back("COURSE " + std::to_string(course.course) + "  " + Escaped(course.material) + "  " +
                        (course.thickness ? *course.thickness + " in." : std::string("spread rate")));
    }
    const ResultSheet& sheet = found.evaluation->sheet;
    lines.push_back("Proposed SN: " + sheet.proposedSn + " (required " + sheet.requiredSn + "), " + sheet.verdict +
                    " " + sheet.difference);
    lines.push_back("Cost: " + CostText(found.cost));
    return lines;
}

std::string OptimizeJson(const StructureRules& rules, const LeastCostStructure& found) {
    nlohmann::ordered_json courses = nlohmann::ordered_json::array();
    for (const AnswerCourse& course : AnswerCourses(rules, found)) {
        nlohmann::ordered_json object;
        object["course"] = course.course;
        object["material"] = course.material;
        object["thickness"] = course.thickness ? nlohmann::ordered_json(*course.thickness) : nlohmann::ordered_json();
        courses.push_back(std::move(object));
    }
    const ResultSheet& sheet = found.evaluation->sheet;
    nlohmann::ordered_json answer;
    answer["courses"] = std::move(courses);
    answer["requiredSn"] = sheet.requiredSn;
    answer["proposedSn"] = sheet.proposedSn;
    answer["verdict"] = sheet.verdict;
    answer["difference"] = sheet.difference;
    answer["cost"] = CostAmount(found.cost);
    return answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace korvelle
