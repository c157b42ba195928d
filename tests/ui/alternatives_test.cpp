// Alternatives kept from the full-depth example's entry screen, compared
// through the evaluation CONTINUE runs, priced with the shipped example
// prices.  Worked by hand, against the example's required SN 3.44:
//   A, the example's 1.50 / 2.00 / 3.00 / 8.00 in. of SP12.5, SP19, SP25 and
//   GAB: 1.50 x 0.44 + 2.00 x 0.44 + (1.00 x 0.44 + 2.00 x 0.30, the SP25
//   below 4.5 in. taking 0.30) + 8.00 x 0.16 = 3.86, (3.86 - 3.44) / 3.44 =
//   12.2% over; 1.50 x 6.20 + 2.00 x 5.70 + 3.00 x 5.30 + 8.00 x 1.40 =
//   $47.80 per sq. yd.
//   B, COURSE 3 at 2.00 and COURSE 4 at 6.00: 0.66 + 0.88 + 0.74 + 0.96 =
//   3.24, 0.20 / 3.44 = 5.8% under; $39.70.

#include <gtest/gtest.h>

#include <algorithm>

#include "example_run.h"
#include "ui/alternatives.h"
#include "ui/sensitivity.h"

namespace korvelle {
namespace {

constexpr ScreenId kEntry = ScreenId::FullDepthEntry;

struct AlternativesRun : ExampleRun {
    AlternativesRun() : ExampleRun("full-depth.korvelle") { ToEntry(MainMenu::kFullDepth); }
    const StructureEntryScreen& entry() { return Entry(kEntry); }
    void Keep(const std::string& name) {
        desktop.texts = {name};
        Click(kEntry, entry().KeepButton());
    }
    // A kept with the example's courses, B with COURSE 3 and 4 thinner.
    void KeepAAndB() {
        Keep("A: as designed");
        SetText(kEntry, entry().Thickness(2), "2");
        SetText(kEntry, entry().Thickness(3), "6");
        Keep("B: thinner");
    }
};

class FakeAlternativesDisplay : public AlternativesDisplay {
public:
    std::optional<std::size_t> ShowAlternatives(Program&) override {
        ++shown;
        return use;
    }
    std::optional<std::size_t> use;
    int shown = 0;
};

TEST(Alternatives, KeptCoursesAreComparedAsContinueEvaluatesThemPricedSortedAndPrinted) {
    AlternativesRun h;
    h.KeepAAndB();
    ASSERT_EQ(h.desktop.questions.size(), 2u);
    for (const char* offered : {"A: ", "B: "}) {  // the next free letter offered each time
        EXPECT_EQ(h.desktop.questions[offered[0] - 'A'].text,
                  "Keep the courses of this screen as an alternative, named: [" + std::string(offered) + "]");
    }
    EXPECT_TRUE(h.program.document().Modified());  // kept with the design, to be saved
    // An empty structure is kept too; CONTINUE refuses it, so it has no SN and no cost.
    for (int r = 0; r < 4; ++r) {
        h.Choose(kEntry, h.entry().List(r), -1);
        h.SetText(kEntry, h.entry().Thickness(r), "");
    }
    h.Keep("C: nothing");
    EXPECT_TRUE(h.desktop.messages.empty()) << h.desktop.Texts().front();

    struct Expected {
        const char* courses;
        const char* total;
        const char* sn;
        const char* difference;
        double percent;
        const char* cost;
    };
    const Expected expected[] = {
        {"1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB", "14.50", "3.86", "12.2% Overdesign", 12.2, "$47.80"},
        {"1.50 SP12.5 / 2.00 SP19 / 2.00 SP25 / 6.00 GAB", "11.50", "3.24", "5.8% Underdesign", -5.8, "$39.70"},
    };
    const std::vector<AlternativeRow> rows = CompareAlternatives(h.program);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Expected& e = expected[i];
        EXPECT_TRUE(rows[i].evaluated);
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::Kind), "full-depth");
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::Courses), e.courses);
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::Thickness), e.total);
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::ProposedSn), e.sn);
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::Difference), e.difference);
        EXPECT_NEAR(rows[i].differencePercent, e.percent, 0.05);
        EXPECT_EQ(CellText(rows[i], AlternativeColumn::Cost), e.cost);
        EXPECT_EQ(rows[i].line.cost, std::string(e.cost) + " per sq. yd.");
    }
    EXPECT_FALSE(rows[2].evaluated);
    EXPECT_EQ(CellText(rows[2], AlternativeColumn::Difference), "Data must be entered for top course");
    EXPECT_EQ(CellText(rows[2], AlternativeColumn::ProposedSn), "");
    EXPECT_EQ(CellText(rows[2], AlternativeColumn::Cost), "");

    // Sorted by each column: the order of the names; C, without the number,
    // always last where the column is a number.
    auto order = [&](AlternativeColumn column) {
        std::vector<AlternativeRow> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const AlternativeRow& a, const AlternativeRow& b) { return SortsBefore(a, b, column); });
        std::string names;
        for (const AlternativeRow& row : sorted) names += row.line.name.substr(0, 1);
        return names;
    };
    EXPECT_EQ(order(AlternativeColumn::Name), "ABC");
    EXPECT_EQ(order(AlternativeColumn::Thickness), "CBA");
    EXPECT_EQ(order(AlternativeColumn::ProposedSn), "BAC");
    EXPECT_EQ(order(AlternativeColumn::Difference), "BAC");
    EXPECT_EQ(order(AlternativeColumn::Cost), "BAC");

    // Against a required SN of 4.00 A falls short too: 0.14 / 4.00 = 3.5% under.
    DesignRecord harder = h.program.record();
    harder.requiredSn = 4.00f;
    const std::vector<AlternativeRow> now = CompareAlternatives(h.program.alternatives(), harder, nullptr);
    EXPECT_EQ(CellText(now[0], AlternativeColumn::Difference), "3.5% Underdesign");
    EXPECT_EQ(CellText(now[0], AlternativeColumn::Cost), "");  // no table, no costs

    // Printed: the comparison page after the form, in the order kept.
    h.SetText(kEntry, h.entry().Thickness(0), "1.50");
    h.Choose(kEntry, h.entry().List(0), 2);
    h.Click(kEntry, h.entry().ContinueButton());
    ASSERT_TRUE(h.desktop.messages.empty()) << h.desktop.Texts().front();
    h.Click(ScreenId::FullDepthResult, h.Logic<ResultScreen>(ScreenId::FullDepthResult).AcceptButton());
    h.Click(ScreenId::FullDepthPrint, PrintScreen::kPrint);
    ASSERT_EQ(h.printer.prints.size(), 1u);
    const std::vector<ComparisonLine>& printed = h.printer.prints[0].comparison;
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[1].name, "B: thinner");
    EXPECT_EQ(printed[1].verdict, "Underdesign");
    EXPECT_EQ(printed[1].difference, "5.8%");
    h.Click(ScreenId::FullDepthPrint, PrintScreen::kPreview);
    ASSERT_EQ(h.printer.previews.size(), 1u);
    EXPECT_EQ(h.printer.previews[0].comparison.size(), 3u);

    // The sensitivity chart draws the accepted structure, then each
    // alternative CONTINUE evaluates, at its proposed SN.
    const std::vector<StructureLine> lines = StructureLines(h.program);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].label, "A: as designed");
    EXPECT_NEAR(lines[1].proposedSn, 3.86, 1e-6);
    EXPECT_EQ(lines[2].label, "B: thinner");
    EXPECT_NEAR(lines[2].proposedSn, 3.24, 1e-6);
}

