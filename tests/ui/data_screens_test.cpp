#include "ui/data_screens.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "core/number_format.h"
#include "fakes.h"

namespace korvelle {
namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;
using G = DesignerInformationScreen;

constexpr ScreenId kProject = ScreenId::ProjectInformation;
constexpr ScreenId kDesignData = ScreenId::DesignData;
constexpr ScreenId kDesigner = ScreenId::DesignerInformation;

// A run standing on the project information screen with its fields filled.
struct ProjectRun : Harness {
    ProjectRun() {
        StartToProject();
        FillProject();
        desktop.Clear();
    }
};

// A run standing on the design data screen with its fields filled.
struct DesignDataRun : Harness {
    DesignDataRun() { StartToDesignData(); }
};

// ---------------------------------------------------------------- project

TEST(ProjectInformationScreen, EnterMovesThroughTheFieldsInOrderToContinue) {
    ProjectRun h;
    const std::vector<std::pair<int, std::string>> entries = {
        {P::kProjectNumber, "X"}, {P::kPiNumber, "1"},        {P::kCounty, "C"},
        {P::kDescription, "D"},   {P::kInitialYear, "2000"},  {P::kInitialTraffic, "1000"},
        {P::kFinalYear, "2020"},  {P::kFinalTraffic, "2000"}, {P::kTruckPercent, "100"}};
    const std::vector<int> next = {P::kPiNumber,       P::kCounty,    P::kDescription,  P::kInitialYear,
                                   P::kInitialTraffic, P::kFinalYear, P::kFinalTraffic, P::kTruckPercent,
                                   P::kContinue};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(h.EnterText(kProject, entries[i].first, entries[i].second));
        EXPECT_EQ(h.View(kProject).focus, next[i]) << entries[i].second;
    }
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(ProjectInformationScreen, ContinueStoresEveryFieldAndShowsTheDesignDataScreenFirst) {
    ProjectRun h;
    const std::size_t mark = h.windows.log.size();
    h.Click(kProject, P::kContinue);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.record.projectNumber, "NH-IM-85-1(123)");
    EXPECT_EQ(h.record.piNumber, "0001234");
    EXPECT_EQ(h.record.countyName, "CLARKE");
    EXPECT_EQ(h.record.projectDescription, "Widening and reconstruction of SR 10");
    EXPECT_EQ(h.record.initialYear, 2000);
    EXPECT_EQ(h.record.initialAadt, 1000);
    EXPECT_EQ(h.record.finalYear, 2020);
    EXPECT_EQ(h.record.finalAadt, 1000);
    EXPECT_FLOAT_EQ(h.record.truckPercent, 10.0f);
    EXPECT_EQ(h.windows.Since(mark),
              (std::vector<WindowEvent>{{WindowEvent::Create, kDesignData},
                                        {WindowEvent::Show, kDesignData},
                                        {WindowEvent::Hide, kProject}}));
}

TEST(ProjectInformationScreen, IdentificationMayBeEmpty) {
    ProjectRun h;
    for (int field : {P::kProjectNumber, P::kPiNumber, P::kCounty, P::kDescription}) h.SetText(kProject, field, "");
    h.record.projectNumber = "old";
    h.Click(kProject, P::kContinue);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.record.projectNumber, "");
    EXPECT_EQ(h.record.countyName, "");
    EXPECT_TRUE(h.windows.Visible(kDesignData));
}

TEST(ProjectInformationScreen, ContinueRefusesEmptyRequiredFieldsAndTextsThatAreNotNumbers) {
    const std::string required = "All required data must be entered before continuing";
    const std::string number(kNumberNeededMessage);
    const std::vector<std::tuple<int, const char*, std::string>> cases = {
        {P::kInitialYear, "", required},        {P::kInitialTraffic, "", required},
        {P::kFinalYear, "", required},          {P::kFinalTraffic, "", required},
        {P::kTruckPercent, "", required},       {P::kInitialYear, "20x0", number},
        {P::kInitialTraffic, "   ", number},    {P::kFinalYear, "99999", number},
        {P::kFinalTraffic, "4000000000", number}, {P::kTruckPercent, "ten", number}};
    for (const auto& [field, text, message] : cases) {
        SCOPED_TRACE(std::to_string(field) + " '" + text + "'");
        ProjectRun h;
        h.SetText(kProject, field, text);
        h.View(kProject).focus = P::kContinue;
        const std::size_t mark = h.windows.log.size();
        h.Click(kProject, P::kContinue);
        h.desktop.ExpectOneError(message);
        // Nothing is written, not even the identification.
        EXPECT_EQ(h.record.projectNumber, "");
        EXPECT_EQ(h.record.initialYear, 0);
        EXPECT_EQ(h.record.initialAadt, 0);
        EXPECT_EQ(h.record.finalYear, 0);
        EXPECT_EQ(h.record.finalAadt, 0);
        EXPECT_EQ(h.record.truckPercent, 0.0f);
        EXPECT_TRUE(h.windows.Since(mark).empty());
        EXPECT_EQ(h.View(kProject).focus, P::kContinue);
    }
}

