#pragma once

namespace korvelle {

// Registers the pictures, data and the designer's guide compiled into the
// program.
void LoadResources();

}  // namespace korvelle
