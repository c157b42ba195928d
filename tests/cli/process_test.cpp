// korvelle-cli run as a process: every command on the example designs, the
// refusals and the exit codes.  The engineering figures are those worked by
// hand in docs/design-file.md.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <cctype>

#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "core/version.h"

namespace korvelle::testing {
namespace {

const QString kFullDepth = Example("full-depth.korvelle");
const QString kOverlay = Example("overlay.korvelle");

// The data of the full-depth example as options: mean AADT (1,000 + 1,720) / 2
// = 1,360; 1,360 x 1.00 x 0.100 x 1.00 = 136, plus 1: 137 daily loads;
// 137 x 20 x 365 = 1,000,100; required SN 3.44.
const QStringList kFullDepthData = {"--initial-year", "2000", "--final-year", "2020", "--initial-aadt", "1000",
                                    "--final-aadt",   "1720", "--trucks",     "10",   "--ldf",          "100",
                                    "--soil",         "4",    "--rf",         "1.0",  "--esal",         "1.0"};

QStringList With(QStringList arguments, const QString& option, const QString& value) {
    const qsizetype at = arguments.indexOf(option);
    if (at >= 0) {
        arguments[at + 1] = value;
    } else {
        arguments << option << value;
    }
    return arguments;
}

QStringList Without(QStringList arguments, const QString& option) {
    const qsizetype at = arguments.indexOf(option);
    if (at >= 0) arguments.remove(at, 2);
    return arguments;
}

TEST(CliProgram, ABrokenCountyTableStopsItNamingTheLine) {
    QTemporaryDir folder;
    const QString table = folder.filePath("counties.csv");
    WriteAll(table, "# a soil support typed with a letter O\nALDER,4.0,1.6\nBIRCH,3.O,1.8\n");
    QProcessEnvironment variables;
    variables.insert("KORVELLE_COUNTY_TABLE", table);
    for (const QStringList& arguments : {QStringList{"show", kFullDepth}, QStringList{"sn"} + kFullDepthData}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(arguments, variables);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "korvelle-cli: county table: " + table.toStdString() +
                               ": line 3: soil support \"3.O\" is not one digit, a point and one digit\n");
    }
    variables.insert("KORVELLE_COUNTY_TABLE", folder.filePath("missing.csv"));
    const CliRun missing = RunCli({"show", kFullDepth}, variables);
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "korvelle-cli: county table: " + folder.filePath("missing.csv").toStdString() +
                               ": No such file or directory\n");
}

TEST(CliProgram, LinksNeitherTheDesktopsWidgetsNorPrintSupport) {
    QProcess ldd;
    ldd.start("ldd", {KORVELLE_CLI});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    ASSERT_EQ(ldd.exitCode(), 0) << ldd.readAllStandardError().toStdString();
    const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
    EXPECT_TRUE(libraries.contains("libQt6Gui.so")) << libraries.toStdString();  // the PDF's
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6PrintSupport")) << libraries.toStdString();
}

