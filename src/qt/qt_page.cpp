#include "qt_page.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <cmath>
#include <stdexcept>

namespace korvelle {

namespace {

constexpr double kPointsPerInch = 72.0;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtPage::QtPage(QPagedPaintDevice& device, Painting painting)
    : device_(device), painting_(painting), pages_(1) {}

QtPage::~QtPage() {
    if (painter_.isActive()) painter_.end();
}

void QtPage::CheckOpen() const {
    if (ended_) throw PageError("the document has already ended");
}

double QtPage::DpiX() const { return device_.logicalDpiX(); }

double QtPage::DpiY() const { return device_.logicalDpiY(); }

void QtPage::SetFaceName(const std::string& face) {
    CheckOpen();
    font_.setFamily(QString::fromStdString(face));
}

void QtPage::SetSize(double points) {
    CheckOpen();
    if (!std::isfinite(points) || points <= 0.0) throw PageError("the font size must be a positive number");
    font_.setPointSizeF(points);
}

void QtPage::SetBold(bool on) {
    CheckOpen();
    font_.setBold(on);
}

void QtPage::SetUnderline(bool on) {
    CheckOpen();
    font_.setUnderline(on);
}

void QtPage::SetScaleInches() {
    CheckOpen();
    scaleInches_ = true;
}

void QtPage::SetX(double x) {
    CheckOpen();
    x_ = x;
}

void QtPage::SetY(double y) {
    CheckOpen();
    y_ = y;
}

QPageLayout QtPage::PageLayout() const { return device_.pageLayout(); }

double QtPage::PrintableWidth() const { return device_.pageLayout().paintRect(QPageLayout::Inch).width(); }

double QtPage::PrintableHeight() const { return device_.pageLayout().paintRect(QPageLayout::Inch).height(); }

double QtPage::TextWidth(std::string_view text) const {
    if (text.empty()) return 0.0;
    return QFontMetricsF(font_, &device_).horizontalAdvance(FromUtf8(text)) / DpiX();
}

double QtPage::TextHeight(std::string_view) const { return font_.pointSizeF() / kPointsPerInch; }

void QtPage::PrintText(std::string_view text) {
    CheckOpen();
    if (!scaleInches_) throw std::logic_error("printed before the scale was set to inches");
    if (text.empty()) return;
    const QString characters = FromUtf8(text);
    const QFontMetricsF metrics(font_, &device_);
    // The position is the top of the text; Qt draws from the baseline.
    pages_.last().append(Run{QPointF(x_ * DpiX(), y_ * DpiY() + metrics.ascent()), font_, characters});
    x_ += metrics.horizontalAdvance(characters) / DpiX();
}

void QtPage::NewPage() {
    CheckOpen();
    pages_.append(QList<Run>());
}

void QtPage::EndDocument() {
    CheckOpen();
    ended_ = true;
    if (painting_ == Painting::AtEnd) PaintPages();
}

void QtPage::Paint() {
    if (!ended_) throw PageError("the document has not ended");
    PaintPages();
}

void QtPage::PaintPages() {
    if (painted_) throw PageError("the document has already been painted");
    painted_ = true;
    if (!painter_.begin(&device_)) throw PageError("the printer could not start the job");
    painter_.setPen(Qt::black);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    for (qsizetype page = 0; page < pages_.size(); ++page) {
        if (page > 0 && !device_.newPage()) throw PageError("the printer could not start a new page");
        for (const Run& run : pages_[page]) {
            if (!painter_.isActive()) throw PageError("the printer stopped during the job");
            painter_.setFont(run.font);
            painter_.drawText(run.origin, run.text);
        }
    }
    if (!painter_.end()) throw PageError("the printer could not finish the job");
}

}  // namespace korvelle
