#include "print/print_items.h"

#include <gtest/gtest.h>

#include "print/char_grid_page.h"

namespace korvelle {
namespace {

using Item = PrintItem;

constexpr double kLine = 1.0 / 6.0;  // one line at 12 points on the grid page

class ItemPrinterTest : public ::testing::Test {
protected:
    explicit ItemPrinterTest(double width = 8.0, double height = 10.5) : page(width, height), out(page) {
        page.SetScaleInches();
    }
    CharGridPage page;
    ItemPrinter out;
};

TEST_F(ItemPrinterTest, ColumnsCountFromOneAtTheLeftEdge) {
    out.Print({Item::Column(1), Item::Text("a"), Item::Column(5), Item::Text("b"), Item::Column(-3)});
    // Already past column 1 (n below 1 counts as 1): column 1 of the next line.
    out.Print({Item::Text("c"), Item::Column(0), Item::Text("d"), Item::EndOfLine()});
    std::vector<std::string> expected = {"a   b", "c", "d"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_DOUBLE_EQ(page.X(), 0.0);
    EXPECT_NEAR(page.Y(), 3 * kLine, 1e-12);
}

TEST_F(ItemPrinterTest, AColumnAlreadyPassedIsTakenOnTheNextLine) {
    // "Portland Cement Concrete (good)" from column 3 ends in column 33: the
    // position stands at column 34 exactly, which is not past column 34, but
    // is past column 33.
    out.Print({Item::Column(3), Item::Text("Portland Cement Concrete (good)"), Item::Column(34),
               Item::Text("9.00"), Item::EndOfLine()});
    out.Print({Item::Column(3), Item::Text("Portland Cement Concrete (good)"), Item::Column(33),
               Item::Text("10.00"), Item::Column(46), Item::Text("("), Item::EndOfLine()});
    std::vector<std::string> expected = {
        "  Portland Cement Concrete (good)9.00",
        "  Portland Cement Concrete (good)",
        "                                10.00        (",
    };
    EXPECT_EQ(page.Lines(), expected);
    // Moving right never changes the line; a column to the left always does.
    out.Print({Item::Column(10), Item::Column(20), Item::Column(20)});
    EXPECT_NEAR(page.Y(), 3 * kLine, 1e-12);
    out.Print(Item::Column(19));
    EXPECT_NEAR(page.Y(), 4 * kLine, 1e-12);
    EXPECT_NEAR(page.X(), 1.8, 1e-12);
}

TEST_F(ItemPrinterTest, NumbersSpacesAndLineEnds) {
    out.Print({Item::Text("="), Item::Number(1234), Item::Text("*"), Item::Number(20), Item::Text("*"),
               Item::Number(-3), Item::Text("*"), Item::Number(0), Item::Text("|"), Item::EndOfLine()});
    out.Print({Item::Text("a"), Item::Spaces(3), Item::Text("b"), Item::Spaces(0), Item::Spaces(-2),
               Item::Text("c"), Item::EndOfLine()});
    std::vector<std::string> expected = {"= 1234 * 20 *-3 * 0 |", "a   bc"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_EQ(Item::Number(-3).kind(), Item::Kind::kNumber);
    EXPECT_EQ(Item::Number(-3).value(), -3);
}

TEST_F(ItemPrinterTest, ColumnsAndLinesFollowTheCurrentSize) {
    page.SetSize(24);  // 0.2 inch to the column, 1/3 inch to the line
    EXPECT_DOUBLE_EQ(out.ColumnWidth(), 0.2);
    EXPECT_DOUBLE_EQ(out.LineHeight(), 1.0 / 3.0);
    out.Print({Item::Column(5), Item::EndOfLine()});
    EXPECT_DOUBLE_EQ(page.X(), 0.0);
    EXPECT_DOUBLE_EQ(page.Y(), 1.0 / 3.0);
    out.Print(Item::Column(5));
    EXPECT_DOUBLE_EQ(page.X(), 0.8);
}

class NarrowPageTest : public ItemPrinterTest {
protected:
    NarrowPageTest() : ItemPrinterTest(2.0, 10.5) {}  // 20 columns at 12 points
};

TEST_F(NarrowPageTest, TextPastTheRightEdgeContinuesAtColumnOneOfTheNextLine) {
    out.Print({Item::Text("ABCDEFGHIJKLMNOPQRSTUVWXY"), Item::EndOfLine()});
    // A word that does not fit the rest of the line starts the next one.
    out.Print({Item::Column(15), Item::Text("0123456789"), Item::EndOfLine()});
    // Exactly up to the edge stays on the line.
    out.Print({Item::Column(11), Item::Text("abcdefghij"), Item::EndOfLine()});
    // A column beyond the edge: the text goes to column 1 of the next line.
    out.Print({Item::Column(30), Item::Text("far"), Item::EndOfLine()});
    // Words continue at the last blank that fits; the blank is dropped.
    out.Print({Item::Text("Widening of State Route 12"), Item::EndOfLine()});
    out.Print({Item::Text("Description: "), Item::Text("Widening of Route 12"), Item::EndOfLine()});
    std::vector<std::string> expected = {
        "ABCDEFGHIJKLMNOPQRST",
        "UVWXY",
        "",
        "0123456789",
        "          abcdefghij",
        "",
        "far",
        "Widening of State",
        "Route 12",
        "Description:",
        "Widening of Route 12",
    };
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_TRUE(page.AllInside());
}

TEST_F(NarrowPageTest, WrappingKeepsMultiByteCharactersWhole) {
    out.Print({Item::Text("ABCDEFGHIJKLMNOPQRS" "\xC3\x9C" "ber"), Item::EndOfLine()});
    std::vector<std::string> expected = {"ABCDEFGHIJKLMNOPQRS" "\xC3\x9C", "ber"};
    EXPECT_EQ(page.Lines(), expected);
}

// Breaking a long text measures about as much as it prints: each line
// measures runs of the line's own length, never the whole rest of the text
// (which made a 110,000-character text on a 20-column page measure 750
// million characters); now about ten times the text.
TEST(ItemPrinter, ALongTextIsBrokenLineByLineMeasuringLittleMoreThanItPrints) {
    class MeasuredPage : public CharGridPage {
    public:
        using CharGridPage::CharGridPage;
        double TextWidth(std::string_view text) const override {
            measured += text.size();
            return CharGridPage::TextWidth(text);
        }
        mutable std::size_t measured = 0;
    };
    MeasuredPage page(2.0, 1e9);
    page.SetScaleInches();
    ItemPrinter out(page);
    std::string text;
    for (int word = 0; word < 10000; ++word) text += std::string(1 + word % 19, 'a' + word % 26) + " ";
    out.Print(Item::Text(text));
    std::string printed;
    for (const std::string& line : page.Lines()) {
        EXPECT_LE(line.size(), 20u);
        EXPECT_NE(line.front(), ' ');
        printed += line + " ";  // every break is at a blank: no word here is longer than a line
    }
    EXPECT_EQ(printed, text);
    EXPECT_LT(page.measured, 16 * text.size());
}

TEST_F(NarrowPageTest, TextNeverStartsLeftOfThePage) {
    page.SetX(-0.5);
    out.Print(Item::Text("x"));
    EXPECT_EQ(page.Lines(), std::vector<std::string>{"x"});
    EXPECT_TRUE(page.AllInside());
}

TEST(ItemPrinter, ACharacterWiderThanTheLineStandsAloneOnItsLine) {
    CharGridPage page(0.05, 10.0);  // half a column wide
    page.SetScaleInches();
    ItemPrinter out(page);
    out.Print(Item::Text("abc"));
    std::vector<std::string> expected = {"a", "b", "c"};
    EXPECT_EQ(page.Lines(), expected);
}

// Each text here is, at the moment it is printed, a single character wider
// than the whole line: the bracket and the percent sign of the form, a
// two-byte character, and the last letter of a word.
TEST(ItemPrinter, ASingleCharacterTextWiderThanTheLineIsPrintedWhole) {
    CharGridPage page(0.05, 10.0);
    page.SetScaleInches();
    ItemPrinter out(page);
    for (const char* text : {"(", "%", "\xc3\xa9", "xy"}) out.Print(Item::Text(text));
    std::vector<std::string> expected = {"(", "%", "\xc3\xa9", "x", "y"};
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_EQ(page.Glyphs().size(), 5u);
}

class ShortPageTest : public ItemPrinterTest {
protected:
    ShortPageTest() : ItemPrinterTest(8.0, 0.5) {}  // three lines at 12 points
};

TEST_F(ShortPageTest, ALineThatWouldPassTheBottomStartsANewPage) {
    for (const char* text : {"one", "two", "three"}) out.Print({Item::Column(5), Item::Text(text), Item::EndOfLine()});
    EXPECT_EQ(page.PageCount(), 1);
    out.Print({Item::Column(5), Item::Text("four"), Item::EndOfLine()});
    EXPECT_EQ(page.PageCount(), 2);
    EXPECT_EQ(out.NewPagesStarted(), 1);
    std::vector<std::string> first = {"    one", "    two", "    three"};
    EXPECT_EQ(page.Lines(0), first);
    EXPECT_EQ(page.Lines(1), std::vector<std::string>{"    four"});  // same column, top of the page
    EXPECT_TRUE(page.AllInside());
}

TEST_F(ShortPageTest, EmptyLinesAloneStartNoPage) {
    for (int i = 0; i < 10; ++i) out.Print(Item::EndOfLine());
    EXPECT_EQ(page.PageCount(), 1);
    out.MakeRoomForLine();
    EXPECT_EQ(page.PageCount(), 2);
    EXPECT_DOUBLE_EQ(page.Y(), 0.0);
    out.MakeRoomForLine();  // the top of a page has room
    EXPECT_EQ(page.PageCount(), 2);
}

TEST(ItemPrinter, APageLowerThanOneLineStillTakesOneLineAPage) {
    CharGridPage page(8.0, 0.1);
    page.SetScaleInches();
    ItemPrinter out(page);
    out.Print({Item::Text("a"), Item::EndOfLine(), Item::Text("b"), Item::EndOfLine()});
    EXPECT_EQ(page.PageCount(), 2);
    EXPECT_EQ(page.Lines(1), std::vector<std::string>{"b"});
}

}  // namespace
}  // namespace korvelle
