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
// Write V for the unrounded value of a structure: the sum over its courses of
// coefficient x inches, asphalt inside the top zone at 0.44 and below it at
// 0.30, worked out exactly.  The evaluation rounds every shown value and sums
// them in single precision, so its proposed SN lies within
// kMostEvaluationError of V; the search allows a little more, E, for the
// decimals it works V out in.  Hence
//   (1) a structure whose V is below R - E cannot meet the required SN R, and
//   (2) one whose V is at least R + E meets it.
// V is near linear: each course counts its coefficient below the zone (0.30
// for a mix, its own for a base or existing course), and the asphalt inside
// the zone 0.14 more.  The zone holds at most its depth of asphalt.
//
// The sized courses lie together, top down, between a spread-rate course and
// the existing courses.  The search sizes them in that order, each from its
// least thickness up, so it meets the structures in the order of their
// thicknesses course 1 first, and keeps a structure only when it costs less
// than the best so far, or as much but is thinner in all: the first of equal
// cost and thickness is the thinnest course 1, then course 2.  At each step
// the courses above are sized, so their part of V is known exactly, and below
// them the zone has room for at most max(0, L - depth) inches of asphalt.  So
// every structure under the step has
//   V <= V(courses above) + sum of the courses below at their coefficient
//        below the zone + V(existing courses) + 0.14 room,
// and by (1) it can meet R only if the courses below give at least R - E minus
// the rest.  Among thicknesses within their ranges that give as much, the
// cheapest (and the thinnest) cannot cost less than the fractional knapsack
// over the courses below: each filled in turn by cost per unit of value (or
// value per inch) from their least thickness up.  Whenever that least cost
// and thickness are no better than the best structure found, no structure
// under the step is better, and it is passed over; and as a course grows,
// cost and thickness of its structures only grow, so once its own cost
// passes the best no thicker course can do better.  The courses below also
// give more value the thicker a course is (a base adds at least 0.16 per inch
// and loses at most 0.14 of zone room), so the thinnest course for which the
// courses below can still make up the SN is found by halving.
//
// The last sized course is sized directly: with every other thickness known,
// V grows with it (at least 0.30 - 0.14 per inch, the existing asphalt it
// pushes out of the zone), so by (1) no thickness below the first whose V
// reaches R - E meets R.  From there the evaluation itself is tried, one
// quarter inch after another, until it meets R, which by (2) happens within
// the few quarter inches V takes to grow by 2E, or until the cost passes the
// best.  Only the evaluation decides whether a structure meets the SN; the
// bounds only pass over structures that by (1) cannot, or cannot be better.
// With wide ranges the knapsack bound keeps the search near the plane where
// the structures just meet R: a range of 0.25 to 1000 in. costs no more
// than a narrow one around the answer.

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
    double Below() const { return hundredths / 100.0; }
};

struct Bound {
    QuarterCents cost = 0;
    std::int64_t thickness = 0;  // quarter inches
};

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a <= 0 ? 0 : (a + b - 1) / b; }

int Hundredths(double coefficient) { return static_cast<int>(std::lround(coefficient * 100.0)); }

class Search {
public:
    Search(StructureLayout layout, std::vector<SizedCourse> sized, float requiredSn, QuarterCents fixedCost)
        : layout_(std::move(layout)), sized_(std::move(sized)), required_(requiredSn), fixedCost_(fixedCost) {
        ReadTheFixedCourses();
        PrepareTheBounds();
    }

    // The best structure's thicknesses, in the order of the sized courses;
    // nothing when none meets the SN.
    std::optional<std::vector<int>> Run() {
        quarterInches_.assign(sized_.size(), 0);
        if (sized_.empty()) {
            if (Meets()) Keep(fixedCost_, 0);
        } else {
            StartFromAGoodStructure();
            Size(0, headDepth_, 0.0, fixedCost_, 0);
        }
        if (!found_) return std::nullopt;
        return best_;
    }

    std::int64_t evaluations() const { return evaluations_; }

    // The proposed SN with every sized course at the given thicknesses.
    std::optional<float> ProposedSnAt(const std::vector<int>& quarterInches) {
        Set(quarterInches);
        return ProposedSn(layout_);
    }

private:
    // The spread-rate course above the sized ones, the existing courses below
    // them, and the zone.
    void ReadTheFixedCourses() {
        headDepth_ = 0.0;
        zoneDepth_ = kTopZoneInches;
        if (!layout_.overlay && IsSpreadRate(MaterialList::FullDepth, layout_.material[0])) {
            // A full-depth OGFC or PEM counts in the depth, as the evaluation
            // reads it; an overlay's counts as 0.
            headDepth_ = layout_.inches[0];
            zoneDepth_ = layout_.inches[0] + kTopZoneInches;  // in single precision, as the evaluation adds it
        }
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
        return static_cast<std::int64_t>(std::ceil(need * kUnitsPerSn - 1e-6));
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

    // Sizes course k and those below it; the courses above lie to `depth`,
    // give `above` and cost `cost` with `thickness` quarter inches.
    void Size(std::size_t k, double depth, double above, QuarterCents cost, std::int64_t thickness) {
        if (k + 1 == sized_.size()) return SizeTheLast(depth, above, cost, thickness);
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
            const double depthHere = depth + QuarterInchesToInches(q);
            const double aboveHere = above + ValueOf(c, depth, q);
            const auto below = LeastBelow(k + 1, UnitsNeeded(k + 1, depthHere, aboveHere));
            if (!below || !Better(costHere + below->cost, thicknessHere + below->thickness)) continue;
            quarterInches_[k] = q;
            Size(k + 1, depthHere, aboveHere, costHere, thicknessHere);
        }
    }

    void SizeTheLast(double depth, double above, QuarterCents cost, std::int64_t thickness) {
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

    // A structure to start from, meeting the SN whatever the zone: the
    // courses' values below the zone alone reach R + E, the cheapest value
    // first.  Its cost lets the search pass over much at once.
    void StartFromAGoodStructure() {
        const auto units = static_cast<std::int64_t>(
            std::ceil((required_ + kBoundError - tailValue_) * kUnitsPerSn));
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

    double headDepth_ = 0.0;   // inches of the spread-rate course above the sized ones
    double zoneDepth_ = 0.0;   // depth of the bottom of the top zone
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
            ranges[static_cast<std::size_t>(row)] = ThicknessRange{cost->leastQuarterInches, cost->greatestQuarterInches};
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
                         Hundredths(base ? FullDepthBaseCoefficient(m) : kLowerAsphaltCoefficient), !base});
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
