#include "form_preview.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QShowEvent>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

#include "form_window.h"
#include "windows.h"

namespace korvelle {

namespace {

// Of the screen's available height, what the window takes, leaving room for
// the window manager's frame and title bar.
constexpr double kShareOfScreenHeight = 0.9;
// Width of the window for its height: a Letter page at the width of the
// window, about the top three quarters of it in sight.
constexpr double kWidthForHeight = 0.85;
constexpr double kZoomStep = 1.25;

// One button of the tool row: its caption is its accessible name.
QPushButton* ToolButton(const QString& caption, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(caption);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

FormPreview::FormPreview(QPrinter& printer, FormDocument::LayOut layOut, PrintFromPreview print, QWidget* parent)
    : QDialog(parent), layOut_(std::move(layOut)), printFromPreview_(std::move(print)) {
    setWindowTitle(ScreenTitle("Preview of the design form"));
    setAccessibleName("Preview of the design form");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* tools = new QHBoxLayout;
    print_ = ToolButton("PRINT", "Prints the form shown here, as PRINT on the print screen does (Ctrl+P)", this);
    print_->setDefault(true);
    QPushButton* fitWidth = ToolButton("FIT WIDTH", "The page as wide as the window", this);
    QPushButton* wholePage = ToolButton("WHOLE PAGE", "The whole page in the window", this);
    QPushButton* zoomIn = ToolButton("ZOOM IN", "Larger (Ctrl++)", this);
    QPushButton* zoomOut = ToolButton("ZOOM OUT", "Smaller (Ctrl+-)", this);
    QPushButton* close = ToolButton("CLOSE", "Back to the print screen (Esc)", this);
    pageNumber_ = new QLabel(this);
    pageNumber_->setAccessibleName("Page shown");
    for (QPushButton* button : {print_, fitWidth, wholePage, zoomIn, zoomOut}) tools->addWidget(button);
    tools->addStretch();
    tools->addWidget(pageNumber_);
    tools->addStretch();
    tools->addWidget(close);
    layout->addLayout(tools);

    pages_ = new QPrintPreviewWidget(&printer, this);
    pages_->setAccessibleName("Pages of the design form");
    pages_->setViewMode(QPrintPreviewWidget::SinglePageView);
    pages_->setZoomMode(QPrintPreviewWidget::FitToWidth);
    // The view inside takes the focus (the arrows and Page Up and Down turn
    // the pages): a screen reader names it too.
    for (QWidget* part : pages_->findChildren<QWidget*>()) {
        if (part->focusPolicy() != Qt::NoFocus) part->setAccessibleName(pages_->accessibleName());
    }
    layout->addWidget(pages_, 1);

    connect(pages_, &QPrintPreviewWidget::paintRequested, this, &FormPreview::PaintPages);
    connect(pages_, &QPrintPreviewWidget::previewChanged, this, &FormPreview::ShowPageNumber);
    connect(print_, &QPushButton::clicked, this, &FormPreview::Print);
    connect(fitWidth, &QPushButton::clicked, pages_, &QPrintPreviewWidget::fitToWidth);
    connect(wholePage, &QPushButton::clicked, pages_, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QPushButton::clicked, pages_, [this] { pages_->zoomIn(kZoomStep); });
    connect(zoomOut, &QPushButton::clicked, pages_, [this] { pages_->zoomOut(kZoomStep); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, print_, &QPushButton::click);
    connect(new QShortcut(QKeySequence::ZoomIn, this), &QShortcut::activated, zoomIn, &QPushButton::click);
    connect(new QShortcut(QKeySequence::ZoomOut, this), &QShortcut::activated, zoomOut, &QPushButton::click);

    const QList<QWidget*> order = {print_, fitWidth, wholePage, zoomIn, zoomOut, close, pages_};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    print_->setFocus();
}

int FormPreview::PageCount() const { return pages_->pageCount(); }

void FormPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // As tall as the screen allows, as wide as a page wants, inside the
    // screen of the window it previews for.
    const QRect room = AvailableArea(this);
    const QMargins frame = FrameMargins(this);
    const int height = static_cast<int>(room.height() * kShareOfScreenHeight) - frame.top() - frame.bottom();
    const int width = std::min(static_cast<int>(height * kWidthForHeight), room.width() - frame.left() - frame.right());
    resize(std::max(width, minimumSizeHint().width()), height);
    PlaceCentred(this, room.center(), room);
}

void FormPreview::PaintPages(QPrinter* printer) {
    // Nothing may escape into the preview's painting: a failure leaves the
    // pages blank and is reported when the preview closes.
    try {
        FormDocument form(*printer, layOut_);
        form.Paint();
    } catch (const std::exception& error) {
        failure_ = error.what();
    } catch (...) {
        failure_ = "the form could not be laid out.";
    }
}

void FormPreview::Print() {
    if (printFromPreview_()) accept();
}

void FormPreview::ShowPageNumber() {
    pageNumber_->setText(QString("Page %1 of %2").arg(pages_->currentPage()).arg(pages_->pageCount()));
}

}  // namespace korvelle
