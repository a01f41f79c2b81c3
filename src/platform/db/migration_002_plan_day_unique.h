#pragma once
#include "platform/db/database.h"

namespace lum::db {

// Migration 2: one treatment plan per client and start date.
void applyMigration002(Database& db);

}  // namespace lum::db
