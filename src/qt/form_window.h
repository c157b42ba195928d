#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "ui/form_view.h"
#include "ui/screen.h"

class QAbstractButton;
class QKeySequence;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;

class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QScreen;

namespace korvelle {

// The window of one screen.  It keeps the state of the screen's controls and
// passes their events to the screen's logic; the logic reads and writes the
// controls by number through the FormView interface.
class FormWindow : public QWidget, public FormView {
    Q_OBJECT
public:
    FormWindow(Screen& logic, const QString& title);

    std::string Text(int control) const override;
    void SetText(int control, const std::string& text) override;
    int Choice(int control) const override;
    void SetChoice(int control, int value) override;
    void Focus(int control) override;
    void SetEnabled(int control, bool enabled) override;
    void Clear() override;

    // Registers a control under its number.  Every control gets an accessible
    // name: its caption.
    QLineEdit* AddField(int control, const QString& caption, int maxLength = 0, const QString& tooltip = {});
    QLabel* AddDisplay(int control, const QString& caption);  // display-only text
    QPushButton* AddButton(int control, const QString& caption);
    QLabel* AddLink(int control, const QString& caption);  // a clickable label
    QButtonGroup* AddOptions(int control, const QString& caption, const QStringList& options,
                             QList<QAbstractButton*>* buttons = nullptr);
    QComboBox* AddList(int control, const QString& caption, const QStringList& items);
    QScrollBar* AddScrollBar(int control, const QString& caption, int maximum);
    QListWidget* AddListBox(int control, const QString& caption, const QStringList& items);
    QWidget* control(int id) const { return controls_.value(id); }
    // A centred row of buttons, in the order given.
    QHBoxLayout* AddButtonRow(const QList<QPair<int, QString>>& buttons);
    // The key presses the button wherever the focus is in the window.
    void AddShortcut(const QKeySequence& key, int button);

    // Focus order: the controls in the order given.
    void SetFocusOrder(const QList<int>& controls);

    // Moves everything the builder laid out, except a bottom row of buttons,
    // into a scroll area that scrolls only when the window is smaller than
    // its content: on a small screen the window is made to fit and its
    // buttons stay in sight.  Positions are unchanged while the window has
    // room, so the window looks as the builder laid it out.
    void ScrollContent();
    // Lets a window choose between its layouts for the room its screen
    // offers (the size of its frame's interior), before it is sized.
    virtual void ArrangeFor(QSize room) { Q_UNUSED(room); }
    // The size the window asks for: its content at the size it prefers, a
    // wrapped text at the height its width needs.
    QSize PreferredSize() const;
    // The size it takes in `room`: the size it asks for, as far as there is
    // room, with room for a scroll bar beside or under content cut short.
    QSize SizeFor(QSize room) const;

    // Set when the program ends, so that closing the window is not taken for
    // the user's close box.
    static void SetQuitting() { quitting_ = true; }

    // For this long after a window is shown it takes no mouse presses, so
    // that the second click of a double click meant for the window before
    // it cannot press what now lies under the pointer.  Keys are never held
    // back.  Negative (the default): the system's double-click interval.
    static void SetClickGuard(int milliseconds) { clickGuard_ = milliseconds; }
    // Whether a mouse press now would be ignored.
    bool IgnoringClicks() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Only the chosen option of a group is a Tab stop, so Tab enters the
    // group on the choice and the arrow keys move it.
    static void TabToChosenOption(QButtonGroup* group);
    int IdOf(QObject* object) const;
    // Grows a shown window when its content comes to need more room (a
    // longer message), as far as the screen allows.
    void GrowToContent();
    bool framed_ = false;  // looked for its frame after its first showing
    Screen& logic_;
    QWidget* content_ = nullptr;  // inside the scroll area
    QWidget* area_ = nullptr;
    QHash<int, QWidget*> controls_;
    QHash<int, QButtonGroup*> groups_;
    QElapsedTimer shown_;
    static bool quitting_;
    static int clickGuard_;
};

// Where a window's frame goes so that it lies wholly inside the available
// area of its screen: `frame` moved the least it takes, and made no larger
// than `screen`.
QRect FitInside(QRect frame, QRect screen);
// The window manager's frame around a shown window (none offscreen without
// a manager, or before the window is first shown).
QMargins FrameMargins(const QWidget* window);
// The shown window's frame, title bar included, where the window system has
// it now.
QRect FrameGeometry(const QWidget* window);
// The available area of the screen a window opens on: its parent's, else
// its own, else the primary screen.
QRect AvailableArea(const QWidget* window);
// Moves a shown window so that its frame is centred on `centre` as far as
// it can be while lying inside `area`.
void PlaceCentred(QWidget* window, QPoint centre, QRect area);
// Once the window manager has framed a window just shown (a moment later):
// moves it, and makes it smaller if it must, so that its frame lies inside
// its screen's available area.  For a window sized before its frame was
// known.
void KeepFrameOnScreenOnceFramed(QWidget* window);
// A dialog first shown: as large as `preferred` where its screen has room
// (never smaller than its layout needs), centred over the window it was
// opened from, its frame kept on the screen.
void SizeAndCentreOverParent(QWidget* dialog, QSize preferred);

// A label that reports clicks, for links and pictures.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace korvelle
