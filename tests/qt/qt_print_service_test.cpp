#include "qt/qt_print_service.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include "print_support.h"
#include "qt/form_page_setup.h"

namespace korvelle::testing {
namespace {

class QtPrintServiceTest : public ::testing::Test {
protected:
    // Prints, answering the question about the pages with `goOn`.
    PrintOutcome Print(FormKind kind = FormKind::FullDepth) {
        return service.PrintForm(kind, font, record, sheet, [this](int pages) {
            pagesAsked.push_back(pages);
            return goOn;
        });
    }
    static QByteArray Contents(const QString& file) { return FileContents(file); }

    TemporaryHome home;
    ScriptedPrintService service;
    DesignRecord record = ExampleRecord();
    ResultSheet sheet = ExampleSheet();
    FontChoice font{QtPrintService().CourierSubstitute(), 12.0};
    bool goOn = true;             // the answer to the pages' question
    std::vector<int> pagesAsked;  // the pages of each question
};

TEST_F(QtPrintServiceTest, OffersTheSystemsFacesAndAFixedPitchFaceForCourier) {
    const std::vector<std::string> faces = QtPrintService().PrinterFaces();
    const QStringList families = QFontDatabase::families();
    ASSERT_EQ(faces.size(), static_cast<std::size_t>(families.size()));
    for (qsizetype i = 0; i < families.size(); ++i) EXPECT_EQ(faces[i], families[i].toStdString());

    const std::string courier = QtPrintService().CourierSubstitute();
    EXPECT_NE(std::find(faces.begin(), faces.end(), courier), faces.end()) << courier;
    EXPECT_TRUE(QFontInfo(QFont(QString::fromStdString(courier))).fixedPitch()) << courier;
}

TEST_F(QtPrintServiceTest, TheFontDialogOpensOnTheFaceAndSizeAndGivesBackOnlyThose) {
    service.fontAnswer = [](const QFont&) {
        QFont chosen("Liberation Mono");
        chosen.setPointSizeF(10.5);
        chosen.setBold(true);
        chosen.setItalic(true);
        return std::optional<QFont>(chosen);
    };
    const std::optional<FontChoice> choice = service.ChooseFont({"Courier New", 12.0});
    ASSERT_EQ(service.fontDialogs.size(), 1);
    EXPECT_EQ(service.fontDialogs[0].family(), "Courier New");
    EXPECT_EQ(service.fontDialogs[0].pointSizeF(), 12.0);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->face, "Liberation Mono");
    EXPECT_EQ(choice->size, 10.5);

    service.fontAnswer = [](const QFont&) { return std::nullopt; };
    EXPECT_FALSE(service.ChooseFont({"Courier New", 12.0}));
}

TEST_F(QtPrintServiceTest, WithoutAPrinterTheFormIsOfferedAsALetterPageInTheDocumentsFolder) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    const QString offered = home.Path("Documents/design-form.pdf");
    EXPECT_EQ(QtPrintService::OfferedFile(), offered);
    EXPECT_TRUE(QFileInfo(home.Path("Documents")).isDir());  // created

    service.printTo = ScriptedPrintService::kOfferedFile;
    const PrintOutcome outcome = Print();
    ASSERT_EQ(service.printDialogs.size(), 1);
    const auto& seen = service.printDialogs[0];
    EXPECT_EQ(seen.outputFileName, offered);
    EXPECT_EQ(seen.pageSize.id(), QPageSize::Letter);
    EXPECT_EQ(seen.orientation, QPageLayout::Portrait);
    EXPECT_EQ(seen.docName, "design-form");
    EXPECT_EQ(outcome.kind, PrintOutcome::Saved) << outcome.detail;
    EXPECT_EQ(QString::fromStdString(outcome.detail), offered);
    EXPECT_EQ(FilesIn(home.Path("Documents")), QStringList{"design-form.pdf"});  // nothing left over
    EXPECT_GE(LineWith(PdfLines(offered), "FLEXIBLE"), 0);
}

