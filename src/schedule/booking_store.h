#pragma once
// The Schedule table: one client booked into one frame (WorkingNo is the
// frame's ReserveNo). A frame's bookings are counted and listed through the
// join with Person, so a booking whose client row is gone is not counted;
// deleting by frame reaches those too. Works inside a caller's transaction;
// writes belong in a ScheduleWriteTransaction. Throws db::DbError on a
// database failure.
#include "common/datetime.h"
#include "platform/db/database.h"
#include "schedule/timetable_items.h"

#include <QString>

#include <map>
#include <vector>

namespace lum {

// A booking of a frame with its client (the rows of ReserveQuery).
struct FrameBooking {
    int ScheduleNo = 0;
    int WorkingNo = 0;
    int CureNo = 0;
    QString Name;
    int RihaType = -1;
    int KubunCode = 0;
};

// A client's booking with its frame (the rows of DoubleCheckQuery).
struct ClientFrameBooking {
    int ScheduleNo = 0;
    int CureNo = 0;
    TDateTime ReserveDay;
    int StuffCode = 0;
    TDateTime StartTime;
    int WorkingMin = 0;
};

// What a frame label shows of a frame's bookings: how many (of clients that
// exist) and the client of the first one (lowest ScheduleNo).
struct FrameBookingSummary {
    int WorkingNo = 0;
    int Count = 0;
    QString Name;
    int RihaType = -1;
    int KubunCode = 0;
};
// By WorkingNo; frames without bookings are absent.
using FrameBookingSummaries = std::map<int, FrameBookingSummary>;

// A client's booking of a month with its frame and the staff member's name
// (the rows of the client month schedule; empty name for a staff member no
// longer listed).
struct ClientMonthBooking {
    int ScheduleNo = 0;
    int WorkingNo = 0;
    int CureNo = 0;
    TDateTime ReserveDay;
    int StuffCode = 0;
    TDateTime StartTime;
    int WorkingMin = 0;
    int Capacity = 0;
    QString StuffName;
};

// A booking as the frame bookings dialog lists it (ScheduleDispQuery).
struct BookingListRow {
    int ScheduleNo = 0;
    int WorkingNo = 0;
    int CureNo = 0;
    QString Name;
    int Sex = 0;
    TDateTime Birth;
    TDateTime NYUSHOBI_YMD;
    TDateTime TAISHOBI_YMD;
    int RihaType = -1;
    int KubunCode = 0;
    QString Comment;
    TDateTime CreateDate;
};

// A booking as the booking lists show and print it: the frame, the client
// and the staff member's name (empty when the staff member is no longer
// listed).
struct AttendRow {
    int ScheduleNo = 0;
    int WorkingNo = 0;
    int RihaType = -1;
    TDateTime ReserveDay;
    int StuffCode = 0;
    TDateTime NYUSHOBI_YMD;
    int KubunCode = 0;
    bool HasStartTime = false;
    TDateTime StartTime;
    int WorkingMin = 0;
    int Capacity = 0;
    int CureNo = 0;
    QString Name;
    int Sex = 0;
    TDateTime Birth;
    QString StuffName;
};

// Which bookings a list holds: those of one staff member or of one client
// (the other left at -1) in frames of the days [first, end).
struct AttendCriteria {
    int StuffCode = -1;
    int CureNo = -1;
    DateRange Days;
};

// One booking's client and day (the booking summary's marks).
struct ClientBookingDay {
    int CureNo = 0;
    TDateTime ReserveDay;
};

// The longest booking comment the table holds, in characters.
inline constexpr int BookingCommentLength = 255;

class BookingStore {
public:
    explicit BookingStore(db::Database& db) : db_(db) {}

    // The frame's bookings of clients that exist, in ScheduleNo order.
    std::vector<FrameBooking> frameBookings(int workingNo) const;
    int countFrameBookings(int workingNo) const;
    bool isBooked(int workingNo, int cureNo) const;
    // Every Schedule row of the frame, with or without a client row.
    int countAllRows(int workingNo) const;
    // The client's bookings in frames of that day, in start order.
    std::vector<ClientFrameBooking> clientBookingsOnDay(int cureNo, TDateTime day) const;
    std::vector<BookingListRow> listRows(int workingNo) const;
    // The bookings of a list, in the order day, staff code, start time.
    std::vector<AttendRow> attendRows(const AttendCriteria& criteria) const;
    // Every booking of a client that exists in frames of the days, in the
    // order client, day: the whole month of the summary in one statement.
    std::vector<ClientBookingDay> clientBookingDays(const DateRange& days) const;
    // The client's bookings in frames of the month of monthStart (its days
    // from the first to the next month's first, that one excluded), in the
    // order ReserveDay, StartTime; every staff code, listed or not.
    std::vector<ClientMonthBooking> clientMonthBookings(int cureNo, TDateTime monthStart) const;
    // The frame's Schedule rows of clients other than cureNo, with or without a client row.
    int countOtherClients(int workingNo, int cureNo) const;
    // The booking summaries of every frame a board shows, each in one
    // statement however many frames there are: one staff member's frames
    // from firstDay to lastDay (both included), or every frame of one day.
    FrameBookingSummaries staffFrameSummaries(int staffCode, TDateTime firstDay, TDateTime lastDay) const;
    FrameBookingSummaries dayFrameSummaries(TDateTime day) const;

    // Inserts a booking; returns its ScheduleNo.
    int insert(const TSCHEDULE_ITEM& booking) const;
    // False when the booking was already gone.
    bool remove(int scheduleNo) const;
    // Deletes every booking of the frame; returns how many.
    int removeAllOfFrame(int workingNo) const;
    // False when the booking is gone. The text must fit BookingCommentLength.
    bool setComment(int scheduleNo, const QString& comment) const;

private:
    FrameBookingSummaries summaries(const QString& frameCondition,
                                    const std::vector<std::pair<QString, QVariant>>& values) const;
    db::Database& db_;
};

}  // namespace lum
