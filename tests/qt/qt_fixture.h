#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "qt/windows.h"
#include "ui/program.h"

namespace korvelle::testing {

// A desktop that records what the program asks of it, so no message box ever
// blocks a test.
class RecordingDesktop : public Desktop {
public:
    struct Message {
        std::string text, title;
        MessageStyle style;
    };
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text, const std::string& title, MessageStyle style) override {
        messages.push_back({text, title, style});
    }
    Answer Ask(const std::string& text, const std::string& title, Question kind) override {
        questions.push_back({text, title, MessageStyle::Plain});
        if (!answers.empty()) {
            Answer next = answers.front();
            answers.erase(answers.begin());
            return next;
        }
        return kind == Question::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<std::string> AskText(const std::string& text, const std::string& title,
                                       const std::string& initial) override {
        questions.push_back({text + " [" + initial + "]", title, MessageStyle::Plain});
        if (texts.empty()) return std::nullopt;
        std::string next = texts.front();
        texts.erase(texts.begin());
        return next;
    }
    void Quit() override { quit = true; }
    CalendarDate Today() override { return today; }

    int beeps = 0;
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<Answer> answers;  // the user's next answers; then the default button
    std::vector<std::string> texts;  // the user's next typed answers; then cancelled
    bool quit = false;
    CalendarDate today{2026, 12, 8};
};

// The real windows of the program, on the offscreen platform.
class QtProgramTest : public ::testing::Test {
protected:
    QtProgramTest() : program(record, desktop, windows) { windows.SetProgram(program); }

    FormWindow* Window(ScreenId id) { return windows.window(id); }
    bool Visible(ScreenId id) {
        FormWindow* w = Window(id);
        return w && w->isVisible();
    }
    // Types text into a control of a window, key by key, as a user would.
    void Type(ScreenId id, int control, const QString& text) {
        QWidget* w = Window(id)->control(control);
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    void Enter(ScreenId id, int control) { QTest::keyClick(Window(id)->control(control), Qt::Key_Return); }
    void Click(ScreenId id, int control) {
        QTest::mouseClick(Window(id)->control(control), Qt::LeftButton);
        QApplication::processEvents();
    }
    QString TextOf(ScreenId id, int control) {
        return QString::fromStdString(Window(id)->Text(control));
    }

    DesignRecord record;
    RecordingDesktop desktop;
    QtWindows windows;
    Program program;
};

}  // namespace korvelle::testing
