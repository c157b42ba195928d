#include "ui/worksheets.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes.h"
#include "ui/design_capture.h"

namespace korvelle {
namespace {

using D = DesignDataScreen;
constexpr ScreenId kDesignData = ScreenId::DesignData;
constexpr ScreenId kEsal = ScreenId::EsalWorksheet;
constexpr ScreenId kLdf = ScreenId::LdfWorksheet;
constexpr ScreenId kCounty = ScreenId::CountyWorksheet;

// A run standing on the design data screen.
struct DesignDataRun : Harness {
    DesignDataRun() { StartToDesignData(); }
    std::vector<std::string> Averages() {
        std::vector<std::string> column;
        for (int row = EsalWorksheet::kFirstAverage; row <= EsalWorksheet::kLastAverage; ++row) {
            column.push_back(Text(kEsal, row));
        }
        return column;
    }
};

// -------------------------------------------------------------------- ESAL

TEST(EsalWorksheet, LinkStoresTheFactorsFillsTheAveragesAndShowsTheWorksheetFirst) {
    DesignDataRun h;
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesignData, D::kEsalLink);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, kEsal},
                                                               {WindowEvent::Show, kEsal},
                                                               {WindowEvent::Hide, kDesignData}}));
    EXPECT_EQ(h.Averages(), (std::vector<std::string>{"1.50", "1.39", "1.28", "1.17", "1.06", "0.95", "0.84", "0.73",
                                                      "0.62", "0.51", "0.40"}));
    EXPECT_EQ(h.Text(kEsal, EsalWorksheet::kEntry), "");
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(EsalWorksheet, AveragesFollowTheFactorsTypedOnTheDesignDataScreen) {
    DesignDataRun h;
    // Typed without Enter and out of range: the link stores them unchecked.
    h.SetText(kDesignData, D::kSingleUnitEsal, "0.25");
    h.SetText(kDesignData, D::kMultiUnitEsal, "2.05");
    h.Click(kDesignData, D::kEsalLink);
    EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 0.25f);
    EXPECT_FLOAT_EQ(h.record.multiUnitEsal, 2.05f);
    // 2.05 less 0.18 for every 10 % of single-unit trucks.
    EXPECT_EQ(h.Averages(), (std::vector<std::string>{"2.05", "1.87", "1.69", "1.51", "1.33", "1.15", "0.97", "0.79",
                                                      "0.61", "0.43", "0.25"}));
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(EsalWorksheet, EveryOpeningRefillsTheAveragesAndEmptiesTheEntry) {
    DesignDataRun h;
    h.Click(kDesignData, D::kEsalLink);
    h.EnterText(kEsal, EsalWorksheet::kEntry, "0.3");  // rejected: the entry stays
    h.Logic(kEsal).CloseBox();
    h.SetText(kDesignData, D::kSingleUnitEsal, "0.50");
    h.Click(kDesignData, D::kEsalLink);
    EXPECT_EQ(h.Text(kEsal, EsalWorksheet::kEntry), "");
    EXPECT_EQ(h.Text(kEsal, EsalWorksheet::kLastAverage), "0.50");
    EXPECT_EQ(h.Text(kEsal, EsalWorksheet::kFirstAverage + 5), "1.00");
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, kEsal), 1);

    // 0.45 now lies below the single-unit factor.
    h.desktop.Clear();
    h.EnterText(kEsal, EsalWorksheet::kEntry, "0.45");
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});
    EXPECT_TRUE(h.windows.Visible(kEsal));
}

TEST(EsalWorksheet, AcceptedEntryGoesBackFormattedToTheDesignDataScreen) {
    for (auto [entry, shown, value] : std::vector<std::tuple<const char*, const char*, float>>{
             {".8", "0.80", 0.8f}, {"1.5", "1.50", 1.5f}, {"0.40", "0.40", 0.4f}, {"1.234", "1.23", 1.234f}}) {
        SCOPED_TRACE(entry);
        DesignDataRun h;
        h.Click(kDesignData, D::kEsalLink);
        const std::size_t mark = h.windows.log.size();
        EXPECT_TRUE(h.EnterText(kEsal, EsalWorksheet::kEntry, entry));
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_FLOAT_EQ(h.record.esal18, value);
        EXPECT_EQ(h.Text(kDesignData, D::kRepresentativeEsal), shown);
        EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kDesignData},
                                                                   {WindowEvent::Hide, kEsal}}));
    }
}

