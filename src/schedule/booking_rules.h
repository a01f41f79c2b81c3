#pragma once
// The booking rules of the boards, without widgets: the three tests and the
// three operations the staff work chart, the day board and the client month
// schedule run when a client is dropped on a frame, a frame's time or
// capacity is edited, or a frame moves to another staff member, day or time.
//
// Each operation checks and writes in one ScheduleWriteTransaction, on the
// rows as they are inside it (the frame and the client re-read, bookings
// counted afresh), so what two workstations do at once is decided one after
// the other. Nothing is shown inside: the outcome lists the messages (kind
// and text, word for word) for the caller to show with showNotices(), and the
// frame list changes only after commit.
#include "common/datetime.h"
#include "platform/db/database.h"
#include "schedule/schedule_notice.h"
#include "schedule/timetable_items.h"

#include <QString>

#include <functional>
#include <vector>

namespace lum {

// The messages of the rules.
namespace booking_text {
inline const QString DropFailed = QStringLiteral("System Error ドロップに失敗しました。");
inline const QString Closed = QStringLiteral("予約はできません。");
inline const QString BeforeAdmission = QStringLiteral("入所日(開始日)より前の日付けで予約はできません。");
inline const QString AfterDischarge = QStringLiteral("退所日(終了日)より後の日付けで予約はできません。");
inline const QString Full = QStringLiteral("制限人数以上は予約できません。");
inline const QString AlreadyBooked = QStringLiteral("既に予約されています。");
inline const QString BeginFailed = QStringLiteral("System Error サーバーの登録開始に失敗しました。");
inline const QString InsertFailed = QStringLiteral("System Error スケジュールの登録に失敗しました。");
inline const QString FrameNotFound = QStringLiteral("System Error 予約確認に失敗しました。");
inline const QString TimeOverlap = QStringLiteral("時間が重複しています。");
inline const QString BelowBooked = QStringLiteral("予約済み人数以下には設定できません。");
inline const QString EditRefused = QStringLiteral("時間枠の変更ができませんでした。予約を変更して下さい。");
inline const QString UpdateFailed = QStringLiteral("System Error 予約の修正に失敗しました。");
inline const QString StaffCheckFailed = QStringLiteral("System Error 時刻表の確認に失敗しました。");
inline const QString KeyRecordError = QStringLiteral("SystemError : TimeTable KeyRecord error ");
inline const QString FrameOpenFailed =
    QStringLiteral("時間割表のオープンで失敗しました。\n他の人が使用している可能性があります。");
inline const QString FrameAppendFailed = QStringLiteral("時間割表の枠取りに失敗しました。");
// The clipboard's pastes and the day board's staff columns.
inline const QString TimeOverlapSkipped = QStringLiteral("時間が重複しています。\nこの時限枠を無視します。");
inline const QString PasteBeforeAdmission = QStringLiteral("入所(開始)日より前の日付けで予約はできません。");
inline const QString PasteBeforePlanDay = QStringLiteral("計画日より前の日付けで予約はできません。");
inline const QString PasteAfterDischarge = QStringLiteral("退所(終了)日より後の日付けで予約はできません。");
inline const QString StaffUnknown = QStringLiteral("*** System Error スタッフを特定できません。");
inline const QString StaffConfirmFailed = QStringLiteral("*** System Error 担当者確認に失敗しました。");
// A refused pasted booking: "CureNo  Name 様\n" + the rule's text.
QString refusedClient(int cureNo, const QString& name, const QString& text);
// "スケジュールが重なっています。\n利用者 NAME\n担当者 STAFF\nhh:mm->minutes"
QString clientOverlap(const QString& clientName, const QString& staffName, TDateTime start, int minutes);
}  // namespace booking_text

// The messages of the client month schedule's own rules.
namespace request_text {
inline const QString Booked = QStringLiteral("予約済みです。");
inline const QString NoRoom = QStringLiteral("予約できません。(時限に空きがありません)");
inline const QString StaffCheckFailed = QStringLiteral("System Error 担当者の確認に失敗しました。");
inline const QString FrameError = QStringLiteral("*** System Error 時限エラー");
inline const QString BeginFailed = QStringLiteral("*** System Error サーバーの登録開始に失敗しました。");
inline const QString InsertFailed = QStringLiteral("*** System Error スケジュールの登録に失敗しました。");
inline const QString NotFound = QStringLiteral("*** System Error 時間枠が見つかりません。");
inline const QString EraseOnChart = QStringLiteral("介護担当者作業表で消去してください。");
inline const QString EraseFailed = QStringLiteral("*** System Error 時間枠の消去に失敗しました。");
inline const QString ItemNotFound = QStringLiteral("*** System Error 予定確認に失敗しました。");
inline const QString ChangeCancelled = QStringLiteral("変更要求を取り消しました。");
inline const QString GroupOnChart = QStringLiteral("集団スタッフの変更は、介護担当者作業表で行ってください。");
inline const QString StaffBusy = QStringLiteral("スタッフに空きがありません。");
inline const QString KeyRecordError = QStringLiteral("*** System Error : TimeTable KeyRecord error ");
// The comment of a booking made from a weekly request.
inline const QString WeeklyComment = QStringLiteral("週間希望");
}  // namespace request_text

// Staff code -> name; empty for a code not in the staff list.
using StaffNameLookup = std::function<QString(int staffCode)>;

enum class CheckAnswer { No, Yes, Failed };

struct DropOutcome {
    bool booked = false;
    Notices notices;
    int frameIndex = -1;
    TIMETABLE_ITEM frame;  // the frame as stored when the drop was decided
    int bookedCount = 0;   // its bookings after the drop
    int scheduleNo = -1;   // the new booking
    QString caption;       // the label's next caption (when booked)
};

// What the frame editor gave: start (a time of day), minutes, capacity.
struct FrameEditValues {
    TDateTime StartTime;
    int Minutes = 0;
    int Capacity = 0;
};

struct EditOutcome {
    bool changed = false;
    Notices notices;
    int frameIndex = -1;
    TIMETABLE_ITEM frame;  // the list item after the change
    int bookedCount = 0;
    QString caption;       // the label's next caption (when changed)
};

struct NewFrameOutcome {
    bool appended = false;
    Notices notices;
    TIMETABLE_ITEM frame;  // as stored, with its new ReserveNo (when appended)
    QString caption;       // its label's caption
};

// What the staff change dialog gave: day, staff member, start and minutes.
struct StaffChangeValues {
    TDateTime WorkDay;
    int StuffCode = 0;
    TDateTime StartTime;
    int Minutes = 0;
};

struct StaffChangeOutcome {
    bool changed = false;  // the board then clears itself and displays again
    Notices notices;
    int frameIndex = -1;
    TIMETABLE_ITEM frame;  // the list item after the change
};

// A paste of the frame clipboard: one frame into a column, or the frames of a
// day (staff work chart) or staff column (day board) onto a header.
enum class PasteKind { Frame, Day, StaffColumn };

struct PasteRequest {
    PasteKind kind = PasteKind::Frame;
    std::vector<TIMETABLE_ITEM> sources;  // the frames copied, in list order
    int column = 0;                       // the new frames' column,
    int staffCode = 0;                    // staff member
    TDateTime day;                        // and day
    bool withBookings = false;            // their bookings copied too
    int firstLabel = 0;                   // the new labels are "L" + firstLabel, + 1, ...
};

struct PastedFrame {
    TIMETABLE_ITEM frame;  // as stored, with its new ReserveNo
    int copied = 0;        // the bookings copied into it
    QString caption;
};

struct PasteOutcome {
    bool committed = false;
    Notices notices;                  // in the order they arose
    std::vector<PastedFrame> pasted;  // what was written (when committed)
};

// What the client month schedule's operations give back: the item after
// the change (its index in the list) and the messages to show.
struct RequestOutcome {
    bool done = false;  // booked, erased or re-staffed
    Notices notices;
    int itemIndex = -1;
    TREQUEST_ITEM item;
};

class BookingRules {
public:
    BookingRules(db::Database& db, StaffNameLookup staffName);
    // The rules of this run: the facility database and the data module's staff list.
    static BookingRules forRun();

