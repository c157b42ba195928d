#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <initializer_list>

#include "core/materials.h"
#include "qt_fixture.h"
#include "ui/structure_screens.h"

namespace korvelle::testing {

// The structure screens, reached with the material lists filled and a
// required structural number of 3.44 in the record.
class StructureWindowsTest : public QtProgramTest {
protected:
    void SetUp() override {
        InitMaterialLists(record);
        record.requiredSn = 3.44f;
    }

    const StructureEntryScreen& Entry(ScreenId id) { return program.logic<StructureEntryScreen>(id); }
    const ResultScreen& Result(ScreenId id) { return program.logic<ResultScreen>(id); }

    QComboBox* List(ScreenId id, int row) { return qobject_cast<QComboBox*>(Window(id)->control(Entry(id).List(row))); }
    QScrollBar* Bar(ScreenId id, int row) {
        return qobject_cast<QScrollBar*>(Window(id)->control(Entry(id).Scroll(row)));
    }

    // Chooses a material in a row's list by its name, as the user picks it.
    void Choose(ScreenId id, int row, const QString& material) {
        QComboBox* list = List(id, row);
        ASSERT_NE(list, nullptr);
        const int position = list->findText(material);
        ASSERT_GE(position, 0) << material.toStdString();
        list->setCurrentIndex(position);
    }
    // Chooses a material and types the course's thickness over what was there.
    void Course(ScreenId id, int row, const QString& material, const QString& inches) {
        Choose(id, row, material);
        qobject_cast<QLineEdit*>(Window(id)->control(Entry(id).Thickness(row)))->clear();
        Type(id, Entry(id).Thickness(row), inches);
    }

    QString Cell(ScreenId id, int row, int cell) { return TextOf(id, ResultScreen::Cell(row, cell)); }
    // The nine cells of a result row, "" for cells the row does not have.
    std::vector<QString> Row(ScreenId id, int row) {
        std::vector<QString> cells;
        for (int c = 0; c < 9; ++c) cells.push_back(c < Result(id).CellsInRow(row) ? Cell(id, row, c) : QString());
        return cells;
    }

    // The texts of every label of a window, to find its fixed captions.
    QStringList Captions(ScreenId id) {
        QStringList texts;
        for (QLabel* label : Window(id)->findChildren<QLabel*>()) texts << label->text();
        return texts;
    }
    // The window's title, and captions that must be among its labels.
    void ExpectTitleAndCaptions(ScreenId id, const char* title, std::initializer_list<const char*> captions) {
        EXPECT_EQ(Window(id)->windowTitle(), title);
        const QStringList shown = Captions(id);
        for (const char* text : captions) EXPECT_TRUE(shown.contains(text)) << text;
    }

    // Chooses and types the courses (row, material, inches) and continues.
    struct CourseInput {
        int row;
        const char* material;
        const char* inches;
    };
    void EnterAndContinue(ScreenId id, std::initializer_list<CourseInput> courses) {
        program.Show(id);
        for (const CourseInput& course : courses) Course(id, course.row, course.material, course.inches);
        Click(id, Entry(id).ContinueButton());
    }

    // Full-depth example: 1.50 + 2.00 + 3.00 inches of asphalt on 8.00 of
    // graded aggregate base, continued to the result screen.
    void EnterFullDepthExample() {
        EnterAndContinue(ScreenId::FullDepthEntry, {{0, "12.5 mm Superpave", "1.50"},
                                                    {1, "19 mm Superpave", "2.00"},
                                                    {2, "25 mm Superpave", "3.00"},
                                                    {3, "Graded Aggregate Base", "8.00"}});
    }

    // Overlay example: 1.50 + 2.00 inches on 4.00 of asphaltic concrete over
    // 8.00 of graded aggregate base, continued to the result screen.
    void EnterOverlayExample() {
        EnterAndContinue(ScreenId::OverlayEntry, {{0, "12.5 mm Superpave", "1.50"},
                                                  {1, "19 mm Superpave", "2.00"},
                                                  {3, "Asphaltic Concrete", "4.00"},
                                                  {4, "Graded Aggregate Base", "8.00"}});
    }
};

}  // namespace korvelle::testing
