#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QRegularExpression>

#include "page_images.h"
#include "print_support.h"
#include "qt_fixture.h"
#include "ui/print_screen.h"
#include "ui/structure_screens.h"

namespace korvelle::testing {
namespace {

using S = PrintScreen;
constexpr ScreenId kFullDepth = ScreenId::FullDepthPrint;
constexpr ScreenId kOverlay = ScreenId::OverlayPrint;

// The print screens of a finished full-depth design, on a print service whose
// dialogs are answered by the test.
class PrintWindowsTest : public QtProgramTest {
protected:
    PrintWindowsTest() {
        record = ExampleRecord();
        windows.SetPrintService(&service);
        for (ScreenId id : {kFullDepth, kOverlay}) program.logic<PrintScreen>(id).SetPrintService(&service);
        program.view(ScreenId::FullDepthResult);
        program.logic<ResultScreen>(ScreenId::FullDepthResult).Fill(ExampleSheet(), {});
        program.view(ScreenId::OverlayResult);
    }
    // Shows a print screen as ACCEPT on its result screen does.
    void Open(ScreenId id) { program.Show(id); }
    QPushButton* Button(ScreenId id, int control) { return qobject_cast<QPushButton*>(Window(id)->control(control)); }
    QString Status(ScreenId id) { return TextOf(id, S::kStatus); }
    // The face the font dialog opened on at the last print.
    QString OfferedFace() { return service.fontDialogs.isEmpty() ? QString() : service.fontDialogs.last().family(); }
    // The user picks this face and size in the font dialog.
    void Pick(const QString& face, double size) {
        service.fontAnswer = [face, size](const QFont&) {
            QFont chosen(face);
            chosen.setPointSizeF(size);
            return std::optional<QFont>(chosen);
        };
    }

