#include "alternatives.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/number_format.h"
#include "core/number_text.h"
#include "core/quarter_inches.h"
#include "core/utf8.h"
#include "design_capture.h"
#include "structure_screens.h"

namespace korvelle {

namespace {

// The short names a designer writes in a list of courses.
struct ShortName {
    std::string_view material;
    std::string_view shortName;
};
constexpr std::array<ShortName, 15> kShortNames{{
    {"12.5 mm OGFC", "OGFC"},
    {"12.5 mm PEM", "PEM"},
    {"12.5 mm Superpave", "SP12.5"},
    {"9.5 mm Superpave", "SP9.5"},
    {"12.5 mm SMA", "SMA12.5"},
    {"19 mm Superpave", "SP19"},
    {"19 mm SMA", "SMA19"},
    {"25 mm Superpave", "SP25"},
    {"37 mm Superpave", "SP37"},
    {"Soil-Cement Base", "SCB"},
    {"Graded Aggregate Base", "GAB"},
    {"Portland Cement Concrete (good)", "PCC good"},
    {"Portland Cement Concrete (fair)", "PCC fair"},
    {"Asphaltic Concrete", "AC"},
    {"Sand-Clay Base", "Sand-Clay"},
}};

std::string_view Short(std::string_view material) {
    for (const ShortName& name : kShortNames) {
        if (name.material == material) return name.shortName;
    }
    return material;
}

std::string InchesText(double inches) { return FormatNumber(inches, "#0.00"); }

// "1.50 SP12.5": the thickness as the result shows it, or the material alone
// for a course laid by spread rate or of a thickness that is no number.
std::string ShortCourse(const StructureRules& rules, int row, const CourseRow& course) {
    const std::string_view name = Short(course.material);
    if (rules.SpreadRate(row, course.position)) return std::string(name);
    const std::optional<float> inches = ParseSingle(course.thickness);
    return inches ? InchesText(*inches) + " " + std::string(name) : std::string(name);
}

// The next letter not yet leading a name: "A", "B", ...
std::string NextName(const std::vector<Alternative>& kept) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string prefix(1, letter);
        const bool taken = std::any_of(kept.begin(), kept.end(), [&](const Alternative& a) {
            return a.name == prefix || a.name.rfind(prefix + ":", 0) == 0;
        });
        if (!taken) return prefix + ": ";
    }
    return {};
}

std::vector<Alternative>::iterator Named(std::vector<Alternative>& kept, const std::string& name) {
    return std::find_if(kept.begin(), kept.end(), [&](const Alternative& a) { return a.name == name; });
}

// Asks for a name until one is given that can name an alternative; nothing
// when cancelled.
std::optional<std::string> AskName(Program& program, const std::string& question, const std::string& initial) {
    std::string offered = initial;
    for (;;) {
        std::optional<std::string> name = program.desktop().AskText(question, std::string(kAlternativesTitle), offered);
        if (!name) return std::nullopt;
        const auto first = name->find_first_not_of(' ');
        *name = first == std::string::npos ? std::string() : name->substr(first, name->find_last_not_of(' ') - first + 1);
        const std::optional<std::string> refusal = AlternativeNameRefusal(*name);
        if (!refusal) return name;
        ReportError(program.desktop(), "The name " + *refusal);
        offered = *name;
    }
}

std::string_view KindText(StructureKind kind) { return kind == StructureKind::FullDepth ? "full-depth" : "overlay"; }

ScreenId EntryOf(StructureKind kind) {
    return kind == StructureKind::FullDepth ? ScreenId::FullDepthEntry : ScreenId::OverlayEntry;
}

}  // namespace

std::string ShortCourses(const Alternative& alternative) {
    const StructureRules& rules = RulesOf(alternative.kind);
    std::string text;
    for (const CourseGroup& group : rules.groups) {
        std::string courses;
        for (int row = group.firstRow; row < group.firstRow + group.rows; ++row) {
            const CourseRow& course = alternative.rows.at(static_cast<std::size_t>(row));
            if (!rules.InUse(row, course.position)) continue;
            courses += (courses.empty() ? "" : " / ") + ShortCourse(rules, row, course);
        }
        if (courses.empty()) continue;
        text += (text.empty() ? "" : " on ") + courses;
    }
    return text;
}

