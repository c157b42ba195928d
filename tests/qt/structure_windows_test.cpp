#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <cstdlib>

#include "structure_fixture.h"

namespace korvelle::testing {
namespace {

constexpr ScreenId kFullDepth = ScreenId::FullDepthEntry;
constexpr ScreenId kOverlay = ScreenId::OverlayEntry;

const char* const kSurfaceNote =
    "OGFC and PEM layers should be entered only for COURSE 1.  For OGFC or PEM, enter \"0\" for thickness or leave "
    "the thickness field blank.";
const char* const kThicknessNote = "To set thickness, type a number into the THICKNESS field or use the scroll bars";

QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

// The controls the Tab key visits, in order, starting at `first`.
QList<QWidget*> TabChain(QWidget* first, int count) {
    QList<QWidget*> chain{first};
    QWidget* next = first;
    while (chain.size() < count) {
        next = next->nextInFocusChain();
        if (next->focusPolicy() & Qt::TabFocus) chain << next;
    }
    return chain;
}

// Clicks the right-hand arrow of a scroll bar.
void ClickRightArrow(QScrollBar* bar) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
    QApplication::processEvents();
}

using StructureEntryWindowsTest = StructureWindowsTest;

TEST_F(StructureEntryWindowsTest, FullDepthScreenShowsItsCoursesNotesAndButtons) {
    program.Show(kFullDepth);
    FormWindow* w = Window(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    ExpectTitleAndCaptions(kFullDepth, "Flexible Pavement Design - Proposed Pavement Structure",
                           {"PROPOSED PAVEMENT STRUCTURE", "COURSE 1", "COURSE 2", "COURSE 3", "COURSE 4", "COURSE 5",
                            "THICKNESS (INCHES)", kSurfaceNote, kThicknessNote});
    EXPECT_EQ(TextOf(kFullDepth, s.ContinueButton()), "CONTINUE");
    EXPECT_EQ(TextOf(kFullDepth, s.GuidelinesButton()), "Click for Pavement Type Guidelines");
    EXPECT_EQ(TextOf(kFullDepth, s.QuitButton()), "QUIT");

    // Course 1 offers the surface mixes and no "[NO COURSE]"; courses 2 to 5
    // the mixes from "12.5 mm Superpave" on, the bases and "[NO COURSE]".
    EXPECT_EQ(Items(List(kFullDepth, 0)),
              QStringList({"12.5 mm OGFC", "12.5 mm PEM", "12.5 mm Superpave", "9.5 mm Superpave", "12.5 mm SMA"}));
    const QStringList lower{"12.5 mm Superpave", "9.5 mm Superpave", "12.5 mm SMA",
                            "19 mm Superpave",   "19 mm SMA",        "25 mm Superpave",
                            "37 mm Superpave",   "Soil-Cement Base", "Graded Aggregate Base",
                            "[NO COURSE]"};
    for (int r = 1; r < 5; ++r) EXPECT_EQ(Items(List(kFullDepth, r)), lower) << r;

    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(List(kFullDepth, r)->currentIndex(), -1) << r;  // nothing chosen at first
        EXPECT_FALSE(List(kFullDepth, r)->isEditable());
        EXPECT_EQ(TextOf(kFullDepth, s.Thickness(r)), "");
        EXPECT_EQ(Bar(kFullDepth, r)->value(), 0);
        EXPECT_EQ(Bar(kFullDepth, r)->maximum(), r == 0 ? 24 : 64) << r;
        EXPECT_EQ(w->control(s.Thickness(r))->toolTip(),
                  r == 0 ? "Inches; the scroll bar sets quarter inches up to 6.00"
                         : "Inches; the scroll bar sets quarter inches up to 16.00");
    }
    EXPECT_EQ(List(kFullDepth, 2)->accessibleName(), "COURSE 3 material");
    EXPECT_EQ(w->control(s.Thickness(2))->accessibleName(), "COURSE 3 THICKNESS (INCHES)");

    // Tab runs row by row: list, thickness, scroll bar, FIT; then LEAST COST,
    // KEEP AS ALTERNATIVE and the buttons.
    QList<QWidget*> expected;
    for (int r = 0; r < 5; ++r) {
        expected << w->control(s.List(r)) << w->control(s.Thickness(r)) << w->control(s.Scroll(r))
                 << w->control(s.FitButton(r));
    }
    expected << w->control(s.LeastCostButton()) << w->control(s.KeepButton()) << w->control(s.ContinueButton()) << w->control(s.GuidelinesButton())
             << w->control(s.QuitButton());
    EXPECT_EQ(TabChain(w->control(s.List(0)), expected.size()), expected);
    EXPECT_EQ(w->control(s.LeastCostButton())->accessibleName(), "LEAST COST");
    EXPECT_EQ(w->control(s.KeepButton())->accessibleName(), "KEEP AS ALTERNATIVE");
}

TEST_F(StructureEntryWindowsTest, ScrollBarsSetTheThicknessInQuarterInches) {
    program.Show(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    ClickRightArrow(Bar(kFullDepth, 0));
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "0.25");

    // Typing does not move the bar; its next change overwrites the text.
    Type(kFullDepth, s.Thickness(1), "3.3");
    EXPECT_EQ(Bar(kFullDepth, 1)->value(), 0);
    ClickRightArrow(Bar(kFullDepth, 1));
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(1)), "0.25");

    // The top course stops at 6.00 inches, the others at 16.00.
    Bar(kFullDepth, 0)->setValue(23);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "5.75");
    ClickRightArrow(Bar(kFullDepth, 0));
    ClickRightArrow(Bar(kFullDepth, 0));
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "6.00");
    EXPECT_EQ(Bar(kFullDepth, 0)->value(), 24);
    Bar(kFullDepth, 4)->setValue(64);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(4)), "16.00");
}

