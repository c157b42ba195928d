#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "core/materials.h"
#include "qt/widgets.h"
#include "qt_fixture.h"
#include "ui/county_table.h"
#include "ui/data_screens.h"
#include "ui/worksheets.h"

namespace korvelle::testing {
namespace {

using D = DesignDataScreen;

class WorksheetWindowsTest : public QtProgramTest {
protected:
    void SetUp() override {
        InitMaterialLists(record);
        auto table = LoadCountyTable(nullptr, nullptr);
        ASSERT_TRUE(table.has_value());
        program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(*table);
        program.Show(ScreenId::DesignData);
    }

    // The fixed texts a window shows, in no particular order.
    QStringList LabelTexts(ScreenId id) {
        QStringList texts;
        for (QLabel* label : Window(id)->findChildren<QLabel*>()) texts.append(label->text());
        return texts;
    }

    // Opens a worksheet through its link on the design data screen.
    void Open(int link, ScreenId sheet) {
        Click(ScreenId::DesignData, link);
        ASSERT_TRUE(Visible(sheet));
        ASSERT_FALSE(Visible(ScreenId::DesignData));
    }
};

TEST_F(WorksheetWindowsTest, EsalWorksheetShowsAveragesAndHandsTheEntryBack) {
    Open(D::kEsalLink, ScreenId::EsalWorksheet);
    FormWindow* sheet = Window(ScreenId::EsalWorksheet);
    EXPECT_EQ(sheet->windowTitle(), "Flexible Pavement Design - 18-kip ESAL");

    const QStringList texts = LabelTexts(ScreenId::EsalWorksheet);
    for (const char* text : {"Type of Facility", "% S.U. Trucks", "% M.U. Trucks", "Average 18-Kip ESAL",
                             "Rural Interstate Routes", "Primary System",
                             "Heavy State Routes and Urban Interstate Routes", "Medium State Routes",
                             "Local Collector", "Light State Routes", "Secondary System and City Streets"}) {
        EXPECT_EQ(texts.count(text), 1) << text;  // each group named once, beside its rows
    }
    EXPECT_TRUE(texts.contains(
        "Note:  \"Heavy\" State Routes refers to routes having truck percentages of 15% or greater and/or traffic "
        "volumes exceeding 4,000 vpd.  \"Medium\" State Routes refers to routes having traffic volumes from "
        "3,000-4,000 vpd. "));
    EXPECT_TRUE(texts.contains("ENTER VALUE FOR ESAL"));
    EXPECT_EQ(sheet->findChildren<QPushButton*>().size(), 1);  // BACK

    // 0.40 single-unit and 1.50 multiple-unit: row i weighs the single-unit
    // factor by i/10, so the column falls by 0.11 a row.
    const char* expected[] = {"1.50", "1.39", "1.28", "1.17", "1.06", "0.95", "0.84", "0.73", "0.62", "0.51", "0.40"};
    for (int row = 0; row < EsalWorksheet::kRows; ++row) {
        EXPECT_EQ(TextOf(ScreenId::EsalWorksheet, EsalWorksheet::kFirstAverage + row), expected[row]) << row;
        QWidget* box = sheet->control(EsalWorksheet::kFirstAverage + row);
        EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(box->accessibleName().isEmpty());
    }

    auto* entry = qobject_cast<QLineEdit*>(sheet->control(EsalWorksheet::kEntry));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->accessibleName(), "ENTER VALUE FOR ESAL");
    EXPECT_FALSE(entry->toolTip().isEmpty());

    // Below the single-unit factor: refused, the worksheet stays.
    Type(ScreenId::EsalWorksheet, EsalWorksheet::kEntry, "0.3");
    Enter(ScreenId::EsalWorksheet, EsalWorksheet::kEntry);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Data is outside normal range");
    EXPECT_TRUE(Visible(ScreenId::EsalWorksheet));
    EXPECT_FALSE(Visible(ScreenId::DesignData));

    entry->clear();
    Type(ScreenId::EsalWorksheet, EsalWorksheet::kEntry, ".8");
    Enter(ScreenId::EsalWorksheet, EsalWorksheet::kEntry);
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(Visible(ScreenId::DesignData));
    EXPECT_FALSE(Visible(ScreenId::EsalWorksheet));
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRepresentativeEsal), "0.80");
    EXPECT_FLOAT_EQ(record.esal18, 0.8f);

    // A new opening takes the factors as they now stand and empties the entry.
    Window(ScreenId::DesignData)->SetText(D::kSingleUnitEsal, "0.50");
    Open(D::kEsalLink, ScreenId::EsalWorksheet);
    EXPECT_EQ(TextOf(ScreenId::EsalWorksheet, EsalWorksheet::kLastAverage), "0.50");
    EXPECT_EQ(TextOf(ScreenId::EsalWorksheet, EsalWorksheet::kFirstAverage + 5), "1.00");
    EXPECT_EQ(TextOf(ScreenId::EsalWorksheet, EsalWorksheet::kEntry), "");
}

