#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QChartView>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

#include "qt/cross_section.h"
#include "qt/help_window.h"
#include "qt/print_support.h"
#include "qt/sensitivity_window.h"
#include "qt/structure_fixture.h"
#include "small_screen.h"
#include "ui/county_table.h"
#include "ui/print_screen.h"
#include "ui/startup_screens.h"
#include "ui/worksheets.h"

// Every window on a screen under a window manager, which frames each with a
// title bar: the screen, its scale factor and the window manager are set up
// by under_window_manager.sh, as main.cpp tells.

namespace korvelle::testing {
namespace {

constexpr ScreenId kEveryScreen[] = {
    ScreenId::Startup,       ScreenId::Information,    ScreenId::MainMenu,        ScreenId::ProjectInformation,
    ScreenId::DesignData,    ScreenId::DesignerInformation, ScreenId::EsalWorksheet, ScreenId::LdfWorksheet,
    ScreenId::CountyWorksheet, ScreenId::FullDepthEntry, ScreenId::OverlayEntry,   ScreenId::FullDepthResult,
    ScreenId::OverlayResult, ScreenId::Guidelines,     ScreenId::FullDepthPrint,  ScreenId::OverlayPrint};

// The part of a widget that its parents leave in sight, in the window's
// coordinates: a widget inside a scroll area is cut by the area's viewport.
QRect VisiblePart(const QWidget* widget, const QWidget* window) {
    QRect visible(widget->mapTo(window, QPoint(0, 0)), widget->size());
    for (const QWidget* p = widget->parentWidget(); p && p != window; p = p->parentWidget()) {
        visible &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    }
    return visible & window->rect();
}

QRect WholeRect(const QWidget* widget, const QWidget* window) {
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

QString Describe(const QWidget* widget) {
    QString name = widget->accessibleName();
    if (name.isEmpty()) {
        if (auto* label = qobject_cast<const QLabel*>(widget)) name = label->text();
    }
    return QString("%1 \"%2\"").arg(widget->metaObject()->className(), name.left(40));
}

QString Describe(QRect r) { return QString("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

// What a user reads or works in: texts, fields, buttons, lists, tables and
// the drawing.  The parts these are built of (a list's scroll bars, a
// table's header) are left out.
bool IsContent(const QWidget* widget) {
    const bool content = qobject_cast<const QLabel*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
                         qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
                         qobject_cast<const QAbstractSlider*>(widget) ||
                         qobject_cast<const QAbstractItemView*>(widget) ||
                         dynamic_cast<const CrossSectionView*>(widget) || qobject_cast<const QChartView*>(widget);
    if (!content) return false;
    for (const QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QComboBox*>(p)) return false;
        if (qobject_cast<const QScrollArea*>(p) && widget->parentWidget() == p) return false;  // its own bars
    }
    return true;
}

// Waits until the window manager has shown the window in its frame, and has
// done moving it.
::testing::AssertionResult Framed(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window)) return ::testing::AssertionFailure() << "never shown";
    for (int tries = 0; tries < 100 && FrameMargins(window).top() == 0; ++tries) QTest::qWait(20);
    if (FrameMargins(window).top() == 0) {
        return ::testing::AssertionFailure() << window->windowTitle().toStdString() << ": no title bar";
    }
    QTest::qWait(100);
    return ::testing::AssertionSuccess();
}

// The frame (title bar included) lies inside the available area of its screen.
::testing::AssertionResult FrameInsideTheScreen(const QWidget* window) {
    const QRect screen = window->screen()->availableGeometry();
    if (screen.contains(FrameGeometry(window))) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << window->windowTitle().toStdString() << ": frame "
                                         << Describe(FrameGeometry(window)).toStdString()
                                         << " outside the available area " << Describe(screen).toStdString();
}

// The window lies inside the available area of its screen; every button is
// wholly in sight; no two texts or controls overlap; no text is cut off.
::testing::AssertionResult FitsItsScreen(QWidget* window) {
    QStringList faults;
    if (auto inside = FrameInsideTheScreen(window); !inside) faults << inside.message();
    QList<QWidget*> content;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(window) && IsContent(widget)) content << widget;
    }
    for (QWidget* widget : content) {
        const QRect whole = WholeRect(widget, window);
        if (qobject_cast<QAbstractButton*>(widget) && VisiblePart(widget, window) != whole) {
            faults << Describe(widget) + " at " + Describe(whole) + " not wholly in sight";
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
            const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                               : label->minimumSizeHint().width() > label->width() ||
                                                     label->minimumSizeHint().height() > label->height();
            if (cut) faults << Describe(widget) + " cut off in " + Describe(whole);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->sizeHint().width() > button->width()) {
            faults << Describe(widget) + " cut off in " + Describe(whole);
        }
    }
    for (qsizetype i = 0; i < content.size(); ++i) {
        for (qsizetype j = i + 1; j < content.size(); ++j) {
            const QRect a = VisiblePart(content[i], window);
            const QRect b = VisiblePart(content[j], window);
            if (a.intersects(b)) {
                faults << Describe(content[i]) + " " + Describe(a) + " overlaps " + Describe(content[j]) + " " +
                              Describe(b);
            }
        }
    }
    if (faults.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << window->windowTitle().toStdString() << " "
                                         << Describe(FrameGeometry(window)).toStdString() << ":\n  "
                                         << faults.join("\n  ").toStdString();
}

class SmallScreenTest : public StructureWindowsTest {
protected:
    void SetUp() override {
        StructureWindowsTest::SetUp();
        auto table = LoadCountyTable(nullptr, nullptr);
        ASSERT_TRUE(table.has_value());
        program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(*table);
        windows.SetPrintService(&service);
        for (ScreenId id : {ScreenId::FullDepthPrint, ScreenId::OverlayPrint}) {
            program.logic<PrintScreen>(id).SetPrintService(&service);
        }
    }

