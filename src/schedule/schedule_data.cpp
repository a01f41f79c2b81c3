#include "schedule/schedule_data.h"

#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "schedule/booking_rules.h"
#include "schedule/frame_store.h"
#include "schedule/schedule_notice.h"
#include "schedule/schedule_write.h"

TScheduleData* ScheduleData = nullptr;

namespace lum {
TScheduleData& scheduleData() {
    if (!ScheduleData) {
        ScheduleData = new TScheduleData;
        QObject::connect(ScheduleData, &QObject::destroyed, [] { ScheduleData = nullptr; });
    }
    return *ScheduleData;
}
}  // namespace lum

TScheduleData::TScheduleData(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("ScheduleData")); }

lum::db::Database& TScheduleData::database() const {
    return database_ ? *database_ : lum::requireFacilityDatabase();
}

void TScheduleData::Load(const std::vector<lum::FrameRow>& rows, const std::function<int(const lum::FrameRow&)>& column) {
    Frames.Clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        Frames.Add(lum::frameItemOf(rows[i], column(rows[i]), QStringLiteral("L%1").arg(i)));
    }
}

bool TScheduleData::LoadStaffFrames(int staffCode, lum::TDateTime firstDay, lum::TDateTime lastDay) {
    std::vector<lum::FrameRow> rows;
    try {
        rows = lum::FrameStore(database()).staffFrames(staffCode, firstDay, lastDay);
    } catch (const lum::db::DbError&) {
        return false;
    }
    const int first = firstDay.dayNumber();
    Load(rows, [first](const lum::FrameRow& row) { return row.ReserveDay.dayNumber() - first; });
    return true;
}

bool TScheduleData::LoadDayFrames(lum::TDateTime day) {
    std::vector<lum::FrameRow> rows;
    try {
        rows = lum::FrameStore(database()).dayFrames(day);
    } catch (const lum::db::DbError&) {
        return false;
    }
    // No column until the day board gives one: a frame of a staff member it
    // does not show must never count as column 0's.
    Load(rows, [](const lum::FrameRow&) { return -1; });
    return true;
}

int TScheduleData::AppendFrame(TIMETABLE_ITEM item) {
    lum::db::Database& db = database();
    const lum::FrameRow row = lum::normalizedFrame(lum::frameRowOf(item));
    int number = -1;
    try {
        lum::ScheduleWriteTransaction tx(db);
        try {
            const lum::FrameStore store(db);
            // Never over a stored frame of its staff member that day.
            if (store.overlapping(row)) return -1;
            lum::scheduleWriteHook("AppendFrame");
            number = store.insert(row);
            tx.commit();
        } catch (const lum::db::DbError&) {
            return -1;  // rolled back; the caller shows its own message
        }
    } catch (const lum::db::DbError&) {
        lum::message(lum::MsgKind::Error, lum::booking_text::FrameOpenFailed, lum::MsgButton::Ok);
        return -1;
    }
    item.ResNo = number;
    item.RegistDay = row.ReserveDay;
    item.StartTime = row.StartTime;
    Frames.Add(item);
    return number;
}

bool TScheduleData::UpdateFrame(const TIMETABLE_ITEM& item, int i) {
    lum::db::Database& db = database();
    const TIMETABLE_ITEM loaded = Frames.GetItem(i);
    lum::FrameRow changed = lum::normalizedFrame(lum::frameRowOf(item));
    changed.ReserveNo = loaded.ResNo;
    bool rewritten = false;
    try {
        lum::ScheduleWriteTransaction tx(db);
        try {
            lum::scheduleWriteHook("UpdateFrame");
            rewritten = lum::FrameStore(db).rewrite(lum::frameRowOf(loaded), changed);
            if (rewritten) tx.commit();
        } catch (const lum::db::DbError&) {
            return false;  // rolled back without a message; the caller shows its own
        }
    } catch (const lum::db::DbError&) {
        lum::message(lum::MsgKind::Error, lum::booking_text::FrameOpenFailed, lum::MsgButton::Ok);
        return false;
    }
    if (!rewritten) {
        // Gone or changed elsewhere since the load: nothing was written.
        lum::message(lum::MsgKind::Error, lum::booking_text::KeyRecordError, lum::MsgButton::Abort);
        return false;
    }
    Frames.UpdateItem(i, lum::frameItemOf(changed));
    return true;
}

void TScheduleData::DeleteFrame(int i) {
    const TIMETABLE_ITEM item = Frames.GetItem(i);
    lum::db::Database& db = database();
    {
        lum::ScheduleWriteTransaction tx(db);
        lum::scheduleWriteHook("DeleteFrame");
        lum::FrameStore(db).remove(item.ResNo);
        tx.commit();
    }
    Frames.Delete(i);
}
