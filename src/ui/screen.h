#pragma once

#include "form_view.h"

namespace korvelle {

// Keys as character codes.
inline constexpr int kEnterKey = 13;
inline constexpr int kCommaKey = 44;

// The logic of one screen: what happens on each event of its controls.
class Screen {
public:
    virtual ~Screen() = default;

    // The window has been built; runs once, before it is first shown.
    void Attach(FormView& view) {
        view_ = &view;
        Load();
    }
    bool Attached() const { return view_ != nullptr; }
    FormView& view() { return *view_; }

    // A key is about to reach a field; true discards it.
    virtual bool KeyPress(int /*control*/, int /*key*/) { return false; }
    virtual void Click(int /*control*/) {}
    virtual void DoubleClick(int control) { Click(control); }
    // A list's selection or a scroll bar's position has changed.
    virtual void Changed(int /*control*/) {}
    // The window's close box.
    virtual void CloseBox() {}
    // The window has just been shown.
    virtual void Shown() {}
    // A new design: the screen's controls as it first shows them, and nothing
    // of the design the logic itself keeps.
    virtual void Reset() {
        view().Clear();
        Load();
    }

protected:
    virtual void Load() {}

private:
    FormView* view_ = nullptr;
};

}  // namespace korvelle
