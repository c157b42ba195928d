#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "qt/qt_design_store.h"
#include "ui/design_capture.h"
#include "ui/county_table.h"
#include "ui/design_replay.h"

namespace korvelle::bench {
namespace {

const char* const kExamples[] = {"full-depth.korvelle", "overlay.korvelle"};
constexpr CalendarDate kToday{2026, 12, 9};

std::string ExamplePath(int example) { return std::string(KORVELLE_EXAMPLES_DIR) + "/" + kExamples[example]; }

// The county table the program ships (the overlay example chose a county).
const std::vector<CountyEntry>& Counties() {
    static const std::vector<CountyEntry> table = [] {
        std::ifstream in(std::string(KORVELLE_EXAMPLES_DIR) + "/../counties.csv", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return ParseCountyTable(text.str(), nullptr).value_or(std::vector<CountyEntry>{});
    }();
    return table;
}

// OPEN DESIGN... once the file is chosen: the file read and checked, replayed
// through the screens (every data screen's CONTINUE, the accepted structure's
// evaluation) and taken over by the program.
void BM_OpenDesign(benchmark::State& state) {
    HeadlessRun program(kToday, Counties());
    const std::string path = ExamplePath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DesignFileReading reading = ReadDesignFile(path);
        const auto* file = std::get_if<DesignFile>(&reading);
        if (!file) {
            state.SkipWithError("the example was refused");
            return;
        }
        Replay replay = ReplayDesign(*file, kToday, Counties());
        if (!replay.refusal.empty()) {
            state.SkipWithError(replay.refusal.c_str());
            return;
        }
        TakeOverReplay(program.program, *replay.run, file->stage);
    }
    state.SetLabel(kExamples[state.range(0)]);
}
BENCHMARK(BM_OpenDesign)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// SAVE DESIGN into the design's file: the screens read, the text written, and
// the file put in place whole (written, flushed to the disk, renamed).
void BM_SaveDesign(benchmark::State& state) {
    HeadlessRun program(kToday, Counties());
    DesignFileReading reading = ReadDesignFile(ExamplePath(static_cast<int>(state.range(0))));
    const auto* file = std::get_if<DesignFile>(&reading);
    Replay replay = file ? ReplayDesign(*file, kToday, Counties()) : Replay{};
    if (!file || !replay.refusal.empty()) {
        state.SkipWithError("the example was refused");
        return;
    }
    TakeOverReplay(program.program, *replay.run, file->stage);
    QTemporaryDir folder;
    QtDesignStore store;
    const std::string target = folder.filePath("design.korvelle").toStdString();
    for (auto _ : state) {
        const std::string failure = store.Write(target, DesignFileText(CaptureDesign(program.program)));
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
    state.SetLabel(kExamples[state.range(0)]);
}
BENCHMARK(BM_SaveDesign)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvelle::bench
