// The results CSV import on five years of treatment results (500,000 rows):
// a 10,000-line file read, checked against what is stored and written in one
// transaction, against raw INSERTs of the same rows in one transaction, in
// the same run, and against a floor that also reads the file and the stored
// results of its days, as the import must. All run on one connection, so
// under the same settings (SQLite syncs every commit). The goal: the import
// at most 1.5 times that floor, in time and in instructions (repeatable
// under valgrind --tool=callgrind, collecting in insertRaw and in
// ReadResultsCsv(QIODevice&) with ImportResultsCsvContent).
// BM_ImportMemory reads files of 10,000 and 100,000 lines from disk as the
// sheet's menu does and reports the rise of the process's peak resident size;
// the goal: the second within 1.5 times the first plus the rows' own size,
// as a later import of the process: after the imports above, and SQLite's
// 100,000 lines once more after PostgreSQL's (the worst of its runs counts).
//   results_import_bench --benchmark_counters_tabular=true
// SQLite always; PostgreSQL too when LUMORIND_TEST_PG names a server (with
// LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD). Seeding takes a while.
#include "common/cp932.h"
#include "common/csv_file.h"
#include "common/db/sql_date.h"
#include "platform/db/database.h"
#include "platform/db/migrations.h"
#include "results/cure_results_store.h"
#include "results/results_csv.h"
#include "results/results_csv_exchange.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <malloc.h>

using namespace lum;

namespace {

constexpr int kRows = 500000;
constexpr int kClients = 300;
constexpr int kDays = 5 * 365 + 1;  // 2020-01-01 .. 2024-12-31
constexpr int kLines = 10000;

const std::vector<StaffMember> kStaff{{101, QStringLiteral("佐藤　健一"), QStringLiteral("佐")},
                                      {102, QStringLiteral("高橋　由美"), QStringLiteral("高")},
                                      {103, QStringLiteral("中島　翔太"), QStringLiteral("中")}};
const WriterStamp kStamp{QStringLiteral("101"), QStringLiteral("佐藤　健一"),
                         TDateTime::fromYmdHms(2024, 7, 1, 9, 0)};

struct Backend {
    const char* name;
    std::unique_ptr<db::Database> db;
    QString schema;  // PostgreSQL: dropped at the end
    std::unique_ptr<db::Database> admin;
    qint64 seededUpTo = 0;
};

// The same rows as the results sheet's benchmark: every client on about one
// day in two over five years, entered by hand by staff member 101.
void seed(Backend& b) {
    db::Database& db = *b.db;
    const QString day = db.backend() == db::Backend::SQLite
                            ? QStringLiteral("strftime('%Y-%m-%d 00:00:00', '2020-01-01', '+' || (i % %1) || ' days')")
                            : QStringLiteral("timestamp '2020-01-01' + (i % %1) * interval '1 day'");
    const QString numbers = db.backend() == db::Backend::SQLite
                                ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
                                : QStringLiteral("WITH n(i) AS (SELECT generate_series(0, %1)) ");
    db::Transaction tx(db);
    db.execute(numbers.arg(kRows - 1) +
               QStringLiteral("INSERT INTO CureResults (CureDate, ReserveNo, CureNo, StuffCode, RStartTime, RMinute, "
                              "RihaType, KubunCode, Name, UpdateDate) "
                              "SELECT %1, -1, 1 + (i / %2) % %3, 101, '1899-12-30 10:00:00', 40, (1 + (i / %2) % %3) % 4, "
                              "5, '利用者' || (1 + (i / %2) % %3), %1 FROM n")
                   .arg(day.arg(kDays))
                   .arg(kDays)
                   .arg(kClients));
    tx.commit();
    if (db.backend() == db::Backend::PostgreSQL) db.execute(QStringLiteral("ANALYZE CureResults"));
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*), MAX(ResultNo) FROM CureResults"));
    db.exec(q);
    q.next();
    b.seededUpTo = q.value(1).toLongLong();
    std::fprintf(stderr, "  %s: %d rows\n", b.name, q.value(0).toInt());
}

