#include "results/month_record_report.h"

#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "plans/plan_record.h"
#include "platform/db/db_error.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace lum {
namespace {

// An era date for the printout; the empty date (a client not discharged)
// prints as nothing rather than as its day in 1899.
QString eraOrEmpty(TDateTime date) { return date.isEmpty() ? QString() : DateToEraText(date); }

// The programme lines of PlanData: short strings of capacity 40, 41 bytes apart.
constexpr int kProgramStride = 41;
constexpr int kProgramCapacity = 40;

// The template's mark variables in CategoryFlagNames order.
const char* const kMarkNames[CategoryFlagCount] = {"TANN0", "NINN0", "GROUP0", "KOBETSU0", "TANN1", "NINN1", "GROUP1",
                                                   "KOBETSU1", "TANN2", "NINN2", "GROUP2", "KOBETSU2", "TANN3", "NINN3"};

int markIndex(const QString& upperName) {
    for (int i = 0; i < CategoryFlagCount; ++i) {
        if (upperName == QLatin1String(kMarkNames[i])) return i;
    }
    return -1;
}

// "Tk7" / "TkName12": the legend entry (1..20) the name asks for, else 0.
int legendIndex(const QString& upperName, const QString& prefix) {
    if (!upperName.startsWith(prefix)) return 0;
    bool ok = false;
    const int n = upperName.mid(prefix.size()).toInt(&ok);
    return ok && n >= 1 && n <= MonthRecordLegendSize && !upperName.mid(prefix.size()).startsWith(u'0') ? n : 0;
}

}  // namespace

std::optional<MonthRecordHeading> LatestPlanQuery(db::Database& database, int cureNo) {
    QSqlQuery q = database.prepare(QStringLiteral(
        "SELECT RihaPlan.PlanNo, RihaPlan.CureNo, RihaPlan.PlanRegistDay, Person.Name, Person.Sex, Person.Birth, "
        "Person.RihaType, Person.Jiritsu_KBN, Person.Ninchi_KBN, Person.YOUKAIGO_KBN, Person.NYUSHOBI_YMD, "
        "Person.TAISHOBI_YMD, RihaPlan.PlanData "
        "FROM RihaPlan INNER JOIN Person ON RihaPlan.CureNo = Person.CureNo "
        "WHERE RihaPlan.CureNo = :PCureNo "
        "ORDER BY RihaPlan.PlanRegistDay DESC, RihaPlan.PlanNo DESC LIMIT 1"));
    q.bindValue(QStringLiteral(":PCureNo"), cureNo);
    q.setForwardOnly(true);
    database.exec(q);
    if (!q.next()) return std::nullopt;
    MonthRecordHeading h;
    int i = 0;
    h.PlanNo = q.value(i++).toInt();
    h.CureNo = q.value(i++).toInt();
    h.PlanRegistDay = db::readDate(q.value(i++));
    h.Name = q.value(i++).toString();
    h.Sex = q.value(i++).toInt();
    h.Birth = db::readDate(q.value(i++));
    h.RihaType = q.value(i++).toInt();
    h.Jiritsu_KBN = q.value(i++).toInt();
    h.Ninchi_KBN = q.value(i++).toInt();
    h.YOUKAIGO_KBN = q.value(i++).toInt();
    h.NYUSHOBI_YMD = db::readDate(q.value(i++));
    h.TAISHOBI_YMD = db::readDate(q.value(i++));
    // A short or missing blob is read as far as it goes: a text whose bytes
    // it does not hold whole is empty.
    QByteArray data = q.value(i++).toByteArray();
    const qsizetype stored = data.size();
    if (stored < PlanDataSize) data.append(QByteArray(PlanDataSize - stored, '\0'));
    if (const std::optional<PlanBody> body = decodePlanData(data)) h.Program = body->Program;
    for (int k = 0; k < MonthRecordPrograms; ++k) {
        const int slot = plan_layout::Program + kProgramStride * k;
        const int length = slot < stored ? std::min<int>(static_cast<unsigned char>(data[slot]), kProgramCapacity) : 0;
        if (slot + 1 + length > stored) h.Program[static_cast<size_t>(k)].clear();
    }
    return h;
}

