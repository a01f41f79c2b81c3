// The treatment plan's tables on both backends: a plan and its chart stored
// and read back; saving again for the same client and start day leaves one
// plan with only the new Figure rows, also over a row stored with a time of
// day; two workstations saving one plan; delete; the unique key and its
// migration.
#include "plans/plan_store.h"

#include "common/db/sql_date.h"
#include "platform/db/migration_002_plan_day_unique.h"
#include "support/database_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace {

using lum::FigureRow;
using lum::PlanStore;
using lum::TDateTime;
using lum::TPlan;

TPlan samplePlan(int cureNo, TDateTime start) {
    TPlan p;
    p.CureNo = cureNo;
    p.PlanRegistDay = start;
    p.PlanEndDay = start.addDays(89);
    p.Name = QStringLiteral("山田　太郎");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1935, 4, 1);
    p.RihaType = 2;
    p.KubunCode = 5;
    p.Jiritsu_KBN = 3;
    p.Ninchi_KBN = 1;
    p.YOUKAIGO_KBN = -1;
    p.Disease = {QStringLiteral("脳梗塞"), QStringLiteral("高血圧"), {}, {}, {}, QStringLiteral("糖尿病")};
    p.Body.EtcMemo = QStringLiteral("一行目\n二行目");
    p.Body.Mondaiten[0] = QStringLiteral("①歩行");
    p.Body.Behaviours[3] = true;
    return p;
}

int count(lum::db::Database& db, const QString& sql) {
    QSqlQuery q = db.prepare(sql);
    db.exec(q);
    return q.next() ? q.value(0).toInt() : -1;
}

class PlanStoreTest : public lum::test::DatabaseTest {};

TEST_P(PlanStoreTest, PlanAndChartRoundTrip) {
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 1, 31);
    TPlan plan = samplePlan(7, start);
    const std::vector<FigureRow> rows{{0, 0, -1, 30, 40}, {3, 0, 3, -1, -1}, {2, 1, -1, 50, 60}};
    const QString longLogin(40, QChar(u'職'));
    const int planNo = store.SavePlan(plan, rows, longLogin, TDateTime::fromYmdHms(2024, 2, 1, 15, 30));
    ASSERT_GT(planNo, 0);

    const std::optional<TPlan> back = store.LoadPlanRow(planNo);
    ASSERT_TRUE(back);
    plan.PlanNo = planNo;
    plan.Creator = longLogin.left(30);  // a long login name is cut, never refused
    plan.CreateDay = plan.UpdateDay = TDateTime::fromYmd(2024, 2, 1);
    EXPECT_EQ(*back, plan);
    EXPECT_EQ(store.LoadFigures(planNo), rows);
    EXPECT_FALSE(store.LoadPlanRow(planNo + 100));
}

TEST_P(PlanStoreTest, SavingAgainLeavesOnePlanWithOnlyTheNewMarks) {
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 3, 1);
    const int first = store.SavePlan(samplePlan(7, start), {{0, 0, -1, 1, 2}, {1, 0, -1, 3, 4}}, "a", start);
    const int other = store.SavePlan(samplePlan(7, start.addDays(1)), {{2, 1, -1, 9, 9}}, "a", start);
    const int second = store.SavePlan(samplePlan(7, start), {{2, 0, -1, 5, 6}}, "a", start);
    EXPECT_NE(first, second);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM RihaPlan WHERE CureNo = 7"), 2);
    EXPECT_FALSE(store.LoadPlanRow(first));
    EXPECT_EQ(store.LoadFigures(first).size(), 0u);
    EXPECT_EQ(store.LoadFigures(second), (std::vector<FigureRow>{{2, 0, -1, 5, 6}}));
    // The plan of another start day stays as it was.
    EXPECT_EQ(store.LoadFigures(other), (std::vector<FigureRow>{{2, 1, -1, 9, 9}}));
}

TEST_P(PlanStoreTest, AnEarlierPlanWithATimeOfDayIsFoundByItsDay) {
    const PlanStore store(db());
    TPlan old = samplePlan(3, TDateTime::fromYmdHms(2024, 5, 1, 10, 15));
    QSqlQuery q = db().prepare(
        "INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanData) VALUES (3, :d, :b) RETURNING PlanNo");
    lum::db::bindDate(q, ":d", old.PlanRegistDay);
    q.bindValue(":b", lum::encodePlanData(old.Body));
    const int oldNo = static_cast<int>(db().execReturningKey(q));
    EXPECT_EQ(store.PlansOfDay(3, TDateTime::fromYmd(2024, 5, 1)), std::vector<int>{oldNo});

    const int planNo = store.SavePlan(samplePlan(3, TDateTime::fromYmd(2024, 5, 1)), {}, "a", old.PlanRegistDay);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM RihaPlan WHERE CureNo = 3"), 1);
    EXPECT_EQ(store.LoadPlanRow(planNo)->PlanRegistDay, TDateTime::fromYmd(2024, 5, 1));  // the day alone
}