TEST_F(StructureEntryWindowsTest, ArrowKeysMoveAThicknessBarTheWayTheyPoint) {
    program.Show(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    QScrollBar* bar = Bar(kFullDepth, 0);
    for (int i = 0; i < 6; ++i) QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "1.50");
    QTest::keyClick(bar, Qt::Key_Left);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "1.25");
    QTest::keyClick(bar, Qt::Key_Up);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "1.50");
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "6.00");
}

TEST_F(StructureEntryWindowsTest, ContinueChecksTheRowsThroughTheDesktop) {
    program.Show(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    Click(kFullDepth, s.ContinueButton());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Data must be entered for top course");
    EXPECT_EQ(desktop.messages[0].title, "ERROR");
    EXPECT_TRUE(Visible(kFullDepth));

    // A surface course laid by spread rate gets "0" for its thickness.
    Course(kFullDepth, 0, "12.5 mm PEM", "2.50");
    Choose(kFullDepth, 1, "19 mm SMA");
    Click(kFullDepth, s.ContinueButton());
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "0");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, "Pavement thickness must be entered for each course");
    EXPECT_FALSE(Visible(ScreenId::FullDepthResult));
}

TEST_F(StructureEntryWindowsTest, OverlayScreenTellsItsTwoGroupsApart) {
    program.Show(kOverlay);
    FormWindow* w = Window(kOverlay);
    const StructureEntryScreen& s = Entry(kOverlay);
    ExpectTitleAndCaptions(kOverlay, "Flexible Pavement Design - Proposed Overlay",
                           {"PROPOSED OVERLAY PAVEMENT STRUCTURE", "COURSE 1", "COURSE 2", "COURSE 3",
                            "THICKNESS (INCHES)", kSurfaceNote, kThicknessNote});
    const QStringList captions = Captions(kOverlay);
    EXPECT_EQ(captions.count("COURSE 1"), 2);
    EXPECT_FALSE(captions.contains("COURSE 4"));
    QStringList groups;
    for (QGroupBox* box : w->findChildren<QGroupBox*>()) groups << box->title();
    EXPECT_EQ(groups, QStringList({"PROPOSED OVERLAY", "EXISTING PAVEMENT"}));
    // Each group's rows sit inside its box.
    EXPECT_TRUE(w->findChildren<QGroupBox*>()[0]->isAncestorOf(List(kOverlay, 2)));
    EXPECT_TRUE(w->findChildren<QGroupBox*>()[1]->isAncestorOf(List(kOverlay, 3)));

    EXPECT_EQ(Items(List(kOverlay, 0)),
              QStringList({"12.5 mm OGFC", "12.5 mm PEM", "12.5 mm Superpave", "9.5 mm Superpave", "12.5 mm SMA"}));
    const QStringList overlayLower{"12.5 mm Superpave", "9.5 mm Superpave", "12.5 mm SMA",     "19 mm Superpave",
                                   "19 mm SMA",         "25 mm Superpave",  "37 mm Superpave", "[NO COURSE]"};
    const QStringList existing{"Portland Cement Concrete (good)",
                               "Portland Cement Concrete (fair)",
                               "Asphaltic Concrete",
                               "Soil-Cement Base",
                               "Graded Aggregate Base",
                               "Sand-Clay Base",
                               "[NO COURSE]"};
    EXPECT_EQ(Items(List(kOverlay, 1)), overlayLower);
    EXPECT_EQ(Items(List(kOverlay, 2)), overlayLower);
    for (int r = 3; r < 6; ++r) EXPECT_EQ(Items(List(kOverlay, r)), existing) << r;

    QSet<QString> names;
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(List(kOverlay, r)->currentIndex(), -1);
        EXPECT_EQ(Bar(kOverlay, r)->maximum(), r < 3 ? 24 : 64) << r;  // all overlay rows stop at 6.00
        names << List(kOverlay, r)->accessibleName() << w->control(s.Thickness(r))->accessibleName()
              << w->control(s.Scroll(r))->accessibleName();
    }
    EXPECT_EQ(names.size(), 18);  // no two controls share a name
    EXPECT_EQ(List(kOverlay, 0)->accessibleName(), "PROPOSED OVERLAY COURSE 1 material");
    EXPECT_EQ(List(kOverlay, 3)->accessibleName(), "EXISTING PAVEMENT COURSE 1 material");

    ClickRightArrow(Bar(kOverlay, 5));
    EXPECT_EQ(TextOf(kOverlay, s.Thickness(5)), "0.25");
    EXPECT_EQ(TextOf(kOverlay, s.Thickness(2)), "");

    // The overlay's own message for a missing top existing course.
    Course(kOverlay, 0, "12.5 mm Superpave", "1.50");
    Click(kOverlay, s.ContinueButton());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Data must be entered for top existing course");
}