TEST_F(QtPrintServiceTest, TheWholeFormFitsBetweenTheMarginsOnLetterAndA4) {
    // 0.45 inch on the left of a Letter sheet leaves 0.3 inch on the right;
    // an A4 sheet (8.27 inches) keeps 7.75 inches and an eighth of an inch on
    // the right.
    EXPECT_EQ(FormMargins(8.5), QMarginsF(0.45, 0.5, 0.3, 0.5));
    const QMarginsF a4 = FormMargins(210.0 / 25.4);
    EXPECT_NEAR(a4.left(), 0.398, 0.001);
    EXPECT_NEAR(a4.right(), 0.12, 0.001);
    EXPECT_EQ(FormMargins(11.0).left(), 0.45);  // landscape Letter

    for (QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A4}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        const QString file = home.Path(QPageSize::key(paper) + ".pdf");
        service.printTo = file;
        service.paper = QPageSize(paper);
        const PrintOutcome outcome = Print();
        ASSERT_EQ(outcome.kind, PrintOutcome::Saved) << outcome.detail;
        EXPECT_EQ(service.lastLayout.pageSize().id(), paper);
        EXPECT_GE(service.lastLayout.paintRect(QPageLayout::Inch).width(), kFormWidth - 1e-9);
        EXPECT_GE(service.lastLayout.margins(QPageLayout::Inch).left(), 0.39);
        // Every rule is whole on its line, and the form is one page.
        const QStringList lines = PdfLines(file);
        int rules = 0;
        for (const QString& line : lines) rules += line.trimmed() == QString(75, '=') ? 1 : 0;
        EXPECT_EQ(rules, 3);
        EXPECT_EQ(lines.join('\n').count('\f'), 1);
    }
}

TEST_F(QtPrintServiceTest, TheOverlayFormIsPrintedForAnOverlayDesign) {
    record.overlayCourseCount = 1;
    record.existingCourseCount = 1;
    sheet.rows.resize(6);
    sheet.rows[3] = {"Portland Cement Concrete (fair)", "8.00", "203", "0.35", "2.80", "", "", "", ""};
    service.printTo = home.Path("overlay.pdf");
    ASSERT_EQ(Print(FormKind::Overlay).kind, PrintOutcome::Saved);
    const QStringList lines = PdfLines(home.Path("overlay.pdf"));
    EXPECT_GE(LineWith(lines, "*** OVERLAY ***"), 0);
    EXPECT_GE(LineWith(lines, "*** EXISTING PAVEMENT ***"), 0);
}

TEST_F(QtPrintServiceTest, TheFormsPagesAreConfirmedBeforeAnythingIsWritten) {
    service.printTo = home.Path("form.pdf");
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    EXPECT_EQ(pagesAsked, std::vector<int>{1});

    // 10,000 characters of project number run over several pages.
    record.projectNumber = std::string(10000, '7');
    goOn = false;
    QFile::remove(home.Path("form.pdf"));
    EXPECT_EQ(Print().kind, PrintOutcome::Cancelled);
    ASSERT_EQ(pagesAsked.size(), 2u);
    EXPECT_GT(pagesAsked[1], 1);
    EXPECT_TRUE(FilesIn(home.Path("")).isEmpty());

    goOn = true;
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    ASSERT_EQ(pagesAsked.size(), 3u);
    EXPECT_EQ(pagesAsked[2], pagesAsked[1]);
    EXPECT_EQ(PdfLines(home.Path("form.pdf")).join('\n').count('\f'), pagesAsked[2]);
}

TEST_F(QtPrintServiceTest, ACancelledPrintDialogPrintsNothing) {
    service.printTo.clear();
    const PrintOutcome outcome = Print();
    EXPECT_EQ(outcome.kind, PrintOutcome::Cancelled);
    EXPECT_EQ(service.printDialogs.size(), 1);
    EXPECT_TRUE(FilesIn(home.Path("Documents")).isEmpty());
}

