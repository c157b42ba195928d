#include "cross_section.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "core/materials.h"
#include "core/number_format.h"

namespace korvelle {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

LayerKind KindOf(const EvaluatedCourse& course, bool overlay) {
    const std::int16_t m = course.material;
    if (course.existing) {
        switch (m) {
            case existing::kConcreteGood:
            case existing::kConcreteFair: return LayerKind::Concrete;
            case existing::kSoilCementBase: return LayerKind::StabilizedBase;
            case existing::kGradedAggregateBase:
            case existing::kSandClayBase: return LayerKind::GranularBase;
            default: return LayerKind::AsphaltMix;
        }
    }
    if (course.spreadRate) return LayerKind::SpreadRateSurface;
    if (!overlay && m == fulldepth::kSoilCementBase) return LayerKind::StabilizedBase;
    if (!overlay && m == fulldepth::kGradedAggregateBase) return LayerKind::GranularBase;
    return LayerKind::AsphaltMix;
}

QString MaterialName(const EvaluatedCourse& course, bool overlay, const DesignRecord& record) {
    const auto index = static_cast<std::size_t>(course.material - 1);
    if (course.existing) return Q(record.existingMaterials.at(index));
    return Q(overlay ? record.overlayMaterials.at(index) : record.fullDepthMaterials.at(index));
}

}  // namespace

CrossSectionModel ReadCrossSection(const StructureNumbers& numbers, const DesignRecord& record) {
    CrossSectionModel model;
    double spreadRateInches = 0.0;
    for (const EvaluatedCourse& course : numbers.courses) {
        if (course.parts.empty()) continue;
        CrossSectionLayer layer;
        layer.material = MaterialName(course, numbers.overlay, record);
        layer.existing = course.existing;
        layer.kind = KindOf(course, numbers.overlay);
        if (course.spreadRate) {
            layer.spreadRate = true;
            layer.thickness = Q(std::string(SpreadRateOf(course.material).imperial));
            layer.coefficient = "0.00";
            spreadRateInches = course.parts.front().inches;
            model.layers.push_back(layer);
            continue;
        }
        // The top existing row shows "[NO COURSE]" with no coefficient.
        const bool rated = !(course.existing && course.material == existing::kNoCourse);
        for (std::size_t i = 0; i < course.parts.size(); ++i) {
            const EvaluatedPart& part = course.parts[i];
            // A split course's upper part of no thickness (the course above
            // ended right at the bottom of the zone) is no band.
            const bool lowerPart = i > 0;
            if (course.parts.size() > 1 && !lowerPart && part.inches <= 0.0f) continue;
            CrossSectionLayer band = layer;
            band.inches = std::max(0.0, static_cast<double>(part.inches));
            band.thickness = Q(FormatNumber(part.inches, "#0.00"));
            band.coefficient = rated ? Q(FormatNumber(part.coefficient, "0.00")) : QString();
            band.lowerPart = lowerPart;
            model.layers.push_back(band);
        }
    }
    for (const CrossSectionLayer& layer : model.layers) model.totalInches += layer.inches;
    if (!model.layers.empty()) model.zoneDepth = std::max(0.0, numbers.topZoneDepth - spreadRateInches);
    return model;
}

