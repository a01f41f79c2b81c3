#include "schedule/schedule_write.h"

namespace lum {
namespace {

ScheduleWriteHook& hookSlot() {
    static ScheduleWriteHook hook;
    return hook;
}

}  // namespace

ScheduleWriteTransaction::ScheduleWriteTransaction(db::Database& db) : tx_(db) {
    if (db.backend() == db::Backend::PostgreSQL) {
        QSqlQuery lock = db.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(:key)"));
        lock.bindValue(QStringLiteral(":key"), ScheduleLockKey);
        db.exec(lock);  // a failure unwinds tx_, which rolls back
        lock.finish();
    }
}

void setScheduleWriteHook(ScheduleWriteHook hook) { hookSlot() = std::move(hook); }

void scheduleWriteHook(const char* operation) {
    if (hookSlot()) hookSlot()(operation);
}

}  // namespace lum
