#include "schedule/week_request_check.h"

#include "common/input_limits.h"
#include "schedule/frame_input_checks.h"
#include "schedule/time_span.h"

namespace lum {

bool isBlankTime(const QString& text) {
    for (QChar c : text) {
        if (c != u' ' && c != u'_' && c != u':') return false;
    }
    return true;
}

WeekRequestInput checkWeekRequests(const std::array<QString, 7>& startTexts,
                                   const std::array<QString, 7>& minuteTexts) {
    constexpr int Thursday = 3;
    WeekRequestInput r;
    for (int d = 0; d < 7; ++d) {
        const QString& text = startTexts[static_cast<size_t>(d)];
        if (isBlankTime(text)) {
            r.week[static_cast<size_t>(d)].StartTime = TDateTime();
            continue;
        }
        const int colon = static_cast<int>(text.indexOf(u':'));
        const auto hourRead = colon >= 2 ? parseWholeNumber(QStringView(text).mid(colon - 2, 2)) : std::nullopt;
        const auto minuteRead = colon >= 0 ? parseWholeNumber(QStringView(text).mid(colon + 1, 2)) : std::nullopt;
        if (!hourRead.has_value()) {
            r.error = d == Thursday ? week_text::ThursdayHourError : week_text::TimeError;
            r.field = d;
            return r;
        }
        const int hour = hourRead.value_or(-1);
        const int minute = minuteRead.value_or(-1);
        // 00:00 is no request; any other time must be one a frame can start
        // at, or the request could never be shown nor booked.
        const bool noTime = hour == 0 && minute == 0;
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || (!noTime && !frameStartAllowed(hour, minute))) {
            r.error = week_text::TimeError;
            r.field = d;
            return r;
        }
        r.week[static_cast<size_t>(d)].StartTime = timeOfDay(hour * 60 + minute);
    }
    for (int d = 0; d < 7; ++d) {
        const auto minutes = parseWholeNumber(minuteTexts[static_cast<size_t>(d)]);
        // Only a requested day (a time and 1 minute or more) becomes a frame.
        const bool requested = r.week[static_cast<size_t>(d)].StartTime.value() > 0 && minutes && *minutes >= 1;
        if (!minutes || (requested && !frameLengthAllowed(*minutes))) {
            r.error = week_text::MinutesError;
            r.field = 7 + d;
            return r;
        }
        r.week[static_cast<size_t>(d)].Minutes = *minutes;
    }
    r.ok = true;
    return r;
}

}  // namespace lum