namespace {

// Drawing area, in pixels: the size it asks for, and the least it is drawn
// in on a small screen (room for two lines of label per band of a full
// overlay, and for the zone note beside the stack).
constexpr int kPreferredWidth = 480;
constexpr int kPreferredHeight = 330;
constexpr int kLeastWidth = 400;
constexpr int kLeastHeight = 260;
constexpr int kMargin = 14;
// The stack's left edge at the preferred width; a narrower drawing narrows
// the room for the zone note left of the stack in proportion.
constexpr int kPreferredStackLeft = 156;
constexpr int kStackWidth = 100;
constexpr int kLabelGap = 22;  // between the stack and its labels, for the leader lines
constexpr int kSpreadRateBand = 8;
constexpr double kMostPixelsPerInch = 28.0;

QBrush Fill(const CrossSectionLayer& layer) {
    switch (layer.kind) {
        case LayerKind::SpreadRateSurface: return QColor(0x22, 0x22, 0x22);
        case LayerKind::AsphaltMix: return layer.existing ? QColor(0x75, 0x6e, 0x66) : QColor(0x4d, 0x4d, 0x4d);
        case LayerKind::Concrete: return QColor(0xc9, 0xc9, 0xc2);
        case LayerKind::StabilizedBase: return QColor(0xcf, 0xbb, 0x92);
        case LayerKind::GranularBase: return QColor(0xe3, 0xcb, 0x98);
    }
    return Qt::gray;
}

// A light texture over the plain colour: stones in a granular base, grain in
// concrete and stabilised base.
Qt::BrushStyle Texture(LayerKind kind) {
    switch (kind) {
        case LayerKind::GranularBase: return Qt::Dense6Pattern;
        case LayerKind::Concrete:
        case LayerKind::StabilizedBase: return Qt::Dense7Pattern;
        default: return Qt::NoBrush;
    }
}

QString LabelDetail(const CrossSectionLayer& layer) {
    const QString thickness = layer.spreadRate ? layer.thickness : layer.thickness + " in.";
    return layer.coefficient.isEmpty() ? thickness : thickness + ",  coef. " + layer.coefficient;
}

// A text beside the stack: wants to be centred on `wanted`, is moved down
// (and, at the bottom, up) so that no two overlap.
struct Label {
    double wanted;
    double height;
    double top = 0.0;
    int layer = -1;  // -1 for a group heading
    QString heading;
};

void Spread(std::vector<Label>& labels, double bottom) {
    double next = kMargin;
    for (Label& label : labels) {
        label.top = std::max(label.wanted - label.height / 2.0, next);
        next = label.top + label.height + 2.0;
    }
    double limit = bottom;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        it->top = std::min(it->top, limit - it->height);
        limit = it->top - 2.0;
    }
}

// Where everything lies in the drawing, in pixels: the stack of bands, top
// down, scaled to the structure's depth, and the labels' column beside it.
struct StackGeometry {
    int drawingWidth = 0;
    int drawingHeight = 0;
    int stackLeft = 0;
    int labelLeft = 0;
    double top = 0.0;            // the top of the first band drawn to scale
    double pixelsPerInch = 0.0;
    double bottom = 0.0;         // the bottom of the stack
    std::vector<double> bandTop;
    std::vector<double> bandBottom;
};

// A course laid by spread rate has no thickness that counts: it is drawn as
// a thin band above the stack.
double BandHeight(const CrossSectionLayer& layer, double pixelsPerInch) {
    return layer.spreadRate ? kSpreadRateBand : layer.inches * pixelsPerInch;
}

StackGeometry LayOutStack(const CrossSectionModel& model, int drawingWidth, int drawingHeight) {
    StackGeometry stack;
    stack.drawingWidth = drawingWidth;
    stack.drawingHeight = drawingHeight;
    stack.stackLeft = kPreferredStackLeft * drawingWidth / kPreferredWidth;
    stack.labelLeft = stack.stackLeft + kStackWidth + kLabelGap;

    const bool spreadRateTop = model.layers.front().spreadRate;
    stack.top = kMargin + (spreadRateTop ? kSpreadRateBand : 0);
    const double available = drawingHeight - kMargin - stack.top;
    stack.pixelsPerInch = model.totalInches > 0.0 ? std::min(kMostPixelsPerInch, available / model.totalInches)
                                                  : kMostPixelsPerInch;
    double y = stack.top;
    for (const CrossSectionLayer& layer : model.layers) {
        const double height = BandHeight(layer, stack.pixelsPerInch);
        stack.bandTop.push_back(layer.spreadRate ? y - kSpreadRateBand : y);
        stack.bandBottom.push_back(stack.bandTop.back() + height);
        if (!layer.spreadRate) y += height;
    }
    stack.bottom = y;
    return stack;
}

