#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "core/structure_evaluation.h"
#include "ui/county_table.h"
#include "ui/desktop.h"
#include "ui/print_screen.h"

namespace korvelle {

// Exit codes of korvelle-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRefused = 1;  // a design refused, differing, or not computed
inline constexpr int kExitUsage = 2;    // the command line itself is wrong
inline constexpr int kExitOutput = 3;   // standard output could not be written

// A design form to write as a PDF file.
struct PdfRequest {
    FormKind kind;
    const DesignRecord& record;
    const ResultSheet& sheet;
    std::string path;
    std::optional<std::string> face;  // none: the face the print screen preselects
    double size = 12.0;               // points
};

// What the commands need from outside: where to write, the county table,
// today's date, and the PDF writer (which needs Qt); the writer returns why
// the file was not written, or nothing.
struct CliEnvironment {
    std::ostream& out;
    std::ostream& err;
    std::vector<CountyEntry> counties;
    CalendarDate today;
    std::function<std::optional<std::string>(const PdfRequest&)> writePdf;
};

// Parses the command line and runs its command; the exit code.
int RunCli(int argc, const char* const* argv, CliEnvironment& environment);

}  // namespace korvelle