TEST(EsalWorksheet, EntryOutsideTheFactorsIsRejectedAndKeptInTheRecord) {
    for (const char* entry : {"0.3", "0.39", "1.51", "0", ""}) {
        SCOPED_TRACE(entry);
        DesignDataRun h;
        h.Click(kDesignData, D::kEsalLink);
        h.View(kEsal).focus = EsalWorksheet::kEntry;
        const std::size_t mark = h.windows.log.size();
        h.EnterText(kEsal, EsalWorksheet::kEntry, entry);
        EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});
        EXPECT_TRUE(h.windows.Since(mark).empty());
        EXPECT_EQ(h.Text(kDesignData, D::kRepresentativeEsal), "1.00");
        EXPECT_EQ(h.Text(kEsal, EsalWorksheet::kEntry), entry);
        EXPECT_EQ(h.View(kEsal).focus, EsalWorksheet::kEntry);
    }
    DesignDataRun h;
    h.Click(kDesignData, D::kEsalLink);
    h.EnterText(kEsal, EsalWorksheet::kEntry, "0.3");
    EXPECT_FLOAT_EQ(h.record.esal18, 0.3f);
}

TEST(EsalWorksheet, NothingIsAcceptedWhenTheFactorsAreTheWrongWayRound) {
    DesignDataRun h;
    h.SetText(kDesignData, D::kSingleUnitEsal, "1.50");
    h.SetText(kDesignData, D::kMultiUnitEsal, "0.40");
    h.Click(kDesignData, D::kEsalLink);
    for (const char* entry : {"0.40", "1.00", "1.50"}) h.EnterText(kEsal, EsalWorksheet::kEntry, entry);
    EXPECT_EQ(h.desktop.messages.size(), 3u);
    EXPECT_TRUE(h.windows.Visible(kEsal));
}

TEST(EsalWorksheet, FactorsThatAreNotNumbersKeepTheDesignDataScreen) {
    DesignDataRun h;
    h.SetText(kDesignData, D::kMultiUnitEsal, "1.5.0");
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesignData, D::kEsalLink);
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{std::string(kNumberNeededMessage)});
    EXPECT_TRUE(h.windows.Since(mark).empty());
    EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 0.40f);
    EXPECT_FLOAT_EQ(h.record.multiUnitEsal, 1.50f);
}

// --------------------------------------------------------------------- LDF

TEST(LdfWorksheet, LinkShowsTheWorksheetFirstAndWritesNothing) {
    DesignDataRun h;
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesignData, D::kLdfLink);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, kLdf},
                                                               {WindowEvent::Show, kLdf},
                                                               {WindowEvent::Hide, kDesignData}}));
    EXPECT_EQ(h.record.ldf, 0.0f);
}

TEST(LdfWorksheet, AcceptedEntryGoesBackWithOneDecimalAndNoLeadingZero) {
    for (auto [entry, shown, value] : std::vector<std::tuple<const char*, const char*, float>>{
             {"90", "90.0", 90.0f}, {"100", "100.0", 100.0f}, {"0.5", ".5", 0.5f}, {".5", ".5", 0.5f},
             {"0.1", ".1", 0.1f}, {"87.25", "87.3", 87.25f}}) {
        SCOPED_TRACE(entry);
        DesignDataRun h;
        h.Click(kDesignData, D::kLdfLink);
        const std::size_t mark = h.windows.log.size();
        h.EnterText(kLdf, LdfWorksheet::kEntry, entry);
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_EQ(h.Text(kDesignData, D::kLdf), shown);
        EXPECT_FLOAT_EQ(h.record.ldf, value);
        EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kDesignData},
                                                                   {WindowEvent::Hide, kLdf}}));
    }
}

TEST(LdfWorksheet, EntryOutsideTheRangeIsRejectedAndTheWorksheetStays) {
    for (auto [entry, kept] : std::vector<std::pair<const char*, float>>{{"0.09", 0.09f}, {"101", 101.0f}}) {
        SCOPED_TRACE(entry);
        DesignDataRun h;
        h.Click(kDesignData, D::kLdfLink);
        h.EnterText(kLdf, LdfWorksheet::kEntry, entry);
        EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});
        EXPECT_FLOAT_EQ(h.record.ldf, kept);
        EXPECT_TRUE(h.windows.Visible(kLdf));
        EXPECT_FALSE(h.windows.Visible(kDesignData));
        EXPECT_EQ(h.Text(kDesignData, D::kLdf), "100");
    }
}

