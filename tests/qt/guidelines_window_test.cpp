#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "core/materials.h"
#include "qt_fixture.h"
#include "ui/structure_screens.h"

namespace korvelle::testing {
namespace {

class GuidelinesWindowTest : public QtProgramTest {
protected:
    void SetUp() override {
        InitMaterialLists(record);
        program.Show(ScreenId::Guidelines);
        ASSERT_TRUE(Visible(ScreenId::Guidelines));
        table = Window(ScreenId::Guidelines)->findChild<QTableWidget*>();
        ASSERT_NE(table, nullptr);
    }
    QString Cell(int row, int column) {
        QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    }
    QTableWidget* table = nullptr;
};

TEST_F(GuidelinesWindowTest, ShowsTheWholeTableAsWritten) {
    FormWindow* w = Window(ScreenId::Guidelines);
    EXPECT_EQ(w->windowTitle(), "Flexible Pavement Design - SuperPave Mix Guidelines");
    QStringList labels;
    for (QLabel* label : w->findChildren<QLabel*>()) labels.append(label->text());
    EXPECT_TRUE(labels.contains("GUIDELINES FOR USE OF ASPHALTIC CONCRETE LAYER AND MIX TYPES"));

    ASSERT_EQ(table->columnCount(), 4);
    ASSERT_EQ(table->rowCount(), 11);
    const char* headings[] = {"USE", "MIX TYPE", "TYPICAL LAYER THICKNESS AND SPREAD RATE", "REMARKS"};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(table->horizontalHeaderItem(c)->text(), headings[c]);

    // Each use stands once, at its group's first row, beside all its rows.
    EXPECT_EQ(Cell(0, 0), " Surface");
    EXPECT_EQ(table->rowSpan(0, 0), 8);
    EXPECT_EQ(Cell(8, 0), " Intermediate");
    EXPECT_EQ(table->rowSpan(8, 0), 2);
    EXPECT_EQ(Cell(10, 0), " Base");
    for (int r : {1, 2, 3, 4, 5, 6, 7, 9}) EXPECT_EQ(Cell(r, 0), "") << r;

    const char* rows[11][3] = {
        {"4.75 mm Mix", "7/8 \" (90 lb/sq. yd.)", "Optional for off-system and State Routes with ADT < 800"},
        {"9.5 mm Superpave", "1.25\" (135 lb/sq. yd.)", "Off-System routes; State Routes with ADT < 6,000"},
        {"9.5 mm SMA", "1.25\" (135 lb/sq. yd.)",
         "May be used as alternate surface on State Routes with ADT > 6,000 but < 50,000 - only when recommended "
         "by ZOR"},
        {"12.5 mm Superpave", "1.5\" (165 lb/sq. yd.)\n*4\" (440 lb/sq. yd.)\n*6\" (660 lb/sq.yd.)",
         "State Routes with ADT => 6,000; shoulders and ramps on Interstate routes; may be placed up to 4\" thick "
         "for driveway and side-road transitions; *trench widening which may be left exposed as travel surface"},
        {"12.5 mm SMA", "1.5\" (165 lb/sq. yd.", "State Routes with ADT > 50,000"},
        {"9.5 mm OGFC", "75 lb/sq. yd.", "Limited use on State Routes to address specific drainage problems"},
        {"12.5 mm OGFC", "90 lb/sq. yd.",
         "State Routes with ADT > 25,000 and which are not in reduced speed zone areas (not less than 55 mph)"},
        {"12.5 mm PEM", "135 lb/sq. yd.", "All Interstate Highway routes"},
        {"19 mm Superpave", "2\" (220 lb/sq. yd.)\n3\" (330 lb/sq. yd.)\n4\" (440 lb/sq. yd.)\n*6\" (660 lb/sq. yd.)",
         "All routes; *trench widening which may be left exposed as travel surface"},
        {"19 mm SMA", "2\" (220 lb/sq. yd.)", "Interstate routes where overlay of CRC is needed"},
        {"25 mm Superpave", "3\" (330 lb/sq. yd.)\n4\" (440 lb/sq. yd.)\n5\" (550 lb/sq. yd.)\n*6\" (660 lb/sq. yd.)",
         "All routes; *trench widening which will be overlaid"},
    };
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(r, c + 1), rows[r][c]) << r << "," << c + 1;
    }

    // A reference to read, not a form to fill: nothing editable, every row
    // tall enough for its lines, no scrolling.
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (QTableWidgetItem* item = table->item(r, c)) {
                EXPECT_FALSE(item->flags() & Qt::ItemIsEditable);
            }
        }
    }
    const int line = table->fontMetrics().lineSpacing();
    EXPECT_GE(table->rowHeight(10), 4 * line);
    EXPECT_GE(table->rowHeight(3), 3 * line);
    int height = table->horizontalHeader()->height();
    for (int r = 0; r < 11; ++r) height += table->rowHeight(r);
    EXPECT_LE(height, table->viewport()->height() + table->horizontalHeader()->height());
}

TEST_F(GuidelinesWindowTest, OkayAndTheCloseBoxHideTheGuidelines) {
    auto* okay = qobject_cast<QPushButton*>(Window(ScreenId::Guidelines)->control(GuidelinesScreen::kOkay));
    ASSERT_NE(okay, nullptr);
    EXPECT_EQ(okay->text(), "OKAY");
    EXPECT_EQ(okay->accessibleName(), "OKAY");
    Click(ScreenId::Guidelines, GuidelinesScreen::kOkay);
    EXPECT_FALSE(Visible(ScreenId::Guidelines));

    // Shown again: the same window with the same table.
    program.Show(ScreenId::Guidelines);
    EXPECT_TRUE(Visible(ScreenId::Guidelines));
    EXPECT_EQ(Window(ScreenId::Guidelines)->findChild<QTableWidget*>(), table);
    // The close box hides the window through its logic: the close itself is
    // refused.
    EXPECT_FALSE(Window(ScreenId::Guidelines)->close());
    EXPECT_FALSE(Visible(ScreenId::Guidelines));
    program.Show(ScreenId::Guidelines);
    EXPECT_TRUE(Visible(ScreenId::Guidelines));
}

}  // namespace
}  // namespace korvelle::testing
