#include <QApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/design_record.h"
#include "core/version.h"
#include "qt/qt_design_store.h"
#include "qt/qt_desktop.h"
#include "qt/qt_print_service.h"
#include "qt/resources.h"
#include "qt/alternatives_window.h"
#include "qt/sensitivity_window.h"
#include "qt/signal_quit.h"
#include "qt/windows.h"
#include "ui/county_table.h"
#include "ui/design_document.h"
#include "ui/print_screen.h"
#include "ui/program.h"
#include "ui/startup_screens.h"
#include "ui/unit_cost_file.h"
#include "ui/worksheets.h"

namespace {

constexpr const char* kUsage =
    "Usage: korvelle [FILE]\n"
    "Designs flexible pavements; FILE is a design file (.korvelle) to open after the start-up screen.\n"
    "\n"
    "  --version  print the program's version and exit\n"
    "  --help     print this help and exit\n";

// --version and --help are answered before the application starts, so that
// they need no display.  Returns the exit status, or -1 to start the program.
int AnswerWithoutWindows(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;  // what follows is a file name
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("korvelle %.*s\n", static_cast<int>(korvelle::kProgramVersion.size()),
                        korvelle::kProgramVersion.data());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerWithoutWindows(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvelle");
    // The desktop entry the window system shows the windows under, with its icon.
    QGuiApplication::setDesktopFileName("org.korvelle.Korvelle");
    // No display name: the window system would add it to every window title,
    // and the titles are the screens' own.
    QApplication::setQuitOnLastWindowClosed(false);
    korvelle::LoadResources();
    korvelle::QtDesktop desktop;

    // The county table, or the program ends saying why: the county worksheet
    // is built on it.  KORVELLE_COUNTY_TABLE names another table file (for
    // tests).
    std::string countyError;
    const auto counties = korvelle::LoadCountyTable(std::getenv("KORVELLE_COUNTY_TABLE"), &countyError);
    if (!counties) {
        std::fprintf(stderr, "korvelle: county table: %s\n", countyError.c_str());
        korvelle::ReportError(desktop, korvelle::CountyTableUnreadableMessage(countyError));
        return 1;
    }

    korvelle::DesignRecord record;  // the one design of this run
    korvelle::QtPrintService printing;  // the printers, font dialog and print dialog
    korvelle::QtDesignStore files;      // the design files and their dialogs
    korvelle::QtWindows windows;
    korvelle::Program program(record, desktop, windows);
    windows.SetProgram(program);
    windows.SetPrintService(&printing);
    program.document().SetStore(&files);
    // "korvelle FILE": the design opens after the start-up screen.
    QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && arguments.at(1) == "--") arguments.removeAt(1);
    if (arguments.size() > 1) {
        program.logic<korvelle::StartupScreen>(korvelle::ScreenId::Startup)
            .SetFileToOpen(QFile::encodeName(arguments.at(1)).toStdString());
    }
    for (korvelle::ScreenId id : {korvelle::ScreenId::FullDepthPrint, korvelle::ScreenId::OverlayPrint}) {
        program.logic<korvelle::PrintScreen>(id).SetPrintService(&printing);
    }

    program.logic<korvelle::CountyWorksheet>(korvelle::ScreenId::CountyWorksheet).SetTable(*counties);
    korvelle::QtSensitivityDisplay charts;  // SENSITIVITY... on the main menu
    program.logic<korvelle::MainMenu>(korvelle::ScreenId::MainMenu).SetSensitivityDisplay(&charts);
    korvelle::QtAlternativesDisplay alternatives;  // ALTERNATIVES... on the main menu
    program.logic<korvelle::MainMenu>(korvelle::ScreenId::MainMenu).SetAlternativesDisplay(&alternatives);

    // The agency's unit costs: the designer's own table when there is one,
    // else the example shipped with the program.  One that cannot be read is
    // said at once; the design goes on without costs.
    const QString ownCosts =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath("unit-costs.csv");
    std::string costProblem;
    auto costs = korvelle::LoadUnitCostTable(QFileInfo::exists(ownCosts) ? QFile::encodeName(ownCosts).toStdString()
                                                                          : std::string(),
                                             &costProblem);
    if (!costs) {
        QTimer::singleShot(0, [&desktop, costProblem] {
            korvelle::ReportError(desktop, korvelle::UnitCostTableUnusableMessage(costProblem));
        });
    }
    program.SetUnitCosts(std::move(costs), costProblem);

    // SIGTERM and SIGINT end the run from the event loop, closing a dialog
    // that happens to be open, without a question: nobody may be there to
    // answer it.  Unsaved changes stay in the recovery copy, offered at the
    // next start.
    korvelle::SignalQuit quitOnSignal([&program](int) {
        program.document().SaveRecoveryCopyNow();
        program.QuitNow();
    });

    // The recovery copy follows the design's changes once they stand still
    // for a moment: a crash or a power cut loses at most a few seconds.
    QTimer recovery;
    QObject::connect(&recovery, &QTimer::timeout, [&program] { program.document().KeepRecoveryCopy(); });
    recovery.start(std::chrono::milliseconds(korvelle::kRecoveryTick));

    program.Start();
    // Designs left unsaved by a run that ended are offered once the start-up
    // screen stands.
    QTimer::singleShot(0, [&program] { program.document().OfferRecoveries(); });
    return QApplication::exec();
}
