#pragma once

// A window without a display, for driving the screen logic in tests and
// fuzz targets alike.

#include <map>
#include <string>

#include "ui/form_view.h"

namespace korvelle {

// The controls of one window: texts, choices and the focus.
class FakeView : public FormView {
public:
    std::string Text(int control) const override {
        auto it = texts.find(control);
        return it == texts.end() ? std::string() : it->second;
    }
    void SetText(int control, const std::string& text) override { texts[control] = text; }
    int Choice(int control) const override {
        auto it = choices.find(control);
        return it == choices.end() ? -1 : it->second;
    }
    void SetChoice(int control, int value) override { choices[control] = value; }
    void Focus(int control) override {
        focus = control;
        ++focusMoves;
    }

    std::map<int, std::string> texts;
    std::map<int, int> choices;
    int focus = -1;
    int focusMoves = 0;
};

}  // namespace korvelle
