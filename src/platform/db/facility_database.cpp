#include "platform/db/facility_database.h"

namespace lum {
namespace {
db::Database* current = nullptr;
}

db::Database* facilityDatabase() { return current; }

void setFacilityDatabase(db::Database* database) { current = database; }

db::Database& requireFacilityDatabase() {
    if (!current || !current->isOpen()) throw db::DbError(QStringLiteral("データベースに接続されていません。"));
    return *current;
}

}  // namespace lum
