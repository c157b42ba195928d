#include "sensitivity_window.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/number_format.h"
#include "form_window.h"
#include "help_window.h"
#include "ui/help_topics.h"
#include "whole_file.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// The window's size where the screen has room: the charts large enough to
// read a tenth of soil support and a hundredth of SN off them.
constexpr QSize kPreferredSize(1000, 720);
// PNG pictures are drawn at twice the chart's size on the screen, sharp
// when printed in a report.
constexpr int kPngScale = 2;

// One colour per curve, regional factor ascending; the design's own curve
// is drawn thicker.
const QColor kCurveColours[] = {QColor(0x1f, 0x5f, 0xa8), QColor(0x2e, 0x8b, 0x57), QColor(0xc7, 0x7c, 0x02),
                                QColor(0xc0, 0x39, 0x2b), QColor(0x7d, 0x3c, 0x98), QColor(0x5d, 0x6d, 0x7e)};
constexpr qreal kCurveWidth = 1.5;
constexpr qreal kDesignCurveWidth = 3.0;
const QColor kLineColour(0x30, 0x30, 0x30);
// Above everything the chart draws in its plot area.
constexpr qreal kLabelZ = 100.0;

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString SnText(float sn) { return Q(FormatNumber(sn, "0.00")); }
QString LoadingText(double loading) {
    return Q(FormatNumber(static_cast<std::int32_t>(loading), kDesignLoadingPattern));
}

// "RF 1.0, soil support 3.4: required SN 3.52"
QString PointText(const SensitivityChart& chart, const SensitivityCurve& curve, const SensitivityPoint& point) {
    const QString sn = point.requiredSn ? "required SN " + SnText(*point.requiredSn) : Q(point.refusal);
    if (chart.soil()) return QString("%1, soil support %2: %3").arg(Q(curve.Name()), Q(point.typed), sn);
    return QString("ESAL per truck %1, design loading %2: %3").arg(Q(point.typed), LoadingText(point.x), sn);
}

// The point of the curve nearest `x` along the chart's axis.
const SensitivityPoint* Nearest(const SensitivityChart& chart, const SensitivityCurve& curve, double x) {
    const SensitivityPoint* nearest = nullptr;
    double distance = std::numeric_limits<double>::infinity();
    for (const SensitivityPoint& point : curve.points) {
        if (!point.requiredSn) continue;
        const double d = chart.soil() ? std::fabs(point.x - x) : std::fabs(std::log(point.x / x));
        if (d < distance) {
            distance = d;
            nearest = &point;
        }
    }
    return nearest;
}

// The chart's range of x: soil support from 0 to 10; the design loading
// between the powers of ten around the points, so that the logarithmic axis
// has labels at both ends.
std::pair<double, double> XRange(const SensitivityChart& chart) {
    if (chart.soil()) return {0.0, 10.0};
    double low = std::numeric_limits<double>::infinity();
    double high = 0.0;
    for (const SensitivityCurve& curve : chart.curves) {
        for (const SensitivityPoint& point : curve.points) {
            if (!point.requiredSn) continue;
            low = std::min(low, point.x);
            high = std::max(high, point.x);
        }
    }
    if (chart.designSn) {
        low = std::min(low, chart.designX);
        high = std::max(high, chart.designX);
    }
    if (!(high > 0.0)) return {1.0, 10.0};
    return {std::pow(10.0, std::floor(std::log10(low))), std::pow(10.0, std::ceil(std::log10(high)))};
}

std::pair<double, double> SnRange(const SensitivityChart& chart) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    auto take = [&](double sn) {
        low = std::min(low, sn);
        high = std::max(high, sn);
    };
    for (const SensitivityCurve& curve : chart.curves) {
        for (const SensitivityPoint& point : curve.points) {
            if (point.requiredSn) take(*point.requiredSn);
        }
    }
    for (const LineReach& reach : chart.lines) take(reach.line.proposedSn);
    if (chart.designSn) take(*chart.designSn);
    if (!(high >= low)) return {0.0, 1.0};
    return {std::floor(low), std::ceil(high)};
}

// A chart view whose tool tip is the value of what the mouse rests on: the
// series report what they are hovered over, and the view shows it when Qt
// asks for a tool tip (the view's own asking would hide any other).
class TipChartView : public QChartView {
public:
    using QChartView::QChartView;
    // What the mouse is over now; empty when it is over nothing that tells.
    void SetTip(const QString& tip) {
        tip_ = tip;
        if (QToolTip::isVisible()) {
            if (tip_.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(QCursor::pos(), tip_, this);
            }
        }
    }
    const QString& tip() const { return tip_; }

protected:
    bool viewportEvent(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return QChartView::viewportEvent(event);
        if (tip_.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip_, this);
        }
        return true;
    }

