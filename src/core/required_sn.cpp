#include "required_sn.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "number_text.h"

namespace korvelle {

namespace {

bool FitsInt32(double value) {
    return value >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
           value <= static_cast<double>(std::numeric_limits<std::int32_t>::max());
}

float Single(double value) { return static_cast<float>(value); }

// Years of the design period, a 16-bit difference.
int DesignPeriod(const DesignRecord& record) { return record.finalYear - record.initialYear; }

// Whether the design data can go into the design equation at all.
SnError CheckDesignData(const DesignRecord& record) {
    for (float input : {record.truckPercent, record.ldf, record.esal18, record.serviceabilityLoss,
                        record.soilSupport, record.regionalFactor}) {
        if (!std::isfinite(input)) return SnError::NotFinite;
    }
    const int period = DesignPeriod(record);
    if (period <= 0) return SnError::DesignPeriodNotPositive;
    if (period > std::numeric_limits<std::int16_t>::max()) return SnError::TrafficOverflow;
    if (!(record.regionalFactor > 0.0f)) return SnError::RegionalFactorNotPositive;
    if (!(record.serviceabilityLoss > 0.0f)) return SnError::ServiceabilityLossNotPositive;
    return SnError::None;
}

// The traffic of the design period, each figure within 32 bits.
struct DesignTraffic {
    std::int32_t meanAadt = 0;       // one way, over the design period
    std::int32_t dailyLoads = 0;     // 18-kip loads per day in the design lane
    std::int32_t designLoading = 0;  // 18-kip loads over the design period
};

SnError ComputeDesignTraffic(const DesignRecord& record, DesignTraffic& traffic) {
    // Mean one-way AADT of the design period.
    std::int32_t aadtSum = 0;
    if (__builtin_add_overflow(record.initialAadt, record.finalAadt, &aadtSum)) return SnError::TrafficOverflow;
    const auto meanAadt = static_cast<std::int32_t>(RoundHalfEven(aadtSum / 2.0));

    // 18-kip loads per day in the design lane; the 1 is always added.
    const double loads = (record.ldf / 100.0) * meanAadt * (record.truckPercent / 100.0) * record.esal18 + 1.0;
    const double roundedLoads = RoundHalfEven(loads);
    if (!FitsInt32(roundedLoads)) return SnError::TrafficOverflow;
    const auto dailyLoads = static_cast<std::int32_t>(roundedLoads);

    const auto period = static_cast<std::int32_t>(DesignPeriod(record));
    std::int32_t perYear = 0;
    std::int32_t designLoading = 0;
    if (__builtin_mul_overflow(dailyLoads, period, &perYear) ||
        __builtin_mul_overflow(perYear, std::int32_t{365}, &designLoading)) {
        return SnError::TrafficOverflow;
    }
    if (designLoading <= 0) return SnError::LoadingNotPositive;
    traffic = {meanAadt, dailyLoads, designLoading};
    return SnError::None;
}

// The terms of the design equation that do not change with the trial SN,
// each held as a single: Gt of the serviceability loss, and the terms of the
// regional factor and of the soil support.
struct FixedTerms {
    float l10 = 0.0f;  // ln 10
    float gt = 0.0f;
    float rt = 0.0f;
    float st = 0.0f;
};

std::optional<FixedTerms> ComputeFixedTerms(const DesignRecord& record) {
    FixedTerms terms;
    terms.l10 = Single(std::log(10.0));
    terms.gt = Single(std::log(record.serviceabilityLoss / 2.7) / terms.l10);
    terms.rt = Single(std::log(1.0 / record.regionalFactor) / terms.l10);
    terms.st = Single((record.soilSupport - 3.0) * 0.372);
    if (!std::isfinite(terms.gt) || !std::isfinite(terms.rt) || !std::isfinite(terms.st)) return std::nullopt;
    return terms;
}

// The loading a trial SN carries by the design equation, each term held as
// a single: I = 9.36 log(SN + 1) - 0.2, B = 1094 / (SN + 1)^5.19 + 0.4,
// log W = Gt / B + I + Rt + St.
struct TrialLoading {
    float i = 0.0f;
    float logW = 0.0f;
    float w = 0.0f;
    bool finite = false;  // every term a finite number
};

TrialLoading LoadingCarried(float sn, const FixedTerms& terms) {
    TrialLoading trial;
    trial.i = Single(std::log(sn + 1.0) * 9.36 / terms.l10 - 0.2);
    const float b = Single(1094.0 / std::pow(sn + 1.0, 5.19) + 0.4);
    trial.logW = Single(static_cast<double>(terms.gt) / b + trial.i + terms.rt + terms.st);
    trial.w = Single(std::pow(10.0, static_cast<double>(trial.logW)));
    trial.finite = std::isfinite(trial.i) && std::isfinite(b) && std::isfinite(trial.logW) && std::isfinite(trial.w);
    return trial;
}

// The band a trial's loading must fall in: within 2 % of the design
// loading, at most 2 % over and at least 2 % short.
class LoadingBand {
public:
    explicit LoadingBand(std::int32_t designLoading)
        : designLoading_(designLoading),
          logLowEdge_(std::log10(0.98 * designLoading)),
          logHighEdge_(std::log10(1.02 * designLoading)) {}

