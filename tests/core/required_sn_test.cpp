#include "core/required_sn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "core/design_record.h"
#include "core/number_format.h"

namespace korvelle {
namespace {

// Expected structural numbers below were worked out apart from the program by
// following the single-precision steps of the search (each stored term rounded
// to a 32-bit float, the ratio taken in double); every one lies well inside
// the band so that the last bit of a logarithm cannot move it.

// A record whose traffic gives exactly `dailyLoads` 18-kip loads a day:
// every vehicle is a one-ESAL truck in the design lane, and the AADT is one
// less than the loads because one load is always added.
DesignRecord Traffic(std::int32_t dailyLoads, int years) {
    DesignRecord record;
    record.initialYear = 2000;
    record.finalYear = static_cast<std::int16_t>(2000 + years);
    record.initialAadt = dailyLoads - 1;
    record.finalAadt = dailyLoads - 1;
    record.truckPercent = 100.0f;
    record.ldf = 100.0f;
    record.esal18 = 1.0f;
    record.serviceabilityLoss = 1.7f;
    record.regionalFactor = 1.0f;
    record.soilSupport = 4.0f;
    return record;
}

std::string Shown(float sn) { return FormatNumber(sn, "0.00"); }

// Computes the design and checks its loading and its structural number, both
// as held (to within a ten-thousandth, which pins the trial value) and as shown.
::testing::AssertionResult Solves(DesignRecord record, std::int32_t loading, float sn, const std::string& shown) {
    const SnStatus status = ComputeRequiredSn(record);
    if (!status) return ::testing::AssertionFailure() << "refused, error " << static_cast<int>(status.error());
    if (record.designLoading != loading || std::fabs(record.requiredSn - sn) > 1e-4f ||
        Shown(record.requiredSn) != shown) {
        return ::testing::AssertionFailure() << "loading " << record.designLoading << ", SN " << record.requiredSn
                                             << " shown " << Shown(record.requiredSn);
    }
    return ::testing::AssertionSuccess();
}

TEST(ComputeRequiredSn, MeanAadtRoundsTiesToEven) {
    struct Case {
        std::int32_t initial, final, mean;
    };
    for (const Case& c : {Case{1000, 1003, 1002},    // 1001.5
                          Case{1001, 1004, 1002},    // 1002.5
                          Case{1000, 1004, 1002},    // no rounding
                          Case{1000, 1001, 1000},    // 1000.5
                          Case{1000, 1006, 1003}}) {  // 1003, odd
        DesignRecord record = Traffic(101, 20);
        record.initialAadt = c.initial;
        record.finalAadt = c.final;
        ASSERT_TRUE(ComputeRequiredSn(record));
        EXPECT_EQ(record.meanAadt, c.mean) << c.initial << " and " << c.final;
    }
}

TEST(ComputeRequiredSn, DailyLoadsAndDesignLoading) {
    DesignRecord record = Traffic(1, 20);
    record.initialAadt = 1000;
    record.finalAadt = 1000;
    record.ldf = 100.0f;
    record.truckPercent = 10.0f;
    record.esal18 = 1.0f;
    EXPECT_TRUE(Solves(record, 737300, 3.2785380f, "3.28"));  // 101 x 20 years x 365
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.meanAadt, 1000);
    EXPECT_EQ(record.dailyLoads, 101);  // 100 loads + 1

    // Half the trucks in the design lane, a heavier truck: 0.5 x 1000 x 0.1 x 2.5 + 1.
    record.ldf = 50.0f;
    record.esal18 = 2.5f;
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.dailyLoads, 126);
    EXPECT_EQ(record.designLoading, 126 * 20 * 365);
}