// A month of other staff members' results: 10,000 lines, none stored yet.
QByteArray importFile() {
    QByteArray bytes = *cp932::encode(csvLineText(ResultsCsvHeader(), CsvQuoting::EveryValue)) + "\r\n";
    for (int i = 0; i < kLines; ++i) {
        CureResult r;
        r.CureNo = 1 + i % kClients;
        r.Name = QStringLiteral("利用者%1").arg(r.CureNo);
        r.Kana = QStringLiteral("ﾘﾖｳｼｬ %1").arg(r.CureNo);
        r.Birth = TDateTime::fromYmd(1935, 4, 1);
        r.Sex = i % 2;
        r.Jiritsu_KBN = i % 9;
        r.Ninchi_KBN = i % 8;
        r.YOUKAIGO_KBN = i % 7;
        r.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 4, 1);
        r.CureDate = TDateTime::fromYmd(2024, 6, 1 + (i / kClients) % 30);
        r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 9 + (i / (kClients * 30)) % 8, 0);
        r.RMinute = 40;
        r.RihaType = r.CureNo % 4;
        r.KubunCode = 9;
        r.Comment = QStringLiteral("歩行訓練");
        r.StuffName = kStaff[1 + i % 2].name;
        bytes += *cp932::encode(csvLineText(ResultsCsvValues(r), CsvQuoting::EveryValue)) + "\r\n";
    }
    return bytes;
}

const QByteArray& fileBytes() {
    static const QByteArray bytes = importFile();
    return bytes;
}

// The rows the file gives, for the raw INSERTs.
const std::vector<CureResult>& fileRows() {
    static const std::vector<CureResult> rows = ReadResultsCsv(fileBytes(), kStaff, kStamp).rows;
    return rows;
}

std::vector<Backend>& backends() {
    static std::vector<Backend> list;
    return list;
}

void openBackends(const QString& sqliteFile) {
    Backend lite{"SQLite", db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + sqliteFile, {}, {},
                                              db::Database::Create::Yes), {}, {}};
    db::migrate(*lite.db);
    seed(lite);
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
    seed(server);
    backends().push_back(std::move(server));
}

// Back to the seeded rows.
void deleteAdded(Backend& b) {
    QSqlQuery q = b.db->prepare(QStringLiteral("DELETE FROM CureResults WHERE ResultNo > :n"));
    q.bindValue(QStringLiteral(":n"), b.seededUpTo);
    b.db->exec(q);
}

// The same inside a timed loop, outside the timing.
void removeAdded(benchmark::State& state, Backend& b) {
    state.PauseTiming();
    deleteAdded(b);
    state.ResumeTiming();
}

// The same rows written as plainly as the driver allows: one prepared
// INSERT of every column, one transaction.
void insertRaw(db::Database& db, const std::vector<CureResult>& rows) {
    static const QString sql = [] {
        const QStringList columns = CureResultsStore::columns().mid(1);
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO CureResults (%1) VALUES (%2)")
            .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }();
    db::Transaction tx(db);
    QSqlQuery q = db.prepare(sql);
    for (const CureResult& r : rows) {
        int i = 0;
        auto date = [&](TDateTime t) { q.bindValue(i++, db::sqlDate(t)); };
        auto value = [&](const QVariant& v) { q.bindValue(i++, v); };
        date(r.CureDate);
        value(r.ReserveNo);
        value(r.CureNo);
        value(r.StuffCode);
        value(r.StuffName);
        value(r.StuffKigo);
        date(r.PStartTime);
        value(r.PMinute);
        date(r.RStartTime);
        value(r.RMinute);
        value(r.Comment);
        value(r.RihaType);
        value(r.KubunCode);
        for (const bool flag : r.Flags) value(CategoryFlagText(flag));
        date(r.KubunDate);
        value(r.Name);
        value(r.Kana);
        value(r.Sex);
        date(r.Birth);
        value(r.ROOM_NO);
        value(r.Jiritsu_KBN);
        value(r.Ninchi_KBN);
        value(r.YOUKAIGO_KBN);
        date(r.HP_TAISHO_YMD);
        date(r.NYUSHOBI_YMD);
        date(r.TAISHOBI_YMD);
        value(r.LoginCD);
        value(r.LoginName);
        date(r.UpdateDate);
        db.exec(q);
    }
    tx.commit();
}

void BM_RawInserts(benchmark::State& state) {
    Backend& b = backends()[state.range(0)];
    for (auto _ : state) {
        insertRaw(*b.db, fileRows());
        removeAdded(state, b);
    }
    state.counters["rows"] = static_cast<double>(fileRows().size());
    state.SetLabel(b.name);
}

