// Script steps per second (a counting loop, so the time the step limit allows is
// known) and scripts compiled per second (a band script of a typical size, as
// every page set-up compiles each object's script afresh).
#include "report/expr/engine_context.h"
#include "report/objects/memo_view.h"
#include "report/script/report_interpreter.h"

#include <benchmark/benchmark.h>

using namespace lum;

namespace {

const QStringList Loop{QStringLiteral("BEGIN i := 0; WHILE i < 1000 DO i := i + 1 END")};  // 2,002 steps
const QStringList Typical{
    QStringLiteral("BEGIN"),
    QStringLiteral("  IF FREESPACE < 40 THEN NEWPAGE;  { room for the footer }"),
    QStringLiteral("  total := total + 1;"),
    QStringLiteral("  IF total MOD 2 = 0 THEN BEGIN FillColor := clSilver; FontStyle := 2 END"),
    QStringLiteral("  ELSE BEGIN FillColor := clTransparent; FontStyle := 0 END;"),
    QStringLiteral("  Visible := total <> 13"),
    QStringLiteral("END")};

void runLoop(benchmark::State& state) {
    engine().reset();
    TfrMemoView memo;
    memo.Script = Loop;
    CompileViewScript(memo);
    for (auto _ : state) RunViewScript(memo);
    state.SetItemsProcessed(state.iterations() * 2002);  // steps
    engine().reset();
}
BENCHMARK(runLoop);

void compileTypical(benchmark::State& state) {
    engine().reset();
    TfrMemoView memo;
    for (auto _ : state) {
        memo.Script = Typical;
        CompileViewScript(memo);
    }
    state.SetItemsProcessed(state.iterations());
    engine().reset();
}
BENCHMARK(compileTypical);

}  // namespace
