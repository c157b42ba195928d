#pragma once

#include <optional>
#include <string>

namespace korvelle {

// The whole text of a data file the program reads (a county table, a
// unit-cost table); nothing, and *why says so (the system's reason), when it
// cannot be read.
std::optional<std::string> ReadDataFile(const std::string& path, std::string& why);

}  // namespace korvelle
