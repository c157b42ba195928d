#pragma once

#include <string>
#include <vector>

#include "file/design_file.h"
#include "ui/design_rules.h"

namespace korvelle {

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
    bool stale = false;  // the accepted structure no longer matches the design data
};

inline constexpr const char* kNothing = "-";

// A text as a line of output shows it, one line whatever it holds: control
// characters and bytes that are not UTF-8 written as escapes ("\n", "\t",
// "\x1b", "\u0085"), a backslash as "\\"; everything else as it is.
std::string Escaped(std::string_view text);

// The summary of a design the rules took.
DesignSummary Summarize(const std::string& file, const DesignFile& design, const CheckedDesign& checked);

// "FILE: project P, design loading 1,000,100, required SN 3.44, full-depth,
// proposed SN 3.86, 12.2% Overdesign"; a stale acceptance says so after it.
std::string SummaryLine(const DesignSummary& summary);
// One JSON object on one line; "-" values are null.
std::string SummaryJson(const DesignSummary& summary);
// The CSV header and one row, quoted where a value needs it.
std::string SummaryCsvHeader();
std::string SummaryCsv(const DesignSummary& summary);

// "FILE: required SN saved 4.92, now 4.93".
std::string CheckLine(const std::string& file, const ResultDifference& difference);
// "3 designs: 1 same, 1 differ, 1 refused"; stale acceptances, when there
// are any, counted apart: "4 designs: 1 same, 1 differ, 1 stale, 1 refused".
std::string CheckTotals(int same, int differ, int refused, int stale = 0);

}  // namespace korvelle
