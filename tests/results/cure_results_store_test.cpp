// The results store on both backends: whole rows round trip, periods and
// their order, edits of single columns from two workstations, deletions that
// leave neighbours alone, rows gone elsewhere, and the sheet's month read in
// one statement.
#include "results/cure_results_store.h"
#include "results/month_sheet.h"

#include "common/db/sql_date.h"
#include "platform/db/db_error.h"
#include "results_fixture.h"

#include <gtest/gtest.h>

namespace {

using lum::CureResult;
using lum::CureResultChange;
using lum::TDateTime;
using lum::test::flagsOf;

TDateTime ymd(int y, int m, int d) { return TDateTime::fromYmd(y, m, d); }

class CureResultsStoreTest : public lum::test::ResultsDatabaseTest {};

TEST_P(CureResultsStoreTest, AWholeRowComesBackAsWritten) {
    const TPerson client = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 2, 15));
    CureResult row = lum::NewHandEnteredResult(client, ymd(2024, 5, 10), TDateTime::fromYmdHms(2024, 5, 12, 14, 35, 20));
    EXPECT_EQ(row.RihaType, 2);
    EXPECT_EQ(row.KubunCode, 15);
    EXPECT_EQ(flagsOf(row), QStringLiteral("---- ---- TTTT --"));
    EXPECT_EQ(row.PStartTime, TDateTime::fromYmdHms(1899, 12, 30, 14, 35, 20)) << "a time on the empty date";
    row.ResultNo = store().insert(row);
    EXPECT_GT(row.ResultNo, 0);

    const auto back = store().find(row.ResultNo);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, row);
    EXPECT_EQ(back->Name, QStringLiteral("山田　花子"));
    EXPECT_EQ(back->ROOM_NO, QStringLiteral("201号室"));
    EXPECT_TRUE(back->TAISHOBI_YMD.isEmpty());

    // What a hand-entered day leaves unwritten stays NULL.
    QSqlQuery q = db().prepare(QStringLiteral("SELECT LoginCD, LoginName, Comment, NyushoTanki, TsushoTanki "
                                              "FROM CureResults WHERE ResultNo = :n"));
    q.bindValue(QStringLiteral(":n"), row.ResultNo);
    db().exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).isNull());
    EXPECT_TRUE(q.value(1).isNull());
    EXPECT_FALSE(q.value(2).isNull()) << "the remark is written empty";
    EXPECT_EQ(q.value(3).toString(), QStringLiteral("False"));
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("True"));
    EXPECT_FALSE(store().find(row.ResultNo + 100));
}

TEST_P(CureResultsStoreTest, AClientsPeriodComesInDayOrderWithTiesInRowOrder) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const TPerson b = registered(lum::test::makeClient(QStringLiteral("乙"), 0, 1));
    const qint64 late = store().insert(lum::test::resultOn(a, ymd(2024, 5, 20)));
    const qint64 first = store().insert(lum::test::resultOn(a, ymd(2024, 5, 3)));
    const qint64 second = store().insert(lum::test::resultOn(a, ymd(2024, 5, 3)));
    // A day stored with a time of day (old data) still falls into its day.
    CureResult timed = lum::test::resultOn(a, ymd(2024, 5, 31));
    const qint64 lastDay = store().insert(timed);
    QSqlQuery q = db().prepare(QStringLiteral("UPDATE CureResults SET CureDate = :d WHERE ResultNo = :n"));
    lum::db::bindDate(q, QStringLiteral(":d"), TDateTime::fromYmdHms(2024, 5, 31, 16, 20));
    q.bindValue(QStringLiteral(":n"), lastDay);
    db().exec(q);
    // Neighbours: the months around and another client.
    store().insert(lum::test::resultOn(a, ymd(2024, 4, 30)));
    store().insert(lum::test::resultOn(a, ymd(2024, 6, 1)));
    store().insert(lum::test::resultOn(b, ymd(2024, 5, 3)));

    std::vector<qint64> numbers;
    for (const CureResult& r : store().clientPeriod(a.CureNo, lum::monthRange(2024, 5))) numbers.push_back(r.ResultNo);
    EXPECT_EQ(numbers, (std::vector<qint64>{first, second, late, lastDay}));
    EXPECT_TRUE(store().hasResults(b.CureNo, lum::monthRange(2024, 5)));
    EXPECT_FALSE(store().hasResults(b.CureNo, lum::monthRange(2024, 6)));
    EXPECT_EQ(store().dayTypes(a.CureNo, lum::monthRange(2024, 5)).size(), 4u);
}

