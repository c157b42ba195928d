#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>
#include <functional>
#include <optional>

#include "core/design_record.h"
#include "core/structure_evaluation.h"
#include "qt_page.h"
#include "ui/print_screen.h"

class QPagedPaintDevice;

namespace korvelle {

// One design form to produce: its kind, face and size, and the design it
// shows.  The record and sheet must outlive the job.
struct FormJob {
    FormKind kind = FormKind::FullDepth;
    FontChoice font;
    const DesignRecord& record;
    const ResultSheet& sheet;
    std::vector<ComparisonLine> comparison;  // the alternatives, on a page after the form
};

// Lays the job's form out on the page and ends the document.
void LayOutForm(Page& page, const FormJob& job);

// The design form laid out on a paged device (a printer, a PDF writer) for
// its face and size: every text placed on its page, nothing on the device
// yet, so that the pages can be counted before anything is printed.  No
// dialogs: PRINT, and every other way of producing the form, goes through
// here.
class FormDocument {
public:
    // Lays a document out on the page it is given and ends it.
    using LayOut = std::function<void(QtPage&)>;

    // Lays the job's form out on the device.  Throws what the layout throws
    // (std::invalid_argument for a sheet the form cannot print, a PageError),
    // before anything reaches the device.  The device must outlive the
    // document.
    FormDocument(QPagedPaintDevice& device, const FormJob& job);
    FormDocument(QPagedPaintDevice& device, const LayOut& layOut);

    // The pages the form takes on the device, at least one.
    int PageCount() const { return page_.PageCount(); }
    // Paints every page onto the device as one job, once; a PageError when
    // the device fails.
    void Paint() { page_.Paint(); }

private:
    QtPage page_;
};

// The design form as the bytes of a PDF file, made in memory: pages of the
// given paper, orientation and margins at the resolution of a
// high-resolution printer, the document titled "design-form".  What PRINT
// writes to a file.
class PdfForm {
public:
    // Lays the form out; throws as FormDocument does.
    PdfForm(const QPageLayout& layout, const FormJob& job);
    PdfForm(const QPageLayout& layout, const FormDocument::LayOut& layOut);
    PdfForm(const PdfForm&) = delete;
    PdfForm& operator=(const PdfForm&) = delete;

    // The pages of the PDF, at least one.
    int PageCount() const { return form_->PageCount(); }
    // Paints the pages and gives the whole file; only once.  A PageError
    // when the PDF cannot be made.
    QByteArray Bytes();

    // Dots per inch of the PDF's layout, as QPrinter::HighResolution.
    static constexpr int kResolution = 1200;

private:
    void SetUp(const QPageLayout& layout);

    QByteArray bytes_;
    QBuffer buffer_;
    QPdfWriter writer_;
    std::optional<FormDocument> form_;
};

// The job's form as the bytes of a PDF file with pages of the given layout:
// PdfForm in one call.
QByteArray FormPdf(const QPageLayout& layout, const FormJob& job);

}  // namespace korvelle
