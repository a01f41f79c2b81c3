#include "common/datetime.h"

#include <algorithm>
#include <cmath>

namespace lum {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsecsPerDay = 24LL * 60 * 60 * 1000;

bool readNumber(QStringView part, int minDigits, int maxDigits, int& out) {
    // A field may start with blanks in place of leading zeros (" 5").
    qsizetype i = 0;
    while (i < part.size() && part[i] == u' ') ++i;
    const QStringView digits = part.mid(i);
    if (digits.size() < 1 || part.size() < minDigits || part.size() > maxDigits) return false;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    out = value;
    return true;
}

}  // namespace

TDateTime TDateTime::fromDate(const QDate& date) {
    if (!date.isValid()) return TDateTime();
    return TDateTime(static_cast<double>(kEpoch.daysTo(date)));
}

TDateTime TDateTime::fromDateAndTime(const QDate& date, const QTime& time) {
    if (!date.isValid()) return TDateTime();
    const double days = static_cast<double>(kEpoch.daysTo(date));
    const double frac = time.isValid() ? static_cast<double>(time.msecsSinceStartOfDay()) / kMsecsPerDay : 0.0;
    // Before the epoch the day counts down while the time still counts up.
    return TDateTime(days < 0 ? days - frac : days + frac);
}

TDateTime TDateTime::fromDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid()) return TDateTime();
    return fromDateAndTime(dateTime.date(), dateTime.time());
}

TDateTime TDateTime::fromYmd(int year, int month, int day) { return fromDate(QDate(year, month, day)); }

TDateTime TDateTime::fromYmdHms(int year, int month, int day, int hour, int minute, int second, int msec) {
    return fromDateAndTime(QDate(year, month, day), QTime(hour, minute, second, msec));
}

int TDateTime::dayNumber() const {
    // A value read from a damaged record may be anything: keep the cast defined
    // (years -9999 to 9999 lie well inside these bounds).
    constexpr double kLimit = 5'000'000.0;
    if (!std::isfinite(days_)) return 0;
    return static_cast<int>(std::trunc(std::clamp(days_, -kLimit, kLimit)));
}

TDateTime TDateTime::dateOnly() const { return TDateTime(static_cast<double>(dayNumber())); }

QDate TDateTime::date() const { return kEpoch.addDays(dayNumber()); }

int TDateTime::msecsOfDay() const {
    if (!std::isfinite(days_)) return 0;
    const double frac = std::fabs(days_ - std::trunc(days_));
    qint64 ms = std::llround(frac * kMsecsPerDay);
    if (ms >= kMsecsPerDay) ms = kMsecsPerDay - 1;
    return static_cast<int>(ms);
}

QTime TDateTime::time() const { return QTime::fromMSecsSinceStartOfDay(msecsOfDay()); }

QDateTime TDateTime::toQDateTime() const { return QDateTime(date(), time()); }

TDateTime TDateTime::addDays(int days) const { return TDateTime(days_ + days); }

QString TDateTime::toDateText() const { return date().toString(QStringLiteral("yyyy/MM/dd")); }

QString TDateTime::toDateTimeText() const {
    return toDateText() + u' ' + time().toString(QStringLiteral("HH:mm:ss"));
}

std::optional<TDateTime> parseDateText(QStringView text) {
    const auto parts = text.split(u'/');
    if (parts.size() != 3) return std::nullopt;
    int y = 0, m = 0, d = 0;
    if (!readNumber(parts[0], 1, 4, y) || !readNumber(parts[1], 1, 2, m) || !readNumber(parts[2], 1, 2, d))
        return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    return TDateTime::fromDate(date);
}

namespace {

// "h:nn" or "h:nn:ss" (one or two digits each, as typed).
std::optional<QTime> parseClockText(QStringView text) {
    const auto parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    int h = 0, m = 0, sec = 0;
    if (!readNumber(parts[0], 1, 2, h) || !readNumber(parts[1], 1, 2, m)) return std::nullopt;
    if (parts.size() == 3 && !readNumber(parts[2], 1, 2, sec)) return std::nullopt;
    for (const QStringView part : parts) {
        if (part.startsWith(u' ')) return std::nullopt;  // blanks only around the whole text
    }
    if (h > 23 || m > 59 || sec > 59) return std::nullopt;
    return QTime(h, m, sec);
}

bool isAsciiBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::optional<TDateTime> parseDateTimeText(QStringView text) {
    while (!text.isEmpty() && isAsciiBlank(text.front())) text = text.mid(1);
    while (!text.isEmpty() && isAsciiBlank(text.back())) text.chop(1);
    if (!text.contains(u'/')) {
        const std::optional<QTime> clock = parseClockText(text);
        if (!clock) return std::nullopt;
        return TDateTime::fromDateAndTime(kEpoch, *clock);
    }
    const qsizetype blank = text.indexOf(u' ');
    const QStringView datePart = blank < 0 ? text : text.left(blank);
    if (datePart.indexOf(u'/') != 4) return std::nullopt;  // a year of four digits
    for (const QStringView part : datePart.split(u'/')) {
        if (part.startsWith(u' ')) return std::nullopt;
    }
    const std::optional<TDateTime> day = parseDateText(datePart);
    if (!day) return std::nullopt;
    if (blank < 0) return day;
    QStringView clockPart = text.mid(blank + 1);
    while (!clockPart.isEmpty() && isAsciiBlank(clockPart.front())) clockPart = clockPart.mid(1);
    const std::optional<QTime> clock = parseClockText(clockPart);
    if (!clock) return std::nullopt;
    return TDateTime::fromDateAndTime(day->date(), *clock);
}

DateRange dayRange(TDateTime day) {
    const TDateTime begin = day.dateOnly();
    return {begin, begin.addDays(1)};
}

DateRange monthRange(int year, int month) {
    const QDate first(year, month, 1);
    return {TDateTime::fromDate(first), TDateTime::fromDate(first.addMonths(1))};
}

DateRange monthRange(TDateTime anyDayOfMonth) {
    const QDate d = anyDayOfMonth.date();
    return monthRange(d.year(), d.month());
}

}  // namespace lum
