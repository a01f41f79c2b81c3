// The Estimate table on both backends: the 21 columns in their order, the
// name cut to 50 bytes, a save found and written by calendar day, deletes,
// and two workstations saving one client and day.
#include "plans/estimate_store.h"

#include "common/db/sql_date.h"
#include "support/database_fixture.h"

#include <QSqlRecord>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace {

using lum::EstimateScores;
using lum::EstimateStore;
using lum::TDateTime;
using lum::TLifeEstimate;

class EstimateStoreTest : public lum::test::DatabaseTest {
protected:
    static TLifeEstimate sample(int cureNo, TDateTime day, const EstimateScores& scores) {
        TLifeEstimate e;
        e.CureNo = cureNo;
        e.Sakuseibi = day;
        e.UserName = QStringLiteral("山田　花子");
        e.Sex = 1;
        e.Birth = TDateTime::fromYmd(1940, 4, 1);
        e.Old = 83;
        e.Kaigodo = 4;
        e.Scores = scores;
        e.RihaStuff = 7;
        return e;
    }
    int count(const QString& where = QStringLiteral("1 = 1")) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM Estimate WHERE ") + where);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    const TDateTime day = TDateTime::fromYmd(2024, 1, 31);
    const EstimateScores mixed{0, 1, 2, -1, 1, 2, 0, 1, 2, 2, 1, 0, 1};
    const EstimateScores maximum{1, 1, 2, 1, 2, 2, 1, 1, 2, 2, 2, 1, 1};
};

