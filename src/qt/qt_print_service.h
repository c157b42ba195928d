#pragma once

#include <QFont>
#include <QMarginsF>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "print/page.h"
#include "ui/print_screen.h"

class QPrinter;

namespace korvelle {

// The desktop's printers, font dialog and print dialog.
//
// The dialogs and the page are reached through the protected virtual
// functions below, so that a test can stand in for the user at a dialog or
// for a printer that fails, without anything modal being shown.
class QtPrintService : public PrintService {
public:
    std::vector<std::string> PrinterFaces() override;
    std::string CourierSubstitute() override;
    // Opens the font dialog on the initial face and size; only the face and
    // size chosen are kept (any style is ignored).
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    // Sets up a printer (Letter, portrait, unless the printer's own paper
    // says otherwise), lets the user choose where to print, sets margins that
    // keep the whole 77-column form on the page, lays the form out and ends
    // the job.  A failure anywhere aborts the job and leaves no file behind.
    PrintOutcome PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                           const ResultSheet& sheet) override;

    // The file offered when printing to a file: design-form.pdf in the user's
    // documents folder, which is created if missing.
    static QString OfferedFile();

    // Margins, in inches, for a sheet of the given width: about half an inch
    // on the left, and a right margin that leaves at least kFormWidth inches
    // of printable width wherever the paper allows it.
    static QMarginsF FormMargins(double paperWidth);
    // The width of the widest lines of the form (77 columns of a 10-pitch
    // face at 12 points) with half a column to spare, in inches.
    static constexpr double kFormWidth = 7.75;

protected:
    // The modal font dialog opened on `initial`; nothing when cancelled.
    virtual std::optional<QFont> FontDialog(const QFont& initial);
    // The modal print dialog on the printer; false when cancelled.
    virtual bool PrintDialog(QPrinter& printer);
    // The page the form is laid out on.
    virtual std::unique_ptr<Page> MakePage(QPrinter& printer);
};

}  // namespace korvelle
