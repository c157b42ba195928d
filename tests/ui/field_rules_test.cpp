#include "ui/field_rules.h"

#include <gtest/gtest.h>

#include "core/utf8.h"

#include <functional>
#include <string>
#include <vector>

#include "fakes.h"
#include "print/char_grid_page.h"
#include "print/design_form.h"

namespace korvelle {
namespace {

using Getter = std::function<double(const DesignRecord&)>;

// What one key press in a field did.
struct Press {
    bool discarded = false;
    bool accepted = false;
};

Press PressKey(const FieldRule& rule, int key, const std::string& text, DesignRecord& record, FakeDesktop& desktop) {
    Press press;
    press.discarded = FieldKeyPress(rule, key, text, record, desktop, [&] { press.accepted = true; });
    return press;
}

Press PressEnter(const FieldRule& rule, const std::string& text, DesignRecord& record, FakeDesktop& desktop) {
    return PressKey(rule, kEnterKey, text, record, desktop);
}

// A numeric field, the record field it writes, and texts at and just beyond
// both ends of its normal range, with the value each text writes.
struct NumericCase {
    const char* name;
    const FieldRule& rule;
    Getter target;
    const char* lowest;
    double lowestValue;
    const char* highest;
    double highestValue;
    const char* below;
    double belowValue;
    const char* above;
    double aboveValue;
};

std::vector<NumericCase> NumericCases() {
    using namespace fields;
    auto f = [](float v) { return static_cast<double>(v); };
    return {
        {"initial year", kInitialYear, [](const DesignRecord& r) { return double(r.initialYear); }, "1972", 1972,
         "2100", 2100, "1971", 1971, "2101", 2101},
        {"final year", kFinalYear, [](const DesignRecord& r) { return double(r.finalYear); }, "1972", 1972, "2100",
         2100, "1971", 1971, "2101", 2101},
        {"initial traffic", kInitialTraffic, [](const DesignRecord& r) { return double(r.initialAadt); }, "1", 1,
         "300000", 300000, "0.4", 0, "300001", 300001},
        {"final traffic", kFinalTraffic, [](const DesignRecord& r) { return double(r.finalAadt); }, "1", 1,
         "300000", 300000, "0.4", 0, "300001", 300001},
        {"truck percent", kTruckPercent, [](const DesignRecord& r) { return double(r.truckPercent); }, "0.01",
         f(0.01f), "100", 100, nullptr, 0, "100.01", f(100.01f)},
        {"lane distribution factor", kLdf, [](const DesignRecord& r) { return double(r.ldf); }, "0.1", f(0.1f),
         "100", 100, "0.09", f(0.09f), "100.1", f(100.1f)},
        {"terminal serviceability", kTerminalServiceability,
         [](const DesignRecord& r) { return double(r.terminalServiceability); }, "1.5", 1.5, "4.1", f(4.1f), "1.49",
         f(1.49f), "4.2", f(4.2f)},
        {"soil support", kSoilSupport, [](const DesignRecord& r) { return double(r.soilSupport); }, "0.5", 0.5, "10",
         10, "0.49", f(0.49f), "10.01", f(10.01f)},
        {"regional factor", kRegionalFactor, [](const DesignRecord& r) { return double(r.regionalFactor); }, "1.0", 1,
         "3.0", 3, "0.99", f(0.99f), "3.01", f(3.01f)},
        {"single-unit ESAL", kSingleUnitEsal, [](const DesignRecord& r) { return double(r.singleUnitEsal); }, "0.05",
         f(0.05f), "2.5", 2.5, "0.04", f(0.04f), "2.51", f(2.51f)},
        {"multiple-unit ESAL", kMultiUnitEsal, [](const DesignRecord& r) { return double(r.multiUnitEsal); }, "0.2",
         f(0.2f), "5.5", 5.5, "0.19", f(0.19f), "5.51", f(5.51f)},
        // With the start-up factors 0.40 and 1.50.
        {"representative ESAL", kRepresentativeEsal, [](const DesignRecord& r) { return double(r.esal18); }, "0.40",
         f(0.4f), "1.50", 1.5, "0.39", f(0.39f), "1.51", f(1.51f)},
        {"ESAL worksheet entry", kEsalWorksheetEntry, [](const DesignRecord& r) { return double(r.esal18); }, "0.40",
         f(0.4f), "1.5", 1.5, "0.3", f(0.3f), "1.51", f(1.51f)},
        {"LDF worksheet entry", kLdfWorksheetEntry, [](const DesignRecord& r) { return double(r.ldf); }, "0.1",
         f(0.1f), "100", 100, "0.09", f(0.09f), "101", 101},
    };
}

TEST(FieldKeyPress, EveryNumericFieldAcceptsBothEndsOfItsRangeAndMovesOn) {
    for (const NumericCase& c : NumericCases()) {
        SCOPED_TRACE(c.name);
        for (auto [text, value] : {std::pair{c.lowest, c.lowestValue}, std::pair{c.highest, c.highestValue}}) {
            SCOPED_TRACE(text);
            DesignRecord record;
            FakeDesktop desktop;
            const Press press = PressEnter(c.rule, text, record, desktop);
            EXPECT_TRUE(press.discarded);
            EXPECT_TRUE(press.accepted);
            EXPECT_EQ(c.target(record), value);
            EXPECT_TRUE(desktop.messages.empty());
            EXPECT_EQ(desktop.beeps, 0);
        }
    }
}

TEST(FieldKeyPress, ValueJustBeyondTheRangeIsRejectedButStaysInTheRecord) {
    for (const NumericCase& c : NumericCases()) {
        SCOPED_TRACE(c.name);
        for (auto [text, value] : {std::pair{c.below, c.belowValue}, std::pair{c.above, c.aboveValue}}) {
            if (text == nullptr) continue;
            SCOPED_TRACE(text);
            DesignRecord record;
            FakeDesktop desktop;
            const Press press = PressEnter(c.rule, text, record, desktop);
            EXPECT_TRUE(press.discarded);
            EXPECT_FALSE(press.accepted);
            EXPECT_EQ(c.target(record), value);
            ASSERT_EQ(desktop.messages.size(), 1u);
            EXPECT_EQ(desktop.messages[0].text, "Data is outside normal range");
            EXPECT_EQ(desktop.messages[0].title, "ERROR");
            EXPECT_EQ(desktop.messages[0].style, MessageStyle::Critical);
            EXPECT_EQ(desktop.events, (std::vector<std::string>{"beep", "message"}));
        }
    }
}

TEST(FieldKeyPress, NothingPositiveAtTheStartOfTheTextIsOutOfRangeAndWritesNothing) {
    // Empty, zero, negative, or no digits at the front: the leading value is
    // not above 0.
    for (const NumericCase& c : NumericCases()) {
        SCOPED_TRACE(c.name);
        for (const char* text : {"", "0", "0.0", "-5", "abc", "  ", ".", "-0.5"}) {
            SCOPED_TRACE(std::string("text '") + text + "'");
            DesignRecord record;
            const double before = c.target(record);
            FakeDesktop desktop;
            const Press press = PressEnter(c.rule, text, record, desktop);
            EXPECT_TRUE(press.discarded);
            EXPECT_FALSE(press.accepted);
            EXPECT_EQ(c.target(record), before);
            EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});
            EXPECT_EQ(desktop.beeps, 1);
        }
    }
}

