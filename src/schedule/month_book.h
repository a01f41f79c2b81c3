#pragma once
// A client's weekly requests (週間希望: a start time and minutes per
// weekday, Monday = 1 .. Sunday = 7) and the month of requested days made
// from them. The month is what the client month schedule shows as
// requests waiting for a staff member.
#include "common/datetime.h"

#include <array>

namespace lum {

inline constexpr int MonthBookDays = 31;

struct TWeekBookSlot {
    TDateTime StartTime;  // a time of day on day 0; 0 means no time
    int Minutes = 0;

    bool operator==(const TWeekBookSlot&) const = default;
};

// Index 0 is Monday .. 6 Sunday (weekday w is slot w - 1).
using WeekSlots = std::array<TWeekBookSlot, 7>;

struct TMonthBookDay {
    bool Requested = false;
    TDateTime StartTime;
    int Minutes = 0;

    bool operator==(const TMonthBookDay&) const = default;
};

// Index 0 is the 1st of the month .. 30 the 31st.
using MonthDays = std::array<TMonthBookDay, MonthBookDays>;

class TUserWeekBook {
public:
    void Clear() { week_ = {}; }
    void SetWeek(const WeekSlots& week) { week_ = week; }
    WeekSlots GetWeek() const { return week_; }
    // Weekday 1 (Monday) .. 7 (Sunday).
    const TWeekBookSlot& Slot(int weekday) const { return week_.at(static_cast<size_t>(weekday - 1)); }

protected:
    WeekSlots week_{};
};

class TUserMonthBook : public TUserWeekBook {
public:
    // Clears the 31 days (the weekly pattern stays).
    void Clear() { days_ = {}; }
    // Fills the days of the month of date from the weekly pattern, weekday
    // after weekday from the 1st; a day is requested when its start time is
    // not 0 and it has at least one minute. Days past the month's end are
    // cleared. The days are copied out.
    void MakeMonth(MonthDays& out, TDateTime date);
    const MonthDays& Days() const { return days_; }

private:
    MonthDays days_{};
};

}  // namespace lum
