#pragma once

// The least-cost structure as the entry screens and korvelle-cli ask for it:
// the ranges the designer types, CONTINUE's checks of the rows (the
// thickness of a course the search sizes is not looked at), the search, and
// one message for each refusal, worded alike everywhere.

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/least_cost.h"
#include "core/unit_costs.h"
#include "design_rules.h"

namespace korvelle {

// A course's range as typed: the least and greatest thickness in inches.
struct RangeTexts {
    std::string least;
    std::string greatest;
};

// The table's range of a row's material as the fields show it ("1.50",
// "4.00"); empty texts when the search does not size the row or the table
// does not price its material.
RangeTexts DefaultRangeTexts(const StructureRules& rules, std::span<const CourseEntry> rows, int row,
                             const UnitCostTable& table);

// The range the texts give, or why not: "COURSE 2: the thickness range must
// be whole quarter inches from 0.25 to 1000, the least not above the
// greatest (for example 1.50 to 4.00)".
std::variant<ThicknessRange, std::string> ReadRange(const StructureRules& rules, int row, const RangeTexts& texts);

// The message for a course whose material the table does not price.
std::string NoPriceMessage(std::string_view material, const std::string& course);

// The rows the search sizes, top down.
std::vector<int> SizedRows(const StructureRules& rules, std::span<const CourseEntry> rows);

// CONTINUE's checks, then the search: the structure found, or one message
// saying why none was.  `ranges` holds one range per row the search sizes.
std::variant<LeastCostStructure, std::string> FindLeastCost(const StructureRules& rules,
                                                            std::span<const CourseEntry> rows,
                                                            const std::vector<std::optional<ThicknessRange>>& ranges,
                                                            const UnitCostTable& table, const DesignRecord& record);

// What the structure found is, on one line: "Least cost: $41.25 per sq. yd.,
// proposed SN 3.45 against 3.44 required, 0.3% Overdesign".
std::string LeastCostSummary(const LeastCostStructure& found);

inline constexpr std::string_view kLeastCostTitle = "LEAST COST";

}  // namespace korvelle
