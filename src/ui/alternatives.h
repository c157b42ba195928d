#pragma once

// Alternative structures: entry-screen rows kept under a name, compared side by
// side through the very evaluation CONTINUE runs, and put back on their entry
// screen to be evaluated and accepted.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_record.h"
#include "core/unit_costs.h"
#include "file/design_file.h"
#include "print/design_form.h"
#include "program.h"

namespace korvelle {

// The courses of an alternative in short, top down, as a designer writes
// them: "1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB"; an overlay's
// existing courses after " on ": "1.50 SP12.5 on 4.00 AC / 8.00 GAB".  A
// course laid by spread rate shows its material alone.
std::string ShortCourses(const Alternative& alternative);

// One alternative as the comparison shows it, computed now from the design's
// data: its texts (as printed on the comparison page), and the numbers they
// are sorted by.
struct AlternativeRow {
    ComparisonLine line;
    bool evaluated = false;       // false: CONTINUE refuses the structure (`line.verdict` says why)
    double totalInches = 0.0;     // of the new courses
    float proposedSn = 0.0f;
    double differencePercent = 0.0;  // signed: an underdesign below 0
    std::optional<QuarterCents> cost;  // when evaluated and every new course is priced
};

// Every alternative, in the order kept, against the record's required SN;
// the costs from `costs` when given.
std::vector<AlternativeRow> CompareAlternatives(const std::vector<Alternative>& alternatives,
                                                const DesignRecord& record, const UnitCostTable* costs);

// The alternatives of the program's design against its record's required
// SN, priced by its unit-cost table when it has one.
std::vector<AlternativeRow> CompareAlternatives(Program& program);

// The lines of the comparison page, in the rows' order.
std::vector<ComparisonLine> ComparisonLines(const std::vector<AlternativeRow>& rows);

// The columns of the comparison, in the order shown.
enum class AlternativeColumn { Name, Kind, Courses, Thickness, ProposedSn, Difference, Cost };
inline constexpr int kAlternativeColumns = 7;
std::string_view ColumnTitle(AlternativeColumn column);

// Whether `a` sorts before `b` by a column, ascending: names and courses as
// text, numbers as numbers; a row CONTINUE refuses, or one without a cost,
// after every row that has the number.
bool SortsBefore(const AlternativeRow& a, const AlternativeRow& b, AlternativeColumn column);

// The text of a row's cell.
std::string CellText(const AlternativeRow& row, AlternativeColumn column);

// KEEP AS ALTERNATIVE... on an entry screen: asks for a name (the next
// letter offered) and keeps the rows under it; a name kept already is
// replaced when the designer says so.  True when kept.
bool KeepAlternative(Program& program, ScreenId entry);

// USE, first half: whether to go on, asking first when the alternative's
// entry screen holds rows that are not kept as an alternative.
bool ConfirmUse(Program& program, std::size_t index);
// USE, second half: the alternative's rows on its entry screen, which is
// shown, to be evaluated by CONTINUE.
void PutAlternative(Program& program, std::size_t index);
// RENAME: asks for the new name.  True when renamed.
bool RenameAlternative(Program& program, std::size_t index);
// DELETE: asks first.  True when deleted.
bool DeleteAlternative(Program& program, std::size_t index);

inline constexpr std::string_view kAlternativesTitle = "ALTERNATIVES";

// Where the desktop shows the alternatives: a window of their own, modal,
// whose buttons call the functions above.  The alternative USE chose (and
// ConfirmUse let go on) once the window is closed, to be put on its entry
// screen.
class AlternativesDisplay {
public:
    virtual ~AlternativesDisplay() = default;
    virtual std::optional<std::size_t> ShowAlternatives(Program& program) = 0;
};

}  // namespace korvelle
