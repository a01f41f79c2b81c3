#pragma once
// The booking summary of a month without a window: the day header (days and
// weekday letters, Sundays apart) and one row per client with the client's
// type mark on each booked day and the number of bookings.
#include "clients/person.h"
#include "common/datetime.h"
#include "schedule/booking_store.h"

#include <QString>

#include <array>
#include <vector>

namespace lum {

inline constexpr int SummaryDays = 31;

struct SummaryHeader {
    std::array<QString, SummaryDays> Days;      // "1" .. the month's last day, then empty
    std::array<QString, SummaryDays> Weekdays;  // 月 .. 日, then empty
    std::array<bool, SummaryDays> Sunday{};
};

struct SummaryRow {
    int CureNo = 0;
    QString Number;  // "%-8.8d": eight digits with leading zeros
    QString Name;
    std::array<QString, SummaryDays> Marks;  // the type mark on booked days
    QString Total;   // the bookings, right-aligned in four characters
};

SummaryHeader BuildSummaryHeader(TDateTime monthStart);
// ○ 入所, □ 短期入所, △ 通所, ◇ 訪問; empty for any other type.
QString SummaryMark(int rihaType);
// The clients in the order given; bookings of other clients or outside the
// month are passed over. Two bookings on one day share the day's mark and
// count two.
std::vector<SummaryRow> BuildBookingSummary(const std::vector<TPerson>& clients,
                                            const std::vector<ClientBookingDay>& bookings, TDateTime monthStart);

}  // namespace lum