// The least any import does: the file's lines decoded and cut into their
// fields, the stored results of the file's days read (the key columns, as
// the import compares them), and the raw INSERTs above.
void BM_ImportFloor(benchmark::State& state) {
    Backend& b = backends()[state.range(0)];
    db::Database& db = *b.db;
    const db::Backend backend = db.backend();
    const QString select = QStringLiteral("SELECT CureNo, %1, StuffCode, RihaType, %2 FROM CureResults "
                                          "WHERE CureDate >= :from AND CureDate < :to")
                               .arg(db::selectDate(backend, QStringLiteral("CureDate")),
                                    db::selectDate(backend, QStringLiteral("RStartTime")));
    qint64 fields = 0, stored = 0;
    for (auto _ : state) {
        const QString text = cp932::decode(fileBytes());
        fields = 0;
        for (const QStringView line : QStringView(text).split(u"\r\n", Qt::SkipEmptyParts))
            fields += line.split(u',').size();
        db::Transaction tx(db);
        QSqlQuery q = db.prepare(select);
        db::bindDate(q, QStringLiteral(":from"), TDateTime::fromYmd(2024, 6, 1));
        db::bindDate(q, QStringLiteral(":to"), TDateTime::fromYmd(2024, 7, 1));
        q.setForwardOnly(true);
        db.exec(q);
        stored = 0;
        double keys = 0;
        while (q.next()) {
            keys += q.value(0).toInt() + db::readDate(q.value(1)).value() + q.value(2).toInt() + q.value(3).toInt() +
                    db::readDate(q.value(4)).value();
            ++stored;
        }
        benchmark::DoNotOptimize(keys);
        tx.commit();
        insertRaw(db, fileRows());
        removeAdded(state, b);
    }
    state.counters["fields"] = static_cast<double>(fields);
    state.counters["stored_read"] = static_cast<double>(stored);
    state.SetLabel(b.name);
}

// The import from the file's bytes: every line read and checked, the stored
// results of its days read, the rows written in one transaction.
void BM_Import(benchmark::State& state) {
    Backend& b = backends()[state.range(0)];
    int added = 0;
    for (auto _ : state) {
        const ResultsImportOutcome outcome =
            ImportResultsCsvContent(*b.db, ReadResultsCsv(fileBytes(), kStaff, kStamp));
        if (!outcome.stored) state.SkipWithError(qPrintable(outcome.failure));
        added = outcome.added;
        removeAdded(state, b);
    }
    state.counters["added"] = added;
    state.SetLabel(b.name);
}

// The same file imported a second time: every line found and skipped.
void BM_ImportAgain(benchmark::State& state) {
    Backend& b = backends()[state.range(0)];
    ImportResultsCsvContent(*b.db, ReadResultsCsv(fileBytes(), kStaff, kStamp));
    int skipped = 0;
    for (auto _ : state) {
        skipped = ImportResultsCsvContent(*b.db, ReadResultsCsv(fileBytes(), kStaff, kStamp)).skipped;
    }
    deleteAdded(b);  // the timing has ended: no pause here
    state.counters["skipped"] = skipped;
    state.SetLabel(b.name);
}

// ---- peak memory

// A process status figure in kB ("VmRSS", "VmHWM").
long statusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return 0;
}

// Hands freed memory back and starts the peak afresh; gives the resident size.
long restartPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusKb("VmRSS");
}

// A file of `copies` times the 10,000 lines, each copy in a month of its own
// (none of them February, whose 30th does not exist), written to disk.
QString importFileOf(int copies) {
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("import%1.csv").arg(copies));
    if (QFile::exists(name)) return name;
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly)) return {};
    static const int months[] = {6, 1, 3, 4, 5, 7, 8, 9, 10, 11};
    for (int c = 0; c < copies; ++c) {
        QByteArray copy = fileBytes();
        if (c > 0) copy = copy.sliced(copy.indexOf("\r\n") + 2);  // one header
        copy.replace("\"2024/06/", QStringLiteral("\"2024/%1/").arg(months[c % 10], 2, 10, QChar(u'0')).toLatin1());
        out.write(copy);
    }
    return name;
}

// Roughly what the rows of a file take themselves: the records and the texts
// read into them.
double rowsMegabytes(const std::vector<CureResult>& rows) {
    double bytes = 0;
    for (const CureResult& r : rows) {
        bytes += sizeof(CureResult);
        for (const QString* t : {&r.Name, &r.Kana, &r.Comment, &r.StuffName, &r.StuffKigo}) {
            bytes += 32 + 2.0 * static_cast<double>(t->size());
        }
    }
    return bytes / (1024.0 * 1024.0);
}

