#pragma once
// The frames a chart holds, as records and owned lists:
// - TIMETABLE_ITEM: one time frame (a TimeTable row) with its place on the
//   chart (column PNo, label name LName);
// - TREQUEST_ITEM: one booking or weekly request of the client month
//   schedule (Flag: a Schedule row exists);
// - TSCHEDULE_ITEM: one Schedule row to insert.
// TTimeTable and TRequestTable keep their own copies of every record added
// and hand out copies, never references into the list.
#include "common/datetime.h"

#include <QString>

#include <vector>

struct TIMETABLE_ITEM {
    int PNo = 0;           // column on the chart: day (staff work chart) or staff (day board), 0..30
    QString LName;         // label name "L" + number, unique within the chart
    int ResNo = -1;        // TimeTable.ReserveNo
    lum::TDateTime RegistDay;  // TimeTable.ReserveDay (date only)
    int Stf = 0;           // TimeTable.StuffCode
    lum::TDateTime StartTime;  // TimeTable.StartTime (a time of day on 1899-12-30)
    int Fnn = 0;           // TimeTable.WorkingMin
    int Cap = 0;           // TimeTable.Capacity: 0 closed, 1 individual, 2 and more a group

    bool operator==(const TIMETABLE_ITEM&) const = default;
};

struct TREQUEST_ITEM {
    bool Flag = false;  // True: booked (a Schedule row exists); False: a request without a frame
    int PNo = 0;        // day column of the client month schedule
    QString LName;
    int ResNo = -1;
    lum::TDateTime RegistDay;
    int Stf = 0;
    lum::TDateTime StartTime;
    int Fnn = 0;
    int Cap = 0;

    bool operator==(const TREQUEST_ITEM&) const = default;
};

struct TSCHEDULE_ITEM {
    int WorkingNo = 0;  // the frame's ReserveNo
    int CureNo = 0;
    QString Comment;
    lum::TDateTime CreateDate;
};

class TTimeTable {
public:
    void Clear() { items_.clear(); }
    int Add(const TIMETABLE_ITEM& item);
    // The first item whose LName is name exactly; -1 when none.
    int IndexOf(const QString& name) const;
    // Overwrites RegistDay, Stf, StartTime, Fnn and Cap of item i; keeps its
    // PNo, LName and ResNo.
    void UpdateItem(int i, const TIMETABLE_ITEM& item);
    // False when no item has that name.
    bool SetPNo(const QString& name, int column);
    void Delete(int i);
    // A copy; std::out_of_range for an index outside the list.
    TIMETABLE_ITEM GetItem(int i) const { return items_.at(static_cast<size_t>(i)); }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<TIMETABLE_ITEM> items_;
};

class TRequestTable {
public:
    void Clear() { items_.clear(); }
    int Add(const TREQUEST_ITEM& item);
    int IndexOf(const QString& name) const;
    // Overwrites Flag, ResNo, RegistDay, Stf, StartTime, Fnn and Cap; keeps PNo and LName.
    void UpdateItem(int i, const TREQUEST_ITEM& item);
    // Replaces the whole record.
    void ReplaceItem(int i, const TREQUEST_ITEM& item);
    void Delete(int i);
    TREQUEST_ITEM GetItem(int i) const { return items_.at(static_cast<size_t>(i)); }
    int Count() const { return static_cast<int>(items_.size()); }

    // Whether an item on the same day of the month as day (only the day
    // number is compared: the list holds one month) overlaps the span from
    // start for minutes.
    bool OverlapsOnDay(lum::TDateTime day, lum::TDateTime start, int minutes) const;

private:
    std::vector<TREQUEST_ITEM> items_;
};
