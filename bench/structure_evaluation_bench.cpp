#include "core/structure_evaluation.h"

#include <benchmark/benchmark.h>

#include "designs.h"

namespace korvelle::bench {
namespace {

void BM_EvaluateFullDepth(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    const auto courses = FullDepthStructure();
    for (auto _ : state) {
        auto sheet = EvaluateFullDepth(courses, record);
        benchmark::DoNotOptimize(sheet);
    }
    if (!EvaluateFullDepth(courses, record)) state.SkipWithError("the structure was refused");
}
BENCHMARK(BM_EvaluateFullDepth);

void BM_EvaluateOverlay(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    const auto overlay = OverlayCourses();
    const auto existing = ExistingCourses();
    for (auto _ : state) {
        auto sheet = EvaluateOverlay(overlay, existing, record);
        benchmark::DoNotOptimize(sheet);
    }
    if (!EvaluateOverlay(overlay, existing, record)) state.SkipWithError("the structure was refused");
}
BENCHMARK(BM_EvaluateOverlay);

}  // namespace
}  // namespace korvelle::bench
