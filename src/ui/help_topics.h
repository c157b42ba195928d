#pragma once

#include <span>
#include <string_view>

#include "screen_id.h"

namespace korvelle {

// Where the designer's guide (docs/user-guide.md) tells about a screen: the
// text of the heading of its section, as the guide writes it.
struct HelpTopic {
    ScreenId screen;
    std::string_view heading;
};

// One topic per screen, in the order of ScreenId.
std::span<const HelpTopic> HelpTopics();
// The heading of the guide's section on `screen`.
std::string_view HelpHeading(ScreenId screen);

// The sections on windows of no screen of their own: the sensitivity
// chart, the alternatives.
inline constexpr std::string_view kSensitivityHelpHeading = "Sensitivity";
inline constexpr std::string_view kAlternativesHelpHeading = "Alternatives";

}  // namespace korvelle