TEST_F(StructureEntryWindowsTest, EachCourseRowEndsInANamedFitButton) {
    struct Screen {
        ScreenId id;
        QStringList names;
    };
    const Screen screens[] = {
        {kFullDepth,
         {"Fit COURSE 1 thickness", "Fit COURSE 2 thickness", "Fit COURSE 3 thickness", "Fit COURSE 4 thickness",
          "Fit COURSE 5 thickness"}},
        {kOverlay,
         {"Fit overlay COURSE 1 thickness", "Fit overlay COURSE 2 thickness", "Fit overlay COURSE 3 thickness",
          "Fit existing COURSE 1 thickness", "Fit existing COURSE 2 thickness", "Fit existing COURSE 3 thickness"}},
    };
    for (const Screen& screen : screens) {
        program.Show(screen.id);
        FormWindow* w = Window(screen.id);
        const StructureEntryScreen& s = Entry(screen.id);
        QStringList names;
        for (int r = 0; r < s.rows(); ++r) {
            auto* fit = qobject_cast<QPushButton*>(w->control(s.FitButton(r)));
            ASSERT_NE(fit, nullptr);
            names << fit->accessibleName();
            EXPECT_EQ(fit->text(), "FIT");
            EXPECT_FALSE(fit->toolTip().isEmpty());
            // After the row's scroll bar: to its right on the same line, and
            // next in the Tab order.
            QWidget* bar = w->control(s.Scroll(r));
            EXPECT_GT(fit->mapTo(w, QPoint()).x(), bar->mapTo(w, QPoint(bar->width(), 0)).x());
            EXPECT_LT(std::abs(fit->mapTo(w, fit->rect().center()).y() - bar->mapTo(w, bar->rect().center()).y()),
                      fit->height() / 2);
            EXPECT_EQ(TabChain(bar, 2).last(), fit);
        }
        EXPECT_EQ(names, screen.names);
    }
}

