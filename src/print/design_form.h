#pragma once

#include <string>
#include <vector>

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

// One alternative structure on the comparison page, every value as shown.
struct ComparisonLine {
    std::string name;
    std::string kind;            // "full-depth", "overlay"
    std::string courses;         // "1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB"
    std::string totalThickness;  // of the new courses, inches: "14.50"
    std::string proposedSn;      // empty when the structure cannot be evaluated
    std::string difference;      // "12.2%"
    std::string verdict;         // or why the structure cannot be evaluated
    std::string cost;            // "$41.25 per sq. yd."; empty when not every course is priced

    friend bool operator==(const ComparisonLine&, const ComparisonLine&) = default;
};

// With alternatives to compare, a second page follows the form: headed by
// the project number and the design's date, the required SN, and each
// alternative in three lines (name and kind, courses, thickness, proposed
// SN, verdict and cost).  The one-page form itself is the same with or
// without it.

// The full-depth form: courses 1 to fullDepthCourseCount (at least course 1)
// from sheet rows 0 to 4.
void PrintFullDepthForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                        const std::string& face, double size, const std::vector<ComparisonLine>& comparison = {});

// The overlay form: overlay courses 1 to overlayCourseCount from sheet rows 0
// to 2, then the existing pavement, courses 1 to existingCourseCount, from
// rows 3 to 5 (the first of each group always printed).
void PrintOverlayForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                      const std::string& face, double size, const std::vector<ComparisonLine>& comparison = {});

}  // namespace korvelle
