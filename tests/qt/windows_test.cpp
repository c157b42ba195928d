#include "qt/windows.h"

#include <gtest/gtest.h>

namespace korvelle {
namespace {

TEST(PlaceBeside, RightOfTheAnchorElseLeftElseAgainstTheRoomierEdge) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize guidelines(770, 630);
    // Room on the right: 8 pixels to the right of the entry screen, level with it.
    EXPECT_EQ(PlaceBeside(guidelines, QRect(100, 200, 700, 440), screen), QPoint(808, 200));
    // No room on the right, room on the left.
    EXPECT_EQ(PlaceBeside(guidelines, QRect(1100, 200, 700, 440), screen), QPoint(322, 200));
    // Room on neither side (1280 wide, entry in the middle): against the edge
    // with more room, never off the screen.
    const QRect small(0, 0, 1280, 1024);
    EXPECT_EQ(PlaceBeside(guidelines, QRect(290, 300, 700, 440), small), QPoint(510, 300));
    EXPECT_EQ(PlaceBeside(guidelines, QRect(400, 300, 700, 440), small), QPoint(0, 300));
    // Too low to stand level with the anchor: moved up to fit.
    EXPECT_EQ(PlaceBeside(guidelines, QRect(100, 900, 700, 100), screen).y(), 1080 - 630);
    // Larger than the screen: its top-left corner stays on the screen.
    EXPECT_EQ(PlaceBeside(QSize(2000, 1200), QRect(100, 100, 700, 440), screen), QPoint(0, 0));
}

}  // namespace
}  // namespace korvelle
