// korvelle-cli's command line: any argument vector (commands, options and
// values of every kind, the example designs, a unit-cost table, missing and
// broken files, random words) through RunCli in-process.  The exit code is
// 0, 1, 2 or 3, and 3 only when standard output fails; nothing is written
// but standard output and error: the PDF writer, a stand-in, is called only
// when --pdf was given, with its path, and the working folder, HOME and the
// XDG folders (all in one temporary folder, removed at the end) stay exactly as they were.

#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fuzz_support.h"
#include "ui/county_table.h"
#include "ui/unit_cost_file.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
namespace fs = std::filesystem;

// Every file and folder under the temporary folder with its size and time.
std::string Listing(const fs::path& root) {
    std::string listing;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat status {};
        ::lstat(entry.path().c_str(), &status);
        listing += entry.path().string() + " " + std::to_string(status.st_size) + " " +
                   std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec) + "\n";
    }
    return listing;
}

// The temporary folder the whole run works in: the working folder, HOME and
// the XDG folders, with the example designs and a unit-cost table.
const fs::path& Sandbox() {
    static const fs::path root = [] {
        // Named by the process, so that the folders of runs that ended
        // without removing theirs (libFuzzer ends most runs without the
        // exit handlers) are found and removed here.
        const std::string prefix = "korvelle-cli-fuzz-";
        for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) != 0) continue;
            const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path());
        }
        const fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* name : {"home", "config", "data", "cache", "state", "runtime"}) {
            fs::create_directories(folder / name);
        }
        ::setenv("HOME", (folder / "home").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (folder / "runtime").c_str(), 1);
        ::setenv("TMPDIR", (folder / "runtime").c_str(), 1);
        for (const char* example : {"full-depth.korvelle", "overlay.korvelle"}) {
            fs::copy_file(fs::path(KORVELLE_SOURCE_DIR) / "data" / "examples" / example, folder / example);
        }
        std::ofstream(folder / "costs.csv") << ShippedUnitCostTableText();
        std::ofstream(folder / "broken.korvelle") << "{\"format\": \"korvelle-design\", \"version\": 2";
        fs::create_directories(folder / "folder.korvelle");
        std::atexit([] { fs::remove_all(Sandbox()); });
        return folder;
    }();
    return root;
}

std::string PickArgument(FuzzedDataProvider& in) {
    static constexpr const char* kWords[] = {
        "show", "check", "form", "optimize", "alternatives", "sn", "sweep", "--help", "-h", "--version", "--",
        "--json", "--csv", "--costs", "--pdf", "--face", "--size", "--structure", "--range", "--threads", "--search",
        "full-depth.korvelle", "overlay.korvelle", "broken.korvelle", "folder.korvelle", "missing.korvelle",
        "costs.csv", "full-depth.korvelle", "out.pdf", "/tmp/out.pdf", "-", "", "full-depth", "overlay",
        "pass-sure", "every-trial", "Liberation Mono", "Courier", "12", "0", "-1", "144", "1e9", "nan", "2",
        "--initial-year", "--final-year", "--initial-aadt", "--final-aadt", "--trucks", "--ldf", "--tsi", "--soil",
        "--rf", "--single-esal", "--multi-esal", "--esal", "1990", "2010", "12000", "20000", "8.5", "55", "2.5",
        "3.5:5:0.5", "1:3:1", "0:1:0", "5:1:1", "1:1000000:0.001", "1=1:2", "2=2:6", "3=0.25:1000", "9=1:2",
        "1=2:1", "--soil=4", "--pdf=out.pdf", "--size=0"};
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
        const std::string word = in.ConsumeRandomLengthString(24);
        return word.substr(0, word.find('\0'));  // an argument ends at its first NUL
    }
    return in.PickValueInArray(kWords);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string before = Listing(Sandbox());
    static std::vector<CountyEntry> counties = [] {
        std::string error;
        auto table = LoadCountyTable(nullptr, &error);
        Check(table.has_value(), "the compiled-in county table reads", error);
        return *table;
    }();
    FuzzedDataProvider in(data, size);
    const bool outputFails = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    const bool pdfFails = in.ConsumeBool();
    std::vector<std::string> arguments{"korvelle-cli"};
    for (int n = in.ConsumeIntegralInRange<int>(0, 12); n > 0; --n) arguments.push_back(PickArgument(in));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    bool pdfAsked = false;
    for (const std::string& argument : arguments) pdfAsked = pdfAsked || argument.rfind("--pdf", 0) == 0;

    std::ostringstream out, err;
    if (outputFails) out.setstate(std::ios::badbit);
    CliEnvironment environment{out, err, counties, CalendarDate{2001, 12, 1}, {}};
    int pdfs = 0;
    environment.writePdf = [&](const PdfRequest& request) -> std::optional<std::string> {
        ++pdfs;
        Check(pdfAsked, "a PDF is written only when --pdf is given", fuzz::Shown(request.path));
        Check(std::find_if(arguments.begin(), arguments.end(), [&](const std::string& a) {
                  return a == request.path || a == "--pdf=" + request.path;
              }) != arguments.end(),
              "the PDF goes where --pdf says", fuzz::Shown(request.path));
        if (pdfFails) return "No space left on device";
        return std::nullopt;
    };
    // In the temporary folder while the command runs: the fuzzer's own
    // corpus and artifacts may be named relative to where it started.
    const fs::path started = fs::current_path();
    fs::current_path(Sandbox());
    const int code = RunCli(static_cast<int>(arguments.size()), argv.data(), environment);
    fs::current_path(started);
    std::string shown;
    for (const std::string& argument : arguments) shown += fuzz::Shown(argument) + " ";
    Check(code >= kExitSuccess && code <= kExitOutput, "the exit code is 0, 1, 2 or 3", shown);
    Check(code != kExitOutput || outputFails, "exit 3 only when standard output fails", shown + err.str());
    Check(pdfs <= 1, "at most one PDF is written", shown);
    Check(code != kExitSuccess || !pdfFails || pdfs == 0, "a PDF not written is no success", shown);
    Check(Listing(Sandbox()) == before, "no file is written, changed or removed", shown);
    return 0;
}
