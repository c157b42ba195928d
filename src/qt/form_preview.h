#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "form_document.h"
#include "ui/print_screen.h"

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

namespace korvelle {

// The design form page by page as it will print, in a modal window of its
// own: every page on the printer's paper within its margins, laid out by the
// same layout PRINT uses.  Its PRINT runs the print screen's own print path
// (print dialog, pages question, the file written whole, the status line),
// never the printer the preview paints on.
class FormPreview : public QDialog {
    Q_OBJECT
public:
    // The printer gives the paper, margins and resolution the form is laid
    // out for; it must outlive the preview and is never printed on.
    FormPreview(QPrinter& printer, FormDocument::LayOut layOut, PrintFromPreview print, QWidget* parent = nullptr);

    // The pages shown (none before the preview is first painted).
    int PageCount() const;
    // What went wrong while laying out or painting the pages, if anything.
    const std::optional<std::string>& failure() const { return failure_; }
    // The pages themselves, for a test that renders them.
    QPrintPreviewWidget* pages() const { return pages_; }
    QPushButton* printButton() const { return print_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Lays the form out on the preview's printer and paints every page.
    void PaintPages(QPrinter* printer);
    void Print();
    // "Page 2 of 3" for the page in sight.
    void ShowPageNumber();

    FormDocument::LayOut layOut_;
    PrintFromPreview printFromPreview_;
    QPrintPreviewWidget* pages_;
    QPushButton* print_;
    QLabel* pageNumber_;
    std::optional<std::string> failure_;
};

}  // namespace korvelle
