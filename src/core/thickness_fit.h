#pragma once

#include <optional>

#include "design_record.h"
#include "quarter_inches.h"
#include "structure_evaluation.h"

namespace korvelle {

// Thicknesses are fitted in steps of a quarter inch, from 0 up to the
// thickest course an evaluation takes, kMostQuarterInches.

// Why a course's thickness was not fitted.
enum class FitRefusal {
    NoCourse,          // the row holds no course: nothing chosen, or "[NO COURSE]"
    SpreadRate,        // OGFC or PEM: laid by spread rate, no thickness to fit
    NotEvaluated,      // the structure cannot be evaluated as it stands
    MetWithoutCourse,  // the required SN is met with the course at 0.00 in.
    Unreachable,       // even the thickest course leaves the structure short
};

// The outcome of fitting one course.  `quarterInches` and `proposedSn` are
// the thickness found and the proposed SN there; with MetWithoutCourse they
// are 0 and the SN at 0, with Unreachable kMostQuarterInches and the SN there.
struct ThicknessFit {
    std::optional<FitRefusal> refusal;  // nothing when a thickness was fitted
    int quarterInches = 0;
    float proposedSn = 0.0f;
    float requiredSn = 0.0f;
    float inches() const { return static_cast<float>(QuarterInchesToInches(quarterInches)); }
};

// Whether the course in `row` has a thickness to fit at all: NoCourse or
// SpreadRate, else nothing.
std::optional<FitRefusal> CourseRefusesFit(const EnteredStructure& structure, int row);

// The least thickness, in quarter inches, for the course in `row` at which
// the structure, every other row as entered, evaluates to a proposed SN of at
// least the required SN: the very evaluation CONTINUE runs (Evaluate), with
// its rounding and summing, on a copy of the record.  Thickness one quarter
// inch less evaluates to less.  Nothing in `record` changes.
ThicknessFit FitCourseThickness(const EnteredStructure& structure, int row, const DesignRecord& record);

}  // namespace korvelle
