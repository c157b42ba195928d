#include "thickness_fit.h"

#include <algorithm>
#include <cmath>

#include "materials.h"
#include "number_format.h"
#include "number_text.h"

namespace korvelle {

namespace {

// What a row of an entry screen can hold.
enum class RowKind { FullDepth, Overlay, Existing };

RowKind KindOf(const EnteredStructure& structure, int row) {
    if (!structure.overlay) return RowKind::FullDepth;
    return row < kOverlayCourseRows ? RowKind::Overlay : RowKind::Existing;
}

// The material number chosen in a row; 0 when nothing (or nothing valid) is.
std::int16_t MaterialIn(const EnteredStructure& structure, int row) {
    const int position = structure.rows[static_cast<std::size_t>(row)].position;
    switch (KindOf(structure, row)) {
        case RowKind::FullDepth:
            return (row == 0 ? kFullDepthTopList : kFullDepthLowerList).MaterialAt(position);
        case RowKind::Overlay: return (row == 0 ? kOverlayTopList : kOverlayLowerList).MaterialAt(position);
        case RowKind::Existing: return kExistingList.MaterialAt(position);
    }
    return 0;
}

bool IsNoCourse(RowKind kind, std::int16_t material) {
    switch (kind) {
        case RowKind::FullDepth: return material == fulldepth::kNoCourse;
        case RowKind::Overlay: return material == overlay::kNoCourse;
        case RowKind::Existing: return material == existing::kNoCourse;
    }
    return false;
}

// Layer coefficients of the asphalt mixes inside and below the top zone.
constexpr double kUpperAsphalt = 0.44;
constexpr double kLowerAsphalt = 0.30;

// The least the proposed SN grows, per inch added to the course, before the
// shown values are rounded.  The added inches count at least the course's
// least coefficient; they push the courses below down, and an asphalt course
// below pushed out of the top zone loses at most 0.44 - 0.30 per inch.  The
// existing courses below the top one keep their coefficient at any depth, so
// a course of the existing pavement pushes nothing out of the zone.
double LeastGainPerInch(const EnteredStructure& structure, int row) {
    const std::int16_t m = MaterialIn(structure, row);
    switch (KindOf(structure, row)) {
        case RowKind::FullDepth: {
            const double base = FullDepthBaseCoefficient(m);
            return (base > 0.0 ? base : kLowerAsphalt) - (kUpperAsphalt - kLowerAsphalt);
        }
        case RowKind::Overlay: return kLowerAsphalt - (kUpperAsphalt - kLowerAsphalt);
        case RowKind::Existing:
            return m == existing::kAsphalticConcrete ? kLowerAsphalt : ExistingCoefficient(m);
    }
    return 0.0;
}

// How far the proposed SN of one evaluation can lie from the unrounded sum of
// coefficient x inches: at most 7 shown values (3 overlay and 3 existing
// courses, one of them split), each rounded to 0.01, so off by 0.005 and a
// trace; and a single-precision sum of under 3,100 (7 x 440) off by under
// 0.002.
constexpr double kMostEvaluationError = 7 * 0.0051 + 0.002;

// Once the SN is met at some thickness, it stays met from this many quarter
// inches further on: the unrounded sum has grown by more than twice the most
// an evaluation can be off.  Every thickness when nothing bounds the growth.
int QuarterInchesOfDoubt(double leastGainPerInch) {
    if (leastGainPerInch <= 0.0) return kMostQuarterInches;
    const double perQuarterInch = leastGainPerInch / kQuarterInchesPerInch;
    return static_cast<int>(std::ceil(2.0 * kMostEvaluationError / perQuarterInch)) + 1;
}

}  // namespace

std::string QuarterInchText(int quarterInches) {
    return FormatNumber(static_cast<double>(quarterInches) / kQuarterInchesPerInch, "#0.00");
}

std::optional<int> QuarterInchesOf(std::string_view text) {
    const std::optional<double> inches = ParseNumber(text);
    if (!inches) return std::nullopt;
    const double quarters = std::round(*inches * kQuarterInchesPerInch);
    return static_cast<int>(std::clamp(quarters, 0.0, static_cast<double>(kMostQuarterInches)));
}

std::optional<FitRefusal> CourseRefusesFit(const EnteredStructure& structure, int row) {
    const int rows = static_cast<int>(structure.rows.size());
    if (row < 0 || row >= rows) return FitRefusal::NoCourse;
    const RowKind kind = KindOf(structure, row);
    const std::int16_t m = MaterialIn(structure, row);
    if (m == 0 || IsNoCourse(kind, m)) return FitRefusal::NoCourse;
    // OGFC and PEM come first in both top-course lists.
    if (kind != RowKind::Existing && row == 0 && m < fulldepth::kFirstMix) return FitRefusal::SpreadRate;
    return std::nullopt;
}

ThicknessFit FitCourseThickness(const EnteredStructure& structure, int row, const DesignRecord& record) {
    ThicknessFit fit;
    fit.requiredSn = record.requiredSn;
    if ((fit.refusal = CourseRefusesFit(structure, row))) return fit;

    // Every evaluation writes its working values into the scratch record,
    // never into the design's.
    DesignRecord scratch = record;
    EnteredStructure trial = structure;
    std::string& thickness = trial.rows[static_cast<std::size_t>(row)].thickness;
    auto proposedAt = [&](int quarterInches) -> std::optional<float> {
        thickness = QuarterInchText(quarterInches);
        const auto evaluation = Evaluate(trial, scratch);
        if (!evaluation) return std::nullopt;
        return evaluation->numbers.proposedSn;
    };
    // The comparison that shows "Underdesign" when it fails.
    auto meets = [&](float proposed) { return proposed >= record.requiredSn; };
    auto refuse = [&](FitRefusal refusal, int quarterInches, float proposed) {
        fit.refusal = refusal;
        fit.quarterInches = quarterInches;
        fit.proposedSn = proposed;
        return fit;
    };

    const auto atNone = proposedAt(0);
    if (!atNone) return refuse(FitRefusal::NotEvaluated, 0, 0.0f);
    if (meets(*atNone)) return refuse(FitRefusal::MetWithoutCourse, 0, *atNone);
    const auto atMost = proposedAt(kMostQuarterInches);
    if (!atMost) return refuse(FitRefusal::NotEvaluated, 0, 0.0f);
    if (!meets(*atMost)) return refuse(FitRefusal::Unreachable, kMostQuarterInches, *atMost);

    // Halving keeps `short_` short of the SN and `met` meeting it, and ends
    // with them a quarter inch apart.  Rounding can make the SN dip by a few
    // hundredths as a course grows, so another thickness below `met` may meet
    // it too; but none more than QuarterInchesOfDoubt below, since from there
    // on it would stay met, `short_` included.  The least lies in that window.
    int short_ = 0;
    int met = kMostQuarterInches;
    while (met - short_ > 1) {
        const int middle = short_ + (met - short_) / 2;
        const auto proposed = proposedAt(middle);
        if (!proposed) return refuse(FitRefusal::NotEvaluated, 0, 0.0f);
        (meets(*proposed) ? met : short_) = middle;
    }
    const int window = QuarterInchesOfDoubt(LeastGainPerInch(structure, row));
    for (int q = std::max(1, met - window); q <= met; ++q) {
        const auto proposed = proposedAt(q);
        if (!proposed) return refuse(FitRefusal::NotEvaluated, 0, 0.0f);
        if (meets(*proposed)) {
            fit.quarterInches = q;
            fit.proposedSn = *proposed;
            return fit;
        }
    }
    return refuse(FitRefusal::NotEvaluated, 0, 0.0f);  // cannot happen: `met` meets the SN
}

}  // namespace korvelle
