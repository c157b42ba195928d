#include "form_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QValidator>
#include <algorithm>

namespace korvelle {

bool FormWindow::quitting_ = false;
int FormWindow::clickGuard_ = -1;

namespace {

const char* const kControlProperty = "korvelleControl";
// How often and how many times a window shown looks for its frame: two
// seconds at most.
constexpr int kFrameLookInterval = 50;  // milliseconds
constexpr int kFrameLooks = 40;

// Mouse presses, releases and double clicks on a window that was shown a
// moment ago go nowhere.
class ClickGuard : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: break;
            default: return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* form = widget ? qobject_cast<FormWindow*>(widget->window()) : nullptr;
        return form && form->IgnoringClicks();
    }
};

// A maximum length counted in characters (code points), as the printed form
// counts them.  Like a plain maximum length it cuts what was just typed or
// pasted, which ends at the cursor, from its end: whole characters (a letter
// with its combining marks, an emoji with its modifiers) until the text fits,
// never half of one.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& position) const override {
        auto fits = [this](const QString& text) { return text.toUcs4().size() <= limit_; };
        if (fits(input)) return Acceptable;
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, input);
        clusters.setPosition(position);
        qsizetype start = position;
        while (!fits(QString(input).remove(start, position - start))) {
            start = clusters.toPreviousBoundary();
            if (start < 0) return Invalid;
        }
        input.remove(start, position - start);
        position = static_cast<int>(start);
        return Acceptable;
    }

private:
    int limit_;
};

// A frameless scroll area that asks for the whole of its content, where
// Qt's own asks for no more than a few dozen lines of it.
class ContentScrollArea : public QScrollArea {
public:
    explicit ContentScrollArea(QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);  // Tab goes to the controls inside; the area scrolls to them
    }
    QSize sizeHint() const override {
        const QWidget* content = widget();
        if (!content) return QScrollArea::sizeHint();
        QSize size = content->sizeHint().expandedTo(content->minimumSizeHint()).expandedTo(content->minimumSize());
        if (content->hasHeightForWidth()) size.setHeight(std::max(size.height(), content->heightForWidth(size.width())));
        return size;
    }
};

// True when `layout` or a layout inside it holds a push button.
bool HoldsButton(QLayout* layout) {
    if (!layout) return false;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (qobject_cast<QPushButton*>(item->widget()) || HoldsButton(item->layout())) return true;
    }
    return false;
}

}  // namespace

FormWindow::FormWindow(Screen& logic, const QString& title) : logic_(logic) {
    setWindowTitle(title);
    setAccessibleName(title);
    static ClickGuard* guard = [] {
        auto* g = new ClickGuard;
        qApp->installEventFilter(g);
        return g;
    }();
    (void)guard;
}

void FormWindow::showEvent(QShowEvent* event) {
    shown_.start();
    QWidget::showEvent(event);
    // Sized on its first showing before any window was framed, it was
    // sized without its title bar.
    if (!framed_) {
        framed_ = true;
        KeepFrameOnScreenOnceFramed(this);
    }
}

