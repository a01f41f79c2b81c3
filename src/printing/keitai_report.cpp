#include "printing/keitai_report.h"

#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/text_helpers.h"

#include <algorithm>

namespace lum {
namespace {

void closeRow(KeitaiRow& row) {
    row.MarkedDays = 0;
    row.TotalMinutes = 0;
    for (int d = 0; d < CalendorDays; ++d) {
        if (!row.Marks[static_cast<size_t>(d)].isEmpty()) ++row.MarkedDays;
        row.TotalMinutes += row.Minutes[static_cast<size_t>(d)];
    }
}

QString hhmm(TDateTime time) { return time.time().toString(QStringLiteral("HHmm")); }

}  // namespace

KeitaiTable BuildKeitaiRows(const std::vector<MonthTypeResult>& results) {
    KeitaiTable t;
    if (results.empty()) return t;
    t.Rows.emplace_back();
    int cureNo = results.front().CureNo;
    int type = results.front().RihaType;
    for (const MonthTypeResult& r : results) {
        if (r.CureNo != cureNo || r.RihaType != type) {
            closeRow(t.Rows.back());
            t.Rows.emplace_back();
            cureNo = r.CureNo;
            type = r.RihaType;
        }
        KeitaiRow& row = t.Rows.back();
        row.Label = CureNoText(r.CureNo) + u' ' + r.Name;
        row.RihaType = r.RihaType;
        row.AdmissionText = DateToEraShortText(r.NYUSHOBI_YMD);
        const size_t d = static_cast<size_t>(r.CureDate.date().day() - 1);
        const QString mark = r.StuffKigo.trimmed();
        if (row.Marks[d].isEmpty()) row.Marks[d] = mark;
        if (row.StartTimes[d].isEmpty()) row.StartTimes[d] = hhmm(r.RStartTime);
        row.Minutes[d] += r.RMinute;
    }
    closeRow(t.Rows.back());
    for (const KeitaiRow& row : t.Rows) {
        for (size_t d = 0; d < CalendorDays; ++d) {
            if (!row.Marks[d].isEmpty()) ++t.DayCounts[d];
            t.DayMinutes[d] += row.Minutes[d];
        }
    }
    for (size_t d = 0; d < CalendorDays; ++d) {
        t.TotalCount += t.DayCounts[d];
        t.TotalMinutes += t.DayMinutes[d];
    }
    return t;
}

std::optional<ExprValue> KeitaiReport::Value(const QString& name, const KeitaiRecords& at) const {
    const auto is = [&name](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    const auto day = [](int index) { return static_cast<size_t>(std::clamp(index, 0, CalendorDays - 1)); };
    if (is("Jishibi")) return ExprValue(Texts.MonthText + QStringLiteral("度"));
    if (is("Sakuseibi")) return ExprValue(Texts.Created);
    if (is("Home")) return ExprValue(Facility);
    if (is("Week")) return ExprValue(DayValueOrEmpty(Month, at.headerDay, Month.Calendor.WeekName(at.headerDay)));
    if (is("DayStr")) return ExprValue(DayValueOrEmpty(Month, at.headerDay, Month.Calendor.DayLabel(at.headerDay)));
    // KFunnSum is the day's count of marked rows, KTimeSum its minutes.
    if (is("KFunnSum")) return ExprValue(Table.DayCounts[day(at.totalDay)]);
    if (is("KTimeSum")) return ExprValue(Table.DayMinutes[day(at.totalDay)]);
    if (is("TotalCntSum")) return ExprValue(Table.TotalCount);
    if (is("TotalTimeSum")) return ExprValue(Table.TotalMinutes);
    QString legend;
    if (Legend.Value(name, legend)) return ExprValue(legend);
    if (at.row < 0 || at.row >= static_cast<int>(Table.Rows.size())) return std::nullopt;
    const KeitaiRow& row = Table.Rows[static_cast<size_t>(at.row)];
    if (is("Kigou") || is("Funn") || is("STime")) {
        if (!Month.HasDay(at.cellDay)) return ExprValue(QString());
        const size_t d = day(at.cellDay);
        if (is("Kigou")) return ExprValue(row.Marks[d]);
        if (is("Funn")) return ExprValue(row.Minutes[d]);
        return ExprValue(row.StartTimes[d]);
    }
    if (is("Kaishibi")) return ExprValue(row.AdmissionText);
    if (is("Keitai")) return ExprValue(RihaTypeNames.at(row.RihaType));
    if (is("CureNo")) return ExprValue(row.Label);
    if (is("TimeKei")) return ExprValue(row.TotalMinutes);
    if (is("CntKei")) return ExprValue(row.MarkedDays);
    return std::nullopt;
}

QStringList KeitaiReport::CsvTitle() const {
    return {QStringLiteral("形態別実績一覧表"), QStringLiteral("作成日 ") + Texts.Created,
            QStringLiteral("施設名　") + Facility};
}

QStringList KeitaiReport::CsvHeader() const {
    QStringList h = {QStringLiteral("利用者番号 氏名"), QStringLiteral("リハビリ形態"), QStringLiteral("計画書登録日")};
    for (int d = 0; d < Month.Days(); ++d)
        h << Month.Calendor.DayWeekLabel(d) << QStringLiteral("訓練時間") << QStringLiteral("訓練開始時間");
    h << QStringLiteral("訓練回数合計") << QStringLiteral("訓練時間合計");
    return h;
}

QStringList KeitaiReport::CsvRow(const KeitaiRow& row) const {
    QStringList v = {row.Label, RihaTypeNames.at(row.RihaType), row.AdmissionText};
    for (int d = 0; d < Month.Days(); ++d) {
        const size_t i = static_cast<size_t>(d);
        // A day without a mark is three empty values, its minutes counted
        // only in the row's total.
        if (row.Marks[i].isEmpty()) {
            v << QString() << QString() << QString();
        } else {
            const QString& t = row.StartTimes[i];
            v << row.Marks[i] << QString::number(row.Minutes[i]) << t.left(2) + u':' + t.mid(2);
        }
    }
    v << QString::number(row.MarkedDays) << QString::number(row.TotalMinutes);
    return v;
}

}  // namespace lum
