// The span rule and the frame lists: half-open spans in whole minutes that
// never wrap past midnight, and lists that hand out copies.
#include "schedule/time_span.h"
#include "schedule/timetable_items.h"

#include <gtest/gtest.h>

namespace {

using lum::TDateTime;
using lum::spansOverlap;

TEST(TimeSpan, OverlapIsHalfOpenInWholeMinutesWithoutWrapping) {
    struct Case {
        const char* what;
        int startA, minutesA, startB, minutesB;
        bool overlap;
    } const cases[] = {
        {"touching after", 9 * 60, 30, 9 * 60 + 30, 30, false},
        {"touching before", 9 * 60 + 30, 30, 9 * 60, 30, false},
        {"one minute", 9 * 60, 30, 9 * 60 + 29, 30, true},
        {"one minute before", 9 * 60 + 29, 30, 9 * 60, 30, true},
        {"contained", 9 * 60, 60, 9 * 60 + 10, 10, true},
        {"containing", 9 * 60 + 10, 10, 9 * 60, 60, true},
        {"identical", 9 * 60, 30, 9 * 60, 30, true},
        {"600 minutes from 20:59 reach past midnight", 20 * 60 + 59, 600, 23 * 60 + 30, 30, true},
        {"600 minutes from 20:59 do not wrap to the morning", 20 * 60 + 59, 600, 8 * 60, 60, false},
        {"20:59 for one minute and 21:00", 20 * 60 + 59, 1, 21 * 60, 10, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spansOverlap(c.startA, c.minutesA, c.startB, c.minutesB), c.overlap) << c.what;
    }
    EXPECT_EQ(lum::minutesOfDay(TDateTime::fromYmdHms(1899, 12, 30, 20, 59)), 20 * 60 + 59);
    EXPECT_EQ(lum::minutesOfDay(lum::timeOfDay(9 * 60 + 5)), 9 * 60 + 5);
}

TIMETABLE_ITEM item(const char* name, int column, int start, int minutes) {
    TIMETABLE_ITEM i;
    i.PNo = column;
    i.LName = QString::fromLatin1(name);
    i.ResNo = 10 + column;
    i.RegistDay = TDateTime::fromYmd(2024, 2, 1 + column);
    i.Stf = 3;
    i.StartTime = lum::timeOfDay(start);
    i.Fnn = minutes;
    i.Cap = 1;
    return i;
}

TEST(FrameList, UpdateItemKeepsPlaceNameAndNumber) {
    TTimeTable list;
    EXPECT_EQ(list.Add(item("L0", 0, 540, 30)), 0);
    EXPECT_EQ(list.Add(item("L1", 4, 600, 30)), 1);
    TIMETABLE_ITEM other = item("X", 9, 700, 45);
    other.ResNo = 99;
    other.Cap = 5;
    list.UpdateItem(1, other);
    const TIMETABLE_ITEM back = list.GetItem(1);
    EXPECT_EQ(back.PNo, 4);
    EXPECT_EQ(back.LName, QStringLiteral("L1"));
    EXPECT_EQ(back.ResNo, 14);
    EXPECT_EQ(back.RegistDay, other.RegistDay);
    EXPECT_EQ(back.Fnn, 45);
    EXPECT_EQ(back.Cap, 5);
    EXPECT_EQ(list.IndexOf(QStringLiteral("L1")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("l1")), -1);
    EXPECT_TRUE(list.SetPNo(QStringLiteral("L0"), 7));
    EXPECT_FALSE(list.SetPNo(QStringLiteral("L9"), 7));
    EXPECT_EQ(list.GetItem(0).PNo, 7);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.GetItem(1), std::out_of_range);
}

TEST(RequestList, OverlapsOnDayComparesTheDayOfTheMonthOnly) {
    TRequestTable list;
    TREQUEST_ITEM r;
    r.LName = QStringLiteral("R0");
    r.RegistDay = TDateTime::fromYmd(2024, 2, 5);
    r.StartTime = lum::timeOfDay(9 * 60);
    r.Fnn = 30;
    list.Add(r);
    EXPECT_FALSE(list.OverlapsOnDay(TDateTime::fromYmd(2024, 2, 5), lum::timeOfDay(9 * 60 + 30), 30));
    EXPECT_TRUE(list.OverlapsOnDay(TDateTime::fromYmd(2024, 2, 5), lum::timeOfDay(9 * 60 + 29), 30));
    EXPECT_FALSE(list.OverlapsOnDay(TDateTime::fromYmd(2024, 2, 6), lum::timeOfDay(9 * 60), 30));
    EXPECT_TRUE(list.OverlapsOnDay(TDateTime::fromYmd(2024, 3, 5), lum::timeOfDay(9 * 60), 30));

    TREQUEST_ITEM booked = r;
    booked.Flag = true;
    booked.ResNo = 7;
    booked.PNo = 9;
    booked.LName = QStringLiteral("other");
    list.UpdateItem(0, booked);
    EXPECT_TRUE(list.GetItem(0).Flag);
    EXPECT_EQ(list.GetItem(0).PNo, 0);
    EXPECT_EQ(list.GetItem(0).LName, QStringLiteral("R0"));
    list.ReplaceItem(0, booked);
    EXPECT_EQ(list.GetItem(0), booked);
}

}  // namespace
