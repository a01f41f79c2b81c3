// Two workstations at once: two connections, each in its own thread, on an
// SQLite file and on PostgreSQL. The first holds between its checks and its
// write (the schedule write hook) while the second starts; at most one of the
// racing bookings stays, no booking is left without its frame, and the
// refused one gets the rule's own message.
#include "schedule/schedule_data.h"
#include "schedule/schedule_write.h"
#include "schedule_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <semaphore>
#include <thread>

namespace {

using lum::Notices;
using lum::TDateTime;
namespace text = lum::booking_text;

using Work = std::function<Notices(lum::db::Database&)>;

thread_local bool holdsAtTheHook = false;

class BookingRaceTest : public lum::test::ScheduleTest {
protected:
    void TearDown() override {
        lum::setScheduleWriteHook({});
        ScheduleTest::TearDown();
    }

    // Runs first and second on connections of their own; first is held at
    // the hook until second has started (and has had time to reach its lock).
    void race(const Work& first, const Work& second) {
        std::binary_semaphore firstHolds(0), secondStarted(0);
        std::atomic<bool> held{false};
        lum::setScheduleWriteHook([&](const char*) {
            if (!holdsAtTheHook || held.exchange(true)) return;
            firstHolds.release();
            if (!secondStarted.try_acquire_for(std::chrono::seconds(20))) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        });
        std::thread a([&] {
            holdsAtTheHook = true;
            auto connection = scratch().open();
            firstNotices_ = first(*connection);
            if (!held) firstHolds.release();  // never reached its write: let the second go
        });
        std::thread b([&] {
            auto connection = scratch().open();
            const bool waited = firstHolds.try_acquire_for(std::chrono::seconds(20));
            secondStarted.release();
            secondNotices_ = second(*connection);
            firstHeld_ = waited && held;
        });
        a.join();
        b.join();
        lum::setScheduleWriteHook({});
        EXPECT_TRUE(firstHeld_) << "the first never held between its checks and its write";
    }

    static Work drop(TIMETABLE_ITEM frame, int cureNo) {
        return [frame, cureNo](lum::db::Database& d) {
            TTimeTable list;
            list.Add(frame);
            return lum::BookingRules(d, lum::test::staffNameOf).LabelDragDrop(list, frame.LName, cureNo).notices;
        };
    }

    int orphans() {
        return count(QStringLiteral(
            "SELECT COUNT(*) FROM Schedule WHERE WorkingNo NOT IN (SELECT ReserveNo FROM TimeTable)"));
    }

    Notices firstNotices_, secondNotices_;
    bool firstHeld_ = false;
};

TEST_P(BookingRaceTest, TwoClientsOnTheLastSeat) {
    const int x = addClient(QStringLiteral("甲")), y = addClient(QStringLiteral("乙")),
              z = addClient(QStringLiteral("丙"));
    const TIMETABLE_ITEM group = addFrame(day(20), 1, "10:00", 60, 2);
    book(group, z);
    race(drop(group, x), drop(group, y));
    EXPECT_TRUE(firstNotices_.empty());
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::Full)});
    EXPECT_EQ(bookingsOf(group.ResNo), 2);
}

TEST_P(BookingRaceTest, OneClientTwiceOnOneFrame) {
    const int x = addClient(QStringLiteral("甲"));
    const TIMETABLE_ITEM group = addFrame(day(20), 1, "10:00", 60, 5);
    race(drop(group, x), drop(group, x));
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::AlreadyBooked)});
    EXPECT_EQ(bookingsOf(group.ResNo), 1);
}

TEST_P(BookingRaceTest, OneClientOnOverlappingFramesOfTwoStaffMembers) {
    const int x = addClient(QStringLiteral("甲"));
    const TIMETABLE_ITEM ofA = addFrame(day(20), 1, "09:00", 30, 1);
    const TIMETABLE_ITEM ofB = addFrame(day(20), 2, "09:15", 30, 1);
    race(drop(ofA, x), drop(ofB, x));
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(QStringLiteral(
                                  "スケジュールが重なっています。\n利用者 甲\n担当者 A\n09:00->30"))});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 1);
}

TEST_P(BookingRaceTest, ADropOnAFrameBeingDeleted) {
    const int x = addClient(QStringLiteral("甲")), y = addClient(QStringLiteral("乙"));
    const TIMETABLE_ITEM frame = addFrame(day(20), 1, "10:00", 60, 4);
    book(frame, y);
    const Work deleteFrame = [frame](lum::db::Database& d) {
        TScheduleData data;
        data.setDatabase(&d);
        data.Frames.Add(frame);
        data.DeleteFrame(0);
        return Notices{};
    };
    race(deleteFrame, drop(frame, x));
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::DropFailed)});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 0);
    EXPECT_EQ(orphans(), 0);
}

TEST_P(BookingRaceTest, TwoWorkstationsMakeOverlappingNewFramesForOneStaffMember) {
    // Each chart shows the day empty; only one of the two frames may be made.
    auto newFrame = [](const char* start) -> Work {
        return [start](lum::db::Database& d) {
            TIMETABLE_ITEM item;
            item.PNo = 0;
            item.LName = QStringLiteral("L0");
            item.RegistDay = TDateTime::fromYmd(2024, 2, 20);
            item.Stf = 1;
            item.StartTime = lum::test::hm(start);
            item.Fnn = 30;
            item.Cap = 1;
            TTimeTable list;
            return lum::BookingRules(d, lum::test::staffNameOf).AppendNewFrame(list, item).notices;
        };
    };
    race(newFrame("09:00"), newFrame("09:20"));
    EXPECT_TRUE(firstNotices_.empty());
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::TimeOverlap)});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 1);
}

