#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "core/utf8.h"
#include "core/version.h"
#include "qt_fixture.h"
#include "ui/data_screens.h"
#include "ui/startup_screens.h"

namespace korvelle::testing {
namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;
using G = DesignerInformationScreen;

class DataWindowsTest : public QtProgramTest {
protected:
    // Types a value and presses Enter, as a designer moving through the form.
    void TypeAndEnter(ScreenId id, int control, const QString& text) {
        Type(id, control, text);
        Enter(id, control);
    }
    // The control of the window that has, or on activation gets, the focus.
    QWidget* Focused(ScreenId id) { return Window(id)->focusWidget(); }
};

TEST_F(DataWindowsTest, StartUpLeadsOnceThroughTheInformationScreenToTheProjectScreen) {
    program.Start();
    ASSERT_TRUE(Visible(ScreenId::Startup));
    EXPECT_EQ(Window(ScreenId::Startup)->windowTitle(), "Flexible Pavement Design");
    EXPECT_EQ(record.fullDepthMaterials[0], "12.5 mm OGFC");  // the load step ran
    Click(ScreenId::Startup, StartupScreen::kContinue);
    EXPECT_TRUE(Visible(ScreenId::Information));
    EXPECT_EQ(Window(ScreenId::Startup), nullptr);  // destroyed
    auto* version = qobject_cast<QLabel*>(Window(ScreenId::Information)->control(InformationScreen::kVersion));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text().toStdString(), "Version " + std::string(kProgramVersion));
    Click(ScreenId::Information, InformationScreen::kContinue);
    EXPECT_TRUE(Visible(ScreenId::ProjectInformation));
    EXPECT_EQ(Window(ScreenId::Information), nullptr);
    EXPECT_EQ(Window(ScreenId::ProjectInformation)->windowTitle(),
              "Flexible Pavement Design - Project Information");
}

TEST_F(DataWindowsTest, AWholeDesignIsEnteredWithTheKeyboard) {
    program.Start();
    Click(ScreenId::Startup, StartupScreen::kContinue);
    Click(ScreenId::Information, InformationScreen::kContinue);
    const ScreenId project = ScreenId::ProjectInformation;
    TypeAndEnter(project, P::kProjectNumber, "NH-123");
    EXPECT_EQ(Focused(project), Window(project)->control(P::kPiNumber));
    TypeAndEnter(project, P::kPiNumber, "123456789");  // at most 7 characters
    EXPECT_EQ(TextOf(project, P::kPiNumber), "1234567");
    TypeAndEnter(project, P::kCounty, "ALLENBY");
    TypeAndEnter(project, P::kDescription, "Widening");
    TypeAndEnter(project, P::kInitialYear, "2000");
    EXPECT_EQ(Focused(project), Window(project)->control(P::kInitialTraffic));
    TypeAndEnter(project, P::kInitialTraffic, "12,000");  // the comma key never reaches the field
    EXPECT_EQ(TextOf(project, P::kInitialTraffic), "12000");
    TypeAndEnter(project, P::kFinalYear, "2020");
    TypeAndEnter(project, P::kFinalTraffic, "20000");
    TypeAndEnter(project, P::kTruckPercent, "10");
    EXPECT_EQ(Focused(project), Window(project)->control(P::kContinue));
    EXPECT_TRUE(desktop.messages.empty());
    QTest::keyClick(Focused(project), Qt::Key_Return);  // Enter on CONTINUE presses it
    ASSERT_TRUE(Visible(ScreenId::DesignData));
    EXPECT_FALSE(Visible(project));
    EXPECT_EQ(record.initialAadt, 12000);
    EXPECT_EQ(record.piNumber, "1234567");

    const ScreenId data = ScreenId::DesignData;
    EXPECT_EQ(TextOf(data, D::kTerminalServiceability), "2.5");
    EXPECT_EQ(TextOf(data, D::kSingleUnitEsal), "0.40");
    EXPECT_EQ(TextOf(data, D::kMultiUnitEsal), "1.50");
    TypeAndEnter(data, D::kLdf, "100");
    EXPECT_EQ(Focused(data), Window(data)->control(D::kTerminalServiceability));
    TypeAndEnter(data, D::kSoilSupport, "4");
    TypeAndEnter(data, D::kRegionalFactor, "1.0");
    TypeAndEnter(data, D::kRepresentativeEsal, "1.0");
    EXPECT_TRUE(desktop.messages.empty());
    Click(data, D::kContinue);
    ASSERT_TRUE(Visible(ScreenId::DesignerInformation));
    // 16,000 mean AADT x 10 % trucks x 1.0 ESAL + 1 = 1601 loads a day, over 20 years.
    EXPECT_EQ(record.meanAadt, 16000);
    EXPECT_EQ(record.dailyLoads, 1601);
    EXPECT_EQ(record.designLoading, 1601 * 20 * 365);
    EXPECT_GT(record.requiredSn, 0.0f);

    const ScreenId designer = ScreenId::DesignerInformation;
    EXPECT_EQ(TextOf(designer, G::kDate), "December 8, 2026");
    TypeAndEnter(designer, G::kDesignerName, "A. Designer, P.E.");
    EXPECT_EQ(Focused(designer), Window(designer)->control(G::kComments));
    TypeAndEnter(designer, G::kComments, "Checked");
    EXPECT_EQ(Focused(designer), Window(designer)->control(G::kContinue));
    QTest::keyClick(Focused(designer), Qt::Key_Return);
    ASSERT_TRUE(Visible(ScreenId::MainMenu));
    EXPECT_EQ(record.designerName, "A. Designer, P.E.");
    EXPECT_EQ(record.designDate, "December 8, 2026");
    EXPECT_EQ(Window(ScreenId::MainMenu)->Choice(MainMenu::kOptions), MainMenu::kFullDepth);
}

