#pragma once

#include <string_view>

namespace korvelle {

// The program's version, kept once in the build (CMakeLists.txt).
inline constexpr std::string_view kProgramVersion = KORVELLE_VERSION;

}  // namespace korvelle
