// The month of requested days made from a weekly pattern, and the clients a
// month of weekly requests lists (both backends).
#include "schedule/month_book.h"

#include "schedule_fixture.h"

#include <gtest/gtest.h>

namespace {

using lum::TDateTime;
using lum::TUserMonthBook;
using lum::test::hm;

struct MonthCase {
    const char* name;
    int year, month;
    int weekday;           // the one requested weekday (1 Monday .. 7 Sunday)
    const char* start;     // "HH:MM", or nullptr for 0
    int minutes;
    std::vector<int> requestedDays;
    int lastFilledDay;     // days after it are cleared
};

class MakeMonthTable : public ::testing::TestWithParam<MonthCase> {};

TEST_P(MakeMonthTable, FillsTheMonthFromTheWeeklyPattern) {
    const MonthCase& c = GetParam();
    lum::WeekSlots week{};
    week[static_cast<size_t>(c.weekday - 1)] = {c.start ? hm(c.start) : TDateTime(), c.minutes};
    TUserMonthBook book;
    book.SetWeek(week);
    lum::MonthDays days;
    days.fill({true, hm("01:00"), 99});  // whatever was there before
    book.MakeMonth(days, TDateTime::fromYmd(c.year, c.month, 17));
    std::vector<int> requested;
    for (int d = 1; d <= 31; ++d) {
        const lum::TMonthBookDay& day = days[static_cast<size_t>(d - 1)];
        if (day.Requested) requested.push_back(d);
        if (d > c.lastFilledDay) {
            EXPECT_EQ(day, lum::TMonthBookDay{}) << "day " << d;
        }
    }
    EXPECT_EQ(requested, c.requestedDays);
    EXPECT_EQ(book.Days(), days);
}

INSTANTIATE_TEST_SUITE_P(
    Months, MakeMonthTable,
    ::testing::Values(
        // April 2024 starts on a Monday and has 30 days: day 31 cleared.
        MonthCase{"ThirtyDays", 2024, 4, 2, "10:00", 40, {2, 9, 16, 23, 30}, 30},
        // February 2024 (leap) starts on a Thursday: 29 days filled.
        MonthCase{"LeapFebruary", 2024, 2, 4, "09:30", 20, {1, 8, 15, 22, 29}, 29},
        MonthCase{"LeapFebruarySunday", 2024, 2, 7, "13:00", 30, {4, 11, 18, 25}, 29},
        // The weekday sequence runs on across the weeks (March 2024 starts on a Friday).
        MonthCase{"SequenceAcrossWeeks", 2024, 3, 5, "08:00", 60, {1, 8, 15, 22, 29}, 31},
        MonthCase{"NoStartTime", 2024, 3, 5, nullptr, 60, {}, 31},
        MonthCase{"NoMinutes", 2024, 3, 5, "08:00", 0, {}, 31},
        MonthCase{"NegativeMinutes", 2024, 3, 5, "08:00", -5, {}, 31}),
    [](const ::testing::TestParamInfo<MonthCase>& p) { return std::string(p.param.name); });

TEST(MakeMonth, EveryWeekdayTakesItsOwnSlot) {
    lum::WeekSlots week{};
    for (int w = 1; w <= 7; ++w) week[static_cast<size_t>(w - 1)] = {hm("09:00"), w};
    TUserMonthBook book;
    book.SetWeek(week);
    lum::MonthDays days;
    book.MakeMonth(days, TDateTime::fromYmd(2024, 2, 1));  // a Thursday
    for (int d = 1; d <= 29; ++d) {
        const int weekday = QDate(2024, 2, d).dayOfWeek();
        EXPECT_EQ(days[static_cast<size_t>(d - 1)].Minutes, weekday) << "day " << d;
    }
    book.Clear();
    EXPECT_EQ(book.Days(), lum::MonthDays{});
    EXPECT_EQ(book.GetWeek(), week);
}

// ---- the clients of a month

class MonthClientsTest : public lum::test::ScheduleTest {
protected:
    std::vector<QString> listed(int type, int mask) {
        std::vector<QString> names;
        for (const TPerson& p : lum::PersonStore(db()).monthClients(TDateTime::fromYmd(2024, 3, 1), type, mask))
            names.push_back(p.Name);
        return names;
    }
};

TEST_P(MonthClientsTest, ListsTheClientsOfTheMonth) {
    const TDateTime admitted = TDateTime::fromYmd(2023, 4, 1);
    addClient(QStringLiteral("在籍"), admitted);
    addClient(QStringLiteral("前月末退所"), admitted, TDateTime::fromYmd(2024, 2, 29));
    addClient(QStringLiteral("月初退所"), admitted, TDateTime::fromYmd(2024, 3, 1));
    addClient(QStringLiteral("翌月入所"), TDateTime::fromYmd(2024, 4, 1));
    addClient(QStringLiteral("月末入所"), TDateTime::fromYmd(2024, 3, 31));
    addClient(QStringLiteral("訪問短期"), admitted, {}, 3, 1);
    addClient(QStringLiteral("訪問認知"), admitted, {}, 3, 2);
    addClient(QStringLiteral("訪問集団"), admitted, {}, 3, 4);

    using V = std::vector<QString>;
    EXPECT_EQ(listed(0, 15), (V{QStringLiteral("在籍"), QStringLiteral("月初退所"), QStringLiteral("月末入所")}));
    // 訪問リハビリ with both of its boxes: bits 1 and 2.
    EXPECT_EQ(listed(3, 3), (V{QStringLiteral("訪問短期"), QStringLiteral("訪問認知")}));
    EXPECT_EQ(listed(3, 0), V{});
    EXPECT_EQ(listed(0, 0), V{});
    // 全て: every type, whatever the boxes.
    EXPECT_EQ(listed(lum::PersonStore::AllRihaTypes, 0),
              (V{QStringLiteral("在籍"), QStringLiteral("月初退所"), QStringLiteral("月末入所"),
                 QStringLiteral("訪問短期"), QStringLiteral("訪問認知"), QStringLiteral("訪問集団")}));
}

TEST_P(MonthClientsTest, WeeklyRequestsAreWrittenAndReadWithTheRow) {
    const int a = addClient(QStringLiteral("甲"));
    const int b = addClient(QStringLiteral("乙"));
    std::array<TDateTime, lum::WeekDays> reserve{};
    std::array<int, lum::WeekDays> funn{};
    reserve[0] = hm("10:00");
    funn[0] = 40;
    funn[3] = -5;
    lum::PersonStore(db()).updateWeekRequests(b, reserve, funn);
    const auto rows = lum::PersonStore(db()).monthClients(TDateTime::fromYmd(2024, 3, 1), 0, 8);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].CureNo, a);
    EXPECT_EQ(rows[0].Funn[0], 0);
    EXPECT_EQ(rows[1].Reserve, reserve);
    EXPECT_EQ(rows[1].Funn, funn);
    EXPECT_THROW(lum::PersonStore(db()).updateWeekRequests(9999, reserve, funn), lum::db::NoRowTouched);
}

LUM_INSTANTIATE_DATABASE_TESTS(MonthClientsTest);

}  // namespace
