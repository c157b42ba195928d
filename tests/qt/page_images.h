#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#include "qt/form_preview.h"
#include "qt/form_document.h"

namespace korvelle::testing {

// The pages of a preview as the preview draws them, at `dpi` dots per inch:
// each page of its view, paper edge to paper edge, without the shadow the
// view draws around it.
inline QList<QImage> PreviewPages(FormPreview& preview, int dpi) {
    preview.pages()->updatePreview();  // paints the pages, as showing the preview does
    const auto* view = preview.pages()->findChild<QGraphicsView*>();
    if (view == nullptr || view->scene() == nullptr) return {};
    QList<QGraphicsItem*> pages = view->scene()->items();
    std::sort(pages.begin(), pages.end(), [](const QGraphicsItem* a, const QGraphicsItem* b) {
        return std::pair(a->scenePos().y(), a->scenePos().x()) < std::pair(b->scenePos().y(), b->scenePos().x());
    });
    QList<QImage> images;
    for (const QGraphicsItem* page : pages) {
        // The paper lies at the item's origin, in printer dots, with an even
        // border for the shadow around it.
        const QRectF box = page->boundingRect();
        const QRectF paper(0, 0, box.width() + 2 * box.x(), box.height() + 2 * box.y());
        const double scale = static_cast<double>(dpi) / PdfForm::kResolution;
        QImage image((paper.size() * scale).toSize(), QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        view->scene()->render(&painter, QRectF(image.rect()), page->mapRectToScene(paper), Qt::IgnoreAspectRatio);
        painter.end();
        images.append(image);
    }
    return images;
}

// The pages of a PDF file as pdftoppm renders them at `dpi` dots per inch.
inline QList<QImage> PdfPages(const QString& pdf, int dpi) {
    QTemporaryDir folder;
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-gray", "-r", QString::number(dpi), pdf, folder.filePath("page")});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    QList<QImage> images;
    // Named page-1.pgm, or page-01.pgm and on for more pages than nine.
    for (const QString& name : QDir(folder.path()).entryList({"page-*.pgm"}, QDir::Files, QDir::Name)) {
        images.append(QImage(folder.filePath(name)).convertToFormat(QImage::Format_Grayscale8));
    }
    return images;
}

// The ink of `a` that `b` lacks: the pixels dark in `a` with no pixel within
// one step of them (sideways, up or down) at least partly dark in `b`.  Two
// renderers may place an edge or a baseline a pixel apart.
inline long InkMissing(const QImage& a, const QImage& b) {
    constexpr int kInk = 128;      // darker than this is ink
    constexpr int kPartly = 224;   // darker than this is an antialiased edge at least
    long missing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.constScanLine(y)[x] >= kInk) continue;
            bool near = false;
            for (int ny = std::max(0, y - 1); ny <= std::min(b.height() - 1, y + 1) && !near; ++ny) {
                for (int nx = std::max(0, x - 1); nx <= std::min(b.width() - 1, x + 1) && !near; ++nx) {
                    near = b.constScanLine(ny)[nx] < kPartly;
                }
            }
            missing += near ? 0 : 1;
        }
    }
    return missing;
}

inline long Ink(const QImage& image) {
    long ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += image.constScanLine(y)[x] < 128 ? 1 : 0;
    }
    return ink;
}

// Two renderings of one page are the same page: the same size, some ink on
// it, and next to none of the ink of either missing from the other (a few in
// a thousand, for the renderers' antialiasing).  A text moved by two pixels,
// a glyph of another face or size, a line more or less all fail this.
inline ::testing::AssertionResult SamePage(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "sizes " << a.width() << "x" << a.height() << " and " << b.width()
                                             << "x" << b.height();
    }
    constexpr double kShare = 0.005;  // of the ink
    const long ink = Ink(a) + Ink(b);
    const long missing = InkMissing(a, b) + InkMissing(b, a);
    if (ink == 0) return ::testing::AssertionFailure() << "blank pages";
    if (missing > kShare * ink) return ::testing::AssertionFailure() << missing << " of " << ink << " inked pixels apart";
    return ::testing::AssertionSuccess() << missing << " of " << ink << " inked pixels apart";
}

}  // namespace korvelle::testing
