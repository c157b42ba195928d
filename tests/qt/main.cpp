#include <gtest/gtest.h>

#include <QApplication>

#include "qt/form_window.h"
#include "qt/resources.h"

// Screen tests need no display: they run on the offscreen platform unless one
// is chosen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    korvelle::LoadResources();
    // Tests click a window as soon as it is shown; the test of the click
    // guard sets its own interval.
    korvelle::FormWindow::SetClickGuard(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
