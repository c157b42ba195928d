#include "sweep.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <thread>

#include "core/number_format.h"
#include "core/number_text.h"
#include "ui/design_rules.h"

namespace korvelle {

namespace {

// Decimals written after the point in a number's text: "0.25" has 2.
int Decimals(std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos) return 0;
    std::size_t digits = 0;
    for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
    return static_cast<int>(digits);
}

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);  // no "-0.00"
    return text;
}

}  // namespace

bool IsSweepRange(std::string_view text) { return text.find(':') != std::string_view::npos; }

std::variant<SweepAxis, std::string> ParseSweepRange(std::size_t option, std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon == std::string_view::npos ? colon : colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    if (parts.size() != 3) return std::string("a range is FROM:TO:STEP");
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<double> number = ParseNumber(parts[i]);
        if (!number || !std::isfinite(*number)) {
            return "\"" + std::string(parts[i]) + "\" is not a number (digits with an optional decimal point)";
        }
        numbers[i] = *number;
    }
    const auto [from, to, step] = numbers;
    if (!(step > 0.0)) return std::string("the step must be greater than 0");
    if (to < from) return std::string("TO must not be less than FROM");
    const int decimals = std::max(Decimals(parts[0]), Decimals(parts[2]));
    // A little slack, so that a TO reached by the step is not lost to rounding.
    const double steps = std::floor((to - from) / step + 1e-9);
    if (steps + 1.0 > static_cast<double>(kMaxSweepPoints)) {
        return "the range has more than " + FormatNumber(static_cast<std::int32_t>(kMaxSweepPoints), kCountPattern) +
               " values";
    }
    return SweepAxis{option, from, step, static_cast<std::size_t>(steps) + 1, decimals};
}

namespace {

// One axis value, converted as the field converts it, or why no point with it
// can be designed.
struct AxisValue {
    std::optional<FieldValue> value;
    std::string refusal;
};

AxisValue Convert(const DesignOption& option, const std::string& text) {
    AxisValue v;
    if (auto refusal = ValueRefusal(*option.rule, text)) {
        v.refusal = "--" + std::string(option.name) + " " + std::string(option.rule->caption) + ": " +
                    std::string(*refusal);
    } else {
        v.value = ConvertField(*option.rule, text);
    }
    return v;
}

// Points refused, by reason.
struct Tally {
    std::map<std::string, std::size_t> counts;
    void Add(const std::string& reason) { ++counts[reason]; }
};

// The widest text of an axis: the values run from FROM up, and a text is at
// least as wide as that of any value nearer zero of its sign, so the widest
// is the first or the last.
std::size_t WidestText(const SweepAxis& axis) {
    return std::max(axis.Text(0).size(), axis.Text(axis.count - 1).size());
}

// Writes the table or CSV a piece at a time: the row option's column as wide
// as its widest text, the cells as wide as the widest column heading (5 at
// least), right-aligned; blanks at the end of a line are never written.
class SweepWriter {
public:
    SweepWriter(const SweepGrid& grid, SweepFormat format, std::ostream& out)
        : grid_(grid), rows_(DesignOptions()[grid.rows.option]),
          columns_(grid.columns ? &DesignOptions()[grid.columns->option] : nullptr),
          csv_(format == SweepFormat::Csv), out_(out) {
        rowWidth_ = std::max(rows_.name.size() + (columns_ ? columns_->name.size() + 1 : 0), WidestText(grid.rows));
        cellWidth_ = columns_ ? std::max<std::size_t>(5, WidestText(*grid.columns)) : std::string_view("required SN").size();
    }

    void Header() {
        std::string corner(rows_.name);
        if (columns_) corner += "\\" + std::string(columns_->name);
        RowStart(corner);
        if (grid_.columns) {
            for (std::size_t c = 0; c < grid_.columns->count; ++c) Cell(grid_.columns->Text(c));
        } else {
            Cell("required SN");
        }
        EndLine();
    }

    // The row's value in the first column.
    void RowStart(std::string_view text) {
        Put(text);
        if (!csv_) Blanks(rowWidth_ > text.size() ? rowWidth_ - text.size() : 0);
    }

    // A cell: a required SN, or "-" for a point without one (empty in CSV).
    void Cell(std::string_view cell) {
        if (csv_) {
            Put(",");
            if (cell != "-") Put(cell);
        } else {
            Blanks(2 + (cellWidth_ > cell.size() ? cellWidth_ - cell.size() : 0));
            Put(cell);
        }
    }

    void EndLine() {
        blanks_ = 0;
        out_ << '\n';
    }

private:
    void Blanks(std::size_t n) { blanks_ += n; }
    void Put(std::string_view text) {
        if (text.empty()) return;
        if (blanks_ > 0) {
            out_ << std::string(blanks_, ' ');
            blanks_ = 0;
        }
        out_ << text;
    }

    const SweepGrid& grid_;
    const DesignOption& rows_;
    const DesignOption* columns_;
    bool csv_;
    std::ostream& out_;
    std::size_t rowWidth_ = 0;
    std::size_t cellWidth_ = 0;
    std::size_t blanks_ = 0;  // blanks owed before the next text
};

// The required SN of the points of the grid, each on a scratch record that
// holds the fixed values; axis values converted as they are met.
class PointComputer {
public:
    // `columns`: the column values converted once, when there are few enough
    // to hold; empty: converted as they are met.
    PointComputer(const SweepGrid& grid, const std::vector<AxisValue>& columns, const DesignRecord& base,
                  SnSearch search)
        : grid_(grid), rowOption_(DesignOptions()[grid.rows.option]),
          columnOption_(grid.columns ? &DesignOptions()[grid.columns->option] : nullptr), columns_(columns),
          record_(base), search_(search) {}