TEST(LdfWorksheet, RangeCopiedFromTheGuideTableAsksForANumber) {
    DesignDataRun h;
    h.Click(kDesignData, D::kLdfLink);
    h.View(kLdf).focus = LdfWorksheet::kEntry;
    h.EnterText(kLdf, LdfWorksheet::kEntry, "85-100");
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, kNumberNeededMessage);
    EXPECT_EQ(h.desktop.messages[0].title, "ERROR");
    EXPECT_EQ(h.desktop.messages[0].style, MessageStyle::Critical);
    EXPECT_EQ(h.desktop.beeps, 1);
    EXPECT_EQ(h.record.ldf, 0.0f);
    EXPECT_TRUE(h.windows.Visible(kLdf));
    EXPECT_EQ(h.Text(kLdf, LdfWorksheet::kEntry), "85-100");
    EXPECT_EQ(h.View(kLdf).focus, LdfWorksheet::kEntry);
}

TEST(LdfWorksheet, KeepsItsEntryBetweenOpenings) {
    DesignDataRun h;
    h.Click(kDesignData, D::kLdfLink);
    h.EnterText(kLdf, LdfWorksheet::kEntry, "70");
    h.Click(kDesignData, D::kLdfLink);
    EXPECT_EQ(h.Text(kLdf, LdfWorksheet::kEntry), "70");
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, kLdf), 1);
}

// ------------------------------------------------------------------ county

std::vector<CountyEntry> SmallTable() {
    return {{"APPLING", "4.0", "1.6"},
            {"BAKER", "4.0", "1.5"},
            {"COBB (north)", "2.5", "1.8"},
            {"COBB (south)", "2.5", "2.0"},
            {"WORTH", "3.5", "1.4"}};
}

struct CountyRun : DesignDataRun {
    CountyRun() {
        Logic<CountyWorksheet>(kCounty).SetTable(SmallTable());
        SetText(kDesignData, D::kSoilSupport, "3.0");
        SetText(kDesignData, D::kRegionalFactor, "2.0");
        Click(kDesignData, D::kCountyLink);
    }
    void Select(int position) { Choose(kCounty, CountyWorksheet::kList, position); }
};

TEST(CountyWorksheet, LinkShowsTheWorksheetFirstWithNothingSelected) {
    DesignDataRun h;
    h.Logic<CountyWorksheet>(kCounty).SetTable(SmallTable());
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesignData, D::kCountyLink);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, kCounty},
                                                               {WindowEvent::Show, kCounty},
                                                               {WindowEvent::Hide, kDesignData}}));
    EXPECT_EQ(h.View(kCounty).Choice(CountyWorksheet::kList), -1);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "");
}

TEST(CountyWorksheet, SelectionShowsTheEntrysValues) {
    CountyRun h;
    h.Select(0);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "4.0");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "1.6");
    h.Select(4);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "3.5");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "1.4");
    // Two parts of one county: only the regional factor changes.
    h.Select(2);
    h.SetText(kCounty, CountyWorksheet::kSoilSupport, "2.5");
    h.Select(3);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "2.5");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "2.0");
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(CountyWorksheet, AcceptCopiesTheTwoTextsAndShowsTheDesignDataScreenFirst) {
    CountyRun h;
    h.Select(1);
    const std::size_t mark = h.windows.log.size();
    h.Click(kCounty, CountyWorksheet::kAccept);
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "4.0");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "1.5");
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kDesignData},
                                                               {WindowEvent::Hide, kCounty}}));
    // Into the record only with the design data screen's CONTINUE.
    EXPECT_EQ(h.record.soilSupport, 0.0f);
    EXPECT_EQ(h.record.regionalFactor, 0.0f);
    h.Click(kDesignData, D::kContinue);
    EXPECT_FLOAT_EQ(h.record.soilSupport, 4.0f);
    EXPECT_FLOAT_EQ(h.record.regionalFactor, 1.5f);
}

TEST(CountyWorksheet, AcceptWithNothingChosenOrTypedKeepsTheDesignDataValues) {
    CountyRun h;
    h.SetText(kDesignData, D::kSoilSupport, "5.5");
    h.SetText(kDesignData, D::kRegionalFactor, "1.2");
    h.Click(kCounty, CountyWorksheet::kAccept);
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "5.5");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "1.2");
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_TRUE(h.windows.Visible(kDesignData));

    // Typed without a county chosen, both boxes go back as they stand.
    h.program.Move(kDesignData, kCounty);
    h.SetText(kCounty, CountyWorksheet::kSoilSupport, "4.5");
    h.Click(kCounty, CountyWorksheet::kAccept);
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "4.5");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "");
}

