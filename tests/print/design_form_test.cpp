#include "print/design_form.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "print/char_grid_page.h"

namespace korvelle {
namespace {

struct Piece {
    int column;  // counted from 1
    std::string text;
};

// A line with each text starting in its column; later pieces over earlier ones.
std::string Place(const std::vector<Piece>& pieces) {
    std::string line;
    for (const Piece& piece : pieces) {
        std::size_t at = static_cast<std::size_t>(piece.column - 1);
        if (line.size() < at + piece.text.size()) line.resize(at + piece.text.size(), ' ');
        line.replace(at, piece.text.size(), piece.text);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// Style letters: '.' plain, 'B' bold, 'U' underlined, 'X' bold and underlined.
std::string Styled(const std::string& text, char style) {
    std::string mask = text;
    for (char& c : mask) c = c == ' ' ? ' ' : style;
    return mask;
}

// The style of every non-blank character showing on a page, row by row.
std::vector<std::string> StyleMasks(const CharGridPage& page, int pageIndex = 0) {
    std::vector<std::string> lines = page.Lines(pageIndex);
    std::vector<std::string> masks;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        std::string mask;
        for (std::size_t i = 0; i < lines[row].size(); ++i) {
            const CharGridPage::Glyph* glyph = page.At(pageIndex, static_cast<int>(row), static_cast<int>(i) + 1);
            char style = ' ';
            if (glyph && glyph->character != " ") {
                style = glyph->bold ? (glyph->underline ? 'X' : 'B') : (glyph->underline ? 'U' : '.');
            }
            mask += style;
        }
        masks.push_back(mask);
    }
    return masks;
}

const std::string kRule75(75, '=');
const std::string kPreparedRule = "Prepared by " + std::string(63, '_');
const std::string kRecommendedRule = "Recommended " + std::string(63, '_');
const std::string kApprovedRule = "Approved " + std::string(66, '_');
const std::string kName = "J. Q. Tennant, Pavement Designer";
const std::string kDate = "March 4, 2024";

DesignRecord Record() {
    DesignRecord r;
    r.projectNumber = "STP-0001-00(245)";
    r.piNumber = "0001234";
    r.countyName = "Barrow";
    r.projectDescription = "Widening of SR 12 from CR 4 to CR 9";
    r.initialYear = 2000;
    r.finalYear = 2020;
    r.initialAadt = 10000;
    r.finalAadt = 14000;
    r.truckPercent = 12.5f;
    r.ldf = 50.0f;
    r.terminalServiceability = 2.5f;
    r.soilSupport = 3.456f;
    r.regionalFactor = 1.5f;
    r.esal18 = 1.15f;
    r.meanAadt = 12000;
    r.dailyLoads = 1234;
    r.designLoading = 9008200;
    r.designerName = kName;
    r.designDate = kDate;
    r.designComments = "Widening on the existing grade";
    r.officeIndex = 0;
    r.fullDepthCourseCount = 5;
    return r;
}

ResultRow Row(std::string material, std::string inches, std::string mm, std::string coefficient,
              std::string value) {
    return {material, inches, mm, coefficient, value, "", "", "", ""};
}

ResultRow SplitRow(ResultRow row, std::string inches, std::string mm, std::string coefficient, std::string value) {
    row[5] = inches;
    row[6] = mm;
    row[7] = coefficient;
    row[8] = value;
    return row;
}

ResultSheet FullDepthSheet() {
    ResultSheet s;
    s.rows = {
        Row("12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"),
        SplitRow(Row("12.5 mm Superpave", "2.00", "51", "0.44", "0.88"), "2.50", "64", "0.30", "0.75"),
        Row("19 mm Superpave", "3.00", "76", "0.30", "0.90"),
        Row("Soil-Cement Base", "6.00", "152", "0.20", "1.20"),
        Row("Graded Aggregate Base", "10.00", "254", "0.16", "1.60"),
    };
    s.requiredSn = "4.12";
    s.proposedSn = "4.88";
    s.difference = "18.4%";
    s.verdict = "Overdesign";
    return s;
}

// The rows down to the first separator under the structure heading, the
// same on both forms but for the county column.
std::vector<std::string> ExpectedTop(int countyColumn) {
    return {
        Place({{14, "FLEXIBLE PAVEMENT DESIGN ANALYSIS"}}),  // 16 points: 1.8 in / (2/15 in) = cell 14
        "",
        Place({{3, "Project: STP-0001-00(245)"}, {countyColumn, "County: Barrow"}}),
        "  P.I. no.: 0001234",
        "  Description: Widening of SR 12 from CR 4 to CR 9",
        "",
        "",
        "  Traffic Data (NOTE: AADTs are one-way)",
        "    24-hour Truck Percentage: 12.50%",
        Place({{5, "AADT initial year of design period:"}, {42, "10,000 vpd (2000)"}}),
        Place({{5, "AADT final year of design period:"}, {42, "14,000 vpd (2020)"}}),
        Place({{5, "Mean AADT (one-way):"}, {42, "12,000 vpd"}}),
        "",
        "  Design Loading",
        "  Mean AADT        LDF      Trucks        18-K ESAL      Total Daily Loads",
        "   12,000    *    0.50  *   0.125    *      1.15      =     1,234",
        "",
        "    Total predicted design period loading = 1234 * 20 * 365 = 9,008,200",
        "",
        "  Design Data",
        "    Terminal Serviceability Index: 2.50",
        "    Soil Support: 3.46",
        "    Regional Factor: 1.50",
        "",
        Place({{23, "PROPOSED FLEXIBLE PAVEMENT STRUCTURE"}}),  // (8 in - 3.6 in) / 2 = 2.2 in
        Place({{3, kRule75}}),
    };
}

// The rows from the "Prepared by" rule to the end for one office.
std::vector<std::string> ExpectedSignOff(const std::string& recommending, int recommendingColumn,
                                         const std::string& approving, int approvingColumn) {
    std::vector<std::string> rows = {
        Place({{3, kPreparedRule}, {20, kName}, {59, kDate}}),
        Place({{63, "Date"}}),
        "",
        Place({{3, kRecommendedRule}}),
    };
    if (!recommending.empty()) rows.push_back(Place({{recommendingColumn, recommending}, {63, "Date"}}));
    rows.push_back("");
    rows.push_back(Place({{3, kApprovedRule}}));
    if (!approving.empty()) rows.push_back(Place({{approvingColumn, approving}, {63, "Date"}}));
    return rows;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& rows) {
    to.insert(to.end(), rows.begin(), rows.end());
}

// The rows from the closing separator of the structure to the "Prepared by"
// rule.
std::vector<std::string> ExpectedVerdict(int proposedColumn, const std::string& required,
                                         const std::string& proposed, const std::string& verdict) {
    return {
        Place({{3, kRule75}}),
        Place({{3, "Required SN = " + required}, {proposedColumn, "Proposed SN = " + proposed}}),
        "",
        Place({{17, ">>> Proposed pavement is " + verdict + " <<<"}}),
        "",
        "  Remarks: Widening on the existing grade",
        "",
        "",
    };
}

std::vector<std::string> ExpectedFullDepth() {
    std::vector<std::string> lines = ExpectedTop(55);
    Append(lines, {
        Place({{34, "Thickness"}, {51, "Structural"}, {65, "Structural"}}),
        Place({{7, "Material"}, {28, "Inches"}, {43, "(mm)"}, {51, "Coefficient"}, {67, "Value"}}),
        Place({{3, kRule75}}),
        Place({{3, "12.5 mm OGFC"}, {26, "90 lb/sy"}, {37, "(50 kg/sm)"}, {53, "0.00"}, {68, "0.00"}}),
        Place({{3, "12.5 mm Superpave"}, {30, "2.00"}, {43, "(51)"}, {53, "0.44"}, {68, "0.88"}}),
        Place({{30, "2.50"}, {43, "(64)"}, {53, "0.30"}, {68, "0.75"}}),
        "",  // the second of two half-line gaps completes an empty row
        Place({{3, "19 mm Superpave"}, {30, "3.00"}, {43, "(76)"}, {53, "0.30"}, {68, "0.90"}}),
        Place({{3, "Soil-Cement Base"}, {30, "6.00"}, {42, "(152)"}, {53, "0.20"}, {68, "1.20"}}),
        "",
        Place({{3, "Graded Aggregate Base"}, {29, "10.00"}, {42, "(254)"}, {53, "0.16"}, {68, "1.60"}}),
    });
    Append(lines, ExpectedVerdict(54, "4.12", "4.88", "18.4% Overdesign"));
    Append(lines, ExpectedSignOff("State Urban Design Engineer", 20, "State Pavement Engineer", 24));
    return lines;
}

// Top of the character showing in a cell of the first page; a failure, and
// not a number, when nothing is printed there.
double CellTop(const CharGridPage& page, int row, int column) {
    const CharGridPage::Glyph* glyph = page.At(0, row, column);
    if (glyph == nullptr) {
        ADD_FAILURE() << "nothing printed in row " << row << ", column " << column;
        return std::nan("");
    }
    return glyph->y;
}

// Top of the first line of a course row, found by the text it starts with.
double RowTop(const CharGridPage& page, int row) { return CellTop(page, row, 3); }

TEST(FullDepthForm, PrintsEveryLineInItsColumnsOnOnePage) {
    CharGridPage page;
    PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", 12.0);

    std::vector<std::string> expected = ExpectedFullDepth();
    ASSERT_EQ(expected.size(), 53u);
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_EQ(page.PageCount(), 1);
    EXPECT_TRUE(page.AllInside());
    EXPECT_TRUE(page.ScaleIsInches());
    EXPECT_TRUE(page.Ended());
    EXPECT_FALSE(page.Bold());
    EXPECT_FALSE(page.Underline());
    for (const CharGridPage::Glyph& glyph : page.Glyphs()) {
        EXPECT_EQ(glyph.face, "Courier New");
        EXPECT_EQ(glyph.size, glyph.row == 0 ? 16.0 : 12.0) << "row " << glyph.row;
    }
}

TEST(FullDepthForm, BoldAndUnderlineStandWhereTheFormPutsThem) {
    CharGridPage page;
    PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", 12.0);
    std::vector<std::string> lines = ExpectedFullDepth();

    std::vector<char> style(lines.size(), '.');
    for (int row : {0, 7, 13, 19}) style[row] = 'X';
    for (int row : {24, 25, 26, 27, 28, 37, 40, 46, 48, 49, 51, 52}) style[row] = 'B';
    std::vector<std::string> expected;
    for (std::size_t row = 0; row < lines.size(); ++row) expected.push_back(Styled(lines[row], style[row]));
    expected[2] = Place({{3, Styled("Project: ", 'B')}, {12, Styled("STP-0001-00(245)", '.')},
                         {55, Styled("County: ", 'B')}, {63, Styled("Barrow", '.')}});
    expected[3] = Place({{3, Styled("P.I. no.: ", 'B')}, {13, Styled("0001234", '.')}});
    expected[4] = Place({{3, Styled("Description: ", 'B')}, {16, Styled("Widening of SR 12 from CR 4 to CR 9", '.')}});
    expected[7] = Place({{3, Styled("Traffic Data", 'X')}, {15, Styled(" (NOTE: AADTs are one-way)", '.')}});
    expected[42] = Place({{3, Styled("Remarks: ", 'B')}, {12, Styled("Widening on the existing grade", '.')}});
    expected[45] = Place({{3, Styled(kPreparedRule, 'B')}, {20, Styled(kName, '.')}, {59, Styled(kDate, '.')}});
    EXPECT_EQ(StyleMasks(page), expected);

    // The blank before the note is not underlined, and the rule runs on
    // under the name.
    EXPECT_FALSE(page.IsUnderlined(0, 7, 15));
    int underscoresUnderName = 0;
    for (const CharGridPage::Glyph& glyph : page.Glyphs()) {
        if (glyph.row == 45 && glyph.column >= 20 && glyph.column <= 51 && glyph.character == "_") {
            EXPECT_TRUE(glyph.bold);
            ++underscoresUnderName;
        }
    }
    EXPECT_EQ(underscoresUnderName, 32);
}

TEST(FullDepthForm, HalfLineGapsOnlyBetweenCourses) {
    CharGridPage page;
    PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", 12.0);
    const double line = 1.0 / 6.0;
    const double course1 = 16.0 / 72.0 + 28 * line;  // title at 16 points, then 28 lines
    EXPECT_NEAR(RowTop(page, 29), course1, 1e-9);
    EXPECT_NEAR(RowTop(page, 30), course1 + 1.5 * line, 1e-9);
    EXPECT_NEAR(CellTop(page, 31, 30), course1 + 2.5 * line, 1e-9);  // split course, second line: no gap
    EXPECT_NEAR(RowTop(page, 33), course1 + 4.0 * line, 1e-9);
    EXPECT_NEAR(RowTop(page, 34), course1 + 5.5 * line, 1e-9);
    EXPECT_NEAR(RowTop(page, 36), course1 + 7.0 * line, 1e-9);
    EXPECT_NEAR(RowTop(page, 37), course1 + 8.0 * line, 1e-9);  // no gap after the last course
}

TEST(FullDepthForm, CourseCountDecidesTheRowsAndGaps) {
    // One course: its row and no gap, even with more rows filled in.
    DesignRecord record = Record();
    record.fullDepthCourseCount = 1;
    CharGridPage one;
    PrintFullDepthForm(one, record, FullDepthSheet(), "Courier New", 12.0);
    std::vector<std::string> lines = one.Lines();
    EXPECT_EQ(lines[29],
              Place({{3, "12.5 mm OGFC"}, {26, "90 lb/sy"}, {37, "(50 kg/sm)"}, {53, "0.00"}, {68, "0.00"}}));
    EXPECT_EQ(lines[30], Place({{3, kRule75}}));
    EXPECT_NEAR(RowTop(one, 30) - RowTop(one, 29), 1.0 / 6.0, 1e-9);
    EXPECT_EQ(lines.size(), 53u - 7u);

    // A count outside 1..5 still prints course 1 only, or at most five.
    record.fullDepthCourseCount = 0;
    CharGridPage none;
    PrintFullDepthForm(none, record, FullDepthSheet(), "Courier New", 12.0);
    EXPECT_EQ(none.Lines(), lines);
    record.fullDepthCourseCount = 9;
    CharGridPage many;
    PrintFullDepthForm(many, record, FullDepthSheet(), "Courier New", 12.0);
    EXPECT_EQ(many.Lines(), ExpectedFullDepth());
}

TEST(FullDepthForm, SignOffTitlesFollowTheOffice) {
    struct Case {
        int office;
        std::vector<std::string> tail;
    };
    const std::vector<Case> cases = {
        {0, ExpectedSignOff("State Urban Design Engineer", 20, "State Pavement Engineer", 24)},
        {1, ExpectedSignOff("State Road Design Engineer", 20, "State Pavement Engineer", 24)},
        {2, ExpectedSignOff("State Tarnholt Engineer", 18, "District Engineer", 26)},
        {3, ExpectedSignOff("State Consultant Design Engineer", 19, "State Pavement Engineer", 24)},
        {4, ExpectedSignOff("State Tarnholt Engineer", 18, "State Consultant Design Engineer", 20)},
        {5, ExpectedSignOff("", 0, "", 0)},
        {-1, ExpectedSignOff("", 0, "", 0)},
    };
    for (const Case& c : cases) {
        DesignRecord record = Record();
        record.officeIndex = static_cast<std::int16_t>(c.office);
        CharGridPage page;
        PrintFullDepthForm(page, record, FullDepthSheet(), "Courier New", 12.0);
        std::vector<std::string> lines = page.Lines();
        ASSERT_GE(lines.size(), 45u);
        std::vector<std::string> tail(lines.begin() + 45, lines.end());
        EXPECT_EQ(tail, c.tail) << "office " << c.office;
        EXPECT_TRUE(page.Ended());
        EXPECT_FALSE(page.Bold());
    }
    // Outside 0..4 the "Approved" rule is the last line.
    EXPECT_EQ(cases[5].tail.back(), Place({{3, kApprovedRule}}));
}

TEST(FullDepthForm, ZeroTrafficPrintsEmptyAndSpansPrintBare) {
    DesignRecord record = Record();
    record.initialAadt = 0;
    record.finalAadt = 0;
    record.meanAadt = 0;
    record.dailyLoads = 0;
    record.designLoading = 0;
    record.initialYear = 2000;
    record.finalYear = 1995;
    CharGridPage page;
    PrintFullDepthForm(page, record, FullDepthSheet(), "Courier New", 12.0);
    std::vector<std::string> lines = page.Lines();
    ASSERT_EQ(lines.size(), 53u);
    EXPECT_EQ(lines[9], Place({{5, "AADT initial year of design period:"}, {43, "vpd (2000)"}}));
    EXPECT_EQ(lines[10], Place({{5, "AADT final year of design period:"}, {43, "vpd (1995)"}}));
    EXPECT_EQ(lines[11], Place({{5, "Mean AADT (one-way):"}, {43, "vpd"}}));
    EXPECT_EQ(lines[15], Place({{8, "*"}, {19, "0.50  *"}, {29, "0.125    *"}, {45, "1.15      ="}}));
    EXPECT_EQ(lines[17], "    Total predicted design period loading = 0 *-5 * 365 =");
}

TEST(FullDepthForm, ColumnsAlreadyPassedAndTextPastTheEdgeGoToTheNextLine) {
    DesignRecord record = Record();
    record.projectNumber = std::string(44, 'P');                  // columns 12 to 55
    record.designComments = std::string(60, 'c') + " continued";  // columns 12 to 71, then past 80
    CharGridPage page;
    PrintFullDepthForm(page, record, FullDepthSheet(), "Courier New", 12.0);
    std::vector<std::string> lines = page.Lines();
    ASSERT_EQ(lines.size(), 55u);
    EXPECT_EQ(lines[2], "  Project: " + std::string(44, 'P'));
    EXPECT_EQ(lines[3], Place({{55, "County: Barrow"}}));
    EXPECT_EQ(lines[4], "  P.I. no.: 0001234");
    EXPECT_EQ(lines[43], "  Remarks: " + std::string(60, 'c'));  // continued at the blank
    EXPECT_EQ(lines[44], "continued");
    EXPECT_EQ(lines[47], Place({{3, kPreparedRule}, {20, kName}, {59, kDate}}));
    EXPECT_TRUE(page.AllInside());
    EXPECT_EQ(page.PageCount(), 1);
}

// The characters printed, in order, with their style; blanks left out, since
// a line that continues on the next one leaves its blank at the break.
std::string PrintedText(const CharGridPage& page) {
    std::string text;
    for (const CharGridPage::Glyph& glyph : page.Glyphs()) {
        if (glyph.character == " ") continue;
        text += glyph.character;
        text += glyph.bold ? (glyph.underline ? 'X' : 'B') : (glyph.underline ? 'U' : '.');
    }
    return text;
}

TEST(FullDepthForm, AFormTooLargeForOnePageGoesOnToTheNext) {
    // 3 inches hold 18 lines of 12 points: the line at 17 1/3 lines would
    // pass the bottom and opens the second page.
    CharGridPage shortPage(8.0, 3.0);
    PrintFullDepthForm(shortPage, Record(), FullDepthSheet(), "Courier New", 12.0);
    std::vector<std::string> expected = ExpectedFullDepth();
    EXPECT_EQ(shortPage.Lines(0), std::vector<std::string>(expected.begin(), expected.begin() + 16));
    ASSERT_GE(shortPage.Lines(1).size(), 3u);
    EXPECT_EQ(shortPage.Lines(1)[0], "    Total predicted design period loading = 1234 * 20 * 365 = 9,008,200");
    EXPECT_EQ(shortPage.Lines(1)[1], "");
    EXPECT_EQ(shortPage.Lines(1)[2], "  Design Data");
    EXPECT_TRUE(shortPage.AllInside());
    EXPECT_TRUE(shortPage.Ended());

    // 48 points on Letter: 20 columns and 15 3/4 lines to the page.  The
    // same characters are printed in the same order and style, all inside,
    // long lines continuing at a blank.
    CharGridPage normal;
    PrintFullDepthForm(normal, Record(), FullDepthSheet(), "Courier New", 12.0);
    CharGridPage huge(8.0, 10.5, 48.0 / 72.0);  // a row for each line of 48 points
    PrintFullDepthForm(huge, Record(), FullDepthSheet(), "Courier New", 48.0);
    EXPECT_GT(huge.PageCount(), 3);
    EXPECT_TRUE(huge.AllInside());
    EXPECT_TRUE(huge.Ended());
    EXPECT_EQ(PrintedText(huge), PrintedText(normal));
    // The title (52 points, 0.4333 in a character) is wider than the page:
    // it starts at the left edge and its 19th character opens the next line.
    EXPECT_EQ(huge.Lines(0)[0], "FLEXIBLE PAVEMENT");
    EXPECT_EQ(huge.Lines(0)[1], "DESIGN ANALYSIS");
}

// A page that fails at a chosen operation and counts what is asked of it
// after the failure.
class FailingPage : public Page {
public:
    FailingPage(CharGridPage& inner, int failAtPrint, bool failAtNewPage = false)
        : inner_(inner), failAtPrint_(failAtPrint), failAtNewPage_(failAtNewPage) {}

    int callsAfterFailure = 0;
    int prints = 0;
    bool failed = false;

    void SetFaceName(const std::string& face) override { Call(), inner_.SetFaceName(face); }
    void SetSize(double points) override { Call(), inner_.SetSize(points); }
    void SetBold(bool on) override { Call(), inner_.SetBold(on); }
    void SetUnderline(bool on) override { Call(), inner_.SetUnderline(on); }
    void SetScaleInches() override { Call(), inner_.SetScaleInches(); }
    double X() const override { return inner_.X(); }
    double Y() const override { return inner_.Y(); }
    void SetX(double x) override { Call(), inner_.SetX(x); }
    void SetY(double y) override { Call(), inner_.SetY(y); }
    double PrintableWidth() const override { return inner_.PrintableWidth(); }
    double PrintableHeight() const override { return inner_.PrintableHeight(); }
    double TextWidth(std::string_view text) const override { return inner_.TextWidth(text); }
    double TextHeight(std::string_view text) const override { return inner_.TextHeight(text); }
    void PrintText(std::string_view text) override {
        Call();
        if (++prints == failAtPrint_) Fail();
        inner_.PrintText(text);
    }
    void NewPage() override {
        Call();
        if (failAtNewPage_) Fail();
        inner_.NewPage();
    }
    void EndDocument() override { Call(), inner_.EndDocument(); }

private:
    void Call() {
        if (failed) ++callsAfterFailure;
    }
    void Fail() {
        failed = true;
        throw PageError("printer went away");
    }

    CharGridPage& inner_;
    int failAtPrint_;
    bool failAtNewPage_;
};

TEST(FullDepthForm, AFailingPageStopsTheLayoutAndTheCallerSeesIt) {
    CharGridPage reference;
    PrintFullDepthForm(reference, Record(), FullDepthSheet(), "Courier New", 12.0);

    // How many texts the whole form prints.
    CharGridPage counted;
    FailingPage counter(counted, 0);
    PrintFullDepthForm(counter, Record(), FullDepthSheet(), "Courier New", 12.0);
    EXPECT_TRUE(counted.Ended());
    EXPECT_EQ(counted.Lines(), reference.Lines());
    const int prints = counter.prints;

    for (int failAt : {1, 2, 40, prints}) {
        CharGridPage grid;
        FailingPage page(grid, failAt);
        EXPECT_THROW(PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", 12.0), PageError);
        EXPECT_TRUE(page.failed);
        EXPECT_EQ(page.callsAfterFailure, 0) << "failure at print " << failAt;
        EXPECT_FALSE(grid.Ended());
        EXPECT_LT(grid.Glyphs().size(), reference.Glyphs().size());
    }
}

TEST(FullDepthForm, AFailedNewPageStopsTheLayout) {
    CharGridPage grid(8.0, 3.0);
    FailingPage page(grid, 0, true);
    EXPECT_THROW(PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", 12.0), PageError);
    EXPECT_EQ(page.callsAfterFailure, 0);
    EXPECT_EQ(grid.PageCount(), 1);
    EXPECT_EQ(grid.Lines(0).size(), 16u);
    EXPECT_FALSE(grid.Ended());
}

TEST(FullDepthForm, RefusesABadSizeOrAShortSheetBeforePrintingAnything) {
    ResultSheet shortSheet = FullDepthSheet();
    shortSheet.rows.resize(4);
    for (double size : {0.0, -12.0, std::nan(""), HUGE_VAL}) {
        CharGridPage page;
        EXPECT_THROW(PrintFullDepthForm(page, Record(), FullDepthSheet(), "Courier New", size), std::invalid_argument);
        EXPECT_TRUE(page.Glyphs().empty());
        EXPECT_EQ(page.Face(), "");
    }
    CharGridPage page;
    EXPECT_THROW(PrintFullDepthForm(page, Record(), shortSheet, "Courier New", 12.0), std::invalid_argument);
    EXPECT_TRUE(page.Glyphs().empty());
    EXPECT_FALSE(page.Ended());
}

DesignRecord OverlayRecord() {
    DesignRecord r = Record();
    r.fullDepthCourseCount = 0;
    r.overlayCourseCount = 2;
    r.existingCourseCount = 3;
    r.officeIndex = 2;
    return r;
}

ResultSheet OverlaySheet() {
    ResultSheet s;
    s.rows = {
        Row("12.5 mm Superpave", "1.50", "38", "0.44", "0.66"),
        SplitRow(Row("19 mm Superpave", "2.00", "51", "0.44", "0.88"), "1.00", "25", "0.30", "0.30"),
        Row("Not printed", "9.00", "229", "0.30", "2.70"),
        Row("Portland Cement Concrete (good)", "10.00", "254", "0.40", "4.00"),
        // Second lines of existing courses 2 and 3 never print.
        SplitRow(Row("Graded Aggregate Base", "6.00", "152", "0.16", "0.96"), "9.99", "999", "9.99", "9.99"),
        SplitRow(Row("Sand-Clay Base", "8.00", "203", "0.10", "0.80"), "7.77", "777", "7.77", "7.77"),
    };
    s.requiredSn = "5.10";
    s.proposedSn = "5.40";
    s.difference = "5.9%";
    s.verdict = "Overdesign";
    return s;
}

std::vector<std::string> ExpectedOverlayHeadings() {
    return {
        Place({{38, "Thickness"}, {55, "Structural"}, {67, "Structural"}}),
        Place({{8, "Material"}, {32, "Inches"}, {47, "(mm)"}, {54, "Coefficient"}, {70, "Value"}}),
        Place({{3, kRule75}}),
        Place({{35, "*** OVERLAY ***"}}),
    };
}

// The whole overlay page of OverlayRecord() around the given rows, from the
// first overlay course to the last existing one.
std::vector<std::string> ExpectedOverlay(const std::vector<std::string>& structureRows) {
    std::vector<std::string> lines = ExpectedTop(53);
    Append(lines, ExpectedOverlayHeadings());
    Append(lines, structureRows);
    Append(lines, ExpectedVerdict(57, "5.10", "5.40", "5.9% Overdesign"));
    Append(lines, ExpectedSignOff("State Tarnholt Engineer", 18, "District Engineer", 26));
    return lines;
}

TEST(OverlayForm, PrintsOverlayThenExistingPavementInItsOwnColumns) {
    CharGridPage page;
    PrintOverlayForm(page, OverlayRecord(), OverlaySheet(), "Courier", 12.0);

    std::vector<std::string> expected = ExpectedOverlay({
        Place({{3, "12.5 mm Superpave"}, {34, "1.50"}, {47, "(38)"}, {57, "0.44"}, {71, "0.66"}}),
        Place({{3, "19 mm Superpave"}, {34, "2.00"}, {47, "(51)"}, {57, "0.44"}, {71, "0.88"}}),
        Place({{34, "1.00"}, {47, "(25)"}, {57, "0.30"}, {71, "0.30"}}),
        "",
        Place({{30, "*** EXISTING PAVEMENT ***"}}),
        // The name ends in column 33, so the inch text asked for in column 33
        // goes to the next line, and the rest of the row with it.
        "  Portland Cement Concrete (good)",
        Place({{33, "10.00"}, {46, "(254)"}, {57, "0.40"}, {71, "4.00"}}),
        "",  // three third-line gaps make a row
        Place({{3, "Graded Aggregate Base"}, {34, "6.00"}, {46, "(152)"}, {57, "0.16"}, {71, "0.96"}}),
        Place({{3, "Sand-Clay Base"}, {34, "8.00"}, {46, "(203)"}, {57, "0.10"}, {71, "0.80"}}),
    });
    ASSERT_EQ(expected.size(), 56u);
    EXPECT_EQ(page.Lines(), expected);
    EXPECT_EQ(page.PageCount(), 1);
    EXPECT_TRUE(page.AllInside());
    EXPECT_TRUE(page.Ended());
    ASSERT_NE(page.At(0, 0, 14), nullptr);
    EXPECT_EQ(page.At(0, 0, 14)->face, "Courier");

    // Labels and separators bold, course rows plain.
    std::vector<std::string> masks = StyleMasks(page);
    for (int row : {26, 27, 28, 29, 34, 40}) EXPECT_EQ(masks[row], Styled(expected[row], 'B')) << "row " << row;
    for (int row : {30, 31, 32, 35, 36, 38, 39, 41}) EXPECT_EQ(masks[row], Styled(expected[row], '.')) << "row " << row;
    EXPECT_EQ(masks[2], Place({{3, Styled("Project: ", 'B')}, {12, Styled("STP-0001-00(245)", '.')},
                               {53, Styled("County: ", 'B')}, {61, Styled("Barrow", '.')}}));

    // One-third-line gaps between courses only.
    const double line = 1.0 / 6.0;
    const double course1 = 16.0 / 72.0 + 29 * line;
    EXPECT_NEAR(RowTop(page, 30), course1, 1e-9);
    EXPECT_NEAR(RowTop(page, 31), course1 + line * 4 / 3, 1e-9);
    EXPECT_NEAR(CellTop(page, 34, 30), course1 + line * 4 / 3 + 3 * line, 1e-9);  // no gap before the empty line
    EXPECT_NEAR(RowTop(page, 35), course1 + line * 4 / 3 + 4 * line, 1e-9);
    EXPECT_NEAR(RowTop(page, 38), course1 + line * 4 / 3 + 6 * line + line / 3, 1e-9);
    EXPECT_NEAR(RowTop(page, 39), course1 + line * 4 / 3 + 7 * line + line * 2 / 3, 1e-9);
    EXPECT_NEAR(RowTop(page, 40), course1 + line * 4 / 3 + 8 * line + line * 2 / 3, 1e-9);
}

TEST(OverlayForm, OneOverlayCourseOverOneExistingCourseHasNoGaps) {
    DesignRecord record = OverlayRecord();
    record.overlayCourseCount = 1;
    record.existingCourseCount = 1;
    ResultSheet sheet = OverlaySheet();
    sheet.rows[0] = Row("12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00");
    // The top existing course is the one existing course that prints its
    // second line.
    sheet.rows[3] = SplitRow(Row("Asphaltic Concrete", "6.00", "152", "0.44", "2.64"), "2.00", "51", "0.30", "0.60");
    CharGridPage page;
    PrintOverlayForm(page, record, sheet, "Courier", 12.0);
    std::vector<std::string> lines = page.Lines();
    ASSERT_EQ(lines.size(), 51u);
    std::vector<std::string> structure(lines.begin() + 29, lines.begin() + 37);
    std::vector<std::string> expected = {
        Place({{35, "*** OVERLAY ***"}}),
        Place({{3, "12.5 mm OGFC"}, {30, "90 lb/sy"}, {41, "(50 kg/sm)"}, {57, "0.00"}, {71, "0.00"}}),
        "",
        Place({{30, "*** EXISTING PAVEMENT ***"}}),
        Place({{3, "Asphaltic Concrete"}, {34, "6.00"}, {46, "(152)"}, {57, "0.44"}, {71, "2.64"}}),
        Place({{34, "2.00"}, {47, "(51)"}, {57, "0.30"}, {71, "0.60"}}),
        Place({{3, kRule75}}),
        Place({{3, "Required SN = 5.10"}, {57, "Proposed SN = 5.40"}}),
    };
    EXPECT_EQ(structure, expected);
    EXPECT_NEAR(RowTop(page, 35) - RowTop(page, 30), 5.0 / 6.0, 1e-9);  // five whole lines
}

TEST(OverlayForm, ThreeOverlayCoursesPrintWithTheThirdCoursesSecondLine) {
    DesignRecord record = OverlayRecord();
    record.overlayCourseCount = 3;
    record.existingCourseCount = 2;
    ResultSheet sheet = OverlaySheet();
    sheet.rows = {
        Row("12.5 mm Superpave", "1.50", "38", "0.44", "0.66"),
        Row("19 mm Superpave", "2.00", "51", "0.44", "0.88"),
        SplitRow(Row("25 mm Superpave", "4.00", "102", "0.44", "1.76"), "2.00", "51", "0.30", "0.60"),
        Row("Asphaltic Concrete", "12.00", "305", "0.30", "3.60"),
        Row("Graded Aggregate Base", "8.00", "203", "0.16", "1.28"),
        Row("Not printed", "9.00", "229", "0.10", "0.90"),
    };
    CharGridPage page;
    PrintOverlayForm(page, record, sheet, "Courier", 12.0);

    std::vector<std::string> expected = ExpectedOverlay({
        Place({{3, "12.5 mm Superpave"}, {34, "1.50"}, {47, "(38)"}, {57, "0.44"}, {71, "0.66"}}),
        Place({{3, "19 mm Superpave"}, {34, "2.00"}, {47, "(51)"}, {57, "0.44"}, {71, "0.88"}}),
        "",  // the second third-line gap crosses a row
        Place({{3, "25 mm Superpave"}, {34, "4.00"}, {46, "(102)"}, {57, "0.44"}, {71, "1.76"}}),
        Place({{34, "2.00"}, {47, "(51)"}, {57, "0.30"}, {71, "0.60"}}),
        "",
        Place({{30, "*** EXISTING PAVEMENT ***"}}),
        Place({{3, "Asphaltic Concrete"}, {33, "12.00"}, {46, "(305)"}, {57, "0.30"}, {71, "3.60"}}),
        Place({{3, "Graded Aggregate Base"}, {34, "8.00"}, {46, "(203)"}, {57, "0.16"}, {71, "1.28"}}),
    });
    ASSERT_EQ(expected.size(), 55u);
    std::vector<std::string> lines = page.Lines();
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(lines.size(), 55u);
    EXPECT_EQ(lines[33], expected[33]) << "third overlay course";
    EXPECT_EQ(lines[34], expected[34]) << "second line of the third overlay course";
    std::vector<std::string> masks = StyleMasks(page);
    for (int row : {30, 31, 33, 34, 37, 38}) EXPECT_EQ(masks[row], Styled(expected[row], '.')) << "row " << row;

    // At 12 points "a" is one line high: a third of it between overlay
    // courses 1 and 2 and between 2 and 3, none within course 3 or after it,
    // one between the two existing courses and none after the second.
    const double line = 1.0 / 6.0;
    const double gap = line / 3;
    const double course1 = 16.0 / 72.0 + 29 * line;
    EXPECT_NEAR(RowTop(page, 30), course1, 1e-9);
    EXPECT_NEAR(RowTop(page, 31) - RowTop(page, 30), line + gap, 1e-9);
    EXPECT_NEAR(RowTop(page, 33) - RowTop(page, 31), line + gap, 1e-9);
    EXPECT_NEAR(CellTop(page, 34, 34) - RowTop(page, 33), line, 1e-9);
    EXPECT_NEAR(CellTop(page, 36, 30) - CellTop(page, 34, 34), 2 * line, 1e-9);  // empty line, then the label
    EXPECT_NEAR(RowTop(page, 37) - CellTop(page, 36, 30), line, 1e-9);
    EXPECT_NEAR(RowTop(page, 38) - RowTop(page, 37), line + gap, 1e-9);
    EXPECT_NEAR(RowTop(page, 39) - RowTop(page, 38), line, 1e-9);  // the closing separator
    EXPECT_NEAR(RowTop(page, 39), course1 + 8 * line + 3 * gap, 1e-9);
}

TEST(OverlayForm, NoExistingCourseStillPrintsTheFirstExistingRow) {
    DesignRecord record = OverlayRecord();
    record.overlayCourseCount = 1;
    record.existingCourseCount = 0;
    ResultSheet sheet = OverlaySheet();
    sheet.rows[3] = Row("[NO COURSE]", "0.00", "", "0.00", "0.00");
    CharGridPage page;
    PrintOverlayForm(page, record, sheet, "Courier", 12.0);
    std::vector<std::string> lines = page.Lines();
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[32], Place({{30, "*** EXISTING PAVEMENT ***"}}));
    EXPECT_EQ(lines[33], Place({{3, "[NO COURSE]"}, {34, "0.00"}, {49, "()"}, {57, "0.00"}, {71, "0.00"}}));
    EXPECT_EQ(lines[34], Place({{3, kRule75}}));
}

TEST(OverlayForm, RefusesASheetWithoutTheExistingRows) {
    ResultSheet sheet = OverlaySheet();
    sheet.rows.resize(5);
    CharGridPage page;
    EXPECT_THROW(PrintOverlayForm(page, OverlayRecord(), sheet, "Courier", 12.0), std::invalid_argument);
    EXPECT_TRUE(page.Glyphs().empty());
}

}  // namespace
}  // namespace korvelle
