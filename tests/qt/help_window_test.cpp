#include "qt/help_window.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include "qt/form_preview.h"
#include "qt/qt_fixture.h"
#include "qt/sensitivity_window.h"
#include "ui/help_topics.h"

namespace korvelle::testing {
namespace {

QString Heading(ScreenId id) { return QString::fromUtf8(HelpHeading(id).data(), HelpHeading(id).size()); }

class HelpWindowTest : public QtProgramTest {
protected:
    void TearDown() override { HelpWindow::Instance().hide(); }
};

// F1 wherever the focus is in a screen's window, and its "?" button where it
// has one, open the guide with that screen's section heading at the top.
TEST_F(HelpWindowTest, F1AndHelpOnEveryScreenOpenTheGuideAtItsSection) {
    HelpWindow& help = HelpWindow::Instance();
    const QStringList headings = help.Headings();
    int buttons = 0;
    for (int i = 0; i < kScreenCount; ++i) {
        const auto id = static_cast<ScreenId>(i);
        SCOPED_TRACE(HelpHeading(id));
        ASSERT_TRUE(headings.contains(Heading(id)));
        program.Show(id);
        FormWindow* w = Window(id);
        ASSERT_NE(w, nullptr);
        QApplication::processEvents();

        help.hide();
        help.ShowSection("Keys");  // somewhere else first
        QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(focus, Qt::Key_F1);
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(help.CurrentHeading(), Heading(id));
        const QTextBlock at = help.browser()->textCursor().block();
        EXPECT_GT(at.blockFormat().headingLevel(), 0);
        EXPECT_EQ(at.text().trimmed(), Heading(id));

        const auto helpButtons = w->findChildren<QToolButton*>();
        for (QToolButton* button : helpButtons) {
            if (button->accessibleName() != "HELP") continue;
            ++buttons;
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);  // the Tab order stays the screen's own
            help.ShowSection("Keys");
            button->click();
            EXPECT_EQ(help.CurrentHeading(), Heading(id));
        }
        program.Hide(id);
    }
    // Every screen with a heading has its button beside it.
    EXPECT_GE(buttons, 10);
}

TEST_F(HelpWindowTest, F1TypesNothingIntoAField) {
    program.Show(ScreenId::ProjectInformation);
    auto* field = qobject_cast<QLineEdit*>(Window(ScreenId::ProjectInformation)->control(0));
    ASSERT_NE(field, nullptr);
    QApplication::setActiveWindow(Window(ScreenId::ProjectInformation));
    field->setFocus();
    QTest::keyClicks(field, "E2E");
    QTest::keyClick(field, Qt::Key_F1);
    QTest::keyClicks(field, "-101");
    EXPECT_EQ(field->text(), "E2E-101");
    EXPECT_EQ(HelpWindow::Instance().CurrentHeading(), "Project information");
}

TEST_F(HelpWindowTest, KeepsItsPlaceAndSizeWhileOpen) {
    HelpWindow& help = HelpWindow::Instance();
    help.ShowSection("Main menu");
    help.resize(500, 400);
    help.move(40, 30);
    const QRect before = help.geometry();
    help.ShowSection("FIT");
    EXPECT_EQ(help.geometry(), before);
    help.hide();
    help.ShowSection("Design data");
    EXPECT_EQ(help.geometry(), before);
    EXPECT_EQ(help.CurrentHeading(), "Design data");
}

TEST_F(HelpWindowTest, CtrlFFindsTheNextPlaceAndWrapsAround) {
    HelpWindow& help = HelpWindow::Instance();
    help.ShowSection("Main menu");
    QApplication::setActiveWindow(&help);
    QTest::keyClick(help.browser(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* find = help.findField();
    ASSERT_TRUE(find->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), find);
    find->setText("Underdesign");
    QTest::keyClick(find, Qt::Key_Return);
    const int first = help.browser()->textCursor().position();
    EXPECT_EQ(help.browser()->textCursor().selectedText(), "Underdesign");
    QTest::keyClick(find, Qt::Key_Return);
    const int second = help.browser()->textCursor().position();
    EXPECT_GT(second, first);
    QTest::keyClick(find, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(help.browser()->textCursor().position(), first);
    // From the end, the search starts again at the top.
    QTextCursor end(help.browser()->document());
    end.movePosition(QTextCursor::End);
    help.browser()->setTextCursor(end);
    EXPECT_TRUE(help.FindNext());
    EXPECT_LT(help.browser()->textCursor().position(), first);
    // Nothing found: the reader stays where they were.
    const int kept = help.browser()->textCursor().position();
    find->setText("no such words in the guide");
    EXPECT_FALSE(help.FindNext());
    EXPECT_EQ(help.browser()->textCursor().position(), kept);
    // Escape closes the find bar and gives the keyboard back to the text,
    // where the arrow keys and Page Down read on; a second Escape closes the
    // window.
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), help.browser());
    EXPECT_TRUE(help.isVisible());
    QTest::keyClick(help.browser(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

// A designer searches the guide for what the title bar says: each screen's
// section names its window's title as the window shows it.
TEST_F(HelpWindowTest, EachScreensSectionNamesItsWindowsTitle) {
    QFile guide(":/docs/user-guide.md");
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(guide.readAll()).split('\n');
    // The text from a heading to the next heading.
    auto section = [&lines](const QString& heading) {
        QString text;
        bool in = false;
        for (const QString& line : lines) {
            const bool isHeading = line.startsWith('#');
            if (isHeading && in) break;
            if (isHeading && line.section(' ', 1).trimmed() == heading) in = true;
            if (in) text += line + '\n';
        }
        return text;
    };
    const QString prefix = ScreenTitle("");
    auto name = [&prefix](const QString& title) { return title.startsWith(prefix) ? title.mid(prefix.size()) : title; };
    for (int i = 0; i < kScreenCount; ++i) {
        const auto id = static_cast<ScreenId>(i);
        SCOPED_TRACE(HelpHeading(id));
        program.view(id);
        const QString shown = name(Window(id)->windowTitle());
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_TRUE(section(Heading(id)).contains(shown)) << shown.toStdString();
    }
    QPrinter printer;
    FormPreview preview(printer, [](QtPage&) {}, [] { return false; });
    EXPECT_TRUE(section("Preview").contains(name(preview.windowTitle()))) << preview.windowTitle().toStdString();
    // A design the equation refuses everywhere still opens its chart.
    SensitivityWindow chart(ComputeSensitivity(DesignRecord{}, {}));
    EXPECT_TRUE(section(QString::fromUtf8(kSensitivityHelpHeading.data(), kSensitivityHelpHeading.size()))
                    .contains(name(chart.windowTitle())))
        << chart.windowTitle().toStdString();
}

// The guide is compiled in with every picture it shows, and links between
// its sections follow the usual heading anchors.
TEST_F(HelpWindowTest, TheGuideIsCompiledInWithItsPictures) {
    QFile guide(":/docs/user-guide.md");
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    int pictures = 0;
    for (qsizetype at = text.indexOf("](images/"); at >= 0; at = text.indexOf("](images/", at + 1)) {
        const QString name = text.mid(at + 2, text.indexOf(')', at) - at - 2);
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QFile::exists(":/docs/" + name));
        ++pictures;
    }
    EXPECT_GE(pictures, 10);
    EXPECT_EQ(HeadingSlug("Preview and printing"), "preview-and-printing");
    EXPECT_EQ(HeadingSlug("Fields, units and normal ranges"), "fields-units-and-normal-ranges");
    HelpWindow& help = HelpWindow::Instance();
    help.ShowSection("Main menu");
    emit help.browser()->anchorClicked(QUrl("#design-files"));
    EXPECT_EQ(help.CurrentHeading(), "Design files");
}

}  // namespace
}  // namespace korvelle::testing
