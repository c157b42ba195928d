#pragma once

#include "design_record.h"

namespace korvelle {

// Why the design traffic or the required structural number could not be
// computed.  The design equation is undefined on these inputs.
enum class SnError {
    None,
    DesignPeriodNotPositive,        // final year not after the initial year
    RegionalFactorNotPositive,
    ServiceabilityLossNotPositive,  // terminal serviceability of 4.2 or more
    TrafficOverflow,                // mean AADT, daily loads or design loading beyond 32 bits
    LoadingNotPositive,             // no 18-kip loads over the design period
    NotFinite,                      // an input or intermediate value is not a finite number
    NoSolution,                     // the search found no positive structural number
    SearchLimit,                    // the search did not settle within kMaxSnSearchSteps
};

class SnStatus {
public:
    SnStatus() = default;
    explicit SnStatus(SnError error) : error_(error) {}
    explicit operator bool() const { return error_ == SnError::None; }
    SnError error() const { return error_; }

private:
    SnError error_ = SnError::None;
};

// How the search for the required SN goes.  Both give the same result.
enum class SnSearch {
    PassSureTrials,  // steps over trials that certainly lie on the same side of the band
    EveryTrial,      // works the design equation out for every trial
};

// The serviceability lost over the design period: from 4.2, a new pavement,
// down to the terminal index.  Stored in the record beside the index.
inline float ServiceabilityLoss(float terminalServiceability) {
    return static_cast<float>(4.2 - terminalServiceability);
}
// Whether a terminal index leaves serviceability to lose.  Compared in single
// precision: 4.2 typed is refused, though its single value lies just below
// 4.2 and would leave a loss of 2e-7.
inline bool LeavesServiceabilityToLose(float terminalServiceability) { return terminalServiceability < 4.2f; }

// Computes the mean AADT, the daily 18-kip loads in the design lane, the
// design-period loading and the required structural number by the 1972
// flexible-pavement design equation, from the traffic and design data in the
// record.  On failure nothing in the record changes.
SnStatus ComputeRequiredSn(DesignRecord& record, SnSearch search = SnSearch::PassSureTrials);

// The search for the required SN gives up after this many trials, each 0.01
// from the last.
inline constexpr int kMaxSnSearchSteps = 20000;

}  // namespace korvelle
