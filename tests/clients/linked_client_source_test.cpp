// Reading kgkihn1d through the real ODBC drivers: a file the test writes,
// read by the SQLite ODBC driver, and a schema on the test PostgreSQL server,
// read by the PostgreSQL ODBC driver. Every row comes back exactly, in one
// kana order; every way a source can be wrong fails the whole read; the
// source is never changed.
#include "app/link_connection.h"
#include "app/main_module.h"
#include "clients/linked_client_source.h"
#include "linked_rows.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDriver>
#include <gtest/gtest.h>

namespace {

using lum::LinkedClient;
using lum::LinkedClientSource;

void expectRows(const std::vector<LinkedClient>& got, const std::vector<LinkedClient>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].Sid, want[i].Sid);
        EXPECT_EQ(got[i].Jname, want[i].Jname);
        EXPECT_EQ(got[i].Kname, want[i].Kname);
        EXPECT_EQ(got[i].Sex, want[i].Sex);
        EXPECT_EQ(got[i].Birth, want[i].Birth) << got[i].Birth.toDateTimeText().toStdString();
        EXPECT_EQ(got[i].BirthText, want[i].BirthText);
        EXPECT_EQ(got[i].Mail, want[i].Mail);
        EXPECT_EQ(got[i].ChikuCode, want[i].ChikuCode);
        EXPECT_EQ(got[i].MatiCode, want[i].MatiCode);
        EXPECT_EQ(got[i].Add, want[i].Add);
        EXPECT_EQ(got[i].Tel, want[i].Tel);
        EXPECT_EQ(got[i].Fax, want[i].Fax);
    }
}

QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class LinkedSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                                QStringLiteral("the SQLite ODBC driver is not installed"));
    }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Opens link 2 on the string and reads; the error text, or empty.
    QString readFile(const QString& odbc, std::vector<LinkedClient>& rows) {
        const QString why = module_.OpenLinkWith(lum::AccessLink, {odbc, {}, {}});
        if (!why.isEmpty()) return why;
        try {
            rows = LinkedClientSource::read(module_.AccessConnection);
        } catch (const lum::LinkReadError& e) {
            module_.CloseLink(lum::AccessLink);
            return e.why();
        }
        module_.CloseLink(lum::AccessLink);
        return {};
    }

    QTemporaryDir dir_;
    TMainModule module_;
};

TEST_F(LinkedSourceTest, AFileReadsBackEveryRowExactlyInKanaOrderAndStaysAsItWas) {
    struct Case {
        const char* name;
        bool birthAsText;
    };
    for (const Case c : {Case{"dates", false}, Case{"texts", true}}) {
        SCOPED_TRACE(c.name);
        const QString file = path(c.name);
        lum::test::writeLinkedFile(file, linked_rows::stored(), {true, c.birthAsText, {}});
        const QByteArray before = fileHash(file);
        std::vector<LinkedClient> rows;
        ASSERT_EQ(readFile(lum::test::sqliteOdbcString(file), rows), "");
        expectRows(rows, linked_rows::expected(c.birthAsText));
        EXPECT_EQ(fileHash(file), before) << "the source is only read";
        EXPECT_FALSE(QFile::exists(file + "-journal"));
    }
}

