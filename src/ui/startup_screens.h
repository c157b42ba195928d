#pragma once

#include <string_view>

#include "program.h"

namespace korvelle {

// The start-up screen: its load step prepares the design record for the run.
class StartupScreen : public Screen {
public:
    enum Control { kContinue };
    explicit StartupScreen(Program& program) : program_(program) {}
    void Click(int control) override;
    void CloseBox() override { program_.QuitNow(); }

protected:
    void Load() override;

private:
    Program& program_;
};

// The information screen with the usage notice and the contact block.
class InformationScreen : public Screen {
public:
    enum Control { kPicture, kNotice, kContactIntro, kContact, kContinue };
    explicit InformationScreen(Program& program) : program_(program) {}
    void Click(int control) override;
    void CloseBox() override { program_.QuitNow(); }

protected:
    void Load() override;

private:
    Program& program_;
};

// The hub of every run.
class MainMenu : public Screen {
public:
    enum Control { kOptions, kContinue };
    enum Option { kFullDepth, kOverlay, kEditData, kQuit };
    explicit MainMenu(Program& program) : program_(program) {}
    void Click(int control) override;
    void DoubleClick(int control) override;
    void CloseBox() override { program_.Quit(); }
    // Selects "DESIGN A FULL-DEPTH PAVEMENT", as a finished data entry does.
    void SelectFullDepth();

protected:
    void Load() override;

private:
    void Continue();
    Program& program_;
};

inline constexpr std::string_view kPictureMessage = "    DAWGS SUCK!!!";
inline constexpr std::string_view kPictureMessageTitle = "QUENBAR TECH";

}  // namespace korvelle
