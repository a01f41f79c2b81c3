#pragma once
// Date and time texts of the report engine, in the pattern language of its
// templates (letter case of the specifiers ignored):
//   d dd ddd dddd ddddd dddddd   day, short/long weekday name, short/long date
//   m mm mmm mmmm                month (minutes right after h or hh)
//   yy yyyy                      year
//   g gg e ee                    era letter (平) / era name (平成), era year / two digits
//   h hh n nn s ss z zzz         time; am/pm, a/p, ampm switch to a 12-hour clock
//   c t tt                       short date and long time, short time, long time
//   / :                          the date and time separators
//   '...' "..."                  literal text; anything else is copied
// Month and weekday names are the Japanese ones ("1月", "日", "日曜日").
#include "common/datetime.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace lum {

// Days 0001-01-01 to 9999-12-31: the dates the engine formats and reads.
bool isValidDateTime(TDateTime value);

// Empty for a value outside isValidDateTime.
QString formatDateTime(QStringView pattern, TDateTime value);

// "yyyy/mm/dd" (the run's date format), as the rest of the application reads it.
std::optional<TDateTime> strToDate(QStringView text);
// "h:nn", "h:nn:ss" with an optional "AM"/"PM"; the value is the fraction of a day.
std::optional<TDateTime> strToTime(QStringView text);

}  // namespace lum
