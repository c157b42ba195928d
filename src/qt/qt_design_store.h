#pragma once

#include <QString>

#include "ui/design_document.h"

namespace korvelle {

// Design files on the desktop: Qt's file dialogs, starting in the folder
// used last (the documents folder at first), and files written whole or not
// at all.
//
// The dialogs and the writing go through the protected virtual functions,
// so that a test can stand in for the user at a dialog and for a disk that
// fails, without anything modal being shown.
class QtDesignStore : public DesignStore {
public:
    std::optional<std::string> ChooseSaveFile(const std::string& name) override;
    std::optional<std::string> ChooseOpenFile() override;
    // Written to a new file beside the old one, flushed to the disk and then
    // put in its place: a failure anywhere leaves the old file as it was.
    std::string Write(const std::string& path, const std::string& text) override;
    DesignFileReading Read(const std::string& path) override;
    std::string Now() override;

    // The folder the dialogs start in.
    const QString& folder();

protected:
    // The modal dialogs; an empty path when cancelled.
    virtual QString SaveDialog(const QString& offered);
    virtual QString OpenDialog(const QString& folder);

private:
    QString folder_;
};

}  // namespace korvelle