TEST(ProjectInformationScreen, ClearFormEmptiesAllNineFieldsAndLeavesTheRecord) {
    ProjectRun h;
    h.Click(kProject, P::kContinue);
    h.program.Move(kDesignData, kProject);  // back, as the main menu's edit option does
    h.Click(kProject, P::kClearForm);
    for (int field = P::kProjectNumber; field <= P::kTruckPercent; ++field) {
        EXPECT_EQ(h.Text(kProject, field), "") << field;
    }
    EXPECT_EQ(h.record.projectNumber, "NH-IM-85-1(123)");
    EXPECT_EQ(h.record.finalYear, 2020);
    h.Click(kProject, P::kContinue);
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"All required data must be entered before continuing"});
    EXPECT_EQ(h.record.finalYear, 2020);
}

TEST(ProjectInformationScreen, QuitAndCloseBoxEndTheProgramWhenTheDesignerDiscardsTheDesign) {
    ProjectRun h;
    h.desktop.answers = {Answer::Discard, Answer::Discard};
    h.Click(kProject, P::kQuit);
    h.Logic(kProject).CloseBox();
    EXPECT_EQ(h.desktop.questions.size(), 2u);
    EXPECT_EQ(h.desktop.quits, 2);
}

// ------------------------------------------------------------ design data

TEST(DesignDataScreen, StartsWithTheThreeDefaultsAndEnterMovesThroughInOrder) {
    DesignDataRun h;
    EXPECT_EQ(h.Text(kDesignData, D::kTerminalServiceability), "2.5");
    EXPECT_EQ(h.Text(kDesignData, D::kSingleUnitEsal), "0.40");
    EXPECT_EQ(h.Text(kDesignData, D::kMultiUnitEsal), "1.50");
    const std::vector<int> order = {D::kLdf,           D::kTerminalServiceability, D::kSoilSupport,
                                    D::kRegionalFactor, D::kSingleUnitEsal,        D::kMultiUnitEsal,
                                    D::kRepresentativeEsal, D::kContinue};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        h.Enter(kDesignData, order[i]);
        EXPECT_EQ(h.View(kDesignData).focus, order[i + 1]);
    }
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(DesignDataScreen, ContinueStoresTheDataComputesTheRequiredSnAndShowsTheDesignerScreenFirst) {
    DesignDataRun h;
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesignData, D::kContinue);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_FLOAT_EQ(h.record.ldf, 100.0f);
    EXPECT_FLOAT_EQ(h.record.terminalServiceability, 2.5f);
    EXPECT_FLOAT_EQ(h.record.soilSupport, 4.0f);
    EXPECT_FLOAT_EQ(h.record.regionalFactor, 1.0f);
    EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 0.40f);
    EXPECT_FLOAT_EQ(h.record.multiUnitEsal, 1.50f);
    EXPECT_FLOAT_EQ(h.record.esal18, 1.0f);
    EXPECT_EQ(h.record.serviceabilityLoss, static_cast<float>(4.2 - 2.5));
    // 1000 vehicles, 10 % trucks, all in the design lane, 1.0 ESAL each:
    // 100 loads + 1 a day, over 20 years of 365 days.
    EXPECT_EQ(h.record.meanAadt, 1000);
    EXPECT_EQ(h.record.dailyLoads, 101);
    EXPECT_EQ(h.record.designLoading, 737300);
    // The 1972 equation solved by hand for 737,300 loads, pt 2.5, S 4.0, R 1.0
    // gives SN 3.27; the 0.01-step search from 0.33 ln W ends on 3.2785.
    EXPECT_NEAR(h.record.requiredSn, 3.2785, 0.001);
    EXPECT_EQ(FormatNumber(h.record.requiredSn, "0.00"), "3.28");
    EXPECT_EQ(h.windows.Since(mark),
              (std::vector<WindowEvent>{{WindowEvent::Create, kDesigner},
                                        {WindowEvent::Show, kDesigner},
                                        {WindowEvent::Hide, kDesignData}}));
}

