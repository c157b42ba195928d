#include "core/least_cost.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "designs.h"

namespace korvelle::bench {
namespace {

// The unit-cost table shipped with the program.
const UnitCostTable& ShippedTable() {
    static const UnitCostTable table = [] {
        std::ifstream in(std::string(KORVELLE_EXAMPLES_DIR) + "/../unit-costs.csv", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return ParseUnitCostTable(text.str(), nullptr).value_or(UnitCostTable{});
    }();
    return table;
}

namespace row {  // list positions of full-depth courses 2 to 5
constexpr int kSuperpave12 = 0;
constexpr int kSuperpave19 = 3;
constexpr int kSuperpave25 = 5;
constexpr int kSuperpave37 = 6;
}  // namespace row

// 12.5 mm, 19 mm, 25 mm and 37 mm Superpave on graded aggregate base: over
// the shipped table's ranges 5 x 7 x 9 x 13 x 33 = 135,135 structures.
EnteredStructure FiveCourses() {
    return {false,
            {{position::kTopSuperpave12, ""},
             {row::kSuperpave19, ""},
             {row::kSuperpave25, ""},
             {row::kSuperpave37, ""},
             {position::kGradedAggregate, ""}}};
}

// 12.5 mm, 19 mm and 25 mm Superpave on graded aggregate base.
EnteredStructure TypicalCourses() {
    return {false,
            {{position::kTopSuperpave12, ""},
             {row::kSuperpave19, ""},
             {row::kSuperpave25, ""},
             {position::kGradedAggregate, ""},
             {position::kFullDepthNoCourse, ""}}};
}

std::vector<std::optional<ThicknessRange>> Widened(const EnteredStructure& structure) {
    std::vector<std::optional<ThicknessRange>> ranges(structure.rows.size());
    for (int r = 0; r < static_cast<int>(structure.rows.size()); ++r) {
        if (IsSizedRow(structure, r)) ranges[static_cast<std::size_t>(r)] = ThicknessRange{1, kMostQuarterInches};
    }
    return ranges;
}

// The required SN is the benchmark's argument in hundredths.
void RunSearch(benchmark::State& state, const EnteredStructure& structure,
               const std::vector<std::optional<ThicknessRange>>& ranges) {
    DesignRecord record = MillionLoadDesign();
    record.requiredSn = static_cast<float>(state.range(0) / 100.0);
    LeastCostStructure answer;
    for (auto _ : state) {
        answer = FindLeastCostStructure(structure, ranges, ShippedTable(), record);
        benchmark::DoNotOptimize(answer);
    }
    if (answer.refusal) state.SkipWithError("no structure was found");
    state.counters["evaluations"] = static_cast<double>(answer.evaluations);
    state.counters["cents"] = static_cast<double>(answer.cost) / 4;
    state.counters["SN"] = answer.proposedSn;
}

void BM_LeastCostFiveCourses(benchmark::State& state) {
    RunSearch(state, FiveCourses(), DefaultRanges(FiveCourses(), ShippedTable()));
}
BENCHMARK(BM_LeastCostFiveCourses)->Arg(344)->Arg(550)->Arg(650)->Unit(benchmark::kMicrosecond);

void BM_LeastCostTypical(benchmark::State& state) {
    RunSearch(state, TypicalCourses(), DefaultRanges(TypicalCourses(), ShippedTable()));
}
BENCHMARK(BM_LeastCostTypical)->Arg(344)->Unit(benchmark::kMicrosecond);

// Every course widened to 0.25 to 1000 in.
void BM_LeastCostFiveCoursesWidened(benchmark::State& state) {
    RunSearch(state, FiveCourses(), Widened(FiveCourses()));
}
BENCHMARK(BM_LeastCostFiveCoursesWidened)->Arg(800)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The hardest case found: five courses of one mix, all widened, whose
// structures tie in cost in great numbers.
void BM_LeastCostOneMixWidened(benchmark::State& state) {
    const EnteredStructure oneMix{false,
                                  {{position::kTopSuperpave12, ""},
                                   {row::kSuperpave12, ""},
                                   {row::kSuperpave12, ""},
                                   {row::kSuperpave12, ""},
                                   {row::kSuperpave12, ""}}};
    RunSearch(state, oneMix, Widened(oneMix));
}
BENCHMARK(BM_LeastCostOneMixWidened)->Arg(900)->Arg(2500)->Unit(benchmark::kMillisecond);

// For comparison: every structure of the five courses in their ranges
// evaluated as CONTINUE evaluates it.
void BM_LeastCostFiveCoursesPlainEnumeration(benchmark::State& state) {
    const EnteredStructure five = FiveCourses();
    const auto ranges = DefaultRanges(five, ShippedTable());
    DesignRecord record = MillionLoadDesign();
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        EnteredStructure trial = five;
        std::vector<int> q;
        for (const auto& range : ranges) q.push_back(range->least);
        for (bool more = true; more;) {
            for (std::size_t r = 0; r < q.size(); ++r) trial.rows[r].thickness = QuarterInchText(q[r]);
            benchmark::DoNotOptimize(Evaluate(trial, record));
            ++evaluations;
            std::size_t r = q.size();
            while (r > 0 && q[r - 1] == ranges[r - 1]->greatest) {
                q[r - 1] = ranges[r - 1]->least;
                --r;
            }
            more = r > 0;
            if (more) ++q[r - 1];
        }
    }
    state.counters["evaluations"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LeastCostFiveCoursesPlainEnumeration)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvelle::bench
