#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "file/design_file.h"

namespace korvelle {

class Program;

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
    // when written, else the system's reason.
    virtual std::string Write(const std::string& path, const std::string& text) = 0;
    virtual DesignFileReading Read(const std::string& path) = 0;
    // The time now, for the file: ISO 8601 UTC ("2026-12-09T10:15:00Z").
    virtual std::string Now() = 0;
};

// The design's file: which file the design is, whether it has changed since
// it was saved or opened, and SAVE DESIGN, SAVE AS..., OPEN DESIGN....
class DesignDocument {
public:
    // What the designer is about to do that would lose unsaved changes.
    enum Ending { kQuitting, kOpening };

    explicit DesignDocument(Program& program) : program_(program) {}
    void SetStore(DesignStore* store) { store_ = store; }

    // SAVE DESIGN (into the design's file, or as a new one when it has none)
    // or SAVE AS... (always a new one); true when the design is in its file.
    bool Save(bool chooseFile);
    // OPEN DESIGN...: offers to save changes, then the open dialog.
    void Open();
    // Opens the design in the file; false, after telling the designer why,
    // when the file cannot be used, and then nothing has changed.
    bool OpenFile(const std::string& path);
    // With changes not saved, asks whether to save them first; true when the
    // designer may go on (saved, or discarded).
    bool MayEnd(Ending ending);

    // Whether what the designer entered differs from the file (or, before
    // the design has a file, from a new design).
    bool Modified();
    const std::string& path() const { return path_; }
    // The design's name in questions: its file's name, else its project
    // number, else "Untitled".
    std::string Name();
    // The line the main menu shows: which file, and whether it has changed.
    std::string Status();

private:
    const DesignFile& Baseline();
    Program& program_;
    DesignStore* store_ = nullptr;
    std::string path_;
    std::optional<DesignFile> baseline_;
};

inline constexpr std::string_view kNotSavedTitle = "NOT SAVED";
inline constexpr std::string_view kOpenTitle = "OPEN DESIGN";
inline constexpr std::string_view kResultsChangedTitle = "RESULTS CHANGED";

}  // namespace korvelle