TEST_P(PlanStoreTest, AFailedSaveChangesNothing) {
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 3, 1);
    const int first = store.SavePlan(samplePlan(7, start), {{0, 0, -1, 1, 2}}, "a", start);
    db().execute("DROP TABLE Figure");
    EXPECT_THROW(store.SavePlan(samplePlan(7, start), {{1, 0, -1, 1, 2}}, "a", start), lum::db::DbError);
    EXPECT_TRUE(store.LoadPlanRow(first));  // the earlier plan was not removed
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(PlanStoreTest, DeleteRemovesPlanAndMarksAndSaysWhenNothingWasThere) {
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 3, 1);
    const int planNo = store.SavePlan(samplePlan(7, start), {{0, 0, -1, 1, 2}}, "a", start);
    store.DeletePlan(planNo);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM RihaPlan"), 0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM Figure"), 0);
    EXPECT_THROW(store.DeletePlan(planNo), lum::db::NoRowTouched);
    EXPECT_THROW(store.DeletePlan(0), lum::db::NoRowTouched);
}

TEST_P(PlanStoreTest, AShortPlanDataIsAReadError) {
    QSqlQuery q = db().prepare(
        "INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanData) VALUES (1, :d, :b) RETURNING PlanNo");
    lum::db::bindDate(q, ":d", TDateTime::fromYmd(2024, 1, 1));
    q.bindValue(":b", QByteArray(100, 'x'));
    const int planNo = static_cast<int>(db().execReturningKey(q));
    EXPECT_THROW(PlanStore(db()).LoadPlanRow(planNo), lum::db::DbError);
}

TEST_P(PlanStoreTest, TwoWorkstationsSavingOnePlanLeaveOneWholePlan) {
    const TDateTime start = TDateTime::fromYmd(2024, 6, 3);
    // This workstation's save is under way (its transaction open) when the
    // other one saves the same plan from its own thread and connection.
    std::optional<int> otherPlan;
    bool otherFailed = false;
    {
        lum::db::Transaction tx(db());
        const PlanStore here(db());
        const int mine = here.AppendPlanRow(samplePlan(9, start), "a", start);
        here.SaveFigures(mine, {{0, 0, -1, 1, 1}, {0, 0, -1, 2, 2}});
        std::thread other([&] {
            auto connection = scratch().open();
            try {
                otherPlan = PlanStore(*connection).SavePlan(samplePlan(9, start), {{1, 1, -1, 5, 5}}, "b", start);
            } catch (const lum::db::DbError&) {
                otherFailed = true;
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        tx.commit();
        other.join();
    }
    // Either the later save won whole (SQLite waits for the lock and then
    // replaces) or it was refused (PostgreSQL's unique key): never two plans,
    // never marks of one mixed with the other's.
    EXPECT_NE(otherPlan.has_value(), otherFailed);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM RihaPlan WHERE CureNo = 9"), 1);
    const PlanStore store(db());
    const std::vector<int> plans = store.PlansOfDay(9, start);
    ASSERT_EQ(plans.size(), 1u);
    const std::vector<FigureRow> marks = store.LoadFigures(plans[0]);
    if (otherPlan) {
        EXPECT_EQ(marks, (std::vector<FigureRow>{{1, 1, -1, 5, 5}}));
    } else {
        EXPECT_EQ(marks.size(), 2u);
    }
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM Figure"), static_cast<int>(marks.size()));
}

TEST_P(PlanStoreTest, TheDatabaseRefusesASecondPlanForTheSameDay) {
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 6, 3);
    store.AppendPlanRow(samplePlan(9, start), "a", start);
    EXPECT_THROW(store.AppendPlanRow(samplePlan(9, start), "a", start), lum::db::DbError);
}

class PlanMigrationTest : public lum::test::DatabaseTest {
protected:
    bool migrateOnSetUp() const override { return false; }
};

TEST_P(PlanMigrationTest, TwinPlansKeepTheLastSaved) {
    db().execute("CREATE TABLE SchemaVersion (Version INTEGER PRIMARY KEY, Description TEXT NOT NULL, "
                 "AppliedAt TEXT NOT NULL)");
    // Version 1 alone, with twins in it.
    const auto& first = lum::db::migrations().front();
    lum::db::inTransaction(db(), [&] {
        first.apply(db());
        db().execute("INSERT INTO SchemaVersion VALUES (1, 'facility tables', '2024-01-01 00:00:00')");
    });
    const PlanStore store(db());
    const TDateTime start = TDateTime::fromYmd(2024, 6, 3);
    const int older = store.AppendPlanRow(samplePlan(9, start), "a", start);
    store.AppendFigureRow(older, {0, 0, -1, 1, 1});
    const int newer = store.AppendPlanRow(samplePlan(9, start), "a", start);
    store.AppendFigureRow(newer, {1, 0, -1, 2, 2});
    lum::db::migrate(db());
    EXPECT_FALSE(store.LoadPlanRow(older));
    EXPECT_TRUE(store.LoadPlanRow(newer));
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM Figure"), 1);
    EXPECT_THROW(store.AppendPlanRow(samplePlan(9, start), "a", start), lum::db::DbError);
}

LUM_INSTANTIATE_DATABASE_TESTS(PlanStoreTest);
LUM_INSTANTIATE_DATABASE_TESTS(PlanMigrationTest);

}  // namespace
