#include "report/prepared/print_prepared.h"

#include "report/prepared/page_draw.h"

namespace lum {

QString printJobTitle(const QString& reportTitle) {
    return QStringLiteral("Tiberlaine: ") + (reportTitle.isEmpty() ? QStringLiteral("Untitled") : reportTitle);
}

namespace {

// What the user reads when nothing could be printed: the windows' own
// language, unlike the engine's progress captions.
const QString kNoPrinter = QStringLiteral("プリンタが選択されていません。");
const QString kNothingToPrint = QStringLiteral("印刷するページがありません。");

// The print system's own words go on a line of their own under ours.
QString withReason(const QString& text, const QString& reason) {
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

// The queue's state before anything is sent; a queue that refuses jobs
// refuses them stopped or not.
PrintCheck checkQueue(TfrPrinter& printer) {
    PrintQueues* queues = printer.queues();
    const std::optional<QueueState> state = queues ? queues->state(printer.device()->name()) : std::nullopt;
    if (!state) return {};
    const QString name = printer.device()->destination();
    if (!state->accepting)
        return {PrintCheck::DontPrint,
                withReason(QStringLiteral("「%1」は印刷ジョブを受け付けていません。").arg(name), state->reason)};
    if (state->activity == QueueState::Activity::Stopped)
        return {PrintCheck::PrintAfterWarning,
                withReason(QStringLiteral("「%1」は停止中です。印刷は再開されるまで待機します。").arg(name), state->reason)};
    return {};
}

PrintCheck checkPages(int pageCount, const PageList& pages, const TfrPrinter& printer) {
    if (!printer.device()) return {PrintCheck::DontPrint, kNoPrinter};
    if (pages.firstOf(pageCount) == 0) return {PrintCheck::DontPrint, kNothingToPrint};
    return {};
}

class PrintJob {
public:
    PrintJob(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run)
        : pages_(pages), printer_(printer), run_(run), title_(printJobTitle(run.title)) {}

    PrintOutcome print(QString* error) {
        // A list that selects no page sends nothing (an empty job would still
        // feed a blank sheet on many printers) and says so.
        if (const PrintCheck check = checkPages(pages_.Count(), run_.pages, printer_);
            check.verdict == PrintCheck::DontPrint) {
            if (error) *error = check.text;
            return PrintOutcome::Failed;
        }
        PrinterDevice* device = printer_.device();
        const TfrPreparedPage& first = pages_.GetPage(run_.pages.firstOf(pages_.Count()) - 1);
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
        if (!handOver()) return fail(printer_.device(), error);
        printer_.device()->finishRun();
        return PrintOutcome::Printed;
    }

private:
    PrintOutcome fail(PrinterDevice* device, QString* error) {
        if (device) {
            // A job the queue refused has ended already.
            if (!refused_) device->abortJob();
            device->finishRun();
        }
        if (error) *error = printFailedText(device ? device->destination() : QString(), refusal_);
        return PrintOutcome::Failed;
    }

    // Ends the job, which hands it to the print system, and learns whether
    // the queue took it; a refusal's reason is kept for the message.
    bool handOver() {
        PrinterDevice* device = printer_.device();
        PrintQueues* queues = printer_.queues();
        if (queues) queues->handingOver(device->name());
        device->endJob();
        if (!queues) return true;
        const JobAnswer answer = queues->handedOver(device->name());
        refused_ = !answer.taken;
        refusal_ = answer.reason;
        return answer.taken;
    }

    bool printOnePage(int i) {
        TfrPreparedPage& page = pages_.GetPage(i);
        PrinterDevice* device = printer_.device();
        if (!printer_.SameSettings(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation)) {
            if (!handOver()) return false;
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
    bool refused_ = false;  // a queue did not take a job handed over
    QString refusal_;       // and said why
};

}  // namespace

QString printFailedText(const QString& destination, const QString& reason) {
    return withReason(QStringLiteral("「%1」への印刷に失敗しました。").arg(destination), reason);
}

PrintCheck CheckBeforePrinting(int pageCount, const PageList& pages, TfrPrinter& printer) {
    const PrintCheck check = checkPages(pageCount, pages, printer);
    return check.verdict == PrintCheck::DontPrint ? check : checkQueue(printer);
}

PrintOutcome PrintPageList(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run, QString* error) {
    return PrintJob(pages, printer, run).print(error);
}

}  // namespace lum
