// A stored date is counted from its calendar fields: the machine's time zone
// and its daylight-saving days must never move it.
#include "common/datetime.h"
#include "common/db/sql_date.h"

#include "support/scoped_time_zone.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using lum::TDateTime;

namespace {

// What one wall-clock time of a day turns into on every road that builds a date-time.
struct Reading {
    double ymdHms;
    double dateAndTime;
    double parsed;     // a file's "yyyy/mm/dd h:nn" text
    double stored;     // the database's stored text read back
    double clockOnly;  // the time alone, on the empty date
    QString storedText;
    friend bool operator==(const Reading&, const Reading&) = default;
    friend void PrintTo(const Reading& r, std::ostream* os) {
        *os << '{' << r.ymdHms << ' ' << r.dateAndTime << ' ' << r.parsed << ' ' << r.stored << ' ' << r.clockOnly
            << " \"" << r.storedText.toStdString() << "\"}";
    }
};

std::vector<Reading> readDays() {
    std::vector<Reading> out;
    for (const QDate day : {QDate(2024, 3, 10), QDate(2024, 11, 3)}) {
        for (int hour = 0; hour < 24; ++hour) {
            for (const int minute : {0, 30}) {
                const QTime clock(hour, minute);
                Reading r{};
                const TDateTime value = TDateTime::fromYmdHms(day.year(), day.month(), day.day(), hour, minute);
                r.ymdHms = value.value();
                r.dateAndTime = TDateTime::fromDateAndTime(day, clock).value();
                const QString text = day.toString(QStringLiteral("yyyy/MM/dd ")) + clock.toString(QStringLiteral("H:mm"));
                r.parsed = lum::parseDateTimeText(text).value_or(TDateTime(-1)).value();
                r.storedText = lum::db::sqlDateText(value);
                r.stored = lum::db::readDate(QVariant(r.storedText)).value();
                r.clockOnly = lum::parseDateTimeText(clock.toString(QStringLiteral("H:mm"))).value_or(TDateTime(-1)).value();
                out.push_back(r);
            }
        }
    }
    return out;
}

}  // namespace

TEST(TDateTimeZones, EveryHourOfTheChangeDaysIsTheSameInEveryZone) {
    std::vector<Reading> utc;
    {
        lum::test::ScopedTimeZone zone("UTC");
        utc = readDays();
    }
    // The counted values themselves: days since 1899-12-30 and the fraction.
    ASSERT_EQ(utc.size(), 96u);
    const double march10 = 45361, november3 = 45599;
    for (std::size_t i = 0; i < utc.size(); ++i) {
        const double day = i < 48 ? march10 : november3;
        const double minutes = static_cast<double>((i % 48) / 2 * 60 + (i % 2) * 30);
        EXPECT_EQ(utc[i].ymdHms, day + minutes * 60000 / 86400000.0) << i;
        EXPECT_EQ(utc[i].clockOnly, minutes * 60000 / 86400000.0) << i;
    }
    EXPECT_EQ(utc[5].storedText, QStringLiteral("2024-03-10 02:30:00"));

    struct Zone {
        const char* name;
        int winterOffset;  // seconds east of UTC on 2024-01-15, to prove the zone is in effect
    };
    const Zone zones[] = {{"America/New_York", -5 * 3600}, {"Europe/Berlin", 3600}, {"Asia/Tokyo", 9 * 3600}};
    for (const Zone& z : zones) {
        lum::test::ScopedTimeZone zone(z.name);
        ASSERT_EQ(QDateTime(QDate(2024, 1, 15), QTime(12, 0)).offsetFromUtc(), z.winterOffset)
            << z.name << ": the zone's rules are not installed";
        const std::vector<Reading> local = readDays();
        ASSERT_EQ(local.size(), utc.size());
        for (std::size_t i = 0; i < utc.size(); ++i) {
            EXPECT_EQ(local[i], utc[i]) << z.name << ' ' << utc[i].storedText.toStdString();
        }
    }
}
