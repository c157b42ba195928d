#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "cross_section.h"
#include "ui/structure_screens.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// Columns of the result table: fixed widths keep every row in line.
constexpr int kColumns = 5;
constexpr int kColumnWidths[kColumns] = {230, 70, 70, 96, 80};
const char* const kColumnNames[kColumns] = {"Material", "Thickness Inches", "Thickness mm", "Structural Coefficient",
                                            "Structural Value"};
// Millimetres are secondary: grey, yet at least 4.5:1 against the window
// (about 5:1 on the usual light grey).
const char* const kDimmed = "color: #666666;";

const char* const kCourseCaptions[] = {"COURSE 1", "COURSE 2", "COURSE 3", "COURSE 4", "COURSE 5"};

// A result window redraws its cross-section whenever the evaluation writes
// its cells or EDIT clears them: the numbers drawn change with the cells.
// The cross-section stands beside the sheet where the screen is wide enough
// for both, shrinking first, else below it.
class ResultWindow : public FormWindow {
public:
    using FormWindow::FormWindow;
    void SetDrawing(QWidget* drawing, QBoxLayout* body, QWidget* frame) {
        drawing_ = drawing;
        body_ = body;
        frame_ = frame;
    }
    void SetText(int control, const std::string& text) override {
        FormWindow::SetText(control, text);
        if (drawing_) drawing_->update();
    }
    void ArrangeFor(QSize room) override {
        body_->setDirection(QBoxLayout::LeftToRight);
        body_->setAlignment(frame_, Qt::AlignTop);
        // Side by side the window is at least as wide as the sheet, the
        // drawing at its least width, and the window's margins.
        const QMargins margins = layout()->contentsMargins();
        if (body_->minimumSize().width() + margins.left() + margins.right() <= room.width()) return;
        body_->setDirection(QBoxLayout::TopToBottom);
        body_->setAlignment(frame_, Qt::AlignHCenter);
    }

private:
    QWidget* drawing_ = nullptr;
    QBoxLayout* body_ = nullptr;
    QWidget* frame_ = nullptr;
};

QLabel* ColumnHeading(const QString& text, QWidget* parent, Qt::Alignment alignment) {
    QLabel* label = MakeCaption(text, nullptr, parent);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setAccessibleName(text);
    return label;
}

// The column headings in grid rows `row` and `row` + 1.
void PlaceColumnHeadings(QGridLayout* grid, QWidget* w, int row, const QString& material) {
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignBottom;
    grid->addWidget(ColumnHeading(material, w, Qt::AlignLeft | Qt::AlignBottom), row, 0, 2, 1);
    grid->addWidget(ColumnHeading("Thickness", w, Qt::AlignCenter), row, 1, 1, 2);
    grid->addWidget(ColumnHeading("Inches", w, right), row + 1, 1);
    QLabel* mm = ColumnHeading("mm", w, right);
    mm->setStyleSheet(kDimmed);
    grid->addWidget(mm, row + 1, 2);
    grid->addWidget(ColumnHeading("Structural Coefficient", w, right), row, 3, 2, 1);
    grid->addWidget(ColumnHeading("Structural Value", w, right), row, 4, 2, 1);
}

// A faint line between courses, across the whole table.
void PlaceSeparator(QGridLayout* grid, QWidget* w, int row) {
    auto* line = new QFrame(w);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet("color: #d4d4d4;");
    grid->addWidget(line, row, 0, 1, kColumns);
}

// A display cell of a result row: borderless, read-only, never in the Tab
// order; numbers right-aligned, millimetres dimmed.  Each cell stands at the
// side of its column its text is aligned to, so that numbers end where their
// heading ends however wide the heading makes the column.
QLabel* PlaceCell(FormWindow* w, QGridLayout* grid, int control, int cell, const QString& course, int row) {
    const bool secondLine = cell >= kLowerInchesCell;
    const int column = secondLine ? cell - 4 : cell;
    QLabel* label = w->AddDisplay(control, course + (secondLine ? " second part " : " ") + kColumnNames[column]);
    label->setFixedWidth(kColumnWidths[column]);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    const Qt::Alignment side = column == 0 ? Qt::AlignLeft : Qt::AlignRight;
    label->setAlignment(side | Qt::AlignVCenter);
    if (cell == kMillimetresCell || cell == kLowerMillimetresCell) label->setStyleSheet(kDimmed);
    grid->addWidget(label, row + (secondLine ? 1 : 0), column, side);
    return label;
}

