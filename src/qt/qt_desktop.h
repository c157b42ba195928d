#pragma once

#include "ui/desktop.h"

namespace korvelle {

// The real desktop: the system beep, modal message boxes, the end of the
// program and the system clock.
class QtDesktop : public Desktop {
public:
    void Beep() override;
    void ShowMessage(const std::string& text, const std::string& title, MessageStyle style) override;
    Answer Ask(const std::string& text, const std::string& title, Question kind) override;
    std::optional<std::string> AskText(const std::string& text, const std::string& title,
                                       const std::string& initial) override;
    void Quit() override;
    CalendarDate Today() override;
};

}  // namespace korvelle
