#pragma once

namespace korvelle {

enum class ScreenId {
    Startup,
    Information,
    MainMenu,
    ProjectInformation,
    DesignData,
    DesignerInformation,
    EsalWorksheet,
    LdfWorksheet,
    CountyWorksheet,
    FullDepthEntry,
    OverlayEntry,
    FullDepthResult,
    OverlayResult,
    Guidelines,
    FullDepthPrint,
    OverlayPrint,
    LeastCost,
};

inline constexpr int kScreenCount = static_cast<int>(ScreenId::LeastCost) + 1;

}  // namespace korvelle
