#include "windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "help_window.h"

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
    AddHelp(window, id);
    window->ScrollContent();
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

QMargins QtWindows::FrameMargins() const {
    for (const auto& w : windows_) {
        if (w && w->isVisible()) return korvelle::FrameMargins(w);
    }
    return {};
}

void QtWindows::Show(ScreenId id) {
    if (FormWindow* w = window(id)) {
        QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        const QMargins frame = FrameMargins();
        if (!w->property("korvelleShown").toBool() && room.isValid()) {
            // First showing: at the size its content asks for, as far as
            // the screen allows, centred on the screen.
            w->setProperty("korvelleShown", true);
            const QSize interior = room.size().shrunkBy(frame);
            w->ArrangeFor(interior);
            w->resize(w->SizeFor(interior));
            QRect outer(QPoint(), w->size().grownBy(frame));
            outer.moveCenter(room.center());
            w->move(outer.topLeft());
        }
        // The mix guidelines open beside the structure entry screen they are
        // read with, so that both can be seen.
        if (id == ScreenId::Guidelines && !w->isVisible()) {
            for (ScreenId entry : {ScreenId::FullDepthEntry, ScreenId::OverlayEntry}) {
                FormWindow* anchor = window(entry);
                QScreen* screen = anchor ? anchor->screen() : nullptr;
                if (!anchor || !anchor->isVisible() || !screen) continue;
                w->move(PlaceBeside(w->size().grownBy(frame), anchor->frameGeometry(),
                                    screen->availableGeometry()));
                break;
            }
        }
        // Never partly off the screen, wherever it was left or whatever
        // screen it comes back on: moved in, and made smaller if it must be
        // (its scroll area then takes what does not fit).
        if (!w->isVisible() && room.isValid()) {
            const QRect outer(w->pos(), w->size().grownBy(frame));  // a window's pos() is its frame's
            const QRect fitted = FitInside(outer, room);
            if (fitted.size() != outer.size()) w->resize(fitted.size().shrunkBy(frame));
            w->move(fitted.topLeft());
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
