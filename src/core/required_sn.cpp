#include "required_sn.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "number_text.h"

namespace korvelle {

namespace {

bool FitsInt32(double value) {
    return value >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
           value <= static_cast<double>(std::numeric_limits<std::int32_t>::max());
}

float Single(double value) { return static_cast<float>(value); }

// How far from a trial SN the search may step without working the design
// equation out, because every trial value within that reach carries a
// loading outside the band on the same side as the trial itself.
struct SureReach {
    double reach = -1.0;       // in SN; negative: not even the next trial
    double lowestBase = 0.0;   // and no trial with SN + 1 below this
};

// `logW` is the trial's common logarithm of the loading, `i` its term
// 9.36 log(SN + 1) - 0.2, and `edge` the logarithm of the band's edge on the
// trial's side.
//
// With x = SN + 1 and u = 1094 / x^5.19, the equation's slope is
// 4.065 / x + Gt * 5.19 u / (x (u + 0.4)^2), and u / (u + 0.4)^2 is at most
// 0.625, so |slope| <= (4.07 + 3.25 |Gt|) / x.  Single-precision rounding of
// I, B, log W and W moves log W by less than 3 parts in 10^7 of the terms'
// magnitudes; the margin kept, 10^-5 of them, is over thirty times that.
// Only trials of SN 0 or more look ahead, and a downward search no further
// than where SN + 1 halves, which keeps B, log W and W finite on every trial
// passed over.
SureReach SureSameSide(float sn, int direction, float i, float logW, double edge, float gt, float rt, float st) {
    SureReach sure;
    if (!(sn >= 0.0f)) return sure;
    const double distance = direction > 0 ? edge - logW : logW - edge;
    if (!(distance > 0.0)) return sure;
    // Far above the band the loadings passed over could leave the range of a single.
    if (direction < 0 && logW + distance > 30.0) return sure;
    const double base = sn + 1.0;
    sure.lowestBase = direction > 0 ? base : base / 2.0;
    const double slope = (4.07 + 3.25 * std::fabs(gt)) / sure.lowestBase;
    const double margin = 1e-5 * (1.0 + std::fabs(i) + 2.5 * std::fabs(gt) + std::fabs(rt) + std::fabs(st) +
                                  std::fabs(logW) + 2.0 * distance);
    sure.reach = (distance - margin) / slope;
    return sure;
}

}  // namespace

SnStatus ComputeRequiredSn(DesignRecord& record, SnSearch search) {
    for (float input : {record.truckPercent, record.ldf, record.esal18, record.serviceabilityLoss,
                        record.soilSupport, record.regionalFactor}) {
        if (!std::isfinite(input)) return SnStatus(SnError::NotFinite);
    }
    int period = record.finalYear - record.initialYear;  // a 16-bit difference
    if (period <= 0) return SnStatus(SnError::DesignPeriodNotPositive);
    if (period > std::numeric_limits<std::int16_t>::max()) return SnStatus(SnError::TrafficOverflow);
    if (!(record.regionalFactor > 0.0f)) return SnStatus(SnError::RegionalFactorNotPositive);
    if (!(record.serviceabilityLoss > 0.0f)) return SnStatus(SnError::ServiceabilityLossNotPositive);

    // Mean one-way AADT of the design period.
    std::int32_t aadtSum = 0;
    if (__builtin_add_overflow(record.initialAadt, record.finalAadt, &aadtSum)) {
        return SnStatus(SnError::TrafficOverflow);
    }
    const auto meanAadt = static_cast<std::int32_t>(RoundHalfEven(aadtSum / 2.0));

    // 18-kip loads per day in the design lane; the 1 is always added.
    const double loads = (record.ldf / 100.0) * meanAadt * (record.truckPercent / 100.0) * record.esal18 + 1.0;
    const double roundedLoads = RoundHalfEven(loads);
    if (!FitsInt32(roundedLoads)) return SnStatus(SnError::TrafficOverflow);
    const auto dailyLoads = static_cast<std::int32_t>(roundedLoads);

    std::int32_t perYear = 0;
    std::int32_t designLoading = 0;
    if (__builtin_mul_overflow(dailyLoads, static_cast<std::int32_t>(period), &perYear) ||
        __builtin_mul_overflow(perYear, std::int32_t{365}, &designLoading)) {
        return SnStatus(SnError::TrafficOverflow);
    }
    if (designLoading <= 0) return SnStatus(SnError::LoadingNotPositive);

    // Fixed terms of the design equation, each held as a single.
    const float l10 = Single(std::log(10.0));
    const float gt = Single(std::log(record.serviceabilityLoss / 2.7) / l10);
    const float rt = Single(std::log(1.0 / record.regionalFactor) / l10);
    const float st = Single((record.soilSupport - 3.0) * 0.372);
    if (!std::isfinite(gt) || !std::isfinite(rt) || !std::isfinite(st)) return SnStatus(SnError::NotFinite);

    // Step the trial SN by 0.01 from 0.33 ln W until the loading it carries
    // lies within 2 % of the design loading.  For very small loadings one
    // step can jump across the whole band; the search then stops on the
    // larger of the two trial values that straddle it.
    //
    // A trial whose loading lies far outside the band shows how many of the
    // next trials must lie outside it on the same side: the common logarithm
    // of the loading changes with the SN no faster than a known bound, and
    // single-precision rounding moves it by far less than the margin kept.
    // Those trials are only stepped over, one 0.01 at a time as before, so
    // every trial value and the trial the search ends on stay the same; with
    // SnSearch::EveryTrial each one is worked out in full.
    const double lowEdge = std::log10(0.98 * designLoading);
    const double highEdge = std::log10(1.02 * designLoading);
    float sn = Single(0.33 * std::log(static_cast<double>(designLoading)));
    float previous = sn;
    int direction = 0;  // -1 stepping down, +1 stepping up
    bool found = false;
    int trials = 0;
    while (!found) {
        if (trials == kMaxSnSearchSteps) return SnStatus(SnError::SearchLimit);
        ++trials;
        if (!(sn + 1.0f > 0.0f)) return SnStatus(SnError::NotFinite);
        const float i = Single(std::log(sn + 1.0) * 9.36 / l10 - 0.2);
        const float b = Single(1094.0 / std::pow(sn + 1.0, 5.19) + 0.4);
        const float logW = Single(static_cast<double>(gt) / b + i + rt + st);
        const float w = Single(std::pow(10.0, static_cast<double>(logW)));
        if (!std::isfinite(i) || !std::isfinite(b) || !std::isfinite(logW) || !std::isfinite(w)) {
            return SnStatus(SnError::NotFinite);
        }
        const double ratio = static_cast<double>(w) / designLoading;
        const int wanted = ratio > 1.02 ? -1 : (ratio >= 0.98 ? 0 : 1);
        if (wanted == 0) {
            found = true;
        } else if (direction != 0 && wanted != direction) {
            // The last step jumped across the band: stop on the larger value.
            sn = std::max(sn, previous);
            found = true;
        } else {
            direction = wanted;
            const float step = wanted > 0 ? 0.01f : -0.01f;
            const float worked = sn;
            previous = sn;
            sn += step;
            if (search == SnSearch::EveryTrial) continue;
            const SureReach sure = SureSameSide(worked, direction, i, logW, direction > 0 ? lowEdge : highEdge,
                                                gt, rt, st);
            while (trials < kMaxSnSearchSteps && std::fabs(static_cast<double>(sn) - worked) <= sure.reach &&
                   sn + 1.0 >= sure.lowestBase) {
                ++trials;
                previous = sn;
                sn += step;
            }
        }
    }
    if (!(sn > 0.0f)) return SnStatus(SnError::NoSolution);

    record.meanAadt = meanAadt;
    record.dailyLoads = dailyLoads;
    record.designLoading = designLoading;
    record.requiredSn = sn;
    return SnStatus();
}

}  // namespace korvelle