private:
    QString tip_;
};

void ShowTip(const QString& text, bool state, TipChartView* view) { view->SetTip(state ? text : QString()); }

// Keeps only the first marker of a curve drawn in several pieces in the
// legend.
void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

// The chart of one tab, drawn in `view`: the curves (a break where a point
// has no required SN), each structure's line with its name at the right
// end and a mark where it leaves the design's curve, and the design's point.
// Hovering a curve, line or point shows its value.  The curves take the
// colours from `firstColour` on.
void DrawChart(const SensitivityChart& data, TipChartView* view, std::size_t firstColour) {
    auto* chart = new QChart;
    chart->setTitle(Q(data.Title()));
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));  // "1,000,000", as the screens group
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    view->setChart(chart);
    view->setRenderHint(QPainter::Antialiasing);

    const auto [xLow, xHigh] = XRange(data);
    QAbstractAxis* x = nullptr;
    if (data.soil()) {
        auto* axis = new QValueAxis;
        axis->setRange(xLow, xHigh);
        axis->setTickCount(11);
        axis->setMinorTickCount(1);
        axis->setLabelFormat("%.0f");
        x = axis;
    } else {
        auto* axis = new QLogValueAxis;
        axis->setBase(10.0);
        axis->setRange(xLow, xHigh);
        axis->setMinorTickCount(-1);  // the 2 to 9 between the powers of ten
        axis->setLabelFormat("%.0f");
        x = axis;
    }
    x->setTitleText(Q(data.AxisTitle()));
    chart->addAxis(x, Qt::AlignBottom);
    auto* y = new QValueAxis;
    const auto [yLow, yHigh] = SnRange(data);
    y->setRange(yLow, yHigh);
    y->setTickCount(static_cast<int>(yHigh - yLow) + 1);
    y->setMinorTickCount(1);
    y->setLabelFormat("%.1f");
    y->setTitleText("Required SN");
    chart->addAxis(y, Qt::AlignLeft);
    auto attach = [&](QAbstractSeries* series) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };

    for (std::size_t c = 0; c < data.curves.size(); ++c) {
        const SensitivityCurve& curve = data.curves[c];
        const QColor colour = kCurveColours[(firstColour + c) % std::size(kCurveColours)];
        QPen pen(colour, curve.design ? kDesignCurveWidth : kCurveWidth);
        const QString name = data.soil() ? Q(curve.Name()) + (curve.design ? " (the design's)" : "")
                                         : "Required SN at " + Q(curve.Name()) + ", soil support " + Q(data.designSoil);
        QLineSeries* piece = nullptr;
        bool first = true;
        for (const SensitivityPoint& point : curve.points) {
            if (!point.requiredSn) {
                piece = nullptr;  // a gap
                continue;
            }
            if (!piece) {
                piece = new QLineSeries;
                piece->setName(name);
                piece->setPen(pen);
                attach(piece);
                if (!first) HideFromLegend(chart, piece);
                first = false;
                auto tip = [&data, &curve, view](const QPointF& at, bool state) {
                    if (const SensitivityPoint* p = Nearest(data, curve, at.x())) {
                        ShowTip(PointText(data, curve, *p), state, view);
                    }
                };
                QObject::connect(piece, &QXYSeries::hovered, view, tip);
            }
            piece->append(point.x, *point.requiredSn);
        }
    }

    for (const LineReach& reach : data.lines) {
        const QString label = Q(reach.Label(data.soil()));
        auto* line = new QLineSeries;
        line->setName(Q(reach.line.label) + ", SN " + SnText(reach.line.proposedSn));
        line->setPen(QPen(kLineColour, 2.0, Qt::DashLine));
        line->append(xLow, reach.line.proposedSn);
        line->append(xHigh, reach.line.proposedSn);
        attach(line);
        QObject::connect(line, &QXYSeries::hovered, view,
                         [label, view](const QPointF&, bool state) { ShowTip(label, state, view); });
        // Where it leaves the design's curve.
        if (reach.limit && !reach.whole) {
            auto* mark = new QScatterSeries;
            mark->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
            mark->setMarkerSize(11.0);
            mark->setColor(kLineColour);
            mark->setBorderColor(Qt::white);
            mark->append(reach.limit->x, reach.line.proposedSn);
            mark->setPointLabelsFormat(data.soil() ? Q(reach.limit->typed) : LoadingText(reach.limit->x));
            mark->setPointLabelsVisible(true);
            mark->setPointLabelsClipping(false);
            attach(mark);
            HideFromLegend(chart, mark);
        }
        // The structure's name and how far it meets the required SN, above
        // the line at the axis's easy end (high soil support, low loading),
        // where the curves run below the lines.
        auto* box = new QGraphicsRectItem(chart);
        box->setPen(Qt::NoPen);
        box->setBrush(QColor(255, 255, 255, 210));
        box->setZValue(kLabelZ);  // over the grid and the curves
        auto* name = new QGraphicsSimpleTextItem(label, box);
        name->setBrush(kLineColour);
        const QRectF text = name->boundingRect();
        box->setRect(text.adjusted(-3.0, -1.0, 3.0, 1.0));
        const qreal sn = reach.line.proposedSn;
        const bool right = data.soil();
        const double end = right ? xHigh : xLow;
        QObject::connect(chart, &QChart::plotAreaChanged, line, [chart, box, line, end, sn, right](const QRectF&) {
            const QPointF at = chart->mapToPosition(QPointF(end, sn), line);
            const QRectF r = box->rect();
            box->setPos(right ? at.x() - r.right() - 6.0 : at.x() - r.left() + 6.0, at.y() - r.bottom() - 3.0);
        });
    }

    if (data.designSn) {
        auto* design = new QScatterSeries;
        const QString where = data.soil() ? "soil support " + Q(data.designSoil) : LoadingText(data.designX);
        const QString name = "The design: SN " + SnText(*data.designSn) + " at " + where;
        design->setName(name);
        design->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        design->setMarkerSize(12.0);
        design->setColor(Qt::black);
        design->setBorderColor(Qt::white);
        design->append(data.designX, *data.designSn);
        attach(design);
        QObject::connect(design, &QXYSeries::hovered, view,
                         [name, view](const QPointF&, bool state) { ShowTip(name, state, view); });
    }

    view->setAccessibleName(Q(data.Title()));
    view->setAccessibleDescription(Q(data.Description()));
}