TEST(ComputeRequiredSn, OneLoadIsAlwaysAddedAndTiesGoToEven) {
    DesignRecord record = Traffic(1, 1);
    record.initialAadt = 5000;
    record.finalAadt = 5000;
    record.ldf = 0.0f;  // no trucks in the design lane at all
    record.truckPercent = 10.0f;
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.dailyLoads, 1);
    EXPECT_EQ(record.designLoading, 365);

    record.ldf = 100.0f;
    record.initialAadt = 5;
    record.finalAadt = 5;  // 0.5 loads + 1 = 1.5
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.dailyLoads, 2);

    record.initialAadt = 15;
    record.finalAadt = 15;  // 1.5 loads + 1 = 2.5
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.dailyLoads, 2);

    record.initialAadt = 17;
    record.finalAadt = 17;  // 1.7 loads + 1 = 2.7
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.dailyLoads, 3);
}

TEST(ComputeRequiredSn, TheWorkedDesigns) {
    // 137 x 20 x 365 = 1,000,100: the million-load design.  The search starts
    // at 0.33 ln W = 4.5592 and steps down by 0.01 to 3.4391.
    // The value is never re-rounded to hundredths.
    EXPECT_TRUE(Solves(Traffic(137, 20), 1000100, 3.4391396f, "3.44"));
    // 1370 x 20 x 365 = 10,001,000.
    EXPECT_TRUE(Solves(Traffic(1370, 20), 10001000, 4.9189954f, "4.92"));
    // 274 x 1 x 365 = 100,010.
    EXPECT_TRUE(Solves(Traffic(274, 1), 100010, 2.3492997f, "2.35"));
    // The largest loading that still fits 32 bits: 5,883,516 x 365.
    EXPECT_TRUE(Solves(Traffic(5883516, 1), 2147483340, 9.7409563f, "9.74"));

    DesignRecord million = Traffic(137, 20);
    ASSERT_TRUE(ComputeRequiredSn(million));
    EXPECT_EQ(million.meanAadt, 136);
    EXPECT_EQ(million.dailyLoads, 137);
}

TEST(ComputeRequiredSn, SteppingDownEndsOnTheLargestTrialAtMostTwoPercentOver) {
    // 1828 x 365 = 667,220 loads.  Trial 3.2356 carries 3.9 % too many loads,
    // 3.2256 1.994 % too many: inside the band, so the search ends there even
    // though the next trial would come nearer the design loading.
    EXPECT_TRUE(Solves(Traffic(1828, 1), 667220, 3.2255797f, "3.23"));

    // A smaller serviceability loss: 3.7291 carries 3.4 % too many, 3.7191 1.98 %.
    DesignRecord lowLoss = Traffic(137, 20);
    lowLoss.serviceabilityLoss = 1.2f;
    EXPECT_TRUE(Solves(lowLoss, 1000100, 3.7191393f, "3.72"));
}

TEST(ComputeRequiredSn, SteppingUpEndsOnTheSmallestTrialAtMostTwoPercentShort) {
    // Weak soil and a severe region put the answer above the starting value.
    // 2210 x 365 = 806,650 loads: 5.7382 carries 3.25 % too few, 5.7482 1.994 %.
    DesignRecord record = Traffic(2210, 1);
    record.soilSupport = 1.0f;
    record.regionalFactor = 3.0f;
    EXPECT_TRUE(Solves(record, 806650, 5.7482419f, "5.75"));

    DesignRecord million = Traffic(137, 20);
    million.soilSupport = 1.0f;
    million.regionalFactor = 3.0f;
    EXPECT_TRUE(Solves(million, 1000100, 5.9191828f, "5.92"));
}

