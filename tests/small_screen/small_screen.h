#pragma once

#include <QString>

namespace korvelle::testing {

// The logical size ("1093x614") the screen must have, as named on the
// command line; empty when none was named.
extern QString expectedScreen;
// The height in logical pixels of the desktop panel the test program puts
// along the bottom of the screen (0 for none): the screen's available area
// ends above it.
extern int panelHeight;

}  // namespace korvelle::testing
