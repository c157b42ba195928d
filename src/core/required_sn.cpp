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

}  // namespace

SnStatus ComputeRequiredSn(DesignRecord& record) {
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
    float sn = Single(0.33 * std::log(static_cast<double>(designLoading)));
    float previous = sn;
    int direction = 0;  // -1 stepping down, +1 stepping up
    bool found = false;
    for (int step = 0; step < kMaxSnSearchSteps && !found; ++step) {
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
            previous = sn;
            sn += wanted > 0 ? 0.01f : -0.01f;
        }
    }
    if (!found) return SnStatus(SnError::SearchLimit);
    if (!(sn > 0.0f)) return SnStatus(SnError::NoSolution);

    record.meanAadt = meanAadt;
    record.dailyLoads = dailyLoads;
    record.designLoading = designLoading;
    record.requiredSn = sn;
    return SnStatus();
}

}  // namespace korvelle