QRect AvailableArea(const QWidget* window) {
    const QWidget* anchor = window->parentWidget() ? window->parentWidget() : window;
    const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

void SizeAndCentreOverParent(QWidget* dialog, QSize preferred) {
    const QRect room = AvailableArea(dialog);
    const QSize inside = room.size().shrunkBy(FrameMargins(dialog));
    dialog->resize(preferred.boundedTo(inside).expandedTo(dialog->minimumSizeHint()));
    const QWidget* parent = dialog->parentWidget();
    PlaceCentred(dialog, parent ? FrameGeometry(parent).center() : room.center(), room);
    KeepFrameOnScreenOnceFramed(dialog);
}

void PlaceCentred(QWidget* window, QPoint centre, QRect area) {
    QRect placed(QPoint(), FrameGeometry(window).size());
    placed.moveCenter(centre);
    window->move(FitInside(placed, area).topLeft());
}

void KeepFrameOnScreenOnceFramed(QWidget* window) {
    // The window manager frames a window a moment after it is shown, and
    // may not move it: look until the frame is there (never, offscreen).
    auto* look = new QTimer(window);
    look->setInterval(kFrameLookInterval);
    QObject::connect(look, &QTimer::timeout, window, [window, look, tries = 0]() mutable {
        const bool framed = window->isVisible() && !FrameMargins(window).isNull();
        if (framed && window->screen()) {
            const QRect outer = FrameGeometry(window);
            const QRect fitted = FitInside(outer, window->screen()->availableGeometry());
            if (fitted.size() != outer.size()) window->resize(fitted.size().shrunkBy(FrameMargins(window)));
            if (fitted.topLeft() != outer.topLeft()) window->move(fitted.topLeft());
        }
        if (framed || ++tries >= kFrameLooks) look->deleteLater();
    });
    look->start();
}

bool FormWindow::IgnoringClicks() const {
    const int guard = clickGuard_ >= 0 ? clickGuard_ : QGuiApplication::styleHints()->mouseDoubleClickInterval();
    return shown_.isValid() && shown_.elapsed() < guard;
}

int FormWindow::IdOf(QObject* object) const {
    QVariant id = object->property(kControlProperty);
    return id.isValid() ? id.toInt() : -1;
}

QLineEdit* FormWindow::AddField(int control, const QString& caption, int maxLength, const QString& tooltip) {
    auto* edit = new QLineEdit(this);
    if (maxLength > 0) edit->setValidator(new CharacterLimit(maxLength, edit));
    edit->setAccessibleName(caption.trimmed());
    if (!tooltip.isEmpty()) edit->setToolTip(tooltip);
    edit->setProperty(kControlProperty, control);
    edit->installEventFilter(this);
    controls_.insert(control, edit);
    return edit;
}

QLabel* FormWindow::AddDisplay(int control, const QString& caption) {
    auto* label = new QLabel(this);
    label->setAccessibleName(caption);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setFocusPolicy(Qt::NoFocus);
    controls_.insert(control, label);
    return label;
}

QPushButton* FormWindow::AddButton(int control, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(caption.trimmed());
    button->setProperty(kControlProperty, control);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, control] { logic_.Click(control); });
    controls_.insert(control, button);
    return button;
}

QHBoxLayout* FormWindow::AddButtonRow(const QList<QPair<int, QString>>& buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& [control, caption] : buttons) {
        if (row->count() > 1) row->addSpacing(12);
        row->addWidget(AddButton(control, caption));
    }
    row->addStretch();
    return row;
}

void FormWindow::AddShortcut(const QKeySequence& key, int button) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this, button] {
        if (auto* b = qobject_cast<QAbstractButton*>(controls_.value(button)); b && b->isEnabled()) b->click();
    });
}

QLabel* FormWindow::AddLink(int control, const QString& caption) {
    auto* link = new ClickableLabel(caption, this);
    link->setAccessibleName(caption);
    link->setFocusPolicy(Qt::StrongFocus);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet("QLabel { color: #0645ad; text-decoration: underline; }"
                        "QLabel:focus { outline: 1px dotted; background: #dde8ff; }");
    connect(link, &ClickableLabel::clicked, this, [this, control] { logic_.Click(control); });
    controls_.insert(control, link);
    return link;
}

QButtonGroup* FormWindow::AddOptions(int control, const QString& caption, const QStringList& options,
                                     QList<QAbstractButton*>* buttons) {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(options[i], this);
        option->setAccessibleName(options[i].trimmed());
        option->setAccessibleDescription(caption);
        option->setProperty(kControlProperty, control);
        option->installEventFilter(this);
        group->addButton(option, i);
        if (buttons) buttons->append(option);
    }
    connect(group, &QButtonGroup::idToggled, this, [this, control, group](int, bool checked) {
        TabToChosenOption(group);
        if (checked) logic_.Click(control);
    });
    TabToChosenOption(group);
    groups_.insert(control, group);
    return group;
}

QComboBox* FormWindow::AddList(int control, const QString& caption, const QStringList& items) {
    auto* list = new QComboBox(this);
    list->setEditable(false);
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setAccessibleName(caption);
    list->setProperty(kControlProperty, control);
    controls_.insert(control, list);
    return list;
}

QScrollBar* FormWindow::AddScrollBar(int control, const QString& caption, int maximum) {
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setTracking(false);  // a dragged thumb counts when it is released
    bar->setAccessibleName(caption);
    bar->setProperty(kControlProperty, control);
    bar->setFocusPolicy(Qt::StrongFocus);
    // Qt's scroll bars take the arrow keys the way round that suits a
    // scrolled view; a thickness bar grows with Right, Up and Page Up.
    bar->setInvertedControls(false);
    connect(bar, &QScrollBar::valueChanged, this, [this, control] { logic_.Changed(control); });
    controls_.insert(control, bar);
    return bar;
}

