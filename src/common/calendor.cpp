#include "common/calendor.h"

#include "common/calendar_helpers.h"

namespace lum {

const NameTable& CalendorWeekNames = WeekdayLetters;

void TCalendor::Clear() {
    data_ = TCALENDOR_DATA{};
    data_.Flag.fill(QChar(0));
    data_.Flag[0] = u'2';
}

void TCalendor::SetMonth(TDateTime anyDayOfMonth) {
    Clear();
    const QDate any = anyDayOfMonth.date();
    for (int d = 1; d <= CalendorDays; ++d) {
        const QDate date(any.year(), any.month(), d);
        if (!date.isValid()) break;
        const int i = d - 1;
        data_.Day[i] = d;
        data_.Week[i] = date.dayOfWeek() % 7;
        data_.Flag[i] = data_.Week[i] == 0 ? u'1' : u'0';
        data_.DateStr[i] = TDateTime::fromDate(date).toDateText();
    }
}

QString TCalendor::DayWeekLabel(int i) const {
    if (!valid(i)) return QString();
    // A day the month has is labelled from its date; the others keep what
    // their cleared entry says (" 0 (日)").
    if (data_.Day[i] > 0) return DayWithWeekdayText(Date(i));
    return QStringLiteral("%1 (%2)").arg(data_.Day[i], 2).arg(CalendorWeekNames[data_.Week[i]]);
}

QString TCalendor::DayLabel(int i) const { return valid(i) ? QStringLiteral("%1").arg(data_.Day[i], 2) : QString(); }

QString TCalendor::WeekName(int i) const { return valid(i) ? CalendorWeekNames[data_.Week[i]] : QString(); }

QChar TCalendor::Flag(int i) const { return valid(i) ? data_.Flag[i] : QChar(0); }

int TCalendor::Day(int i) const { return valid(i) ? data_.Day[i] : 0; }

TDateTime TCalendor::Date(int i) const {
    if (!valid(i) || data_.Day[i] == 0) return TDateTime();
    return parseDateText(data_.DateStr[i]).value_or(TDateTime());
}

}  // namespace lum
