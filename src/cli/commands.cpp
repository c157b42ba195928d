#include "commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <cctype>
#include <thread>

#include "alternatives_report.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/version.h"
#include "design_options.h"
#include "design_report.h"
#include "file/design_file.h"
#include "optimize.h"
#include "print/char_grid_page.h"
#include "print/design_form.h"
#include "sweep.h"
#include "ui/design_rules.h"
#include "ui/least_cost_search.h"
#include "ui/unit_cost_file.h"

namespace korvelle {

namespace {

constexpr const char* kProgram = "korvelle-cli";

// "korvelle-cli: WHAT: reason" on standard error, one line whatever a file
// name or a text from a file holds.
void Error(CliEnvironment& env, const std::string& what, const std::string& reason) {
    env.err << kProgram << ": " << (what.empty() ? std::string() : Escaped(what) + ": ") << Escaped(reason) << '\n';
}

// A design file read and taken through the screens' rules, or nothing after
// its refusal has been reported.
struct OpenedDesign {
    DesignFile file;
    CheckedDesign checked;
};
std::optional<OpenedDesign> Open(CliEnvironment& env, const std::string& path) {
    DesignFileReading reading = ReadDesignFile(path);
    if (auto* refusal = std::get_if<DesignFileRefusal>(&reading)) {
        Error(env, path, refusal->reason);
        return std::nullopt;
    }
    OpenedDesign opened{std::move(std::get<DesignFile>(reading)), {}};
    opened.checked = CheckDesign(opened.file, env.counties);
    if (opened.checked.refusal) {
        Error(env, path, opened.checked.refusal->Text());
        return std::nullopt;
    }
    return opened;
}

// The unit-cost table of --costs, else the designer's own, else the shipped
// example; or nothing after saying why it cannot be read (the file and the
// line).
std::optional<UnitCostTable> Costs(CliEnvironment& env, const std::string& file) {
    std::string error;
    std::optional<UnitCostTable> table = LoadUnitCostTable(file, &error);
    if (!table) Error(env, "", error);
    return table;
}

// A stale acceptance's reason, inside a line.
std::string StaleReason() {
    std::string reason(kStaleAcceptanceMessage);
    reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

enum class OutputFormat { Lines, Json, Csv };

int Show(CliEnvironment& env, const std::vector<std::string>& files, OutputFormat format, const std::string& costs) {
    const std::optional<UnitCostTable> table = Costs(env, costs);
    if (!table) return kExitRefused;
    int code = kExitSuccess;
    if (format == OutputFormat::Csv) env.out << SummaryCsvHeader() << '\n';
    for (const std::string& path : files) {
        std::optional<OpenedDesign> design = Open(env, path);
        if (!design) {
            code = kExitRefused;
            continue;
        }
        const DesignSummary summary = Summarize(path, design->file, design->checked, *table);
        switch (format) {
            case OutputFormat::Lines: env.out << SummaryLine(summary) << '\n'; break;
            case OutputFormat::Json: env.out << SummaryJson(summary) << '\n'; break;
            case OutputFormat::Csv: env.out << SummaryCsv(summary) << '\n'; break;
        }
    }
    return code;
}

int Check(CliEnvironment& env, const std::vector<std::string>& files) {
    int same = 0, differ = 0, refused = 0, stale = 0;
    for (const std::string& path : files) {
        std::optional<OpenedDesign> design = Open(env, path);
        if (!design) {
            ++refused;
            continue;
        }
        // Every acceptance a file keeps is worked out again, whatever the
        // stage; a design without one holds no results and is the same.
        const std::optional<AcceptedStructure>& accepted = design->checked.accepted;
        if (accepted && !accepted->current) {
            env.out << Escaped(path) << ": " << StaleReason() << '\n';
            ++stale;
            continue;
        }
        const std::vector<ResultDifference>& differences = design->checked.differences;
        for (const ResultDifference& difference : differences) env.out << CheckLine(path, difference) << '\n';
        ++(differences.empty() ? same : differ);
    }
    env.out << CheckTotals(same, differ, refused, stale) << '\n';
    return differ == 0 && refused == 0 && stale == 0 ? kExitSuccess : kExitRefused;
}

int Alternatives(CliEnvironment& env, const std::string& path, OutputFormat format, const std::string& costs) {
    const std::optional<UnitCostTable> table = Costs(env, costs);
    if (!table) return kExitRefused;
    const std::optional<OpenedDesign> design = Open(env, path);
    if (!design) return kExitRefused;
    if (!HoldsRequiredSn(design->file)) {
        Error(env, path, "the design data were never confirmed, so there is no required SN to compare with");
        return kExitRefused;
    }
    const DesignRecord& record = design->checked.record;
    const std::string requiredSn = FormatNumber(record.requiredSn, "0.00");
    const std::vector<AlternativeRow> rows = CompareAlternatives(design->file.alternatives, record, &*table);
    switch (format) {
        case OutputFormat::Json: env.out << AlternativesJson(path, requiredSn, rows) << '\n'; break;
        case OutputFormat::Csv:
            env.out << AlternativesCsvHeader() << '\n';
            for (const AlternativeRow& row : rows) env.out << AlternativesCsv(path, requiredSn, row) << '\n';
            break;
        case OutputFormat::Lines:
            env.out << "Required SN " << requiredSn << '\n';
            if (rows.empty()) {
                env.out << "No alternative is kept: KEEP AS ALTERNATIVE on an entry screen keeps one.\n";
                break;
            }
            for (const std::string& line : AlternativesLines(rows)) env.out << line << '\n';
            break;
    }
    return kExitSuccess;
}

struct FormOptions {
    std::string file;
    std::string pdf;
    std::string face;
    std::string size = "12";
    std::string costs;
};

// The comparison page of the design's alternatives, priced when the
// unit-cost table can be read (else without costs, after a warning).
std::vector<ComparisonLine> FormComparison(CliEnvironment& env, const OpenedDesign& design, const std::string& costs) {
    const std::vector<Alternative>& alternatives = design.file.alternatives;
    if (alternatives.empty()) return {};
    std::string error;
    const std::optional<UnitCostTable> table = LoadUnitCostTable(costs, &error);
    if (!table) Error(env, "warning", error + "; the alternatives are compared without costs");
    return ComparisonLines(
        CompareAlternatives(alternatives, design.checked.acceptedRecord, table ? &*table : nullptr));
}

// The form's PDF file may replace a regular file, never the design it is made
// from, another design file, or anything that is not a regular file (a
// device such as /dev/full, a pipe, a folder): why not, or nothing.
std::optional<std::string> OutputRefusal(const std::string& design, const std::string& output) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(output, error);
    if (fs::exists(status)) {
        if (fs::equivalent(design, output, error)) return "is the design file itself; the form is written to another file";
        if (!fs::is_regular_file(status)) return "is not a regular file (a folder, a device or a pipe); the form is written only to a file";
    }
    std::string extension = fs::path(output).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == kDesignFileExtension) return "ends in " + std::string(kDesignFileExtension) + ": a design file is never written over with a form";
    return std::nullopt;
}

int Form(CliEnvironment& env, const FormOptions& options, bool pdfGiven) {
    if (pdfGiven) {
        if (auto refusal = OutputRefusal(options.file, options.pdf)) {
            Error(env, options.pdf, *refusal);
            return kExitUsage;
        }
    }
    std::optional<OpenedDesign> design = Open(env, options.file);
    if (!design) return kExitRefused;
    const std::optional<AcceptedStructure>& accepted = design->checked.accepted;
    if (!accepted) {
        Error(env, options.file, "no structure was accepted, so the design has no form");
        return kExitRefused;
    }
    if (!accepted->current) {
        Error(env, options.file, StaleReason() + ", so no form is printed from it");
        return kExitRefused;
    }
    const DesignRecord& record = design->checked.acceptedRecord;
    const ResultSheet& sheet = accepted->sheet;
    const FormKind kind = accepted->kind == StructureKind::Overlay ? FormKind::Overlay : FormKind::FullDepth;
    const std::vector<ComparisonLine> comparison = FormComparison(env, *design, options.costs);
    if (!options.pdf.empty()) {
        const PdfRequest request{kind, record, sheet, options.pdf,
                                 options.face.empty() ? std::nullopt : std::optional<std::string>(options.face),
                                 *ParseNumber(options.size), comparison};
        if (auto failure = env.writePdf(request)) {
            Error(env, options.pdf, *failure);
            return kExitRefused;
        }
        return kExitSuccess;
    }
    // The form on the character grid at 12 points: one character a column.
    CharGridPage page;
    constexpr double kGridPoints = 12.0;
    if (kind == FormKind::FullDepth) {
        PrintFullDepthForm(page, record, sheet, "Courier", kGridPoints, comparison);
    } else {
        PrintOverlayForm(page, record, sheet, "Courier", kGridPoints, comparison);
    }
    for (int p = 0; p < page.PageCount(); ++p) {
        if (p > 0) env.out << '\f';
        for (const std::string& line : page.Lines(p)) env.out << line << '\n';
    }
    return kExitSuccess;
}

int Sn(CliEnvironment& env, const DesignTexts& texts) {
    const CheckedDesign checked = CheckDesign(DataScreensFile(texts), env.counties);
    if (checked.refusal) {
        Error(env, "", checked.refusal->Text());
        return kExitRefused;
    }
    const DesignRecord& record = checked.record;
    // The screens ask before going on with such values; the command goes on
    // and says so.
    for (const UnusualValue& unusual : checked.unusual) Error(env, "warning", UnusualWarning(unusual));
    env.out << "Mean AADT: " << FormatNumber(record.meanAadt, "##,###") << " vpd\n"
            << "Daily loads: " << FormatNumber(record.dailyLoads, "##,###") << '\n'
            << "Design loading: " << FormatNumber(record.designLoading, kDesignLoadingPattern) << '\n'
            << "Required SN: " << FormatNumber(record.requiredSn, "0.00") << '\n';
    return kExitSuccess;
}

struct OptimizeOptions {
    std::string file;
    std::string structure;  // empty: the one the design suggests
    std::string costs;      // empty: the designer's own table, else the shipped one
    std::vector<std::string> ranges;
    bool json = false;
};

int Optimize(CliEnvironment& env, const OptimizeOptions& options) {
    std::vector<CourseRangeOption> given;
    for (const std::string& text : options.ranges) {
        auto parsed = ParseCourseRange(text);
        if (auto* reason = std::get_if<std::string>(&parsed)) {
            Error(env, "--range " + text, *reason);
            return kExitUsage;
        }
        given.push_back(std::get<CourseRangeOption>(std::move(parsed)));
    }
    std::optional<OpenedDesign> design = Open(env, options.file);
    if (!design) return kExitRefused;
    if (!HoldsRequiredSn(design->file)) {
        Error(env, options.file, "the design data were not confirmed, so the design has no required SN to meet");
        return kExitRefused;
    }
    std::optional<StructureKind> kind;
    if (!options.structure.empty()) {
        kind = options.structure == "overlay" ? StructureKind::Overlay : StructureKind::FullDepth;
    }
    const StructureChoice choice = ChooseStructure(design->file, kind);
    if (!choice.kind) {
        Error(env, options.file, choice.refusal);
        return choice.usage ? kExitUsage : kExitRefused;
    }
    const StructureRules& rules = RulesOf(*choice.kind);
    const std::vector<CourseEntry> rows = StructureRows(design->file, *choice.kind);
    auto ranges = GivenRanges(rules, rows, given);
    if (auto* refusal = std::get_if<RangeRefusal>(&ranges)) {
        Error(env, refusal->option, refusal->reason);
        return kExitUsage;
    }
    const std::optional<UnitCostTable> table = Costs(env, options.costs);
    if (!table) return kExitRefused;

    const auto answer = FindLeastCost(rules, rows, SearchRanges(rules, rows, std::get<RowRanges>(ranges), *table),
                                      *table, design->checked.record);
    if (auto* reason = std::get_if<std::string>(&answer)) {
        Error(env, options.file, *reason);
        return kExitRefused;
    }
    const LeastCostStructure& found = std::get<LeastCostStructure>(answer);
    if (options.json) {
        env.out << OptimizeJson(rules, found) << '\n';
    } else {
        for (const std::string& line : OptimizeLines(rules, found)) env.out << line << '\n';
    }
    return kExitSuccess;
}

struct SweepOptions {
    std::array<CLI::Option*, kDesignOptionCount> design{};
    const CLI::App* command = nullptr;
    bool csv = false;
    unsigned threads = 0;  // 0: every core
    std::string search = "pass-sure";
};

int Sweep(CliEnvironment& env, const DesignTexts& texts, const SweepOptions& options) {
    const auto all = DesignOptions();
    std::vector<SweepAxis> axes;
    std::array<bool, kDesignOptionCount> swept{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!IsSweepRange(texts[i])) continue;
        auto parsed = ParseSweepRange(i, texts[i]);
        if (auto* reason = std::get_if<std::string>(&parsed)) {
            Error(env, "--" + std::string(all[i].name) + " " + texts[i], *reason);
            return kExitUsage;
        }
        axes.push_back(std::get<SweepAxis>(std::move(parsed)));
        swept[i] = true;
    }
    // Rows the first range given, columns the second.
    const std::vector<CLI::Option*> order = options.command->parse_order();
    auto given = [&](const SweepAxis& axis) {
        return std::find(order.begin(), order.end(), options.design[axis.option]) - order.begin();
    };
    std::sort(axes.begin(), axes.end(), [&](const SweepAxis& a, const SweepAxis& b) { return given(a) < given(b); });
    if (axes.empty() || axes.size() > 2) {
        Error(env, "sweep", "give one or two of the options as a range FROM:TO:STEP");
        return kExitUsage;
    }
    SweepGrid grid{std::move(axes[0]), axes.size() > 1 ? std::optional<SweepAxis>(std::move(axes[1])) : std::nullopt};
    if (static_cast<double>(grid.rows.count) * static_cast<double>(grid.ColumnCount()) >
        static_cast<double>(kMaxSweepPoints)) {
        Error(env, "sweep",
              "the grid has " + FormatNumber(static_cast<std::int64_t>(grid.PointCount()),
                                             kCountPattern) +
                  " points, more than the " + FormatNumber(static_cast<std::int64_t>(kMaxSweepPoints), kCountPattern) +
                  " a sweep computes");
        return kExitUsage;
    }

