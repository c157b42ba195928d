#include "form_page_setup.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace korvelle {

namespace {

constexpr double kLeftMargin = 0.45;      // inches
constexpr double kNarrowestLeft = 0.25;   // when the paper is too narrow for the usual margin
constexpr double kNarrowestRight = 0.12;
constexpr double kTopMargin = 0.5;
constexpr double kBottomMargin = 0.5;

}  // namespace

QMarginsF FormMargins(double paperWidth) {
    const double left = std::clamp(paperWidth - kFormWidth - kNarrowestRight, kNarrowestLeft, kLeftMargin);
    const double right = std::clamp(paperWidth - left - kFormWidth, kNarrowestRight, kLeftMargin);
    return QMarginsF(left, kTopMargin, right, kBottomMargin);
}

QPageLayout FormLayout(QPageLayout layout) {
    layout.setUnits(QPageLayout::Inch);
    QMarginsF margins = FormMargins(layout.fullRect(QPageLayout::Inch).width());
    const QMarginsF least = layout.minimumMargins();
    margins = QMarginsF(std::max(margins.left(), least.left()), std::max(margins.top(), least.top()),
                        std::max(margins.right(), least.right()), std::max(margins.bottom(), least.bottom()));
    layout.setMargins(margins);
    return layout;
}

QPageLayout LetterFormLayout() {
    return FormLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch));
}

std::vector<std::string> InstalledFaces() {
    std::vector<std::string> faces;
    for (const QString& family : QFontDatabase::families()) faces.push_back(family.toStdString());
    return faces;
}

std::string CourierSubstitute() {
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    return QFontInfo(courier).family().toStdString();
}

}  // namespace korvelle
