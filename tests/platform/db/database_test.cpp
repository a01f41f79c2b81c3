#include "platform/db/database.h"

#include "support/database_fixture.h"

#include <QFile>
#include <QSqlRecord>

#include <algorithm>

using namespace lum::db;

namespace {

class DatabaseLayer : public lum::test::DatabaseTest {
protected:
    qint64 addStaffFrame(int staff) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
            "VALUES ('2024-05-01 00:00:00', :s, '1899-12-30 09:00:00', 30, 1) RETURNING ReserveNo"));
        q.bindValue(QStringLiteral(":s"), staff);
        return db().execReturningKey(q);
    }
    int count(const QString& sql) {
        QSqlQuery q = db().prepare(sql);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    void addComment(const QString& text) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Comment (ProgramName, CommentCode, CommentText) VALUES ('T', 0, :t)"));
        q.bindValue(QStringLiteral(":t"), text);
        db().exec(q);
    }
    QStringList commentsWhere(const QString& condition, const QString& pattern) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT CommentText FROM Comment WHERE ") + condition +
                                   QStringLiteral(" ORDER BY CommentText"));
        q.bindValue(QStringLiteral(":p"), pattern);
        db().exec(q);
        QStringList out;
        while (q.next()) out << q.value(0).toString();
        return out;
    }
};

}  // namespace

TEST_P(DatabaseLayer, EachTransactionHasItsNestingLevelAndACommitEndsOnlyItsOwn) {
    EXPECT_FALSE(db().inTransaction());
    {
        Transaction outer(db());
        EXPECT_EQ(outer.level(), 1);
        EXPECT_TRUE(db().inTransaction());
        addStaffFrame(1);
        {
            Transaction inner(db());
            EXPECT_EQ(db().transactionLevel(), 2);
            addStaffFrame(2);
            inner.commit();
        }
        EXPECT_EQ(db().transactionLevel(), 1);
        outer.commit();
        EXPECT_THROW(outer.commit(), DbError) << "nothing is left to commit";
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode IN (1, 2)")), 2);
}

TEST_P(DatabaseLayer, AnExceptionInsideATransactionRollsItBack) {
    EXPECT_THROW(inTransaction(db(), [&] {
                     addStaffFrame(3);
                     addStaffFrame(4);
                     // A failing statement, as a real write would meet one.
                     db().execute(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)"));
                 }),
                 DbError);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 0);
    const qint64 key = inTransaction(db(), [&] { return addStaffFrame(5); });
    EXPECT_GT(key, 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 1);
}

TEST_P(DatabaseLayer, AScopedTransactionLeftWithoutCommitRollsBackOnlyItsOwnLevel) {
    {
        Transaction outer(db());
        EXPECT_EQ(outer.level(), 1);
        addStaffFrame(7);
        {
            Transaction inner(db());
            EXPECT_EQ(inner.level(), 2);
            addStaffFrame(8);
            // Left by an early return: the inner level alone is undone.
        }
        EXPECT_EQ(db().transactionLevel(), 1);
        outer.commit();
        EXPECT_TRUE(outer.committed());
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode = 7")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode = 8")), 0);
    {
        Transaction dropped(db());
        addStaffFrame(9);
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode = 9")), 0);
}

TEST_P(DatabaseLayer, AnotherConnectionSeesOnlyCommittedRows) {
    auto other = scratch().open();
    Transaction tx(db());
    ASSERT_EQ(tx.level(), 1);
    addStaffFrame(6);
    // While this transaction writes, the other connection still reads the committed state.
    QSqlQuery q = other->prepare(QStringLiteral("SELECT COUNT(*) FROM TimeTable"));
    other->exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    q.finish();
    tx.commit();
    other->exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
}

