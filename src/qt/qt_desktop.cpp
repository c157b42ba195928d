#include "qt_desktop.h"

#include <QApplication>
#include <QDate>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "form_window.h"

namespace korvelle {

void QtDesktop::Beep() { QApplication::beep(); }

void QtDesktop::ShowMessage(const std::string& text, const std::string& title, MessageStyle style) {
    QMessageBox box(style == MessageStyle::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setAccessibleName(QString::fromStdString(title));
    box.exec();
}

Answer QtDesktop::Ask(const std::string& text, const std::string& title, Question kind) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setAccessibleName(QString::fromStdString(title));
    // The buttons of each kind, the last the harmless default that Enter and
    // Escape answer; Alt and the underlined letter answer from the keyboard.
    struct Button {
        const char* caption;
        Answer answer;
        QMessageBox::ButtonRole role;
    };
    std::vector<Button> buttons;
    switch (kind) {
        case Question::YesNo:
            buttons = {{"&Yes", Answer::Yes, QMessageBox::YesRole}, {"&No", Answer::No, QMessageBox::NoRole}};
            break;
        case Question::SaveDiscardCancel:
            buttons = {{"&Save", Answer::Save, QMessageBox::AcceptRole},
                       {"&Discard", Answer::Discard, QMessageBox::DestructiveRole},
                       {"&Cancel", Answer::Cancel, QMessageBox::RejectRole}};
            break;
        case Question::OverwriteSaveAsCancel:
            buttons = {{"&Overwrite", Answer::Overwrite, QMessageBox::DestructiveRole},
                       {"Save &As...", Answer::SaveAs, QMessageBox::AcceptRole},
                       {"&Cancel", Answer::Cancel, QMessageBox::RejectRole}};
            break;
        case Question::ReadOnlyCancel:
            buttons = {{"Open &Read-Only", Answer::ReadOnly, QMessageBox::AcceptRole},
                       {"&Cancel", Answer::Cancel, QMessageBox::RejectRole}};
            break;
        case Question::RecoverDiscardLater:
            buttons = {{"&Recover", Answer::Recover, QMessageBox::AcceptRole},
                       {"&Discard", Answer::Discard, QMessageBox::DestructiveRole},
                       {"&Later", Answer::Cancel, QMessageBox::RejectRole}};
            break;
    }
    std::vector<QPushButton*> added;
    for (const Button& button : buttons) {
        QPushButton* b = box.addButton(button.caption, button.role);
        b->setAccessibleName(QString(button.caption).remove('&'));
        added.push_back(b);
    }
    box.setDefaultButton(added.back());
    box.setEscapeButton(added.back());
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (box.clickedButton() == added[i]) return buttons[i].answer;
    }
    return buttons.back().answer;
}

std::optional<std::string> QtDesktop::AskText(const std::string& text, const std::string& title,
                                              const std::string& initial) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setAccessibleName(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(text));
    dialog.setTextValue(QString::fromStdString(initial));
    dialog.setInputMode(QInputDialog::TextInput);
    // The field is found by the question it answers.
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setAccessibleName(QString::fromStdString(text));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtDesktop::Quit() {
    FormWindow::SetQuitting();
    QApplication::closeAllWindows();
    QApplication::quit();
}

CalendarDate QtDesktop::Today() {
    const QDate today = QDate::currentDate();
    return CalendarDate{today.year(), today.month(), today.day()};
}

}  // namespace korvelle
