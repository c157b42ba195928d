#include "design_capture.h"

#include <algorithm>

#include "core/number_format.h"
#include "design_rules.h"
#include "data_screens.h"
#include "print_screen.h"
#include "startup_screens.h"
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
    const std::vector<CourseRow> rows = EntryRows(program, id);
    if (std::all_of(rows.begin(), rows.end(), [](const CourseRow& row) { return row.position < 0 && row.thickness.empty(); })) {
        return std::nullopt;
    }
    std::array<CourseRow, N> courses;
    std::copy_n(rows.begin(), N, courses.begin());
    return courses;
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

std::vector<CourseRow> EntryRows(Program& program, ScreenId id) {
    auto& screen = program.logic<StructureEntryScreen>(id);
    FormView& view = program.view(id);
    std::vector<CourseRow> rows(static_cast<std::size_t>(screen.rows()));
    for (int r = 0; r < screen.rows(); ++r) {
        CourseRow& row = rows[static_cast<std::size_t>(r)];
        row.position = view.Choice(screen.List(r));
        row.material = screen.MaterialName(r, row.position);
        if (row.material.empty()) row.position = -1;
        row.thickness = view.Text(screen.Thickness(r));
    }
    return rows;
}

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

namespace {

template <std::size_t N>
void SetTexts(Program& program, ScreenId id, const std::array<std::string, N>& texts) {
    FormView& view = program.view(id);
    for (std::size_t i = 0; i < N; ++i) view.SetText(static_cast<int>(i), texts[i]);
}

// An evaluated structure on its result screen, accepted onto its print
// screen as the designer had it.
void ShowEvaluation(Program& program, const DesignFile& file, const std::optional<Evaluation>& evaluation,
                    StructureKind kind) {
    if (!evaluation) return;
    const bool overlay = kind == StructureKind::Overlay;
    const ScreenId result = overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult;
    const ScreenId print = overlay ? ScreenId::OverlayPrint : ScreenId::FullDepthPrint;
    const std::vector<CourseEntry> rows = overlay ? CourseEntries(*file.overlay) : CourseEntries(*file.fullDepth);
    program.view(result);
    program.logic<ResultScreen>(result).Fill(evaluation->sheet, evaluation->numbers, program.CostOf(RulesOf(kind), rows));
    program.view(print);
    program.logic<PrintScreen>(print).ResultAccepted();
}

}  // namespace

void ShowDesign(Program& program, const DesignFile& file, const CheckedDesign& checked) {
    using G = DesignerInformationScreen;
    for (ScreenId id : {ScreenId::ProjectInformation, ScreenId::DesignData, ScreenId::DesignerInformation,
                        ScreenId::EsalWorksheet, ScreenId::LdfWorksheet, ScreenId::CountyWorksheet,
                        ScreenId::FullDepthEntry, ScreenId::OverlayEntry, ScreenId::FullDepthResult,
                        ScreenId::OverlayResult}) {
        if (program.created(id)) program.logic(id).Reset();
    }
    program.record() = checked.record;
    SetTexts(program, ScreenId::ProjectInformation, file.project);
    SetTexts(program, ScreenId::DesignData, file.designData);
    SetTexts(program, ScreenId::DesignerInformation, file.designer);
    program.view(ScreenId::DesignerInformation).SetChoice(G::kOffice, file.office);
    program.view(ScreenId::LdfWorksheet).SetText(LdfWorksheet::kEntry, file.ldfWorksheetEntry);
    FormView& county = program.view(ScreenId::CountyWorksheet);
    const auto& table = program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
    const auto chosen = std::find_if(table.begin(), table.end(), [&](const CountyEntry& e) { return e.name == file.county; });
    if (!file.county.empty() && chosen != table.end()) {
        county.SetChoice(CountyWorksheet::kList, static_cast<int>(chosen - table.begin()));
    }
    county.SetText(CountyWorksheet::kSoilSupport, file.countySoilSupport);
    county.SetText(CountyWorksheet::kRegionalFactor, file.countyRegionalFactor);
    if (file.fullDepth) {
        program.view(ScreenId::FullDepthEntry);
        program.logic<StructureEntryScreen>(ScreenId::FullDepthEntry).SetRows(*file.fullDepth);
    }
    if (file.overlay) {
        program.view(ScreenId::OverlayEntry);
        program.logic<StructureEntryScreen>(ScreenId::OverlayEntry).SetRows(*file.overlay);
    }
    // The other structure was accepted before the one accepted last.
    const bool overlayLast = checked.accepted && checked.accepted->kind == StructureKind::Overlay;
    if (overlayLast) ShowEvaluation(program, file, checked.fullDepth, StructureKind::FullDepth);
    ShowEvaluation(program, file, checked.overlay, StructureKind::Overlay);
    if (!overlayLast) ShowEvaluation(program, file, checked.fullDepth, StructureKind::FullDepth);
    if (program.created(ScreenId::MainMenu) || file.stage == DesignStage::MainMenu) {
        program.view(ScreenId::MainMenu).SetChoice(MainMenu::kOptions, program.record().menuChoice);
    }
    std::optional<Acceptance> acceptance;
    if (checked.accepted) {
        acceptance = Acceptance{*checked.accepted, std::nullopt};
        if (checked.accepted->current) acceptance->basis = BasisOf(file, checked.accepted->kind);
    }
    program.SetAcceptance(std::move(acceptance));
    program.alternatives() = file.alternatives;
    program.ShowOnly(StageScreen(file.stage));
}

DesignFile NewDesign(CalendarDate today) {
    using D = DesignDataScreen;
    DesignFile file;
    file.designData[D::kTerminalServiceability] = std::string(D::kDefaultServiceability);
    file.designData[D::kSingleUnitEsal] = std::string(D::kDefaultSingleUnitEsal);
    file.designData[D::kMultiUnitEsal] = std::string(D::kDefaultMultiUnitEsal);
    file.designer[DesignerInformationScreen::kDate] = FormatLongDate(today.year, today.month, today.day);
    return file;
}

DesignFile CaptureDesign(Program& program) {
    using G = DesignerInformationScreen;
    const DesignFile initial = NewDesign(program.desktop().Today());
    DesignFile file;
    file.project = Texts(program, ScreenId::ProjectInformation, initial.project);
    file.designData = Texts(program, ScreenId::DesignData, initial.designData);
    file.designer = Texts(program, ScreenId::DesignerInformation, initial.designer);
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
    file.alternatives = program.alternatives();
    if (const std::optional<Acceptance>& acceptance = program.acceptance()) {
        file.accepted = acceptance->result;
        file.accepted->current = acceptance->basis && *acceptance->basis == BasisOf(file, acceptance->result.kind);
    }
    return file;
}

bool SameEntries(const DesignFile& a, const DesignFile& b) {
    auto entries = [](const DesignFile& f) {
        return std::tie(f.project, f.designData, f.designer, f.office, f.ldfWorksheetEntry, f.county,
                        f.countySoilSupport, f.countyRegionalFactor, f.fullDepth, f.overlay, f.alternatives);
    };
    return entries(a) == entries(b);
}

bool SameDesign(const DesignFile& a, const DesignFile& b) { return SameEntries(a, b) && a.accepted == b.accepted; }

}  // namespace korvelle
