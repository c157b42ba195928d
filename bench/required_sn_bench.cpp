#include "core/required_sn.h"

#include <benchmark/benchmark.h>

#include "designs.h"

namespace korvelle::bench {
namespace {

// The computation reads only inputs and writes only results, so running it
// again on the same record repeats the same work.
void RunSearch(benchmark::State& state, DesignRecord record, SnSearch search) {
    for (auto _ : state) {
        const SnStatus status = ComputeRequiredSn(record, search);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(record.requiredSn);
    }
    if (!ComputeRequiredSn(record, search)) state.SkipWithError("the design has no required SN");
    state.counters["steps"] = SearchSteps(record);
    state.counters["SN"] = record.requiredSn;
}

void BM_RequiredSnMillionLoads(benchmark::State& state) {
    RunSearch(state, MillionLoadDesign(), SnSearch::PassSureTrials);
}
BENCHMARK(BM_RequiredSnMillionLoads);

void BM_RequiredSnLongestSearch(benchmark::State& state) {
    RunSearch(state, LongestSearchDesign(), SnSearch::PassSureTrials);
}
BENCHMARK(BM_RequiredSnLongestSearch);

// For comparison: the design equation worked out for every trial.
void BM_RequiredSnMillionLoadsEveryTrial(benchmark::State& state) {
    RunSearch(state, MillionLoadDesign(), SnSearch::EveryTrial);
}
BENCHMARK(BM_RequiredSnMillionLoadsEveryTrial);

void BM_RequiredSnLongestSearchEveryTrial(benchmark::State& state) {
    RunSearch(state, LongestSearchDesign(), SnSearch::EveryTrial);
}
BENCHMARK(BM_RequiredSnLongestSearchEveryTrial);

}  // namespace
}  // namespace korvelle::bench