struct ResultLayout {
    const char* title;
    const char* heading;
    const char* materialHeading;
    const char* existingHeading;  // nullptr for a full-depth structure
};

FormWindow* BuildResultWindow(WindowContext& context, const ResultLayout& layout, bool overlay) {
    const auto& s = static_cast<const ResultScreen&>(context.logic);
    auto* w = new ResultWindow(context.logic, ScreenTitle(layout.title));
    auto* outer = new QVBoxLayout(w);
    outer->addWidget(MakeHeading(layout.heading, w));
    outer->addSpacing(6);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    for (int c = 0; c < kColumns; ++c) grid->setColumnMinimumWidth(c, kColumnWidths[c]);
    PlaceColumnHeadings(grid, w, 0, layout.materialHeading);
    int gridRow = 2;
    for (int r = 0; r < s.rows(); ++r) {
        const bool existing = overlay && r >= OverlayEntryScreen::kOverlayRows;
        const int course = existing ? r - OverlayEntryScreen::kOverlayRows : r;
        if (existing && course == 0) {
            PlaceSeparator(grid, w, gridRow++);
            grid->addWidget(ColumnHeading(layout.existingHeading, w, Qt::AlignLeft | Qt::AlignBottom), gridRow++, 0);
        } else {
            PlaceSeparator(grid, w, gridRow++);
        }
        const QString name = QString(overlay ? (existing ? "EXISTING " : "OVERLAY ") : "") + kCourseCaptions[course];
        for (int c = 0; c < s.CellsInRow(r); ++c) PlaceCell(w, grid, ResultScreen::Cell(r, c), c, name, gridRow);
        gridRow += s.CellsInRow(r) > kLowerInchesCell ? 2 : 1;
    }
    PlaceSeparator(grid, w, gridRow++);

    // The summary: "Pavement is 12.3% Overdesign".
    auto* summary = new QHBoxLayout;
    summary->setSpacing(6);
    auto value = [&](int control, const QString& caption) {
        QLabel* label = w->AddDisplay(control, caption);
        summary->addWidget(label);
        return label;
    };
    summary->addWidget(MakeCaption("Required SN =", nullptr, w));
    value(s.RequiredSn(), "Required SN")->setMinimumWidth(44);
    summary->addSpacing(24);
    summary->addWidget(MakeCaption("Proposed SN =", nullptr, w));
    value(s.ProposedSn(), "Proposed SN")->setMinimumWidth(44);
    summary->addSpacing(24);
    summary->addWidget(MakeCaption("Pavement is", nullptr, w));
    value(s.Difference(), "Difference from the required SN");
    QLabel* verdict = value(s.Verdict(), "Verdict");
    QFont bold = verdict->font();
    bold.setBold(true);
    verdict->setFont(bold);
    summary->addStretch();

    auto* table = new QVBoxLayout;
    table->addLayout(grid);
    table->addSpacing(10);
    table->addLayout(summary);
    // The cost, on a line of its own under the verdict, when there is one.
    table->addWidget(w->AddDisplay(s.Cost(), "Cost of the new courses"));
    table->addStretch();

    auto* drawing = new CrossSectionView(s, context.program.record(), overlay, w);
    auto* frame = new QGroupBox("CROSS-SECTION", w);
    frame->setAccessibleName("CROSS-SECTION");
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(drawing);

    auto* body = new QBoxLayout(QBoxLayout::LeftToRight);
    body->addLayout(table);
    body->addSpacing(16);
    body->addWidget(frame, 0, Qt::AlignTop);
    w->SetDrawing(drawing, body, frame);
    outer->addLayout(body);
    outer->addSpacing(8);

    outer->addLayout(w->AddButtonRow({{s.AcceptButton(), "ACCEPT"}, {s.EditButton(), "EDIT"}, {s.QuitButton(), "QUIT"}}));
    QWidget* accept = w->control(s.AcceptButton());

    w->SetFocusOrder({s.AcceptButton(), s.EditButton(), s.QuitButton()});
    accept->setFocus();
    return w;
}

}  // namespace

FormWindow* BuildFullDepthResultWindow(WindowContext& context) {
    return BuildResultWindow(
        context, {"Proposed Pavement Structure", "PROPOSED PAVEMENT STRUCTURE", "Material", nullptr}, false);
}

FormWindow* BuildOverlayResultWindow(WindowContext& context) {
    return BuildResultWindow(context,
                             {"Proposed Overlay", "PROPOSED OVERLAY PAVEMENT STRUCTURE", "Overlay Material",
                              "Existing Material"},
                             true);
}

}  // namespace korvelle