std::map<std::string, double>& peakMegabytes() {
    static std::map<std::string, double> peaks;
    return peaks;
}

// The import from a file on disk, as the sheet's menu runs it.
void BM_ImportMemory(benchmark::State& state) {
    Backend& b = backends()[state.range(0)];
    const int copies = static_cast<int>(state.range(1));
    const QString name = importFileOf(copies);
    double peak = 0;
    double rows = 0;
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const long before = restartPeak();
        state.ResumeTiming();
        QFile in(name);
        if (!in.open(QIODevice::ReadOnly)) state.SkipWithError("no file");
        const ResultsCsvContent content = ReadResultsCsv(in, kStaff, kStamp);
        const ResultsImportOutcome outcome = ImportResultsCsvContent(*b.db, content);
        if (!outcome.stored) state.SkipWithError(qPrintable(outcome.failure));
        state.PauseTiming();
        peak = static_cast<double>(statusKb("VmHWM") - before) / 1024.0;
        rows = rowsMegabytes(content.rows);
        added = outcome.added;
        state.ResumeTiming();
        removeAdded(state, b);
    }
    state.counters["lines"] = copies * kLines;
    state.counters["added"] = added;
    state.counters["peak_MB"] = peak;
    state.counters["rows_MB"] = rows;
    double& worst = peakMegabytes()[std::string(b.name) + "/" + std::to_string(copies)];
    worst = std::max(worst, peak);
    peakMegabytes()[std::string(b.name) + "/rows" + std::to_string(copies)] = rows;
    state.SetLabel(b.name);
}

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
    std::fprintf(stderr, "A file of %d lines, %lld bytes\n", kLines, static_cast<long long>(fileBytes().size()));
    const int count = static_cast<int>(backends().size());
    for (auto [name, fn] : {std::pair{"BM_RawInserts", &BM_RawInserts}, std::pair{"BM_ImportFloor", &BM_ImportFloor},
                            std::pair{"BM_Import", &BM_Import}, std::pair{"BM_ImportAgain", &BM_ImportAgain}}) {
        benchmark::RegisterBenchmark(name, fn)->DenseRange(0, count - 1)->Unit(benchmark::kMillisecond);
    }
    for (int b = 0; b < count; ++b) {
        benchmark::RegisterBenchmark("BM_ImportMemory", BM_ImportMemory)
            ->Args({b, 1})
            ->Args({b, 10})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    if (count > 1) {
        benchmark::RegisterBenchmark("BM_ImportMemory", BM_ImportMemory)
            ->Args({0, 10})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int b = 0; b < count; ++b) {
        const std::string arg = "/" + std::to_string(b);
        const double raw = reporter.times["BM_RawInserts" + arg];
        if (raw <= 0) continue;
        std::printf("%s: import / raw INSERTs = %.2f, import again / raw INSERTs = %.2f\n", backends()[b].name,
                    reporter.times["BM_Import" + arg] / raw, reporter.times["BM_ImportAgain" + arg] / raw);
        const double floor = reporter.times["BM_ImportFloor" + arg];
        if (floor > 0) {
            std::printf("%s: import / floor (file read, stored results read, raw INSERTs) = %.2f\n",
                        backends()[b].name, reporter.times["BM_Import" + arg] / floor);
        }
    }
    for (const Backend& b : backends()) {
        const std::string n = b.name;
        if (!peakMegabytes().count(n + "/10")) continue;
        const double small = peakMegabytes()[n + "/1"];
        const double large = peakMegabytes()[n + "/10"];
        const double rows = peakMegabytes()[n + "/rows10"];
        std::printf("%s: peak memory %.1f MB for %d lines, %.1f MB for %d lines (goal at most %.1f MB: 1.5 x %.1f + "
                    "the rows' %.1f MB)\n",
                    b.name, small, kLines, large, 10 * kLines, 1.5 * small + rows, small, rows);
    }
    for (Backend& b : backends()) {
        b.db.reset();
        if (b.admin) b.admin->execute(QStringLiteral("DROP SCHEMA ") + b.schema + QStringLiteral(" CASCADE"));
    }
    benchmark::Shutdown();
    return 0;
}
