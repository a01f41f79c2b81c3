#include "report/print/tfr_printer.h"

#include "report/print/paper_table.h"

#include <cmath>
#include <utility>

namespace lum {

TfrPrinter::TfrPrinter(PrinterPlatform* platform) { AttachPrinter(platform); }
TfrPrinter::~TfrPrinter() = default;

void TfrPrinter::AttachPrinter(PrinterPlatform* platform) {
    platform_ = platform;
    devices_.clear();
    Printers.clear();
    if (platform_) devices_ = platform_->printers();
    for (const auto& d : devices_) Printers.append(d->name());
    Printers.append(kDefaultPrinterName);
    DefaultPrinterIndex = int(devices_.size());
    const int current = platform_ ? platform_->defaultIndex() : -1;
    PrinterIndex = current >= 0 && current < DefaultPrinterIndex ? current : DefaultPrinterIndex;
    if (isDefaultPrinter()) ApplyDeviceMode();
    else FillPaperList();
}

PrinterDevice* TfrPrinter::device() const {
    return isDefaultPrinter() ? nullptr : devices_.at(size_t(PrinterIndex)).get();
}

PrintQueues* TfrPrinter::queues() const {
    const PrinterDevice* d = device();
    return d && !d->writesFile() && platform_ ? platform_->queues() : nullptr;
}

int TfrPrinter::DialogPrinterIndex() const {
    if (!hasPrinters()) return -1;
    if (!isDefaultPrinter()) return PrinterIndex;
    const int current = platform_ ? platform_->defaultIndex() : -1;
    if (current >= 0 && current < DefaultPrinterIndex) return current;
    for (int i = 0; i < DefaultPrinterIndex; ++i)
        if (devices_.at(size_t(i))->writesFile()) return i;
    return 0;
}

void TfrPrinter::SelectPrinter(int index) {
    if (index < 0 || index >= Printers.size()) return;
    PrinterIndex = index;
    if (isDefaultPrinter()) ApplyDeviceMode();
    else FillPaperList();
}

void TfrPrinter::FillPaperList() {
    PrinterDevice* d = device();
    if (!d) return;
    PaperSize = d->paperCode();
    Orientation = d->orientation();
    const DeviceGeometry g = d->geometry();
    PaperWidth = g.dpiX > 0 ? int(std::nearbyint(double(g.pageWidth) / g.dpiX * 254)) : 0;
    PaperHeight = g.dpiY > 0 ? int(std::nearbyint(double(g.pageHeight) / g.dpiY * 254)) : 0;
    PaperSizes = d->paperCodes();
    PaperNames = d->paperNames();
}

void TfrPrinter::ApplyDeviceMode() {
    if (PrinterDevice* d = device()) {
        d->setPaper(PaperSize, PaperWidth, PaperHeight, Orientation);
        FillPaperList();
        return;
    }
    PaperSizes.clear();
    PaperNames.clear();
    for (const PaperInfo& p : paperTable()) {
        PaperSizes.append(p.code);
        PaperNames.append(QString::fromLatin1(p.name));
    }
    if (const PaperInfo* p = findPaper(PaperSize); p && p->code != kPaperCustom) {
        PaperWidth = p->width;
        PaperHeight = p->height;
        if (Orientation == 1) std::swap(PaperWidth, PaperHeight);
    }
}

bool TfrPrinter::SameSettings(int paperSize, int width, int height, int orientation) const {
    if (paperSize != PaperSize || orientation != Orientation) return false;
    return paperSize != kPaperCustom || (width == PaperWidth && height == PaperHeight);
}

void TfrPrinter::SetPrinterSettings(int paperSize, int width, int height, int orientation) {
    if (SameSettings(paperSize, width, height, orientation)) return;
    PaperSize = paperSize;
    PaperWidth = width;
    PaperHeight = height;
    Orientation = orientation;
    ApplyDeviceMode();
}

PageGeometry TfrPrinter::FillPageInfo() const {
    PrinterDevice* d = device();
    if (!d) return defaultPrinterGeometry(PaperSize, PaperWidth, PaperHeight, Orientation);
    const DeviceGeometry g = d->geometry();
    const auto px = [](int dots, int dpi, double ppi) { return dpi > 0 ? int(std::nearbyint(dots * ppi / dpi)) : 0; };
    PageGeometry p;
    p.paperSize = PaperSize;
    p.paperWidth = PaperWidth;
    p.paperHeight = PaperHeight;
    p.orientation = Orientation;
    p.pageWidth = px(g.pageWidth, g.dpiX, kScreenPixelsPerInchX);
    p.pageHeight = px(g.pageHeight, g.dpiY, kScreenPixelsPerInchY);
    p.offsetLeft = px(g.offsetLeft, g.dpiX, kScreenPixelsPerInchX);
    p.offsetTop = px(g.offsetTop, g.dpiY, kScreenPixelsPerInchY);
    p.printableWidth = px(g.printableWidth, g.dpiX, kScreenPixelsPerInchX);
    p.printableHeight = px(g.printableHeight, g.dpiY, kScreenPixelsPerInchY);
    return p;
}

PageGeometry TfrPrinter::SetupPaper(int paperSize, int width, int height, int orientation) {
    SetPrinterSettings(paperSize, width, height, orientation);
    return FillPageInfo();
}

TfrPrinter& ReportPrinter() {
    static TfrPrinter printer;
    return printer;
}

}  // namespace lum