MonthResultDays PrintResultLineQuery(const CureResultsStore& store, int cureNo, TDateTime month) {
    MonthResultDays days;
    const DateRange range = monthRange(month);
    const int firstDay = range.begin.dayNumber();
    for (CureResult& r : store.clientPeriod(cureNo, range)) {
        const int d = r.CureDate.dayNumber() - firstDay;
        if (d >= 0 && d < CalendorDays) days[static_cast<size_t>(d)].push_back(std::move(r));
    }
    for (std::vector<CureResult>& day : days) {
        std::stable_sort(day.begin(), day.end(), [](const CureResult& a, const CureResult& b) {
            const int ta = a.RStartTime.msecsOfDay();
            const int tb = b.RStartTime.msecsOfDay();
            return ta != tb ? ta < tb : a.ResultNo < b.ResultNo;
        });
    }
    return days;
}

void FillMonthRecordLine(TLineData& line, const std::vector<CureResult>& dayResults) {
    const bool sunday = line.Sunday;
    const QString label = line.DayLabel;
    line = TLineData{};
    line.Sunday = sunday;
    line.DayLabel = label;
    if (dayResults.empty()) return;
    const CureResult& first = dayResults.front();
    line.StartTime = first.RStartTime;
    line.Count = static_cast<int>(dayResults.size());
    for (const CureResult& r : dayResults) line.Minutes += r.RMinute;
    line.TypeName = RihaTypeNames[first.RihaType];
    const QString symbol = first.StuffKigo.trimmed();
    for (int f = 0; f < CategoryFlagCount; ++f) line.Marks[f] = first.Flags[f] ? symbol : QString();
    line.Comment = first.Comment;
    line.LoginName = first.LoginName;
}

// ---- MonthRecordReport

void MonthRecordReport::Clear() {
    CureNo = 0;
    Heading = MonthRecordHeading{};
    Lines.fill(TLineData{});
    FunnTotal = 0;
    CntTotal = 0;
    Tk.fill(QString());
    TkName.fill(QString());
    LastError.clear();
}

void MonthRecordReport::SetMonth(TDateTime anyDayOfMonth) {
    Month = monthRange(anyDayOfMonth).begin;
    Calendor.SetMonth(Month);
}

int MonthRecordReport::DayCount() const { return Month.isEmpty() ? 0 : Month.date().daysInMonth(); }

void MonthRecordReport::SetLines(const MonthResultDays& days) {
    Lines.fill(TLineData{});
    FunnTotal = 0;
    CntTotal = 0;
    for (int d = 0; d < DayCount(); ++d) {
        TLineData& line = Lines[static_cast<size_t>(d)];
        line.Sunday = Calendor.Flag(d) == u'1';
        line.DayLabel = Calendor.DayWeekLabel(d);
        FillMonthRecordLine(line, days[static_cast<size_t>(d)]);
        FunnTotal += line.Minutes;
        CntTotal += line.Count;
    }
}

void MonthRecordReport::SetLegend(const std::vector<StaffMember>& staff) {
    for (int n = 0; n < MonthRecordLegendSize; ++n) {
        const bool there = n < static_cast<int>(staff.size());
        Tk[static_cast<size_t>(n)] = there ? staff[static_cast<size_t>(n)].symbol : QString();
        TkName[static_cast<size_t>(n)] = there ? staff[static_cast<size_t>(n)].name : QString();
    }
}

MonthRecordReport::Outcome MonthRecordReport::Build(db::Database& database, int cureNo, TDateTime month,
                                                    const std::vector<StaffMember>& staff) {
    Clear();
    SetMonth(month);
    CureNo = cureNo;
    std::optional<MonthRecordHeading> heading;
    try {
        heading = LatestPlanQuery(database, cureNo);
    } catch (const db::DbError& e) {
        LastError = e.text();
        return Outcome::PlanFailed;
    }
    if (heading) Heading = *heading;
    try {
        SetLines(PrintResultLineQuery(CureResultsStore(database), cureNo, Month));
    } catch (const db::DbError& e) {
        Lines.fill(TLineData{});
        FunnTotal = 0;
        CntTotal = 0;
        LastError = e.text();
        return Outcome::LinesFailed;
    }
    SetLegend(staff);
    return heading ? Outcome::Built : Outcome::NoPlan;
}

