#include "sensitivity.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "core/number_format.h"
#include "design_rules.h"
#include "program.h"

namespace korvelle {

namespace {

// Soil support over the field's normal range, 0.5 to 10, in tenths.
constexpr int kLowestSoilTenths = 5;
constexpr int kHighestSoilTenths = 100;
constexpr std::string_view kSoilSweepRange = "0.5:10:0.1";

// The ESAL per truck from a tenth to ten times the design's, in hundredths
// of it.
constexpr int kLowestHundredths = 10;
constexpr int kHighestHundredths = 1000;

// Enough decimals for any single: the smallest needs 45 to read back.
constexpr int kMostDecimals = 60;

std::string SnText(float sn) { return FormatNumber(sn, "0.00"); }

std::string LoadingText(double loading) {
    return FormatNumber(static_cast<std::int32_t>(loading), kDesignLoadingPattern);
}

// ---------------------------------------------------------------- decimals

// A decimal number as its digits and how many of them stand after the
// point: 1.37 is ("137", 2).
struct Decimal {
    std::string digits;
    int decimals = 0;
};

Decimal ToDecimal(std::string_view text) {
    // Only a value CONTINUE refuses (0 or less, not a number) is written
    // otherwise: its points are all refused alike.
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return {"0", 0};
    const std::size_t point = text.find('.');
    Decimal d{std::string(text.substr(0, point)), 0};
    if (point != std::string_view::npos) {
        d.digits += text.substr(point + 1);
        d.decimals = static_cast<int>(text.size() - point - 1);
    }
    return d;
}

// The digits times a whole factor, worked digit by digit: exact at any
// length, where a double would round.
std::string Times(std::string_view digits, int factor) {
    std::string product(digits.size(), '0');
    int carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const int value = (digits[i] - '0') * factor + carry;
        product[i] = static_cast<char>('0' + value % 10);
        carry = value / 10;
    }
    for (; carry > 0; carry /= 10) product.insert(product.begin(), static_cast<char>('0' + carry % 10));
    return product;
}

// The text of digits x 10^-decimals, with that many decimals ("1370", 4:
// "0.1370"); fewer than none append zeros.
std::string DecimalText(std::string digits, int decimals) {
    if (decimals < 0) {
        digits.append(static_cast<std::size_t>(-decimals), '0');
        decimals = 0;
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - places);
    const std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    return places == 0 ? whole : whole + "." + digits.substr(digits.size() - places);
}

// "1.0, 1.5 and 2.0"
std::string Enumerate(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

// ------------------------------------------------------------------ points

// A value as typed into a field of the design data screen.
struct Typed {
    const FieldRule* rule;
    std::string_view text;
};

// Stores the typed values into the record through their fields' rules and
// works out the design traffic and required SN, as the sweep works out a
// point; why not, when a value or the equation refuses.
std::optional<std::string> WorkOut(DesignRecord& record, std::initializer_list<Typed> values) {
    for (const Typed& value : values) {
        if (const auto refusal = ValueRefusal(*value.rule, value.text)) {
            return std::string(value.rule->caption) + ": " + std::string(*refusal);
        }
        StoreField(*value.rule, *ConvertField(*value.rule, value.text), record);
    }
    if (const auto refusal = RequiredSnRefusal(record)) return std::string(*refusal);
    return std::nullopt;
}

SensitivityPoint PointOf(std::string typed, const DesignRecord& worked, const std::optional<std::string>& refusal) {
    SensitivityPoint point{std::move(typed), 0.0, std::nullopt, {}};
    if (refusal) {
        point.refusal = *refusal;
    } else {
        point.requiredSn = worked.requiredSn;
    }
    return point;
}

// The design at one regional factor, the soil support moved over its range.
SensitivityCurve SoilCurve(const DesignRecord& record, const std::string& regionalFactor) {
    SensitivityCurve curve{regionalFactor, false, {}};
    for (int tenths = kLowestSoilTenths; tenths <= kHighestSoilTenths; ++tenths) {
        const std::string soil = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        DesignRecord point = record;
        const auto refusal =
            WorkOut(point, {{&fields::kSoilSupport, soil}, {&fields::kRegionalFactor, regionalFactor}});
        SensitivityPoint p = PointOf(soil, point, refusal);
        p.x = std::get<float>(*ConvertField(fields::kSoilSupport, soil));
        curve.points.push_back(std::move(p));
    }
    return curve;
}

// The design at its own soil support and regional factor, the ESAL per
// truck moved from a tenth to ten times its own.
SensitivityCurve LoadingCurve(const DesignRecord& record, const std::string& regionalFactor) {
    SensitivityCurve curve{regionalFactor, true, {}};
    const Decimal esal = ToDecimal(ShortestText(fields::kRepresentativeEsal, record.esal18));
    for (int hundredths = kLowestHundredths; hundredths <= kHighestHundredths; ++hundredths) {
        const std::string typed = DecimalText(Times(esal.digits, hundredths), esal.decimals + 2);
        DesignRecord point = record;
        const auto refusal = WorkOut(point, {{&fields::kRepresentativeEsal, typed}});
        SensitivityPoint p = PointOf(typed, point, refusal);
        if (!refusal) p.x = point.designLoading;
        curve.points.push_back(std::move(p));
    }
    return curve;
}

// ------------------------------------------------------------------- lines

// What a point is called on its axis: "soil support 3.4", "a design loading
// of 1,460,000".
std::string Where(const SensitivityPoint& point, bool soil) {
    return soil ? "soil support " + point.typed : "a design loading of " + LoadingText(point.x);
}

LineReach ReachOf(const StructureLine& line, const SensitivityCurve& curve, bool soil) {
    LineReach reach{line, 0, std::nullopt, std::nullopt, false};
    const std::vector<SensitivityPoint>& points = curve.points;
    // From the easy end: the highest soil support, the lowest loading.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SensitivityPoint& point = soil ? points[points.size() - 1 - i] : points[i];
        if (i == 0 && point.requiredSn) reach.easyEnd = point;
        if (!point.requiredSn || line.proposedSn < *point.requiredSn) break;
        reach.met = i + 1;
        reach.limit = point;
    }
    reach.whole = !points.empty() && reach.met == points.size();
    return reach;
}

// Points refused, by reason.
std::map<std::string, std::size_t> Refused(const SensitivityChart& chart) {
    std::map<std::string, std::size_t> refused;
    for (const SensitivityCurve& curve : chart.curves) {
        for (const SensitivityPoint& point : curve.points) {
            if (!point.requiredSn) ++refused[point.refusal];
        }
    }
    return refused;
}

}  // namespace

