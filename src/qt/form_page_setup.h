#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <string>
#include <vector>

namespace korvelle {

// How the design form is set up on paper, and the faces it can be printed
// in: what PRINT and korvelle-cli's PDF share.  Qt's GUI alone, no widgets.

// The width of the widest lines of the form (77 columns of a 10-pitch face
// at 12 points) with half a column to spare, in inches.
inline constexpr double kFormWidth = 7.75;

// Margins, in inches, for a sheet of the given width: about half an inch on
// the left, and a right margin that leaves at least kFormWidth inches of
// printable width wherever the paper allows it.
QMarginsF FormMargins(double paperWidth);
// The layout with the form's margins, or the paper's smallest ones where
// those are wider.
QPageLayout FormLayout(QPageLayout layout);
// What PRINT lays the form out on when it writes a file and no printer is
// installed: Letter, portrait, with the form's margins.
QPageLayout LetterFormLayout();

// The font families installed on the system.
std::vector<std::string> InstalledFaces();
// The family the system gives for a fixed-pitch "Courier".
std::string CourierSubstitute();

}  // namespace korvelle
