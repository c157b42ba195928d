// LEAST COST... on the entry screens, over the example designs and the
// shipped table of example prices.  The full-depth answer is worked by hand
// in the guide ("Least cost"): 1.00, 1.50, 2.00 and 9.25 in., SN 3.46 against
// 3.44, $38.30 per sq. yd.

#include <gtest/gtest.h>

#include "example_run.h"
#include "ui/least_cost_screen.h"

namespace korvelle {
namespace {

using L = LeastCostScreen;

TEST(LeastCost, FindSizesTheCoursesToTheExactLeastCostAndTheStructurePrintsAsAnyOther) {
    ExampleRun h("full-depth.korvelle");
    h.ToEntry(MainMenu::kFullDepth);
    auto& entry = h.Entry(ScreenId::FullDepthEntry);
    h.Click(ScreenId::FullDepthEntry, entry.LeastCostButton());
    ASSERT_TRUE(h.windows.Visible(ScreenId::LeastCost));
    EXPECT_TRUE(h.windows.Visible(ScreenId::FullDepthEntry));  // beside it
    // The lines: each course's material, its range from the table, its price.
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::MaterialOf(0)), "COURSE 1: 12.5 mm Superpave");
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::LeastOf(0)), "1.00");
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::GreatestOf(0)), "2.00");
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::PriceOf(3)), "$1.40 per sq. yd. and inch");
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::MaterialOf(4)), "COURSE 5: (no material)");
    EXPECT_FALSE(h.View(ScreenId::LeastCost).Enabled(L::LeastOf(4)));

    h.Click(ScreenId::LeastCost, L::kFind);
    EXPECT_TRUE(h.desktop.messages.empty()) << h.desktop.Texts().front();
    const std::vector<std::string> inches = {"1.00", "1.50", "2.00", "9.25"};
    const std::vector<int> quarters = {4, 6, 8, 37};  // where each scroll bar stands
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(h.Text(ScreenId::FullDepthEntry, entry.Thickness(r)), inches[r]) << r;
        EXPECT_EQ(h.View(ScreenId::FullDepthEntry).Choice(entry.Scroll(r)), quarters[r]) << r;
    }
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::kStatus).rfind("Least cost: $38.30 per sq. yd., proposed SN 3.46 against "
                                                            "3.44 required, 0.6% Overdesign",
                                                            0),
              0u);

    // CONTINUE shows the cost under the verdict; ACCEPT and PRINT as ever.
    h.Click(ScreenId::FullDepthEntry, entry.ContinueButton());
    auto& result = h.Logic<ResultScreen>(ScreenId::FullDepthResult);
    EXPECT_EQ(h.Text(ScreenId::FullDepthResult, result.ProposedSn()), "3.46");
    EXPECT_EQ(h.Text(ScreenId::FullDepthResult, result.Cost()), "Cost: $38.30 per sq. yd.");
    h.Click(ScreenId::FullDepthResult, result.AcceptButton());
    h.Click(ScreenId::FullDepthPrint, PrintScreen::kPrint);
    ASSERT_EQ(h.printer.prints.size(), 1u);
    EXPECT_EQ(h.printer.prints[0].sheet.proposedSn, "3.46");
    EXPECT_EQ(h.printer.prints[0].sheet.rows[3][kInchesCell], "9.25");
}

TEST(LeastCost, RefusalsInOneMessageAndRangesFollowTheCourses) {
    ExampleRun h("overlay.korvelle");
    h.ToEntry(MainMenu::kOverlay);
    auto& entry = h.Entry(ScreenId::OverlayEntry);
    h.Click(ScreenId::OverlayEntry, entry.LeastCostButton());
    // The overlay's three courses only; the third is [NO COURSE].
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::MaterialOf(1)), "Overlay COURSE 2: 19 mm Superpave");
    EXPECT_FALSE(h.View(ScreenId::LeastCost).Enabled(L::LeastOf(2)));
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::MaterialOf(3)), "");
    // 2.00 + 3.00 in. of new asphalt over the existing 4 in. and 8 in. of base:
    // 4.50 x 0.44 + 0.50 x 0.30 + 4.00 x 0.30 + 8.00 x 0.16 = 4.61 < 4.92.
    h.Click(ScreenId::LeastCost, L::kFind);
    h.desktop.ExpectOneError(
        "Even the thickest structure in these ranges gives SN 4.61 against 4.92: widen the ranges or choose stronger "
        "materials");
    const std::string before = h.Text(ScreenId::OverlayEntry, entry.Thickness(0));
    EXPECT_EQ(before, "1.50");  // nothing changed

    // Widened, the same materials meet it.
    h.desktop.Clear();
    h.SetText(ScreenId::LeastCost, L::GreatestOf(1), "6");
    h.Click(ScreenId::LeastCost, L::kFind);
    EXPECT_TRUE(h.desktop.messages.empty()) << h.desktop.Texts().front();
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::kStatus).find("Underdesign"), std::string::npos);
    // A course changed under the window: FIND says so and fills its line
    // again from the table, keeping the range typed for the others.
    h.View(ScreenId::OverlayEntry).SetChoice(entry.List(1), 5);  // 25 mm Superpave
    h.desktop.Clear();
    h.Click(ScreenId::LeastCost, L::kFind);
    h.desktop.ExpectOneError("The courses on the entry screen changed: check the ranges shown for them, then FIND again");
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::GreatestOf(0)), "2.00");  // the unchanged course keeps its range
    EXPECT_EQ(h.Text(ScreenId::LeastCost, L::GreatestOf(1)), "4.00");  // the changed one the table's
}

}  // namespace
}  // namespace korvelle
