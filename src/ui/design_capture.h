#pragma once

#include "design_rules.h"
#include "file/design_file.h"
#include "program.h"

namespace korvelle {

// The design as the screens hold it: every text as typed, every choice, the
// worksheets' state, the structures laid out, where the designer stands, and
// the structure accepted last, marked current or stale, and the alternatives
// kept, wherever the designer stands.  A screen never shown counts with what it would first show; a
// structure screen with nothing entered counts as unused.  Creates no window.
// The file's "program" and "saved" members are left empty.
DesignFile CaptureDesign(Program& program);

// Makes the program hold a design that CheckDesign took: the record, every
// screen's texts and choices (a screen the design does not use goes back to
// how it first shows), the structures evaluated on their result screens, and
// the acceptance; the program then stands on the design's stage screen.
void ShowDesign(Program& program, const DesignFile& file, const CheckedDesign& checked);

// A new design, as a program just started holds it on `today`.
DesignFile NewDesign(CalendarDate today);

// Whether two designs hold the same entries: what the designer typed and
// chose, leaving aside where they stand, the results and when it was saved.
bool SameEntries(const DesignFile& a, const DesignFile& b);

// Whether two designs hold the same entries and the same acceptance: what a
// saved file would lose.
bool SameDesign(const DesignFile& a, const DesignFile& b);

// The course rows of a structure entry screen as they stand, top down.
std::vector<CourseRow> EntryRows(Program& program, ScreenId id);

// The screen a design's stage stands for.
ScreenId StageScreen(DesignStage stage);

}  // namespace korvelle
