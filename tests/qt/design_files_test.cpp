#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QTest>

#include "print_support.h"
#include "qt/qt_design_store.h"
#include "qt_fixture.h"
#include "ui/design_document.h"
#include "ui/print_screen.h"
#include "ui/startup_screens.h"

namespace korvelle::testing {
namespace {

// The desktop's design files with the dialogs answered by the test.
class ScriptedStore : public QtDesignStore {
public:
    QString saveAs;  // what the save dialog gives back; empty: cancelled
    QString open;    // what the open dialog gives back
    QStringList offered;
    QStringList openedIn;

protected:
    QString SaveDialog(const QString& offered_) override {
        offered << offered_;
        return saveAs;
    }
    QString OpenDialog(const QString& folder) override {
        openedIn << folder;
        return open;
    }
};

QByteArray Contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DesignFilesTest : public QtProgramTest {
protected:
    DesignFilesTest() { program.document().SetStore(&store); }
    // Keys go to the window that has the focus, as a window manager gives it.
    static bool Activate(QWidget* w) {
        QApplication::setActiveWindow(w);
        return QTest::qWaitForWindowActive(w);
    }
    TemporaryHome home;
    ScriptedStore store;
};

TEST_F(DesignFilesTest, TheDialogsStartInTheDocumentsFolderThenTheFolderUsedLast) {
    store.saveAs = home.Path("projects/a.korvelle");
    ASSERT_TRUE(QDir().mkpath(home.Path("projects")));
    EXPECT_EQ(store.ChooseSaveFile("STP-1.korvelle"), home.Path("projects/a.korvelle").toStdString());
    EXPECT_EQ(store.offered, QStringList{home.Path("Documents/STP-1.korvelle")});
    store.open = home.Path("projects/a.korvelle");
    store.ChooseOpenFile();
    EXPECT_EQ(store.openedIn, QStringList{home.Path("projects")});
    EXPECT_EQ(QString::fromStdString(store.Now()).size(), 20);  // 2026-12-09T10:15:00Z
}

TEST_F(DesignFilesTest, AWriteThatFailsKeepsTheEarlierFileByteForByteAndSaysWhy) {
    const QString file = home.Path("design.korvelle");
    const std::string good(3000, 'g');
    ASSERT_EQ(store.Write(file.toStdString(), good), "");
    std::string failure;
    {
        FileSizeLimit full(1024);
        failure = store.Write(file.toStdString(), std::string(5000, 'n'));
    }
    EXPECT_NE(failure.find("File too large"), std::string::npos) << failure;
    EXPECT_EQ(Contents(file).toStdString(), good);
    EXPECT_EQ(QDir(home.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"design.korvelle"});
    // A folder that is gone says so too.
    failure = store.Write(home.Path("gone/design.korvelle").toStdString(), good);
    EXPECT_NE(failure.find("No such file or directory"), std::string::npos) << failure;
}

TEST_F(DesignFilesTest, SaveAndOpenButtonsAreNamedInTheTabChainAndOnTheirKeys) {
    record = DesignRecord();
    program.Start();
    FormWindow* start = Window(ScreenId::Startup);
    EXPECT_EQ(start->control(StartupScreen::kOpen)->accessibleName(), "OPEN DESIGN...");
    store.open.clear();
    ASSERT_TRUE(Activate(start));
    QTest::keyClick(start, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(store.openedIn.size(), 1);

    program.Show(ScreenId::MainMenu);
    FormWindow* menu = Window(ScreenId::MainMenu);
    for (auto [control, name] : {std::pair{int(MainMenu::kSave), "SAVE DESIGN"}, std::pair{int(MainMenu::kSaveAs), "SAVE AS..."},
                                 std::pair{int(MainMenu::kOpen), "OPEN DESIGN..."}}) {
        QWidget* button = menu->control(control);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->accessibleName(), name);
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << name;
    }
    ASSERT_TRUE(Activate(menu));
    menu->control(MainMenu::kContinue)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), menu->control(MainMenu::kSave));
    EXPECT_EQ(TextOf(ScreenId::MainMenu, MainMenu::kFileStatus), "Design file: not saved yet");

    store.saveAs = home.Path("Documents/menu.korvelle");
    QTest::keyClick(menu, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(home.Path("Documents/menu.korvelle")));
    EXPECT_EQ(TextOf(ScreenId::MainMenu, MainMenu::kFileStatus),
              "Design file: " + home.Path("Documents/menu.korvelle"));

    program.Show(ScreenId::FullDepthPrint);
    FormWindow* print = Window(ScreenId::FullDepthPrint);
    ASSERT_TRUE(Activate(print));
    EXPECT_EQ(print->control(PrintScreen::kSave)->accessibleName(), "SAVE DESIGN");
    EXPECT_EQ(print->control(PrintScreen::kSaveAs)->accessibleName(), "SAVE AS...");
    store.saveAs = home.Path("Documents/print.korvelle");
    QTest::keyClick(print, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QFile::exists(home.Path("Documents/print.korvelle")));
    EXPECT_EQ(TextOf(ScreenId::FullDepthPrint, PrintScreen::kStatus),
              "Design saved as " + home.Path("Documents/print.korvelle"));
}

}  // namespace
}  // namespace korvelle::testing
