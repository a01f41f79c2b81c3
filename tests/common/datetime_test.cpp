#include "common/datetime.h"

#include <gtest/gtest.h>

#include <limits>

using lum::TDateTime;

TEST(TDateTime, EpochIsTheEmptyDate) {
    EXPECT_TRUE(TDateTime().isEmpty());
    EXPECT_EQ(TDateTime::fromYmd(1899, 12, 30).value(), 0.0);
    EXPECT_EQ(TDateTime().toDateText(), QStringLiteral("1899/12/30"));
    EXPECT_EQ(TDateTime::fromDate(QDate()).value(), 0.0);
}

TEST(TDateTime, KnownSerials) {
    struct Row { int y, m, d; double serial; };
    const Row rows[] = {{1900, 1, 1, 2}, {1900, 3, 1, 61}, {2000, 1, 1, 36526}, {2002, 5, 1, 37377},
                        {2019, 5, 1, 43586}, {1899, 12, 29, -1}};
    for (const Row& r : rows) {
        const TDateTime t = TDateTime::fromYmd(r.y, r.m, r.d);
        EXPECT_EQ(t.value(), r.serial) << r.y << '/' << r.m << '/' << r.d;
        EXPECT_EQ(t.date(), QDate(r.y, r.m, r.d));
    }
}

TEST(TDateTime, TimeIsTheFraction) {
    const TDateTime t = TDateTime::fromYmdHms(2002, 5, 1, 18, 0);
    EXPECT_DOUBLE_EQ(t.value(), 37377.75);
    EXPECT_EQ(t.time(), QTime(18, 0));
    EXPECT_EQ(t.dateOnly().value(), 37377.0);
    EXPECT_EQ(t.toDateTimeText(), QStringLiteral("2002/05/01 18:00:00"));
    // Before the epoch the time still counts forward from midnight.
    const TDateTime before = TDateTime::fromYmdHms(1899, 12, 29, 6, 0);
    EXPECT_DOUBLE_EQ(before.value(), -1.25);
    EXPECT_EQ(before.toQDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    // Every second of a day survives the round trip.
    for (int s = 0; s < 86400; s += 997) {
        const QDateTime q(QDate(2026, 12, 10), QTime::fromMSecsSinceStartOfDay(s * 1000));
        EXPECT_EQ(TDateTime::fromDateTime(q).toQDateTime(), q);
    }
}

TEST(ParseDateText, AcceptsTheRunFormatOnly) {
    struct Row { const char* text; bool ok; int y, m, d; };
    const Row rows[] = {
        {"2002/05/01", true, 2002, 5, 1}, {"2002/ 5/ 1", true, 2002, 5, 1}, {"2002/5/1", true, 2002, 5, 1},
        {"2000/02/29", true, 2000, 2, 29}, {"2001/02/29", false, 0, 0, 0}, {"2002/02/30", false, 0, 0, 0},
        {"2002/13/01", false, 0, 0, 0}, {"2002/__/01", false, 0, 0, 0}, {"2002-05-01", false, 0, 0, 0},
        {"", false, 0, 0, 0}, {"2002/05", false, 0, 0, 0}, {"2002/05/01/", false, 0, 0, 0},
        {"2002/05/  ", false, 0, 0, 0}, {"2002/005/01", false, 0, 0, 0}};
    for (const Row& r : rows) {
        const auto got = lum::parseDateText(QString::fromUtf8(r.text));
        ASSERT_EQ(got.has_value(), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(got->date(), QDate(r.y, r.m, r.d)) << r.text;
        }
    }
}

TEST(ParseDateTimeText, ReadsWhatFilesFromOtherProgramsHold) {
    struct Row { const char* text; bool ok; QDateTime value; };
    const QDate empty(1899, 12, 30);
    const Row rows[] = {
        {"2024/05/07", true, QDateTime(QDate(2024, 5, 7), QTime(0, 0))},
        {"2024/5/7", true, QDateTime(QDate(2024, 5, 7), QTime(0, 0))},
        {" 2024/05/07 ", true, QDateTime(QDate(2024, 5, 7), QTime(0, 0))},
        {"2024/05/07 10:30", true, QDateTime(QDate(2024, 5, 7), QTime(10, 30))},
        {"2024/05/07  9:05:59", true, QDateTime(QDate(2024, 5, 7), QTime(9, 5, 59))},
        {"10:30", true, QDateTime(empty, QTime(10, 30))},
        {"0:00", true, QDateTime(empty, QTime(0, 0))},
        {"23:59:59", true, QDateTime(empty, QTime(23, 59, 59))},
        {"1899/12/30", true, QDateTime(empty, QTime(0, 0))},
        {"1850/01/01", true, QDateTime(QDate(1850, 1, 1), QTime(0, 0))},
        {"24/05/07", false, {}},        // no two-digit year
        {"02024/05/07", false, {}},
        {"2024-05-07", false, {}},
        {"2024/02/30", false, {}},
        {"2024/05/07 24:00", false, {}},
        {"10:60", false, {}},
        {"10", false, {}},
        {"10:30:", false, {}},
        {"2024/05/07 10:30 x", false, {}},
        {"2024/05/07x", false, {}},
        {"", false, {}},
        {"利用日", false, {}},
        {"+10:30", false, {}},
    };
    for (const Row& r : rows) {
        const auto got = lum::parseDateTimeText(QString::fromUtf8(r.text));
        ASSERT_EQ(got.has_value(), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(got->toQDateTime(), r.value) << r.text;
        }
    }
}

TEST(DateRange, DayAndMonthAreHalfOpen) {
    const auto day = lum::dayRange(TDateTime::fromYmdHms(2024, 2, 29, 13, 5));
    EXPECT_EQ(day.begin, TDateTime::fromYmd(2024, 2, 29));
    EXPECT_EQ(day.end, TDateTime::fromYmd(2024, 3, 1));
    EXPECT_TRUE(day.contains(TDateTime::fromYmdHms(2024, 2, 29, 23, 59, 59)));
    EXPECT_FALSE(day.contains(day.end));

    const auto dec = lum::monthRange(TDateTime::fromYmd(2026, 12, 10));
    EXPECT_EQ(dec.begin, TDateTime::fromYmd(2026, 12, 1));
    EXPECT_EQ(dec.end, TDateTime::fromYmd(2027, 1, 1));
    EXPECT_EQ(lum::monthRange(2024, 2).end, TDateTime::fromYmd(2024, 3, 1));
}

TEST(TDateTime, OutlandishValuesStayDefined) {
    // Damaged records can carry any double; the conversions must not overflow.
    const double values[] = {1e300, -1e300, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 4e9};
    for (double v : values) {
        const TDateTime t(v);
        EXPECT_TRUE(t.date().isValid()) << v;
        EXPECT_TRUE(t.time().isValid()) << v;
    }
}
