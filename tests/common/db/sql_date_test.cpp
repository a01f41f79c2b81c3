#include "common/db/sql_date.h"

#include "support/database_fixture.h"

using lum::TDateTime;
using namespace lum::db;

namespace {

class SqlDate : public lum::test::DatabaseTest {
protected:
    // Stores one frame whose day and start time are the values given.
    qint64 addFrame(TDateTime day, TDateTime start) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
            "VALUES (:d, 1, :s, 30, 1) RETURNING ReserveNo"));
        bindDate(q, QStringLiteral(":d"), day);
        bindDate(q, QStringLiteral(":s"), start);
        return db().execReturningKey(q);
    }
    QList<qint64> framesWhere(const QString& condition, TDateTime a, TDateTime b = TDateTime()) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT ReserveNo FROM TimeTable WHERE ") + condition +
                                   QStringLiteral(" ORDER BY ReserveDay, ReserveNo"));
        bindDate(q, QStringLiteral(":a"), a);
        if (condition.contains(u":b")) bindDate(q, QStringLiteral(":b"), b);
        db().exec(q);
        QList<qint64> keys;
        while (q.next()) keys << q.value(0).toLongLong();
        return keys;
    }
    TDateTime readBack(qint64 key, const char* column) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT %1 FROM TimeTable WHERE ReserveNo = :k").arg(QString::fromLatin1(column)));
        q.bindValue(QStringLiteral(":k"), key);
        db().exec(q);
        EXPECT_TRUE(q.next());
        return readDate(q.value(0));
    }
};

TDateTime ymdhms(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return TDateTime::fromYmdHms(y, mo, d, h, mi, s, ms);
}

}  // namespace

TEST(SqlDateText, IsTheStoredFormRoundedToTheSecond) {
    struct Row {
        TDateTime value;
        const char* text;
    };
    const Row rows[] = {
        {TDateTime(), "1899-12-30 00:00:00"},
        {ymdhms(2024, 2, 29, 13, 45, 30), "2024-02-29 13:45:30"},
        {ymdhms(1899, 12, 30, 9, 30), "1899-12-30 09:30:00"},
        {ymdhms(2024, 5, 1, 12, 0, 0, 600), "2024-05-01 12:00:01"},
        {ymdhms(2024, 5, 1, 12, 0, 0, 499), "2024-05-01 12:00:00"},
        {ymdhms(2024, 12, 31, 23, 59, 59, 700), "2025-01-01 00:00:00"},
        {TDateTime(-1.25), "1899-12-29 06:00:00"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(sqlDateText(r.value), QString::fromLatin1(r.text)) << r.value.value();
        EXPECT_EQ(readDate(QString::fromLatin1(r.text)), TDateTime::fromDateTime(
                      QDateTime::fromString(QString::fromLatin1(r.text), QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    }
}

TEST(SqlDateText, ReadsEveryFormABackendGivesAndRefusesTheRest) {
    EXPECT_EQ(readDate(QVariant()), TDateTime());
    EXPECT_EQ(readDate(QVariant(QMetaType(QMetaType::QString))), TDateTime());  // NULL
    EXPECT_EQ(readDate(QStringLiteral("2024-05-01")), ymdhms(2024, 5, 1));
    EXPECT_EQ(readDate(QStringLiteral("2024-05-01T08:15:00.000")), ymdhms(2024, 5, 1, 8, 15));
    EXPECT_EQ(readDate(QDateTime(QDate(2024, 5, 1), QTime(8, 15), Qt::UTC)), ymdhms(2024, 5, 1, 8, 15));
    EXPECT_THROW(readDate(QStringLiteral("2024/05/01")), DbError);
    EXPECT_THROW(readDate(QStringLiteral("yesterday")), DbError);
}

TEST_P(SqlDate, ValuesComeBackExactlyAndTheEmptyDateIsNotNull) {
    const TDateTime values[] = {TDateTime(), ymdhms(2024, 2, 29, 13, 45, 30), ymdhms(1899, 12, 30, 9, 30),
                                ymdhms(2100, 12, 31, 23, 59, 59), ymdhms(1925, 3, 3), TDateTime(-1.25),
                                // 2024-03-31 02:30 is no local time in much of Europe: built without one.
                                TDateTime(TDateTime::fromYmd(2024, 3, 31).value() + 2.5 / 24)};
    for (const TDateTime v : values) {
        const qint64 key = addFrame(v, v);
        EXPECT_EQ(readBack(key, "ReserveDay"), v) << v.value();
        EXPECT_EQ(readBack(key, "StartTime"), v) << v.value();
        // Selected as text for long lists, the same value.
        QSqlQuery q = db().prepare(QStringLiteral("SELECT %1 FROM TimeTable WHERE ReserveNo = :k")
                                       .arg(lum::db::selectDate(db().backend(), QStringLiteral("ReserveDay"))));
        q.bindValue(QStringLiteral(":k"), key);
        db().exec(q);
        ASSERT_TRUE(q.next());
        EXPECT_EQ(readDate(q.value(0)), v) << v.value();
    }
    QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE ReserveDay IS NULL"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(framesWhere(QStringLiteral("ReserveDay = :a"), TDateTime()).size(), 1);
}

TEST_P(SqlDate, EqualityRangesAndOrderWorkOnTheBoundValues) {
    const qint64 may1 = addFrame(ymdhms(2024, 5, 1), ymdhms(1899, 12, 30, 9));
    const qint64 may1Late = addFrame(ymdhms(2024, 5, 1, 18, 30), ymdhms(1899, 12, 30, 10));
    const qint64 may31 = addFrame(ymdhms(2024, 5, 31, 23, 59, 59), ymdhms(1899, 12, 30, 11));
    const qint64 june1 = addFrame(ymdhms(2024, 6, 1), ymdhms(1899, 12, 30, 12));
    const qint64 april30 = addFrame(ymdhms(2024, 4, 30), ymdhms(1899, 12, 30, 13));

    EXPECT_EQ(framesWhere(QStringLiteral("ReserveDay = :a"), ymdhms(2024, 5, 1)), QList<qint64>{may1});
    const lum::DateRange may = lum::monthRange(2024, 5);
    EXPECT_EQ(framesWhere(QStringLiteral("ReserveDay >= :a AND ReserveDay < :b"), may.begin, may.end),
              (QList<qint64>{may1, may1Late, may31}));
    const lum::DateRange day = lum::dayRange(ymdhms(2024, 5, 1));
    EXPECT_EQ(framesWhere(QStringLiteral("ReserveDay >= :a AND ReserveDay < :b"), day.begin, day.end),
              (QList<qint64>{may1, may1Late}));
    EXPECT_EQ(framesWhere(QStringLiteral("ReserveDay > :a"), ymdhms(2024, 5, 31)), (QList<qint64>{may31, june1}));
    EXPECT_EQ(framesWhere(QStringLiteral("StartTime < :a"), ymdhms(1899, 12, 30, 10)), QList<qint64>{may1});
    (void)april30;
}

TEST_P(SqlDate, SqliteRefusesADateBoundAnyOtherWay) {
    if (!isSqlite()) GTEST_SKIP() << "PostgreSQL's own type refuses what is no date";
    QSqlQuery q = db().prepare(QStringLiteral(
        "INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) VALUES (:d, 1, :d, 30, 1)"));
    q.bindValue(QStringLiteral(":d"), QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
    EXPECT_THROW(db().exec(q), DbError);
    q.bindValue(QStringLiteral(":d"), QStringLiteral("2024/05/01"));
    EXPECT_THROW(db().exec(q), DbError);
}

LUM_INSTANTIATE_DATABASE_TESTS(SqlDate);