TEST(DesignDataScreen, ContinueAgainWithChangedDataRecomputesTheRequiredSn) {
    DesignDataRun h;
    h.Click(kDesignData, D::kContinue);
    h.program.Move(kDesigner, kDesignData);
    h.SetText(kDesignData, D::kSoilSupport, "5.0");  // better soil: a thinner pavement
    h.Click(kDesignData, D::kContinue);
    EXPECT_FLOAT_EQ(h.record.soilSupport, 5.0f);
    EXPECT_EQ(FormatNumber(h.record.requiredSn, "0.00"), "2.84");

    h.program.Move(kDesigner, kDesignData);
    h.SetText(kDesignData, D::kSoilSupport, "3.0");
    h.SetText(kDesignData, D::kRegionalFactor, "1.6");
    h.Click(kDesignData, D::kContinue);
    EXPECT_EQ(FormatNumber(h.record.requiredSn, "0.00"), "4.06");
}

TEST(DesignDataScreen, ContinueRefusesEmptyFieldsAndTextsThatAreNotNumbers) {
    for (int field = D::kLdf; field <= D::kRepresentativeEsal; ++field) {
        for (auto [text, message] : {std::pair<const char*, std::string_view>{"", kRequiredMessage},
                                     std::pair<const char*, std::string_view>{"1.0x", kNumberNeededMessage}}) {
            SCOPED_TRACE(std::to_string(field) + " '" + text + "'");
            DesignDataRun h;
            h.SetText(kDesignData, field, text);
            h.View(kDesignData).focus = D::kContinue;
            h.Click(kDesignData, D::kContinue);
            h.desktop.ExpectOneError(message);
            EXPECT_EQ(h.record.ldf, 0.0f);
            EXPECT_FLOAT_EQ(h.record.terminalServiceability, 2.5f);
            EXPECT_EQ(h.record.soilSupport, 0.0f);
            EXPECT_EQ(h.record.regionalFactor, 0.0f);
            EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 0.40f);
            EXPECT_FLOAT_EQ(h.record.multiUnitEsal, 1.50f);
            EXPECT_EQ(h.record.esal18, 0.0f);
            EXPECT_EQ(h.record.serviceabilityLoss, 0.0f);
            EXPECT_EQ(h.record.requiredSn, 0.0f);
            EXPECT_TRUE(h.windows.Visible(kDesignData));
            EXPECT_FALSE(h.windows.Exists(kDesigner));
            EXPECT_EQ(h.View(kDesignData).focus, D::kContinue);
        }
    }
}

// Data on which the required SN is undefined: each refusal has its own
// message, the required SN keeps its value from the last good CONTINUE, and
// the screen stays.
struct Refusal {
    const char* what;
    int field;
    const char* text;
    std::string_view message;
    std::function<float(const DesignRecord&)> stored;  // the changed field, as written
    float value;
};

// CONTINUE on the project and design data screens: a value no design can
// have is refused with its message and the focus on its field; values only
// outside their normal range are listed in one question, and only Yes goes
// on.  Either way nothing is stored until CONTINUE goes on.
struct ContinueCase {
    const char* what;
    ScreenId screen;
    std::vector<std::pair<int, std::string>> texts;
    std::string_view refusal;         // empty: not refused
    int focus;                        // the field refused, or asked about first
    std::vector<std::string> listed;  // the lines of the question
};

std::string Question(const std::vector<std::string>& lines) {
    std::string text = std::string(kUnusualQuestion) + "\n";
    for (const std::string& line : lines) text += "\n" + line;
    return text + "\n\n" + std::string(kUnusualContinue);
}

// The values CONTINUE stores, to see that a refusal stores none of them.
auto Stored(const DesignRecord& r) {
    return std::make_tuple(r.initialYear, r.finalYear, r.initialAadt, r.finalAadt, r.truckPercent, r.ldf,
                           r.terminalServiceability, r.soilSupport, r.regionalFactor, r.singleUnitEsal,
                           r.multiUnitEsal, r.esal18, r.serviceabilityLoss, r.requiredSn, r.designLoading);
}

