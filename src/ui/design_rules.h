#pragma once

// The rules a design meets, in one place: what Enter checks in a field, what
// CONTINUE checks on the project information, design data and structure
// entry screens, and a whole design as a file brings it.  The screens, opening
// a file and korvelle-cli all call these functions; nothing checks a design
// another way.  Refusals carry the screen's own message, in the screen's order
// of checks.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/design_record.h"
#include "core/materials.h"
#include "core/required_sn.h"
#include "core/structure_evaluation.h"
#include "county_table.h"
#include "field_rules.h"
#include "file/design_file.h"
#include "screen_id.h"

namespace korvelle {

// ------------------------------------------------------------------ messages

inline constexpr std::string_view kPeriodMessage = "The final design year must be later than the initial design year";
inline constexpr std::string_view kRegionalFactorMessage = "The regional factor must be greater than 0";
inline constexpr std::string_view kServiceabilityMessage = "The terminal serviceability index must be less than 4.2";
inline constexpr std::string_view kLoadingTooLargeMessage =
    "The design loading is too large to compute: please check the traffic and design data";
inline constexpr std::string_view kNoLoadingMessage =
    "The design loading must be greater than 0: please check the traffic and design data";
inline constexpr std::string_view kNoSnMessage =
    "The required SN cannot be computed from these data: please check the design data";

inline constexpr std::string_view kThicknessMessage = "Pavement thickness must be entered for each course";
inline constexpr std::string_view kTopCourseMessage = "Data must be entered for top course";
inline constexpr std::string_view kTopOverlayMessage = "Data must be entered for top overlay course";
inline constexpr std::string_view kTopExistingMessage = "Data must be entered for top existing course";
inline constexpr std::string_view kNotEvaluatedMessage =
    "The structure cannot be evaluated: please check the design data and each course's thickness";

// A text from a file that no key could have typed into its field.
inline constexpr std::string_view kControlCharacterMessage =
    "holds a control character (a line break, a tab or the like), which no field takes";

// The design data screen's message for a required SN that cannot be computed.
std::string_view SnErrorMessage(SnError error);

// ------------------------------------------------------------------ outcomes

// Why a screen refuses what it holds.
struct DesignRefusal {
    ScreenId screen = ScreenId::ProjectInformation;
    std::string field;          // the field's caption; empty when no one field is at fault
    int control = -1;           // the field's control on its screen; -1 when none
    std::string message;        // the screen's own message
    bool focusesField = false;  // the screen puts the keyboard on the field

    // "Design data, SOIL SUPPORT: Data is outside normal range";
    // "Proposed overlay: Data must be entered for top overlay course".
    std::string Text() const;
};

// A value outside its field's normal range, which the screen asks about
// before going on with it.
struct UnusualValue {
    ScreenId screen = ScreenId::ProjectInformation;
    int control = 0;
    const FieldRule* rule = nullptr;
    std::string text;         // as typed, without blanks around it
    std::string normalRange;  // "1.0 to 3.0"

    // "SOIL SUPPORT 12 (normal range 0.5 to 10)"
    std::string Line() const;
};

// What a data screen's CONTINUE makes of its texts: a refusal, or the record
// with the screen's values stored; and the values outside their normal range.
// The screen asks about those before it goes on; a refusal marked
// `afterQuestion` comes from working with the values and is reported only
// once the designer has gone on with them.
struct ScreenCheck {
    std::optional<DesignRefusal> refusal;
    bool afterQuestion = false;
    std::vector<UnusualValue> unusual;
    DesignRecord record;
};

// ------------------------------------------------------------------- fields

// Enter in a numeric field: the message it refuses the text with, or nothing.
// The value is stored in the record even when it lies outside the normal
// range, as the field has taken it.
std::optional<std::string_view> EnterRefusal(const FieldRule& rule, std::string_view text, DesignRecord& record);

// CONTINUE's three checks of one numeric field, in order: filled, a number of
// its kind, a value a design can have.  The first message that applies.
std::optional<std::string_view> ValueRefusal(const FieldRule& rule, std::string_view text);

// ------------------------------------------------------------- data screens

// The project information screen's CONTINUE on its nine texts.
ScreenCheck CheckProjectInformation(const ProjectTexts& texts, const DesignRecord& record);

// The design data screen's CONTINUE on its seven texts; the record then holds
// the design traffic and the required SN.
ScreenCheck CheckDesignData(const DesignDataTexts& texts, const DesignRecord& record);

// What the design data screen works out from values stored in the record:
// a terminal index that leaves serviceability to lose, then the design
// traffic and the required SN.  The message of the first that fails; the
// record is changed only when nothing fails.
std::optional<std::string_view> RequiredSnRefusal(DesignRecord& record, SnSearch search = SnSearch::PassSureTrials);

// The designer information screen's CONTINUE: its texts go into the record.
void StoreDesignerInformation(const DesignerTexts& texts, DesignRecord& record);

// -------------------------------------------------------- structure screens

// One course row of an entry screen: the material list it chooses from, the
// scroll bar's range in quarter inches, and whether its list ends with
// "[NO COURSE]".
struct CourseRowRule {
    MaterialSlice list;
    int scrollMaximum;
    bool lastIsNoCourse;
};

// A group of course rows ("COURSE 1" is its top course), and the message for
// a top course without a choice.
struct CourseGroup {
    std::string_view name;  // "" for the full-depth courses, else "Overlay" or "Existing"
    int firstRow;
    int rows;
    std::string_view topMessage;
};

// An entry screen's rows and groups.
struct StructureRules {
    ScreenId screen;
    std::string_view name;  // in a refusal: "Proposed pavement structure"
    StructureKind kind;
    std::span<const CourseRowRule> rows;
    std::span<const CourseGroup> groups;

