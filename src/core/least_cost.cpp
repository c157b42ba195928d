#include "least_cost.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "materials.h"
#include "quarter_inches.h"
#include "thickness_fit.h"

namespace korvelle {

// How the search finds the optimum, and why it cannot miss it.
//
// Order.  The sized courses lie together, top down, between a spread-rate
// course and the existing courses.  The search sizes them in that order, each
// from its least thickness up, so it meets the structures in the order of
// their thicknesses, course 1 first; it keeps a structure only when its cost
// is less than the best so far, or equal with less total thickness.  So of
// structures equal in both, the first kept has the thinnest course 1, then
// course 2: the answer asked for.  A step is passed over only when no
// structure under it can be kept, by one of the bounds below.  Only the
// evaluation itself (ProposedSn) decides that a structure meets the SN.
//
// Bound 1, on the unrounded value.  Write V for the sum over the courses of
// coefficient x inches, asphalt inside the top zone at 0.44 and below it at
// 0.30, worked out exactly.  The evaluation rounds every shown value and sums
// them in single precision, so its proposed SN lies within
// kMostEvaluationError of V; the search allows a little more, E, for working
// V out in doubles.  So a structure whose V is below R - E cannot meet the
// required SN R.  V is near linear: each course counts its coefficient below
// the zone (0.30 for a mix, its own for a base or an existing course), and
// its asphalt inside the zone 0.14 more; below the courses sized so far the
// zone has room for at most max(0, L - depth) inches.  So every structure
// under a step has V <= V(courses above, exactly) + the courses below at
// their coefficients below the zone + V(existing courses at theirs) + 0.14
// room, and it can meet R only if the sized courses below give, at their
// coefficients below the zone, at least R - E minus the rest.  No
// thicknesses within their ranges that give as much cost less (or are
// thinner) than the fractional knapsack over those courses: each filled in
// turn by cost per unit of value (or value per inch) from its least
// thickness up.  When that least cost and thickness are no better than the
// best, the step is passed over.
//
// Bound 2, on the shown values.  Once the courses sized lie past the bottom
// of the zone (their bottom, summed in single precision as the evaluation
// sums it, lies below the zone's), the zone no longer changes: every course
// below shows its own thickness times its coefficient below the zone,
// rounded as shown (ValueBelowZoneHundredths), and every other course shows
// what it shows now (ShownValueHundredths).  The shown values are whole
// hundredths and their single-precision sum lies within kMostSumError of
// their exact sum, so the SN can reach R only if they sum to at least
// 100 (R - kMostSumError) hundredths.  The least cost (then thickness) of
// thicknesses of the courses below that show what is missing is found
// exactly, course by course over the hundredths still needed (LeastShowing);
// a step that cannot be better with it is passed over.  This bound has no
// slack but the sum's, so among courses of equal price for their value,
// where the structures' costs tie in great numbers, it passes over all but
// the first.
//
// Growing thicknesses.  As a course grows, the cost and thickness of every
// structure above a step only grow, so once they, with the courses below at
// their least, are no better than the best, no thicker course can be either.
// The courses below can make up more value the thicker a course is (a base
// adds at least 0.16 per inch and takes at most 0.14 of zone room), so the
// thinnest course with which bound 1 can still be met is found by halving.
// The last sized course is sized directly: with every other thickness
// known, V grows with it (at least 0.30 - 0.14 per inch, the existing
// asphalt it pushes out of the zone) and so do the shown values below the
// zone, so no thickness below the first to reach R - E, or to show the
// hundredths needed, meets R.  From there the evaluation is tried quarter
// inch by quarter inch until it meets R, which happens within the few
// quarter inches V takes to grow by 2E, or until the cost passes the best.
//
// Wide ranges cost little: the bounds keep the search near the structures
// that just meet R, so 0.25 to 1000 in. costs about what a narrow range
// around the answer costs.

namespace {

// A little more than the most an evaluation lies from V, for V being worked
// out in doubles from decimal coefficients.
constexpr double kBoundError = kMostEvaluationError + 1e-4;
constexpr double kZoneGain = kUpperAsphaltCoefficient - kLowerAsphaltCoefficient;
// V counted in hundredths of a coefficient x quarter inches: 1/400 SN.
constexpr double kUnitsPerSn = 100.0 * kQuarterInchesPerInch;

// A row the search sizes.
struct SizedCourse {
    int row = 0;
    const UnitCost* cost = nullptr;
    int least = 0;
    int greatest = 0;
    int hundredths = 0;  // coefficient below the top zone, in hundredths
    bool mix = false;    // asphalt: 0.44 inside the zone
    MaterialList list = MaterialList::FullDepth;
    std::int16_t material = 0;
    double Below() const { return hundredths / 100.0; }
};

struct Bound {
    QuarterCents cost = 0;
    std::int64_t thickness = 0;  // quarter inches
};

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a <= 0 ? 0 : (a + b - 1) / b; }

// The least whole number not below a value, kept far inside the range of
// the type: a required SN no structure can show still needs more than any
// structure has.
std::int64_t WholeAtLeast(double value) {
    constexpr double kFar = 1e15;
    return static_cast<std::int64_t>(std::ceil(std::clamp(value, -kFar, kFar)));
}

int Hundredths(double coefficient) { return static_cast<int>(std::lround(coefficient * 100.0)); }

class Search {
public:
    Search(StructureLayout layout, std::vector<SizedCourse> sized, float requiredSn, QuarterCents fixedCost)
        : layout_(std::move(layout)), sized_(std::move(sized)), required_(requiredSn), fixedCost_(fixedCost) {
        ReadTheFixedCourses();
        PrepareTheBounds();
        // The least sum of shown values, in hundredths, whose single-precision
        // sum can reach R.
        neededHundredths_ = WholeAtLeast(100.0 * (required_ - kMostSumError) - 1e-9);
    }

