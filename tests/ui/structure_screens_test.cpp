#include "ui/structure_screens.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "fakes.h"

namespace korvelle {
namespace {

constexpr ScreenId kFullDepth = ScreenId::FullDepthEntry;
constexpr ScreenId kOverlay = ScreenId::OverlayEntry;
constexpr ScreenId kFullResult = ScreenId::FullDepthResult;
constexpr ScreenId kOverlayResult = ScreenId::OverlayResult;

using Cells = std::array<std::string, 9>;
const Cells kEmptyRow{};

// List positions.  Full-depth course 1 and overlay course 1 (list A):
constexpr int kTopOgfc = 0, kTopPem = 1, kTopSuperpave125 = 2, kTopSma125 = 4;
// Full-depth courses 2 to 5 (list B):
constexpr int kSuperpave125 = 0, kSuperpave19 = 3, kSma19 = 4, kSuperpave25 = 5, kSoilCement = 7,
              kGradedAggregate = 8, kNoCourseB = 9;
// Overlay courses 2 and 3 (list C):
constexpr int kOverlaySuperpave19 = 3, kOverlaySuperpave37 = 6, kNoCourseC = 7;
// Existing courses (list D):
constexpr int kConcreteGood = 0, kAsphalticConcrete = 2, kExistingGradedAggregate = 4, kSandClay = 5,
              kNoCourseD = 6;

// A run standing on a structure entry screen, with a required SN of 3.44.
struct EntryRun : Harness {
    ScreenId self;
    ScreenId result;
    explicit EntryRun(ScreenId screen)
        : self(screen), result(screen == kFullDepth ? kFullResult : kOverlayResult) {
        StartToMainMenu();
        ClickOption(ScreenId::MainMenu, MainMenu::kOptions,
                    screen == kFullDepth ? MainMenu::kFullDepth : MainMenu::kOverlay);
        Click(ScreenId::MainMenu, MainMenu::kContinue);
        record.requiredSn = 3.44f;
        record.proposedSn = -1.0f;  // marks "not evaluated"
        desktop.Clear();
    }
    StructureEntryScreen& entry() { return Logic<StructureEntryScreen>(self); }
    ResultScreen& resultScreen() { return Logic<ResultScreen>(result); }
    void Course(int row, int position, const std::string& thickness = "") {
        View(self).SetChoice(entry().List(row), position);
        SetText(self, entry().Thickness(row), thickness);
    }
    std::string Thickness(int row) { return Text(self, entry().Thickness(row)); }
    void Scroll(int row, int position) { Choose(self, entry().Scroll(row), position); }
    // CONTINUE, with the focus on it as after a click.
    void Continue() {
        View(self).focus = entry().ContinueButton();
        Click(self, entry().ContinueButton());
    }
    bool Evaluated() { return windows.Visible(result); }
    Cells Row(int row) {
        Cells cells;
        for (int c = 0; c < 9; ++c) cells[c] = Text(result, ResultScreen::Cell(row, c));
        return cells;
    }
    std::string Summary(int control) { return Text(result, control); }
    // After a refused CONTINUE: the one message, the screen as it was, the
    // focus where it was, and nothing evaluated.
    void ExpectRefused(const std::string& message) {
        EXPECT_EQ(desktop.Texts(), std::vector<std::string>{message});
        EXPECT_EQ(desktop.events, (std::vector<std::string>{"beep", "message"}));
        ASSERT_FALSE(desktop.messages.empty());
        EXPECT_EQ(desktop.messages[0].title, "ERROR");
        EXPECT_EQ(desktop.messages[0].style, MessageStyle::Critical);
        EXPECT_FALSE(Evaluated());
        EXPECT_TRUE(windows.Visible(self));
        EXPECT_EQ(View(self).focus, entry().ContinueButton());
        EXPECT_EQ(record.proposedSn, -1.0f);
    }
    // A refusal with a message of its own that names the course.
    void ExpectRefusedNaming(std::initializer_list<const char*> words) {
        ASSERT_EQ(desktop.messages.size(), 1u);
        const std::string text = desktop.messages[0].text;
        for (const char* word : words) EXPECT_NE(text.find(word), std::string::npos) << text;
        EXPECT_NE(text, "Pavement thickness must be entered for each course");
        ExpectRefused(text);
    }
};

struct FullDepthRun : EntryRun {
    FullDepthRun() : EntryRun(kFullDepth) {}
    // 1.50 + 2.00 + 3.00 of asphalt on 8.00 of graded aggregate.
    void FourCourses() {
        Course(0, kTopSuperpave125, "1.50");
        Course(1, kSuperpave19, "2.00");
        Course(2, kSuperpave25, "3.00");
        Course(3, kGradedAggregate, "8.00");
    }
};
struct OverlayRun : EntryRun {
    OverlayRun() : EntryRun(kOverlay) {}
    // 1.50 + 2.00 of overlay on 4.00 of asphaltic concrete over 8.00 of
    // graded aggregate.
    void OnAsphalticConcrete() {
        Course(0, kTopSuperpave125, "1.50");
        Course(1, kOverlaySuperpave19, "2.00");
        Course(3, kAsphalticConcrete, "4.00");
        Course(4, kExistingGradedAggregate, "8.00");
    }
};

const std::string kTop = "Data must be entered for top course";
const std::string kTopOverlay = "Data must be entered for top overlay course";
const std::string kTopExisting = "Data must be entered for top existing course";
const std::string kThickness = "Pavement thickness must be entered for each course";

// ------------------------------------------------------ full-depth checks

TEST(FullDepthEntry, NothingChosenGivesOnlyTheTopCourseMessage) {
    FullDepthRun h;
    h.Course(1, kSuperpave19);  // no thickness either
    h.Continue();
    h.ExpectRefused(kTop);
    EXPECT_FALSE(h.windows.Exists(kFullResult));
}

TEST(FullDepthEntry, SpreadRateTopCourseTakesThicknessZeroWhateverWasTyped) {
    for (int top : {kTopOgfc, kTopPem}) {
        FullDepthRun h;
        h.Course(0, top, "2.50");
        h.Course(1, kSuperpave125, "2.00");
        h.Continue();
        EXPECT_EQ(h.Thickness(0), "0");
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_TRUE(h.Evaluated());
    }
    // Blank stays acceptable too.
    FullDepthRun h;
    h.Course(0, kTopPem, "");
    h.Continue();
    EXPECT_TRUE(h.Evaluated());
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm PEM", "135 lb/sy", "75 kg/sm", "0.00", "0.00"}));
}

TEST(FullDepthEntry, SpreadRateThicknessBecomesZeroEvenWhenALaterCheckFails) {
    FullDepthRun h;
    h.Course(0, kTopOgfc, "1.00");
    h.Course(1, kSuperpave19, "");
    h.Continue();
    h.ExpectRefused(kThickness);
    EXPECT_EQ(h.Thickness(0), "0");
}

TEST(FullDepthEntry, TopCourseThicknessIsMissingWhenEmptyOrZeroHoweverWritten) {
    // The number as shown decides, not the text: "-0" or "0.00" is no course
    // either, nor a thickness that shows as 0.00 in.
    for (const char* missing : {"", "0", "0.00", "0.0", "00", " 0", "-0", "+0.000", "0.004", "0.0000001", "-0.004"}) {
        SCOPED_TRACE(missing);
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, missing);
        h.Continue();
        h.ExpectRefused(kThickness);
    }
    for (const char* entered : {"0.01", " 1", "0.25", "0.005"}) {
        SCOPED_TRACE(entered);
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, entered);
        h.Continue();
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_TRUE(h.Evaluated());
    }
}