TEST(DataEntryScreens, ContinueRefusesImpossibleValuesAndAsksOnceAboutUnusualOnes) {
    const std::string range(kRangeMessage);
    const std::vector<ContinueCase> cases = {
        {"trucks above 100 %", kProject, {{P::kTruckPercent, "150"}}, range, P::kTruckPercent, {}},
        {"no trucks", kProject, {{P::kTruckPercent, "0"}}, range, P::kTruckPercent, {}},
        {"negative trucks", kProject, {{P::kTruckPercent, "-5"}}, range, P::kTruckPercent, {}},
        {"no initial traffic", kProject, {{P::kInitialTraffic, "0"}}, range, P::kInitialTraffic, {}},
        {"negative final traffic", kProject, {{P::kFinalTraffic, "-10"}}, range, P::kFinalTraffic, {}},
        {"impossible before unusual", kProject, {{P::kInitialYear, "1950"}, {P::kTruckPercent, "101"}}, range,
         P::kTruckPercent, {}},
        {"final year the initial year", kProject, {{P::kFinalYear, "2000"}}, kPeriodMessage, P::kFinalYear, {}},
        {"final year before the initial year", kProject, {{P::kFinalYear, "1999"}}, kPeriodMessage, P::kFinalYear,
         {}},
        {"old years and heavy traffic", kProject,
         {{P::kInitialYear, "1950"}, {P::kFinalYear, "1960"}, {P::kFinalTraffic, " 500000"}}, {}, P::kInitialYear,
         {"INITIAL DESIGN YEAR 1950 (normal range 1972 to 2100)", "FINAL DESIGN YEAR 1960 (normal range 1972 to 2100)",
          "FINAL 1-WAY TRAFFIC 500000 (normal range 1 to 300000)"}},
        {"lane factor above 100 %", kDesignData, {{D::kLdf, "150"}}, range, D::kLdf, {}},
        {"no lane factor", kDesignData, {{D::kLdf, "0"}}, range, D::kLdf, {}},
        {"no soil support", kDesignData, {{D::kSoilSupport, "0"}}, range, D::kSoilSupport, {}},
        {"negative regional factor", kDesignData, {{D::kRegionalFactor, "-1.5"}}, range, D::kRegionalFactor, {}},
        {"no regional factor", kDesignData, {{D::kRegionalFactor, "0"}}, range, D::kRegionalFactor, {}},
        {"no single-unit ESAL", kDesignData, {{D::kSingleUnitEsal, "0"}}, range, D::kSingleUnitEsal, {}},
        {"no ESAL per truck", kDesignData, {{D::kRepresentativeEsal, "-1"}}, range, D::kRepresentativeEsal, {}},
        {"no serviceability loss", kDesignData, {{D::kTerminalServiceability, "4.2"}}, kServiceabilityMessage,
         D::kTerminalServiceability, {}},
        {"serviceability above the initial", kDesignData, {{D::kTerminalServiceability, "5"}},
         kServiceabilityMessage, D::kTerminalServiceability, {}},
        {"weak soil, mild region", kDesignData, {{D::kRegionalFactor, "0.5"}, {D::kSoilSupport, "12"}}, {},
         D::kSoilSupport,
         {"SOIL SUPPORT 12 (normal range 0.5 to 10)", "REGIONAL FACTOR 0.5 (normal range 1.0 to 3.0)"}},
        {"few trucks in the lane", kDesignData, {{D::kLdf, "0.05"}}, {}, D::kLdf,
         {"LANE DISTRIBUTION FACTOR 0.05 (normal range 0.1 to 100)"}},
        {"low serviceability", kDesignData, {{D::kTerminalServiceability, "1.0"}}, {}, D::kTerminalServiceability,
         {"TERMINAL SERVICEABILITY INDEX 1.0 (normal range 1.5 to 4.1)"}},
        // The ESAL per truck is checked against the two factors as they are
        // being stored, not as the record held them.
        {"ESAL above the multiple-unit factor", kDesignData, {{D::kRepresentativeEsal, "1.6"}}, {},
         D::kRepresentativeEsal, {"REPRESENTATIVE 18-KIP  E.S.A.L. 1.6 (normal range 0.40 to 1.50)"}},
        {"ESAL inside the factors typed", kDesignData, {{D::kMultiUnitEsal, "2.0"}, {D::kRepresentativeEsal, "1.6"}},
         {}, 0, {}},
    };
    for (const ContinueCase& c : cases) {
        SCOPED_TRACE(c.what);
        DesignDataRun h;  // the project screen behind it, still filled
        if (c.screen == kProject) h.program.Move(kDesignData, kProject);
        for (const auto& [field, text] : c.texts) h.SetText(c.screen, field, text);
        const auto before = Stored(h.record);
        const std::size_t mark = h.windows.log.size();
        h.View(c.screen).focus = -1;
        h.Click(c.screen, c.screen == kProject ? int(P::kContinue) : int(D::kContinue));
        if (!c.refusal.empty()) {
            h.desktop.ExpectOneError(c.refusal);
            EXPECT_TRUE(h.desktop.questions.empty());
        } else if (!c.listed.empty()) {
            ASSERT_EQ(h.desktop.questions.size(), 1u);
            EXPECT_EQ(h.desktop.questions[0].text, Question(c.listed));
            EXPECT_EQ(h.desktop.questions[0].title, kUnusualTitle);
            EXPECT_TRUE(h.desktop.messages.empty());
        }
        if (!c.refusal.empty() || !c.listed.empty()) {
            EXPECT_EQ(h.View(c.screen).focus, c.focus);
            EXPECT_EQ(Stored(h.record), before);
            EXPECT_TRUE(h.windows.Since(mark).empty());
        }
        if (!c.refusal.empty()) continue;

        // Yes goes on with the values as typed, and the same values are not
        // asked about again.
        h.desktop.Clear();
        h.desktop.answers = {Answer::Yes};
        h.Click(c.screen, c.screen == kProject ? int(P::kContinue) : int(D::kContinue));
        EXPECT_TRUE(h.desktop.messages.empty());
        EXPECT_EQ(h.desktop.questions.size(), c.listed.empty() ? 0u : 1u);
        EXPECT_FALSE(h.windows.Visible(c.screen));
        h.program.Move(c.screen == kProject ? kDesignData : kDesigner, c.screen);
        h.desktop.Clear();
        h.Click(c.screen, c.screen == kProject ? int(P::kContinue) : int(D::kContinue));
        EXPECT_TRUE(h.desktop.questions.empty());
        EXPECT_FALSE(h.windows.Visible(c.screen));
    }
}

