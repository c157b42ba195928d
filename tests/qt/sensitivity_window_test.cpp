#include "qt/sensitivity_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QXYSeries>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <map>

#include "core/number_format.h"
#include "print_support.h"
#include "qt/help_window.h"
#include "qt_fixture.h"
#include "ui/county_table.h"
#include "ui/design_rules.h"
#include "ui/help_topics.h"
#include "ui/startup_screens.h"

namespace korvelle::testing {
namespace {

// The example design of docs/design-file.md, its full-depth structure of SN
// 3.86 drawn across the curves.
Sensitivity ExampleSensitivity() {
    const DesignFileReading reading =
        ReadDesignFile(std::string(KORVELLE_SOURCE_DIR) + "/data/examples/full-depth.korvelle");
    const CheckedDesign design = CheckDesign(std::get<DesignFile>(reading), *LoadCountyTable(nullptr, nullptr));
    const StructureLine line{"Accepted: full-depth", 3.86f};
    return ComputeSensitivity(design.record, std::span(&line, 1));
}

// A window whose save dialog and disk the test answers for.
class ScriptedSensitivityWindow : public SensitivityWindow {
public:
    using SensitivityWindow::SensitivityWindow;
    std::optional<PictureFile> chosen;  // what the save dialog gives back; nothing: cancelled
    QStringList offered;
    std::function<std::unique_ptr<QSaveFile>(const QString&)> saveFile;

protected:
    std::optional<PictureFile> ChoosePictureFile(const QString& offer) override {
        offered << offer;
        return chosen;
    }
    std::unique_ptr<QSaveFile> SaveFile(const QString& target) override {
        return saveFile ? saveFile(target) : SensitivityWindow::SaveFile(target);
    }
};

class SensitivityWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    static QByteArray Contents(const QString& file) { return FileContents(file); }

    TemporaryHome home;
    Sensitivity sensitivity = ExampleSensitivity();
    ScriptedSensitivityWindow window{sensitivity};
};

// The points a chart draws for each curve, by the curve's name in the
// legend: a curve in several pieces is one.
std::map<QString, QList<QPointF>> CurvesDrawn(QChart* chart) {
    std::map<QString, QList<QPointF>> curves;
    for (QAbstractSeries* series : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (!line || line->pen().style() != Qt::SolidLine) continue;
        curves[line->name()] += line->points();
    }
    return curves;
}

TEST_F(SensitivityWindowTest, TheChartsDrawTheSeriesAndTheTableHoldsTheSameNumbers) {
    EXPECT_EQ(window.windowTitle(), "Flexible Pavement Design - Sensitivity");
    QTabWidget* tabs = window.tabs();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "SOIL SUPPORT");
    EXPECT_EQ(tabs->tabText(1), "DESIGN LOADING");
    EXPECT_EQ(tabs->tabText(2), "TABLE");

    // Each curve draws every point the series has a required SN for.
    for (const SensitivityChart* data : {&sensitivity.soil, &sensitivity.loading}) {
        SCOPED_TRACE(data->Title());
        QChartView* view = window.chartView(data->axis);
        EXPECT_EQ(view->chart()->title().toStdString(), data->Title());
        EXPECT_EQ(view->accessibleDescription().toStdString(), data->Description());
        EXPECT_FALSE(view->accessibleName().isEmpty());
        const auto drawn = CurvesDrawn(view->chart());
        ASSERT_EQ(drawn.size(), data->curves.size());
        for (const SensitivityCurve& curve : data->curves) {
            QList<QPointF> expected;
            for (const SensitivityPoint& point : curve.points) {
                if (point.requiredSn) expected << QPointF(point.x, *point.requiredSn);
            }
            auto found = std::find_if(drawn.begin(), drawn.end(), [&](const auto& entry) {
                return entry.first.contains(QString::fromStdString(curve.Name()));
            });
            ASSERT_NE(found, drawn.end()) << curve.Name();
            EXPECT_EQ(found->second, expected) << curve.Name();
        }
        // The accepted structure's line, labelled with how far it meets the
        // required SN, and the design's own point.
        QStringList names;
        for (QLegendMarker* marker : view->chart()->legend()->markers()) {
            if (marker->isVisible()) names << marker->label();
        }
        EXPECT_TRUE(names.contains("Accepted: full-depth, SN 3.86")) << names.join(" | ").toStdString();
        QStringList texts;
        for (QGraphicsItem* item : view->scene()->items()) {
            if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) texts << text->text();
        }
        EXPECT_TRUE(texts.contains(QString::fromStdString(data->lines.at(0).Label(data->soil()))))
            << texts.join(" | ").toStdString();
        EXPECT_TRUE(names.contains(data->soil() ? "The design: SN 3.44 at soil support 4"
                                                : "The design: SN 3.44 at 1,000,100"))
            << names.join(" | ").toStdString();
    }

    // The table: the same numbers as the charts' series, row by row.
    QTableWidget* soil = window.soilTable();
    ASSERT_EQ(soil->rowCount(), 96);
    ASSERT_EQ(soil->columnCount(), 6);
    EXPECT_EQ(soil->horizontalHeaderItem(1)->text(), "RF 1.0 (design)");
    for (int row = 0; row < soil->rowCount(); ++row) {
        EXPECT_EQ(soil->item(row, 0)->text().toStdString(), sensitivity.soil.curves[0].points[row].typed);
        for (int c = 0; c < 5; ++c) {
            const SensitivityPoint& point = sensitivity.soil.curves[c].points[row];
            EXPECT_EQ(soil->item(row, c + 1)->text().toStdString(), FormatNumber(*point.requiredSn, "0.00"));
        }
    }
    EXPECT_EQ(soil->item(35, 0)->text(), "4.0");
    EXPECT_EQ(soil->item(35, 1)->text(), "3.44");
    QTableWidget* loading = window.loadingTable();
    ASSERT_EQ(loading->rowCount(), 991);
    EXPECT_EQ(loading->item(90, 0)->text(), "1.00");
    EXPECT_EQ(loading->item(90, 1)->text(), "1,000,100");
    EXPECT_EQ(loading->item(90, 2)->text(), "3.44");
    QTableWidget* structures = window.structureTable();
    ASSERT_EQ(structures->rowCount(), 1);
    EXPECT_EQ(structures->item(0, 0)->text(), "Accepted: full-depth");
    EXPECT_EQ(structures->item(0, 1)->text(), "3.86");
    EXPECT_EQ(structures->item(0, 2)->text(), "down to soil support 3.2");
    EXPECT_EQ(structures->item(0, 3)->text(), "up to a design loading of 2,000,200");

    // Every control a user reaches carries a name.
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool control = (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QTableWidget*>(w->parentWidget())) ||
                             qobject_cast<QTableWidget*>(w) || qobject_cast<QChartView*>(w) ||
                             qobject_cast<QTabWidget*>(w);
        if (control) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
}