    // The other values, checked once as CONTINUE checks them, then stored as
    // the screens store them.
    DesignRecord base;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (swept[i]) continue;
        if (auto refusal = ValueRefusal(*all[i].rule, texts[i])) {
            Error(env, "--" + std::string(all[i].name) + " " + texts[i],
                  std::string(all[i].rule->caption) + ": " + std::string(*refusal));
            return kExitRefused;
        }
        StoreField(*all[i].rule, *ConvertField(*all[i].rule, texts[i]), base);
    }
    for (const std::string& warning : UnusualValues(texts, base, swept)) Error(env, "warning", warning);

    const unsigned threads = options.threads > 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    const SweepFormat format = options.csv ? SweepFormat::Csv : SweepFormat::Table;
    const SnSearch search = options.search == "every-trial" ? SnSearch::EveryTrial : SnSearch::PassSureTrials;
    SweepOutput output;
    output.refused = WriteSweep(grid, base, format, threads, search, env.out);
    // A table's notes follow it after an empty line; a CSV file stays a table
    // and its notes go to standard error.
    const std::vector<std::string> notes = SweepFootnotes(output, format);
    env.out.flush();  // the table before its notes, where both go to one place
    if (!notes.empty() && !options.csv) env.out << '\n';
    for (const std::string& note : notes) (options.csv ? env.err : env.out) << note << '\n';
    return kExitSuccess;
}

}  // namespace

