// Preparing a 10,000-record list: pages per second and memory per prepared
// page (bytes of the page's object stream). Run with QT_QPA_PLATFORM=offscreen.
//   report_prepare_bench --benchmark_counters_tabular=true
#include "list_fixture.h"

#include "report/expr/engine_context.h"

#include <benchmark/benchmark.h>

using namespace lum;
using bench::buildList;
using bench::ensureApplication;

namespace {

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
