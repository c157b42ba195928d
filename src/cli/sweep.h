#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/design_record.h"
#include "core/required_sn.h"
#include "design_options.h"

namespace korvelle {

// A sweep over at most this many points is computed; a larger one is refused.
inline constexpr std::size_t kMaxSweepPoints = 10'000'000;

// The values one option takes in a sweep, as texts typed into its field:
// FROM, FROM + STEP, ... up to TO, each with as many decimals as FROM and
// STEP have.  The texts are made as they are needed, never held all at once.
struct SweepAxis {
    std::size_t option = 0;  // in DesignOptions()
    double from = 0.0;
    double step = 1.0;
    std::size_t count = 0;  // values
    int decimals = 0;

    // Value i as typed: FROM + i x STEP.
    std::string Text(std::size_t i) const;
};

// Reads "FROM:TO:STEP"; why not, when the text is not such a range (a step
// of zero or less, TO before FROM, or more than kMaxSweepPoints values).
std::variant<SweepAxis, std::string> ParseSweepRange(std::size_t option, std::string_view text);

// Whether an option's text is a range rather than one value.
bool IsSweepRange(std::string_view text);

// The required SN over the grid: rows the first axis, columns the second
// (absent: one column).  Every point starts from `base`, the design with the
// other options' values stored, and goes through ComputeRequiredSn; a point
// whose value no design can have, or which the design equation refuses,
// has no SN, and its reason is counted.
struct SweepGrid {
    SweepAxis rows;
    std::optional<SweepAxis> columns;
    std::size_t ColumnCount() const { return columns ? columns->count : 1; }
    std::size_t PointCount() const { return rows.count * ColumnCount(); }
};

enum class SweepFormat { Table, Csv };

struct SweepOutput {
    std::string text;                         // the table or CSV, every line ended
    std::map<std::string, std::size_t> refused;  // reason -> points
};

// Computes the sweep over `threads` threads (at least 1), each taking whole
// rows, and writes the table or CSV to `out` a block of rows at a time, in
// order, so that memory stays bounded however many rows there are; the
// output is the same whatever the number of threads.  The points refused,
// by reason.
std::map<std::string, std::size_t> WriteSweep(const SweepGrid& grid, const DesignRecord& base, SweepFormat format,
                                              unsigned threads, SnSearch search, std::ostream& out);

// The same, into a text.
SweepOutput RunSweep(const SweepGrid& grid, const DesignRecord& base, SweepFormat format, unsigned threads,
                     SnSearch search = SnSearch::PassSureTrials);

// "- 12 points: The regional factor must be greater than 0", one per reason.
std::vector<std::string> SweepFootnotes(const SweepOutput& output, SweepFormat format);

}  // namespace korvelle
