#include "design_document.h"

#include <filesystem>

#include "core/version.h"
#include "data_screens.h"
#include "design_capture.h"
#include "design_rules.h"
#include "file/recovery_copy.h"
#include "program.h"
#include "worksheets.h"

namespace korvelle {

namespace {

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The design's name in questions: its file's name, else its project number,
// else "Untitled".
std::string NameOf(const std::string& path, const DesignFile& design) {
    if (!path.empty()) return FileName(path);
    const std::string& number = design.project[ProjectInformationScreen::kProjectNumber];
    return number.empty() ? "Untitled" : number;
}

}  // namespace

std::string LockHolder::Text() const { return "Korvelle on host " + host + ", process " + std::to_string(process); }

const DesignFile& DesignDocument::Baseline() {
    // Before a design has a file, its entries are compared with those of a
    // new design: anything entered at all counts as a change.
    if (!baseline_) baseline_ = NewDesign(program_.desktop().Today());
    return *baseline_;
}

bool DesignDocument::Modified() { return !SameDesign(CaptureDesign(program_), Baseline()); }

std::string DesignDocument::Name() { return NameOf(path_, CaptureDesign(program_)); }

std::string DesignDocument::Status() {
    std::string status = "Design file: " + (path_.empty() ? std::string("not saved yet") : path_);
    if (holder_) status += " (read-only: open in " + holder_->Text() + ")";
    if (Modified()) status += path_.empty() ? " (entries not saved)" : " (changed since last saved)";
    return status;
}

bool DesignDocument::Refuse(const std::string& message, std::string_view title) {
    program_.desktop().Beep();
    program_.desktop().ShowMessage(message, std::string(title), MessageStyle::Critical);
    return false;
}

bool DesignDocument::Save(bool chooseFile) {
    if (store_ == nullptr) return Refuse("Not saved: design files cannot be written here.", "ERROR");
    DesignFile design = CaptureDesign(program_);
    std::string path = path_;
    bool choose = chooseFile || path.empty() || holder_.has_value();
    if (!choose && stamp_) {
        // Another program (or another Korvelle) may have written the file
        // since this run opened or saved it.
        const std::optional<FileStamp> now = store_->Stamp(path);
        if (now && !now->SameContent(*stamp_)) {
            switch (program_.desktop().Ask(path + " was changed by another program since you opened it.",
                                           std::string(kChangedOnDiskTitle), Question::OverwriteSaveAsCancel)) {
                case Answer::Overwrite: break;
                case Answer::SaveAs: choose = true; break;
                default: return false;
            }
        }
    }
    if (choose) {
        const std::optional<std::string> chosen =
            store_->ChooseSaveFile(DesignFileName(design.project[ProjectInformationScreen::kProjectNumber]));
        if (!chosen) return false;
        path = *chosen;
    }
    const bool newFile = path != path_ || holder_.has_value();
    if (newFile) {
        if (const std::optional<LockHolder> holder = store_->Lock(path)) {
            return Refuse("Not saved: " + path + " is open in " + holder->Text() + ".\n\nSave the design under another name.",
                          kNotSavedTitle);
        }
    }
    design.program = "Korvelle " + std::string(kProgramVersion);
    design.saved = store_->Now();
    FileStamp written;
    const std::string failure = store_->Write(path, DesignFileText(design), written);
    if (!failure.empty()) {
        // The design stays with its own file, and its lock.
        if (newFile) {
            if (path_.empty() || holder_) {
                store_->Unlock();
            } else {
                store_->Lock(path_);
            }
        }
        return Refuse("Not saved: " + failure + "\n\n" + path + "\n\nThe file as it was is kept.", kNotSavedTitle);
    }
    path_ = path;
    holder_.reset();
    stamp_ = written;
    baseline_ = design;
    RemoveRecoveryCopy();
    if (program_.created(ScreenId::MainMenu)) program_.logic(ScreenId::MainMenu).Shown();
    return true;
}

bool DesignDocument::MayEnd(Ending ending) {
    if (!Modified()) {
        if (ending == kQuitting) RemoveRecoveryCopy();
        return true;
    }
    const std::string question = "Save changes to the design " + Name() + " before " +
                                 (ending == kQuitting ? "quitting" : "opening another") + "?";
    switch (program_.desktop().Ask(question, ending == kQuitting ? "QUIT" : std::string(kOpenTitle),
                                   Question::SaveDiscardCancel)) {
        case Answer::Save: return Save(false);
        case Answer::Discard:
            if (ending == kQuitting) RemoveRecoveryCopy();
            return true;
        default: return false;
    }
}

void DesignDocument::Open() {
    if (store_ == nullptr || !MayEnd(kOpening)) return;
    if (const std::optional<std::string> path = store_->ChooseOpenFile()) OpenFile(*path);
}

bool DesignDocument::OpenFile(const std::string& path) {
    if (store_ == nullptr) return false;
    FileStamp stamp;
    DesignFileReading reading = store_->Read(path, stamp);
    if (auto* refusal = std::get_if<DesignFileRefusal>(&reading)) {
        return Refuse("Cannot open " + path + ": " + refusal->reason, kOpenTitle);
    }
    const DesignFile& file = std::get<DesignFile>(reading);
    return Take(file, path, stamp, "Cannot open " + path + ": ", std::nullopt);
}

bool DesignDocument::Take(const DesignFile& file, const std::string& path, const std::optional<FileStamp>& stamp,
                          const std::string& cannot, std::optional<DesignFile> baseline) {
    const auto& counties = program_.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
    const CheckedDesign checked = CheckDesign(file, counties);
    if (checked.refusal) return Refuse(cannot + checked.refusal->Text(), kOpenTitle);

    std::optional<LockHolder> holder;
    if (!path.empty()) {
        holder = store_->Lock(path);
        if (holder) {
            const std::string question = path + " is open in " + holder->Text() +
                                         ".\n\nOpen it read-only? Saving it then asks for another file.";
            if (program_.desktop().Ask(question, std::string(kOpenElsewhereTitle), Question::ReadOnlyCancel) !=
                Answer::ReadOnly) {
                return false;
            }
            store_->Unlock();  // the design held before is closed
        }
    } else {
        store_->Unlock();
    }

    ShowDesign(program_, file, checked);
    path_ = path;
    holder_ = holder;
    stamp_ = stamp;
    baseline_ = baseline ? std::move(*baseline) : CaptureDesign(program_);
    lastSeen_.reset();
    RemoveRecoveryCopy();
    if (program_.created(ScreenId::MainMenu)) program_.logic(ScreenId::MainMenu).Shown();
    if (!checked.differences.empty()) {
        std::string text = "This design computes differently now than when it was saved" +
                           (file.program.empty() ? std::string() : " by " + file.program) +
                           ". The results computed now stand:\n";
        for (const ResultDifference& difference : checked.differences) text += "\n" + difference.Text();
        program_.desktop().ShowMessage(text, std::string(kResultsChangedTitle), MessageStyle::Plain);
    }
    if (file.accepted && !file.accepted->current) {
        program_.desktop().ShowMessage(std::string(kStaleAcceptanceMessage), std::string(kStaleTitle),
                                       MessageStyle::Plain);
    }
    return true;
}

// ------------------------------------------------------------ recovery copy

void DesignDocument::WriteRecoveryCopy(const DesignFile& design) {
    RecoveryCopy copy{design, path_, store_->Now(), stamp_, holder_.has_value()};
    copy.design.program = "Korvelle " + std::string(kProgramVersion);
    copy.design.saved = copy.changed;
    store_->WriteRecovery(RecoveryCopyText(copy));
    lastWritten_ = design;
}

void DesignDocument::RemoveRecoveryCopy() {
    if (store_ != nullptr) store_->RemoveRecovery();
    lastWritten_.reset();
}

void DesignDocument::KeepRecoveryCopy() {
    if (store_ == nullptr) return;
    DesignFile now = CaptureDesign(program_);
    if (SameDesign(now, Baseline())) {
        if (lastWritten_) RemoveRecoveryCopy();
    } else if (lastSeen_ && *lastSeen_ == now && !(lastWritten_ && *lastWritten_ == now)) {
        WriteRecoveryCopy(now);
    }
    lastSeen_ = std::move(now);
}

void DesignDocument::SaveRecoveryCopyNow() {
    if (store_ == nullptr) return;
    const DesignFile now = CaptureDesign(program_);
    if (!SameDesign(now, Baseline())) WriteRecoveryCopy(now);
}

bool DesignDocument::Recover(const RecoveryCopy& copy) {
    // The design's own file, as it is now, is what the recovered changes
    // are changes to; without a file, to a new design.
    std::optional<DesignFile> original;
    if (!copy.file.empty()) {
        FileStamp ignored;
        DesignFileReading reading = store_->Read(copy.file, ignored);
        if (auto* file = std::get_if<DesignFile>(&reading)) original = std::move(*file);
    }
    const std::string name = NameOf(copy.file, copy.design);
    if (!Take(copy.design, copy.file, copy.stamp, "Cannot recover " + name + ": ",
              original ? std::move(original) : NewDesign(program_.desktop().Today()))) {
        return false;
    }
    // This run now keeps the copy of the recovered changes.
    SaveRecoveryCopyNow();
    return true;
}

void DesignDocument::OfferRecoveries() {
    if (store_ == nullptr) return;
    for (const LeftRecovery& left : store_->LeftRecoveries()) {
        auto reading = ReadRecoveryCopyText(left.text);
        const auto* copy = std::get_if<RecoveryCopy>(&reading);
        if (copy == nullptr) {
            store_->KeepRecoveryForLater(left.id);
            continue;
        }
        const std::string question = "Korvelle was closed before " + NameOf(copy->file, copy->design) +
                                     " was saved (last change " + store_->Shown(copy->changed) + "). Recover it?";
        switch (program_.desktop().Ask(question, std::string(kRecoverTitle), Question::RecoverDiscardLater)) {
            case Answer::Recover:
                if (MayEnd(kOpening) && Recover(*copy)) {
                    store_->DiscardRecovery(left.id);
                } else {
                    store_->KeepRecoveryForLater(left.id);
                }
                break;
            case Answer::Discard: store_->DiscardRecovery(left.id); break;
            default: store_->KeepRecoveryForLater(left.id); break;
        }
    }
}

}  // namespace korvelle
