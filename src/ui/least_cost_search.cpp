#include "least_cost_search.h"

#include "core/number_format.h"
#include "core/number_text.h"
#include "core/quarter_inches.h"

namespace korvelle {

namespace {

std::string RangeText(int quarterInches) { return QuarterInchText(quarterInches); }

// A thickness of a range as typed, in whole quarter inches.
std::optional<int> RangeEnd(const std::string& text) {
    const std::optional<double> inches = ParseNumber(text);
    if (!inches) return std::nullopt;
    return ExactQuarterInches(*inches);
}

}  // namespace

std::string NoPriceMessage(std::string_view material, const std::string& course) {
    return "The unit-cost table has no price for " + std::string(material) + " (" + course +
           "): add it to the table, or choose another material";
}

std::vector<int> SizedRows(const StructureRules& rules, std::span<const CourseEntry> rows) {
    const EnteredStructure structure = ToEvaluate(rules, rows);
    std::vector<int> sized;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        if (IsSizedRow(structure, r)) sized.push_back(r);
    }
    return sized;
}

RangeTexts DefaultRangeTexts(const StructureRules& rules, std::span<const CourseEntry> rows, int row,
                             const UnitCostTable& table) {
    const std::vector<std::optional<ThicknessRange>> ranges = DefaultRanges(ToEvaluate(rules, rows), table);
    const auto& range = ranges.at(static_cast<std::size_t>(row));
    if (!range) return {};
    return {RangeText(range->least), RangeText(range->greatest)};
}

std::variant<ThicknessRange, std::string> ReadRange(const StructureRules& rules, int row, const RangeTexts& texts) {
    const std::optional<int> least = RangeEnd(texts.least);
    const std::optional<int> greatest = RangeEnd(texts.greatest);
    if (least && greatest && *least >= 1 && *least <= *greatest && *greatest <= kMostQuarterInches) {
        return ThicknessRange{*least, *greatest};
    }
    return rules.CourseName(row) + ": the thickness range must be whole quarter inches from 0.25 to " +
           FormatNumber(kMaxCourseThickness, "0") + ", the least not above the greatest (for example 1.50 to 4.00)";
}

std::variant<LeastCostStructure, std::string> FindLeastCost(const StructureRules& rules,
                                                            std::span<const CourseEntry> rows,
                                                            const std::vector<std::optional<ThicknessRange>>& ranges,
                                                            const UnitCostTable& table, const DesignRecord& record) {
    // A course without a price has no range either: said as what it is.
    const EnteredStructure structure = ToEvaluate(rules, rows);
    for (int row : SizedRows(rules, rows)) {
        const std::string_view material = RowMaterialName(structure, row);
        if (!table.Find(material)) return NoPriceMessage(material, rules.CourseName(row));
    }
    // The courses the search sizes take a thickness of their range for the
    // checks: what is typed there now does not count.
    std::vector<CourseEntry> checked(rows.begin(), rows.end());
    for (int row : SizedRows(rules, rows)) {
        const auto& range = ranges.at(static_cast<std::size_t>(row));
        if (range) checked[static_cast<std::size_t>(row)].thickness = QuarterInchText(range->least);
    }
    if (auto refusal = CheckStructure(rules, checked)) return refusal->message;

    LeastCostStructure found = FindLeastCostStructure(structure, ranges, table, record);
    if (!found.refusal) return found;
    const std::string course = found.row >= 0 ? rules.CourseName(found.row) : std::string();
    switch (*found.refusal) {
        case LeastCostRefusal::NoMaterial:
            return course + " holds no material: choose one before looking for the least cost";
        case LeastCostRefusal::NoPrice: return NoPriceMessage(found.material, course);
        case LeastCostRefusal::BadRange:
            return std::get<std::string>(ReadRange(rules, found.row, {}));
        case LeastCostRefusal::NotEvaluated: return std::string(kNotEvaluatedMessage);
        case LeastCostRefusal::Unreachable:
            return "Even the thickest structure in these ranges gives SN " + FormatNumber(found.proposedSn, "0.00") +
                   " against " + FormatNumber(found.requiredSn, "0.00") + ": widen the ranges or choose stronger materials";
    }
    return std::string(kNotEvaluatedMessage);
}

std::string LeastCostSummary(const LeastCostStructure& found) {
    const ResultSheet& sheet = found.evaluation->sheet;
    return "Least cost: " + CostText(found.cost) + ", proposed SN " + sheet.proposedSn + " against " +
           sheet.requiredSn + " required, " + sheet.difference + " " + sheet.verdict;
}

}  // namespace korvelle
