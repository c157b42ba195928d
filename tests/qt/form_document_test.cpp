#include "qt/form_document.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <stdexcept>

#include "print_support.h"
#include "qt/form_page_setup.h"

namespace korvelle::testing {
namespace {

// PRINT's paper: Letter with the form's margins.
QPageLayout Letter() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, FormMargins(8.5),
                       QPageLayout::Inch);
}

// The PDF's pages as pdftotext finds them.
int PagesOf(const QByteArray& pdf) {
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush()) return -1;
    return static_cast<int>(PdfLines(file.fileName()).join('\n').count('\f'));
}

// A PDF without the second it was made in.
QByteArray Timeless(QByteArray pdf) {
    static const QRegularExpression date("/CreationDate \\(D:[^)]*\\)");
    return QString::fromLatin1(pdf).remove(date).toLatin1();
}

class FormDocumentTest : public ::testing::Test {
protected:
    FormJob Job() const { return {FormKind::FullDepth, font, record, sheet}; }

    DesignRecord record = ExampleRecord();
    ResultSheet sheet = ExampleSheet();
    FontChoice font{QtPrintService().CourierSubstitute(), 12.0};
};

TEST_F(FormDocumentTest, CountsThePagesOfTheRealLayoutBeforeAnythingIsPainted) {
    struct Case {
        const char* what;
        std::string projectNumber;
        double size;  // points
        bool onePage;
    };
    for (const Case& c : std::vector<Case>{{"the usual form", "NH-0123(45)", 12.0, true},
                                           {"a 10,000-character project number", std::string(10000, '7'), 12.0, false},
                                           {"a 40-point face", "NH-0123(45)", 40.0, false}}) {
        SCOPED_TRACE(c.what);
        record.projectNumber = c.projectNumber;
        font.size = c.size;
        PdfForm pdf(Letter(), Job());
        const int pages = pdf.PageCount();
        EXPECT_EQ(pages == 1, c.onePage) << pages;
        EXPECT_EQ(PagesOf(pdf.Bytes()), pages);
    }
}

TEST_F(FormDocumentTest, PrintWritesTheSamePdfAsFormPdf) {
    TemporaryHome home;
    ScriptedPrintService service;
    service.printTo = home.Path("form.pdf");
    ASSERT_EQ(service.PrintForm(FormKind::FullDepth, font, record, sheet, [](int) { return true; }).kind,
              PrintOutcome::Saved);
    QFile printed(service.printTo);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(Timeless(printed.readAll()), Timeless(FormPdf(service.lastLayout, Job())));
}

TEST_F(FormDocumentTest, ASheetTheFormCannotPrintIsRefusedBeforeAnyPdfIsMade) {
    sheet.rows.resize(2);
    EXPECT_THROW(PdfForm(Letter(), Job()), std::invalid_argument);
}

}  // namespace
}  // namespace korvelle::testing
