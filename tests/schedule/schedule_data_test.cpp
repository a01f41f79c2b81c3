// The frames store and the data module on both backends: loading a staff
// range and a day, numbers never re-used, a rewrite only of a row still as
// loaded, and a delete that is all or nothing.
#include "schedule/schedule_data.h"
#include "schedule_fixture.h"

#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

using lum::TDateTime;
using lum::test::hm;

class ScheduleDataTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        data_.setDatabase(&db());
    }
    TScheduleData data_;
};

TEST_P(ScheduleDataTest, LoadsAStaffRangeWithColumnsZeroToThirtyInDayAndTimeOrder) {
    const TDateTime first = TDateTime::fromYmd(2024, 2, 20);
    EXPECT_TRUE(data_.LoadStaffFrames(5, first, first.addDays(30)));
    EXPECT_EQ(data_.FrameCount(), 0) << "no frames: true and an empty list";

    addFrame(first.addDays(30), 5, "09:00", 30, 1);      // 21 March: column 30
    addFrame(first, 5, "10:00", 30, 1);
    addFrame(first, 5, "09:00", 30, 1);
    addFrame(first.addDays(31), 5, "09:00", 30, 1);      // past the range
    addFrame(first.addDays(-1), 5, "09:00", 30, 1);      // before it
    addFrame(first.addDays(3), 6, "09:00", 30, 1);       // another staff member
    // A day stored with a time of day still belongs to its day.
    db().execute(QStringLiteral("UPDATE TimeTable SET ReserveDay = '2024-02-23 10:00:00' WHERE StuffCode = 6"));
    addFrame(first.addDays(3), 5, "13:30", 40, 8);

    ASSERT_TRUE(data_.LoadStaffFrames(5, first, first.addDays(30)));
    ASSERT_EQ(data_.FrameCount(), 4);
    const int columns[] = {0, 0, 3, 30};
    const int starts[] = {9 * 60, 10 * 60, 13 * 60 + 30, 9 * 60};
    for (int i = 0; i < 4; ++i) {
        const TIMETABLE_ITEM f = data_.GetFrame(i);
        EXPECT_EQ(f.PNo, columns[i]) << i;
        EXPECT_EQ(lum::minutesOfDay(f.StartTime), starts[i]) << i;
        EXPECT_EQ(f.LName, QStringLiteral("L%1").arg(i));
        EXPECT_EQ(f.Stf, 5);
    }
    EXPECT_EQ(data_.GetFrame(2).Cap, 8);
    EXPECT_EQ(data_.GetFrame(3).RegistDay, TDateTime::fromYmd(2024, 3, 21));

    ASSERT_TRUE(data_.LoadDayFrames(first.addDays(3)));
    ASSERT_EQ(data_.FrameCount(), 2) << "every staff member of the day";
    EXPECT_EQ(data_.GetFrame(1).Stf, 6);
    EXPECT_EQ(data_.GetFrame(1).PNo, -1) << "no column until the day board gives one";
    EXPECT_TRUE(data_.SetFramePNo(QStringLiteral("L1"), 4));
    EXPECT_EQ(data_.GetFrame(data_.IndexOfFrame(QStringLiteral("L1"))).PNo, 4);
}

TEST_P(ScheduleDataTest, AppendGivesNumbersThatAreNeverUsedAgain) {
    TIMETABLE_ITEM item;
    item.PNo = 2;
    item.LName = QStringLiteral("L7");
    item.RegistDay = TDateTime::fromYmdHms(2024, 2, 22, 15, 10);  // the time part is not stored
    item.Stf = 3;
    item.StartTime = hm("09:30");
    item.Fnn = 40;
    item.Cap = 1;
    const int first = data_.AppendFrame(item);
    EXPECT_EQ(data_.AppendFrame(item), -1) << "never over a stored frame of the staff member's day";
    item.StartTime = hm("10:10");
    const int second = data_.AppendFrame(item);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first);
    EXPECT_EQ(data_.FrameCount(), 2);
    EXPECT_EQ(data_.GetFrame(1).ResNo, second);
    EXPECT_EQ(data_.GetFrame(1).LName, QStringLiteral("L7"));
    EXPECT_EQ(data_.GetFrame(1).RegistDay, TDateTime::fromYmd(2024, 2, 22));

    data_.DeleteFrame(1);  // the highest number
    const int third = data_.AppendFrame(item);
    EXPECT_GT(third, second) << "a deleted frame's number would attach old results and bookings";
    ASSERT_TRUE(data_.LoadDayFrames(TDateTime::fromYmd(2024, 2, 22)));
    EXPECT_EQ(data_.FrameCount(), 2);
}

