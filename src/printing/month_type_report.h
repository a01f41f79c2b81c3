#pragma once
// What the two month printouts by type share (results per type, month grid):
// the month chosen, the creation and month texts, the staff legend, and the
// rule that a day index past the month's last day answers an empty value.
#include "app/staff_list.h"
#include "common/calendor.h"
#include "common/datetime.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

namespace lum {

inline constexpr int MonthLegendSize = 20;     // Tk and TkName positions 1 to 20
inline constexpr int MonthLegendPrinted = 16;  // what the templates print (Tk1 .. Tk16)

// Tk and TkName: position k (1-based; index k - 1) holds the mark and the
// name of the k-th staff member of the list, empty beyond its end.
struct StaffLegend {
    std::array<QString, MonthLegendSize> Tk;
    std::array<QString, MonthLegendSize> TkName;

    void Fill(const std::vector<StaffMember>& staff);
    // "Tk1" .. "Tk16" and "TkName1" .. "TkName16"; false for any other name.
    bool Value(const QString& name, QString& value) const;
};

// The month of a printout: its first day, the half-open range its results
// are read from, and the calendar of its days.
struct ReportMonth {
    int Year = 0;
    int Month = 0;
    TDateTime UseMonth;  // the first day
    DateRange Range;     // [first day, first day of the next month)
    TCalendor Calendor;

    void Set(int year, int month);
    // One month on (+1) or back (-1), across the year boundary.
    void Step(int direction);
    int Days() const;
    // The day index (0 for the 1st) lies inside the month.
    bool HasDay(int dayIndex) const { return dayIndex >= 0 && dayIndex < Days(); }
};

// The texts of a prepared printout: the creation date "ggee年mm月dd日" of the
// moment of preparation and the month "ggee年mm月".
struct ReportTexts {
    QString Created;
    QString MonthText;

    static ReportTexts Of(const QDateTime& preparedAt, TDateTime month);
};

// Day index of a record number (counted from 0): the record itself.
// Names of the day-bound values answer empty past the month's end.
QString DayValueOrEmpty(const ReportMonth& month, int dayIndex, const QString& value);

}  // namespace lum
