// Page lists and the paper table of the Default printer.
#include "report/print/page_list.h"
#include "report/print/paper_table.h"

#include <gtest/gtest.h>

using namespace lum;

TEST(PageListTest, SyntaxTable) {
    struct Case {
        const char* text;
        QList<int> printed;  // of pages 1..14
        int firstOfThree;    // the first page printed of a three-page document; 0: none
    } cases[] = {
        {"2", {2}, 2},
        {"3-1", {}, 0},
        {"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 1},
        {"1,3,5-12", {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}, 1},
        {" 2 , 4 ", {2, 4}, 2},
        {"5-3", {}, 0},
        {"13-2000000000", {13, 14}, 0},
        {"4-5", {4, 5}, 0},
        {"9,3-2000000000", {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 3},
        {"0-2", {1, 2}, 1},
    };
    for (const Case& k : cases) {
        PageList list;
        ASSERT_TRUE(ParsePageList(QString::fromUtf8(k.text), list)) << k.text;
        QList<int> printed;
        for (int page = 1; page <= 14; ++page)
            if (list.contains(page)) printed.append(page);
        EXPECT_EQ(printed, k.printed) << k.text;
        EXPECT_EQ(list.firstOf(3), k.firstOfThree) << k.text;
        EXPECT_EQ(list.firstOf(0), 0) << k.text << ": a document without pages";
    }
}

TEST(PageListTest, HugeRangeStaysOneRange) {
    PageList list;
    ASSERT_TRUE(ParsePageList(QStringLiteral("1-2000000000"), list));
    ASSERT_EQ(list.ranges().size(), 1);
    EXPECT_TRUE(list.contains(1999999999));
}

TEST(PageListTest, MalformedItemsAreRefusedWithTheirText) {
    for (const char* text : {"a", "1,,2", "1-", "-3", "1-x", "99999999999"}) {
        PageList list;
        QString error;
        EXPECT_FALSE(ParsePageList(QString::fromUtf8(text), list, &error)) << text;
        EXPECT_TRUE(error.contains(QStringLiteral("is not a valid integer value"))) << error.toStdString();
    }
}

TEST(PaperTableTest, SixtySevenRowsWithTheTellingSizes) {
    EXPECT_EQ(paperTable().size(), 67u);
    struct Case {
        int code;
        const char* name;
        int w, h;
    } cases[] = {{8, "A3 297 x 420 mm", 2970, 4200},  {9, "A4 210 x 297 mm", 2100, 2970},
                 {11, "A5 148 x 210 mm", 1480, 2100}, {12, "B4 250 x 354 mm", 2500, 3540},
                 {13, "B5 182 x 257 mm", 1820, 2570}, {43, "Japanese Postcard 100 x 148 mm", 1000, 1480},
                 {256, "Custom", 0, 0}};
    for (const Case& k : cases) {
        const PaperInfo* p = findPaper(k.code);
        ASSERT_NE(p, nullptr) << k.code;
        EXPECT_STREQ(p->name, k.name);
        EXPECT_EQ(p->width, k.w);
        EXPECT_EQ(p->height, k.h);
    }
    EXPECT_EQ(findPaper(48), nullptr);
    EXPECT_EQ(paperCodeForSize(2970, 2100), 8 + 1);
    EXPECT_EQ(paperCodeForSize(1234, 999), kPaperCustom);
}
