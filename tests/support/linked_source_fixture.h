#pragma once
// Sources of the other care system's client table kgkihn1d for the tests,
// reached through the real ODBC drivers the way the application reaches them:
// - a database file the test writes (SQLite), read through the SQLite ODBC driver;
// - a schema of its own on the throwaway PostgreSQL server, read through the
//   PostgreSQL ODBC driver (skipped without that server, a failure in CI).
// The drivers are named by their library path; a missing driver skips the
// case here and fails it in CI.
#include "platform/db/connection_string.h"
#include "platform/db/database.h"
#include "support/database_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace lum::test {

// The library of an ODBC driver, looked for where Debian and others put them
// ($LUMORIND_ODBC_DRIVER_DIR first); empty when not installed.
inline QString odbcDriverLibrary(const QString& file) {
    QStringList folders;
    if (const QString own = qEnvironmentVariable("LUMORIND_ODBC_DRIVER_DIR"); !own.isEmpty()) folders << own;
    folders << QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc") << QStringLiteral("/usr/lib/aarch64-linux-gnu/odbc")
            << QStringLiteral("/usr/lib/odbc") << QStringLiteral("/usr/lib64") << QStringLiteral("/usr/local/lib");
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}
inline QString sqliteOdbcDriver() { return odbcDriverLibrary(QStringLiteral("libsqlite3odbc.so")); }
inline QString postgresOdbcDriver() { return odbcDriverLibrary(QStringLiteral("psqlodbcw.so")); }

// The ODBC string of a SQLite file.
inline QString sqliteOdbcString(const QString& file) {
    return QStringLiteral("DRIVER=%1;Database=%2").arg(sqliteOdbcDriver(), file);
}

// One row as the other system stores it. Sex and Birth as stored: a Boolean,
// -1, NULL; a date text, NULL or any other text.
struct StoredLinkedRow {
    QVariant sid;
    QString jname, kname;
    QVariant sex;
    QVariant birth;
    QString mail, chiku, mati, add, tel, fax;
};

// How a test file departs from the other system's table.
struct LinkedFileShape {
    bool withTable = true;
    bool birthAsText = false;     // Birth declared TEXT, so the driver hands over the stored text
    QString leaveOutColumn;       // a column the table lacks
};