TEST_F(LinkedSourceTest, EveryBadFileFailsTheWholeReadAndAMissingOneIsNeverCreated) {
    const QString text = path("notes.txt");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Tavelund のメモ\nこれはデータベースではありません。\n");
    }
    lum::test::writeLinkedFile(path("empty.db"), {}, {false, false, {}});
    lum::test::writeLinkedFile(path("noadd.db"), linked_rows::stored(), {true, false, QStringLiteral("Add")});
    lum::test::writeLinkedFile(path("nofax.db"), linked_rows::stored(), {true, false, QStringLiteral("Fax")});
    const struct {
        const char* what;
        QString odbc;
    } cases[] = {
        {"a missing file", lum::test::sqliteOdbcString(path("missing.db"))},
        {"a missing file named by DBQ", QStringLiteral("DRIVER=%1;DBQ=%2").arg(lum::test::sqliteOdbcDriver(), path("missing2.mdb"))},
        {"a file that is no database", lum::test::sqliteOdbcString(text)},
        {"a database without kgkihn1d", lum::test::sqliteOdbcString(path("empty.db"))},
        {"kgkihn1d without Add", lum::test::sqliteOdbcString(path("noadd.db"))},
        {"kgkihn1d without Fax", lum::test::sqliteOdbcString(path("nofax.db"))},
        {"no such driver", QStringLiteral("DRIVER=/nonexistent/libnothing.so;Database=%1").arg(path("noadd.db"))},
        {"no such data source", QStringLiteral("DSN=lumorind-no-such-source")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<LinkedClient> rows;
        EXPECT_NE(readFile(c.odbc, rows), "");
        EXPECT_TRUE(rows.empty());
        EXPECT_FALSE(module_.AccessConnection.isOpen());
    }
    EXPECT_FALSE(QFile::exists(path("missing.db")));
    EXPECT_FALSE(QFile::exists(path("missing2.mdb")));
}

TEST_F(LinkedSourceTest, TheLinkIsReadOnlyAndTheStatementQuotesEveryColumnAsTheDriverDoes) {
    lum::test::writeLinkedFile(path("k.db"), {});
    ASSERT_EQ(module_.OpenLinkWith(lum::AccessLink, {lum::test::sqliteOdbcString(path("k.db")), {}, {}}), "");
    EXPECT_EQ(module_.AccessConnection.connectOptions(), lum::linkConnectOptions()) << "read-only, login timeout";
    EXPECT_EQ(LinkedClientSource::selectStatement(module_.AccessConnection),
              "SELECT \"Sid\",\"Jname\",\"Kname\",\"Sex\",\"Birth\",\"Mail\",\"ChikuCode\",\"MatiCode\",\"Add\","
              "\"Tel\",\"Fax\" FROM kgkihn1d");
    EXPECT_EQ(LinkedClientSource::probe(module_.AccessConnection), "");
    module_.CloseLinks();
    EXPECT_NE(LinkedClientSource::probe(module_.AccessConnection), "") << "a closed link reads nothing";
}

TEST(LinkedServerSource, TheServerReadsBackEveryRowAndEveryFailureIsReported) {
    lum::test::PostgresLinkedSource source;
    LUM_REQUIRE_LINK_SOURCE(source.create(linked_rows::stored()), source.skip());
    TMainModule module;
    const TMainModule::LinkValues good{source.odbcString(), source.user(), source.password()};
    ASSERT_EQ(module.OpenLinkWith(lum::TavelundLink, good), "");
    expectRows(LinkedClientSource::read(module.TavelundConnection), linked_rows::expected());

    // What cannot be reached or read.
    const struct {
        const char* what;
        TMainModule::LinkValues values;
        bool opens;
    } cases[] = {
        {"a wrong password", {source.odbcString(), source.user(), QStringLiteral("wrong")}, false},
        {"a closed port", {QStringLiteral("DRIVER=%1;SERVER=127.0.0.1;PORT=1;DATABASE=x").arg(lum::test::postgresOdbcDriver()),
                           source.user(), source.password()}, false},
        {"another database", {QString(source.odbcString()).replace(QStringLiteral("search_path="), QStringLiteral("search_path=nowhere_")),
                              source.user(), source.password()}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString why = module.OpenLinkWith(lum::TavelundLink, c.values);
        EXPECT_EQ(why.isEmpty(), c.opens) << why.toStdString();
        if (c.opens) EXPECT_THROW(LinkedClientSource::read(module.TavelundConnection), lum::LinkReadError);
        else EXPECT_FALSE(module.TavelundConnection.isOpen());
    }

    // A column gone from the table fails the read, not some of its rows.
    ASSERT_EQ(module.OpenLinkWith(lum::TavelundLink, good), "");
    source.execute(QStringLiteral("ALTER TABLE %1.kgkihn1d DROP COLUMN \"Add\""));
    EXPECT_THROW(LinkedClientSource::read(module.TavelundConnection), lum::LinkReadError);
    EXPECT_NE(LinkedClientSource::probe(module.TavelundConnection), "");
}

}  // namespace
