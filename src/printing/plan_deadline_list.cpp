#include "printing/plan_deadline_list.h"

#include "common/datetime.h"
#include "common/db/sql_date.h"

namespace lum {

QDate PlanDeadlineLimit(QDate today) { return today.addMonths(-3); }

QSqlQuery PrintLimitRihaQuery(db::Database& database, PlanDeadlineKind kind, QDate today) {
    const bool plans = kind == PlanDeadlineKind::Treatment;
    const QString table = plans ? QStringLiteral("RihaPlan") : QStringLiteral("Practice");
    const QString day = table + (plans ? QStringLiteral(".PlanRegistDay") : QStringLiteral(".PrcticeDay"));
    // The discharge test does not depend on the group, so it filters the
    // rows before grouping; "not discharged" is the empty date or less.
    QSqlQuery q = database.prepare(
        QStringLiteral("SELECT Person.CureNo, Person.Name, Person.Kana, Person.RihaType, Person.KubunCode, "
                       "Person.TAISHOBI_YMD, MAX(%2) AS MaxRegistDay "
                       "FROM Person INNER JOIN %1 ON Person.CureNo = %1.CureNo "
                       "WHERE ( Person.TAISHOBI_YMD > :today ) OR ( Person.TAISHOBI_YMD <= :noDate ) "
                       "GROUP BY Person.CureNo, Person.Name, Person.Kana, Person.RihaType, Person.KubunCode, "
                       "Person.TAISHOBI_YMD "
                       "HAVING MAX(%2) < :limit "
                       "ORDER BY Person.Name, Person.CureNo")
            .arg(table, day));
    db::bindDate(q, QStringLiteral(":today"), TDateTime::fromDate(today));
    db::bindDate(q, QStringLiteral(":noDate"), TDateTime());
    db::bindDate(q, QStringLiteral(":limit"), TDateTime::fromDate(PlanDeadlineLimit(today)));
    return q;
}

}  // namespace lum
