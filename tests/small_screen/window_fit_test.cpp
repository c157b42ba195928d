#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>

#include "qt/cross_section.h"
#include "qt/print_support.h"
#include "qt/structure_fixture.h"
#include "small_screen.h"
#include "ui/county_table.h"
#include "ui/print_screen.h"
#include "ui/worksheets.h"

// Every window on a small screen: these tests run on the offscreen platform
// with a screen read from tests/qt/screen-*.json and a scale factor, as
// main.cpp is told.

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
                         dynamic_cast<const CrossSectionView*>(widget);
    if (!content) return false;
    for (const QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QComboBox*>(p)) return false;
        if (qobject_cast<const QScrollArea*>(p) && widget->parentWidget() == p) return false;  // its own bars
    }
    return true;
}

// The window lies inside the available area of its screen; every button is
// wholly in sight; no two texts or controls overlap; no text is cut off.
::testing::AssertionResult FitsItsScreen(QWidget* window) {
    QStringList faults;
    const QRect screen = window->screen()->availableGeometry();
    if (!screen.contains(window->frameGeometry())) {
        faults << "frame " + Describe(window->frameGeometry()) + " outside the screen " + Describe(screen);
    }
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
                                         << Describe(window->frameGeometry()).toStdString() << ":\n  "
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

TEST_F(SmallScreenTest, TheScreenIsTheOneConfigured) {
    if (expectedScreen.isEmpty()) GTEST_SKIP() << "no screen named on the command line";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(QString("%1x%2").arg(screen.width()).arg(screen.height()), expectedScreen);
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
        QApplication::processEvents();
        FormWindow* w = Window(id);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible());
        EXPECT_TRUE(FitsItsScreen(w));
    }
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
        QApplication::processEvents();
        EXPECT_TRUE(FitsItsScreen(&preview));
        preview.close();
    };
    program.logic(ScreenId::FullDepthPrint).Click(PrintScreen::kPreview);
    EXPECT_EQ(previews, 1);
}

}  // namespace
}  // namespace korvelle::testing
