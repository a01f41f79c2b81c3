#include "common/calendar_helpers.h"

#include <utility>

namespace lum {

const NameTable WeekdayLetters{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

QString FirstDayOfMonthText(TDateTime date) { return date.toDateText().left(8) + QStringLiteral("01"); }

TDateTime FirstDayOfMonth(TDateTime date) {
    const QDate d = date.date();
    return TDateTime::fromYmd(d.year(), d.month(), 1);
}

QString DayWithWeekdayText(TDateTime date) {
    const QDate d = date.date();
    return QStringLiteral("%1 (%2)").arg(d.day(), 2).arg(WeekdayLetters[d.dayOfWeek() % 7]);
}

int AgeInYears(TDateTime date1, TDateTime date2) {
    QDate from = date1.date();
    QDate to = date2.date();
    if (to < from) std::swap(from, to);
    int years = to.year() - from.year();
    if (std::pair(to.month(), to.day()) < std::pair(from.month(), from.day())) --years;
    return years;
}

}  // namespace lum
