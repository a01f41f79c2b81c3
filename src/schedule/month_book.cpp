#include "schedule/month_book.h"

#include <QDate>

namespace lum {

void TUserMonthBook::MakeMonth(MonthDays& out, TDateTime date) {
    const QDate first = QDate(date.date().year(), date.date().month(), 1);
    int weekday = first.dayOfWeek();  // 1 Monday .. 7 Sunday
    const int last = first.daysInMonth();
    for (int d = 1; d <= MonthBookDays; ++d) {
        TMonthBookDay& day = days_[static_cast<size_t>(d - 1)];
        if (d > last) {
            day = {};
            continue;
        }
        const TWeekBookSlot& slot = Slot(weekday);
        day.StartTime = slot.StartTime;
        day.Minutes = slot.Minutes;
        day.Requested = slot.StartTime.value() > 0 && slot.Minutes >= 1;
        weekday = weekday == 7 ? 1 : weekday + 1;
    }
    out = days_;
}

}  // namespace lum
