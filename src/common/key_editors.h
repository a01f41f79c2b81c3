#pragma once
// Key-by-key editors that keep a date, a year-month or a time inside a fixed
// mask. The state is the caret position (in characters) before the key and
// becomes the caret position after it; a negative state resets the text. The
// key is always consumed (set to the null character), so the edit never
// inserts it itself. The states of each mask:
//   date        "＿＿__年__月__日"  era 0-1, year 2-3, 年 4, month 5-6, 月 7, day 8-9, 日 10, end 11
//   year-month  "＿＿__年__月"      era 0-1, year 2-3, 年 4, month 5-6, 月 7, end 8
//   time        "__:__"            hour 0-1, : 2, minute 3-4, end 5
#include <QChar>
#include <QDate>
#include <QString>

namespace lum {

extern const QString EraDateMask;   // "＿＿__年__月__日"
extern const QString EraMonthMask;  // "＿＿__年__月"
extern const QString TimeMask;      // "__:__"

// State -1 puts the empty mask; -2 or less puts today's date (today, or the
// application clock's date when today is invalid). At the era places M T S H R (either
// case) pick 明治 大正 昭和 平成 令和. A 0 or a blank at a first digit place
// leaves a blank there. The day's last digit is kept only when the whole text
// is then a valid date: the caret goes to 11 and the blanks left for leading
// zeros become zeros.
void EraDateKeyPress(int& state, QString& text, QChar& key, const QDate& today = QDate());

// The same on the year-month mask; a key other than an era letter at the era
// places keeps the caret there, and a month that is no month moves the caret
// behind the month place.
void EraMonthKeyPress(int& state, QString& text, QChar& key, const QDate& today = QDate());

// Hours 00-23 and minutes 00-59; any negative state puts the empty mask.
void TimeKeyPress(int& state, QString& text, QChar& key);

}  // namespace lum
