#include "least_cost_screen.h"

#include "core/number_format.h"
#include "core/quarter_inches.h"
#include "structure_screens.h"

namespace korvelle {

namespace {

// A price as the table gives it: per square yard and inch, or per square
// yard for a surface course laid by spread rate.
std::string PriceText(const UnitCost& cost) {
    const std::string dollars = "$" + FormatNumber(static_cast<double>(cost.cents) / 100.0, "##,###,##0.00");
    return dollars + (cost.spreadRate ? " per sq. yd." : " per sq. yd. and inch");
}

}  // namespace

StructureEntryScreen& LeastCostScreen::Entry() { return program_.logic<StructureEntryScreen>(entry_); }

void LeastCostScreen::Open(ScreenId entry) {
    entry_ = entry;
    program_.view(ScreenId::LeastCost);
    Fill(false);
    view().SetText(kStatus, program_.unitCosts() ? std::string() : "No unit costs: " + program_.unitCostProblem());
    program_.Show(ScreenId::LeastCost);
    view().Focus(kFind);
}

void LeastCostScreen::Fill(bool keep) {
    StructureEntryScreen& entry = Entry();
    const std::vector<CourseEntry> rows = entry.Rows();
    const UnitCostTable* table = program_.unitCosts();
    const EnteredStructure structure = ToEvaluate(entry.rules(), rows);
    std::vector<std::string> materials(kLines);
    const int newCourses = entry.rules().groups.front().rows;  // the full-depth courses, or the overlay's
    for (int line = 0; line < kLines; ++line) {
        const bool course = line < newCourses;
        const std::string material = course ? entry.MaterialName(line, rows[line].position) : std::string();
        const bool sized = course && IsSizedRow(structure, line);
        std::string price;
        if (course && table && !material.empty()) {
            const UnitCost* cost = table->Find(material);
            price = cost ? PriceText(*cost) : "no price in the table";
        }
        const bool same = keep && line < static_cast<int>(materials_.size()) && materials_[line] == material;
        if (!same) {
            const RangeTexts range =
                sized && table ? DefaultRangeTexts(entry.rules(), rows, line, *table) : RangeTexts{};
            view().SetText(LeastOf(line), range.least);
            view().SetText(GreatestOf(line), range.greatest);
        }
        std::string shown = material;
        if (course && material.empty()) shown = "(no material)";
        if (course && !sized && !material.empty() && structure.rows[line].position >= 0 &&
            entry.rules().SpreadRate(line, rows[line].position)) {
            shown += " (spread rate)";
        }
        view().SetText(MaterialOf(line), course ? entry.CourseName(line) + ": " + shown : std::string());
        view().SetText(PriceOf(line), price);
        view().SetEnabled(LeastOf(line), sized);
        view().SetEnabled(GreatestOf(line), sized);
        materials[line] = sized ? material : std::string();
    }
    materials_ = std::move(materials);
}

void LeastCostScreen::Click(int control) {
    if (control == kFind) {
        Find();
    } else if (control == kClose) {
        program_.Hide(ScreenId::LeastCost);
    }
}

void LeastCostScreen::Find() {
    const UnitCostTable* table = program_.unitCosts();
    if (!table) {
        ReportError(program_.desktop(), "No unit costs: " + program_.unitCostProblem());
        return;
    }
    StructureEntryScreen& entry = Entry();
    const std::vector<CourseEntry> rows = entry.Rows();
    // The courses may have changed on the entry screen since the window was
    // filled: the lines follow them before anything is sized.
    const std::vector<std::string> before = materials_;
    Fill(true);
    if (materials_ != before) {
        ReportError(program_.desktop(),
                    "The courses on the entry screen changed: check the ranges shown for them, then FIND again");
        return;
    }
    std::vector<std::optional<ThicknessRange>> ranges(rows.size());
    for (int row : SizedRows(entry.rules(), rows)) {
        if (!table->Find(entry.MaterialName(row, rows[static_cast<std::size_t>(row)].position))) continue;
        auto range = ReadRange(entry.rules(), row, {view().Text(LeastOf(row)), view().Text(GreatestOf(row))});
        if (auto* refusal = std::get_if<std::string>(&range)) {
            ReportError(program_.desktop(), *refusal);
            view().Focus(LeastOf(row));
            return;
        }
        ranges[static_cast<std::size_t>(row)] = std::get<ThicknessRange>(range);
    }
    auto answer = FindLeastCost(entry.rules(), rows, ranges, *table, program_.record());
    if (auto* refusal = std::get_if<std::string>(&answer)) {
        ReportError(program_.desktop(), *refusal);
        return;
    }
    const LeastCostStructure& found = std::get<LeastCostStructure>(answer);
    for (std::size_t row = 0; row < found.quarterInches.size(); ++row) {
        if (found.quarterInches[row]) entry.SetThickness(static_cast<int>(row), QuarterInchText(*found.quarterInches[row]));
    }
    view().SetText(kStatus, LeastCostSummary(found) + ". Press CONTINUE on the entry screen to evaluate it.");
}

}  // namespace korvelle
