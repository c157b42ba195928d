#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/materials.h"
#include "core/structure_evaluation.h"
#include "program.h"

namespace korvelle {

inline constexpr std::string_view kThicknessMessage = "Pavement thickness must be entered for each course";
inline constexpr std::string_view kTopCourseMessage = "Data must be entered for top course";
inline constexpr std::string_view kTopOverlayMessage = "Data must be entered for top overlay course";
inline constexpr std::string_view kTopExistingMessage = "Data must be entered for top existing course";
inline constexpr std::string_view kNotEvaluatedMessage =
    "The structure cannot be evaluated: please check the design data and each course's thickness";

// One group of course rows on an entry screen ("COURSE 1" is its top course).
struct CourseGroup {
    std::string_view name;  // "" for the full-depth courses, else "overlay" or "existing"
    int firstRow;
    int rows;
};

// A structure entry screen: per course row a material list, a thickness field,
// a scroll bar in quarter inches and a FIT button.  With R rows, controls
// 0..R-1 are the lists, R..2R-1 the thickness fields, 2R..3R-1 the scroll
// bars, then CONTINUE, the guidelines button and QUIT, then the R FIT buttons.
class StructureEntryScreen : public Screen {
public:
    struct RowSpec {
        MaterialSlice list;
        int scrollMaximum;      // quarter inches
        bool lastIsNoCourse;    // the list ends with "[NO COURSE]"
    };
    StructureEntryScreen(Program& program, ScreenId self, ScreenId result, std::vector<RowSpec> rows,
                         std::vector<CourseGroup> groups);

    int rows() const { return static_cast<int>(rows_.size()); }
    int List(int row) const { return row; }
    int Thickness(int row) const { return rows() + row; }
    int Scroll(int row) const { return 2 * rows() + row; }
    int ContinueButton() const { return 3 * rows(); }
    int GuidelinesButton() const { return 3 * rows() + 1; }
    int QuitButton() const { return 3 * rows() + 2; }
    int FitButton(int row) const { return 3 * rows() + 3 + row; }
    const RowSpec& row(int r) const { return rows_[r]; }
    // The name a row's list shows at a position; empty for none.
    virtual std::string MaterialName(int row, int position) const = 0;
    // The course's name in messages: "COURSE 3", "Overlay COURSE 2".
    std::string CourseName(int row) const;

    void Changed(int control) override;
    void Click(int control) override;
    void CloseBox() override { program_.Quit(); }

protected:
    // The checks before the evaluation; false after reporting the first failure.
    virtual bool Check() = 0;

    // Shared checks.  While a FIT runs, the thickness of the row it fits is
    // not looked at (FIT gives it) and the checks write nothing.  "Empty" and "zero" compare the whole text as a string.
    bool ThicknessMissing(int row);
    // Material number chosen in a row; 0 when nothing is chosen.
    std::int16_t Material(int row);
    // The top course of a group has a material chosen ("[NO COURSE]" counts);
    // otherwise reports `message`.
    bool TopCourseChosen(int row, std::string_view message);
    // Every row in use from first to last has a thickness; the surface course
    // laid by spread rate (OGFC, PEM) gets the thickness "0".
    bool ThicknessesEntered(int first, int last);
    // True when the row holds a course: a material chosen, not "[NO COURSE]".
    bool InUse(int row);
    // True for a top course of OGFC or PEM, laid by spread rate.
    bool SpreadRate(int row);
    // The thickness the checks and the evaluation take: as typed, or "0" for
    // a course laid by spread rate.
    std::string ThicknessText(int row);
    // No course lies below a row without one, and every course's thickness is
    // a number of inches.
    bool CheckGroups();

    Program& program_;

private:
    void Continue();
    // FIT on a row: the least quarter-inch thickness that meets the required
    // SN, into the row's field and bar, or one message saying why not.
    void Fit(int row);
    // The rows as the evaluation takes them: a course laid by spread rate
    // counts no thickness, whatever its field holds.
    EnteredStructure Entered();
    ScreenId self_;
    ScreenId result_;
    std::vector<RowSpec> rows_;
    std::vector<CourseGroup> groups_;
    int fitting_ = -1;  // the row FIT is fitting, -1 when none
};

class FullDepthEntryScreen : public StructureEntryScreen {
public:
    explicit FullDepthEntryScreen(Program& program);
    std::string MaterialName(int row, int position) const override;

protected:
    bool Check() override;
};

class OverlayEntryScreen : public StructureEntryScreen {
public:
    static constexpr int kOverlayRows = 3;
    explicit OverlayEntryScreen(Program& program);
    std::string MaterialName(int row, int position) const override;

protected:
    bool Check() override;
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
    // Cells a row shows: 9, or 5 for the single-line rows at the bottom.
    int CellsInRow(int row) const { return row < fullRows_ ? 9 : cellsInLowerRows_; }

    // Shows an evaluation's sheet and keeps the numbers behind it.
    void Fill(const ResultSheet& sheet, const StructureNumbers& numbers);
    // The cells and the numbers behind them.
    void Adopt(Screen& other) override;
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
