#include "quarter_inches.h"

#include <cmath>

#include "number_format.h"
#include "number_text.h"
#include "structure_evaluation.h"

namespace korvelle {

double QuarterInchesToInches(int quarterInches) {
    return static_cast<double>(quarterInches) / kQuarterInchesPerInch;
}

int NearestQuarterInches(double inches, int least, int greatest) {
    const double quarters = std::round(inches * kQuarterInchesPerInch);
    if (!(quarters >= least)) return least;  // NaN too
    if (quarters > greatest) return greatest;
    return static_cast<int>(quarters);
}

std::optional<int> QuarterInchesOf(std::string_view text) {
    const std::optional<double> inches = ParseNumber(text);
    if (!inches) return std::nullopt;
    return NearestQuarterInches(*inches, 0, kMostQuarterInches);
}

std::optional<int> ExactQuarterInches(double inches) {
    constexpr double kMostInches = 1e6;
    // Multiplying by 4 is exact in binary, so a whole product is a whole
    // count of quarter inches.
    const double quarters = inches * kQuarterInchesPerInch;
    if (!(std::fabs(inches) <= kMostInches) || quarters != std::trunc(quarters)) return std::nullopt;
    return static_cast<int>(quarters);
}

std::string QuarterInchText(int quarterInches) {
    return FormatNumber(QuarterInchesToInches(quarterInches), "#0.00");
}

}  // namespace korvelle
