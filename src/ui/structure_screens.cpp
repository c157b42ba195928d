#include "structure_screens.h"

#include "print_screen.h"

#include "core/number_format.h"
#include "core/number_text.h"

namespace korvelle {

namespace {

std::string CourseName(const CourseGroup& group, int course) {
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

void StructureEntryScreen::Click(int control) {
    if (control == ContinueButton()) {
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
        const std::int16_t m = Material(r);
        if (r == 0 && m >= 1 && m <= 2) {
            view().SetText(Thickness(r), "0");  // OGFC and PEM are laid by spread rate
        } else if (InUse(r) && ThicknessMissing(r)) {
            ReportError(program_.desktop(), kThicknessMessage);
            return false;
        }
    }
    return true;
}

CourseEntry StructureEntryScreen::Entry(int row) {
    return CourseEntry{view().Choice(List(row)), view().Text(Thickness(row))};
}

bool StructureEntryScreen::CheckGroups() {
    for (const CourseGroup& group : groups_) {
        const auto thicknessRefused = [&](int k) {
            ReportError(program_.desktop(), "The thickness of " + CourseName(group, k + 1) +
                                                " must be a number of inches from 0 to " +
                                                FormatNumber(kMaxCourseThickness, "0") + " (for example 1.50)");
            return false;
        };
        int empty = -1;  // first course of the group without a course in it
        for (int k = 0; k < group.rows; ++k) {
            const int r = group.firstRow + k;
            const std::string thickness = view().Text(Thickness(r));
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
                            CourseName(group, empty + 1) + " has no course, but " + CourseName(group, k + 1) +
                                " below it has one: choose a material for " + CourseName(group, empty + 1) +
                                " or move the courses below it up");
                return false;
            }
            if (!CourseThickness(thickness)) return thicknessRefused(k);
        }
    }
    return true;
}

void StructureEntryScreen::Continue() {
    if (!Check()) return;
    auto sheet = Evaluate();
    if (!sheet) {
        ReportError(program_.desktop(),
                    "The structure cannot be evaluated: please check the design data and each course's thickness");
        return;
    }
    program_.view(result_);
    program_.logic<ResultScreen>(result_).Fill(*sheet);
    program_.Move(self_, result_);
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

std::optional<ResultSheet> FullDepthEntryScreen::Evaluate() {
    std::array<CourseEntry, 5> courses;
    for (int r = 0; r < 5; ++r) courses[r] = Entry(r);
    return EvaluateFullDepth(courses, program_.record());
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

std::optional<ResultSheet> OverlayEntryScreen::Evaluate() {
    std::array<CourseEntry, 3> overlay;
    std::array<CourseEntry, 3> existing;
    for (int r = 0; r < 3; ++r) {
        overlay[r] = Entry(r);
        existing[r] = Entry(3 + r);
    }
    return EvaluateOverlay(overlay, existing, program_.record());
}

ResultScreen::ResultScreen(Program& program, ScreenId self, ScreenId entry, ScreenId print, int rows,
                           int cellsInLowerRows, int fullRows)
    : program_(program), self_(self), entry_(entry), print_(print), rows_(rows),
      cellsInLowerRows_(cellsInLowerRows), fullRows_(fullRows) {}

void ResultScreen::Load() { view().SetText(Verdict(), kUnderdesign); }

void ResultScreen::ClearRows() {
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < CellsInRow(r); ++c) view().SetText(Cell(r, c), "");
    }
}

void ResultScreen::Fill(const ResultSheet& sheet) {
    ClearRows();
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
