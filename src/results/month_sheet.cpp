#include "results/month_sheet.h"

#include <set>

namespace lum {

QString ResultTypeMark(int rihaType) {
    switch (rihaType) {
    case 0: return QStringLiteral("○");
    case 1: return QStringLiteral("□");
    case 2: return QStringLiteral("△");
    case 3: return QStringLiteral("◇");
    default: return QString();
    }
}

QString MonthSheetCountText(int count) {
    return u' ' + (QStringLiteral("  ") + QString::number(count)).right(4);
}

std::vector<MonthSheetRow> MonthSheetRows(const std::vector<ResultDayType>& entries) {
    std::vector<MonthSheetRow> rows;
    auto it = entries.begin();
    while (it != entries.end()) {
        MonthSheetRow client;
        client.CureNo = it->CureNo;
        client.DayType.fill(-1);
        std::set<QString> names;
        for (; it != entries.end() && it->CureNo == client.CureNo; ++it) {
            if (names.empty() || *names.rbegin() != it->Name) names.insert(it->Name);
            ++client.Count;
            const int day = it->CureDate.date().day();
            if (day >= 1 && day <= 31 && !ResultTypeMark(it->RihaType).isEmpty()) client.DayType[day - 1] = it->RihaType;
        }
        // A client whose rows carry different names shows once per name,
        // each with all of the client's marks.
        for (const QString& name : names) {
            client.Name = name;
            rows.push_back(client);
        }
    }
    return rows;
}

std::vector<MonthSheetRow> LoadMonthSheet(const CureResultsStore& store, DateRange month) {
    return MonthSheetRows(store.periodDayTypes(month));
}

}  // namespace lum
