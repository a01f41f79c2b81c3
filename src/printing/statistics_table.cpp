#include "printing/statistics_table.h"

#include <algorithm>
#include <utility>

namespace lum {
namespace {

bool counts(const CureResultFlags& row, int category, DateRange range) {
    return range.contains(row.CureDate) && row.Flags[static_cast<size_t>(category)];
}

// How many different values, once sorted.
template <typename T>
int distinctCount(std::vector<T>& values) {
    std::sort(values.begin(), values.end());
    return static_cast<int>(std::unique(values.begin(), values.end()) - values.begin());
}

// The rows of one month: a slice, so the 42 counts of a month do not walk the
// other two months' rows.
std::span<const CureResultFlags> rowsOf(std::vector<CureResultFlags>& sorted, DateRange range) {
    const auto begin = std::partition_point(sorted.begin(), sorted.end(),
                                            [&](const CureResultFlags& r) { return r.CureDate < range.begin; });
    const auto end = std::partition_point(begin, sorted.end(),
                                          [&](const CureResultFlags& r) { return r.CureDate < range.end; });
    return {begin, end};
}

}  // namespace

StatisticsMonths StatisticsMonths::ending(int year, int month) {
    StatisticsMonths m;
    const QDate last(year, month, 1);
    for (int i = 0; i < 3; ++i) m.ranges[static_cast<size_t>(i)] = monthRange(TDateTime::fromDate(last.addMonths(i - 2)));
    return m;
}

int StatisticsTable::at(int category, int month, int measure) const {
    if (category < 0 || category >= Rows || month < 0 || month > 2 || measure < 0 || measure > 2) return 0;
    return counts[static_cast<size_t>(category)][static_cast<size_t>(month)][static_cast<size_t>(measure)];
}

int CountFlagDays(std::span<const CureResultFlags> rows, int category, DateRange range) {
    std::vector<int> days;
    for (const CureResultFlags& r : rows) {
        if (counts(r, category, range)) days.push_back(r.CureDate.dayNumber());
    }
    return distinctCount(days);
}

int CountFlagClientDays(std::span<const CureResultFlags> rows, int category, DateRange range) {
    std::vector<std::pair<int, int>> clientDays;
    for (const CureResultFlags& r : rows) {
        if (counts(r, category, range)) clientDays.emplace_back(r.CureDate.dayNumber(), r.CureNo);
    }
    return distinctCount(clientDays);
}

int CountFlagResults(std::span<const CureResultFlags> rows, int category, DateRange range) {
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [&](const CureResultFlags& r) { return counts(r, category, range); }));
}

StatisticsTable CountStatistics(std::span<const CureResultFlags> rows, const StatisticsMonths& months) {
    std::vector<CureResultFlags> sorted(rows.begin(), rows.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CureResultFlags& a, const CureResultFlags& b) { return a.CureDate < b.CureDate; });
    StatisticsTable t;
    for (int m = 0; m < 3; ++m) {
        const DateRange range = months.ranges[static_cast<size_t>(m)];
        const std::span<const CureResultFlags> month = rowsOf(sorted, range);
        for (int c = 0; c < StatisticsTable::Rows; ++c) {
            auto& cell = t.counts[static_cast<size_t>(c)][static_cast<size_t>(m)];
            cell[StatisticsTable::Days] = CountFlagDays(month, c, range);
            cell[StatisticsTable::ClientDays] = CountFlagClientDays(month, c, range);
            cell[StatisticsTable::Results] = CountFlagResults(month, c, range);
        }
    }
    return t;
}

}  // namespace lum