TEST_P(CureResultsStoreTest, DeletingAClientsPeriodLeavesNeighbouringMonthsAndOtherClients) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const TPerson b = registered(lum::test::makeClient(QStringLiteral("乙"), 0, 1));
    for (TDateTime d : {ymd(2024, 4, 30), ymd(2024, 5, 1), ymd(2024, 5, 31), ymd(2024, 6, 1)}) {
        store().insert(lum::test::resultOn(a, d));
        store().insert(lum::test::resultOn(b, d));
    }
    EXPECT_EQ(store().removeClientPeriod(a.CureNo, lum::monthRange(2024, 5)), 2);
    EXPECT_EQ(countRows(), 6);
    EXPECT_TRUE(store().clientPeriod(a.CureNo, lum::monthRange(2024, 5)).empty());
    EXPECT_EQ(store().clientPeriod(a.CureNo, lum::monthRange(2024, 4)).size(), 1u);
    EXPECT_EQ(store().clientPeriod(a.CureNo, lum::monthRange(2024, 6)).size(), 1u);
    EXPECT_EQ(store().clientPeriod(b.CureNo, lum::monthRange(2024, 5)).size(), 2u);
    EXPECT_EQ(store().removeClientPeriod(a.CureNo, lum::monthRange(2024, 5)), 0) << "nothing left: no error";
}

TEST_P(CureResultsStoreTest, TwoWorkstationsEditingDifferentColumnsOfOneRowKeepBothChanges) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const qint64 no = store().insert(lum::test::resultOn(a, ymd(2024, 5, 3)));
    auto other = scratch().open();
    lum::CureResultsStore there(*other);

    CureResultChange minutes;
    minutes.RMinute = 40;
    minutes.RStartTime = TDateTime::fromYmdHms(2024, 5, 3, 10, 15);  // kept as a time of day
    store().update(no, minutes);
    CureResultChange flagsAndStaff;
    flagsAndStaff.Flags[lum::CategoryFlagIndex(0, 8)] = true;
    flagsAndStaff.Stuff = CureResultChange::Staff{7, QStringLiteral("佐藤 花子"), QStringLiteral("サ")};
    flagsAndStaff.Comment = QStringLiteral("歩行訓練");
    there.update(no, flagsAndStaff);

    const CureResult row = *store().find(no);
    EXPECT_EQ(row.RMinute, 40);
    EXPECT_EQ(row.RStartTime, TDateTime::fromYmdHms(1899, 12, 30, 10, 15));
    EXPECT_EQ(flagsOf(row), QStringLiteral("T--T ---- ---- --"));
    EXPECT_EQ(row.KubunCode, 1) << "a flag alone does not change the code";
    EXPECT_EQ(row.StuffCode, 7);
    EXPECT_EQ(row.StuffName, QStringLiteral("佐藤 花子"));
    EXPECT_EQ(row.StuffKigo, QStringLiteral("サ"));
    EXPECT_EQ(row.Comment, QStringLiteral("歩行訓練"));
}

TEST_P(CureResultsStoreTest, ARowDeletedElsewhereIsReportedOnEditAndDelete) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const qint64 no = store().insert(lum::test::resultOn(a, ymd(2024, 5, 3)));
    auto other = scratch().open();
    lum::CureResultsStore(*other).remove(no);
    CureResultChange change;
    change.RMinute = 20;
    EXPECT_THROW(store().update(no, change), lum::db::NoRowTouched);
    EXPECT_THROW(store().remove(no), lum::db::NoRowTouched);
    EXPECT_FALSE(db().inTransaction());
    store().update(no, CureResultChange{});  // nothing to write: no statement, no error
}

