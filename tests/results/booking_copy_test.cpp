// The copy of bookings into results on both backends: what is listed for a
// range and a staff member, the values of the copy road, skip and overwrite
// on a second copy, a failure that leaves nothing, and two workstations
// copying one booking.
#include "booking_copy_fixture.h"

#include "platform/db/db_error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <semaphore>
#include <thread>

namespace {

using lum::BookingToCopy;
using lum::CopyMode;
using lum::CureResult;
using lum::TDateTime;

class BookingCopy : public lum::test::BookingCopyTest {
protected:
    int count(const QString& where = QStringLiteral("1 = 1")) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE ") + where);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    CureResult resultOf(int reserveNo, int cureNo) {
        const auto no = store().findCopied(reserveNo, cureNo);
        if (!no) return {};
        return *store().find(*no);
    }
};

TEST_P(BookingCopy, ListsARangeOfDaysForOneStaffMemberOrEveryone) {
    struct Row { int first, last; std::optional<int> staff; const char* order; };
    const Row rows[] = {
        {7, 8, std::nullopt, "I/丙 G/乙 G/甲 N/甲"},  // by day, start and kana
        {7, 7, std::nullopt, "I/丙 G/乙 G/甲"},       // a one-day range
        {8, 8, std::nullopt, "N/甲"},
        {7, 8, 1, "G/乙 G/甲 N/甲"},
        {7, 8, 2, "I/丙"},
        {7, 8, 3, ""},
        {9, 30, std::nullopt, ""},
        {1, 6, std::nullopt, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(order(listed(may(r.first), may(r.last), r.staff)), QString::fromUtf8(r.order))
            << r.first << ".." << r.last;
    }
    // A booking whose client row is gone is not listed.
    db().execute(QStringLiteral("DELETE FROM Person WHERE CureNo = %1").arg(hei_.CureNo));
    EXPECT_EQ(order(listed(may(7), may(7))), QStringLiteral("G/乙 G/甲"));
}

TEST_P(BookingCopy, TheFirstCopyWritesTheValuesOfTheCopyRoad) {
    const auto rows = listed(may(7), may(8));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].Comment, QStringLiteral("週間希望"));
    const lum::CopyOutcome outcome = copy(rows, CopyMode::Overwrite);
    EXPECT_TRUE(outcome.done) << outcome.message.toStdString();
    EXPECT_EQ(outcome.added, 4);
    EXPECT_EQ(count(), 4);

    CureResult expected;
    expected.CureDate = may(7);
    expected.ReserveNo = group_;
    expected.CureNo = ko_.CureNo;
    expected.StuffCode = 1;
    expected.StuffName = QStringLiteral("佐藤　理学");
    expected.StuffKigo = QStringLiteral("佐");
    expected.PStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 0);
    expected.RStartTime = expected.PStartTime;
    expected.PMinute = 60;
    expected.RMinute = 60;
    lum::TakeClientSnapshot(expected, ko_);
    expected.LoginCD = QStringLiteral("101");
    expected.LoginName = QStringLiteral("佐藤　理学");
    expected.UpdateDate = stamp_.Now;
    CureResult stored = resultOf(group_, ko_.CureNo);
    expected.ResultNo = stored.ResultNo;
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(lum::test::flagsOf(stored), QStringLiteral("T--- ---- ---- --"));
    EXPECT_EQ(lum::test::flagsOf(resultOf(single_, hei_.CureNo)), QStringLiteral("---- ---- ---- TT"));
    // The booking's comment is not carried over: a new result has none.
    EXPECT_EQ(count(QStringLiteral("Comment IS NULL")), 4);
    // A staff code the list does not know gives empty texts.
    EXPECT_EQ(lum::CopiedResult(rows[0], {}, stamp_).StuffName, QStringLiteral(""));
}

