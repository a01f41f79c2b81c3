// The three-month statistics on five years of treatment results (500,000
// rows, 300 clients): the window's road (one bound statement reading day,
// client and flags of the three months, then CountStatistics) against raw SQL
// computing the same 126 counts (one statement per month, every count an
// aggregate), in the same run; both must agree. The goal: the window's road at
// most twice the raw SQL.
//   statistics_bench --benchmark_counters_tabular=true
// SQLite always; PostgreSQL too when LUMORIND_TEST_PG names a server (with
// LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD). Seeding takes a while.
#include "common/category_flags.h"
#include "common/db/sql_date.h"
#include "platform/db/database.h"
#include "platform/db/migrations.h"
#include "printing/statistics_table.h"
#include "results/cure_results_store.h"

#include <QCoreApplication>
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
// M is June 2022: April, May and June are counted. (A function: the date
// helpers' statics may not be set up yet.)
StatisticsMonths months() { return StatisticsMonths::ending(2022, 6); }

struct Backend {
    const char* name;
    std::unique_ptr<db::Database> db;
    QString schema;  // PostgreSQL: dropped at the end
    std::unique_ptr<db::Database> admin;
};

// Each client has a type (0..3) and categories of its own; its rows carry the
// flags the category-flag rule gives them. One row in 50 has a time of day.
void seed(db::Database& db) {
    const bool lite = db.backend() == db::Backend::SQLite;
    const QString day = lite ? QStringLiteral("strftime('%Y-%m-%d %H:%M:%S', '2020-01-01', '+' || (i % %1) || ' days', "
                                              "'+' || (CASE WHEN i % 50 = 0 THEN 870 ELSE 0 END) || ' minutes')")
                             : QStringLiteral("timestamp '2020-01-01' + (i % %1) * interval '1 day' + "
                                              "(CASE WHEN i % 50 = 0 THEN 870 ELSE 0 END) * interval '1 minute'");
    const QString numbers = lite ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
                                 : QStringLiteral("WITH n(i) AS (SELECT generate_series(0, %1)) ");
    const QString client = QStringLiteral("(1 + (i / %1) % %2)").arg(kDays).arg(kClients);
    const QString type = QStringLiteral("(%1 % 4)").arg(client);
    const QString kubun = QStringLiteral("((%1 * 7) % 16)").arg(client);
    QString columns = QStringLiteral("CureDate, ReserveNo, CureNo, StuffCode, RMinute, RihaType, KubunCode, Name, UpdateDate");
    QString values = QStringLiteral("%1, -1, %2, 101, 40, %3, %4, '利用者' || %2, %1").arg(day.arg(kDays), client, type, kubun);
    for (int f = 0; f < CategoryFlagCount; ++f) {
        columns += QStringLiteral(", ") + CategoryFlagNames[static_cast<size_t>(f)];
        values += QStringLiteral(", CASE WHEN %1 = %2 AND (%3 & %4) > 0 THEN 'True' ELSE 'False' END")
                      .arg(type)
                      .arg(CategoryFlagType(f))
                      .arg(kubun)
                      .arg(CategoryFlagBit(f));
    }
    db::Transaction tx(db);
    db.execute(numbers.arg(kRows - 1) +
               QStringLiteral("INSERT INTO CureResults (%1) SELECT %2 FROM n").arg(columns, values));
    tx.commit();
    if (!lite) db.execute(QStringLiteral("ANALYZE CureResults"));
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE CureDate >= :from AND CureDate < :to"));
    db::bindDate(q, QStringLiteral(":from"), months().span().begin);
    db::bindDate(q, QStringLiteral(":to"), months().span().end);
    db.exec(q);
    q.next();
    std::fprintf(stderr, "  %s: %d rows, %d in the three months\n", lite ? "SQLite" : "PostgreSQL", kRows,
                 q.value(0).toInt());
}

std::vector<Backend>& backends() {
    static std::vector<Backend> list;
    return list;
}

void openBackends(const QString& sqliteFile) {
    Backend lite{"SQLite", db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + sqliteFile, {}, {},
                                              db::Database::Create::Yes), {}, {}};
    db::migrate(*lite.db);
    seed(*lite.db);
    backends().push_back(std::move(lite));
    const QString pg = qEnvironmentVariable("LUMORIND_TEST_PG");
    if (pg.isEmpty()) return;
    const QString user = qEnvironmentVariable("LUMORIND_TEST_PG_USER");
    const QString password = qEnvironmentVariable("LUMORIND_TEST_PG_PASSWORD");
    Backend server{"PostgreSQL", nullptr, QStringLiteral("bench_") + QUuid::createUuid().toString(QUuid::Id128), nullptr};
    server.admin = db::Database::open(pg, user, password);
    server.admin->execute(QStringLiteral("CREATE SCHEMA ") + server.schema);
    server.db = db::Database::open(pg + QStringLiteral(";Schema=") + server.schema, user, password);
    db::migrate(*server.db);
    seed(*server.db);
    backends().push_back(std::move(server));
}

