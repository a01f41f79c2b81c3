// Migration 3: one result per booking. A result copied from a booking
// carries the frame's ReserveNo (>= 0) and the client's CureNo; the pair
// becomes unique, so two workstations copying the same booking can never
// both add a result (the second insert fails and its copy writes nothing).
// Results entered by hand or imported (ReserveNo -1) are not touched.
//
// Where a database already holds such twins, the one with the lowest
// ResultNo stays the copy (the copy overwrites that one); the others keep
// their data and become results entered by hand (ReserveNo -1).
#include "platform/db/migration_003_copied_result_unique.h"

namespace lum::db {

void applyMigration003(Database& db) {
    db.execute(QStringLiteral(
        "UPDATE CureResults SET ReserveNo = -1 WHERE ReserveNo >= 0 AND EXISTS (SELECT 1 FROM CureResults f "
        "WHERE f.ReserveNo = CureResults.ReserveNo AND f.CureNo = CureResults.CureNo "
        "AND f.ResultNo < CureResults.ResultNo)"));
    db.execute(QStringLiteral("DROP INDEX CureResults_Frame"));
    db.execute(QStringLiteral(
        "CREATE UNIQUE INDEX CureResults_Frame ON CureResults (ReserveNo, CureNo) WHERE ReserveNo >= 0"));
}

}  // namespace lum::db
