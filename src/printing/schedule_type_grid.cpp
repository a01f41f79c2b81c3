#include "printing/schedule_type_grid.h"

#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/text_helpers.h"

#include <algorithm>

namespace lum {
namespace {

void closeRow(GridRow& row) {
    int marked = 0;
    for (int d = 0; d < CalendorDays; ++d)
        if (!row[static_cast<size_t>(GridFirstDay + d)].isEmpty()) ++marked;
    row[GridCount] = QString::number(marked);
}

}  // namespace

ScheduleTypeGrid BuildScheduleTypeGrid(const std::vector<MonthTypeResult>& results) {
    ScheduleTypeGrid g;
    if (results.empty()) return g;
    g.Rows.emplace_back();
    int cureNo = results.front().CureNo;
    for (const MonthTypeResult& r : results) {
        if (r.CureNo != cureNo) {
            closeRow(g.Rows.back());
            g.Rows.emplace_back();
            cureNo = r.CureNo;
        }
        GridRow& row = g.Rows.back();
        row[0] = CureNoText(r.CureNo) + u' ' + r.Name;
        row[1] = RihaTypeNames.at(r.RihaType);
        row[2] = DateToEraShortText(r.NYUSHOBI_YMD);
        QString& cell = row[static_cast<size_t>(GridFirstDay - 1 + r.CureDate.date().day())];
        if (cell.isEmpty()) cell = r.StuffKigo.trimmed();
    }
    closeRow(g.Rows.back());
    for (const GridRow& row : g.Rows)
        for (int d = 0; d < CalendorDays; ++d)
            if (!row[static_cast<size_t>(GridFirstDay + d)].isEmpty()) ++g.DayCounts[static_cast<size_t>(d)];
    for (int n : g.DayCounts) g.TotalCount += n;
    return g;
}

std::optional<ExprValue> ScheduleTypeReport::Value(const QString& name, const GridRecords& at) const {
    const auto is = [&name](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    if (is("Jishibi")) return ExprValue(Texts.MonthText);
    if (is("Sakuseibi")) return ExprValue(Texts.Created);
    if (is("Home")) return ExprValue(Facility);
    if (is("Week")) return ExprValue(DayValueOrEmpty(Month, at.headerDay, Month.Calendor.WeekName(at.headerDay)));
    if (is("DayStr")) return ExprValue(DayValueOrEmpty(Month, at.headerDay, Month.Calendor.DayLabel(at.headerDay)));
    if (is("Sum"))
        return ExprValue(QString::number(Grid.DayCounts[static_cast<size_t>(std::clamp(at.totalDay, 0, CalendorDays - 1))]));
    if (is("Total")) return ExprValue(QString::number(Grid.TotalCount));
    QString legend;
    if (Legend.Value(name, legend)) return ExprValue(legend);
    if (at.row < 0 || at.row >= static_cast<int>(Grid.Rows.size())) return std::nullopt;
    const GridRow& row = Grid.Rows[static_cast<size_t>(at.row)];
    if (is("Kigou")) {
        if (!Month.HasDay(at.cellDay)) return ExprValue(QString());
        return ExprValue(row[static_cast<size_t>(GridFirstDay + at.cellDay)]);
    }
    if (is("Shokei")) return ExprValue(row[GridCount]);
    if (is("Kaishibi")) return ExprValue(row[2]);
    if (is("Keitai")) return ExprValue(row[1]);
    if (is("CureNo")) return ExprValue(row[0]);
    return std::nullopt;
}

QStringList ScheduleTypeReport::CsvTitle() const {
    return {TypeText + QStringLiteral("スケジュール表"), QStringLiteral("作成日 ") + Texts.Created,
            QStringLiteral("施設名　") + Facility};
}

QStringList ScheduleTypeReport::CsvDateLine() const { return {QStringLiteral("日付"), Texts.MonthText}; }

QStringList ScheduleTypeReport::CsvHeader() const {
    QStringList h = {QStringLiteral("治療番号 氏名"), QStringLiteral("形態"), QStringLiteral("登録日")};
    for (int d = 1; d <= Month.Days(); ++d) h << QString::number(d) + QStringLiteral("日");
    h << QStringLiteral("合計");
    return h;
}

QStringList ScheduleTypeReport::CsvRow(const GridRow& row) const {
    QStringList v = {row[0], row[1], row[2]};
    for (int d = 0; d < Month.Days(); ++d) v << row[static_cast<size_t>(GridFirstDay + d)];
    v << row[GridCount];
    return v;
}

QStringList ScheduleTypeReport::CsvTotals() const {
    QStringList v = {QString(), QString(), QStringLiteral("合計")};
    for (int d = 0; d < Month.Days(); ++d) v << QString::number(Grid.DayCounts[static_cast<size_t>(d)]);
    v << QString::number(Grid.TotalCount);
    return v;
}

QStringList ScheduleTypeReport::CsvLegendLine(const std::vector<StaffMember>& staff, int r) {
    QStringList v;
    for (int c = 0; c < 4; ++c) {
        const size_t i = static_cast<size_t>(r * 4 + c);
        const bool there = i < staff.size();
        v << (there ? staff[i].symbol : QStringLiteral(" ")) << (there ? staff[i].name : QStringLiteral(" "));
    }
    return v;
}

}  // namespace lum
