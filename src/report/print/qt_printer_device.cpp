#include "report/print/qt_printer_device.h"

#include "report/print/paper_table.h"
#include "report/render/painter_canvas.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>

namespace lum {

QPageSize pageSizeForPaper(int paperCode, int width, int height) {
    int w = width, h = height;
    if (const PaperInfo* p = findPaper(paperCode); p && p->code != kPaperCustom) {
        w = p->width;
        h = p->height;
    }
    if (w > h) std::swap(w, h);
    if (w <= 0 || h <= 0) return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(w / 10.0, h / 10.0), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

namespace {
int tenths(double mm) { return int(std::nearbyint(mm * 10)); }

QList<int> codesOf(const QList<QPageSize>& sizes) {
    QList<int> codes;
    for (const QPageSize& s : sizes) {
        const QSizeF mm = s.size(QPageSize::Millimeter);
        codes.append(paperCodeForSize(tenths(mm.width()), tenths(mm.height())));
    }
    return codes;
}

QStringList namesOf(const QList<QPageSize>& sizes) {
    QStringList names;
    for (const QPageSize& s : sizes) names.append(s.name());
    return names;
}

DeviceGeometry geometryOf(const QPageLayout& layout, int dpi) {
    DeviceGeometry g;
    g.dpiX = g.dpiY = dpi;
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    g.pageWidth = full.width();
    g.pageHeight = full.height();
    g.offsetLeft = paint.left();
    g.offsetTop = paint.top();
    g.printableWidth = paint.width();
    g.printableHeight = paint.height();
    return g;
}
}  // namespace

// ---- PaintedPrinterDevice

PaintedPrinterDevice::~PaintedPrinterDevice() = default;

ReportCanvas* PaintedPrinterDevice::canvas() { return canvas_.get(); }

QPageLayout PaintedPrinterDevice::layout() const {
    return QPageLayout(pageSizeForPaper(paperCode_, width_, height_),
                       orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

bool PaintedPrinterDevice::startPainting(QPagedPaintDevice& device, int dpi) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&device)) {
        painter_.reset();
        return false;
    }
    canvas_ = std::make_unique<QPainterCanvas>(*painter_, dpi, true);
    return true;
}

void PaintedPrinterDevice::stopPainting() {
    canvas_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
}

// ---- QtPrinterDevice

QtPrinterDevice::QtPrinterDevice(const QPrinterInfo& info)
    : info_(info), printer_(std::make_unique<QPrinter>(info, QPrinter::HighResolution)) {
    const QPageLayout l = printer_->pageLayout();
    const QSizeF mm = l.pageSize().size(QPageSize::Millimeter);
    paperCode_ = paperCodeForSize(tenths(mm.width()), tenths(mm.height()));
    orientation_ = l.orientation() == QPageLayout::Landscape ? 1 : 0;
    width_ = tenths(mm.width());
    height_ = tenths(mm.height());
}

QtPrinterDevice::~QtPrinterDevice() { stopPainting(); }

QString QtPrinterDevice::name() const { return info_.printerName(); }

void QtPrinterDevice::setPaper(int paperCode, int width, int height, int orientation) {
    paperCode_ = paperCode;
    width_ = width;
    height_ = height;
    orientation_ = orientation == 1 ? 1 : 0;
    printer_->setPageSize(pageSizeForPaper(paperCode, width, height));
    printer_->setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer_->setCopyCount(1);
}

QList<int> QtPrinterDevice::paperCodes() const { return codesOf(info_.supportedPageSizes()); }
QStringList QtPrinterDevice::paperNames() const { return namesOf(info_.supportedPageSizes()); }

DeviceGeometry QtPrinterDevice::geometry() const { return geometryOf(printer_->pageLayout(), printer_->resolution()); }

bool QtPrinterDevice::beginJob(const QString& title) {
    printer_->setDocName(title);
    return startPainting(*printer_, printer_->resolution());
}

void QtPrinterDevice::newPage() { printer_->newPage(); }
void QtPrinterDevice::endJob() { stopPainting(); }

void QtPrinterDevice::abortJob() {
    printer_->abort();
    stopPainting();
}

// ---- PdfPrinterDevice

PdfPrinterDevice::PdfPrinterDevice(QString fileName, int dpi) : fileName_(std::move(fileName)), dpi_(dpi) {}

PdfPrinterDevice::~PdfPrinterDevice() { finishRun(); }

void PdfPrinterDevice::setPaper(int paperCode, int width, int height, int orientation) {
    paperCode_ = paperCode;
    width_ = width;
    height_ = height;
    orientation_ = orientation == 1 ? 1 : 0;
}

QList<int> PdfPrinterDevice::paperCodes() const {
    QList<int> codes;
    for (const PaperInfo& p : paperTable()) codes.append(p.code);
    return codes;
}

QStringList PdfPrinterDevice::paperNames() const {
    QStringList names;
    for (const PaperInfo& p : paperTable()) names.append(QString::fromLatin1(p.name));
    return names;
}

DeviceGeometry PdfPrinterDevice::geometry() const { return geometryOf(layout(), dpi_); }

bool PdfPrinterDevice::beginJob(const QString& title) {
    if (writer_) {
        // The run goes on in the same file with the new paper.
        writer_->setPageLayout(layout());
        return writer_->newPage();
    }
    writer_ = std::make_unique<QPdfWriter>(fileName_);
    writer_->setResolution(dpi_);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Lumorind"));
    writer_->setPageLayout(layout());
    if (!startPainting(*writer_, dpi_)) {
        writer_.reset();
        return false;
    }
    return true;
}

void PdfPrinterDevice::newPage() {
    if (writer_) writer_->newPage();
}

void PdfPrinterDevice::abortJob() {}

void PdfPrinterDevice::finishRun() {
    stopPainting();
    writer_.reset();
}

// ---- Platforms

std::vector<std::unique_ptr<PrinterDevice>> QtPrinterPlatform::printers() {
    std::vector<std::unique_ptr<PrinterDevice>> out;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        out.push_back(std::make_unique<QtPrinterDevice>(info));
    // A PDF file is one of the printers; its file is chosen when printing.
    out.push_back(std::make_unique<PdfPrinterDevice>(QString()));
    return out;
}

int QtPrinterPlatform::defaultIndex() const {
    const QString name = QPrinterInfo::defaultPrinterName();
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) return -1;
    const int i = int(names.indexOf(name));
    return i < 0 ? 0 : i;
}

std::vector<std::unique_ptr<PrinterDevice>> PdfPrinterPlatform::printers() {
    std::vector<std::unique_ptr<PrinterDevice>> out;
    out.push_back(std::make_unique<PdfPrinterDevice>(fileName_));
    return out;
}

}  // namespace lum
