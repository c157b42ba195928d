#include "structure_screens.h"

#include "alternatives.h"

#include "fit.h"
#include "least_cost_screen.h"
#include "print_screen.h"

#include "core/number_format.h"
#include "core/number_text.h"
#include <algorithm>
#include "core/thickness_fit.h"

namespace korvelle {

StructureEntryScreen::StructureEntryScreen(Program& program, const StructureRules& rules, ScreenId result)
    : program_(program), rules_(rules), result_(result) {}

void StructureEntryScreen::Changed(int control) {
    if (control < Scroll(0) || control >= Scroll(rows())) return;
    const int r = control - Scroll(0);
    view().SetText(Thickness(r), QuarterInchText(view().Choice(control)));
}

void StructureEntryScreen::Click(int control) {
    if (control >= FitButton(0) && control < FitButton(rows())) {
        Fit(control - FitButton(0));
    } else if (control == ContinueButton()) {
        Continue();
    } else if (control == GuidelinesButton()) {
        program_.Show(ScreenId::Guidelines);
    } else if (control == LeastCostButton()) {
        program_.logic<LeastCostScreen>(ScreenId::LeastCost).Open(rules_.screen);
    } else if (control == KeepButton()) {
        KeepAlternative(program_, rules_.screen);
    } else if (control == QuitButton()) {
        program_.Quit();
    }
}

std::vector<CourseEntry> StructureEntryScreen::Rows() {
    std::vector<CourseEntry> entries;
    for (int r = 0; r < rows(); ++r) entries.push_back({view().Choice(List(r)), view().Text(Thickness(r))});
    return entries;
}

void StructureEntryScreen::SetThickness(int row, const std::string& text) {
    const std::optional<int> quarters = QuarterInchesOf(text);
    view().SetChoice(Scroll(row), std::clamp(quarters.value_or(0), 0, this->row(row).scrollMaximum));
    view().SetText(Thickness(row), text);
}

void StructureEntryScreen::SetRows(std::span<const CourseRow> rows) {
    for (int r = 0; r < this->rows() && r < static_cast<int>(rows.size()); ++r) {
        const CourseRow& row = rows[static_cast<std::size_t>(r)];
        view().SetChoice(List(r), row.position);
        SetThickness(r, row.thickness);
    }
}

void StructureEntryScreen::Continue() {
    std::vector<CourseEntry> entries = Rows();
    // OGFC and PEM are laid by spread rate: CONTINUE writes their thickness
    // whatever was typed.
    if (rules_.SpreadRate(0, entries[0].position)) {
        entries[0].thickness = std::string(kSpreadRateThickness);
        view().SetText(Thickness(0), entries[0].thickness);
    }
    auto evaluated = EvaluateStructure(rules_, entries, program_.record());
    if (auto* refusal = std::get_if<DesignRefusal>(&evaluated)) {
        ReportError(program_.desktop(), refusal->message);
        return;
    }
    const Evaluation& evaluation = std::get<Evaluation>(evaluated);
    program_.view(result_);
    program_.logic<ResultScreen>(result_).Fill(evaluation.sheet, evaluation.numbers,
                                               program_.CostOf(rules_, entries));
    program_.Move(rules_.screen, result_);
}

void StructureEntryScreen::Fit(int row) {
    const std::vector<CourseEntry> entries = Rows();
    const EnteredStructure structure = ToEvaluate(rules_, entries);
    const std::string course = CourseName(row);
    if (auto refusal = CourseRefusesFit(structure, row)) {
        ThicknessFit fit;
        fit.refusal = refusal;
        ReportError(program_.desktop(), FitMessage(fit, course));
        return;
    }
    if (auto refusal = CheckStructure(rules_, entries, row)) {
        ReportError(program_.desktop(), refusal->message);
        return;
    }
    const ThicknessFit fit = FitCourseThickness(structure, row, program_.record());
    if (fit.refusal == FitRefusal::MetWithoutCourse) {
        if (program_.desktop().Ask(FitMessage(fit, course), std::string(kFitTitle), Question::YesNo) != Answer::Yes) {
            return;
        }
    } else if (fit.refusal) {
        ReportError(program_.desktop(), FitMessage(fit, course));
        return;
    }
    SetThickness(row, QuarterInchText(fit.quarterInches));
}

FullDepthEntryScreen::FullDepthEntryScreen(Program& program)
    : StructureEntryScreen(program, FullDepthRules(), ScreenId::FullDepthResult) {}

std::string FullDepthEntryScreen::MaterialName(int row, int position) const {
    const std::int16_t m = this->row(row).list.MaterialAt(position);
    return m == 0 ? std::string() : program_.record().fullDepthMaterials[static_cast<std::size_t>(m - 1)];
}

OverlayEntryScreen::OverlayEntryScreen(Program& program)
    : StructureEntryScreen(program, OverlayRules(), ScreenId::OverlayResult) {}

std::string OverlayEntryScreen::MaterialName(int row, int position) const {
    const std::int16_t m = this->row(row).list.MaterialAt(position);
    if (m == 0) return {};
    const auto index = static_cast<std::size_t>(m - 1);
    return row < kOverlayRows ? program_.record().overlayMaterials[index] : program_.record().existingMaterials[index];
}

ResultScreen::ResultScreen(Program& program, ScreenId self, ScreenId entry, ScreenId print, int rows,
                           int cellsInLowerRows, int fullRows)
    : program_(program), self_(self), entry_(entry), print_(print), rows_(rows),
      cellsInLowerRows_(cellsInLowerRows), fullRows_(fullRows) {}

void ResultScreen::Load() { view().SetText(Verdict(), kUnderdesign); }

void ResultScreen::ClearRows() {
    numbers_.reset();
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < CellsInRow(r); ++c) view().SetText(Cell(r, c), "");
    }
}

