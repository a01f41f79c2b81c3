// Opening a busy month on the staff work chart: a demo-sized facility (8
// staff members, 60 clients) where every staff member has 40 frames a day
// (15 minutes each, 8:00 to 18:00) on all 31 days, about half of them
// booked. Measured: the month's frames and booking summaries read alone,
// and 表示 on the offscreen platform until all 1,240 labels are placed and
// painted; frames and statements per load as counters. The goal: the month
// on show within half a second on SQLite, in a fixed number of statements.
// Beside it, one drop of a client on a free frame: the booking rules' checks
// and the booking's commit, which on SQLite waits for the disk.
//   QT_QPA_PLATFORM=offscreen schedule_chart_bench --benchmark_counters_tabular=true
// SQLite always; PostgreSQL too when LUMORIND_TEST_PG names a server (with
// LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD).
#include "app/main_module.h"
#include "clients/person_store.h"
#include "common/db/sql_date.h"
#include "platform/db/database.h"
#include "platform/db/facility_database.h"
#include "platform/db/migrations.h"
#include "platform/ui/scripted_dialogs.h"
#include "schedule/booking_rules.h"
#include "schedule/booking_store.h"
#include "schedule/frame_store.h"
#include "schedule/schedule_data.h"
#include "schedule/stuff_schedule_form.h"
#include "schedule/time_span.h"

#include "bench_databases.h"
#include "platform/application.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace lum;

namespace {

constexpr int kStaff = 8;
constexpr int kClients = 60;
constexpr int kDays = 31;
constexpr int kFramesPerDay = 40;  // 15 minutes each from 8:00
TDateTime firstDay() { return TDateTime::fromYmd(2024, 3, 1); }

std::vector<lum::bench::BenchDatabase>& backends() {
    static std::vector<lum::bench::BenchDatabase> list;
    return list;
}

// Every tenth frame a group of 4 with two clients, the others individual;
// every other individual frame booked.
void seed(db::Database& db) {
    db::Transaction tx(db);
    for (int s = 1; s <= kStaff; ++s) {
        QSqlQuery q = db.prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
        q.bindValue(0, s);
        q.bindValue(1, QStringLiteral("職員　%1").arg(s));
        q.bindValue(2, QStringLiteral("職"));
        db.exec(q);
    }
    std::vector<int> clients;
    for (int c = 0; c < kClients; ++c) {
        TPerson p;
        p.Name = QStringLiteral("利用者　%1").arg(c + 1);
        p.Kana = QStringLiteral("ﾘﾖｳｼｬ");
        p.Birth = TDateTime::fromYmd(1940, 1, 1);
        p.RihaType = c % 4;
        p.KubunCode = 1 + c % 15;
        p.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 4, 1);
        clients.push_back(PersonStore(db).insert(p));
    }
    const FrameStore frames(db);
    const BookingStore bookings(db);
    int n = 0;
    for (int s = 1; s <= kStaff; ++s) {
        for (int d = 0; d < kDays; ++d) {
            for (int f = 0; f < kFramesPerDay; ++f, ++n) {
                const bool group = f % 10 == 9;
                const int reserveNo = frames.insert(
                    {-1, firstDay().addDays(d), s, timeOfDay(8 * 60 + 15 * f), 15, group ? 4 : 1});
                const TDateTime created = TDateTime::fromYmd(2024, 2, 1);
                if (group) {
                    bookings.insert({reserveNo, clients[n % kClients], QStringLiteral(""), created});
                    bookings.insert({reserveNo, clients[(n + 1) % kClients], QStringLiteral(""), created});
                } else if (f % 2 == 0) {
                    bookings.insert({reserveNo, clients[n % kClients], QStringLiteral(""), created});
                }
            }
        }
    }
    tx.commit();
    if (db.backend() == db::Backend::PostgreSQL) db.execute(QStringLiteral("ANALYZE"));
}

