#pragma once
// The "設定" checks of the frame editor and the staff change dialog as plain
// functions over the edits' texts: the first failing check gives its message
// and the field the focus goes to.
#include "common/datetime.h"

#include <QString>

namespace lum {

enum class FrameField { None, Day, Staff, StartTime, Minutes };

struct FrameInput {
    bool ok = false;
    QString error;  // the ErrorLabel text
    FrameField field = FrameField::None;
    TDateTime workDay;    // the staff change dialog's date
    int staffCode = -1;   // the staff change dialog's staff member
    TDateTime startTime;  // on 1899-12-30
    int minutes = 0;
};

namespace frame_text {
inline const QString StartError = QStringLiteral("開始時間エラーです。");
inline const QString MinutesRequired = QStringLiteral("分は入力必須項目です。");
inline const QString MinutesNotNumber = QStringLiteral("分は数値項目です。");
inline const QString MinutesTooFew = QStringLiteral("分は１分以上です。");
inline const QString MinutesTooMany = QStringLiteral("分は600分以下です。");
inline const QString DayError = QStringLiteral("日付けエラーです。");
inline const QString NoStaff = QStringLiteral("担当者を指定して下さい。");
}  // namespace frame_text

// What a frame may be: it starts from 8:00 to 20:59 and lasts 1 to 600
// minutes. The boards and the client month schedule draw nothing else, so
// every road that makes a frame keeps to these limits.
inline constexpr int FrameFirstHour = 8;
inline constexpr int FrameLastHour = 20;
inline constexpr int FrameMaxMinutes = 600;
bool frameStartAllowed(int hour, int minute);
bool frameLengthAllowed(int minutes);

// Start "hh:nn" (a blank for a leading zero) and minutes within the limits
// above.
FrameInput checkFrameTime(const QString& startText, const QString& minutesText);
// An era date ("令和06年02月20日"), a chosen staff member (-1: none), then
// the start and minutes as above.
FrameInput checkStaffChange(const QString& dayText, int staffCode, const QString& startText,
                            const QString& minutesText);

}  // namespace lum
