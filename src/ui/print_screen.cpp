#include "print_screen.h"

#include <exception>

#include "print/font_choice.h"
#include "structure_screens.h"

namespace korvelle {

void PrintScreen::Load() { view().SetText(kNote, std::string(kFontNote)); }

void PrintScreen::Click(int control) {
    switch (control) {
        case kPrint: Print(); break;
        case kMainMenu: program_.Move(self_, ScreenId::MainMenu); break;
        case kQuit: program_.Quit(); break;
        default: break;
    }
}

void PrintScreen::ResultAccepted() {
    view().SetText(kStatus, "");
    view().Focus(FirstButton());
}

void PrintScreen::Print() {
    // Whatever goes wrong while choosing the font or printing ends the print
    // quietly: the screen stays as it was and its status says why.
    try {
        PrintWithService();
    } catch (const std::exception& e) {
        view().SetText(kStatus, std::string("Not printed: ") + e.what());
    } catch (...) {
        view().SetText(kStatus, "Not printed: the print failed.");
    }
}

void PrintScreen::PrintWithService() {
    if (service_ == nullptr) {
        view().SetText(kStatus, "Not printed: no printer is available.");
        return;
    }
    FontChoice initial = font_;
    if (auto courier = PreselectedFace(service_->PrinterFaces())) {
        initial.face = *courier;
    } else if (initial.face.empty()) {
        // No face of that name: start from the fixed-pitch face the system
        // prints for Courier, never from a proportional default.
        initial.face = service_->CourierSubstitute();
    }
    auto chosen = service_->ChooseFont(initial);
    if (!chosen) {
        view().SetText(kStatus, "Not printed: no font was chosen.");
        return;
    }
    font_ = *chosen;
    const ResultSheet sheet = program_.logic<ResultScreen>(result_).Displayed();
    const PrintOutcome outcome = service_->PrintForm(kind_, font_, program_.record(), sheet);
    switch (outcome.kind) {
        case PrintOutcome::Printed: view().SetText(kStatus, "Printed on " + outcome.detail); break;
        case PrintOutcome::Saved: view().SetText(kStatus, "Saved as " + outcome.detail); break;
        case PrintOutcome::Cancelled: view().SetText(kStatus, "Not printed: the print was cancelled."); break;
        case PrintOutcome::Failed: view().SetText(kStatus, "Not printed: " + outcome.detail); break;
    }
}

}  // namespace korvelle
