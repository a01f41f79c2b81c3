// The client month schedule's rules of BookingRules: a staff member dropped
// on a weekly request, the erase of an item and the change of its staff
// member. Each checks and writes in one ScheduleWriteTransaction on the rows
// as they are inside it; the list of items changes only after commit.
#include "schedule/booking_rules.h"

#include "clients/person_store.h"
#include "platform/clock.h"
#include "schedule/booking_store.h"
#include "schedule/frame_store.h"
#include "schedule/schedule_write.h"
#include "schedule/time_span.h"

namespace lum {
namespace {

using namespace request_text;

Notice warningNotice(const QString& text) { return {MsgKind::Warning, text, MsgButton::Ok}; }

// The stored row an item stands for.
FrameRow frameRowOfItem(const TREQUEST_ITEM& item) {
    return normalizedFrame({item.ResNo, item.RegistDay, item.Stf, item.StartTime, item.Fnn, item.Cap});
}

TIMETABLE_ITEM frameItemOfRequest(const TREQUEST_ITEM& item) {
    return frameItemOf(frameRowOfItem(item), item.PNo, item.LName);
}

}  // namespace

RequestOutcome BookingRules::RequestDragDrop(TRequestTable& items, const QString& labelName, int cureNo,
                                             int staffCode) const {
    RequestOutcome out;
    out.itemIndex = items.IndexOf(labelName);
    if (out.itemIndex < 0) {
        out.notices.push_back(errorNotice(booking_text::DropFailed));
        return out;
    }
    TREQUEST_ITEM request = items.GetItem(out.itemIndex);
    if (request.Flag) {
        out.notices.push_back(errorNotice(Booked));
        return out;
    }
    request.Stf = staffCode;
    const int rs = minutesOfDay(request.StartTime);
    const int re = rs + request.Fnn;
    enum class Phase { Begin, Check, StaffFrames, Frame, Booking } phase = Phase::Begin;
    int frameNo = -1;
    int capacity = 1;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        const BookingStore bookings(db_);
        const auto person = PersonStore(db_).find(cureNo);
        if (!person) {
            out.notices.push_back(errorNotice(booking_text::DropFailed));  // the client row is gone
            return out;
        }
        phase = Phase::StaffFrames;
        const std::vector<FrameRow> staffFrames = frameStore.staffDayFrames(staffCode, request.RegistDay);
        phase = Phase::Check;
        std::optional<FrameRow> target;
        // Only the staff member's frames that hold bookings take part.
        for (const FrameRow& f : staffFrames) {
            if (bookings.countAllRows(f.ReserveNo) == 0) continue;
            const int s = minutesOfDay(f.StartTime);
            const int m = f.WorkingMin;
            if ((s < rs && s + m > rs) || (s > rs && s < re) || (s == rs && m != request.Fnn)) {
                out.notices.push_back(errorNotice(NoRoom));
                return out;
            }
            if (s == rs) {
                if (bookings.countFrameBookings(f.ReserveNo) >= f.Capacity) {
                    out.notices.push_back(errorNotice(booking_text::Full));
                    return out;
                }
                if (bookings.isBooked(f.ReserveNo, cureNo)) {
                    out.notices.push_back(errorNotice(booking_text::AlreadyBooked));
                    return out;
                }
                target = f;
            }
        }
        // The client's bookings with other staff members, as stored now.
        TIMETABLE_ITEM frame = frameItemOfRequest(request);
        if (target) frame = frameItemOf(*target, request.PNo, request.LName);
        if (CheckClientOverlap(frame, cureNo, person->Name, out.notices)) return out;

        scheduleWriteHook("RequestDragDrop");
        phase = Phase::Frame;
        if (target) {
            frameNo = target->ReserveNo;
            capacity = target->Capacity;
        } else {
            FrameRow row = frameRowOfItem(request);
            row.Capacity = 1;
            frameNo = frameStore.insert(row);
        }
        phase = Phase::Booking;
        bookings.insert({frameNo, cureNo, WeeklyComment, TDateTime::fromDateTime(now())});
        tx.commit();
    } catch (const db::DbError& e) {
        switch (phase) {
        case Phase::Begin: out.notices.push_back(errorNotice(BeginFailed)); break;
        case Phase::StaffFrames: out.notices.push_back(errorNotice(StaffCheckFailed)); break;
        case Phase::Check: out.notices.push_back(errorNotice(e.text())); break;
        case Phase::Frame: out.notices.push_back(errorNotice(FrameError)); break;
        case Phase::Booking: out.notices.push_back(errorNotice(InsertFailed)); break;
        }
        return out;
    }
    request.Flag = true;
    request.ResNo = frameNo;
    request.Cap = capacity;
    items.ReplaceItem(out.itemIndex, request);
    out.item = request;
    out.done = true;
    return out;
}

