#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/field_rules.h"
#include "ui/worksheets.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// A table of fixed texts and boxes inside a frame, with a rule under the
// heading row, rules between the columns and rules after chosen rows.  The
// cells sit in the even columns of the grid, the column rules in the odd ones.
class RuledTable {
public:
    RuledTable(QWidget* parent, const QStringList& headings) : columns_(static_cast<int>(headings.size())) {
        frame_ = new QFrame(parent);
        frame_->setFrameShape(QFrame::Box);
        frame_->setFrameShadow(QFrame::Plain);
        grid_ = new QGridLayout(frame_);
        grid_->setContentsMargins(1, 1, 1, 1);
        grid_->setSpacing(0);
        for (int c = 0; c < columns_; ++c) {
            QLabel* heading = Cell(headings[c], parent);
            QFont font = heading->font();
            font.setBold(true);
            heading->setFont(font);
            heading->setAlignment(Qt::AlignCenter);
            heading->setWordWrap(true);
            // Room for a heading wrapped on three lines in a narrow column.
            heading->setMinimumHeight(3 * heading->fontMetrics().lineSpacing() + 8);
            grid_->addWidget(heading, 0, 2 * c);
        }
        row_ = 1;
        Rule();
    }

    // A plain text cell with room around its text.
    static QLabel* Cell(const QString& text, QWidget* parent) {
        QLabel* label = MakeNote(text, parent, false);
        label->setContentsMargins(10, 4, 10, 4);
        return label;
    }

    // Places a widget in a column of the current row, spanning rows downwards.
    void Put(int column, QWidget* widget, int rowSpan = 1, Qt::Alignment alignment = {}) {
        grid_->addWidget(widget, row_, 2 * column, rowSpan, 1, alignment);
    }
    void NextRow() { ++row_; }
    // A rule across the whole table under the rows so far.
    void Rule() {
        grid_->addWidget(MakeRule(frame_), row_, 0, 1, 2 * columns_ - 1);
        ++row_;
    }
    // Draws the column rules; call when all rows are in.
    QFrame* Finish() {
        for (int c = 1; c < columns_; ++c) {
            auto* line = new QFrame(frame_);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Plain);
            grid_->addWidget(line, 0, 2 * c - 1, row_, 1);
        }
        return frame_;
    }

private:
    int columns_;
    int row_ = 0;
    QFrame* frame_;
    QGridLayout* grid_;
};

// The prompt of a worksheet's entry field with the field beside it.
QHBoxLayout* EntryRow(FormWindow* w, int control, const FieldRule& rule) {
    QLineEdit* edit = w->AddField(control, Q(rule.caption), rule.maxLength, Q(rule.hint));
    edit->setFixedWidth(110);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(MakeCaption(Q(rule.caption), edit, w));
    row->addWidget(edit);
    row->addStretch();
    edit->setFocus();
    return row;
}

// BACK under everything, and Escape anywhere in the window: back to the
// design data screen with nothing handed back.
QHBoxLayout* BackRow(FormWindow* w, int back, QList<QPair<int, QString>> buttons = {}) {
    buttons.append({back, "BACK"});
    w->AddShortcut(QKeySequence(Qt::Key_Escape), back);
    return w->AddButtonRow(buttons);
}

struct FacilityGroup {
    const char* name;
    int rows;
};

}  // namespace

