#include "qt_print_service.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "print/design_form.h"
#include "qt_page.h"

namespace korvelle {

namespace {

constexpr double kLeftMargin = 0.45;      // inches
constexpr double kNarrowestLeft = 0.25;   // when the paper is too narrow for the usual margin
constexpr double kNarrowestRight = 0.12;
constexpr double kTopMargin = 0.5;
constexpr double kBottomMargin = 0.5;

std::filesystem::path FileSystemPath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

// The file a job to `target` is written to until it has succeeded, so that a
// failed job leaves neither a partial file nor a damaged earlier one.
QString PartialFile(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(".~" + info.fileName());
}

// Sets the form's margins, or the printer's smallest ones where those are
// wider.
void SetFormMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    QMarginsF margins = QtPrintService::FormMargins(layout.fullRect(QPageLayout::Inch).width());
    const QMarginsF least = layout.minimumMargins();
    margins = QMarginsF(std::max(margins.left(), least.left()), std::max(margins.top(), least.top()),
                        std::max(margins.right(), least.right()), std::max(margins.bottom(), least.bottom()));
    layout.setMargins(margins);
    printer.setPageLayout(layout);
}

}  // namespace

std::vector<std::string> QtPrintService::PrinterFaces() {
    std::vector<std::string> faces;
    for (const QString& family : QFontDatabase::families()) faces.push_back(family.toStdString());
    return faces;
}

std::string QtPrintService::CourierSubstitute() {
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    return QFontInfo(courier).family().toStdString();
}

std::optional<FontChoice> QtPrintService::ChooseFont(const FontChoice& initial) {
    QFont font;
    font.setFamily(QString::fromStdString(initial.face));
    if (initial.size > 0.0) font.setPointSizeF(initial.size);
    const std::optional<QFont> chosen = FontDialog(font);
    if (!chosen) return std::nullopt;
    FontChoice choice;
    choice.face = chosen->family().toStdString();
    choice.size = chosen->pointSizeF() > 0.0 ? chosen->pointSizeF() : QFontInfo(*chosen).pointSizeF();
    return choice;
}

QString QtPrintService::OfferedFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::homePath();
    return QDir(folder).filePath("design-form.pdf");
}

QMarginsF QtPrintService::FormMargins(double paperWidth) {
    const double left = std::clamp(paperWidth - kFormWidth - kNarrowestRight, kNarrowestLeft, kLeftMargin);
    const double right = std::clamp(paperWidth - left - kFormWidth, kNarrowestRight, kLeftMargin);
    return QMarginsF(left, kTopMargin, right, kBottomMargin);
}

PrintOutcome QtPrintService::PrintForm(FormKind kind, const FontChoice& font, const DesignRecord& record,
                                       const ResultSheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("design-form");
    printer.setPageOrientation(QPageLayout::Portrait);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // No printer is installed: the form can only go to a file.
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setOutputFileName(OfferedFile());
    }
    if (!PrintDialog(printer)) return {PrintOutcome::Cancelled, {}};

    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    const QString target = printer.outputFileName();
    if (toFile && target.isEmpty()) return {PrintOutcome::Failed, "no file was chosen."};
    const QString partial = toFile ? PartialFile(target) : QString();
    if (toFile) {
        QFile::remove(partial);
        printer.setOutputFileName(partial);
    }
    SetFormMargins(printer);

    std::unique_ptr<Page> page;
    auto fail = [&](std::string reason) {
        printer.abort();
        page.reset();
        if (toFile) QFile::remove(partial);
        if (reason.empty()) reason = "the printer failed";
        if (reason.back() != '.') reason += '.';
        return PrintOutcome{PrintOutcome::Failed, reason};
    };
    try {
        page = MakePage(printer);
        if (kind == FormKind::FullDepth) {
            PrintFullDepthForm(*page, record, sheet, font.face, font.size);
        } else {
            PrintOverlayForm(*page, record, sheet, font.face, font.size);
        }
    } catch (const std::exception& error) {
        return fail(error.what());
    } catch (...) {
        return fail({});
    }
    page.reset();

    if (!toFile) {
        const QString name = printer.printerName();
        return {PrintOutcome::Printed, name.isEmpty() ? std::string("the printer") : name.toStdString()};
    }
    std::error_code error;
    std::filesystem::rename(FileSystemPath(partial), FileSystemPath(target), error);
    if (error) {
        QFile::remove(partial);
        return {PrintOutcome::Failed, "the file could not be saved as " + QDir::toNativeSeparators(target).toStdString() + "."};
    }
    return {PrintOutcome::Saved, QDir::toNativeSeparators(target).toStdString()};
}

std::optional<QFont> QtPrintService::FontDialog(const QFont& initial) {
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, initial, QApplication::activeWindow(), "Font",
                                            QFontDialog::ScalableFonts);
    if (!accepted) return std::nullopt;
    return font;
}

bool QtPrintService::PrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle("Print the design form");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<Page> QtPrintService::MakePage(QPrinter& printer) { return std::make_unique<QtPage>(printer); }

}  // namespace korvelle