TEST(CliProgram, OnlyThePdfStartsQtsGui) {
    // A copy of the program beside a qt.conf that sends Qt to an empty folder
    // for its plugins: Qt's GUI, once started, finds no platform and ends the
    // program.
    QTemporaryDir folder;
    const QString program = folder.filePath("korvelle-cli");
    ASSERT_TRUE(QFile::copy(KORVELLE_CLI, program));
    ASSERT_TRUE(QDir(folder.path()).mkdir("no-plugins"));
    WriteAll(folder.filePath("qt.conf"), "[Paths]\nPlugins = " + folder.filePath("no-plugins").toStdString() + "\n");
    for (const QStringList& arguments :
         {QStringList{"--version"}, QStringList{"--help"}, QStringList{"show", kFullDepth, kOverlay},
          QStringList{"check", kFullDepth}, QStringList{"form", kOverlay}, QStringList{"optimize", kFullDepth},
          QStringList{"sn"} + kFullDepthData}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(arguments, {}, program);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
    const QString pdf = folder.filePath("form.pdf");
    const CliRun gui = RunCli({"form", kFullDepth, "--pdf", pdf}, {}, program);
    EXPECT_NE(gui.code, 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

// The cost of the shipped table's prices: 1.50 x 6.20 + 2.00 x 5.70 + 3 x
// 5.30 + 8 x 1.40 = $47.80 for the full-depth example, 1.50 x 6.20 + 2.00 x
// 5.70 = $20.70 for the overlay (the existing courses are not laid).
TEST(CliShow, OneLinePerDesignOfEitherKindAsTheScreensShowIt) {
    const CliRun run = RunCli({"show", kFullDepth, kOverlay});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(SplitLines(run.out),
              (std::vector<std::string>{
                  kFullDepth.toStdString() + ": project STP-0021-02(037), design loading 1,000,100, required SN 3.44, "
                                             "full-depth, proposed SN 3.86, 12.2% Overdesign, $47.80 per sq. yd.",
                  kOverlay.toStdString() + ": project NH-0075-01(112), design loading 10,001,000, required SN 4.92, "
                                           "overlay, proposed SN 4.16, 15.4% Underdesign, $20.70 per sq. yd."}));
}

TEST(CliShow, JsonAndCsvCarryTheSameValues) {
    const CliRun json = RunCli({"show", "--json", kOverlay});
    ASSERT_EQ(json.code, 0) << json.err;
    const std::vector<std::string> objects = SplitLines(json.out);
    ASSERT_EQ(objects.size(), 1u);
    const nlohmann::json design = nlohmann::json::parse(objects[0]);
    EXPECT_EQ(design["file"], kOverlay.toStdString());
    EXPECT_EQ(design["projectNumber"], "NH-0075-01(112)");
    EXPECT_EQ(design["designLoading"], "10,001,000");
    EXPECT_EQ(design["requiredSn"], "4.92");
    EXPECT_EQ(design["structure"], "overlay");
    EXPECT_EQ(design["proposedSn"], "4.16");
    EXPECT_EQ(design["difference"], "15.4%");
    EXPECT_EQ(design["verdict"], "Underdesign");
    EXPECT_EQ(design["cost"], "20.70");

    const CliRun csv = RunCli({"show", "--csv", kFullDepth});
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(SplitLines(csv.out),
              (std::vector<std::string>{
                  "file,project,design loading,required SN,structure,proposed SN,difference,verdict,cost",
                  kFullDepth.toStdString() +
                      ",STP-0021-02(037),\"1,000,100\",3.44,full-depth,3.86,12.2%,Overdesign,47.80"}));

    // A course the table does not price leaves the cost unknown.
    QTemporaryDir folder;
    const QString table = folder.filePath("costs.csv");
    WriteAll(table, "material,dollars per square yard per inch,least thickness,greatest thickness\n"
                    "12.5 mm Superpave,6.20,1.0,2.0\n19 mm Superpave,5.70,1.5,3.0\n");
    const CliRun unpriced = RunCli({"show", "--csv", "--costs", table, kFullDepth, kOverlay});
    EXPECT_EQ(unpriced.code, 0) << unpriced.err;
    EXPECT_EQ(SplitLines(unpriced.out).at(1).substr(kFullDepth.size()),
              ",STP-0021-02(037),\"1,000,100\",3.44,full-depth,3.86,12.2%,Overdesign,");
    EXPECT_EQ(SplitLines(unpriced.out).at(2).substr(kOverlay.size()),
              ",NH-0075-01(112),\"10,001,000\",4.92,overlay,4.16,15.4%,Underdesign,20.70");
    EXPECT_TRUE(nlohmann::json::parse(RunCli({"show", "--json", "--costs", table, kFullDepth}).out)["cost"].is_null());

    EXPECT_EQ(RunCli({"show", "--json", "--csv", kFullDepth}).code, 2);
}

// A design saved half way keeps its acceptance: current while the entries
// it was computed from stand, stale once one of them changed; one without an
// acceptance shows what it has.  `check` works out every current acceptance
// again whatever the stage, and counts a stale one apart.
TEST(CliShow, ADesignSavedHalfWayShowsWhatItHasAndKeepsItsAcceptance) {
    QTemporaryDir folder;
    const std::string example = ReadAll(kFullDepth);
    auto write = [&](const char* name, std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
        for (const auto& [from, to] : edits) {
            const auto at = text.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) text.replace(at, from.size(), to);
        }
        const QString path = folder.filePath(name);
        WriteAll(path, text);
        return path;
    };
    const std::string stage = "\"stage\": \"main-menu\"";
    const std::string withoutAccepted = example.substr(0, example.find(",\n  \"accepted\"")) + "\n}\n";
    const QString designer = write("designer.korvelle", example, {{stage, "\"stage\": \"designer-information\""}});
    const QString data = write("data.korvelle", withoutAccepted, {{stage, "\"stage\": \"design-data\""}});
    const QString stale = write("stale.korvelle", example,
                                {{stage, "\"stage\": \"project-information\""},
                                 {"\"current\": true", "\"current\": false"},
                                 {"\"initialTraffic\": \"1000\"", "\"initialTraffic\": \"3000\""}});
    const QString wrong = write("wrong.korvelle", example,
                                {{stage, "\"stage\": \"design-data\""}, {"\"requiredSn\": \"3.44\"", "\"requiredSn\": \"9.99\""}});
    const std::string accepted = "design loading 1,000,100, required SN 3.44, full-depth, proposed SN 3.86, 12.2% Overdesign";
    // The courses of a stale acceptance may no longer be the file's: no cost.
    const std::string cost = ", $47.80 per sq. yd.";

    const CliRun run = RunCli({"show", designer, data, stale});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(SplitLines(run.out),
              (std::vector<std::string>{
                  designer.toStdString() + ": project STP-0021-02(037), " + accepted + cost,
                  data.toStdString() + ": project STP-0021-02(037), design loading -, required SN -, structure -",
                  stale.toStdString() + ": project STP-0021-02(037), " + accepted + " (stale)"}));

    const CliRun check = RunCli({"check", designer, data, stale, wrong});
    EXPECT_EQ(check.code, 1) << check.err;
    EXPECT_EQ(SplitLines(check.out),
              (std::vector<std::string>{
                  stale.toStdString() + ": the accepted structure no longer matches the design data: open the "
                                        "structure and ACCEPT again",
                  wrong.toStdString() + ": required SN saved 9.99, now 3.44",
                  "4 designs: 2 same, 1 differ, 1 stale, 0 refused"}));

    // The form of a current acceptance prints wherever the design stands; a
    // stale one has none, nor a design without one.
    const CliRun form = RunCli({"form", designer});
    EXPECT_EQ(form.code, 0) << form.err;
    EXPECT_EQ(form.out, RunCli({"form", kFullDepth}).out);
    for (const auto& [file, reason] : {std::pair{data, std::string("no structure was accepted, so the design has no form")},
                                       std::pair{stale, std::string("the accepted structure no longer matches the design "
                                                                    "data: open the structure and ACCEPT again, so no "
                                                                    "form is printed from it")}}) {
        const CliRun refused = RunCli({"form", file});
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "korvelle-cli: " + file.toStdString() + ": " + reason + "\n");
    }
}

TEST(CliCheck, TheExamplesComputeAsSaved) {
    const CliRun run = RunCli({"check", kFullDepth, kOverlay});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "2 designs: 2 same, 0 differ, 0 refused\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliCheck, AFileEditedToAWrongStoredSnDiffersAndTheOthersGoOn) {
    QTemporaryDir folder;
    const QString edited = folder.filePath("NH-0075.korvelle");
    WriteAll(edited, Edited("overlay.korvelle", "\"requiredSn\": \"4.92\"", "\"requiredSn\": \"4.93\""));
    const QString proposed = folder.filePath("STP-0021.korvelle");
    WriteAll(proposed, Edited("full-depth.korvelle", "\"proposedSn\": \"3.86\"", "\"proposedSn\": \"3.68\""));
    const QString missing = folder.filePath("missing.korvelle");

    const CliRun run = RunCli({"check", kFullDepth, edited, missing, proposed});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(SplitLines(run.out), (std::vector<std::string>{
                                       edited.toStdString() + ": required SN saved 4.93, now 4.92",
                                       proposed.toStdString() + ": proposed SN saved 3.68, now 3.86",
                                       "4 designs: 1 same, 2 differ, 1 refused",
                                   }));
    const std::vector<std::string> errors = SplitLines(run.err);
    ASSERT_EQ(errors.size(), 1u) << run.err;
    EXPECT_EQ(errors[0].rfind("korvelle-cli: " + missing.toStdString() + ": ", 0), 0u) << errors[0];
}

TEST(CliRefusals, EveryRefusedFileIsNamedOnItsOwnLineAndTheRestIsShown) {
    QTemporaryDir folder;
    const QString text = folder.filePath("notes.korvelle");
    WriteAll(text, "Pavement notes, not a design\n");
    const QString refusedByScreen = folder.filePath("soil.korvelle");
    WriteAll(refusedByScreen, Edited("full-depth.korvelle", "\"soilSupport\": \"4\"", "\"soilSupport\": \"0\""));
    const QString missing = folder.filePath("missing.korvelle");

    for (const char* command : {"show", "check"}) {
        SCOPED_TRACE(command);
        const CliRun run = RunCli({command, missing, text, refusedByScreen, kOverlay});
        EXPECT_EQ(run.code, 1);
        const std::vector<std::string> errors = SplitLines(run.err);
        ASSERT_EQ(errors.size(), 3u) << run.err;
        EXPECT_EQ(errors[0].rfind("korvelle-cli: " + missing.toStdString() + ": ", 0), 0u) << errors[0];
        EXPECT_EQ(errors[1].rfind("korvelle-cli: " + text.toStdString() + ": ", 0), 0u) << errors[1];
        EXPECT_EQ(errors[2], "korvelle-cli: " + refusedByScreen.toStdString() +
                                 ": Design data, SOIL SUPPORT: Data is outside normal range");
        if (std::string(command) == "show") {
            EXPECT_EQ(run.out.rfind(kOverlay.toStdString() + ": project NH-0075-01(112)", 0), 0u) << run.out;
        } else {
            EXPECT_EQ(run.out, "4 designs: 1 same, 0 differ, 3 refused\n");
        }
    }
    EXPECT_EQ(RunCli({"form", missing}).code, 1);
}

TEST(CliUsage, BadCommandLinesExitWithTwoAndSayWhy) {
    const std::vector<QStringList> cases = {
        {},
        {"print", kFullDepth},
        {"show"},
        {"show", "--bogus", kFullDepth},
        {"form", kFullDepth, "--size", "14"},  // the size is for the PDF
        {"form", kFullDepth, "--pdf", "x.pdf", "--size", "0"},
        Without(QStringList{"sn"} + kFullDepthData, "--soil"),
        QStringList{"sweep"} + kFullDepthData,  // no range
        QStringList{"sweep", "--threads", "0"} + With(kFullDepthData, "--soil", "2:8:1"),
        QStringList{"sweep", "--search", "slow"} + With(kFullDepthData, "--soil", "2:8:1"),
        QStringList{"sweep"} + With(kFullDepthData, "--soil", "2:8:0"),
        QStringList{"sweep"} + With(kFullDepthData, "--soil", "2:8:-0.5"),
        QStringList{"sweep"} + With(kFullDepthData, "--soil", "8:2:0.5"),
        QStringList{"sweep"} + With(kFullDepthData, "--soil", "2:8"),
        QStringList{"sweep"} + With(kFullDepthData, "--soil", "2:eight:1"),
        QStringList{"sweep"} + With(With(With(kFullDepthData, "--soil", "2:8:1"), "--rf", "1:3:1"), "--ldf", "1:2:1"),
        {"form", kFullDepth, "--pdf", ""},  // not the text form on standard output
        {"form", kFullDepth, "--pdf", "x.pdf", "--size", "nan"},
        {"form", kFullDepth, "--pdf", "x.pdf", "--size", "0x10"},
        {"form", kFullDepth, "--pdf", "x.pdf", "--face", ""},
        {"bogus"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("korvelle-cli: ", 0), 0u) << run.err;
    }
}

TEST(CliUsage, AnUnknownCommandIsNamedWithTheCommandsThereAre) {
    const CliRun run = RunCli({"bogus", kFullDepth});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(SplitLines(run.err).at(0),
              "korvelle-cli: unknown command \"bogus\"; the commands are show, check, form, optimize, alternatives, sn, sweep");
}

// The form is never written over the design it is made from, another design
// file, or anything that is not a regular file; a regular file is replaced
// whole, keeping its mode.
TEST(CliForm, TheOutputIsNeverTheDesignNorAnythingButARegularFile) {
    QTemporaryDir folder;
    const QString design = folder.filePath("a.korvelle");
    const std::string example = ReadAll(kFullDepth);
    WriteAll(design, example);
    QFile::link(design, folder.filePath("link.pdf"));
    QDir(folder.path()).mkdir("folder");
    QProcess::execute("mkfifo", {folder.filePath("fifo.pdf")});
    struct Case {
        QString out;
        std::string reason;
    };
    const std::string itself = "is the design file itself; the form is written to another file";
    const std::string notRegular = "is not a regular file (a folder, a device or a pipe); the form is written only to a file";
    const std::string design_ = "ends in .korvelle: a design file is never written over with a form";
    for (const Case& c : {Case{design, itself}, Case{folder.path() + "/./a.korvelle", itself},
                          Case{folder.filePath("link.pdf"), itself}, Case{folder.filePath("other.KORVELLE"), design_},
                          Case{"/dev/full", notRegular}, Case{folder.filePath("folder"), notRegular},
                          Case{folder.filePath("fifo.pdf"), notRegular}}) {
        SCOPED_TRACE(c.out.toStdString());
        const CliRun run = RunCli({"form", design, "--pdf", c.out});
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, "korvelle-cli: " + c.out.toStdString() + ": " + c.reason + "\n");
        EXPECT_EQ(ReadAll(design), example);
    }
    EXPECT_FALSE(QFile::exists(folder.filePath("other.KORVELLE")));

    const QString pdf = folder.filePath("form.pdf");
    WriteAll(pdf, "earlier");
    QFile::setPermissions(pdf, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    const CliRun run = RunCli({"form", design, "--pdf", pdf});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadAll(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(QFile::permissions(pdf) & 0x7777,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser |
                  QFileDevice::ReadGroup);
}

// Standard output that cannot be written (a full disk, a closed descriptor, a
// broken pipe with SIGPIPE ignored) is said, with its own exit status 3,
// after every command.
TEST(CliOutput, OutputThatCannotBeWrittenIsSaidWithItsOwnStatus) {
    const QString cli = QString(KORVELLE_CLI);
    const QString data = kFullDepthData.join(' ');
    struct Case {
        QString script;
        std::string reason;
    };
    std::vector<Case> cases;
    for (const QString& command : {QString("--help"), QString("--version"), "show " + kFullDepth,
                                   "check " + kFullDepth, "form " + kFullDepth, "optimize " + kFullDepth, "sn " + data,
                                   "sweep " + With(kFullDepthData, "--soil", "2:8:1").join(' '), QString("sn --help")}) {
        cases.push_back({"\"$CLI\" " + command + " >/dev/full", "No space left on device"});
    }
    cases.push_back({"exec >&-; \"$CLI\" show " + kFullDepth, "Bad file descriptor"});
    cases.push_back({"trap '' PIPE; \"$CLI\" sweep " + With(kFullDepthData, "--soil", "1:9:0.0001").join(' ') +
                         " | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}",
                     "Broken pipe"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script.toStdString());
        const CliRun run = RunShell(c.script);
        EXPECT_EQ(run.code, 3);
        EXPECT_EQ(run.err, "korvelle-cli: standard output: " + c.reason + "\n");
    }
}

// Line output is one line per design whatever a file name holds: control
// characters escaped, so that none reaches the terminal.
TEST(CliOutput, ControlCharactersInFileNamesAreEscapedInLineOutput) {
    QTemporaryDir folder;
    const QString odd = folder.filePath("a\x1b]0;title\x07\nb.korvelle");
    WriteAll(odd, ReadAll(kFullDepth));
    const std::string shown = folder.path().toStdString() + "/a\\x1b]0;title\\x07\\nb.korvelle";
    const CliRun show = RunCli({"show", odd});
    EXPECT_EQ(SplitLines(show.out).size(), 1u) << show.out;
    EXPECT_EQ(show.out.rfind(shown + ": project STP-0021-02(037)", 0), 0u) << show.out;
    const CliRun missing = RunCli({"check", odd + "\t\\"});
    EXPECT_EQ(missing.err, "korvelle-cli: " + shown + "\\t\\\\: cannot be read: No such file or directory\n");
    const CliRun optimize = RunCli({"optimize", odd, "--structure", "overlay"});
    EXPECT_EQ(optimize.err.rfind("korvelle-cli: " + shown + ": the design holds no overlay", 0), 0u) << optimize.err;
    // JSON keeps the name as it is.
    const CliRun json = RunCli({"show", "--json", odd});
    EXPECT_EQ(nlohmann::json::parse(json.out)["file"], odd.toStdString());
}

// A sweep holds one block of points at a time, however many rows or columns
// it has, and writes the same bytes as ever.
TEST(CliSweep, MemoryStaysBoundedForASweepOfAMillionRowsOrColumns) {
    for (const QStringList& ranges : {QStringList{"--soil", "0.5:10:0.0000095"}, QStringList{"--rf", "1:3:0.000002"}}) {
        SCOPED_TRACE(ranges.join(' ').toStdString());
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start("/usr/bin/time", QStringList{"-f", "%M", KORVELLE_CLI, "sweep"} +
                                           With(kFullDepthData, ranges[0], ranges[1]));
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 0);
        const std::vector<std::string> lines = SplitLines(process.readAllStandardError().toStdString());
        ASSERT_FALSE(lines.empty());
        EXPECT_LT(std::stol(lines.back()), 64 * 1024) << "kilobytes at most";  // 185 MB and more when rows were held
    }
}

TEST(CliUsage, AGridOverTenMillionPointsIsRefusedBeforeAnythingIsComputed) {
    const CliRun run = RunCli(QStringList{"sweep"} +
                              With(With(kFullDepthData, "--soil", "0.5:10:0.001"), "--rf", "1:3:0.0001"));
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "korvelle-cli: sweep: the grid has 190,029,501 points, more than the 10,000,000 a sweep "
                       "computes\n");  // 9,501 x 20,001

    const CliRun axis = RunCli(QStringList{"sweep"} + With(kFullDepthData, "--initial-aadt", "1:30000000:1"));
    EXPECT_EQ(axis.code, 2);
    EXPECT_NE(axis.err.find("more than 10,000,000 values"), std::string::npos) << axis.err;
}