TEST_P(ScheduleDataTest, RewritesOnlyARowStillAsLoaded) {
    const TIMETABLE_ITEM frame = addFrame(day(5), 3, "09:00", 30, 1);
    ASSERT_TRUE(data_.LoadDayFrames(day(5)));
    TIMETABLE_ITEM changed = data_.GetFrame(0);
    changed.StartTime = hm("11:00");
    changed.Cap = 3;
    ASSERT_TRUE(data_.UpdateFrame(changed, 0));
    EXPECT_EQ(lum::FrameStore(db()).find(frame.ResNo)->Capacity, 3);
    EXPECT_EQ(data_.GetFrame(0).Cap, 3);

    // A second workstation changes the capacity after our load.
    auto other = scratch().open();
    other->execute(QStringLiteral("UPDATE TimeTable SET Capacity = 5"));
    changed.Fnn = 60;
    lum::ScriptedDialogs d;
    d.expect(lum::MsgKind::Error, QStringLiteral("SystemError : TimeTable KeyRecord error "), lum::MsgButton::Abort);
    EXPECT_FALSE(data_.UpdateFrame(changed, 0));
    const auto stored = lum::FrameStore(db()).find(frame.ResNo);
    EXPECT_EQ(stored->Capacity, 5) << "the other workstation's change stays";
    EXPECT_EQ(stored->WorkingMin, 30);
    EXPECT_EQ(data_.GetFrame(0).Fnn, 30);

    // Deleted elsewhere: the same message, nothing written.
    other->execute(QStringLiteral("DELETE FROM TimeTable"));
    d.expect(lum::MsgKind::Error, QStringLiteral("SystemError : TimeTable KeyRecord error "), lum::MsgButton::Abort);
    EXPECT_FALSE(data_.UpdateFrame(changed, 0));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")), 0);
}

TEST_P(ScheduleDataTest, DeleteTakesTheBookingsWithItOrChangesNothing) {
    const int client1 = addClient(QStringLiteral("一"));
    const int client2 = addClient(QStringLiteral("二"));
    const TIMETABLE_ITEM frame = addFrame(day(5), 3, "10:00", 60, 8);
    const TIMETABLE_ITEM kept = addFrame(day(5), 3, "13:00", 60, 8);
    book(frame, client1);
    book(frame, client2);
    book(kept, client1);
    ASSERT_TRUE(data_.LoadDayFrames(day(5)));

    // A delete that fails half-way leaves frame and bookings as they were.
    if (isSqlite()) {
        db().execute(QStringLiteral(
            "CREATE TRIGGER RefuseFrameDelete BEFORE DELETE ON TimeTable BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else {
        db().execute(QStringLiteral(
            "CREATE FUNCTION refuse_delete() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ "
            "LANGUAGE plpgsql"));
        db().execute(QStringLiteral("CREATE TRIGGER RefuseFrameDelete BEFORE DELETE ON TimeTable FOR EACH ROW "
                                    "EXECUTE FUNCTION refuse_delete()"));
    }
    EXPECT_THROW(data_.DeleteFrame(0), lum::db::DbError);
    EXPECT_EQ(bookingsOf(frame.ResNo), 2);
    EXPECT_TRUE(lum::FrameStore(db()).find(frame.ResNo).has_value());
    EXPECT_EQ(data_.FrameCount(), 2);
    EXPECT_FALSE(db().inTransaction());

    db().execute(isSqlite() ? QStringLiteral("DROP TRIGGER RefuseFrameDelete")
                            : QStringLiteral("DROP TRIGGER RefuseFrameDelete ON TimeTable"));
    data_.DeleteFrame(0);  // no prompt
    EXPECT_EQ(bookingsOf(frame.ResNo), 0);
    EXPECT_FALSE(lum::FrameStore(db()).find(frame.ResNo).has_value());
    EXPECT_EQ(bookingsOf(kept.ResNo), 1);
    EXPECT_EQ(data_.FrameCount(), 1);
    EXPECT_EQ(data_.GetFrame(0).ResNo, kept.ResNo);
}

LUM_INSTANTIATE_DATABASE_TESTS(ScheduleDataTest);

}  // namespace
