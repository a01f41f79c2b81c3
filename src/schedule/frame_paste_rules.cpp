// The pastes of the boards' frame clipboard and the day board's bulk staff
// change, as booking rules (see booking_rules.h).
#include "schedule/booking_rules.h"

#include "clients/person_store.h"
#include "platform/clock.h"
#include "schedule/booking_store.h"
#include "schedule/frame_caption.h"
#include "schedule/frame_store.h"
#include "schedule/schedule_write.h"

namespace lum {

QString booking_text::refusedClient(int cureNo, const QString& name, const QString& text) {
    return QString::number(cureNo) + QStringLiteral("  ") + name + QStringLiteral(" 様") + u'\n' + text;
}

namespace {

using namespace booking_text;

bool dayBefore(TDateTime a, TDateTime b) { return a.dayNumber() < b.dayNumber(); }

enum class Phase { Begin, Check, FrameWrite, BookingWrite };

}  // namespace

PasteOutcome BookingRules::PasteFrames(TTimeTable& frames, const PasteRequest& request) const {
    PasteOutcome out;
    const bool single = request.kind == PasteKind::Frame;
    const QString& overlapText = single ? TimeOverlap : TimeOverlapSkipped;
    const QString& admissionText = single ? PasteBeforeAdmission : PasteBeforePlanDay;
    // The list as it will be after commit; the board's own list changes only then.
    TTimeTable working = frames;
    std::vector<PastedFrame> pasted;
    Phase phase = Phase::Begin;
    try {
        ScheduleWriteTransaction tx(db_);
        const FrameStore frameStore(db_);
        const BookingStore bookings(db_);
        const PersonStore persons(db_);
        int label = request.firstLabel;
        for (const TIMETABLE_ITEM& source : request.sources) {
            phase = Phase::Check;
            TIMETABLE_ITEM item;
            item.PNo = request.column;
            item.LName = QStringLiteral("L%1").arg(label);
            item.Stf = request.staffCode;
            item.RegistDay = request.day.dateOnly();
            item.StartTime = source.StartTime;
            item.Fnn = source.Fnn;
            item.Cap = source.Cap;
            const FrameRow row = normalizedFrame(frameRowOf(item));
            // The column on show, then the staff member's day as stored now
            // (frames made elsewhere since the display, and this paste's own).
            if (CheckFrameOverlap(working, item.PNo, item.Fnn, -1, item.StartTime) || frameStore.overlapping(row)) {
                out.notices.push_back(errorNotice(overlapText));
                if (single) return out;  // nothing written: the transaction rolls back
                continue;
            }
            scheduleWriteHook("PasteFrames");
            phase = Phase::FrameWrite;
            PastedFrame made;
            made.frame = frameItemOf(row, item.PNo, item.LName);
            made.frame.ResNo = frameStore.insert(row);
            working.Add(made.frame);
            ++label;

            FrameBooking first;
            if (request.withBookings && source.Cap >= 1) {
                phase = Phase::Check;
                const TIMETABLE_ITEM& frame = made.frame;
                for (const FrameBooking& booked : bookings.frameBookings(source.ResNo)) {
                    phase = Phase::Check;
                    const std::optional<TPerson> person = persons.find(booked.CureNo);
                    if (!person) continue;  // gone since the join
                    auto refuse = [&](const QString& text) {
                        out.notices.push_back(errorNotice(refusedClient(person->CureNo, person->Name, text)));
                    };
                    if (dayBefore(frame.RegistDay, person->NYUSHOBI_YMD)) {
                        refuse(admissionText);
                        continue;
                    }
                    if (!person->TAISHOBI_YMD.isEmpty() && dayBefore(person->TAISHOBI_YMD, frame.RegistDay)) {
                        refuse(PasteAfterDischarge);
                        continue;
                    }
                    if (bookings.countFrameBookings(frame.ResNo) >= frame.Cap) {
                        refuse(Full);
                        continue;
                    }
                    if (bookings.isBooked(frame.ResNo, person->CureNo)) {
                        refuse(AlreadyBooked);
                        continue;
                    }
                    Notices overlap;
                    if (CheckClientOverlap(frame, person->CureNo, person->Name, overlap)) {
                        refuse(overlap.front().text);
                        continue;
                    }
                    phase = Phase::BookingWrite;
                    bookings.insert({frame.ResNo, person->CureNo, QStringLiteral(""), TDateTime::fromDateTime(now())});
                    if (made.copied == 0) first = booked;
                    ++made.copied;
                }
            }
            made.caption = CaptionForBookings(made.frame, made.copied, first.Name, first.RihaType, first.KubunCode);
            pasted.push_back(std::move(made));
        }
        tx.commit();
    } catch (const db::DbError& e) {
        // Rolled back whole: not one frame or booking of this paste stays.
        switch (phase) {
        case Phase::Begin: out.notices.push_back(errorNotice(FrameOpenFailed)); break;
        case Phase::FrameWrite: out.notices.push_back(errorNotice(FrameAppendFailed)); break;
        case Phase::BookingWrite: out.notices.push_back(errorNotice(InsertFailed)); break;
        case Phase::Check: out.notices.push_back(errorNotice(e.text())); break;
        }
        return out;
    }
    frames = working;
    out.committed = true;
    out.pasted = std::move(pasted);
    return out;
}

Notices BookingRules::ChangeStaffOfFrames(TTimeTable& frames, int fromStaff, int toStaff) const {
    // The frames as they are when the change starts; each one is moved on its own.
    std::vector<TIMETABLE_ITEM> chosen;
    for (int i = 0; i < frames.Count(); ++i) {
        if (frames.GetItem(i).Stf == fromStaff) chosen.push_back(frames.GetItem(i));
    }
    Notices notices;
    for (const TIMETABLE_ITEM& frame : chosen) {
        const StaffChangeOutcome out =
            TantouChangeMenuClick(frames, frame.LName, {frame.RegistDay, toStaff, frame.StartTime, frame.Fnn});
        notices.insert(notices.end(), out.notices.begin(), out.notices.end());
    }
    return notices;
}

}  // namespace lum
