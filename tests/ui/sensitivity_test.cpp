#include "ui/sensitivity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/number_format.h"
#include "fakes.h"
#include "ui/county_table.h"
#include "ui/design_rules.h"

namespace korvelle {
namespace {

// The example design of docs/design-file.md as opening it leaves the record:
// 1,000 growing to 1,720 vehicles a day over 2000 to 2020, 10 % trucks all in
// the design lane at 1.0 ESAL each, terminal serviceability 2.5, soil support
// 4, regional factor 1.0; its full-depth structure gives SN 3.86.
CheckedDesign Example(const char* name = "full-depth.korvelle") {
    const DesignFileReading reading = ReadDesignFile(std::string(KORVELLE_SOURCE_DIR) + "/data/examples/" + name);
    EXPECT_TRUE(std::holds_alternative<DesignFile>(reading));
    return CheckDesign(std::get<DesignFile>(reading), *LoadCountyTable(nullptr, nullptr));
}

std::string Sn(const SensitivityPoint& point) {
    return point.requiredSn ? FormatNumber(*point.requiredSn, "0.00") : "-";
}

const SensitivityPoint& At(const SensitivityCurve& curve, const std::string& typed) {
    for (const SensitivityPoint& point : curve.points) {
        if (point.typed == typed) return point;
    }
    throw std::logic_error("no point " + typed);
}

// The required SN worked out apart from the program, in double precision:
// log W = 9.36 log(SN + 1) - 0.2 + log((4.2 - pt) / 2.7) / (0.4 + 1094 / (SN + 1)^5.19)
//         + log(1 / R) + 0.372 (S - 3),
// searched from 0.33 ln W in steps of 0.01 until W is within 2 % of the
// design loading.
TEST(Sensitivity, PointsAreTheRequiredSnWorkedOutByHand) {
    const CheckedDesign example = Example();
    ASSERT_FALSE(example.refusal);
    const Sensitivity s = ComputeSensitivity(example.record, {});

    // Soil support and regional factor, at the design loading 1,000,100.
    struct SoilCase {
        const char* soil;
        std::size_t curve;  // RF 1.0, 1.5, 2.0, 2.5, 3.0
        const char* sn;
    };
    const SoilCase soilCases[] = {
        {"4.0", 0, "3.44"},   // the design itself: the search ends on 3.4391
        {"4.0", 2, "3.85"},   {"2.0", 0, "4.51"},  {"8.0", 4, "2.34"}, {"0.5", 0, "5.41"},
        {"10.0", 0, "1.43"},  {"0.5", 3, "6.12"},  {"10.0", 4, "1.75"}, {"3.0", 1, "4.21"}, {"6.0", 3, "3.02"},
    };
    ASSERT_EQ(s.soil.curves.size(), 5u);
    for (const SoilCase& c : soilCases) {
        SCOPED_TRACE(std::string(c.soil) + " " + s.soil.curves[c.curve].Name());
        const SensitivityPoint& point = At(s.soil.curves[c.curve], c.soil);
        EXPECT_EQ(Sn(point), c.sn);
        EXPECT_FLOAT_EQ(static_cast<float>(point.x), std::stof(c.soil));
    }

    // The ESAL per truck moved: (1,360 x 0.1 x ESAL + 1) loads a day,
    // rounded half to even, over 20 years of 365 days.
    struct LoadingCase {
        const char* esal;
        double loading;
        const char* sn;
    };
    const LoadingCase loadingCases[] = {
        {"0.10", 109'500, "2.39"},     // 13.6 + 1 = 14.6: 15 a day
        {"0.50", 503'700, "3.07"},     // 68 + 1 = 69
        {"1.00", 1'000'100, "3.44"},   // the design's own
        {"2.00", 1'992'900, "3.85"},   // 272 + 1 = 273
        {"10.00", 9'935'300, "4.92"},  // 1,360 + 1 = 1,361
    };
    const SensitivityCurve& loading = s.loading.curves.at(0);
    for (const LoadingCase& c : loadingCases) {
        SCOPED_TRACE(c.esal);
        const SensitivityPoint& point = At(loading, c.esal);
        EXPECT_EQ(point.x, c.loading);
        EXPECT_EQ(Sn(point), c.sn);
    }

    // The design's own point on both charts.
    ASSERT_TRUE(s.soil.designSn && s.loading.designSn);
    EXPECT_EQ(FormatNumber(*s.soil.designSn, "0.00"), "3.44");
    EXPECT_EQ(s.soil.designX, 4.0);
    EXPECT_EQ(s.loading.designX, 1'000'100.0);
    EXPECT_TRUE(s.soil.curves[0].design);
    EXPECT_EQ(s.soil.designCurve, 0u);
    EXPECT_EQ(s.soil.sweepRange, "0.5:10:0.1");
    EXPECT_EQ(s.loading.sweepRange, "0.1:10:0.01");
}

// More soil support needs less SN, a harsher regional factor more, and more
// trucks' ESAL more loading and more SN: over every point of several designs.
TEST(Sensitivity, TheCurvesMoveAsTheDesignEquationDoes) {
    const DesignRecord example = Example().record;
    struct Variant {
        const char* name;
        void (*change)(DesignRecord&);
    };
    const Variant variants[] = {
        {"example", [](DesignRecord&) {}},
        {"terminal serviceability 2.0", [](DesignRecord& r) { r.terminalServiceability = 2.0f; }},
        {"heavy traffic", [](DesignRecord& r) { r.initialAadt = r.finalAadt = 60'000; r.truckPercent = 25.0f; }},
        {"light traffic", [](DesignRecord& r) { r.initialAadt = 40; r.finalAadt = 60; r.truckPercent = 2.0f; }},
        {"regional factor 2.2, soil 7.5", [](DesignRecord& r) { r.regionalFactor = 2.2f; r.soilSupport = 7.5f; }},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        DesignRecord record = example;
        v.change(record);
        ASSERT_FALSE(RequiredSnRefusal(record));
        const Sensitivity s = ComputeSensitivity(record, {});
        const std::size_t points = s.soil.curves.front().points.size();
        ASSERT_EQ(points, 96u);  // 0.5 to 10 in tenths
        for (std::size_t c = 0; c < s.soil.curves.size(); ++c) {
            const SensitivityCurve& curve = s.soil.curves[c];
            ASSERT_EQ(curve.points.size(), points);
            for (std::size_t i = 0; i < points; ++i) {
                SCOPED_TRACE(curve.Name() + " at soil support " + curve.points[i].typed);
                ASSERT_TRUE(curve.points[i].requiredSn);
                if (i > 0) {
                    EXPECT_GT(curve.points[i].x, curve.points[i - 1].x);
                    EXPECT_LE(*curve.points[i].requiredSn, *curve.points[i - 1].requiredSn);
                }
                if (c > 0) {
                    EXPECT_GE(*curve.points[i].requiredSn, *s.soil.curves[c - 1].points[i].requiredSn);
                }
            }
            EXPECT_LT(*curve.points.back().requiredSn, *curve.points.front().requiredSn);
        }
        const SensitivityCurve& loading = s.loading.curves.at(0);
        ASSERT_EQ(loading.points.size(), 991u);  // a tenth to ten times, in hundredths
        for (std::size_t i = 1; i < loading.points.size(); ++i) {
            SCOPED_TRACE("ESAL " + loading.points[i].typed);
            ASSERT_TRUE(loading.points[i].requiredSn);
            EXPECT_GE(loading.points[i].x, loading.points[i - 1].x);
            EXPECT_GE(*loading.points[i].requiredSn, *loading.points[i - 1].requiredSn);
        }
        // The design's own point lies on its curves: soil support and ESAL
        // typed as the design has them.
        const SensitivityCurve& own = s.soil.curves[s.soil.designCurve];
        const std::string soil = s.soil.designSoil;  // "4", "7.5"
        EXPECT_EQ(At(own, soil.find('.') == std::string::npos ? soil + ".0" : soil).requiredSn, s.soil.designSn);
        EXPECT_EQ(loading.points[90].requiredSn, s.loading.designSn);
        EXPECT_EQ(loading.points[90].x, s.loading.designX);
    }
}

// A regional factor that is not one of the chart's five gets a curve of its
// own in its place; one typed otherwise ("1") is the curve of its value.
TEST(Sensitivity, TheDesignsOwnRegionalFactorHasItsCurve) {
    DesignRecord record = Example().record;
    struct Case {
        float factor;
        std::vector<std::string> curves;
        std::size_t own;
    };
    const Case cases[] = {
        {1.0f, {"1.0", "1.5", "2.0", "2.5", "3.0"}, 0},
        {1.2f, {"1.0", "1.2", "1.5", "2.0", "2.5", "3.0"}, 1},
        {3.0f, {"1.0", "1.5", "2.0", "2.5", "3.0"}, 4},
        {3.75f, {"1.0", "1.5", "2.0", "2.5", "3.0", "3.75"}, 5},
        {0.8f, {"0.8", "1.0", "1.5", "2.0", "2.5", "3.0"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        record.regionalFactor = c.factor;
        const Sensitivity s = ComputeSensitivity(record, {});
        std::vector<std::string> curves;
        for (const SensitivityCurve& curve : s.soil.curves) {
            curves.push_back(curve.regionalFactor);
            EXPECT_EQ(curve.design, curves.size() - 1 == c.own);
        }
        EXPECT_EQ(curves, c.curves);
        EXPECT_EQ(s.soil.designCurve, c.own);
        EXPECT_EQ(s.loading.curves.at(0).regionalFactor, c.curves[c.own]);
    }
    // By hand, as above: soil support 4 at regional factor 1.2 needs 3.55.
    record.regionalFactor = 1.2f;
    EXPECT_EQ(Sn(At(ComputeSensitivity(record, {}).soil.curves[1], "4.0")), "3.55");
}

TEST(Sensitivity, TheLoadingRangeIsTheDesignsEsalMovedAPlace) {
    struct Case {
        float esal;
        const char* shortest;
        SweepRange range;
        const char* first;
        const char* own;
        const char* last;
    };
    const Case cases[] = {
        {1.0f, "1", {"0.1", "10", "0.01"}, "0.10", "1.00", "10.00"},
        {1.37f, "1.37", {"0.137", "13.7", "0.0137"}, "0.1370", "1.3700", "13.7000"},
        {0.4f, "0.4", {"0.04", "4", "0.004"}, "0.040", "0.400", "4.000"},
        {12.0f, "12", {"1.2", "120", "0.12"}, "1.20", "12.00", "120.00"},
        {0.05f, "0.05", {"0.005", "0.5", "0.0005"}, "0.0050", "0.0500", "0.5000"},
    };
    DesignRecord record = Example().record;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortest);
        EXPECT_EQ(ShortestText(fields::kRepresentativeEsal, c.esal), c.shortest);
        const SweepRange range = LoadingSweepRange(c.esal);
        EXPECT_EQ(range.from, c.range.from);
        EXPECT_EQ(range.to, c.range.to);
        EXPECT_EQ(range.step, c.range.step);
        record.esal18 = c.esal;
        const Sensitivity s = ComputeSensitivity(record, {});
        const SensitivityCurve& curve = s.loading.curves.at(0);
        ASSERT_EQ(curve.points.size(), 991u);
        EXPECT_EQ(curve.points.front().typed, c.first);
        EXPECT_EQ(curve.points[90].typed, c.own);
        EXPECT_EQ(curve.points.back().typed, c.last);
    }
    EXPECT_EQ(ShortestText(fields::kSoilSupport, 4.0f), "4");
    EXPECT_EQ(ShortestText(fields::kSoilSupport, 0.1f), "0.1");
    EXPECT_EQ(ShortestText(fields::kRegionalFactor, 2.25f), "2.25");
}

// Down to which soil support and up to which loading a structure meets the
// required SN.  By hand for SN 3.86 at regional factor 1.0: soil support 3.1
// needs 3.90 (3.8992), 3.2 less than 3.86; at soil support 4, ESAL 2.02 gives
// 276 loads a day, 2,014,800 in all, needing 3.8603, and ESAL 2.01 274
// (2,000,200), needing less.
TEST(Sensitivity, EachLineTellsHowFarItMeetsTheRequiredSn) {
    const DesignRecord record = Example().record;
    struct Case {
        float sn;
        const char* soilText;
        const char* soilLabel;
        const char* loadingText;
    };
    const Case cases[] = {
        {3.86f, "meets the required SN down to soil support 3.2",
         "Accepted: full-depth, SN 3.86: down to soil support 3.2",
         "meets the required SN up to a design loading of 2,000,200"},
        {7.0f, "meets the required SN at every soil support shown, down to 0.5",
         "Accepted: full-depth, SN 7.00: at every soil support shown",
         "meets the required SN at every design loading shown, up to 9,935,300"},
        {1.0f, "does not meet the required SN even at soil support 10.0",
         "Accepted: full-depth, SN 1.00: not even at soil support 10.0",
         "does not meet the required SN even at a design loading of 109,500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sn);
        const StructureLine line{"Accepted: full-depth", c.sn};
        const Sensitivity s = ComputeSensitivity(record, std::span(&line, 1));
        ASSERT_EQ(s.soil.lines.size(), 1u);
        ASSERT_EQ(s.loading.lines.size(), 1u);
        EXPECT_EQ(s.soil.lines[0].Text(true), c.soilText);
        EXPECT_EQ(s.soil.lines[0].Label(true), c.soilLabel);
        EXPECT_EQ(s.loading.lines[0].Text(false), c.loadingText);
        EXPECT_NE(s.soil.Description().find(std::string(c.soilText) + " at regional factor 1.0."), std::string::npos)
            << s.soil.Description();
        EXPECT_NE(s.loading.Description().find(c.loadingText), std::string::npos) << s.loading.Description();
    }
    const Sensitivity none = ComputeSensitivity(record, {});
    EXPECT_EQ(none.soil.Description(),
              "Required SN against soil support from 0.5 to 10.0, one curve for each regional factor: 1.0, 1.5, 2.0, "
              "2.5 and 3.0. The design, at soil support 4 and regional factor 1.0, needs SN 3.44. No structure is "
              "accepted or kept as an alternative: none is drawn across the curves.");
    EXPECT_EQ(none.loading.Description(),
              "Required SN against the design loading on a logarithmic scale, from 109,500 to 9,935,300: the ESAL per "
              "truck from 0.10 to 10.00, a tenth to ten times the design's, at soil support 4 and regional factor "
              "1.0. The design, at a design loading of 1,000,100, needs SN 3.44. No structure is accepted or "
              "kept as an alternative: none is drawn across the curves.");
}

// Points the design equation refuses have no SN: the curve breaks there, a
// line's reach stops before them, and the description counts them.  With
// 100,000 vehicles a day at 50 % trucks and 2.0 ESAL, 100,001 loads a day
// give 730,007,300; above 294,175 loads a day (ESAL 5.8835) the design
// loading no longer fits in 32 bits: from ESAL 5.90 on, 706 points.
TEST(Sensitivity, RefusedPointsLeaveAGap) {
    DesignRecord record = Example().record;
    record.initialAadt = record.finalAadt = 100'000;
    record.truckPercent = 50.0f;
    record.esal18 = 2.0f;
    const StructureLine line{"Accepted: full-depth", 20.0f};
    const Sensitivity s = ComputeSensitivity(record, std::span(&line, 1));
    ASSERT_TRUE(s.loading.designSn);
    EXPECT_EQ(s.loading.designX, 730'007'300.0);
    const SensitivityCurve& curve = s.loading.curves.at(0);
    std::size_t refused = 0;
    for (const SensitivityPoint& point : curve.points) {
        if (point.requiredSn) continue;
        ++refused;
        EXPECT_EQ(point.refusal, kLoadingTooLargeMessage);
        EXPECT_EQ(point.x, 0.0);
    }
    EXPECT_EQ(refused, 706u);
    EXPECT_EQ(At(curve, "5.88").requiredSn.has_value(), true);
    EXPECT_EQ(At(curve, "5.90").requiredSn.has_value(), false);
    EXPECT_EQ(s.loading.lines[0].met, 285u);  // ESAL 0.20 to 5.88
    EXPECT_FALSE(s.loading.lines[0].whole);
    EXPECT_NE(s.loading.Description().find("706 points have no required SN: " + std::string(kLoadingTooLargeMessage)),
              std::string::npos);

    // An ESAL no CONTINUE takes (0, -1): no value a tenth to ten times of it
    // is one a design can have, and none is drawn.
    for (float esal : {0.0f, -1.0f}) {
        SCOPED_TRACE(esal);
        record.esal18 = esal;
        const Sensitivity refused = ComputeSensitivity(record, {});
        for (const SensitivityPoint& point : refused.loading.curves.at(0).points) {
            EXPECT_FALSE(point.requiredSn);
            EXPECT_EQ(point.refusal.rfind("REPRESENTATIVE 18-KIP  E.S.A.L.: ", 0), 0u) << point.refusal;
        }
    }
}

// SENSITIVITY... on the main menu: the chart of the design as the design
// data stand, the accepted structure drawn while its acceptance is current.
class RecordingDisplay : public SensitivityDisplay {
public:
    void ShowSensitivity(const Sensitivity& sensitivity) override { shown.push_back(sensitivity); }
    std::vector<Sensitivity> shown;
};

TEST(Sensitivity, TheMainMenuShowsTheChartWithTheAcceptedStructure) {
    Harness h;
    RecordingDisplay display;
    h.StartToMainMenu();
    h.Click(ScreenId::MainMenu, MainMenu::kSensitivity);
    EXPECT_EQ(h.desktop.beeps, 1);  // no display to show it on
    h.Logic<MainMenu>(ScreenId::MainMenu).SetSensitivityDisplay(&display);

    h.Click(ScreenId::MainMenu, MainMenu::kSensitivity);
    ASSERT_EQ(display.shown.size(), 1u);
    EXPECT_TRUE(display.shown[0].soil.lines.empty());
    EXPECT_EQ(display.shown[0].soil.designSn, h.record.requiredSn);
    EXPECT_EQ(display.shown[0].loading.designX, h.record.designLoading);

    // One course of 6 in. of 12.5 mm SMA, accepted: 4.5 in. of it in the
    // top zone at 0.44 (1.98) and 1.5 in. below at 0.30 (0.45), 2.43.
    h.AcceptOneSmaCourse();
    h.program.Show(ScreenId::MainMenu);
    const DesignRecord before = h.record;
    h.Click(ScreenId::MainMenu, MainMenu::kSensitivity);
    ASSERT_EQ(display.shown.size(), 2u);
    ASSERT_EQ(display.shown[1].soil.lines.size(), 1u);
    EXPECT_EQ(display.shown[1].soil.lines[0].line.label, "Accepted: full-depth");
    EXPECT_EQ(FormatNumber(display.shown[1].soil.lines[0].line.proposedSn, "0.00"), "2.43");
    EXPECT_EQ(display.shown[1].loading.lines.size(), 1u);
    EXPECT_EQ(h.record.proposedSn, before.proposedSn);  // the chart changed nothing
    EXPECT_EQ(h.record.requiredSn, before.requiredSn);

    // Design data changed after ACCEPT: the acceptance is stale, no line.
    h.SetText(ScreenId::DesignData, DesignDataScreen::kSoilSupport, "5.0");
    h.Click(ScreenId::MainMenu, MainMenu::kSensitivity);
    ASSERT_EQ(display.shown.size(), 3u);
    EXPECT_TRUE(display.shown[2].soil.lines.empty());
}

}  // namespace
}  // namespace korvelle
