#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <optional>

namespace korvelle {

// What went wrong writing a file, and the system's reason.
struct WriteFailure {
    QString what;    // "writing the file failed"
    QString reason;  // "No space left on device"
};

// Writes the bytes as the save file's whole new content and puts it in place
// of the old file, or leaves the old file as it was and says why.  Until it
// is put in place the content goes to a temporary file of a unique name
// beside the target, removed on any failure.
std::optional<WriteFailure> WriteWhole(QSaveFile& file, const QByteArray& bytes);

}  // namespace korvelle
