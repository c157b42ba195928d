#include "windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace korvelle {

QString ScreenTitle(const char* name) { return QString(kProgramTitle) + " - " + name; }

QtWindows::~QtWindows() {
    for (auto& window : windows_) delete window.data();
}

FormView& QtWindows::Create(ScreenId id, Screen& logic) {
    WindowContext context{logic, *program_, printing_};
    FormWindow* window = nullptr;
    switch (id) {
        case ScreenId::Startup: window = BuildStartupWindow(context); break;
        case ScreenId::Information: window = BuildInformationWindow(context); break;
        case ScreenId::MainMenu: window = BuildMainMenuWindow(context); break;
        case ScreenId::ProjectInformation: window = BuildProjectInformationWindow(context); break;
        case ScreenId::DesignData: window = BuildDesignDataWindow(context); break;
        case ScreenId::DesignerInformation: window = BuildDesignerInformationWindow(context); break;
        case ScreenId::EsalWorksheet: window = BuildEsalWorksheetWindow(context); break;
        case ScreenId::LdfWorksheet: window = BuildLdfWorksheetWindow(context); break;
        case ScreenId::CountyWorksheet: window = BuildCountyWorksheetWindow(context); break;
        case ScreenId::FullDepthEntry: window = BuildFullDepthEntryWindow(context); break;
        case ScreenId::OverlayEntry: window = BuildOverlayEntryWindow(context); break;
        case ScreenId::FullDepthResult: window = BuildFullDepthResultWindow(context); break;
        case ScreenId::OverlayResult: window = BuildOverlayResultWindow(context); break;
        case ScreenId::Guidelines: window = BuildGuidelinesWindow(context); break;
        case ScreenId::FullDepthPrint: window = BuildFullDepthPrintWindow(context); break;
        case ScreenId::OverlayPrint: window = BuildOverlayPrintWindow(context); break;
    }
    windows_.insert(static_cast<int>(id), window);
    return *window;
}

QPoint PlaceBeside(QSize size, QRect anchor, QRect screen) {
    constexpr int kGap = 8;
    const int roomRight = screen.right() - anchor.right() - kGap;
    const int roomLeft = anchor.left() - screen.left() - kGap;
    int x = 0;
    if (roomRight >= size.width()) {
        x = anchor.right() + 1 + kGap;
    } else if (roomLeft >= size.width()) {
        x = anchor.left() - kGap - size.width();
    } else if (roomRight >= roomLeft) {
        x = screen.right() + 1 - size.width();
    } else {
        x = screen.left();
    }
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(anchor.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

void QtWindows::Show(ScreenId id) {
    if (FormWindow* w = window(id)) {
        if (!w->property("korvelleShown").toBool()) {
            // First showing: centred on the screen, at its natural size.
            w->setProperty("korvelleShown", true);
            w->adjustSize();
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect frame = w->frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                w->move(frame.topLeft());
            }
        }
        // The mix guidelines open beside the structure entry screen they are
        // read with, so that both can be seen.
        if (id == ScreenId::Guidelines && !w->isVisible()) {
            for (ScreenId entry : {ScreenId::FullDepthEntry, ScreenId::OverlayEntry}) {
                FormWindow* anchor = window(entry);
                QScreen* screen = anchor ? anchor->screen() : nullptr;
                if (!anchor || !anchor->isVisible() || !screen) continue;
                w->move(PlaceBeside(w->frameGeometry().size(), anchor->frameGeometry(), screen->availableGeometry()));
                break;
            }
        }
        w->show();
        if (QGuiApplication::platformName() != "offscreen") w->raise();
        w->activateWindow();
    }
}

void QtWindows::Hide(ScreenId id) {
    if (FormWindow* w = window(id)) w->hide();
}

void QtWindows::Destroy(ScreenId id) {
    if (FormWindow* w = window(id)) {
        w->hide();
        w->deleteLater();
    }
    windows_.remove(static_cast<int>(id));
}

}  // namespace korvelle
