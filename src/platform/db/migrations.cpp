#include "platform/db/migrations.h"

#include "platform/db/migration_001_tables.h"
#include "platform/db/migration_002_plan_day_unique.h"
#include "platform/db/migration_003_copied_result_unique.h"

#include <QDateTime>

namespace lum::db {
namespace {

bool hasVersionTable(Database& db) { return db.tableExists(QStringLiteral("SchemaVersion")); }

void createVersionTable(Database& db) {
    const QString sql = db.backend() == Backend::SQLite
                            ? QStringLiteral("CREATE TABLE IF NOT EXISTS SchemaVersion (Version INTEGER PRIMARY KEY, "
                                             "Description TEXT NOT NULL, AppliedAt TEXT NOT NULL) STRICT")
                            : QStringLiteral("CREATE TABLE IF NOT EXISTS SchemaVersion (Version integer PRIMARY KEY, "
                                             "Description text NOT NULL, AppliedAt text NOT NULL)");
    try {
        db.execute(sql);
    } catch (const DbError&) {
        // Two workstations creating it at once on PostgreSQL: the other one won.
        if (!hasVersionTable(db)) throw;
    }
}

int readVersion(Database& db) {
    QSqlQuery q = db.prepare(QStringLiteral("SELECT MAX(Version) FROM SchemaVersion"));
    db.exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

const std::vector<Migration>& migrations() {
    static const std::vector<Migration> all{
        {1, QStringLiteral("facility tables"), applyMigration001},
        {2, QStringLiteral("one treatment plan per client and start date"), applyMigration002},
        {3, QStringLiteral("one result per booking"), applyMigration003},
    };
    return all;
}

int latestSchemaVersion() { return migrations().back().version; }

QStringList facilityTableNames() { return migration001TableNames(); }

int schemaVersion(Database& db) { return hasVersionTable(db) ? readVersion(db) : 0; }

void requireCurrentSchema(Database& db) {
    const int found = schemaVersion(db);
    if (found == latestSchemaVersion()) return;
    if (found > latestSchemaVersion()) {
        throw DbError(QStringLiteral("データベースの版 %1 はこのプログラム（版 %2）より新しいため使えません。")
                          .arg(found)
                          .arg(latestSchemaVersion()));
    }
    throw DbError(QStringLiteral("データベースの版が %1 です（このプログラムは版 %2）。lumorind-setup init で作成・更新してください。")
                      .arg(found)
                      .arg(latestSchemaVersion()));
}

void migrate(Database& db) { migrate(db, latestSchemaVersion()); }

void migrate(Database& db, int upToVersion) {
    if (db.inTransaction()) throw DbError(QStringLiteral("移行はトランザクションの外で行います。"));
    createVersionTable(db);
    const int found = readVersion(db);
    if (found > latestSchemaVersion()) requireCurrentSchema(db);
    for (const Migration& m : migrations()) {
        if (m.version <= found) continue;
        if (m.version > upToVersion) break;
        inTransaction(db, [&] {
            // Another workstation may have applied it meanwhile: look again under the lock.
            if (db.backend() == Backend::PostgreSQL) db.execute(QStringLiteral("LOCK TABLE SchemaVersion IN EXCLUSIVE MODE"));
            if (readVersion(db) >= m.version) return;
            m.apply(db);
            QSqlQuery q = db.prepare(
                QStringLiteral("INSERT INTO SchemaVersion (Version, Description, AppliedAt) VALUES (:v, :d, :t)"));
            q.bindValue(QStringLiteral(":v"), m.version);
            q.bindValue(QStringLiteral(":d"), m.description);
            q.bindValue(QStringLiteral(":t"),
                        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            db.exec(q);
        });
    }
}

}  // namespace lum::db