TEST_P(CureResultsStoreTest, ABatchInsertARowOfWhichIsNotStoredStoresNone) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const TPerson b = registered(lum::test::makeClient(QStringLiteral("乙"), 0, 1));
    // The database passes over b's rows without an error, as a rule or a
    // trigger of its own may: the batch must not count them as stored.
    auto run = [&](const QString& sql) { db().execute(sql); };
    if (GetParam() == lum::db::Backend::SQLite) {
        run(QStringLiteral("CREATE TRIGGER skip_b BEFORE INSERT ON CureResults WHEN NEW.CureNo = %1 "
                           "BEGIN SELECT RAISE(IGNORE); END").arg(b.CureNo));
    } else {
        run(QStringLiteral("CREATE FUNCTION skip_b() RETURNS trigger AS $$ BEGIN "
                           "IF NEW.CureNo = %1 THEN RETURN NULL; END IF; RETURN NEW; END $$ LANGUAGE plpgsql")
                .arg(b.CureNo));
        run(QStringLiteral("CREATE TRIGGER skip_b BEFORE INSERT ON CureResults FOR EACH ROW EXECUTE FUNCTION skip_b()"));
    }
    EXPECT_THROW(store().insertAll({lum::test::resultOn(a, ymd(2024, 5, 3)), lum::test::resultOn(b, ymd(2024, 5, 4)),
                                    lum::test::resultOn(a, ymd(2024, 5, 5))}),
                 lum::db::NoRowTouched);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_TRUE(store().clientsOfPeriod(lum::monthRange(2024, 5)).empty()) << "all or none";

    store().insertAll({lum::test::resultOn(a, ymd(2024, 5, 3)), lum::test::resultOn(a, ymd(2024, 5, 5))});
    EXPECT_EQ(store().clientsOfPeriod(lum::monthRange(2024, 5)).size(), 1u);
}

TEST_P(CureResultsStoreTest, TheSheetsMonthIsReadInOneStatement) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 1));
    const TPerson b = registered(lum::test::makeClient(QStringLiteral("乙"), 2, 1));
    // Two results on one day: the later one's mark; a type out of range
    // leaves the mark before it.
    store().insert(lum::test::resultOn(a, ymd(2024, 2, 1), 2));
    store().insert(lum::test::resultOn(a, ymd(2024, 2, 1), 0));
    store().insert(lum::test::resultOn(a, ymd(2024, 2, 15), 3));
    store().insert(lum::test::resultOn(a, ymd(2024, 2, 15), 7));
    store().insert(lum::test::resultOn(a, ymd(2024, 2, 29), 1));
    // A client whose rows carry two names shows on two rows.
    store().insert(lum::test::resultOn(b, ymd(2024, 2, 10)));
    CureResult renamed = lum::test::resultOn(b, ymd(2024, 2, 12));
    renamed.Name = QStringLiteral("乙（旧姓）");
    store().insert(renamed);
    store().insert(lum::test::resultOn(b, ymd(2024, 3, 1)));

    const quint64 before = db().statementsRun();
    const auto rows = lum::LoadMonthSheet(store(), lum::monthRange(2024, 2));
    EXPECT_EQ(db().statementsRun() - before, 1u);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].CureNo, a.CureNo);
    EXPECT_EQ(rows[0].DayType[0], 0);
    EXPECT_EQ(rows[0].DayType[14], 3);
    EXPECT_EQ(rows[0].DayType[28], 1);
    EXPECT_EQ(rows[0].DayType[1], -1);
    EXPECT_EQ(rows[0].Count, 5);
    EXPECT_EQ(rows[1].Name, QStringLiteral("乙"));
    EXPECT_EQ(rows[2].Name, QStringLiteral("乙（旧姓）"));
    for (int r : {1, 2}) {
        EXPECT_EQ(rows[r].CureNo, b.CureNo);
        EXPECT_EQ(rows[r].Count, 2);
        EXPECT_EQ(rows[r].DayType[9], 2);
        EXPECT_EQ(rows[r].DayType[11], 2);
    }
    // The per-client statements agree with the month's.
    std::vector<lum::ResultClientName> clients = store().clientsOfPeriod(lum::monthRange(2024, 2));
    ASSERT_EQ(clients.size(), 3u);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(clients[r], (lum::ResultClientName{rows[r].CureNo, rows[r].Name}));
    EXPECT_TRUE(lum::LoadMonthSheet(store(), lum::monthRange(2024, 4)).empty());
}

