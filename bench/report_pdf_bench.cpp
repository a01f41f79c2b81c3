// Writing the 10,000-record list of the prepare benchmark to PDF through the
// print road (prepared pages -> PrintPageList -> the PDF printer at 600 dpi),
// against a floor: the same page content drawn straight onto a QPdfWriter
// with QPainter, page by page, with no engine in between. Reports pages per
// second of both, and how many times the floor's time the engine's road takes
// (x_floor). Run with QT_QPA_PLATFORM=offscreen:
//   report_pdf_bench --benchmark_counters_tabular=true
//
// The floor's drawing is taken from the engine once, before timing, so both
// write the same document: every text run with its font, colour, clip and
// top-left position, and every frame with its pen. A second floor draws only
// the texts (no clip, no frame), a lower bound still (x_floor_texts).
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
#include <ctime>
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

// Out of line, so that a profile tells the floor from the engine.
[[gnu::noinline]] void drawFloor(const FloorPages& f, const QString& fileName, bool textsOnly) {
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

// The thread's processor time: the machine is shared, and time spent waiting
// for a processor is neither the engine's nor the floor's.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <typename Work>
double timed(Work work) {
    const double t0 = cpuSeconds();
    work();
    return cpuSeconds() - t0;
}

// Each iteration draws both floors and prints through the engine, one after
// the other, so the ratios compare the three under the same load; the
// benchmark's own time is the engine's alone.
void BM_PdfEngineAndFloor(benchmark::State& state) {
    Prepared& p = prepared(int(state.range(0)));
    TfrEMFPages& pages = p.report->EMFPages;
    const FloorPages& f = floorPages(pages);
    const QString engineFile = p.pdf("engine.pdf"), floorFile = p.pdf("floor.pdf"),
                  textsFile = p.pdf("floor-texts.pdf");
    double engine = 0, floor = 0, texts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floor += timed([&] { drawFloor(f, floorFile, false); });
        texts += timed([&] { drawFloor(f, textsFile, true); });
        state.ResumeTiming();
        engine += timed([&] {
            PdfPrinterPlatform platform(engineFile);
            TfrPrinter printer(&platform);
            if (PrintPageList(pages, printer, PrintRun{}) != PrintOutcome::Printed) state.SkipWithError("printing failed");
        });
    }
    const double printed = double(pages.Count()) * double(state.iterations());
    state.counters["pages"] = pages.Count();
    state.counters["pages_per_s"] = printed / engine;
    state.counters["floor_pages_per_s"] = printed / floor;
    state.counters["floor_texts_pages_per_s"] = printed / texts;
    state.counters["x_floor"] = engine / floor;
    state.counters["x_floor_texts"] = engine / texts;
    state.counters["pdf_bytes_per_page"] = double(QFileInfo(engineFile).size()) / pages.Count();
    state.counters["floor_pdf_bytes_per_page"] = double(QFileInfo(floorFile).size()) / pages.Count();
}

}  // namespace

BENCHMARK(BM_PdfEngineAndFloor)->Arg(10000)->Unit(benchmark::kMillisecond);
