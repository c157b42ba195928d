// The pieces of korvelle-cli in-process: the ranges of a sweep, the grid and
// its threads, the lines of show and check.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/design_options.h"
#include "cli/design_report.h"
#include "cli/sweep.h"
#include "core/number_format.h"

namespace korvelle {
namespace {

std::size_t OptionNamed(std::string_view name) {
    const auto all = DesignOptions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].name == name) return i;
    }
    ADD_FAILURE() << "no option " << name;
    return 0;
}

std::vector<std::string> Texts(const SweepAxis& axis) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < axis.count; ++i) texts.push_back(axis.Text(i));
    return texts;
}

TEST(SweepRange, ValuesAreTypedWithTheDecimalsOfFromAndStepAndReachTo) {
    struct Case {
        std::string text;
        std::vector<std::string> values;  // empty: refused
    };
    const Case cases[] = {
        {"2:3:0.25", {"2.00", "2.25", "2.50", "2.75", "3.00"}},
        {"0.1:0.7:0.3", {"0.1", "0.4", "0.7"}},  // 0.1 + 2 x 0.3 is 0.7000000000000001 before rounding
        {"1:1:5", {"1"}},
        {"2000:2003:2", {"2000", "2002"}},
        {"-0.5:0.5:0.5", {"-0.5", "0.0", "0.5"}},
        {"2:3:0", {}},
        {"2:3:-1", {}},
        {"3:2:1", {}},
        {"2:3", {}},
        {"2:3:1:1", {}},
        {"2:three:1", {}},
        {"1:10000001:1", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseSweepRange(OptionNamed("soil"), c.text);
        if (c.values.empty()) {
            EXPECT_TRUE(std::holds_alternative<std::string>(parsed));
        } else {
            ASSERT_TRUE(std::holds_alternative<SweepAxis>(parsed)) << std::get<std::string>(parsed);
            EXPECT_EQ(Texts(std::get<SweepAxis>(parsed)), c.values);
        }
    }
    EXPECT_TRUE(IsSweepRange("2:3:1"));
    EXPECT_FALSE(IsSweepRange("2.5"));
}

// The full-depth example's design as the screens store it.
DesignRecord Base() {
    DesignRecord record;
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"initial-year", "2000"}, {"final-year", "2020"}, {"initial-aadt", "1000"}, {"final-aadt", "1720"},
             {"trucks", "10"}, {"ldf", "100"}, {"tsi", "2.5"}, {"soil", "4"}, {"rf", "1.0"}, {"esal", "1.0"}}) {
        const FieldRule& rule = *DesignOptions()[OptionNamed(name)].rule;
        StoreField(rule, *ConvertField(rule, text), record);
    }
    return record;
}

SweepAxis Axis(std::string_view option, std::string_view range) {
    return std::get<SweepAxis>(ParseSweepRange(OptionNamed(option), range));
}

TEST(SweepGrid, EveryPointIsItsOwnDesignWhateverTheThreadsAndTheSearch) {
    const SweepGrid grid{Axis("tsi", "1.5:4.5:0.1"), Axis("esal", "0:3:0.25")};
    const SweepOutput one = RunSweep(grid, Base(), SweepFormat::Csv, 1);
    // Every point a design of its own: the same as the rows swept one by one.
    std::string rowByRow;
    for (const std::string& tsi : Texts(grid.rows)) {
        const SweepGrid row{Axis("tsi", tsi + ":" + tsi + ":1"), grid.columns};
        const std::string text = RunSweep(row, Base(), SweepFormat::Csv, 1).text;
        rowByRow += text.substr(text.find('\n') + 1);
    }
    EXPECT_EQ(one.text.substr(one.text.find('\n') + 1), rowByRow);
    for (unsigned threads : {2u, 5u, 64u}) {
        const SweepOutput many = RunSweep(grid, Base(), SweepFormat::Csv, threads);
        EXPECT_EQ(many.text, one.text) << threads;
        EXPECT_EQ(many.refused, one.refused) << threads;
    }
    EXPECT_EQ(RunSweep(grid, Base(), SweepFormat::Csv, 2, SnSearch::EveryTrial).text, one.text);
    // TSI 4.2 to 4.5 leave nothing to lose; ESAL 0 is no design.
    EXPECT_EQ(one.refused, (std::map<std::string, std::size_t>{
                               {"--esal REPRESENTATIVE 18-KIP  E.S.A.L.: Data is outside normal range", 31},
                               {"The terminal serviceability index must be less than 4.2", 4 * 12},
                           }));
    EXPECT_EQ(SweepFootnotes(one, SweepFormat::Table).back(),
              "-: 48 points, The terminal serviceability index must be less than 4.2");
}

TEST(DesignReport, LinesJsonAndCsvOfOneDesign) {
    // $1,041.255: half a cent, rounded up.
    const DesignSummary full{"a, \"b\".korvelle", "STP-1", "1,000,100", "3.44", "full-depth", "3.86", "12.2%",
                             "Overdesign", QuarterCents{416'502}};
    EXPECT_EQ(SummaryLine(full), "a, \"b\".korvelle: project STP-1, design loading 1,000,100, required SN 3.44, "
                                 "full-depth, proposed SN 3.86, 12.2% Overdesign, $1,041.26 per sq. yd.");
    EXPECT_EQ(SummaryCsv(full),
              "\"a, \"\"b\"\".korvelle\",STP-1,\"1,000,100\",3.44,full-depth,3.86,12.2%,Overdesign,1041.26");
    EXPECT_EQ(nlohmann::json::parse(SummaryJson(full))["cost"], "1041.26");
    EXPECT_EQ(CostAmount(1), "0.00");  // a quarter cent

    const DesignSummary half{"c.korvelle", "", "-", "-", "-", "-", "-", "-", std::nullopt};
    EXPECT_EQ(SummaryLine(half), "c.korvelle: project (blank), design loading -, required SN -, structure -");
    EXPECT_EQ(SummaryCsv(half), "c.korvelle,,,,,,,,");
    const nlohmann::json json = nlohmann::json::parse(SummaryJson(half));
    EXPECT_EQ(json["projectNumber"], "");
    EXPECT_TRUE(json["requiredSn"].is_null());
    EXPECT_TRUE(json["structure"].is_null());

    EXPECT_EQ(CheckLine("x.korvelle", {"Required SN", "4.92", "4.93"}), "x.korvelle: required SN saved 4.92, now 4.93");
    EXPECT_EQ(CheckLine("x.korvelle", {"COURSE 3 material", "", "Sand-Clay Base"}),
              "x.korvelle: COURSE 3 material saved (blank), now Sand-Clay Base");
    EXPECT_EQ(CheckTotals(1, 0, 0), "1 design: 1 same, 0 differ, 0 refused");
    EXPECT_EQ(CheckTotals(2, 3, 4), "9 designs: 2 same, 3 differ, 4 refused");
}

}  // namespace
}  // namespace korvelle
