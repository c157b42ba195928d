#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

#include "ui/structure_screens.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// One row of the guidelines: the use is named at its group's first row only;
// a thickness cell holds one line per typical thickness.
struct GuidelineRow {
    const char* use;
    const char* mixType;
    const char* thickness;
    const char* remarks;
};

constexpr GuidelineRow kGuidelines[] = {
    {" Surface", "4.75 mm Mix", "7/8 \" (90 lb/sq. yd.)", "Optional for off-system and State Routes with ADT < 800"},
    {nullptr, "9.5 mm Superpave", "1.25\" (135 lb/sq. yd.)", "Off-System routes; State Routes with ADT < 6,000"},
    {nullptr, "9.5 mm SMA", "1.25\" (135 lb/sq. yd.)",
     "May be used as alternate surface on State Routes with ADT > 6,000 but < 50,000 - only when recommended by "
     "ZOR"},
    {nullptr, "12.5 mm Superpave", "1.5\" (165 lb/sq. yd.)\n*4\" (440 lb/sq. yd.)\n*6\" (660 lb/sq.yd.)",
     "State Routes with ADT => 6,000; shoulders and ramps on Interstate routes; may be placed up to 4\" thick for "
     "driveway and side-road transitions; *trench widening which may be left exposed as travel surface"},
    {nullptr, "12.5 mm SMA", "1.5\" (165 lb/sq. yd.", "State Routes with ADT > 50,000"},
    {nullptr, "9.5 mm OGFC", "75 lb/sq. yd.", "Limited use on State Routes to address specific drainage problems"},
    {nullptr, "12.5 mm OGFC", "90 lb/sq. yd.",
     "State Routes with ADT > 25,000 and which are not in reduced speed zone areas (not less than 55 mph)"},
    {nullptr, "12.5 mm PEM", "135 lb/sq. yd.", "All Interstate Highway routes"},
    {" Intermediate", "19 mm Superpave",
     "2\" (220 lb/sq. yd.)\n3\" (330 lb/sq. yd.)\n4\" (440 lb/sq. yd.)\n*6\" (660 lb/sq. yd.)",
     "All routes; *trench widening which may be left exposed as travel surface"},
    {nullptr, "19 mm SMA", "2\" (220 lb/sq. yd.)", "Interstate routes where overlay of CRC is needed"},
    {" Base", "25 mm Superpave",
     "3\" (330 lb/sq. yd.)\n4\" (440 lb/sq. yd.)\n5\" (550 lb/sq. yd.)\n*6\" (660 lb/sq. yd.)",
     "All routes; *trench widening which will be overlaid"},
};

QTableWidgetItem* Item(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);  // read only, not selectable
    item->setTextAlignment(alignment);
    return item;
}

}  // namespace

FormWindow* BuildGuidelinesWindow(WindowContext& context) {
    auto* w = new FormWindow(context.logic, ScreenTitle("SuperPave Mix Guidelines"));
    auto* layout = new QVBoxLayout(w);
    const QString heading = "GUIDELINES FOR USE OF ASPHALTIC CONCRETE LAYER AND MIX TYPES";
    layout->addWidget(MakeHeading(heading, w));

    const int rows = static_cast<int>(std::size(kGuidelines));
    auto* table = new QTableWidget(rows, 4, w);
    table->setAccessibleName(heading);
    table->setHorizontalHeaderLabels({"USE", "MIX TYPE", "TYPICAL LAYER THICKNESS AND SPREAD RATE", "REMARKS"});
    QHeaderView* header = table->horizontalHeader();
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    header->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(true);
    table->setShowGrid(true);
    table->setStyleSheet("QTableWidget::item { padding: 4px 6px; }");
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    int groupStart = 0;
    for (int r = 0; r < rows; ++r) {
        const GuidelineRow& row = kGuidelines[r];
        if (row.use) {
            table->setItem(r, 0, Item(row.use, topLeft));
            groupStart = r;
        }
        // Each group's name stands once, beside all of the group's rows.
        const bool lastOfGroup = r + 1 == rows || kGuidelines[r + 1].use;
        if (lastOfGroup && r > groupStart) table->setSpan(groupStart, 0, r - groupStart + 1, 1);
        table->setItem(r, 1, Item(row.mixType, topLeft));
        table->setItem(r, 2, Item(row.thickness, Qt::AlignHCenter | Qt::AlignTop));
        table->setItem(r, 3, Item(row.remarks, topLeft));
    }

    const QFontMetrics metrics = table->fontMetrics();
    const int em = metrics.horizontalAdvance(QLatin1Char('M'));
    table->setColumnWidth(0, metrics.horizontalAdvance(" Intermediate") + 2 * em);
    table->setColumnWidth(1, metrics.horizontalAdvance("12.5 mm Superpave") + 2 * em);
    table->setColumnWidth(2, QFontMetrics(bold).horizontalAdvance("TYPICAL LAYER THICKNESS") + 2 * em);
    table->setColumnWidth(3, 30 * em);
    table->resizeRowsToContents();
    header->setMinimumHeight(2 * QFontMetrics(bold).lineSpacing() + 16);

    // The whole table at once, without scrolling.
    int width = 2 * table->frameWidth();
    for (int c = 0; c < 4; ++c) width += table->columnWidth(c);
    int height = 2 * table->frameWidth() + header->minimumHeight();
    for (int r = 0; r < rows; ++r) height += table->rowHeight(r);
    table->setFixedSize(width, height);
    layout->addWidget(table, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* okay = w->AddButton(GuidelinesScreen::kOkay, "OKAY");
    buttons->addWidget(okay);
    buttons->addStretch();
    layout->addLayout(buttons);
    w->SetFocusOrder({GuidelinesScreen::kOkay});
    okay->setFocus();
    return w;
}

}  // namespace korvelle