    TemporaryHome home;
    ScriptedPrintService service;
};

TEST_F(PrintWindowsTest, BothScreensShowTheNoteAndTheirButtonsInTheirFocusOrder) {
    for (ScreenId id : {kFullDepth, kOverlay}) {
        Open(id);
        FormWindow* w = Window(id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), "Flexible Pavement Design");
        EXPECT_EQ(TextOf(id, S::kNote).toStdString(), kFontNote);
        EXPECT_TRUE(qobject_cast<QLabel*>(w->control(S::kNote))->wordWrap());
        EXPECT_EQ(Button(id, S::kPrint)->text(), "  PRINT THE DESIGN FORM");
        EXPECT_EQ(Button(id, S::kPrint)->accessibleName(), "PRINT THE DESIGN FORM");
        EXPECT_EQ(Button(id, S::kPreview)->text(), "PREVIEW");
        EXPECT_EQ(Button(id, S::kPreview)->accessibleName(), "PREVIEW");
        EXPECT_FALSE(Button(id, S::kPreview)->toolTip().isEmpty());
        EXPECT_EQ(Button(id, S::kMainMenu)->text(), "MAIN MENU");
        EXPECT_EQ(Button(id, S::kQuit)->text(), "QUIT");
        EXPECT_TRUE(Status(id).isEmpty());
        EXPECT_EQ(w->control(S::kStatus)->focusPolicy(), Qt::NoFocus);
    }
    auto next = [](QWidget* widget) { return widget->nextInFocusChain(); };
    FormWindow* full = Window(kFullDepth);
    EXPECT_EQ(full->focusWidget(), full->control(S::kPrint));
    EXPECT_EQ(next(full->control(S::kPrint)), full->control(S::kPreview));
    EXPECT_EQ(next(full->control(S::kPreview)), full->control(S::kMainMenu));
    EXPECT_EQ(next(full->control(S::kMainMenu)), full->control(S::kQuit));
    FormWindow* overlay = Window(kOverlay);
    EXPECT_EQ(overlay->focusWidget(), overlay->control(S::kMainMenu));
    EXPECT_EQ(next(overlay->control(S::kMainMenu)), overlay->control(S::kPrint));
    EXPECT_EQ(next(overlay->control(S::kPrint)), overlay->control(S::kPreview));
    EXPECT_EQ(next(overlay->control(S::kPreview)), overlay->control(S::kQuit));
}

TEST_F(PrintWindowsTest, MainMenuAndQuitLeaveTheScreen) {
    Open(kFullDepth);
    Click(kFullDepth, S::kMainMenu);
    EXPECT_TRUE(Visible(ScreenId::MainMenu));
    EXPECT_FALSE(Visible(kFullDepth));
    EXPECT_FALSE(desktop.quit);
    Open(kOverlay);
    Click(kOverlay, S::kQuit);
    EXPECT_TRUE(desktop.quit);
}

TEST_F(PrintWindowsTest, TheFontDialogOpensOnTheLastCourierFaceOfThePrinter) {
    Open(kFullDepth);
    service.fontAnswer = [](const QFont&) { return std::nullopt; };
    const std::vector<std::pair<std::vector<std::string>, QString>> cases = {
        {{"Courier New", "Arial", "Courier"}, "Courier"},
        {{"Courier", "Courier New", "Times"}, "Courier New"},
        {{"New Courier", "Arial"}, "New Courier"},
        {{"courier", "COURIER NEW", "Arial"}, QString::fromStdString(service.CourierSubstitute())},
    };
    for (const auto& [faces, expected] : cases) {
        service.faces = faces;
        Click(kFullDepth, S::kPrint);
        EXPECT_EQ(OfferedFace(), expected);
        EXPECT_EQ(service.fontDialogs.last().pointSizeF(), 12.0);
    }
    // Cancelled each time: nothing was printed.
    EXPECT_TRUE(service.printDialogs.isEmpty());
    EXPECT_EQ(Status(kFullDepth), "Not printed: no font was chosen.");
}

TEST_F(PrintWindowsTest, EachScreenRemembersTheFontChosenOnIt) {
    service.faces = std::vector<std::string>{"Liberation Mono", "DejaVu Sans Mono"};
    Open(kFullDepth);
    Pick("DejaVu Sans Mono", 10.5);
    Click(kFullDepth, S::kPrint);  // the print dialog is cancelled
    EXPECT_EQ(Status(kFullDepth), "Not printed: the print was cancelled.");
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(OfferedFace(), "DejaVu Sans Mono");
    EXPECT_EQ(service.fontDialogs.last().pointSizeF(), 10.5);

    // The overlay screen starts from the system's Courier at 12 points.
    Open(kOverlay);
    service.fontAnswer = [](const QFont&) { return std::nullopt; };
    Click(kOverlay, S::kPrint);
    EXPECT_EQ(OfferedFace().toStdString(), service.CourierSubstitute());
    EXPECT_EQ(service.fontDialogs.last().pointSizeF(), 12.0);
    // A cancelled font dialog keeps the earlier choice.
    Click(kFullDepth, S::kPrint);
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(OfferedFace(), "DejaVu Sans Mono");
}

TEST_F(PrintWindowsTest, PrintSavesTheFormAndSaysWhere) {
    Open(kFullDepth);
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(Status(kFullDepth), "Saved as " + file);
    const QStringList lines = PdfLines(file);
    EXPECT_GE(LineWith(lines, "Graded Aggregate Base"), 0);  // the result screen's rows
    EXPECT_TRUE(Visible(kFullDepth));                         // the screen stays up
}

TEST_F(PrintWindowsTest, AFailedPrintSaysSoAndLeavesNoFile) {
    Open(kFullDepth);
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    service.failAfterTexts = 30;
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(Status(kFullDepth), "Not printed: the printer ran out of paper.");
    EXPECT_FALSE(QFile::exists(file));
    // The user may press PRINT again.
    service.failAfterTexts = -1;
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(Status(kFullDepth), "Saved as " + file);
}

TEST_F(PrintWindowsTest, AFailedWriteSaysNotSavedNamingTheFileAndKeepsTheEarlierForm) {
    Open(kFullDepth);
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    Click(kFullDepth, S::kPrint);
    ASSERT_EQ(Status(kFullDepth), "Saved as " + file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray good = saved.readAll();
    saved.close();
    {
        FileSizeLimit full(8192);  // bytes, less than the form
        Click(kFullDepth, S::kPrint);
    }
    EXPECT_TRUE(Status(kFullDepth).startsWith("Not saved: ")) << Status(kFullDepth).toStdString();
    EXPECT_TRUE(Status(kFullDepth).contains("File too large")) << Status(kFullDepth).toStdString();
    EXPECT_TRUE(Status(kFullDepth).contains(file)) << Status(kFullDepth).toStdString();
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), good);
}

