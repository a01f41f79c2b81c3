#include "common/era_text.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

using lum::TDateTime;

namespace {

TDateTime ymd(int y, int m, int d) { return TDateTime::fromYmd(y, m, d); }

}  // namespace

TEST(EraText, DatesAcrossEveryEraBoundary) {
    struct Row { QDate date; const char* full; const char* month; const char* spaced; const char* shortText; };
    // "ggee/mm/dd" is the full text with slashes.
    const auto slashText = [](const char* full) {
        QString t = QString::fromUtf8(full);
        if (t.isEmpty()) return t;
        t.replace(u'年', u'/').replace(u'月', u'/');
        t.chop(1);  // 日
        return t;
    };
    // "gg ee年mm月" is the spaced text without its day ("dd日").
    const auto withoutDay = [](const char* spaced) {
        QString t = QString::fromUtf8(spaced);
        if (!t.isEmpty()) t.chop(3);
        return t;
    };
    const Row rows[] = {
        {QDate(1868, 1, 1), "明治01年01月01日", "明治01年01月", "明治 01年01月01日", "M01.01.01"},
        {QDate(1912, 7, 29), "明治45年07月29日", "明治45年07月", "明治 45年07月29日", "M45.07.29"},
        {QDate(1912, 7, 30), "大正01年07月30日", "大正01年07月", "大正 01年07月30日", "T01.07.30"},
        {QDate(1926, 12, 24), "大正15年12月24日", "大正15年12月", "大正 15年12月24日", "T15.12.24"},
        {QDate(1926, 12, 25), "昭和01年12月25日", "昭和01年12月", "昭和 01年12月25日", "S01.12.25"},
        {QDate(1989, 1, 7), "昭和64年01月07日", "昭和64年01月", "昭和 64年01月07日", "S64.01.07"},
        {QDate(1989, 1, 8), "平成01年01月08日", "平成01年01月", "平成 01年01月08日", "H01.01.08"},
        {QDate(2002, 5, 1), "平成14年05月01日", "平成14年05月", "平成 14年05月01日", "H14.05.01"},
        {QDate(2019, 4, 30), "平成31年04月30日", "平成31年04月", "平成 31年04月30日", "H31.04.30"},
        {QDate(2019, 5, 1), "令和01年05月01日", "令和01年05月", "令和 01年05月01日", "R01.05.01"},
        {QDate(2026, 12, 10), "令和08年12月10日", "令和08年12月", "令和 08年12月10日", "R08.12.10"},
        {QDate(1867, 12, 31), "", "", "", ""},
    };
    for (const Row& r : rows) {
        const TDateTime d = TDateTime::fromDate(r.date);
        const QString label = r.date.toString(Qt::ISODate);
        EXPECT_EQ(lum::DateToEraText(d), QString::fromUtf8(r.full)) << qPrintable(label);
        EXPECT_EQ(lum::DateToEraMonthText(d), QString::fromUtf8(r.month)) << qPrintable(label);
        EXPECT_EQ(lum::DateToEraSpacedText(d), QString::fromUtf8(r.spaced)) << qPrintable(label);
        EXPECT_EQ(lum::DateToEraShortText(d), QString::fromUtf8(r.shortText)) << qPrintable(label);
        EXPECT_EQ(lum::DateToEraSlashText(d), slashText(r.full)) << qPrintable(label);
        EXPECT_EQ(lum::DateToEraSpacedMonthText(d), withoutDay(r.spaced)) << qPrintable(label);
        // The time of day does not change the text.
        EXPECT_EQ(lum::DateToEraText(TDateTime::fromDateTime(QDateTime(r.date, QTime(18, 0)))),
                  QString::fromUtf8(r.full));
    }
    EXPECT_EQ(lum::DateToEraShortText(TDateTime()), QString());
    EXPECT_EQ(lum::DateToEraText(TDateTime()), QStringLiteral("明治32年12月30日"));
}

