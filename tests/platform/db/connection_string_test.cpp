#include "platform/db/connection_string.h"

#include <gtest/gtest.h>

using namespace lum::db;

TEST(ConnectionString, ReadsBothProviders) {
    auto lite = parseConnectionString(u"provider = sqlite ; DATA SOURCE = /var/lib/リハ/a b.db ;");
    ASSERT_TRUE(lite);
    EXPECT_EQ(lite->backend, Backend::SQLite);
    EXPECT_EQ(lite->dataSource, QStringLiteral("/var/lib/リハ/a b.db"));

    auto pg = parseConnectionString(u"Provider=PostgreSQL;Host=/run/pg;Port=6543;Database=riha;Unknown=1;Schema=s1");
    ASSERT_TRUE(pg);
    EXPECT_EQ(pg->backend, Backend::PostgreSQL);
    EXPECT_EQ(pg->host, QStringLiteral("/run/pg"));
    EXPECT_EQ(pg->port, 6543);
    EXPECT_EQ(pg->database, QStringLiteral("riha"));
    EXPECT_EQ(pg->schema, QStringLiteral("s1"));

    auto defaults = parseConnectionString(u"Provider=PostgreSQL;Database=riha");
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->host, QStringLiteral("localhost"));
    EXPECT_EQ(defaults->port, 5432);

    auto quoted = parseConnectionString(u"Provider=SQLite;Data Source=\"/tmp/a;b.db\"");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->dataSource, QStringLiteral("/tmp/a;b.db"));
    EXPECT_EQ(parseConnectionString(quoted->toString())->dataSource, quoted->dataSource);
    EXPECT_EQ(parseConnectionString(pg->toString())->toString(), pg->toString());
}

TEST(ConnectionString, RefusesWhatCannotConnect) {
    const char16_t* bad[] = {
        u"",
        u"Data Source=/tmp/a.db",
        u"Provider=SQLNCLI11.1;Data Source=server",
        u"Provider=SQLite",
        u"Provider=PostgreSQL;Host=h",
        u"Provider=PostgreSQL;Database=d;Port=99999",
        u"Provider=PostgreSQL;Database=d;Port=abc",
        u"Provider=SQLite;Data Source=\"/tmp/a.db",
        u"Provider=SQLite;garbage;Data Source=/x",
    };
    for (const char16_t* text : bad) {
        QString error;
        EXPECT_FALSE(parseConnectionString(QStringView(text), &error)) << QString::fromUtf16(text).toStdString();
        EXPECT_FALSE(error.isEmpty()) << QString::fromUtf16(text).toStdString();
    }
}