// The month's frames of one staff member and the summaries of their bookings.
void BM_MonthFramesAndBookings(benchmark::State& state) {
    db::Database& db = *backends()[static_cast<size_t>(state.range(0))].db;
    std::size_t frames = 0;
    std::size_t booked = 0;
    quint64 statements = 0;
    for (auto _ : state) {
        const quint64 before = db.statementsRun();
        frames = FrameStore(db).staffFrames(1, firstDay(), firstDay().addDays(kDays - 1)).size();
        booked = BookingStore(db).staffFrameSummaries(1, firstDay(), firstDay().addDays(kDays - 1)).size();
        statements = db.statementsRun() - before;
    }
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["booked"] = static_cast<double>(booked);
    state.counters["statements"] = static_cast<double>(statements);
    state.SetLabel(backends()[static_cast<size_t>(state.range(0))].name);
}

// 表示 on the chart until every label is placed and the chart painted.
void BM_ChartDisplay(benchmark::State& state) {
    db::Database& db = *backends()[static_cast<size_t>(state.range(0))].db;
    ScopedFacilityDatabase scope(db);
    TMainModule module;
    for (int s = 1; s <= kStaff; ++s) {
        module.StuffCD.push_back(s);
        module.StuffNames.append(QStringLiteral("職員　%1").arg(s));
        module.StuffKigo.append(QStringLiteral("職"));
    }
    module.StuffCount = kStaff;
    TMainModule* previous = MainModule;
    MainModule = &module;
    {
        ScriptedDialogs quiet;  // a message would be a failure of the benchmark
        TStuffScheduleForm chart;
        chart.resize(1280, 900);
        chart.show();
        chart.StuffBox->setCurrentIndex(0);
        chart.RVDate->setDate(firstDay().date());
        int labels = 0;
        quint64 statements = 0;
        for (auto _ : state) {
            state.PauseTiming();
            chart.ClearButtonClick();
            QApplication::processEvents();
            state.ResumeTiming();
            const quint64 before = db.statementsRun();
            chart.DispButtonClick();
            QApplication::processEvents();  // laid out and painted
            statements = db.statementsRun() - before;
            labels = chart.LabelTotal();
        }
        state.counters["frames"] = labels;
        state.counters["statements"] = static_cast<double>(statements);
        if (!quiet.messages().isEmpty()) state.SkipWithError("a message was shown");
    }
    MainModule = previous;
    state.SetLabel(backends()[static_cast<size_t>(state.range(0))].name);
}

// A client dropped on a free individual frame of a day outside the seeded
// month: checked and booked in one transaction; the booking goes again
// outside the timing.
void BM_BookingDrop(benchmark::State& state) {
    db::Database& db = *backends()[static_cast<size_t>(state.range(0))].db;
    TPerson p;
    p.Name = QStringLiteral("予約　落下");
    p.Kana = QStringLiteral("ﾖﾔｸ");
    p.Birth = TDateTime::fromYmd(1940, 1, 1);
    p.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 4, 1);
    const int cureNo = PersonStore(db).insert(p);
    FrameRow row{-1, TDateTime::fromYmd(2024, 4, 1), 1, timeOfDay(9 * 60), 15, 1};
    row.ReserveNo = FrameStore(db).insert(row);
    TTimeTable list;
    list.Add(frameItemOf(normalizedFrame(row), 0, QStringLiteral("L1")));
    const BookingRules rules(db, [](int code) { return QStringLiteral("職員　%1").arg(code); });
    for (auto _ : state) {
        const DropOutcome out = rules.LabelDragDrop(list, QStringLiteral("L1"), cureNo);
        state.PauseTiming();
        if (!out.booked) state.SkipWithError("the drop was refused");
        QSqlQuery q = db.prepare(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = ?"));
        q.bindValue(0, row.ReserveNo);
        db.exec(q);
        state.ResumeTiming();
    }
    state.SetLabel(backends()[static_cast<size_t>(state.range(0))].name);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    lum::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    std::fprintf(stderr, "Seeding %d frames on each backend...\n", kStaff * kDays * kFramesPerDay);
    backends() = lum::bench::openBenchDatabases(dir.filePath(QStringLiteral("bench.db")), seed);
    const int count = static_cast<int>(backends().size());
    benchmark::RegisterBenchmark("BM_MonthFramesAndBookings", BM_MonthFramesAndBookings)
        ->DenseRange(0, count - 1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ChartDisplay", BM_ChartDisplay)
        ->DenseRange(0, count - 1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_BookingDrop", BM_BookingDrop)
        ->DenseRange(0, count - 1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    lum::bench::dropBenchDatabases(backends());
    benchmark::Shutdown();
    return 0;
}
