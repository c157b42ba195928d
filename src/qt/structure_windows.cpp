#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <string>

#include "core/quarter_inches.h"

#include "core/number_format.h"
#include "ui/structure_screens.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// Fixed widths keep the columns of both groups of the overlay screen in line.
constexpr int kCaptionWidth = 80;
constexpr int kListWidth = 270;
constexpr int kFieldWidth = 72;
constexpr int kBarWidth = 220;

const char* const kCourseCaptions[] = {"COURSE 1", "COURSE 2", "COURSE 3", "COURSE 4", "COURSE 5"};

const char* const kSurfaceNote =
    "OGFC and PEM layers should be entered only for COURSE 1.  For OGFC or PEM, enter \"0\" for thickness or leave "
    "the thickness field blank.";
const char* const kThicknessNote = "To set thickness, type a number into the THICKNESS field or use the scroll bars";
const char* const kFitTip =
    "Sets this course's thickness to the least quarter inch at which the proposed SN meets the required SN, "
    "every other course as it stands";

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The names a row's list shows: materials first..last of its material list.
template <std::size_t N>
QStringList SliceNames(const std::array<std::string, N>& materials, const MaterialSlice& slice) {
    QStringList names;
    for (int m = slice.first; m <= slice.last; ++m) names << Q(materials[static_cast<std::size_t>(m - 1)]);
    return names;
}

// One course row per entry of `names`, starting at row `first` of the
// screen, under the thickness column heading.  `group` tells the rows of the
// two groups of the overlay screen apart for screen readers; `fitGroup` does
// the same for the FIT buttons ("overlay", "existing").
template <std::size_t N>
QGridLayout* CourseGrid(FormWindow* w, const StructureEntryScreen& s, int first, int count,
                        const std::array<std::string, N>& materials, const QString& group,
                        const QString& fitGroup) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    grid->setColumnMinimumWidth(0, kCaptionWidth);
    grid->addWidget(MakeCaption("THICKNESS (INCHES)", nullptr, w), 0, 2, 1, 2);
    for (int k = 0; k < count; ++k) {
        const int r = first + k;
        const QString course = kCourseCaptions[k];
        const QString name = group.isEmpty() ? course : group + " " + course;

        QComboBox* list = w->AddList(s.List(r), name + " material", SliceNames(materials, s.row(r).list));
        list->setFixedWidth(kListWidth);

        const int maximum = s.row(r).scrollMaximum;
        const QString tooltip =
            Q("Inches; the scroll bar sets quarter inches up to " + QuarterInchText(maximum));
        QLineEdit* field = w->AddField(s.Thickness(r), name + " THICKNESS (INCHES)", 0, tooltip);
        field->setFixedWidth(kFieldWidth);
        field->setAlignment(Qt::AlignRight);

        QScrollBar* bar = w->AddScrollBar(s.Scroll(r), name + " thickness scroll bar", maximum);
        bar->setFixedWidth(kBarWidth);
        bar->setToolTip(tooltip);

        grid->addWidget(MakeCaption(course, list, w), k + 1, 0);
        grid->addWidget(list, k + 1, 1);
        grid->addWidget(field, k + 1, 2);
        grid->addWidget(bar, k + 1, 3, Qt::AlignVCenter);

        QPushButton* fit = w->AddButton(s.FitButton(r), "FIT");
        fit->setAccessibleName("Fit " + (fitGroup.isEmpty() ? course : fitGroup + " " + course) + " thickness");
        fit->setToolTip(kFitTip);
        // As narrow as its short caption allows, in any font.
        fit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        grid->addWidget(fit, k + 1, 4);
    }
    grid->setColumnStretch(5, 1);
    return grid;
}

// The notes and the buttons under the course rows; the focus order runs row
// by row (list, thickness, scroll bar, FIT), then along the buttons.
void FinishEntryWindow(FormWindow* w, QVBoxLayout* layout, const StructureEntryScreen& s) {
    // The least-cost thicknesses of the courses as chosen, in a window beside.
    auto* tools = new QHBoxLayout;
    QPushButton* leastCost = w->AddButton(s.LeastCostButton(), "LEAST COST...");
    leastCost->setAccessibleName("LEAST COST");
    leastCost->setToolTip("The thicknesses that make the structure cost least while it meets the required SN");
    tools->addWidget(leastCost);
    QPushButton* keep = w->AddButton(s.KeepButton(), "KEEP AS ALTERNATIVE...");
    keep->setAccessibleName("KEEP AS ALTERNATIVE");
    keep->setToolTip("Keeps these courses under a name, to compare with others under ALTERNATIVES... on the main menu");
    tools->addWidget(keep);
    tools->addStretch();
    layout->addLayout(tools);
    layout->addSpacing(8);
    layout->addWidget(MakeNote(kSurfaceNote, w));
    layout->addWidget(MakeNote(kThicknessNote, w));
    layout->addSpacing(8);
    layout->addLayout(w->AddButtonRow({{s.ContinueButton(), "CONTINUE"},
                                       {s.GuidelinesButton(), "Click for Pavement Type Guidelines"},
                                       {s.QuitButton(), "QUIT"}}));

    QList<int> order;
    for (int r = 0; r < s.rows(); ++r) order << s.List(r) << s.Thickness(r) << s.Scroll(r) << s.FitButton(r);
    order << s.LeastCostButton() << s.KeepButton() << s.ContinueButton() << s.GuidelinesButton() << s.QuitButton();
    w->SetFocusOrder(order);
    w->control(s.List(0))->setFocus();
}

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setAccessibleName(title);
    // Only the title is bold: a font set on the box would pass to its rows.
    box->setStyleSheet("QGroupBox { font-weight: bold; }");
    return box;
}

}  // namespace

FormWindow* BuildFullDepthEntryWindow(WindowContext& context) {
    const auto& s = static_cast<const FullDepthEntryScreen&>(context.logic);
    const DesignRecord& record = context.program.record();
    auto* w = new FormWindow(context.logic, ScreenTitle("Proposed Pavement Structure"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("PROPOSED PAVEMENT STRUCTURE", w));
    layout->addSpacing(8);
    layout->addLayout(CourseGrid(w, s, 0, s.rows(), record.fullDepthMaterials, QString(), QString()));
    FinishEntryWindow(w, layout, s);
    return w;
}

FormWindow* BuildOverlayEntryWindow(WindowContext& context) {
    const auto& s = static_cast<const OverlayEntryScreen&>(context.logic);
    const DesignRecord& record = context.program.record();
    constexpr int kOverlayRows = OverlayEntryScreen::kOverlayRows;
    auto* w = new FormWindow(context.logic, ScreenTitle("Proposed Overlay"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("PROPOSED OVERLAY PAVEMENT STRUCTURE", w));
    layout->addSpacing(8);

    QGroupBox* overlay = Group("PROPOSED OVERLAY", w);
    auto* overlayLayout = new QVBoxLayout(overlay);
    overlayLayout->addLayout(CourseGrid(w, s, 0, kOverlayRows, record.overlayMaterials, "PROPOSED OVERLAY", "overlay"));
    layout->addWidget(overlay);

    QGroupBox* existing = Group("EXISTING PAVEMENT", w);
    auto* existingLayout = new QVBoxLayout(existing);
    existingLayout->addLayout(CourseGrid(w, s, kOverlayRows, s.rows() - kOverlayRows, record.existingMaterials,
                                         "EXISTING PAVEMENT", "existing"));
    layout->addWidget(existing);

    FinishEntryWindow(w, layout, s);
    return w;
}

}  // namespace korvelle