TEST(DataEntryScreens, AValueConfirmedWithEnterIsNeverAskedAboutAtContinue) {
    // Enter and CONTINUE read and compare the texts alike: whatever Enter
    // takes, CONTINUE takes without a question.
    const std::vector<std::string> texts = {"0.1", "0.10000001", "1.0", "3", "3.0000001", "2.9999999", "0.05",
                                            "2.5", "5.5", "4.1", "1.5", "100", "10", "0.5", " 1.5 ", "1e0"};
    for (int field = D::kLdf; field <= D::kMultiUnitEsal; ++field) {
        for (const std::string& text : texts) {
            DesignDataRun h;
            h.SetText(kDesignData, field, text);
            if (h.Enter(kDesignData, field) && h.desktop.messages.empty()) {
                h.Click(kDesignData, D::kContinue);
                // (A factor at its limit may put the ESAL per truck outside
                // its range: that one is asked about, never this field.)
                const std::string caption = "\n" + std::string(DesignDataFields()[field]->caption) + " ";
                for (const Message& q : h.desktop.questions) {
                    EXPECT_EQ(q.text.find(caption), std::string::npos) << caption << text;
                }
            }
        }
    }
}

TEST(DesignDataScreen, DataWithoutARequiredSnIsRefusedWithItsOwnMessageAndNothingStored) {
    // 10,000,001 loads a day over 20 years pass 32 bits: refused after the
    // designer went on with an ESAL per truck of 100,000.
    DesignDataRun h;
    h.Click(kDesignData, D::kContinue);
    h.program.Move(kDesigner, kDesignData);
    const auto before = Stored(h.record);
    h.desktop.Clear();
    h.desktop.answers = {Answer::Yes};
    h.SetText(kDesignData, D::kRepresentativeEsal, "100000");
    h.Click(kDesignData, D::kContinue);
    EXPECT_EQ(h.desktop.questions.size(), 1u);
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{std::string(kLoadingTooLargeMessage)});
    EXPECT_EQ(Stored(h.record), before);
    EXPECT_TRUE(h.windows.Visible(kDesignData));
}

TEST(DataEntryScreens, BackReturnsThroughTheChainWithEveryEntryKept) {
    DesignDataRun h;
    h.Click(kDesignData, D::kContinue);
    ASSERT_TRUE(h.windows.Visible(kDesigner));
    h.SetText(kDesigner, G::kDesignerName, "A. Designer");
    std::size_t mark = h.windows.log.size();
    h.Click(kDesigner, G::kBack);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kDesignData},
                                                               {WindowEvent::Hide, kDesigner}}));
    mark = h.windows.log.size();
    h.Click(kDesignData, D::kBack);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, kProject},
                                                               {WindowEvent::Hide, kDesignData}}));
    EXPECT_EQ(h.Text(kProject, P::kTruckPercent), "10");
    EXPECT_EQ(h.Text(kDesignData, D::kLdf), "100");
    EXPECT_EQ(h.Text(kDesigner, G::kDesignerName), "A. Designer");
    // A dead end no more: traffic too heavy for the design data goes back
    // to the project screen, is mended there and comes forward again.
    h.SetText(kProject, P::kFinalTraffic, "300000");
    h.SetText(kProject, P::kTruckPercent, "100");
    h.Click(kProject, P::kContinue);
    h.SetText(kDesignData, D::kRepresentativeEsal, "1.50");
    h.Click(kDesignData, D::kMultiUnitEsal);
    h.SetText(kDesignData, D::kMultiUnitEsal, "5.5");
    h.SetText(kDesignData, D::kRepresentativeEsal, "5.5");
    h.Click(kDesignData, D::kContinue);
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{std::string(kLoadingTooLargeMessage)});
    h.Click(kDesignData, D::kBack);
    h.SetText(kProject, P::kFinalTraffic, "1000");
    h.SetText(kProject, P::kTruckPercent, "10");
    h.Click(kProject, P::kContinue);
    h.Click(kDesignData, D::kContinue);
    EXPECT_TRUE(h.windows.Visible(kDesigner));
}