TEST_P(EstimateStoreTest, WritesTheColumnsInOrderWithTheUnshownOnesZero) {
    EXPECT_EQ(EstimateStore::columns(),
              (QStringList{"CureNo", "Sakuseibi", "UserName", "Sex", "Birth", "Old", "Kaigodo", "Yukaue", "UdeAge",
                           "Negaeri", "Okiagari", "ZaiHoji", "Ijyou", "Idou", "Kouku", "Shokuji", "Ifuku", "Omoiyari",
                           "Shinryo", "Kikenn", "RihaStuff"}));
    TLifeEstimate e = sample(7, day.addDays(0), mixed);
    e.Sakuseibi = TDateTime(day.value() + 0.5);  // a time of day never reaches the row
    e.UserName = QString(26, QChar(u'長'));       // 52 bytes: 25 characters kept
    EXPECT_EQ(EstimateStore(db()).save(e), EstimateStore::SaveResult::Inserted);
    QSqlQuery q = db().prepare(QStringLiteral("SELECT * FROM Estimate"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    const QSqlRecord r = q.record();
    EXPECT_EQ(lum::db::readDate(r.value(QStringLiteral("Sakuseibi"))).value(), day.value());
    EXPECT_EQ(r.value(QStringLiteral("UserName")).toString(), QString(25, QChar(u'長')));
    for (const char* zero : {"Old", "Kaigodo", "RihaStuff"}) EXPECT_EQ(r.value(QString::fromLatin1(zero)).toInt(), 0) << zero;
    for (int i = 0; i < lum::EstimateItemCount; ++i)
        EXPECT_EQ(r.value(QString::fromLatin1(lum::estimateItems()[i].column)).toInt(), mixed[i]) << i;

    const std::optional<TLifeEstimate> back = EstimateStore(db()).load(7, day);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Scores, mixed);
    EXPECT_EQ(back->UserName, QString(25, QChar(u'長')));
    EXPECT_EQ(back->Birth.value(), TDateTime::fromYmd(1940, 4, 1).value());
    EXPECT_FALSE(EstimateStore(db()).load(7, day.addDays(1)));
    EXPECT_FALSE(EstimateStore(db()).load(8, day));
}

TEST_P(EstimateStoreTest, ALegacyRowWithATimeOfDayIsFoundReplacedAndDeleted) {
    QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO Estimate (CureNo, Sakuseibi, Yukaue) VALUES (7, :d, 1)"));
    lum::db::bindDate(q, QStringLiteral(":d"), TDateTime(day.value() + 0.25));
    db().exec(q);
    const EstimateStore store(db());
    const std::optional<TLifeEstimate> legacy = store.load(7, day);
    ASSERT_TRUE(legacy);
    EXPECT_EQ(legacy->Scores[0], 1);
    EXPECT_EQ(legacy->Scores[1], -1);  // NULL reads as unanswered
    EXPECT_EQ(store.save(sample(7, day, maximum)), EstimateStore::SaveResult::Updated);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(store.load(7, day)->Scores, maximum);
    store.remove(7, day);
    EXPECT_EQ(count(), 0);
    EXPECT_THROW(store.remove(7, day), lum::db::NoRowTouched);
}

TEST_P(EstimateStoreTest, TwoWorkstationsSavingOneClientAndDayLeaveOneRowOfOneSave) {
    bool otherFailed = false;
    {
        lum::db::Transaction tx(db());
        EstimateStore(db()).save(sample(7, day, mixed));
        std::thread other([&] {
            auto connection = scratch().open();
            try {
                EstimateStore(*connection).save(sample(7, day, maximum));
            } catch (const lum::db::DbError&) {
                otherFailed = true;
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        tx.commit();
        other.join();
    }
    EXPECT_FALSE(otherFailed);
    EXPECT_EQ(count(), 1);
    // The later save holds the row whole: never scores of one mixed with the other's.
    EXPECT_EQ(EstimateStore(db()).load(7, day)->Scores, maximum);
}

TEST_P(EstimateStoreTest, ARowStoredElsewhereDuringASaveIsReplacedOnlyWhenAccepted) {
    std::optional<EstimateStore::SaveOutcome> theirs;
    {
        lum::db::Transaction tx(db());
        EstimateStore(db()).save(sample(7, day, mixed));
        std::thread other([&] {
            auto connection = scratch().open();
            theirs = EstimateStore(*connection).save(sample(7, day, maximum), [](const TLifeEstimate&) { return false; });
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        tx.commit();
        other.join();
    }
    ASSERT_TRUE(theirs);
    EXPECT_EQ(theirs->result, EstimateStore::SaveResult::Refused);
    ASSERT_TRUE(theirs->row);
    EXPECT_EQ(theirs->row->Scores, mixed) << "the row found comes back";
    EXPECT_EQ(EstimateStore(db()).load(7, day)->Scores, mixed);
    // Accepted, the row is replaced and comes back as stored now.
    const TLifeEstimate found = *theirs->row;
    const EstimateStore::SaveOutcome again =
        EstimateStore(db()).save(sample(7, day, maximum), [&](const TLifeEstimate& row) { return row == found; });
    EXPECT_EQ(again.result, EstimateStore::SaveResult::Updated);
    ASSERT_TRUE(again.row);
    EXPECT_EQ(again.row->Scores, maximum);
    EXPECT_EQ(count(), 1);
}

TEST_P(EstimateStoreTest, AnInsertThatStoresNoRowIsNeverASave) {
    // A trigger that drops the row silently, without an error.
    if (isSqlite()) {
        db().execute(QStringLiteral("CREATE TRIGGER SkipEstimate BEFORE INSERT ON Estimate BEGIN SELECT RAISE(IGNORE); END"));
    } else {
        db().execute(QStringLiteral("CREATE FUNCTION skip_estimate() RETURNS trigger AS $$ BEGIN RETURN NULL; END $$ "
                                    "LANGUAGE plpgsql"));
        db().execute(QStringLiteral("CREATE TRIGGER SkipEstimate BEFORE INSERT ON Estimate FOR EACH ROW "
                                    "EXECUTE FUNCTION skip_estimate()"));
    }
    EXPECT_THROW(EstimateStore(db()).save(sample(7, day, mixed)), lum::db::NoRowTouched);
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(db().inTransaction());
}

LUM_INSTANTIATE_DATABASE_TESTS(EstimateStoreTest);

}  // namespace
