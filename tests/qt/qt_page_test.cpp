#include "qt/qt_page.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <stdexcept>

#include "print/design_form.h"
#include "print_support.h"
#include "qt/qt_print_service.h"

namespace korvelle::testing {
namespace {

constexpr double kInch = 72.0;  // points

// A Letter sheet printed to a PDF file with a 0.45 inch left, 0.3 inch right
// and half-inch top and bottom margins: 7.75 by 10 inches to print on.
class QtPageTest : public ::testing::Test {
protected:
    QtPageTest() : printer(QPrinter::HighResolution) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(File());
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0.45, 0.5, 0.3, 0.5), QPageLayout::Inch));
    }
    QString File() const { return folder.filePath("form.pdf"); }
    static std::string Courier() { return QtPrintService().CourierSubstitute(); }

    QTemporaryDir folder;
    QPrinter printer;
};

// Where a word stands on the page, in points from the sheet's top-left
// corner, as the PDF reader finds it.
struct WordBox {
    double xMin = -1, yMin = -1, xMax = -1, yMax = -1;
};

WordBox BoxOf(const QString& pdf, const QString& word) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished(30000);
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression re(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" +
        QRegularExpression::escape(word) + "</word>");
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch()) return {};
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble()};
}

TEST_F(QtPageTest, MeasuresInInchesOfTheFontAndThePrintableArea) {
    QtPage page(printer);
    EXPECT_DOUBLE_EQ(page.PrintableWidth(), 7.75);
    EXPECT_DOUBLE_EQ(page.PrintableHeight(), 10.0);
    page.SetFaceName(Courier());
    page.SetSize(12.0);
    page.SetScaleInches();
    // A Courier face at 12 points prints 10 characters to the inch.
    EXPECT_NEAR(page.TextWidth("0"), 0.1, 0.001);
    EXPECT_NEAR(page.TextWidth(std::string(75, '=')), 7.5, 0.075);
    EXPECT_EQ(page.TextWidth(""), 0.0);
    // Single-spaced lines, six to the inch at 12 points, whatever the text.
    EXPECT_DOUBLE_EQ(page.TextHeight("a"), 1.0 / 6.0);
    EXPECT_DOUBLE_EQ(page.TextHeight("Ag"), 1.0 / 6.0);
    page.SetSize(24.0);
    EXPECT_NEAR(page.TextWidth("0"), 0.2, 0.002);
    EXPECT_DOUBLE_EQ(page.TextHeight("a"), 1.0 / 3.0);
    // Bold keeps the pitch of a fixed-pitch face.
    page.SetSize(12.0);
    page.SetBold(true);
    EXPECT_NEAR(page.TextWidth("0"), 0.1, 0.001);
}

TEST_F(QtPageTest, PrintsTextWithItsTopAtThePositionInsideTheMargins) {
    {
        QtPage page(printer);
        page.SetFaceName(Courier());
        page.SetSize(12.0);
        page.SetScaleInches();
        page.SetX(1.0);
        page.SetY(2.0);
        page.PrintText("MARK");
        EXPECT_NEAR(page.X(), 1.4, 0.004);  // moved past the text
        EXPECT_EQ(page.Y(), 2.0);
        page.SetX(0.0);
        page.SetY(0.0);
        page.PrintText("CORNER");
        EXPECT_FALSE(QFile::exists(File()));  // nothing reaches the printer before the end
        page.EndDocument();
        EXPECT_THROW(page.PrintText("late"), PageError);
        EXPECT_THROW(page.EndDocument(), PageError);
    }
    // 0.45 inch margin + 1 inch = 104.4 points from the left edge; 0.5 + 2
    // inches = 180 points from the top.  Letters start a little below the
    // top of the line (the reader's box is the capitals' height).
    const WordBox mark = BoxOf(File(), "MARK");
    EXPECT_NEAR(mark.xMin, 104.4, 0.5);
    EXPECT_NEAR(mark.xMax, 104.4 + 4 * 7.2, 0.5);
    EXPECT_GE(mark.yMin, 180.0 - 0.5);
    EXPECT_LE(mark.yMax, 180.0 + 12.0 * 1.4);
    const WordBox corner = BoxOf(File(), "CORNER");
    EXPECT_NEAR(corner.xMin, 0.45 * kInch, 0.5);
    EXPECT_GE(corner.yMin, 0.5 * kInch - 0.5);
    EXPECT_LE(corner.yMin, 0.5 * kInch + 12.0);
}

// The text of one page of a PDF, as the reader finds it.
QString PageText(const QString& pdf, int page) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The face asked for: the one the system prints for "Courier", and
// "Courier New" as the system resolves it.
class QtPageFormTest : public QtPageTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Face() const { return std::string(GetParam()) == "Courier" ? Courier() : GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(CourierFaces, QtPageFormTest, ::testing::Values("Courier", "Courier New"));

TEST_P(QtPageFormTest, AFullDepthFormPrintsItsColumnsOnTheTenthInchGrid) {
    {
        QtPage page(printer);
        PrintFullDepthForm(page, ExampleRecord(), ExampleSheet(), Face(), 12.0);
        EXPECT_EQ(page.PageCount(), 1);
        // The widest line, 75 columns from column 3, ends inside the page.
        EXPECT_LE(77 * page.TextWidth("="), page.PrintableWidth());
    }
    const QStringList lines = PdfLines(File());
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.join('\n').count('\f'), 1);  // one page
    // The reader starts its grid at the sheet's edge: "Project:" stands in
    // column 3 of the form.
    const int project = LineWith(lines, "Project:");
    ASSERT_GE(project, 0);
    const int shift = static_cast<int>(lines[project].indexOf("Project:")) - 2;
    // Form column of the first and the last character of a text on a line.
    auto first = [&](int line, const QString& text) {
        const qsizetype at = lines[line].indexOf(text);
        return at < 0 ? -1 : static_cast<int>(at) - shift + 1;
    };
    auto last = [&](int line, const QString& text) {
        const int column = first(line, text);
        return column < 0 ? -1 : column + static_cast<int>(text.size()) - 1;
    };
    EXPECT_EQ(first(project, "County:"), 55);

