// The whole design form printed to a PDF file, as a user printing to a file
// gets it: through the real page on a QPrinter in PDF format.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include "designs.h"
#include "print/design_form.h"
#include "qt/form_page_setup.h"
#include "qt/qt_page.h"
#include "qt/qt_print_service.h"

namespace korvelle::bench {
namespace {

// The desktop's print service with the print dialog answered beforehand:
// the form goes to the given file.
class PrintToFile : public QtPrintService {
public:
    explicit PrintToFile(QString file) : file_(std::move(file)) {}

protected:
    bool PrintDialog(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file_);
        return true;
    }

private:
    QString file_;
};

// The layout on the page and the painting of the PDF alone.
void BM_FullDepthFormOnQtPagePdf(benchmark::State& state) {
    DesignRecord record = MillionLoadDesign();
    const ResultSheet sheet = *EvaluateFullDepth(FullDepthStructure(), record);
    const std::string face = QtPrintService().CourierSubstitute();
    QTemporaryDir folder;
    const QString file = folder.filePath("form.pdf");
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          FormMargins(8.5), QPageLayout::Inch));
        QtPage page(printer);
        PrintFullDepthForm(page, record, sheet, face, 12.0);
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(file).size());
    if (QFileInfo(file).size() == 0) state.SkipWithError("no PDF was written");
}
BENCHMARK(BM_FullDepthFormOnQtPagePdf)->Unit(benchmark::kMillisecond);

// The whole print of the desktop's print service: printer set-up, margins,
// layout, painting, and the finished file put in place.
void PrintWholeForm(benchmark::State& state, FormKind kind) {
    DesignRecord record = MillionLoadDesign();
    const ResultSheet sheet = kind == FormKind::FullDepth
                                  ? *EvaluateFullDepth(FullDepthStructure(), record)
                                  : *EvaluateOverlay(OverlayCourses(), ExistingCourses(), record);
    QTemporaryDir folder;
    PrintToFile printing(folder.filePath("design-form.pdf"));
    const FontChoice font{printing.CourierSubstitute(), 12.0};
    for (auto _ : state) {
        const PrintOutcome outcome = printing.PrintForm(kind, font, record, sheet, [](int) { return true; });
        if (outcome.kind != PrintOutcome::Saved) {
            state.SkipWithError(("the form was not saved: " + outcome.detail).c_str());
            break;
        }
    }
}

void BM_FullDepthFormPrintedToPdf(benchmark::State& state) { PrintWholeForm(state, FormKind::FullDepth); }
BENCHMARK(BM_FullDepthFormPrintedToPdf)->Unit(benchmark::kMillisecond);

void BM_OverlayFormPrintedToPdf(benchmark::State& state) { PrintWholeForm(state, FormKind::Overlay); }
BENCHMARK(BM_OverlayFormPrintedToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvelle::bench