// ------------------------------------------------------------- the charts

std::string ShortestText(const FieldRule& rule, float value) {
    std::string text;
    for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
        text = buffer;
        const std::optional<FieldValue> read = ConvertField(rule, text);
        if (read && std::holds_alternative<float>(*read) && std::get<float>(*read) == value) break;
    }
    return text;
}

SweepRange LoadingSweepRange(float designEsal) {
    const Decimal esal = ToDecimal(ShortestText(fields::kRepresentativeEsal, designEsal));
    // A tenth, ten times, a hundredth: the point moved one place, or back one.
    return {DecimalText(esal.digits, esal.decimals + 1), DecimalText(esal.digits, esal.decimals - 1),
            DecimalText(esal.digits, esal.decimals + 2)};
}

std::string SensitivityCurve::Name() const { return "RF " + regionalFactor; }

std::string LineReach::Text(bool soil) const {
    if (whole) {
        return soil ? "meets the required SN at every soil support shown, down to " + limit->typed
                    : "meets the required SN at every design loading shown, up to " + LoadingText(limit->x);
    }
    if (limit) return std::string("meets the required SN ") + (soil ? "down to " : "up to ") + Where(*limit, soil);
    if (easyEnd) return "does not meet the required SN even at " + Where(*easyEnd, soil);
    return "does not meet the required SN anywhere on the chart";
}

std::string LineReach::Short(bool soil) const {
    if (whole) return soil ? "at every soil support shown" : "at every design loading shown";
    if (limit) return (soil ? "down to " : "up to ") + Where(*limit, soil);
    return easyEnd ? "not even at " + Where(*easyEnd, soil) : "nowhere on the chart";
}

std::string LineReach::Label(bool soil) const {
    return line.label + ", SN " + SnText(line.proposedSn) + ": " + Short(soil);
}

std::string SensitivityChart::Title() const {
    return soil() ? "Required SN against soil support" : "Required SN against the design loading";
}

std::string SensitivityChart::AxisTitle() const {
    return soil() ? "Soil support" : "Design loading (18-kip ESAL over the design period)";
}

std::string SensitivityChart::Description() const {
    std::string text;
    const SensitivityCurve& own = curves.at(designCurve);
    if (soil()) {
        std::vector<std::string> factors;
        for (const SensitivityCurve& curve : curves) factors.push_back(curve.regionalFactor);
        text = "Required SN against soil support from " + own.points.front().typed + " to " + own.points.back().typed +
               ", one curve for each regional factor: " + Enumerate(factors) + ".";
    } else {
        std::vector<double> loadings;
        for (const SensitivityPoint& point : own.points) {
            if (point.requiredSn) loadings.push_back(point.x);
        }
        text = "Required SN against the design loading on a logarithmic scale";
        if (!loadings.empty()) {
            text += ", from " + LoadingText(loadings.front()) + " to " + LoadingText(loadings.back());
        }
        text += ": the ESAL per truck from " + own.points.front().typed + " to " + own.points.back().typed +
                ", a tenth to ten times the design's, at soil support " + designSoil + " and regional factor " +
                designRegionalFactor + ".";
    }
    if (designSn) {
        text += soil() ? " The design, at soil support " + designSoil + " and regional factor " + designRegionalFactor
                       : " The design, at a design loading of " + LoadingText(designX);
        text += ", needs SN " + SnText(*designSn) + ".";
    }
    for (const LineReach& reach : lines) {
        text += " " + reach.line.label + ", proposed SN " + SnText(reach.line.proposedSn) + ", " + reach.Text(soil());
        text += soil() ? " at regional factor " + designRegionalFactor + "." : ".";
    }
    if (lines.empty()) text += " No structure is accepted or kept as an alternative: none is drawn across the curves.";
    for (const auto& [reason, count] : Refused(*this)) {
        text += " " + FormatNumber(static_cast<std::int64_t>(count), kCountPattern) +
                (count == 1 ? " point has" : " points have") + " no required SN: " + reason + ".";
    }
    return text;
}