TEST(FullDepthEntry, LowerCoursesNeedAThicknessOnlyWhenTheyHoldACourse) {
    {
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(1, kSuperpave19, "2.00");
        h.Course(2, kNoCourseB, "");
        h.Continue();
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_TRUE(h.Evaluated());
    }
    {
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(1, kSuperpave19, "2.00");
        h.Course(2, kSma19, "");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
    {
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(1, kGradedAggregate, "0");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
}

TEST(FullDepthEntry, ChecksRunInOrderAndStopAtTheFirstFailure) {
    {
        // Thickness of course 2 is tested before the gap at course 3.
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(1, kSuperpave19, "");
        h.Course(2, -1);
        h.Course(3, kSuperpave25, "x");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
    {
        // A missing thickness below a gap is still a missing thickness.
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(2, kSuperpave25, "");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
    {
        // The gap is found before a bad number further down.
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        h.Course(2, kSuperpave25, "2.00");
        h.Course(3, kSoilCement, "abc");
        h.Continue();
        h.ExpectRefusedNaming({"COURSE 2"});
        EXPECT_EQ(h.desktop.messages[0].text.find("COURSE 4"), std::string::npos);
    }
}

TEST(FullDepthEntry, ACourseBelowAnEmptyOrNoCourseRowIsRefusedNamingTheEmptyCourse) {
    struct Case {
        int emptyRow;
        int emptyPosition;  // -1 or "[NO COURSE]"
        int chosenRow;
        const char* named;
    };
    for (const Case& c : std::vector<Case>{{1, -1, 2, "COURSE 2"},
                                           {1, kNoCourseB, 2, "COURSE 2"},
                                           {3, kNoCourseB, 4, "COURSE 4"},
                                           {2, -1, 4, "COURSE 3"}}) {
        SCOPED_TRACE(c.named);
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        for (int r = 1; r < c.emptyRow; ++r) h.Course(r, kSuperpave19, "2.00");
        h.Course(c.emptyRow, c.emptyPosition, "");
        h.Course(c.chosenRow, kGradedAggregate, "6.00");
        h.Continue();
        h.ExpectRefusedNaming({c.named});
    }
}

TEST(FullDepthEntry, ThicknessThatIsNotANumberOrIsNegativeIsRefusedNamingTheCourse) {
    struct Case {
        int row;
        const char* text;
        const char* named;
    };
    for (const Case& c : std::vector<Case>{{0, "abc", "COURSE 1"},
                                           {0, "-1", "COURSE 1"},
                                           {1, "1,5", "COURSE 2"},
                                           {1, "2 in", "COURSE 2"},
                                           {4, "-0.25", "COURSE 5"},
                                           {3, "1.2.3", "COURSE 4"},
                                           {2, "10000000000000000000000000000000000000000", "COURSE 3"},
                                           {2, "329674500000000000000000000000000000000", "COURSE 3"},
                                           {1, "1000.25", "COURSE 2"}}) {
        SCOPED_TRACE(c.text);
        FullDepthRun h;
        h.Course(0, kTopSuperpave125, "1.50");
        for (int r = 1; r <= c.row; ++r) h.Course(r, kSuperpave19, "2.00");
        h.SetText(kFullDepth, h.entry().Thickness(c.row), c.text);
        h.Continue();
        h.ExpectRefusedNaming({c.named});
        EXPECT_EQ(h.Thickness(c.row), c.text);
    }
}

TEST(FullDepthEntry, ThicknessOfARowWithoutACourseIsNotLookedAt) {
    FullDepthRun h;
    h.Course(0, kTopSuperpave125, "1.50");
    h.Course(1, kNoCourseB, "abc");
    h.Course(2, -1, "-3");
    h.Continue();
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_TRUE(h.Evaluated());
}

TEST(FullDepthEntry, ThicknessBeyondTheScrollRangeIsValid) {
    FullDepthRun h;
    h.Course(0, kTopSuperpave125, "20");
    h.Continue();
    EXPECT_TRUE(h.desktop.messages.empty());
    // 4.50 in the top zone, 15.50 below it: 1.98 + 0.30 x 15.50 = 1.98 + 4.65.
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98", "15.50", "394", "0.30", "4.65"}));
    EXPECT_EQ(h.Summary(h.resultScreen().ProposedSn()), "6.63");
}

// ------------------------------------------------ full-depth evaluation

TEST(FullDepthEntry, FourCourseDesignShowsEveryCellOfTheResultScreen) {
    FullDepthRun h;
    h.FourCourses();
    h.Continue();
    ASSERT_TRUE(h.Evaluated());
    // The top zone ends 1.00 inch into course 3 (1.50 + 2.00 = 3.50).
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(h.Row(1), (Cells{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(h.Row(2), (Cells{"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(h.Row(3), (Cells{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(h.Row(4), kEmptyRow);
    ResultScreen& r = h.resultScreen();
    EXPECT_EQ(h.Summary(r.RequiredSn()), "3.44");
    EXPECT_EQ(h.Summary(r.ProposedSn()), "3.86");
    EXPECT_EQ(h.Summary(r.Difference()), "12.2%");
    EXPECT_EQ(h.Summary(r.Verdict()), "Overdesign");
    EXPECT_FLOAT_EQ(h.record.proposedSn, 3.86f);
    EXPECT_EQ(h.record.fullDepthCourseCount, 4);
}

TEST(FullDepthEntry, OpenGradedTopCourseDesignUnderdesigns) {
    FullDepthRun h;
    h.Course(0, kTopOgfc, "");
    h.Course(1, kSuperpave125, "2.00");
    h.Course(2, kSuperpave19, "3.00");
    h.Continue();
    ASSERT_TRUE(h.Evaluated());
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"}));
    EXPECT_EQ(h.Row(1), (Cells{"12.5 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    // 2.50 x 25.4 = 63.5 mm, 0.50 x 25.4 = 12.7 mm.
    EXPECT_EQ(h.Row(2), (Cells{"19 mm Superpave", "2.50", "64", "0.44", "1.10", "0.50", "13", "0.30", "0.15"}));
    ResultScreen& r = h.resultScreen();
    EXPECT_EQ(h.Summary(r.ProposedSn()), "2.13");
    // (3.44 - 2.13) / 3.44 = 38.08 %.
    EXPECT_EQ(h.Summary(r.Difference()), "38.1%");
    EXPECT_EQ(h.Summary(r.Verdict()), "Underdesign");
}

TEST(FullDepthEntry, SingleThickCourseIsSplitAtTheBottomOfTheTopZone) {
    FullDepthRun h;
    h.Course(0, kTopSma125, "6.00");
    h.Continue();
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm SMA", "4.50", "114", "0.44", "1.98", "1.50", "38", "0.30", "0.45"}));
    for (int row = 1; row < 5; ++row) EXPECT_EQ(h.Row(row), kEmptyRow);
    EXPECT_EQ(h.Summary(h.resultScreen().ProposedSn()), "2.43");
}

// ---------------------------------------------------------- result screen

TEST(FullDepthResult, EditEmptiesOnlyTheCourseRowsAndReturnsToTheEntriesAsTheyWere) {
    FullDepthRun h;
    h.FourCourses();
    h.Scroll(3, 32);
    h.Continue();
    const std::map<int, int> choices = h.View(kFullDepth).choices;
    const std::map<int, std::string> texts = h.View(kFullDepth).texts;
    ResultScreen& r = h.resultScreen();
    const std::size_t mark = h.windows.log.size();
    h.Click(kFullResult, r.EditButton());
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kFullDepth},
                                                               {WindowEvent::Hide, kFullResult}}));
    for (int row = 0; row < 5; ++row) EXPECT_EQ(h.Row(row), kEmptyRow) << row;
    EXPECT_EQ(h.Summary(r.RequiredSn()), "3.44");
    EXPECT_EQ(h.Summary(r.ProposedSn()), "3.86");
    EXPECT_EQ(h.Summary(r.Difference()), "12.2%");
    EXPECT_EQ(h.Summary(r.Verdict()), "Overdesign");
    EXPECT_EQ(h.View(kFullDepth).choices, choices);
    EXPECT_EQ(h.View(kFullDepth).texts, texts);

    // Fewer courses the second time: nothing is left over from the first.
    h.Course(2, kNoCourseB);
    h.Course(3, -1);
    h.Continue();
    EXPECT_EQ(h.Row(1), (Cells{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(h.Row(2), kEmptyRow);
    EXPECT_EQ(h.Row(3), kEmptyRow);
    EXPECT_EQ(h.Summary(r.ProposedSn()), "1.54");
    EXPECT_EQ(h.Summary(r.Verdict()), "Underdesign");
}

TEST(FullDepthResult, AcceptShowsThePrintScreenFirstAndKeepsTheTexts) {
    FullDepthRun h;
    h.Course(0, kTopSma125, "6.00");
    h.Continue();
    const std::size_t mark = h.windows.log.size();
    h.Click(kFullResult, h.resultScreen().AcceptButton());
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::FullDepthPrint},
                                                               {WindowEvent::Show, ScreenId::FullDepthPrint},
                                                               {WindowEvent::Hide, kFullResult}}));
    EXPECT_EQ(h.Row(0)[4], "1.98");
    EXPECT_EQ(h.resultScreen().Displayed().proposedSn, "2.43");
}

TEST(FullDepthResult, EqualStructuralNumbersAreNeitherOverNorUnderdesign) {
    FullDepthRun h;
    h.record.requiredSn = 1.98f;
    h.Course(0, kTopSuperpave125, "4.50");  // exactly the top zone: 0.44 x 4.50
    h.Continue();
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm Superpave", "4.50", "114", "0.44", "1.98"}));
    EXPECT_EQ(h.Summary(h.resultScreen().Difference()), "0.0%");
    EXPECT_NE(h.Summary(h.resultScreen().Verdict()), "Overdesign");
    EXPECT_NE(h.Summary(h.resultScreen().Verdict()), "Underdesign");
}

// ------------------------------------------------------------ scroll bars

TEST(StructureEntry, ScrollBarWritesQuarterInchesIntoTheThicknessField) {
    FullDepthRun h;
    for (auto [position, text] : std::vector<std::pair<int, const char*>>{
             {1, "0.25"}, {5, "1.25"}, {24, "6.00"}, {0, "0.00"}, {64, "16.00"}, {3, "0.75"}}) {
        h.Scroll(1, position);
        EXPECT_EQ(h.Thickness(1), text) << position;
    }
    // Typing does not move the bar; the bar's next change overwrites the text.
    h.SetText(kFullDepth, h.entry().Thickness(2), "3.3");
    h.Scroll(2, 1);
    EXPECT_EQ(h.Thickness(2), "0.25");
    EXPECT_EQ(h.Thickness(1), "0.75");
    EXPECT_TRUE(h.desktop.events.empty());
}

TEST(StructureEntry, ScrollRangesOfTheRows) {
    Harness h;
    h.StartToMainMenu();
    auto& full = h.Logic<StructureEntryScreen>(kFullDepth);
    auto& overlay = h.Logic<StructureEntryScreen>(kOverlay);
    ASSERT_EQ(full.rows(), 5);
    ASSERT_EQ(overlay.rows(), 6);
    const std::vector<int> fullMax = {24, 64, 64, 64, 64};
    const std::vector<int> overlayMax = {24, 24, 24, 64, 64, 64};
    for (int r = 0; r < 5; ++r) EXPECT_EQ(full.row(r).scrollMaximum, fullMax[r]) << r;
    for (int r = 0; r < 6; ++r) EXPECT_EQ(overlay.row(r).scrollMaximum, overlayMax[r]) << r;
}

TEST(StructureEntry, OverlayScrollBarsWriteTheirRowsThickness) {
    OverlayRun h;
    h.Scroll(2, 24);
    h.Scroll(5, 64);
    h.Scroll(3, 9);
    EXPECT_EQ(h.Thickness(2), "6.00");
    EXPECT_EQ(h.Thickness(5), "16.00");
    EXPECT_EQ(h.Thickness(3), "2.25");
    EXPECT_EQ(h.Thickness(0), "");
}

// ------------------------------------------------------------- guidelines

TEST(Guidelines, OpenBesideTheEntryScreenAndStayOpenThroughContinue) {
    FullDepthRun h;
    h.Click(kFullDepth, h.entry().GuidelinesButton());
    EXPECT_EQ(h.windows.visible, (std::set<ScreenId>{kFullDepth, ScreenId::Guidelines}));
    // Pressing the button again only brings them forward.
    h.Click(kFullDepth, h.entry().GuidelinesButton());
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, ScreenId::Guidelines), 1);
    EXPECT_EQ(h.windows.Count(WindowEvent::Show, ScreenId::Guidelines), 2);

    h.Course(0, kTopSuperpave125, "2.00");
    h.Continue();
    EXPECT_EQ(h.windows.visible, (std::set<ScreenId>{kFullResult, ScreenId::Guidelines}));
    h.Click(ScreenId::Guidelines, GuidelinesScreen::kOkay);
    EXPECT_EQ(h.windows.visible, std::set<ScreenId>{kFullResult});
}

TEST(Guidelines, OneScreenServesBothEntryScreens) {
    FullDepthRun h;
    h.Click(kFullDepth, h.entry().GuidelinesButton());
    h.Click(ScreenId::Guidelines, GuidelinesScreen::kOkay);
    h.program.Move(kFullDepth, kOverlay);
    auto& overlay = h.Logic<StructureEntryScreen>(kOverlay);
    h.Click(kOverlay, overlay.GuidelinesButton());
    EXPECT_EQ(h.windows.visible, (std::set<ScreenId>{kOverlay, ScreenId::Guidelines}));
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, ScreenId::Guidelines), 1);
}

// -------------------------------------------------------- overlay checks

TEST(OverlayEntry, NothingChosenGivesOnlyTheTopOverlayMessage) {
    OverlayRun h;
    h.Continue();
    h.ExpectRefused(kTopOverlay);
}

TEST(OverlayEntry, TopExistingCourseMustBeChosen) {
    OverlayRun h;
    h.Course(0, kTopSuperpave125, "2.00");
    h.Continue();
    h.ExpectRefused(kTopExisting);
}

TEST(OverlayEntry, OverlayThicknessIsTestedBeforeTheTopExistingCourse) {
    OverlayRun h;
    h.Course(0, kTopSuperpave125, "2.00");
    h.Course(1, kOverlaySuperpave37, "0");
    h.Continue();
    h.ExpectRefused(kThickness);
}

TEST(OverlayEntry, SpreadRateTopCourseTakesThicknessZero) {
    OverlayRun h;
    h.Course(0, kTopOgfc, "1.00");
    h.Course(3, kConcreteGood, "9.00");
    h.Continue();
    EXPECT_EQ(h.Thickness(0), "0");
    EXPECT_TRUE(h.desktop.messages.empty());
    ASSERT_TRUE(h.Evaluated());
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00"}));

    OverlayRun failing;
    failing.Course(0, kTopPem, "1.00");
    failing.Continue();
    failing.ExpectRefused(kTopExisting);
    EXPECT_EQ(failing.Thickness(0), "0");
}

TEST(OverlayEntry, ExistingCoursesNeedAThicknessOnlyWhenTheyHoldACourse) {
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kAsphalticConcrete, "4.00");
        h.Course(4, kSandClay, "");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kAsphalticConcrete, "4.00");
        h.Course(4, kNoCourseD, "");
        h.Continue();
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_TRUE(h.Evaluated());
    }
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kConcreteGood, "0");
        h.Continue();
        h.ExpectRefused(kThickness);
    }
}

