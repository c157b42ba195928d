// The sensitivity chart's series against korvelle-cli's sweep run as a
// process over the same points: every value typed, every required SN and
// every gap the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "cli/design_options.h"
#include "cli_support.h"
#include "core/number_format.h"
#include "ui/county_table.h"
#include "ui/design_rules.h"
#include "ui/sensitivity.h"

namespace korvelle::testing {
namespace {

using Values = std::map<std::string, std::string>;  // option name -> text

// The design data as options, and the record the data screens' CONTINUE
// leaves for them (as `korvelle-cli sn` checks them).
QStringList Arguments(const Values& values) {
    QStringList arguments;
    for (const auto& [name, text] : values) {
        arguments << QString::fromStdString("--" + name) << QString::fromStdString(text);
    }
    return arguments;
}

DesignRecord RecordOf(const Values& values) {
    DesignTexts texts;
    for (std::size_t i = 0; i < kDesignOptionCount; ++i) {
        const DesignOption& option = DesignOptions()[i];
        const auto given = values.find(std::string(option.name));
        texts[i] = given != values.end() ? given->second : std::string(option.defaultText);
    }
    const CheckedDesign checked = CheckDesign(DataScreensFile(texts), *LoadCountyTable(nullptr, nullptr));
    EXPECT_FALSE(checked.refusal) << checked.refusal->Text();
    return checked.record;
}

// The sweep's CSV as rows of cells, the heading first: the design with the
// ranges given last, in order (rows the first, columns the second).
using Ranges = std::vector<std::pair<std::string, std::string>>;  // option name -> FROM:TO:STEP
std::vector<std::vector<std::string>> Sweep(Values design, const Ranges& ranges) {
    for (const auto& [name, range] : ranges) design.erase(name);
    QStringList arguments = QStringList{"sweep", "--csv"} + Arguments(design);
    for (const auto& [name, range] : ranges) {
        arguments << QString::fromStdString("--" + name) << QString::fromStdString(range);
    }
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.code, 0) << run.err;
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitLines(run.out)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
            cells.push_back(line.substr(start, comma - start));
        }
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

// A point as the sweep's CSV writes it: its SN, or nothing.
std::string Cell(const SensitivityPoint& point) {
    return point.requiredSn ? FormatNumber(*point.requiredSn, "0.00") : std::string();
}

// The curve is column `column` of the sweep's rows, row by row.
void ExpectColumn(const std::vector<std::vector<std::string>>& rows, std::size_t column,
                  const SensitivityCurve& curve) {
    ASSERT_EQ(rows.size(), curve.points.size() + 1);
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        SCOPED_TRACE(curve.points[i].typed);
        ASSERT_GT(rows[i + 1].size(), column);
        EXPECT_EQ(rows[i + 1][0], curve.points[i].typed);
        EXPECT_EQ(rows[i + 1][column], Cell(curve.points[i]));
    }
}

// Each soil support curve is the column of its regional factor in the sweep
// over the soil support and the five factors (the design's own, when it is
// none of them, a sweep of its own); the loading curve is the sweep over
// the ESAL range the chart names.
void ExpectTheSweepsPoints(const Values& design) {
    const Sensitivity s = ComputeSensitivity(RecordOf(design), {});
    const auto grid = Sweep(design, {{"soil", s.soil.sweepRange}, {"rf", "1.0:3.0:0.5"}});
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(grid.size(), 97u);  // the heading and 0.5 to 10 in tenths
    std::size_t columns = 0;
    for (const SensitivityCurve& curve : s.soil.curves) {
        SCOPED_TRACE(curve.Name());
        const auto heading = std::find(grid[0].begin() + 1, grid[0].end(), curve.regionalFactor);
        if (heading != grid[0].end()) {
            ++columns;
            ExpectColumn(grid, static_cast<std::size_t>(heading - grid[0].begin()), curve);
        } else {
            ExpectColumn(Sweep(design, {{"soil", s.soil.sweepRange}, {"rf", curve.regionalFactor}}), 1, curve);
        }
    }
    EXPECT_EQ(columns, 5u);
    ExpectColumn(Sweep(design, {{"esal", s.loading.sweepRange}}), 1, s.loading.curves.at(0));
}

// The example design (docs/design-file.md): 1,000,100 loads, SN 3.44.
const Values kExample = {{"initial-year", "2000"}, {"final-year", "2020"}, {"initial-aadt", "1000"},
                         {"final-aadt", "1720"},   {"trucks", "10"},       {"ldf", "100"},
                         {"soil", "4"},            {"rf", "1.0"},          {"esal", "1.0"}};

Values With(Values values, std::initializer_list<std::pair<const std::string, std::string>> changes) {
    for (const auto& [name, text] : changes) values[name] = text;
    return values;
}

TEST(SensitivitySweep, TheChartsSeriesAreTheSweepsPoints) {
    struct Case {
        const char* name;
        Values design;
    };
    const Case cases[] = {
        {"the example", kExample},
        // A regional factor of its own, a terminal index of 2.0 and an ESAL
        // of two decimals (the loading range in steps of 0.0137).
        {"RF 1.2, pt 2.0, ESAL 1.37",
         With(kExample, {{"rf", "1.2"}, {"tsi", "2.0"}, {"esal", "1.37"}, {"soil", "6.5"}})},
        // 100,001 loads a day: above ESAL 5.8835 the design loading no
        // longer fits in 32 bits, and both leave the same gap.
        {"heavy traffic", With(kExample, {{"initial-aadt", "100000"}, {"final-aadt", "100000"}, {"trucks", "50"},
                                          {"esal", "2.0"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectTheSweepsPoints(c.design);
    }
}

}  // namespace
}  // namespace korvelle::testing