QListWidget* FormWindow::AddListBox(int control, const QString& caption, const QStringList& items) {
    auto* list = new QListWidget(this);
    list->addItems(items);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAccessibleName(caption);
    list->setProperty(kControlProperty, control);
    connect(list, &QListWidget::currentRowChanged, this, [this, control] { logic_.Changed(control); });
    controls_.insert(control, list);
    return list;
}

std::string FormWindow::Text(int control) const {
    QWidget* w = controls_.value(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().toStdString();
    return {};
}

void FormWindow::SetText(int control, const std::string& text) {
    QWidget* w = controls_.value(control);
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(value);
        label->setAccessibleDescription(value);
        // A wrapped text may now take more lines than the boxes around it
        // worked out before: they are told, up to the window.
        if (label->wordWrap()) {
            for (QWidget* box = label->parentWidget(); box && box != this; box = box->parentWidget()) {
                box->updateGeometry();
            }
        }
    }
}

int FormWindow::Choice(int control) const {
    if (QButtonGroup* group = groups_.value(control)) return group->checkedId();
    QWidget* w = controls_.value(control);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
    if (auto* bar = qobject_cast<QScrollBar*>(w)) return bar->value();
    if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentRow();
    return -1;
}

void FormWindow::TabToChosenOption(QButtonGroup* group) {
    const QAbstractButton* chosen = group->checkedButton();
    for (QAbstractButton* b : group->buttons()) {
        b->setFocusPolicy(chosen == nullptr || b == chosen ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void FormWindow::SetChoice(int control, int value) {
    if (QButtonGroup* group = groups_.value(control)) {
        if (QAbstractButton* button = group->button(value)) {
            QSignalBlocker block(group);
            button->setChecked(true);
        }
        TabToChosenOption(group);
        return;
    }
    QWidget* w = controls_.value(control);
    QSignalBlocker block(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setCurrentIndex(value);
    if (auto* bar = qobject_cast<QScrollBar*>(w)) bar->setValue(value);
    if (auto* list = qobject_cast<QListWidget*>(w)) list->setCurrentRow(value);
}

void FormWindow::Focus(int control) {
    if (QButtonGroup* group = groups_.value(control)) {
        if (QAbstractButton* button = group->checkedButton()) button->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (QWidget* w = controls_.value(control)) w->setFocus(Qt::OtherFocusReason);
}

void FormWindow::SetEnabled(int control, bool enabled) {
    if (QWidget* w = controls_.value(control)) w->setEnabled(enabled);
}

void FormWindow::Clear() {
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
        QWidget* w = it.value();
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w)) {
            SetText(it.key(), {});
        } else if (qobject_cast<QComboBox*>(w) || qobject_cast<QScrollBar*>(w) || qobject_cast<QListWidget*>(w)) {
            SetChoice(it.key(), -1);
        }
    }
    for (QButtonGroup* group : groups_) {
        // Nothing chosen: no option of the group stays checked.
        QSignalBlocker block(group);
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(false);
        group->setExclusive(true);
        TabToChosenOption(group);
    }
}

void FormWindow::SetFocusOrder(const QList<int>& controls) {
    QWidget* previous = nullptr;
    for (int id : controls) {
        QList<QWidget*> widgets;
        if (QButtonGroup* group = groups_.value(id)) {
            for (QAbstractButton* b : group->buttons()) widgets.append(b);
        } else if (QWidget* w = controls_.value(id)) {
            widgets.append(w);
        }
        for (QWidget* w : widgets) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
}

void FormWindow::ScrollContent() {
    auto* outer = qobject_cast<QBoxLayout*>(layout());
    if (!outer || outer->count() == 0) return;
    QWidget* focus = focusWidget();  // moving a widget takes its focus away
    int moved = outer->count();
    const bool vertical = outer->direction() == QBoxLayout::TopToBottom;
    if (vertical && HoldsButton(outer->itemAt(moved - 1)->layout())) --moved;

    auto* inner = new QBoxLayout(outer->direction());
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(outer->spacing());
    for (int i = 0; i < moved; ++i) {
        const int stretch = outer->stretch(0);
        QLayoutItem* item = outer->takeAt(0);
        if (QWidget* widget = item->widget()) {
            // The item goes before the widget takes its new one: the widget
            // tells its layout item of changes to its size (a longer wrapped
            // text), and must tell the new one.
            const Qt::Alignment alignment = item->alignment();
            delete item;
            inner->addWidget(widget, stretch, alignment);
        } else if (QLayout* child = item->layout()) {
            child->setParent(nullptr);
            inner->addLayout(child, stretch);
        } else {
            inner->addItem(item);
            inner->setStretch(inner->count() - 1, stretch);
        }
    }
    // Made a child of the window first: a widget moved between windows would
    // lose its place in the focus order.
    auto* content = new QWidget(this);
    content->setLayout(inner);
    // A width the builder asked of the window is asked of its content, so
    // that the window itself may still be narrowed to the screen.
    const QMargins margins = outer->contentsMargins();
    if (minimumWidth() > 0) {
        content->setMinimumWidth(minimumWidth() - margins.left() - margins.right());
        setMinimumWidth(0);
    }
    auto* area = new ContentScrollArea(this);
    area->setWidget(content);
    outer->insertWidget(0, area, 1);
    content->installEventFilter(this);
    content_ = content;
    area_ = area;
    if (focus) focus->setFocus(Qt::OtherFocusReason);
}

void FormWindow::GrowToContent() {
    area_->updateGeometry();  // its size hint follows the content's
    if (!isVisible() || !screen()) return;
    const QRect room = screen()->availableGeometry();
    const QMargins frame = FrameMargins(this);
    const QSize wanted = SizeFor(room.size().shrunkBy(frame)).expandedTo(size());
    if (wanted == size()) return;
    resize(wanted);
    move(FitInside(QRect(pos(), wanted.grownBy(frame)), room).topLeft());
}

QSize FormWindow::SizeFor(QSize room) const {
    QSize size = PreferredSize();
    if (auto* area = qobject_cast<QScrollArea*>(area_)) {
        const QSize wanted = size;
        if (wanted.height() > room.height()) size.rwidth() += area->verticalScrollBar()->sizeHint().width();
        if (wanted.width() > room.width()) size.rheight() += area->horizontalScrollBar()->sizeHint().height();
    }
    return size.boundedTo(room);
}

QRect FitInside(QRect frame, QRect screen) {
    frame.setSize(frame.size().boundedTo(screen.size()));
    frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() + 1 - frame.height()));
    return frame;
}

QMargins FrameMargins(const QWidget* window) {
    // Asked of the window system each time: the widget's own copy follows
    // only moves and resizes, and a window manager may frame a window
    // without either.
    if (const QWindow* handle = window->windowHandle(); handle && window->isVisible()) return handle->frameMargins();
    return {};
}

QRect FrameGeometry(const QWidget* window) { return window->geometry().marginsAdded(FrameMargins(window)); }

QSize FormWindow::PreferredSize() const {
    if (area_) area_->updateGeometry();  // a size hint cached before the texts were filled in
    QSize size = sizeHint().expandedTo(minimumSizeHint()).expandedTo(minimumSize());
    if (hasHeightForWidth()) size.setHeight(std::max(size.height(), heightForWidth(size.width())));
    return size;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::LayoutRequest) GrowToContent();
    const int id = IdOf(watched);
    if (id < 0) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (qobject_cast<QLineEdit*>(watched)) {
            int code = 0;
            if (enter) {
                code = kEnterKey;
            } else if (!key->text().isEmpty()) {
                code = key->text().at(0).unicode();
            }
            if (code != 0 && code != '\t' && logic_.KeyPress(id, code)) return true;
        } else if (enter) {
            // Enter presses the button or option that has the focus.
            if (auto* button = qobject_cast<QPushButton*>(watched)) {
                button->click();
                return true;
            }
            if (auto* option = qobject_cast<QRadioButton*>(watched)) {
                option->setChecked(true);
                logic_.DoubleClick(id);
                return true;
            }
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto* option = qobject_cast<QRadioButton*>(watched)) {
            option->setChecked(true);
            logic_.DoubleClick(id);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    logic_.CloseBox();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

}  // namespace korvelle