TEST(OverlayEntry, NoCourseCountsAsAChoiceForTheTopExistingCourse) {
    OverlayRun h;
    h.Course(0, kTopSuperpave125, "2.00");
    h.Course(3, kNoCourseD, "");
    h.Continue();
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_TRUE(h.Evaluated());
}

TEST(OverlayEntry, GapsInEitherGroupAreRefusedNamingTheEmptyCourse) {
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(1, kNoCourseC, "");
        h.Course(2, kOverlaySuperpave19, "1.00");
        h.Course(3, kConcreteGood, "9.00");
        h.Continue();
        h.ExpectRefusedNaming({"verlay", "COURSE 2"});
    }
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kNoCourseD, "");
        h.Course(4, kExistingGradedAggregate, "8.00");
        h.Continue();
        h.ExpectRefusedNaming({"xisting", "COURSE 1"});
    }
    {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kConcreteGood, "9.00");
        h.Course(5, kSandClay, "5.00");
        h.Continue();
        h.ExpectRefusedNaming({"xisting", "COURSE 2"});
    }
}

TEST(OverlayEntry, ThicknessThatIsNotANumberIsRefusedNamingTheCourse) {
    OverlayRun h;
    h.Course(0, kTopSuperpave125, "2.00");
    h.Course(3, kAsphalticConcrete, "four");
    h.Continue();
    h.ExpectRefusedNaming({"xisting", "COURSE 1"});
}

