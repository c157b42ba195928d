#include <QImage>
#include <algorithm>
#include <cmath>
#include <QLineEdit>
#include <string>
#include <tuple>
#include <vector>

#include "qt/cross_section.h"
#include "structure_fixture.h"

namespace korvelle::testing {
namespace {

constexpr ScreenId kFullDepthEntry = ScreenId::FullDepthEntry;
constexpr ScreenId kFullDepth = ScreenId::FullDepthResult;
constexpr ScreenId kOverlayEntry = ScreenId::OverlayEntry;
constexpr ScreenId kOverlay = ScreenId::OverlayResult;

using Cells = std::vector<QString>;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class ResultWindowsTest : public StructureWindowsTest {
protected:
    CrossSectionView* Drawing(ScreenId id) {
        for (QWidget* child : Window(id)->findChildren<QWidget*>()) {
            if (auto* view = dynamic_cast<CrossSectionView*>(child)) return view;
        }
        return nullptr;
    }
    QLabel* CellLabel(ScreenId id, int row, int cell) {
        return qobject_cast<QLabel*>(Window(id)->control(ResultScreen::Cell(row, cell)));
    }
    // True when the drawing shows nothing but its background.
    bool Blank(ScreenId id) {
        const QImage image = Drawing(id)->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background) return false;
            }
        }
        return true;
    }
};

// A band of the drawing: material, height in inches, coefficient.
using Band = std::tuple<std::string, double, std::string>;
using Bands = std::vector<Band>;

Bands BandsOf(const CrossSectionModel& model) {
    Bands bands;
    for (const CrossSectionLayer& layer : model.layers) {
        bands.emplace_back(layer.material.toStdString(), layer.inches, layer.coefficient.toStdString());
    }
    return bands;
}

TEST_F(ResultWindowsTest, FullDepthResultShowsTheEvaluatedCourses) {
    EnterFullDepthExample();
    EXPECT_TRUE(desktop.messages.empty());
    ASSERT_TRUE(Visible(kFullDepth));
    EXPECT_FALSE(Visible(kFullDepthEntry));
    const ResultScreen& s = Result(kFullDepth);
    ExpectTitleAndCaptions(kFullDepth, "Flexible Pavement Design - Proposed Pavement Structure",
                           {"PROPOSED PAVEMENT STRUCTURE", "Material", "Thickness", "Inches", "mm",
                            "Structural Coefficient", "Structural Value", "Required SN =", "Proposed SN =",
                            "Pavement is"});
    EXPECT_FALSE(Captions(kFullDepth).contains("Existing Material"));

    // 1.50 + 2.00 = 3.50 inches lie inside the top 4.5; the 3.00-inch course
    // takes 1.00 at 0.44 and 2.00 at 0.30; the base 8.00 x 0.16 = 1.28.
    EXPECT_EQ(Row(kFullDepth, 0), Cells({"12.5 mm Superpave", "1.50", "38", "0.44", "0.66", "", "", "", ""}));
    EXPECT_EQ(Row(kFullDepth, 1), Cells({"19 mm Superpave", "2.00", "51", "0.44", "0.88", "", "", "", ""}));
    EXPECT_EQ(Row(kFullDepth, 2),
              Cells({"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"}));
    EXPECT_EQ(Row(kFullDepth, 3), Cells({"Graded Aggregate Base", "8.00", "203", "0.16", "1.28", "", "", "", ""}));
    EXPECT_EQ(Row(kFullDepth, 4), Cells(9));
    // 0.66 + 0.88 + 0.44 + 0.60 + 1.28 = 3.86, 12.2% above 3.44.
    EXPECT_EQ(TextOf(kFullDepth, s.RequiredSn()), "3.44");
    EXPECT_EQ(TextOf(kFullDepth, s.ProposedSn()), "3.86");
    EXPECT_EQ(TextOf(kFullDepth, s.Difference()), "12.2%");
    EXPECT_EQ(TextOf(kFullDepth, s.Verdict()), "Overdesign");

    // The cross-section draws the same cells: the split course as two bands.
    const CrossSectionModel model = Drawing(kFullDepth)->Model();
    EXPECT_EQ(BandsOf(model), (Bands{{"12.5 mm Superpave", 1.5, "0.44"},
                                     {"19 mm Superpave", 2.0, "0.44"},
                                     {"25 mm Superpave", 1.0, "0.44"},
                                     {"25 mm Superpave", 2.0, "0.30"},
                                     {"Graded Aggregate Base", 8.0, "0.16"}}));
    EXPECT_EQ(model.layers[4].kind, LayerKind::GranularBase);
    EXPECT_EQ(model.layers[0].kind, LayerKind::AsphaltMix);
    EXPECT_DOUBLE_EQ(model.zoneDepth, 4.5);
    EXPECT_DOUBLE_EQ(model.totalInches, 14.5);
    EXPECT_FALSE(Blank(kFullDepth));
}