Sensitivity ComputeSensitivity(const DesignRecord& record, std::span<const StructureLine> lines) {
    Sensitivity s;
    s.soil.axis = SensitivityAxis::SoilSupport;
    s.loading.axis = SensitivityAxis::DesignLoading;
    // The soil support curves: the chart's regional factors, and the
    // design's own among them in its place when it is another.
    std::vector<std::string> factors(std::begin(kChartRegionalFactors), std::end(kChartRegionalFactors));
    auto value = [](const std::string& text) { return std::get<float>(*ConvertField(fields::kRegionalFactor, text)); };
    auto own = std::find_if(factors.begin(), factors.end(),
                            [&](const std::string& f) { return value(f) == record.regionalFactor; });
    if (own == factors.end()) {
        own = factors.insert(std::find_if(factors.begin(), factors.end(),
                                          [&](const std::string& f) { return value(f) > record.regionalFactor; }),
                             ShortestText(fields::kRegionalFactor, record.regionalFactor));
    }
    s.soil.designCurve = static_cast<std::size_t>(own - factors.begin());
    const std::string ownFactor = *own;  // "1.0" for a factor typed "1"
    for (SensitivityChart* chart : {&s.soil, &s.loading}) {
        chart->designSoil = ShortestText(fields::kSoilSupport, record.soilSupport);
        chart->designRegionalFactor = ownFactor;
    }
    for (const std::string& factor : factors) s.soil.curves.push_back(SoilCurve(record, factor));
    s.soil.curves[s.soil.designCurve].design = true;
    s.soil.sweepRange = std::string(kSoilSweepRange);

    s.loading.curves.push_back(LoadingCurve(record, ownFactor));
    s.loading.designCurve = 0;
    s.loading.sweepRange = LoadingSweepRange(record.esal18).Text();

    // The design's own point, worked out as every other.
    DesignRecord design = record;
    if (!RequiredSnRefusal(design)) {
        s.soil.designSn = s.loading.designSn = design.requiredSn;
        s.loading.designX = design.designLoading;
    }
    s.soil.designX = record.soilSupport;

    for (const StructureLine& line : lines) {
        s.soil.lines.push_back(ReachOf(line, s.soil.curves[s.soil.designCurve], true));
        s.loading.lines.push_back(ReachOf(line, s.loading.curves.front(), false));
    }
    return s;
}

// -------------------------------------------------------------- structures

std::optional<float> ProposedSn(StructureKind kind, std::span<const CourseRow> rows, const DesignRecord& record) {
    DesignRecord copy = record;
    const auto result = EvaluateStructure(RulesOf(kind), CourseEntries(rows), copy);
    if (const auto* evaluation = std::get_if<Evaluation>(&result)) return evaluation->numbers.proposedSn;
    return std::nullopt;
}

std::vector<StructureLine> StructureLines(Program& program) {
    std::vector<StructureLine> lines;
    const std::optional<Acceptance>& acceptance = program.acceptance();
    if (acceptance && acceptance->basis && program.AcceptanceCurrent()) {
        const StructureKind kind = acceptance->result.kind;
        if (const auto sn = ProposedSn(kind, acceptance->basis->courses, program.record())) {
            lines.push_back({kind == StructureKind::Overlay ? "Accepted: overlay" : "Accepted: full-depth", *sn});
        }
    }
    for (const Alternative& alternative : program.alternatives()) {
        if (const auto sn = ProposedSn(alternative.kind, alternative.rows, program.record())) {
            lines.push_back({alternative.name, *sn});
        }
    }
    return lines;
}

// ----------------------------------------------------------------- messages

std::string PictureSavedMessage(std::string_view file) { return "Picture saved as " + std::string(file); }

std::string PictureNotSavedMessage(std::string_view what, std::string_view reason, std::string_view file,
                                   bool earlierKept) {
    return "Picture not saved: " + std::string(what) + ": " + std::string(reason) + " (" + std::string(file) +
           (earlierKept ? ", the earlier file unchanged" : "") + ").";
}

}  // namespace korvelle
