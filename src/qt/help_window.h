#pragma once

#include <QHash>
#include <QSize>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include "ui/screen_id.h"

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTextBlock;

namespace korvelle {

class FormWindow;

// The designer's guide, compiled into the program from docs/user-guide.md
// with its pictures.
inline const char* const kGuideSource = "qrc:/docs/user-guide.md";

// The one help window: the guide in a browser, opened at a section.  It is
// created on first use and afterwards only hidden and shown, so it keeps its
// place, size and find text for the rest of the run.  Ctrl+F opens the find
// field; Enter finds the next match, Shift+Enter the one before, Escape
// closes the field.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static HelpWindow& Instance();

    // Shows the window, in front, at the section whose heading reads
    // `heading` (the top when there is none).  A window already open stays
    // where it is, at its size.
    void ShowSection(const QString& heading);
    // The heading of the section the reader is at: the last heading at or
    // before the browser's cursor.
    QString CurrentHeading() const;
    // Every heading of the guide, in order.
    QStringList Headings() const;
    // Finds the find field's text after the cursor (before it, backwards),
    // from the other end when the end is reached; false when it is nowhere.
    bool FindNext(bool backward = false);
    void OpenFind();
    // Hides the find bar; the keyboard goes back to the text.
    void CloseFind();

    // The size the window takes in `room` (the interior a frame leaves of
    // the screen's available area): as wide as its widest picture, as far
    // as the room allows, and a reading height.
    QSize SizeFor(QSize room) const;
    // The widest picture of the page shown, in pixels as drawn at full size.
    int WidestPicture() const;

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findField() const { return find_; }

private:
    HelpWindow();
    QTextBlock HeadingBlock(const QString& heading) const;
    void ScrollTo(const QTextBlock& block);
    void FollowLink(const QUrl& url);
    // Draws every picture at its own size, or scaled down to the width the
    // browser leaves it, keeping its proportions.
    void FitPictures();
    // A picture's own size, read from its file once.
    QSize PictureSize(const QString& name) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QTextBrowser* browser_;
    QWidget* findBar_;
    QLineEdit* find_;
    QLabel* findStatus_;
    bool placed_ = false;
    QUrl page_;  // the page shown, which its pictures' names are relative to
    int fittedWidth_ = -1;  // the width the pictures were last fitted to
    mutable QHash<QString, QSize> pictureSizes_;  // by name: the same on every page
};

// F1 on the window, and a "?" HELP button beside its heading where it has
// one: both open the help window at the screen's section.
void AddHelp(FormWindow* window, ScreenId screen);
// The same on any window, opening the guide at `heading`.
void AddHelp(QWidget* window, const QString& heading);

// The anchor a Markdown heading gets on the usual web renderers:
// "Design files" -> "design-files".
QString HeadingSlug(const QString& heading);

}  // namespace korvelle
