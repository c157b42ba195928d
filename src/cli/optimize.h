#pragma once

// The pieces of `korvelle-cli optimize`: which entry screen's structure a
// design is sized on, the ranges typed as COURSE=LEAST:GREATEST, and the
// answer as lines or as one JSON object.  The search, its checks and its
// messages are the LEAST COST window's own (ui/least_cost_search.h).

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/least_cost.h"
#include "core/unit_costs.h"
#include "file/design_file.h"
#include "ui/design_rules.h"
#include "ui/least_cost_search.h"

namespace korvelle {

// One --range as given: "3=2:6" sets course 3 from 2 to 6 in.
struct CourseRangeOption {
    std::string given;  // as on the command line
    int course = 0;     // among the new courses (full depth 1 to 5, overlay 1 to 3)
    RangeTexts texts;   // the inches as typed, read as the LEAST COST window reads them
};

// The form COURSE=LEAST:GREATEST read (the inches are read later, against
// the course); why not, when the text does not have that form.
std::variant<CourseRangeOption, std::string> ParseCourseRange(const std::string& text);

// The entry screen a design is sized on, or why none: `usage` marks a
// refusal the command line can mend (--structure), exit status 2.
struct StructureChoice {
    std::optional<StructureKind> kind;
    std::string refusal;
    bool usage = false;
};

// `given` (--structure), else the structure accepted, else the one entry
// screen that holds rows, else, when both do, the entry screen the design
// was saved on.
StructureChoice ChooseStructure(const DesignFile& file, std::optional<StructureKind> given);

// The ranges given, one for each row the search sizes whose course has one;
// or, for a range on a course the search does not size, one given twice, or
// one not whole quarter inches from 0.25 to 1000, the option and why.
struct RangeRefusal {
    std::string option;  // "--range 3=6:2"
    std::string reason;
};
using RowRanges = std::vector<std::optional<ThicknessRange>>;  // one per row of the entry screen
std::variant<RowRanges, RangeRefusal> GivenRanges(const StructureRules& rules, std::span<const CourseEntry> rows,
                                                  const std::vector<CourseRangeOption>& given);

// The ranges the search takes: the ones given, the table's for every other
// row it sizes (none for a material the table does not price, which the
// search then names).
RowRanges SearchRanges(const StructureRules& rules, std::span<const CourseEntry> rows, const RowRanges& given,
                       const UnitCostTable& table);

// The answer as lines: "COURSE 1  12.5 mm Superpave  1.50 in." for every
// new course (a spread-rate one "COURSE 1  12.5 mm OGFC  spread rate"; the
// existing courses of an overlay stay as entered and are not listed), then
// "Proposed SN: 3.45 (required 3.44), Overdesign 0.3%" and
// "Cost: $41.25 per sq. yd.".  Texts from the design are escaped.
std::vector<std::string> OptimizeLines(const StructureRules& rules, const LeastCostStructure& found);

// The answer as one JSON object on one line:
// {"courses":[{"course":1,"material":"12.5 mm Superpave","thickness":"1.50"},...],
//  "requiredSn":"3.44","proposedSn":"3.45","verdict":"Overdesign","difference":"0.3%","cost":"41.25"}
// (a spread-rate course's thickness null).
std::string OptimizeJson(const StructureRules& rules, const LeastCostStructure& found);

}  // namespace korvelle
