#include "qt_desktop.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>

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
