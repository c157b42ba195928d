#include "print_screen.h"

#include <cstdint>
#include <exception>

#include "alternatives.h"
#include "core/number_format.h"
#include "design_document.h"
#include "print/font_choice.h"
#include "structure_screens.h"

namespace korvelle {

namespace {

// A number of pages as the user reads it: "1,237".
std::string PageCount(int pages) { return FormatNumber(static_cast<std::int32_t>(pages), kCountPattern); }

}  // namespace

void PrintScreen::Load() { view().SetText(kNote, std::string(kFontNote)); }

template <typename Action>
void PrintScreen::Guarded(const char* failed, const char* unknown, const Action& action) {
    try {
        action();
    } catch (const std::exception& e) {
        view().SetText(kStatus, failed + std::string(e.what()));
    } catch (...) {
        view().SetText(kStatus, failed + std::string(unknown));
    }
}

void PrintScreen::Click(int control) {
    switch (control) {
        case kPrint: Guarded("Not printed: ", "the print failed.", [this] { PrintWithService(); }); break;
        case kPreview: Guarded("Not previewed: ", "the preview failed.", [this] { PreviewWithService(); }); break;
        case kMainMenu: program_.Move(self_, ScreenId::MainMenu); break;
        case kQuit: program_.Quit(); break;
        case kSave: SaveDesign(false); break;
        case kSaveAs: SaveDesign(true); break;
        default: break;
    }
}

void PrintScreen::SaveDesign(bool chooseFile) {
    if (program_.document().Save(chooseFile)) view().SetText(kStatus, "Design saved as " + program_.document().path());
}

void PrintScreen::ResultAccepted() {
    view().SetText(kStatus, "");
    view().Focus(FirstButton());
}

ResultSheet PrintScreen::AcceptedSheet() {
    // The print screen is reached only through ACCEPT on its result screen.
    if (const std::optional<Acceptance>& acceptance = program_.acceptance()) return acceptance->result.sheet;
    return program_.logic<ResultScreen>(result_).Displayed();
}

FontChoice PrintScreen::DialogFont() {
    FontChoice initial = font_;
    if (auto courier = PreselectedFace(service_->PrinterFaces())) {
        initial.face = *courier;
    } else if (initial.face.empty()) {
        // No face of that name: start from the fixed-pitch face the system
        // prints for Courier, never from a proportional default.
        initial.face = service_->CourierSubstitute();
    }
    return initial;
}

FontChoice PrintScreen::PrintingFont() { return font_.face.empty() ? DialogFont() : font_; }

void PrintScreen::PrintWithService() {
    if (service_ == nullptr) {
        view().SetText(kStatus, "Not printed: no printer is available.");
        return;
    }
    auto chosen = service_->ChooseFont(DialogFont());
    if (!chosen) {
        view().SetText(kStatus, "Not printed: no font was chosen.");
        return;
    }
    font_ = *chosen;
    PrintWithFont(font_, AcceptedSheet());
}

void PrintScreen::PreviewWithService() {
    if (service_ == nullptr) {
        view().SetText(kStatus, "Not previewed: no printer is available.");
        return;
    }
    // No font dialog: the preview shows what PRINT would print, and its own
    // print button prints exactly what it shows.
    const FontChoice font = PrintingFont();
    const ResultSheet sheet = AcceptedSheet();
    auto print = [this, &font, &sheet] {
        bool done = true;  // a failure closes the preview, so that the status line is seen
        Guarded("Not printed: ", "the print failed.", [&] {
            font_ = font;
            done = PrintWithFont(font, sheet);
        });
        return done;
    };
    const std::vector<ComparisonLine> comparison = ComparisonLines(CompareAlternatives(program_));
    if (auto failure = service_->PreviewForm(kind_, font, program_.record(), sheet, print, comparison)) {
        view().SetText(kStatus, "Not previewed: " + *failure);
    }
}

bool PrintScreen::PrintWithFont(const FontChoice& font, const ResultSheet& sheet) {
    // A face or size too large for one page spills the form over several
    // (a thousand and more at the largest sizes): printed only when the user
    // says so.
    int declinedPages = 0;
    auto confirm = [&](int pages) {
        if (pages <= 1) return true;
        const std::string question =
            "The form takes " + PageCount(pages) + " pages at this face and size. Print it anyway?";
        if (program_.desktop().Ask(question, "Pages of the design form", Question::YesNo) == Answer::Yes) return true;
        declinedPages = pages;
        return false;
    };
    const std::vector<ComparisonLine> comparison = ComparisonLines(CompareAlternatives(program_));
    const PrintOutcome outcome = service_->PrintForm(kind_, font, program_.record(), sheet, confirm, comparison);
    switch (outcome.kind) {
        case PrintOutcome::Printed: view().SetText(kStatus, "Printed on " + outcome.detail); break;
        case PrintOutcome::Saved: view().SetText(kStatus, "Saved as " + outcome.detail); break;
        case PrintOutcome::Cancelled:
            view().SetText(kStatus, declinedPages > 0
                                        ? "Not printed: the form would take " + PageCount(declinedPages) + " pages."
                                        : "Not printed: the print was cancelled.");
            return false;
        case PrintOutcome::Failed: view().SetText(kStatus, "Not printed: " + outcome.detail); break;
        case PrintOutcome::NotSaved: view().SetText(kStatus, "Not saved: " + outcome.detail); break;
    }
    return true;
}

}  // namespace korvelle
