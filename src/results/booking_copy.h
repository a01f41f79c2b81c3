#pragma once
// The copy of bookings into treatment results: the bookings of a range of
// days (one staff member's or everyone's) joined with their frames and
// clients (CopyToResultsQuery), the result each one gives, and the copy of
// the chosen ones in one transaction.
//
// A booking's result is found again by its frame and client (ReserveNo,
// CureNo; unique since migration 3). Inside the transaction each booking is
// looked up and then overwritten (every column but Comment), skipped, or
// added; the first failure undoes the whole copy, so a failure, a second run
// or a second workstation never leaves half a range or a result twice.
#include "app/staff_list.h"
#include "clients/person.h"
#include "common/datetime.h"
#include "platform/db/database.h"
#include "results/cure_result.h"
#include "results/writer_stamp.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace lum {

// One row of CopyToResultsQuery: a booking, its frame and its client.
struct BookingToCopy {
    int ScheduleNo = 0;
    int ReserveNo = 0;       // the frame
    TDateTime ReserveDay;
    int StuffCode = 0;
    TDateTime StartTime;     // a time of day on the empty date
    int WorkingMin = 0;
    int CureNo = 0;
    QString Comment;         // the booking's; never carried over
    TPerson Client;          // the snapshot columns and the client's type and categories

    bool operator==(const BookingToCopy&) const = default;
};

// The bookings whose frame lies on firstDay .. lastDay (both included; any
// time of day counts for its day), of one staff member or of everyone, in
// ReserveDay, StartTime, Kana, ScheduleNo order. A booking whose frame or
// client row is missing is not listed. Throws db::DbError.
std::vector<BookingToCopy> ListBookingsToCopy(db::Database& database, TDateTime firstDay, TDateTime lastDay,
                                              std::optional<int> staffCode);

// The result a booking gives: the frame's day, number, staff member (name
// and symbol from the staff list, empty when the code is not in it), start
// and minutes as planned and as done, the client's snapshot and categories
// with their flags, the writer's stamp. Comment stays null (not written).
CureResult CopiedResult(const BookingToCopy& booking, const std::vector<StaffMember>& staff,
                        const WriterStamp& stamp);

enum class CopyMode { Overwrite, Skip };

struct CopyOutcome {
    bool done = false;  // committed; otherwise nothing was written
    int added = 0;
    int overwritten = 0;
    int skipped = 0;
    QString message;    // why it failed, for the error box
};

// "*** System Error 結果テーブル オープンエラー" (no transaction), "… サーチエラー"
// (the look-up), "…（更新）" (an overwrite), "…（追加）" (an insert).
namespace copy_text {
inline const QString OpenError = QStringLiteral("*** System Error 結果テーブル オープンエラー");
inline const QString SearchError = QStringLiteral("*** System Error 結果テーブル サーチエラー");
inline const QString UpdateError = QStringLiteral("*** System Error 結果テーブル（更新）");
inline const QString AppendError = QStringLiteral("*** System Error 結果テーブル（追加）");
}  // namespace copy_text

// Copies the bookings in the order given, in one transaction; progress(n)
// after the n-th booking. On the first failure everything is undone and the
// message is the failure's text followed by the database's words.
CopyOutcome CopyBookingsToResults(db::Database& database, const std::vector<BookingToCopy>& bookings, CopyMode mode,
                                  const std::vector<StaffMember>& staff, const WriterStamp& stamp,
                                  const std::function<void(int)>& progress = {});

}  // namespace lum
