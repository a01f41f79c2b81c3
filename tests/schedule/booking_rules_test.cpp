// The booking rules on both backends: the drop, the frame edit and the staff
// change, each case with the exact message the user gets and what is stored.
#include "schedule_fixture.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::Notice;
using lum::Notices;
using lum::TDateTime;
using lum::test::hm;
namespace text = lum::booking_text;

Notices errors(std::initializer_list<QString> texts) {
    Notices n;
    for (const QString& t : texts) n.push_back(lum::errorNotice(t));
    return n;
}

std::string describe(const Notices& notices) {
    QString out;
    for (const Notice& n : notices) out += n.text + QStringLiteral(" | ");
    return out.toStdString();
}

class BookingRulesTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        client_["plain"] = addClient(QStringLiteral("平　一郎"));
        client_["today"] = addClient(QStringLiteral("当日入所"), day(20));
        client_["tomorrow"] = addClient(QStringLiteral("翌日入所"), day(21));
        client_["outToday"] = addClient(QStringLiteral("当日退所"), day(1), day(20));
        client_["outYesterday"] = addClient(QStringLiteral("前日退所"), day(1), day(19));
        client_["member"] = addClient(QStringLiteral("集団　会員"), day(1), {}, 2, 4);
        client_["busy"] = addClient(QStringLiteral("予約　有"));
        client_["sameStaff"] = addClient(QStringLiteral("同担当"));
        client_["other1"] = addClient(QStringLiteral("他一"));
        client_["other2"] = addClient(QStringLiteral("他二"));
    }
    void frame(const char* key, int staff, const char* start, int minutes, int capacity, int column = 0) {
        const TIMETABLE_ITEM f = addFrame(day(20), staff, start, minutes, capacity, column);
        list_.Add(f);
        label_[key] = f.LName;
        frameNo_[key] = f.ResNo;
    }
    bool booked(const char* frameKey, const char* clientKey) {
        return count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE WorkingNo = ? AND CureNo = ?"),
                     {frameNo_.at(frameKey), client_.at(clientKey)}) == 1;
    }

    std::map<std::string, int> client_;
    std::map<std::string, QString> label_;
    std::map<std::string, int> frameNo_;
    TTimeTable list_;
};

