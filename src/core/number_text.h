#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvelle {

// Reading numbers that people type.  "." is the decimal point whatever the
// system's locale; there is no digit grouping.

// The value of the longest numeric prefix of the text (sign, digits, one
// decimal point), with blanks anywhere ignored; 0 when there is none.
// "85-100" gives 85, "12abc" 12, "" and "abc" 0.
double LeadingValue(std::string_view text);

// The whole text as a number: blanks around it are allowed, anything else
// (letters, a second point, a comma, an empty text) is not a number.
std::optional<double> ParseNumber(std::string_view text);

// The whole text as a single-precision value; nothing when it is not a
// number or lies beyond the single range.
std::optional<float> ParseSingle(std::string_view text);

// The whole text rounded to the nearest integer, ties to the even integer;
// nothing when it is not a number or does not fit the type.
std::optional<std::int16_t> ParseInt16(std::string_view text);
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Rounds to the nearest integer, ties to the even integer (1001.5 -> 1002,
// 1002.5 -> 1002).
double RoundHalfEven(double value);

}  // namespace korvelle