TEST(DesignDataScreen, ClearFormEmptiesTheFieldsWithoutDefaults) {
    DesignDataRun h;
    h.SetText(kDesignData, D::kTerminalServiceability, "3.0");
    h.Click(kDesignData, D::kClearForm);
    EXPECT_EQ(h.Text(kDesignData, D::kLdf), "");
    EXPECT_EQ(h.Text(kDesignData, D::kSoilSupport), "");
    EXPECT_EQ(h.Text(kDesignData, D::kRegionalFactor), "");
    EXPECT_EQ(h.Text(kDesignData, D::kRepresentativeEsal), "");
    EXPECT_EQ(h.Text(kDesignData, D::kTerminalServiceability), "3.0");
    EXPECT_EQ(h.Text(kDesignData, D::kSingleUnitEsal), "0.40");
    EXPECT_EQ(h.Text(kDesignData, D::kMultiUnitEsal), "1.50");
    EXPECT_EQ(h.record.ldf, 0.0f);
    EXPECT_FLOAT_EQ(h.record.terminalServiceability, 2.5f);
}

TEST(DesignDataScreen, QuitAndCloseBoxEndTheProgramWhenTheDesignerDiscardsTheDesign) {
    DesignDataRun h;
    h.desktop.answers = {Answer::Discard, Answer::Discard};
    h.Click(kDesignData, D::kQuit);
    h.Logic(kDesignData).CloseBox();
    EXPECT_EQ(h.desktop.questions.size(), 2u);
    EXPECT_EQ(h.desktop.quits, 2);
}

// ------------------------------------------------------------- designer

struct DesignerRun : DesignDataRun {
    DesignerRun() {
        desktop.today = {2024, 3, 9};
        Click(kDesignData, D::kContinue);
        desktop.Clear();
    }
};

TEST(DesignerInformationScreen, DateIsTodayInLongFormAndIsSetOnlyOnce) {
    DesignerRun h;
    EXPECT_EQ(h.Text(kDesigner, G::kDate), "March 9, 2024");
    EXPECT_EQ(h.View(kDesigner).Choice(G::kOffice), G::kUrbanDesign);

    h.desktop.today = {2024, 3, 10};  // past midnight
    h.Click(kDesigner, G::kContinue);
    h.ClickOption(ScreenId::MainMenu, MainMenu::kOptions, MainMenu::kEditData);
    h.Click(ScreenId::MainMenu, MainMenu::kContinue);
    h.Click(kProject, P::kContinue);
    h.Click(kDesignData, D::kContinue);
    EXPECT_EQ(h.Text(kDesigner, G::kDate), "March 9, 2024");
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, kDesigner), 1);
}

TEST(DesignerInformationScreen, DateHasNoMonthAbbreviationsOrLeadingZeros) {
    for (auto [date, text] : std::vector<std::pair<CalendarDate, std::string>>{
             {{2001, 12, 1}, "December 1, 2001"},
             {{2025, 1, 31}, "January 31, 2025"},
             {{1999, 9, 5}, "September 5, 1999"}}) {
        Harness h;
        h.desktop.today = date;
        h.StartToMainMenu();
        EXPECT_EQ(h.Text(kDesigner, G::kDate), text);
        EXPECT_EQ(h.record.designDate, text);
    }
}

TEST(DesignerInformationScreen, ContinueStoresTheTextsAsTheyStandAndSelectsFullDepthOnTheMenu) {
    DesignerRun h;
    h.SetText(kDesigner, G::kDesignerName, "J. Smith, Pavement Engineer");
    h.SetText(kDesigner, G::kComments, "Widened lanes");
    h.SetText(kDesigner, G::kDate, "the 32nd of Smarch");  // stored without a date check
    h.ClickOption(kDesigner, G::kOffice, G::kDistrict);
    EXPECT_EQ(h.record.officeIndex, G::kDistrict);  // at once, before CONTINUE
    const std::size_t mark = h.windows.log.size();
    h.Click(kDesigner, G::kContinue);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.record.designerName, "J. Smith, Pavement Engineer");
    EXPECT_EQ(h.record.designComments, "Widened lanes");
    EXPECT_EQ(h.record.designDate, "the 32nd of Smarch");
    EXPECT_EQ(h.record.officeIndex, G::kDistrict);
    EXPECT_EQ(h.record.menuChoice, MainMenu::kFullDepth);
    EXPECT_EQ(h.View(ScreenId::MainMenu).Choice(MainMenu::kOptions), MainMenu::kFullDepth);
    EXPECT_EQ(h.windows.Since(mark),
              (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::MainMenu},
                                        {WindowEvent::Show, ScreenId::MainMenu},
                                        {WindowEvent::Hide, kDesigner}}));
}