TEST_P(BookingRulesTest, DropChecksInOrderAndBooksWithTheLabelsNextCaption) {
    lum::FixedClock clock(QDateTime(QDate(2024, 2, 19), QTime(16, 45, 10)));
    frame("closed", 1, "08:00", 30, 0);
    frame("free1", 1, "10:00", 30, 1);
    frame("free2", 1, "10:30", 30, 1);
    frame("free3", 1, "11:00", 30, 1);
    frame("free4", 1, "11:30", 30, 1);
    frame("free5", 1, "12:00", 30, 1);
    frame("full3", 1, "13:00", 60, 3);
    frame("two3", 1, "14:00", 60, 3);
    frame("ghost", 1, "15:00", 60, 1);
    frame("B0900", 2, "09:00", 30, 1);
    frame("A0930", 1, "09:30", 30, 1);
    frame("A0830", 1, "08:30", 30, 1);
    frame("A0915", 1, "09:15", 30, 1);
    frame("A1600", 1, "16:00", 30, 2);
    frame("A1615", 1, "16:15", 30, 1);
    for (const char* c : {"member", "other1", "other2"}) book(frameNo_["full3"], client_[c]);
    for (const char* c : {"member", "other1"}) book(frameNo_["two3"], client_[c]);
    book(frameNo_["ghost"], 99999);  // a client row deleted since
    book(frameNo_["B0900"], client_["busy"]);
    book(frameNo_["A1600"], client_["sameStaff"]);

    struct Case {
        const char* what;
        const char* frame;
        const char* client;
        QString refusal;   // empty: booked
        QString caption;   // when booked and given
    } const cases[] = {
        {"capacity 0 before any date test", "closed", "tomorrow", text::Closed, {}},
        {"admitted on the frame's day", "free1", "today", {}, QStringLiteral("10.00 -> 30分\n当日入所\n入所  個")},
        {"admitted the next day", "free2", "tomorrow", text::BeforeAdmission, {}},
        {"no discharge date", "free3", "plain", {}, {}},
        {"discharged on the frame's day", "free4", "outToday", {}, {}},
        {"discharged the day before", "free5", "outYesterday", text::AfterDischarge, {}},
        {"a full frame even for a client in it", "full3", "member", text::Full, {}},
        {"a client already in a frame with room", "two3", "member", text::AlreadyBooked, {}},
        {"a drop on a group of two shows three", "two3", "plain", {}, QStringLiteral("14.00 -> 60分\n予約 3 名\n ")},
        {"a booking of a missing client is not counted", "ghost", "plain", {}, QStringLiteral("15.00 -> 60分\n平　一郎\n入所  個")},
        {"touching the end of another staff member's booking", "A0930", "busy", {}, {}},
        {"touching its start", "A0830", "busy", {}, {}},
        {"overlapping another staff member's booking", "A0915", "busy",
         QStringLiteral("スケジュールが重なっています。\n利用者 予約　有\n担当者 B\n09:00->30"), {}},
        {"bookings with the same staff member are never compared", "A1615", "sameStaff", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const lum::DropOutcome out = rules().LabelDragDrop(list_, label_.at(c.frame), client_.at(c.client));
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(out.booked) << describe(out.notices);
            EXPECT_TRUE(out.notices.empty()) << describe(out.notices);
            EXPECT_TRUE(booked(c.frame, c.client));
            if (!c.caption.isEmpty()) {
                EXPECT_EQ(out.caption, c.caption);
            }
        } else {
            EXPECT_FALSE(out.booked);
            EXPECT_EQ(out.notices, errors({c.refusal}));
            EXPECT_FALSE(booked(c.frame, c.client) && QString::fromLatin1(c.client) != u"member");
        }
    }
    EXPECT_EQ(bookingsOf(frameNo_["full3"]), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE WorkingNo = ? AND Comment = '' AND "
                                   "CreateDate = '2024-02-19 16:45:10'"),
                    {frameNo_["free1"]}),
              1);
}

TEST_P(BookingRulesTest, DropOnAFrameGoneFromTheListOrTheDatabaseWritesNothing) {
    frame("free", 1, "10:00", 30, 1);
    const lum::DropOutcome unknown = rules().LabelDragDrop(list_, QStringLiteral("L9999"), client_["plain"]);
    EXPECT_EQ(unknown.notices, errors({text::DropFailed}));

    db().execute(QStringLiteral("DELETE FROM TimeTable"));  // another workstation deleted it
    const lum::DropOutcome gone = rules().LabelDragDrop(list_, label_["free"], client_["plain"]);
    EXPECT_FALSE(gone.booked);
    EXPECT_EQ(gone.notices, errors({text::DropFailed}));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 0) << "no orphan booking";
}

TEST_P(BookingRulesTest, DropTakesTheCapacityAsStoredNow) {
    frame("group", 1, "10:00", 60, 3);
    book(frameNo_["group"], client_["other1"]);
    db().execute(QStringLiteral("UPDATE TimeTable SET Capacity = 1"));  // lowered elsewhere
    const lum::DropOutcome out = rules().LabelDragDrop(list_, label_["group"], client_["plain"]);
    EXPECT_EQ(out.notices, errors({text::Full}));
    EXPECT_EQ(bookingsOf(frameNo_["group"]), 1);
}

