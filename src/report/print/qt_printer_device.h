#pragma once
// The printers of the platform through Qt Print Support (CUPS on Linux), and
// a PDF file as a printer. Drawing uses the printer's resolution; pages are
// drawn with the printable area's top-left as origin.
#include "report/print/cups_print_queues.h"
#include "report/print/printer_device.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <memory>

class QPainter;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace lum {

class QPainterCanvas;

// The Qt page size for a paper code (and a size for code 256).
QPageSize pageSizeForPaper(int paperCode, int width, int height);

// What the Qt devices share: the paper state and the painter of a job.
class PaintedPrinterDevice : public PrinterDevice {
public:
    ~PaintedPrinterDevice() override;
    int paperCode() const override { return paperCode_; }
    int orientation() const override { return orientation_; }
    ReportCanvas* canvas() override;

protected:
    QPageLayout layout() const;
    bool startPainting(QPagedPaintDevice& device, int dpi);
    void stopPainting();

    int paperCode_ = 9;
    int width_ = 2100, height_ = 2970;
    int orientation_ = 0;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QPainterCanvas> canvas_;
};

class QtPrinterDevice : public PaintedPrinterDevice {
public:
    explicit QtPrinterDevice(const QPrinterInfo& info);
    ~QtPrinterDevice() override;
    QString name() const override;
    void setPaper(int paperCode, int width, int height, int orientation) override;
    QList<int> paperCodes() const override;
    QStringList paperNames() const override;
    DeviceGeometry geometry() const override;
    bool beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;
    void abortJob() override;
    QPrinter& printer() { return *printer_; }

private:
    QPrinterInfo info_;
    std::unique_ptr<QPrinter> printer_;
};

// A PDF file as a printer: every job of one run goes into the same file
// (a paper change starts a page of the new size instead of a new file).
class PdfPrinterDevice : public PaintedPrinterDevice {
public:
    explicit PdfPrinterDevice(QString fileName, int dpi = 600);
    ~PdfPrinterDevice() override;
    QString name() const override { return QStringLiteral("PDF"); }
    QString destination() const override { return fileName_.isEmpty() ? name() : fileName_; }
    bool writesFile() const override { return true; }
    void setPaper(int paperCode, int width, int height, int orientation) override;
    QList<int> paperCodes() const override;
    QStringList paperNames() const override;
    DeviceGeometry geometry() const override;
    bool beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override {}
    void abortJob() override;
    void finishRun() override;
    void setFileName(const QString& fileName) { fileName_ = fileName; }
    const QString& fileName() const { return fileName_; }

private:
    QString fileName_;
    int dpi_;
    std::unique_ptr<QPdfWriter> writer_;
};

// The printers CUPS knows, then "PDF" (a file chosen when printing);
// TfrPrinter adds "Default printer".
class QtPrinterPlatform : public PrinterPlatform {
public:
    std::vector<std::unique_ptr<PrinterDevice>> printers() override;
    int defaultIndex() const override;
    PrintQueues* queues() override { return &queues_; }

private:
    CupsPrintQueues queues_;
};

// A platform of one PDF printer (the render command, tests).
class PdfPrinterPlatform : public PrinterPlatform {
public:
    explicit PdfPrinterPlatform(QString fileName) : fileName_(std::move(fileName)) {}
    std::vector<std::unique_ptr<PrinterDevice>> printers() override;
    int defaultIndex() const override { return 0; }

private:
    QString fileName_;
};

}  // namespace lum