TEST(MonthSheetTexts, MarksCountsAndNumbers) {
    EXPECT_EQ(lum::ResultTypeMark(0), QStringLiteral("○"));
    EXPECT_EQ(lum::ResultTypeMark(1), QStringLiteral("□"));
    EXPECT_EQ(lum::ResultTypeMark(2), QStringLiteral("△"));
    EXPECT_EQ(lum::ResultTypeMark(3), QStringLiteral("◇"));
    EXPECT_EQ(lum::ResultTypeMark(4), QString());
    EXPECT_EQ(lum::ResultTypeMark(-1), QString());
    EXPECT_EQ(lum::MonthSheetCountText(5), QStringLiteral("   5"));
    EXPECT_EQ(lum::MonthSheetCountText(12), QStringLiteral("   12"));
    EXPECT_EQ(lum::MonthSheetCountText(123), QStringLiteral("  123"));
    EXPECT_EQ(lum::CureNoText(42), QStringLiteral("00000042"));
}

LUM_INSTANTIATE_DATABASE_TESTS(CureResultsStoreTest);

}  // namespace

namespace {

TEST_P(CureResultsStoreTest, TheStatisticsReadFlagsAndMonthEntriesOfAPeriod) {
    const TPerson a = registered(lum::test::makeClient(QStringLiteral("甲"), 0, 9));
    const TPerson b = registered(lum::test::makeClient(QStringLiteral("乙"), 3, 15));
    store().insert(lum::test::resultOn(a, ymd(2024, 5, 20)));
    store().insert(lum::test::resultOn(b, ymd(2024, 5, 3)));
    CureResult timed = lum::test::resultOn(a, ymd(2024, 5, 31));
    timed.LoginName = QStringLiteral("鈴木");
    const qint64 lastDay = store().insert(timed);
    QSqlQuery q = db().prepare(QStringLiteral("UPDATE CureResults SET CureDate = :d WHERE ResultNo = :n"));
    lum::db::bindDate(q, QStringLiteral(":d"), TDateTime::fromYmdHms(2024, 5, 31, 14, 30));
    q.bindValue(QStringLiteral(":n"), lastDay);
    db().exec(q);
    store().insert(lum::test::resultOn(a, ymd(2024, 4, 30)));
    store().insert(lum::test::resultOn(a, ymd(2024, 6, 1)));

    auto flags = store().periodFlags(lum::monthRange(2024, 5));
    ASSERT_EQ(flags.size(), 3u) << "the last day's result with a time of day belongs to May";
    std::sort(flags.begin(), flags.end(), [](const auto& x, const auto& y) { return x.CureDate < y.CureDate; });
    EXPECT_EQ(flags[0].CureNo, b.CureNo);
    EXPECT_EQ(flags[0].Flags, lum::CategoryFlagsOf(3, 15));
    EXPECT_EQ(flags[1].Flags, lum::CategoryFlagsOf(0, 9));
    EXPECT_EQ(flags[2].CureDate, TDateTime::fromYmdHms(2024, 5, 31, 14, 30));

    const auto entries = store().periodEntries(lum::monthRange(2024, 5));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].CureNo, b.CureNo);
    EXPECT_EQ(entries[0].Name, QStringLiteral("乙"));
    EXPECT_EQ(entries[0].RihaType, 3);
    EXPECT_EQ(entries[0].KubunCode, 15);
    EXPECT_EQ(entries[1].CureNo, a.CureNo);
    EXPECT_EQ(entries[2].LoginName, QStringLiteral("鈴木"));
    EXPECT_TRUE(entries[1].LoginName.isEmpty()) << "NULL reads as empty";
}

}  // namespace
