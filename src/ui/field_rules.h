#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/design_record.h"
#include "desktop.h"
#include "screen.h"

namespace korvelle {

inline constexpr std::string_view kRangeMessage = "Data is outside normal range";
inline constexpr std::string_view kRequiredMessage = "All required data must be entered before continuing";
// A typed entry that is not a number, or too large for its field.
inline constexpr std::string_view kNumberNeededMessage =
    "Numeric entries must be numbers of a size the field can hold: digits with an optional decimal point, "
    "no commas or letters";

// A range limit: a fixed value, or the value a design record field holds at
// the moment of the test.
struct Limit {
    double value = 0.0;
    float DesignRecord::*field = nullptr;
    double Of(const DesignRecord& record) const { return field ? static_cast<double>(record.*field) : value; }
};

using RecordField = std::variant<std::monostate, std::int16_t DesignRecord::*, std::int32_t DesignRecord::*,
                                 float DesignRecord::*>;

// How one typed field behaves.  A text field only moves the focus on Enter; a
// numeric field converts its whole text on Enter, writes it into the design
// record and checks it against its normal range (both limits inclusive).
struct FieldRule {
    std::string_view caption;
    int maxLength = 0;  // 0: no limit
    RecordField target;  // std::monostate for a text field
    Limit lower;
    Limit upper;
    bool discardComma = false;  // traffic volumes: no thousands separators
    std::string_view hint;      // normal range, for the field's tooltip
    // Values no design can have, refused at CONTINUE whatever the designer
    // says: 0 or less when the value must be positive, or above `mostPossible`.
    bool mustBePositive = false;
    double mostPossible = std::numeric_limits<double>::infinity();
    // The normal range as the designer reads it ("1.0 to 3.0"); empty when a
    // limit is held in the record.
    std::string_view normalRange;

    bool numeric() const { return !std::holds_alternative<std::monostate>(target); }
};

// Converts the whole text to the target field's type; nothing when the text is
// not a number or does not fit the type.
using FieldValue = std::variant<std::int16_t, std::int32_t, float>;
std::optional<FieldValue> ConvertField(const FieldRule& rule, std::string_view text);
void StoreField(const FieldRule& rule, const FieldValue& value, DesignRecord& record);
// The value the record holds in the field's member; nothing for a text field.
std::optional<FieldValue> StoredField(const FieldRule& rule, const DesignRecord& record);

// Whether a converted value lies outside what any design can have, or outside
// the field's normal range; `limits` holds the values of limits held in the
// record.  Values are compared in their own type, as on Enter.
bool Impossible(const FieldRule& rule, const FieldValue& value);
bool OutsideNormalRange(const FieldRule& rule, const FieldValue& value, const DesignRecord& limits);
// "1.0 to 3.0", or the held limits formatted from `limits`.
std::string NormalRangeText(const FieldRule& rule, const DesignRecord& limits);


// The keystroke procedure of every typed field.  Returns true when the key is
// to be discarded.  On an accepted Enter, `accept` runs (it moves the focus,
// or hands the value back from a worksheet).
bool FieldKeyPress(const FieldRule& rule, int key, std::string_view text, DesignRecord& record,
                   Desktop& desktop, const std::function<void()>& accept);

// The fields of each screen in the order Enter moves through them.
namespace fields {
extern const FieldRule kProjectNumber, kPiNumber, kCounty, kDescription, kInitialYear, kInitialTraffic,
    kFinalYear, kFinalTraffic, kTruckPercent;
extern const FieldRule kDesignerName, kComments, kDesignDate;
extern const FieldRule kLdf, kTerminalServiceability, kSoilSupport, kRegionalFactor, kSingleUnitEsal,
    kMultiUnitEsal, kRepresentativeEsal;
extern const FieldRule kEsalWorksheetEntry, kLdfWorksheetEntry;
}  // namespace fields

std::span<const FieldRule* const> ProjectInformationFields();
std::span<const FieldRule* const> DesignerInformationFields();
std::span<const FieldRule* const> DesignDataFields();

}  // namespace korvelle
