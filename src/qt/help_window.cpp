#include "help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBoxLayout>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextFormat>
#include <QTextFragment>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "form_window.h"
#include "widgets.h"
#include "ui/help_topics.h"

namespace korvelle {

namespace {

// The find field: Enter finds the next match, Shift+Enter the one before,
// Escape closes the find bar.
class FindField : public QLineEdit {
public:
    FindField(HelpWindow* help, QWidget* bar) : QLineEdit(bar), help_(help) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            help_->FindNext(event->modifiers() & Qt::ShiftModifier);
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            help_->CloseFind();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    HelpWindow* help_;
};

// A reading height for the guide, in pixels, where the screen has it.
constexpr int kReadingHeight = 900;
// The least size the window is given on any screen.
constexpr QSize kLeastSize(320, 240);

}  // namespace

QString HeadingSlug(const QString& heading) {
    QString slug;
    for (QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == '-' || c == '_') {
            slug += c;
        } else if (c == ' ') {
            slug += '-';
        }
    }
    return slug;
}

HelpWindow& HelpWindow::Instance() {
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        // Gone with the program, before the application object is.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [] { delete window.data(); });
    }
    return *window;
}

HelpWindow::HelpWindow() {
    setWindowTitle("Korvelle - Designer's guide");
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_ = new QTextBrowser(this);
    browser_->setAccessibleName("Designer's guide");
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    browser_->document()->setUndoRedoEnabled(false);  // the pictures' sizes are set, not typed
    browser_->viewport()->installEventFilter(this);
    // The browser tells its new page before source() names it.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) {
        page_ = page;
        fittedWidth_ = -1;
        FitPictures();
    });
    browser_->setSource(QUrl(kGuideSource), QTextDocument::MarkdownResource);

    findBar_ = new QWidget(this);
    auto* findRow = new QHBoxLayout(findBar_);
    findRow->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel("Find:", findBar_);
    find_ = new FindField(this, findBar_);
    find_->setAccessibleName("FIND");
    find_->setToolTip("Enter: next match; Shift+Enter: the one before; Escape: close");
    label->setBuddy(find_);
    auto* next = new QPushButton("NEXT", findBar_);
    next->setAccessibleName("NEXT");
    connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
    findStatus_ = new QLabel(findBar_);
    findStatus_->setAccessibleName("Find status");
    findRow->addWidget(label);
    findRow->addWidget(find_, 1);
    findRow->addWidget(next);
    findRow->addWidget(findStatus_);
    findBar_->hide();

    auto* close = new QPushButton("CLOSE", this);
    close->setAccessibleName("CLOSE");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(findBar_, 1);
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addLayout(bottom);

    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, &HelpWindow::OpenFind);
    auto* again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, [this] { FindNext(); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, [this] {
        if (findBar_->isVisible()) {
            CloseFind();
        } else {
            hide();
        }
    });
}

void HelpWindow::CloseFind() {
    findBar_->hide();
    browser_->setFocus(Qt::OtherFocusReason);
}

QSize HelpWindow::PictureSize(const QString& name) const {
    auto known = pictureSizes_.constFind(name);
    if (known != pictureSizes_.constEnd()) return *known;
    // The pictures are compiled in beside the page that shows them.
    const QUrl url = page_.resolved(QUrl(name));
    const QString path = url.scheme() == "qrc" ? ":" + url.path() : url.toLocalFile();
    const QSize size = QImageReader(path).size();
    if (size.isValid()) pictureSizes_.insert(name, size);
    return size;
}

namespace {

// Every picture of a document: where it stands and its format.
struct Picture {
    int position;
    int length;  // one character a picture; equal pictures side by side make one fragment
    QTextImageFormat format;
};

QList<Picture> Pictures(const QTextDocument* document) {
    QList<Picture> pictures;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                pictures.append({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
            }
        }
    }
    return pictures;
}

}  // namespace

int HelpWindow::WidestPicture() const {
    int widest = 0;
    for (const Picture& picture : Pictures(browser_->document())) {
        widest = std::max(widest, PictureSize(picture.format.name()).width());
    }
    return widest;
}

void HelpWindow::FitPictures() {
    QTextDocument* document = browser_->document();
    // The width a line of the page has: the view less the page's margins.
    const int room = browser_->viewport()->width() - 2 * static_cast<int>(std::ceil(document->documentMargin()));
    if (room <= 0 || room == fittedWidth_) return;
    fittedWidth_ = room;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (Picture& picture : Pictures(document)) {
        const QSize own = PictureSize(picture.format.name());
        if (own.isEmpty()) continue;
        const QSize drawn = own.width() <= room ? own : own.scaled(room, own.height(), Qt::KeepAspectRatio);
        if (picture.format.width() == drawn.width() && picture.format.height() == drawn.height()) continue;
        picture.format.setWidth(drawn.width());
        picture.format.setHeight(drawn.height());
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    cursor.endEditBlock();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_->viewport() && event->type() == QEvent::Resize) FitPictures();
    return QWidget::eventFilter(watched, event);
}

