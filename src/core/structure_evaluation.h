#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design_record.h"
#include "materials.h"
#include "quarter_inches.h"

namespace korvelle {

// One course row of a structure entry screen: the chosen position in the
// row's material list (-1 when nothing is chosen) and the thickness in inches
// as typed.
struct CourseEntry {
    int position = -1;
    std::string thickness;
};

// Cells of a result row.  Cells 5 to 8 are the second line of a course split
// at the bottom of the top asphalt zone.
enum ResultCell {
    kMaterialCell = 0,
    kInchesCell = 1,
    kMillimetresCell = 2,
    kCoefficientCell = 3,
    kStructuralValueCell = 4,
    kLowerInchesCell = 5,
    kLowerMillimetresCell = 6,
    kLowerCoefficientCell = 7,
    kLowerStructuralValueCell = 8,
};

using ResultRow = std::array<std::string, 9>;

// What a result screen shows and the design form prints, every value as its
// displayed text.  A full-depth sheet has 5 rows (courses 1 to 5); an overlay
// sheet 6 (overlay courses 1 to 3, existing courses 1 to 3, whose rows 5 and
// 6 use cells 0 to 4 only).
struct ResultSheet {
    std::vector<ResultRow> rows;
    std::string requiredSn;
    std::string proposedSn;
    std::string difference;  // "12.3%"
    std::string verdict;     // "Overdesign", "Underdesign" or kExactVerdict
};

// One part of an evaluated course: the whole course, or its part above or
// below the bottom of the top asphalt zone.  These are the numbers the sheet's
// cells were formatted from.
struct EvaluatedPart {
    float inches = 0.0f;
    float coefficient = 0.0f;
    double value = 0.0;  // coefficient x inches as shown, to 0.01: what the proposed SN sums
};

// One course row of the result, top down.
struct EvaluatedCourse {
    std::int16_t material = 0;  // number in its material list (full-depth, overlay or existing)
    bool existing = false;      // a course of the existing pavement under an overlay
    bool spreadRate = false;    // OGFC or PEM: shown by spread rate, no thickness that counts
    // One part, or two for a course split at the bottom of the top zone
    // (upper part first; it may be 0 inches thick).  The top existing row
    // of "[NO COURSE]" has one part of coefficient 0.
    std::vector<EvaluatedPart> parts;
};

// The evaluated structure as numbers, for deciding and drawing.
struct StructureNumbers {
    bool overlay = false;
    std::vector<EvaluatedCourse> courses;  // the rows shown, top down
    float topZoneDepth = 0.0f;  // inches from the surface, a spread-rate course included
    float proposedSn = 0.0f;    // the sum of the shown values, as the sheet shows it
    float requiredSn = 0.0f;
};

// An evaluation: the sheet as shown and the numbers behind it.
struct Evaluation {
    ResultSheet sheet;
    StructureNumbers numbers;
};

inline constexpr const char* kOverdesign = "Overdesign";
inline constexpr const char* kUnderdesign = "Underdesign";
// Proposed and required structural numbers are equal.
inline constexpr const char* kExactVerdict = "Exact Design";

// The thickest course an evaluation takes, in inches.  Far beyond any real
// course, but every value derived from such a course can still be shown.
inline constexpr float kMaxCourseThickness = 1000.0f;
inline constexpr int kMostQuarterInches = static_cast<int>(kMaxCourseThickness) * kQuarterInchesPerInch;

// A thickness typed for a course in use: a number of inches from 0 to
// kMaxCourseThickness; nothing otherwise.
std::optional<float> CourseThickness(std::string_view text);

// Evaluates a proposed full-depth pavement (course 1 at element 0): gives
// every course its layer coefficient, forms the proposed structural number,
// compares it with the required one and writes the results into the record.
// Nothing when the structure cannot be evaluated: no top course, a chosen
// course whose thickness is not one CourseThickness takes, a course in use
// below one that is not, or no required structural number to compare with.
// The record is then left unchanged.
std::optional<ResultSheet> EvaluateFullDepth(const std::array<CourseEntry, 5>& courses,
                                             DesignRecord& record);

// Evaluates an asphalt overlay (course 1 at element 0) on an existing pavement
// (existing course 1 at element 0), in the same way.
std::optional<ResultSheet> EvaluateOverlay(const std::array<CourseEntry, 3>& overlay,
                                           const std::array<CourseEntry, 3>& existing,
                                           DesignRecord& record);

// The course rows of one entry screen, top down: 5 full-depth courses, or 3
// overlay courses followed by 3 existing courses.
struct EnteredStructure {
    bool overlay = false;
    std::vector<CourseEntry> rows;
};
inline constexpr int kFullDepthRows = 5;
inline constexpr int kOverlayCourseRows = 3;  // overlay courses, then as many existing courses
inline constexpr int kOverlayScreenRows = 6;

// EvaluateFullDepth or EvaluateOverlay on the rows, with the numbers behind
// the sheet.  Nothing, and the record unchanged, when the structure cannot be
// evaluated or the rows are not as many as the screen has.
std::optional<Evaluation> Evaluate(const EnteredStructure& structure, DesignRecord& record);

// The list a row of an entry screen chooses from, and the material number
// chosen in it: 0 when nothing is chosen, or the row is not on the screen.
MaterialList RowList(const EnteredStructure& structure, int row);
std::int16_t MaterialInRow(const EnteredStructure& structure, int row);

// A structure as numbers: the rows of its entry screen (5 full-depth rows, or
// 3 overlay and 3 existing rows) as each row's material number (0 when
// nothing is chosen) and thickness in inches.  Thicknesses of rows holding no
// course are not read, nor that of an overlay's OGFC or PEM top course, which
// counts as 0.
struct StructureLayout {
    bool overlay = false;
    std::array<std::int16_t, kOverlayScreenRows> material{};
    std::array<float, kOverlayScreenRows> inches{};
};

// The rows as the evaluation reads them: material numbers from the list
// positions, the thickness texts of the courses in use read as numbers.
// Nothing when Evaluate refuses the rows (a missing required SN aside).
std::optional<StructureLayout> ReadStructure(const EnteredStructure& structure);

// The proposed SN that Evaluate gives for the rows the layout was read from:
// the same steps, the same single and double arithmetic and the same
// rounding of every shown value, without a text read or written.  For
// searches that evaluate many structures.  Nothing when the structure cannot
// be evaluated: no top course, a course in use below a row that is not, a
// material not in its row's list, a thickness read that is not from 0 to
// kMaxCourseThickness.
std::optional<float> ProposedSn(const StructureLayout& layout);

// Each row's structural values as the sheet shows them, in hundredths (both
// parts of a split course together; 0 for a row without values): the
// numbers whose sum is the proposed SN.  Nothing when ProposedSn gives
// nothing.  For searches that bound the proposed SN exactly.
using RowHundredths = std::array<std::int64_t, kOverlayScreenRows>;
std::optional<RowHundredths> ShownValueHundredths(const StructureLayout& layout);

// The structural value the evaluation shows, in hundredths, for a course of
// the material that lies wholly below the top zone: the coefficient below
// the zone times the inches, rounded as shown.
std::int64_t ValueBelowZoneHundredths(MaterialList list, std::int16_t material, float inches);

// How far the proposed SN, a single-precision sum of at most 7 shown values
// under 3,100 (7 x 440), can lie from the exact sum of the shown decimals.
inline constexpr double kMostSumError = 0.002;

// How far the proposed SN of one evaluation can lie from the unrounded sum of
// coefficient x inches: at most 7 shown values (3 overlay and 3 existing
// courses, one of them split), each rounded to 0.01, so off by 0.005 and a
// trace; and their sum off by kMostSumError.
inline constexpr double kMostEvaluationError = 7 * 0.0051 + kMostSumError;

// The least the proposed SN grows, per inch added to the course in `row`,
// before the shown values are rounded.  The added inches count at least the
// course's least coefficient; they push the courses below down, and an
// asphalt course below pushed out of the top zone loses at most 0.44 - 0.30
// per inch.  The existing courses below the top one keep their coefficient at
// any depth, so a course of the existing pavement pushes nothing out of the
// zone.
double LeastGainPerInch(const EnteredStructure& structure, int row);

}  // namespace korvelle