    // Whether the span overlaps a frame of the list in the same column, other
    // than item excludeIndex (-1 excludes none). Only the list takes part.
    static bool CheckFrameOverlap(const TTimeTable& frames, int column, int minutes, int excludeIndex,
                                  TDateTime start);
    // Whether the frame's span overlaps a stored frame of its staff member on
    // its day, the frame's own stored row included. Failed (with its message
    // in notices) when the frames could not be read: the caller stops.
    CheckAnswer CheckStaffTimeTable(const TIMETABLE_ITEM& frame, Notices& notices) const;
    // Whether the client has a booking that day with another staff member
    // whose frame overlaps the frame; the overlap message goes to notices.
    // Throws db::DbError.
    bool CheckClientOverlap(const TIMETABLE_ITEM& frame, int cureNo, const QString& clientName,
                            Notices& notices) const;

    // The drop of a client on the frame of the label.
    DropOutcome LabelDragDrop(TTimeTable& frames, const QString& labelName, int cureNo) const;
    // "時間枠の変更" with the frame editor's values.
    EditOutcome BoxUpdateClick(TTimeTable& frames, const QString& labelName, const FrameEditValues& values) const;
    // "新規作成": a new frame (column PNo, label LName) that overlaps no frame
    // of its column in the list and, inside the write transaction, no stored
    // frame of its staff member that day (made on another workstation since
    // the load). Added to the list after commit.
    NewFrameOutcome AppendNewFrame(TTimeTable& frames, const TIMETABLE_ITEM& item) const;
    // "担当者変更" with the staff change dialog's values; the bookings move with the frame.
    StaffChangeOutcome TantouChangeMenuClick(TTimeTable& frames, const QString& labelName,
                                             const StaffChangeValues& values) const;

