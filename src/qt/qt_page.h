#pragma once

#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <string>
#include <string_view>

#include "print/page.h"

class QPagedPaintDevice;

namespace korvelle {

// A page on a Qt paged device (a QPrinter, a QPdfWriter), in inches from the
// top-left corner of the device's printable area.  One column is one
// character of the current font.  Lines are single-spaced as on a typewriter:
// one line is the font size (12 points: six lines to the inch), whatever
// extra room the face itself asks for between lines, so that the one-page
// forms stay on one page in every Courier-like face.
//
// The document is handed to the device whole: what is printed is kept until
// the document ends, and only then is the job started, every page painted and
// the job ended.  A layout that fails half way therefore never reaches the
// printer, and a device that cannot start or continue the job shows it as a
// PageError from the painting.  Any operation after the end of the document
// is a PageError.
class QtPage : public Page {
public:
    // When the ended document is painted.
    enum class Painting {
        AtEnd,      // EndDocument() paints it
        OnRequest,  // Paint() paints it, so that the pages can be counted first
    };

    // The device must outlive the page and must not be painted on by anyone
    // else until the document has been painted.
    explicit QtPage(QPagedPaintDevice& device, Painting painting = Painting::AtEnd);
    ~QtPage() override;
    QtPage(const QtPage&) = delete;
    QtPage& operator=(const QtPage&) = delete;

    void SetFaceName(const std::string& face) override;
    void SetSize(double points) override;
    void SetBold(bool on) override;
    void SetUnderline(bool on) override;
    void SetScaleInches() override;
    double X() const override { return x_; }
    double Y() const override { return y_; }
    void SetX(double x) override;
    void SetY(double y) override;
    double PrintableWidth() const override;
    double PrintableHeight() const override;
    double TextWidth(std::string_view text) const override;
    double TextHeight(std::string_view text) const override;
    void PrintText(std::string_view text) override;
    void NewPage() override;
    void EndDocument() override;

    // Paints the ended document onto the device as one job (Painting::
    // OnRequest).  A PageError when the device fails, when the document has
    // not ended, or when it has been painted already.
    void Paint();

    // The pages laid out so far (at least one).
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The device's paper, orientation and margins.
    QPageLayout PageLayout() const;
    // The font of everything printed from now on, as the device resolves it.
    QFont CurrentFont() const { return font_; }

private:
    // One text as it will be painted: its baseline origin in device pixels.
    struct Run {
        QPointF origin;
        QFont font;
        QString text;
    };

    void CheckOpen() const;
    void PaintPages();
    double DpiX() const;
    double DpiY() const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    double x_ = 0.0;
    double y_ = 0.0;
    bool scaleInches_ = false;
    Painting painting_;
    bool ended_ = false;
    bool painted_ = false;
    QList<QList<Run>> pages_;
};

}  // namespace korvelle
