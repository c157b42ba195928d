#pragma once

// Stand-ins for the windows, the desktop and the printer, so that the screen
// logic runs without a display, and a harness that drives one run of the
// program through them the way a user would.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/data_screens.h"
#include "ui/fake_view.h"
#include "ui/design_document.h"
#include "ui/desktop.h"
#include "ui/form_view.h"
#include "ui/print_screen.h"
#include "ui/program.h"
#include "ui/startup_screens.h"
#include "ui/structure_screens.h"
#include "ui/worksheets.h"

namespace korvelle {

inline const char* Name(ScreenId id) {
    switch (id) {
        case ScreenId::Startup: return "Startup";
        case ScreenId::Information: return "Information";
        case ScreenId::MainMenu: return "MainMenu";
        case ScreenId::ProjectInformation: return "ProjectInformation";
        case ScreenId::DesignData: return "DesignData";
        case ScreenId::DesignerInformation: return "DesignerInformation";
        case ScreenId::EsalWorksheet: return "EsalWorksheet";
        case ScreenId::LdfWorksheet: return "LdfWorksheet";
        case ScreenId::CountyWorksheet: return "CountyWorksheet";
        case ScreenId::FullDepthEntry: return "FullDepthEntry";
        case ScreenId::OverlayEntry: return "OverlayEntry";
        case ScreenId::FullDepthResult: return "FullDepthResult";
        case ScreenId::OverlayResult: return "OverlayResult";
        case ScreenId::Guidelines: return "Guidelines";
        case ScreenId::FullDepthPrint: return "FullDepthPrint";
        case ScreenId::OverlayPrint: return "OverlayPrint";
        case ScreenId::LeastCost: return "LeastCost";
    }
    return "?";
}
inline void PrintTo(ScreenId id, std::ostream* os) { *os << Name(id); }

struct Message {
    std::string text;
    std::string title;
    MessageStyle style = MessageStyle::Critical;
};

class FakeDesktop : public Desktop {
public:
    void Beep() override {
        ++beeps;
        events.push_back("beep");
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageStyle style) override {
        messages.push_back({text, title, style});
        events.push_back("message");
    }
    // Answers the questions in turn from `answers`; once they run out, the
    // default button (No, Cancel).
    Answer Ask(const std::string& text, const std::string& title, Question kind) override {
        questions.push_back({text, title, MessageStyle::Plain});
        events.push_back("question");
        if (!answers.empty()) {
            Answer next = answers.front();
            answers.erase(answers.begin());
            return next;
        }
        return kind == Question::YesNo ? Answer::No : Answer::Cancel;
    }
    // Answers from `texts` in turn; once they run out, cancelled.
    std::optional<std::string> AskText(const std::string& text, const std::string& title,
                                       const std::string& initial) override {
        questions.push_back({text + " [" + initial + "]", title, MessageStyle::Plain});
        events.push_back("question");
        if (texts.empty()) return std::nullopt;
        std::string next = texts.front();
        texts.erase(texts.begin());
        return next;
    }
    void Quit() override { ++quits; }
    CalendarDate Today() override { return today; }

    // The texts of the messages shown so far, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages) texts.push_back(m.text);
        return texts;
    }
    // Exactly one user error was reported: the beep, then the box with this
    // text, titled "ERROR", with the critical-stop icon.
    void ExpectOneError(std::string_view text) const {
        EXPECT_EQ(events, (std::vector<std::string>{"beep", "message"}));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].title, "ERROR");
        EXPECT_EQ(messages[0].style, MessageStyle::Critical);
    }
    void Clear() {
        beeps = 0;
        messages.clear();
        questions.clear();
        events.clear();
    }

    int beeps = 0;
    std::vector<Message> messages;
    std::vector<Message> questions;  // asked so far, in order
    std::vector<Answer> answers;     // the user's next answers, in order
    std::vector<std::string> texts;  // the user's next typed answers, in order
    std::vector<std::string> events;  // "beep", "message" and "question", in order
    int quits = 0;
    CalendarDate today{2001, 12, 1};
};

