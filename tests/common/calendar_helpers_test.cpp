#include "common/calendar_helpers.h"
#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

using lum::TDateTime;

TEST(CalendarHelpers, MonthAndWeekday) {
    struct Row { QDate date; const char* first; const char* dayText; };
    const Row rows[] = {
        {QDate(2002, 5, 1), "2002/05/01", " 1 (水)"}, {QDate(2002, 5, 31), "2002/05/01", "31 (金)"},
        {QDate(2026, 1, 5), "2026/01/01", " 5 (月)"}, {QDate(2026, 12, 13), "2026/12/01", "13 (日)"},
        {QDate(2024, 2, 29), "2024/02/01", "29 (木)"}, {QDate(2026, 12, 12), "2026/12/01", "12 (土)"},
    };
    for (const Row& r : rows) {
        const TDateTime d = TDateTime(TDateTime::fromDate(r.date).value() + 0.5);
        EXPECT_EQ(lum::FirstDayOfMonthText(d), QString::fromUtf8(r.first));
        EXPECT_EQ(lum::FirstDayOfMonth(d), TDateTime::fromYmd(r.date.year(), r.date.month(), 1));
        EXPECT_EQ(lum::DayWithWeekdayText(d), QString::fromUtf8(r.dayText));
    }
    EXPECT_EQ(lum::WeekdayLetters.size(), 7);
    EXPECT_EQ(lum::WeekdayLetters[0], QStringLiteral("日"));
    EXPECT_EQ(lum::WeekdayLetters[6], QStringLiteral("土"));
}

TEST(CalendarHelpers, AgeIsTheCalendarAge) {
    struct Row { QDate a, b; int age; };
    const Row rows[] = {
        {QDate(1950, 3, 1), QDate(2002, 2, 28), 51},
        {QDate(1950, 3, 1), QDate(2002, 3, 1), 52},   // the birthday counts on the day itself
        {QDate(2000, 3, 1), QDate(2001, 3, 1), 1},
        {QDate(2000, 3, 1), QDate(2002, 3, 1), 2},
        {QDate(2000, 3, 1), QDate(2005, 3, 1), 5},
        {QDate(2000, 3, 1), QDate(2005, 2, 28), 4},
        {QDate(2000, 2, 29), QDate(2001, 2, 28), 0},  // born on 29 February: 1 March in common years
        {QDate(2000, 2, 29), QDate(2001, 3, 1), 1},
        {QDate(2000, 2, 29), QDate(2004, 2, 29), 4},
        {QDate(2000, 12, 31), QDate(2001, 1, 1), 0},
        {QDate(2002, 5, 1), QDate(2002, 5, 1), 0},
        {QDate(2002, 2, 28), QDate(1950, 3, 1), 51},  // either order
    };
    for (const Row& r : rows) {
        EXPECT_EQ(lum::AgeInYears(TDateTime::fromDate(r.a), TDateTime::fromDate(r.b)), r.age)
            << qPrintable(r.a.toString(Qt::ISODate)) << " " << qPrintable(r.b.toString(Qt::ISODate));
    }
    // The time of day does not count.
    EXPECT_EQ(lum::AgeInYears(TDateTime::fromYmdHms(1950, 3, 1, 23, 0), TDateTime::fromYmdHms(2002, 3, 1, 1, 0)), 52);
}

TEST(TextHelpers, SkipSpaces) {
    struct Row { const char* text; int start; int pos; };
    const Row rows[] = {
        {"ﾔﾏﾀﾞ ﾀﾛｳ", 5, 6}, {"ﾔﾏﾀﾞ   ﾀﾛｳ", 5, 8}, {"ab", 1, 1}, {"ab  ", 3, 5},
        {"ab", 3, 3},       {"ab", 7, 7},          {"", 1, 1},   {"  a", 0, 3},
        {"a　b", 2, 2},     // a full-width blank is not skipped
    };
    for (const Row& r : rows) EXPECT_EQ(lum::SkipSpaces(QString::fromUtf8(r.text), r.start), r.pos) << r.text;
}

TEST(TextHelpers, AsciiTrimKeepsFullWidthBlanks) {
    EXPECT_EQ(lum::asciiTrim(QStringLiteral(" \t山田　太郎 \r\n")), QStringLiteral("山田　太郎"));
    EXPECT_EQ(lum::asciiTrim(QStringLiteral("　山田　")), QStringLiteral("　山田　"));
    EXPECT_EQ(lum::asciiTrim(QStringLiteral("   ")), QString());
}

TEST(TextHelpers, CureNoTextHasEightDigitsWithTheSignBeforeTheZeros) {
    const std::pair<int, const char*> cases[] = {
        {0, "00000000"}, {123, "00000123"}, {12345678, "12345678"}, {123456789, "123456789"}, {-123, "-00000123"}};
    for (const auto& [number, text] : cases) EXPECT_EQ(lum::CureNoText(number), QString::fromLatin1(text)) << number;
}
