#include "schedule/booking_rules.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "clients/person_store.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "schedule/booking_store.h"
#include "schedule/frame_caption.h"
#include "schedule/frame_store.h"
#include "schedule/schedule_write.h"
#include "schedule/time_span.h"

namespace lum {

QString booking_text::clientOverlap(const QString& clientName, const QString& staffName, TDateTime start,
                                    int minutes) {
    const int m = minutesOfDay(start);
    return QStringLiteral("スケジュールが重なっています。\n利用者 ") + clientName + QStringLiteral("\n担当者 ") +
           staffName + u'\n' +
           QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0')) +
           QStringLiteral("->") + QString::number(minutes);
}

namespace {

using namespace booking_text;

bool dayBefore(TDateTime a, TDateTime b) { return a.dayNumber() < b.dayNumber(); }

// The row of the list item still as it was loaded, read inside the transaction.
bool stillAsLoaded(const FrameStore& store, const TIMETABLE_ITEM& item) {
    const auto stored = store.find(item.ResNo);
    return stored && *stored == frameRowOf(item);
}

// The caption of an edited frame by the bookings it holds.
QString editedCaption(const TIMETABLE_ITEM& frame, const std::vector<FrameBooking>& bookings) {
    if (bookings.empty()) return CaptionForBookings(frame, 0);
    const FrameBooking& b = bookings.front();
    return CaptionForBookings(frame, static_cast<int>(bookings.size()), b.Name, b.RihaType, b.KubunCode);
}

}  // namespace

BookingRules::BookingRules(db::Database& db, StaffNameLookup staffName) : db_(db), staffName_(std::move(staffName)) {}

BookingRules BookingRules::forRun() {
    return BookingRules(requireFacilityDatabase(),
                        staffName);
}

bool BookingRules::CheckFrameOverlap(const TTimeTable& frames, int column, int minutes, int excludeIndex,
                                     TDateTime start) {
    for (int i = 0; i < frames.Count(); ++i) {
        if (i == excludeIndex) continue;
        const TIMETABLE_ITEM item = frames.GetItem(i);
        if (item.PNo != column) continue;
        if (spansOverlap(start, minutes, item.StartTime, item.Fnn)) return true;
    }
    return false;
}

CheckAnswer BookingRules::CheckStaffTimeTable(const TIMETABLE_ITEM& frame, Notices& notices) const {
    std::vector<FrameRow> stored;
    try {
        stored = FrameStore(db_).staffDayFrames(frame.Stf, frame.RegistDay);
    } catch (const db::DbError&) {
        notices.push_back(errorNotice(StaffCheckFailed));
        return CheckAnswer::Failed;
    }
    for (const FrameRow& row : stored) {
        if (spansOverlap(frame.StartTime, frame.Fnn, row.StartTime, row.WorkingMin)) return CheckAnswer::Yes;
    }
    return CheckAnswer::No;
}

bool BookingRules::CheckClientOverlap(const TIMETABLE_ITEM& frame, int cureNo, const QString& clientName,
                                      Notices& notices) const {
    for (const ClientFrameBooking& b : BookingStore(db_).clientBookingsOnDay(cureNo, frame.RegistDay)) {
        // Bookings with the frame's own staff member are never compared.
        if (b.StuffCode == frame.Stf) continue;
        if (spansOverlap(b.StartTime, b.WorkingMin, frame.StartTime, frame.Fnn)) {
            notices.push_back(errorNotice(clientOverlap(clientName, staffName_ ? staffName_(b.StuffCode) : QString(),
                                                        b.StartTime, b.WorkingMin)));
            return true;
        }
    }
    return false;
}

DropOutcome BookingRules::LabelDragDrop(TTimeTable& frames, const QString& labelName, int cureNo) const {
    DropOutcome out;
    out.frameIndex = frames.IndexOf(labelName);
    if (out.frameIndex < 0) {
        out.notices.push_back(errorNotice(DropFailed));
        return out;
    }
    const TIMETABLE_ITEM listed = frames.GetItem(out.frameIndex);
    enum class Phase { Begin, Check, Write } phase = Phase::Begin;
    TPerson client;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        const BookingStore bookings(db_);
        const auto stored = frameStore.find(listed.ResNo);
        const auto person = PersonStore(db_).find(cureNo);
        if (!stored || !person) {
            out.notices.push_back(errorNotice(DropFailed));  // deleted meanwhile
            return out;
        }
        client = *person;
        out.frame = frameItemOf(*stored, listed.PNo, listed.LName);
        const TIMETABLE_ITEM& frame = out.frame;
        if (frame.Cap < 1) {
            out.notices.push_back(errorNotice(Closed));
            return out;
        }
        if (dayBefore(frame.RegistDay, client.NYUSHOBI_YMD)) {
            out.notices.push_back(errorNotice(BeforeAdmission));
            return out;
        }
        if (!client.TAISHOBI_YMD.isEmpty() && dayBefore(client.TAISHOBI_YMD, frame.RegistDay)) {
            out.notices.push_back(errorNotice(AfterDischarge));
            return out;
        }
        const int count = bookings.countFrameBookings(frame.ResNo);
        if (count >= frame.Cap) {
            out.notices.push_back(errorNotice(Full));
            return out;
        }
        if (bookings.isBooked(frame.ResNo, cureNo)) {
            out.notices.push_back(errorNotice(AlreadyBooked));
            return out;
        }
        if (CheckClientOverlap(frame, cureNo, client.Name, out.notices)) return out;

        scheduleWriteHook("LabelDragDrop");
        phase = Phase::Write;
        out.scheduleNo = bookings.insert({frame.ResNo, cureNo, QStringLiteral(""), TDateTime::fromDateTime(now())});
        tx.commit();
        out.booked = true;
        out.bookedCount = count + 1;
    } catch (const db::DbError& e) {
        out.notices.push_back(phase == Phase::Begin   ? errorNotice(BeginFailed)
                              : phase == Phase::Write ? errorNotice(InsertFailed)
                                                      : errorNotice(e.text()));
        return out;
    }
    // After commit: the list takes what was stored, and the label its caption.
    frames.UpdateItem(out.frameIndex, out.frame);
    out.caption = out.frame.Cap == 1
                      ? BuildFrameCaption(out.frame, client.Name, client.RihaType, client.KubunCode)
                      : BuildFrameCaption(out.frame, groupClientLine(out.bookedCount));
    return out;
}