    // Which way the next trial goes from a trial carrying the loading `w`:
    // -1 down (too many loads), +1 up (too few), 0 none (within the band).
    int StepToward(float w) const {
        const double ratio = static_cast<double>(w) / designLoading_;
        return ratio > 1.02 ? -1 : (ratio >= 0.98 ? 0 : 1);
    }
    // The logarithm of the edge a search going in `direction` comes to.
    double LogEdgeAhead(int direction) const { return direction > 0 ? logLowEdge_ : logHighEdge_; }

private:
    std::int32_t designLoading_;
    double logLowEdge_;
    double logHighEdge_;
};

// How far from a trial SN the search may step without working the design
// equation out, because every trial value within that reach carries a
// loading outside the band on the same side as the trial itself.
struct SureReach {
    double reach = -1.0;       // in SN; negative: not even the next trial
    double lowestBase = 0.0;   // and no trial with SN + 1 below this
};

// `trial` is what the trial `sn` carries, and `edge` the logarithm of the
// band's edge on the trial's side.
//
// With x = SN + 1 and u = 1094 / x^5.19, the equation's slope is
// 4.065 / x + Gt * 5.19 u / (x (u + 0.4)^2), and u / (u + 0.4)^2 is at most
// 0.625, so |slope| <= (4.07 + 3.25 |Gt|) / x.  Single-precision rounding of
// I, B, log W and W moves log W by less than 3 parts in 10^7 of the terms'
// magnitudes; the margin kept, 10^-5 of them, is over thirty times that.
// Only trials of SN 0 or more look ahead, and a downward search no further
// than where SN + 1 halves, which keeps B, log W and W finite on every trial
// passed over.
SureReach SureSameSide(float sn, int direction, const TrialLoading& trial, double edge, const FixedTerms& terms) {
    const double i = trial.i;
    const double logW = trial.logW;
    const double gt = terms.gt;
    SureReach sure;
    if (!(sn >= 0.0f)) return sure;
    const double distance = direction > 0 ? edge - logW : logW - edge;
    if (!(distance > 0.0)) return sure;
    // Far above the band the loadings passed over could leave the range of a single.
    if (direction < 0 && logW + distance > 30.0) return sure;
    const double base = sn + 1.0;
    sure.lowestBase = direction > 0 ? base : base / 2.0;
    const double slope = (4.07 + 3.25 * std::fabs(gt)) / sure.lowestBase;
    const double margin = 1e-5 * (1.0 + std::fabs(i) + 2.5 * std::fabs(gt) + std::fabs(terms.rt) + std::fabs(terms.st) +
                                  std::fabs(logW) + 2.0 * distance);
    sure.reach = (distance - margin) / slope;
    return sure;
}

// Where the search stands: the trial SN to work out next, the one before it
// and the trials taken so far.
struct SearchPosition {
    float sn = 0.0f;
    float previous = 0.0f;
    int trials = 0;
};

// Steps over the trials that certainly lie outside the band on the same side
// as the trial `worked` just worked out, one 0.01 at a time as the plain
// search would, so that every trial value stays the same.
void StepOverSureTrials(SearchPosition& at, float worked, float step, const SureReach& sure) {
    while (at.trials < kMaxSnSearchSteps && std::fabs(static_cast<double>(at.sn) - worked) <= sure.reach &&
           at.sn + 1.0 >= sure.lowestBase) {
        ++at.trials;
        at.previous = at.sn;
        at.sn += step;
    }
}

// Step the trial SN by 0.01 from 0.33 ln W until the loading it carries lies
// within the band.  For very small loadings one step can jump across the
// whole band; the search then stops on the larger of the two trial values
// that straddle it.
//
// A trial whose loading lies far outside the band shows how many of the next
// trials must lie outside it on the same side: the common logarithm of the
// loading changes with the SN no faster than a known bound, and
// single-precision rounding moves it by far less than the margin kept.
// Those trials are only stepped over (StepOverSureTrials); with
// SnSearch::EveryTrial each one is worked out in full.
SnError SearchRequiredSn(const FixedTerms& terms, std::int32_t designLoading, SnSearch search, float& requiredSn) {
    const LoadingBand band(designLoading);
    SearchPosition at;
    at.sn = Single(0.33 * std::log(static_cast<double>(designLoading)));
    at.previous = at.sn;
    int direction = 0;  // -1 stepping down, +1 stepping up
    for (;;) {
        if (at.trials == kMaxSnSearchSteps) return SnError::SearchLimit;
        ++at.trials;
        if (!(at.sn + 1.0f > 0.0f)) return SnError::NotFinite;
        const TrialLoading trial = LoadingCarried(at.sn, terms);
        if (!trial.finite) return SnError::NotFinite;
        const int wanted = band.StepToward(trial.w);
        if (wanted == 0) break;
        if (direction != 0 && wanted != direction) {
            // The last step jumped across the band: stop on the larger value.
            at.sn = std::max(at.sn, at.previous);
            break;
        }
        direction = wanted;
        const float step = wanted > 0 ? 0.01f : -0.01f;
        const float worked = at.sn;
        at.previous = at.sn;
        at.sn += step;
        if (search == SnSearch::PassSureTrials) {
            StepOverSureTrials(at, worked, step,
                               SureSameSide(worked, direction, trial, band.LogEdgeAhead(direction), terms));
        }
    }
    if (!(at.sn > 0.0f)) return SnError::NoSolution;
    requiredSn = at.sn;
    return SnError::None;
}

}  // namespace

SnStatus ComputeRequiredSn(DesignRecord& record, SnSearch search) {
    if (const SnError error = CheckDesignData(record); error != SnError::None) return SnStatus(error);
    DesignTraffic traffic;
    if (const SnError error = ComputeDesignTraffic(record, traffic); error != SnError::None) return SnStatus(error);
    const std::optional<FixedTerms> terms = ComputeFixedTerms(record);
    if (!terms) return SnStatus(SnError::NotFinite);
    float requiredSn = 0.0f;
    if (const SnError error = SearchRequiredSn(*terms, traffic.designLoading, search, requiredSn);
        error != SnError::None) {
        return SnStatus(error);
    }

    record.meanAadt = traffic.meanAadt;
    record.dailyLoads = traffic.dailyLoads;
    record.designLoading = traffic.designLoading;
    record.requiredSn = requiredSn;
    return SnStatus();
}

}  // namespace korvelle
