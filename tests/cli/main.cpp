#include <gtest/gtest.h>

#include <QGuiApplication>

#include "qt/resources.h"

// The desktop program's PDF is made in-process to compare with the one
// korvelle-cli writes; no display is needed.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    korvelle::LoadResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