TEST_F(WorksheetWindowsTest, LdfWorksheetShowsTheGuideAndHandsTheEntryBack) {
    Open(D::kLdfLink, ScreenId::LdfWorksheet);
    FormWindow* sheet = Window(ScreenId::LdfWorksheet);
    EXPECT_EQ(sheet->windowTitle(), "Flexible Pavement Design - Lane Distribution Factor");
    const QStringList texts = LabelTexts(ScreenId::LdfWorksheet);
    for (const char* text :
         {"The table below may be used as a guide for estimating the percentage of total trucks that are in the "
          "design lane:",
          "Facility", "Percent of trucks in design lane", "Four Lane Rural Freeway", "85-100",
          "Four Lane Urban Freeway", "Six Lane Rural Freeway", "70", "Six Lane Urban Freeway", "60",
          "Four Lane Rural Highway - Free Access", "70-100", "Four Lane Urban Highway - Free Access",
          "Two Lane Highways and Ramps", "100", "ENTER VALUE FOR LDF"}) {
        EXPECT_TRUE(texts.contains(text)) << text;
    }
    EXPECT_EQ(texts.count("60-80"), 2);
    EXPECT_EQ(sheet->findChildren<QPushButton*>().size(), 1);  // BACK
    EXPECT_EQ(sheet->control(LdfWorksheet::kEntry)->accessibleName(), "ENTER VALUE FOR LDF");

    Type(ScreenId::LdfWorksheet, LdfWorksheet::kEntry, "101");
    Enter(ScreenId::LdfWorksheet, LdfWorksheet::kEntry);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(Visible(ScreenId::LdfWorksheet));

    qobject_cast<QLineEdit*>(sheet->control(LdfWorksheet::kEntry))->clear();
    Type(ScreenId::LdfWorksheet, LdfWorksheet::kEntry, "0.5");
    Enter(ScreenId::LdfWorksheet, LdfWorksheet::kEntry);
    EXPECT_TRUE(Visible(ScreenId::DesignData));
    EXPECT_FALSE(Visible(ScreenId::LdfWorksheet));
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kLdf), ".5");
    EXPECT_FLOAT_EQ(record.ldf, 0.5f);

    // The entry is kept for the next visit.
    Open(D::kLdfLink, ScreenId::LdfWorksheet);
    EXPECT_EQ(TextOf(ScreenId::LdfWorksheet, LdfWorksheet::kEntry), "0.5");
}

TEST_F(WorksheetWindowsTest, CountyWorksheetListsTheTableAndCopiesTheChosenValues) {
    Open(D::kCountyLink, ScreenId::CountyWorksheet);
    FormWindow* sheet = Window(ScreenId::CountyWorksheet);
    EXPECT_EQ(sheet->windowTitle(), "Flexible Pavement Design - County Data");
    const QStringList texts = LabelTexts(ScreenId::CountyWorksheet);
    for (const char* text :
         {"RECOMMENDED SOIL SUPPORT AND REGIONAL FACTOR",
          "Select a county from the list below - the recommended Soil Support Value and Regional Factor will appear "
          "in the boxes to the right",
          "Soil Support", "Regional Factor", "CAUTION:",
          "Recommended Soil Support numbers are intended to be used for preliminary design only.  Actual measured "
          "Soil Support values reported by ZOR should be used whenever possible.",
          "Note:  Regional Factors may vary slightly from those shown on the state map published by ZOR.  For "
          "comparison, a difference of 0.2 in the RF results in a difference of approximately 5 mm in the required "
          "thickness of asphaltic concrete.  The higher the RF, the higher the required structural value."}) {
        EXPECT_TRUE(texts.contains(text)) << text;
    }
    auto* accept = qobject_cast<QPushButton*>(sheet->control(CountyWorksheet::kAccept));
    ASSERT_NE(accept, nullptr);
    EXPECT_EQ(accept->text(), "ACCEPT THE ABOVE VALUES AND RETURN TO DESIGN SCREEN");
    EXPECT_EQ(sheet->control(CountyWorksheet::kSoilSupport)->accessibleName(), "Soil Support");
    EXPECT_EQ(sheet->control(CountyWorksheet::kRegionalFactor)->accessibleName(), "Regional Factor");

    // The names in table order, not sorted, nothing chosen.
    auto* list = qobject_cast<QListWidget*>(sheet->control(CountyWorksheet::kList));
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->accessibleName().isEmpty());
    const auto& table = program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).table();
    ASSERT_EQ(list->count(), 176);
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->text().toStdString(), table[i].name) << i;
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());

    // Taking the keyboard focus chooses nothing by itself.
    sheet->activateWindow();
    list->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kSoilSupport), "");
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kRegionalFactor), "");

    // Arrow keys move the selection and the boxes follow.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kSoilSupport), "4.0");
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kRegionalFactor), "1.6");
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentRow(), 175);
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kSoilSupport), "3.5");
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kRegionalFactor), "1.4");

    // A click on the first entry.
    list->scrollToTop();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kSoilSupport), "4.0");
    EXPECT_EQ(TextOf(ScreenId::CountyWorksheet, CountyWorksheet::kRegionalFactor), "1.6");

    Click(ScreenId::CountyWorksheet, CountyWorksheet::kAccept);
    EXPECT_TRUE(Visible(ScreenId::DesignData));
    EXPECT_FALSE(Visible(ScreenId::CountyWorksheet));
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kSoilSupport), "4.0");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRegionalFactor), "1.6");

    // Reopened: the choice is still there, and a typed value is what goes back.
    Open(D::kCountyLink, ScreenId::CountyWorksheet);
    EXPECT_EQ(list->currentRow(), 0);
    auto* regional = qobject_cast<QLineEdit*>(sheet->control(CountyWorksheet::kRegionalFactor));
    regional->clear();
    Type(ScreenId::CountyWorksheet, CountyWorksheet::kRegionalFactor, "1.9");
    Click(ScreenId::CountyWorksheet, CountyWorksheet::kAccept);
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kSoilSupport), "4.0");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRegionalFactor), "1.9");
}

