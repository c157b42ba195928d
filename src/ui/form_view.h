#pragma once

#include <string>

namespace korvelle {

// A screen's controls as its logic sees them.  Every screen numbers its own
// controls; the window behind the view keeps their state.
class FormView {
public:
    virtual ~FormView() = default;
    // Text of a field, a display cell or a label.
    virtual std::string Text(int control) const = 0;
    virtual void SetText(int control, const std::string& text) = 0;
    // Chosen position of a list (-1 for nothing chosen), the chosen option of
    // an option group, or the position of a scroll bar.
    virtual int Choice(int control) const = 0;
    virtual void SetChoice(int control, int value) = 0;
    virtual void Focus(int control) = 0;
    // Whether the control takes input (a field, a button); every control
    // does until it is set otherwise.
    virtual void SetEnabled(int control, bool enabled) = 0;
    // Empties every control: no text, nothing chosen.
    virtual void Clear() = 0;
};

}  // namespace korvelle
