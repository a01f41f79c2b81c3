#pragma once
// The three-month statistics (統計情報): for each of the fourteen category
// flags and each of three months, the days with a result of that category,
// the client-days (one client on one day) and the results themselves.
// Counted from the result rows of the three months, read in one statement,
// by calendar day, so a result with a time of day counts with its day.
#include "common/category_flags.h"
#include "common/datetime.h"
#include "results/cure_result.h"

#include <array>
#include <span>
#include <vector>

namespace lum {

// The months counted: M-2, M-1 and M (index 0, 1, 2), each from its first day
// up to the next month's first day.
struct StatisticsMonths {
    std::array<DateRange, 3> ranges;

    // The months ending with year/month (M).
    static StatisticsMonths ending(int year, int month);
    // The first day of month index 0..2.
    TDateTime first(int index) const { return ranges[static_cast<size_t>(index)].begin; }
    // All three months as one range.
    DateRange span() const { return {ranges[0].begin, ranges[2].end}; }
};

struct StatisticsTable {
    enum Measure { Days = 0, ClientDays = 1, Results = 2 };
    static constexpr int Rows = CategoryFlagCount;  // one per category flag
    static constexpr int Columns = 9;               // 3 x month + measure

    // [category][month][measure]
    std::array<std::array<std::array<int, 3>, 3>, CategoryFlagCount> counts{};

    int at(int category, int month, int measure) const;
    // The grid's and the printout's cell: column = 3 x month + measure.
    int cell(int row, int column) const { return at(row, column / 3, column % 3); }
    void clear() { counts = {}; }
};

// The three measures of one category over one range.
// Days of the range with at least one result of the category.
int CountFlagDays(std::span<const CureResultFlags> rows, int category, DateRange range);
// Distinct (day, client) pairs of the category.
int CountFlagClientDays(std::span<const CureResultFlags> rows, int category, DateRange range);
// Results of the category.
int CountFlagResults(std::span<const CureResultFlags> rows, int category, DateRange range);

// All 126 counts.
StatisticsTable CountStatistics(std::span<const CureResultFlags> rows, const StatisticsMonths& months);

}  // namespace lum
