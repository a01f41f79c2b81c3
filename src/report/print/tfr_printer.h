#pragma once
// TfrPrinter: the engine's view of the printers. It lists the platform's
// printers followed by "Default printer", selects one, knows its papers,
// writes paper size and orientation into it and computes the page geometry
// pages lay out and draw with. "Default printer" (chosen, or the only entry
// on a machine without printers) takes everything from the paper table,
// which makes layout the same on every machine.
#include "report/engine/page_geometry.h"
#include "report/print/printer_device.h"

namespace lum {

inline const QString kDefaultPrinterName = QStringLiteral("Default printer");

class TfrPrinter {
public:
    explicit TfrPrinter(PrinterPlatform* platform = nullptr);
    ~TfrPrinter();
    TfrPrinter(const TfrPrinter&) = delete;
    TfrPrinter& operator=(const TfrPrinter&) = delete;

    // Takes the platform's printers again (at start and before every job);
    // the platform's current printer becomes the selected one.
    void AttachPrinter(PrinterPlatform* platform);
    void AttachPrinter() { AttachPrinter(platform_); }

    QStringList Printers;
    int PrinterIndex = 0;
    int DefaultPrinterIndex = 0;
    int Orientation = 0;
    int PaperSize = 9;
    int PaperWidth = 2100;  // tenths of a millimetre, as oriented
    int PaperHeight = 2970;
    QList<int> PaperSizes;
    QStringList PaperNames;

    bool isDefaultPrinter() const { return PrinterIndex == DefaultPrinterIndex; }
    // The selected real printer; null for "Default printer".
    PrinterDevice* device() const;
    PrinterPlatform* platform() const { return platform_; }
    // The print system to ask about the selected printer; none for a file,
    // for "Default printer" and when the platform has none.
    PrintQueues* queues() const;
    // Whether the platform lists at least one printer.
    bool hasPrinters() const { return DefaultPrinterIndex > 0; }

    // The printer the print dialog offers first: the selected one; with
    // "Default printer" selected, the platform's current printer, else the
    // file printer (a machine without printers), else the first; -1 when the
    // platform lists none. The dialog never opens on an empty printer box.
    int DialogPrinterIndex() const;

    void SelectPrinter(int index);
    void FillPaperList();
    void ApplyDeviceMode();
    bool SameSettings(int paperSize, int width, int height, int orientation) const;
    void SetPrinterSettings(int paperSize, int width, int height, int orientation);
    PageGeometry FillPageInfo() const;
    // SetPrinterSettings, then the geometry: what a page's paper set-up does.
    PageGeometry SetupPaper(int paperSize, int width, int height, int orientation);

private:
    PrinterPlatform* platform_ = nullptr;
    std::vector<std::unique_ptr<PrinterDevice>> devices_;
};

// The engine-wide printer (`ReportPrinter`): "Default printer" only until the
// application attaches the platform's printers.
TfrPrinter& ReportPrinter();

}  // namespace lum
