#pragma once

#include <string>
#include <vector>

#include "core/unit_costs.h"
#include "file/design_file.h"
#include "ui/design_rules.h"

namespace korvelle {

inline constexpr const char* kNothing = "-";

// What `show` tells of one design, every value as the screens show it; "-"
// for what the design does not have yet (no required SN before the design
// data were confirmed, no structure before one was accepted).
struct DesignSummary {
    std::string file;  // as given on the command line
    std::string projectNumber;
    std::string designLoading;
    std::string requiredSn;
    std::string structure;  // "full-depth", "overlay" or "-"
    std::string proposedSn;
    std::string difference;
    std::string verdict;
    // Of the accepted structure's new courses, per square yard; none when it
    // is stale (its courses may no longer be the file's) or a course has no
    // price.
    std::optional<QuarterCents> cost;
    bool stale = false;  // the accepted structure no longer matches the design data
};

// A text as a line of output shows it, one line whatever it holds: control
// characters and bytes that are not UTF-8 written as escapes ("\n", "\t",
// "\x1b", "\u0085"), a backslash as "\\"; everything else as it is.
std::string Escaped(std::string_view text);

// A field of a CSV row: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// Whether the design has a required SN: its design data were confirmed
// (saved on the designer information screen or later).
bool HoldsRequiredSn(const DesignFile& design);

// The rows of the design's entry screen for `kind`, as the screen holds
// them; none when the screen was never used.
std::vector<CourseEntry> StructureRows(const DesignFile& design, StructureKind kind);

// A cost for reading by programs: dollars with two decimals, no sign and no
// grouping, rounded to the cent as CostText rounds it: "1041.25".
std::string CostAmount(QuarterCents cost);

// The summary of a design the rules took, its cost from the table.
DesignSummary Summarize(const std::string& file, const DesignFile& design, const CheckedDesign& checked,
                        const UnitCostTable& costs);

// "FILE: project P, design loading 1,000,100, required SN 3.44, full-depth,
// proposed SN 3.86, 12.2% Overdesign, $47.80 per sq. yd."; a stale
// acceptance says so after it.
std::string SummaryLine(const DesignSummary& summary);
// One JSON object on one line; "-" values are null, as is a cost not known
// ("cost": "47.80").
std::string SummaryJson(const DesignSummary& summary);
// The CSV header and one row, quoted where a value needs it; the cost last
// ("47.80", empty when not known).
std::string SummaryCsvHeader();
std::string SummaryCsv(const DesignSummary& summary);

// "FILE: required SN saved 4.92, now 4.93".
std::string CheckLine(const std::string& file, const ResultDifference& difference);
// "3 designs: 1 same, 1 differ, 1 refused"; stale acceptances, when there
// are any, counted apart: "4 designs: 1 same, 1 differ, 1 stale, 1 refused".
std::string CheckTotals(int same, int differ, int refused, int stale = 0);

}  // namespace korvelle
