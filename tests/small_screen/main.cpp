#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qt/form_window.h"
#include "qt/resources.h"
#include "small_screen.h"

namespace korvelle::testing {
QString expectedScreen;
int panelHeight = 0;
}  // namespace korvelle::testing

namespace {

// Sets an X property of a window with xprop (x11-utils).
bool SetProperty(WId window, const QString& name, const QString& format, const QString& value) {
    return QProcess::execute("xprop", {"-id", QString::number(window), "-f", name, format, "-set", name, value}) == 0;
}

// A desktop panel along the bottom of the screen, as a desktop's task bar
// stands: a dock window that reserves its height (a strut), which the window
// manager takes from the screen's available area.  False when the area did
// not shrink.
bool AddPanel(int height) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect whole = screen->geometry();
    auto* panel = new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    panel->setGeometry(whole.left(), whole.bottom() + 1 - height, whole.width(), height);
    const WId id = panel->winId();  // the X window, not yet shown
    // Struts count device pixels.
    const double scale = panel->devicePixelRatio();
    const int deviceHeight = static_cast<int>(std::lround(height * scale));
    const int deviceWidth = static_cast<int>(std::lround(whole.width() * scale));
    if (!SetProperty(id, "_NET_WM_WINDOW_TYPE", "32a", "_NET_WM_WINDOW_TYPE_DOCK") ||
        !SetProperty(id, "_NET_WM_STRUT_PARTIAL", "32c",
                     QString("0,0,0,%1,0,0,0,0,0,0,0,%2").arg(deviceHeight).arg(deviceWidth - 1))) {
        return false;
    }
    panel->show();
    QElapsedTimer waited;
    waited.start();
    while (screen->availableGeometry().height() == whole.height() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return screen->availableGeometry().height() < whole.height();
}

}  // namespace

// The windows on a small screen under a window manager.  The screen, its
// scale factor and the window manager are set up by under_window_manager.sh;
// the command line names what the tests check of the screen:
//   under_window_manager.sh 1366x768 1.25 small_screen_tests --logical=1093x614 --panel=32
// --logical is the screen's size in logical pixels, --panel the height of the
// desktop panel this program puts along its bottom.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--logical=", 10) == 0) korvelle::testing::expectedScreen = arg + 10;
        if (std::strncmp(arg, "--panel=", 8) == 0) korvelle::testing::panelHeight = std::atoi(arg + 8);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    korvelle::LoadResources();
    // The tests click a window as soon as it is shown (CONTINUE on a
    // structure just entered): a click the guard held back would leave the
    // result windows empty.
    korvelle::FormWindow::SetClickGuard(0);
    if (korvelle::testing::panelHeight > 0 && !AddPanel(korvelle::testing::panelHeight)) {
        fprintf(stderr, "the window manager did not take the panel from the screen's available area\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
