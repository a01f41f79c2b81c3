#include "schedule/frame_input_checks.h"

#include "common/era_text.h"
#include "common/input_limits.h"
#include "schedule/time_span.h"

namespace lum {
namespace {

FrameInput refuse(const QString& text, FrameField field) {
    FrameInput r;
    r.error = text;
    r.field = field;
    return r;
}

}  // namespace

bool frameStartAllowed(int hour, int minute) {
    return hour >= FrameFirstHour && hour <= FrameLastHour && minute >= 0 && minute <= 59;
}

bool frameLengthAllowed(int minutes) { return minutes >= 1 && minutes <= FrameMaxMinutes; }

FrameInput checkFrameTime(const QString& startText, const QString& minutesText) {
    using namespace frame_text;
    const auto hour = parseWholeNumber(QStringView(startText).left(2));
    if (!hour || !frameStartAllowed(*hour, 0)) return refuse(StartError, FrameField::StartTime);
    const auto minute = startText.size() >= 5 ? parseWholeNumber(QStringView(startText).mid(3, 2)) : std::nullopt;
    if (!minute || !frameStartAllowed(*hour, *minute)) return refuse(StartError, FrameField::StartTime);
    if (minutesText.isEmpty()) return refuse(MinutesRequired, FrameField::Minutes);
    const auto minutes = parseWholeNumber(minutesText);
    if (!minutes) return refuse(MinutesNotNumber, FrameField::Minutes);
    if (*minutes < 1) return refuse(MinutesTooFew, FrameField::Minutes);
    if (!frameLengthAllowed(*minutes)) return refuse(MinutesTooMany, FrameField::Minutes);
    FrameInput r;
    r.ok = true;
    r.startTime = timeOfDay(*hour * 60 + *minute);
    r.minutes = *minutes;
    return r;
}

FrameInput checkStaffChange(const QString& dayText, int staffCode, const QString& startText,
                            const QString& minutesText) {
    TDateTime day;
    if (!EraTextToDate(dayText, day)) return refuse(frame_text::DayError, FrameField::Day);
    if (staffCode < 0) return refuse(frame_text::NoStaff, FrameField::Staff);
    FrameInput r = checkFrameTime(startText, minutesText);
    r.workDay = day.dateOnly();
    r.staffCode = staffCode;
    return r;
}

}  // namespace lum
