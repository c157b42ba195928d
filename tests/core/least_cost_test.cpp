#include "core/least_cost.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/materials.h"
#include "core/quarter_inches.h"
#include "core/random_structures.h"

namespace korvelle {
namespace {

using Ranges = std::vector<std::optional<ThicknessRange>>;

// List positions of the entry screens.
constexpr int kTopOgfc = 0, kTopSuperpave12 = 2;
constexpr int kSuperpave12 = 0, kSma19 = 4, kGradedAggregate = 8, kNoCourse = 9, kOverlayNoCourse = 7;
constexpr int kAsphaltic = 2, kExistingGradedAggregate = 4, kExistingNoCourse = 6;
const CourseEntry kUnused{};

const std::string kTable = std::string(kUnitCostHeader) +
                           "\n12.5 mm OGFC,4.75,,\n12.5 mm Superpave,6.20,1.0,2.0\n19 mm Superpave,5.70,1.5,3.0\n"
                           "Graded Aggregate Base,1.40,4.0,12.0\n";

using testing::Designed;

UnitCostTable Table(const std::string& text) {
    std::string error;
    auto table = ParseUnitCostTable(text, &error);
    EXPECT_TRUE(table) << error;
    return table.value_or(UnitCostTable{});
}

TEST(FindLeastCostStructure, WorkedCasesOfAFullDepthAndAnOverlay) {
    // Full depth, required 3.44: 12.5 mm Superpave (1 to 2 in., $6.20, 0.44
    // in the zone: $14.09 per SN), 19 mm Superpave (1.5 to 3, $5.70: $12.95
    // per SN while in the zone) and graded aggregate base (4 to 12, $1.40 at
    // 0.16: $8.75 per SN).  The base at 12 in. gives 1.92, the mixes at their
    // least 0.44 + 0.66: 3.02, short by 0.42.  A quarter inch of mix adds
    // 0.11, of base 0.04: four quarter inches of 19 mm, the cheaper, make
    // 3.46; taking any base away costs more mix than it saves.  1.00, 2.50
    // and 12.00 in.: 620 x 4 + 570 x 10 + 140 x 48 = 14,900 quarter cents.
    const UnitCostTable table = Table(kTable);
    const EnteredStructure full{
        false, {{kTopSuperpave12, ""}, {3, ""}, {kGradedAggregate, ""}, {kNoCourse, ""}, kUnused}};
    LeastCostStructure answer = FindLeastCostStructure(full, DefaultRanges(full, table), table, Designed(3.44f));
    EXPECT_FALSE(answer.refusal);
    EXPECT_EQ(answer.quarterInches, (std::vector<std::optional<int>>{4, 10, 48, std::nullopt, std::nullopt}));
    EXPECT_EQ(answer.structure.rows[1].thickness, "2.50");
    EXPECT_EQ(answer.cost, 14900);
    EXPECT_EQ(CostText(answer.cost), "$37.25 per sq. yd.");
    EXPECT_NEAR(answer.proposedSn, 3.46f, 1e-5f);
    ASSERT_TRUE(answer.evaluation);
    EXPECT_EQ(answer.evaluation->sheet.proposedSn, "3.46");
    EXPECT_EQ(answer.evaluation->sheet.verdict, kOverdesign);

    // Overlay, required 3.44: OGFC ($4.75 a square yard) and x in. of 12.5 mm
    // Superpave on 4.00 of asphaltic concrete over 8.00 of base.  The zone
    // starts under the OGFC: the concrete has 4.5 - x in. inside it, x - 0.5
    // below, so 0.44 x + 0.44 (4.5 - x) + 0.30 (x - 0.5) + 1.28 = 3.11 +
    // 0.30 x >= 3.44 for x >= 1.1: 1.25 in., shown 0.55 + 1.43 + 0.23
    // (0.225) + 1.28 = 3.49; at 1.00 3.41.  475 x 4 + 620 x 5 = 5,000
    // quarter cents.
    const EnteredStructure overlay{true,
                                   {{kTopOgfc, "0"},
                                    {kSuperpave12, ""},
                                    {kOverlayNoCourse, ""},
                                    {kAsphaltic, "4.00"},
                                    {kExistingGradedAggregate, "8.00"},
                                    {kExistingNoCourse, ""}}};
    answer = FindLeastCostStructure(overlay, DefaultRanges(overlay, table), table, Designed(3.44f));
    EXPECT_FALSE(answer.refusal);
    EXPECT_EQ(answer.quarterInches[1], 5);
    EXPECT_EQ(answer.structure.rows[0].thickness, "0") << "the OGFC keeps its entry";
    EXPECT_EQ(CostText(answer.cost), "$12.50 per sq. yd.");
    EXPECT_NEAR(answer.proposedSn, 3.49f, 1e-5f);
}

TEST(FindLeastCostStructure, RefusesNamingTheRowAndTheReason) {
    const UnitCostTable table = Table(kTable);
    const EnteredStructure good{
        false, {{kTopSuperpave12, ""}, {3, ""}, {kGradedAggregate, ""}, {kNoCourse, ""}, kUnused}};
    struct Case {
        const char* what;
        EnteredStructure structure;
        Ranges ranges;  // empty: the table's
        float requiredSn;
        LeastCostRefusal refusal;
        int row;
    };
    auto with = [&](int row, CourseEntry entry) {
        EnteredStructure s = good;
        s.rows[static_cast<std::size_t>(row)] = entry;
        return s;
    };
    auto ranged = [&](ThicknessRange base) {
        Ranges r = DefaultRanges(good, table);
        r[2] = base;
        return r;
    };
    const EnteredStructure overlay{true, {{kTopSuperpave12, ""}, kUnused, kUnused, kUnused, kUnused, kUnused}};
    const EnteredStructure reach{false, {{kTopSuperpave12, ""}, {kGradedAggregate, ""}, kUnused, kUnused, kUnused}};
    const Case cases[] = {
        {"no top course", with(0, kUnused), {}, 3.44f, LeastCostRefusal::NoMaterial, 0},
        {"a gap above a course", with(1, {kNoCourse, "2.00"}), {}, 3.44f, LeastCostRefusal::NoMaterial, 1},
        {"no existing course 1", overlay, {}, 3.44f, LeastCostRefusal::NoMaterial, 3},
        {"a mix without a price", with(1, {kSma19, ""}), {}, 3.44f, LeastCostRefusal::NoPrice, 1},
        {"an empty range", good, ranged({48, 16}), 3.44f, LeastCostRefusal::BadRange, 2},
        {"a range from 0", good, ranged({0, 16}), 3.44f, LeastCostRefusal::BadRange, 2},
        {"a range beyond 1000 in.", good, ranged({16, 4001}), 3.44f, LeastCostRefusal::BadRange, 2},
        {"no range", good, Ranges(2), 3.44f, LeastCostRefusal::BadRange, 0},
        {"no required SN", good, {}, 0.0f, LeastCostRefusal::NotEvaluated, -1},
        // 0.44 x 2 + 0.16 x 12 = 2.80 at the greatest thicknesses.
        {"out of reach", reach, {}, 3.44f, LeastCostRefusal::Unreachable, -1},
        {"far out of reach", good, {}, 1e30f, LeastCostRefusal::Unreachable, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Ranges ranges = c.ranges.empty() ? DefaultRanges(c.structure, table) : c.ranges;
        const LeastCostStructure answer = FindLeastCostStructure(c.structure, ranges, table, Designed(c.requiredSn));
        EXPECT_EQ(answer.refusal, c.refusal);
        EXPECT_EQ(answer.row, c.row);
    }
    const EnteredStructure sma = with(1, {kSma19, ""});
    EXPECT_EQ(FindLeastCostStructure(sma, DefaultRanges(sma, table), table, Designed(3.44f)).material, "19 mm SMA");
    const auto thickest = FindLeastCostStructure(reach, DefaultRanges(reach, table), table, Designed(3.44f));
    EXPECT_NEAR(thickest.proposedSn, 2.80f, 1e-5f);
    EXPECT_EQ(thickest.quarterInches[1], 48);
}

// Every combination of the sized rows' thicknesses within their ranges,
// evaluated as CONTINUE evaluates it, course 1 first and each from its least
// up: the first of least cost, then least thickness.
std::optional<std::vector<int>> PlainEnumeration(const EnteredStructure& structure, const Ranges& ranges,
                                                 const UnitCostTable& table, const DesignRecord& record) {
    std::vector<std::size_t> rows;
    std::vector<int> q;
    for (int row = 0; row < static_cast<int>(structure.rows.size()); ++row) {
        if (!IsSizedRow(structure, row)) continue;
        rows.push_back(static_cast<std::size_t>(row));
        q.push_back(ranges[rows.back()]->least);
    }
    EnteredStructure trial = structure;
    DesignRecord scratch = record;
    std::optional<std::vector<int>> best;
    QuarterCents bestCost = 0;
    int bestThickness = 0;
    for (;;) {
        int thickness = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            trial.rows[rows[i]].thickness = QuarterInchText(q[i]);
            thickness += q[i];
        }
        const auto evaluation = Evaluate(trial, scratch);
        if (evaluation && evaluation->numbers.proposedSn >= record.requiredSn) {
            const QuarterCents cost = StructureCost(trial, table).value();
            if (!best || cost < bestCost || (cost == bestCost && thickness < bestThickness)) {
                best = q;
                bestCost = cost;
                bestThickness = thickness;
            }
        }
        std::size_t i = rows.size();
        while (i > 0 && q[i - 1] == ranges[rows[i - 1]]->greatest) {
            q[i - 1] = ranges[rows[i - 1]]->least;
            --i;
        }
        if (i == 0) return best;
        ++q[i - 1];
    }
}

TEST(FindLeastCostStructure, IsTheOptimumOfPlainEnumerationOverRandomRanges) {
    testing::RandomStructures random(2026);
    const int prices[] = {0, 95, 140, 140, 250, 570, 570, 620, 1000};  // cents, with ties
    int found = 0, unreachable = 0;
    for (int i = 0; i < 600; ++i) {
        SCOPED_TRACE(i);
        std::string text(kUnitCostHeader);
        for (std::int16_t m = 1; m < fulldepth::kNoCourse; ++m) {
            const int cents = prices[random.Between(0, 8)];
            const std::string least = IsSpreadRate(MaterialList::FullDepth, m) ? "" : "0.25";
            const std::string greatest = least.empty() ? "" : "1000";
            text += "\n" + std::string(kFullDepthMaterialNames[static_cast<std::size_t>(m - 1)]) + "," +
                    FormatNumber(cents / 100.0, "0.00") + "," + least + "," + greatest;
        }
        const UnitCostTable table = Table(text);
        EnteredStructure structure = random.Any();
        if (!structure.overlay && structure.rows[0].position < testing::kSpreadRatePositions) {
            structure.rows[0].thickness = FormatNumber(random.Between(0, 8) / 8.0, "#0.00");
        }
        // A few values each, mostly inside the top zone; now and then one
        // course over a wide range.
        Ranges ranges(structure.rows.size());
        std::size_t combinations = 1;
        for (int row = 0; row < static_cast<int>(structure.rows.size()); ++row) {
            if (!IsSizedRow(structure, row)) continue;
            const int least = random.Between(1, 24);
            int greatest = least + random.Between(0, 5);
            if (random.Between(0, 20) == 0) greatest = std::min(least + random.Between(0, 400), kMostQuarterInches);
            if (combinations * static_cast<std::size_t>(greatest - least + 1) > 3000) greatest = least;
            combinations *= static_cast<std::size_t>(greatest - least + 1);
            ranges[static_cast<std::size_t>(row)] = ThicknessRange{least, greatest};
        }
        // A required SN at, just beside or away from the SN of a structure in
        // the ranges, so that exact designs occur.
        EnteredStructure sample = structure;
        for (std::size_t row = 0; row < ranges.size(); ++row) {
            if (ranges[row]) {
                sample.rows[row].thickness = QuarterInchText(random.Between(ranges[row]->least, ranges[row]->greatest));
            }
        }
        DesignRecord record = Designed(1.0f);
        const auto sampled = Evaluate(sample, record);
        ASSERT_TRUE(sampled);
        const float offsets[] = {0.0f, 0.0f, 0.01f, -0.01f, 0.3f, -0.3f};
        record.requiredSn = std::max(0.01f, sampled->numbers.proposedSn + offsets[random.Between(0, 5)]);

        const auto plain = PlainEnumeration(structure, ranges, table, record);
        const LeastCostStructure answer = FindLeastCostStructure(structure, ranges, table, record);
        DesignRecord scratch = record;
        if (!plain) {
            ++unreachable;
            EXPECT_EQ(answer.refusal, LeastCostRefusal::Unreachable);
            for (std::size_t row = 0; row < ranges.size(); ++row) {
                if (ranges[row]) {
                    EXPECT_EQ(answer.quarterInches[row], ranges[row]->greatest);
                }
            }
            EXPECT_EQ(answer.proposedSn, Evaluate(answer.structure, scratch)->numbers.proposedSn);
            continue;
        }
        ++found;
        ASSERT_FALSE(answer.refusal);
        std::size_t k = 0;
        for (std::size_t row = 0; row < ranges.size(); ++row) {
            if (ranges[row]) {
                EXPECT_EQ(answer.quarterInches[row], (*plain)[k++]) << "row " << row;
            }
        }
        ASSERT_TRUE(answer.evaluation);
        EXPECT_NE(answer.evaluation->sheet.verdict, kUnderdesign);
        EXPECT_EQ(answer.cost, StructureCost(answer.structure, table));
    }
    EXPECT_GT(found, 300);
    EXPECT_GT(unreachable, 40);
}

}  // namespace
}  // namespace korvelle
