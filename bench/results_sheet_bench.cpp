// The results sheet on five years of treatment results (500,000 rows, 300
// clients): the sheet's refresh of one month (the window's own Refresh and
// the month read alone) against the raw query that reads the same rows, in
// the same run, with the statements each runs. The goal: the refresh at most
// twice the raw query, with a fixed number of statements.
//   results_sheet_bench --benchmark_counters_tabular=true
// SQLite always; PostgreSQL too when LUMORIND_TEST_PG names a server (with
// LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD). Seeding takes a while.
#include "platform/db/database.h"
#include "platform/db/facility_database.h"
#include "platform/db/migrations.h"
#include "common/db/sql_date.h"
#include "results/cure_results_store.h"
#include "results/month_sheet.h"
#include "results/result_sheet_form.h"

#include "bench_databases.h"
#include "platform/application.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace lum;

namespace {

constexpr int kRows = 500000;
constexpr int kClients = 300;
constexpr int kDays = 5 * 365 + 1;  // 2020-01-01 .. 2024-12-31
DateRange month() { return monthRange(2022, 6); }  // not a static: its date helpers may not be set up yet

// Rows spread evenly over the days; every client on about one day in two,
// with the type of its own; the same statement shape on both backends.
void seed(db::Database& db) {
    const QString day = db.backend() == db::Backend::SQLite
                            ? QStringLiteral("strftime('%Y-%m-%d 00:00:00', '2020-01-01', '+' || (i % %1) || ' days')")
                            : QStringLiteral("timestamp '2020-01-01' + (i % %1) * interval '1 day'");
    const QString numbers = db.backend() == db::Backend::SQLite
                                ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
                                : QStringLiteral("WITH n(i) AS (SELECT generate_series(0, %1)) ");
    db::Transaction tx(db);
    db.execute(numbers.arg(kRows - 1) +
               QStringLiteral("INSERT INTO CureResults (CureDate, ReserveNo, CureNo, StuffCode, RMinute, RihaType, "
                              "KubunCode, Name, UpdateDate) "
                              "SELECT %1, -1, 1 + (i / %2) % %3, 101, 40, (1 + (i / %2) % %3) % 4, 5, "
                              "'利用者' || (1 + (i / %2) % %3), %1 FROM n")
                   .arg(day.arg(kDays))
                   .arg(kDays)
                   .arg(kClients));
    tx.commit();
    if (db.backend() == db::Backend::PostgreSQL) db.execute(QStringLiteral("ANALYZE CureResults"));
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*), MIN(CureDate), MAX(CureDate) FROM CureResults"));
    db.exec(q);
    q.next();
    std::fprintf(stderr, "  %d rows from %s to %s\n", q.value(0).toInt(), qPrintable(q.value(1).toString()),
                 qPrintable(q.value(2).toString()));
}

std::vector<lum::bench::BenchDatabase>& backends() {
    static std::vector<lum::bench::BenchDatabase> list;
    return list;
}

// The same rows as the sheet reads, read as plainly as the driver allows.
void BM_RawQuery(benchmark::State& state) {
    db::Database& db = *backends()[state.range(0)].db;
    int rows = 0;
    quint64 statements = 0;
    for (auto _ : state) {
        const quint64 before = db.statementsRun();
        QSqlQuery q = db.prepare(QStringLiteral("SELECT CureNo, Name, CureDate, RihaType FROM CureResults "
                                                "WHERE CureDate >= :from AND CureDate < :to "
                                                "ORDER BY CureNo, CureDate, ResultNo"));
        db::bindDate(q, QStringLiteral(":from"), month().begin);
        db::bindDate(q, QStringLiteral(":to"), month().end);
        q.setForwardOnly(true);
        db.exec(q);
        rows = 0;
        while (q.next()) {
            benchmark::DoNotOptimize(q.value(0).toInt());
            benchmark::DoNotOptimize(q.value(1).toString());
            benchmark::DoNotOptimize(q.value(2).toString());
            benchmark::DoNotOptimize(q.value(3).toInt());
            ++rows;
        }
        statements = db.statementsRun() - before;
    }
    state.counters["rows"] = rows;
    state.counters["statements"] = static_cast<double>(statements);
    state.SetLabel(backends()[state.range(0)].name);
}

// The month read and grouped into the sheet's rows.
void BM_MonthSheetRows(benchmark::State& state) {
    db::Database& db = *backends()[state.range(0)].db;
    const CureResultsStore store(db);
    std::size_t clients = 0;
    quint64 statements = 0;
    for (auto _ : state) {
        const quint64 before = db.statementsRun();
        clients = LoadMonthSheet(store, month()).size();
        statements = db.statementsRun() - before;
    }
    state.counters["clients"] = static_cast<double>(clients);
    state.counters["statements"] = static_cast<double>(statements);
    state.SetLabel(backends()[state.range(0)].name);
}

// The window's refresh: the day labels, the month read and the grid filled.
void BM_SheetRefresh(benchmark::State& state) {
    db::Database& db = *backends()[state.range(0)].db;
    ScopedFacilityDatabase scope(db);
    TResultSheetForm sheet;
    sheet.FromDate = month().begin;
    sheet.ToDate = month().end;
    quint64 statements = 0;
    for (auto _ : state) {
        const quint64 before = db.statementsRun();
        sheet.Refresh();
        statements = db.statementsRun() - before;
    }
    state.counters["statements"] = static_cast<double>(statements);
    state.SetLabel(backends()[state.range(0)].name);
}

// Keeps each benchmark's time per iteration for the ratios printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    lum::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    std::fprintf(stderr, "Seeding %d results on each backend...\n", kRows);
    backends() = lum::bench::openBenchDatabases(dir.filePath(QStringLiteral("bench.db")), seed);
    const int count = static_cast<int>(backends().size());
    for (auto [name, fn] : {std::pair{"BM_RawQuery", &BM_RawQuery}, std::pair{"BM_MonthSheetRows", &BM_MonthSheetRows},
                            std::pair{"BM_SheetRefresh", &BM_SheetRefresh}}) {
        benchmark::RegisterBenchmark(name, fn)->DenseRange(0, count - 1)->Unit(benchmark::kMillisecond);
    }
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int b = 0; b < count; ++b) {
        const std::string arg = "/" + std::to_string(b);
        const double raw = reporter.times["BM_RawQuery" + arg];
        if (raw <= 0) continue;
        std::printf("%s: refresh / raw query = %.2f, month read / raw query = %.2f\n", backends()[b].name,
                    reporter.times["BM_SheetRefresh" + arg] / raw, reporter.times["BM_MonthSheetRows" + arg] / raw);
    }
    lum::bench::dropBenchDatabases(backends());
    benchmark::Shutdown();
    return 0;
}