TEST(DesignerInformationScreen, EverythingEmptyIsStoredAsEmpty) {
    DesignerRun h;
    h.record.designerName = "old";
    h.SetText(kDesigner, G::kDate, "");
    h.Click(kDesigner, G::kContinue);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.record.designerName, "");
    EXPECT_EQ(h.record.designComments, "");
    EXPECT_EQ(h.record.designDate, "");
    EXPECT_EQ(h.record.officeIndex, 0);
}

TEST(DesignerInformationScreen, ClearFormKeepsTheDateAndTheOffice) {
    DesignerRun h;
    h.SetText(kDesigner, G::kDesignerName, "J. Smith");
    h.SetText(kDesigner, G::kComments, "none");
    h.ClickOption(kDesigner, G::kOffice, G::kConsultantMinor);
    h.Click(kDesigner, G::kClearForm);
    EXPECT_EQ(h.Text(kDesigner, G::kDesignerName), "");
    EXPECT_EQ(h.Text(kDesigner, G::kComments), "");
    EXPECT_EQ(h.Text(kDesigner, G::kDate), "March 9, 2024");
    EXPECT_EQ(h.View(kDesigner).Choice(G::kOffice), G::kConsultantMinor);
    EXPECT_EQ(h.record.officeIndex, G::kConsultantMinor);
    EXPECT_EQ(h.record.designerName, "");
}

TEST(DesignerInformationScreen, EnterGoesFromNameToCommentsToContinueAndDoesNothingInTheDate) {
    DesignerRun h;
    FakeView& view = h.View(kDesigner);
    EXPECT_TRUE(h.EnterText(kDesigner, G::kDesignerName, "J. Smith"));
    EXPECT_EQ(view.focus, G::kComments);
    EXPECT_TRUE(h.EnterText(kDesigner, G::kComments, "x"));
    EXPECT_EQ(view.focus, G::kContinue);
    view.focus = G::kDate;
    const int moves = view.focusMoves;
    EXPECT_FALSE(h.Enter(kDesigner, G::kDate));
    EXPECT_EQ(view.focus, G::kDate);
    EXPECT_EQ(view.focusMoves, moves);
    EXPECT_TRUE(h.desktop.events.empty());
    EXPECT_EQ(h.record.designerName, "");
}

TEST(DesignerInformationScreen, QuitAndCloseBoxEndTheProgramWhenTheDesignerDiscardsTheDesign) {
    DesignerRun h;
    h.desktop.answers = {Answer::Discard, Answer::Discard};
    h.Click(kDesigner, G::kQuit);
    h.Logic(kDesigner).CloseBox();
    EXPECT_EQ(h.desktop.questions.size(), 2u);
    EXPECT_EQ(h.desktop.quits, 2);
}

// ------------------------------------------------------------ worst cases

// What a paste of 1,000 characters leaves in a field: the window's text box
// cuts it at the field's maximum length, when it has one.
std::string Pasted(const FieldRule& rule, char c) {
    return std::string(rule.maxLength > 0 ? static_cast<std::size_t>(rule.maxLength) : 1000u, c);
}

// Puts `text(field)` into each design data field and presses Enter there:
// every one is refused with the range message.
template <typename Text>
void EnterInEveryDesignDataField(DesignDataRun& d, Text text) {
    for (int f = D::kLdf; f <= D::kRepresentativeEsal; ++f) {
        d.SetText(kDesignData, f, text(f));
        d.desktop.Clear();
        d.Enter(kDesignData, f);
        d.desktop.ExpectOneError(std::string(kRangeMessage));
    }
}

