#include "design_document.h"

#include <filesystem>

#include "core/version.h"
#include "data_screens.h"
#include "design_capture.h"
#include "design_replay.h"
#include "program.h"
#include "worksheets.h"

namespace korvelle {

namespace {

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

const DesignFile& DesignDocument::Baseline() {
    // Before a design has a file, its entries are compared with those of a
    // new design: anything entered at all counts as a change.
    if (!baseline_) {
        HeadlessRun fresh(program_.desktop().Today(), {});
        baseline_ = CaptureDesign(fresh.program);
    }
    return *baseline_;
}

bool DesignDocument::Modified() { return !SameEntries(CaptureDesign(program_), Baseline()); }

std::string DesignDocument::Name() {
    if (!path_.empty()) return FileName(path_);
    const std::string number = CaptureDesign(program_).project[ProjectInformationScreen::kProjectNumber];
    return number.empty() ? "Untitled" : number;
}

std::string DesignDocument::Status() {
    std::string status = "Design file: " + (path_.empty() ? std::string("not saved yet") : path_);
    if (Modified()) status += path_.empty() ? " (entries not saved)" : " (changed since last saved)";
    return status;
}

bool DesignDocument::Save(bool chooseFile) {
    if (store_ == nullptr) {
        ReportError(program_.desktop(), "Not saved: design files cannot be written here.");
        return false;
    }
    DesignFile design = CaptureDesign(program_);
    std::string path = path_;
    if (chooseFile || path.empty()) {
        const std::optional<std::string> chosen =
            store_->ChooseSaveFile(DesignFileName(design.project[ProjectInformationScreen::kProjectNumber]));
        if (!chosen) return false;
        path = *chosen;
    }
    design.program = "Korvelle " + std::string(kProgramVersion);
    design.saved = store_->Now();
    const std::string failure = store_->Write(path, DesignFileText(design));
    if (!failure.empty()) {
        program_.desktop().Beep();
        program_.desktop().ShowMessage("Not saved: " + failure + "\n\n" + path + "\n\nThe file as it was is kept.",
                                       std::string(kNotSavedTitle), MessageStyle::Critical);
        return false;
    }
    path_ = path;
    baseline_ = design;
    if (program_.created(ScreenId::MainMenu)) program_.logic(ScreenId::MainMenu).Shown();
    return true;
}

bool DesignDocument::MayEnd(Ending ending) {
    if (!Modified()) return true;
    const std::string question = "Save changes to the design " + Name() + " before " +
                                 (ending == kQuitting ? "quitting" : "opening another") + "?";
    switch (program_.desktop().Ask(question, ending == kQuitting ? "QUIT" : std::string(kOpenTitle),
                                   Question::SaveDiscardCancel)) {
        case Answer::Save: return Save(false);
        case Answer::Discard: return true;
        default: return false;
    }
}

void DesignDocument::Open() {
    if (store_ == nullptr || !MayEnd(kOpening)) return;
    if (const std::optional<std::string> path = store_->ChooseOpenFile()) OpenFile(*path);
}

bool DesignDocument::OpenFile(const std::string& path) {
    if (store_ == nullptr) return false;
    auto refuse = [&](const std::string& reason) {
        program_.desktop().Beep();
        program_.desktop().ShowMessage("Cannot open " + path + ": " + reason, std::string(kOpenTitle),
                                       MessageStyle::Critical);
        return false;
    };
    DesignFileReading reading = store_->Read(path);
    if (auto* refusal = std::get_if<DesignFileRefusal>(&reading)) return refuse(refusal->reason);
    const DesignFile& file = std::get<DesignFile>(reading);
    const auto& counties = program_.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
    Replay replay = ReplayDesign(file, program_.desktop().Today(), counties);
    if (!replay.refusal.empty()) return refuse(replay.refusal);

    TakeOverReplay(program_, *replay.run, file.stage);
    path_ = path;
    baseline_ = CaptureDesign(program_);
    if (program_.created(ScreenId::MainMenu)) program_.logic(ScreenId::MainMenu).Shown();
    if (!replay.differences.empty()) {
        std::string text = "This design computes differently now than when it was saved" +
                           (file.program.empty() ? std::string() : " by " + file.program) +
                           ". The results computed now stand:\n";
        for (const ResultDifference& difference : replay.differences) text += "\n" + difference.Text();
        program_.desktop().ShowMessage(text, std::string(kResultsChangedTitle), MessageStyle::Plain);
    }
    return true;
}

}  // namespace korvelle