TEST_F(DataWindowsTest, ARangeMessageKeepsTheFocusAndTheText) {
    program.Show(ScreenId::ProjectInformation);
    TypeAndEnter(ScreenId::ProjectInformation, P::kInitialYear, "1971");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Data is outside normal range");
    EXPECT_EQ(desktop.messages[0].title, "ERROR");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(record.initialYear, 1971);  // written, although rejected
    EXPECT_EQ(TextOf(ScreenId::ProjectInformation, P::kInitialYear), "1971");
    EXPECT_EQ(Focused(ScreenId::ProjectInformation), Window(ScreenId::ProjectInformation)->control(P::kInitialYear));
}

TEST_F(DataWindowsTest, TheMainMenuOptionsAndTheirDoubleClick) {
    program.Show(ScreenId::MainMenu);
    FormWindow* menu = Window(ScreenId::MainMenu);
    EXPECT_EQ(menu->windowTitle(), "Flexible Pavement Design - Main Menu");
    QList<QRadioButton*> options = menu->findChildren<QRadioButton*>();
    ASSERT_EQ(options.size(), 4);
    EXPECT_EQ(options[0]->text(), "   DESIGN A FULL-DEPTH PAVEMENT");
    EXPECT_EQ(options[3]->text(), "   QUIT");
    EXPECT_TRUE(options[0]->isChecked());
    QTest::mouseDClick(options[2], Qt::LeftButton);
    EXPECT_EQ(record.menuChoice, MainMenu::kEditData);
    EXPECT_TRUE(Visible(ScreenId::ProjectInformation));
    EXPECT_FALSE(Visible(ScreenId::MainMenu));
    program.Show(ScreenId::MainMenu);
    QTest::mouseDClick(options[3], Qt::LeftButton);
    EXPECT_TRUE(desktop.quit);
}

TEST_F(DataWindowsTest, TabEntersTheOfficeOptionsOnTheChoiceAndTheArrowsMoveIt) {
    program.Show(ScreenId::DesignerInformation);
    FormWindow* w = Window(ScreenId::DesignerInformation);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    const QList<QRadioButton*> offices = w->findChildren<QRadioButton*>();
    ASSERT_EQ(offices.size(), 5);
    w->control(G::kContinue)->setFocus();
    QTest::keyClick(w->control(G::kContinue), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), offices[0]);  // URBAN DESIGN, the one chosen
    QTest::keyClick(offices[0], Qt::Key_Down);
    QTest::keyClick(offices[1], Qt::Key_Down);
    EXPECT_TRUE(offices[2]->isChecked());
    EXPECT_EQ(record.officeIndex, G::kDistrict);
    EXPECT_EQ(QApplication::focusWidget(), offices[2]);
    QTest::keyClick(offices[2], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->control(G::kContinue));
    // Chosen by the program, the option becomes the group's Tab stop too.
    w->SetChoice(G::kOffice, G::kConsultantMinor);
    QTest::keyClick(w->control(G::kContinue), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), offices[4]);
}

