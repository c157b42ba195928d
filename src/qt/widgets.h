#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace korvelle {

// A screen's heading: large, bold, centred; marked with this property.
inline const char* const kHeadingProperty = "korvelleHeading";
QLabel* MakeHeading(const QString& text, QWidget* parent);
// A field's caption; Alt-key users and screen readers reach the field by it.
QLabel* MakeCaption(const QString& text, QWidget* buddy, QWidget* parent);
// A plain fixed text, wrapped when long.
QLabel* MakeNote(const QString& text, QWidget* parent, bool wrap = true);
// A horizontal rule.
QFrame* MakeRule(QWidget* parent);

}  // namespace korvelle
