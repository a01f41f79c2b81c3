// Migration 2: RihaPlan (CureNo, PlanRegistDay) becomes unique, so two
// workstations saving a plan for the same client and start date can never
// leave two plans. Where a database already holds such twins, the plan saved
// last (the highest PlanNo) is the one the window would have kept: the older
// twins go with their Figure rows.
#include "platform/db/migration_002_plan_day_unique.h"

namespace lum::db {

void applyMigration002(Database& db) {
    const QString older = QStringLiteral(
        "SELECT p.PlanNo FROM RihaPlan p WHERE EXISTS (SELECT 1 FROM RihaPlan n WHERE n.CureNo = p.CureNo "
        "AND n.PlanRegistDay = p.PlanRegistDay AND n.PlanNo > p.PlanNo)");
    db.execute(QStringLiteral("DELETE FROM Figure WHERE PlanNo IN (") + older + QStringLiteral(")"));
    db.execute(QStringLiteral("DELETE FROM RihaPlan WHERE PlanNo IN (") + older + QStringLiteral(")"));
    db.execute(QStringLiteral("DROP INDEX RihaPlan_Client_Day"));
    db.execute(QStringLiteral("CREATE UNIQUE INDEX RihaPlan_Client_Day ON RihaPlan (CureNo, PlanRegistDay)"));
}

}  // namespace lum::db
