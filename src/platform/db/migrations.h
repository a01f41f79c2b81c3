#pragma once
// The facility database's schema, built by numbered migrations. Each runs in
// one transaction and is recorded in the table SchemaVersion, so a database
// is created or brought up to date by the same call, and two workstations
// starting it at once do the work once.
#include "platform/db/database.h"

#include <QString>

#include <functional>
#include <vector>

namespace lum::db {

struct Migration {
    int version;
    QString description;
    std::function<void(Database&)> apply;
};

// In version order, starting at 1.
const std::vector<Migration>& migrations();
int latestSchemaVersion();

// The version recorded in the database; 0 when it has none.
int schemaVersion(Database& db);

// Applies the missing migrations; throws DbError (the failed one leaves
// nothing behind) and refuses a database newer than this program.
void migrate(Database& db);
// The same, stopping after the given version (for tests of a migration on
// the data of the versions before it).
void migrate(Database& db, int upToVersion);

// For the application at start-up: throws DbError with what to do when the
// database is not at this program's version (older: run lumorind-setup init).
void requireCurrentSchema(Database& db);

// The tables every workstation needs, in creation order.
QStringList facilityTableNames();

}  // namespace lum::db
