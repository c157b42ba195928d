#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

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
        EXPECT_EQ(Button(id, S::kMainMenu)->text(), "MAIN MENU");
        EXPECT_EQ(Button(id, S::kQuit)->text(), "QUIT");
        EXPECT_TRUE(Status(id).isEmpty());
        EXPECT_EQ(w->control(S::kStatus)->focusPolicy(), Qt::NoFocus);
    }
    auto next = [](QWidget* widget) { return widget->nextInFocusChain(); };
    FormWindow* full = Window(kFullDepth);
    EXPECT_EQ(full->focusWidget(), full->control(S::kPrint));
    EXPECT_EQ(next(full->control(S::kPrint)), full->control(S::kMainMenu));
    EXPECT_EQ(next(full->control(S::kMainMenu)), full->control(S::kQuit));
    FormWindow* overlay = Window(kOverlay);
    EXPECT_EQ(overlay->focusWidget(), overlay->control(S::kMainMenu));
    EXPECT_EQ(next(overlay->control(S::kMainMenu)), overlay->control(S::kPrint));
    EXPECT_EQ(next(overlay->control(S::kPrint)), overlay->control(S::kQuit));
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

}  // namespace
}  // namespace korvelle::testing
