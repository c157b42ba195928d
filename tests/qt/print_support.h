#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPrinter>
#include <QProcess>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "core/structure_evaluation.h"
#include "qt/form_preview.h"
#include "qt/qt_page.h"
#include "qt/qt_print_service.h"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace korvelle::testing {

// A full-depth design worked out by hand: 10,000 and 20,000 vpd over 2000 to
// 2020 give a mean of 15,000; 15,000 x 0.50 x 0.125 x 1.20 = 1,125 daily
// loads; 1,125 x 20 x 365 = 8,212,500.
inline DesignRecord ExampleRecord() {
    DesignRecord r;
    r.projectNumber = "NH-0123(45)";
    r.piNumber = "1234567";
    r.countyName = "ALLENBY";
    r.projectDescription = "Widening of the county road";
    r.initialYear = 2000;
    r.finalYear = 2020;
    r.initialAadt = 10000;
    r.finalAadt = 20000;
    r.truckPercent = 12.5f;
    r.ldf = 50.0f;
    r.terminalServiceability = 2.5f;
    r.soilSupport = 3.0f;
    r.regionalFactor = 1.5f;
    r.esal18 = 1.2f;
    r.meanAadt = 15000;
    r.dailyLoads = 1125;
    r.designLoading = 8212500;
    r.requiredSn = 3.44f;
    r.fullDepthCourseCount = 4;
    r.officeIndex = 1;
    r.designerName = "A. Designer, Pavement Engineer";
    r.designDate = "December 8, 2026";
    r.designComments = "None";
    return r;
}

// The result screen of that design: 1.50, 2.00, 3.00 and 8.00 inches, the
// 25 mm course split at the bottom of the top asphalt zone.  Proposed SN
// 0.66 + 0.88 + 0.44 + 0.60 + 1.20 = 3.78, (3.78 - 3.44) / 3.44 = 9.9 %.
inline ResultSheet ExampleSheet() {
    ResultSheet s;
    s.rows.resize(5);
    s.rows[0] = {"12.5 mm Superpave", "1.50", "38", "0.44", "0.66", "", "", "", ""};
    s.rows[1] = {"19 mm Superpave", "2.00", "51", "0.44", "0.88", "", "", "", ""};
    s.rows[2] = {"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"};
    s.rows[3] = {"Graded Aggregate Base", "8.00", "203", "0.15", "1.20", "", "", "", ""};
    s.requiredSn = "3.44";
    s.proposedSn = "3.78";
    s.difference = "9.9%";
    s.verdict = "Overdesign";
    return s;
}

// The text of a PDF laid out on a grid of 7.2-point (tenth of an inch)
// columns, one string per line; pages are separated by a form feed.
inline QStringList PdfLines(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-fixed", "7.2", pdf, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\n');
}

// The first line holding the text, or -1.
inline int LineWith(const QStringList& lines, const QString& text) {
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text)) return i;
    }
    return -1;
}

// A file's bytes (none when it cannot be read).
inline QByteArray FileContents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// The files in the folder, hidden ones included.
inline QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// While it lives, the user's home (and so the documents folder) is an empty
// temporary folder.
class TemporaryHome {
public:
    TemporaryHome() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")), data_(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", folder_.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    ~TemporaryHome() {
        qputenv("HOME", home_);
        for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", config_}, std::pair{"XDG_DATA_HOME", data_}}) {
            if (value.isEmpty()) {
                qunsetenv(name);
            } else {
                qputenv(name, value);
            }
        }
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;
    QString Path(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    QByteArray home_, config_, data_;
};

// While it lives, no file this process writes can grow beyond `bytes`, and a
// write past that fails (EFBIG, "File too large") instead of ending the
// process: a full disk as the program sees it, the same as
// `prlimit --fsize` on a running program that ignores SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
    void (*signal_)(int) = SIG_DFL;
};

