#include "design_replay.h"

#include <cmath>

#include "core/number_format.h"
#include "core/number_text.h"
#include "data_screens.h"
#include "design_capture.h"
#include "field_rules.h"
#include "startup_screens.h"
#include "structure_screens.h"
#include "worksheets.h"

namespace korvelle {

namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;
using G = DesignerInformationScreen;

// The data screens in the order the designer confirms them, with the name a
// refusal gives them.
struct ChainScreen {
    ScreenId id;
    DesignStage stage;  // the stage the designer stands on while on it
    const char* name;
    int continueButton;
};
constexpr ChainScreen kChain[] = {
    {ScreenId::ProjectInformation, DesignStage::ProjectInformation, "Project information", P::kContinue},
    {ScreenId::DesignData, DesignStage::DesignData, "Design data", D::kContinue},
    {ScreenId::DesignerInformation, DesignStage::DesignerInformation, "Designer information", G::kContinue},
};

// Fills the first fields of a screen with the texts; refuses a text longer
// than its field can hold.
template <std::size_t N>
std::string FillFields(Program& program, ScreenId id, const char* screen, std::span<const FieldRule* const> rules,
                       const std::array<std::string, N>& texts) {
    FormView& view = program.view(id);
    for (std::size_t i = 0; i < N; ++i) {
        if (i < rules.size() && rules[i]->maxLength > 0 &&
            CharacterCount(texts[i]) > static_cast<std::size_t>(rules[i]->maxLength)) {
            return std::string(screen) + ", " + std::string(rules[i]->caption) + ": holds at most " +
                   std::to_string(rules[i]->maxLength) + " characters";
        }
        view.SetText(static_cast<int>(i), texts[i]);
    }
    return {};
}

// The scroll bar of a course row stands where the thickness puts it: whole
// quarter inches within its range.
int ScrollPosition(const std::string& thickness, int maximum) {
    const std::optional<double> inches = ParseNumber(thickness);
    if (!inches || !std::isfinite(*inches)) return 0;
    const double quarters = std::round(*inches * 4.0);
    return static_cast<int>(std::clamp(quarters, 0.0, static_cast<double>(maximum)));
}

template <std::size_t N>
void FillCourses(Program& program, ScreenId id, const std::array<CourseRow, N>& rows) {
    auto& screen = program.logic<StructureEntryScreen>(id);
    FormView& view = program.view(id);
    for (int r = 0; r < static_cast<int>(N); ++r) {
        const CourseRow& row = rows[static_cast<std::size_t>(r)];
        view.SetChoice(screen.List(r), row.position);
        view.SetText(screen.Thickness(r), row.thickness);
        view.SetChoice(screen.Scroll(r), ScrollPosition(row.thickness, screen.row(r).scrollMaximum));
    }
}

// The field a refused CONTINUE points at: the one given the focus, else the
// first required field that is empty or not a number of its kind.
std::string RefusedField(FieldScreen& screen, MemoryView& view, int focusMovesBefore) {
    if (view.focusMoves != focusMovesBefore && view.focus >= 0 &&
        view.focus < static_cast<int>(screen.fields().size())) {
        return std::string(screen.fields()[view.focus]->caption);
    }
    for (std::size_t i = 0; i < screen.fields().size(); ++i) {
        const FieldRule& rule = *screen.fields()[i];
        if (!rule.numeric()) continue;
        const std::string text = view.Text(static_cast<int>(i));
        if (text.empty() || !ConvertField(rule, text)) return std::string(rule.caption);
    }
    return {};
}

// Presses CONTINUE on a screen; the screen's message when it refuses.
std::string Confirm(HeadlessRun& run, ScreenId id, int button) {
    auto& view = static_cast<MemoryView&>(run.program.view(id));
    const int focusMoves = view.focusMoves;
    run.desktop.messages.clear();
    run.program.logic(id).Click(button);
    if (run.desktop.messages.empty()) return {};
    std::string where;
    for (const ChainScreen& chain : kChain) {
        if (chain.id != id) continue;
        where = chain.name;
        const std::string field = RefusedField(run.program.logic<FieldScreen>(id), view, focusMoves);
        if (!field.empty()) where += ", " + field;
    }
    if (where.empty()) where = id == ScreenId::OverlayEntry ? "Proposed overlay" : "Proposed pavement structure";
    return where + ": " + run.desktop.messages.front();
}

// "COURSE 3", "overlay COURSE 1", "existing COURSE 2".
std::string RowName(StructureKind kind, std::size_t row) {
    if (kind == StructureKind::FullDepth) return "COURSE " + std::to_string(row + 1);
    if (row < kOverlayCourses) return "overlay COURSE " + std::to_string(row + 1);
    return "existing COURSE " + std::to_string(row - kOverlayCourses + 1);
}

constexpr const char* kCellNames[] = {"material",
                                      "thickness (inches)",
                                      "thickness (mm)",
                                      "structural coefficient",
                                      "structural value",
                                      "second part thickness (inches)",
                                      "second part thickness (mm)",
                                      "second part structural coefficient",
                                      "second part structural value"};

void Compare(std::vector<ResultDifference>& differences, const std::string& what, const std::string& saved,
             const std::string& now) {
    if (saved != now) differences.push_back({what, saved, now});
}

std::vector<ResultDifference> Differences(const AcceptedStructure& saved, const AcceptedStructure& now) {
    std::vector<ResultDifference> differences;
    Compare(differences, "Design loading", saved.designLoading, now.designLoading);
    Compare(differences, "Required SN", saved.sheet.requiredSn, now.sheet.requiredSn);
    for (std::size_t r = 0; r < saved.sheet.rows.size() && r < now.sheet.rows.size(); ++r) {
        for (std::size_t c = 0; c < saved.sheet.rows[r].size(); ++c) {
            Compare(differences, RowName(saved.kind, r) + " " + kCellNames[c], saved.sheet.rows[r][c],
                    now.sheet.rows[r][c]);
        }
    }
    Compare(differences, "Proposed SN", saved.sheet.proposedSn, now.sheet.proposedSn);
    Compare(differences, "Difference", saved.sheet.difference, now.sheet.difference);
    Compare(differences, "Verdict", saved.sheet.verdict, now.sheet.verdict);
    return differences;
}

// CONTINUE on a structure entry screen and ACCEPT on its result; the entry
// screen's refusal, or nothing.
std::string EvaluateAndAccept(HeadlessRun& run, bool overlay) {
    const ScreenId entry = overlay ? ScreenId::OverlayEntry : ScreenId::FullDepthEntry;
    const ScreenId result = overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult;
    std::string refusal = Confirm(run, entry, run.program.logic<StructureEntryScreen>(entry).ContinueButton());
    if (!refusal.empty()) return refusal;
    auto& resultScreen = run.program.logic<ResultScreen>(result);
    resultScreen.Click(resultScreen.AcceptButton());
    return {};
}

// Fills every screen as the file says; the first refusal, or nothing.
std::string Fill(HeadlessRun& run, const DesignFile& file) {
    Program& program = run.program;
    if (auto refused = FillFields(program, ScreenId::ProjectInformation, "Project information",
                                  ProjectInformationFields(), file.project);
        !refused.empty()) {
        return refused;
    }
    if (auto refused = FillFields(program, ScreenId::DesignData, "Design data", DesignDataFields(), file.designData);
        !refused.empty()) {
        return refused;
    }
    const std::array<const FieldRule*, 3> designerRules = {&fields::kDesignerName, &fields::kComments,
                                                           &fields::kDesignDate};
    if (auto refused = FillFields(program, ScreenId::DesignerInformation, "Designer information",
                                  std::span<const FieldRule* const>(designerRules), file.designer);
        !refused.empty()) {
        return refused;
    }
    program.view(ScreenId::DesignerInformation).SetChoice(G::kOffice, file.office);
    program.logic(ScreenId::DesignerInformation).Click(G::kOffice);

    program.view(ScreenId::LdfWorksheet).SetText(LdfWorksheet::kEntry, file.ldfWorksheetEntry);
    FormView& county = program.view(ScreenId::CountyWorksheet);
    if (!file.county.empty()) {
        const auto& table = program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
        auto found = std::find_if(table.begin(), table.end(), [&](const CountyEntry& e) { return e.name == file.county; });
        if (found == table.end()) return "County worksheet: \"" + file.county + "\" is not in the county table";
        county.SetChoice(CountyWorksheet::kList, static_cast<int>(found - table.begin()));
    }
    county.SetText(CountyWorksheet::kSoilSupport, file.countySoilSupport);
    county.SetText(CountyWorksheet::kRegionalFactor, file.countyRegionalFactor);

    if (file.fullDepth) FillCourses(program, ScreenId::FullDepthEntry, *file.fullDepth);
    if (file.overlay) FillCourses(program, ScreenId::OverlayEntry, *file.overlay);
    return {};
}

}  // namespace

