// The three-month statistics counted from result rows: days, client-days and
// results per category flag and month, by calendar day, over half-open months.
#include "printing/statistics_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using lum::CureResultFlags;
using lum::StatisticsMonths;
using lum::StatisticsTable;
using lum::TDateTime;

CureResultFlags result(TDateTime day, int cureNo, int rihaType, int kubunCode) {
    return {day, cureNo, lum::CategoryFlagsOf(rihaType, kubunCode)};
}
TDateTime on(int y, int m, int d, int h = 0, int min = 0) { return TDateTime::fromYmdHms(y, m, d, h, min); }

// M = 2002/05: M-2 is March, M-1 April.
std::vector<CureResultFlags> fixture() {
    return {
        result(on(2002, 5, 10), 1, 0, 1),  // three results of client 1 on one day, 入所 x 短期集中
        result(on(2002, 5, 10), 1, 0, 1),
        result(on(2002, 5, 10), 1, 0, 1),
        result(on(2002, 5, 10), 2, 0, 1),      // a second client the same day
        result(on(2002, 5, 11), 2, 0, 9),      // 短期集中 and 個別
        result(on(2002, 5, 31, 14, 30), 3, 3, 15),  // 14:30 on the last day; type 3 has no 集団 or 個別
        result(on(2002, 4, 30), 1, 2, 4),      // M-1, 通所 x 集団
        result(on(2002, 3, 1), 4, 1, 2),       // M-2, 短期入所 x 認知症
        result(on(2002, 2, 28), 4, 1, 2),      // before M-2
        result(on(2002, 6, 1), 1, 0, 1),       // after M
        result(on(2002, 5, 12), 5, 3, 12),     // type 3 with 集団 and 個別: counted nowhere
        result(on(2002, 5, 11, 9, 0), 2, 0, 1),  // a time of day earlier in the month: same day as the 11th
    };
}

TEST(StatisticsTable, CountsEachFlagByCalendarDayOverTheThreeMonths) {
    const StatisticsTable t = lum::CountStatistics(fixture(), StatisticsMonths::ending(2002, 5));
    struct Expected {
        int category;
        std::array<int, 9> cells;  // M-2 days, client-days, results, M-1 ..., M ...
    };
    const Expected expected[] = {
        {0, {0, 0, 0, 0, 0, 0, 2, 3, 6}},   // NyushoTanki: 10th (1, 2), 11th (2, twice)
        {3, {0, 0, 0, 0, 0, 0, 1, 1, 1}},   // NyushoKobetsu: the 11th
        {5, {1, 1, 1, 0, 0, 0, 0, 0, 0}},   // TankiNyushoNinchi: 1 March
        {10, {0, 0, 0, 1, 1, 1, 0, 0, 0}},  // TsushoShudan: 30 April
        {12, {0, 0, 0, 0, 0, 0, 1, 1, 1}},  // HoumonTanki: 31 May at 14:30
        {13, {0, 0, 0, 0, 0, 0, 1, 1, 1}},  // HoumonNinchi: the same result
    };
    for (int c = 0; c < StatisticsTable::Rows; ++c) {
        std::array<int, 9> cells{};
        for (const Expected& e : expected)
            if (e.category == c) cells = e.cells;
        for (int col = 0; col < StatisticsTable::Columns; ++col)
            EXPECT_EQ(t.cell(c, col), cells[static_cast<size_t>(col)]) << "category " << c << " column " << col;
    }
}

TEST(StatisticsTable, TheThreeMeasuresOfOneCategoryAndMonth) {
    const std::vector<CureResultFlags> rows = fixture();
    const lum::DateRange may = lum::monthRange(2002, 5);
    EXPECT_EQ(lum::CountFlagDays(rows, 0, may), 2);
    EXPECT_EQ(lum::CountFlagClientDays(rows, 0, may), 3);
    EXPECT_EQ(lum::CountFlagResults(rows, 0, may), 6);
    // Two clients on one day: one day, two client-days.
    const std::vector<CureResultFlags> two = {result(on(2002, 5, 10), 1, 0, 1), result(on(2002, 5, 10), 2, 0, 1)};
    EXPECT_EQ(lum::CountFlagDays(two, 0, may), 1);
    EXPECT_EQ(lum::CountFlagClientDays(two, 0, may), 2);
}

TEST(StatisticsMonths, JanuaryCountsNovemberAndDecemberOfTheYearBefore) {
    const StatisticsMonths m = StatisticsMonths::ending(2003, 1);
    EXPECT_EQ(m.first(0), on(2002, 11, 1));
    EXPECT_EQ(m.first(1), on(2002, 12, 1));
    EXPECT_EQ(m.first(2), on(2003, 1, 1));
    EXPECT_EQ(m.ranges[2].end, on(2003, 2, 1));
    EXPECT_EQ(m.span().begin, on(2002, 11, 1));
    EXPECT_EQ(m.span().end, on(2003, 2, 1));
    const std::vector<CureResultFlags> rows = {result(on(2002, 11, 30, 23, 59), 1, 0, 1),
                                               result(on(2002, 12, 1), 1, 0, 1), result(on(2003, 1, 31), 1, 0, 1)};
    const StatisticsTable t = lum::CountStatistics(rows, m);
    EXPECT_EQ(t.at(0, 0, StatisticsTable::Results), 1);
    EXPECT_EQ(t.at(0, 1, StatisticsTable::Results), 1);
    EXPECT_EQ(t.at(0, 2, StatisticsTable::Results), 1);
}

}  // namespace
