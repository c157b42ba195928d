#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_record.h"
#include "file/design_file.h"
#include "ui/design_rules.h"

namespace CLI {
class App;
class Option;
}

namespace korvelle {

// The data screen a design option's field stands on.
enum class DataScreen { ProjectInformation, DesignData };

// One design-data option of the command line: the field it types into, with
// that field's rules, caption and normal range, and the text the screen
// starts with (none: the option must be given).
struct DesignOption {
    std::string_view name;  // "soil": --soil
    const FieldRule* rule;
    DataScreen screen;
    std::size_t field;  // in the screen's field order (DesignFile::project, DesignFile::designData)
    std::string_view defaultText;
};

inline constexpr std::size_t kDesignOptionCount = 12;
std::span<const DesignOption, kDesignOptionCount> DesignOptions();

// The option texts, in the table's order.
using DesignTexts = std::array<std::string, kDesignOptionCount>;

// Adds every design option to the command: its help is the field's hint and
// caption, and its default the screen's first text.  With `rangeNote`, the
// help adds that a range may be given.  The options added, in the table's
// order.
std::array<CLI::Option*, kDesignOptionCount> AddDesignOptions(CLI::App& command, DesignTexts& texts, bool rangeNote);

// A design file standing on the designer information screen with the texts
// typed into the project information and design data screens, so that
// replaying it confirms both screens through their own CONTINUE.
DesignFile DataScreensFile(const DesignTexts& texts);

// One warning per option whose value lies outside its field's normal range
// (the values the screens ask about before going on with them):
// "--trucks 40: 24-HOUR TRUCK % outside its normal range (above 0 to 100)".
// `limits` holds the values of limits held in the record; options whose
// text is not a number are passed over, as are the options `skip` marks.
std::vector<std::string> UnusualValues(const DesignTexts& texts, const DesignRecord& limits,
                                       const std::array<bool, kDesignOptionCount>& skip = {});
// The same warning for a value the rules found outside its normal range.
std::string UnusualWarning(const UnusualValue& unusual);

}  // namespace korvelle