void ResultScreen::Fill(const ResultSheet& sheet, const StructureNumbers& numbers, const std::string& cost) {
    ClearRows();
    numbers_ = numbers;
    for (int r = 0; r < rows_ && r < static_cast<int>(sheet.rows.size()); ++r) {
        for (int c = 0; c < CellsInRow(r); ++c) view().SetText(Cell(r, c), sheet.rows[r][c]);
    }
    view().SetText(RequiredSn(), sheet.requiredSn);
    view().SetText(ProposedSn(), sheet.proposedSn);
    view().SetText(Difference(), sheet.difference);
    view().SetText(Verdict(), sheet.verdict);
    view().SetText(Cost(), cost.empty() ? std::string() : "Cost: " + cost);
    // Every showing of the result starts on ACCEPT, never on the EDIT that
    // led back to the entry screen.
    view().Focus(AcceptButton());
}

void ResultScreen::Reset() {
    numbers_.reset();
    Screen::Reset();
}

ResultSheet ResultScreen::Displayed() {
    ResultSheet sheet;
    sheet.rows.resize(rows_);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < CellsInRow(r); ++c) sheet.rows[r][c] = view().Text(Cell(r, c));
    }
    sheet.requiredSn = view().Text(RequiredSn());
    sheet.proposedSn = view().Text(ProposedSn());
    sheet.difference = view().Text(Difference());
    sheet.verdict = view().Text(Verdict());
    return sheet;
}

void ResultScreen::Click(int control) {
    if (control == AcceptButton()) {
        program_.Accept(self_);
        program_.Move(self_, print_);
        program_.logic<PrintScreen>(print_).ResultAccepted();
    } else if (control == EditButton()) {
        ClearRows();
        program_.Move(self_, entry_);
    } else if (control == QuitButton()) {
        program_.Quit();
    }
}

void GuidelinesScreen::Click(int control) {
    if (control == kOkay) program_.Hide(ScreenId::Guidelines);
}

}  // namespace korvelle
