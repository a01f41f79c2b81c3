// lumorind-setup demo-link: a file of forty linked clients that the
// application reads through the SQLite ODBC driver, its connection string
// printed and made the link of the settings where none is set; an existing
// file is never overwritten, nor a link set.
#include "app/link_connection.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "app/temp_settings.h"
#include "platform/settings/settings_key.h"
#include "clients/linked_client_source.h"
#include "setup_command.h"
#include "support/linked_source_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

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

// The settings of each case in a folder of its own.
class DemoLink : public TempSettingsTest {};

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

TEST_F(DemoLink, WritesFortyClientsTheApplicationReads) {
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

// Where no link is set, the demo source becomes the link (mode 2 on the
// string printed) and every other value stays as it was, or takes its default
// in new settings; a link set, even one switched off, and settings that cannot
// be read whole are left exactly as they are.
TEST_F(DemoLink, BecomesTheLinkOnlyWhereNoneIsSet) {
    const QString customPath = QStringLiteral("/srv/riha/取込.csv");
    const auto write = [](const std::function<void(TRegistory&)>& change) {
        return [change] {
            TRegistory r;
            change(r);
            ASSERT_TRUE(r.WriteRegistry());
        };
    };
    struct Case {
        const char* what;
        std::function<void()> before;  // nothing: no settings yet
        bool stored;
    } cases[] = {
        {"no settings yet", nullptr, true},
        {"the defaults, a path chosen", write([&](TRegistory& r) { r.Import = customPath; }), true},
        {"a server link", write([](TRegistory& r) {
             r.ServFlg = lum::TavelundLink;
             r.Tavelund = QStringLiteral("DRIVER={FreeTDS};SERVER=kaigo");
         }),
         false},
        {"a file link", write([](TRegistory& r) {
             r.ServFlg = lum::AccessLink;
             r.MDBConnection = QStringLiteral("DRIVER={MDBTools};DBQ=/srv/kaigo.mdb");
         }),
         false},
        {"a file string with the link off",
         write([](TRegistory& r) { r.MDBConnection = QStringLiteral("DRIVER={MDBTools};DBQ=/srv/kaigo.mdb"); }), false},
        {"a user ID alone", write([](TRegistory& r) { r.ID = QStringLiteral("riha"); }), false},
        {"a value of another type",
         [] {
             auto key = lum::SettingsKey::openOrCreate(TRegistory::KeyPath);
             key->writeInteger(QStringLiteral("MDBConnection"), 2);
             ASSERT_TRUE(key->flush());
         },
         false},
    };
    const QString settingsFile = lum::SettingsKey::filePathOf(TRegistory::KeyPath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(settingsFile);
        if (c.before) c.before();
        const QByteArray before = contentsOf(settingsFile);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kaigo.db"));
        const ToolResult r = runSetup({QStringLiteral("demo-link"), QStringLiteral("--file"), file});
        ASSERT_EQ(r.code, lum::setup::Ok) << r.err.toStdString();
        if (!c.stored) {
            EXPECT_EQ(contentsOf(settingsFile), before);
            EXPECT_TRUE(r.out.contains(QStringLiteral("連動の設定が既にあるため、設定は変えていません。")))
                << r.out.toStdString();
            continue;
        }
        EXPECT_TRUE(r.out.contains(QStringLiteral("連動の設定に書きました（MS-ACCESS MDB連動）。"))) << r.out.toStdString();
        TRegistory read;
        EXPECT_TRUE(read.ReadRegistry().isEmpty());
        EXPECT_EQ(read.ServFlg, lum::AccessLink);
        EXPECT_EQ(read.MDBConnection, QStringLiteral("DRIVER={SQLite3};Database=") + file);
        TRegistory expected;  // the defaults, and the path chosen before
        if (c.before) expected.Import = customPath;
        EXPECT_EQ(read.Import, expected.Import);
        for (QString TRegistory::*v : {&TRegistory::Export, &TRegistory::PrnSch, &TRegistory::Tavelund, &TRegistory::ID,
                                       &TRegistory::Password, &TRegistory::WinState})
            EXPECT_EQ(read.*v, expected.*v);
    }
}

}  // namespace