FormWindow* BuildEsalWorksheetWindow(WindowContext& context) {
    using S = EsalWorksheet;
    auto* w = new FormWindow(context.logic, ScreenTitle("18-kip ESAL"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("AVERAGE 18-KIP ESAL PER TRUCK", w));
    RuledTable table(w, {"Type of Facility", "% S.U. Trucks", "% M.U. Trucks", "Average 18-Kip ESAL"});
    static constexpr FacilityGroup kGroups[] = {
        {"Rural Interstate Routes", 3}, {"Primary System", 1}, {"Heavy State Routes and Urban Interstate Routes", 1},
        {"Medium State Routes", 2},     {"Local Collector", 1}, {"Light State Routes", 1},
        {"Secondary System and City Streets", 2}};
    int row = 0;
    for (const FacilityGroup& group : kGroups) {
        if (row > 0) table.Rule();
        QLabel* facility = RuledTable::Cell(group.name, w);
        facility->setWordWrap(true);
        facility->setFixedWidth(240);
        table.Put(0, facility, group.rows, Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < group.rows; ++i, ++row) {
            const QString singleUnit = QString::number(10 * row);
            const QString multiUnit = QString::number(100 - 10 * row);
            table.Put(1, RuledTable::Cell(singleUnit, w), 1, Qt::AlignCenter);
            table.Put(2, RuledTable::Cell(multiUnit, w), 1, Qt::AlignCenter);
            QLabel* average = w->AddDisplay(S::kFirstAverage + row, "Average 18-Kip ESAL, " + singleUnit +
                                                                        " % S.U. Trucks, " + multiUnit +
                                                                        " % M.U. Trucks");
            average->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            average->setFixedWidth(72);
            average->setStyleSheet("QLabel { background: white; border: 1px solid #909090; padding: 1px 4px; }");
            auto* box = new QWidget(w);
            auto* boxLayout = new QHBoxLayout(box);
            boxLayout->setContentsMargins(10, 3, 10, 3);
            boxLayout->addWidget(average, 0, Qt::AlignCenter);
            table.Put(3, box);
            table.NextRow();
        }
    }
    layout->addWidget(table.Finish());
    layout->addSpacing(8);
    QLabel* note = MakeNote(
        "Note:  \"Heavy\" State Routes refers to routes having truck percentages of 15% or greater and/or traffic "
        "volumes exceeding 4,000 vpd.  \"Medium\" State Routes refers to routes having traffic volumes from "
        "3,000-4,000 vpd. ",
        w);
    layout->addWidget(note);
    layout->addSpacing(8);
    layout->addLayout(EntryRow(w, S::kEntry, fields::kEsalWorksheetEntry));
    layout->addSpacing(8);
    layout->addLayout(BackRow(w, S::kBack));
    w->SetFocusOrder({S::kEntry, S::kBack});
    return w;
}

FormWindow* BuildLdfWorksheetWindow(WindowContext& context) {
    using S = LdfWorksheet;
    auto* w = new FormWindow(context.logic, ScreenTitle("Lane Distribution Factor"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("LANE DISTRIBUTION FACTOR", w));
    layout->addWidget(MakeNote("The table below may be used as a guide for estimating the percentage of total "
                               "trucks that are in the design lane:",
                               w));
    layout->addSpacing(6);
    RuledTable table(w, {"Facility", "Percent of trucks in design lane"});
    static constexpr const char* kRows[][2] = {{"Four Lane Rural Freeway", "85-100"},
                                               {"Four Lane Urban Freeway", "60-80"},
                                               {"Six Lane Rural Freeway", "70"},
                                               {"Six Lane Urban Freeway", "60"},
                                               {"Four Lane Rural Highway - Free Access", "70-100"},
                                               {"Four Lane Urban Highway - Free Access", "60-80"},
                                               {"Two Lane Highways and Ramps", "100"}};
    bool first = true;
    for (const auto& [facility, percent] : kRows) {
        if (!first) table.Rule();
        first = false;
        table.Put(0, RuledTable::Cell(facility, w), 1, Qt::AlignLeft | Qt::AlignVCenter);
        table.Put(1, RuledTable::Cell(percent, w), 1, Qt::AlignCenter);
        table.NextRow();
    }
    auto* centred = new QHBoxLayout;
    centred->addStretch();
    centred->addWidget(table.Finish());
    centred->addStretch();
    layout->addLayout(centred);
    layout->addSpacing(10);
    layout->addLayout(EntryRow(w, S::kEntry, fields::kLdfWorksheetEntry));
    layout->addSpacing(8);
    layout->addLayout(BackRow(w, S::kBack));
    w->SetFocusOrder({S::kEntry, S::kBack});
    w->setMinimumWidth(560);
    return w;
}

FormWindow* BuildCountyWorksheetWindow(WindowContext& context) {
    using S = CountyWorksheet;
    auto* w = new FormWindow(context.logic, ScreenTitle("County Data"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("RECOMMENDED SOIL SUPPORT AND REGIONAL FACTOR", w));
    layout->addWidget(MakeNote("Select a county from the list below - the recommended Soil Support Value and "
                               "Regional Factor will appear in the boxes to the right",
                               w));

    // The names in table order: the list does not sort itself.
    QStringList names;
    for (const CountyEntry& entry : static_cast<S&>(context.logic).table()) names.append(Q(entry.name));
    QListWidget* list = w->AddListBox(S::kList, "County", names);
    list->setSortingEnabled(false);
    // Nothing is selected at first, and taking the keyboard focus must not
    // make the first county current by itself: an explicitly set (empty)
    // current position stops the list from choosing one on focus.
    {
        QSignalBlocker block(list);
        list->setCurrentIndex(QModelIndex());
        list->clearSelection();
    }
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QString(24, QLatin1Char('M'))));
    list->setMinimumHeight(list->fontMetrics().height() * 14);

    auto* middle = new QHBoxLayout;
    middle->addWidget(list, 1);
    middle->addSpacing(24);
    auto* values = new QGridLayout;
    values->setVerticalSpacing(4);
    int row = 0;
    for (const auto& [control, caption] : {std::pair{S::kSoilSupport, "Soil Support"},
                                           std::pair{S::kRegionalFactor, "Regional Factor"}}) {
        QLineEdit* box = w->AddField(control, caption);
        box->setFixedWidth(90);
        values->addWidget(MakeCaption(caption, box, w), row, 0);
        values->addWidget(box, row + 1, 0, Qt::AlignLeft);
        values->setRowMinimumHeight(row + 2, 16);
        row += 3;
    }
    values->setRowStretch(row, 1);
    middle->addLayout(values);
    middle->addStretch();
    layout->addLayout(middle);
    layout->addSpacing(8);

    auto* caution = new QHBoxLayout;
    QLabel* cautionMark = MakeCaption("CAUTION:", nullptr, w);
    caution->addWidget(cautionMark, 0, Qt::AlignTop);
    caution->addWidget(MakeNote("Recommended Soil Support numbers are intended to be used for preliminary design "
                                "only.  Actual measured Soil Support values reported by ZOR should be used "
                                "whenever possible.",
                                w),
                       1);
    layout->addLayout(caution);
    layout->addSpacing(4);
    layout->addWidget(MakeNote("Note:  Regional Factors may vary slightly from those shown on the state map "
                               "published by ZOR.  For comparison, a difference of 0.2 in the RF results in a "
                               "difference of approximately 5 mm in the required thickness of asphaltic concrete.  "
                               "The higher the RF, the higher the required structural value.",
                               w));
    layout->addSpacing(8);
    layout->addLayout(BackRow(w, S::kBack, {{S::kAccept, "ACCEPT THE ABOVE VALUES AND RETURN TO DESIGN SCREEN"}}));

    w->SetFocusOrder({S::kList, S::kSoilSupport, S::kRegionalFactor, S::kAccept, S::kBack});
    w->setMinimumWidth(620);
    list->setFocus();
    return w;
}

}  // namespace korvelle
