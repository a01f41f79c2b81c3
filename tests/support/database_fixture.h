#pragma once
// A fresh facility database for each test case, on both backends:
//   class MyTest : public lum::test::DatabaseTest {};
//   TEST_P(MyTest, ...) { db().prepare(...); }
//   LUM_INSTANTIATE_DATABASE_TESTS(MyTest);
// SQLite: a file in a temporary folder. PostgreSQL: a schema of its own in
// the server named by $LUMORIND_TEST_PG (user $LUMORIND_TEST_PG_USER,
// password $LUMORIND_TEST_PG_PASSWORD; ./test.sh starts one), dropped after
// the case. Without that server the PostgreSQL cases are skipped, except in
// CI ($CI=true), where that is a failure.
#include "platform/db/database.h"
#include "platform/db/migrations.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace lum::db {
inline void PrintTo(Backend backend, std::ostream* out) {
    *out << (backend == Backend::SQLite ? "SQLite" : "PostgreSQL");
}
}  // namespace lum::db

namespace lum::test {

inline QString testPgConnection() { return qEnvironmentVariable("LUMORIND_TEST_PG"); }
inline QString testPgUser() { return qEnvironmentVariable("LUMORIND_TEST_PG_USER"); }
inline QString testPgPassword() { return qEnvironmentVariable("LUMORIND_TEST_PG_PASSWORD"); }

// A scratch database of one backend: open() gives more connections to it.
class ScratchDatabase {
public:
    // False (with the reason in skip()) when the backend is not available here.
    bool create(db::Backend backend) {
        backend_ = backend;
        if (backend == db::Backend::SQLite) {
            if (!dir_.isValid()) return fail(QStringLiteral("no temporary folder"));
            connection_ = QStringLiteral("Provider=SQLite;Data Source=") + dir_.filePath(QStringLiteral("test.db"));
            create_ = db::Database::Create::Yes;
            return true;
        }
        if (testPgConnection().isEmpty()) {
            return fail(QStringLiteral("LUMORIND_TEST_PG is not set: the PostgreSQL cases are skipped"));
        }
        schema_ = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128);
        admin_ = db::Database::open(testPgConnection(), testPgUser(), testPgPassword());
        admin_->execute(QStringLiteral("CREATE SCHEMA ") + schema_);
        connection_ = testPgConnection() + QStringLiteral(";Schema=") + schema_;
        return true;
    }

    ~ScratchDatabase() {
        if (admin_) {
            try {
                admin_->execute(QStringLiteral("DROP SCHEMA ") + schema_ + QStringLiteral(" CASCADE"));
            } catch (const db::DbError&) {
            }
        }
    }

    std::unique_ptr<db::Database> open() const {
        return db::Database::open(connection_, testPgUser(), testPgPassword(), create_);
    }
    const QString& connectionString() const { return connection_; }
    db::Backend backend() const { return backend_; }
    const QString& skip() const { return skip_; }
    QString folder() const { return dir_.path(); }

private:
    bool fail(const QString& why) {
        skip_ = why;
        return false;
    }

    db::Backend backend_ = db::Backend::SQLite;
    QTemporaryDir dir_;
    QString connection_;
    QString schema_;
    QString skip_;
    db::Database::Create create_ = db::Database::Create::No;
    std::unique_ptr<db::Database> admin_;
};

class DatabaseTest : public ::testing::TestWithParam<db::Backend> {
protected:
    void SetUp() override {
        if (!scratch_.create(GetParam())) {
            if (qEnvironmentVariable("CI") == u"true") FAIL() << scratch_.skip().toStdString();
            GTEST_SKIP() << scratch_.skip().toStdString();
        }
        db_ = scratch_.open();
        if (migrateOnSetUp()) db::migrate(*db_);
    }
    void TearDown() override { db_.reset(); }

    // Override to start from an empty database.
    virtual bool migrateOnSetUp() const { return true; }

    db::Database& db() { return *db_; }
    ScratchDatabase& scratch() { return scratch_; }
    bool isSqlite() const { return GetParam() == db::Backend::SQLite; }

private:
    ScratchDatabase scratch_;
    std::unique_ptr<db::Database> db_;
};

inline std::string backendName(const ::testing::TestParamInfo<db::Backend>& info) {
    return info.param == db::Backend::SQLite ? "SQLite" : "PostgreSQL";
}

}  // namespace lum::test

#define LUM_INSTANTIATE_DATABASE_TESTS(Fixture)                                                   \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture,                                                   \
                             ::testing::Values(lum::db::Backend::SQLite, lum::db::Backend::PostgreSQL), \
                             lum::test::backendName)
