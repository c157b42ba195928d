#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvelle {

// One line of the county worksheet's list: a county, or one part of a divided
// county, with the soil support value and regional factor recommended for it.
// The values are texts and are shown exactly as they stand ("4.0", "1.6").
struct CountyEntry {
    std::string name;
    std::string soilSupport;
    std::string regionalFactor;
};

// Reads the county table from its text form: one entry per line,
// "name,soil support,regional factor", in list order.  Lines whose first
// non-blank character is '#' and blank lines are skipped; blanks around a
// field are dropped; "\r\n" line ends and a leading byte order mark are
// accepted.  A line with other than three fields, an empty name or a value
// that is not one digit, a point and one digit makes the whole text
// unreadable: the result is empty and *error (when given) says which line is
// wrong and why.
std::optional<std::vector<CountyEntry>> ParseCountyTable(std::string_view csvText, std::string* error);

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
