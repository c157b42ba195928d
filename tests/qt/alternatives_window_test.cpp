// The ALTERNATIVES window on the offscreen platform: the rows as the
// comparison computes them, sorting by a heading, and its buttons, whose
// rules are the comparison's own (tested with the screens' logic).

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "qt/alternatives_window.h"
#include "structure_fixture.h"

namespace korvelle::testing {
namespace {

class AlternativesWindowTest : public StructureWindowsTest {
protected:
    // Full-depth alternatives against SN 3.44: A, 1.50 in. of SP12.5 on 2.00 of
    // SP19 on 3.00 of SP25 on 8.00 of GAB, proposes 0.66 + 0.88 + (0.44 +
    // 0.60) + 1.28 = 3.86; B, 1.00 of SP12.5 alone, 0.44: 87.2% under.
    void SetUp() override {
        StructureWindowsTest::SetUp();
        auto row = [](const char* material, int position, const char* inches) {
            return CourseRow{material, position, inches};
        };
        const CourseRow none{"", -1, ""};
        program.alternatives() = {
            {"A: as designed", StructureKind::FullDepth,
             {row("12.5 mm Superpave", 2, "1.50"), row("19 mm Superpave", 3, "2.00"), row("25 mm Superpave", 5, "3"),
              row("Graded Aggregate Base", 8, "8"), none}},
            {"B: one course", StructureKind::FullDepth, {row("12.5 mm Superpave", 2, "1"), none, none, none, none}},
        };
    }
    static QStringList Column(const QTableWidget& table, AlternativeColumn column) {
        QStringList texts;
        for (int r = 0; r < table.rowCount(); ++r) texts << table.item(r, static_cast<int>(column))->text();
        return texts;
    }
};

TEST_F(AlternativesWindowTest, RowsSortByAHeadingAndUseReturnsTheAlternativeOfTheRowChosen) {
    AlternativesWindow window(program);
    QTableWidget& table = *window.table();
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(Column(table, AlternativeColumn::ProposedSn), (QStringList{"3.86", "0.44"}));
    EXPECT_EQ(Column(table, AlternativeColumn::Difference), (QStringList{"12.2% Overdesign", "87.2% Underdesign"}));
    EXPECT_TRUE(window.requiredSn()->text().startsWith("Required SN 3.44.")) << window.requiredSn()->text().toStdString();
    EXPECT_FALSE(table.isHidden());
    EXPECT_TRUE(window.empty()->isHidden());
    for (QPushButton* button : {window.useButton(), window.renameButton(), window.deleteButton(), window.closeButton()}) {
        EXPECT_FALSE(button->accessibleName().isEmpty());
    }
    EXPECT_EQ(table.accessibleName(), "Alternatives");

    // A click on a heading sorts by its numbers; again, the other way.
    window.show();
    QHeaderView& header = *table.horizontalHeader();
    const int section = static_cast<int>(AlternativeColumn::ProposedSn);
    const QPoint middle(header.sectionViewportPosition(section) + header.sectionSize(section) / 2, header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, middle);
    const QStringList first = Column(table, AlternativeColumn::Name);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, middle);
    const QStringList second = Column(table, AlternativeColumn::Name);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(QStringList({second[1], second[0]}), first);
    table.sortItems(static_cast<int>(AlternativeColumn::ProposedSn), Qt::AscendingOrder);
    EXPECT_EQ(Column(table, AlternativeColumn::Name), (QStringList{"B: one course", "A: as designed"}));

    // USE on the top row gives B, the second kept, whatever the order shown.
    table.selectRow(0);
    window.useButton()->click();
    EXPECT_EQ(window.chosen(), std::optional<std::size_t>(1));
}

TEST_F(AlternativesWindowTest, DeleteAsksAndTheListEmptiesToANote) {
    AlternativesWindow window(program);
    window.table()->selectRow(0);
    desktop.answers = {Answer::Yes, Answer::Yes};
    window.deleteButton()->click();
    ASSERT_EQ(window.table()->rowCount(), 1);
    EXPECT_EQ(program.alternatives().at(0).name, "B: one course");
    EXPECT_TRUE(window.useButton()->isEnabled());  // the next one is selected
    window.deleteButton()->click();
    EXPECT_TRUE(program.alternatives().empty());
    EXPECT_TRUE(window.table()->isHidden());
    EXPECT_FALSE(window.empty()->isHidden());
    EXPECT_FALSE(window.useButton()->isEnabled());
    EXPECT_EQ(desktop.questions.size(), 2u);
}

}  // namespace
}  // namespace korvelle::testing