    // ---- the frame clipboard and the day board's bulk change
    // Pastes the request's source frames as new frames in one schedule write
    // transaction: all are written, or none when a write fails. A source
    // overlapping a frame of the target column in the list or a stored frame
    // of the target staff member's day is refused (a frame paste then writes
    // nothing, a day or column paste skips it). With bookings, each booked
    // client of a source frame is checked against the new frame (admission,
    // discharge, capacity, membership, client overlap); a refused client is
    // skipped with refusedClient()'s message. The list gains the new frames
    // after commit.
    PasteOutcome PasteFrames(TTimeTable& frames, const PasteRequest& request) const;
    // Moves every listed frame of staff member fromStaff (in list order) to
    // toStaff, each checked against toStaff's stored frames of its day and
    // rewritten in its own transaction; a refused or failed frame keeps its
    // staff member. The notices of all frames, in order.
    Notices ChangeStaffOfFrames(TTimeTable& frames, int fromStaff, int toStaff) const;

    // ---- the client month schedule (items of a TRequestTable)
    // A staff member dropped on the item of the label: an unbooked request
    // of the client is booked with that staff member, into the staff
    // member's booked frame of the same start and minutes when it has room,
    // else into a new frame of capacity 1; a booked frame of the staff
    // member overlapping the request otherwise refuses. Frame and booking
    // are written in one transaction, after the client-overlap test.
    RequestOutcome RequestDragDrop(TRequestTable& items, const QString& labelName, int cureNo, int staffCode) const;
    // "消去": a booked individual frame of the client goes with its
    // bookings, only while it still has capacity 1 and no other client's
    // booking; a request not yet booked only leaves the list. The list
    // changes after commit (itemIndex is the index the item had).
    RequestOutcome EraseRequest(TRequestTable& items, const QString& labelName, int cureNo) const;
    // "担当者変更" to staffCode: the booked individual frame of the item
    // moves to that staff member when it is still as listed and no frame
    // of the staff member that day overlaps it.
    RequestOutcome ChangeRequestStaff(TRequestTable& items, const QString& labelName, int staffCode) const;

private:
    db::Database& db_;
    StaffNameLookup staffName_;
};

}  // namespace lum