TEST(DataEntryScreens, AThousandCharacterPasteInEveryField) {
    const std::string range(kRangeMessage);
    const std::string number(kNumberNeededMessage);
    ProjectRun h;
    h.Click(kProject, P::kClearForm);
    for (int f = P::kProjectNumber; f <= P::kTruckPercent; ++f) {
        h.SetText(kProject, f, Pasted(*ProjectInformationFields()[f], '7'));
    }
    // The identification moves on; the years, cut to 7777, are written and
    // refused; 1,000 digits of traffic or trucks lie beyond any number and
    // are refused without writing anything.
    const std::vector<std::pair<int, std::string>> enter = {
        {P::kProjectNumber, ""}, {P::kPiNumber, ""},        {P::kCounty, ""},     {P::kDescription, ""},
        {P::kInitialYear, range}, {P::kInitialTraffic, range}, {P::kFinalYear, range}, {P::kFinalTraffic, range},
        {P::kTruckPercent, range}};
    for (const auto& [field, message] : enter) {
        h.desktop.Clear();
        h.View(kProject).focus = field;
        EXPECT_TRUE(h.Enter(kProject, field));
        if (message.empty()) {
            EXPECT_TRUE(h.desktop.messages.empty()) << field;
            EXPECT_EQ(h.View(kProject).focus, field + 1);
        } else {
            h.desktop.ExpectOneError(message);
            EXPECT_EQ(h.View(kProject).focus, field);
        }
    }
    EXPECT_EQ(h.record.initialYear, 7777);
    EXPECT_EQ(h.record.finalYear, 7777);
    EXPECT_EQ(h.record.initialAadt, 0);
    EXPECT_EQ(h.record.truckPercent, 0.0f);
    // CONTINUE cannot convert the traffic and stores nothing.
    h.desktop.Clear();
    h.Click(kProject, P::kContinue);
    h.desktop.ExpectOneError(number);
    EXPECT_EQ(h.record.projectNumber, "");
    EXPECT_FALSE(h.windows.Visible(kDesignData));

    // Letters pasted into a numeric field lead with no number at all.
    h.SetText(kProject, P::kInitialYear, Pasted(fields::kInitialYear, 'x'));
    h.desktop.Clear();
    h.Enter(kProject, P::kInitialYear);
    h.desktop.ExpectOneError(range);

    DesignDataRun d;
    const DesignRecord before = d.record;
    EnterInEveryDesignDataField(d, [](int f) { return Pasted(*DesignDataFields()[f], '7'); });
    d.desktop.Clear();
    d.Click(kDesignData, D::kContinue);
    d.desktop.ExpectOneError(number);
    EXPECT_EQ(d.record.ldf, before.ldf);
    EXPECT_EQ(d.record.esal18, before.esal18);
    EXPECT_EQ(d.record.requiredSn, before.requiredSn);

    // The designer's texts are stored as they stand, the comments cut at 60.
    DesignerRun g;
    g.SetText(kDesigner, G::kDesignerName, Pasted(fields::kDesignerName, 'n'));
    g.SetText(kDesigner, G::kComments, Pasted(fields::kComments, 'c'));
    g.SetText(kDesigner, G::kDate, std::string(1000, 'd'));
    g.Click(kDesigner, G::kContinue);
    EXPECT_TRUE(g.desktop.messages.empty());
    EXPECT_EQ(g.record.designerName, std::string(static_cast<std::size_t>(fields::kDesignerName.maxLength), 'n'));
    EXPECT_EQ(g.record.designComments, std::string(60, 'c'));
    EXPECT_EQ(g.record.designDate, std::string(1000, 'd'));
    EXPECT_TRUE(g.windows.Visible(ScreenId::MainMenu));
}

TEST(DataEntryScreens, EveryFieldEmptyThenEnterAndContinue) {
    const std::string range(kRangeMessage);
    const std::string required(kRequiredMessage);
    ProjectRun h;
    h.Click(kProject, P::kClearForm);
    for (int f = P::kProjectNumber; f <= P::kTruckPercent; ++f) {
        h.desktop.Clear();
        h.Enter(kProject, f);
        if (ProjectInformationFields()[f]->numeric()) {
            h.desktop.ExpectOneError(range);
        } else {
            EXPECT_TRUE(h.desktop.messages.empty());
        }
    }
    h.desktop.Clear();
    h.Click(kProject, P::kContinue);
    h.desktop.ExpectOneError(required);
    EXPECT_EQ(h.record.initialYear, 0);
    EXPECT_FALSE(h.windows.Visible(kDesignData));

    DesignDataRun d;
    const DesignRecord before = d.record;
    EnterInEveryDesignDataField(d, [](int) { return std::string(); });
    d.desktop.Clear();
    d.Click(kDesignData, D::kContinue);
    d.desktop.ExpectOneError(required);
    EXPECT_EQ(d.record.terminalServiceability, before.terminalServiceability);
    EXPECT_EQ(d.record.requiredSn, before.requiredSn);
    EXPECT_FALSE(d.windows.Visible(kDesigner));

    DesignerRun g;
    for (int f : {G::kDesignerName, G::kComments, G::kDate}) g.SetText(kDesigner, f, "");
    g.Enter(kDesigner, G::kDesignerName);
    g.Enter(kDesigner, G::kComments);
    g.Click(kDesigner, G::kContinue);
    EXPECT_TRUE(g.desktop.messages.empty());
    EXPECT_EQ(g.record.designerName, "");
    EXPECT_TRUE(g.windows.Visible(ScreenId::MainMenu));
}

}  // namespace
}  // namespace korvelle
