#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "design_record.h"
#include "structure_evaluation.h"
#include "unit_costs.h"

namespace korvelle {

// The thicknesses a course may take, in quarter inches.
struct ThicknessRange {
    int least = 0;
    int greatest = 0;
};

// Whether the least-cost search sizes a row: a new course (a material chosen,
// not "[NO COURSE]") not laid by spread rate.  Existing courses and OGFC or
// PEM keep their entry.
bool IsSizedRow(const EnteredStructure& structure, int row);

// For every row the search sizes, the table's least and greatest thickness of
// its material; nothing for the other rows and for a material the table does
// not price.
std::vector<std::optional<ThicknessRange>> DefaultRanges(const EnteredStructure& structure,
                                                         const UnitCostTable& table);

// Why no least-cost structure was found.
enum class LeastCostRefusal {
    NoMaterial,    // `row` must hold a course but has no material: nothing chosen, or a gap above a course
    NoPrice,       // the table does not price `material`, the material of the new course in `row`
    BadRange,      // `row` has no range, or one that is empty, starts below 0.25 in. or ends beyond 1000 in.
    NotEvaluated,  // the structure cannot be evaluated: a thickness kept as entered, or no required SN
    Unreachable,   // no combination in the ranges meets the required SN
};

// The answer of the search.
struct LeastCostStructure {
    std::optional<LeastCostRefusal> refusal;  // nothing when a structure was found
    int row = -1;                             // the row a refusal names
    std::string material;                     // NoPrice: the material
    // The structure found, or with Unreachable the thickest one in the
    // ranges: the rows as entered, each sized row's thickness its quarter
    // inches as QuarterInchText writes them.
    EnteredStructure structure;
    std::vector<std::optional<int>> quarterInches;  // each row: the thickness the search gave it, if it sized it
    float proposedSn = 0.0f;
    float requiredSn = 0.0f;
    // CONTINUE's evaluation of `structure`, on a copy of the record: its
    // sheet holds the proposed SN, the difference and the verdict as the
    // result screen shows them.
    std::optional<Evaluation> evaluation;
    QuarterCents cost = 0;  // of the new courses, per square yard (CostText shows it)
    std::int64_t evaluations = 0;  // structures the search evaluated
};

// The structure of least cost whose evaluation, the very one CONTINUE runs,
// shows an overdesign or an exact design against the record's required SN:
// the materials as chosen, every sized row a whole number of quarter inches
// within its range (`ranges` holds one per row; rows not sized need none),
// every other row as entered.  Among equal costs the least total thickness,
// then the thinnest course 1, then course 2, and so on.  The exact optimum
// over every combination in the ranges.  Nothing in `record` changes.
LeastCostStructure FindLeastCostStructure(const EnteredStructure& structure,
                                          const std::vector<std::optional<ThicknessRange>>& ranges,
                                          const UnitCostTable& table, const DesignRecord& record);

}  // namespace korvelle