    TemporaryHome home;
    ScriptedPrintService service;
};

TEST_F(SmallScreenTest, TheScreenIsTheOneConfiguredWithItsPanel) {
    if (expectedScreen.isEmpty()) GTEST_SKIP() << "no screen named on the command line";
    QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(QString("%1x%2").arg(screen->geometry().width()).arg(screen->geometry().height()), expectedScreen);
    QRect available = screen->geometry();
    available.setBottom(available.bottom() - panelHeight);
    EXPECT_EQ(screen->availableGeometry(), available);
}

TEST_F(SmallScreenTest, EveryWindowFitsTheScreenWithItsButtonsInSight) {
    // The result windows show evaluated designs, so that their cells and
    // drawings hold the longest texts of a real run.
    EnterFullDepthExample();
    EnterOverlayExample();
    // Each shown before the one before it is hidden, as the program moves
    // between screens, so that the window manager's frame is known.
    ScreenId previous = ScreenId::OverlayResult;
    for (ScreenId id : kEveryScreen) {
        program.Show(id);
        program.Hide(previous);
        previous = id;
        FormWindow* w = Window(id);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible());
        ASSERT_TRUE(Framed(w));
        EXPECT_TRUE(FitsItsScreen(w));
    }
}

// The guidelines open beside the structure entry screen: covering nothing
// of it where the screen has room for both side by side or one above the
// other, and both wholly on the screen.
TEST_F(SmallScreenTest, TheGuidelinesStandBesideTheEntryScreen) {
    for (ScreenId entry : {ScreenId::FullDepthEntry, ScreenId::OverlayEntry}) {
        SCOPED_TRACE(static_cast<int>(entry));
        program.ShowOnly(entry);
        ASSERT_TRUE(Framed(Window(entry)));
        program.logic(entry).Click(Entry(entry).GuidelinesButton());
        FormWindow* guidelines = Window(ScreenId::Guidelines);
        ASSERT_TRUE(Framed(guidelines));
        const QRect a = FrameGeometry(Window(entry));
        const QRect g = FrameGeometry(guidelines);
        EXPECT_TRUE(FrameInsideTheScreen(Window(entry)));
        EXPECT_TRUE(FrameInsideTheScreen(guidelines));
        const QRect screen = guidelines->screen()->availableGeometry();
        const bool room = a.width() + g.width() + 8 <= screen.width() || a.height() + g.height() + 8 <= screen.height();
        if (room) {
            EXPECT_FALSE(a.intersects(g)) << Describe(a).toStdString() << " " << Describe(g).toStdString();
        }
        program.logic(ScreenId::Guidelines).Click(GuidelinesScreen::kOkay);
    }
}

