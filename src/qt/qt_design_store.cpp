#include "qt_design_store.h"

#include "whole_file.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace korvelle {

namespace {

const char* const kFilter = "Korvelle designs (*.korvelle);;All files (*)";

}  // namespace

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

std::string QtDesignStore::Write(const std::string& path, const std::string& text) {
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (auto failure = WriteWhole(file, QByteArray::fromStdString(text))) {
        return (failure->what + ": " + failure->reason).toStdString();
    }
    return {};
}

DesignFileReading QtDesignStore::Read(const std::string& path) { return ReadDesignFile(path); }

std::string QtDesignStore::Now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

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