TEST_F(PrintWindowsTest, AFormOfMorePagesThanOneIsPrintedOnlyWhenTheUserSaysYes) {
    record.projectNumber = std::string(10000, '7');
    Open(kFullDepth);
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    Click(kFullDepth, S::kPrint);  // the question is answered No, its default
    ASSERT_EQ(desktop.questions.size(), 1u);
    const QString question = QString::fromStdString(desktop.questions[0].text);
    static const QRegularExpression asked("^The form takes [0-9,]+ pages at this face and size\\. Print it anyway\\?$");
    EXPECT_TRUE(asked.match(question).hasMatch()) << question.toStdString();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(Status(kFullDepth).startsWith("Not printed: ")) << Status(kFullDepth).toStdString();

    desktop.answers = {Answer::Yes};
    Click(kFullDepth, S::kPrint);
    EXPECT_EQ(desktop.questions.size(), 2u);
    EXPECT_EQ(Status(kFullDepth), "Saved as " + file);
}

// Resolution the preview's pages and the PDF's are compared at: a 12-point
// character is about 17 dots high.
constexpr int kComparedDpi = 100;

TEST_F(PrintWindowsTest, ThePreviewShowsEveryPageExactlyAsPrintFromItWritesThem) {
    // The overlay screen prints an overlay design.
    record.overlayCourseCount = 1;
    record.existingCourseCount = 1;
    ResultSheet overlay = ExampleSheet();
    overlay.rows.resize(6);
    overlay.rows[3] = {"Portland Cement Concrete (fair)", "8.00", "203", "0.35", "2.80", "", "", "", ""};
    program.logic<ResultScreen>(ScreenId::OverlayResult).Fill(overlay, {});

    struct Case {
        ScreenId screen;
        std::optional<std::pair<QString, double>> chosen;  // face and size chosen at an earlier PRINT
        bool severalPages;
    };
    // At 18 points the 77 columns (0.15 in. each) are wider than the paper:
    // the lines wrap and the form runs onto further pages.
    const Case cases[] = {{kFullDepth, std::nullopt, false},
                          {kOverlay, std::nullopt, false},
                          {kFullDepth, std::pair(QString("Liberation Mono"), 18.0), true}};
    QList<QImage> twelvePoint;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.screen == kFullDepth ? "full depth " : "overlay ")
                                          << (c.chosen ? c.chosen->first.toStdString() : "as preselected"));
        Open(c.screen);
        if (c.chosen) {
            Pick(c.chosen->first, c.chosen->second);
            service.printTo.clear();  // the print dialog is cancelled
            Click(c.screen, S::kPrint);
        }
        const qsizetype fontDialogs = service.fontDialogs.size();
        const QString file = home.Path("form.pdf");
        service.printTo = file;
        desktop.answers = {Answer::Yes};  // to the pages' question, if asked
        QList<QImage> previewed;
        service.inPreview = [&](FormPreview& preview) {
            previewed = PreviewPages(preview, kComparedDpi);
            preview.printButton()->click();
        };
        Click(c.screen, S::kPreview);
        EXPECT_EQ(service.fontDialogs.size(), fontDialogs);  // printed in the font previewed
        ASSERT_EQ(Status(c.screen), "Saved as " + file);
        const QList<QImage> printed = PdfPages(file, kComparedDpi);
        ASSERT_EQ(previewed.size(), printed.size());
        EXPECT_EQ(previewed.size() > 1, c.severalPages) << previewed.size();
        for (int page = 0; page < printed.size(); ++page) EXPECT_TRUE(SamePage(previewed[page], printed[page])) << page;
        if (!c.chosen && c.screen == kFullDepth) twelvePoint = previewed;
        QFile::remove(file);
    }
    // The comparison tells forms apart: the form in another face at 18
    // points is not the form at 12.
    ASSERT_EQ(twelvePoint.size(), 1);
    service.inPreview = [&](FormPreview& preview) {
        EXPECT_FALSE(SamePage(twelvePoint[0], PreviewPages(preview, kComparedDpi)[0]));
    };
    Click(kFullDepth, S::kPreview);
}

