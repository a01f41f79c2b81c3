#pragma once
// Month, weekday and age helpers over the date value.
#include "common/code_tables.h"
#include "common/datetime.h"

#include <QString>

namespace lum {

// One-character weekday texts, Sunday = 0 (unlike WeekdayNames, Monday = 0).
extern const NameTable WeekdayLetters;

// The first day of the date's month in the run's date text: "2002/05/01".
QString FirstDayOfMonthText(TDateTime date);
// The first day of the date's month.
TDateTime FirstDayOfMonth(TDateTime date);
// The day right-aligned in two places and the weekday letter: " 5 (月)".
QString DayWithWeekdayText(TDateTime date);
// Whole years between the two dates in either order, as a calendar age: a
// birthday counts on the day itself (born 29 February, on 1 March in other
// years). The time of day is ignored.
int AgeInYears(TDateTime date1, TDateTime date2);

}  // namespace lum