    const int base = LineWith(lines, "Graded Aggregate Base");
    ASSERT_GE(base, 0);
    EXPECT_EQ(first(base, "Graded Aggregate Base"), 3);
    EXPECT_EQ(last(base, "8.00"), 33);
    EXPECT_EQ(last(base, "(203)"), 46);
    EXPECT_EQ(first(base, "0.15"), 53);
    EXPECT_EQ(first(base, "1.20"), 68);

    // The split course: its second line has no material and the same columns.
    const int split = LineWith(lines, "25 mm Superpave");
    ASSERT_GE(split, 0);
    EXPECT_EQ(last(split, "1.00"), 33);
    EXPECT_EQ(last(split, "(25)"), 46);
    EXPECT_EQ(last(split + 1, "2.00"), 33);
    EXPECT_EQ(first(split + 1, "0.30"), 53);
    EXPECT_EQ(first(split + 1, "0.60"), 68);
    EXPECT_EQ(lines[split + 1].trimmed().left(4), "2.00");

    const int headings = LineWith(lines, "Thickness");
    ASSERT_GE(headings, 0);
    EXPECT_EQ(first(headings, "Thickness"), 34);
    EXPECT_EQ(first(headings + 1, "Material"), 7);
    EXPECT_EQ(first(headings + 1, "Coefficient"), 51);
    EXPECT_EQ(first(LineWith(lines, "Proposed SN"), "Proposed SN"), 54);

    // Three whole rules of 75 "=" from column 3 to column 77.
    int rules = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains('=') || lines[i].contains("SN") || lines[i].contains("loading")) continue;
        if (lines[i].contains("*")) continue;
        ++rules;
        EXPECT_EQ(lines[i].trimmed(), QString(75, '=')) << "line " << i;
        EXPECT_EQ(first(i, "="), 3);
    }
    EXPECT_EQ(rules, 3);

    // The 16-point title stands centred on the printable width: 33
    // characters of 16/120 inch about 0.45 + 7.75 / 2 inches from the edge.
    const WordBox flexible = BoxOf(File(), "FLEXIBLE");
    const WordBox analysis = BoxOf(File(), "ANALYSIS");
    EXPECT_NEAR(analysis.xMax - flexible.xMin, 33 * 16.0 / 120.0 * kInch, 1.0);
    EXPECT_NEAR((analysis.xMax + flexible.xMin) / 2.0, (0.45 + 7.75 / 2.0) * kInch, 1.0);
}

TEST_F(QtPageTest, PagesReachTheFileOnlyWhenTheDocumentEnds) {
    {
        QtPage page(printer);
        page.SetFaceName(Courier());
        page.SetSize(12.0);
        page.SetScaleInches();
        page.PrintText("FIRST");
        page.NewPage();
        page.SetX(0.0);
        page.SetY(0.0);
        page.PrintText("SECOND");
        EXPECT_EQ(page.PageCount(), 2);
        // Given up before the end: nothing is printed.
    }
    EXPECT_FALSE(QFile::exists(File()));

    {
        QtPage page(printer);
        page.SetScaleInches();
        page.SetSize(12.0);
        page.PrintText("FIRST");
        page.NewPage();
        page.PrintText("SECOND");
        page.EndDocument();
    }
    EXPECT_TRUE(PageText(File(), 1).contains("FIRST"));
    EXPECT_FALSE(PageText(File(), 1).contains("SECOND"));
    EXPECT_TRUE(PageText(File(), 2).contains("SECOND"));
}

TEST_F(QtPageTest, AHeldDocumentIsCountedFirstAndReachesTheFileOnlyWhenPainted) {
    QtPage page(printer, QtPage::Painting::OnRequest);
    EXPECT_THROW(page.Paint(), PageError);  // not ended yet
    page.SetScaleInches();
    page.SetSize(12.0);
    page.PrintText("FIRST");
    page.NewPage();
    page.PrintText("SECOND");
    page.EndDocument();
    EXPECT_EQ(page.PageCount(), 2);
    EXPECT_FALSE(QFile::exists(File()));
    page.Paint();
    EXPECT_TRUE(PageText(File(), 2).contains("SECOND"));
    EXPECT_THROW(page.Paint(), PageError);  // once only
}

TEST_F(QtPageTest, RefusesWhatNoPrinterCouldDo) {
    QtPage page(printer);
    EXPECT_THROW(page.PrintText("unplaced"), std::logic_error);  // before the scale is set
    EXPECT_THROW(page.SetSize(0.0), PageError);
    EXPECT_THROW(page.SetSize(-12.0), PageError);

    // A job the printer cannot start.
    QPrinter unwritable(QPrinter::HighResolution);
    unwritable.setOutputFormat(QPrinter::PdfFormat);
    unwritable.setOutputFileName(folder.filePath("no such folder/form.pdf"));
    QtPage lost(unwritable);
    lost.SetScaleInches();
    lost.PrintText("text");
    EXPECT_THROW(lost.EndDocument(), PageError);
    EXPECT_THROW(lost.NewPage(), PageError);  // the document is over
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("no such folder")));
}

}  // namespace
}  // namespace korvelle::testing
