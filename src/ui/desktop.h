#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelle {

enum class MessageStyle {
    Critical,  // critical-stop icon
    Plain,     // no icon
};

// The buttons of a modal question, and the one chosen.  The default button
// (the one Enter presses) is the harmless one: No, or Cancel.
enum class Question {
    YesNo,                  // Yes, No (default)
    SaveDiscardCancel,      // Save, Discard, Cancel (default)
    OverwriteSaveAsCancel,  // Overwrite, Save As..., Cancel (default)
    ReadOnlyCancel,         // Open Read-Only, Cancel (default)
    RecoverDiscardLater,    // Recover, Discard, Later (default; answered as Cancel)
};
enum class Answer { Yes, No, Save, Discard, Cancel, Overwrite, SaveAs, ReadOnly, Recover };

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
};

// What the screens need from the rest of the desktop.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void Beep() = 0;
    // A modal message box with an OK button; returns when it is dismissed.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageStyle style) = 0;
    // A modal question with the buttons of `kind`; returns the button
    // chosen, or the default one when the box is closed without a choice.
    virtual Answer Ask(const std::string& text, const std::string& title, Question kind) = 0;
    // A modal question with a line of text to type, starting with `initial`:
    // the text when confirmed (OK), nothing when cancelled.
    virtual std::optional<std::string> AskText(const std::string& text, const std::string& title,
                                               const std::string& initial) = 0;
    // Ends the program at once: every window closes, nothing is saved.
    virtual void Quit() = 0;
    virtual CalendarDate Today() = 0;
};

// Every user error: the system beep, then a message box titled "ERROR" with
// the critical-stop icon and an OK button.
inline void ReportError(Desktop& desktop, std::string_view text) {
    desktop.Beep();
    desktop.ShowMessage(std::string(text), "ERROR", MessageStyle::Critical);
}

}  // namespace korvelle
