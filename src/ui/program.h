#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "core/design_record.h"
#include "desktop.h"
#include "form_view.h"
#include "screen.h"
#include "screen_id.h"

namespace korvelle {

inline constexpr std::string_view kQuitQuestion = "Quit Korvelle? The design entered will be lost.";
inline constexpr std::string_view kQuitTitle = "QUIT";

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
    // Shows the next screen first, then hides the current one.
    void Move(ScreenId from, ScreenId to);
    // Shows the next screen, then closes and destroys the current one.
    void MoveAndDestroy(ScreenId from, ScreenId to);
    // QUIT on a screen of the design: once anything has been entered, asks
    // first whether to quit and lose it.
    void Quit();
    // Ends the program without a question (the start-up and information
    // screens, before anything can have been entered).
    void QuitNow() { desktop_.Quit(); }
    // Whether the designer has entered anything that quitting would lose.
    bool AnythingEntered();

private:
    static int Index(ScreenId id) { return static_cast<int>(id); }

    DesignRecord& record_;
    Desktop& desktop_;
    WindowSystem& windows_;
    std::array<std::unique_ptr<Screen>, kScreenCount> screens_;
    std::array<bool, kScreenCount> created_{};
    std::array<bool, kScreenCount> destroyed_{};
};

}  // namespace korvelle
