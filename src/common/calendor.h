#pragma once
// TCalendor: one calendar month as 31 day entries (entry i is day i + 1),
// with the day labels of the monthly printouts, grids and CSV files. Entries
// past the month's last day keep Day 0; callers loop over all 31 and leave
// those out.
#include "common/code_tables.h"
#include "common/datetime.h"

#include <QChar>
#include <QString>

#include <array>

namespace lum {

// Weekday names of the calendar, Sunday first (the Week field's index).
extern const NameTable& CalendorWeekNames;

inline constexpr int CalendorDays = 31;

struct TCALENDOR_DATA {
    std::array<int, CalendorDays> Day{};       // i + 1, or 0 when the month has no such day
    std::array<int, CalendorDays> Week{};      // 0 Sunday .. 6 Saturday
    std::array<QChar, CalendorDays> Flag{};    // '1' Sunday, '0' other days
    std::array<QString, CalendorDays> DateStr; // "yyyy/mm/dd"
};

class TCalendor {
public:
    TCalendor() { Clear(); }

    // Day and Week 0 everywhere; Flag '2' in entry 0 and NUL in the others.
    void Clear();
    // Fills the entries of the date's month: exactly its valid days. The
    // run's date format is not touched.
    void SetMonth(TDateTime anyDayOfMonth);

    // " 1 (日)": the day right-aligned in two places, a blank, the weekday in
    // parentheses. An index outside 0..30 gives an empty text or 0.
    QString DayWeekLabel(int i) const;
    QString DayLabel(int i) const;  // "%2d"
    QString WeekName(int i) const;
    QChar Flag(int i) const;
    int Day(int i) const;
    // The entry's date; the empty date for a day the month lacks.
    TDateTime Date(int i) const;

    const TCALENDOR_DATA& Data() const { return data_; }

private:
    static bool valid(int i) { return i >= 0 && i < CalendorDays; }

    TCALENDOR_DATA data_;
};

}  // namespace lum
