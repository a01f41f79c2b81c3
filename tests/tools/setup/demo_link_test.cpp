// lumorind-setup demo-link: a file of forty linked clients that the
// application reads through the SQLite ODBC driver, its connection string
// printed; an existing file is never overwritten.
#include "app/link_connection.h"
#include "app/main_module.h"
#include "clients/linked_client_source.h"
#include "setup_command.h"
#include "support/linked_source_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct ToolResult {
    int code;
    QString out, err;
};
ToolResult runSetup(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = lum::setup::runSetupCommand(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}

TEST(DemoLink, WritesFortyClientsTheApplicationReads) {
    LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                            QStringLiteral("the SQLite ODBC driver is not installed"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tavelund/kaigo.db"));
    const ToolResult r = runSetup({QStringLiteral("demo-link"), QStringLiteral("--file"), file});
    ASSERT_EQ(r.code, lum::setup::Ok) << r.err.toStdString();
    const QString printed = QStringLiteral("DRIVER={SQLite3};Database=") + file;
    EXPECT_TRUE(r.out.contains(printed)) << r.out.toStdString();
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));

    // Read as the link reads it (the driver by its path: no odbcinst.ini needed here).
    TMainModule module;
    ASSERT_EQ(module.OpenLinkWith(lum::AccessLink, {lum::test::sqliteOdbcString(lum::linkFilePath(printed)), {}, {}}), "");
    const std::vector<lum::LinkedClient> rows = lum::LinkedClientSource::read(module.AccessConnection);
    ASSERT_EQ(rows.size(), 40u);
    int withoutBirth = 0, women = 0;
    for (const lum::LinkedClient& c : rows) {
        EXPECT_TRUE(c.Sid.has_value());
        EXPECT_TRUE(c.Jname.contains(u'　')) << c.Jname.toStdString();
        EXPECT_TRUE(c.Sex.has_value());
        EXPECT_FALSE(c.Add.isEmpty());
        if (c.Birth.isEmpty()) ++withoutBirth;
        if (c.Sex.value_or(false)) ++women;
    }
    EXPECT_EQ(withoutBirth, 1);
    EXPECT_GT(women, 0);
    EXPECT_LT(women, 40);
    module.CloseLinks();

    // Never over an existing file.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    f.close();
    const ToolResult again = runSetup({QStringLiteral("demo-link"), QStringLiteral("--file"), file});
    EXPECT_EQ(again.code, lum::setup::Failed);
    EXPECT_TRUE(again.err.contains(QStringLiteral("上書きしません")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256), before);

    const ToolResult missing = runSetup({QStringLiteral("demo-link")});
    EXPECT_EQ(missing.code, lum::setup::BadArguments);
}

}  // namespace