    // The best structure's thicknesses, in the order of the sized courses;
    // nothing when none meets the SN.
    std::optional<std::vector<int>> Run() {
        quarterInches_.assign(sized_.size(), 0);
        if (sized_.empty()) {
            if (Meets()) Keep(fixedCost_, 0);
        } else {
            StartFromAGoodStructure();
            // The zone reaches below a spread-rate course above the sized ones.
            Size(0, headBottom_, headDepth_, 0.0, fixedCost_, 0, std::nullopt);
        }
        if (!found_) return std::nullopt;
        return best_;
    }

    std::int64_t evaluations() const { return evaluations_; }

private:
    // The spread-rate course above the sized ones, the existing courses below
    // them, and the zone.
    void ReadTheFixedCourses() {
        headBottom_ = 0.0f;
        zoneBottom_ = kTopZoneInches;
        if (!layout_.overlay && IsSpreadRate(MaterialList::FullDepth, layout_.material[0])) {
            // A full-depth OGFC or PEM counts in the depth, as the evaluation
            // reads it; an overlay's counts as 0.
            headBottom_ = 0.0f + layout_.inches[0];
            zoneBottom_ = layout_.inches[0] + kTopZoneInches;
        }
        headDepth_ = headBottom_;
        zoneDepth_ = zoneBottom_;
        if (!layout_.overlay) return;
        for (int k = 0; k < kOverlayScreenRows - kOverlayCourseRows; ++k) {
            const std::int16_t m = layout_.material[static_cast<std::size_t>(kOverlayCourseRows + k)];
            if (m < existing::kConcreteGood || m > existing::kSandClayBase) break;
            const double inches = layout_.inches[static_cast<std::size_t>(kOverlayCourseRows + k)];
            if (m == existing::kAsphalticConcrete) {
                tailValue_ += kLowerAsphaltCoefficient * inches;
                if (k == 0) tailAsphalt_ = inches;  // only existing course 1 can lie inside the zone
            } else {
                tailValue_ += Hundredths(ExistingCoefficient(m)) / 100.0 * inches;
            }
        }
    }

