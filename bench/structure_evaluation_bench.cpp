#include "core/structure_evaluation.h"
#include "core/thickness_fit.h"

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

// The longest fit: the least coefficient (sand-clay base, 0.10) under an
// overlay, with a required SN that only 988.50 in. of it make up, so that the
// search spans the whole range to 1000 in.: 2 evaluations at the ends, 12
// halving the range, at most 6 below the fit where rounding could dip.
void BM_FitLongestRange(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    record.requiredSn = 99.5f;
    EnteredStructure structure{true,
                               {{position::kTopSuperpave12, "1.50"},
                                {position::kOverlayNoCourse, ""},
                                {position::kOverlayNoCourse, ""},
                                {position::kExistingSandClay, "4.00"},
                                {position::kExistingNoCourse, ""},
                                {position::kExistingNoCourse, ""}}};
    constexpr int kSandClayRow = 3;
    ThicknessFit fit;
    for (auto _ : state) {
        fit = FitCourseThickness(structure, kSandClayRow, record);
        benchmark::DoNotOptimize(fit);
    }
    if (fit.refusal) state.SkipWithError("nothing was fitted");
    state.counters["inches"] = fit.inches();
}
BENCHMARK(BM_FitLongestRange)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvelle::bench
