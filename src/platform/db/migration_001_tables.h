#pragma once
#include "platform/db/database.h"

#include <QStringList>

namespace lum::db {

void applyMigration001(Database& db);
QStringList migration001TableNames();

}  // namespace lum::db