RequestOutcome BookingRules::EraseRequest(TRequestTable& items, const QString& labelName, int cureNo) const {
    RequestOutcome out;
    out.itemIndex = items.IndexOf(labelName);
    if (out.itemIndex < 0) {
        out.notices.push_back(errorNotice(NotFound));
        return out;
    }
    out.item = items.GetItem(out.itemIndex);
    const TREQUEST_ITEM& item = out.item;
    if (item.Cap == 0) return out;
    if (item.Cap >= 2) {
        out.notices.push_back(warningNotice(EraseOnChart));
        return out;
    }
    if (item.Flag && item.ResNo >= 0) {
        try {
            ScheduleWriteTransaction tx(db_);
            const FrameStore frameStore(db_);
            // Gone elsewhere: nothing left to delete, the item leaves the list.
            if (const auto stored = frameStore.find(item.ResNo)) {
                if (stored->Capacity != 1 || BookingStore(db_).countOtherClients(item.ResNo, cureNo) > 0) {
                    out.notices.push_back(warningNotice(EraseOnChart));
                    return out;
                }
                scheduleWriteHook("EraseRequest");
                frameStore.remove(item.ResNo);
            }
            tx.commit();
        } catch (const db::DbError& e) {
            out.notices.push_back(errorNotice(EraseFailed + u'\n' + e.text()));
            return out;
        }
    }
    items.Delete(out.itemIndex);
    out.done = true;
    return out;
}

RequestOutcome BookingRules::ChangeRequestStaff(TRequestTable& items, const QString& labelName, int staffCode) const {
    RequestOutcome out;
    out.itemIndex = items.IndexOf(labelName);
    if (out.itemIndex < 0) {
        out.notices.push_back(errorNotice(ItemNotFound));
        return out;
    }
    TREQUEST_ITEM item = items.GetItem(out.itemIndex);
    if (!item.Flag || item.ResNo < 0) return out;
    if (item.Stf == staffCode) {
        out.notices.push_back(errorNotice(ChangeCancelled));
        return out;
    }
    if (item.Cap >= 2) {
        out.notices.push_back(warningNotice(GroupOnChart));
        return out;
    }
    const FrameRow loaded = frameRowOfItem(item);
    FrameRow changed = loaded;
    changed.StuffCode = staffCode;
    enum class Phase { Begin, Check, Write } phase = Phase::Begin;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        const auto stored = frameStore.find(item.ResNo);
        if (!stored || *stored != loaded) {
            out.notices.push_back(abortNotice(KeyRecordError));
            return out;
        }
        // A failed check stops the change (its message is in the notices).
        switch (CheckStaffTimeTable(frameItemOf(changed, item.PNo, item.LName), out.notices)) {
        case CheckAnswer::Failed: return out;
        case CheckAnswer::Yes: out.notices.push_back(errorNotice(StaffBusy)); return out;
        case CheckAnswer::No: break;
        }
        scheduleWriteHook("ChangeRequestStaff");
        phase = Phase::Write;
        if (!frameStore.rewrite(loaded, changed)) {
            out.notices.push_back(abortNotice(KeyRecordError));
            return out;
        }
        tx.commit();
    } catch (const db::DbError& e) {
        out.notices.push_back(phase == Phase::Check ? errorNotice(e.text()) : errorNotice(booking_text::UpdateFailed));
        return out;
    }
    item.Stf = staffCode;
    items.ReplaceItem(out.itemIndex, item);
    out.item = item;
    out.done = true;
    return out;
}

}  // namespace lum