TEST(ComputeRequiredSn, StrongerSoilAndMilderRegionLowerTheStructuralNumber) {
    const auto sn = [](float soil, float region, float loss) {
        DesignRecord record = Traffic(137, 20);
        record.soilSupport = soil;
        record.regionalFactor = region;
        record.serviceabilityLoss = loss;
        EXPECT_TRUE(ComputeRequiredSn(record));
        return record.requiredSn;
    };
    EXPECT_NEAR(sn(5.0f, 1.0f, 1.7f), 2.9891400f, 1e-4f);
    EXPECT_NEAR(sn(6.0f, 1.0f, 1.7f), 2.5891404f, 1e-4f);
    EXPECT_NEAR(sn(3.0f, 1.0f, 1.7f), 3.9491391f, 1e-4f);
    EXPECT_NEAR(sn(4.0f, 0.5f, 1.7f), 3.0691400f, 1e-4f);
    EXPECT_NEAR(sn(4.0f, 2.0f, 1.7f), 3.8491392f, 1e-4f);
    EXPECT_NEAR(sn(4.0f, 4.0f, 1.7f), 4.2991457f, 1e-4f);
    EXPECT_NEAR(sn(4.0f, 1.0f, 2.2f), 3.2991397f, 1e-4f);

    float previous = sn(1.0f, 1.0f, 1.7f);
    for (float soil = 1.5f; soil <= 8.0f; soil += 0.5f) {
        const float current = sn(soil, 1.0f, 1.7f);
        EXPECT_LT(current, previous) << "soil support " << soil;
        previous = current;
    }
    previous = sn(4.0f, 5.0f, 1.7f);
    for (float region : {4.0f, 3.0f, 2.0f, 1.5f, 1.0f, 0.75f, 0.5f, 0.25f}) {
        const float current = sn(4.0f, region, 1.7f);
        EXPECT_LT(current, previous) << "regional factor " << region;
        previous = current;
    }
}

TEST(ComputeRequiredSn, ATinyLoadingThatSwingsAcrossTheBandEndsOnTheLargerTrial) {
    // One load a day for a year: 0.8170 carries 2.5 % too many loads and
    // 0.7970 2.6 % too few, so the search turns and ends on 0.8070.
    EXPECT_TRUE(Solves(Traffic(1, 1), 365, 0.8069673f, "0.81"));
    EXPECT_TRUE(Solves(Traffic(2, 1), 730, 0.9457059f, "0.95"));
    EXPECT_TRUE(Solves(Traffic(5, 1), 1825, 1.1480820f, "1.15"));
}

TEST(ComputeRequiredSn, ATrialCarryingExactlyTwoPercentTooFewLoadsEndsTheSearch) {
    // 200 loads a day for a year: 73,000, and 0.98 of it is 71,540, a single
    // exactly: a loading of 49 against 50 lies on the band's lower edge.
    // With soil support 0.98360848 (every stored term a single, worked out by
    // tests/core/tools/required_sn_model.py) the search climbs from
    // 0.33 ln W = 3.6954 through 37 steps; 4.0554 carries 70,424.9 loads, 3.5 %
    // too few, and 4.0654 log W = 4.8545489, whose loading rounds to
    // 71,540 exactly.  Eight neighbouring singles of the soil support give the
    // same loading, so the case does not hang on the last bit of a logarithm.
    DesignRecord record = Traffic(200, 1);
    record.soilSupport = 0.98360848f;
    record.regionalFactor = 3.0f;
    EXPECT_TRUE(Solves(record, 73000, 4.0654120f, "4.07"));
}

TEST(ComputeRequiredSn, TheLongestSearchTheFieldsAllow) {
    // 267,432 vehicles a day, every one a 5.5-ESAL truck in the design lane:
    // 1,470,876 + 1 loads a day over 4 years, 2,147,480,420 loads, next to the
    // largest loading that fits 32 bits.  A terminal serviceability of 4.1,
    // soil support 0.5 and regional factor 3.0 make every term of the equation
    // ask for more.  The search climbs from 0.33 ln W = 7.0909 through 2740
    // steps to 34.4910, which carries 1.9 % too few loads.
    DesignRecord record = Traffic(1, 4);
    record.initialAadt = 267432;
    record.finalAadt = 267432;
    record.esal18 = 5.5f;
    record.serviceabilityLoss = static_cast<float>(4.2 - 4.1f);
    record.soilSupport = 0.5f;
    record.regionalFactor = 3.0f;
    for (SnSearch search : {SnSearch::PassSureTrials, SnSearch::EveryTrial}) {
        DesignRecord computed = record;
        ASSERT_TRUE(ComputeRequiredSn(computed, search));
        EXPECT_EQ(computed.dailyLoads, 1470877);
        EXPECT_EQ(computed.designLoading, 2147480420);
        EXPECT_NEAR(computed.requiredSn, 34.491047f, 1e-4f);
        EXPECT_EQ(Shown(computed.requiredSn), "34.49");
    }
}