    void PrepareTheBounds() {
        const std::size_t count = sized_.size();
        restLeast_.assign(count + 1, Bound{});
        restLeastUnits_.assign(count + 1, 0);
        restRoomUnits_.assign(count + 1, 0);
        restHasMix_.assign(count + 1, false);
        byPrice_.assign(count + 1, {});
        byValue_.assign(count + 1, {});
        shownBelow_.assign(count, {});
        leastShowing_.assign(count, {});
        for (std::size_t k = count; k-- > 0;) {
            const SizedCourse& c = sized_[k];
            restLeast_[k] = {restLeast_[k + 1].cost + CourseCost(*c.cost, c.least),
                             restLeast_[k + 1].thickness + c.least};
            restLeastUnits_[k] = restLeastUnits_[k + 1] + std::int64_t{c.hundredths} * c.least;
            restRoomUnits_[k] = restRoomUnits_[k + 1] + std::int64_t{c.hundredths} * (c.greatest - c.least);
            restHasMix_[k] = restHasMix_[k + 1] || c.mix;
            std::vector<int> rest(count - k);
            std::iota(rest.begin(), rest.end(), static_cast<int>(k));
            // Cheapest value first: cents per inch over hundredths, compared
            // crosswise in whole numbers.
            byPrice_[k] = rest;
            std::stable_sort(byPrice_[k].begin(), byPrice_[k].end(), [&](int a, int b) {
                return sized_[a].cost->cents * sized_[b].hundredths < sized_[b].cost->cents * sized_[a].hundredths;
            });
            byValue_[k] = rest;
            std::stable_sort(byValue_[k].begin(), byValue_[k].end(),
                             [&](int a, int b) { return sized_[a].hundredths > sized_[b].hundredths; });
        }
    }

    // Inches of [top, bottom] inside the zone.
    double InsideZone(double top, double bottom) const {
        return std::max(0.0, std::min(bottom, zoneDepth_) - top);
    }

    // V of a sized course `quarterInches` thick lying from `top` down.
    double ValueOf(const SizedCourse& c, double top, int quarterInches) const {
        const double inches = QuarterInchesToInches(quarterInches);
        const double value = c.Below() * inches;
        return c.mix ? value + kZoneGain * InsideZone(top, top + inches) : value;
    }

    // V of the existing courses under an overlay ending at `depth`.
    double TailValue(double depth) const {
        return tailValue_ + (tailAsphalt_ > 0.0 ? kZoneGain * InsideZone(depth, depth + tailAsphalt_) : 0.0);
    }

    // The value the sized courses from k down must give, at their
    // coefficients below the zone, for a structure whose courses above lie
    // to `depth` with value `above` to meet the SN; in 1/400 SN, rounded
    // down.
    std::int64_t UnitsNeeded(std::size_t k, double depth, double above) const {
        const bool zoneAsphaltBelow = restHasMix_[k] || tailAsphalt_ > 0.0;
        const double room = zoneAsphaltBelow ? std::max(0.0, zoneDepth_ - depth) : 0.0;
        const double need = required_ - kBoundError - above - tailValue_ - kZoneGain * room;
        return WholeAtLeast(need * kUnitsPerSn - 1e-6);
    }

    // The least cost and thickness of the sized courses from k down that
    // give `units`; nothing when even their greatest thicknesses do not.
    std::optional<Bound> LeastBelow(std::size_t k, std::int64_t units) const {
        std::int64_t left = units - restLeastUnits_[k];
        Bound bound = restLeast_[k];
        if (left <= 0) return bound;
        if (left > restRoomUnits_[k]) return std::nullopt;
        for (std::int64_t remaining = left; const int i : byPrice_[k]) {
            const SizedCourse& c = sized_[static_cast<std::size_t>(i)];
            const std::int64_t room = std::int64_t{c.hundredths} * (c.greatest - c.least);
            if (remaining <= room) {
                bound.cost += CeilDiv(c.cost->cents * remaining, c.hundredths);
                break;
            }
            bound.cost += c.cost->cents * (c.greatest - c.least);
            remaining -= room;
        }
        for (std::int64_t remaining = left; const int i : byValue_[k]) {
            const SizedCourse& c = sized_[static_cast<std::size_t>(i)];
            const std::int64_t room = std::int64_t{c.hundredths} * (c.greatest - c.least);
            if (remaining <= room) {
                bound.thickness += CeilDiv(remaining, c.hundredths);
                break;
            }
            bound.thickness += c.greatest - c.least;
            remaining -= room;
        }
        return bound;
    }