    // The cell of the point `index`, counted row by row.
    std::string Cell(std::size_t index, Tally& tally) {
        const std::size_t columns = grid_.ColumnCount();
        const AxisValue& row = RowValue(index / columns);
        const AxisValue* column = columnOption_ ? &ColumnValue(index % columns) : nullptr;
        if (!row.value) {
            tally.Add(row.refusal);
            return "-";
        }
        if (column && !column->value) {
            tally.Add(column->refusal);
            return "-";
        }
        StoreField(*rowOption_.rule, *row.value, record_);
        if (column) StoreField(*columnOption_->rule, *column->value, record_);
        if (const auto refusal = RequiredSnRefusal(record_, search_)) {
            tally.Add(std::string(*refusal));
            return "-";
        }
        return FormatNumber(record_.requiredSn, "0.00");
    }

private:
    const AxisValue& RowValue(std::size_t r) {
        if (r != row_) {
            row_ = r;
            rowValue_ = Convert(rowOption_, grid_.rows.Text(r));
        }
        return rowValue_;
    }
    const AxisValue& ColumnValue(std::size_t c) {
        if (!columns_.empty()) return columns_[c];
        if (c != column_) {
            column_ = c;
            columnValue_ = Convert(*columnOption_, grid_.columns->Text(c));
        }
        return columnValue_;
    }

    const SweepGrid& grid_;
    const DesignOption& rowOption_;
    const DesignOption* columnOption_;
    const std::vector<AxisValue>& columns_;
    DesignRecord record_;
    SnSearch search_;
    std::size_t row_ = static_cast<std::size_t>(-1);
    std::size_t column_ = static_cast<std::size_t>(-1);
    AxisValue rowValue_;
    AxisValue columnValue_;
};

// The points are computed a block at a time, the threads taking runs of
// them, and written in order once the block is done: memory holds one block,
// whatever the shape and size of the grid.
constexpr std::size_t kPointsPerBlock = std::size_t{1} << 16;
constexpr std::size_t kPointsPerRun = 64;

}  // namespace

std::string SweepAxis::Text(std::size_t i) const { return Fixed(from + static_cast<double>(i) * step, decimals); }

std::map<std::string, std::size_t> WriteSweep(const SweepGrid& grid, const DesignRecord& base, SweepFormat format,
                                              unsigned threads, SnSearch search, std::ostream& out) {
    SweepWriter writer(grid, format, out);
    writer.Header();
    const std::size_t columns = grid.ColumnCount();
    const std::size_t points = grid.PointCount();
    std::vector<std::string> cells(std::min(kPointsPerBlock, points));
    std::vector<AxisValue> columnValues;
    if (grid.columns && grid.columns->count <= kPointsPerBlock) {
        const DesignOption& option = DesignOptions()[grid.columns->option];
        for (std::size_t c = 0; c < grid.columns->count; ++c) columnValues.push_back(Convert(option, grid.columns->Text(c)));
    }
    std::vector<Tally> tallies(std::max(1u, threads));
    for (std::size_t first = 0; first < points; first += kPointsPerBlock) {
        const std::size_t count = std::min(kPointsPerBlock, points - first);
        std::atomic<std::size_t> next{0};
        auto work = [&](Tally& tally) {
            PointComputer computer(grid, columnValues, base, search);
            for (std::size_t run = next.fetch_add(kPointsPerRun); run < count; run = next.fetch_add(kPointsPerRun)) {
                for (std::size_t k = run; k < std::min(run + kPointsPerRun, count); ++k) {
                    cells[k] = computer.Cell(first + k, tally);
                }
            }
        };
        if (tallies.size() == 1 || count <= kPointsPerRun) {
            work(tallies[0]);
        } else {
            std::vector<std::thread> workers;
            for (Tally& tally : tallies) workers.emplace_back(work, std::ref(tally));
            for (std::thread& worker : workers) worker.join();
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t point = first + k;
            if (point % columns == 0) writer.RowStart(grid.rows.Text(point / columns));
            writer.Cell(cells[k]);
            if (point % columns == columns - 1) writer.EndLine();
        }
    }
    std::map<std::string, std::size_t> refused;
    for (const Tally& tally : tallies) {
        for (const auto& [reason, n] : tally.counts) refused[reason] += n;
    }
    return refused;
}

SweepOutput RunSweep(const SweepGrid& grid, const DesignRecord& base, SweepFormat format, unsigned threads,
                     SnSearch search) {
    std::ostringstream text;
    SweepOutput output;
    output.refused = WriteSweep(grid, base, format, threads, search, text);
    output.text = text.str();
    return output;
}

std::vector<std::string> SweepFootnotes(const SweepOutput& output, SweepFormat format) {
    std::vector<std::string> notes;
    const std::string mark = format == SweepFormat::Csv ? "empty" : "-";
    for (const auto& [reason, count] : output.refused) {
        notes.push_back(mark + ": " + FormatNumber(static_cast<std::int64_t>(count), kCountPattern) +
                        (count == 1 ? " point, " : " points, ") + reason);
    }
    return notes;
}

}  // namespace korvelle