TEST_F(PrintWindowsTest, PreviewOpensByMouseOrKeyboardInsideTheScreenAndPagesByKeyboard) {
    Open(kFullDepth);
    Pick("Liberation Mono", 18.0);  // a form of several pages
    service.printTo.clear();
    Click(kFullDepth, S::kPrint);
    const qsizetype fontDialogs = service.fontDialogs.size();
    const qsizetype printDialogs = service.printDialogs.size();
    const QString status = Status(kFullDepth);

    QStringList seen;
    service.inPreview = [&](FormPreview& preview) {
        preview.show();
        QApplication::processEvents();
        seen << preview.windowTitle();
        EXPECT_TRUE(preview.screen()->availableGeometry().contains(preview.frameGeometry()));
        EXPECT_EQ(preview.pages()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        EXPECT_EQ(preview.printButton()->accessibleName(), "PRINT");
        for (auto* button : preview.findChildren<QPushButton*>()) EXPECT_FALSE(button->accessibleName().isEmpty());
        auto* pageShown = preview.findChild<QLabel*>();
        const int pages = preview.PageCount();
        EXPECT_GT(pages, 1);
        EXPECT_EQ(pageShown->text(), QString("Page 1 of %1").arg(pages));
        // Tab goes from PRINT through the tools to the pages, where Page Down
        // turns them to the last.
        EXPECT_EQ(preview.focusWidget(), preview.printButton());
        for (int tools = 0; tools < 6; ++tools) QTest::keyClick(preview.focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(preview.pages()->isAncestorOf(preview.focusWidget()));
        EXPECT_FALSE(preview.focusWidget()->accessibleName().isEmpty());
        for (int step = 0; step < 4 * pages; ++step) QTest::keyClick(preview.focusWidget(), Qt::Key_PageDown);
        EXPECT_EQ(pageShown->text(), QString("Page %1 of %1").arg(pages));
        QTest::keyClick(&preview, Qt::Key_Escape);
        EXPECT_FALSE(preview.isVisible());
    };
    Click(kFullDepth, S::kPreview);
    EXPECT_EQ(seen.size(), 1);
    Window(kFullDepth)->control(S::kPreview)->setFocus();
    QTest::keyClick(Window(kFullDepth)->control(S::kPreview), Qt::Key_Space);
    EXPECT_EQ(seen.size(), 2);
    // The shortcut works wherever the focus is in the active window.
    Window(kFullDepth)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window(kFullDepth)));
    QTest::keyClick(Window(kFullDepth)->control(S::kMainMenu), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(seen.size(), 3);
    for (const QString& title : seen) EXPECT_EQ(title, "Flexible Pavement Design - Preview of the design form");
    // Closing the preview prints nothing and asks for no font.
    EXPECT_EQ(service.fontDialogs.size(), fontDialogs);
    EXPECT_EQ(service.printDialogs.size(), printDialogs);
    EXPECT_EQ(Status(kFullDepth), status);
}

TEST_F(PrintWindowsTest, PrintingFromThePreviewFailsAsPrintDoesAndKeepsTheEarlierForm) {
    Open(kFullDepth);
    const QString file = home.Path("form.pdf");
    service.printTo = file;
    Click(kFullDepth, S::kPrint);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray good = saved.readAll();
    saved.close();

    // Closed once the print is done, whatever became of it.
    int result = -1;
    service.inPreview = [&](FormPreview& preview) {
        FileSizeLimit full(8192);  // bytes, less than the form
        preview.printButton()->click();
        result = preview.result();
    };
    Click(kFullDepth, S::kPreview);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(Status(kFullDepth).startsWith("Not saved: ")) << Status(kFullDepth).toStdString();
    EXPECT_TRUE(Status(kFullDepth).contains(file)) << Status(kFullDepth).toStdString();
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), good);

    // A cancelled print dialog leaves the preview open.
    service.printTo.clear();
    service.inPreview = [&](FormPreview& preview) {
        preview.printButton()->click();
        result = preview.result();
    };
    Click(kFullDepth, S::kPreview);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(Status(kFullDepth), "Not printed: the print was cancelled.");

    // A form that cannot be laid out is not shown.
    const int previews = service.previews;
    service.failAfterTexts = 30;
    Click(kFullDepth, S::kPreview);
    EXPECT_EQ(service.previews, previews);
    EXPECT_EQ(Status(kFullDepth), "Not previewed: the printer ran out of paper.");
}

}  // namespace
}  // namespace korvelle::testing
