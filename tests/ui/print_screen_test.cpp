#include "ui/print_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"

namespace korvelle {
namespace {

constexpr ScreenId kFullPrint = ScreenId::FullDepthPrint;
constexpr ScreenId kOverlayPrint = ScreenId::OverlayPrint;

// A run that has accepted a full-depth design and stands on its print
// screen, with the fake printer attached to both print screens.
struct PrintRun : Harness {
    FakePrintService printer;
    PrintRun() {
        Logic<PrintScreen>(kFullPrint).SetPrintService(&printer);
        Logic<PrintScreen>(kOverlayPrint).SetPrintService(&printer);
        StartToMainMenu();
        DesignFullDepth();
        desktop.Clear();
    }
    void DesignFullDepth() {
        Click(ScreenId::MainMenu, MainMenu::kContinue);
        auto& entry = Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
        View(ScreenId::FullDepthEntry).SetChoice(entry.List(0), 4);  // 12.5 mm SMA
        SetText(ScreenId::FullDepthEntry, entry.Thickness(0), "6.00");
        Click(ScreenId::FullDepthEntry, entry.ContinueButton());
        Click(ScreenId::FullDepthResult, Logic<ResultScreen>(ScreenId::FullDepthResult).AcceptButton());
    }
    void DesignOverlay() {
        ClickOption(ScreenId::MainMenu, MainMenu::kOptions, MainMenu::kOverlay);
        Click(ScreenId::MainMenu, MainMenu::kContinue);
        auto& entry = Logic<StructureEntryScreen>(ScreenId::OverlayEntry);
        View(ScreenId::OverlayEntry).SetChoice(entry.List(0), 2);  // 12.5 mm Superpave
        SetText(ScreenId::OverlayEntry, entry.Thickness(0), "2.00");
        View(ScreenId::OverlayEntry).SetChoice(entry.List(3), 0);  // good concrete
        SetText(ScreenId::OverlayEntry, entry.Thickness(3), "9.00");
        Click(ScreenId::OverlayEntry, entry.ContinueButton());
        Click(ScreenId::OverlayResult, Logic<ResultScreen>(ScreenId::OverlayResult).AcceptButton());
    }
    void Print(ScreenId id = kFullPrint) { Click(id, PrintScreen::kPrint); }
    void Preview(ScreenId id = kFullPrint) { Click(id, PrintScreen::kPreview); }
    // The face and size of the last preview.
    std::pair<std::string, double> Previewed() {
        const FontChoice& font = printer.previews.at(printer.previews.size() - 1).font;
        return {font.face, font.size};
    }
    std::string Status(ScreenId id = kFullPrint) { return Text(id, PrintScreen::kStatus); }
};

TEST(PrintScreen, LoadSetsTheFontNote) {
    PrintRun h;
    EXPECT_EQ(h.Text(kFullPrint, PrintScreen::kNote),
              "NOTE: You may have to experiment to find the best font and font size to print the pavement design "
              "form.  If the defaults that are currently set for your system do not print well, try different fonts "
              "and font sizes.  One combination that seems to work well with most printers is the Courier or New "
              "Courier font in 12-point size. It may take a few seconds after you press the PRINT button.");
    EXPECT_EQ(h.Status(), "");
}

TEST(PrintScreen, LastCourierFaceInThePrintersOrderIsPreselected) {
    struct Case {
        std::vector<std::string> faces;
        const char* preselected;
    };
    for (const Case& c : std::vector<Case>{
             {{"Arial", "Courier New", "Times", "Courier"}, "Courier"},
             {{"Courier", "Arial", "Courier New"}, "Courier New"},
             {{"Courier New", "New Courier"}, "New Courier"},
             {{"New Courier", "Courier"}, "Courier"},
             {{"courier new", "Arial", "COURIER", "Courier New Bold", "Courier"}, "Courier"}}) {
        SCOPED_TRACE(c.preselected);
        PrintRun h;
        h.printer.faces = c.faces;
        h.Print();
        ASSERT_EQ(h.printer.dialogOpenedWith.size(), 1u);
        EXPECT_EQ(h.printer.dialogOpenedWith[0].face, c.preselected);
        EXPECT_EQ(h.printer.dialogOpenedWith[0].size, 12.0);
    }
}

TEST(PrintScreen, WithoutACourierFaceTheDialogOpensOnTheSubstituteThenOnTheLastChoice) {
    PrintRun h;
    h.printer.faces = {"Arial", "courier new", "DejaVu Sans"};
    h.printer.substitute = "Nimbus Mono PS";
    h.Print();
    ASSERT_EQ(h.printer.dialogOpenedWith.size(), 1u);
    EXPECT_EQ(h.printer.dialogOpenedWith[0].face, "Nimbus Mono PS");
    EXPECT_EQ(h.printer.dialogOpenedWith[0].size, 12.0);

    h.printer.chooseFace = "DejaVu Sans";
    h.printer.chooseSize = 10.0;
    h.Print();
    h.printer.chooseFace.reset();
    h.printer.chooseSize.reset();
    h.Print();
    ASSERT_EQ(h.printer.dialogOpenedWith.size(), 3u);
    EXPECT_EQ(h.printer.dialogOpenedWith[2].face, "DejaVu Sans");
    EXPECT_EQ(h.printer.dialogOpenedWith[2].size, 10.0);
    ASSERT_EQ(h.printer.prints.size(), 3u);
    EXPECT_EQ(h.printer.prints[1].font.face, "DejaVu Sans");
    EXPECT_EQ(h.printer.prints[1].font.size, 10.0);
}

TEST(PrintScreen, CourierFaceIsPreselectedAnewButTheSizeIsKept) {
    PrintRun h;
    h.printer.faces = {"Courier New", "Arial"};
    h.printer.chooseFace = "Arial";
    h.printer.chooseSize = 9.0;
    h.Print();
    h.Print();
    ASSERT_EQ(h.printer.dialogOpenedWith.size(), 2u);
    EXPECT_EQ(h.printer.dialogOpenedWith[1].face, "Courier New");
    EXPECT_EQ(h.printer.dialogOpenedWith[1].size, 9.0);
}

TEST(PrintScreen, PrintsTheFormOfItsKindWithTheChosenFontAndTheResultScreensTexts) {
    PrintRun h;
    h.printer.faces = {"Courier"};
    h.Print();
    ASSERT_EQ(h.printer.prints.size(), 1u);
    const FakePrintService::PrintCall call = h.printer.prints[0];
    EXPECT_EQ(call.kind, FormKind::FullDepth);
    EXPECT_EQ(call.font.face, "Courier");
    EXPECT_EQ(call.font.size, 12.0);
    ASSERT_EQ(call.sheet.rows.size(), 5u);
    EXPECT_EQ(call.sheet.rows[0][0], "12.5 mm SMA");
    EXPECT_EQ(call.sheet.rows[0][5], "1.50");
    EXPECT_EQ(call.sheet.rows[0][8], "0.45");
    EXPECT_EQ(call.sheet.rows[1][0], "");
    EXPECT_EQ(call.sheet.requiredSn, "3.28");
    EXPECT_EQ(call.sheet.proposedSn, "2.43");
    EXPECT_EQ(call.sheet.verdict, "Underdesign");
    EXPECT_EQ(call.record.designLoading, 737300);
    EXPECT_EQ(call.record.projectNumber, "NH-IM-85-1(123)");
    EXPECT_EQ(h.Status(), "Printed on Office LaserJet");
    EXPECT_TRUE(h.desktop.events.empty());
    // The print screen stays up for another print.
    EXPECT_TRUE(h.windows.Visible(kFullPrint));

    h.Print();
    ASSERT_EQ(h.printer.prints.size(), 2u);
    EXPECT_EQ(h.printer.prints[1].sheet.rows, call.sheet.rows);
    EXPECT_EQ(h.printer.prints[1].font.face, call.font.face);
}

TEST(PrintScreen, ANewlyAcceptedDesignIsNotShownAsPrinted) {
    PrintRun h;
    h.Print();
    ASSERT_EQ(h.Status(), "Printed on Office LaserJet");
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignFullDepth();
    EXPECT_EQ(h.Status(), "");
    EXPECT_EQ(h.View(kFullPrint).focus, PrintScreen::kPrint);
    // Printing again reports the new print.
    h.Print();
    EXPECT_EQ(h.Status(), "Printed on Office LaserJet");

    // The overlay print screen starts on MAIN MENU, the first of its order.
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    EXPECT_EQ(h.View(kOverlayPrint).focus, PrintScreen::kMainMenu);
    h.Print(kOverlayPrint);
    h.Click(kOverlayPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    EXPECT_EQ(h.Status(kOverlayPrint), "");
    EXPECT_EQ(h.View(kOverlayPrint).focus, PrintScreen::kMainMenu);
}

TEST(PrintScreen, OverlayPrintScreenPrintsTheOverlayForm) {
    PrintRun h;
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    h.Print(kOverlayPrint);
    ASSERT_EQ(h.printer.prints.size(), 1u);
    EXPECT_EQ(h.printer.prints[0].kind, FormKind::Overlay);
    ASSERT_EQ(h.printer.prints[0].sheet.rows.size(), 6u);
    EXPECT_EQ(h.printer.prints[0].sheet.rows[3][0], "Portland Cement Concrete (good)");
    EXPECT_EQ(h.printer.prints[0].sheet.rows[3][4], "3.60");
    EXPECT_EQ(h.Status(kOverlayPrint), "Printed on Office LaserJet");
}

TEST(PrintScreen, EachPrintScreenRemembersItsOwnFont) {
    PrintRun h;
    h.printer.chooseFace = "Lucida Console";
    h.printer.chooseSize = 11.0;
    h.Print();
    h.printer.chooseFace.reset();
    h.printer.chooseSize.reset();
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    h.Print(kOverlayPrint);
    ASSERT_EQ(h.printer.dialogOpenedWith.size(), 2u);
    EXPECT_EQ(h.printer.dialogOpenedWith[1].face, "Liberation Mono");  // the substitute: never printed here
    EXPECT_EQ(h.printer.dialogOpenedWith[1].size, 12.0);
    EXPECT_EQ(h.Logic<PrintScreen>(kFullPrint).font().face, "Lucida Console");
    EXPECT_EQ(h.Logic<PrintScreen>(kFullPrint).font().size, 11.0);
}

TEST(PrintScreen, CancellingTheFontDialogAbandonsThePrintQuietly) {
    PrintRun h;
    h.printer.chooseFace = "Lucida Console";
    h.printer.chooseSize = 11.0;
    h.Print();
    h.printer.cancelFont = true;
    h.printer.chooseFace = "Arial";
    h.Print();
    EXPECT_EQ(h.printer.prints.size(), 1u);
    EXPECT_EQ(h.printer.dialogOpenedWith.size(), 2u);
    EXPECT_TRUE(h.desktop.events.empty());
    EXPECT_EQ(h.Status().rfind("Not printed: ", 0), 0u) << h.Status();
    // The cancelled dialog changed nothing.
    EXPECT_EQ(h.Logic<PrintScreen>(kFullPrint).font().face, "Lucida Console");
    EXPECT_EQ(h.Logic<PrintScreen>(kFullPrint).font().size, 11.0);
    EXPECT_TRUE(h.windows.Visible(kFullPrint));
}

TEST(PrintScreen, StatusSaysWhatBecameOfThePrint) {
    PrintRun h;
    h.printer.outcome = {PrintOutcome::Cancelled, ""};
    h.Print();
    EXPECT_EQ(h.Status().rfind("Not printed: ", 0), 0u) << h.Status();
    h.printer.outcome = {PrintOutcome::Saved, "/home/designer/form.pdf"};
    h.Print();
    EXPECT_EQ(h.Status(), "Saved as /home/designer/form.pdf");
    h.printer.outcome = {PrintOutcome::Failed, "the printer is out of paper"};
    h.Print();
    EXPECT_EQ(h.Status(), "Not printed: the printer is out of paper");
    h.printer.outcome = {PrintOutcome::Printed, "Plotter 2"};
    h.Print();
    EXPECT_EQ(h.Status(), "Printed on Plotter 2");
    h.printer.outcome = {PrintOutcome::NotSaved, "writing the file failed: File too large (/home/designer/form.pdf)."};
    h.Print();
    EXPECT_EQ(h.Status(), "Not saved: writing the file failed: File too large (/home/designer/form.pdf).");
    EXPECT_TRUE(h.desktop.events.empty());
}

TEST(PrintScreen, AFormOfMorePagesThanOneIsPrintedOnlyWhenTheUserSaysYes) {
    PrintRun h;
    h.printer.pages = 1237;
    h.Print();  // No, the default
    ASSERT_EQ(h.desktop.questions.size(), 1u);
    EXPECT_EQ(h.desktop.questions[0].text, "The form takes 1,237 pages at this face and size. Print it anyway?");
    EXPECT_EQ(h.desktop.questions[0].title, "Pages of the design form");
    EXPECT_EQ(h.printer.printed, 0);
    EXPECT_EQ(h.Status(), "Not printed: the form would take 1,237 pages.");

    h.desktop.answers = {Answer::Yes};
    h.Print();
    EXPECT_EQ(h.desktop.questions.size(), 2u);
    EXPECT_EQ(h.printer.printed, 1);
    EXPECT_EQ(h.Status(), "Printed on Office LaserJet");

    // A form of one page asks nothing; a cancelled print dialog is no refusal.
    h.printer.pages = 1;
    h.Print();
    h.printer.outcome = {PrintOutcome::Cancelled, ""};
    h.Print();
    EXPECT_EQ(h.desktop.questions.size(), 2u);
    EXPECT_EQ(h.Status(), "Not printed: the print was cancelled.");
}

TEST(PrintScreen, FailureInsideThePrintEndsItQuietly) {
    PrintRun h;
    h.printer.failure = "page layer failed";
    h.Print();
    EXPECT_TRUE(h.desktop.events.empty());
    EXPECT_EQ(h.Status().rfind("Not printed: ", 0), 0u) << h.Status();
    EXPECT_NE(h.Status().find("page layer failed"), std::string::npos) << h.Status();
    EXPECT_TRUE(h.windows.Visible(kFullPrint));
}

TEST(PrintScreen, WithoutAPrinterNothingIsPrintedOrPreviewed) {
    Harness h;
    h.StartToMainMenu();
    h.Click(ScreenId::MainMenu, MainMenu::kContinue);
    auto& entry = h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
    h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(0), 2);
    h.SetText(ScreenId::FullDepthEntry, entry.Thickness(0), "3.00");
    h.Click(ScreenId::FullDepthEntry, entry.ContinueButton());
    h.Click(ScreenId::FullDepthResult, h.Logic<ResultScreen>(ScreenId::FullDepthResult).AcceptButton());
    h.Click(kFullPrint, PrintScreen::kPrint);
    EXPECT_EQ(h.Text(kFullPrint, PrintScreen::kStatus).rfind("Not printed: ", 0), 0u);
    h.Click(kFullPrint, PrintScreen::kPreview);
    EXPECT_EQ(h.Text(kFullPrint, PrintScreen::kStatus), "Not previewed: no printer is available.");
    EXPECT_TRUE(h.desktop.events.empty());
}

TEST(PrintScreen, PreviewShowsTheFaceAndSizeHeldForPrintingWithoutTheFontDialog) {
    using Font = std::pair<std::string, double>;
    PrintRun h;
    // Before any choice: the face the font dialog would open on, at 12 points.
    h.printer.faces = {"Arial", "Courier New", "Times"};
    h.Preview();
    EXPECT_EQ(h.Previewed(), Font("Courier New", 12.0));
    h.printer.faces = {"Arial"};
    h.printer.substitute = "Nimbus Mono PS";
    h.Preview();
    EXPECT_EQ(h.Previewed(), Font("Nimbus Mono PS", 12.0));
    EXPECT_TRUE(h.printer.dialogOpenedWith.empty());
    EXPECT_TRUE(h.printer.prints.empty());

    // After a PRINT: the face and size chosen then, though the printer has a
    // Courier that the next font dialog preselects.
    h.printer.faces = {"Arial", "Courier New"};
    h.printer.chooseFace = "Arial";
    h.printer.chooseSize = 9.0;
    h.Print();
    h.Preview();
    EXPECT_EQ(h.Previewed(), Font("Arial", 9.0));
    // The form of the screen's kind, of the design as the result screen shows it.
    ASSERT_EQ(h.printer.previews.size(), 3u);
    EXPECT_EQ(h.printer.previews[2].kind, FormKind::FullDepth);
    EXPECT_EQ(h.printer.previews[2].sheet.rows, h.printer.prints[0].sheet.rows);
    EXPECT_EQ(h.printer.previews[2].sheet.proposedSn, "2.43");
    EXPECT_EQ(h.printer.previews[2].record.designLoading, 737300);
    EXPECT_EQ(h.Status(), "Printed on Office LaserJet");  // a preview closed unprinted changes nothing

    // The overlay screen keeps its own font.
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    h.Preview(kOverlayPrint);
    EXPECT_EQ(h.Previewed(), Font("Courier New", 12.0));
    EXPECT_EQ(h.printer.previews.back().kind, FormKind::Overlay);
    EXPECT_EQ(h.printer.previews.back().sheet.rows[3][0], "Portland Cement Concrete (good)");
    EXPECT_EQ(h.printer.dialogOpenedWith.size(), 1u);
}

TEST(PrintScreen, PrintingFromThePreviewPrintsWhatItShowsAndReportsAsPrintDoes) {
    struct Case {
        const char* what;
        PrintOutcome outcome;
        std::optional<std::string> failure;  // the print throws this
        int pages;
        std::vector<Answer> answers;  // to the pages' question
        int presses;                  // of the preview's print button
        int printed;  // prints that went past the pages' question
        bool closed;  // the preview closes
        const char* status;
    };
    const PrintOutcome laserJet{PrintOutcome::Printed, "Office LaserJet"};
    const std::vector<Case> cases = {
        {"printed", laserJet, {}, 1, {}, 1, 1, true, "Printed on Office LaserJet"},
        {"print dialog cancelled", {PrintOutcome::Cancelled, ""}, {}, 1, {}, 1, 1, false,
         "Not printed: the print was cancelled."},
        {"pages declined", laserJet, {}, 3, {Answer::No}, 1, 0, false, "Not printed: the form would take 3 pages."},
        {"pages declined, then confirmed", laserJet, {}, 3, {Answer::No, Answer::Yes}, 2, 1, true,
         "Printed on Office LaserJet"},
        {"printer failed", {PrintOutcome::Failed, "the printer is out of paper."}, {}, 1, {}, 1, 1, true,
         "Not printed: the printer is out of paper."},
        {"print threw", laserJet, "page layer failed", 1, {}, 1, 0, true, "Not printed: page layer failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrintRun h;
        h.printer.faces = {"Courier"};
        h.printer.outcome = c.outcome;
        h.printer.failure = c.failure;
        h.printer.pages = c.pages;
        h.desktop.answers = c.answers;
        h.printer.printsInPreview = c.presses;
        h.Preview();
        EXPECT_EQ(h.printer.printed, c.printed);
        EXPECT_EQ(h.printer.previewClosedByPrint, c.closed);
        EXPECT_EQ(h.Status(), c.status);
        EXPECT_EQ(h.desktop.questions.size(), c.answers.size());
        // Printed in the face and size shown, without the font dialog.
        EXPECT_TRUE(h.printer.dialogOpenedWith.empty());
        ASSERT_EQ(h.printer.prints.size(), static_cast<std::size_t>(c.presses));
        EXPECT_EQ(h.printer.prints[0].font.face, "Courier");
        EXPECT_EQ(h.printer.prints[0].font.size, 12.0);
        EXPECT_EQ(h.printer.prints[0].sheet.rows, h.printer.previews[0].sheet.rows);
        EXPECT_EQ(h.Logic<PrintScreen>(kFullPrint).font().face, "Courier");
    }
}

TEST(PrintScreen, APreviewThatCannotBeShownSaysWhyOnTheStatusLine) {
    PrintRun h;
    h.printer.previewRefusal = "the form cannot be laid out.";
    h.Preview();
    EXPECT_EQ(h.Status(), "Not previewed: the form cannot be laid out.");
    h.printer.previewRefusal.reset();
    h.printer.previewFailure = "no memory for the pages";
    h.Preview();
    EXPECT_EQ(h.Status(), "Not previewed: no memory for the pages");
    EXPECT_TRUE(h.printer.prints.empty());
    EXPECT_TRUE(h.desktop.events.empty());
    EXPECT_TRUE(h.windows.Visible(kFullPrint));

}

TEST(PrintScreen, MainMenuKeepsTheSelectionAndClearsNothing) {
    PrintRun h;
    h.Click(kFullPrint, PrintScreen::kMainMenu);
    h.DesignOverlay();
    const std::map<int, std::string> overlayEntries = h.View(ScreenId::OverlayEntry).texts;
    const std::map<int, std::string> results = h.View(ScreenId::OverlayResult).texts;
    const float requiredSn = h.record.requiredSn;
    const std::size_t mark = h.windows.log.size();
    h.Click(kOverlayPrint, PrintScreen::kMainMenu);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, ScreenId::MainMenu},
                                                               {WindowEvent::Hide, kOverlayPrint}}));
    EXPECT_EQ(h.View(ScreenId::MainMenu).Choice(MainMenu::kOptions), MainMenu::kOverlay);
    EXPECT_EQ(h.record.menuChoice, MainMenu::kOverlay);
    EXPECT_EQ(h.View(ScreenId::OverlayEntry).texts, overlayEntries);
    EXPECT_EQ(h.View(ScreenId::OverlayResult).texts, results);
    EXPECT_EQ(h.record.requiredSn, requiredSn);
    EXPECT_EQ(h.record.projectNumber, "NH-IM-85-1(123)");

    // CONTINUE goes straight to another overlay design.
    h.Click(ScreenId::MainMenu, MainMenu::kContinue);
    EXPECT_TRUE(h.windows.Visible(ScreenId::OverlayEntry));
}

}  // namespace
}  // namespace korvelle
