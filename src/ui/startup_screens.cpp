#include "startup_screens.h"

#include <string>
#include <utility>

#include "core/materials.h"
#include "core/version.h"
#include "alternatives.h"
#include "design_document.h"

namespace korvelle {

void StartupScreen::Load() { InitMaterialLists(program_.record()); }

void StartupScreen::Click(int control) {
    if (control == kOpen) {
        program_.document().Open();
    } else if (control == kContinue) {
        if (!fileToOpen_.empty()) {
            const std::string path = std::exchange(fileToOpen_, {});
            if (program_.document().OpenFile(path)) return;
        }
        program_.MoveAndDestroy(ScreenId::Startup, ScreenId::Information);
    }
}

void InformationScreen::Load() {
    view().SetText(kNotice,
                   "Korvelle designs flexible pavements by the 1972 AASHTO Interim Guide method. It is an aid "
                   "to the designer: every design must be checked and signed by a qualified pavement engineer "
                   "before it is used.");
    view().SetText(kContactIntro, "Questions about the program or the design method go to:");
    view().SetText(kContact,
                   "Pavement Design Section\nOffice of Materials and Research\nTelephone: (555) 010-4400");
    view().SetText(kVersion, "Version " + std::string(kProgramVersion));
}

void InformationScreen::Click(int control) {
    if (control == kPicture) {
        program_.desktop().ShowMessage(std::string(kPictureMessage), std::string(kPictureMessageTitle),
                                       MessageStyle::Plain);
    } else if (control == kContinue) {
        program_.MoveAndDestroy(ScreenId::Information, ScreenId::ProjectInformation);
    }
}

void MainMenu::Load() { view().SetChoice(kOptions, kFullDepth); }

void MainMenu::SelectFullDepth() {
    program_.view(ScreenId::MainMenu).SetChoice(kOptions, kFullDepth);
    program_.record().menuChoice = kFullDepth;
}

void MainMenu::Shown() {
    view().SetText(kFileStatus, program_.document().Status());
    std::string accepted = "No structure accepted yet";
    if (const std::optional<Acceptance>& acceptance = program_.acceptance()) {
        const ResultSheet& sheet = acceptance->result.sheet;
        if (!program_.AcceptanceCurrent()) {
            accepted = std::string(kStaleAcceptanceMessage);
        } else {
            accepted = std::string("Accepted: ") +
                       (acceptance->result.kind == StructureKind::Overlay ? "overlay" : "full-depth structure") +
                       ", proposed SN " + sheet.proposedSn + " against " + sheet.requiredSn + " required, " +
                       sheet.difference + " " + sheet.verdict;
        }
    }
    view().SetText(kAcceptance, accepted);
    view().Focus(kOptions);  // the keyboard starts on the option chosen
}

void MainMenu::Click(int control) {
    switch (control) {
        case kOptions: program_.record().menuChoice = static_cast<std::int16_t>(view().Choice(kOptions)); break;
        case kContinue: Continue(); break;
        case kSave: program_.document().Save(false); break;
        case kSaveAs: program_.document().Save(true); break;
        case kOpen: program_.document().Open(); break;
        case kSensitivity: ShowSensitivity(); break;
        case kAlternatives: ShowAlternatives(); break;
        default: break;
    }
}

void MainMenu::DoubleClick(int control) {
    Click(control);
    if (control == kOptions) Continue();
}

void MainMenu::ShowSensitivity() {
    if (!sensitivity_) {
        program_.desktop().Beep();
        return;
    }
    sensitivity_->ShowSensitivity(ComputeSensitivity(program_.record(), StructureLines(program_)));
}

void MainMenu::ShowAlternatives() {
    if (!alternatives_) {
        program_.desktop().Beep();
        return;
    }
    if (const std::optional<std::size_t> use = alternatives_->ShowAlternatives(program_)) {
        PutAlternative(program_, *use);
    } else {
        Shown();  // the file changed when an alternative was renamed or deleted
    }
}

void MainMenu::Continue() {
    switch (program_.record().menuChoice) {
        case kFullDepth: program_.Move(ScreenId::MainMenu, ScreenId::FullDepthEntry); break;
        case kOverlay: program_.Move(ScreenId::MainMenu, ScreenId::OverlayEntry); break;
        case kEditData: program_.Move(ScreenId::MainMenu, ScreenId::ProjectInformation); break;
        case kQuit: program_.Quit(); break;
        default: break;
    }
}

}  // namespace korvelle
