#pragma once
// A printer for tests: it records the job, page and paper-change sequence
// ("begin <title>", "paper <code> <orientation>", "page", "end", "abort")
// and draws every sheet on a recording canvas. Its platform's printers are
// queues of a stand-in print system.
#include "report/print/paper_table.h"
#include "report/print/printer_device.h"
#include "report/print/qt_printer_device.h"
#include "report/render/recording_canvas.h"
#include "support/fake_print_queues.h"

namespace lum::test {

class FakePrinterDevice : public PrinterDevice {
public:
    explicit FakePrinterDevice(QString name, QStringList* log) : name_(std::move(name)), log_(log) {}
    QString name() const override { return name_; }
    void setPaper(int paperCode, int width, int height, int orientation) override {
        code_ = paperCode;
        width_ = width;
        height_ = height;
        orientation_ = orientation;
        log_->append(QStringLiteral("paper %1 %2").arg(paperCode).arg(orientation));
    }
    int paperCode() const override { return code_; }
    int orientation() const override { return orientation_; }
    QList<int> paperCodes() const override { return {9, 8, 13}; }
    QStringList paperNames() const override { return {"A4", "A3", "B5"}; }
    DeviceGeometry geometry() const override {
        DeviceGeometry g;
        g.dpiX = g.dpiY = 300;
        int w = width_, h = height_;
        if (const PaperInfo* p = findPaper(code_); p && p->code != kPaperCustom) {
            w = p->width;
            h = p->height;
            if (orientation_ == 1) std::swap(w, h);
        }
        g.pageWidth = int(w / 254.0 * 300);
        g.pageHeight = int(h / 254.0 * 300);
        g.offsetLeft = g.offsetTop = 50;
        g.printableWidth = g.pageWidth - 100;
        g.printableHeight = g.pageHeight - 100;
        return g;
    }
    bool beginJob(const QString& title) override {
        log_->append(QStringLiteral("begin ") + title);
        sheets.append(std::make_shared<RecordingCanvas>(300, true));
        return !failBegin;
    }
    void newPage() override {
        log_->append(QStringLiteral("page"));
        sheets.append(std::make_shared<RecordingCanvas>(300, true));
    }
    void endJob() override { log_->append(QStringLiteral("end")); }
    void abortJob() override { log_->append(QStringLiteral("abort")); }
    ReportCanvas* canvas() override { return sheets.isEmpty() ? nullptr : sheets.last().get(); }

    // One canvas per sheet sent.
    QList<std::shared_ptr<RecordingCanvas>> sheets;
    bool failBegin = false;

private:
    QString name_;
    QStringList* log_;
    int code_ = 9, width_ = 2100, height_ = 2970, orientation_ = 0;
};

// Printers "Fake 1" and "Fake 2"; the first is the platform's current one.
class FakePrinterPlatform : public PrinterPlatform {
public:
    std::vector<std::unique_ptr<PrinterDevice>> printers() override {
        std::vector<std::unique_ptr<PrinterDevice>> out;
        devices.clear();
        for (const char* n : {"Fake 1", "Fake 2"}) {
            auto d = std::make_unique<FakePrinterDevice>(QString::fromLatin1(n), &log);
            devices.append(d.get());
            out.push_back(std::move(d));
        }
        return out;
    }
    int defaultIndex() const override { return 0; }
    PrintQueues* queues() override { return &queueSystem; }

    QStringList log;
    QList<FakePrinterDevice*> devices;
    FakePrintQueues queueSystem;
};

// A machine without a printer as the application sees it there: the
// platform lists only the PDF file printer and has no current printer, so
// the engine's printer starts on "Default printer".
class NoPrinterPlatform : public PrinterPlatform {
public:
    std::vector<std::unique_ptr<PrinterDevice>> printers() override {
        std::vector<std::unique_ptr<PrinterDevice>> out;
        out.push_back(std::make_unique<PdfPrinterDevice>(QString()));
        return out;
    }
    int defaultIndex() const override { return -1; }
};

}  // namespace lum::test