    // The material number a row's list shows at a position; 0 for none.
    std::int16_t Material(int row, int position) const;
    // The row holds a course: a material chosen, not "[NO COURSE]".
    bool InUse(int row, int position) const;
    // The top course is OGFC or PEM, laid by spread rate: no thickness counts.
    bool SpreadRate(int row, int position) const;
    // "COURSE 3", "Overlay COURSE 2".
    std::string CourseName(int row) const;
};
const StructureRules& FullDepthRules();
const StructureRules& OverlayRules();
const StructureRules& RulesOf(StructureKind kind);

// The thickness a course laid by spread rate takes, whatever was typed.
inline constexpr std::string_view kSpreadRateThickness = "0";

// CONTINUE's checks of an entry screen's rows (position chosen, thickness as
// typed), before the evaluation.  `fitting` is a row FIT is fitting: its
// thickness is not looked at.
std::optional<DesignRefusal> CheckStructure(const StructureRules& rules, std::span<const CourseEntry> rows,
                                            int fitting = -1);

// The rows as the evaluation takes them: a course laid by spread rate counts
// no thickness, whatever its field holds.
EnteredStructure ToEvaluate(const StructureRules& rules, std::span<const CourseEntry> rows);

// CONTINUE on an entry screen: the checks, then the evaluation, which writes
// its working values into the record.
std::variant<Evaluation, DesignRefusal> EvaluateStructure(const StructureRules& rules,
                                                         std::span<const CourseEntry> rows, DesignRecord& record);

// The rows of a design file's entry screen as the screen holds them.
std::vector<CourseEntry> CourseEntries(std::span<const CourseRow> rows);

// ---------------------------------------------------------------- acceptance

// The entries an accepted result was computed from: the traffic and years,
// the design data, and the accepted structure's courses.  The project number,
// description, designer, comments and date are not among them.
struct AcceptanceBasis {
    std::array<std::string, 5> traffic;
    DesignDataTexts designData;
    std::vector<CourseRow> courses;
    friend bool operator==(const AcceptanceBasis&, const AcceptanceBasis&) = default;
};
AcceptanceBasis BasisOf(const DesignFile& file, StructureKind kind);

inline constexpr std::string_view kStaleAcceptanceMessage =
    "The accepted structure no longer matches the design data: open the structure and ACCEPT again";

// The result sheet of an evaluation as accepted, with the design loading.
AcceptedStructure Accepted(StructureKind kind, const ResultSheet& sheet, const DesignRecord& record);

// A result saved in a design file that computes differently now: what it is
// ("Required SN", "COURSE 3 structural value") and both texts as shown.
struct ResultDifference {
    std::string what;
    std::string saved;
    std::string now;
    // "Required SN: saved 4.92, now 4.93"; an empty text shows as "(blank)".
    std::string Text() const;
};
// In the result screen's order.
std::vector<ResultDifference> Differences(const AcceptedStructure& saved, const AcceptedStructure& now);

// ------------------------------------------------------------ alternatives

// The most characters of an alternative's name.
inline constexpr int kMaxAlternativeName = 40;

// Why a name (as given, blanks around it included) cannot name an
// alternative: "must be entered", "holds at most 40 characters", or a
// control character; nothing when it can.
std::optional<std::string> AlternativeNameRefusal(std::string_view name);

// ------------------------------------------------------------ a whole design

// A design file through the rules, as the screens would take it.
struct CheckedDesign {
    std::optional<DesignRefusal> refusal;  // the file cannot be used
    // As the data screens before the file's stage leave it, confirmed in
    // order (on the main menu or an entry screen, all three).
    DesignRecord record;
    // Values outside their normal range on the screens confirmed; a designer
    // went on with them.
    std::vector<UnusualValue> unusual;
    // On the main menu, the structures laid out, evaluated as CONTINUE does
    // (the other one first, the accepted one last), for their result screens.
    std::optional<Evaluation> fullDepth;
    std::optional<Evaluation> overlay;
    // The acceptance: when current, as it computes now from the file's entries
    // (on every screen of the chain, whatever the stage); when stale, as saved.
    std::optional<AcceptedStructure> accepted;
    // The record a current acceptance was computed on: the one its form prints.
    DesignRecord acceptedRecord;
    // Saved results of a current acceptance that compute differently now.
    std::vector<ResultDifference> differences;
};

// Checks every text of the file (fits its field, holds no control
// character; the county chosen is in the table; every alternative has a name
// of its own), confirms the data screens
// before its stage, evaluates the structures, and works out a current
// acceptance again.  A file is refused with the first refusal, as the screen
// that refuses it words it.
CheckedDesign CheckDesign(const DesignFile& file, const std::vector<CountyEntry>& counties);

// The name a refusal gives a screen: "Project information".
std::string_view ScreenName(ScreenId screen);

}  // namespace korvelle
