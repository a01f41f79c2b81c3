#include "common/era.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

TEST(Era, TableIsOldestFirst) {
    const auto& eras = lum::eras();
    ASSERT_EQ(eras.size(), 5u);
    QString keys;
    for (const lum::Era& e : eras) {
        keys += e.key;
        EXPECT_EQ(e.firstLetter, e.name.left(1));
        EXPECT_EQ(e.firstDay.year() - e.baseYear, 1) << qPrintable(e.name);  // the first day is in 元年
    }
    EXPECT_EQ(keys, QStringLiteral("MTSHR"));
    for (size_t i = 1; i < eras.size(); ++i) EXPECT_LT(eras[i - 1].firstDay, eras[i].firstDay);
}

TEST(Era, BoundariesAndYears) {
    struct Row { QDate date; const char* era; int year; };
    const Row rows[] = {
        {QDate(1867, 12, 31), nullptr, 0},   {QDate(1868, 1, 1), "明治", 1},
        {QDate(1899, 12, 30), "明治", 32},   {QDate(1912, 7, 29), "明治", 45},
        {QDate(1912, 7, 30), "大正", 1},     {QDate(1926, 12, 24), "大正", 15},
        {QDate(1926, 12, 25), "昭和", 1},    {QDate(1989, 1, 7), "昭和", 64},
        {QDate(1989, 1, 8), "平成", 1},      {QDate(2019, 4, 30), "平成", 31},
        {QDate(2019, 5, 1), "令和", 1},      {QDate(2026, 12, 10), "令和", 8},
        {QDate(), nullptr, 0},
    };
    for (const Row& r : rows) {
        const lum::Era* e = lum::eraOf(r.date);
        if (r.era) {
            ASSERT_NE(e, nullptr) << qPrintable(r.date.toString());
            EXPECT_EQ(e->name, QString::fromUtf8(r.era)) << qPrintable(r.date.toString());
        } else {
            EXPECT_EQ(e, nullptr) << qPrintable(r.date.toString());
        }
        EXPECT_EQ(lum::eraYear(r.date), r.year) << qPrintable(r.date.toString());
    }
}

TEST(Era, LookupByKeyAndLetter) {
    struct Row { QChar key; QChar letter; const char* era; };
    const Row rows[] = {{u'M', u'明', "明治"}, {u't', u'大', "大正"}, {u's', u'昭', "昭和"},
                        {u'H', u'平', "平成"}, {u'r', u'令', "令和"}, {u'X', u'X', nullptr},
                        {u'1', u'元', nullptr}};
    for (const Row& r : rows) {
        const lum::Era* byKey = lum::eraByKey(r.key);
        const lum::Era* byLetter = lum::eraByFirstLetter(r.letter);
        if (!r.era) {
            EXPECT_EQ(byKey, nullptr);
            EXPECT_EQ(byLetter, nullptr);
            continue;
        }
        ASSERT_NE(byKey, nullptr);
        EXPECT_EQ(byKey->name, QString::fromUtf8(r.era));
        EXPECT_EQ(byLetter, byKey);
    }
}
