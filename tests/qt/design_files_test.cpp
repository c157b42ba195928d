#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSysInfo>
#include <unistd.h>
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

void WriteAll(const QString& file, const std::string& text) {
    QFile f(file);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(text.data(), static_cast<qint64>(text.size()));
}

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
    FileStamp stamp;
    ASSERT_EQ(store.Write(file.toStdString(), good, stamp), "");
    std::string failure;
    {
        FileSizeLimit full(1024);
        failure = store.Write(file.toStdString(), std::string(5000, 'n'), stamp);
    }
    EXPECT_NE(failure.find("File too large"), std::string::npos) << failure;
    EXPECT_EQ(Contents(file).toStdString(), good);
    EXPECT_EQ(QDir(home.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"design.korvelle"});
    // A folder that is gone says so too.
    failure = store.Write(home.Path("gone/design.korvelle").toStdString(), good, stamp);
    EXPECT_NE(failure.find("No such file or directory"), std::string::npos) << failure;
}

TEST_F(DesignFilesTest, AFileChangedOnTheDiskIsToldFromOneOnlyTouched) {
    const std::string file = home.Path("design.korvelle").toStdString();
    FileStamp written;
    ASSERT_EQ(store.Write(file, "{}\n", written), "");
    EXPECT_EQ(written.size, 3u);
    EXPECT_EQ(written.hash.size(), 64u);  // SHA-256, in hexadecimal
    EXPECT_EQ(store.Stamp(file), written);
    // Touched: a later time, the same bytes.
    QFile touched(QString::fromStdString(file));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    touched.close();
    const std::optional<FileStamp> later = store.Stamp(file);
    ASSERT_TRUE(later);
    EXPECT_NE(later->modified, written.modified);
    EXPECT_TRUE(later->SameContent(written));
    // Written by another program, the same size: other bytes.
    WriteAll(QString::fromStdString(file), "[]\n");
    EXPECT_FALSE(store.Stamp(file)->SameContent(written));
    EXPECT_FALSE(store.Stamp(home.Path("missing.korvelle").toStdString()));
}

TEST_F(DesignFilesTest, TheLockTellsAnotherKorvelleAndALockOfAProcessThatIsGoneIsTakenOver) {
    const std::string design = home.Path("design.korvelle").toStdString();
    const QString lockFile = home.Path(".design.korvelle.lock");
    QtDesignStore other;  // another Korvelle
    EXPECT_FALSE(other.Lock(design));
    EXPECT_TRUE(QFile::exists(lockFile));
    const std::optional<LockHolder> holder = store.Lock(design);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->process, QCoreApplication::applicationPid());
    EXPECT_EQ(QString::fromStdString(holder->host), QSysInfo::machineHostName());
    other.Unlock();
    EXPECT_FALSE(QFile::exists(lockFile));
    EXPECT_FALSE(store.Lock(design));  // free now
    store.Unlock();

    // The lock of a process that has ended, as a crash leaves it.
    QProcess ended;
    ended.start("sh", {"-c", "exit 0"});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 gone = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    WriteAll(lockFile, QString("%1\nkorvelle\n%2\n").arg(gone).arg(QSysInfo::machineHostName()).toStdString());
    EXPECT_FALSE(other.Lock(design));
    EXPECT_TRUE(store.Lock(design));  // taken over, and held by `other` now

    // A folder no lock can be made in: the design opens without one.
    const QString readOnly = home.Path("read-only");
    ASSERT_TRUE(QDir().mkpath(readOnly));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_FALSE(store.Lock((readOnly + "/design.korvelle").toStdString()));
    }
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(DesignFilesTest, ARecoveryCopyIsOfferedOnlyOnceItsRunHasEnded) {
    auto copies = [] { return QDir(QtDesignStore::RecoveryFolder()).entryList({"*.korvelle"}, QDir::Files); };
    std::string id;
    {
        QtDesignStore crashed;  // a run that will end
        crashed.WriteRecovery("first");
        crashed.WriteRecovery("second");  // replaces its own copy
        ASSERT_EQ(copies().size(), 1);
        EXPECT_TRUE(store.LeftRecoveries().empty());  // its run is still going
    }
    std::vector<LeftRecovery> left = store.LeftRecoveries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].text, "second");
    QtDesignStore another;
    EXPECT_TRUE(another.LeftRecoveries().empty());  // this run holds it while it asks
    store.KeepRecoveryForLater(left[0].id);
    left = another.LeftRecoveries();
    ASSERT_EQ(left.size(), 1u);
    another.DiscardRecovery(left[0].id);
    EXPECT_TRUE(copies().isEmpty());

    // A run's own copy goes when its design is saved.
    store.WriteRecovery("mine");
    EXPECT_EQ(copies().size(), 1);
    store.RemoveRecovery();
    EXPECT_TRUE(copies().isEmpty());
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
