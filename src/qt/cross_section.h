#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "core/design_record.h"
#include "ui/structure_screens.h"

namespace korvelle {

// What a layer is made of, for its colour in the drawing.
enum class LayerKind { SpreadRateSurface, AsphaltMix, Concrete, StabilizedBase, GranularBase };

// One band of the cross-section: a course, or one part of a course split at
// the bottom of the top asphalt zone.
struct CrossSectionLayer {
    QString material;     // as the result row shows it
    QString thickness;    // the thickness or spread rate as shown
    double inches = 0.0;  // height to scale; 0 for a layer laid by spread rate
    bool spreadRate = false;
    QString coefficient;
    bool existing = false;   // a course of the existing pavement under an overlay
    bool lowerPart = false;  // the part of a split course below the top zone
    LayerKind kind = LayerKind::AsphaltMix;
};

// The evaluated structure as the result screen shows it, top down.
struct CrossSectionModel {
    std::vector<CrossSectionLayer> layers;
    // Depth of the top asphalt zone, measured down from the top of the first
    // layer drawn to scale (below a course laid by spread rate); 0 for none.
    double zoneDepth = 0.0;
    double totalInches = 0.0;
};

// The bands of an evaluated structure: one per course, or two for a course
// split at the bottom of the top zone (an upper part of no thickness is no
// band).  The record gives the material names.
CrossSectionModel ReadCrossSection(const StructureNumbers& numbers, const DesignRecord& record);

// The evaluated structure drawn as a cross-section: one band per course or
// part of a course, its height to scale, labelled with material, thickness
// and coefficient, with the bottom of the top asphalt zone dashed and, for an
// overlay, a heavy line between the overlay and the existing pavement.
class CrossSectionView : public QWidget {
public:
    // Draws the numbers of the evaluation the result screen shows.
    CrossSectionView(const ResultScreen& screen, const DesignRecord& record, bool overlay, QWidget* parent);
    CrossSectionModel Model() const;
    // The drawing asks for its full size and shrinks, to a least size, on a
    // small screen.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ResultScreen& screen_;
    const DesignRecord& record_;
    bool overlay_;
};

}  // namespace korvelle
