#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <cstring>

#include "qt/resources.h"
#include "small_screen.h"

namespace korvelle::testing {
QString expectedScreen;
}

// The screen the tests run on is named on the command line, so that CTest can
// run the same tests once per screen:
//   small_screen_tests --screen=FILE.json --scale=1.25 --logical=1093x614
// FILE.json describes the offscreen platform's screens; --logical is the size
// of its available area in logical pixels, which a test checks.  Without
// them the offscreen platform's own screen is used.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QByteArray platform = "offscreen";
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--screen=", 9) == 0) platform += ":configfile=" + QByteArray(arg + 9);
        if (std::strncmp(arg, "--scale=", 8) == 0) qputenv("QT_SCALE_FACTOR", arg + 8);
        if (std::strncmp(arg, "--logical=", 10) == 0) korvelle::testing::expectedScreen = arg + 10;
    }
    qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    korvelle::LoadResources();
    return RUN_ALL_TESTS();
}
