// A result written on a workstation whose clock skips an hour keeps its day
// and its start time: the values never pass through the local clock.
#include "results/cure_results_store.h"

#include "results_fixture.h"
#include "support/scoped_time_zone.h"

#include <gtest/gtest.h>

namespace {

using lum::CureResult;
using lum::TDateTime;

class ResultDatesInZones : public lum::test::ResultsDatabaseTest {};

TEST_P(ResultDatesInZones, AStartInTheSkippedHourIsStoredAsTyped) {
    const TPerson client = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 2, 15));
    for (const char* zone : {"America/New_York", "Europe/Berlin", "Asia/Tokyo", "UTC"}) {
        lum::test::ScopedTimeZone inZone(zone);
        // 2024-03-10 02:30 does not exist in New York; 2024-11-03 01:30 exists twice.
        for (const auto& [day, hour] : {std::pair{QDate(2024, 3, 10), 2}, std::pair{QDate(2024, 3, 31), 2},
                                        std::pair{QDate(2024, 11, 3), 1}}) {
            const TDateTime at = TDateTime::fromYmdHms(day.year(), day.month(), day.day(), hour, 30);
            EXPECT_EQ(at.value(), TDateTime::fromDate(day).value() + (hour * 60 + 30) / 1440.0) << zone;
            CureResult row = lum::NewHandEnteredResult(client, at, at);
            row.RStartTime = lum::StartTimeOnEmptyDate(at);
            EXPECT_EQ(row.PStartTime, TDateTime((hour * 60 + 30) / 1440.0)) << zone;
            row.ResultNo = store().insert(row);
            const auto back = store().find(row.ResultNo);
            ASSERT_TRUE(back) << zone;
            EXPECT_EQ(back->CureDate, TDateTime::fromDate(day)) << zone;
            EXPECT_EQ(back->RStartTime, row.RStartTime) << zone;
            EXPECT_EQ(back->PStartTime.toDateTimeText(),
                      QStringLiteral("1899/12/30 %1:30:00").arg(hour, 2, 10, QLatin1Char('0')))
                << zone;
        }
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(ResultDatesInZones);

}  // namespace
