#pragma once
// The databases a database benchmark runs on: an SQLite file always, and
// PostgreSQL too when LUMORIND_TEST_PG names a server (with
// LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD), in a schema of its
// own that dropBenchDatabases removes. Each is migrated and then seeded.
#include "platform/db/database.h"
#include "platform/db/migrations.h"

#include <QUuid>

#include <functional>
#include <memory>
#include <vector>

namespace lum::bench {

struct BenchDatabase {
    const char* name;
    std::unique_ptr<db::Database> db;
    QString schema;  // PostgreSQL: dropped at the end
    std::unique_ptr<db::Database> admin;
};

inline std::vector<BenchDatabase> openBenchDatabases(const QString& sqliteFile,
                                                     const std::function<void(db::Database&)>& seed) {
    std::vector<BenchDatabase> list;
    BenchDatabase lite{"SQLite",
                       db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + sqliteFile, {}, {},
                                          db::Database::Create::Yes),
                       {}, {}};
    db::migrate(*lite.db);
    seed(*lite.db);
    list.push_back(std::move(lite));
    const QString pg = qEnvironmentVariable("LUMORIND_TEST_PG");
    if (pg.isEmpty()) return list;
    const QString user = qEnvironmentVariable("LUMORIND_TEST_PG_USER");
    const QString password = qEnvironmentVariable("LUMORIND_TEST_PG_PASSWORD");
    BenchDatabase server{"PostgreSQL", nullptr,
                         QStringLiteral("bench_") + QUuid::createUuid().toString(QUuid::Id128), nullptr};
    server.admin = db::Database::open(pg, user, password);
    server.admin->execute(QStringLiteral("CREATE SCHEMA ") + server.schema);
    server.db = db::Database::open(pg + QStringLiteral(";Schema=") + server.schema, user, password);
    db::migrate(*server.db);
    seed(*server.db);
    list.push_back(std::move(server));
    return list;
}

inline void dropBenchDatabases(std::vector<BenchDatabase>& list) {
    for (BenchDatabase& b : list) {
        b.db.reset();
        if (b.admin) b.admin->execute(QStringLiteral("DROP SCHEMA ") + b.schema + QStringLiteral(" CASCADE"));
    }
    list.clear();
}

}  // namespace lum::bench
