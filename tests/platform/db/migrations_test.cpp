#include "platform/db/migrations.h"

#include "support/database_fixture.h"


using namespace lum::db;

namespace {

class Migrations : public lum::test::DatabaseTest {
protected:
    bool migrateOnSetUp() const override { return false; }

    void run(const QString& sql) { db().execute(sql); }
};

}  // namespace

TEST_P(Migrations, CreateEveryTableOnceAndRecordTheVersion) {
    EXPECT_EQ(schemaVersion(db()), 0);
    EXPECT_THROW(requireCurrentSchema(db()), DbError);
    migrate(db());
    EXPECT_NO_THROW(requireCurrentSchema(db()));
    EXPECT_EQ(schemaVersion(db()), latestSchemaVersion());
    for (const QString& t : facilityTableNames()) EXPECT_TRUE(db().tableExists(t)) << t.toStdString();
    EXPECT_EQ(facilityTableNames().size(), 16);
    migrate(db());  // nothing left to do
    EXPECT_EQ(schemaVersion(db()), latestSchemaVersion());
    // Column names as the windows read them, whatever case the backend keeps.
    const QStringList cure = db().columnNames(QStringLiteral("CureResults"));
    EXPECT_EQ(cure.size(), 43);
    EXPECT_EQ(cure.at(27).toLower(), QStringLiteral("houmonninchi"));
    EXPECT_EQ(db().columnNames(QStringLiteral("Person")).size(), 42);
}

TEST_P(Migrations, AFailedMigrationLeavesNothingBehind) {
    run(QStringLiteral("CREATE TABLE CureResults (x integer)"));  // in the way of migration 1
    EXPECT_THROW(migrate(db()), DbError);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(schemaVersion(db()), 0);
    EXPECT_FALSE(db().tableExists(QStringLiteral("Person")));
    run(QStringLiteral("DROP TABLE CureResults"));
    migrate(db());
    EXPECT_EQ(schemaVersion(db()), latestSchemaVersion());
}

TEST_P(Migrations, ANewerDatabaseIsRefused) {
    migrate(db());
    run(QStringLiteral("INSERT INTO SchemaVersion (Version, Description, AppliedAt) VALUES (999, 'x', 'now')"));
    EXPECT_THROW(migrate(db()), DbError);
    EXPECT_THROW(requireCurrentSchema(db()), DbError);
}

TEST_P(Migrations, TwoWorkstationsMigratingTogetherDoItOnce) {
    auto other = scratch().open();
    migrate(*other);
    migrate(db());
    QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM SchemaVersion"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), latestSchemaVersion());
}

TEST_P(Migrations, DocumentsAreUniquePerClientAndDateAndNothingPointsAtPerson) {
    migrate(db());
    const char* documents[][3] = {{"Practice", "PrcticeDay", "PracticeData"},   {"UrinKeikaku", "UrinDay", "KeikakuData"},
                                  {"UrinYobou", "UrinDay", "YobouData"},        {"Conference", "PractDay", "ConferData"},
                                  {"BeforeConfer", "ConferenceDay", "BeforeConferData"}};
    for (const auto& d : documents) {
        const QString sql = QStringLiteral("INSERT INTO %1 (CureNo, %2, DataFormatVersion, %3) VALUES (7, :d, 30, :b)")
                                .arg(QString::fromLatin1(d[0]), QString::fromLatin1(d[1]), QString::fromLatin1(d[2]));
        auto insert = [&](const char* day) {
            QSqlQuery q = db().prepare(sql);
            q.bindValue(QStringLiteral(":d"), QString::fromLatin1(day));
            q.bindValue(QStringLiteral(":b"), QByteArray("\x00\x01\xff", 3));
            db().exec(q);
        };
        insert("2024-05-01 00:00:00");
        insert("2024-05-02 00:00:00");
        EXPECT_THROW(insert("2024-05-01 00:00:00"), DbError) << d[0];
    }
    run(QStringLiteral("INSERT INTO Estimate (CureNo, Sakuseibi) VALUES (7, '2024-05-01 00:00:00')"));
    EXPECT_THROW(run(QStringLiteral("INSERT INTO Estimate (CureNo, Sakuseibi) VALUES (7, '2024-05-01 00:00:00')")),
                 DbError);

    // A client's documents, bookings and results outlive the client row.
    run(QStringLiteral("INSERT INTO Person (CureNo, Name, NYUSHOBI_YMD) VALUES (7, 'x', '2024-04-01 00:00:00')"));
    run(QStringLiteral("INSERT INTO TimeTable (ReserveNo, ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                       "VALUES (1, '2024-05-01 00:00:00', 1, '1899-12-30 09:00:00', 30, 1)"));
    run(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo) VALUES (1, 7)"));
    run(QStringLiteral("INSERT INTO CureResults (CureNo, ReserveNo) VALUES (7, 1)"));
    run(QStringLiteral("DELETE FROM Person WHERE CureNo = 7"));
    QSqlQuery q = db().prepare(QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM Schedule) + (SELECT COUNT(*) FROM CureResults) + (SELECT COUNT(*) FROM Practice)"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 4);
}

// One result per booking: copied twins found by migration 3 keep their data,
// the first stays the copy and the others become results entered by hand;
// afterwards a second copy of a booking is refused, while results entered by
// hand or imported (ReserveNo -1) may repeat.
TEST_P(Migrations, OneResultPerBookingKeepsTheDataOfFormerTwins) {
    migrate(db(), 2);
    EXPECT_EQ(schemaVersion(db()), 2);
    auto result = [this](int reserveNo, int cureNo, int minutes) {
        run(QStringLiteral("INSERT INTO CureResults (CureNo, ReserveNo, RMinute) VALUES (%1, %2, %3)")
                .arg(cureNo)
                .arg(reserveNo)
                .arg(minutes));
    };
    result(5, 7, 40);
    result(5, 7, 30);  // a twin of the first
    result(5, 8, 20);  // another client of the same group frame
    result(-1, 7, 10);
    result(-1, 7, 10);
    migrate(db());
    EXPECT_EQ(schemaVersion(db()), latestSchemaVersion());
    QSqlQuery q = db().prepare(
        QStringLiteral("SELECT ReserveNo, CureNo, RMinute FROM CureResults ORDER BY ResultNo"));
    db().exec(q);
    QStringList rows;
    while (q.next()) rows << QStringLiteral("%1/%2/%3").arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(q.value(2).toInt());
    EXPECT_EQ(rows.join(u' '), QStringLiteral("5/7/40 -1/7/30 5/8/20 -1/7/10 -1/7/10"));
    EXPECT_THROW(result(5, 7, 50), DbError);
    EXPECT_NO_THROW(result(6, 7, 50));
    EXPECT_NO_THROW(result(-1, 7, 10));
}

LUM_INSTANTIATE_DATABASE_TESTS(Migrations);
