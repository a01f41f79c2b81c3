#include "schedule/booking_summary.h"

#include "common/code_tables.h"
#include "common/text_helpers.h"

#include <map>

namespace lum {

SummaryHeader BuildSummaryHeader(TDateTime monthStart) {
    SummaryHeader header;
    const QDate first = monthStart.date();
    for (int d = 1; d <= first.daysInMonth() && d <= SummaryDays; ++d) {
        const QDate day(first.year(), first.month(), d);
        const auto i = static_cast<size_t>(d - 1);
        header.Days[i] = QString::number(d);
        header.Weekdays[i] = WeekdayShortNames.at(day.dayOfWeek() - 1);
        header.Sunday[i] = day.dayOfWeek() == Qt::Sunday;
    }
    return header;
}

QString SummaryMark(int rihaType) {
    switch (rihaType) {
    case 0: return QStringLiteral("○");
    case 1: return QStringLiteral("□");
    case 2: return QStringLiteral("△");
    case 3: return QStringLiteral("◇");
    default: return QString();
    }
}

std::vector<SummaryRow> BuildBookingSummary(const std::vector<TPerson>& clients,
                                            const std::vector<ClientBookingDay>& bookings, TDateTime monthStart) {
    const DateRange month = monthRange(monthStart);
    std::map<int, std::vector<TDateTime>> days;
    for (const ClientBookingDay& b : bookings) {
        if (month.contains(b.ReserveDay)) days[b.CureNo].push_back(b.ReserveDay);
    }
    std::vector<SummaryRow> rows;
    rows.reserve(clients.size());
    for (const TPerson& client : clients) {
        SummaryRow row;
        row.CureNo = client.CureNo;
        row.Number = CureNoText(client.CureNo);
        row.Name = client.Name;
        const std::vector<TDateTime>& booked = days[client.CureNo];
        for (TDateTime day : booked) row.Marks[static_cast<size_t>(day.date().day() - 1)] = SummaryMark(client.RihaType);
        row.Total = QStringLiteral("%1").arg(booked.size(), 4);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace lum
