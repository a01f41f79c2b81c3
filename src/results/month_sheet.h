#pragma once
// What the results sheet shows for a month: one row per client and name its
// results carry (in CureNo, then Name order), each with the mark of the
// client's type on each day and the client's count of results. Read with one
// statement for the whole month, never one per client.
#include "common/text_helpers.h"  // CureNoText, the client label
#include "results/cure_results_store.h"

#include <QString>

#include <array>
#include <vector>

namespace lum {

struct MonthSheetRow {
    int CureNo = 0;
    QString Name;
    // The type of the day's last result in CureDate, ResultNo order that has
    // a type 0..3; -1 when none.
    std::array<int, 31> DayType{};
    int Count = 0;  // every result of the client in the month
};

// "○" 入所, "□" 短期入所, "△" 通所, "◇" 訪問; empty for any other type.
QString ResultTypeMark(int rihaType);
// The count column: " " and the count right-aligned in four places.
QString MonthSheetCountText(int count);

// The rows of entries in CureNo, CureDate, ResultNo order.
std::vector<MonthSheetRow> MonthSheetRows(const std::vector<ResultDayType>& entries);
// The month's rows, read in one statement.
std::vector<MonthSheetRow> LoadMonthSheet(const CureResultsStore& store, DateRange month);

}  // namespace lum
