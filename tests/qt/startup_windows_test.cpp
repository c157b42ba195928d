#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "qt_fixture.h"
#include "ui/startup_screens.h"

namespace korvelle::testing {
namespace {

// The picture a window shows, or a null pixmap when it shows none.
QPixmap PictureOf(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->accessibleName() == "Pavement cross-section picture") return label->pixmap();
    }
    return {};
}

class StartupWindowsTest : public QtProgramTest {};

TEST_F(StartupWindowsTest, TheStartUpAndInformationWindowsShowTheirPictures) {
    program.Start();
    ASSERT_TRUE(Visible(ScreenId::Startup));
    const QPixmap large = PictureOf(Window(ScreenId::Startup));
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(large.size(), QSize(360, 200));
    // Not a blank picture: its corner and its middle differ.
    const QImage image = large.toImage();
    EXPECT_NE(image.pixel(0, 0), image.pixel(180, 100));

    QTest::mouseClick(Window(ScreenId::Startup)->control(StartupScreen::kContinue), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(Visible(ScreenId::Information));
    const QPixmap small = PictureOf(Window(ScreenId::Information));
    ASSERT_FALSE(small.isNull());
    EXPECT_EQ(small.size(), QSize(239, 133));
}

}  // namespace
}  // namespace korvelle::testing

namespace korvelle::testing {
namespace {

// A line of the main menu that grows longer once the window is shown (the
// structure accepted, the file's name) is shown whole: the window grows.
TEST_F(StartupWindowsTest, TheMainMenuGrowsForItsLinesWhenTheyGrow) {
    program.Show(ScreenId::MainMenu);
    FormWindow* menu = Window(ScreenId::MainMenu);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (int control : {int(MainMenu::kAcceptance), int(MainMenu::kFileStatus)}) {
        menu->SetText(control, "Accepted: full-depth structure, proposed SN 3.86 against 3.44 required, 12.2% "
                               "Overdesign, and a few more words to need a third line of text here");
        QApplication::processEvents();
        auto* label = qobject_cast<QLabel*>(menu->control(control));
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << control;
    }
}

}  // namespace
}  // namespace korvelle::testing
