#include "help_topics.h"

#include <array>

namespace korvelle {

namespace {

// The guide's section for each screen.  The two print screens share one
// section, as do the start-up and information screens.
constexpr std::array<HelpTopic, kScreenCount> kTopics{{
    {ScreenId::Startup, "Start-up and information screens"},
    {ScreenId::Information, "Start-up and information screens"},
    {ScreenId::MainMenu, "Main menu"},
    {ScreenId::ProjectInformation, "Project information"},
    {ScreenId::DesignData, "Design data"},
    {ScreenId::DesignerInformation, "Designer information"},
    {ScreenId::EsalWorksheet, "ESAL worksheet"},
    {ScreenId::LdfWorksheet, "Lane distribution factor worksheet"},
    {ScreenId::CountyWorksheet, "County soil support and regional factor worksheet"},
    {ScreenId::FullDepthEntry, "Full-depth structure entry"},
    {ScreenId::OverlayEntry, "Overlay structure entry"},
    {ScreenId::FullDepthResult, "Full-depth result"},
    {ScreenId::OverlayResult, "Overlay result"},
    {ScreenId::Guidelines, "Mix type guidelines"},
    {ScreenId::FullDepthPrint, "Print screens"},
    {ScreenId::OverlayPrint, "Print screens"},
    {ScreenId::LeastCost, "Least cost"},
}};

constexpr bool InScreenOrder() {
    for (int i = 0; i < kScreenCount; ++i) {
        if (static_cast<int>(kTopics[i].screen) != i) return false;
    }
    return true;
}
static_assert(InScreenOrder(), "one help topic per screen, in the order of ScreenId");

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

std::string_view HelpHeading(ScreenId screen) { return kTopics[static_cast<int>(screen)].heading; }

}  // namespace korvelle