TEST(CliUsage, HelpForEveryCommandAndTheVersion) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "korvelle-cli " + std::string(kProgramVersion) + "\n");

    const std::vector<std::pair<QStringList, std::vector<std::string>>> cases = {
        {{"--help"}, {"show", "check", "form", "optimize", "sn", "sweep", "--version"}},
        {{"show", "--help"}, {"FILE", "--json", "--csv", "--costs"}},
        {{"optimize", "--help"}, {"FILE", "--structure", "--costs", "--range", "COURSE=LEAST:GREATEST", "--json"}},
        {{"check", "--help"}, {"FILE"}},
        {{"form", "--help"}, {"--pdf", "--face", "--size"}},
        {{"sn", "--help"}, {"--initial-year", "--final-aadt", "--tsi", "--soil", "--rf", "--esal", "SOIL SUPPORT"}},
        {{"sweep", "--help"}, {"FROM:TO:STEP", "--threads", "--csv", "--search"}},
    };
    for (const auto& [arguments, words] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.code, 0);
        for (const std::string& word : words) EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
}

TEST(CliSn, TheDesignDataGiveTheLoadingAndRequiredSnWorkedByHand) {
    const CliRun full = RunCli(QStringList{"sn"} + kFullDepthData);
    EXPECT_EQ(full.code, 0) << full.err;
    EXPECT_EQ(full.err, "");
    EXPECT_EQ(full.out, "Mean AADT: 1,360 vpd\nDaily loads: 137\nDesign loading: 1,000,100\nRequired SN: 3.44\n");

    // The overlay example: 10,000 to 17,380 vpd, mean 13,690; 1,369 plus 1
    // daily loads; 1,370 x 20 x 365 = 10,001,000; required SN 4.92.  The
    // screens' defaults of TSI and the ESAL factors are the example's.
    const CliRun overlay =
        RunCli(QStringList{"sn", "--tsi", "2.5"} +
               With(With(kFullDepthData, "--initial-aadt", "10000"), "--final-aadt", "17380"));
    EXPECT_EQ(overlay.code, 0) << overlay.err;
    EXPECT_EQ(overlay.out, "Mean AADT: 13,690 vpd\nDaily loads: 1,370\nDesign loading: 10,001,000\nRequired SN: 4.92\n");
}