TEST_P(DatabaseLayer, KeysAreNeverReusedAfterADelete) {
    const qint64 first = addStaffFrame(1);
    const qint64 second = addStaffFrame(1);
    EXPECT_GT(second, first);
    QSqlQuery del = db().prepare(QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = :n"));
    del.bindValue(QStringLiteral(":n"), second);
    EXPECT_EQ(db().execTouching(del), 1);
    EXPECT_GT(addStaffFrame(1), second);
}

TEST_P(DatabaseLayer, AnUpdateOrDeleteThatTouchesNothingFails) {
    QSqlQuery upd = db().prepare(QStringLiteral("UPDATE TimeTable SET Capacity = 2 WHERE ReserveNo = :n"));
    upd.bindValue(QStringLiteral(":n"), 999);
    EXPECT_THROW(db().execTouching(upd), NoRowTouched);
    const qint64 key = addStaffFrame(1);
    upd.bindValue(QStringLiteral(":n"), key);
    EXPECT_EQ(db().execTouching(upd), 1);
}

TEST_P(DatabaseLayer, BoundTextIsStoredLiterally) {
    const QString hostile = QStringLiteral("o'hara\"; DROP TABLE Comment; -- \\ ％ ﾘﾊﾋﾞﾘ");
    addComment(hostile);
    EXPECT_EQ(commentsWhere(QStringLiteral("CommentText = :p"), hostile), QStringList{hostile});
}

TEST_P(DatabaseLayer, LikeTreatsUserWildcardsAsTextAndFoldsOnlyAscii) {
    for (const char* t : {"100%", "100x", "a_b", "axb", "ABC", "Ａｂｃ", "back\\slash"}) addComment(QString::fromUtf8(t));
    const QString like = db().likeCondition(QStringLiteral("CommentText"), QStringLiteral(":p"));
    EXPECT_EQ(commentsWhere(like, likePrefix(u"100%")), QStringList{QStringLiteral("100%")});
    EXPECT_EQ(commentsWhere(like, likeContains(u"_")), QStringList{QStringLiteral("a_b")});
    EXPECT_EQ(commentsWhere(like, likePrefix(u"back\\")), QStringList{QStringLiteral("back\\slash")});
    EXPECT_EQ(commentsWhere(like, likePrefix(u"abc")), QStringList{QStringLiteral("ABC")});
    EXPECT_EQ(commentsWhere(like, likePrefix(u"ＡＢＣ")), QStringList());
}

TEST_P(DatabaseLayer, KanaSortsByCodePointOnBothBackends) {
    QStringList names = {QStringLiteral("ﾜﾀﾅﾍﾞ ﾊﾅｺ"), QStringLiteral("ｱｵｷ ﾀﾛｳ"), QStringLiteral("ｶﾞﾄｳ ｼﾞﾛｳ"),
                         QStringLiteral("ｶﾄｳ ﾐﾂﾙ"),   QStringLiteral("abc"),       QStringLiteral("ﾊﾟｸ ｼﾞﾕﾝ"),
                         QStringLiteral("ﾊﾞﾝﾊﾞ ｱｲ"),  QStringLiteral("ﾊｼﾓﾄ ｹﾝ"),   QStringLiteral("Abc")};
    for (const QString& n : names) addComment(n);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.toUcs4() < b.toUcs4();
    });
    EXPECT_EQ(commentsWhere(QStringLiteral("CommentCode = 0 OR CommentText = :p"), QString()), names);
}

TEST_P(DatabaseLayer, WidthsAndNumberColumnsAreEnforcedAlike) {
    auto insertName = [&](const QString& name) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Person (Name, NYUSHOBI_YMD) VALUES (:n, '2024-05-01 00:00:00') RETURNING CureNo"));
        q.bindValue(QStringLiteral(":n"), name);
        return db().execReturningKey(q);
    };
    EXPECT_GT(insertName(QString(20, u'山')), 0);
    EXPECT_THROW(insertName(QString(21, u'a')), DbError);
    QSqlQuery q = db().prepare(QStringLiteral("UPDATE Person SET Sex = :s"));
    q.bindValue(QStringLiteral(":s"), QStringLiteral("男性"));
    EXPECT_THROW(db().exec(q), DbError);
}

TEST_P(DatabaseLayer, ABookingBelongsToItsFrame) {
    const qint64 frame = addStaffFrame(1);
    auto book = [&](qint64 working, int client) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) "
            "VALUES (:w, :c, '', '2024-05-01 08:00:00') RETURNING ScheduleNo"));
        q.bindValue(QStringLiteral(":w"), working);
        q.bindValue(QStringLiteral(":c"), client);
        return db().execReturningKey(q);
    };
    book(frame, 1);
    book(frame, 2);
    EXPECT_THROW(book(frame, 1), DbError);       // one booking per client and frame
    EXPECT_THROW(book(frame + 100, 3), DbError);  // no booking without its frame
    db().execute(QStringLiteral("DELETE FROM TimeTable"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 0);
}

TEST_P(DatabaseLayer, TheSessionIsConfiguredAtConnect) {
    QSqlQuery q = db().prepare(isSqlite() ? QStringLiteral("PRAGMA journal_mode") : QStringLiteral("SELECT current_setting('TimeZone')"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString().toLower(), isSqlite() ? QStringLiteral("wal") : QStringLiteral("utc"));
    if (isSqlite()) {
        EXPECT_EQ(count(QStringLiteral("PRAGMA foreign_keys")), 1);
        EXPECT_GT(count(QStringLiteral("PRAGMA busy_timeout")), 0);
        EXPECT_EQ(count(QStringLiteral("PRAGMA synchronous")), 2) << "FULL: every commit synced to the disk";
    }
}

TEST(DatabaseOpen, AMissingSqliteFileIsNotCreatedUnlessAsked) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("none.db"));
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + file;
    EXPECT_THROW(Database::open(connection, QString(), QString()), DbError);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(Database::open(connection, QString(), QString(), Database::Create::Yes)->isOpen());
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_THROW(Database::open(QStringLiteral("Provider=Other"), QString(), QString()), DbError);
}

TEST(DatabaseOpen, AWrongPostgresPasswordIsAClearError) {
    if (lum::test::testPgConnection().isEmpty()) GTEST_SKIP() << "LUMORIND_TEST_PG is not set";
    try {
        Database::open(lum::test::testPgConnection(), lum::test::testPgUser(), QStringLiteral("wrong"));
        FAIL() << "opened with a wrong password";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("データベースに接続できません"))) << e.what();
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(DatabaseLayer);
