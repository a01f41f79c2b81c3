#include "report/prepared/print_prepared.h"

#include "report/prepared/page_draw.h"

namespace lum {

QString printJobTitle(const QString& reportTitle) {
    return QStringLiteral("Tiberlaine: ") + (reportTitle.isEmpty() ? QStringLiteral("Untitled") : reportTitle);
}

QString printFailedText(const QString& destination) {
    return QStringLiteral("「%1」への印刷に失敗しました。").arg(destination);
}

namespace {

// What the user reads when nothing could be printed: the windows' own
// language, unlike the engine's progress captions.
const QString kNoPrinter = QStringLiteral("プリンタが選択されていません。");
const QString kNothingToPrint = QStringLiteral("印刷するページがありません。");

class PrintJob {
public:
    PrintJob(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run)
        : pages_(pages), printer_(printer), run_(run), title_(printJobTitle(run.title)) {}

    PrintOutcome print(QString* error) {
        PrinterDevice* device = printer_.device();
        if (!device || pages_.Count() == 0) {
            if (error) *error = device ? kNothingToPrint : kNoPrinter;
            return PrintOutcome::Failed;
        }
        // A list that selects no page sends nothing (an empty job would still
        // feed a blank sheet on many printers).
        int firstIndex = -1;
        for (int i = 0; i < pages_.Count() && firstIndex < 0; ++i)
            if (run_.pages.contains(i + 1)) firstIndex = i;
        if (firstIndex < 0) return PrintOutcome::Printed;
        const TfrPreparedPage& first = pages_.GetPage(firstIndex);
        printer_.SetPrinterSettings(first.PaperSize, first.PaperWidth, first.PaperHeight, first.Orientation);
        if (!device->beginJob(title_)) return fail(device, error);
        const int copies = qMax(1, run_.copies);
        for (int i = 0; i < pages_.Count(); ++i) {
            if (!run_.pages.contains(i + 1)) continue;
            for (int c = 0; c < copies; ++c) {
                if (!printOnePage(i)) return fail(printer_.device(), error);
                if (run_.progress && !run_.progress(i + 1)) {
                    printer_.device()->abortJob();
                    printer_.device()->finishRun();
                    return PrintOutcome::Cancelled;
                }
            }
        }
        printer_.device()->endJob();
        printer_.device()->finishRun();
        return PrintOutcome::Printed;
    }

private:
    PrintOutcome fail(PrinterDevice* device, QString* error) {
        if (device) {
            device->abortJob();
            device->finishRun();
        }
        if (error) *error = printFailedText(device ? device->destination() : QString());
        return PrintOutcome::Failed;
    }

    bool printOnePage(int i) {
        TfrPreparedPage& page = pages_.GetPage(i);
        PrinterDevice* device = printer_.device();
        if (!printer_.SameSettings(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation)) {
            device->endJob();
            printer_.SetPrinterSettings(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation);
            if (!device->beginJob(title_)) return false;
        } else if (sent_ > 0) {
            device->newPage();
        }
        ++sent_;
        page.Geometry = printer_.FillPageInfo();
        const DeviceGeometry g = device->geometry();
        const QRect target = page.UseMargins
                                 ? QRect(QPoint(-g.offsetLeft, -g.offsetTop),
                                         QPoint(g.pageWidth - g.offsetLeft - 1, g.pageHeight - g.offsetTop - 1))
                                 : QRect(0, 0, g.printableWidth, g.printableHeight);
        page.Visible = true;
        if (ReportCanvas* canvas = device->canvas()) DrawPage(page, *canvas, target);
        page.Visible = false;
        return true;
    }

    TfrEMFPages& pages_;
    TfrPrinter& printer_;
    const PrintRun& run_;
    QString title_;
    int sent_ = 0;
};

}  // namespace

PrintOutcome PrintPageList(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run, QString* error) {
    return PrintJob(pages, printer, run).print(error);
}

}  // namespace lum
