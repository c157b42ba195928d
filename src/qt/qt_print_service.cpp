#include "qt_print_service.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <exception>

#include "form_page_setup.h"
#include "form_preview.h"
#include "whole_file.h"

namespace korvelle {

namespace {

// A reason as a sentence: "the printer failed." when there is none.
std::string Sentence(std::string reason) {
    if (reason.empty()) reason = "the printer failed";
    if (reason.back() != '.') reason += '.';
    return reason;
}

// Sets the form's margins, or the printer's smallest ones where those are
// wider.
void SetFormMargins(QPrinter& printer) { printer.setPageLayout(FormLayout(printer.pageLayout())); }

// The printer as the print dialog finds it: the default printer's paper in
// portrait, or, with no printer installed, a Letter page for the file
// offered.
void SetUpPrinter(QPrinter& printer) {
    printer.setDocName("design-form");
    printer.setPageOrientation(QPageLayout::Portrait);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // No printer is installed: the form can only go to a file.
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setOutputFileName(QtPrintService::OfferedFile());
    }
}

// The job without its comparison page: what the pages of the form itself
// are counted on, the comparison being asked about never.
FormJob WithoutComparison(const FormJob& job) { return FormJob{job.kind, job.font, job.record, job.sheet, {}}; }

}  // namespace

std::vector<std::string> QtPrintService::PrinterFaces() { return InstalledFaces(); }

std::string QtPrintService::CourierSubstitute() { return korvelle::CourierSubstitute(); }

std::optional<FontChoice> QtPrintService::ChooseFont(const FontChoice& initial) {
    QFont font;
    font.setFamily(QString::fromStdString(initial.face));
    if (initial.size > 0.0) font.setPointSizeF(initial.size);
    const std::optional<QFont> chosen = FontDialog(font);
    if (!chosen) return std::nullopt;
    FontChoice choice;
    choice.face = chosen->family().toStdString();
    choice.size = chosen->pointSizeF() > 0.0 ? chosen->pointSizeF() : QFontInfo(*chosen).pointSizeF();
    return choice;
}

QString QtPrintService::OfferedFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::homePath();
    return QDir(folder).filePath("design-form.pdf");
}

PrintOutcome QtPrintService::PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                       const ResultSheet& sheet, const ConfirmPages& confirm,
                                       const std::vector<ComparisonLine>& comparison) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (!PrintDialog(printer)) return {PrintOutcome::Cancelled, {}};
    SetFormMargins(printer);
    const FormJob job{kind, font, record, sheet, comparison};
    if (printer.outputFormat() != QPrinter::PdfFormat) return PrintOnPrinter(printer, job, confirm);

    // The printer itself never paints: it would write straight over the
    // earlier file.
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return {PrintOutcome::Failed, "no file was chosen."};
    return PrintToFile(target, printer.pageLayout(), job, confirm);
}

std::optional<std::string> QtPrintService::PreviewForm(FormKind kind, const FontChoice& font,
                                                      const DesignRecord& record, const ResultSheet& sheet,
                                                      const PrintFromPreview& print,
                                                      const std::vector<ComparisonLine>& comparison) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    SetFormMargins(printer);
    const FormJob job{kind, font, record, sheet, comparison};
    const FormDocument::LayOut layOut = [&](QtPage& page) { LayOut(page, job); };
    // A form that cannot be laid out is said so at once, not shown blank.
    try {
        FormDocument trial(printer, layOut);
    } catch (const std::exception& error) {
        return Sentence(error.what());
    }
    FormPreview preview(printer, layOut, print, QApplication::activeWindow());
    ShowPreview(preview);
    return preview.failure();
}

PrintOutcome QtPrintService::PrintOnPrinter(QPrinter& printer, const FormJob& job, const ConfirmPages& confirm) {
    try {
        FormDocument form(printer, [&](QtPage& page) { LayOut(page, job); });
        int formPages = form.PageCount();
        if (!job.comparison.empty()) {
            FormDocument alone(printer, [&](QtPage& page) { LayOut(page, WithoutComparison(job)); });
            formPages = alone.PageCount();
        }
        if (!confirm(formPages)) return {PrintOutcome::Cancelled, {}};
        form.Paint();
    } catch (const std::exception& error) {
        printer.abort();
        return {PrintOutcome::Failed, Sentence(error.what())};
    } catch (...) {
        printer.abort();
        return {PrintOutcome::Failed, Sentence({})};
    }
    const QString name = printer.printerName();
    return {PrintOutcome::Printed, name.isEmpty() ? std::string("the printer") : name.toStdString()};
}

PrintOutcome QtPrintService::PrintToFile(const QString& target, const QPageLayout& layout, const FormJob& job,
                                         const ConfirmPages& confirm) {
    QByteArray pdf;
    try {
        PdfForm form(layout, [&](QtPage& page) { LayOut(page, job); });
        const int formPages = job.comparison.empty()
                                  ? form.PageCount()
                                  : PdfForm(layout, [&](QtPage& page) { LayOut(page, WithoutComparison(job)); })
                                        .PageCount();
        if (!confirm(formPages)) return {PrintOutcome::Cancelled, {}};
        pdf = form.Bytes();
    } catch (const std::exception& error) {
        return {PrintOutcome::Failed, Sentence(error.what())};
    } catch (...) {
        return {PrintOutcome::Failed, Sentence({})};
    }
    return Save(pdf, target);
}

PrintOutcome QtPrintService::Save(const QByteArray& pdf, const QString& target) {
    const QFileInfo info(target);
    const bool earlier = info.exists();
    // What failed, the system's reason, and the file.
    auto notSaved = [&](const QString& what, const QString& reason) {
        const QString file = QDir::toNativeSeparators(target) + (earlier ? ", the earlier file unchanged" : "");
        return PrintOutcome{PrintOutcome::NotSaved, (what + ": " + reason + " (" + file + ").").toStdString()};
    };
    const std::unique_ptr<QSaveFile> file = SaveFile(target);
    if (auto failure = WriteWhole(*file, pdf)) return notSaved(failure->what, failure->reason);
    return {PrintOutcome::Saved, QDir::toNativeSeparators(target).toStdString()};
}

std::optional<QFont> QtPrintService::FontDialog(const QFont& initial) {
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, initial, QApplication::activeWindow(), "Font",
                                            QFontDialog::ScalableFonts);
    if (!accepted) return std::nullopt;
    return font;
}

bool QtPrintService::PrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle("Print the design form");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrintService::ShowPreview(FormPreview& preview) { preview.exec(); }

void QtPrintService::LayOut(QtPage& page, const FormJob& job) { LayOutForm(page, job); }

std::unique_ptr<QSaveFile> QtPrintService::SaveFile(const QString& target) {
    return std::make_unique<QSaveFile>(target);
}

}  // namespace korvelle
