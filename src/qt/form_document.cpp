#include "form_document.h"

#include "print/design_form.h"

namespace korvelle {

void LayOutForm(Page& page, const FormJob& job) {
    if (job.kind == FormKind::FullDepth) {
        PrintFullDepthForm(page, job.record, job.sheet, job.font.face, job.font.size, job.comparison);
    } else {
        PrintOverlayForm(page, job.record, job.sheet, job.font.face, job.font.size, job.comparison);
    }
}

FormDocument::FormDocument(QPagedPaintDevice& device, const FormJob& job)
    : FormDocument(device, [&job](QtPage& page) { LayOutForm(page, job); }) {}

FormDocument::FormDocument(QPagedPaintDevice& device, const LayOut& layOut)
    : page_(device, QtPage::Painting::OnRequest) {
    layOut(page_);
}

PdfForm::PdfForm(const QPageLayout& layout, const FormJob& job) : buffer_(&bytes_), writer_(&buffer_) {
    SetUp(layout);
    form_.emplace(writer_, job);
}

PdfForm::PdfForm(const QPageLayout& layout, const FormDocument::LayOut& layOut)
    : buffer_(&bytes_), writer_(&buffer_) {
    SetUp(layout);
    form_.emplace(writer_, layOut);
}

void PdfForm::SetUp(const QPageLayout& layout) {
    if (!buffer_.open(QIODevice::WriteOnly)) throw PageError("no memory for the PDF");
    writer_.setResolution(kResolution);
    writer_.setTitle("design-form");
    writer_.setCreator("Korvelle");
    if (!writer_.setPageLayout(layout)) throw PageError("the PDF cannot take the paper's margins");
}

QByteArray PdfForm::Bytes() {
    form_->Paint();
    buffer_.close();
    return bytes_;
}

QByteArray FormPdf(const QPageLayout& layout, const FormJob& job) { return PdfForm(layout, job).Bytes(); }

}  // namespace korvelle
