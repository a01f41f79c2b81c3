// Expressions evaluated per second: a simple arithmetic expression and a nested IF,
// through the parser alone and through a report's whole value lookup and formatting
// (window value event first, as every printout of the application runs them).
#include "report/expr/engine_context.h"
#include "report/expr/report_lookup.h"

#include <benchmark/benchmark.h>

using namespace lum;

namespace {

const QString Arithmetic = QStringLiteral("[A] + [B] * 2");
const QString NestedIf =
    QStringLiteral("IF([A] > 100, 'high', IF([A] > 10, IF([B] > 5, 'mid-b', 'mid'), IF([B] = 0, 'none', 'low')))");

void windowValue(const QString& name, ExprValue& v) {
    if (name == u"A") v = ExprValue(42);
    else if (name == u"B") v = ExprValue(7.5);
}

void parserOnly(benchmark::State& state, const QString& expression) {
    TfrParser parser;
    parser.OnGetValue = windowValue;
    for (auto _ : state) benchmark::DoNotOptimize(parser.Calc(expression));
    state.SetItemsProcessed(state.iterations());
}

void wholeLookup(benchmark::State& state, const QString& expression) {
    engine().reset();
    TfrValues bindings;
    ReportValueLookup lookup;
    lookup.Values = &bindings;
    lookup.OnGetValue = windowValue;
    lookup.bindParser();
    for (auto _ : state) benchmark::DoNotOptimize(lookup.ExpandExpression(expression, 0, QString()));
    state.SetItemsProcessed(state.iterations());
    engine().reset();
}

void BM_ParserArithmetic(benchmark::State& s) { parserOnly(s, Arithmetic); }
void BM_ParserNestedIf(benchmark::State& s) { parserOnly(s, NestedIf); }
void BM_LookupArithmetic(benchmark::State& s) { wholeLookup(s, Arithmetic); }
void BM_LookupNestedIf(benchmark::State& s) { wholeLookup(s, NestedIf); }

}  // namespace

BENCHMARK(BM_ParserArithmetic);
BENCHMARK(BM_ParserNestedIf);
BENCHMARK(BM_LookupArithmetic);
BENCHMARK(BM_LookupNestedIf);