// Writes a kgkihn1d file with Qt's own SQLite driver; the columns spelt as the
// other system spells them, Add quoted (a reserved word there).
inline void writeLinkedFile(const QString& file, const std::vector<StoredLinkedRow>& rows,
                            const LinkedFileShape& shape = {}) {
    const QString name = QStringLiteral("linked-writer-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        if (shape.withTable) {
            const QList<std::pair<QString, QString>> columns = {
                {QStringLiteral("Sid"), QStringLiteral("INTEGER")},
                {QStringLiteral("Jname"), QStringLiteral("VARCHAR(40)")},
                {QStringLiteral("Kname"), QStringLiteral("VARCHAR(20)")},
                {QStringLiteral("Sex"), QStringLiteral("BIT")},
                {QStringLiteral("Birth"), shape.birthAsText ? QStringLiteral("TEXT") : QStringLiteral("DATETIME")},
                {QStringLiteral("Mail"), QStringLiteral("VARCHAR(8)")},
                {QStringLiteral("ChikuCode"), QStringLiteral("VARCHAR(6)")},
                {QStringLiteral("MatiCode"), QStringLiteral("VARCHAR(4)")},
                {QStringLiteral("Add"), QStringLiteral("VARCHAR(60)")},
                {QStringLiteral("Tel"), QStringLiteral("VARCHAR(15)")},
                {QStringLiteral("Fax"), QStringLiteral("VARCHAR(15)")},
            };
            QStringList defs, names, marks;
            for (const auto& [column, type] : columns) {
                if (column == shape.leaveOutColumn) continue;
                defs << u'"' + column + QStringLiteral("\" ") + type;
                names << u'"' + column + u'"';
                marks << QStringLiteral("?");
            }
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE kgkihn1d (") + defs.join(u',') + u')'))
                << q.lastError().text().toStdString();
            ASSERT_TRUE(db.transaction());
            for (const StoredLinkedRow& r : rows) {
                ASSERT_TRUE(q.prepare(QStringLiteral("INSERT INTO kgkihn1d (") + names.join(u',') +
                                      QStringLiteral(") VALUES (") + marks.join(u',') + u')'));
                const QVariant values[] = {r.sid,  r.jname, r.kname, r.sex,  r.birth, r.mail,
                                           r.chiku, r.mati, r.add,   r.tel,  r.fax};
                for (int i = 0; i < int(std::size(values)); ++i) {
                    if (columns[i].first == shape.leaveOutColumn) continue;
                    q.addBindValue(values[i]);
                }
                ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
            }
            ASSERT_TRUE(db.commit());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// kgkihn1d in a schema of its own on the test PostgreSQL server, with the
// column types of the other system's server (Sex Boolean, Birth a date-time).
class PostgresLinkedSource {
public:
    // False (and why in skip()) without the server or its ODBC driver.
    bool create(const std::vector<StoredLinkedRow>& rows) {
        if (testPgConnection().isEmpty()) return fail(QStringLiteral("LUMORIND_TEST_PG is not set"));
        if (postgresOdbcDriver().isEmpty()) return fail(QStringLiteral("the PostgreSQL ODBC driver is not installed"));
        const auto target = db::parseConnectionString(testPgConnection());
        if (!target) return fail(QStringLiteral("LUMORIND_TEST_PG is no connection string"));
        schema_ = QStringLiteral("k_") + QUuid::createUuid().toString(QUuid::Id128);
        admin_ = db::Database::open(testPgConnection(), testPgUser(), testPgPassword());
        admin_->execute(QStringLiteral("CREATE SCHEMA ") + schema_);
        admin_->execute(QStringLiteral(
                            "CREATE TABLE %1.kgkihn1d (\"Sid\" integer, \"Jname\" varchar(40), \"Kname\" varchar(20), "
                            "\"Sex\" boolean, \"Birth\" timestamp, \"Mail\" varchar(8), \"ChikuCode\" varchar(6), "
                            "\"MatiCode\" varchar(4), \"Add\" varchar(60), \"Tel\" varchar(15), \"Fax\" varchar(15))")
                            .arg(schema_));
        for (const StoredLinkedRow& r : rows) {
            QSqlQuery q = admin_->prepare(
                QStringLiteral("INSERT INTO %1.kgkihn1d VALUES (:sid, :jname, :kname, :sex, CAST(:birth AS timestamp), "
                               ":mail, :chiku, :mati, :addr, :tel, :fax)")
                    .arg(schema_));
            q.bindValue(QStringLiteral(":sid"), r.sid);
            q.bindValue(QStringLiteral(":jname"), r.jname);
            q.bindValue(QStringLiteral(":kname"), r.kname);
            // A Boolean column: true and -1 are true; a date column: no text that is not a date.
            q.bindValue(QStringLiteral(":sex"), r.sex.isNull() ? QVariant(QMetaType(QMetaType::Bool))
                                                                : QVariant(r.sex.toInt() != 0));
            const bool isDate = !r.birth.isNull() && r.birth.toString().contains(u'-');
            q.bindValue(QStringLiteral(":birth"), isDate ? r.birth : QVariant(QMetaType(QMetaType::QString)));
            q.bindValue(QStringLiteral(":mail"), r.mail);
            q.bindValue(QStringLiteral(":chiku"), r.chiku);
            q.bindValue(QStringLiteral(":mati"), r.mati);
            q.bindValue(QStringLiteral(":addr"), r.add);
            q.bindValue(QStringLiteral(":tel"), r.tel);
            q.bindValue(QStringLiteral(":fax"), r.fax);
            admin_->exec(q);
        }
        odbc_ = QStringLiteral("DRIVER=%1;SERVER=%2;PORT=%3;DATABASE=%4;Pqopt={options=-csearch_path=%5}")
                    .arg(postgresOdbcDriver(), target->host)
                    .arg(target->port)
                    .arg(target->database, schema_);
        return true;
    }
    ~PostgresLinkedSource() {
        if (!admin_) return;
        try {
            admin_->execute(QStringLiteral("DROP SCHEMA ") + schema_ + QStringLiteral(" CASCADE"));
        } catch (const db::DbError&) {
        }
    }
    // Runs a statement on the source from outside the application.
    void execute(const QString& sql) { admin_->execute(sql.arg(schema_)); }

    const QString& odbcString() const { return odbc_; }
    QString user() const { return testPgUser(); }
    QString password() const { return testPgPassword(); }
    const QString& skip() const { return skip_; }

private:
    bool fail(const QString& why) {
        skip_ = why;
        return false;
    }
    QString schema_, odbc_, skip_;
    std::unique_ptr<db::Database> admin_;
};

// Skips the case (fails it in CI) when a source cannot be had here.
#define LUM_REQUIRE_LINK_SOURCE(ok, why)                                                  \
    do {                                                                                  \
        if (!(ok)) {                                                                      \
            if (qEnvironmentVariable("CI") == u"true") FAIL() << (why).toStdString();     \
            GTEST_SKIP() << (why).toStdString();                                          \
        }                                                                                 \
    } while (false)

}  // namespace lum::test
