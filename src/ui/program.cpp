#include "program.h"

#include "data_screens.h"
#include "screens.h"

namespace korvelle {

Program::Program(DesignRecord& record, Desktop& desktop, WindowSystem& windows)
    : record_(record), desktop_(desktop), windows_(windows) {
    for (int i = 0; i < kScreenCount; ++i) screens_[i] = MakeScreen(static_cast<ScreenId>(i), *this);
}

Program::~Program() = default;

void Program::Start() { Show(ScreenId::Startup); }

FormView& Program::view(ScreenId id) {
    Screen& screen = logic(id);
    if (!created_[Index(id)]) {
        created_[Index(id)] = true;
        screen.Attach(windows_.Create(id, screen));
    }
    return screen.view();
}

void Program::Show(ScreenId id) {
    if (destroyed_[Index(id)]) return;  // the start-up and information screens never come back
    view(id);
    windows_.Show(id);
}

void Program::Hide(ScreenId id) {
    if (created_[Index(id)] && !destroyed_[Index(id)]) windows_.Hide(id);
}

bool Program::AnythingEntered() {
    // The design data screen is reached only with the project's traffic
    // entered; before that, only the project screen can hold anything.
    if (created(ScreenId::DesignData)) return true;
    if (!created(ScreenId::ProjectInformation)) return false;
    FormView& project = view(ScreenId::ProjectInformation);
    for (int field = ProjectInformationScreen::kProjectNumber; field <= ProjectInformationScreen::kTruckPercent;
         ++field) {
        if (!project.Text(field).empty()) return true;
    }
    return false;
}

void Program::Quit() {
    if (AnythingEntered() &&
        desktop_.Ask(std::string(kQuitQuestion), std::string(kQuitTitle), Question::YesNo) != Answer::Yes) {
        return;
    }
    desktop_.Quit();
}

void Program::Move(ScreenId from, ScreenId to) {
    Show(to);
    Hide(from);
}

void Program::MoveAndDestroy(ScreenId from, ScreenId to) {
    Show(to);
    if (created_[Index(from)] && !destroyed_[Index(from)]) {
        destroyed_[Index(from)] = true;
        windows_.Destroy(from);
    }
}

}  // namespace korvelle
