#pragma once
// The date-time value of stored records: days since 1899-12-30 with the time
// of day as the fraction. 1899-12-30 00:00 (the value 0) is the empty date.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

namespace lum {

class TDateTime {
public:
    constexpr TDateTime() = default;
    constexpr explicit TDateTime(double days) : days_(days) {}

    static TDateTime fromDate(const QDate& date);
    // A calendar date and a time of day, counted in days and milliseconds:
    // never through the local clock, so no time zone or daylight-saving rule
    // of the machine moves a stored value. An invalid date gives the empty
    // date; an invalid time counts as midnight.
    static TDateTime fromDateAndTime(const QDate& date, const QTime& time);
    // The date and time fields as they read (a local time stays as shown).
    static TDateTime fromDateTime(const QDateTime& dateTime);
    static TDateTime fromYmd(int year, int month, int day);
    static TDateTime fromYmdHms(int year, int month, int day, int hour, int minute, int second = 0,
                                int msec = 0);

    constexpr double value() const { return days_; }
    constexpr bool isEmpty() const { return days_ == 0.0; }

    // Whole days since 1899-12-30 (toward zero, as the stored value counts them).
    int dayNumber() const;
    // The day part alone (time 00:00).
    TDateTime dateOnly() const;
    QDate date() const;
    // Milliseconds since midnight, rounded to the nearest millisecond.
    int msecsOfDay() const;
    QTime time() const;
    QDateTime toQDateTime() const;  // local wall-clock time, never zone-shifted

    TDateTime addDays(int days) const;

    // The application's date text "yyyy/mm/dd", whatever the locale.
    QString toDateText() const;
    // "yyyy/mm/dd hh:nn:ss"
    QString toDateTimeText() const;

    friend constexpr auto operator<=>(TDateTime a, TDateTime b) { return a.days_ <=> b.days_; }
    friend constexpr bool operator==(TDateTime a, TDateTime b) { return a.days_ == b.days_; }

private:
    double days_ = 0.0;
};

// Reads a date in the application's format "yyyy/mm/dd": the separator is '/',
// a month or day may have one digit or a leading blank (" 5"). Impossible dates
// (the 30th of February) and anything else give no value.
std::optional<TDateTime> parseDateText(QStringView text);

// Reads a date-time text as files from other programs hold it: "yyyy/mm/dd"
// (a year of four digits, a month and day of one or two), optionally a blank
// and a time "h:nn" or "h:nn:ss", or the time alone (on the empty date).
// ASCII blanks around it are allowed; nothing else is read (no other
// separator, no two-digit year, no hour past 23).
std::optional<TDateTime> parseDateTimeText(QStringView text);

// Half-open ranges [begin, end) for queries over a day or a month.
struct DateRange {
    TDateTime begin;
    TDateTime end;
    bool contains(TDateTime t) const { return begin <= t && t < end; }
};
DateRange dayRange(TDateTime day);
DateRange monthRange(TDateTime anyDayOfMonth);
DateRange monthRange(int year, int month);

}  // namespace lum