TEST_F(ResultWindowsTest, EditReturnsToTheEntriesAndEmptiesTheCells) {
    EnterFullDepthExample();
    const ResultScreen& s = Result(kFullDepth);
    const StructureEntryScreen& e = Entry(kFullDepthEntry);
    Click(kFullDepth, s.EditButton());
    ASSERT_TRUE(Visible(kFullDepthEntry));
    EXPECT_FALSE(Visible(kFullDepth));
    EXPECT_EQ(List(kFullDepthEntry, 2)->currentText(), "25 mm Superpave");
    EXPECT_EQ(List(kFullDepthEntry, 4)->currentIndex(), -1);
    EXPECT_EQ(TextOf(kFullDepthEntry, e.Thickness(3)), "8.00");
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Row(kFullDepth, r), Cells(9)) << r;
    EXPECT_TRUE(Drawing(kFullDepth)->Model().layers.empty());
    EXPECT_TRUE(Blank(kFullDepth));

    // A smaller structure afterwards leaves nothing of the larger one.
    List(kFullDepthEntry, 2)->setCurrentIndex(9);  // "[NO COURSE]"
    List(kFullDepthEntry, 3)->setCurrentIndex(9);
    Click(kFullDepthEntry, e.ContinueButton());
    ASSERT_TRUE(Visible(kFullDepth));
    EXPECT_EQ(Row(kFullDepth, 1), Cells({"19 mm Superpave", "2.00", "51", "0.44", "0.88", "", "", "", ""}));
    EXPECT_EQ(Row(kFullDepth, 2), Cells(9));
    EXPECT_EQ(Row(kFullDepth, 3), Cells(9));
    EXPECT_EQ(TextOf(kFullDepth, s.ProposedSn()), "1.54");  // 0.66 + 0.88
    EXPECT_EQ(TextOf(kFullDepth, s.Verdict()), "Underdesign");
    const CrossSectionModel model = Drawing(kFullDepth)->Model();
    ASSERT_EQ(model.layers.size(), 2u);
    EXPECT_DOUBLE_EQ(model.totalInches, 3.5);  // inside the top zone: no zone line within
}

TEST_F(ResultWindowsTest, EveryShowingOfTheResultStartsOnAccept) {
    EnterFullDepthExample();
    const ResultScreen& s = Result(kFullDepth);
    QWidget* accept = Window(kFullDepth)->control(s.AcceptButton());
    EXPECT_EQ(Window(kFullDepth)->focusWidget(), accept);
    // EDIT, then CONTINUE: Enter must accept, not edit again.
    Window(kFullDepth)->control(s.EditButton())->setFocus();
    Click(kFullDepth, s.EditButton());
    Click(kFullDepthEntry, Entry(kFullDepthEntry).ContinueButton());
    ASSERT_TRUE(Visible(kFullDepth));
    EXPECT_EQ(Window(kFullDepth)->focusWidget(), accept);
}