QTableWidget* MakeTable(const QString& name, const QString& description, const QStringList& headings, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->setAccessibleName(name);
    table->setAccessibleDescription(description);
    table->setCornerButtonEnabled(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text, const QString& tip = {}) {
    auto* item = new QTableWidgetItem(text);
    // Numbers to the right, names to the left.
    const bool name = column == 0 && !text.isEmpty() && !text.front().isDigit();
    item->setTextAlignment((name ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (!tip.isEmpty()) item->setToolTip(tip);
    table->setItem(row, column, item);
}

// A required SN as the table shows it: "-" for a point without one, its
// reason in the cell's tool tip.
void SetSnCell(QTableWidget* table, int row, int column, const SensitivityPoint& point) {
    if (point.requiredSn) {
        SetCell(table, row, column, SnText(*point.requiredSn));
    } else {
        SetCell(table, row, column, "-", Q(point.refusal));
    }
}

QLabel* TableCaption(const QString& text, QWidget* buddy, QWidget* parent) {
    QLabel* caption = MakeCaption(text, buddy, parent);
    caption->setAccessibleName(text);
    return caption;
}

}  // namespace

QString SensitivityTitle() { return ScreenTitle("Sensitivity"); }

PictureFile PictureFileFor(const QString& chosen, PictureFormat filterFormat) {
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == "svg") return {chosen, PictureFormat::Svg};
    if (suffix == "png") return {chosen, PictureFormat::Png};
    return {chosen + (filterFormat == PictureFormat::Svg ? ".svg" : ".png"), filterFormat};
}

SensitivityWindow::SensitivityWindow(const Sensitivity& sensitivity, QWidget* parent)
    : QDialog(parent), sensitivity_(sensitivity) {
    setWindowTitle(SensitivityTitle());
    setAccessibleName("Sensitivity");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(MakeHeading("SENSITIVITY", this));

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName("Sensitivity charts");
    auto* soilView = new TipChartView(tabs_);
    auto* loadingView = new TipChartView(tabs_);
    DrawChart(sensitivity_.soil, soilView, 0);
    // The loading chart's one curve wears the colour of the design's own
    // curve on the soil support chart.
    DrawChart(sensitivity_.loading, loadingView, sensitivity_.soil.designCurve);
    soilView_ = soilView;
    loadingView_ = loadingView;
    tabs_->addTab(soilView_, "SOIL SUPPORT");
    tabs_->addTab(loadingView_, "DESIGN LOADING");
    tabs_->addTab(BuildTables(sensitivity_), "TABLE");
    layout->addWidget(tabs_, 1);

    status_ = new QLabel(this);
    status_->setAccessibleName("Status");
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    save_ = new QPushButton("SAVE PICTURE...", this);
    save_->setAccessibleName("SAVE PICTURE");
    save_->setToolTip("Writes the chart shown as a PNG or SVG picture (Ctrl+S)");
    save_->setAutoDefault(false);
    close_ = new QPushButton("CLOSE", this);
    close_->setAccessibleName("CLOSE");
    close_->setToolTip("Back to the main menu (Esc)");
    close_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(close_);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(save_, &QPushButton::clicked, this, &SensitivityWindow::SaveChosenPicture);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, save_, &QPushButton::click);
    // The table holds no chart: SAVE PICTURE... writes a chart's tab.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { save_->setEnabled(tab != kTableTab); });
    AddHelp(this, QString::fromUtf8(kSensitivityHelpHeading.data(), kSensitivityHelpHeading.size()));

    tabs_->setFocus();
}

