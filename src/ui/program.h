#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "core/design_record.h"
#include "core/unit_costs.h"
#include "design_rules.h"
#include "desktop.h"
#include "file/design_file.h"
#include "form_view.h"
#include "screen.h"
#include "screen_id.h"

namespace korvelle {

// The desktop's windows, one per screen.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Builds the screen's window, wired to its logic, and returns its view.
    virtual FormView& Create(ScreenId id, Screen& logic) = 0;
    // Shows the window and brings it to the front.
    virtual void Show(ScreenId id) = 0;
    virtual void Hide(ScreenId id) = 0;
    virtual void Destroy(ScreenId id) = 0;
};

class DesignDocument;

// The structure the designer accepted last: its result as computed, and the
// entries it was computed from.  It stays current while those entries stand.
struct Acceptance {
    AcceptedStructure result;
    // None for an acceptance a file brought in as stale: it stays stale until
    // the designer accepts a structure again.
    std::optional<AcceptanceBasis> basis;
};

// One run of the program: the design record, the logic of every screen, and
// the rules by which screens come and go.  A screen's window is created the
// first time it is needed and afterwards only hidden and shown, keeping its
// contents; only the start-up and information screens are destroyed.
class Program {
public:
    Program(DesignRecord& record, Desktop& desktop, WindowSystem& windows);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the start-up screen, whose load step prepares the design record.
    void Start();

    DesignRecord& record() { return record_; }
    Desktop& desktop() { return desktop_; }

    Screen& logic(ScreenId id) { return *screens_[Index(id)]; }
    template <typename T>
    T& logic(ScreenId id) {
        return static_cast<T&>(logic(id));
    }
    // The screen's view; its window is created on first use.
    FormView& view(ScreenId id);
    bool created(ScreenId id) const { return created_[Index(id)]; }
    bool destroyed(ScreenId id) const { return destroyed_[Index(id)]; }

    void Show(ScreenId id);
    void Hide(ScreenId id);
    // Shows the screen and hides every other; the start-up and information
    // screens go for good.
    void ShowOnly(ScreenId id);
    // The screen of the design the designer stands on (a worksheet counts;
    // the guidelines and the least-cost window, beside an entry screen, do
    // not).
    ScreenId current() const { return current_; }
    // The structure accepted last, current or stale, if any.
    const std::optional<Acceptance>& acceptance() const { return acceptance_; }
    void SetAcceptance(std::optional<Acceptance> acceptance) { acceptance_ = std::move(acceptance); }
    // The result screen of the structure accepted last, if any.
    std::optional<ScreenId> accepted() const;
    // ACCEPT on a result screen: the sheet it shows, computed from the
    // entries as they stand now.
    void Accept(ScreenId result);
    // Whether the accepted structure still matches the entries it was
    // computed from (false when none was accepted).
    bool AcceptanceCurrent();
    // Shows the next screen first, then hides the current one.
    void Move(ScreenId from, ScreenId to);
    // Shows the next screen, then closes and destroys the current one.
    void MoveAndDestroy(ScreenId from, ScreenId to);
    // QUIT on a screen of the design: with changes not saved, asks first
    // whether to save them.
    void Quit();
    // Ends the program without a question (the start-up and information
    // screens, before anything can have been entered).
    void QuitNow() { desktop_.Quit(); }

    // The design's file: saving, opening, changes since.
    DesignDocument& document() { return *document_; }

    // The alternative structures kept, in the order kept.
    std::vector<Alternative>& alternatives() { return alternatives_; }

    // The agency's unit-cost table, or why there is none to use.
    void SetUnitCosts(std::optional<UnitCostTable> table, std::string problem = {}) {
        unitCosts_ = std::move(table);
        unitCostProblem_ = std::move(problem);
    }
    const UnitCostTable* unitCosts() const { return unitCosts_ ? &*unitCosts_ : nullptr; }
    const std::string& unitCostProblem() const { return unitCostProblem_; }
    // The cost of an entry screen's rows as they stand, "$41.25 per sq. yd.";
    // empty when there is no table or a new course is not priced.
    std::string CostOf(const StructureRules& rules, std::span<const CourseEntry> rows) const;

private:
    static int Index(ScreenId id) { return static_cast<int>(id); }

    DesignRecord& record_;
    Desktop& desktop_;
    WindowSystem& windows_;
    std::array<std::unique_ptr<Screen>, kScreenCount> screens_;
    std::array<bool, kScreenCount> created_{};
    std::array<bool, kScreenCount> destroyed_{};
    ScreenId current_ = ScreenId::Startup;
    std::optional<Acceptance> acceptance_;
    std::optional<UnitCostTable> unitCosts_;
    std::vector<Alternative> alternatives_;
    std::string unitCostProblem_ = "no unit-cost table was read";
    std::unique_ptr<DesignDocument> document_;
};

}  // namespace korvelle
