#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelle {

// Course thicknesses are set in steps of a quarter inch: by the scroll bars
// of the entry screens, by FIT, in the unit-cost table and by the least-cost
// search.  A count of quarter inches is exact where inches as binary
// fractions of a typed decimal may not be.
inline constexpr int kQuarterInchesPerInch = 4;

// The inches of a count of quarter inches: 7 gives 1.75, exactly.
double QuarterInchesToInches(int quarterInches);

// The whole count of quarter inches nearest a thickness in inches, halves
// rounded away from zero, kept within least..greatest.  A value that is not
// a number gives least.
int NearestQuarterInches(double inches, int least, int greatest);

// A thickness text in whole quarter inches, the nearest, from 0 to the
// thickest course an evaluation takes (where a course's scroll bar stands
// for it); nothing when the text is not a number.
std::optional<int> QuarterInchesOf(std::string_view text);

// The count of quarter inches a thickness is exactly; nothing when it is
// not a whole number of quarter inches or lies beyond +-1,000,000 inches.
std::optional<int> ExactQuarterInches(double inches);

// The thickness text of a count of quarter inches, as the field shows it and
// the evaluation reads it: "1.75".
std::string QuarterInchText(int quarterInches);

}  // namespace korvelle
