#include "sweep.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
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

// One axis value, converted as the field converts it, or why no point with it
// can be designed.
struct AxisValue {
    std::optional<FieldValue> value;
    std::string refusal;
};

std::vector<AxisValue> Convert(const SweepAxis& axis) {
    const DesignOption& option = DesignOptions()[axis.option];
    std::vector<AxisValue> values;
    values.reserve(axis.texts.size());
    for (const std::string& text : axis.texts) {
        AxisValue v;
        if (auto refusal = ValueRefusal(*option.rule, text)) {
            v.refusal = "--" + std::string(option.name) + " " + std::string(option.rule->caption) + ": " +
                        std::string(*refusal);
        } else {
            v.value = ConvertField(*option.rule, text);
        }
        values.push_back(std::move(v));
    }
    return values;
}

// Points refused, by reason.
struct Tally {
    std::map<std::string, std::size_t> counts;
    void Add(const std::string& reason) { ++counts[reason]; }
};

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
    SweepAxis axis;
    axis.option = option;
    const auto count = static_cast<std::size_t>(steps) + 1;
    axis.texts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) axis.texts.push_back(Fixed(from + static_cast<double>(i) * step, decimals));
    return axis;
}

SweepOutput RunSweep(const SweepGrid& grid, const DesignRecord& base, SweepFormat format, unsigned threads,
                     SnSearch search) {
    const std::vector<AxisValue> rowValues = Convert(grid.rows);
    const std::vector<AxisValue> columnValues =
        grid.columns ? Convert(*grid.columns) : std::vector<AxisValue>(1);
    const DesignOption& rowOption = DesignOptions()[grid.rows.option];
    const DesignOption* columnOption = grid.columns ? &DesignOptions()[grid.columns->option] : nullptr;

    // The table's columns are as wide as their widest text.
    std::size_t rowWidth = rowOption.name.size() + (columnOption ? columnOption->name.size() + 1 : 0);
    for (const std::string& text : grid.rows.texts) rowWidth = std::max(rowWidth, text.size());
    std::size_t cellWidth = columnOption ? 5 : std::string_view("required SN").size();
    if (grid.columns) {
        for (const std::string& text : grid.columns->texts) cellWidth = std::max(cellWidth, text.size());
    }
    const bool csv = format == SweepFormat::Csv;
    auto pad = [](std::string& line, std::size_t width, std::string_view text, bool left) {
        if (!left) line.append(width > text.size() ? width - text.size() : 0, ' ');
        line += text;
        if (left) line.append(width > text.size() ? width - text.size() : 0, ' ');
    };

    std::string header;
    if (csv) {
        header = std::string(rowOption.name);
        if (columnOption) {
            header += "\\" + std::string(columnOption->name);
            for (const std::string& text : grid.columns->texts) header += "," + text;
        } else {
            header += ",required SN";
        }
    } else {
        pad(header, rowWidth, std::string(rowOption.name) + (columnOption ? "\\" + std::string(columnOption->name) : ""),
            true);
        if (columnOption) {
            for (const std::string& text : grid.columns->texts) {
                header += "  ";
                pad(header, cellWidth, text, false);
            }
        } else {
            header += "  required SN";
        }
    }
    while (!header.empty() && header.back() == ' ') header.pop_back();

    std::vector<std::string> lines(rowValues.size());
    std::vector<Tally> tallies(std::max(1u, threads));
    std::atomic<std::size_t> nextRow{0};
    auto work = [&](Tally& tally) {
        DesignRecord record = base;
        for (std::size_t r = nextRow++; r < rowValues.size(); r = nextRow++) {
            std::string& line = lines[r];
            if (csv) {
                line = grid.rows.texts[r];
            } else {
                pad(line, rowWidth, grid.rows.texts[r], true);
            }
            if (rowValues[r].value) StoreField(*rowOption.rule, *rowValues[r].value, record);
            for (std::size_t c = 0; c < columnValues.size(); ++c) {
                std::string cell = "-";
                if (!rowValues[r].value) {
                    tally.Add(rowValues[r].refusal);
                } else if (columnOption && !columnValues[c].value) {
                    tally.Add(columnValues[c].refusal);
                } else {
                    if (columnOption) StoreField(*columnOption->rule, *columnValues[c].value, record);
                    if (const auto refusal = RequiredSnRefusal(record, search)) {
                        tally.Add(std::string(*refusal));
                    } else {
                        cell = FormatNumber(record.requiredSn, "0.00");
                    }
                }
                if (csv) {
                    line += ',';
                    if (cell != "-") line += cell;
                } else {
                    line += "  ";
                    pad(line, cellWidth, cell, false);
                }
            }
            while (!line.empty() && line.back() == ' ') line.pop_back();
            line += '\n';
        }
    };
    if (tallies.size() == 1) {
        work(tallies[0]);
    } else {
        std::vector<std::thread> workers;
        for (Tally& tally : tallies) workers.emplace_back(work, std::ref(tally));
        for (std::thread& worker : workers) worker.join();
    }

    SweepOutput output;
    std::size_t size = header.size() + 1;
    for (const std::string& line : lines) size += line.size();
    output.text.reserve(size);
    output.text += header;
    output.text += '\n';
    for (const std::string& line : lines) output.text += line;
    for (const Tally& tally : tallies) {
        for (const auto& [reason, count] : tally.counts) output.refused[reason] += count;
    }
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