TEST_F(DataWindowsTest, TheCloseBoxOfAChainScreenEndsTheProgramOnceTheDesignerDiscardsTheDesign) {
    program.Show(ScreenId::DesignData);
    Type(ScreenId::DesignData, D::kLdf, "90");
    Window(ScreenId::DesignData)->close();
    EXPECT_FALSE(desktop.quit);  // Cancel, the default
    EXPECT_TRUE(Window(ScreenId::DesignData)->isVisible());
    desktop.answers = {Answer::Discard};
    Window(ScreenId::DesignData)->close();
    EXPECT_TRUE(desktop.quit);
    EXPECT_EQ(desktop.questions.size(), 2u);
}

TEST_F(DataWindowsTest, AWindowJustShownTakesNoClickButEveryKey) {
    // The second click of a double click on CONTINUE must not press what the
    // next window has under the pointer (its QUIT).
    FormWindow::SetClickGuard(300);
    program.Show(ScreenId::ProjectInformation);
    QWidget* quit = Window(ScreenId::ProjectInformation)->control(P::kQuit);
    Type(ScreenId::ProjectInformation, P::kCounty, "A");
    QTest::mouseClick(quit, Qt::LeftButton);
    QTest::mouseDClick(quit, Qt::LeftButton);
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(TextOf(ScreenId::ProjectInformation, P::kCounty), "A");  // keys went straight in
    QTest::qWait(350);
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_EQ(desktop.questions.size(), 1u);
    FormWindow::SetClickGuard(0);
}

TEST_F(DataWindowsTest, LengthLimitsCountCharactersAndNeverSplitOne) {
    program.Show(ScreenId::ProjectInformation);
    auto* pi = qobject_cast<QLineEdit*>(Window(ScreenId::ProjectInformation)->control(P::kPiNumber));
    // Eight emoji typed into seven places: seven whole ones, no half of the eighth.
    const QString cone = QString::fromUtf8("\U0001F6A7");
    for (int i = 0; i < 8; ++i) pi->insert(cone);  // as an input method hands each one over
    EXPECT_EQ(pi->text(), cone.repeated(7));
    // A letter with its combining accent pasted over the limit goes whole or not at all.
    pi->clear();
    QTest::keyClicks(pi, "ABCDEF");
    pi->insert(QString::fromUtf8("e\u0301X"));
    EXPECT_EQ(pi->text(), "ABCDEF");
    pi->insert("!");
    pi->setCursorPosition(3);
    pi->insert("Q");  // into a full field: refused, as a plain limit does
    EXPECT_EQ(pi->text().toStdString(), "ABCDEF!");
    QTest::keyClick(pi, Qt::Key_Z);
    EXPECT_EQ(pi->text().toStdString(), "ABCDEF!");
    // What reaches the record and the form: seven characters in UTF-8.
    EXPECT_EQ(Utf8Length(Window(ScreenId::ProjectInformation)->Text(P::kPiNumber)), 7u);
}

TEST_F(DataWindowsTest, BackIsABackButtonInTheTabChainOfTheLaterChainScreens) {
    for (auto [id, back] : {std::pair{ScreenId::DesignData, int(D::kBack)},
                            std::pair{ScreenId::DesignerInformation, int(G::kBack)}}) {
        program.Show(id);
        QWidget* button = Window(id)->control(back);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), "BACK");
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        // Reached by Tab from the button before it in the chain.
        QWidget* before = button->previousInFocusChain();
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        EXPECT_EQ(Window(id)->focusWidget(), button);
    }
}

TEST_F(DataWindowsTest, EveryControlCarriesItsCaptionForScreenReaders) {
    for (ScreenId id : {ScreenId::ProjectInformation, ScreenId::DesignData, ScreenId::DesignerInformation,
                        ScreenId::MainMenu}) {
        program.Show(id);
        for (QWidget* w : Window(id)->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
            }
        }
    }
    auto* ldf = Window(ScreenId::DesignData)->control(D::kLdf);
    EXPECT_EQ(ldf->accessibleName(), "LANE DISTRIBUTION FACTOR");
    EXPECT_FALSE(ldf->toolTip().isEmpty());
}

}  // namespace
}  // namespace korvelle::testing
