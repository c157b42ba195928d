#pragma once

#include <string>
#include <vector>

#include "ui/county_table.h"

namespace korvelle {

// The tests' and the county table fuzzer's; the programs read any table of
// the right form (ParseCountyTable).
//
// Checks that a table has the shape the worksheet is built for and returns
// one message per fault found (no messages: the table is good):
// - 176 entries with unique names; a name is a county name of capital letters
//   and single inner blanks, at most 13 characters, for a divided county
//   followed by one blank and its part in parentheses, at most 22 characters
//   in all; both values are one digit, a point and one digit;
// - counties in alphabetical order (blanks sorting before letters, or blanks
//   ignored, the same way throughout the table);
// - the parts of a divided county adjacent, in one of the orders
//   (north) (south); (northwest) (southeast); (east) (west);
//   (east) (west/central); (west) (east/central);
//   (northwest) (central) (southeast);
//   sharing the soil support value, adjacent parts differing in regional
//   factor, and the first and last of three parts sharing it;
// - exactly the expected number of entries carrying each soil support value,
//   each regional factor and each pair of the two;
// - the first eight entries and the last one with their fixed values.
std::vector<std::string> CheckCountyTableShape(const std::vector<CountyEntry>& table);

}  // namespace korvelle
