#include "widgets.h"

namespace korvelle {

QLabel* MakeHeading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(text);
    label->setProperty(kHeadingProperty, true);
    return label;
}

QLabel* MakeCaption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QLabel* MakeNote(const QString& text, QWidget* parent, bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(wrap);
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(text);
    return label;
}

QFrame* MakeRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    return rule;
}

}  // namespace korvelle