struct WindowEvent {
    enum Op { Create, Show, Hide, Destroy };
    Op op;
    ScreenId id;
    bool operator==(const WindowEvent&) const = default;
};
inline void PrintTo(const WindowEvent& e, std::ostream* os) {
    static const char* const kOps[] = {"Create", "Show", "Hide", "Destroy"};
    *os << kOps[e.op] << "(" << Name(e.id) << ")";
}

class FakeWindows : public WindowSystem {
public:
    FormView& Create(ScreenId id, Screen& /*logic*/) override {
        log.push_back({WindowEvent::Create, id});
        auto& view = views[id];
        view = std::make_unique<FakeView>();
        return *view;
    }
    void Show(ScreenId id) override {
        log.push_back({WindowEvent::Show, id});
        visible.insert(id);
        if (onShow) onShow(id);
    }
    void Hide(ScreenId id) override {
        log.push_back({WindowEvent::Hide, id});
        visible.erase(id);
    }
    void Destroy(ScreenId id) override {
        log.push_back({WindowEvent::Destroy, id});
        visible.erase(id);
        destroyed.insert(id);
    }

    bool Visible(ScreenId id) const { return visible.count(id) != 0; }
    bool Exists(ScreenId id) const { return views.count(id) != 0; }
    FakeView& View(ScreenId id) {
        auto it = views.find(id);
        if (it == views.end()) throw std::logic_error(std::string("no window for ") + Name(id));
        return *it->second;
    }
    // The events logged from `mark` (an earlier log size) on.
    std::vector<WindowEvent> Since(std::size_t mark) const {
        return std::vector<WindowEvent>(log.begin() + static_cast<std::ptrdiff_t>(mark), log.end());
    }
    int Count(WindowEvent::Op op, ScreenId id) const {
        int n = 0;
        for (const WindowEvent& e : log) n += (e.op == op && e.id == id) ? 1 : 0;
        return n;
    }

    std::map<ScreenId, std::unique_ptr<FakeView>> views;
    std::vector<WindowEvent> log;
    std::set<ScreenId> visible;
    std::set<ScreenId> destroyed;
    std::function<void(ScreenId)> onShow;
};

class FakePrintService : public PrintService {
public:
    struct PrintCall {
        FormKind kind;
        FontChoice font;
        DesignRecord record;
        ResultSheet sheet;
        std::vector<ComparisonLine> comparison;
    };

    std::vector<std::string> PrinterFaces() override { return faces; }
    std::string CourierSubstitute() override { return substitute; }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
        dialogOpenedWith.push_back(initial);
        if (cancelFont) return std::nullopt;
        FontChoice chosen = initial;
        if (chooseFace) chosen.face = *chooseFace;
        if (chooseSize) chosen.size = *chooseSize;
        return chosen;
    }
    PrintOutcome PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                           const ResultSheet& sheet, const ConfirmPages& confirm,
                           const std::vector<ComparisonLine>& comparison = {}) override {
        prints.push_back({kind, font, record, sheet, comparison});
        if (failure) throw std::runtime_error(*failure);
        if (!confirm(pages)) return {PrintOutcome::Cancelled, {}};
        ++printed;
        return outcome;
    }
    // Shows nothing: records the preview, then the user presses its print
    // button `printsInPreview` times or until the preview closes.
    std::optional<std::string> PreviewForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                           const ResultSheet& sheet, const PrintFromPreview& print,
                                           const std::vector<ComparisonLine>& comparison = {}) override {
        previews.push_back({kind, font, record, sheet, comparison});
        if (previewFailure) throw std::runtime_error(*previewFailure);
        if (previewRefusal) return previewRefusal;
        previewClosedByPrint = false;
        for (int i = 0; i < printsInPreview && !previewClosedByPrint; ++i) previewClosedByPrint = print();
        return std::nullopt;
    }

    std::vector<std::string> faces;
    std::string substitute = "Liberation Mono";
    // What the user does in the font dialog: cancel it, or confirm it after
    // changing the face and/or size (nothing: keeps what it opened with).
    bool cancelFont = false;
    std::optional<std::string> chooseFace;
    std::optional<double> chooseSize;
    PrintOutcome outcome{PrintOutcome::Printed, "Office LaserJet"};
    std::optional<std::string> failure;  // PrintForm throws with this text
    int pages = 1;                       // the pages the form takes, as laid out on the printer

    int printed = 0;  // prints that went on after the pages were confirmed

    std::optional<std::string> previewFailure;  // PreviewForm throws with this text
    std::optional<std::string> previewRefusal;  // PreviewForm says why it shows nothing
    int printsInPreview = 0;                    // presses of the preview's print button

    std::vector<FontChoice> dialogOpenedWith;
    std::vector<PrintCall> prints;
    std::vector<PrintCall> previews;
    bool previewClosedByPrint = false;  // the last preview's print said it was done
};