TEST(EraText, AMomentToTheMinute) {
    EXPECT_EQ(lum::DateTimeToEraMinuteText(TDateTime::fromYmdHms(2024, 5, 7, 9, 5, 59)),
              QStringLiteral("令和06年05月07日09時05分"));
    EXPECT_EQ(lum::DateTimeToEraMinuteText(TDateTime::fromYmdHms(2019, 4, 30, 23, 59)),
              QStringLiteral("平成31年04月30日23時59分"));
    EXPECT_EQ(lum::DateTimeToEraMinuteText(TDateTime::fromYmd(2002, 5, 1)), QStringLiteral("平成14年05月01日00時00分"));
    EXPECT_EQ(lum::DateTimeToEraMinuteText(TDateTime::fromYmd(1867, 12, 31)), QString());
}

TEST(EraText, ReadsEraTexts) {
    struct Row { const char* text; bool ok; QDate date; };
    const Row rows[] = {
        {"平成14年05月01日", true, QDate(2002, 5, 1)},
        {"平成14年 5月 1日", true, QDate(2002, 5, 1)},     // blank-led month and day
        {"平成 1年01月08日", true, QDate(1989, 1, 8)},
        {"明治01年01月01日", true, QDate(1868, 1, 1)},
        {"明治45年07月29日", true, QDate(1912, 7, 29)},
        {"大正01年07月30日", true, QDate(1912, 7, 30)},
        {"大正15年12月24日", true, QDate(1926, 12, 24)},
        {"昭和01年12月25日", true, QDate(1926, 12, 25)},
        {"昭和64年01月07日", true, QDate(1989, 1, 7)},
        {"平成01年01月08日", true, QDate(1989, 1, 8)},
        {"平成31年04月30日", true, QDate(2019, 4, 30)},
        {"令和01年05月01日", true, QDate(2019, 5, 1)},
        {"令和03年12月31日", true, QDate(2021, 12, 31)},
        // Texts written before the era change still mean the same day.
        {"平成31年05月01日", true, QDate(2019, 5, 1)},
        {"平成32年01月10日", true, QDate(2020, 1, 10)},
        {"平成12年02月29日", true, QDate(2000, 2, 29)},
        {"＿＿__年__月__日", false, {}},                  // the untouched mask
        {"平成__年05月01日", false, {}},
        {"平成14年__月01日", false, {}},
        {"平成14年05月__日", false, {}},
        {"平成14年05月1_日", false, {}},
        {" 平成14年05月01日", false, {}},                  // a blank before the era name
        {"平成14年02月30日", false, {}},
        {"平成13年02月29日", false, {}},
        {"平成14年13月01日", false, {}},
        {"H14年05月01日", false, {}},
        {"西暦14年05月01日", false, {}},
        {"", false, {}},
        {"平", false, {}},
    };
    for (const Row& r : rows) {
        TDateTime d = TDateTime::fromYmd(2000, 1, 1);
        EXPECT_EQ(lum::EraTextToDate(QString::fromUtf8(r.text), d), r.ok) << r.text;
        EXPECT_EQ(d, r.ok ? TDateTime::fromDate(r.date) : TDateTime()) << r.text;
    }
}

// Every day of every era reads back from its own text.
TEST(EraText, EveryDayRoundTrips) {
    for (TDateTime d = ymd(1868, 1, 1); d <= ymd(2060, 12, 31); d = d.addDays(1)) {
        TDateTime back;
        ASSERT_TRUE(lum::EraTextToDate(lum::DateToEraText(d), back)) << qPrintable(d.toDateText());
        ASSERT_EQ(back, d) << qPrintable(d.toDateText());
        ASSERT_TRUE(lum::EraTextToDate(lum::DateToEraMonthText(d) + QStringLiteral("01日"), back));
        ASSERT_EQ(back.date(), QDate(d.date().year(), d.date().month(), 1));
    }
}
