#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "structure_evaluation.h"

namespace korvelle {

// Money is counted in whole quarter cents: a price in cents times a
// thickness in quarter inches is a whole number of them, so sums and
// comparisons of costs are exact.  Only showing rounds to cents.
using QuarterCents = std::int64_t;

// One material of an agency's unit-cost table.
struct UnitCost {
    std::string material;  // as the entry screens' lists name it
    // Cents per square yard and inch of thickness; for a surface course laid
    // by spread rate, cents per square yard.
    std::int64_t cents = 0;
    bool spreadRate = false;  // OGFC or PEM: priced per square yard, no thickness
    // The agency's thinnest and thickest course of the material, in quarter
    // inches; 0 for a spread-rate course.
    int leastQuarterInches = 0;
    int greatestQuarterInches = 0;
};

struct UnitCostTable {
    std::vector<UnitCost> entries;  // in the order of the file
    // The entry of a material; nothing when the table does not price it.
    const UnitCost* Find(std::string_view material) const;
};

// The first line of a unit-cost table, exactly.
inline constexpr std::string_view kUnitCostHeader =
    "material,dollars per square yard per inch,least thickness,greatest thickness";

// Reads a unit-cost table from its CSV text: the header line, then one line
// per material: its name as the entry screens' lists name it, the price in
// dollars with at most two decimals ("12.50", "12.5", "12"), and the least
// and greatest thickness in inches, whole quarter inches from 0.25 to
// kMaxCourseThickness, least not above greatest.  OGFC and PEM are priced per
// square yard and leave both thickness fields empty; every other material
// has both.  Each material at most once.  Fields may be quoted as RFC 4180
// quotes them ("" for a quote inside); blanks around an unquoted field are
// dropped; blank lines are skipped; "\r\n" line ends and a leading byte
// order mark are accepted.  Anything else makes the whole text unreadable:
// nothing, and *error (when given) says which line is wrong and why.
std::optional<UnitCostTable> ParseUnitCostTable(std::string_view csvText, std::string* error);

// The cost of one course of the material: price x thickness, or the price
// once for a spread-rate course.
QuarterCents CourseCost(const UnitCost& cost, int quarterInches);

// Whether a row holds a new course the table prices: a course chosen (not
// "[NO COURSE]") among the full-depth or overlay courses; existing courses
// are not laid, so not priced.
bool IsPricedRow(const EnteredStructure& structure, int row);

// The material name of a row; empty when it holds none.
std::string_view RowMaterialName(const EnteredStructure& structure, int row);

// The cost of a structure's new courses per square yard: the sum of their
// course costs, each thickness read from its row as a whole number of
// quarter inches.  Nothing when a new course's material has no price or its
// thickness is not a whole number of quarter inches from 0 to
// kMaxCourseThickness.
std::optional<QuarterCents> StructureCost(const EnteredStructure& structure, const UnitCostTable& table);

// A cost as shown: "$1,041.25 per sq. yd.", rounded to the cent, half a cent
// up.
std::string CostText(QuarterCents cost);
// The same amount alone: "$1,041.25".
std::string DollarText(QuarterCents cost);

}  // namespace korvelle
