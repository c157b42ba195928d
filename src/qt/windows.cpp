#include "windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <compare>
#include <optional>

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
        case ScreenId::LeastCost: window = BuildLeastCostWindow(context); break;
    }
    AddHelp(window, id);
    window->ScrollContent();
    windows_.insert(static_cast<int>(id), window);
    return *window;
}

namespace {

// The places worth trying for a span of `length` along one side of the
// screen [low, high): where it stood, against either end, and just clear of
// a span of `other` standing at either end, each moved onto the screen.
// Along each side the covered length changes linearly between the places
// where a span meets an end of the screen or an edge of the other span, so
// the least covered area is found among such places (tests/qt/windows_test
// compares with trying every few pixels).
QList<int> Candidates(int length, int at, int other, int low, int high, int gap) {
    QList<int> places;
    for (int place : {at, low, high - length, high - length - gap - other, low + other + gap}) {
        place = std::max(low, std::min(place, high - length));
        if (!places.contains(place)) places.append(place);
    }
    return places;
}

qint64 Area(QRect r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); }

}  // namespace

SideBySide PlaceBeside(QSize size, QRect anchor, QRect screen) {
    constexpr int kGap = 8;
    const int right = screen.right() + 1;
    const int bottom = screen.bottom() + 1;
    // Covered area, then how far the anchor moved, then how far the window
    // stands from the anchor's right, level with its top.
    struct Score {
        qint64 covered;
        int moved;
        int apart;
        auto operator<=>(const Score&) const = default;
    };
    SideBySide best{anchor.topLeft(), {}};
    std::optional<Score> bestScore;
    for (int ax : Candidates(anchor.width(), anchor.x(), size.width(), screen.left(), right, kGap)) {
        for (int ay : Candidates(anchor.height(), anchor.y(), size.height(), screen.top(), bottom, kGap)) {
            const QRect moved(QPoint(ax, ay), anchor.size());
            QList<int> xs = {moved.right() + 1 + kGap, moved.left() - kGap - size.width(), screen.left(),
                             right - size.width(), moved.left()};
            QList<int> ys = {moved.top(), moved.bottom() + 1 + kGap, moved.top() - kGap - size.height(),
                             screen.top(), bottom - size.height()};
            for (int wx : xs) {
                wx = std::max(screen.left(), std::min(wx, right - size.width()));
                for (int wy : ys) {
                    wy = std::max(screen.top(), std::min(wy, bottom - size.height()));
                    const QRect window(QPoint(wx, wy), size);
                    const Score score{Area(window & moved),
                                      std::abs(ax - anchor.x()) + std::abs(ay - anchor.y()),
                                      std::abs(wx - (moved.right() + 1 + kGap)) + std::abs(wy - moved.top())};
                    if (!bestScore || score < *bestScore) {
                        bestScore = score;
                        best = {moved.topLeft(), window.topLeft()};
                    }
                }
            }
        }
    }
    return best;
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
        // The mix guidelines and the least-cost window open beside the
        // structure entry screen they work with, so that both can be seen;
        // the entry screen makes room where the screen has it.
        if ((id == ScreenId::Guidelines || id == ScreenId::LeastCost) && !w->isVisible()) {
            for (ScreenId entry : {ScreenId::FullDepthEntry, ScreenId::OverlayEntry}) {
                FormWindow* anchor = window(entry);
                QScreen* screen = anchor ? anchor->screen() : nullptr;
                if (!anchor || !anchor->isVisible() || !screen) continue;
                const SideBySide places =
                    PlaceBeside(w->size().grownBy(frame), FrameGeometry(anchor), screen->availableGeometry());
                if (places.anchor != anchor->pos()) anchor->move(places.anchor);
                w->move(places.window);
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
