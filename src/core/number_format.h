#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvelle {

// Display patterns: "0" a required digit, "#" an optional digit, "." the
// decimal point, "," thousands grouping.  Used for every number the program
// shows or prints: "#0.00", "0.00", "0.000", "###", "##0.0", "###.0",
// "##,###", "###,###,###".
//
// Values are rounded as a person rounds the decimal value: the value is first
// written with 15 significant digits (7 for a single float), and that decimal
// is rounded half away from zero to the digits of the pattern.  So the double
// 0.30 x 2.75 = 0.825 shows "0.83" and the single 2.675 "2.68".  A pattern
// without required digits prints nothing for a value that rounds to zero, and
// a minus sign is never printed before a zero ("-0.00" never appears).
std::string FormatNumber(double value, std::string_view pattern);

// The design loading as every screen, form, file and command shows it:
// "1,000,100".  Counts read by people (pages, points) are grouped the same.
inline constexpr std::string_view kDesignLoadingPattern = "###,###,###";
inline constexpr std::string_view kCountPattern = "###,###,###";

std::string FormatNumber(float value, std::string_view pattern);
std::string FormatNumber(std::int32_t value, std::string_view pattern);
std::string FormatNumber(std::int64_t value, std::string_view pattern);

// The number FormatNumber shows with `decimals` digits after the point, as
// the nearest double: RoundAsShown(0.30 * 2.75, 2) is 0.83, exactly what the
// shown "0.83" reads back as.  Computations that go on from a shown value
// (sums of shown values) take it from here, never from the text.
double RoundAsShown(double value, int decimals);
double RoundAsShown(float value, int decimals);

// "mmmm d, yyyy" in English month names: "December 1, 2001".  Nothing for a
// month outside 1 to 12.
std::string FormatLongDate(int year, int month, int day);

}  // namespace korvelle
