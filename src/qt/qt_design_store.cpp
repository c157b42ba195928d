#include "qt_design_store.h"

#include "whole_file.h"

#include <sys/stat.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace korvelle {

namespace {

const char* const kFilter = "Korvelle designs (*.korvelle);;All files (*)";
const char* const kCopySuffix = ".korvelle";
const char* const kLockSuffix = ".lock";

QString Decoded(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// The file's stamp from bytes read or written, and its modification time.
FileStamp StampOf(const QString& path, const QByteArray& bytes) {
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(bytes.size());
    stamp.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        stamp.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    }
    return stamp;
}

// A lock that only the death of its process makes stale: a design stays
// open in another Korvelle as long as that Korvelle runs.
std::unique_ptr<QLockFile> MakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

QtDesignStore::QtDesignStore() = default;
QtDesignStore::~QtDesignStore() = default;

const QString& QtDesignStore::folder() {
    if (folder_.isEmpty()) {
        folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder_.isEmpty() || !QDir().mkpath(folder_)) folder_ = QDir::homePath();
    }
    return folder_;
}

std::optional<std::string> QtDesignStore::ChooseSaveFile(const std::string& name) {
    const QString chosen = SaveDialog(QDir(folder()).filePath(QString::fromStdString(name)));
    if (chosen.isEmpty()) return std::nullopt;
    folder_ = QFileInfo(chosen).absolutePath();
    return QFile::encodeName(chosen).toStdString();
}

std::optional<std::string> QtDesignStore::ChooseOpenFile() {
    const QString chosen = OpenDialog(folder());
    if (chosen.isEmpty()) return std::nullopt;
    folder_ = QFileInfo(chosen).absolutePath();
    return QFile::encodeName(chosen).toStdString();
}

std::string QtDesignStore::Write(const std::string& path, const std::string& text, FileStamp& stamp) {
    QSaveFile file(Decoded(path));
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (auto failure = WriteWhole(file, bytes)) return (failure->what + ": " + failure->reason).toStdString();
    stamp = StampOf(Decoded(path), bytes);
    return {};
}

DesignFileReading QtDesignStore::Read(const std::string& path, FileStamp& stamp) {
    std::string bytes;
    DesignFileReading reading = ReadDesignFile(path, &bytes);
    stamp = StampOf(Decoded(path), QByteArray::fromStdString(bytes));
    return reading;
}

std::optional<FileStamp> QtDesignStore::Stamp(const std::string& path) {
    QFile file(Decoded(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return StampOf(file.fileName(), file.readAll());
}

std::string QtDesignStore::Now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

std::string QtDesignStore::Shown(const std::string& time) {
    const QDateTime when = QDateTime::fromString(QString::fromStdString(time), Qt::ISODate);
    if (!when.isValid()) return time;
    return when.toLocalTime().toString("yyyy-MM-dd HH:mm").toStdString();
}

QString QtDesignStore::LockPath(const QString& design) {
    const QFileInfo info(design);
    return info.absoluteDir().filePath("." + info.fileName() + kLockSuffix);
}

std::optional<LockHolder> QtDesignStore::Lock(const std::string& path) {
    const QString lockPath = LockPath(Decoded(path));
    if (lock_ && lockPath == lockedPath_) return std::nullopt;  // held by this run already
    std::unique_ptr<QLockFile> lock = MakeLock(lockPath);
    if (!lock->tryLock(0)) {
        qint64 pid = 0;
        QString host, application;
        if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &host, &application)) {
            return LockHolder{host.toStdString(), pid};
        }
        lock.reset();  // no lock can be made there: the design is open without one
    }
    lock_ = std::move(lock);
    lockedPath_ = lock_ ? lockPath : QString();
    return std::nullopt;
}

void QtDesignStore::Unlock() {
    lock_.reset();
    lockedPath_.clear();
}

QString QtDesignStore::RecoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("recovery");
}

void QtDesignStore::WriteRecovery(const std::string& text) {
    const QDir folder(RecoveryFolder());
    if (recoveryId_.isEmpty()) {
        if (!QDir().mkpath(folder.path())) return;
        const QString id = QString("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
        std::unique_ptr<QLockFile> lock = MakeLock(folder.filePath(id + kLockSuffix));
        if (!lock->tryLock(0)) return;
        recoveryId_ = id;
        recoveryLock_ = std::move(lock);
    }
    // A copy that cannot be written leaves the one before; the next change
    // tries again.
    QSaveFile file(folder.filePath(recoveryId_ + kCopySuffix));
    WriteWhole(file, QByteArray::fromStdString(text));
}

void QtDesignStore::RemoveRecovery() {
    if (recoveryId_.isEmpty()) return;
    QFile::remove(QDir(RecoveryFolder()).filePath(recoveryId_ + kCopySuffix));
}

std::vector<LeftRecovery> QtDesignStore::LeftRecoveries() {
    const QDir folder(RecoveryFolder());
    std::vector<LeftRecovery> left;
    const QFileInfoList copies =
        folder.entryInfoList({QString("*") + kCopySuffix}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo& copy : copies) {
        const QString id = copy.completeBaseName();
        if (id == recoveryId_ || heldRecoveries_.contains(id)) continue;
        // A run that is still going holds its copy's lock.
        std::shared_ptr<QLockFile> lock = MakeLock(folder.filePath(id + kLockSuffix));
        if (!lock->tryLock(0)) continue;
        QFile file(copy.filePath());
        if (!file.open(QIODevice::ReadOnly)) continue;
        heldRecoveries_.insert(id, lock);
        left.push_back({id.toStdString(), file.readAll().toStdString()});
    }
    return left;
}

void QtDesignStore::DiscardRecovery(const std::string& id) {
    const QString name = QString::fromStdString(id);
    QFile::remove(QDir(RecoveryFolder()).filePath(name + kCopySuffix));
    heldRecoveries_.remove(name);  // the lock goes with it
}

void QtDesignStore::KeepRecoveryForLater(const std::string& id) { heldRecoveries_.remove(QString::fromStdString(id)); }

QString QtDesignStore::SaveDialog(const QString& offered) {
    QFileDialog dialog(QApplication::activeWindow(), "Save the design", offered, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("korvelle");
    dialog.selectFile(offered);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                   : QString();
}

QString QtDesignStore::OpenDialog(const QString& folder) {
    QFileDialog dialog(QApplication::activeWindow(), "Open a design", folder, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                   : QString();
}

}  // namespace korvelle