// The guide opens as wide as its widest picture where the screen allows;
// on a narrower screen every picture is drawn at the width of the page,
// keeping its proportions.
TEST_F(SmallScreenTest, TheHelpWindowShowsEveryPictureWhole) {
    program.ShowOnly(ScreenId::FullDepthEntry);
    FormWindow* entry = Window(ScreenId::FullDepthEntry);
    ASSERT_TRUE(Framed(entry));
    QTest::keyClick(entry->focusWidget() ? entry->focusWidget() : entry, Qt::Key_F1);
    HelpWindow& help = HelpWindow::Instance();
    ASSERT_TRUE(Framed(&help));
    EXPECT_TRUE(FrameInsideTheScreen(&help));

    const QTextDocument* page = help.browser()->document();
    const int width = help.browser()->viewport()->width() - 2 * static_cast<int>(std::ceil(page->documentMargin()));
    const int widest = help.WidestPicture();
    ASSERT_GT(widest, 0);
    const bool roomForAll = widest <= width;
    if (roomForAll) {
        EXPECT_LE(width - widest, 2) << "wider than its widest picture";
    }
    int pictures = 0;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat()) continue;
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            SCOPED_TRACE(format.name().toStdString());
            ++pictures;
            const QSize own = QImageReader(":/docs/" + format.name()).size();
            ASSERT_FALSE(own.isEmpty());
            if (own.width() <= width) {
                EXPECT_EQ(format.width(), own.width());
                EXPECT_EQ(format.height(), own.height());
            } else {
                EXPECT_EQ(format.width(), width);
                EXPECT_NEAR(format.height(), own.height() * double(width) / own.width(), 1.0);
            }
        }
    }
    EXPECT_GE(pictures, 10);
    // Laid out to its end, the page needs no sideways scrolling.
    help.ShowSection(help.Headings().last());
    QTest::qWait(200);
    EXPECT_EQ(help.browser()->horizontalScrollBar()->maximum(), 0);
    help.hide();
}

TEST_F(SmallScreenTest, ThePreviewOfTheFormFitsTheScreenWithItsButtonsInSight) {
    record = ExampleRecord();
    program.view(ScreenId::FullDepthResult);
    program.logic<ResultScreen>(ScreenId::FullDepthResult).Fill(ExampleSheet(), {});
    program.Show(ScreenId::FullDepthPrint);
    int previews = 0;
    service.inPreview = [&](FormPreview& preview) {
        ++previews;
        preview.show();
        EXPECT_TRUE(Framed(&preview));
        EXPECT_TRUE(FitsItsScreen(&preview));
        preview.close();
    };
    program.logic(ScreenId::FullDepthPrint).Click(PrintScreen::kPreview);
    EXPECT_EQ(previews, 1);
}

// The sensitivity chart opens over the main menu as large as the screen
// allows: each tab, the charts and the tables, in sight with its buttons.
class CheckedDisplay : public QtSensitivityDisplay {
public:
    int shown = 0;

protected:
    void Show(SensitivityWindow& window) override {
        ++shown;
        window.show();
        ASSERT_TRUE(Framed(&window));
        for (int tab = 0; tab < window.tabs()->count(); ++tab) {
            SCOPED_TRACE(window.tabs()->tabText(tab).toStdString());
            window.tabs()->setCurrentIndex(tab);
            QTest::qWait(50);
            EXPECT_TRUE(FitsItsScreen(&window));
        }
        window.close();
    }
};

TEST_F(SmallScreenTest, TheSensitivityChartFitsTheScreenWithItsButtonsInSight) {
    record = ExampleRecord();  // design data to chart
    InitMaterialLists(record);
    EnterFullDepthExample();
    ASSERT_TRUE(Visible(ScreenId::FullDepthResult));
    program.logic(ScreenId::FullDepthResult).Click(Result(ScreenId::FullDepthResult).AcceptButton());
    CheckedDisplay display;
    program.logic<MainMenu>(ScreenId::MainMenu).SetSensitivityDisplay(&display);
    program.ShowOnly(ScreenId::MainMenu);
    ASSERT_TRUE(Framed(Window(ScreenId::MainMenu)));
    program.logic(ScreenId::MainMenu).Click(MainMenu::kSensitivity);
    EXPECT_EQ(display.shown, 1);
}

}  // namespace
}  // namespace korvelle::testing