// Each band in its material's colour and texture, at least a pixel high.
void DrawBands(QPainter& p, const CrossSectionModel& model, const StackGeometry& stack) {
    for (std::size_t i = 0; i < model.layers.size(); ++i) {
        const CrossSectionLayer& layer = model.layers[i];
        const double height = BandHeight(layer, stack.pixelsPerInch);
        const QRectF band(stack.stackLeft, stack.bandTop[i], kStackWidth, std::max(height, 1.0));
        p.fillRect(band, Fill(layer));
        if (Texture(layer.kind) != Qt::NoBrush) p.fillRect(band, QBrush(QColor(0, 0, 0, 60), Texture(layer.kind)));
    }
}

// A line at the bottom of every course and the stack's outline.
void DrawCourseBoundaries(QPainter& p, const CrossSectionModel& model, const StackGeometry& stack) {
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i + 1 < model.layers.size(); ++i) {
        // The parts of a split course meet at the zone's dashed line.
        if (model.layers[i + 1].lowerPart) continue;
        p.drawLine(QPointF(stack.stackLeft, stack.bandBottom[i]),
                   QPointF(stack.stackLeft + kStackWidth, stack.bandBottom[i]));
    }
    p.drawRect(QRectF(stack.stackLeft, stack.bandTop.front(), kStackWidth, stack.bottom - stack.bandTop.front()));
}

// Whether a band is the first of the overlay or of the existing pavement.
bool StartsGroup(const CrossSectionModel& model, std::size_t i) {
    return i == 0 || model.layers[i].existing != model.layers[i - 1].existing;
}

// Overlay on existing pavement: a heavy line where they meet, wider than the
// stack.
void DrawOverlayOnExisting(QPainter& p, const CrossSectionModel& model, const StackGeometry& stack) {
    for (std::size_t i = 1; i < model.layers.size(); ++i) {
        if (!model.layers[i].existing || !StartsGroup(model, i)) continue;
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(QPointF(stack.stackLeft - 8, stack.bandTop[i]),
                   QPointF(stack.stackLeft + kStackWidth + 8, stack.bandTop[i]));
    }
}

// A label of two lines for every band, centred on it where there is room,
// and for an overlay a heading over each group (OVERLAY, EXISTING PAVEMENT).
std::vector<Label> PlaceLabels(const CrossSectionModel& model, const StackGeometry& stack, bool overlay,
                               int lineHeight) {
    std::vector<Label> labels;
    for (std::size_t i = 0; i < model.layers.size(); ++i) {
        if (overlay && StartsGroup(model, i)) {
            const QString heading = model.layers[i].existing ? "EXISTING PAVEMENT" : "OVERLAY";
            labels.push_back({stack.bandTop[i] + lineHeight / 2.0, double(lineHeight), 0.0, -1, heading});
        }
        labels.push_back({(stack.bandTop[i] + stack.bandBottom[i]) / 2.0, 2.0 * lineHeight, 0.0,
                          static_cast<int>(i), {}});
    }
    Spread(labels, stack.drawingHeight - 2);
    return labels;
}

// The labels beside the stack, each band's joined to it by a leader line:
// the material, then its thickness and coefficient.
void DrawLabels(QPainter& p, const CrossSectionModel& model, const StackGeometry& stack,
                const std::vector<Label>& labels, const QFont& font) {
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    QFont bold = font;
    bold.setBold(true);
    const double labelWidth = stack.drawingWidth - stack.labelLeft;
    for (const Label& label : labels) {
        if (label.layer < 0) {
            p.setFont(bold);
            p.setPen(Qt::black);
            p.drawText(QRectF(stack.labelLeft, label.top, labelWidth, label.height), Qt::AlignLeft | Qt::AlignVCenter,
                       label.heading);
            continue;
        }
        const CrossSectionLayer& layer = model.layers[label.layer];
        const double anchor = (stack.bandTop[label.layer] + stack.bandBottom[label.layer]) / 2.0;
        const double centre = label.top + label.height / 2.0;
        const double stackRight = stack.stackLeft + kStackWidth;
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath leader(QPointF(stackRight + 2, anchor));
        leader.lineTo(stackRight + 8, anchor);
        leader.lineTo(stack.labelLeft - 6, centre);
        leader.lineTo(stack.labelLeft - 2, centre);
        p.drawPath(leader);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setFont(font);
        p.setPen(Qt::black);
        const QRectF text(stack.labelLeft, label.top, labelWidth, lineHeight);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(layer.material, Qt::ElideRight, stack.drawingWidth - stack.labelLeft));
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(text.translated(0, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, LabelDetail(layer));
    }
}

