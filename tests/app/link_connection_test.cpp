// ODBC connection strings of the links: attributes read and set without
// disturbing the rest of the string, and the file a file link names.
#include "app/link_connection.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkConnection, AttributesAreReadWithBracesAndInAnyLetterCase) {
    const struct {
        const char* connection;
        const char* key;
        const char* value;
    } cases[] = {
        {"DRIVER={MDBTools};DBQ=/srv/kaigo.mdb", "DBQ", "/srv/kaigo.mdb"},
        {"driver={MDBTools}; dbq = /srv/kaigo.mdb ;", "DBQ", "/srv/kaigo.mdb"},
        {"DRIVER={MDBTools};DBQ={/srv/a;b/kaigo.mdb}", "dbq", "/srv/a;b/kaigo.mdb"},
        {"DRIVER={Odd}}Name};X=1", "Driver", "Odd}Name"},
        {"DRIVER=SQLite3;Database=/tmp/k.db", "Database", "/tmp/k.db"},
        {"DSN=kaigo", "DBQ", ""},
        {"", "DBQ", ""},
        {"novalue", "novalue", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection);
        EXPECT_EQ(lum::odbcAttribute(QString::fromUtf8(c.connection), QString::fromUtf8(c.key)), QString::fromUtf8(c.value));
    }
}

TEST(LinkConnection, SettingAnAttributeKeepsTheRest) {
    const struct {
        const char* connection;
        const char* key;
        const char* value;
        const char* result;
    } cases[] = {
        {"DRIVER={MDBTools};DBQ=/old.mdb;ReadOnly=1", "DBQ", "/new.mdb", "DRIVER={MDBTools};DBQ=/new.mdb;ReadOnly=1"},
        {"DRIVER={MDBTools}", "DBQ", "/施設 データ/介護.mdb", "DRIVER={MDBTools};DBQ={/施設 データ/介護.mdb}"},
        {"DRIVER=SQLite3;database=/a.db", "Database", "/b;c.db", "DRIVER=SQLite3;database={/b;c.db}"},
        {"", "DBQ", "/a}b.mdb", "DBQ={/a}}b.mdb}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection);
        const QString result =
            lum::withOdbcAttribute(QString::fromUtf8(c.connection), QString::fromUtf8(c.key), QString::fromUtf8(c.value));
        EXPECT_EQ(result, QString::fromUtf8(c.result));
        EXPECT_EQ(lum::odbcAttribute(result, QString::fromUtf8(c.key)), QString::fromUtf8(c.value)) << "reads back";
    }
}

TEST(LinkConnection, AFileLinkNamesItsFileByDbqOrDatabase) {
    EXPECT_EQ(lum::linkFilePath("DRIVER={MDBTools};DBQ=/a.mdb;Database=/b.db"), "/a.mdb");
    EXPECT_EQ(lum::linkFilePath("DRIVER=SQLite3;Database=/b.db"), "/b.db");
    EXPECT_EQ(lum::linkFilePath("DSN=kaigo"), "");
    EXPECT_EQ(lum::linkConnectOptions(), "SQL_ATTR_LOGIN_TIMEOUT=15;SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY");
}

}  // namespace
