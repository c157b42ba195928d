#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "qt/qt_design_store.h"
#include "ui/design_capture.h"
#include "ui/county_table.h"
#include "ui/design_document.h"
#include "ui/memory_program.h"

namespace korvelle::bench {
namespace {

const char* const kExamples[] = {"full-depth.korvelle", "overlay.korvelle"};

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

// OPEN DESIGN... once the file is chosen: the file read and stamped, taken
// through the screens' rules (every data screen's CONTINUE, the accepted
// structure's evaluation) and shown on the program's screens.
void BM_OpenDesign(benchmark::State& state) {
    MemoryProgram run(Counties());
    QtDesignStore store;
    run.program.document().SetStore(&store);
    // A copy, so that the design's lock file is made beside it, not among
    // the examples.
    QTemporaryDir folder;
    const std::string path = folder.filePath("design.korvelle").toStdString();
    QFile::copy(QString::fromStdString(ExamplePath(static_cast<int>(state.range(0)))), QString::fromStdString(path));
    for (auto _ : state) {
        if (!run.program.document().OpenFile(path)) {
            state.SkipWithError("the example was refused");
            return;
        }
    }
    state.SetLabel(kExamples[state.range(0)]);
}
BENCHMARK(BM_OpenDesign)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// SAVE DESIGN into the design's file: the screens read, the text written, and
// the file put in place whole (written, flushed to the disk, renamed).
void BM_SaveDesign(benchmark::State& state) {
    MemoryProgram run(Counties());
    QtDesignStore store;
    run.program.document().SetStore(&store);
    QTemporaryDir folder;
    const std::string target = folder.filePath("design.korvelle").toStdString();
    QFile::copy(QString::fromStdString(ExamplePath(static_cast<int>(state.range(0)))), QString::fromStdString(target));
    if (!run.program.document().OpenFile(target)) {
        state.SkipWithError("the example was refused");
        return;
    }
    FileStamp stamp;
    for (auto _ : state) {
        const std::string failure = store.Write(target, DesignFileText(CaptureDesign(run.program)), stamp);
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
