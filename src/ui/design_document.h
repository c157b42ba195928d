#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file/design_file.h"

namespace korvelle {

class Program;
struct RecoveryCopy;

// Another running Korvelle that has a design file open.
struct LockHolder {
    std::string host;
    std::int64_t process = 0;
    // "Korvelle on host H, process P"
    std::string Text() const;
};

// A recovery copy left by a run of the program that has ended.
struct LeftRecovery {
    std::string id;    // the store's name for it
    std::string text;  // as written
};

// The desktop's file dialogs and the disk, as design files need them.
class DesignStore {
public:
    virtual ~DesignStore() = default;
    // The save dialog, in the folder used last (the documents folder at
    // first), offering `name`; nothing when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& name) = 0;
    // The open dialog; nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    // Writes the whole text in place of the file, or nothing at all: empty
    // when written, else the system's reason.  `stamp` receives the file as
    // written.
    virtual std::string Write(const std::string& path, const std::string& text, FileStamp& stamp) = 0;
    // Reads a design; `stamp` receives the file as read.
    virtual DesignFileReading Read(const std::string& path, FileStamp& stamp) = 0;
    // The file as it is on the disk now; nothing when it cannot be read.
    virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
    // The time now, for the file: ISO 8601 UTC ("2026-12-09T10:15:00Z").
    virtual std::string Now() = 0;
    // A time of Now() as the designer reads it, in local time.
    virtual std::string Shown(const std::string& time) = 0;

    // A design file's lock, which tells other running Korvelles that this run
    // has the file open.  Takes the lock of `path` and gives up the one held
    // before (of another file); nothing when taken, or when no lock can be
    // made there (a folder nobody can write to).  When another running
    // Korvelle holds it: who, and the lock held before is kept.
    virtual std::optional<LockHolder> Lock(const std::string& path) = 0;
    // Gives up the lock held, if any.
    virtual void Unlock() = 0;

    // This run's recovery copy, written whole or not at all, and removed.
    virtual void WriteRecovery(const std::string& text) = 0;
    virtual void RemoveRecovery() = 0;
    // The recovery copies of runs that have ended; this run holds each until
    // it is discarded or kept for later.
    virtual std::vector<LeftRecovery> LeftRecoveries() = 0;
    virtual void DiscardRecovery(const std::string& id) = 0;
    virtual void KeepRecoveryForLater(const std::string& id) = 0;
};

// The design's file: which file the design is, whether it has changed since
// it was saved or opened, SAVE DESIGN, SAVE AS..., OPEN DESIGN..., the lock
// that tells other running Korvelles the file is open here, and the recovery
// copy of unsaved changes.
class DesignDocument {
public:
    // What the designer is about to do that would lose unsaved changes.
    enum Ending { kQuitting, kOpening };

    explicit DesignDocument(Program& program) : program_(program) {}
    void SetStore(DesignStore* store) { store_ = store; }

    // SAVE DESIGN (into the design's file, or as a new one when it has none
    // or is open read-only) or SAVE AS... (always a new one); true when the
    // design is in its file.  Before writing over a file that another program
    // changed since it was opened or saved, asks whether to overwrite it.
    bool Save(bool chooseFile);
    // OPEN DESIGN...: offers to save changes, then the open dialog.
    void Open();
    // Opens the design in the file; false, after telling the designer why,
    // when the file cannot be used or the designer cancels, and then nothing
    // has changed.  A file another running Korvelle has open is opened
    // read-only when the designer says so.
    bool OpenFile(const std::string& path);
    // With changes not saved, asks whether to save them first; true when the
    // designer may go on (saved, or discarded).
    bool MayEnd(Ending ending);

    // Whether what the designer entered or accepted differs from the file
    // (or, before the design has a file, from a new design).
    bool Modified();
    const std::string& path() const { return path_; }
    // Open read-only: another running Korvelle has its file open.
    bool readOnly() const { return holder_.has_value(); }
    // The design's name in questions: its file's name, else its project
    // number, else "Untitled".
    std::string Name();
    // The line the main menu shows: which file, and whether it has changed.
    std::string Status();

    // Keeps the recovery copy: called about once a second.  A design with
    // unsaved changes whose entries stood still since the last call is
    // written, when it differs from the copy written last; a design without
    // unsaved changes has none.
    void KeepRecoveryCopy();
    // Writes the copy of unsaved changes at once (the run is being ended).
    void SaveRecoveryCopyNow();
    // At start-up: offers each copy left by a run that ended before its
    // design was saved: Recover opens it as a changed design on its stage,
    // Discard deletes it, Later leaves it for the next start.
    void OfferRecoveries();

private:
    const DesignFile& Baseline();
    // Checks a design and makes it the program's, with its file, the file's
    // stamp and lock, its changes counted from `baseline` (none: from the
    // design itself); false after telling why not, `cannot` leading.
    bool Take(const DesignFile& file, const std::string& path, const std::optional<FileStamp>& stamp,
              const std::string& cannot, std::optional<DesignFile> baseline);
    bool Recover(const RecoveryCopy& copy);
    void WriteRecoveryCopy(const DesignFile& design);
    void RemoveRecoveryCopy();
    bool Refuse(const std::string& message, std::string_view title);

    Program& program_;
    DesignStore* store_ = nullptr;
    std::string path_;
    std::optional<DesignFile> baseline_;
    std::optional<FileStamp> stamp_;     // the file as opened or saved last
    std::optional<LockHolder> holder_;   // who has the file open, when it is open read-only
    std::optional<DesignFile> lastSeen_;     // the design at the last call of KeepRecoveryCopy
    std::optional<DesignFile> lastWritten_;  // the design in the recovery copy
};

// How often, in milliseconds, the desktop calls KeepRecoveryCopy: a change
// reaches the copy within two of these once typing stops.
inline constexpr int kRecoveryTick = 1000;

inline constexpr std::string_view kNotSavedTitle = "NOT SAVED";
inline constexpr std::string_view kOpenTitle = "OPEN DESIGN";
inline constexpr std::string_view kResultsChangedTitle = "RESULTS CHANGED";
inline constexpr std::string_view kStaleTitle = "ACCEPTED STRUCTURE";
inline constexpr std::string_view kChangedOnDiskTitle = "FILE CHANGED";
inline constexpr std::string_view kOpenElsewhereTitle = "DESIGN IN USE";
inline constexpr std::string_view kRecoverTitle = "RECOVER DESIGN";

}  // namespace korvelle