TEST(CliSn, TheScreensRefusalsAndAWarningForAnUnusualValue) {
    struct Case {
        QString option, value, error;
    };
    const Case refusals[] = {
        {"--soil", "0", "Design data, SOIL SUPPORT: Data is outside normal range"},
        {"--final-year", "2000",
         "Project information, FINAL DESIGN YEAR: The final design year must be later than the initial design year"},
        {"--tsi", "4.2", "Design data, TERMINAL SERVICEABILITY INDEX: The terminal serviceability index must be less "
                         "than 4.2"},
        {"--trucks", "ten", "Project information, 24-HOUR TRUCK %: Numeric entries must be numbers of a size the field "
                            "can hold: digits with an optional decimal point, no commas or letters"},
    };
    for (const Case& c : refusals) {
        SCOPED_TRACE(c.option.toStdString());
        const CliRun run = RunCli(QStringList{"sn"} + With(kFullDepthData, c.option, c.value));
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "korvelle-cli: " + c.error.toStdString() + "\n");
    }

    // The screens ask before going on with 400,000 vpd; the command goes on
    // and warns.  Mean AADT (400,000 + 1,720) / 2 = 200,860.
    const CliRun unusual = RunCli(QStringList{"sn"} + With(kFullDepthData, "--initial-aadt", "400000"));
    EXPECT_EQ(unusual.code, 0);
    EXPECT_EQ(unusual.err, "korvelle-cli: warning: --initial-aadt 400000: INITIAL 1-WAY TRAFFIC outside its normal "
                           "range (1 to 300000)\n");
    EXPECT_EQ(SplitLines(unusual.out).at(0), "Mean AADT: 200,860 vpd");
}