// ---- the client month schedule

// A weekly request of a client on day 20 at 10:00 for 40 minutes, or a
// booked item of the client month schedule standing for a frame.
TREQUEST_ITEM requestItem(bool booked = false, const TIMETABLE_ITEM& frame = {}) {
    TREQUEST_ITEM item;
    item.Flag = booked;
    item.PNo = 19;
    item.LName = QStringLiteral("L0");
    item.ResNo = booked ? frame.ResNo : -1;
    item.RegistDay = TDateTime::fromYmd(2024, 2, 20);
    item.Stf = booked ? frame.Stf : -1;
    item.StartTime = booked ? frame.StartTime : lum::test::hm("10:00");
    item.Fnn = booked ? frame.Fnn : 40;
    item.Cap = booked ? frame.Cap : 1;
    return item;
}

Work dropRequest(int cureNo, int staff) {
    return [cureNo, staff](lum::db::Database& d) {
        TRequestTable items;
        items.Add(requestItem());
        return lum::BookingRules(d, lum::test::staffNameOf).RequestDragDrop(items, QStringLiteral("L0"), cureNo, staff).notices;
    };
}

TEST_P(BookingRaceTest, TwoClientsRequestsOnOneStaffMemberAndTimeWithoutAFrame) {
    const int x = addClient(QStringLiteral("甲")), y = addClient(QStringLiteral("乙"));
    race(dropRequest(x, 1), dropRequest(y, 1));
    EXPECT_TRUE(firstNotices_.empty());
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::Full)});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 1);
}

TEST_P(BookingRaceTest, TheSameRequestDroppedTwice) {
    const int x = addClient(QStringLiteral("甲"));
    race(dropRequest(x, 1), dropRequest(x, 1));
    EXPECT_EQ(secondNotices_, Notices{lum::errorNotice(text::Full)});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 1);
}

TEST_P(BookingRaceTest, AnEraseRacingACapacityRaiseAndAnotherBookingDeletesNothing) {
    const int x = addClient(QStringLiteral("甲")), y = addClient(QStringLiteral("乙"));
    const TIMETABLE_ITEM frame = addFrame(day(20), 1, "10:00", 40, 1);
    book(frame, x);
    // The other workstation makes the frame a group and books another client into it.
    const Work raiseAndBook = [frame, y](lum::db::Database& d) {
        TTimeTable list;
        list.Add(frame);
        const lum::BookingRules rules(d, lum::test::staffNameOf);
        Notices notices = rules.BoxUpdateClick(list, frame.LName, {frame.StartTime, frame.Fnn, 2}).notices;
        const Notices more = rules.LabelDragDrop(list, frame.LName, y).notices;
        notices.insert(notices.end(), more.begin(), more.end());
        return notices;
    };
    const Work erase = [frame, x](lum::db::Database& d) {
        TRequestTable items;
        items.Add(requestItem(true, frame));
        return lum::BookingRules(d, lum::test::staffNameOf).EraseRequest(items, QStringLiteral("L0"), x).notices;
    };
    race(raiseAndBook, erase);
    EXPECT_TRUE(firstNotices_.empty());
    EXPECT_EQ(secondNotices_,
              Notices{(lum::Notice{lum::MsgKind::Warning, lum::request_text::EraseOnChart, lum::MsgButton::Ok})});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 1);
    EXPECT_EQ(bookingsOf(frame.ResNo), 2);
}

TEST_P(BookingRaceTest, APasteWithBookingsAndADropOfTheSameClientAtAnOverlappingTime) {
    const int x = addClient(QStringLiteral("甲"));
    const TIMETABLE_ITEM source = addFrame(day(19), 1, "09:00", 30, 1);
    book(source, x);
    const TIMETABLE_ITEM ofB = addFrame(day(20), 2, "09:15", 30, 1);
    const Work paste = [source](lum::db::Database& d) {
        TTimeTable list;
        lum::PasteRequest request;
        request.sources = {source};
        request.column = 1;
        request.staffCode = 1;
        request.day = day(20);
        request.withBookings = true;
        return lum::BookingRules(d, lum::test::staffNameOf).PasteFrames(list, request).notices;
    };
    for (bool pasteFirst : {true, false}) {
        SCOPED_TRACE(pasteFirst);
        pasteFirst ? race(paste, drop(ofB, x)) : race(drop(ofB, x), paste);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE CureNo = ?"), {x}), 2)
            << "the source booking and one of the two, never both";
        EXPECT_TRUE(firstNotices_.empty());
        EXPECT_FALSE(secondNotices_.empty()) << "the second is refused";
        // Again from the start.
        db().execute(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo <> %1").arg(source.ResNo));
        db().execute(QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo NOT IN (%1, %2)").arg(source.ResNo).arg(ofB.ResNo));
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(BookingRaceTest);

}  // namespace
