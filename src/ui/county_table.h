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

// Whether a text is a value of the table: one digit, a point and one digit.
bool IsCountyValueText(std::string_view text);

// The county table shipped with the program (data/counties.csv), compiled
// in as it stands in that file.
std::string_view ShippedCountyTableText();

// The county table a program runs with: the shipped one, or the one in
// `file` when a file is named (not null, not empty).  A table that cannot be
// read gives nothing, and *error says why: which line is wrong, or that the
// file cannot be read, naming the file.
std::optional<std::vector<CountyEntry>> LoadCountyTable(const char* file, std::string* error);

// What the desktop program shows before it ends on a county table that
// cannot be read, for the reason LoadCountyTable gave.
std::string CountyTableUnreadableMessage(std::string_view reason);

}  // namespace korvelle
