// Preparing a 10,000-record list: pages per second and memory per prepared
// page (bytes of the page's object stream). Run with QT_QPA_PLATFORM=offscreen.
//   report_prepare_bench --benchmark_counters_tabular=true
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <memory>

using namespace lum;

namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "report_prepare_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
}

TfrBandView& band(TfrPage& page, int type, int top, int height, const QString& source = {}, quint16 flags = 0) {
    auto b = std::make_unique<TfrBandView>();
    b->setBandType(type);
    b->SetBounds(0, top, 700, height);
    b->FormatStr = source;
    b->Flags = flags;
    b->Name = QStringLiteral("Band%1").arg(type);
    return static_cast<TfrBandView&>(*page.add(std::move(b)));
}

TfrMemoView& memo(TfrPage& page, int left, int top, int width, int height, const QString& text, quint16 flags = 0) {
    auto m = std::make_unique<TfrMemoView>();
    m->SetBounds(left, top, width, height);
    m->Memo = QStringList{text};
    m->Flags = flags;
    m->FrameTyp = frAllSides;
    return static_cast<TfrMemoView&>(*page.add(std::move(m)));
}

// A page header, a master data band of 8 memos per record over a count data
// source, and a page footer with the page number; optionally one stretched,
// word-wrapped memo of about 100 Japanese characters per record.
void buildList(TfrReport& report, int records, bool wrappedText) {
    TfrPage& page = report.Pages()[0];
    band(page, btPageHeader, 0, 30, {}, TfrBandView::flOnFirstPage);
    memo(page, 0, 5, 300, 20, QStringLiteral("利用者一覧 [DATE]"));
    const int rowTop = 40;
    band(page, btMasterData, rowTop, 24, QString::number(records),
         wrappedText ? TfrBandView::flStretched : quint16(0));
    const QStringList fields = {"CureNo", "Name", "Kana", "Sex", "Birth", "RihaType", "Kubun", "Room"};
    for (int i = 0; i < fields.size(); ++i)
        memo(page, i * 85, rowTop + 2, 85, 20, QStringLiteral("[%1]").arg(fields[i]));
    if (wrappedText)
        memo(page, 0, rowTop + 22, 680, 2, QStringLiteral("[Note]"), TfrMemoView::flStretched | TfrMemoView::flWordWrap);
    band(page, btPageFooter, 1000, 30, {}, TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage);
    memo(page, 600, 1005, 80, 20, QStringLiteral("[PAGE#] / [TOTALPAGES]"));
    report.ShowProgress = false;
    report.OnGetValue = [](const QString& name, ExprValue& v) {
        if (name == u"Name") v = ExprValue(QStringLiteral("山田 太郎"));
        else if (name == u"Kana") v = ExprValue(QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        else if (name == u"Note")
            v = ExprValue(QStringLiteral("リハビリテーションの経過は良好で、歩行訓練を継続する。").repeated(4));
        else if (name != u"PAGE#" && name != u"TOTALPAGES" && name != u"DATE") v = ExprValue(12345);
    };
}

void prepareList(benchmark::State& state, bool wrappedText, bool doublePass) {
    ensureApplication();
    const int records = int(state.range(0));
    engine().reset();
    TfrReport report;
    buildList(report, records, wrappedText);
    report.Template.DoublePass = doublePass ? 1 : 0;
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        report.Prepare();
        pages = report.EMFPages.Count();
        bytes = report.EMFPages.streamBytes();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["records_per_s"] = benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes_per_page"] = pages > 0 ? double(bytes) / pages : 0;
    engine().reset();
}

void BM_ListFixedRows(benchmark::State& state) { prepareList(state, false, false); }
void BM_ListFixedRowsDoublePass(benchmark::State& state) { prepareList(state, false, true); }
void BM_ListWrappedNote(benchmark::State& state) { prepareList(state, true, false); }

}  // namespace

BENCHMARK(BM_ListFixedRows)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFixedRowsDoublePass)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListWrappedNote)->Arg(1000)->Unit(benchmark::kMillisecond);