    // Better than the best found so far.
    bool Better(QuarterCents cost, std::int64_t thickness) const {
        return !found_ || cost < bestCost_ || (cost == bestCost_ && thickness < bestThickness_);
    }

    // Whether the courses below, at no less than `below`, can make a structure
    // better than the best with the courses above.
    bool CanBeBetter(const std::optional<Bound>& below, QuarterCents cost, std::int64_t thickness) const {
        return below && Better(cost + below->cost, thickness + below->thickness);
    }

    // Sizes course k and those below it.  The courses above end at `bottom`,
    // summed in single precision as the evaluation sums them, and at `depth`
    // exactly; they give `above` and cost `cost` with `thickness` quarter
    // inches.  When they reach past the zone, `shown` is what every course
    // but k and those below shows, in hundredths.
    void Size(std::size_t k, float bottom, double depth, double above, QuarterCents cost, std::int64_t thickness,
              std::optional<std::int64_t> shown) {
        if (k + 1 == sized_.size()) return SizeTheLast(depth, above, cost, thickness, shown);
        const SizedCourse& c = sized_[k];
        // The courses below can make up the SN from this thickness on.
        auto canMeet = [&](int q) {
            const double inches = QuarterInchesToInches(q);
            return restRoomUnits_[k + 1] + restLeastUnits_[k + 1] >=
                   UnitsNeeded(k + 1, depth + inches, above + ValueOf(c, depth, q));
        };
        if (!canMeet(c.greatest)) return;
        int low = c.least;
        for (int high = c.greatest; low < high;) {
            const int middle = low + (high - low) / 2;
            if (canMeet(middle)) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        for (int q = low; q <= c.greatest; ++q) {
            const QuarterCents costHere = cost + CourseCost(*c.cost, q);
            const std::int64_t thicknessHere = thickness + q;
            if (!Better(costHere + restLeast_[k + 1].cost, thicknessHere + restLeast_[k + 1].thickness)) break;
            const float bottomHere = bottom + static_cast<float>(QuarterInchesToInches(q));
            const double depthHere = depth + QuarterInchesToInches(q);
            const double aboveHere = above + ValueOf(c, depth, q);
            quarterInches_[k] = q;
            if (!CanBeBetter(LeastBelow(k + 1, UnitsNeeded(k + 1, depthHere, aboveHere)), costHere, thicknessHere)) {
                continue;
            }
            std::optional<std::int64_t> shownHere;
            if (shown) {
                shownHere = *shown + ShownBelow(k, q);  // course k lies wholly below the zone
            } else if (bottomHere > zoneBottom_) {
                shownHere = ShownOutside(k + 1);
            }
            if (shownHere &&
                !CanBeBetter(LeastShowing(k + 1, neededHundredths_ - *shownHere), costHere, thicknessHere)) {
                continue;
            }
            Size(k + 1, bottomHere, depthHere, aboveHere, costHere, thicknessHere, shownHere);
        }
    }

    void SizeTheLast(double depth, double above, QuarterCents cost, std::int64_t thickness,
                     std::optional<std::int64_t> shown) {
        const std::size_t k = sized_.size() - 1;
        const SizedCourse& c = sized_[k];
        auto value = [&](int q) { return above + ValueOf(c, depth, q) + TailValue(depth + QuarterInchesToInches(q)); };
        const double least = required_ - kBoundError;
        if (value(c.greatest) < least) return;
        int low = c.least;
        for (int high = c.greatest; low < high;) {
            const int middle = low + (high - low) / 2;
            if (value(middle) >= least) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        if (shown) {
            // Below the zone the course shows its own value: none thinner
            // than the first to make up the hundredths needed can do.
            const std::int64_t needed = neededHundredths_ - *shown;
            if (ShownBelow(k, c.greatest) < needed) return;
            for (int high = c.greatest; low < high;) {
                const int middle = low + (high - low) / 2;
                if (ShownBelow(k, middle) >= needed) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
        }
        for (int q = low; q <= c.greatest; ++q) {
            const QuarterCents costHere = cost + CourseCost(*c.cost, q);
            if (!Better(costHere, thickness + q)) return;
            quarterInches_[k] = q;
            if (Meets()) {
                Keep(costHere, thickness + q);
                return;
            }
        }
    }

    // The shown value, in hundredths, of sized course k `quarterInches`
    // thick lying wholly below the zone.
    std::int64_t ShownBelow(std::size_t k, int quarterInches) {
        std::vector<std::int64_t>& shown = shownBelow_[k];
        const SizedCourse& c = sized_[k];
        if (shown.empty()) shown.assign(static_cast<std::size_t>(c.greatest - c.least + 1), -1);
        std::int64_t& value = shown[static_cast<std::size_t>(quarterInches - c.least)];
        if (value < 0) {
            value = ValueBelowZoneHundredths(c.list, c.material,
                                             static_cast<float>(QuarterInchesToInches(quarterInches)));
        }
        return value;
    }

    // The most the sized courses from k down show below the zone.
    std::int64_t MostShown(std::size_t k) {
        std::int64_t most = 0;
        for (std::size_t i = k; i < sized_.size(); ++i) most += ShownBelow(i, sized_[i].greatest);
        return most;
    }

    // What every course but the sized ones from k down shows, in
    // hundredths, with the courses above as sized now.
    std::int64_t ShownOutside(std::size_t k) {
        Set(quarterInches_);
        const auto rows = ShownValueHundredths(layout_);
        std::int64_t shown = 0;
        for (std::size_t row = 0; rows && row < rows->size(); ++row) shown += (*rows)[row];
        for (std::size_t i = k; rows && i < sized_.size(); ++i) {
            shown -= (*rows)[static_cast<std::size_t>(sized_[i].row)];
        }
        return shown;
    }

    // The least cost and thickness of the sized courses from k down showing
    // at least `hundredths` when they lie wholly below the zone, where each
    // course shows its own value; nothing when none do.
    std::optional<Bound> LeastShowing(std::size_t k, std::int64_t hundredths) {
        if (hundredths <= 0) return restLeast_[k];
        if (k == sized_.size() || hundredths > MostShown(k)) return std::nullopt;
        auto& memo = leastShowing_[k];
        const auto index = static_cast<std::size_t>(hundredths);
        if (index < memo.size() && memo[index].known) return memo[index].bound;
        std::optional<Bound> least;
        const SizedCourse& c = sized_[k];
        for (int q = c.least; q <= c.greatest; ++q) {
            const std::int64_t shown = ShownBelow(k, q);
            if (const auto rest = LeastShowing(k + 1, hundredths - shown)) {
                const Bound here{CourseCost(*c.cost, q) + rest->cost, q + rest->thickness};
                if (!least || here.cost < least->cost ||
                    (here.cost == least->cost && here.thickness < least->thickness)) {
                    least = here;
                }
            }
            // Thicker, it only costs more.
            if (shown >= hundredths) break;
        }
        if (index >= memo.size()) memo.resize(index + 1);
        memo[index] = {true, least};
        return least;
    }

    // A structure to start from, meeting the SN whatever the zone: the
    // courses' values below the zone alone reach R + E, the cheapest value
    // first.  Its cost lets the search pass over much at once.
    void StartFromAGoodStructure() {
        const std::int64_t units = WholeAtLeast((required_ + kBoundError - tailValue_) * kUnitsPerSn);
        std::int64_t left = units - restLeastUnits_[0];
        if (left > restRoomUnits_[0]) return;
        QuarterCents cost = fixedCost_;
        std::int64_t thickness = 0;
        for (std::size_t i = 0; i < sized_.size(); ++i) quarterInches_[i] = sized_[i].least;
        for (const int i : byPrice_[0]) {
            if (left <= 0) break;
            const SizedCourse& c = sized_[static_cast<std::size_t>(i)];
            const auto add = std::min<std::int64_t>(c.greatest - c.least, CeilDiv(left, c.hundredths));
            quarterInches_[static_cast<std::size_t>(i)] += static_cast<int>(add);
            left -= add * c.hundredths;
        }
        for (std::size_t i = 0; i < sized_.size(); ++i) {
            cost += CourseCost(*sized_[i].cost, quarterInches_[i]);
            thickness += quarterInches_[i];
        }
        if (Meets()) Keep(cost, thickness);
    }

    void Set(const std::vector<int>& quarterInches) {
        for (std::size_t i = 0; i < sized_.size(); ++i) {
            layout_.inches[static_cast<std::size_t>(sized_[i].row)] =
                static_cast<float>(QuarterInchesToInches(quarterInches[i]));
        }
    }

    // Whether the evaluation of the structure as sized shows an overdesign
    // or an exact design.
    bool Meets() {
        ++evaluations_;
        Set(quarterInches_);
        const auto proposed = ProposedSn(layout_);
        return proposed && *proposed >= required_;
    }

    void Keep(QuarterCents cost, std::int64_t thickness) {
        found_ = true;
        bestCost_ = cost;
        bestThickness_ = thickness;
        best_ = quarterInches_;
    }

    StructureLayout layout_;
    std::vector<SizedCourse> sized_;
    float required_;
    QuarterCents fixedCost_;

    // The bottoms of the spread-rate course above the sized ones and of the
    // top zone, in single precision as the evaluation finds them, and exactly.
    float headBottom_ = 0.0f;
    float zoneBottom_ = 0.0f;
    double headDepth_ = 0.0;
    double zoneDepth_ = 0.0;
    double tailValue_ = 0.0;   // V of the existing courses at their coefficients below the zone
    double tailAsphalt_ = 0.0; // inches of an asphaltic-concrete existing course 1, which can lie inside the zone

    // For the sized courses from k down: their least cost and thickness,
    // their value at the least thicknesses and the value they can add, in
    // 1/400 SN, whether a mix is among them, and their order by cost of
    // value and by value per inch.
    std::vector<Bound> restLeast_;
    std::vector<std::int64_t> restLeastUnits_;
    std::vector<std::int64_t> restRoomUnits_;
    std::vector<bool> restHasMix_;
    std::vector<std::vector<int>> byPrice_;
    std::vector<std::vector<int>> byValue_;

    // Past the zone: the least sum of shown values reaching R, each sized
    // course's value by thickness, and the least cost (and thickness) of the
    // courses from k down showing a sum.
    std::int64_t neededHundredths_ = 0;
    struct Known {
        bool known = false;
        std::optional<Bound> bound;
    };
    std::vector<std::vector<std::int64_t>> shownBelow_;
    std::vector<std::vector<Known>> leastShowing_;

    std::vector<int> quarterInches_;
    bool found_ = false;
    QuarterCents bestCost_ = 0;
    std::int64_t bestThickness_ = 0;
    std::vector<int> best_;
    std::int64_t evaluations_ = 0;
};

// The row that must hold a course but holds none: nothing chosen for course
// 1 (or existing course 1), or a row without a course above one with it.
std::optional<int> RowWithoutMaterial(const EnteredStructure& structure) {
    const int rows = static_cast<int>(structure.rows.size());
    auto holdsCourse = [&](int row) {
        const std::int16_t m = MaterialInRow(structure, row);
        return m != 0 && !IsNoCourse(RowList(structure, row), m);
    };
    // Groups of rows whose courses follow each other from the first down.
    const std::vector<std::pair<int, int>> groups =
        structure.overlay
            ? std::vector<std::pair<int, int>>{{0, kOverlayCourseRows}, {kOverlayCourseRows, rows}}
            : std::vector<std::pair<int, int>>{{0, rows}};
    for (const auto& [first, end] : groups) {
        // Existing course 1 may be "[NO COURSE]", but must be chosen.
        if (MaterialInRow(structure, first) == 0) return first;
        std::optional<int> unused;
        for (int row = first; row < end; ++row) {
            if (!holdsCourse(row)) {
                if (!unused) unused = row;
            } else if (unused) {
                return unused;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

bool IsSizedRow(const EnteredStructure& structure, int row) {
    return IsPricedRow(structure, row) && !IsSpreadRate(RowList(structure, row), MaterialInRow(structure, row));
}

std::vector<std::optional<ThicknessRange>> DefaultRanges(const EnteredStructure& structure,
                                                         const UnitCostTable& table) {
    std::vector<std::optional<ThicknessRange>> ranges(structure.rows.size());
    for (int row = 0; row < static_cast<int>(structure.rows.size()); ++row) {
        if (!IsSizedRow(structure, row)) continue;
        if (const UnitCost* cost = table.Find(RowMaterialName(structure, row)); cost && !cost->spreadRate) {
            ranges[static_cast<std::size_t>(row)] =
                ThicknessRange{cost->leastQuarterInches, cost->greatestQuarterInches};
        }
    }
    return ranges;
}

LeastCostStructure FindLeastCostStructure(const EnteredStructure& structure,
                                          const std::vector<std::optional<ThicknessRange>>& ranges,
                                          const UnitCostTable& table, const DesignRecord& record) {
    LeastCostStructure answer;
    answer.requiredSn = record.requiredSn;
    answer.structure = structure;
    answer.quarterInches.assign(structure.rows.size(), std::nullopt);
    auto refuse = [&](LeastCostRefusal refusal, int row) {
        answer.refusal = refusal;
        answer.row = row;
        return answer;
    };
    const int rows = static_cast<int>(structure.rows.size());
    if (rows != (structure.overlay ? kOverlayScreenRows : kFullDepthRows)) {
        return refuse(LeastCostRefusal::NotEvaluated, -1);
    }
    if (const auto row = RowWithoutMaterial(structure)) return refuse(LeastCostRefusal::NoMaterial, *row);

    std::vector<SizedCourse> sized;
    QuarterCents fixedCost = 0;
    for (int row = 0; row < rows; ++row) {
        if (!IsPricedRow(structure, row)) continue;
        const UnitCost* cost = table.Find(RowMaterialName(structure, row));
        if (!cost) {
            answer.material = std::string(RowMaterialName(structure, row));
            return refuse(LeastCostRefusal::NoPrice, row);
        }
        if (!IsSizedRow(structure, row)) {
            fixedCost += CourseCost(*cost, 0);
            continue;
        }
        const auto& range = static_cast<std::size_t>(row) < ranges.size() ? ranges[static_cast<std::size_t>(row)]
                                                                            : std::nullopt;
        if (!range || range->least < 1 || range->least > range->greatest || range->greatest > kMostQuarterInches) {
            return refuse(LeastCostRefusal::BadRange, row);
        }
        const std::int16_t m = MaterialInRow(structure, row);
        const bool base = !structure.overlay && FullDepthBaseCoefficient(m) > 0.0f;
        sized.push_back({row, cost, range->least, range->greatest,
                         Hundredths(base ? FullDepthBaseCoefficient(m) : kLowerAsphaltCoefficient), !base,
                         RowList(structure, row), m});
    }

    // The structure with every sized course at its least thickness must be
    // one the evaluation takes; the others keep their entry.
    EnteredStructure trial = structure;
    for (const SizedCourse& c : sized) trial.rows[static_cast<std::size_t>(c.row)].thickness = QuarterInchText(c.least);
    DesignRecord scratch = record;
    const auto layout = ReadStructure(trial);
    if (!layout || !Evaluate(trial, scratch)) return refuse(LeastCostRefusal::NotEvaluated, -1);

    Search search(*layout, sized, record.requiredSn, fixedCost);
    auto best = search.Run();
    answer.evaluations = search.evaluations();
    if (!best) {
        answer.refusal = LeastCostRefusal::Unreachable;
        best.emplace();
        for (const SizedCourse& c : sized) best->push_back(c.greatest);
    }
    for (std::size_t i = 0; i < sized.size(); ++i) {
        const auto row = static_cast<std::size_t>(sized[i].row);
        answer.quarterInches[row] = (*best)[i];
        answer.structure.rows[row].thickness = QuarterInchText((*best)[i]);
    }
    answer.evaluation = Evaluate(answer.structure, scratch);
    if (answer.evaluation) answer.proposedSn = answer.evaluation->numbers.proposedSn;
    answer.cost = StructureCost(answer.structure, table).value_or(0);
    return answer;
}

}  // namespace korvelle