TEST_F(StructureEntryWindowsTest, FitByMouseAndByKeyboardSetsTheFieldAndTheBar) {
    program.Show(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    Course(kFullDepth, 0, "12.5 mm Superpave", "1.50");
    Course(kFullDepth, 1, "19 mm Superpave", "2.00");
    Choose(kFullDepth, 2, "25 mm Superpave");
    Course(kFullDepth, 3, "Graded Aggregate Base", "8.00");

    // Required 3.44: course 3 needs 1.75 in. (0.44 + 0.23 of it).
    Click(kFullDepth, s.FitButton(2));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(TextOf(kFullDepth, s.Thickness(2)), "1.75");
    EXPECT_EQ(Bar(kFullDepth, 2)->value(), 7);
    EXPECT_TRUE(Visible(kFullDepth));

    // From the bar, Tab reaches FIT; Space and Enter press it.  A fit beyond
    // the bar leaves the bar at its end: course 1 alone needs 9.50 in.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        Choose(kFullDepth, 1, "[NO COURSE]");
        Choose(kFullDepth, 2, "[NO COURSE]");
        Choose(kFullDepth, 3, "[NO COURSE]");
        qobject_cast<QLineEdit*>(Window(kFullDepth)->control(s.Thickness(0)))->clear();
        Bar(kFullDepth, 0)->setFocus();
        QTest::keyClick(Window(kFullDepth)->focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), Window(kFullDepth)->control(s.FitButton(0)));
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
        EXPECT_EQ(TextOf(kFullDepth, s.Thickness(0)), "9.50") << key;
        EXPECT_EQ(Bar(kFullDepth, 0)->value(), 24) << key;
        EXPECT_EQ(QApplication::focusWidget(), Window(kFullDepth)->control(s.FitButton(0)));
    }
    EXPECT_TRUE(desktop.messages.empty());

    // A refusal is one message through the desktop.
    Click(kFullDepth, s.FitButton(4));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "COURSE 5 holds no course: choose its material before fitting its thickness");
}

TEST_F(StructureEntryWindowsTest, GuidelinesOpenBesideTheEntryScreenAndStayThroughContinue) {
    program.Show(kFullDepth);
    const StructureEntryScreen& s = Entry(kFullDepth);
    Click(kFullDepth, s.GuidelinesButton());
    EXPECT_TRUE(Visible(ScreenId::Guidelines));
    EXPECT_TRUE(Visible(kFullDepth));
    Click(kFullDepth, s.GuidelinesButton());  // again: still one window, still open
    EXPECT_TRUE(Visible(ScreenId::Guidelines));

    EnterFullDepthExample();
    EXPECT_TRUE(Visible(ScreenId::FullDepthResult));
    EXPECT_FALSE(Visible(kFullDepth));
    EXPECT_TRUE(Visible(ScreenId::Guidelines));
}

TEST_F(StructureEntryWindowsTest, QuitEndsTheProgram) {
    program.Show(kOverlay);
    Click(kOverlay, Entry(kOverlay).QuitButton());
    EXPECT_TRUE(desktop.quit);
}

}  // namespace
}  // namespace korvelle::testing