EditOutcome BookingRules::BoxUpdateClick(TTimeTable& frames, const QString& labelName,
                                         const FrameEditValues& values) const {
    EditOutcome out;
    out.frameIndex = frames.IndexOf(labelName);
    if (out.frameIndex < 0) {
        out.notices.push_back(errorNotice(FrameNotFound));
        return out;
    }
    const TIMETABLE_ITEM loaded = frames.GetItem(out.frameIndex);
    TIMETABLE_ITEM changed = loaded;
    changed.StartTime = timeOfDay(minutesOfDay(values.StartTime));
    changed.Fnn = values.Minutes;
    changed.Cap = values.Capacity;
    if (CheckFrameOverlap(frames, loaded.PNo, changed.Fnn, out.frameIndex, changed.StartTime)) {
        out.notices.push_back(errorNotice(TimeOverlap));
        return out;
    }
    std::vector<FrameBooking> booked;
    enum class Phase { Begin, Check, Write } phase = Phase::Begin;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        if (!stillAsLoaded(frameStore, loaded)) {
            out.notices = {abortNotice(KeyRecordError), errorNotice(UpdateFailed)};
            return out;
        }
        // The column as stored now: frames added elsewhere since the load count too.
        if (frameStore.overlapping(frameRowOf(changed))) {
            out.notices.push_back(errorNotice(TimeOverlap));
            return out;
        }
        booked = BookingStore(db_).frameBookings(loaded.ResNo);
        const int count = static_cast<int>(booked.size());
        if (count == 1) {
            if (changed.Cap < 1) {
                out.notices.push_back(errorNotice(BelowBooked));
                return out;
            }
            if (CheckClientOverlap(changed, booked.front().CureNo, booked.front().Name, out.notices)) {
                out.notices.push_back(errorNotice(EditRefused));
                return out;
            }
        } else if (count > 1 && changed.Cap < count) {
            out.notices.push_back(errorNotice(BelowBooked));
            return out;
        }
        scheduleWriteHook("BoxUpdateClick");
        phase = Phase::Write;
        if (!frameStore.rewrite(frameRowOf(loaded), frameRowOf(changed))) {
            out.notices = {abortNotice(KeyRecordError), errorNotice(UpdateFailed)};
            return out;
        }
        tx.commit();
    } catch (const db::DbError& e) {
        out.notices.push_back(phase == Phase::Check ? errorNotice(e.text()) : errorNotice(UpdateFailed));
        return out;
    }
    frames.UpdateItem(out.frameIndex, changed);
    out.changed = true;
    out.frame = frames.GetItem(out.frameIndex);
    out.bookedCount = static_cast<int>(booked.size());
    out.caption = editedCaption(out.frame, booked);
    return out;
}

