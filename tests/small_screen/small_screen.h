#pragma once

#include <QString>

namespace korvelle::testing {

// The logical size ("1093x614") the screen's available area must have, as
// named on the command line; empty when none was named.
extern QString expectedScreen;

}  // namespace korvelle::testing
