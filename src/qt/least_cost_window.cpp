#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/least_cost_screen.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

FormWindow* BuildLeastCostWindow(WindowContext& context) {
    using S = LeastCostScreen;
    auto* w = new FormWindow(context.logic, ScreenTitle("Least Cost"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("LEAST-COST THICKNESSES", w));
    layout->addWidget(MakeNote("The materials stay as chosen on the entry screen; each course takes the thickness, "
                               "in quarter inches within its range, that makes the structure cost least while it "
                               "still meets the required SN.",
                               w));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    grid->addWidget(MakeCaption("COURSE", nullptr, w), 0, 0);
    grid->addWidget(MakeCaption("LEAST (INCHES)", nullptr, w), 0, 1);
    grid->addWidget(MakeCaption("GREATEST (INCHES)", nullptr, w), 0, 2);
    grid->addWidget(MakeCaption("PRICE", nullptr, w), 0, 3);
    QList<int> order;
    for (int line = 0; line < S::kLines; ++line) {
        const QString course = QString("COURSE %1").arg(line + 1);
        QLabel* material = w->AddDisplay(S::MaterialOf(line), course + " material");
        material->setMinimumWidth(material->fontMetrics().horizontalAdvance(QString(34, QLatin1Char('x'))));
        QLineEdit* least = w->AddField(S::LeastOf(line), course + " LEAST", 0, "The thinnest this course may be, inches");
        QLineEdit* greatest =
            w->AddField(S::GreatestOf(line), course + " GREATEST", 0, "The thickest this course may be, inches");
        for (QLineEdit* field : {least, greatest}) {
            field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(9, QLatin1Char('0'))));
            field->setAlignment(Qt::AlignRight);
        }
        grid->addWidget(material, line + 1, 0);
        grid->addWidget(least, line + 1, 1);
        grid->addWidget(greatest, line + 1, 2);
        grid->addWidget(w->AddDisplay(S::PriceOf(line), course + " price"), line + 1, 3);
        order << S::LeastOf(line) << S::GreatestOf(line);
    }
    layout->addLayout(grid);
    QLabel* status = w->AddDisplay(S::kStatus, "Least-cost structure");
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    layout->addWidget(status);
    layout->addLayout(w->AddButtonRow({{S::kFind, "FIND"}, {S::kClose, "CLOSE"}}));
    w->AddShortcut(QKeySequence(Qt::Key_Escape), S::kClose);
    order << S::kFind << S::kClose;
    w->SetFocusOrder(order);
    return w;
}

}  // namespace korvelle