TEST(OverlayEntry, TopExistingNoCourseWithAThicknessThatIsNotANumberIsRefusedNamingIt) {
    // The top existing row is evaluated and shown even as "[NO COURSE]".
    for (const char* thickness : {"n/a", "1001", "-1"}) {
        OverlayRun h;
        h.Course(0, kTopSuperpave125, "2.00");
        h.Course(3, kNoCourseD, thickness);
        h.Continue();
        h.ExpectRefusedNaming({"xisting", "COURSE 1"});
    }
}

// ---------------------------------------------------- overlay evaluation

TEST(OverlayEntry, OverlayOnAsphalticConcreteSplitsTheTopExistingCourse) {
    OverlayRun h;
    h.OnAsphalticConcrete();
    h.Continue();
    ASSERT_TRUE(h.Evaluated());
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(h.Row(1), (Cells{"19 mm Superpave", "2.00", "51", "0.44", "0.88"}));
    EXPECT_EQ(h.Row(2), kEmptyRow);
    // The overlay is 3.50 thick, so the top zone ends 1.00 inch into it.
    EXPECT_EQ(h.Row(3), (Cells{"Asphaltic Concrete", "1.00", "25", "0.44", "0.44", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(h.Row(4), (Cells{"Graded Aggregate Base", "8.00", "203", "0.16", "1.28"}));
    EXPECT_EQ(h.Row(5), kEmptyRow);
    ResultScreen& r = h.resultScreen();
    EXPECT_EQ(h.Summary(r.RequiredSn()), "3.44");
    EXPECT_EQ(h.Summary(r.ProposedSn()), "4.16");
    EXPECT_EQ(h.Summary(r.Difference()), "20.9%");  // 0.72 / 3.44
    EXPECT_EQ(h.Summary(r.Verdict()), "Overdesign");
    EXPECT_EQ(h.record.overlayCourseCount, 2);
    EXPECT_EQ(h.record.existingCourseCount, 2);
}

TEST(OverlayEntry, OverlayOnGoodConcrete) {
    OverlayRun h;
    h.Course(0, kTopSuperpave125, "1.50");
    h.Course(1, kOverlaySuperpave19, "2.00");
    h.Course(3, kConcreteGood, "9.00");
    h.Continue();
    EXPECT_EQ(h.Row(3), (Cells{"Portland Cement Concrete (good)", "9.00", "229", "0.40", "3.60"}));
    EXPECT_EQ(h.Row(4), kEmptyRow);
    EXPECT_EQ(h.Summary(h.resultScreen().ProposedSn()), "5.14");
    EXPECT_EQ(h.Summary(h.resultScreen().Difference()), "49.4%");  // 1.70 / 3.44
}

TEST(OverlayResult, EditEmptiesTheSixRowsAndOnlyThem) {
    OverlayRun h;
    h.OnAsphalticConcrete();
    h.Continue();
    ResultScreen& r = h.resultScreen();
    h.Click(kOverlayResult, r.EditButton());
    for (int row = 0; row < 6; ++row) EXPECT_EQ(h.Row(row), kEmptyRow) << row;
    EXPECT_EQ(h.Summary(r.ProposedSn()), "4.16");
    EXPECT_EQ(h.Summary(r.Verdict()), "Overdesign");
    EXPECT_TRUE(h.windows.Visible(kOverlay));
    EXPECT_FALSE(h.windows.Visible(kOverlayResult));
    EXPECT_EQ(h.Thickness(3), "4.00");

    // One course on one course: the first row of each group only.
    h.Course(1, kNoCourseC);
    h.Course(4, kNoCourseD);
    h.Continue();
    EXPECT_EQ(h.Row(0), (Cells{"12.5 mm Superpave", "1.50", "38", "0.44", "0.66"}));
    EXPECT_EQ(h.Row(1), kEmptyRow);
    EXPECT_EQ(h.Row(4), kEmptyRow);
    EXPECT_EQ(h.Row(3)[0], "Asphaltic Concrete");
}

// ------------------------------------------------------------ worst cases

// 1,000 characters pasted into the thickness of every row (the thickness
// fields have no maximum length): digits, letters or blanks, each refused
// naming the top course of the group, nothing evaluated.
TEST(StructureEntry, AThousandCharacterThicknessInEveryRow) {
    for (char c : {'7', 'x', ' '}) {
        SCOPED_TRACE(std::string(1, c));
        const std::string pasted(1000, c);
        FullDepthRun f;
        f.Course(0, kTopSuperpave125, pasted);
        for (int r = 1; r < 5; ++r) f.Course(r, kSuperpave19, pasted);
        f.Continue();
        f.ExpectRefusedNaming({"COURSE 1"});

        OverlayRun o;
        o.Course(0, kTopSuperpave125, pasted);
        for (int r = 1; r < 3; ++r) o.Course(r, kOverlaySuperpave19, pasted);
        for (int r = 3; r < 6; ++r) o.Course(r, kAsphalticConcrete, pasted);
        o.Continue();
        o.ExpectRefusedNaming({"verlay", "COURSE 1"});
    }
}

// Nothing chosen and nothing typed, then CONTINUE: the top course message
// alone; with the top courses chosen and no thickness, the thickness message.
TEST(StructureEntry, EveryRowEmptyThenContinue) {
    FullDepthRun f;
    f.Continue();
    f.ExpectRefused(kTop);
    f.desktop.Clear();
    f.Course(0, kTopSuperpave125);
    f.Continue();
    f.ExpectRefused(kThickness);

    OverlayRun o;
    o.Continue();
    o.ExpectRefused(kTopOverlay);
    o.desktop.Clear();
    o.Course(0, kTopSuperpave125, "1.50");
    o.Continue();
    o.ExpectRefused(kTopExisting);
    o.desktop.Clear();
    o.Course(3, kConcreteGood);
    o.Continue();
    o.ExpectRefused(kThickness);
}

}  // namespace
}  // namespace korvelle