// The 126 counts in SQL: per month one statement, per flag the distinct days,
// the distinct (day, client) pairs and the rows, by calendar day.
StatisticsTable rawCounts(db::Database& db) {
    const bool lite = db.backend() == db::Backend::SQLite;
    const QString day = lite ? QStringLiteral("substr(CureDate, 1, 10)") : QStringLiteral("CAST(CureDate AS date)");
    const QString clientDay = lite ? QStringLiteral("substr(CureDate, 1, 10) || '/' || CureNo")
                                   : QStringLiteral("CAST(CureDate AS date) || '/' || CureNo");
    QStringList aggregates;
    for (const QString& flag : CategoryFlagNames) {
        aggregates << QStringLiteral("COUNT(DISTINCT CASE WHEN %1 = 'True' THEN %2 END)").arg(flag, day)
                   << QStringLiteral("COUNT(DISTINCT CASE WHEN %1 = 'True' THEN %2 END)").arg(flag, clientDay)
                   << QStringLiteral("SUM(CASE WHEN %1 = 'True' THEN 1 ELSE 0 END)").arg(flag);
    }
    QSqlQuery q = db.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE CureDate >= :from AND CureDate < :to")
                                 .arg(aggregates.join(QStringLiteral(", "))));
    q.setForwardOnly(true);
    StatisticsTable t;
    for (int m = 0; m < 3; ++m) {
        db::bindDate(q, QStringLiteral(":from"), months().ranges[static_cast<size_t>(m)].begin);
        db::bindDate(q, QStringLiteral(":to"), months().ranges[static_cast<size_t>(m)].end);
        db.exec(q);
        q.next();
        for (int c = 0; c < CategoryFlagCount; ++c)
            for (int k = 0; k < 3; ++k)
                t.counts[static_cast<size_t>(c)][static_cast<size_t>(m)][static_cast<size_t>(k)] = q.value(3 * c + k).toInt();
    }
    return t;
}

// The window's road: ToukeiQuery and the counting.
StatisticsTable windowCounts(db::Database& db) {
    const StatisticsMonths m = months();
    return CountStatistics(CureResultsStore(db).periodFlags(m.span()), m);
}

int total(const StatisticsTable& t) {
    int sum = 0;
    for (const auto& category : t.counts)
        for (const auto& month : category)
            for (int v : month) sum += v;
    return sum;
}

void BM_RawSql(benchmark::State& state) {
    db::Database& db = *backends()[static_cast<size_t>(state.range(0))].db;
    StatisticsTable t;
    for (auto _ : state) t = rawCounts(db);
    state.counters["counts"] = total(t);
    state.SetLabel(backends()[static_cast<size_t>(state.range(0))].name);
}

void BM_QueryAndCount(benchmark::State& state) {
    db::Database& db = *backends()[static_cast<size_t>(state.range(0))].db;
    StatisticsTable t;
    for (auto _ : state) t = windowCounts(db);
    if (t.counts != rawCounts(db).counts) state.SkipWithError("the counts differ from the raw SQL's");
    state.counters["counts"] = total(t);
    state.SetLabel(backends()[static_cast<size_t>(state.range(0))].name);
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
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    std::fprintf(stderr, "Seeding %d results on each backend...\n", kRows);
    openBackends(dir.filePath(QStringLiteral("bench.db")));
    const int count = static_cast<int>(backends().size());
    for (auto [name, fn] : {std::pair{"BM_RawSql", &BM_RawSql}, std::pair{"BM_QueryAndCount", &BM_QueryAndCount}})
        benchmark::RegisterBenchmark(name, fn)->DenseRange(0, count - 1)->Unit(benchmark::kMillisecond);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int b = 0; b < count; ++b) {
        const std::string arg = "/" + std::to_string(b);
        const double raw = reporter.times["BM_RawSql" + arg];
        if (raw > 0) {
            std::printf("%s: query and count / raw SQL = %.2f (goal: at most 2)\n", backends()[static_cast<size_t>(b)].name,
                        reporter.times["BM_QueryAndCount" + arg] / raw);
        }
    }
    for (Backend& b : backends()) {
        b.db.reset();
        if (b.admin) b.admin->execute(QStringLiteral("DROP SCHEMA ") + b.schema + QStringLiteral(" CASCADE"));
    }
    benchmark::Shutdown();
    return 0;
}
