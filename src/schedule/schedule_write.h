#pragma once
// The schedule write transaction: every write of frames and bookings runs in
// one, with the checks that decide it. Writers are serialised: on SQLite the
// transaction begins IMMEDIATE (the database's write lock), on PostgreSQL it
// first takes one transaction-scoped advisory lock that every schedule writer
// takes. A writer that starts while another holds the lock waits, then reads
// what the first one committed, so two workstations never both get a frame's
// last seat. Nothing waits for the user inside: callers collect what to show
// and show it after commit or rollback.
//
// Inside a caller's transaction it becomes a nested level (a savepoint); the
// lock is then held until the caller's transaction ends.
#include "platform/db/database.h"

#include <functional>

namespace lum {

class ScheduleWriteTransaction {
public:
    // Throws db::TransactionStartError when no transaction could be begun and
    // db::DbError when the lock could not be taken (the begin is undone).
    explicit ScheduleWriteTransaction(db::Database& db);
    ScheduleWriteTransaction(const ScheduleWriteTransaction&) = delete;
    ScheduleWriteTransaction& operator=(const ScheduleWriteTransaction&) = delete;

    // Throws db::DbError when the commit fails (the destructor then rolls back).
    void commit() { tx_.commit(); }
    bool committed() const { return tx_.committed(); }

private:
    db::Transaction tx_;
};

// The key of the advisory lock on PostgreSQL.
inline constexpr qint64 ScheduleLockKey = 0x4C756D5363686564;  // "LumSched"

// For race tests: called by the schedule writers after their checks, just
// before they write, with the operation's name ("LabelDragDrop",
// "BoxUpdateClick", "TantouChangeMenuClick", "DeleteFrame", ...). Set it
// before the threads start and clear it after they end.
using ScheduleWriteHook = std::function<void(const char* operation)>;
void setScheduleWriteHook(ScheduleWriteHook hook);
void scheduleWriteHook(const char* operation);

}  // namespace lum
