#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/data_screens.h"
#include "ui/field_rules.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// A typed field with its caption above it, placed in a grid cell.
QLineEdit* PlaceField(FormWindow* w, QGridLayout* grid, int control, const FieldRule& rule, int row, int column,
                      int columnSpan = 1) {
    QLineEdit* edit = w->AddField(control, Q(rule.caption), rule.maxLength, Q(rule.hint));
    grid->addWidget(MakeCaption(Q(rule.caption), edit, w), row, column, 1, columnSpan);
    grid->addWidget(edit, row + 1, column, 1, columnSpan);
    return edit;
}

QLabel* DefaultMark(QWidget* parent) {
    auto* mark = new QLabel("[DEFAULT]", parent);
    mark->setStyleSheet("color: #c00000;");
    return mark;
}

}  // namespace

FormWindow* BuildProjectInformationWindow(WindowContext& context) {
    using S = ProjectInformationScreen;
    auto* w = new FormWindow(context.logic, ScreenTitle("Project Information"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("PROJECT INFORMATION", w));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    PlaceField(w, grid, S::kProjectNumber, fields::kProjectNumber, 0, 0);
    PlaceField(w, grid, S::kPiNumber, fields::kPiNumber, 0, 1);
    PlaceField(w, grid, S::kCounty, fields::kCounty, 0, 2, 2);
    PlaceField(w, grid, S::kDescription, fields::kDescription, 2, 0, 4);
    PlaceField(w, grid, S::kInitialYear, fields::kInitialYear, 4, 0);
    PlaceField(w, grid, S::kInitialTraffic, fields::kInitialTraffic, 4, 1);
    PlaceField(w, grid, S::kFinalYear, fields::kFinalYear, 4, 2);
    PlaceField(w, grid, S::kFinalTraffic, fields::kFinalTraffic, 4, 3);
    PlaceField(w, grid, S::kTruckPercent, fields::kTruckPercent, 6, 0);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(w->AddButtonRow({{S::kContinue, "CONTINUE"}, {S::kClearForm, "CLEAR FORM"}, {S::kQuit, "QUIT"}}));
    w->SetFocusOrder({S::kProjectNumber, S::kPiNumber, S::kCounty, S::kDescription, S::kInitialYear,
                      S::kInitialTraffic, S::kFinalYear, S::kFinalTraffic, S::kTruckPercent, S::kContinue,
                      S::kClearForm, S::kQuit});
    w->setMinimumWidth(720);
    w->control(S::kProjectNumber)->setFocus();
    return w;
}

FormWindow* BuildDesignDataWindow(WindowContext& context) {
    using S = DesignDataScreen;
    auto* w = new FormWindow(context.logic, ScreenTitle("Design Data"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("DESIGN DATA", w));

    auto* top = new QGridLayout;
    top->setHorizontalSpacing(16);
    PlaceField(w, top, S::kLdf, fields::kLdf, 0, 0);
    QLineEdit* tsi = PlaceField(w, top, S::kTerminalServiceability, fields::kTerminalServiceability, 0, 1);
    PlaceField(w, top, S::kSoilSupport, fields::kSoilSupport, 0, 2);
    PlaceField(w, top, S::kRegionalFactor, fields::kRegionalFactor, 0, 3);
    top->addWidget(w->AddLink(S::kLdfLink, "CLICK HERE FOR LDF WORKSHEET"), 2, 0);
    top->addWidget(DefaultMark(w), 2, 1);
    QLabel* county = w->AddLink(S::kCountyLink, "CLICK HERE FOR SOIL SUPPORT AND REGIONAL FACTOR WORKSHEET");
    county->setWordWrap(true);
    top->addWidget(county, 2, 2, 1, 2);
    layout->addLayout(top);
    layout->addSpacing(12);

    auto* lower = new QHBoxLayout;
    auto* truck = new QGroupBox("TRUCK AXLE LOAD FACTORS", w);
    truck->setAccessibleName("TRUCK AXLE LOAD FACTORS");
    auto* truckGrid = new QGridLayout(truck);
    QLineEdit* single = PlaceField(w, truckGrid, S::kSingleUnitEsal, fields::kSingleUnitEsal, 0, 0);
    QLineEdit* multi = PlaceField(w, truckGrid, S::kMultiUnitEsal, fields::kMultiUnitEsal, 0, 1);
    truckGrid->addWidget(DefaultMark(w), 2, 0);
    truckGrid->addWidget(DefaultMark(w), 2, 1);
    lower->addWidget(truck);
    auto* esal = new QGridLayout;
    PlaceField(w, esal, S::kRepresentativeEsal, fields::kRepresentativeEsal, 0, 0);
    esal->addWidget(w->AddLink(S::kEsalLink, "CLICK HERE FOR ESAL WORKSHEET"), 2, 0);
    esal->setRowStretch(3, 1);
    lower->addLayout(esal);
    layout->addLayout(lower);
    layout->addSpacing(12);
    layout->addLayout(w->AddButtonRow(
        {{S::kQuit, "QUIT"}, {S::kBack, "BACK"}, {S::kContinue, "CONTINUE"}, {S::kClearForm, "CLEAR FORM"}}));

    // The default values are shown in red, whatever is typed over them.
    for (QLineEdit* edit : {tsi, single, multi}) edit->setStyleSheet("color: #c00000;");
    w->SetFocusOrder({S::kLdf, S::kTerminalServiceability, S::kSoilSupport, S::kRegionalFactor, S::kSingleUnitEsal,
                      S::kMultiUnitEsal, S::kRepresentativeEsal, S::kContinue, S::kClearForm, S::kQuit, S::kBack,
                      S::kLdfLink, S::kCountyLink, S::kEsalLink});
    w->setMinimumWidth(760);
    w->control(S::kLdf)->setFocus();
    return w;
}

FormWindow* BuildDesignerInformationWindow(WindowContext& context) {
    using S = DesignerInformationScreen;
    auto* w = new FormWindow(context.logic, ScreenTitle("Designer Information"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("DESIGNER INFORMATION", w));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    PlaceField(w, grid, S::kDesignerName, fields::kDesignerName, 0, 0);
    QLineEdit* date = w->AddField(S::kDate, "DATE", fields::kDesignDate.maxLength);
    grid->addWidget(MakeCaption("DATE", date, w), 0, 1);
    grid->addWidget(date, 1, 1);
    QLineEdit* comments = PlaceField(w, grid, S::kComments, fields::kComments, 2, 0, 2);
    grid->addWidget(MakeNote("[60 characters max.]", w, false), 4, 0);
    comments->setMinimumWidth(520);
    layout->addLayout(grid);

    auto* office = new QGroupBox("OFFICE", w);
    office->setAccessibleName("OFFICE");
    auto* officeLayout = new QVBoxLayout(office);
    officeLayout->addWidget(MakeNote("(CLICK ON ONE)", office, false));
    QList<QAbstractButton*> buttons;
    w->AddOptions(S::kOffice, "OFFICE",
                  {"  URBAN DESIGN", "  ROAD DESIGN", "  DISTRICT", "  CONSULTANT DESIGN (MAJOR)",
                   "  CONSULTANT DESIGN (MINOR)"},
                  &buttons);
    for (QAbstractButton* b : buttons) officeLayout->addWidget(b);
    layout->addWidget(office);
    layout->addLayout(w->AddButtonRow(
        {{S::kBack, "BACK"}, {S::kContinue, "CONTINUE"}, {S::kClearForm, "CLEAR FORM"}, {S::kQuit, "QUIT"}}));
    w->SetFocusOrder(
        {S::kDesignerName, S::kDate, S::kComments, S::kOffice, S::kContinue, S::kClearForm, S::kQuit, S::kBack});
    w->control(S::kDesignerName)->setFocus();
    return w;
}

}  // namespace korvelle
