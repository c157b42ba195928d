#include "file/design_file.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

namespace korvelle::bench {
namespace {

std::string ExampleText(const char* name) {
    std::ifstream in(std::string(KORVELLE_EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const kExamples[] = {"full-depth.korvelle", "overlay.korvelle"};

// Reading the text of an example design file (JSON parse, member checks,
// material lists), as opening a design does before the screens take it.
void BM_ReadDesignFileText(benchmark::State& state) {
    const std::string text = ExampleText(kExamples[state.range(0)]);
    for (auto _ : state) {
        auto reading = ReadDesignFileText(text);
        benchmark::DoNotOptimize(reading);
    }
    if (!std::holds_alternative<DesignFile>(ReadDesignFileText(text))) state.SkipWithError("the example was refused");
    state.SetLabel(kExamples[state.range(0)]);
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadDesignFileText)->DenseRange(0, 1);

// The largest file the reader takes: the overlay example with its comments
// grown until the text is 1 MiB.
void BM_ReadLargestDesignFile(benchmark::State& state) {
    auto reading = ReadDesignFileText(ExampleText(kExamples[1]));
    if (!std::holds_alternative<DesignFile>(reading)) {
        state.SkipWithError("the example was refused");
        return;
    }
    DesignFile file = std::get<DesignFile>(reading);
    const std::size_t room = kMaxDesignFileBytes - DesignFileText(file).size();
    file.designer[1] += std::string(room, 'x');
    const std::string text = DesignFileText(file);
    for (auto _ : state) {
        auto read = ReadDesignFileText(text);
        benchmark::DoNotOptimize(read);
    }
    if (text.size() != kMaxDesignFileBytes || !std::holds_alternative<DesignFile>(ReadDesignFileText(text))) {
        state.SkipWithError("the largest file was not read");
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadLargestDesignFile);

// Writing an example design as the file's text, as saving does before the
// text goes to disk.
void BM_DesignFileText(benchmark::State& state) {
    const auto reading = ReadDesignFileText(ExampleText(kExamples[state.range(0)]));
    if (!std::holds_alternative<DesignFile>(reading)) {
        state.SkipWithError("the example was refused");
        return;
    }
    const DesignFile& file = std::get<DesignFile>(reading);
    for (auto _ : state) {
        auto text = DesignFileText(file);
        benchmark::DoNotOptimize(text);
    }
    state.SetLabel(kExamples[state.range(0)]);
}
BENCHMARK(BM_DesignFileText)->DenseRange(0, 1);

}  // namespace
}  // namespace korvelle::bench
