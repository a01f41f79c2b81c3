#include "schedule/attend_texts.h"

#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/kubun.h"

namespace lum::attend {

QString DateCell(TDateTime date) { return date.isEmpty() ? QString() : DateToEraSpacedText(date); }

QString WeekdayName(TDateTime date) { return WeekdayNames.at(date.date().dayOfWeek() - 1); }

QString CureNoCell(int cureNo) { return cureNo >= 1 ? QStringLiteral("%1").arg(cureNo, 10) : QString(); }

namespace {
QString categories(int kubunCode, const QString& gap) {
    if (kubunCode < 0) return QString();
    TKubun kubun;
    kubun.SetCode(kubunCode);
    QString text;
    if (kubun.Tanki) text += QStringLiteral("短期集中") + gap;
    if (kubun.Ninchi) text += QStringLiteral("認知症") + gap;
    if (kubun.Shudan) text += QStringLiteral("集団") + gap;
    if (kubun.Kobetsu) text += QStringLiteral("個別");
    return text;
}
}  // namespace

QString CategoryCell(int kubunCode) { return categories(kubunCode, QStringLiteral("  ")); }

QString CategoryText(int kubunCode) { return categories(kubunCode, QStringLiteral(" ")); }

QString StartCell(const AttendRow& row) {
    return row.HasStartTime ? row.StartTime.time().toString(QStringLiteral("hh:mm")) : QString();
}

QString CountCell(int value) { return value >= 1 ? QStringLiteral("%1").arg(value, 4) : QString(); }

QString TypeName(int rihaType) { return RihaTypeNames.at(rihaType); }

namespace {

// The variables every list answers the same way; nothing for others.
std::optional<ExprValue> commonValue(const QString& n, const AttendRow* row, const PrintHeading& heading) {
    if (n == u"SAKUSEIBI") return ExprValue(DateTimeToEraMinuteText(heading.Printed));
    if (n == u"HOMEMEI") return ExprValue(heading.Homemei);
    if (!row) return std::nullopt;
    const AttendRow& r = *row;
    if (n == u"YOTEIBI") return ExprValue(QStringLiteral("%1日").arg(r.ReserveDay.date().day()));
    if (n == u"YOUBI") return ExprValue(WeekdayName(r.ReserveDay));
    if (n == u"RIHABIRI") return ExprValue(TypeName(r.RihaType));
    if (n == u"RIHAKUBUN") return ExprValue(CategoryText(r.KubunCode));
    if (n == u"STARTTIME") return ExprValue(StartCell(r));
    if (n == u"WORKTIME") return ExprValue(QString::number(r.WorkingMin));
    return std::nullopt;
}

}  // namespace

std::optional<ExprValue> StaffListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                        const std::function<QString(int)>& staffName, int listedStaff) {
    const QString n = name.toUpper();
    if (n == u"YYMMDD") return ExprValue(heading.Period);
    if (n == u"TANTOUNAME") return ExprValue(staffName ? staffName(row ? row->StuffCode : listedStaff) : QString());
    if (auto v = commonValue(n, row, heading)) return v;
    if (!row) return std::nullopt;
    const AttendRow& r = *row;
    if (n == u"CURENO") return ExprValue(QString::number(r.CureNo));
    if (n == u"SHIMEI") return ExprValue(r.Name);
    if (n == u"NYUSHOBI") return ExprValue(r.NYUSHOBI_YMD.isEmpty() ? QString() : DateToEraText(r.NYUSHOBI_YMD));
    if (n == u"NINZUU") return ExprValue(QString::number(r.Capacity));
    return std::nullopt;
}

std::optional<ExprValue> ClientListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                         const ClientHeading& client) {
    const QString n = name.toUpper();
    if (n == u"YYMM") return ExprValue(heading.Period);
    if (n == u"CURENO") return ExprValue(client.CureNo);
    if (n == u"SHIMEI") return ExprValue(client.Shimei);
    if (n == u"KANASHIMEI") return ExprValue(client.kanaShimei);
    if (n == u"UMAREBI") return ExprValue(client.Umarebi);
    if (n == u"SEIBETSU") return ExprValue(client.Seibetsu);
    if (n == u"RENRAKU") return ExprValue(client.Renraku);
    if (auto v = commonValue(n, row, heading)) return v;
    if (row && n == u"TANTOUNAME") return ExprValue(row->StuffName);
    return std::nullopt;
}

std::optional<ExprValue> DayListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                      const QString& youbi, const QString& tantouName) {
    const QString n = name.toUpper();
    if (n == u"YYMMDD") return ExprValue(heading.Period);
    if (n == u"YOUBI") return ExprValue(youbi);
    if (n == u"TANTOUNAME") return ExprValue(tantouName);
    if (auto v = commonValue(n, row, heading)) return v;
    if (!row) return std::nullopt;
    const AttendRow& r = *row;
    if (n == u"CURENO") return ExprValue(QString::number(r.CureNo));
    if (n == u"SHIMEI") return ExprValue(r.Name);
    if (n == u"KEIKAKUBI") return ExprValue(DateCell(r.NYUSHOBI_YMD));
    if (n == u"NINZUU") return ExprValue(QString::number(r.Capacity));
    return std::nullopt;
}

}  // namespace lum::attend