std::string ResultDifference::Text() const {
    auto shown = [](const std::string& text) { return text.empty() ? std::string("(blank)") : text; };
    return what + ": saved " + shown(saved) + ", now " + shown(now);
}

HeadlessRun::HeadlessRun(CalendarDate today, const std::vector<CountyEntry>& counties)
    : desktop(today), program(record, desktop, windows) {
    program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(counties);
    program.Start();  // prepares the record as every run does
}

Replay ReplayDesign(const DesignFile& file, CalendarDate today, const std::vector<CountyEntry>& counties) {
    Replay replay;
    replay.run = std::make_unique<HeadlessRun>(today, counties);
    HeadlessRun& run = *replay.run;
    replay.refusal = Fill(run, file);
    if (!replay.refusal.empty()) return replay;

    // The data screens the designer had confirmed, confirmed again.
    const bool pastChain = file.stage == DesignStage::MainMenu || file.stage == DesignStage::FullDepthEntry ||
                           file.stage == DesignStage::OverlayEntry;
    for (const ChainScreen& chain : kChain) {
        if (!pastChain && chain.stage >= file.stage) break;
        replay.refusal = Confirm(run, chain.id, chain.continueButton);
        if (!replay.refusal.empty()) return replay;
    }

    // The structure the designer had accepted, evaluated again; before it,
    // the other structure laid out, which was accepted earlier (an entry
    // screen is left only through its result's ACCEPT), so that the record
    // and both result screens hold what they held.
    if (file.stage == DesignStage::MainMenu && file.accepted) {
        const bool overlay = file.accepted->kind == StructureKind::Overlay;
        if (!(overlay ? file.overlay.has_value() : file.fullDepth.has_value())) {
            replay.refusal = std::string("the accepted ") + (overlay ? "overlay" : "full-depth structure") +
                             " has no courses";
            return replay;
        }
        if (overlay ? file.fullDepth.has_value() : file.overlay.has_value()) {
            EvaluateAndAccept(run, !overlay);  // as far as it goes: it is not what the file is about
        }
        replay.refusal = EvaluateAndAccept(run, overlay);
        if (!replay.refusal.empty()) return replay;
        // The designer's way to the accepted structure went through its option.
        run.program.view(ScreenId::MainMenu).SetChoice(MainMenu::kOptions, overlay ? MainMenu::kOverlay : MainMenu::kFullDepth);
        run.program.logic(ScreenId::MainMenu).Click(MainMenu::kOptions);
        AcceptedStructure now;
        now.kind = file.accepted->kind;
        now.designLoading = FormatNumber(run.record.designLoading, "###,###,###");
        now.sheet = run.program.logic<ResultScreen>(overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult)
                        .Displayed();
        replay.differences = Differences(*file.accepted, now);
    }
    return replay;
}

void TakeOverReplay(Program& program, HeadlessRun& run, DesignStage stage) {
    program.record() = run.record;
    for (int i = 0; i < kScreenCount; ++i) {
        const auto id = static_cast<ScreenId>(i);
        if (id == ScreenId::Startup || id == ScreenId::Information) continue;
        if (!program.created(id) && !run.program.created(id)) continue;
        program.view(id);
        run.program.view(id);
        program.logic(id).Adopt(run.program.logic(id));
    }
    program.SetAccepted(run.program.accepted());
    program.ShowOnly(StageScreen(stage));
}

}  // namespace korvelle
