#include "qt/windows.h"

#include <gtest/gtest.h>

namespace korvelle {
namespace {

qint64 Covered(QRect window, QRect anchor) {
    const QRect both = window & anchor;
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// The least area of the anchor the window covers at any places of the two
// wholly on the screen, tried every `step` pixels and at the far ends.
qint64 LeastCoveredByTrying(QSize size, QSize anchor, QRect screen, int step) {
    auto places = [step](int low, int high) {
        QList<int> all;
        for (int p = low; p < high; p += step) all.append(p);
        all.append(high);
        return all;
    };
    qint64 least = -1;
    for (int ax : places(screen.left(), screen.right() + 1 - anchor.width())) {
        for (int ay : places(screen.top(), screen.bottom() + 1 - anchor.height())) {
            for (int wx : places(screen.left(), screen.right() + 1 - size.width())) {
                for (int wy : places(screen.top(), screen.bottom() + 1 - size.height())) {
                    const qint64 covered = Covered(QRect(QPoint(wx, wy), size), QRect(QPoint(ax, ay), anchor));
                    if (least < 0 || covered < least) least = covered;
                }
            }
        }
    }
    return least;
}

TEST(PlaceBeside, CoversNothingOfTheAnchorWhereTheScreenHasRoom) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize guidelines(777, 675);
    struct Case {
        const char* what;
        QRect anchor;
        QPoint anchorAfter;
        QPoint window;
    };
    const Case cases[] = {
        // Room on the right: 8 pixels right of the entry screen, level with it.
        {"room on the right", {100, 200, 700, 440}, {100, 200}, {808, 200}},
        {"room on the left only", {1100, 200, 700, 440}, {1100, 200}, {315, 200}},
        // An 800-pixel entry screen in the middle leaves 560 on each side;
        // 777 + 8 are needed, so it moves 225 to the left.
        {"centred: the anchor moves aside", {560, 375, 800, 330}, {335, 375}, {1143, 375}},
        // Too low to stand level with the anchor: moved up to fit.
        {"low on the screen", {100, 900, 700, 100}, {100, 900}, {808, 1080 - 675}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SideBySide placed = PlaceBeside(guidelines, c.anchor, screen);
        EXPECT_EQ(placed.anchor, c.anchorAfter);
        EXPECT_EQ(placed.window, c.window);
        EXPECT_EQ(Covered(QRect(placed.window, guidelines), QRect(placed.anchor, c.anchor.size())), 0);
    }
    // Room only above and below: the entry screen moves up the least it takes.
    const SideBySide stacked = PlaceBeside(guidelines, QRect(112, 219, 800, 330), QRect(0, 0, 1024, 1080));
    EXPECT_EQ(stacked.anchor, QPoint(112, 1080 - 675 - 8 - 330));
    EXPECT_EQ(stacked.window.y(), 1080 - 675);
}

TEST(PlaceBeside, CoversTheLeastOfTheAnchorWhereTheScreenHasNoRoom) {
    struct Case {
        QSize window;
        QRect anchor;
        QRect screen;
    };
    // The structure entry screens and the guidelines on 1024x768, on
    // 1366x768 at a scale of 1.25 (1093x614), and on a screen that does not
    // start at the origin.
    const Case cases[] = {
        {{777, 675}, {112, 219, 800, 330}, {0, 0, 1024, 768}},
        {{777, 675}, {100, 150, 824, 470}, {0, 0, 1024, 768}},
        {{777, 614}, {146, 142, 800, 330}, {0, 0, 1093, 614}},
        {{700, 500}, {300, 100, 600, 400}, {200, 30, 1000, 700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screen.width() << "x" << c.screen.height() << ", anchor "
                                          << c.anchor.width() << "x" << c.anchor.height());
        const SideBySide placed = PlaceBeside(c.window, c.anchor, c.screen);
        const QRect window(placed.window, c.window);
        const QRect anchor(placed.anchor, c.anchor.size());
        EXPECT_TRUE(c.screen.contains(window));
        EXPECT_TRUE(c.screen.contains(anchor));
        const qint64 covered = Covered(window, anchor);
        EXPECT_GT(covered, 0);
        EXPECT_LE(covered, LeastCoveredByTrying(c.window, c.anchor.size(), c.screen, 6));
    }
    // Larger than the screen: its top-left corner stays on the screen.
    EXPECT_EQ(PlaceBeside(QSize(2000, 1200), QRect(100, 100, 700, 440), QRect(0, 0, 1920, 1080)).window,
              QPoint(0, 0));
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