// Resting the mouse on a curve shows the value of its nearest point; on the
// design's point, what it is.
TEST_F(SensitivityWindowTest, TheToolTipTellsTheValueUnderTheMouse) {
    QChartView* view = window.chartView(SensitivityAxis::SoilSupport);
    auto tipAt = [view](QAbstractSeries* series, QPointF at) {
        emit static_cast<QXYSeries*>(series)->hovered(at, true);
        const QPoint middle = view->viewport()->rect().center();
        QHelpEvent help(QEvent::ToolTip, middle, view->viewport()->mapToGlobal(middle));
        QApplication::sendEvent(view->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QAbstractSeries* design = nullptr;
    QAbstractSeries* point = nullptr;
    for (QAbstractSeries* series : view->chart()->series()) {
        if (series->name() == "RF 1.0 (the design's)" && !design) design = series;
        if (series->name().startsWith("The design")) point = series;
    }
    ASSERT_TRUE(design && point);
    const SensitivityPoint& six = sensitivity.soil.curves[0].points[55];
    ASSERT_EQ(six.typed, "6.0");
    EXPECT_EQ(tipAt(design, QPointF(6.02, 2.6)).toStdString(),
              "RF 1.0, soil support 6.0: required SN " + FormatNumber(*six.requiredSn, "0.00"));
    EXPECT_EQ(tipAt(point, QPointF(4.0, 3.44)), "The design: SN 3.44 at soil support 4");
    emit static_cast<QXYSeries*>(point)->hovered(QPointF(4.0, 3.44), false);  // the mouse leaves it
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST_F(SensitivityWindowTest, SavePictureWritesThePngOrSvgOfTheChartShown) {
    const QString png = home.Path("soil.png");
    ASSERT_TRUE(window.SavePicture({png, PictureFormat::Png}));
    EXPECT_EQ(window.status()->text(), "Picture saved as " + png);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.chartView(SensitivityAxis::SoilSupport)->size() * 2);
    // Not blank: the corner (white) and the middle of the picture differ
    // somewhere along its middle line.
    bool drawn = false;
    for (int x = 0; x < image.width() && !drawn; ++x) drawn = image.pixel(x, image.height() / 2) != image.pixel(0, 0);
    EXPECT_TRUE(drawn);

    window.tabs()->setCurrentIndex(SensitivityWindow::kLoadingTab);
    const QString svg = home.Path("loading.svg");
    ASSERT_TRUE(window.SavePicture({svg, PictureFormat::Svg}));
    const QByteArray drawing = Contents(svg);
    EXPECT_TRUE(drawing.contains("<title>Required SN against the design loading</title>"));
    EXPECT_TRUE(drawing.contains("1,000,100"));  // the design's own point named
    QSvgRenderer renderer(drawing);
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(FilesIn(home.Path("")), (QStringList{"loading.svg", "soil.png"}));  // nothing left over

    // Through the button: the dialog offers the chart's name in the
    // documents folder; a name without a suffix takes the filter's format.
    window.chosen = PictureFileFor(home.Path("chart"), PictureFormat::Svg);
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    ASSERT_EQ(window.offered.size(), 1);
    EXPECT_TRUE(window.offered[0].endsWith("/Documents/sensitivity-design-loading.png"))
        << window.offered[0].toStdString();
    EXPECT_TRUE(Contents(home.Path("chart.svg")).startsWith("<?xml"));
    // Cancelled: nothing written, the line as it was.
    window.chosen.reset();
    const QString before = window.status()->text();
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_EQ(window.status()->text(), before);
    // The table holds no chart to save.
    window.tabs()->setCurrentIndex(SensitivityWindow::kTableTab);
    EXPECT_FALSE(window.saveButton()->isEnabled());
}

TEST_F(SensitivityWindowTest, AFailedWriteKeepsTheEarlierFileAndSaysWhy) {
    const QString png = home.Path("soil.png");
    ASSERT_TRUE(window.SavePicture({png, PictureFormat::Png}));
    const QByteArray good = Contents(png);

    // Room for a part of the picture: the system takes what fits, then refuses.
    window.saveFile = [](const QString& target) { return std::make_unique<FillingSaveFile>(target, 1000); };
    EXPECT_FALSE(window.SavePicture({png, PictureFormat::Png}));
    EXPECT_EQ(window.status()->text(), "Picture not saved: writing the file failed: No space left on device (" + png +
                                           ", the earlier file unchanged).");
    EXPECT_EQ(Contents(png), good);
    EXPECT_EQ(FilesIn(home.Path("")), QStringList{"soil.png"});

    // A folder that is not there: no file, and no earlier one to keep.
    window.saveFile = nullptr;
    const QString nowhere = home.Path("no such folder/soil.svg");
    EXPECT_FALSE(window.SavePicture({nowhere, PictureFormat::Svg}));
    EXPECT_TRUE(window.status()->text().startsWith("Picture not saved: no new file can be made in the folder "))
        << window.status()->text().toStdString();
    EXPECT_TRUE(window.status()->text().endsWith("(" + nowhere + ").")) << window.status()->text().toStdString();
}

TEST_F(SensitivityWindowTest, EscapeClosesAndF1OpensTheGuideAtItsSection) {
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    HelpWindow& help = HelpWindow::Instance();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.CurrentHeading().toStdString(), kSensitivityHelpHeading);
    help.hide();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(PictureFile, TheSuffixDecidesElseTheFilter) {
    struct Case {
        const char* chosen;
        PictureFormat filter;
        const char* path;
        PictureFormat format;
    };
    const Case cases[] = {
        {"/a/chart.png", PictureFormat::Svg, "/a/chart.png", PictureFormat::Png},
        {"/a/chart.SVG", PictureFormat::Png, "/a/chart.SVG", PictureFormat::Svg},
        {"/a/chart", PictureFormat::Svg, "/a/chart.svg", PictureFormat::Svg},
        {"/a/chart", PictureFormat::Png, "/a/chart.png", PictureFormat::Png},
        {"/a/chart.pdf", PictureFormat::Png, "/a/chart.pdf.png", PictureFormat::Png},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        const PictureFile file = PictureFileFor(c.chosen, c.filter);
        EXPECT_EQ(file.path, c.path);
        EXPECT_EQ(file.format, c.format);
    }
}

// The main menu's SENSITIVITY... button (Ctrl+G) opens the chart of the
// design through the desktop's display.
class RecordingDisplay : public QtSensitivityDisplay {
public:
    std::vector<QString> titles;
    std::vector<int> rows;

protected:
    void Show(SensitivityWindow& window) override {
        titles.push_back(window.windowTitle());
        rows.push_back(window.soilTable()->rowCount());
    }
};

class SensitivityButtonTest : public QtProgramTest {};

TEST_F(SensitivityButtonTest, TheMainMenusButtonOpensTheChart) {
    const DesignFileReading reading =
        ReadDesignFile(std::string(KORVELLE_SOURCE_DIR) + "/data/examples/full-depth.korvelle");
    record = CheckDesign(std::get<DesignFile>(reading), *LoadCountyTable(nullptr, nullptr)).record;
    RecordingDisplay display;
    program.logic<MainMenu>(ScreenId::MainMenu).SetSensitivityDisplay(&display);
    program.Show(ScreenId::MainMenu);
    QWidget* button = Window(ScreenId::MainMenu)->control(MainMenu::kSensitivity);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), "SENSITIVITY");
    EXPECT_EQ(qobject_cast<QPushButton*>(button)->text(), "SENSITIVITY...");
    // In the Tab chain, after OPEN DESIGN...
    EXPECT_EQ(Window(ScreenId::MainMenu)->control(MainMenu::kOpen)->nextInFocusChain(), button);
    Click(ScreenId::MainMenu, MainMenu::kSensitivity);
    QApplication::setActiveWindow(Window(ScreenId::MainMenu));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window(ScreenId::MainMenu)));
    QTest::keyClick(Window(ScreenId::MainMenu), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(display.titles, (std::vector<QString>{"Flexible Pavement Design - Sensitivity",
                                                    "Flexible Pavement Design - Sensitivity"}));
    EXPECT_EQ(display.rows, (std::vector<int>{96, 96}));
}

}  // namespace
}  // namespace korvelle::testing
