// Writing the 10,000-record list of the prepare benchmark to PDF through the
// print road (prepared pages -> PrintPageList -> the PDF printer at 600 dpi),
// against a floor: the same page content drawn straight onto a QPdfWriter
// with QPainter, page by page, with no engine in between. Each reports pages
// per second; the engine's road also reports how many times the floor's time
// per page it takes (x_floor, x_floor_texts). Run with QT_QPA_PLATFORM=offscreen:
//   report_pdf_bench --benchmark_counters_tabular=true
//
// The floor's drawing is taken from the engine once, before timing, so both
// write the same document: every text run with its font, colour, clip and
// top-left position, and every frame with its pen. BM_PdfFloorTextsOnly draws
// only the texts (no clip, no frame) as a lower bound still.
#include "list_fixture.h"

#include "report/expr/engine_context.h"
#include "report/prepared/page_draw.h"
#include "report/prepared/print_prepared.h"
#include "report/print/qt_printer_device.h"
#include "report/render/recording_canvas.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

using namespace lum;

namespace {

constexpr int kDpi = 600;

struct Prepared {
    std::unique_ptr<TfrReport> report;
    QTemporaryDir dir;
    QString pdf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// The list, prepared once for every benchmark of the run.
Prepared& prepared(int records) {
    static std::unique_ptr<Prepared> p;
    if (!p) {
        bench::ensureApplication();
        engine().reset();
        p = std::make_unique<Prepared>();
        p->report = std::make_unique<TfrReport>();
        bench::buildList(*p->report, records, false);
        p->report->Prepare();
    }
    return *p;
}

// ---- The floor: what the engine draws, as plain QPainter calls.

struct FloorOp {
    enum Kind { Text, Rect, Line } kind = Text;
    int font = 0;  // index into FloorPages::fonts
    QPointF at;    // the text's baseline start
    QString text;
    QRect clip;
    QColor color;
    QRectF rect;
    QLineF line;
    QPen pen;
};

struct FloorPages {
    std::vector<QFont> fonts;
    std::vector<CanvasFont> canvasFonts;
    std::vector<std::vector<FloorOp>> pages;
    QPageLayout layout;
};

int fontIndex(FloorPages& f, const CanvasFont& font) {
    for (size_t i = 0; i < f.canvasFonts.size(); ++i)
        if (f.canvasFonts[i] == font) return int(i);
    f.canvasFonts.push_back(font);
    f.fonts.push_back(TextMetrics::qfont(font));
    return int(f.fonts.size() - 1);
}

QPen framePen(const CanvasPen& cp) {
    QPen pen(toQColor(cp.color));
    pen.setWidth(qMax(1, cp.width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Records every page at the PDF printer's geometry, as the print road draws it.
const FloorPages& floorPages(TfrEMFPages& pages) {
    static std::unique_ptr<FloorPages> f;
    if (f) return *f;
    f = std::make_unique<FloorPages>();
    PdfPrinterPlatform platform(QString{});
    TfrPrinter printer(&platform);
    const TfrPreparedPage& first = pages.GetPage(0);
    printer.SetPrinterSettings(first.PaperSize, first.PaperWidth, first.PaperHeight, first.Orientation);
    const DeviceGeometry g = printer.device()->geometry();
    f->layout = QPageLayout(pageSizeForPaper(first.PaperSize, first.PaperWidth, first.PaperHeight),
                            first.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    for (int i = 0; i < pages.Count(); ++i) {
        TfrPreparedPage& page = pages.GetPage(i);
        page.Geometry = printer.FillPageInfo();
        const QRect target = page.UseMargins
                                 ? QRect(QPoint(-g.offsetLeft, -g.offsetTop),
                                         QPoint(g.pageWidth - g.offsetLeft - 1, g.pageHeight - g.offsetTop - 1))
                                 : QRect(0, 0, g.printableWidth, g.printableHeight);
        RecordingCanvas canvas(kDpi, true);
        DrawPage(page, canvas, target);
        std::vector<FloorOp> ops;
        for (const CanvasOp& c : canvas.ops()) {
            FloorOp op;
            switch (c.kind) {
            case CanvasOp::Text:
                op.kind = FloorOp::Text;
                op.font = fontIndex(*f, c.font);
                op.at = QPointF(c.x, c.y + TextMetrics::ascent(c.font));
                op.text = c.text;
                op.clip = c.clip;
                op.color = toQColor(c.font.color);
                break;
            case CanvasOp::Rect:
                op.kind = FloorOp::Rect;
                op.rect = QRectF(c.rect.left() + 0.5, c.rect.top() + 0.5, c.rect.width() - 1, c.rect.height() - 1);
                op.pen = framePen(c.pen);
                break;
            case CanvasOp::Line:
                op.kind = FloorOp::Line;
                op.line = QLineF(c.line.p1(), c.line.p2());
                op.pen = framePen(c.pen);
                break;
            default:
                qFatal("the list draws only plain text, frames and lines");
            }
            ops.push_back(std::move(op));
        }
        f->pages.push_back(std::move(ops));
    }
    return *f;
}

void drawFloor(const FloorPages& f, const QString& fileName, bool textsOnly) {
    QPdfWriter writer(fileName);
    writer.setResolution(kDpi);
    writer.setTitle(printJobTitle({}));
    writer.setCreator(QStringLiteral("Lumorind"));
    writer.setPageLayout(f.layout);
    QPainter p(&writer);
    for (size_t i = 0; i < f.pages.size(); ++i) {
        if (i > 0) writer.newPage();
        for (const FloorOp& op : f.pages[i]) {
            switch (op.kind) {
            case FloorOp::Text:
                if (textsOnly) {
                    p.setFont(f.fonts[size_t(op.font)]);
                    p.setPen(op.color);
                    p.drawText(op.at, op.text);
                } else {
                    p.save();
                    p.setClipRect(op.clip, Qt::IntersectClip);
                    p.setFont(f.fonts[size_t(op.font)]);
                    p.setPen(op.color);
                    p.drawText(op.at, op.text);
                    p.restore();
                }
                break;
            case FloorOp::Rect:
                if (textsOnly) break;
                if (qEnvironmentVariableIsSet("FLOOR_SAVE")) {
                    p.save();
                    p.setPen(op.pen);
                    p.setBrush(Qt::NoBrush);
                    p.setBackgroundMode(Qt::TransparentMode);
                    p.drawRect(op.rect);
                    p.restore();
                    break;
                }
                p.setPen(op.pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(op.rect);
                break;
            case FloorOp::Line:
                if (textsOnly) break;
                p.setPen(op.pen);
                p.drawLine(op.line);
                break;
            }
        }
    }
    p.end();
}

// Seconds per page of each floor, for the engine's ratio.
double floorSecondsPerPage = 0;
double floorTextsSecondsPerPage = 0;

using Clock = std::chrono::steady_clock;

void setPageCounters(benchmark::State& state, int pages, qint64 bytes) {
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pdf_bytes_per_page"] = pages > 0 ? double(bytes) / pages : 0;
}

void runFloor(benchmark::State& state, bool textsOnly, double& secondsPerPage) {
    Prepared& p = prepared(int(state.range(0)));
    const FloorPages& f = floorPages(p.report->EMFPages);
    const QString file = p.pdf(textsOnly ? "floor-texts.pdf" : "floor.pdf");
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        drawFloor(f, file, textsOnly);
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    const int pages = int(f.pages.size());
    secondsPerPage = seconds / double(state.iterations()) / pages;
    setPageCounters(state, pages, QFileInfo(file).size());
}

void BM_PdfFloor(benchmark::State& state) { runFloor(state, false, floorSecondsPerPage); }
void BM_PdfFloorTextsOnly(benchmark::State& state) { runFloor(state, true, floorTextsSecondsPerPage); }

void BM_PdfEngine(benchmark::State& state) {
    Prepared& p = prepared(int(state.range(0)));
    TfrEMFPages& pages = p.report->EMFPages;
    const QString file = p.pdf("engine.pdf");
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PdfPrinterPlatform platform(file);
        TfrPrinter printer(&platform);
        PrintRun run;
        if (PrintPageList(pages, printer, run) != PrintOutcome::Printed) state.SkipWithError("printing failed");
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    const double perPage = seconds / double(state.iterations()) / pages.Count();
    setPageCounters(state, pages.Count(), QFileInfo(file).size());
    if (floorSecondsPerPage > 0) state.counters["x_floor"] = perPage / floorSecondsPerPage;
    if (floorTextsSecondsPerPage > 0) state.counters["x_floor_texts"] = perPage / floorTextsSecondsPerPage;
}

}  // namespace

// The floors first: the engine's run divides by their times.
BENCHMARK(BM_PdfFloor)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfFloorTextsOnly)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfEngine)->Arg(10000)->Unit(benchmark::kMillisecond);