TEST(CliSweep, ATableOfRowsAndColumnsThatAgreesWithTheDesignWorkedByHand) {
    const CliRun run = RunCli(QStringList{"sweep"} + With(With(kFullDepthData, "--soil", "3:5:1"), "--rf", "1:2:0.5"));
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[0], "soil\\rf    1.0    1.5    2.0");
    EXPECT_EQ(lines[2].substr(0, 14), "4         3.44");
    // More support from the soil needs less structure; a harsher region more.
    auto cell = [&](std::size_t row, std::size_t column) { return std::stod(lines[row].substr(7 + 7 * column, 7)); };
    for (std::size_t row = 1; row <= 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            if (row > 1) {
                EXPECT_LT(cell(row, column), cell(row - 1, column)) << row << "," << column;
            }
            if (column > 0) {
                EXPECT_GT(cell(row, column), cell(row, column - 1)) << row << "," << column;
            }
        }
    }
}

TEST(CliSweep, RefusedPointsAreMarkedAndCountedAndThreadsChangeNothing) {
    // Rows the first range given (the final year), columns the second.
    const QStringList arguments =
        QStringList{"sweep"} + With(With(kFullDepthData, "--soil", "0:8:0.25"), "--final-year", "1998:2030:1");
    const CliRun table = RunCli(arguments + QStringList{"--threads", "1"});
    ASSERT_EQ(table.code, 0) << table.err;
    // Soil 0 refused in each of 33 rows; the years 1998 to 2000, not after
    // the initial 2000, in the 32 other points of their rows.
    const std::vector<std::string> lines = SplitLines(table.out);
    ASSERT_EQ(lines.size(), 1u + 33u + 1u + 2u) << table.out;
    EXPECT_EQ(lines[1].rfind("1998 ", 0), 0u);
    EXPECT_EQ(lines[1].find_first_not_of("1998 -"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[lines.size() - 2], "-: 33 points, --soil SOIL SUPPORT: Data is outside normal range");
    EXPECT_EQ(lines[lines.size() - 1], "-: 96 points, The final design year must be later than the initial design "
                                       "year");
    for (const char* threads : {"2", "3", "7"}) {
        EXPECT_EQ(RunCli(arguments + QStringList{"--threads", threads}).out, table.out) << threads;
    }

    const CliRun csv = RunCli(arguments + QStringList{"--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const std::vector<std::string> rows = SplitLines(csv.out);
    ASSERT_EQ(rows.size(), 34u);
    EXPECT_EQ(rows[0].substr(0, 30), "final-year\\soil,0.00,0.25,0.50");
    EXPECT_EQ(rows[1], "1998" + std::string(33, ','));
    EXPECT_EQ(rows[4].substr(0, 6), "2001,,");  // soil 0 refused, 0.25 computed
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(rows[4].at(6)))) << rows[4];
    EXPECT_EQ(csv.err, "empty: 33 points, --soil SOIL SUPPORT: Data is outside normal range\n"
                       "empty: 96 points, The final design year must be later than the initial design year\n");
}

}  // namespace
}  // namespace korvelle::testing
