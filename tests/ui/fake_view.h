#pragma once

// A window without a display, for driving the screen logic in tests and
// fuzz targets alike.

#include "ui/memory_view.h"

namespace korvelle {

using FakeView = MemoryView;

}  // namespace korvelle
