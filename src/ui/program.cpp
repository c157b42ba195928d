#include "program.h"

#include "design_capture.h"
#include "design_document.h"
#include "screens.h"
#include "structure_screens.h"

namespace korvelle {

Program::Program(DesignRecord& record, Desktop& desktop, WindowSystem& windows)
    : record_(record), desktop_(desktop), windows_(windows) {
    for (int i = 0; i < kScreenCount; ++i) screens_[i] = MakeScreen(static_cast<ScreenId>(i), *this);
    document_ = std::make_unique<DesignDocument>(*this);
}

Program::~Program() = default;

void Program::Start() { Show(ScreenId::Startup); }

std::optional<ScreenId> Program::accepted() const {
    if (!acceptance_) return std::nullopt;
    return acceptance_->result.kind == StructureKind::Overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult;
}

void Program::Accept(ScreenId result) {
    const StructureKind kind = result == ScreenId::OverlayResult ? StructureKind::Overlay : StructureKind::FullDepth;
    acceptance_ = Acceptance{korvelle::Accepted(kind, logic<ResultScreen>(result).Displayed(), record_),
                             BasisOf(CaptureDesign(*this), kind)};
}

std::string Program::CostOf(const StructureRules& rules, std::span<const CourseEntry> rows) const {
    if (!unitCosts_) return {};
    const std::optional<QuarterCents> cost = StructureCost(ToEvaluate(rules, rows), *unitCosts_);
    return cost ? CostText(*cost) : std::string();
}

bool Program::AcceptanceCurrent() {
    const DesignFile design = CaptureDesign(*this);
    return design.accepted && design.accepted->current;
}

FormView& Program::view(ScreenId id) {
    Screen& screen = logic(id);
    if (!created_[Index(id)]) {
        created_[Index(id)] = true;
        screen.Attach(windows_.Create(id, screen));
    }
    return screen.view();
}

void Program::Show(ScreenId id) {
    if (destroyed_[Index(id)]) return;  // the start-up and information screens never come back
    view(id);
    windows_.Show(id);
    if (id != ScreenId::Guidelines && id != ScreenId::LeastCost) current_ = id;
    logic(id).Shown();
}

void Program::Hide(ScreenId id) {
    if (created_[Index(id)] && !destroyed_[Index(id)]) windows_.Hide(id);
}

void Program::Quit() {
    if (document_->MayEnd(DesignDocument::kQuitting)) desktop_.Quit();
}

void Program::ShowOnly(ScreenId id) {
    Show(id);
    for (int i = 0; i < kScreenCount; ++i) {
        const auto other = static_cast<ScreenId>(i);
        if (other == id || !created_[i] || destroyed_[i]) continue;
        if (other == ScreenId::Startup || other == ScreenId::Information) {
            destroyed_[i] = true;
            windows_.Destroy(other);
        } else {
            windows_.Hide(other);
        }
    }
}

void Program::Move(ScreenId from, ScreenId to) {
    Show(to);
    Hide(from);
}

void Program::MoveAndDestroy(ScreenId from, ScreenId to) {
    Show(to);
    if (created_[Index(from)] && !destroyed_[Index(from)]) {
        destroyed_[Index(from)] = true;
        windows_.Destroy(from);
    }
}

}  // namespace korvelle
