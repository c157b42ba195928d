#pragma once

// One run of the program on windows nobody sees, without a test framework:
// for the benchmarks, which open and save designs as the desktop does.

#include <array>
#include <string>
#include <vector>

#include "ui/county_table.h"
#include "ui/desktop.h"
#include "ui/memory_view.h"
#include "ui/program.h"
#include "ui/worksheets.h"

namespace korvelle {

// A desktop nobody answers: it keeps the messages, goes on where a question
// offers it (Yes, Discard), and never quits.
class QuietDesktop : public Desktop {
public:
    void Beep() override {}
    void ShowMessage(const std::string& text, const std::string&, MessageStyle) override { messages.push_back(text); }
    Answer Ask(const std::string&, const std::string&, Question kind) override {
        return kind == Question::YesNo ? Answer::Yes : Answer::Discard;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void Quit() override {}
    CalendarDate Today() override { return {2026, 12, 9}; }

    std::vector<std::string> messages;
};

// Every screen's controls kept in memory.
class MemoryWindows : public WindowSystem {
public:
    FormView& Create(ScreenId id, Screen&) override { return views_[static_cast<int>(id)]; }
    void Show(ScreenId) override {}
    void Hide(ScreenId) override {}
    void Destroy(ScreenId) override {}

private:
    std::array<MemoryView, kScreenCount> views_;
};

struct MemoryProgram {
    explicit MemoryProgram(const std::vector<CountyEntry>& counties) {
        program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(counties);
        program.Start();
    }
    DesignRecord record;
    QuietDesktop desktop;
    MemoryWindows windows;
    Program program{record, desktop, windows};
};

}  // namespace korvelle
