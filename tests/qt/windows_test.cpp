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

TEST(FitInside, MovesAFrameOntoTheScreenTheLeastItTakesAndShrinksOnlyWhatIsLarger) {
    const QRect screen(0, 0, 1024, 768);
    struct Case {
        QRect frame;
        QRect fitted;
    };
    const Case cases[] = {
        {{100, 100, 600, 400}, {100, 100, 600, 400}},    // inside: left where it is
        {{-55, 153, 900, 466}, {0, 153, 900, 466}},      // over the left edge
        {{500, 500, 600, 400}, {424, 368, 600, 400}},    // over the right and bottom edges
        {{-10, -20, 1134, 466}, {0, 0, 1024, 466}},      // wider than the screen: as wide
        {{300, 200, 769, 800}, {255, 0, 769, 768}},      // taller than the screen: as tall
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.frame.x() << "," << c.frame.y() << " " << c.frame.width() << "x"
                                          << c.frame.height());
        EXPECT_EQ(FitInside(c.frame, screen), c.fitted);
    }
    // A screen that does not start at the origin (a second screen, a panel
    // on the left).
    EXPECT_EQ(FitInside(QRect(1200, -5, 400, 300), QRect(1280, 30, 1024, 738)), QRect(1280, 30, 400, 300));
}

}  // namespace
}  // namespace korvelle
