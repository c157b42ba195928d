#pragma once

#include "file/design_file.h"
#include "program.h"

namespace korvelle {

// The design as the screens hold it: every text as typed, every choice, the
// worksheets' state, the structures laid out, where the designer stands, and
// the accepted structure's results when the designer stands past it (on the
// main menu or a print screen).  A screen never shown counts with what it
// would first show; a structure screen with nothing entered counts as unused.
// Creates no window.  The file's "program" and "saved" members are left empty.
DesignFile CaptureDesign(Program& program);

// Whether two designs hold the same entries: what the designer typed and
// chose, leaving aside where they stand, the results and when it was saved.
bool SameEntries(const DesignFile& a, const DesignFile& b);

// The screen a design's stage stands for.
ScreenId StageScreen(DesignStage stage);

}  // namespace korvelle