// The disk and the file dialogs of design files: files in memory, dialogs
// answered by the test, and a disk that may fail.
class FakeStore : public DesignStore {
public:
    std::optional<std::string> ChooseSaveFile(const std::string& name) override {
        offered.push_back(name);
        return saveAs;
    }
    std::optional<std::string> ChooseOpenFile() override { return openPath; }
    std::string Write(const std::string& path, const std::string& text, FileStamp& stamp) override {
        if (!failure.empty()) return failure;
        files[path] = text;
        stamp = *Stamp(path);
        return {};
    }
    DesignFileReading Read(const std::string& path, FileStamp& stamp) override {
        auto it = files.find(path);
        if (it == files.end()) return DesignFileRefusal{path, "cannot be read: No such file or directory"};
        stamp = *Stamp(path);
        return ReadDesignFileText(it->second);
    }
    std::optional<FileStamp> Stamp(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return FileStamp{it->second.size(), 0, std::to_string(std::hash<std::string>{}(it->second))};
    }
    std::string Now() override { return "2026-12-09T10:15:00Z"; }
    std::string Shown(const std::string& time) override { return "shown " + time; }

    // Files another running Korvelle has open hold `elsewhere`'s lock.
    std::optional<LockHolder> Lock(const std::string& path) override {
        auto it = elsewhere.find(path);
        if (it != elsewhere.end()) return it->second;
        locked = path;
        return std::nullopt;
    }
    void Unlock() override { locked.clear(); }

    void WriteRecovery(const std::string& text) override {
        recovery = text;
        ++recoveryWrites;
    }
    void RemoveRecovery() override { recovery.reset(); }
    std::vector<LeftRecovery> LeftRecoveries() override {
        std::vector<LeftRecovery> found;
        for (const auto& [id, text] : left) found.push_back({id, text});
        return found;
    }
    void DiscardRecovery(const std::string& id) override { left.erase(id); }
    void KeepRecoveryForLater(const std::string& id) override { keptForLater.push_back(id); }

    std::map<std::string, std::string> files;
    std::optional<std::string> saveAs = "design.korvelle";  // what the save dialog gives back
    std::optional<std::string> openPath;                    // what the open dialog gives back
    std::string failure;                                    // every write fails with this reason
    std::vector<std::string> offered;                       // names the save dialog offered
    std::map<std::string, LockHolder> elsewhere;            // files open in another Korvelle
    std::string locked;                                     // the file this run holds the lock of
    std::optional<std::string> recovery;                    // this run's recovery copy
    int recoveryWrites = 0;
    std::map<std::string, std::string> left;                // copies of runs that ended, by id
    std::vector<std::string> keptForLater;
};

// One run of the program on the fakes.
struct Harness {
    DesignRecord record;
    FakeDesktop desktop;
    FakeWindows windows;
    Program program{record, desktop, windows};

    FakeView& View(ScreenId id) { return windows.View(id); }
    Screen& Logic(ScreenId id) { return program.logic(id); }
    template <typename T>
    T& Logic(ScreenId id) {
        return program.logic<T>(id);
    }