TEST(FieldKeyPress, PositiveStartButNotANumberOfTheFieldsTypeAsksForANumberAndWritesNothing) {
    using namespace fields;
    struct Case {
        const FieldRule& rule;
        Getter target;
        const char* text;
    };
    const Getter initialYear = [](const DesignRecord& r) { return double(r.initialYear); };
    const Getter initialAadt = [](const DesignRecord& r) { return double(r.initialAadt); };
    const Getter truckPercent = [](const DesignRecord& r) { return double(r.truckPercent); };
    const Getter ldf = [](const DesignRecord& r) { return double(r.ldf); };
    const Getter esal18 = [](const DesignRecord& r) { return double(r.esal18); };
    const std::vector<Case> cases = {
        {kInitialYear, initialYear, "1990abc"},
        {kInitialYear, initialYear, "40000"},  // beyond 16 bits
        {kInitialYear, initialYear, "32768"},
        {kInitialTraffic, initialAadt, "3000000000"},  // beyond 32 bits
        {kInitialTraffic, initialAadt, "2147483648"},
        {kInitialTraffic, initialAadt, "1,000"},
        {kTruckPercent, truckPercent, "10%"},
        {kTruckPercent, truckPercent, "1000000000000000000000000000000000000000"},  // beyond single
        {kLdf, ldf, "1.2.3"},
        {kLdfWorksheetEntry, ldf, "85-100"},  // a range copied from the guide table
        {kEsalWorksheetEntry, esal18, "1.1 1"},
        {kRepresentativeEsal, esal18, "1e0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DesignRecord record;
        const double before = c.target(record);
        FakeDesktop desktop;
        const Press press = PressEnter(c.rule, c.text, record, desktop);
        EXPECT_TRUE(press.discarded);
        EXPECT_FALSE(press.accepted);
        EXPECT_EQ(c.target(record), before);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, kNumberNeededMessage);
        EXPECT_EQ(desktop.messages[0].title, "ERROR");
        EXPECT_EQ(desktop.messages[0].style, MessageStyle::Critical);
        EXPECT_EQ(desktop.events, (std::vector<std::string>{"beep", "message"}));
    }
}