QString MonthRecordReport::FailureText(Outcome outcome) {
    switch (outcome) {
    case Outcome::PlanFailed:
        return QStringLiteral("*** System Error : データエラー");
    case Outcome::LinesFailed:
        return QStringLiteral("*** System Error : 印刷行の編集エラー");
    case Outcome::Built:
    case Outcome::NoPlan:
        break;
    }
    return QString();
}

QString MonthRecordReport::NoPlanText() { return QStringLiteral("リハビリ計画書データが見つかりません。"); }

std::optional<ExprValue> MonthRecordReport::LineValue(const QString& n, const TLineData& line) const {
    if (n == u"COLOR") return ExprValue(line.Sunday);
    if (n == u"DAYWEEK") return ExprValue(line.DayLabel);
    if (n == u"START") {
        return ExprValue(line.StartTime.isEmpty() ? QString() : line.StartTime.time().toString(QStringLiteral("hh:mm")));
    }
    if (n == u"FUNN") return ExprValue(QString::number(line.Minutes));
    if (n == u"RSTYPE") return ExprValue(line.TypeName);
    if (n == u"COUNT") return ExprValue(QString::number(line.Count));
    if (n == u"TOKI") return ExprValue(QString());
    if (n == u"LOGIN") return ExprValue(line.LoginName);
    if (const int m = markIndex(n); m >= 0) return ExprValue(line.Marks[static_cast<size_t>(m)]);
    return std::nullopt;
}

std::optional<ExprValue> MonthRecordReport::Value(const QString& name, int recNo) const {
    const QString n = name.toUpper();
    static const TLineData kNoLine;
    const TLineData& line = recNo >= 0 && recNo < CalendorDays ? Lines[static_cast<size_t>(recNo)] : kNoLine;
    if (std::optional<ExprValue> v = LineValue(n, line)) return v;
    const MonthRecordHeading& h = Heading;
    if (n == u"CURENO") return ExprValue(QString::number(CureNo));
    if (n == u"BEGINDAY") return ExprValue(eraOrEmpty(h.NYUSHOBI_YMD));
    if (n == u"ENDDAY") return ExprValue(eraOrEmpty(h.TAISHOBI_YMD));
    if (n == u"NAME") return ExprValue(h.Name);
    if (n == u"SEX") return ExprValue(h.PlanNo ? SexNames[h.Sex] : QString());
    if (n == u"NRTYPE") return ExprValue(RihaTypeNames[h.RihaType]);
    if (n == u"BIRTH") return ExprValue(eraOrEmpty(h.Birth));
    if (n == u"JIRITSU") return ExprValue(JiritsuNames[h.Jiritsu_KBN]);
    if (n == u"NINCHI") return ExprValue(NinchiNames[h.Ninchi_KBN]);
    if (n == u"KAIGO") return ExprValue(YoukaigoNames[h.YOUKAIGO_KBN]);
    if (n == u"REGDAY") return ExprValue(eraOrEmpty(h.PlanRegistDay));
    if (n == u"HIZUKE") return ExprValue(DateToEraMonthText(Month));
    if (n.startsWith(u"PROGRAM") && n.size() == 8 && n[7] >= u'1' && n[7] <= u'6') {
        return ExprValue(h.Program[static_cast<size_t>(n[7].unicode() - u'1')]);
    }
    if (n == u"SHISETSU") return ExprValue(FacilityName);
    if (n == u"FUNNTOTAL") return ExprValue(QString::number(FunnTotal));
    if (n == u"CNTTOTAL") return ExprValue(QString::number(CntTotal));
    if (const int k = legendIndex(n, QStringLiteral("TKNAME"))) return ExprValue(TkName[static_cast<size_t>(k - 1)]);
    if (const int k = legendIndex(n, QStringLiteral("TK"))) return ExprValue(Tk[static_cast<size_t>(k - 1)]);
    return std::nullopt;
}

}  // namespace lum