// Both searches must end on the very same trial value, or fail alike.
::testing::AssertionResult SearchesAgree(const DesignRecord& record) {
    DesignRecord every = record;
    DesignRecord passing = record;
    const SnStatus a = ComputeRequiredSn(every, SnSearch::EveryTrial);
    const SnStatus b = ComputeRequiredSn(passing, SnSearch::PassSureTrials);
    if (a.error() == b.error() && std::memcmp(&every.requiredSn, &passing.requiredSn, sizeof(float)) == 0 &&
        every.designLoading == passing.designLoading) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "every trial: error " << static_cast<int>(a.error()) << " SN "
                                         << every.requiredSn << "; passing sure trials: error "
                                         << static_cast<int>(b.error()) << " SN " << passing.requiredSn;
}

TEST(ComputeRequiredSn, PassingSureTrialsEndsOnTheSameTrial) {
    // Loadings from one load a day for a year to the largest that fits, the
    // ends of every field's range and well beyond them: stepping up and down,
    // swinging across the band, no positive solution and a logarithm of a
    // non-positive number.
    const std::int32_t dailyLoads[] = {1, 2, 3, 5, 8, 13, 30, 137, 1000, 1828, 2210, 12345, 100000, 5883516};
    const float losses[] = {0.01f, static_cast<float>(4.2 - 4.1f), 0.5f, 1.7f, 2.7f, 3.5f};
    const float soils[] = {-8.0f, 0.5f, 1.0f, 3.0f, 4.0f, 7.5f, 10.0f, 14.0f};
    const float regions[] = {0.3f, 1.0f, 2.0f, 3.0f, 6.0f};
    int solved = 0;
    for (std::int32_t loads : dailyLoads) {
        for (float loss : losses) {
            for (float soil : soils) {
                for (float region : regions) {
                    DesignRecord record = Traffic(loads, 1);
                    record.serviceabilityLoss = loss;
                    record.soilSupport = soil;
                    record.regionalFactor = region;
                    EXPECT_TRUE(SearchesAgree(record)) << loads << " loads a day, loss " << loss << ", soil "
                                                       << soil << ", region " << region;
                    solved += ComputeRequiredSn(record) ? 1 : 0;
                }
            }
        }
    }
    EXPECT_GT(solved, 2000);  // most of the 3360 designs have a solution

    // Where the search runs out of trials: very weak soil puts the answer
    // ever further above the start.  Bisect to the softest soil that still
    // settles within the limit; the two searches must agree on both sides.
    DesignRecord record = Traffic(137, 20);
    const auto settles = [&record](float soil) {
        record.soilSupport = soil;
        DesignRecord computed = record;
        return ComputeRequiredSn(computed, SnSearch::EveryTrial).error() != SnError::SearchLimit;
    };
    float limited = -60.0f;
    float settled = 0.5f;
    ASSERT_FALSE(settles(limited));
    ASSERT_TRUE(settles(settled));
    while (std::nextafter(limited, settled) != settled) {
        const float middle = limited + (settled - limited) / 2.0f;
        if (middle == limited || middle == settled) break;
        (settles(middle) ? settled : limited) = middle;
    }
    for (float soil : {limited, settled}) {
        record.soilSupport = soil;
        EXPECT_TRUE(SearchesAgree(record)) << "soil " << soil;
    }
    record.soilSupport = settled;
    ASSERT_TRUE(ComputeRequiredSn(record));
    // The last trial allowed lies 19,999 steps above the start.
    EXPECT_NEAR(record.requiredSn - 0.33f * std::log(1000100.0f), 199.99f, 0.5f);
}

