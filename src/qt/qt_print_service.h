#pragma once

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form_document.h"
#include "qt_page.h"
#include "ui/print_screen.h"

class QPrinter;
class QSaveFile;

namespace korvelle {

class FormPreview;

// The desktop's printers, font dialog and print dialog.
//
// The dialogs, the layout and the file written are reached through the
// protected virtual functions below, so that a test can stand in for the
// user at a dialog, for a printer that fails or for a disk that fails,
// without anything modal being shown.
class QtPrintService : public PrintService {
public:
    std::vector<std::string> PrinterFaces() override;
    std::string CourierSubstitute() override;
    // Opens the font dialog on the initial face and size; only the face and
    // size chosen are kept (any style is ignored).
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    // Sets up a printer (Letter, portrait, unless the printer's own paper
    // says otherwise), lets the user choose where to print, sets margins that
    // keep the whole 77-column form on the page, lays the form out on that
    // paper, asks `confirm` with its pages, and prints it.  A form printed to
    // a file is made whole in memory (PdfForm) and written through a
    // QSaveFile: a temporary file of a unique name beside the target, renamed
    // over it only once every byte is written and on disk.  Any failure
    // leaves the earlier file exactly as it was and no temporary file behind,
    // and says what failed, with the system's reason, naming the file.
    PrintOutcome PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                           const ResultSheet& sheet, const ConfirmPages& confirm) override;
    // The form on the printer and paper the print dialog opens on, with the
    // margins PRINT sets, in a FormPreview until the user closes it.  Not
    // asked about pages: the preview shows them all and prints nothing
    // itself.
    std::optional<std::string> PreviewForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                           const ResultSheet& sheet, const PrintFromPreview& print) override;

    // The file offered when printing to a file: design-form.pdf in the user's
    // documents folder, which is created if missing.
    static QString OfferedFile();

protected:
    // The modal font dialog opened on `initial`; nothing when cancelled.
    virtual std::optional<QFont> FontDialog(const QFont& initial);
    // The modal print dialog on the printer; false when cancelled.
    virtual bool PrintDialog(QPrinter& printer);
    // The preview, modal, until the user closes it.
    virtual void ShowPreview(FormPreview& preview);
    // Lays the job's form out on the page (of the printer or of the PDF in
    // memory) and ends the document.
    virtual void LayOut(QtPage& page, const FormJob& job);
    // The file a PDF is written through, not yet open.
    virtual std::unique_ptr<QSaveFile> SaveFile(const QString& target);

private:
    PrintOutcome PrintOnPrinter(QPrinter& printer, const FormJob& job, const ConfirmPages& confirm);
    PrintOutcome PrintToFile(const QString& target, const QPageLayout& layout, const FormJob& job,
                             const ConfirmPages& confirm);
    PrintOutcome Save(const QByteArray& pdf, const QString& target);
};

}  // namespace korvelle
