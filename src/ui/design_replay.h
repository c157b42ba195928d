#pragma once

#include <memory>
#include <string>
#include <vector>

#include "county_table.h"
#include "desktop.h"
#include "file/design_file.h"
#include "memory_view.h"
#include "program.h"

namespace korvelle {

// A desktop for a run nobody sees: it keeps the messages, goes on with the
// values the designer went on with (Yes), and never quits.
class QuietDesktop : public Desktop {
public:
    explicit QuietDesktop(CalendarDate today) : today_(today) {}
    void Beep() override {}
    void ShowMessage(const std::string& text, const std::string&, MessageStyle) override {
        messages.push_back(text);
    }
    Answer Ask(const std::string&, const std::string&, Question kind) override {
        return kind == Question::YesNo ? Answer::Yes : Answer::Discard;
    }
    void Quit() override {}
    CalendarDate Today() override { return today_; }

    std::vector<std::string> messages;

private:
    CalendarDate today_;
};

// Windows that are never shown: every screen's controls kept in memory.
class MemoryWindows : public WindowSystem {
public:
    FormView& Create(ScreenId id, Screen&) override { return views_[static_cast<int>(id)]; }
    void Show(ScreenId) override {}
    void Hide(ScreenId) override {}
    void Destroy(ScreenId) override {}

private:
    std::array<MemoryView, kScreenCount> views_;
};

// One run of the program on memory windows, to replay a design on.
struct HeadlessRun {
    HeadlessRun(CalendarDate today, const std::vector<CountyEntry>& counties);
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    DesignRecord record;
    QuietDesktop desktop;
    MemoryWindows windows;
    Program program;
};

// A result saved in a design file that computes differently now: what it is
// ("Required SN", "COURSE 3 structural value") and both texts as shown.
struct ResultDifference {
    std::string what;
    std::string saved;
    std::string now;
    // "Required SN: saved 4.92, now 4.93"; an empty text shows as "(blank)".
    std::string Text() const;
};

// A design replayed: the run it was replayed on, or why it could not be.
struct Replay {
    std::unique_ptr<HeadlessRun> run;
    std::string refusal;                        // empty: replayed
    std::vector<ResultDifference> differences;  // results saved and computed now, in the result screen's order
};

// Fills every screen of a new run as the file says, then confirms the data
// screens before the file's stage through their own CONTINUE, and when the
// designer stood past an accepted structure, evaluates it through its entry
// screen's CONTINUE and compares the results with those saved.  So a file
// brings in nothing that typing could not: a value a screen refuses refuses
// the file, naming the screen and the field, with the screen's own message.
Replay ReplayDesign(const DesignFile& file, CalendarDate today, const std::vector<CountyEntry>& counties);

// Makes the program hold the replayed design: the record, every screen (a
// screen the design never used goes back to how it first shows), the
// accepted structure; the program then stands on the design's stage screen.
void TakeOverReplay(Program& program, HeadlessRun& run, DesignStage stage);

}  // namespace korvelle