// The four results before a refused computation, to see that none was touched.
void SetEarlierResults(DesignRecord& record) {
    record.meanAadt = 1111;
    record.dailyLoads = 222;
    record.designLoading = 3333;
    record.requiredSn = 4.44f;
}

void ExpectEarlierResults(const DesignRecord& record) {
    EXPECT_EQ(record.meanAadt, 1111);
    EXPECT_EQ(record.dailyLoads, 222);
    EXPECT_EQ(record.designLoading, 3333);
    EXPECT_EQ(record.requiredSn, 4.44f);
}

void ExpectRefused(DesignRecord record, SnError expected) {
    SetEarlierResults(record);
    const SnStatus status = ComputeRequiredSn(record);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.error(), expected);
    ExpectEarlierResults(record);
}

TEST(ComputeRequiredSn, ALoadingFarAboveTheBandThatRisesBeyondASingleIsRefusedByBothSearches) {
    // 137 loads a day for a year (50,005), a serviceability loss of 0.01 and
    // soil support 97.  With so small a loss Gt = -2.43, and the loading rises
    // as the SN falls: the search starts at 3.5706 with log W = 37.947 and
    // steps down, and 2.8106 (the 77th trial) has log W = 38.536, beyond the
    // largest single (10^38.532).  No trial may be stepped over unworked that
    // far above the band (tests/core/tools/required_sn_model.py).
    DesignRecord record = Traffic(137, 1);
    record.serviceabilityLoss = 0.01f;
    record.soilSupport = 97.0f;
    for (SnSearch search : {SnSearch::PassSureTrials, SnSearch::EveryTrial}) {
        DesignRecord computed = record;
        SetEarlierResults(computed);
        EXPECT_EQ(ComputeRequiredSn(computed, search).error(), SnError::NotFinite) << static_cast<int>(search);
        ExpectEarlierResults(computed);
    }
}

TEST(ComputeRequiredSn, RefusesADesignPeriodThatIsNotPositive) {
    DesignRecord record = Traffic(137, 0);
    ExpectRefused(record, SnError::DesignPeriodNotPositive);
    record.finalYear = 1990;
    ExpectRefused(record, SnError::DesignPeriodNotPositive);
}

TEST(ComputeRequiredSn, RefusesARegionalFactorOrServiceabilityLossThatIsNotPositive) {
    DesignRecord record = Traffic(137, 20);
    record.regionalFactor = 0.0f;
    ExpectRefused(record, SnError::RegionalFactorNotPositive);
    record.regionalFactor = -1.0f;
    ExpectRefused(record, SnError::RegionalFactorNotPositive);

    record = Traffic(137, 20);
    record.serviceabilityLoss = 0.0f;  // terminal serviceability 4.2
    ExpectRefused(record, SnError::ServiceabilityLossNotPositive);
    record.serviceabilityLoss = -0.3f;
    ExpectRefused(record, SnError::ServiceabilityLossNotPositive);
}

TEST(ComputeRequiredSn, RefusesTrafficBeyondThirtyTwoBits) {
    // Mean AADT: the sum of the two AADTs does not fit.
    DesignRecord record = Traffic(137, 20);
    record.initialAadt = 2000000000;
    record.finalAadt = 2000000000;
    ExpectRefused(record, SnError::TrafficOverflow);
    record.initialAadt = std::numeric_limits<std::int32_t>::max();
    record.finalAadt = 1;
    ExpectRefused(record, SnError::TrafficOverflow);

    // Daily loads: 1,000,000,000 trucks of 5.5 ESAL.
    record = Traffic(137, 20);
    record.initialAadt = 1000000000;
    record.finalAadt = 1000000000;
    record.esal18 = 5.5f;
    ExpectRefused(record, SnError::TrafficOverflow);

    // Design loading: 1,650,001 loads a day x 20 years x 365 = 12,045,007,300.
    record = Traffic(137, 20);
    record.initialAadt = 300000;
    record.finalAadt = 300000;
    record.esal18 = 5.5f;
    ExpectRefused(record, SnError::TrafficOverflow);

    // One day's loads more than the largest loading that fits.
    ExpectRefused(Traffic(5883517, 1), SnError::TrafficOverflow);
}

