#pragma once
// The clients still in care whose latest treatment plan, or latest practice
// plan, is older than three months (計画書期限参照): the list's statement
// with its dates bound, and the day before which a latest plan is overdue.
#include "platform/db/database.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>

namespace lum {

enum class PlanDeadlineKind { Treatment, Practice };

// The same day three months before today; a day the month lacks falls to
// its last day (05/31 gives 02/28). A latest plan dated before it is overdue.
QDate PlanDeadlineLimit(QDate today);

// One row per client (CureNo, Name, Kana, RihaType, KubunCode, TAISHOBI_YMD
// and MaxRegistDay, the latest plan's date) who is not discharged (the
// empty discharge date or one before it) or discharged after today, and
// whose latest plan of the kind is dated before the limit; clients without
// any plan of the kind are not listed. In Name order, then CureNo. Every
// date bound; the query is prepared, not run.
QSqlQuery PrintLimitRihaQuery(db::Database& database, PlanDeadlineKind kind, QDate today);

}  // namespace lum
