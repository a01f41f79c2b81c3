#pragma once
// The check of the weekly requests typed before they are saved: seven start
// times ("hh:mm"; a blank mask or 00:00 is no time, any other time starts
// where a frame may start) and then seven minutes (any whole number, signed
// too; empty is refused; a requested day lasts no longer than a frame may),
// Monday first. The first failure names its field and message.
#include "schedule/month_book.h"

#include <QString>

#include <array>

namespace lum {

namespace week_text {
inline const QString TimeError = QStringLiteral("時刻の数値エラー");
inline const QString ThursdayHourError = QStringLiteral("Error 時刻の数値エラー");
inline const QString MinutesError = QStringLiteral("作業時間(分)の数値エラー");
}  // namespace week_text

struct WeekRequestInput {
    bool ok = false;
    QString error;
    int field = -1;  // 0..6 the start time of Monday..Sunday, 7..13 their minutes
    WeekSlots week{};
};

// Whether a time text is the blank mask (no time that weekday).
bool isBlankTime(const QString& text);
WeekRequestInput checkWeekRequests(const std::array<QString, 7>& startTexts, const std::array<QString, 7>& minuteTexts);

}  // namespace lum
