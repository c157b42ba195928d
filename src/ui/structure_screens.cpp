#include "structure_screens.h"

#include "fit.h"
#include "print_screen.h"

#include "core/number_format.h"
#include "core/number_text.h"
#include "core/thickness_fit.h"

namespace korvelle {

namespace {

// OGFC and PEM are laid by spread rate: CONTINUE writes this thickness
// whatever was typed.
constexpr std::string_view kSpreadRateThickness = "0";

std::string GroupCourseName(const CourseGroup& group, int course) {
    std::string name = "COURSE " + std::to_string(course);
    if (group.name.empty()) return name;
    return std::string(group.name) + " " + name;
}

}  // namespace

StructureEntryScreen::StructureEntryScreen(Program& program, ScreenId self, ScreenId result,
                                           std::vector<RowSpec> rows, std::vector<CourseGroup> groups)
    : program_(program), self_(self), result_(result), rows_(std::move(rows)), groups_(std::move(groups)) {}

void StructureEntryScreen::Changed(int control) {
    if (control < Scroll(0) || control >= Scroll(rows())) return;
    const int r = control - Scroll(0);
    view().SetText(Thickness(r), FormatNumber(view().Choice(control) / 4.0, "#0.00"));
}

std::string StructureEntryScreen::CourseName(int row) const {
    for (const CourseGroup& group : groups_) {
        if (row >= group.firstRow && row < group.firstRow + group.rows) {
            return GroupCourseName(group, row - group.firstRow + 1);
        }
    }
    return {};
}

void StructureEntryScreen::Click(int control) {
    if (control >= FitButton(0) && control < FitButton(rows())) {
        Fit(control - FitButton(0));
    } else if (control == ContinueButton()) {
        Continue();
    } else if (control == GuidelinesButton()) {
        program_.Show(ScreenId::Guidelines);
    } else if (control == QuitButton()) {
        program_.Quit();
    }
}

bool StructureEntryScreen::ThicknessMissing(int row) {
    // "-0", "0.0" and "00" are no thickness either: the number decides.
    const std::string text = view().Text(Thickness(row));
    const std::optional<double> inches = ParseNumber(text);
    return text.empty() || text == "0" || (inches && *inches == 0.0);
}

std::int16_t StructureEntryScreen::Material(int row) { return rows_[row].list.MaterialAt(view().Choice(List(row))); }

bool StructureEntryScreen::InUse(int row) {
    const std::int16_t m = Material(row);
    return m != 0 && !(rows_[row].lastIsNoCourse && m == rows_[row].list.last);
}

bool StructureEntryScreen::TopCourseChosen(int row, std::string_view message) {
    if (view().Choice(List(row)) >= 0) return true;
    ReportError(program_.desktop(), message);
    return false;
}

bool StructureEntryScreen::ThicknessesEntered(int first, int last) {
    for (int r = first; r <= last; ++r) {
        if (SpreadRate(r)) {
            if (fitting_ < 0) view().SetText(Thickness(r), std::string(kSpreadRateThickness));
        } else if (InUse(r) && r != fitting_ && ThicknessMissing(r)) {
            ReportError(program_.desktop(), kThicknessMessage);
            return false;
        }
    }
    return true;
}

bool StructureEntryScreen::SpreadRate(int row) {
    const std::int16_t m = Material(row);
    return row == 0 && m >= 1 && m <= 2;
}

std::string StructureEntryScreen::ThicknessText(int row) {
    return SpreadRate(row) ? std::string(kSpreadRateThickness) : view().Text(Thickness(row));
}

EnteredStructure StructureEntryScreen::Entered() {
    EnteredStructure structure;
    structure.overlay = self_ == ScreenId::OverlayEntry;
    for (int r = 0; r < rows(); ++r) {
        structure.rows.push_back({view().Choice(List(r)), ThicknessText(r)});
    }
    return structure;
}

bool StructureEntryScreen::CheckGroups() {
    for (const CourseGroup& group : groups_) {
        const auto thicknessRefused = [&](int k) {
            ReportError(program_.desktop(), "The thickness of " + GroupCourseName(group, k + 1) +
                                                " must be a number of inches from 0 to " +
                                                FormatNumber(kMaxCourseThickness, "0") + " (for example 1.50)");
            return false;
        };
        int empty = -1;  // first course of the group without a course in it
        for (int k = 0; k < group.rows; ++k) {
            const int r = group.firstRow + k;
            const std::string thickness = ThicknessText(r);
            if (!InUse(r)) {
                if (empty < 0) empty = k;
                // The top row of a group is evaluated and shown even when it
                // holds "[NO COURSE]": a thickness typed there must be sound.
                const bool blank = thickness.find_first_not_of(" \t") == std::string::npos;
                if (k == 0 && !blank && !CourseThickness(thickness)) return thicknessRefused(k);
                continue;
            }
            if (empty >= 0) {
                ReportError(program_.desktop(),
                            GroupCourseName(group, empty + 1) + " has no course, but " + GroupCourseName(group, k + 1) +
                                " below it has one: choose a material for " + GroupCourseName(group, empty + 1) +
                                " or move the courses below it up");
                return false;
            }
            if (r != fitting_ && !CourseThickness(thickness)) return thicknessRefused(k);
        }
    }
    return true;
}

void StructureEntryScreen::Continue() {
    if (!Check()) return;
    auto evaluation = Evaluate(Entered(), program_.record());
    if (!evaluation) {
        ReportError(program_.desktop(), kNotEvaluatedMessage);
        return;
    }
    program_.view(result_);
    program_.logic<ResultScreen>(result_).Fill(evaluation->sheet, evaluation->numbers);
    program_.Move(self_, result_);
}

void StructureEntryScreen::Fit(int row) {
    const EnteredStructure structure = Entered();
    const std::string course = CourseName(row);
    if (auto refusal = CourseRefusesFit(structure, row)) {
        ThicknessFit fit;
        fit.refusal = refusal;
        ReportError(program_.desktop(), FitMessage(fit, course));
        return;
    }
    fitting_ = row;
    const bool checked = Check();
    fitting_ = -1;
    if (!checked) return;

    const ThicknessFit fit = FitCourseThickness(structure, row, program_.record());
    if (fit.refusal == FitRefusal::MetWithoutCourse) {
        if (program_.desktop().Ask(FitMessage(fit, course), std::string(kFitTitle), Question::YesNo) != Answer::Yes) {
            return;
        }
    } else if (fit.refusal) {
        ReportError(program_.desktop(), FitMessage(fit, course));
        return;
    }
    // The bar first: its move would write its own thickness into the field.
    view().SetChoice(Scroll(row), std::min(fit.quarterInches, rows_[row].scrollMaximum));
    view().SetText(Thickness(row), QuarterInchText(fit.quarterInches));
}

FullDepthEntryScreen::FullDepthEntryScreen(Program& program)
    : StructureEntryScreen(program, ScreenId::FullDepthEntry, ScreenId::FullDepthResult,
                           {{kFullDepthTopList, 24, false},
                            {kFullDepthLowerList, 64, true},
                            {kFullDepthLowerList, 64, true},
                            {kFullDepthLowerList, 64, true},
                            {kFullDepthLowerList, 64, true}},
                           {{"", 0, 5}}) {}

std::string FullDepthEntryScreen::MaterialName(int row, int position) const {
    const std::int16_t m = this->row(row).list.MaterialAt(position);
    return m == 0 ? std::string() : program_.record().fullDepthMaterials[static_cast<std::size_t>(m - 1)];
}

bool FullDepthEntryScreen::Check() {
    return TopCourseChosen(0, kTopCourseMessage) && ThicknessesEntered(0, 4) && CheckGroups();
}

OverlayEntryScreen::OverlayEntryScreen(Program& program)
    : StructureEntryScreen(program, ScreenId::OverlayEntry, ScreenId::OverlayResult,
                           {{kOverlayTopList, 24, false},
                            {kOverlayLowerList, 24, true},
                            {kOverlayLowerList, 24, true},
                            {kExistingList, 64, true},
                            {kExistingList, 64, true},
                            {kExistingList, 64, true}},
                           {{"Overlay", 0, 3}, {"Existing", 3, 3}}) {}

std::string OverlayEntryScreen::MaterialName(int row, int position) const {
    const std::int16_t m = this->row(row).list.MaterialAt(position);
    if (m == 0) return {};
    const auto index = static_cast<std::size_t>(m - 1);
    return row < kOverlayRows ? program_.record().overlayMaterials[index] : program_.record().existingMaterials[index];
}

bool OverlayEntryScreen::Check() {
    return TopCourseChosen(0, kTopOverlayMessage) && ThicknessesEntered(0, 2) &&
           TopCourseChosen(3, kTopExistingMessage) && ThicknessesEntered(3, 5) && CheckGroups();
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

void ResultScreen::Fill(const ResultSheet& sheet, const StructureNumbers& numbers) {
    ClearRows();
    numbers_ = numbers;
    for (int r = 0; r < rows_ && r < static_cast<int>(sheet.rows.size()); ++r) {
        for (int c = 0; c < CellsInRow(r); ++c) view().SetText(Cell(r, c), sheet.rows[r][c]);
    }
    view().SetText(RequiredSn(), sheet.requiredSn);
    view().SetText(ProposedSn(), sheet.proposedSn);
    view().SetText(Difference(), sheet.difference);
    view().SetText(Verdict(), sheet.verdict);
    // Every showing of the result starts on ACCEPT, never on the EDIT that
    // led back to the entry screen.
    view().Focus(AcceptButton());
}

void ResultScreen::Adopt(Screen& other) {
    numbers_ = static_cast<ResultScreen&>(other).numbers_;
    Screen::Adopt(other);
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