TEST_F(ResultWindowsTest, ValueCellsAreDisplayOnlyAlignedAndTheMillimetresDimmed) {
    EnterFullDepthExample();
    const ResultScreen& s = Result(kFullDepth);
    QList<int> values;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 9; ++c) values << ResultScreen::Cell(r, c);
    }
    values << s.RequiredSn() << s.ProposedSn() << s.Difference() << s.Verdict();
    for (int control : values) {
        QWidget* cell = Window(kFullDepth)->control(control);
        ASSERT_NE(qobject_cast<QLabel*>(cell), nullptr) << control;  // no field to type into
        EXPECT_EQ(cell->focusPolicy(), Qt::NoFocus) << control;
        EXPECT_EQ(qobject_cast<QLabel*>(cell)->frameShape(), QFrame::NoFrame);
        EXPECT_FALSE(cell->accessibleName().isEmpty());
    }
    for (int c = 0; c < 9; ++c) {
        const Qt::Alignment horizontal = CellLabel(kFullDepth, 2, c)->alignment() & Qt::AlignHorizontal_Mask;
        EXPECT_EQ(horizontal, c == 0 ? Qt::AlignLeft : Qt::AlignRight) << c;
    }
    QLabel* inches = CellLabel(kFullDepth, 2, 1);
    for (QLabel* mm : {CellLabel(kFullDepth, 2, 2), CellLabel(kFullDepth, 2, 6)}) {
        mm->ensurePolished();
        inches->ensurePolished();
        EXPECT_NE(mm->palette().color(QPalette::WindowText), inches->palette().color(QPalette::WindowText));
    }
    // Cells of one column line up, first line and second line alike.
    EXPECT_EQ(CellLabel(kFullDepth, 2, 1)->geometry().right(), CellLabel(kFullDepth, 2, 5)->geometry().right());
    EXPECT_EQ(CellLabel(kFullDepth, 0, 4)->geometry().right(), CellLabel(kFullDepth, 4, 8)->geometry().right());
    EXPECT_LT(CellLabel(kFullDepth, 2, 1)->geometry().bottom(), CellLabel(kFullDepth, 2, 5)->geometry().top());

    // Numbers end where their column's heading ends, on both result windows.
    for (ScreenId id : {kFullDepth, kOverlay}) {
        if (id == kOverlay) EnterOverlayExample();
        FormWindow* w = Window(id);
        auto textRight = [w](const QLabel* label) { return label->mapTo(w, label->contentsRect().topRight()).x(); };
        const std::pair<const char*, int> columns[] = {
            {"Inches", 1}, {"mm", 2}, {"Structural Coefficient", 3}, {"Structural Value", 4}};
        for (const auto& [heading, cell] : columns) {
            SCOPED_TRACE(heading);
            const QLabel* label = nullptr;
            for (const QLabel* candidate : w->findChildren<QLabel*>()) {
                if (candidate->text() == heading) label = candidate;
            }
            ASSERT_NE(label, nullptr);
            for (int r = 0; r < Result(id).rows(); ++r) EXPECT_EQ(textRight(CellLabel(id, r, cell)), textRight(label)) << r;
        }
    }

    // Only the buttons take the focus.
    QWidget* accept = Window(kFullDepth)->control(s.AcceptButton());
    EXPECT_EQ(accept->nextInFocusChain(), Window(kFullDepth)->control(s.EditButton()));
    EXPECT_EQ(TextOf(kFullDepth, s.AcceptButton()), "ACCEPT");
    EXPECT_EQ(TextOf(kFullDepth, s.EditButton()), "EDIT");
    EXPECT_EQ(TextOf(kFullDepth, s.QuitButton()), "QUIT");
}