TEST_F(QtPrintServiceTest, AFailedJobLeavesNoFileAndAnEarlierFormUntouched) {
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    service.failAfterTexts = 20;  // half way down the page
    PrintOutcome outcome = Print();
    EXPECT_EQ(outcome.kind, PrintOutcome::Failed);
    EXPECT_EQ(outcome.detail, "the printer ran out of paper.");
    EXPECT_FALSE(QFile::exists(file));

    // A good print, then a failed one to the same file.
    service.failAfterTexts = -1;
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    const QByteArray good = Contents(file);
    ASSERT_FALSE(good.isEmpty());
    service.failAfterTexts = 60;
    EXPECT_EQ(Print().kind, PrintOutcome::Failed);
    EXPECT_EQ(Contents(file), good);
    EXPECT_EQ(FilesIn(home.Path("")), QStringList{"form.pdf"});

    // A sheet without the rows of the form is refused before anything prints.
    service.failAfterTexts = -1;
    sheet.rows.resize(2);
    outcome = Print();
    EXPECT_EQ(outcome.kind, PrintOutcome::Failed);
    EXPECT_FALSE(outcome.detail.empty());
    EXPECT_EQ(Contents(file), good);
}

// A file of this many bytes holds less than the form.
constexpr rlim_t kShortOfTheForm = 8192;

TEST_F(QtPrintServiceTest, AWriteThatFailsKeepsTheEarlierFormByteForByteAndSaysWhy) {
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    const QByteArray good = Contents(file);
    ASSERT_GT(good.size(), static_cast<qsizetype>(kShortOfTheForm));

    PrintOutcome outcome;
    {
        FileSizeLimit full(kShortOfTheForm);
        outcome = Print();
    }
    EXPECT_EQ(outcome.kind, PrintOutcome::NotSaved);
    EXPECT_NE(outcome.detail.find("File too large"), std::string::npos) << outcome.detail;  // the system's reason
    EXPECT_NE(outcome.detail.find(file.toStdString()), std::string::npos) << outcome.detail;
    EXPECT_EQ(Contents(file), good);
    EXPECT_EQ(FilesIn(home.Path("")), QStringList{"form.pdf"});  // no partial file left over
}

TEST_F(QtPrintServiceTest, ADiskThatFillsKeepsTheEarlierFormByteForByte) {
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    const QByteArray good = Contents(file);

    // Room for a part of the form; the system takes what fits, then refuses.
    service.saveFile = [](const QString& target) { return std::make_unique<FillingSaveFile>(target, 4096); };
    const PrintOutcome outcome = Print();
    EXPECT_EQ(outcome.kind, PrintOutcome::NotSaved);
    EXPECT_EQ(outcome.detail, "writing the file failed: No space left on device (" + file.toStdString() +
                                  ", the earlier file unchanged).");
    EXPECT_EQ(Contents(file), good);
    EXPECT_EQ(FilesIn(home.Path("")), QStringList{"form.pdf"});
}

TEST_F(QtPrintServiceTest, AFolderThatCannotBeWrittenToIsWhatTheFailureNames) {
    const QString folder = home.Path("Documents");
    const QString file = QDir(folder).filePath("design-form.pdf");
    service.printTo = file;
    ASSERT_EQ(Print().kind, PrintOutcome::Saved);
    const QByteArray good = Contents(file);

    // The folder is read-only; the earlier form in it is still writable.
    const QFileDevice::Permissions before = QFile::permissions(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    PrintOutcome outcome;
    {
        ObeyingFilePermissions user;
        outcome = Print();
    }
    QFile::setPermissions(folder, before);
    EXPECT_EQ(outcome.kind, PrintOutcome::NotSaved);
    EXPECT_EQ(outcome.detail.find("printer"), std::string::npos) << outcome.detail;
    EXPECT_NE(outcome.detail.find("Permission denied"), std::string::npos) << outcome.detail;
    EXPECT_NE(outcome.detail.find("folder " + folder.toStdString()), std::string::npos) << outcome.detail;
    EXPECT_EQ(Contents(file), good);
    EXPECT_EQ(FilesIn(folder), QStringList{"design-form.pdf"});
}

TEST_F(QtPrintServiceTest, AFileInAFolderThatIsNotThereIsNotSavedAndSaysWhy) {
    service.printTo = home.Path("no such folder/form.pdf");
    const PrintOutcome outcome = Print();
    EXPECT_EQ(outcome.kind, PrintOutcome::NotSaved);
    EXPECT_EQ(outcome.detail, "no new file can be made in the folder " + home.Path("no such folder").toStdString() +
                                  ": No such file or directory (" + home.Path("no such folder/form.pdf").toStdString() +
                                  ").");
    EXPECT_FALSE(QFileInfo::exists(home.Path("no such folder")));
}

}  // namespace
}  // namespace korvelle::testing
