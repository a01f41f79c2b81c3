#include "results/daily_medical_record.h"

#include "common/era_text.h"

namespace lum {

DailyRecordTotals DailyRecordTotals::Of(const std::vector<CureResult>& rows) {
    DailyRecordTotals t;
    for (const CureResult& r : rows) {
        if (r.PMinute > 0) {
            ++t.PlanCount;
            t.PlanMinutes += r.PMinute;
        }
        if (r.RMinute > 0) {
            ++t.ExecCount;
            t.ExecMinutes += r.RMinute;
        }
    }
    return t;
}

std::optional<ExprValue> DailyRecordValue(const QString& name, const CureResult* row, const DailyRecordHeading& heading,
                                          const DailyRecordTotals& totals, const QString& facility,
                                          TDateTime printed) {
    static const QString kFullWidthSpace = QStringLiteral("　");
    const QString n = name.toUpper();
    if (n == u"SAKUSEIBI") return ExprValue(DateTimeToEraMinuteText(printed));
    if (n == u"HOMEMEI") return ExprValue(facility);
    if (n == u"YYMM") return ExprValue(heading.DayText);
    if (n == u"RIHATYPE") return ExprValue(heading.TypeName);
    if (n == u"TANTOUNAME") return ExprValue(heading.StaffName.isEmpty() ? kFullWidthSpace : heading.StaffName);
    if (n == u"SUMFUN") return ExprValue(QString::number(totals.ExecMinutes));
    if (n == u"SUMCNT") return ExprValue(QString::number(totals.ExecCount));
    if (!row) return std::nullopt;
    const CureResult& r = *row;
    auto hhmm = [](TDateTime t) { return t.time().toString(QStringLiteral("hh:mm")); };
    if (n == u"CURENO") return ExprValue(QStringLiteral("%1").arg(r.CureNo, 8));
    if (n == u"SHIMEI") return ExprValue(r.Name);
    // A client never admitted prints no date rather than the empty date's.
    if (n == u"NYUSHOBI") return ExprValue(r.NYUSHOBI_YMD.isEmpty() ? QString() : DateToEraText(r.NYUSHOBI_YMD));
    if (n == u"PLANSTART") return ExprValue(hhmm(r.PStartTime));
    if (n == u"PLANTIME") return ExprValue(QString::number(r.PMinute));
    if (n == u"RESULTSTART") return ExprValue(hhmm(r.RStartTime));
    if (n == u"RESULTTIME") return ExprValue(QString::number(r.RMinute));
    if (n.size() == 7 && n.startsWith(u"KUBUN")) {
        bool ok = false;
        const int k = n.mid(5).toInt(&ok);
        if (ok && k >= 1 && k <= CategoryFlagCount) {
            return ExprValue(r.Flags[static_cast<size_t>(k - 1)] ? QStringLiteral("○") : QStringLiteral(" "));
        }
    }
    if (n == u"COMMENT") return ExprValue(r.Comment.isEmpty() ? kFullWidthSpace : r.Comment);
    if (n == u"EDITOR") return ExprValue(r.LoginName);
    return std::nullopt;
}

}  // namespace lum
