// TCalendor over the months whose length and first weekday matter.
#include "common/calendor.h"

#include <gtest/gtest.h>

namespace {

using lum::TCalendor;
using lum::TDateTime;

TEST(Calendor, HoldsExactlyTheValidDaysOfTheMonth) {
    struct Case {
        int year, month, days;
        int firstWeek;  // 0 Sunday
    };
    const Case cases[] = {
        {2023, 2, 28, 3},  // not a leap year
        {2024, 2, 29, 4},  // leap year
        {2100, 2, 28, 1},  // divisible by 100: no leap year
        {2000, 2, 29, 2},  // divisible by 400: a leap year
        {2024, 4, 30, 1},  // a 30-day month
        {2024, 9, 30, 0},  // starts on a Sunday
        {2024, 12, 31, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "/" << c.month);
        TCalendor cal;
        cal.SetMonth(TDateTime::fromYmd(c.year, c.month, 15));
        for (int i = 0; i < lum::CalendorDays; ++i) {
            if (i < c.days) {
                const QDate date(c.year, c.month, i + 1);
                EXPECT_EQ(cal.Day(i), i + 1);
                EXPECT_EQ(cal.Data().Week[i], date.dayOfWeek() % 7);
                EXPECT_EQ(cal.Flag(i), date.dayOfWeek() == 7 ? u'1' : u'0');
                EXPECT_EQ(cal.Data().DateStr[i], date.toString(QStringLiteral("yyyy/MM/dd")));
                EXPECT_EQ(cal.Date(i), TDateTime::fromDate(date));
            } else {
                EXPECT_EQ(cal.Day(i), 0) << "entry " << i;
                EXPECT_EQ(cal.Flag(i), QChar(0)) << "entry " << i;
                EXPECT_TRUE(cal.Date(i).isEmpty());
            }
        }
        EXPECT_EQ(cal.Data().Week[0], c.firstWeek);
    }
}

TEST(Calendor, LabelsOfAMonthStartingOnSunday) {
    TCalendor cal;
    cal.SetMonth(TDateTime::fromYmd(2024, 9, 1));
    EXPECT_EQ(cal.DayWeekLabel(0), QStringLiteral(" 1 (日)"));
    EXPECT_EQ(cal.DayWeekLabel(1), QStringLiteral(" 2 (月)"));
    EXPECT_EQ(cal.DayWeekLabel(29), QStringLiteral("30 (月)"));
    EXPECT_EQ(cal.DayLabel(0), QStringLiteral(" 1"));
    EXPECT_EQ(cal.DayLabel(29), QStringLiteral("30"));
    EXPECT_EQ(cal.WeekName(6), QStringLiteral("土"));
    EXPECT_EQ(cal.Flag(0), u'1');
    EXPECT_EQ(cal.Flag(7), u'1');
    EXPECT_EQ(cal.Flag(8), u'0');
    // Day 31 does not exist in September.
    EXPECT_EQ(cal.Day(30), 0);
    EXPECT_EQ(cal.DayLabel(30), QStringLiteral(" 0"));
    // An index outside the table.
    EXPECT_EQ(cal.Day(31), 0);
    EXPECT_EQ(cal.DayWeekLabel(-1), QString());
}

TEST(Calendor, ACalendarNeverGivenAMonthHasNoDays) {
    TCalendor cal;
    for (int i = 0; i < lum::CalendorDays; ++i) EXPECT_EQ(cal.Day(i), 0);
    EXPECT_EQ(cal.Flag(0), u'2');
    EXPECT_EQ(cal.Flag(1), QChar(0));
    EXPECT_EQ(cal.DayWeekLabel(0), QStringLiteral(" 0 (日)"));
    // SetMonth clears what a former month left.
    cal.SetMonth(TDateTime::fromYmd(2024, 1, 31));
    cal.SetMonth(TDateTime::fromYmd(2023, 2, 1));
    EXPECT_EQ(cal.Day(30), 0);
    EXPECT_EQ(cal.Day(28), 0);
    EXPECT_EQ(cal.Day(27), 28);
    EXPECT_EQ(lum::CalendorWeekNames[0], QStringLiteral("日"));
    EXPECT_EQ(lum::CalendorWeekNames[6], QStringLiteral("土"));
}

}  // namespace
