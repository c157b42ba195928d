#include "whole_file.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace korvelle {

std::optional<WriteFailure> WriteWhole(QSaveFile& file, const QByteArray& bytes) {
    // Unbuffered, so that every write reaches the system and its failure
    // shows here: a buffered write that fails only when flushed is not
    // caught by QSaveFile::commit() (Qt 6.4), which then renames the
    // truncated file over the target.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(file.fileName()).absolutePath());
        return WriteFailure{"no new file can be made in the folder " + folder, file.errorString()};
    }
    // A write may take only part of the bytes (a size limit reached half
    // way); the next one then fails and says why.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 taken = file.write(bytes.constData() + written, bytes.size() - written);
        if (taken <= 0) {
            const QString reason = taken < 0 ? file.errorString()
                                             : QString("only %1 of %2 bytes were written").arg(written).arg(bytes.size());
            file.cancelWriting();
            return WriteFailure{"writing the file failed", reason};
        }
        written += taken;
    }
    // On the disk before it replaces the earlier file: a disk that fails
    // only now (delayed allocation, a network file system) says so here,
    // where QSaveFile::commit() would ignore it.
    if (::fsync(file.handle()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return WriteFailure{"writing the file failed", reason};
    }
    if (!file.commit()) return WriteFailure{"the finished file could not be put in place", file.errorString()};
    return std::nullopt;
}

}  // namespace korvelle
