// The start-up warm-up loads the driver of the stored database connection, and
// only that one, on its own thread.
#include "app/dbseting.h"
#include "app/temp_settings.h"
#include "platform/settings/settings_key.h"
#include "startup/warm_up.h"

#include <QFile>

#include <cstdlib>

namespace {

bool loaded(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

constexpr const char* kSqlite = "sqldrivers/libqsqlite.so";
constexpr const char* kPostgres = "sqldrivers/libqsqlpsql.so";

// Runs in a fresh process of this program: no driver is loaded yet.
int warmUpWith(const char* connection, const char* expected, const char* notExpected) {
    if (loaded(kSqlite) || loaded(kPostgres)) return 1;
    if (connection) {
        auto key = lum::SettingsKey::openOrCreate(TDBSeting::KeyPath);
        if (!key) return 2;
        key->writeText(QStringLiteral("Connection"), QString::fromUtf8(connection));
        if (!key->flush()) return 3;
    }
    lum::startWarmUp().join();
    if (expected && !loaded(expected)) return 4;
    if (notExpected && loaded(notExpected)) return 5;
    return 0;
}

class WarmUpTest : public TempSettingsTest {};

TEST_F(WarmUpTest, LoadsTheDriverOfTheStoredConnectionOnly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(warmUpWith("Provider=SQLite;Data Source=/nowhere/lumorind.db", kSqlite, kPostgres)),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::_Exit(warmUpWith("Provider=PostgreSQL;Host=localhost;Database=x", kPostgres, kSqlite)),
                ::testing::ExitedWithCode(0), "");
    // Without settings (the first run) nothing is loaded ahead.
    EXPECT_EXIT(std::_Exit(warmUpWith(nullptr, nullptr, kSqlite)), ::testing::ExitedWithCode(0), "");
}

}  // namespace
