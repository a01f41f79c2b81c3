#pragma once
// Dates as era texts and back: "平成14年05月01日", "平成14年05月", "H14.05.01".
// The era year always has two digits (the first year is 01, never 元年).
#include "common/datetime.h"

#include <QString>
#include <QStringView>

namespace lum {

// Reads "ggee年mm月dd日": the first character picks the era (明 大 昭 平 令),
// positions 2-3 are the era year, 5-6 the month, 8-9 the day. A blank may
// stand for a leading zero; underscores and impossible dates are refused.
// Era years past an era's end count on (平成32年 is 2020), so texts written
// before an era change still read as the intended date. On false, date is
// set to the empty date.
bool EraTextToDate(QStringView text, TDateTime& date);

// "ggee年mm月dd日"; empty for a date before 明治.
QString DateToEraText(TDateTime date);
// "ggee年mm月"; empty for a date before 明治.
QString DateToEraMonthText(TDateTime date);
// "gg ee年mm月dd日", with a blank after the era name, as lists and headings show it.
QString DateToEraSpacedText(TDateTime date);
// "gg ee年mm月", likewise.
QString DateToEraSpacedMonthText(TDateTime date);
// "ggee年mm月dd日hh時nn分" ("令和06年05月07日09時05分"), the moment a printout
// was made; empty for a date before 明治.
QString DateTimeToEraMinuteText(TDateTime dateTime);
// "ggee/mm/dd" ("令和06/05/01"), as the results entry shows a day; empty
// for a date before 明治.
QString DateToEraSlashText(TDateTime date);
// The era key and "ee.mm.dd" ("H14.05.01", "R01.05.01"); empty for the empty
// date and for a date before 明治.
QString DateToEraShortText(TDateTime date);

}  // namespace lum
