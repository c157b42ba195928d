#include "field_rules.h"

#include <array>
#include <type_traits>

#include "core/number_format.h"
#include "core/number_text.h"
#include "design_rules.h"

namespace korvelle {

namespace {

// Compares a converted value with a limit in the value's own type: a single
// value against the single-precision limit, so a value typed exactly as the
// limit is written lies inside the range.
int Compare(const FieldValue& value, double limit) {
    return std::visit(
        [limit](auto v) -> int {
            using T = decltype(v);
            if constexpr (std::is_same_v<T, float>) {
                const float l = static_cast<float>(limit);
                return v < l ? -1 : (v > l ? 1 : 0);
            } else {
                const double d = static_cast<double>(v);
                return d < limit ? -1 : (d > limit ? 1 : 0);
            }
        },
        value);
}

}  // namespace

bool Impossible(const FieldRule& rule, const FieldValue& value) {
    if (!rule.numeric()) return false;
    return (rule.mustBePositive && Compare(value, 0.0) <= 0) || Compare(value, rule.mostPossible) > 0;
}

bool OutsideNormalRange(const FieldRule& rule, const FieldValue& value, const DesignRecord& limits) {
    if (!rule.numeric()) return false;
    return Compare(value, rule.lower.Of(limits)) < 0 || Compare(value, rule.upper.Of(limits)) > 0;
}

std::string NormalRangeText(const FieldRule& rule, const DesignRecord& limits) {
    if (!rule.normalRange.empty()) return std::string(rule.normalRange);
    return FormatNumber(rule.lower.Of(limits), "#0.00") + " to " + FormatNumber(rule.upper.Of(limits), "#0.00");
}

std::optional<FieldValue> ConvertField(const FieldRule& rule, std::string_view text) {
    if (std::holds_alternative<std::int16_t DesignRecord::*>(rule.target)) {
        if (auto v = ParseInt16(text)) return FieldValue(*v);
    } else if (std::holds_alternative<std::int32_t DesignRecord::*>(rule.target)) {
        if (auto v = ParseInt32(text)) return FieldValue(*v);
    } else if (std::holds_alternative<float DesignRecord::*>(rule.target)) {
        if (auto v = ParseSingle(text)) return FieldValue(*v);
    }
    return std::nullopt;
}

void StoreField(const FieldRule& rule, const FieldValue& value, DesignRecord& record) {
    if (auto p = std::get_if<std::int16_t DesignRecord::*>(&rule.target)) {
        record.**p = std::get<std::int16_t>(value);
    } else if (auto p = std::get_if<std::int32_t DesignRecord::*>(&rule.target)) {
        record.**p = std::get<std::int32_t>(value);
    } else if (auto p = std::get_if<float DesignRecord::*>(&rule.target)) {
        record.**p = std::get<float>(value);
    }
}

std::optional<FieldValue> StoredField(const FieldRule& rule, const DesignRecord& record) {
    return std::visit(
        [&](auto member) -> std::optional<FieldValue> {
            if constexpr (std::is_same_v<decltype(member), std::monostate>) {
                return std::nullopt;
            } else {
                return record.*member;
            }
        },
        rule.target);
}

bool FieldKeyPress(const FieldRule& rule, int key, std::string_view text, DesignRecord& record,
                   Desktop& desktop, const std::function<void()>& accept) {
    if (rule.discardComma && key == kCommaKey) return true;
    if (key != kEnterKey) return false;
    if (rule.numeric()) {
        if (const auto refusal = EnterRefusal(rule, text, record)) {
            ReportError(desktop, *refusal);
            return true;
        }
    }
    accept();
    return true;
}

namespace fields {

namespace {
constexpr Limit Fixed(double v) { return Limit{v, nullptr}; }
constexpr Limit Held(float DesignRecord::*f) { return Limit{0.0, f}; }
}  // namespace

// Traffic, percentages, factors, soil support and ESAL must be positive, and
// no more than every truck can be in the design lane.
constexpr bool kPositive = true;
constexpr double kAll = 100.0;  // percent
constexpr double kAny = std::numeric_limits<double>::infinity();

// The lengths of the project number, the county and the designer's name keep
// their lines of the printed form within its 77 columns: the project number
// starts in column 12 and must end before "County: " in column 53 (the
// overlay form; 55 on the full-depth form), the county starts in column 63
// at the latest, the designer's name in column 20 before the date in column
// 59, and the date runs to column 77.
const FieldRule kProjectNumber{"PROJECT NO.", 41, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kPiNumber{"P.I. NO.", 7, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kCounty{"COUNTY", 15, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kDescription{"DESCRIPTION (65 CHAR. MAX.)", 65, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kInitialYear{"INITIAL DESIGN YEAR", 4, &DesignRecord::initialYear, Fixed(1972), Fixed(2100), false,
                             "Year, 1972 to 2100", false, kAny, "1972 to 2100"};
const FieldRule kInitialTraffic{"INITIAL 1-WAY TRAFFIC", 0, &DesignRecord::initialAadt, Fixed(1), Fixed(300000), true,
                                "One-way AADT in the initial year, 1 to 300000 vehicles per day (no commas)",
                                kPositive, kAny, "1 to 300000"};
const FieldRule kFinalYear{"FINAL DESIGN YEAR", 4, &DesignRecord::finalYear, Fixed(1972), Fixed(2100), false,
                           "Year, 1972 to 2100", false, kAny, "1972 to 2100"};
const FieldRule kFinalTraffic{"FINAL 1-WAY TRAFFIC", 0, &DesignRecord::finalAadt, Fixed(1), Fixed(300000), true,
                              "One-way AADT in the final year, 1 to 300000 vehicles per day (no commas)", kPositive,
                              kAny, "1 to 300000"};
const FieldRule kTruckPercent{"24-HOUR TRUCK %", 0, &DesignRecord::truckPercent, Fixed(0), Fixed(100), false,
                              "Trucks as a percentage of AADT, above 0 up to 100", kPositive, kAll, "above 0 to 100"};

const FieldRule kDesignerName{"DESIGNER'S NAME AND TITLE", 39, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kComments{"COMMENTS", 60, {}, {}, {}, false, "", false, kAny, ""};
const FieldRule kDesignDate{"DATE", 19, {}, {}, {}, false, "", false, kAny, ""};

const FieldRule kLdf{"LANE DISTRIBUTION FACTOR", 0, &DesignRecord::ldf, Fixed(0.1), Fixed(100), false,
                     "Percent of trucks in the design lane, 0.1 to 100", kPositive, kAll, "0.1 to 100"};
const FieldRule kTerminalServiceability{"TERMINAL SERVICEABILITY INDEX", 0, &DesignRecord::terminalServiceability,
                                        Fixed(1.5), Fixed(4.1), false, "Terminal serviceability index pt, 1.5 to 4.1",
                                        false, kAny, "1.5 to 4.1"};
const FieldRule kSoilSupport{"SOIL SUPPORT", 0, &DesignRecord::soilSupport, Fixed(0.5), Fixed(10), false,
                             "Soil support value S, 0.5 to 10", kPositive, kAny, "0.5 to 10"};
const FieldRule kRegionalFactor{"REGIONAL FACTOR", 0, &DesignRecord::regionalFactor, Fixed(1.0), Fixed(3.0), false,
                                "Regional factor R, 1.0 to 3.0", kPositive, kAny, "1.0 to 3.0"};
const FieldRule kSingleUnitEsal{"SINGLE UNIT E.S.A.L.", 0, &DesignRecord::singleUnitEsal, Fixed(0.05), Fixed(2.5),
                                false, "18-kip ESAL per single-unit truck, 0.05 to 2.5", kPositive, kAny,
                                "0.05 to 2.5"};
const FieldRule kMultiUnitEsal{"MULTIPLE UNIT E.S.A.L.", 0, &DesignRecord::multiUnitEsal, Fixed(0.2), Fixed(5.5),
                               false, "18-kip ESAL per multiple-unit truck, 0.2 to 5.5", kPositive, kAny,
                               "0.2 to 5.5"};
const FieldRule kRepresentativeEsal{"REPRESENTATIVE 18-KIP  E.S.A.L.", 0, &DesignRecord::esal18,
                                    Held(&DesignRecord::singleUnitEsal), Held(&DesignRecord::multiUnitEsal), false,
                                    "18-kip ESAL per truck, from the single-unit to the multiple-unit factor",
                                    kPositive, kAny, ""};
const FieldRule kEsalWorksheetEntry{"ENTER VALUE FOR ESAL", 0, &DesignRecord::esal18,
                                    Held(&DesignRecord::singleUnitEsal), Held(&DesignRecord::multiUnitEsal), false,
                                    "18-kip ESAL per truck, from the single-unit to the multiple-unit factor",
                                    kPositive, kAny, ""};
const FieldRule kLdfWorksheetEntry{"ENTER VALUE FOR LDF", 0, &DesignRecord::ldf, Fixed(0.1), Fixed(100), false,
                                   "Percent of trucks in the design lane, 0.1 to 100", kPositive, kAll, "0.1 to 100"};

}  // namespace fields

std::span<const FieldRule* const> ProjectInformationFields() {
    static constexpr std::array<const FieldRule*, 9> kFields = {
        &fields::kProjectNumber, &fields::kPiNumber,      &fields::kCounty,
        &fields::kDescription,   &fields::kInitialYear,   &fields::kInitialTraffic,
        &fields::kFinalYear,     &fields::kFinalTraffic,  &fields::kTruckPercent};
    return kFields;
}

std::span<const FieldRule* const> DesignerInformationFields() {
    static constexpr std::array<const FieldRule*, 2> kFields = {&fields::kDesignerName, &fields::kComments};
    return kFields;
}

std::span<const FieldRule* const> DesignDataFields() {
    static constexpr std::array<const FieldRule*, 7> kFields = {
        &fields::kLdf,           &fields::kTerminalServiceability, &fields::kSoilSupport,
        &fields::kRegionalFactor, &fields::kSingleUnitEsal,        &fields::kMultiUnitEsal,
        &fields::kRepresentativeEsal};
    return kFields;
}

}  // namespace korvelle
