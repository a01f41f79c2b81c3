#pragma once
// A printer as the engine needs it: its paper settings (the platform's
// "device mode": paper code, custom size, orientation, copies), the driver's
// paper list, the page geometry in device units, and a print job drawing
// page by page on a canvas. Implementations: QtPrinterDevice (the printers
// CUPS knows, through Qt Print Support), PdfPrinterDevice (a PDF file) and,
// in the tests, a fake that records the job.
#include "report/print/print_queues.h"
#include "report/render/report_canvas.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lum {

// Geometry of the current paper in device units (dots).
struct DeviceGeometry {
    int dpiX = 600, dpiY = 600;
    int pageWidth = 0, pageHeight = 0;        // the whole sheet
    int offsetLeft = 0, offsetTop = 0;        // unprintable margins
    int printableWidth = 0, printableHeight = 0;
};

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    virtual QString name() const = 0;
    // Where the pages go, as the user knows it: the printer's name, or the
    // file a file printer writes.
    virtual QString destination() const { return name(); }
    // Whether it writes a file rather than paper (the choice of a machine
    // without a printer).
    virtual bool writesFile() const { return false; }

    // Device mode. Width and height in tenths of a millimetre as oriented;
    // they matter for the user-defined size 256. Copies are always 1.
    virtual void setPaper(int paperCode, int width, int height, int orientation) = 0;
    virtual int paperCode() const = 0;
    virtual int orientation() const = 0;
    // The driver's papers: codes and names in the same order.
    virtual QList<int> paperCodes() const = 0;
    virtual QStringList paperNames() const = 0;
    virtual DeviceGeometry geometry() const = 0;

    // A print job. `newPage` starts the next sheet; `canvas` draws on the
    // current one (valid between beginJob and endJob/abortJob).
    virtual bool beginJob(const QString& title) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    virtual void abortJob() = 0;
    virtual ReportCanvas* canvas() = 0;
    // Called once after the last job of a print run (a file is closed here).
    virtual void finishRun() {}
};

// Where the printers come from: the platform's list and its current printer.
class PrinterPlatform {
public:
    virtual ~PrinterPlatform() = default;
    virtual std::vector<std::unique_ptr<PrinterDevice>> printers() = 0;
    virtual int defaultIndex() const = 0;  // -1 when there are no printers
    // The print system behind its printers that are not files; none when
    // nothing can be asked.
    virtual PrintQueues* queues() { return nullptr; }
};

}  // namespace lum