NewFrameOutcome BookingRules::AppendNewFrame(TTimeTable& frames, const TIMETABLE_ITEM& item) const {
    NewFrameOutcome out;
    if (CheckFrameOverlap(frames, item.PNo, item.Fnn, -1, item.StartTime)) {
        out.notices.push_back(errorNotice(TimeOverlap));
        return out;
    }
    const FrameRow row = normalizedFrame(frameRowOf(item));
    enum class Phase { Begin, Check, Write } phase = Phase::Begin;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        if (frameStore.overlapping(row)) {
            out.notices.push_back(errorNotice(TimeOverlap));
            return out;
        }
        scheduleWriteHook("AppendNewFrame");
        phase = Phase::Write;
        out.frame = frameItemOf(row, item.PNo, item.LName);
        out.frame.ResNo = frameStore.insert(row);
        tx.commit();
    } catch (const db::DbError& e) {
        out.notices.push_back(phase == Phase::Begin   ? errorNotice(FrameOpenFailed)
                              : phase == Phase::Write ? errorNotice(FrameAppendFailed)
                                                      : errorNotice(e.text()));
        return out;
    }
    frames.Add(out.frame);
    out.appended = true;
    out.caption = CaptionForBookings(out.frame, 0);
    return out;
}

StaffChangeOutcome BookingRules::TantouChangeMenuClick(TTimeTable& frames, const QString& labelName,
                                                       const StaffChangeValues& values) const {
    StaffChangeOutcome out;
    out.frameIndex = frames.IndexOf(labelName);
    if (out.frameIndex < 0) {
        out.notices.push_back(errorNotice(FrameNotFound));
        return out;
    }
    const TIMETABLE_ITEM loaded = frames.GetItem(out.frameIndex);
    TIMETABLE_ITEM changed = loaded;
    changed.RegistDay = values.WorkDay.dateOnly();
    changed.Stf = values.StuffCode;
    changed.StartTime = timeOfDay(minutesOfDay(values.StartTime));
    changed.Fnn = values.Minutes;
    enum class Phase { Begin, Check, Write } phase = Phase::Begin;
    try {
        ScheduleWriteTransaction tx(db_);
        phase = Phase::Check;
        const FrameStore frameStore(db_);
        if (!stillAsLoaded(frameStore, loaded)) {
            out.notices = {abortNotice(KeyRecordError), errorNotice(UpdateFailed)};
            return out;
        }
        // Every stored frame of the new staff member that day, the frame's own
        // row with its old times included; a failed check stops the move.
        switch (CheckStaffTimeTable(changed, out.notices)) {
        case CheckAnswer::Failed: return out;
        case CheckAnswer::Yes: out.notices.push_back(errorNotice(TimeOverlap)); return out;
        case CheckAnswer::No: break;
        }
        scheduleWriteHook("TantouChangeMenuClick");
        phase = Phase::Write;
        if (!frameStore.rewrite(frameRowOf(loaded), frameRowOf(changed))) {
            out.notices = {abortNotice(KeyRecordError), errorNotice(UpdateFailed)};
            return out;
        }
        tx.commit();
    } catch (const db::DbError& e) {
        out.notices.push_back(phase == Phase::Check ? errorNotice(e.text()) : errorNotice(UpdateFailed));
        return out;
    }
    frames.UpdateItem(out.frameIndex, changed);
    out.changed = true;
    out.frame = frames.GetItem(out.frameIndex);
    return out;
}

}  // namespace lum