TEST_P(BookingRulesTest, FrameEdit) {
    frame("a", 1, "09:00", 30, 1);
    frame("b", 1, "09:30", 30, 1);
    frame("one", 1, "11:00", 30, 1, 1);
    frame("group", 1, "13:00", 60, 3, 2);
    frame("B1100", 2, "11:20", 30, 1, 5);
    book(frameNo_["one"], client_["plain"]);
    for (const char* c : {"member", "other1", "busy"}) book(frameNo_["group"], client_[c]);
    book(frameNo_["B1100"], client_["plain"]);
    book(frameNo_["B1100"] , client_["busy"]);  // busy also with B at 11:20

    struct Case {
        const char* what;
        const char* frame;
        const char* start;
        int minutes, capacity;
        Notices notices;  // empty: changed
        QString caption;
    } const cases[] = {
        {"a one-minute overlap in the column", "b", "09:29", 30, 1, errors({text::TimeOverlap}), {}},
        {"touching the other frame", "a", "08:30", 30, 1, {}, QStringLiteral("08.30 -> 30分\n\n ")},
        {"an individual frame with a booking cannot close", "one", "11:00", 30, 0, errors({text::BelowBooked}), {}},
        {"its client would overlap another staff member",
         "one", "11:00", 40, 1,
         errors({QStringLiteral("スケジュールが重なっています。\n利用者 平　一郎\n担当者 B\n11:20->30"), text::EditRefused}),
         {}},
        {"its client still clear of the other booking", "one", "10:40", 40, 1, {},
         QStringLiteral("10.40 -> 40分\n平　一郎\n入所  個")},
        {"a group below its bookings", "group", "13:00", 60, 2, errors({text::BelowBooked}), {}},
        {"a group raised, no overlap test for groups", "group", "11:30", 20, 5, {},
         QStringLiteral("11.30 -> 20分\n予約 3 名\n ")},
        {"closing a frame without bookings", "b", "09:30", 30, 0, {}, QStringLiteral("09.30 -> 30分\n\n ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const lum::FrameRow before = *lum::FrameStore(db()).find(frameNo_.at(c.frame));
        const lum::EditOutcome out =
            rules().BoxUpdateClick(list_, label_.at(c.frame), {hm(c.start), c.minutes, c.capacity});
        EXPECT_EQ(out.notices, c.notices) << describe(out.notices);
        const lum::FrameRow after = *lum::FrameStore(db()).find(frameNo_.at(c.frame));
        const TIMETABLE_ITEM listed = list_.GetItem(list_.IndexOf(label_.at(c.frame)));
        if (c.notices.empty()) {
            EXPECT_TRUE(out.changed);
            EXPECT_EQ(out.caption, c.caption);
            EXPECT_EQ(after.StartTime, hm(c.start));
            EXPECT_EQ(after.WorkingMin, c.minutes);
            EXPECT_EQ(after.Capacity, c.capacity);
            EXPECT_EQ(lum::frameRowOf(listed), after);
        } else {
            EXPECT_FALSE(out.changed);
            EXPECT_EQ(after, before);
            EXPECT_EQ(lum::frameRowOf(listed), before);
        }
    }
}

TEST_P(BookingRulesTest, FrameEditSeesWhatOthersStoredSinceTheLoad) {
    frame("a", 1, "09:00", 30, 1);
    addFrame(day(20), 1, "09:30", 30, 1);  // added on another workstation: not in our list
    EXPECT_EQ(rules().BoxUpdateClick(list_, label_["a"], {hm("09:00"), 40, 1}).notices, errors({text::TimeOverlap}));

    db().execute(QStringLiteral("UPDATE TimeTable SET Capacity = 4 WHERE StartTime = '1899-12-30 09:00:00'"));
    const lum::EditOutcome out = rules().BoxUpdateClick(list_, label_["a"], {hm("08:00"), 30, 2});
    EXPECT_EQ(out.notices, (Notices{lum::abortNotice(text::KeyRecordError), lum::errorNotice(text::UpdateFailed)}));
    EXPECT_EQ(lum::FrameStore(db()).find(frameNo_["a"])->Capacity, 4);
    EXPECT_EQ(rules().BoxUpdateClick(list_, QStringLiteral("L0"), {hm("08:00"), 30, 2}).notices,
              errors({text::FrameNotFound}));
}

TEST_P(BookingRulesTest, StaffChange) {
    frame("a", 1, "09:00", 30, 1);
    frame("B", 2, "09:30", 30, 1, 3);
    book(frameNo_["a"], client_["plain"]);

    struct Case {
        const char* what;
        TDateTime dayTo;
        int staff;
        const char* start;
        int minutes;
        Notices notices;
    } const cases[] = {
        {"within its own old span, same staff and day", day(20), 1, "09:10", 30, errors({text::TimeOverlap})},
        {"onto another staff member's frame", day(20), 2, "09:15", 30, errors({text::TimeOverlap})},
        {"touching another staff member's frame", day(20), 2, "09:00", 30, {}},
        {"to another day", day(21), 2, "10:00", 45, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const lum::FrameRow before = *lum::FrameStore(db()).find(frameNo_["a"]);
        const lum::StaffChangeOutcome out =
            rules().TantouChangeMenuClick(list_, label_["a"], {c.dayTo, c.staff, hm(c.start), c.minutes});
        EXPECT_EQ(out.notices, c.notices) << describe(out.notices);
        const lum::FrameRow after = *lum::FrameStore(db()).find(frameNo_["a"]);
        if (c.notices.empty()) {
            EXPECT_TRUE(out.changed);
            EXPECT_EQ(after, (lum::FrameRow{frameNo_["a"], c.dayTo, c.staff, hm(c.start), c.minutes, 1}));
            EXPECT_EQ(lum::frameRowOf(out.frame), after);
        } else {
            EXPECT_EQ(after, before);
        }
    }
    EXPECT_TRUE(booked("a", "plain")) << "the bookings move with the frame";
    EXPECT_EQ(rules().TantouChangeMenuClick(list_, QStringLiteral("L0"), {day(20), 1, hm("09:00"), 30}).notices,
              errors({text::FrameNotFound}));
}

TEST_P(BookingRulesTest, AFailedStaffTimeTableCheckSaysSoAndCountsAsFailed) {
    frame("a", 1, "09:00", 30, 1);
    Notices notices;
    EXPECT_EQ(rules().CheckStaffTimeTable(list_.GetItem(0), notices), lum::CheckAnswer::Yes);
    EXPECT_TRUE(notices.empty());
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    db().execute(QStringLiteral("DROP TABLE TimeTable"));
    EXPECT_EQ(rules().CheckStaffTimeTable(list_.GetItem(0), notices), lum::CheckAnswer::Failed);
    EXPECT_EQ(notices, errors({text::StaffCheckFailed}));
}

TEST(FrameOverlapInAColumn, OnlyTheListsFramesOfThatColumnOtherThanTheExcludedOne) {
    TTimeTable list;
    auto add = [&](int column, int start, int minutes) {
        TIMETABLE_ITEM i;
        i.PNo = column;
        i.LName = QStringLiteral("L%1").arg(list.Count());
        i.StartTime = lum::timeOfDay(start);
        i.Fnn = minutes;
        list.Add(i);
    };
    add(0, 540, 30);
    add(1, 560, 30);
    EXPECT_TRUE(lum::BookingRules::CheckFrameOverlap(list, 0, 30, -1, lum::timeOfDay(569)));
    EXPECT_FALSE(lum::BookingRules::CheckFrameOverlap(list, 0, 30, -1, lum::timeOfDay(570)));
    EXPECT_FALSE(lum::BookingRules::CheckFrameOverlap(list, 0, 30, -1, lum::timeOfDay(510)));
    EXPECT_FALSE(lum::BookingRules::CheckFrameOverlap(list, 0, 30, 0, lum::timeOfDay(545)));
    EXPECT_TRUE(lum::BookingRules::CheckFrameOverlap(list, 1, 30, 0, lum::timeOfDay(545)));
}

LUM_INSTANTIATE_DATABASE_TESTS(BookingRulesTest);

}  // namespace
