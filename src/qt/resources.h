#pragma once

namespace korvelle {

// Registers the pictures and data compiled into the program.
void LoadResources();

}  // namespace korvelle
