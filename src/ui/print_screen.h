#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/structure_evaluation.h"
#include "print/design_form.h"
#include "program.h"

namespace korvelle {

enum class FormKind { FullDepth, Overlay };

struct FontChoice {
    std::string face;
    double size = 12.0;  // points
};

struct PrintOutcome {
    enum Kind {
        Printed,    // on a printer
        Saved,      // the whole file is in place
        Cancelled,  // by the user
        Failed,     // nothing printed or written
        NotSaved,   // the form was made but its file could not be written; any earlier file is as it was
    };
    Kind kind = Failed;
    std::string detail;  // printer name, file name, or what went wrong (naming the file when not saved)
};

// Asked, with the number of pages the form takes on the printer and paper
// chosen (the comparison page of the alternatives not counted), after it has been laid out and before anything is printed or
// written: true goes on, false prints nothing.
using ConfirmPages = std::function<bool(int pages)>;

// The print button of the form's preview: prints the form the preview shows
// through the same path as PRINT, whose status line reports it.  True when
// the preview has done its job and closes; false keeps it open (the print
// dialog was cancelled, or the pages were not confirmed).  Never throws.
using PrintFromPreview = std::function<bool()>;

// The printer, the font dialog and the print dialog as the print screens use
// them.
class PrintService {
public:
    virtual ~PrintService() = default;
    // The printer's installed faces, in the printer's own order.
    virtual std::vector<std::string> PrinterFaces() = 0;
    // The face the system uses when "Courier" is asked for.
    virtual std::string CourierSubstitute() = 0;
    // The modal font dialog, opened on `initial`; nothing when cancelled.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
    // The print dialog, then the form laid out for the printer chosen, the
    // pages confirmed, and the form printed or its file written.  Cancelled
    // when the dialog is cancelled or `confirm` says no.
    // `comparison`: the alternatives, printed on a page after the form.
    virtual PrintOutcome PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                   const ResultSheet& sheet, const ConfirmPages& confirm,
                                   const std::vector<ComparisonLine>& comparison = {}) = 0;
    // The form laid out as PrintForm lays it out on the printer its print
    // dialog opens on (paper, margins, every page), shown in a window until
    // the user closes it; `print` runs when the user prints from there.
    // Nothing when the preview was shown, else why it could not be.
    virtual std::optional<std::string> PreviewForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                                   const ResultSheet& sheet, const PrintFromPreview& print,
                                                   const std::vector<ComparisonLine>& comparison = {}) = 0;
};

inline constexpr std::string_view kFontNote =
    "NOTE: You may have to experiment to find the best font and font size to print the pavement design form.  If "
    "the defaults that are currently set for your system do not print well, try different fonts and font sizes.  "
    "One combination that seems to work well with most printers is the Courier or New Courier font in 12-point "
    "size. It may take a few seconds after you press the PRINT button.";

// A print screen: prints the design form of its kind, previews it, goes
// back to the main menu, or quits.  It remembers the font chosen for it for
// the rest of the run.
class PrintScreen : public Screen {
public:
    enum Control { kNote, kPrint, kMainMenu, kQuit, kStatus, kSave, kSaveAs, kPreview };
    PrintScreen(Program& program, ScreenId self, ScreenId result, FormKind kind)
        : program_(program), self_(self), result_(result), kind_(kind) {}
    void SetPrintService(PrintService* service) { service_ = service; }
    // The face and size last chosen in the font dialog (no face before the
    // first choice).
    const FontChoice& font() const { return font_; }
    FormKind kind() const { return kind_; }
    void Click(int control) override;
    void CloseBox() override { program_.Quit(); }
    // A newly evaluated design has been accepted: nothing of it is printed
    // yet, so an earlier print's status goes, and the focus starts again on
    // the first button of the screen's order.
    void ResultAccepted();
    // The first button of the screen's focus order: PRINT on the full-depth
    // screen, MAIN MENU on the overlay screen.
    int FirstButton() const { return kind_ == FormKind::FullDepth ? kPrint : kMainMenu; }

protected:
    void Load() override;

private:
    // Runs a print or a preview; whatever goes wrong in it ends it quietly,
    // the screen as it was and the status saying why after `failed` (or
    // `unknown` when nothing says why).
    template <typename Action>
    void Guarded(const char* failed, const char* unknown, const Action& action);
    void PrintWithService();
    void PreviewWithService();
    // The face the font dialog opens on: the printer's Courier when it has
    // one, else the face chosen before, else the system's Courier; at the
    // size chosen before (12 points at first).
    FontChoice DialogFont();
    // The face and size the screen prints with: those chosen in the font
    // dialog, or before any choice the ones the dialog would open on.
    FontChoice PrintingFont();
    // Prints the form in the font, asking before a form of several pages,
    // and says on the status line what became of it.  False when nothing
    // was printed because the user cancelled or said no.
    bool PrintWithFont(const FontChoice& font, const ResultSheet& sheet);
    void SaveDesign(bool chooseFile);
    // The result sheet accepted, which the form prints.
    ResultSheet AcceptedSheet();
    Program& program_;
    ScreenId self_, result_;
    FormKind kind_;
    PrintService* service_ = nullptr;
    FontChoice font_;
};

}  // namespace korvelle
