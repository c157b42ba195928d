#pragma once

#include <map>
#include <string>

#include "form_view.h"

namespace korvelle {

// The controls of a window that is never shown: texts, choices and the
// focus, kept in memory.  The tests and the fuzz targets run the screens on
// them.
class MemoryView : public FormView {
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
    void SetEnabled(int control, bool on) override { enabled[control] = on; }
    bool Enabled(int control) const {
        auto it = enabled.find(control);
        return it == enabled.end() || it->second;
    }
    void Clear() override {
        texts.clear();
        choices.clear();
    }

    std::map<int, std::string> texts;
    std::map<int, int> choices;
    std::map<int, bool> enabled;
    int focus = -1;
    int focusMoves = 0;
};

}  // namespace korvelle