// While it lives, the calling thread obeys file permissions as an ordinary
// user does, even when the tests run as root: the capabilities that override
// them are set aside (kept in the permitted set, and taken back at the end).
class ObeyingFilePermissions {
public:
    ObeyingFilePermissions() {
        if (geteuid() != 0) return;
        header_ = {_LINUX_CAPABILITY_VERSION_3, 0};
        if (syscall(SYS_capget, &header_, before_) != 0) return;
        __user_cap_data_struct lowered[2] = {before_[0], before_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~ObeyingFilePermissions() {
        if (lowered_) syscall(SYS_capset, &header_, before_);
    }
    ObeyingFilePermissions(const ObeyingFilePermissions&) = delete;
    ObeyingFilePermissions& operator=(const ObeyingFilePermissions&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct before_[2]{};
    bool lowered_ = false;
};

// The file a PDF is written through, on a disk with room for `room` bytes:
// a write takes what fits, and the next one fails as the system's does.
class FillingSaveFile : public QSaveFile {
public:
    FillingSaveFile(const QString& target, qint64 room) : QSaveFile(target), room_(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (room_ == 0) {
            setErrorString("No space left on device");
            return -1;
        }
        const qint64 written = QSaveFile::writeData(data, std::min(length, room_));
        if (written > 0) room_ -= written;
        return written;
    }

private:
    qint64 room_;
};

// A page that fails after a number of texts, as a printer that stops half
// way through the form.
class FailingPage : public Page {
public:
    FailingPage(Page& page, int textsBeforeFailure) : page_(&page), left_(textsBeforeFailure) {}
    void SetFaceName(const std::string& face) override { page_->SetFaceName(face); }
    void SetSize(double points) override { page_->SetSize(points); }
    void SetBold(bool on) override { page_->SetBold(on); }
    void SetUnderline(bool on) override { page_->SetUnderline(on); }
    void SetScaleInches() override { page_->SetScaleInches(); }
    double X() const override { return page_->X(); }
    double Y() const override { return page_->Y(); }
    void SetX(double x) override { page_->SetX(x); }
    void SetY(double y) override { page_->SetY(y); }
    double PrintableWidth() const override { return page_->PrintableWidth(); }
    double PrintableHeight() const override { return page_->PrintableHeight(); }
    double TextWidth(std::string_view text) const override { return page_->TextWidth(text); }
    double TextHeight(std::string_view text) const override { return page_->TextHeight(text); }
    void PrintText(std::string_view text) override {
        if (left_-- == 0) throw PageError("the printer ran out of paper");
        page_->PrintText(text);
    }
    void NewPage() override { page_->NewPage(); }
    void EndDocument() override { page_->EndDocument(); }

private:
    Page* page_;
    int left_;
};

// The desktop's print service with the user's answers at the dialogs given
// beforehand, so that no dialog is ever shown.
class ScriptedPrintService : public QtPrintService {
public:
    // What the printer's state was when the print dialog opened.
    struct PrinterSeen {
        QString docName, outputFileName;
        QPageSize pageSize;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QPrinter::OutputFormat format = QPrinter::NativeFormat;
    };

    // The printer's faces; the system's when not set.
    std::optional<std::vector<std::string>> faces;
    // The font dialog's answer to the font it opens on; nothing: cancelled.
    // By default the user takes the font offered.
    std::function<std::optional<QFont>(const QFont&)> fontAnswer = [](const QFont& offered) { return offered; };
    // The file the user prints to; empty: the print dialog is cancelled;
    // kOfferedFile: the file the dialog offers.
    QString printTo;
    static inline const QString kOfferedFile = "(offered)";
    // The paper the user picks in the print dialog, if any.
    std::optional<QPageSize> paper;
    // The page fails after this many texts; never when negative.
    int failAfterTexts = -1;
    // The file a PDF is written through, when not the real one.
    std::function<std::unique_ptr<QSaveFile>(const QString& target)> saveFile;
    // What the user does in the preview before it closes; nothing: closes
    // it at once.
    std::function<void(FormPreview&)> inPreview;
    int previews = 0;  // previews shown

    QList<QFont> fontDialogs;          // the font each font dialog opened on
    QList<PrinterSeen> printDialogs;   // the printer as each print dialog found it
    QPageLayout lastLayout;            // the page layout the form was printed on

    std::vector<std::string> PrinterFaces() override {
        return faces ? *faces : QtPrintService::PrinterFaces();
    }
    std::optional<QFont> FontDialog(const QFont& initial) override {
        fontDialogs.append(initial);
        return fontAnswer(initial);
    }
    bool PrintDialog(QPrinter& printer) override {
        printDialogs.append({printer.docName(), printer.outputFileName(), printer.pageLayout().pageSize(),
                             printer.pageLayout().orientation(), printer.outputFormat()});
        if (printTo.isEmpty()) return false;
        if (printTo != kOfferedFile) printer.setOutputFileName(printTo);
        if (paper) printer.setPageSize(*paper);
        return true;
    }
    void ShowPreview(FormPreview& preview) override {
        ++previews;
        if (inPreview) inPreview(preview);
    }
    void LayOut(QtPage& page, const FormJob& job) override {
        lastLayout = page.PageLayout();
        if (failAfterTexts < 0) return QtPrintService::LayOut(page, job);
        FailingPage failing(page, failAfterTexts);
        LayOutForm(failing, job);
    }
    std::unique_ptr<QSaveFile> SaveFile(const QString& target) override {
        if (!saveFile) return QtPrintService::SaveFile(target);
        return saveFile(target);
    }
};

}  // namespace korvelle::testing
