#include "qt_desktop.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QPushButton>

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
    if (kind == Question::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        // Alt and the underlined letter answer from the keyboard.
        box.button(QMessageBox::Save)->setText("&Save");
        box.button(QMessageBox::Discard)->setText("&Discard");
        box.button(QMessageBox::Cancel)->setText("&Cancel");
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::Save: return Answer::Save;
        case QMessageBox::Discard: return Answer::Discard;
        case QMessageBox::No: return Answer::No;
        default: return kind == Question::YesNo ? Answer::No : Answer::Cancel;
    }
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
