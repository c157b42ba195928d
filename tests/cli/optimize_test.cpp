// `korvelle-cli optimize` run as a process: the answer of the full-depth
// example worked by hand, every range checked against plain enumeration of
// every combination, and the refusals with their exit codes.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcessEnvironment>
#include <functional>
#include <map>

#include <nlohmann/json.hpp>

#include "cli/design_report.h"
#include "cli_support.h"
#include "core/least_cost.h"
#include "core/quarter_inches.h"
#include "core/unit_costs.h"
#include "file/design_file.h"
#include "ui/county_table.h"
#include "ui/design_rules.h"
#include "ui/unit_cost_file.h"

namespace korvelle::testing {
namespace {

const QString kFullDepth = Example("full-depth.korvelle");
const QString kOverlay = Example("overlay.korvelle");
const QString kShippedTable = QString(KORVELLE_SOURCE_DIR) + "/data/unit-costs.csv";

// An example design edited as JSON, written into `folder`.
QString EditedDesign(const QTemporaryDir& folder, const char* name, const QString& example,
                     const std::function<void(nlohmann::json&)>& edit) {
    nlohmann::json design = nlohmann::json::parse(ReadAll(example));
    edit(design);
    const QString path = folder.filePath(name);
    WriteAll(path, design.dump(2));
    return path;
}

// The shipped table with its lines edited, written into `folder`.
QString EditedTable(const QTemporaryDir& folder, const char* name,
                    const std::function<std::string(const std::string&)>& edit) {
    std::string table;
    for (const std::string& line : SplitLines(ReadAll(kShippedTable))) table += edit(line);
    const QString path = folder.filePath(name);
    WriteAll(path, table);
    return path;
}

// The cheapest structure meeting the required SN over every combination of
// whole quarter inches in the ranges, evaluated one by one; equal costs go
// to the least total thickness, then the thinnest course 1, course 2, ...
// (the combinations come in that order, and only a better one is kept).
struct Enumerated {
    std::vector<int> quarterInches;  // of the rows in `ranges`, top down
    QuarterCents cost = 0;
};
std::optional<Enumerated> EveryCombination(EnteredStructure structure,
                                           const std::vector<std::pair<int, ThicknessRange>>& ranges,
                                           float requiredSn, const UnitCostTable& table) {
    std::vector<int> q;
    for (const auto& [row, range] : ranges) q.push_back(range.least);
    std::optional<Enumerated> best;
    std::int64_t bestThickness = 0;
    for (;;) {
        std::int64_t thickness = 0;
        for (std::size_t i = 0; i < q.size(); ++i) {
            structure.rows[static_cast<std::size_t>(ranges[i].first)].thickness = QuarterInchText(q[i]);
            thickness += q[i];
        }
        const auto layout = ReadStructure(structure);
        const auto proposed = layout ? ProposedSn(*layout) : std::nullopt;
        const auto cost = StructureCost(structure, table);
        if (proposed && *proposed >= requiredSn && cost &&
            (!best || *cost < best->cost || (*cost == best->cost && thickness < bestThickness))) {
            best = Enumerated{q, *cost};
            bestThickness = thickness;
        }
        std::size_t i = q.size();  // the last course turns fastest
        for (; i > 0 && q[i - 1] == ranges[i - 1].second.greatest; --i) q[i - 1] = ranges[i - 1].second.least;
        if (i == 0) return best;
        ++q[i - 1];
    }
}

TEST(CliOptimize, TheFullDepthExampleWorkedByHand) {
    // The shipped prices: 12.5 mm Superpave $6.20 per inch (1.00 to 2.00 in.),
    // 19 mm Superpave $5.70 (1.50 to 3.00), 25 mm Superpave $5.30 (2.00 to
    // 4.00), Graded Aggregate Base $1.40 (4.00 to 12.00).  The mixes at their
    // least are 1.00 + 1.50 + 2.00 = 4.50 in., the whole top zone at 0.44:
    // 0.44 + 0.66 + 0.88 = 1.98.  SN from base costs 1.40 / 0.16 = $8.75,
    // from a mix below the zone at least 5.30 / 0.30 = $17.67, so the base
    // makes up 3.44 - 1.98 = 1.46: 9.25 in. shows 1.48 (9.00 shows 1.44, SN
    // 3.42, under).  SN 3.46 against 3.4391 is 0.6% over.  Cost 6.20 + 8.55 +
    // 10.60 + 9.25 x 1.40 = $38.30.
    const CliRun run = RunCli({"optimize", kFullDepth});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(SplitLines(run.out), (std::vector<std::string>{"COURSE 1  12.5 mm Superpave  1.00 in.",
                                                             "COURSE 2  19 mm Superpave  1.50 in.",
                                                             "COURSE 3  25 mm Superpave  2.00 in.",
                                                             "COURSE 4  Graded Aggregate Base  9.25 in.",
                                                             "Proposed SN: 3.46 (required 3.44), Overdesign 0.6%",
                                                             "Cost: $38.30 per sq. yd."}));
}

TEST(CliOptimize, EveryRangeGivesTheCheapestOfEveryCombination) {
    QTemporaryDir folder;
    // Materials chosen on the entry screen, no thickness typed yet: the
    // search sizes them all the same.
    const QString chosen = EditedDesign(folder, "chosen.korvelle", kFullDepth, [](nlohmann::json& design) {
        design["stage"] = "full-depth";
        design.erase("accepted");
        for (auto& course : design["fullDepth"]["courses"]) course["thickness"] = "";
    });
    // Open-graded friction course on top, laid by spread rate: the zone
    // starts below it.
    const QString ogfc = EditedDesign(folder, "ogfc.korvelle", chosen, [](nlohmann::json& design) {
        auto& courses = design["fullDepth"]["courses"];
        courses.erase(courses.size() - 1);
        courses.insert(courses.begin(),
                       nlohmann::json::object({{"material", "12.5 mm OGFC"}, {"position", 0}, {"thickness", ""}}));
        courses[1]["position"] = 0;  // 12.5 mm Superpave, first of the lists below the top course
    });
    struct Case {
        QString file;
        QStringList ranges;
        std::map<int, ThicknessRange> given;  // row: quarter inches
    };
    const Case cases[] = {
        {kFullDepth, {}, {}},
        {chosen, {}, {}},
        {kFullDepth, {"--range", "4=4:8"}, {{3, {16, 32}}}},  // less base: thicker asphalt below the zone
        {kFullDepth, {"--range", "1=0.25:2"}, {{0, {1, 8}}}},
        {kFullDepth, {"--range", "2=1:3", "--range=3=2.5:4"}, {{1, {4, 12}}, {2, {10, 16}}}},
        {kOverlay, {"--range", "2=1.5:6"}, {{1, {6, 24}}}},
        {ogfc, {"--range", "5=4:16"}, {{4, {16, 64}}}},
    };
    std::string error;
    const auto counties = LoadCountyTable(nullptr, &error);
    const auto table = LoadUnitCostTable("", &error);  // the shipped one: no designer's own here
    ASSERT_TRUE(counties && table) << error;
    for (const Case& c : cases) {
        SCOPED_TRACE((c.file + " " + c.ranges.join(' ')).toStdString());
        const DesignFile file = std::get<DesignFile>(ReadDesignFile(c.file.toStdString()));
        const CheckedDesign checked = CheckDesign(file, *counties);
        const StructureKind kind = file.overlay ? StructureKind::Overlay : StructureKind::FullDepth;
        const EnteredStructure structure = ToEvaluate(RulesOf(kind), StructureRows(file, kind));
        std::vector<int> laid;  // the new courses' rows
        std::vector<std::pair<int, ThicknessRange>> ranges;
        for (int row = 0; row < (file.overlay ? kOverlayCourseRows : kFullDepthRows); ++row) {
            const UnitCost* cost = table->Find(RowMaterialName(structure, row));
            if (!cost) continue;  // no course
            laid.push_back(row);
            if (cost->spreadRate) continue;
            const ThicknessRange tableRange{cost->leastQuarterInches, cost->greatestQuarterInches};
            ranges.push_back({row, c.given.count(row) ? c.given.at(row) : tableRange});
        }
        const auto best = EveryCombination(structure, ranges, checked.record.requiredSn, *table);
        ASSERT_TRUE(best);
        std::map<int, std::string> thickness;  // of the sized rows
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            thickness[ranges[i].first] = QuarterInchText(best->quarterInches[i]);
        }

        const CliRun lines = RunCli(QStringList{"optimize", c.file} + c.ranges);
        const CliRun json = RunCli(QStringList{"optimize", "--json", c.file} + c.ranges);
        ASSERT_EQ(lines.code, 0) << lines.err;
        ASSERT_EQ(json.code, 0) << json.err;
        const nlohmann::json answer = nlohmann::json::parse(json.out);
        const std::vector<std::string> shown = SplitLines(lines.out);
        ASSERT_EQ(answer["courses"].size(), laid.size());
        ASSERT_EQ(shown.size(), laid.size() + 2);
        for (std::size_t i = 0; i < laid.size(); ++i) {
            const nlohmann::json& course = answer["courses"][i];
            const std::string material(RowMaterialName(structure, laid[i]));
            const bool sized = thickness.count(laid[i]) > 0;
            EXPECT_EQ(course["course"], laid[i] + 1);
            EXPECT_EQ(course["material"], material);
            EXPECT_EQ(course["thickness"], sized ? nlohmann::json(thickness[laid[i]]) : nlohmann::json());
            EXPECT_EQ(shown[i], "COURSE " + std::to_string(laid[i] + 1) + "  " + material + "  " +
                                    (sized ? thickness[laid[i]] + " in." : "spread rate"));
        }
        EXPECT_EQ(shown.back(), "Cost: " + CostText(best->cost));
        EXPECT_EQ("$" + answer["cost"].get<std::string>() + " per sq. yd.", CostText(best->cost));
        EXPECT_EQ(shown[laid.size()], "Proposed SN: " + answer["proposedSn"].get<std::string>() + " (required " +
                                            answer["requiredSn"].get<std::string>() + "), " +
                                            answer["verdict"].get<std::string>() + " " +
                                            answer["difference"].get<std::string>());
        EXPECT_EQ(answer["verdict"], "Overdesign");
    }
}

TEST(CliOptimize, RefusalsSayWhyWithTheirExitCodes) {
    QTemporaryDir folder;
    const QString dataOnly = EditedDesign(folder, "data.korvelle", kFullDepth, [](nlohmann::json& design) {
        design["stage"] = "design-data";
        design.erase("accepted");
    });
    const QString noStructure = EditedDesign(folder, "none.korvelle", kFullDepth, [](nlohmann::json& design) {
        design["stage"] = "designer-information";
        design.erase("accepted");
        design.erase("fullDepth");
    });
    // The overlay example with the full-depth example's rows besides, which
    // its required SN of 4.92 leaves within reach.
    auto both = [&](const char* name, const char* stage) {
        return EditedDesign(folder, name, kOverlay, [&](nlohmann::json& design) {
            design["fullDepth"] = nlohmann::json::parse(ReadAll(kFullDepth))["fullDepth"];
            design["stage"] = stage;
            design.erase("accepted");
        });
    };
    const QString bothOnMenu = both("both.korvelle", "main-menu");
    const QString bothOnOverlay = both("both-overlay.korvelle", "overlay");
    const QString noPrice = EditedTable(folder, "no-base.csv", [](const std::string& line) {
        return line.rfind("25 mm Superpave,", 0) == 0 ? std::string() : line + "\n";
    });
    const QString badTable = EditedTable(folder, "bad.csv", [](const std::string& line) {
        return (line.rfind("12.5 mm SMA,", 0) == 0 ? "12.5 mm SMA,7.8O,1.0,2.0" : line) + "\n";  // a letter O
    });
    const QString missing = folder.filePath("missing.csv");

    // 2.00 in. of 12.5 mm (0.88), 3.00 of 19 mm (2.50 at 0.44, 0.50 at 0.30:
    // 1.10 + 0.15), 4 in. of asphaltic concrete below the zone (1.20), 8 of
    // base (1.28): 4.61.
    const std::string unreachable =
        "Even the thickest structure in these ranges gives SN 4.61 against 4.92: widen the ranges or choose stronger "
        "materials";
    struct Case {
        QStringList arguments;  // the design file first
        int code;
        std::string error;  // after "korvelle-cli: ", and the design file's name where `named`
        bool named = true;
    };
    const Case cases[] = {
        {{dataOnly}, 1, "the design data were not confirmed, so the design has no required SN to meet"},
        {{kFullDepth, "--costs", noPrice}, 1, "The unit-cost table has no price for 25 mm Superpave (COURSE 3): add it "
                                              "to the table, or choose another material"},
        {{noStructure}, 1, "no structure is laid out: choose its materials on an entry screen first"},
        {{kOverlay}, 1, unreachable},
        {{bothOnOverlay}, 1, unreachable},
        {{kFullDepth, "--structure", "overlay"}, 1, "the design holds no overlay: its entry screen was never used"},
        {{kFullDepth, "--costs", badTable}, 1,
         badTable.toStdString() + ": line 6: the price \"7.8O\" is not dollars with at most two decimals", false},
        {{kFullDepth, "--costs", missing}, 1, missing.toStdString() + ": No such file or directory", false},
        {{bothOnMenu}, 2, "the design holds both a full-depth structure and an overlay, and neither was accepted: "
                          "choose one with --structure full-depth or --structure overlay"},
        {{kFullDepth, "--range", "3=6:2"}, 2, "--range 3=6:2: COURSE 3: the thickness range must be whole quarter "
                                              "inches from 0.25 to 1000, the least not above the greatest (for "
                                              "example 1.50 to 4.00)", false},
        {{kFullDepth, "--range", "3=2"}, 2, "--range 3=2: give COURSE=LEAST:GREATEST, the course's number and its "
                                            "least and greatest thickness in inches (for example 3=2:6)", false},
        {{kFullDepth, "--range", "6=1:2"}, 2, "--range 6=1:2: a full-depth structure's courses are numbered 1 to 5",
         false},
        {{kOverlay, "--range", "4=1:2"}, 2, "--range 4=1:2: an overlay's courses are numbered 1 to 3 (its existing "
                                            "courses are never sized)", false},
        {{kOverlay, "--range", "3=1:2"}, 2, "--range 3=1:2: Overlay COURSE 3 has no thickness to size: it holds no "
                                            "course, or one laid by spread rate", false},
        {{kFullDepth, "--range", "3=2:4", "--range", "3=2:5"}, 2, "--range 3=2:5: COURSE 3 has a range already", false},
        {{kFullDepth, "--costs", ""}, 2, "--costs: must not be empty", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(QStringList{"optimize"} + c.arguments);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(SplitLines(run.err).at(0),
                  "korvelle-cli: " + (c.named ? c.arguments[0].toStdString() + ": " : std::string()) + c.error);
    }
    // Told which, it sizes either.
    EXPECT_EQ(RunCli({"optimize", bothOnMenu, "--structure", "full-depth"}).code, 0);
    EXPECT_NE(RunCli({"optimize", bothOnMenu, "--structure", "overlay"}).err.find(unreachable), std::string::npos);
}

// The designer's own table is the default of both commands that price, and
// --costs another table instead.
TEST(CliOptimize, TheDesignersOwnTableUnlessCostsNamesAnother) {
    QTemporaryDir configuration;
    QDir(configuration.path()).mkpath("Korvelle");
    const QString own = configuration.filePath("Korvelle/unit-costs.csv");
    WriteAll(own, "material,dollars per square yard per inch,least thickness,greatest thickness\nbroken\n");
    QProcessEnvironment variables;
    variables.insert("XDG_CONFIG_HOME", configuration.path());
    for (const char* command : {"optimize", "show"}) {
        SCOPED_TRACE(command);
        const CliRun run = RunCli({command, kFullDepth}, variables);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("korvelle-cli: " + own.toStdString() + ": line 2: ", 0), 0u) << run.err;
        const CliRun named = RunCli({command, kFullDepth, "--costs", kShippedTable}, variables);
        EXPECT_EQ(named.code, 0) << named.err;
        EXPECT_EQ(named.out, RunCli({command, kFullDepth}).out);
    }
}

}  // namespace
}  // namespace korvelle::testing