TEST(FieldKeyPress, WholeNumbersRoundToTheNearestWithTiesToEven) {
    using fields::kFinalYear;
    using fields::kInitialTraffic;
    struct Case {
        const FieldRule& rule;
        const char* text;
        double written;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {kFinalYear, "1971.5", 1972, true},   // up to the even 1972: inside
        {kFinalYear, "1972.5", 1972, true},
        {kFinalYear, "2100.5", 2100, true},   // down to the even 2100: inside
        {kFinalYear, "2101.5", 2102, false},
        {kFinalYear, " 2000 ", 2000, true},
        {kInitialTraffic, "0.5", 0, false},   // leading value above 0, but rounds to 0
        {kInitialTraffic, "1.5", 2, true},
        {kInitialTraffic, "2.5", 2, true},
        {kInitialTraffic, "300000.5", 300000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DesignRecord record;
        FakeDesktop desktop;
        const Press press = PressEnter(c.rule, c.text, record, desktop);
        const double written = &c.rule == &kFinalYear ? record.finalYear : record.initialAadt;
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(press.accepted, c.accepted);
        EXPECT_EQ(desktop.messages.empty(), c.accepted);
    }
}

TEST(FieldKeyPress, RepresentativeEsalBoundsAreTheFactorsInTheRecordAtTheMoment) {
    for (const FieldRule* rule : {&fields::kRepresentativeEsal, &fields::kEsalWorksheetEntry}) {
        SCOPED_TRACE(rule->caption);
        DesignRecord record;
        FakeDesktop desktop;
        record.singleUnitEsal = 0.50f;
        EXPECT_FALSE(PressEnter(*rule, "0.45", record, desktop).accepted);
        EXPECT_FLOAT_EQ(record.esal18, 0.45f);  // kept although rejected
        EXPECT_TRUE(PressEnter(*rule, "0.5", record, desktop).accepted);
        record.multiUnitEsal = 1.20f;
        EXPECT_FALSE(PressEnter(*rule, "1.3", record, desktop).accepted);
        EXPECT_TRUE(PressEnter(*rule, "1.2", record, desktop).accepted);
        EXPECT_EQ(desktop.messages.size(), 2u);

        // Factors the wrong way round: nothing lies between them.
        record.singleUnitEsal = 1.50f;
        record.multiUnitEsal = 0.40f;
        desktop.Clear();
        for (const char* text : {"0.40", "1.0", "1.50"}) {
            EXPECT_FALSE(PressEnter(*rule, text, record, desktop).accepted) << text;
        }
        EXPECT_EQ(desktop.messages.size(), 3u);
    }
}

TEST(FieldKeyPress, CommaIsDiscardedOnlyInTheTrafficFields) {
    for (const FieldRule* rule : {&fields::kInitialTraffic, &fields::kFinalTraffic}) {
        DesignRecord record;
        FakeDesktop desktop;
        EXPECT_TRUE(PressKey(*rule, kCommaKey, "12", record, desktop).discarded) << rule->caption;
    }
    for (const FieldRule* rule : {&fields::kInitialYear, &fields::kTruckPercent, &fields::kLdf, &fields::kCounty,
                                  &fields::kComments, &fields::kLdfWorksheetEntry}) {
        DesignRecord record;
        FakeDesktop desktop;
        EXPECT_FALSE(PressKey(*rule, kCommaKey, "12", record, desktop).discarded) << rule->caption;
    }
}

TEST(FieldKeyPress, KeysOtherThanEnterReachTheFieldUncheckedAndWriteNothing) {
    for (const NumericCase& c : NumericCases()) {
        SCOPED_TRACE(c.name);
        for (int key : {int('a'), int('Z'), int('5'), int('.'), int('-'), int(' '), int('%'), 9 /* tab */}) {
            DesignRecord record;
            const double before = c.target(record);
            FakeDesktop desktop;
            const Press press = PressKey(c.rule, key, "1972", record, desktop);
            EXPECT_FALSE(press.discarded) << key;
            EXPECT_FALSE(press.accepted) << key;
            EXPECT_EQ(c.target(record), before);
            EXPECT_TRUE(desktop.events.empty());
        }
    }
}

TEST(FieldKeyPress, TextFieldsOnlyMoveOnOnEnter) {
    using namespace fields;
    for (const FieldRule* rule : {&kProjectNumber, &kPiNumber, &kCounty, &kDescription, &kDesignerName, &kComments}) {
        SCOPED_TRACE(rule->caption);
        DesignRecord record;
        FakeDesktop desktop;
        for (const char* text : {"", "0", "-5", "anything at all"}) {
            const Press press = PressEnter(*rule, text, record, desktop);
            EXPECT_TRUE(press.discarded);
            EXPECT_TRUE(press.accepted);
        }
        EXPECT_FALSE(PressKey(*rule, 'x', "", record, desktop).discarded);
        EXPECT_TRUE(desktop.events.empty());
        EXPECT_EQ(record.projectNumber, "");
        EXPECT_EQ(record.designerName, "");
        EXPECT_EQ(record.designComments, "");
    }
}

TEST(FieldRules, CaptionsAndLengthLimitsOfTheFieldsInEnterOrder) {
    struct Expected {
        const char* caption;
        int maxLength;
        bool numeric;
    };
    auto check = [](std::span<const FieldRule* const> fields, const std::vector<Expected>& expected) {
        ASSERT_EQ(fields.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(fields[i]->caption, expected[i].caption);
            EXPECT_EQ(fields[i]->maxLength, expected[i].maxLength) << expected[i].caption;
            EXPECT_EQ(fields[i]->numeric(), expected[i].numeric) << expected[i].caption;
        }
    };
    check(ProjectInformationFields(), {{"PROJECT NO.", 41, false},
                                       {"P.I. NO.", 7, false},
                                       {"COUNTY", 15, false},
                                       {"DESCRIPTION (65 CHAR. MAX.)", 65, false},
                                       {"INITIAL DESIGN YEAR", 4, true},
                                       {"INITIAL 1-WAY TRAFFIC", 0, true},
                                       {"FINAL DESIGN YEAR", 4, true},
                                       {"FINAL 1-WAY TRAFFIC", 0, true},
                                       {"24-HOUR TRUCK %", 0, true}});
    check(DesignerInformationFields(), {{"DESIGNER'S NAME AND TITLE", 39, false}, {"COMMENTS", 60, false}});
    check(DesignDataFields(), {{"LANE DISTRIBUTION FACTOR", 0, true},
                               {"TERMINAL SERVICEABILITY INDEX", 0, true},
                               {"SOIL SUPPORT", 0, true},
                               {"REGIONAL FACTOR", 0, true},
                               {"SINGLE UNIT E.S.A.L.", 0, true},
                               {"MULTIPLE UNIT E.S.A.L.", 0, true},
                               {"REPRESENTATIVE 18-KIP  E.S.A.L.", 0, true}});
    EXPECT_EQ(fields::kEsalWorksheetEntry.caption, "ENTER VALUE FOR ESAL");
    EXPECT_EQ(fields::kLdfWorksheetEntry.caption, "ENTER VALUE FOR LDF");
}

TEST(FieldRules, TheLongestProjectNumberCountyNameAndDateKeepTheirFormLinesWithin77Columns) {
    // Every field at its longest, in characters that take two and four bytes.
    auto longest = [](const FieldRule& rule, const std::string& character) {
        EXPECT_GT(rule.maxLength, 0) << rule.caption << " needs a maximum length";
        std::string text;
        for (int i = 0; i < rule.maxLength; ++i) text += character;
        return text;
    };
    for (const std::string character : {"W", "\u00c9", "\U0001F6A7"}) {
        DesignRecord record;
        InitMaterialLists(record);
        record.projectNumber = longest(fields::kProjectNumber, character);
        record.countyName = longest(fields::kCounty, character);
        record.designerName = longest(fields::kDesignerName, character);
        record.designDate = longest(fields::kDesignDate, character);
        record.fullDepthCourseCount = record.overlayCourseCount = record.existingCourseCount = 1;
        ResultSheet sheet;
        sheet.rows.resize(6);
        for (bool overlay : {false, true}) {
            SCOPED_TRACE(std::string(overlay ? "overlay form in " : "full-depth form in ") + character);
            CharGridPage page;
            if (overlay) {
                PrintOverlayForm(page, record, sheet, "Courier", 12.0);
            } else {
                PrintFullDepthForm(page, record, sheet, "Courier", 12.0);
            }
            ASSERT_EQ(page.PageCount(), 1);
            bool project = false;
            bool designer = false;
            for (const std::string& line : page.Lines()) {
                if (line.find("Project: ") != std::string::npos) {
                    project = true;
                    EXPECT_NE(line.find("County: " + record.countyName), std::string::npos) << line;
                    EXPECT_LE(Utf8Length(line), 77u) << line;
                }
                if (line.find(record.designerName) != std::string::npos) {
                    designer = true;
                    EXPECT_NE(line.find(record.designDate), std::string::npos) << line;
                    EXPECT_LE(Utf8Length(line), 77u) << line;
                }
            }
            EXPECT_TRUE(project && designer);
        }
    }
}

// The same procedure as the screens run it.

TEST(FieldEntryOnScreens, ThousandsSeparatorNeverReachesTheTrafficField) {
    Harness h;
    h.StartToProject();
    using P = ProjectInformationScreen;
    h.Type(ScreenId::ProjectInformation, P::kInitialTraffic, "12,000");
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, P::kInitialTraffic), "12000");
    h.Type(ScreenId::ProjectInformation, P::kFinalTraffic, "1,2a");
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, P::kFinalTraffic), "12a");
    h.Type(ScreenId::ProjectInformation, P::kTruckPercent, "1,5");
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, P::kTruckPercent), "1,5");
}