int RunCli(int argc, const char* const* argv, CliEnvironment& env) {
    CLI::App app("Checks, prints and explores Korvelle pavement designs from the command line.", kProgram);
    app.set_version_flag("--version", std::string(kProgram) + " " + std::string(kProgramVersion),
                         "Print the version and exit");
    app.require_subcommand(1);
    app.fallthrough(false);

    const CLI::Validator notEmpty([](std::string& text) { return text.empty() ? std::string("must not be empty") : std::string(); },
                                  "");
    const std::string costsHelp = "The unit-cost table (default: unit-costs.csv in ~/.config/Korvelle when there is "
                                  "one, else the example installed with the program)";

    std::vector<std::string> showFiles;
    std::string showCosts;
    bool json = false, csv = false;
    CLI::App* show = app.add_subcommand("show", "One line per design: its loading, required SN, structure and cost");
    show->add_option("FILE", showFiles, "Design files (.korvelle)")->required();
    CLI::Option* jsonFlag = show->add_flag("--json", json, "One JSON object per line instead");
    show->add_flag("--csv", csv, "A CSV table with a header instead")->excludes(jsonFlag);
    show->add_option("--costs", showCosts, costsHelp)->type_name("FILE")->check(notEmpty);

    std::vector<std::string> checkFiles;
    CLI::App* check = app.add_subcommand("check", "Compute every design again and compare with its saved results");
    check->add_option("FILE", checkFiles, "Design files (.korvelle)")->required();

    FormOptions form;
    CLI::App* formCommand = app.add_subcommand("form", "The design form as text, or as a PDF file");
    formCommand->add_option("FILE", form.file, "A design file with an accepted structure")->required();
    const CLI::Validator points(
        [](std::string& text) {
            // A plain decimal number, as every field takes one: no hexadecimal, no "nan".
            const std::optional<double> value = ParseNumber(text);
            return value && *value >= 1.0 && *value <= 144.0 ? std::string()
                                                              : "must be a number of points from 1 to 144";
        },
        "");
    CLI::Option* pdf = formCommand->add_option("--pdf", form.pdf, "Write the form as a PDF file OUT")
                           ->type_name("OUT")
                           ->check(notEmpty);
    formCommand->add_option("--face", form.face, "The font face of the PDF (default: Courier, as PRINT offers)")
        ->type_name("NAME")
        ->check(notEmpty)
        ->needs(pdf);
    formCommand->add_option("--size", form.size, "The font size of the PDF in points, 1 to 144")
        ->type_name("POINTS")
        ->check(points)
        ->needs(pdf)
        ->capture_default_str();
    formCommand->add_option("--costs", form.costs, costsHelp + "; prices the alternatives on the page after the form")
        ->type_name("FILE")
        ->check(notEmpty);

    OptimizeOptions optimize;
    CLI::App* optimizeCommand =
        app.add_subcommand("optimize", "The least-cost thicknesses of a design's structure that meet its required SN");
    optimizeCommand->add_option("FILE", optimize.file, "A design file whose design data were confirmed")->required();
    optimizeCommand
        ->add_option("--structure", optimize.structure,
                     "The entry screen whose materials are sized (default: the structure accepted, else the entry "
                     "screen used)")
        ->check(CLI::IsMember({"full-depth", "overlay"}));
    optimizeCommand->add_option("--costs", optimize.costs, costsHelp)->type_name("FILE")->check(notEmpty);
    optimizeCommand
        ->add_option("--range", optimize.ranges,
                     "A course's range of thickness in inches, for example 3=2:6 (overlay: the overlay courses 1 to "
                     "3); the other courses take the unit-cost table's")
        ->type_name("COURSE=LEAST:GREATEST")
        ->allow_extra_args(false);  // one range each time: the design file may follow
    optimizeCommand->add_flag("--json", optimize.json, "One JSON object instead");

    std::string alternativesFile, alternativesCosts;
    bool alternativesJson = false, alternativesCsv = false;
    CLI::App* alternatives = app.add_subcommand(
        "alternatives", "The alternative structures a design keeps, compared: proposed SN, difference and cost");
    alternatives->add_option("FILE", alternativesFile, "A design file (.korvelle)")->required();
    CLI::Option* alternativesJsonFlag = alternatives->add_flag("--json", alternativesJson, "One JSON object instead");
    alternatives->add_flag("--csv", alternativesCsv, "A CSV table with a header instead")->excludes(alternativesJsonFlag);
    alternatives->add_option("--costs", alternativesCosts, costsHelp)->type_name("FILE")->check(notEmpty);

    DesignTexts snTexts;
    CLI::App* sn = app.add_subcommand("sn", "Mean AADT, daily loads, design loading and required SN");
    AddDesignOptions(*sn, snTexts, false);

    DesignTexts sweepTexts;
    SweepOptions sweepOptions;
    CLI::App* sweep = app.add_subcommand("sweep", "The required SN over one or two ranges of the design data");
    sweepOptions.design = AddDesignOptions(*sweep, sweepTexts, true);
    sweepOptions.command = sweep;
    sweep->add_flag("--csv", sweepOptions.csv, "A CSV table instead of the aligned one");
    sweep->add_option("--threads", sweepOptions.threads, "Threads to compute on (default: every core)")
        ->check(CLI::Range(1u, 256u));
    sweep->add_option("--search", sweepOptions.search, "How the required SN is searched for")
        ->check(CLI::IsMember({"pass-sure", "every-trial"}))
        ->capture_default_str();

    // A first word that is no command and no option is a command mistyped.
    if (argc > 1 && argv[1][0] != '-') {
        std::string names;
        bool known = false;
        for (CLI::App* command : app.get_subcommands({})) {
            names += (names.empty() ? "" : ", ") + command->get_name();
            known = known || command->check_name(argv[1]);
        }
        if (!known) {
            Error(env, "", "unknown command \"" + std::string(argv[1]) + "\"; the commands are " + names);
            env.err << "Run with --help for more information.\n";
            return kExitUsage;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        env.out << app.help();  // the command's own help when one was given
        return kExitSuccess;
    } catch (const CLI::CallForVersion& version) {
        env.out << version.what() << '\n';
        return kExitSuccess;
    } catch (const CLI::ParseError& error) {
        Error(env, "", error.what());
        env.err << "Run with --help for more information.\n";
        return kExitUsage;
    }

    if (show->parsed()) {
        return Show(env, showFiles, json ? OutputFormat::Json : csv ? OutputFormat::Csv : OutputFormat::Lines, showCosts);
    }
    if (optimizeCommand->parsed()) return Optimize(env, optimize);
    if (alternatives->parsed()) {
        return Alternatives(env, alternativesFile,
                            alternativesJson  ? OutputFormat::Json
                            : alternativesCsv ? OutputFormat::Csv
                                              : OutputFormat::Lines,
                            alternativesCosts);
    }
    if (check->parsed()) return Check(env, checkFiles);
    if (formCommand->parsed()) return Form(env, form, pdf->count() > 0);
    if (sn->parsed()) return Sn(env, snTexts);
    return Sweep(env, sweepTexts, sweepOptions);
}

}  // namespace korvelle
