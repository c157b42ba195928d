#include "print/design_form.h"

#include <benchmark/benchmark.h>

#include "designs.h"
#include "print/char_grid_page.h"

namespace korvelle::bench {
namespace {

void BM_FullDepthFormOnCharGrid(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    const ResultSheet sheet = *EvaluateFullDepth(FullDepthStructure(), record);
    for (auto _ : state) {
        CharGridPage page;
        PrintFullDepthForm(page, record, sheet, "Courier", 12.0);
        benchmark::DoNotOptimize(page.Glyphs().data());
    }
}
BENCHMARK(BM_FullDepthFormOnCharGrid);

void BM_OverlayFormOnCharGrid(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    const ResultSheet sheet = *EvaluateOverlay(OverlayCourses(), ExistingCourses(), record);
    for (auto _ : state) {
        CharGridPage page;
        PrintOverlayForm(page, record, sheet, "Courier", 12.0);
        benchmark::DoNotOptimize(page.Glyphs().data());
    }
}
BENCHMARK(BM_OverlayFormOnCharGrid);

}  // namespace
}  // namespace korvelle::bench