// The heaviest traffic the fields take: 300,000 vehicles a day at both ends,
// all of them trucks in the design lane at 5.5 ESAL: 1,650,001 loads a day.
// Over the longest period the years allow, 1972 to 2100, the loading is
// 1,650,001 x 128 x 365 = 77,088,046,720, far beyond 32 bits; four years
// (2,409,001,460) still do not fit, three (1,806,751,095) do.
TEST(ComputeRequiredSn, HeaviestTrafficOverTheLongestAndTheLongestFittingPeriod) {
    DesignRecord record = Traffic(137, 20);
    record.initialAadt = 300000;
    record.finalAadt = 300000;
    record.esal18 = 5.5f;
    record.initialYear = 1972;
    record.finalYear = 2100;
    ExpectRefused(record, SnError::TrafficOverflow);
    record.initialYear = 2000;
    record.finalYear = 2004;
    ExpectRefused(record, SnError::TrafficOverflow);
    record.finalYear = 2003;
    EXPECT_TRUE(Solves(record, 1806751095, 9.5439f, "9.54"));
    ComputeRequiredSn(record);
    EXPECT_EQ(record.meanAadt, 300000);
    EXPECT_EQ(record.dailyLoads, 1650001);
}

TEST(ComputeRequiredSn, RefusesAPeriodBeyondSixteenBits) {
    DesignRecord record = Traffic(1, 1);
    record.initialYear = -30000;
    record.finalYear = 30000;  // 60,000 years does not fit a year number
    SetEarlierResults(record);
    EXPECT_FALSE(ComputeRequiredSn(record));
    ExpectEarlierResults(record);
}

TEST(ComputeRequiredSn, RefusesALoadingThatIsNotPositive) {
    DesignRecord record = Traffic(137, 20);
    record.initialAadt = 1000;
    record.finalAadt = 1000;
    record.esal18 = -5.0f;  // -5000 + 1 loads a day
    ExpectRefused(record, SnError::LoadingNotPositive);
}

TEST(ComputeRequiredSn, RefusesAStructuralNumberThatIsNotPositive) {
    // On very strong soil a year of one load a day would need an SN of -0.13.
    DesignRecord record = Traffic(1, 1);
    record.soilSupport = 12.0f;
    ExpectRefused(record, SnError::NoSolution);
}

TEST(ComputeRequiredSn, RefusesInputsThatAreNotFinite) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<const char*, float DesignRecord::*> inputs[] = {
        {"truck percent", &DesignRecord::truckPercent},
        {"lane distribution factor", &DesignRecord::ldf},
        {"ESAL per truck", &DesignRecord::esal18},
        {"serviceability loss", &DesignRecord::serviceabilityLoss},
        {"soil support", &DesignRecord::soilSupport},
        {"regional factor", &DesignRecord::regionalFactor}};
    for (const auto& [name, input] : inputs) {
        for (float value : {std::numeric_limits<float>::quiet_NaN(), inf, -inf}) {
            SCOPED_TRACE(testing::Message() << name << " " << value);
            DesignRecord record = Traffic(137, 20);
            record.*input = value;
            ExpectRefused(record, SnError::NotFinite);
        }
    }
}

TEST(ComputeRequiredSn, ANewComputationReplacesEveryResult) {
    DesignRecord record = Traffic(137, 20);
    SetEarlierResults(record);
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(record.meanAadt, 136);
    EXPECT_EQ(record.dailyLoads, 137);
    EXPECT_EQ(record.designLoading, 1000100);
    EXPECT_EQ(Shown(record.requiredSn), "3.44");

    // Editing the design data and computing again.
    record.soilSupport = 5.0f;
    ASSERT_TRUE(ComputeRequiredSn(record));
    EXPECT_EQ(Shown(record.requiredSn), "2.99");
    EXPECT_EQ(record.designLoading, 1000100);
}

}  // namespace
}  // namespace korvelle
