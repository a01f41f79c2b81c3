#pragma once
#include "platform/db/database.h"

namespace lum::db {

void applyMigration003(Database& db);

}  // namespace lum::db
