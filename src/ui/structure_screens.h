#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/materials.h"
#include "core/structure_evaluation.h"
#include "design_rules.h"
#include "program.h"

namespace korvelle {

// A structure entry screen: per course row a material list, a thickness field,
// a scroll bar in quarter inches and a FIT button.  With R rows, controls
// 0..R-1 are the lists, R..2R-1 the thickness fields, 2R..3R-1 the scroll
// bars, then CONTINUE, the guidelines button and QUIT, then the R FIT buttons.
// Its rows and checks are its StructureRules.
class StructureEntryScreen : public Screen {
public:
    using RowSpec = CourseRowRule;
    StructureEntryScreen(Program& program, const StructureRules& rules, ScreenId result);

    const StructureRules& rules() const { return rules_; }
    int rows() const { return static_cast<int>(rules_.rows.size()); }
    int List(int row) const { return row; }
    int Thickness(int row) const { return rows() + row; }
    int Scroll(int row) const { return 2 * rows() + row; }
    int ContinueButton() const { return 3 * rows(); }
    int GuidelinesButton() const { return 3 * rows() + 1; }
    int QuitButton() const { return 3 * rows() + 2; }
    int FitButton(int row) const { return 3 * rows() + 3 + row; }
    int LeastCostButton() const { return 4 * rows() + 3; }
    int KeepButton() const { return 4 * rows() + 4; }
    const RowSpec& row(int r) const { return rules_.rows[static_cast<std::size_t>(r)]; }
    // The name a row's list shows at a position; empty for none.
    virtual std::string MaterialName(int row, int position) const = 0;
    // The course's name in messages: "COURSE 3", "Overlay COURSE 2".
    std::string CourseName(int row) const { return rules_.CourseName(row); }
    // The rows as they stand: the position chosen and the thickness as typed.
    std::vector<CourseEntry> Rows();
    // Fills the rows: each list's choice, thickness and scroll bar.
    void SetRows(std::span<const CourseRow> rows);
    // Puts a thickness into a row: the bar first (its move would write its
    // own thickness into the field), then the field.
    void SetThickness(int row, const std::string& text);

    void Changed(int control) override;
    void Click(int control) override;
    void CloseBox() override { program_.Quit(); }

protected:
    Program& program_;

private:
    void Continue();
    // FIT on a row: the least quarter-inch thickness that meets the required
    // SN, into the row's field and bar, or one message saying why not.
    void Fit(int row);
    const StructureRules& rules_;
    ScreenId result_;
};

class FullDepthEntryScreen : public StructureEntryScreen {
public:
    explicit FullDepthEntryScreen(Program& program);
    std::string MaterialName(int row, int position) const override;
};

class OverlayEntryScreen : public StructureEntryScreen {
public:
    static constexpr int kOverlayRows = 3;
    explicit OverlayEntryScreen(Program& program);
    std::string MaterialName(int row, int position) const override;
};

// A result screen: the evaluated rows (9 cells each; control row x 9 + cell),
// then the required SN, the proposed SN, the difference, the verdict, and the
// buttons ACCEPT, EDIT and QUIT.
class ResultScreen : public Screen {
public:
    ResultScreen(Program& program, ScreenId self, ScreenId entry, ScreenId print, int rows, int cellsInLowerRows,
                 int fullRows);
    int rows() const { return rows_; }
    static int Cell(int row, int cell) { return row * 9 + cell; }
    int RequiredSn() const { return rows_ * 9; }
    int ProposedSn() const { return rows_ * 9 + 1; }
    int Difference() const { return rows_ * 9 + 2; }
    int Verdict() const { return rows_ * 9 + 3; }
    int AcceptButton() const { return rows_ * 9 + 4; }
    int EditButton() const { return rows_ * 9 + 5; }
    int QuitButton() const { return rows_ * 9 + 6; }
    // The cost of the structure's new courses: "$41.25 per sq. yd.", or
    // nothing when not every course is priced.
    int Cost() const { return rows_ * 9 + 7; }
    // Cells a row shows: 9, or 5 for the single-line rows at the bottom.
    int CellsInRow(int row) const { return row < fullRows_ ? 9 : cellsInLowerRows_; }

    // Shows an evaluation's sheet and keeps the numbers behind it, with the
    // structure's cost when there is one.
    void Fill(const ResultSheet& sheet, const StructureNumbers& numbers, const std::string& cost = {});
    // Empty rows, and no numbers behind them.
    void Reset() override;
    // The sheet as the screen shows it, which is what the design form prints.
    ResultSheet Displayed();
    // The numbers behind the rows shown; nothing once EDIT has emptied them.
    const std::optional<StructureNumbers>& numbers() const { return numbers_; }
    void Click(int control) override;
    void CloseBox() override { program_.Quit(); }

protected:
    void Load() override;

private:
    void ClearRows();
    Program& program_;
    ScreenId self_, entry_, print_;
    int rows_, cellsInLowerRows_, fullRows_;
    std::optional<StructureNumbers> numbers_;
};

class GuidelinesScreen : public Screen {
public:
    enum Control { kOkay };
    explicit GuidelinesScreen(Program& program) : program_(program) {}
    void Click(int control) override;
    void CloseBox() override { program_.Hide(ScreenId::Guidelines); }

private:
    Program& program_;
};

}  // namespace korvelle
