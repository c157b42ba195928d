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
#include "ui/unit_cost_file.h"
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
std::unique_ptr<OpenedRun> Opened(const char* name, const std::string& text = {}) {
    auto run = std::make_unique<OpenedRun>();
    const std::string path = Example(name).toStdString();
    run->store.files[path] = text.empty() ? ReadAll(Example(name)) : text;
    run->program.SetUnitCosts(LoadUnitCostTable("", nullptr));  // the shipped table, as korvelle-cli's
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

// The full-depth example keeping two alternatives (worked by hand in the
// tests of the alternatives): A as designed, SN 3.86, $47.80; B with COURSE
// 3 at 2.00 and COURSE 4 at 6.00, SN 3.24, $39.70.
std::string WithAlternatives() {
    auto courses = [](const char* third, const char* fourth) {
        return std::string(R"("courses": [{"material": "12.5 mm Superpave", "position": 2, "thickness": "1.50"}, )"
                           R"({"material": "19 mm Superpave", "position": 3, "thickness": "2.00"}, )"
                           R"({"material": "25 mm Superpave", "position": 5, "thickness": ")") +
               third + R"("}, {"material": "Graded Aggregate Base", "position": 8, "thickness": ")" + fourth +
               R"("}, {"material": null, "position": -1, "thickness": ""}])";
    };
    return Edited("full-depth.korvelle", R"("version": 1,)",
                  R"("version": 2, "alternatives": [{"name": "A: as designed", "structure": "full-depth", )" +
                      courses("3", "8") + R"(}, {"name": "B, thinner", "structure": "full-depth", )" +
                      courses("2", "6") + "}],");
}

// That design as a file in the folder; its path.
QString WriteWithAlternatives(const QTemporaryDir& folder) {
    const QString design = folder.filePath("alternatives.korvelle");
    WriteAll(design, WithAlternatives());
    return design;
}

TEST(CliForm, TheAlternativesArePrintedOnAPageAfterTheFormAsPrintPrintsThem) {
    QTemporaryDir folder;
    const QString design = WriteWithAlternatives(folder);
    const CliRun text = RunCli({"form", design});
    EXPECT_EQ(text.code, 0) << text.err;
    const std::size_t feed = text.out.find('\f');
    ASSERT_NE(feed, std::string::npos);
    const std::vector<std::string> comparison = SplitLines(text.out.substr(feed + 1));
    const std::vector<std::string> expected = {
        "            COMPARISON OF ALTERNATIVE STRUCTURES",
        "",
        "  Project: STP-0021-02(037)",
        "  Date: December 9, 2026",
        "  Required SN = 3.44",
        "",
        "  A: as designed (full-depth)",
        "     1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB",
        "     Total 14.50 in.   Proposed SN 3.86   12.2% Overdesign",
        "     Cost $47.80 per sq. yd.",
        "",
        "  B, thinner (full-depth)",
        "     1.50 SP12.5 / 2.00 SP19 / 2.00 SP25 / 6.00 GAB",
        "     Total 11.50 in.   Proposed SN 3.24   5.8% Underdesign",
        "     Cost $39.70 per sq. yd.",
    };
    EXPECT_EQ(comparison, expected);

    // PRINT on the desktop writes the same two pages, asking nothing about
    // them: the form itself is one page.
    const auto opened = Opened("full-depth.korvelle", WithAlternatives());
    ScriptedPrintService printing;
    printing.printTo = folder.filePath("desktop.pdf");
    opened->program.view(ScreenId::FullDepthPrint);
    auto& screen = opened->Logic<PrintScreen>(ScreenId::FullDepthPrint);
    screen.SetPrintService(&printing);
    opened->desktop.Clear();
    screen.Click(PrintScreen::kPrint);
    EXPECT_TRUE(opened->desktop.questions.empty());
    const QString cli = folder.filePath("cli.pdf");
    const CliRun pdf = RunCli({"form", design, "--pdf", cli});
    EXPECT_EQ(pdf.code, 0) << pdf.err;
    const QStringList lines = PdfLines(cli);
    EXPECT_EQ(lines, PdfLines(printing.printTo));
    EXPECT_EQ(lines.join('\n').count('\f'), 2);  // two pages, each ended by a feed
    EXPECT_GE(LineWith(lines, "Total 11.50 in.   Proposed SN 3.24   5.8% Underdesign"), 0);

    // A unit-cost table that cannot be read leaves the costs off, and says so.
    const CliRun bad = RunCli({"form", design, "--costs", folder.filePath("none.csv")});
    EXPECT_EQ(bad.code, 0);
    EXPECT_EQ(bad.err.rfind("korvelle-cli: warning: ", 0), 0u) << bad.err;
    EXPECT_EQ(bad.out.find("Cost $"), std::string::npos);
}

TEST(CliAlternatives, TheComparisonAsATableJsonAndCsvAndItsRefusals) {
    QTemporaryDir folder;
    const QString design = WriteWithAlternatives(folder);
    const CliRun table = RunCli({"alternatives", design});
    EXPECT_EQ(table.code, 0) << table.err;
    const std::vector<std::string> lines = SplitLines(table.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Required SN 3.44");
    EXPECT_EQ(lines[1].rfind("Name            Kind        Courses (inches)", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "A: as designed  full-depth  1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB        14.50         "
                        "3.86  12.2% Overdesign            $47.80");
    EXPECT_EQ(lines[3], "B, thinner      full-depth  1.50 SP12.5 / 2.00 SP19 / 2.00 SP25 / 6.00 GAB        11.50         "
                        "3.24  5.8% Underdesign            $39.70");

    const CliRun json = RunCli({"alternatives", design, "--json"});
    EXPECT_EQ(json.code, 0) << json.err;
    EXPECT_NE(json.out.find(R"("requiredSn":"3.44","alternatives":[{"name":"A: as designed")"), std::string::npos);
    EXPECT_NE(json.out.find(R"("proposedSn":"3.24","differencePercent":"-5.8","verdict":"Underdesign","cost":"39.70")"),
              std::string::npos)
        << json.out;
    const CliRun csv = RunCli({"alternatives", design, "--csv"});
    EXPECT_EQ(SplitLines(csv.out).at(2), design.toStdString() + R"(,3.44,"B, thinner",full-depth,)"
                                                                R"(1.50 SP12.5 / 2.00 SP19 / 2.00 SP25 / 6.00 GAB,)"
                                                                R"(11.50,3.24,-5.8,Underdesign,39.70)");

    // A design keeping none says so; one whose design data were never
    // confirmed has nothing to compare with.
    const CliRun none = RunCli({"alternatives", Example("full-depth.korvelle")});
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(SplitLines(none.out).at(1), "No alternative is kept: KEEP AS ALTERNATIVE on an entry screen keeps one.");
    const QString early = folder.filePath("early.korvelle");
    WriteAll(early, Edited("full-depth.korvelle", R"("stage": "main-menu")", R"("stage": "design-data")"));
    const CliRun unconfirmed = RunCli({"alternatives", early});
    EXPECT_EQ(unconfirmed.code, 1) << unconfirmed.err;
    EXPECT_EQ(RunCli({"alternatives", design, "--json", "--csv"}).code, 2);
}

}  // namespace
}  // namespace korvelle::testing