QWidget* SensitivityWindow::BuildTables(const Sensitivity& sensitivity) {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);

    // The structures drawn, and how far each meets the required SN.
    const SensitivityChart& soil = sensitivity.soil;
    const SensitivityChart& loading = sensitivity.loading;
    structureTable_ = MakeTable("Structures drawn", {},
                                {"Structure", "Proposed SN",
                                 "Meets the required SN at RF " + Q(soil.designRegionalFactor),
                                 "Meets it at soil support " + Q(soil.designSoil) + " and RF " +
                                     Q(soil.designRegionalFactor)},
                                page);
    structureTable_->setRowCount(static_cast<int>(soil.lines.size()));
    for (std::size_t i = 0; i < soil.lines.size(); ++i) {
        const int row = static_cast<int>(i);
        SetCell(structureTable_, row, 0, Q(soil.lines[i].line.label));
        SetCell(structureTable_, row, 1, SnText(soil.lines[i].line.proposedSn));
        SetCell(structureTable_, row, 2, Q(soil.lines[i].Short(true)));
        SetCell(structureTable_, row, 3, Q(loading.lines[i].Short(false)));
    }
    if (soil.lines.empty()) {
        layout->addWidget(MakeNote("No structure is accepted or kept as an alternative: ACCEPT one on its result "
                                   "screen, or KEEP AS ALTERNATIVE on a structure screen, to see it drawn across "
                                   "the curves.",
                                   page));
        structureTable_->hide();
    } else {
        layout->addWidget(TableCaption("Structures drawn", structureTable_, page));
        // As tall as its rows, up to a few; more scroll.
        constexpr int kRowsInSight = 4;
        structureTable_->setFixedHeight(structureTable_->horizontalHeader()->sizeHint().height() +
                                        structureTable_->verticalHeader()->defaultSectionSize() *
                                            std::min(structureTable_->rowCount(), kRowsInSight) +
                                        2 * structureTable_->frameWidth());
        layout->addWidget(structureTable_);
    }

    auto* numbers = new QHBoxLayout;
    // The required SN against soil support: a column per regional factor.
    QStringList soilHeadings{"Soil support"};
    for (const SensitivityCurve& curve : soil.curves) {
        soilHeadings << Q(curve.Name()) + (curve.design ? " (design)" : "");
    }
    soilTable_ = MakeTable(Q(soil.Title()), Q(soil.Description()), soilHeadings, page);
    const std::size_t soilRows = soil.curves.front().points.size();
    soilTable_->setRowCount(static_cast<int>(soilRows));
    for (std::size_t r = 0; r < soilRows; ++r) {
        const int row = static_cast<int>(r);
        SetCell(soilTable_, row, 0, Q(soil.curves.front().points[r].typed));
        for (std::size_t c = 0; c < soil.curves.size(); ++c) {
            SetSnCell(soilTable_, row, static_cast<int>(c) + 1, soil.curves[c].points[r]);
        }
    }
    auto* soilColumn = new QVBoxLayout;
    soilColumn->addWidget(TableCaption(Q(soil.Title()), soilTable_, page));
    soilColumn->addWidget(soilTable_, 1);
    numbers->addLayout(soilColumn, 3);

    // The required SN against the design loading, with the ESAL per truck
    // that gives each loading.
    loadingTable_ = MakeTable(Q(loading.Title()), Q(loading.Description()),
                              {"ESAL per truck", "Design loading", "Required SN"}, page);
    const SensitivityCurve& curve = loading.curves.front();
    loadingTable_->setRowCount(static_cast<int>(curve.points.size()));
    for (std::size_t r = 0; r < curve.points.size(); ++r) {
        const SensitivityPoint& point = curve.points[r];
        const int row = static_cast<int>(r);
        SetCell(loadingTable_, row, 0, Q(point.typed));
        SetCell(loadingTable_, row, 1, point.requiredSn ? LoadingText(point.x) : "-", Q(point.refusal));
        SetSnCell(loadingTable_, row, 2, point);
    }
    auto* loadingColumn = new QVBoxLayout;
    loadingColumn->addWidget(TableCaption(Q(loading.Title()), loadingTable_, page));
    loadingColumn->addWidget(loadingTable_, 1);
    numbers->addLayout(loadingColumn, 2);
    layout->addLayout(numbers, 1);
    return page;
}

