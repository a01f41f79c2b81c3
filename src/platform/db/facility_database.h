#pragma once
// The facility database the windows of this run work on: the data module's
// RIHADatabase, handed here once it is open, so that the shared dialogs
// (stock phrases, client search) reach it without depending on the data
// module. Tests hand in their own database the same way.
#include "platform/db/database.h"

namespace lum {

// The database in use, or null before the data module has opened one.
db::Database* facilityDatabase();
// Not owned; null when the connection closes.
void setFacilityDatabase(db::Database* database);

// Hands in a database for a scope and puts the previous one back.
class ScopedFacilityDatabase {
public:
    explicit ScopedFacilityDatabase(db::Database& database) : previous_(facilityDatabase()) {
        setFacilityDatabase(&database);
    }
    ~ScopedFacilityDatabase() { setFacilityDatabase(previous_); }
    ScopedFacilityDatabase(const ScopedFacilityDatabase&) = delete;
    ScopedFacilityDatabase& operator=(const ScopedFacilityDatabase&) = delete;

private:
    db::Database* previous_;
};

// The database in use; throws db::DbError when none is open.
db::Database& requireFacilityDatabase();

}  // namespace lum