TEST_F(ResultWindowsTest, OverlayResultShowsOverlayAndExistingCourses) {
    EnterOverlayExample();
    EXPECT_TRUE(desktop.messages.empty());
    ASSERT_TRUE(Visible(kOverlay));
    EXPECT_FALSE(Visible(kOverlayEntry));
    const ResultScreen& s = Result(kOverlay);
    ExpectTitleAndCaptions(kOverlay, "Flexible Pavement Design - Proposed Overlay",
                           {"PROPOSED OVERLAY PAVEMENT STRUCTURE", "Overlay Material", "Existing Material",
                            "Thickness", "Inches", "mm", "Structural Coefficient", "Structural Value",
                            "Required SN =", "Proposed SN =", "Pavement is"});

    // 3.50 inches of overlay; the top 1.00 of the asphaltic concrete lies in
    // the zone (0.44), the other 3.00 below it (0.30).
    EXPECT_EQ(Row(kOverlay, 0), Cells({"12.5 mm Superpave", "1.50", "38", "0.44", "0.66", "", "", "", ""}));
    EXPECT_EQ(Row(kOverlay, 1), Cells({"19 mm Superpave", "2.00", "51", "0.44", "0.88", "", "", "", ""}));
    EXPECT_EQ(Row(kOverlay, 2), Cells(9));
    EXPECT_EQ(Row(kOverlay, 3),
              Cells({"Asphaltic Concrete", "1.00", "25", "0.44", "0.44", "3.00", "76", "0.30", "0.90"}));
    EXPECT_EQ(Row(kOverlay, 4), Cells({"Graded Aggregate Base", "8.00", "203", "0.16", "1.28", "", "", "", ""}));
    EXPECT_EQ(Row(kOverlay, 5), Cells(9));
    EXPECT_EQ(Window(kOverlay)->control(ResultScreen::Cell(4, 5)), nullptr);  // single-line rows
    EXPECT_EQ(TextOf(kOverlay, s.RequiredSn()), "3.44");
    EXPECT_EQ(TextOf(kOverlay, s.ProposedSn()), "4.16");
    EXPECT_EQ(TextOf(kOverlay, s.Difference()), "20.9%");  // 0.72 / 3.44
    EXPECT_EQ(TextOf(kOverlay, s.Verdict()), "Overdesign");
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < s.CellsInRow(r); ++c) {
            EXPECT_EQ(Window(kOverlay)->control(ResultScreen::Cell(r, c))->focusPolicy(), Qt::NoFocus);
        }
    }
    EXPECT_NE(CellLabel(kOverlay, 0, 0)->accessibleName(), CellLabel(kOverlay, 3, 0)->accessibleName());

    const CrossSectionModel model = Drawing(kOverlay)->Model();
    EXPECT_EQ(BandsOf(model), (Bands{{"12.5 mm Superpave", 1.5, "0.44"},
                                     {"19 mm Superpave", 2.0, "0.44"},
                                     {"Asphaltic Concrete", 1.0, "0.44"},
                                     {"Asphaltic Concrete", 3.0, "0.30"},
                                     {"Graded Aggregate Base", 8.0, "0.16"}}));
    std::vector<bool> existing;
    for (const CrossSectionLayer& layer : model.layers) existing.push_back(layer.existing);
    EXPECT_EQ(existing, std::vector<bool>({false, false, true, true, true}));
    EXPECT_DOUBLE_EQ(model.zoneDepth, 4.5);

    Click(kOverlay, s.EditButton());
    ASSERT_TRUE(Visible(kOverlayEntry));
    EXPECT_EQ(List(kOverlayEntry, 3)->currentText(), "Asphaltic Concrete");
    EXPECT_EQ(TextOf(kOverlayEntry, Entry(kOverlayEntry).Thickness(4)), "8.00");
    for (int r = 0; r < 6; ++r) EXPECT_EQ(Row(kOverlay, r), Cells(9)) << r;
    EXPECT_TRUE(Blank(kOverlay));
}

