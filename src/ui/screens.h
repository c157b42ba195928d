#pragma once

#include <memory>

#include "program.h"

namespace korvelle {

// The logic of each screen of the program.
std::unique_ptr<Screen> MakeScreen(ScreenId id, Program& program);

}  // namespace korvelle
