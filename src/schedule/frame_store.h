#pragma once
// The TimeTable table: one bookable time frame of one staff member on one
// day. Every statement works inside a caller's transaction as well as on its
// own; writes belong in a ScheduleWriteTransaction. Days are matched through
// lum::dayRange (a day is [00:00, next 00:00)), never by exact date-time;
// frames come in the order ReserveDay, StartTime, ReserveNo. Throws
// db::DbError on a database failure.
#include "common/datetime.h"
#include "platform/db/database.h"
#include "schedule/timetable_items.h"

#include <optional>
#include <vector>

namespace lum {

struct FrameRow {
    int ReserveNo = -1;
    TDateTime ReserveDay;  // date only
    int StuffCode = 0;
    TDateTime StartTime;   // time of day on 1899-12-30
    int WorkingMin = 0;
    int Capacity = 0;

    bool operator==(const FrameRow&) const = default;
};

// The row of a list item and back (the item's PNo and LName stay as given).
FrameRow frameRowOf(const TIMETABLE_ITEM& item);
TIMETABLE_ITEM frameItemOf(const FrameRow& row, int column = 0, const QString& labelName = {});
// As it is stored: the day without its time, the start on 1899-12-30 to the minute.
FrameRow normalizedFrame(FrameRow row);

class FrameStore {
public:
    explicit FrameStore(db::Database& db) : db_(db) {}

    // One staff member's frames from firstDay to lastDay, both days included.
    std::vector<FrameRow> staffFrames(int staffCode, TDateTime firstDay, TDateTime lastDay) const;
    // Every staff member's frames of one day.
    std::vector<FrameRow> dayFrames(TDateTime day) const;
    // One staff member's frames of one day in start order (the stored
    // frames a frame of that staff member and day must not overlap).
    std::vector<FrameRow> staffDayFrames(int staffCode, TDateTime day) const;
    std::optional<FrameRow> find(int reserveNo) const;
    // The first stored frame of the row's staff member and day (in start
    // order) whose span overlaps the row's, other than the row itself (its
    // ReserveNo); the one test every new, pasted or changed frame meets
    // inside its write transaction.
    std::optional<FrameRow> overlapping(const FrameRow& row) const;

    // Inserts the row as normalizedFrame() gives it; returns its new ReserveNo.
    int insert(const FrameRow& row) const;
    // Rewrites the row numbered loaded.ReserveNo with the values of changed
    // (normalised), only when it is still exactly as loaded; false (and no
    // change) when it is gone or was changed by someone else.
    bool rewrite(const FrameRow& loaded, const FrameRow& changed) const;
    // Deletes the frame's bookings and then the frame; false when the frame
    // was already gone (its bookings are deleted all the same).
    bool remove(int reserveNo) const;

private:
    std::vector<FrameRow> select(const QString& where, const std::vector<std::pair<QString, QVariant>>& values,
                                 const QString& orderBy) const;
    db::Database& db_;
};

}  // namespace lum
