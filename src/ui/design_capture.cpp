#include "design_capture.h"

#include <algorithm>

#include "core/number_format.h"
#include "data_screens.h"
#include "structure_screens.h"
#include "worksheets.h"

namespace korvelle {

namespace {

// The texts of the first `N` controls of a screen, or `initial` when the
// screen was never shown.
template <std::size_t N>
std::array<std::string, N> Texts(Program& program, ScreenId id, const std::array<std::string, N>& initial) {
    if (!program.created(id)) return initial;
    std::array<std::string, N> texts;
    for (std::size_t i = 0; i < N; ++i) texts[i] = program.view(id).Text(static_cast<int>(i));
    return texts;
}

// The course rows of a structure entry screen; nothing when the screen was
// never shown or holds nothing.
template <std::size_t N>
std::optional<std::array<CourseRow, N>> Courses(Program& program, ScreenId id) {
    if (!program.created(id)) return std::nullopt;
    auto& screen = program.logic<StructureEntryScreen>(id);
    FormView& view = program.view(id);
    std::array<CourseRow, N> rows;
    bool any = false;
    for (int r = 0; r < static_cast<int>(N); ++r) {
        CourseRow& row = rows[static_cast<std::size_t>(r)];
        row.position = view.Choice(screen.List(r));
        row.material = screen.MaterialName(r, row.position);
        if (row.material.empty()) row.position = -1;
        row.thickness = view.Text(screen.Thickness(r));
        any = any || row.position >= 0 || !row.thickness.empty();
    }
    if (!any) return std::nullopt;
    return rows;
}

DesignStage StageOf(ScreenId id) {
    switch (id) {
        case ScreenId::DesignData:
        case ScreenId::EsalWorksheet:
        case ScreenId::LdfWorksheet:
        case ScreenId::CountyWorksheet: return DesignStage::DesignData;
        case ScreenId::DesignerInformation: return DesignStage::DesignerInformation;
        case ScreenId::MainMenu:
        case ScreenId::FullDepthPrint:
        case ScreenId::OverlayPrint: return DesignStage::MainMenu;
        case ScreenId::FullDepthEntry:
        case ScreenId::FullDepthResult: return DesignStage::FullDepthEntry;
        case ScreenId::OverlayEntry:
        case ScreenId::OverlayResult: return DesignStage::OverlayEntry;
        default: return DesignStage::ProjectInformation;
    }
}

}  // namespace

ScreenId StageScreen(DesignStage stage) {
    switch (stage) {
        case DesignStage::ProjectInformation: return ScreenId::ProjectInformation;
        case DesignStage::DesignData: return ScreenId::DesignData;
        case DesignStage::DesignerInformation: return ScreenId::DesignerInformation;
        case DesignStage::MainMenu: return ScreenId::MainMenu;
        case DesignStage::FullDepthEntry: return ScreenId::FullDepthEntry;
        case DesignStage::OverlayEntry: return ScreenId::OverlayEntry;
    }
    return ScreenId::ProjectInformation;
}

DesignFile CaptureDesign(Program& program) {
    using D = DesignDataScreen;
    using G = DesignerInformationScreen;
    DesignFile file;
    file.project = Texts<9>(program, ScreenId::ProjectInformation, {});
    std::array<std::string, 7> designDefaults{};
    designDefaults[D::kTerminalServiceability] = std::string(D::kDefaultServiceability);
    designDefaults[D::kSingleUnitEsal] = std::string(D::kDefaultSingleUnitEsal);
    designDefaults[D::kMultiUnitEsal] = std::string(D::kDefaultMultiUnitEsal);
    file.designData = Texts<7>(program, ScreenId::DesignData, designDefaults);
    const CalendarDate today = program.desktop().Today();
    file.designer = Texts<3>(program, ScreenId::DesignerInformation,
                             {"", "", FormatLongDate(today.year, today.month, today.day)});
    if (program.created(ScreenId::DesignerInformation)) {
        file.office = std::max(0, program.view(ScreenId::DesignerInformation).Choice(G::kOffice));
    }
    if (program.created(ScreenId::LdfWorksheet)) {
        file.ldfWorksheetEntry = program.view(ScreenId::LdfWorksheet).Text(LdfWorksheet::kEntry);
    }
    if (program.created(ScreenId::CountyWorksheet)) {
        FormView& county = program.view(ScreenId::CountyWorksheet);
        const auto& table = program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
        const int chosen = county.Choice(CountyWorksheet::kList);
        if (chosen >= 0 && chosen < static_cast<int>(table.size())) file.county = table[chosen].name;
        file.countySoilSupport = county.Text(CountyWorksheet::kSoilSupport);
        file.countyRegionalFactor = county.Text(CountyWorksheet::kRegionalFactor);
    }
    file.fullDepth = Courses<kFullDepthCourses>(program, ScreenId::FullDepthEntry);
    file.overlay = Courses<kOverlayCourses + kExistingCourses>(program, ScreenId::OverlayEntry);
    file.stage = StageOf(program.current());
    if (file.stage == DesignStage::MainMenu && program.accepted()) {
        const ScreenId result = *program.accepted();
        AcceptedStructure accepted;
        accepted.kind = result == ScreenId::OverlayResult ? StructureKind::Overlay : StructureKind::FullDepth;
        accepted.designLoading = FormatNumber(program.record().designLoading, "###,###,###");
        accepted.sheet = program.logic<ResultScreen>(result).Displayed();
        file.accepted = accepted;
    }
    return file;
}

bool SameEntries(const DesignFile& a, const DesignFile& b) {
    auto entries = [](const DesignFile& f) {
        return std::tie(f.project, f.designData, f.designer, f.office, f.ldfWorksheetEntry, f.county,
                        f.countySoilSupport, f.countyRegionalFactor, f.fullDepth, f.overlay);
    };
    return entries(a) == entries(b);
}

}  // namespace korvelle
