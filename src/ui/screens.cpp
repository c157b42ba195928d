#include "screens.h"

#include "data_screens.h"
#include "least_cost_screen.h"
#include "print_screen.h"
#include "startup_screens.h"
#include "structure_screens.h"
#include "worksheets.h"

namespace korvelle {

std::unique_ptr<Screen> MakeScreen(ScreenId id, Program& program) {
    switch (id) {
        case ScreenId::Startup: return std::make_unique<StartupScreen>(program);
        case ScreenId::Information: return std::make_unique<InformationScreen>(program);
        case ScreenId::MainMenu: return std::make_unique<MainMenu>(program);
        case ScreenId::ProjectInformation: return std::make_unique<ProjectInformationScreen>(program);
        case ScreenId::DesignData: return std::make_unique<DesignDataScreen>(program);
        case ScreenId::DesignerInformation: return std::make_unique<DesignerInformationScreen>(program);
        case ScreenId::EsalWorksheet: return std::make_unique<EsalWorksheet>(program);
        case ScreenId::LdfWorksheet: return std::make_unique<LdfWorksheet>(program);
        case ScreenId::CountyWorksheet: return std::make_unique<CountyWorksheet>(program);
        case ScreenId::FullDepthEntry: return std::make_unique<FullDepthEntryScreen>(program);
        case ScreenId::OverlayEntry: return std::make_unique<OverlayEntryScreen>(program);
        case ScreenId::FullDepthResult:
            return std::make_unique<ResultScreen>(program, ScreenId::FullDepthResult, ScreenId::FullDepthEntry,
                                                  ScreenId::FullDepthPrint, 5, 9, 5);
        case ScreenId::OverlayResult:
            return std::make_unique<ResultScreen>(program, ScreenId::OverlayResult, ScreenId::OverlayEntry,
                                                  ScreenId::OverlayPrint, 6, 5, 4);
        case ScreenId::Guidelines: return std::make_unique<GuidelinesScreen>(program);
        case ScreenId::FullDepthPrint:
            return std::make_unique<PrintScreen>(program, ScreenId::FullDepthPrint, ScreenId::FullDepthResult,
                                                 FormKind::FullDepth);
        case ScreenId::OverlayPrint:
            return std::make_unique<PrintScreen>(program, ScreenId::OverlayPrint, ScreenId::OverlayResult,
                                                 FormKind::Overlay);
        case ScreenId::LeastCost: return std::make_unique<LeastCostScreen>(program);
    }
    return std::make_unique<Screen>();
}

}  // namespace korvelle