QSize HelpWindow::SizeFor(QSize room) const {
    // Around the page: the browser's frame and scroll bar, the window's
    // margins, the page's own margins.
    const QMargins margins = layout()->contentsMargins();
    const int page = WidestPicture() + 2 * static_cast<int>(std::ceil(browser_->document()->documentMargin()));
    const int around = margins.left() + margins.right() + 2 * browser_->frameWidth() +
                       browser_->verticalScrollBar()->sizeHint().width();
    const QSize wanted(std::max(page + around, sizeHint().width()), kReadingHeight);
    return wanted.boundedTo(room).expandedTo(kLeastSize).boundedTo(room);
}

void HelpWindow::OpenFind() {
    findBar_->show();
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
}

QTextBlock HelpWindow::HeadingBlock(const QString& heading) const {
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.text().trimmed() == heading) return block;
    }
    return {};
}

QStringList HelpWindow::Headings() const {
    QStringList headings;
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) headings << block.text().trimmed();
    }
    return headings;
}

QString HelpWindow::CurrentHeading() const {
    for (QTextBlock block = browser_->textCursor().block(); block.isValid(); block = block.previous()) {
        if (block.blockFormat().headingLevel() > 0) return block.text().trimmed();
    }
    return {};
}

void HelpWindow::ScrollTo(const QTextBlock& block) {
    QTextCursor cursor(block.isValid() ? block : browser_->document()->begin());
    browser_->setTextCursor(cursor);
    // The heading at the top of the view, not merely somewhere in it.
    const qreal top = browser_->document()->documentLayout()->blockBoundingRect(cursor.block()).top();
    browser_->verticalScrollBar()->setValue(static_cast<int>(top));
}

void HelpWindow::ShowSection(const QString& heading) {
    if (!placed_) {
        // First showing: as wide as its widest picture and a reading height,
        // as far as the screen allows, centred on the screen of the window
        // it is asked from, its frame wholly on the screen.  The frame is
        // measured on that window: this one has none before it is shown.
        placed_ = true;
        QWidget* asking = QApplication::activeWindow();
        QScreen* screen = asking ? asking->screen() : QGuiApplication::screenAt(QCursor::pos());
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect room = screen->availableGeometry();
            const QMargins frame = asking ? FrameMargins(asking) : QMargins();
            resize(SizeFor(room.size().shrunkBy(frame)));
            QRect outer(QPoint(), size().grownBy(frame));
            outer.moveCenter(room.center());
            move(FitInside(outer, room).topLeft());
        }
        if (!asking) KeepFrameOnScreenOnceFramed(this);  // sized without knowing its frame
    }
    show();
    raise();
    activateWindow();
    ScrollTo(HeadingBlock(heading));
}

bool HelpWindow::FindNext(bool backward) {
    const QString text = find_->text();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        // From the other end of the guide.
        QTextCursor cursor(browser_->document());
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        const QTextCursor before = browser_->textCursor();
        browser_->setTextCursor(cursor);
        found = browser_->find(text, flags);
        if (!found) browser_->setTextCursor(before);
    }
    findStatus_->setText(found ? QString() : "Not found");
    return found;
}

void HelpWindow::FollowLink(const QUrl& url) {
    const QString scheme = url.scheme();
    if (scheme == "http" || scheme == "https" || scheme == "mailto") {
        QDesktopServices::openUrl(url);
        return;
    }
    // A link to a section of the guide, by the anchor the usual renderers
    // give its heading.
    if (url.path().isEmpty() || url.path().endsWith("user-guide.md")) {
        for (const QString& heading : Headings()) {
            if (HeadingSlug(heading) == url.fragment()) {
                ScrollTo(HeadingBlock(heading));
                return;
            }
        }
        return;
    }
    // Another page compiled in beside the guide (the design file's).
    const QUrl target = browser_->source().resolved(url);
    browser_->setSource(target, QTextDocument::MarkdownResource);
}

void AddHelp(FormWindow* window, ScreenId screen) {
    AddHelp(window, QString::fromUtf8(HelpHeading(screen).data(), HelpHeading(screen).size()));
}

void AddHelp(QWidget* window, const QString& heading) {
    auto open = [heading] { HelpWindow::Instance().ShowSection(heading); };
    // F1 types nothing into a field, so it may be taken wherever the focus is.
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, open);

    // The "?" button stands at the right of the heading, in a square no
    // taller than the heading, so nothing below moves; an equal space at the
    // left keeps the heading centred.  It is no Tab stop: the keyboard has F1.
    auto* layout = qobject_cast<QBoxLayout*>(window->layout());
    if (!layout || layout->count() == 0) return;
    auto* headingLabel = qobject_cast<QLabel*>(layout->itemAt(0)->widget());
    if (!headingLabel || !headingLabel->property(kHeadingProperty).toBool()) return;
    auto* button = new QToolButton(window);
    button->setText("?");
    button->setAccessibleName("HELP");
    button->setToolTip("Help on this screen (F1)");
    button->setFocusPolicy(Qt::NoFocus);
    const int side = std::max(headingLabel->sizeHint().height(), button->sizeHint().width());
    button->setFixedSize(side, std::min(side, headingLabel->sizeHint().height()));
    QObject::connect(button, &QToolButton::clicked, window, open);
    // A long heading on a narrow screen gives way to the button by wrapping.
    headingLabel->setWordWrap(true);
    delete layout->takeAt(0);
    auto* row = new QHBoxLayout;
    row->addSpacing(side);
    row->addWidget(headingLabel, 1);
    row->addWidget(button, 0, Qt::AlignTop);
    layout->insertLayout(0, row);
}

}  // namespace korvelle
