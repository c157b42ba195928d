#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "core/design_record.h"
#include "core/structure_evaluation.h"

namespace korvelle::testing {

// A full-depth design worked out by hand: 10,000 and 20,000 vpd over 2000 to
// 2020 give a mean of 15,000; 15,000 x 0.50 x 0.125 x 1.20 = 1,125 daily
// loads; 1,125 x 20 x 365 = 8,212,500.
inline DesignRecord ExampleRecord() {
    DesignRecord r;
    r.projectNumber = "NH-0123(45)";
    r.piNumber = "1234567";
    r.countyName = "ALLENBY";
    r.projectDescription = "Widening of the county road";
    r.initialYear = 2000;
    r.finalYear = 2020;
    r.initialAadt = 10000;
    r.finalAadt = 20000;
    r.truckPercent = 12.5f;
    r.ldf = 50.0f;
    r.terminalServiceability = 2.5f;
    r.soilSupport = 3.0f;
    r.regionalFactor = 1.5f;
    r.esal18 = 1.2f;
    r.meanAadt = 15000;
    r.dailyLoads = 1125;
    r.designLoading = 8212500;
    r.requiredSn = 3.44f;
    r.fullDepthCourseCount = 4;
    r.officeIndex = 1;
    r.designerName = "A. Designer, Pavement Engineer";
    r.designDate = "December 8, 2026";
    r.designComments = "None";
    return r;
}

// The result screen of that design: 1.50, 2.00, 3.00 and 8.00 inches, the
// 25 mm course split at the bottom of the top asphalt zone.  Proposed SN
// 0.66 + 0.88 + 0.44 + 0.60 + 1.20 = 3.78, (3.78 - 3.44) / 3.44 = 9.9 %.
inline ResultSheet ExampleSheet() {
    ResultSheet s;
    s.rows.resize(5);
    s.rows[0] = {"12.5 mm Superpave", "1.50", "38", "0.44", "0.66", "", "", "", ""};
    s.rows[1] = {"19 mm Superpave", "2.00", "51", "0.44", "0.88", "", "", "", ""};
    s.rows[2] = {"25 mm Superpave", "1.00", "25", "0.44", "0.44", "2.00", "51", "0.30", "0.60"};
    s.rows[3] = {"Graded Aggregate Base", "8.00", "203", "0.15", "1.20", "", "", "", ""};
    s.requiredSn = "3.44";
    s.proposedSn = "3.78";
    s.difference = "9.9%";
    s.verdict = "Overdesign";
    return s;
}

// The text of a PDF laid out on a grid of 7.2-point (tenth of an inch)
// columns, one string per line; pages are separated by a form feed.
inline QStringList PdfLines(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-fixed", "7.2", pdf, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\n');
}

// The first line holding the text, or -1.
inline int LineWith(const QStringList& lines, const QString& text) {
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text)) return i;
    }
    return -1;
}

}  // namespace korvelle::testing