// The bottom of the top asphalt zone, dashed across the stack and labelled
// on its left; or, when the whole structure lies inside the zone, a note
// saying so beside its bottom.
void DrawTopAsphaltZone(QPainter& p, const CrossSectionModel& model, const StackGeometry& stack, const QFont& font) {
    if (model.zoneDepth <= 0.0) return;
    p.setFont(font);
    const int lineHeight = QFontMetrics(font).height();
    const QString depth = QString::fromStdString(FormatNumber(model.zoneDepth, "0.0"));
    const QRectF notes(4, kMargin, stack.stackLeft - 20, stack.drawingHeight - 2 * kMargin);
    const QColor zoneColour(0xb0, 0x1c, 0x1c);
    p.setPen(zoneColour);
    if (model.zoneDepth > model.totalInches + 1e-6) {
        p.drawText(QRectF(notes.left(), stack.bottom - 4 * lineHeight, notes.width(), 4 * lineHeight),
                   Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap,
                   "whole structure inside the top " + depth + " in. asphalt zone");
        return;
    }
    const double zoneY = stack.top + model.zoneDepth * stack.pixelsPerInch;
    // Across the stack on a white line, so that it shows on dark bands too.
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(stack.stackLeft, zoneY), QPointF(stack.stackLeft + kStackWidth, zoneY));
    p.setPen(QPen(zoneColour, 2, Qt::DashLine));
    p.drawLine(QPointF(notes.left(), zoneY), QPointF(stack.stackLeft + kStackWidth + 6, zoneY));
    p.setPen(zoneColour);
    const QString text = "bottom of top " + depth + " in.\nasphalt zone";
    const double height = 3 * lineHeight;
    // Above the line where it fits, else below it.
    if (zoneY - height - 2 >= 0) {
        p.drawText(QRectF(notes.left(), zoneY - height - 2, notes.width(), height),
                   Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap, text);
    } else {
        p.drawText(QRectF(notes.left(), zoneY + 2, notes.width(), height),
                   Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, text);
    }
}


}  // namespace

CrossSectionView::CrossSectionView(const ResultScreen& screen, const DesignRecord& record, bool overlay,
                                   QWidget* parent)
    : QWidget(parent), screen_(screen), record_(record), overlay_(overlay) {
    setMinimumSize(kLeastWidth, kLeastHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setAccessibleName(overlay ? "Cross-section of the proposed overlay and the existing pavement"
                              : "Cross-section of the proposed pavement");
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
}

QSize CrossSectionView::sizeHint() const { return {kPreferredWidth, kPreferredHeight}; }

CrossSectionModel CrossSectionView::Model() const {
    return screen_.numbers() ? ReadCrossSection(*screen_.numbers(), record_) : CrossSectionModel{};
}

void CrossSectionView::paintEvent(QPaintEvent*) {
    const CrossSectionModel model = Model();
    if (model.layers.empty()) return;  // nothing evaluated, or the rows were cleared

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const StackGeometry stack = LayOutStack(model, width(), height());
    DrawBands(p, model, stack);
    DrawCourseBoundaries(p, model, stack);
    if (overlay_) DrawOverlayOnExisting(p, model, stack);
    DrawLabels(p, model, stack, PlaceLabels(model, stack, overlay_, QFontMetrics(font()).height()), font());
    DrawTopAsphaltZone(p, model, stack, font());
}

}  // namespace korvelle