TEST_F(ResultWindowsTest, CrossSectionShowsSpreadRatesAndSkipsAnEmptyUpperPart) {
    EnterAndContinue(kFullDepthEntry,
                     {{0, "12.5 mm OGFC", ""}, {1, "12.5 mm Superpave", "2.00"}, {2, "19 mm Superpave", "3.00"}});
    ASSERT_TRUE(Visible(kFullDepth));
    EXPECT_EQ(Row(kFullDepth, 0), Cells({"12.5 mm OGFC", "90 lb/sy", "50 kg/sm", "0.00", "0.00", "", "", "", ""}));
    EXPECT_EQ(TextOf(kFullDepth, Result(kFullDepth).ProposedSn()), "2.13");  // 0.88 + 1.10 + 0.15
    CrossSectionModel model = Drawing(kFullDepth)->Model();
    ASSERT_EQ(model.layers.size(), 4u);
    EXPECT_TRUE(model.layers[0].spreadRate);
    EXPECT_EQ(model.layers[0].thickness, "90 lb/sy");
    EXPECT_EQ(model.layers[0].kind, LayerKind::SpreadRateSurface);
    EXPECT_EQ(BandsOf(model)[2], Band("19 mm Superpave", 2.5, "0.44"));
    EXPECT_EQ(BandsOf(model)[3], Band("19 mm Superpave", 0.5, "0.30"));
    EXPECT_DOUBLE_EQ(model.zoneDepth, 4.5);  // measured from the bottom of the open-graded course

    // 1.50 + 3.00 end right at the zone's bottom: the next course is split
    // with nothing above it, and is drawn as one band at 0.30.
    Click(kFullDepth, Result(kFullDepth).EditButton());
    EnterAndContinue(kFullDepthEntry, {{0, "9.5 mm Superpave", "1.50"},
                                       {1, "19 mm Superpave", "3.00"},
                                       {2, "25 mm Superpave", "3.00"}});
    ASSERT_TRUE(Visible(kFullDepth));
    EXPECT_EQ(Row(kFullDepth, 2), Cells({"25 mm Superpave", "0.00", "", "0.44", "0.00", "3.00", "76", "0.30", "0.90"}));
    model = Drawing(kFullDepth)->Model();
    EXPECT_EQ(BandsOf(model), (Bands{{"9.5 mm Superpave", 1.5, "0.44"},
                                     {"19 mm Superpave", 3.0, "0.44"},
                                     {"25 mm Superpave", 3.0, "0.30"}}));
}

TEST_F(ResultWindowsTest, CrossSectionRedrawsFromTheNumbersOfEachEvaluation) {
    EnterFullDepthExample();
    ASSERT_TRUE(Visible(kFullDepth));
    QApplication::processEvents();
    PaintCounter counter;
    Drawing(kFullDepth)->installEventFilter(&counter);
    // The drawing follows the numbers, whatever the cells say.
    ResultSheet sheet;
    sheet.rows.resize(5);
    sheet.rows[0] = {"12.5 mm SMA", "9.99", "254", "0.44", "4.40", "", "", "", ""};
    StructureNumbers numbers;
    numbers.courses.push_back({fulldepth::kFirstMix + 2, false, false, {{4.5f, 0.44f, 1.98}}});
    numbers.topZoneDepth = 4.5f;
    program.logic<ResultScreen>(kFullDepth).Fill(sheet, numbers);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(BandsOf(Drawing(kFullDepth)->Model()), (Bands{{"12.5 mm SMA", 4.5, "0.44"}}));
}

// WCAG 2 relative luminance of a colour as displayed (sRGB).
double Luminance(const QColor& colour) {
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text of every window, the result windows filled, reads at 4.5:1 or
// more against what it stands on (WCAG AA): the colours each label is drawn
// with, as its style sheet leaves them.
TEST_F(ResultWindowsTest, EveryTextStandsOutFromItsBackground) {
    EnterFullDepthExample();
    EnterOverlayExample();
    // Black on white, and a grey that reads 3:1 on white, for the formula.
    EXPECT_NEAR(Contrast(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(Contrast(QColor(0x94, 0x94, 0x94), Qt::white), 3.03, 0.01);
    int texts = 0;
    for (int i = 0; i < kScreenCount; ++i) {
        const auto id = static_cast<ScreenId>(i);
        program.view(id);
        for (QLabel* label : Window(id)->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            label->ensurePolished();
            const QPalette palette = label->palette();
            const double contrast =
                Contrast(palette.color(label->foregroundRole()), palette.color(label->backgroundRole()));
            EXPECT_GE(contrast, 4.5) << Window(id)->windowTitle().toStdString() << ": \""
                                     << label->text().toStdString() << "\"";
            ++texts;
        }
    }
    EXPECT_GT(texts, 100);
}

}  // namespace
}  // namespace korvelle::testing