TEST_P(BookingCopy, ASecondCopySkipsOrOverwritesEachClientsOwnResult) {
    const auto rows = listed(may(7), may(8));
    ASSERT_TRUE(copy(rows, CopyMode::Overwrite).done);
    // The medical records corrected one result; the frame's time changed since.
    const qint64 ko = *store().findCopied(group_, ko_.CureNo);
    lum::CureResultChange change;
    change.RMinute = 35;
    change.Comment = QStringLiteral("途中で中止");
    store().update(ko, change);
    db().execute(QStringLiteral("UPDATE TimeTable SET StartTime = '1899-12-30 11:00:00' WHERE ReserveNo = %1").arg(group_));
    const CureResult before = resultOf(group_, ko_.CureNo);
    const CureResult otsuBefore = resultOf(group_, otsu_.CureNo);

    const auto again = listed(may(7), may(8));
    lum::CopyOutcome skipped = copy(again, CopyMode::Skip);
    EXPECT_TRUE(skipped.done);
    EXPECT_EQ(skipped.skipped, 4);
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(resultOf(group_, ko_.CureNo), before) << "skip changes nothing";
    EXPECT_EQ(resultOf(group_, otsu_.CureNo), otsuBefore);

    lum::CopyOutcome overwritten = copy(again, CopyMode::Overwrite);
    EXPECT_TRUE(overwritten.done);
    EXPECT_EQ(overwritten.overwritten, 4);
    EXPECT_EQ(count(), 4);
    const CureResult after = resultOf(group_, ko_.CureNo);
    EXPECT_EQ(after.ResultNo, ko) << "the same result, each client's own";
    EXPECT_EQ(after.RMinute, 60) << "the frame's minutes again";
    EXPECT_EQ(after.RStartTime, TDateTime::fromYmdHms(1899, 12, 30, 11, 0));
    EXPECT_EQ(after.Comment, QStringLiteral("途中で中止")) << "the remark stays";
    EXPECT_EQ(resultOf(group_, otsu_.CureNo).ResultNo, otsuBefore.ResultNo);
}

TEST_P(BookingCopy, AFailureOnTheThirdBookingLeavesNothing) {
    const auto rows = listed(may(7), may(8));
    ASSERT_EQ(rows[2].CureNo, ko_.CureNo);
    refuseResultsOf(ko_.CureNo);
    std::vector<int> progress;
    const lum::CopyOutcome outcome =
        lum::CopyBookingsToResults(db(), rows, CopyMode::Overwrite, staff_, stamp_, [&](int n) { progress.push_back(n); });
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(outcome.message.startsWith(lum::copy_text::AppendError + u'\n')) << outcome.message.toStdString();
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(db().inTransaction());
}

// Two workstations copy the same booking at once: the first holds its copy
// open while the second starts. The result is stored once; on PostgreSQL the
// second fails on the unique pair and writes nothing, on SQLite it waits for
// the first and then finds its result.
TEST_P(BookingCopy, TwoWorkstationsCopyingOneBookingStoreItOnce) {
    const auto rows = listed(may(7), may(7), 2);
    ASSERT_EQ(rows.size(), 1u);
    std::binary_semaphore firstCopied(0);
    lum::CopyOutcome first, second;
    std::thread a([&] {
        auto connection = scratch().open();
        lum::db::Transaction held(*connection);
        first = lum::CopyBookingsToResults(*connection, rows, CopyMode::Overwrite, staff_, stamp_);
        firstCopied.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        held.commit();
    });
    std::thread b([&] {
        auto connection = scratch().open();
        firstCopied.acquire();
        second = lum::CopyBookingsToResults(*connection, rows, CopyMode::Overwrite, staff_, stamp_);
    });
    a.join();
    b.join();
    EXPECT_TRUE(first.done);
    EXPECT_EQ(count(), 1);
    if (isSqlite()) {
        EXPECT_TRUE(second.done);
        EXPECT_EQ(second.overwritten, 1);
    } else {
        EXPECT_FALSE(second.done);
        EXPECT_TRUE(second.message.startsWith(lum::copy_text::AppendError)) << second.message.toStdString();
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(BookingCopy);

}  // namespace