TEST(CountyWorksheet, ValueTypedAfterASelectionIsWhatAcceptCopies) {
    CountyRun h;
    h.Select(0);
    h.SetText(kCounty, CountyWorksheet::kRegionalFactor, "1.65 approx");
    h.Click(kCounty, CountyWorksheet::kAccept);
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "4.0");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "1.65 approx");
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(CountyWorksheet, ReopeningAfterAcceptShowsThePreviousChoiceAndAcceptCopiesItAgain) {
    CountyRun h;
    h.Select(3);
    h.Click(kCounty, CountyWorksheet::kAccept);
    h.SetText(kDesignData, D::kSoilSupport, "");
    h.SetText(kDesignData, D::kRegionalFactor, "9");
    h.Click(kDesignData, D::kCountyLink);
    EXPECT_EQ(h.View(kCounty).Choice(CountyWorksheet::kList), 3);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "2.5");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "2.0");
    h.Click(kCounty, CountyWorksheet::kAccept);
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "2.5");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "2.0");
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, kCounty), 1);
}

TEST(CountyWorksheet, SelectionOutsideTheTableChangesNothing) {
    CountyRun h;
    h.Select(0);
    h.Select(-1);
    h.Select(5);
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kSoilSupport), "4.0");
    EXPECT_EQ(h.Text(kCounty, CountyWorksheet::kRegionalFactor), "1.6");
}

// ------------------------------------------------------------- BACK

// BACK (and the close box) on each worksheet after the designer worked in
// it: typed an entry the worksheet refused, chose a county, typed into its
// boxes.  The design data screen, the record and the worksheet are as they
// were when it was opened, and so is the design as a file would hold it.
TEST(Worksheets, BackReturnsToTheDesignDataScreenWithNothingChanged) {
    struct Case {
        const char* what;
        ScreenId sheet;
        int link;
        int back;  // -1: the close box
        std::function<void(DesignDataRun&)> work;
    };
    const Case cases[] = {
        {"ESAL: a refused entry", kEsal, D::kEsalLink, EsalWorksheet::kBack,
         [](DesignDataRun& h) { h.EnterText(kEsal, EsalWorksheet::kEntry, "1.7"); }},
        {"LDF: a refused entry", kLdf, D::kLdfLink, LdfWorksheet::kBack,
         [](DesignDataRun& h) { h.EnterText(kLdf, LdfWorksheet::kEntry, "101"); }},
        {"LDF: typed, no Enter", kLdf, D::kLdfLink, -1,
         [](DesignDataRun& h) { h.Type(kLdf, LdfWorksheet::kEntry, "85"); }},
        {"county: chosen and typed", kCounty, D::kCountyLink, CountyWorksheet::kBack,
         [](DesignDataRun& h) {
             h.Choose(kCounty, CountyWorksheet::kList, 3);
             h.SetText(kCounty, CountyWorksheet::kRegionalFactor, "2.2");
         }},
        {"county: chosen again", kCounty, D::kCountyLink, -1,
         [](DesignDataRun& h) { h.Choose(kCounty, CountyWorksheet::kList, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DesignDataRun h;
        h.Logic<CountyWorksheet>(kCounty).SetTable(SmallTable());
        // Worked in once already: the worksheet holds what it handed back.
        h.Click(kDesignData, D::kLdfLink);
        h.EnterText(kLdf, LdfWorksheet::kEntry, "90");
        h.Click(kDesignData, D::kCountyLink);
        h.Choose(kCounty, CountyWorksheet::kList, 1);
        h.Click(kCounty, CountyWorksheet::kAccept);

        h.Click(kDesignData, c.link);
        const DesignRecord record = h.record;
        const FakeView designData = h.View(kDesignData);
        const FakeView sheet = h.View(c.sheet);
        const DesignFile design = CaptureDesign(h.program);

        c.work(h);
        h.desktop.Clear();
        const std::size_t mark = h.windows.log.size();
        if (c.back < 0) {
            h.Logic(c.sheet).CloseBox();
        } else {
            h.Click(c.sheet, c.back);
        }
        EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kDesignData},
                                                                   {WindowEvent::Hide, c.sheet}}));
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_EQ(h.View(kDesignData).texts, designData.texts);
        EXPECT_EQ(h.View(c.sheet).texts, sheet.texts);
        EXPECT_EQ(h.View(c.sheet).choices, sheet.choices);
        EXPECT_EQ(h.record.ldf, record.ldf);
        EXPECT_EQ(h.record.esal18, record.esal18);
        EXPECT_TRUE(SameEntries(CaptureDesign(h.program), design));

        // Opened again, it shows what it held before.
        h.Click(kDesignData, c.link);
        EXPECT_EQ(h.View(c.sheet).choices, sheet.choices);
        EXPECT_EQ(h.View(c.sheet).texts, sheet.texts);
    }
}

}  // namespace
}  // namespace korvelle