    void Click(ScreenId id, int control) { Logic(id).Click(control); }
    void DoubleClick(ScreenId id, int control) { Logic(id).DoubleClick(control); }
    // Chooses in a list, an option group or a scroll bar as the user does:
    // the control takes the new state, then its event reaches the logic.
    void Choose(ScreenId id, int control, int value) {
        View(id).SetChoice(control, value);
        Logic(id).Changed(control);
    }
    void ClickOption(ScreenId id, int control, int index) {
        View(id).SetChoice(control, index);
        Logic(id).Click(control);
    }
    void DoubleClickOption(ScreenId id, int control, int index) {
        View(id).SetChoice(control, index);
        Logic(id).DoubleClick(control);
    }
    // Types keys one by one into a field; a key the logic discards never
    // reaches the field.
    void Type(ScreenId id, int control, std::string_view keys) {
        for (char key : keys) {
            if (!Logic(id).KeyPress(control, static_cast<unsigned char>(key))) {
                View(id).texts[control] += key;
            }
        }
    }
    // Presses Enter in a field; true when the key was discarded.
    bool Enter(ScreenId id, int control) { return Logic(id).KeyPress(control, kEnterKey); }
    // Replaces a field's text and presses Enter in it.
    bool EnterText(ScreenId id, int control, const std::string& text) {
        View(id).SetText(control, text);
        return Enter(id, control);
    }
    void SetText(ScreenId id, int control, const std::string& text) { View(id).SetText(control, text); }
    std::string Text(ScreenId id, int control) { return View(id).Text(control); }

    // Start-up and information screens, then the project information screen.
    void StartToProject() {
        program.Start();
        Click(ScreenId::Startup, StartupScreen::kContinue);
        Click(ScreenId::Information, InformationScreen::kContinue);
    }
    // Traffic of 2000 to 2020 at 1000 vehicles a day, 10 % trucks: with all
    // trucks in the design lane and 1.0 ESAL per truck, 101 loads a day and
    // 737,300 over the design period.
    void FillProject() {
        using P = ProjectInformationScreen;
        const ScreenId s = ScreenId::ProjectInformation;
        SetText(s, P::kProjectNumber, "NH-IM-85-1(123)");
        SetText(s, P::kPiNumber, "0001234");
        SetText(s, P::kCounty, "CLARKE");
        SetText(s, P::kDescription, "Widening and reconstruction of SR 10");
        SetText(s, P::kInitialYear, "2000");
        SetText(s, P::kInitialTraffic, "1000");
        SetText(s, P::kFinalYear, "2020");
        SetText(s, P::kFinalTraffic, "1000");
        SetText(s, P::kTruckPercent, "10");
    }
    void FillDesignData() {
        using D = DesignDataScreen;
        const ScreenId s = ScreenId::DesignData;
        SetText(s, D::kLdf, "100");
        SetText(s, D::kSoilSupport, "4.0");
        SetText(s, D::kRegionalFactor, "1.0");
        SetText(s, D::kRepresentativeEsal, "1.00");
    }
    // On to the design data screen, its fields filled and nothing reported.
    void StartToDesignData() {
        StartToProject();
        FillProject();
        Click(ScreenId::ProjectInformation, ProjectInformationScreen::kContinue);
        FillDesignData();
        desktop.Clear();
    }
    // From the main menu: a full-depth structure of one 6-inch course of
    // 12.5 mm SMA entered, continued and accepted; on the print screen.
    void AcceptOneSmaCourse() {
        Click(ScreenId::MainMenu, MainMenu::kContinue);
        auto& entry = Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
        View(ScreenId::FullDepthEntry).SetChoice(entry.List(0), 4);
        SetText(ScreenId::FullDepthEntry, entry.Thickness(0), "6.00");
        Click(ScreenId::FullDepthEntry, entry.ContinueButton());
        Click(ScreenId::FullDepthResult, Logic<ResultScreen>(ScreenId::FullDepthResult).AcceptButton());
    }
    // The whole data entry chain, ending on the main menu.
    void StartToMainMenu() {
        StartToProject();
        FillProject();
        Click(ScreenId::ProjectInformation, ProjectInformationScreen::kContinue);
        FillDesignData();
        Click(ScreenId::DesignData, DesignDataScreen::kContinue);
        Click(ScreenId::DesignerInformation, DesignerInformationScreen::kContinue);
    }
};

}  // namespace korvelle