TEST(FieldEntryOnScreens, RejectedEntryKeepsFocusAndTextAndAcceptedEntryMovesOn) {
    Harness h;
    h.StartToProject();
    using P = ProjectInformationScreen;
    const ScreenId s = ScreenId::ProjectInformation;
    FakeView& view = h.View(s);
    view.focus = P::kInitialYear;
    const int moves = view.focusMoves;
    h.EnterText(s, P::kInitialYear, "1971");
    EXPECT_EQ(view.focus, P::kInitialYear);
    EXPECT_EQ(view.focusMoves, moves);
    EXPECT_EQ(h.Text(s, P::kInitialYear), "1971");
    EXPECT_EQ(h.record.initialYear, 1971);
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});

    h.EnterText(s, P::kInitialYear, "1972");
    EXPECT_EQ(view.focus, P::kInitialTraffic);
    EXPECT_EQ(h.record.initialYear, 1972);
}

TEST(FieldEntryOnScreens, SingleUnitFactorRejectedOnEnterStillMovesTheRepresentativeLowerBound) {
    Harness h;
    h.StartToDesignData();
    using D = DesignDataScreen;
    const ScreenId s = ScreenId::DesignData;
    h.EnterText(s, D::kSingleUnitEsal, "2.6");  // above 2.5: rejected, but written
    EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 2.6f);
    h.desktop.Clear();
    h.View(s).focus = D::kRepresentativeEsal;
    h.EnterText(s, D::kRepresentativeEsal, "1.00");  // now below the lower bound
    EXPECT_EQ(h.desktop.Texts(), std::vector<std::string>{"Data is outside normal range"});
    EXPECT_EQ(h.View(s).focus, D::kRepresentativeEsal);

    h.desktop.Clear();
    h.EnterText(s, D::kSingleUnitEsal, "0.40");
    h.EnterText(s, D::kRepresentativeEsal, "1.00");
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.View(s).focus, D::kContinue);
}

TEST(FieldEntryOnScreens, LeavingAFieldWithoutEnterWritesNothing) {
    Harness h;
    h.StartToProject();
    using P = ProjectInformationScreen;
    h.Type(ScreenId::ProjectInformation, P::kInitialYear, "1990");
    h.Logic(ScreenId::ProjectInformation).KeyPress(P::kInitialYear, 9);  // Tab
    EXPECT_EQ(h.record.initialYear, 0);
}

}  // namespace
}  // namespace korvelle