std::vector<AlternativeRow> CompareAlternatives(const std::vector<Alternative>& alternatives,
                                                const DesignRecord& record, const UnitCostTable* costs) {
    std::vector<AlternativeRow> rows;
    for (const Alternative& alternative : alternatives) {
        const StructureRules& rules = RulesOf(alternative.kind);
        const std::vector<CourseEntry> entries = CourseEntries(alternative.rows);
        AlternativeRow row;
        ComparisonLine& line = row.line;
        line.name = alternative.name;
        line.kind = KindText(alternative.kind);
        line.courses = ShortCourses(alternative);
        // The new courses: the full-depth courses, or the overlay's.
        const CourseGroup& laid = rules.groups.front();
        for (int r = laid.firstRow; r < laid.firstRow + laid.rows; ++r) {
            const CourseEntry& entry = entries[static_cast<std::size_t>(r)];
            if (!rules.InUse(r, entry.position) || rules.SpreadRate(r, entry.position)) continue;
            if (const std::optional<float> inches = ParseSingle(entry.thickness)) row.totalInches += *inches;
        }
        line.totalThickness = InchesText(row.totalInches);
        DesignRecord scratch = record;
        auto evaluated = EvaluateStructure(rules, entries, scratch);
        if (const auto* evaluation = std::get_if<Evaluation>(&evaluated)) {
            row.evaluated = true;
            row.proposedSn = evaluation->numbers.proposedSn;
            line.proposedSn = evaluation->sheet.proposedSn;
            line.difference = evaluation->sheet.difference;
            line.verdict = evaluation->sheet.verdict;
            const double sign = evaluation->sheet.verdict == kUnderdesign ? -1.0 : 1.0;
            row.differencePercent = sign * scratch.snDifferencePercent;
        } else {
            line.verdict = std::get<DesignRefusal>(evaluated).message;
        }
        // A structure CONTINUE refuses has no cost worth comparing.
        if (costs && row.evaluated) {
            row.cost = StructureCost(ToEvaluate(rules, entries), *costs);
            if (row.cost) line.cost = CostText(*row.cost);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<AlternativeRow> CompareAlternatives(Program& program) {
    return CompareAlternatives(program.alternatives(), program.record(), program.unitCosts());
}

std::vector<ComparisonLine> ComparisonLines(const std::vector<AlternativeRow>& rows) {
    std::vector<ComparisonLine> lines;
    lines.reserve(rows.size());
    for (const AlternativeRow& row : rows) lines.push_back(row.line);
    return lines;
}

std::string_view ColumnTitle(AlternativeColumn column) {
    static constexpr std::array<std::string_view, kAlternativeColumns> kTitles = {
        "Name", "Kind", "Courses (inches)", "Total (in.)", "Proposed SN", "Difference", "Cost per sq. yd."};
    return kTitles[static_cast<std::size_t>(column)];
}

std::string CellText(const AlternativeRow& row, AlternativeColumn column) {
    const ComparisonLine& line = row.line;
    switch (column) {
        case AlternativeColumn::Name: return line.name;
        case AlternativeColumn::Kind: return line.kind;
        case AlternativeColumn::Courses: return line.courses;
        case AlternativeColumn::Thickness: return line.totalThickness;
        case AlternativeColumn::ProposedSn: return line.proposedSn;
        case AlternativeColumn::Difference:
            return row.evaluated ? line.difference + " " + line.verdict : line.verdict;
        case AlternativeColumn::Cost: return row.cost ? DollarText(*row.cost) : std::string();
    }
    return {};
}

bool SortsBefore(const AlternativeRow& a, const AlternativeRow& b, AlternativeColumn column) {
    // Rows with the number first, by the number; rows without, as kept.
    auto byNumber = [](bool hasA, double x, bool hasB, double y) {
        if (hasA != hasB) return hasA;
        return hasA && x < y;
    };
    switch (column) {
        case AlternativeColumn::Name: return a.line.name < b.line.name;
        case AlternativeColumn::Kind: return a.line.kind < b.line.kind;
        case AlternativeColumn::Courses: return a.line.courses < b.line.courses;
        case AlternativeColumn::Thickness: return a.totalInches < b.totalInches;
        case AlternativeColumn::ProposedSn: return byNumber(a.evaluated, a.proposedSn, b.evaluated, b.proposedSn);
        case AlternativeColumn::Difference:
            return byNumber(a.evaluated, a.differencePercent, b.evaluated, b.differencePercent);
        case AlternativeColumn::Cost:
            return byNumber(a.cost.has_value(), static_cast<double>(a.cost.value_or(0)), b.cost.has_value(),
                            static_cast<double>(b.cost.value_or(0)));
    }
    return false;
}

bool KeepAlternative(Program& program, ScreenId entry) {
    std::vector<Alternative>& kept = program.alternatives();
    const std::optional<std::string> name =
        AskName(program, "Keep the courses of this screen as an alternative, named:", NextName(kept));
    if (!name) return false;
    Alternative alternative{*name, program.logic<StructureEntryScreen>(entry).rules().kind, EntryRows(program, entry)};
    const auto same = Named(kept, *name);
    if (same != kept.end()) {
        if (program.desktop().Ask("An alternative is named " + *name + " already. Replace it with these courses?",
                                  std::string(kAlternativesTitle), Question::YesNo) != Answer::Yes) {
            return false;
        }
        *same = std::move(alternative);
    } else {
        kept.push_back(std::move(alternative));
    }
    return true;
}

bool ConfirmUse(Program& program, std::size_t index) {
    const std::vector<Alternative>& kept = program.alternatives();
    if (index >= kept.size()) return false;
    const Alternative& alternative = kept[index];
    const ScreenId entry = EntryOf(alternative.kind);
    if (!program.created(entry)) return true;
    // What the screen holds now, unless it is empty or kept already.
    const std::vector<CourseRow> now = EntryRows(program, entry);
    const bool empty =
        std::all_of(now.begin(), now.end(), [](const CourseRow& row) { return row.position < 0 && row.thickness.empty(); });
    const bool keptAlready = std::any_of(kept.begin(), kept.end(), [&](const Alternative& a) {
        return a.kind == alternative.kind && a.rows == now;
    });
    if (empty || keptAlready) return true;
    return program.desktop().Ask("The " + std::string(KindText(alternative.kind)) +
                                     " entry screen holds courses not kept as an alternative. Put " +
                                     alternative.name + " in their place?",
                                 std::string(kAlternativesTitle), Question::YesNo) == Answer::Yes;
}

void PutAlternative(Program& program, std::size_t index) {
    const std::vector<Alternative>& kept = program.alternatives();
    if (index >= kept.size()) return;
    const Alternative alternative = kept[index];
    const ScreenId entry = EntryOf(alternative.kind);
    program.view(entry);
    program.logic<StructureEntryScreen>(entry).SetRows(alternative.rows);
    program.ShowOnly(entry);
}

bool RenameAlternative(Program& program, std::size_t index) {
    std::vector<Alternative>& kept = program.alternatives();
    if (index >= kept.size()) return false;
    const std::optional<std::string> name = AskName(program, "The new name of " + kept[index].name + ":", kept[index].name);
    if (!name || *name == kept[index].name) return false;
    if (Named(kept, *name) != kept.end()) {
        ReportError(program.desktop(), "An alternative is named " + *name + " already");
        return false;
    }
    kept[index].name = *name;
    return true;
}

bool DeleteAlternative(Program& program, std::size_t index) {
    std::vector<Alternative>& kept = program.alternatives();
    if (index >= kept.size()) return false;
    if (program.desktop().Ask("Delete the alternative " + kept[index].name + "?", std::string(kAlternativesTitle),
                              Question::YesNo) != Answer::Yes) {
        return false;
    }
    kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

}  // namespace korvelle
