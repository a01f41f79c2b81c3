#pragma once
// The data module of the boards: the frame list of the chart on show (a
// TTimeTable) with loading, appending, rewriting and deleting frames. Both
// boards share it; only the board on show uses it. Every write runs in a
// ScheduleWriteTransaction, and the list changes only after commit.
#include "common/datetime.h"
#include "platform/db/database.h"
#include "schedule/frame_store.h"
#include "schedule/timetable_items.h"

#include <QObject>

#include <functional>

class TScheduleData : public QObject {
    Q_OBJECT
public:
    explicit TScheduleData(QObject* parent = nullptr);

    void ClearFrames() { Frames.Clear(); }
    // The frames of one staff member from firstDay to lastDay (both
    // included): PNo = days from firstDay, LName = "L" + index. False (the
    // list as it was) when they could not be read.
    bool LoadStaffFrames(int staffCode, lum::TDateTime firstDay, lum::TDateTime lastDay);
    // Every frame of one day, PNo -1 (no column; the day board sets the
    // columns of the frames it shows).
    bool LoadDayFrames(lum::TDateTime day);
    // Inserts a frame from the item and adds the item, with its new number,
    // to the list; returns that ReserveNo, or -1 when nothing was inserted:
    // the frame would overlap a stored frame of its staff member that day, or
    // the insert failed (a transaction that cannot begin says so; callers
    // show the rest).
    int AppendFrame(TIMETABLE_ITEM item);
    // Rewrites the row of list item i with the item's day, staff member,
    // start, minutes and capacity, only when the row is still as list item i
    // holds it: else "SystemError : TimeTable KeyRecord error " and false.
    bool UpdateFrame(const TIMETABLE_ITEM& item, int i);
    // Deletes the frame of list item i with all its bookings in one
    // transaction, without a prompt, and then the item. A database failure
    // changes nothing and is thrown (db::DbError) for the default handler.
    void DeleteFrame(int i);

    int IndexOfFrame(const QString& name) const { return Frames.IndexOf(name); }
    TIMETABLE_ITEM GetFrame(int i) const { return Frames.GetItem(i); }
    int FrameCount() const { return Frames.Count(); }
    bool SetFramePNo(const QString& name, int column) { return Frames.SetPNo(name, column); }

    // The list itself, for the booking rules (lum::BookingRules).
    TTimeTable Frames;

    // The database it works on: the facility database unless one is set
    // (tests, or a thread with its own connection).
    void setDatabase(lum::db::Database* database) { database_ = database; }
    lum::db::Database& database() const;

private:
    void Load(const std::vector<lum::FrameRow>& rows, const std::function<int(const lum::FrameRow&)>& column);
    lum::db::Database* database_ = nullptr;
};

extern TScheduleData* ScheduleData;

namespace lum {
// The data module of the run, created on first use when the start-up list
// has not made one.
TScheduleData& scheduleData();
}  // namespace lum
