#pragma once

#include <string>
#include <string_view>

#include "program.h"
#include "sensitivity.h"

namespace korvelle {

class AlternativesDisplay;

// The start-up screen: its load step prepares the design record for the run.
// OPEN DESIGN... reopens a saved design straight away.
class StartupScreen : public Screen {
public:
    enum Control { kContinue, kOpen };
    explicit StartupScreen(Program& program) : program_(program) {}
    void Click(int control) override;
    void CloseBox() override { program_.QuitNow(); }
    // A design file named when the program was started: CONTINUE opens it and
    // goes straight to the main menu (or, when it cannot be opened, on as
    // without it).
    void SetFileToOpen(std::string path) { fileToOpen_ = std::move(path); }

protected:
    void Load() override;

private:
    Program& program_;
    std::string fileToOpen_;
};

// The information screen with the usage notice, the contact block and the
// program's version.
class InformationScreen : public Screen {
public:
    enum Control { kPicture, kNotice, kContactIntro, kContact, kContinue, kVersion };
    explicit InformationScreen(Program& program) : program_(program) {}
    void Click(int control) override;
    void CloseBox() override { program_.QuitNow(); }

protected:
    void Load() override;

private:
    Program& program_;
};

// The hub of every run, and where designs are saved and opened.
class MainMenu : public Screen {
public:
    enum Control { kOptions, kContinue, kSave, kSaveAs, kOpen, kFileStatus, kAcceptance, kSensitivity, kAlternatives };
    enum Option { kFullDepth, kOverlay, kEditData, kQuit };
    explicit MainMenu(Program& program) : program_(program) {}
    void Click(int control) override;
    void DoubleClick(int control) override;
    void CloseBox() override { program_.Quit(); }
    // Tells which file the design is and whether it has changed, and which
    // structure was accepted and whether it still matches the design data.
    void Shown() override;
    // Selects "DESIGN A FULL-DEPTH PAVEMENT", as a finished data entry does.
    void SelectFullDepth();
    // Where SENSITIVITY... shows its chart; without one the button only beeps.
    void SetSensitivityDisplay(SensitivityDisplay* display) { sensitivity_ = display; }
    // Where ALTERNATIVES... shows the alternatives; without one the button
    // only beeps.
    void SetAlternativesDisplay(AlternativesDisplay* display) { alternatives_ = display; }

protected:
    void Load() override;

private:
    void Continue();
    // SENSITIVITY...: the chart of the design as the design data stand,
    // with the structures drawn across it.
    void ShowSensitivity();
    // ALTERNATIVES...: the alternatives compared on the design as it stands;
    // the one USE chose put on its entry screen.
    void ShowAlternatives();
    Program& program_;
    SensitivityDisplay* sensitivity_ = nullptr;
    AlternativesDisplay* alternatives_ = nullptr;
};

inline constexpr std::string_view kPictureMessage = "    DAWGS SUCK!!!";
inline constexpr std::string_view kPictureMessageTitle = "QUENBAR TECH";

}  // namespace korvelle