QChartView* SensitivityWindow::chartView(SensitivityAxis axis) const {
    return axis == SensitivityAxis::SoilSupport ? soilView_ : loadingView_;
}

SensitivityAxis SensitivityWindow::ShownAxis() const {
    return tabs_->currentIndex() == kLoadingTab ? SensitivityAxis::DesignLoading : SensitivityAxis::SoilSupport;
}

QByteArray SensitivityWindow::Picture(SensitivityAxis axis, PictureFormat format) const {
    QChartView* view = chartView(axis);
    const QSize size = view->size();
    QByteArray bytes;
    if (size.isEmpty()) return bytes;
    if (format == PictureFormat::Svg) {
        const SensitivityChart& data = axis == SensitivityAxis::SoilSupport ? sensitivity_.soil : sensitivity_.loading;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(Q(data.Title()));
        svg.setDescription(Q(data.Description()));
        QPainter painter;
        if (!painter.begin(&svg)) return {};
        view->render(&painter);
        painter.end();
        return bytes;
    }
    QImage image(size * kPngScale, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return bytes;
    image.setDevicePixelRatio(kPngScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    view->render(&painter);
    painter.end();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

bool SensitivityWindow::SavePicture(const PictureFile& file) {
    const QString shown = QDir::toNativeSeparators(file.path);
    const bool earlier = QFileInfo::exists(file.path);
    const QByteArray bytes = Picture(ShownAxis(), file.format);
    if (bytes.isEmpty()) {
        status_->setText(Q(PictureNotSavedMessage("the picture could not be drawn", "the chart has no size",
                                                  shown.toStdString(), earlier)));
        return false;
    }
    const std::unique_ptr<QSaveFile> target = SaveFile(file.path);
    if (auto failure = WriteWhole(*target, bytes)) {
        status_->setText(Q(PictureNotSavedMessage(failure->what.toStdString(), failure->reason.toStdString(),
                                                  shown.toStdString(), earlier)));
        return false;
    }
    status_->setText(Q(PictureSavedMessage(shown.toStdString())));
    return true;
}

QString SensitivityWindow::OfferedFile(SensitivityAxis axis) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir(folder).filePath(axis == SensitivityAxis::SoilSupport ? "sensitivity-soil-support.png"
                                                                      : "sensitivity-design-loading.png");
}

std::optional<PictureFile> SensitivityWindow::ChoosePictureFile(const QString& offered) {
    const QString png = "PNG picture (*.png)";
    const QString svg = "SVG drawing (*.svg)";
    QFileDialog dialog(this, "Save the chart as a picture", offered, png + ";;" + svg);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(offered);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PictureFileFor(dialog.selectedFiles().front(),
                          dialog.selectedNameFilter() == svg ? PictureFormat::Svg : PictureFormat::Png);
}

std::unique_ptr<QSaveFile> SensitivityWindow::SaveFile(const QString& target) {
    return std::make_unique<QSaveFile>(target);
}

void SensitivityWindow::SaveChosenPicture() {
    if (tabs_->currentIndex() == kTableTab) return;
    if (const auto file = ChoosePictureFile(OfferedFile(ShownAxis()))) SavePicture(*file);
}

void SensitivityWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // As large as the charts want where the screen has room.
    SizeAndCentreOverParent(this, kPreferredSize);
}

void QtSensitivityDisplay::ShowSensitivity(const Sensitivity& sensitivity) {
    SensitivityWindow window(sensitivity, QApplication::activeWindow());
    Show(window);
}

void QtSensitivityDisplay::Show(SensitivityWindow& window) { window.exec(); }

}  // namespace korvelle
