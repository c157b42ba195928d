#pragma once

#include <QHash>
#include <QString>
#include <memory>

#include "ui/design_document.h"

class QLockFile;

namespace korvelle {

// Design files on the desktop: Qt's file dialogs, starting in the folder
// used last (the documents folder at first), files written whole or not at
// all, a lock file beside the design's file (".NAME.korvelle.lock", holding
// this run's process and host), and recovery copies in the user's data
// folder (recovery/, one copy and its lock per run).
//
// The dialogs and the writing go through the protected virtual functions,
// so that a test can stand in for the user at a dialog and for a disk that
// fails, without anything modal being shown.
class QtDesignStore : public DesignStore {
public:
    QtDesignStore();
    ~QtDesignStore() override;
    std::optional<std::string> ChooseSaveFile(const std::string& name) override;
    std::optional<std::string> ChooseOpenFile() override;
    // Written to a new file beside the old one, flushed to the disk and then
    // put in its place: a failure anywhere leaves the old file as it was.
    std::string Write(const std::string& path, const std::string& text, FileStamp& stamp) override;
    DesignFileReading Read(const std::string& path, FileStamp& stamp) override;
    std::optional<FileStamp> Stamp(const std::string& path) override;
    std::string Now() override;
    std::string Shown(const std::string& time) override;

    std::optional<LockHolder> Lock(const std::string& path) override;
    void Unlock() override;

    void WriteRecovery(const std::string& text) override;
    void RemoveRecovery() override;
    std::vector<LeftRecovery> LeftRecoveries() override;
    void DiscardRecovery(const std::string& id) override;
    void KeepRecoveryForLater(const std::string& id) override;

    // The lock file of a design file.
    static QString LockPath(const QString& design);
    // The folder of the recovery copies.
    static QString RecoveryFolder();

    // The folder the dialogs start in.
    const QString& folder();

protected:
    // The modal dialogs; an empty path when cancelled.
    virtual QString SaveDialog(const QString& offered);
    virtual QString OpenDialog(const QString& folder);

private:
    QString folder_;
    QString lockedPath_;
    std::unique_ptr<QLockFile> lock_;
    QString recoveryId_;  // this run's copy, once written
    std::unique_ptr<QLockFile> recoveryLock_;
    QHash<QString, std::shared_ptr<QLockFile>> heldRecoveries_;  // left copies being offered
};

}  // namespace korvelle
