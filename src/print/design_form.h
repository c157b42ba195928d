#pragma once

#include <string>

#include "core/design_record.h"
#include "core/structure_evaluation.h"
#include "page.h"

namespace korvelle {

// The one-page design forms, signed off by the designer, a recommending and
// an approving engineer.  Each prints the project, traffic, design loading
// and design data from the record, the proposed structure, the structural
// numbers and the verdict as the result screen shows them (the sheet), and
// the sign-off block, in the given face at the given base size in points
// (the title at base size + 4), then ends the document.
//
// A face and size too large for one page spill onto further pages: a line
// that would pass the bottom starts a new page, and text that would pass the
// right edge continues at column 1 of the next line, at a blank where it
// can.  At 12 points in a 10-pitch face the form fits one Letter page.
//
// Failures: std::invalid_argument, before anything is printed, when the
// base size is not a positive number or the sheet lacks rows the form needs
// (5 for a full-depth design, 6 for an overlay).  Any exception from the page
// ends the layout at once: nothing more is printed, the document is not
// ended, and the exception passes to the caller, who aborts the print job.

// The full-depth form: courses 1 to fullDepthCourseCount (at least course 1)
// from sheet rows 0 to 4.
void PrintFullDepthForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                        const std::string& face, double size);

// The overlay form: overlay courses 1 to overlayCourseCount from sheet rows 0
// to 2, then the existing pavement, courses 1 to existingCourseCount, from
// rows 3 to 5 (the first of each group always printed).
void PrintOverlayForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                      const std::string& face, double size);

}  // namespace korvelle
