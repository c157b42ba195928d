// korvelle-cli: checks, prints and explores design files from the command
// line (commands.h).  Only the PDF form needs Qt's GUI; the application is
// made for it alone, on the offscreen platform: nothing is ever shown.

#include <QGuiApplication>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "commands.h"
#include "standard_output.h"
#include "pdf_form_file.h"

namespace {

korvelle::CalendarDate Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Qt's warnings (a runtime folder not set, a font substituted) are not the
// command's output; only what stops Qt reaches standard error.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "korvelle-cli: " << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    // Standard output through a buffer that tells why a write failed: a full
    // disk, a closed descriptor or a broken pipe is said, with its own exit
    // status, never taken for a design that differs.
    const bool outputOpen = korvelle::StandardOutputWasOpen();
    korvelle::DescriptorOutput output(STDOUT_FILENO, !outputOpen);
    std::ostream out(&output);
    // The county table, or nothing is done: the designs' counties are looked
    // up in it.  KORVELLE_COUNTY_TABLE names another table file (for tests).
    std::string countyError;
    auto counties = korvelle::LoadCountyTable(std::getenv("KORVELLE_COUNTY_TABLE"), &countyError);
    if (!counties) {
        std::cerr << "korvelle-cli: county table: " << countyError << '\n';
        return 1;
    }
    int qtArgc = 1;
    std::unique_ptr<QGuiApplication> gui;
    korvelle::CliEnvironment environment{out, std::cerr, std::move(*counties), Today(),
                                         [&](const korvelle::PdfRequest& request) {
                                             if (!gui) {
                                                 qInstallMessageHandler(QtMessage);
                                                 qputenv("QT_QPA_PLATFORM", "offscreen");
                                                 gui = std::make_unique<QGuiApplication>(qtArgc, argv);
                                             }
                                             return korvelle::WritePdfForm(request);
                                         }};
    const int code = korvelle::RunCli(argc, argv, environment);
    out.flush();
    if (!output.failure().empty()) {
        std::cerr << "korvelle-cli: standard output: " << output.failure() << '\n';
        return korvelle::kExitOutput;
    }
    return code;
}
