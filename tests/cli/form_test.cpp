// `korvelle-cli form` against the desktop program's own form of the same
// design: the character-grid lines of the design opened as the desktop opens
// it, and the PDF that PRINT writes to a file from the print screen with the
// font it offers.

#include <gtest/gtest.h>

#include <QDir>

#include "cli_support.h"
#include "file/design_file.h"
#include "print/char_grid_page.h"
#include "print/design_form.h"
#include "qt/print_support.h"
#include "ui/county_table.h"
#include "ui/fakes.h"
#include "ui/print_screen.h"
#include "ui/structure_screens.h"

namespace korvelle::testing {
namespace {

struct Kind {
    const char* file;
    ScreenId result;
    ScreenId print;
    // A line of the form worked out by hand (docs/design-file.md).
    std::string loadingLine;
};
const Kind kKinds[] = {
    {"full-depth.korvelle", ScreenId::FullDepthResult, ScreenId::FullDepthPrint,
     "    Total predicted design period loading = 137 * 20 * 365 = 1,000,100"},
    {"overlay.korvelle", ScreenId::OverlayResult, ScreenId::OverlayPrint,
     "    Total predicted design period loading = 1370 * 20 * 365 = 10,001,000"},
};

// The fonts a PDF uses, as pdffonts lists them.
QString Fonts(const QString& pdf) {
    QProcess pdffonts;
    pdffonts.start("pdffonts", {pdf});
    pdffonts.waitForFinished(30000);
    return QString::fromUtf8(pdffonts.readAllStandardOutput());
}

// The example opened as the desktop opens it, on windows nobody sees.
struct OpenedRun : Harness {
    FakeStore store;
};
std::unique_ptr<OpenedRun> Opened(const char* name) {
    auto run = std::make_unique<OpenedRun>();
    const std::string path = Example(name).toStdString();
    run->store.files[path] = ReadAll(Example(name));
    const auto counties = ParseCountyTable(ReadAll(QString(KORVELLE_SOURCE_DIR) + "/data/counties.csv"), nullptr);
    EXPECT_TRUE(counties);
    run->Logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(counties ? *counties : std::vector<CountyEntry>{});
    run->program.document().SetStore(&run->store);
    run->program.Start();
    EXPECT_TRUE(run->program.document().OpenFile(path)) << run->desktop.Texts().front();
    return run;
}

TEST(CliForm, TheTextFormIsTheDesktopsFormOnTheCharacterGridLineForLine) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.file);
        const auto opened = Opened(kind.file);
        CharGridPage page;
        const ResultSheet sheet = opened->Logic<ResultScreen>(kind.result).Displayed();
        if (kind.result == ScreenId::FullDepthResult) {
            PrintFullDepthForm(page, opened->record, sheet, "Courier", 12.0);
        } else {
            PrintOverlayForm(page, opened->record, sheet, "Courier", 12.0);
        }
        ASSERT_EQ(page.PageCount(), 1);

        const CliRun run = RunCli({"form", Example(kind.file)});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const std::vector<std::string> lines = SplitLines(run.out);
        EXPECT_EQ(lines, page.Lines());
        EXPECT_NE(std::find(lines.begin(), lines.end(), kind.loadingLine), lines.end());
        for (const std::string& line : lines) EXPECT_LE(line.size(), 77u) << line;
    }
}

TEST(CliForm, ThePdfReadsBackAsThePdfThatPrintWrites) {
    QTemporaryDir folder;
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.file);
        // The desktop: PRINT on the print screen of the opened design, the
        // font dialog taking the font offered, the print dialog a file.
        const auto opened = Opened(kind.file);
        ScriptedPrintService printing;
        printing.printTo = folder.filePath(QString(kind.file) + ".desktop.pdf");
        auto& screen = opened->Logic<PrintScreen>(kind.print);
        opened->program.view(kind.print);
        screen.SetPrintService(&printing);
        screen.Click(PrintScreen::kPrint);
        ASSERT_EQ(printing.fontDialogs.size(), 1);

        const QString cli = folder.filePath(QString(kind.file) + ".cli.pdf");
        const CliRun run = RunCli({"form", Example(kind.file), "--pdf", cli});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");

        const QStringList desktopLines = PdfLines(printing.printTo);
        ASSERT_GT(desktopLines.size(), 40);
        EXPECT_EQ(PdfLines(cli), desktopLines);
        EXPECT_GE(LineWith(desktopLines, QString::fromStdString(kind.loadingLine.substr(4))), 0);
        // The print screen offers the system's Courier.
        EXPECT_TRUE(Fonts(cli).contains("NimbusMonoPS")) << Fonts(cli).toStdString();
    }
}

TEST(CliForm, AFaceAndSizeAskedForAndAFileThatCannotBeWritten) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("form.pdf");
    // 24 points spill over more than one page; the face is the one asked for.
    const CliRun large =
        RunCli({"form", Example("overlay.korvelle"), "--pdf", pdf, "--face", "Liberation Mono", "--size", "24"});
    EXPECT_EQ(large.code, 0) << large.err;
    EXPECT_GT(PdfLines(pdf).join('\n').count('\f'), 1);
    EXPECT_TRUE(Fonts(pdf).contains("LiberationMono")) << Fonts(pdf).toStdString();
    EXPECT_FALSE(Fonts(pdf).contains("NimbusMono")) << Fonts(pdf).toStdString();

    WriteAll(pdf, "earlier");
    const CliRun unknown = RunCli({"form", Example("overlay.korvelle"), "--pdf", pdf, "--face", "No Such Face"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.err, "korvelle-cli: " + pdf.toStdString() +
                               ": no font face \"No Such Face\" on this system (see fc-list : family)\n");
    EXPECT_EQ(ReadAll(pdf), "earlier");

    const QString nowhere = folder.filePath("no-folder/form.pdf");
    const CliRun unwritable = RunCli({"form", Example("overlay.korvelle"), "--pdf", nowhere});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err.rfind("korvelle-cli: " + nowhere.toStdString() + ": ", 0), 0u) << unwritable.err;
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace korvelle::testing
