#pragma once

// How the required SN moves when the soil support or the design loading
// moves and the rest of the design stands: the numbers of the sensitivity
// chart, and the structures it draws across them.
//
// Every point is worked out as korvelle-cli's sweep works out a point: the
// value typed as a text, taken through its field's rules into a copy of the
// design record, and RequiredSnRefusal on that copy.  The soil support chart
// is `sweep --soil 0.5:10:0.1 --rf 1.0:3.0:0.5` (and `--rf` at the design's
// own regional factor when it is another); the design loading chart is
// `sweep --esal FROM:TO:STEP` over the range `LoadingSweepRange` gives.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_record.h"
#include "field_rules.h"
#include "file/design_file.h"

namespace korvelle {

class Program;

// The regional factors the soil support chart draws a curve for, as typed.
inline constexpr std::string_view kChartRegionalFactors[] = {"1.0", "1.5", "2.0", "2.5", "3.0"};

// One point of a curve.
struct SensitivityPoint {
    std::string typed;  // the value typed into the field the curve moves: "4.0", "0.137"
    // Soil support; or the design loading the point computes (0 where the
    // point is refused: the loading could not be counted).
    double x = 0.0;
    std::optional<float> requiredSn;  // none where the point is refused: the curve leaves a gap
    std::string refusal;              // why, in the design data screen's words
};

// One curve: the design at one regional factor, one value moved.
struct SensitivityCurve {
    std::string regionalFactor;  // as typed: "1.5"
    bool design = false;         // at the design's own regional factor
    std::vector<SensitivityPoint> points;  // x ascending

    std::string Name() const;  // "RF 1.5"
};

// A structure the chart draws as a horizontal line at its proposed SN.
struct StructureLine {
    std::string label;  // "Accepted: full-depth"
    float proposedSn = 0.0f;
};

// How far along the curve of the design's regional factor a structure
// meets the required SN (its proposed SN no less), from the axis's easy end
// (the highest soil support, the lowest loading) on.
struct LineReach {
    StructureLine line;
    // The points from the easy end on that it meets, without a break.
    std::size_t met = 0;
    // The last point of that run (the lowest soil support, the highest
    // loading it meets); none when it meets not even the first.
    std::optional<SensitivityPoint> limit;
    // The first point of the easy end; none when it has no required SN.
    std::optional<SensitivityPoint> easyEnd;
    bool whole = false;  // every point of the curve

    // "meets the required SN down to soil support 3.4"
    std::string Text(bool soil) const;
    // "down to soil support 3.4", "up to a design loading of 2,000,200",
    // "at every soil support shown", "not even at soil support 10.0"
    std::string Short(bool soil) const;
    // On the chart, beside the line: "Accepted: full-depth, SN 3.86: down to soil support 3.4"
    std::string Label(bool soil) const;
};

enum class SensitivityAxis { SoilSupport, DesignLoading };

// One tab of the chart.
struct SensitivityChart {
    SensitivityAxis axis = SensitivityAxis::SoilSupport;
    std::vector<SensitivityCurve> curves;  // regional factor ascending
    std::size_t designCurve = 0;           // the curve at the design's regional factor
    // The design's own point: its soil support or design loading, and its
    // required SN (none when the design itself is refused).
    double designX = 0.0;
    std::optional<float> designSn;
    std::vector<LineReach> lines;
    // The design as the description names it: "soil support 4", "regional factor 1.0".
    std::string designSoil;
    std::string designRegionalFactor;
    // The field's range as korvelle-cli's sweep takes it: "0.5:10:0.1".
    std::string sweepRange;

    bool soil() const { return axis == SensitivityAxis::SoilSupport; }
    // "Required SN against soil support"
    std::string Title() const;
    // "Soil support"; "Design loading (18-kip ESAL)"
    std::string AxisTitle() const;
    // What the chart shows, for a screen reader: the range, the curves, the
    // design's point, each line's reach and any points refused.
    std::string Description() const;
};

struct Sensitivity {
    SensitivityChart soil;     // required SN against soil support, a curve per regional factor
    SensitivityChart loading;  // required SN against the design loading, at the design's own factors
};

// The two charts of a design whose design data CONTINUE has stored (the
// record as that left it; it is not changed), with a line for each
// structure.
Sensitivity ComputeSensitivity(const DesignRecord& record, std::span<const StructureLine> lines);

// The representative 18-kip ESAL per truck the design loading chart moves
// through: from a tenth to ten times the design's, in steps of a hundredth
// of it, as texts: "0.1:10:0.01" for 1.0 ESAL.  The loading is proportional
// to it, before the one load a day that is always added.
struct SweepRange {
    std::string from, to, step;
    std::string Text() const { return from + ":" + to + ":" + step; }
};
SweepRange LoadingSweepRange(float designEsal);

// The shortest plain decimal text ("4", "1.37") that the field reads back
// as exactly `value`.
std::string ShortestText(const FieldRule& rule, float value);

// The structures the chart draws, in order: the accepted structure, while
// its acceptance is current, then each alternative CONTINUE would evaluate,
// labelled with its name.  Each structure's proposed SN is worked out
// again from its courses on the design as it stands.
std::vector<StructureLine> StructureLines(Program& program);

// The proposed SN a structure's course rows (as a design file holds them)
// give on the design in the record, evaluated on a copy as its entry
// screen's CONTINUE evaluates them; nothing when CONTINUE would refuse them.
std::optional<float> ProposedSn(StructureKind kind, std::span<const CourseRow> rows, const DesignRecord& record);

// Where the desktop shows the chart: in a window of its own until the
// designer closes it.
class SensitivityDisplay {
public:
    virtual ~SensitivityDisplay() = default;
    virtual void ShowSensitivity(const Sensitivity& sensitivity) = 0;
};

// The chart window's status line after SAVE PICTURE...
std::string PictureSavedMessage(std::string_view file);
// `what` failed for `reason`; the file named, and that an earlier file of
// that name is as it was.
std::string PictureNotSavedMessage(std::string_view what, std::string_view reason, std::string_view file,
                                   bool earlierKept);

}  // namespace korvelle
