// TfrReport's prepared pages after preparation: the .frp file, the printer
// choice and printing under the progress window.
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"
#include "report/prepared/frp_stream.h"
#include "report/prepared/print_prepared.h"
#include "report/print/tfr_printer.h"

namespace lum {

bool TfrReport::SavePreparedToFile(const QString& fileName, QString* error) {
    const TfrPrinter& printer = ReportPrinter();
    return lum::SavePreparedToFile(fileName, EMFPages, printer.Printers.value(printer.PrinterIndex), error);
}

bool TfrReport::LoadPreparedFromFile(const QString& fileName, QString* error) {
    FrpContext ctx;
    ctx.selectPrinter = [this](const QString& name) { SelectPrinterByName(name); };
    ctx.setupPaper = [](int code, int w, int h, int o) { return ReportPrinter().SetupPaper(code, w, h, o); };
    const FrpLoadResult r = lum::LoadPreparedFromFile(fileName, EMFPages, ctx);
    if (!r.ok) {
        if (error) *error = r.message;
        return false;
    }
    CanRebuild = false;
    return true;
}

void TfrReport::SelectPrinterByName(const QString& name) {
    if (Template.PrintToDefault) return;
    const int index = int(ReportPrinter().Printers.indexOf(name));
    if (index >= 0) ReportPrinter().SelectPrinter(index);
}

bool TfrReport::SwitchPrinter(int oldIndex, int newIndex) {
    TfrPrinter& printer = ReportPrinter();
    const auto setUpPages = [&] {
        for (int i = 0; i < Pages().Count(); ++i) {
            const TfrPage& p = Pages()[i];
            printer.SetupPaper(p.PaperSize, p.PaperWidth, p.PaperHeight, p.Orientation);
        }
    };
    try {
        printer.SelectPrinter(newIndex);
        printer.ApplyDeviceMode();
        setUpPages();
        PaperSetup = [](const TfrPage& p) {
            return ReportPrinter().SetupPaper(p.PaperSize, p.PaperWidth, p.PaperHeight, p.Orientation);
        };
        return true;
    } catch (const std::exception&) {
        ui().showError(QStringLiteral("Printer selected is not valid"));
        printer.SelectPrinter(oldIndex);
        setUpPages();
        return false;
    }
}

bool TfrReport::PrintPrepared(const QString& pageList, int copies, QString* error) {
    PrintRun run;
    if (!ParsePageList(pageList, run.pages, error)) return false;
    engine().CurrentReport = this;
    Terminated = false;
    run.copies = copies;
    run.title = Title;
    const QString first = QStringLiteral("Printing page:");
    const bool window = !OnProgress && ShowProgress;
    run.progress = [&](int pageNo) {
        if (OnProgress) OnProgress(pageNo);
        if (window && progress().isVisible()) {
            progress().setLabel(QStringLiteral("%1  %2").arg(first).arg(pageNo));
            progress().processEvents();
        }
        return !Terminated;
    };
    PrintOutcome outcome = PrintOutcome::Printed;
    QString failure;
    const auto job = [&] { outcome = PrintPageList(EMFPages, ReportPrinter(), run, &failure); };
    if (window) {
        progress().OnCancel = [this] { Terminated = true; };
        progress().runModal(progressCaption(), first, [&] {
            job();
            if (progress().isVisible()) progress().close(outcome == PrintOutcome::Printed);
        });
    } else {
        job();
    }
    Terminated = false;
    if (outcome == PrintOutcome::Failed) {
        if (error) *error = failure;
        return false;
    }
    return true;
}

}  // namespace lum
