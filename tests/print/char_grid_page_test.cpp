#include "print/char_grid_page.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace korvelle {
namespace {

TEST(CharGridPage, TenCharactersAndSixLinesToTheInchAtTwelvePoints) {
    CharGridPage page;
    EXPECT_DOUBLE_EQ(page.PrintableWidth(), 8.0);
    EXPECT_DOUBLE_EQ(page.PrintableHeight(), 10.5);
    page.SetSize(12);
    EXPECT_DOUBLE_EQ(page.TextWidth("Courier"), 0.7);
    EXPECT_DOUBLE_EQ(page.TextWidth(""), 0.0);
    EXPECT_DOUBLE_EQ(page.TextHeight("a"), 1.0 / 6.0);
    EXPECT_DOUBLE_EQ(page.TextHeight("Ag"), 1.0 / 6.0);
    page.SetSize(18);
    EXPECT_DOUBLE_EQ(page.TextWidth("Courier"), 1.05);
    EXPECT_DOUBLE_EQ(page.TextHeight("a"), 0.25);
    EXPECT_DOUBLE_EQ(page.TextWidth("\xC3\x9C" "ber"), 4 * 0.15);  // characters, not bytes
}

TEST(CharGridPage, CharactersLandInTheirCellsWithTheirStyle) {
    CharGridPage page;
    page.SetScaleInches();
    page.SetFaceName("Courier New");
    page.SetX(0.2);
    page.SetY(0.0);
    page.PrintText("ab");
    EXPECT_DOUBLE_EQ(page.X(), 0.4);
    EXPECT_DOUBLE_EQ(page.Y(), 0.0);
    page.SetBold(true);
    page.PrintText("c");
    page.SetUnderline(true);
    page.SetBold(false);
    page.SetX(0.0);
    page.SetY(2.0 / 6.0);
    page.PrintText("d");

    std::vector<std::string> expected = {"  abc", "", "d"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_FALSE(page.IsBold(0, 0, 3));
    EXPECT_TRUE(page.IsBold(0, 0, 5));
    EXPECT_FALSE(page.IsUnderlined(0, 0, 5));
    EXPECT_TRUE(page.IsUnderlined(0, 2, 1));
    EXPECT_FALSE(page.IsBold(0, 2, 1));
    EXPECT_EQ(page.At(0, 1, 1), nullptr);
    ASSERT_NE(page.At(0, 0, 3), nullptr);
    EXPECT_EQ(page.At(0, 0, 3)->character, "a");
    EXPECT_EQ(page.At(0, 0, 3)->face, "Courier New");
    EXPECT_DOUBLE_EQ(page.At(0, 0, 4)->x, 0.3);
}

TEST(CharGridPage, FractionsOfALineAndOfAColumnRoundDown) {
    CharGridPage page;
    page.SetScaleInches();
    double line = 1.0 / 6.0;
    // Half a line below row 1 is still row 1; three thirds make a whole row.
    page.SetY(1.5 * line);
    page.PrintText("h");
    page.SetX(0.0);
    page.SetY(line / 3 + line / 3 + line / 3 + 2 * line);
    page.PrintText("t");
    // A 16-point character 1.8 inches in stands in its 14th cell of 2/15 inch.
    page.SetSize(16);
    page.SetX(1.8);
    page.SetY(4 * line);
    page.PrintText("T");
    std::vector<std::string> expected = {"", "h", "", "t", "             T"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_EQ(page.At(0, 4, 14)->size, 16.0);
}

// A vanishing size puts an inch billions of columns away: the column number
// stops at a billion instead of overflowing.
TEST(CharGridPage, CellsFarBeyondAnyPageStopAtABillion) {
    CharGridPage page;
    page.SetScaleInches();
    page.SetSize(1e-300);
    page.SetX(1.0);
    page.SetY(2.0);
    page.PrintText("ab");
    ASSERT_EQ(page.Glyphs().size(), 2u);
    EXPECT_EQ(page.Glyphs()[0].row, 12);  // rows keep their fixed height
    EXPECT_EQ(page.Glyphs()[0].column, 1000000001);
    EXPECT_EQ(page.Glyphs()[1].column, 1000000002);
}

TEST(CharGridPage, OverprintShowsTheLastCharacterAndKeepsBoth) {
    CharGridPage page;
    page.SetScaleInches();
    page.SetBold(true);
    page.PrintText("____");
    page.SetBold(false);
    page.SetX(0.1);
    page.PrintText("AB");
    std::vector<std::string> expected = {"_AB_"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_FALSE(page.IsBold(0, 0, 2));
    EXPECT_TRUE(page.IsBold(0, 0, 4));
    EXPECT_EQ(page.Glyphs().size(), 6u);
}

TEST(CharGridPage, PagesAreKeptApart) {
    CharGridPage page;
    page.SetScaleInches();
    page.PrintText("one");
    page.NewPage();
    page.SetX(0.0);
    page.PrintText("two");
    EXPECT_EQ(page.PageCount(), 2);
    EXPECT_EQ(page.Lines(0), std::vector<std::string>{"one"});
    EXPECT_EQ(page.Lines(1), std::vector<std::string>{"two"});
    EXPECT_TRUE(page.Lines(2).empty());
    EXPECT_EQ(page.At(1, 0, 1)->page, 1);
}

TEST(CharGridPage, ReportsPrintingOutsideThePrintableArea) {
    CharGridPage page(2.0, 1.0);
    page.SetScaleInches();
    page.PrintText("12345678901234567890");  // exactly the width
    EXPECT_TRUE(page.AllInside());
    page.SetX(0.0);
    page.SetY(1.0 - 1.0 / 6.0);
    page.PrintText("bottom");  // exactly the last line
    EXPECT_TRUE(page.AllInside());
    page.SetX(1.95);
    page.PrintText("!");  // half past the right edge
    EXPECT_FALSE(page.AllInside());

    CharGridPage low(2.0, 1.0);
    low.SetScaleInches();
    low.SetY(0.9);
    low.PrintText("x");
    EXPECT_FALSE(low.AllInside());

    CharGridPage left(2.0, 1.0);
    left.SetScaleInches();
    left.SetX(-0.1);
    left.PrintText("x");
    EXPECT_FALSE(left.AllInside());
}

TEST(CharGridPage, RefusesPrintingBeforeTheScaleAndAnythingAfterTheEnd) {
    CharGridPage page;
    EXPECT_THROW(page.PrintText("x"), std::logic_error);
    page.SetScaleInches();
    page.PrintText("x");
    page.EndDocument();
    EXPECT_TRUE(page.Ended());
    EXPECT_THROW(page.PrintText("y"), std::logic_error);
    EXPECT_THROW(page.SetBold(true), std::logic_error);
    EXPECT_THROW(page.NewPage(), std::logic_error);
    EXPECT_THROW(page.EndDocument(), std::logic_error);
    EXPECT_EQ(page.Lines(), std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace korvelle