TEST(Alternatives, NamesAreCheckedAndUseRenameAndDeleteAskFirst) {
    AlternativesRun h;
    // Refused names are asked for again, offering what was typed.
    h.desktop.texts = {"   ", std::string(41, 'x'), "A\tB", "A: as designed"};
    h.Click(kEntry, h.entry().KeepButton());
    EXPECT_EQ(h.desktop.Texts(), (std::vector<std::string>{"The name must be entered",
                                                           "The name holds at most 40 characters",
                                                           "The name " + std::string(kControlCharacterMessage)}));
    ASSERT_EQ(h.program.alternatives().size(), 1u);
    EXPECT_EQ(h.program.alternatives()[0].name, "A: as designed");
    h.desktop.Clear();
    h.SetText(kEntry, h.entry().Thickness(2), "2");
    h.SetText(kEntry, h.entry().Thickness(3), "6");
    // The same name again replaces only when the designer says so.
    h.desktop.texts = {"A: as designed"};
    h.Click(kEntry, h.entry().KeepButton());
    EXPECT_EQ(h.program.alternatives()[0].rows[2].thickness, "3");
    h.desktop.texts = {"B: thinner"};
    h.Click(kEntry, h.entry().KeepButton());
    ASSERT_EQ(h.program.alternatives().size(), 2u);

    // USE on A while the screen holds B (kept): no question; the rows go
    // back on the entry screen and CONTINUE evaluates them.
    h.desktop.Clear();
    EXPECT_TRUE(ConfirmUse(h.program, 0));
    EXPECT_TRUE(h.desktop.questions.empty());
    FakeAlternativesDisplay display;
    display.use = 0;
    h.Logic<MainMenu>(ScreenId::MainMenu).SetAlternativesDisplay(&display);
    h.program.ShowOnly(ScreenId::MainMenu);
    h.Click(ScreenId::MainMenu, MainMenu::kAlternatives);
    EXPECT_EQ(display.shown, 1);
    ASSERT_TRUE(h.windows.Visible(kEntry));
    EXPECT_EQ(h.Text(kEntry, h.entry().Thickness(2)), "3");
    h.Click(kEntry, h.entry().ContinueButton());
    EXPECT_EQ(h.Text(ScreenId::FullDepthResult, h.Logic<ResultScreen>(ScreenId::FullDepthResult).ProposedSn()), "3.86");
    // Courses typed and not kept: USE asks before putting others in their place.
    h.program.ShowOnly(kEntry);
    h.SetText(kEntry, h.entry().Thickness(3), "9");
    h.desktop.answers = {Answer::No};
    EXPECT_FALSE(ConfirmUse(h.program, 1));
    EXPECT_EQ(h.desktop.questions.back().text,
              "The full-depth entry screen holds courses not kept as an alternative. Put B: thinner in their place?");

    // RENAME refuses a name in use; DELETE asks first.
    h.desktop.Clear();
    h.desktop.texts = {"A: as designed"};
    EXPECT_FALSE(RenameAlternative(h.program, 1));
    EXPECT_EQ(h.desktop.Texts(), (std::vector<std::string>{"An alternative is named A: as designed already"}));
    h.desktop.texts = {"  C: cheaper  "};
    EXPECT_TRUE(RenameAlternative(h.program, 1));
    EXPECT_EQ(h.program.alternatives()[1].name, "C: cheaper");  // the blanks around it trimmed
    h.desktop.answers = {Answer::No};
    EXPECT_FALSE(DeleteAlternative(h.program, 0));
    h.desktop.answers = {Answer::Yes};
    EXPECT_TRUE(DeleteAlternative(h.program, 0));
    ASSERT_EQ(h.program.alternatives().size(), 1u);
    EXPECT_EQ(h.program.alternatives()[0].name, "C: cheaper");
    EXPECT_FALSE(DeleteAlternative(h.program, 5));  // gone meanwhile: nothing happens
}

}  // namespace
}  // namespace korvelle