TEST_F(WorksheetWindowsTest, CloseBoxOfAWorksheetReturnsToTheDesignData) {
    Window(ScreenId::DesignData)->SetText(D::kRepresentativeEsal, "1.20");
    for (auto [link, sheet] : {std::pair{D::kEsalLink, ScreenId::EsalWorksheet},
                               std::pair{D::kLdfLink, ScreenId::LdfWorksheet},
                               std::pair{D::kCountyLink, ScreenId::CountyWorksheet}}) {
        Open(link, sheet);
        // The close box returns through the logic: the close itself is refused.
        EXPECT_FALSE(Window(sheet)->close());
        QApplication::processEvents();
        EXPECT_TRUE(Visible(ScreenId::DesignData)) << static_cast<int>(sheet);
        EXPECT_FALSE(Visible(sheet)) << static_cast<int>(sheet);
    }
    // Closing hands nothing back.
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRepresentativeEsal), "1.20");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kSoilSupport), "");
}

// Every worksheet has its heading with "?" beside it, and BACK: named, the
// last of the Tab chain, pressed by Escape wherever the focus is, and back on
// the design data screen with nothing handed back.
TEST_F(WorksheetWindowsTest, BackAndEscapeReturnWithNothingHandedBack) {
    Window(ScreenId::DesignData)->SetText(D::kLdf, "90.0");
    Window(ScreenId::DesignData)->SetText(D::kRepresentativeEsal, "1.20");
    struct Case {
        int link;
        ScreenId sheet;
        int typed;  // a field typed into before leaving
        int beforeBack;  // the control Tab moves from onto BACK
        int back;
    };
    const Case cases[] = {
        {D::kEsalLink, ScreenId::EsalWorksheet, EsalWorksheet::kEntry, EsalWorksheet::kEntry, EsalWorksheet::kBack},
        {D::kLdfLink, ScreenId::LdfWorksheet, LdfWorksheet::kEntry, LdfWorksheet::kEntry, LdfWorksheet::kBack},
        {D::kCountyLink, ScreenId::CountyWorksheet, CountyWorksheet::kSoilSupport, CountyWorksheet::kAccept,
         CountyWorksheet::kBack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.sheet));
        Open(c.link, c.sheet);
        FormWindow* sheet = Window(c.sheet);
        QApplication::setActiveWindow(sheet);

        bool heading = false;
        for (QLabel* label : sheet->findChildren<QLabel*>()) heading |= label->property(kHeadingProperty).toBool();
        EXPECT_TRUE(heading);
        int help = 0;
        for (QToolButton* button : sheet->findChildren<QToolButton*>()) help += button->accessibleName() == "HELP";
        EXPECT_EQ(help, 1);

        auto* back = qobject_cast<QPushButton*>(sheet->control(c.back));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->text(), "BACK");
        EXPECT_EQ(back->accessibleName(), "BACK");
        sheet->control(c.beforeBack)->setFocus();
        QTest::keyClick(sheet->control(c.beforeBack), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), back);

        // Escape from a field with a value typed in it.
        Type(c.sheet, c.typed, "1.1");
        QTest::keyClick(sheet->control(c.typed), Qt::Key_Escape);
        EXPECT_TRUE(Visible(ScreenId::DesignData));
        EXPECT_FALSE(Visible(c.sheet));
        EXPECT_EQ(TextOf(c.sheet, c.typed), "");

        // BACK pressed with the keyboard.
        Open(c.link, c.sheet);
        QApplication::setActiveWindow(sheet);
        Type(c.sheet, c.typed, "1.3");
        back->setFocus();
        QTest::keyClick(back, Qt::Key_Space);
        EXPECT_TRUE(Visible(ScreenId::DesignData));
        EXPECT_FALSE(Visible(c.sheet));
        EXPECT_EQ(TextOf(c.sheet, c.typed), "");
    }
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kLdf), "90.0");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRepresentativeEsal), "1.20");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kSoilSupport), "");
    EXPECT_EQ(TextOf(ScreenId::DesignData, D::kRegionalFactor), "");
}

}  // namespace
}  // namespace korvelle::testing
