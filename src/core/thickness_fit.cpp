#include "thickness_fit.h"

#include <algorithm>
#include <cmath>

#include "materials.h"
#include "number_format.h"

namespace korvelle {

namespace {

// Once the SN is met at some thickness, it stays met from this many quarter
// inches further on: the unrounded sum has grown by more than twice the most
// an evaluation can be off.  Every thickness when nothing bounds the growth.
int QuarterInchesOfDoubt(double leastGainPerInch) {
    if (leastGainPerInch <= 0.0) return kMostQuarterInches;
    const double perQuarterInch = leastGainPerInch / kQuarterInchesPerInch;
    return static_cast<int>(std::ceil(2.0 * kMostEvaluationError / perQuarterInch)) + 1;
}

}  // namespace

std::optional<FitRefusal> CourseRefusesFit(const EnteredStructure& structure, int row) {
    const MaterialList list = RowList(structure, row);
    const std::int16_t m = MaterialInRow(structure, row);
    if (m == 0 || IsNoCourse(list, m)) return FitRefusal::NoCourse;
    if (IsSpreadRate(list, m)) return FitRefusal::SpreadRate;
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
