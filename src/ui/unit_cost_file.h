#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/unit_costs.h"

namespace korvelle {

// The example unit-cost table shipped with the program (data/unit-costs.csv,
// compiled in): invented prices that an agency replaces with its own.
std::string_view ShippedUnitCostTableText();

// Where a designer keeps an agency's own table: unit-costs.csv in Korvelle's
// folder of the user's configuration ($XDG_CONFIG_HOME/Korvelle, or
// ~/.config/Korvelle), as the desktop finds it.
std::string UserUnitCostFile();

// The unit-cost table of `file` (not empty), else the designer's own when
// there is one, else the shipped example.  A table that cannot be read gives
// nothing, and *error says why, naming the file and the line.  `used`, when
// given, receives the file read ("" for the shipped example).
std::optional<UnitCostTable> LoadUnitCostTable(const std::string& file, std::string* error,
                                               std::string* used = nullptr);

// What the desktop says at start-up of a designer's table it cannot use, for
// the reason LoadUnitCostTable gave; the design goes on without costs.
std::string UnitCostTableUnusableMessage(std::string_view reason);

}  // namespace korvelle
