// The clock and its fixed stand-in.
#include "platform/clock.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(Clock, TheSystemClockIsTheDefault) {
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime at = now();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_LE(before, at);
    EXPECT_LE(at, after);
    EXPECT_EQ(at.timeSpec(), Qt::LocalTime);
    EXPECT_TRUE(today() == before.date() || today() == after.date());
}

TEST(Clock, AFixedClockStandsStillUntilMoved) {
    FixedClock fixed(QDateTime(QDate(2019, 4, 30), QTime(23, 59, 59)));
    EXPECT_EQ(now(), QDateTime(QDate(2019, 4, 30), QTime(23, 59, 59)));
    EXPECT_EQ(today(), QDate(2019, 4, 30));
    fixed.advanceSecs(1);  // across midnight and the era boundary
    EXPECT_EQ(today(), QDate(2019, 5, 1));
    EXPECT_EQ(now().time(), QTime(0, 0));
    fixed.advanceDays(-1);
    fixed.advanceMSecs(1500);
    EXPECT_EQ(now(), QDateTime(QDate(2019, 4, 30), QTime(0, 0, 1, 500)));
    fixed.set(QDateTime(QDate(2024, 2, 29), QTime(12, 0)));
    EXPECT_EQ(today(), QDate(2024, 2, 29));
}

TEST(Clock, ReplacementsNestAndRestore) {
    const Clock* system = &clock();
    {
        FixedClock outer(QDate(2002, 5, 1));
        EXPECT_EQ(now(), QDateTime(QDate(2002, 5, 1), QTime(0, 0)));
        {
            FixedClock inner(QDate(1989, 1, 7), FixedClock::Install::No);
            EXPECT_EQ(today(), QDate(2002, 5, 1));
            ScopedClock guard(inner);
            EXPECT_EQ(today(), QDate(1989, 1, 7));
        }
        EXPECT_EQ(today(), QDate(2002, 5, 1));
    }
    EXPECT_EQ(&clock(), system);
}

}  // namespace
}  // namespace lum
