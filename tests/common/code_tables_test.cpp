#include "common/code_tables.h"
#include "common/kubun.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

using namespace lum;

TEST(CodeTables, SizesAndEnds) {
    struct Row { const NameTable* table; int size; const char* first; const char* last; };
    const Row rows[] = {
        {&SexNames, 6, "男性", "不明"},           {&JiritsuNames, 9, "正常", "C2"},
        {&NinchiNames, 8, "正常", "Ｍ"},          {&YoukaigoNames, 7, "要支援1", "要介護5"},
        {&UmuNames, 4, "無", "問題有"},           {&GradeNames, 7, "無", "Ⅵ"},
        {&AssistNames, 3, "自立", "介助"},        {&SeverityNames, 3, "軽度", "重度"},
        {&WeekdayNames, 7, "月曜日", "日曜日"},   {&WeekdayShortNames, 7, "月", "日"},
        {&RihaTypeNames, 4, "入所", "訪問リハビリ"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.table->size(), r.size) << r.first;
        EXPECT_EQ(r.table->at(0), QString::fromUtf8(r.first));
        EXPECT_EQ((*r.table)[r.size - 1], QString::fromUtf8(r.last));
        // A stored value outside the table has no text.
        EXPECT_TRUE(r.table->at(r.size).isNull()) << r.first;
        EXPECT_TRUE(r.table->at(-1).isNull()) << r.first;
        EXPECT_TRUE((*r.table)[1000000].isNull()) << r.first;
    }
    // The numerals are the single full-width characters, not letter sequences.
    EXPECT_EQ(GradeNames[6], QString(QChar(0x2165)));
    EXPECT_EQ(NinchiNames[2], QString(QChar(0x2161)) + u'a');
}

TEST(CodeTables, LookupsAreExact) {
    struct Row { int (*lookup)(QStringView); const char* text; int index; };
    const Row rows[] = {
        {JiritsuIndex, "A2", 4},  {JiritsuIndex, "a2", -1},   {JiritsuIndex, "", -1},
        {JiritsuIndex, "正常", 0}, {JiritsuIndex, "C2", 8},    {JiritsuIndex, "A2 ", -1},
        {NinchiIndex, "Ｍ", 7},    {NinchiIndex, "M", -1},     {NinchiIndex, "Ⅱb", 3},
        {NinchiIndex, "IIb", -1}, {YoukaigoIndex, "要介護3", 4}, {YoukaigoIndex, "要介護３", -1},
        {YoukaigoIndex, "要支援1", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(r.lookup(QString::fromUtf8(r.text)), r.index) << r.text;
    EXPECT_EQ(LoginRetry, 2);
}

TEST(TKubun, EveryMask) {
    const char* shortTexts[16] = {"",   "短",   "認",   "短認",   "集",   "短集",   "認集",   "短認集",
                                  "個", "短個", "認個", "短認個", "集個", "短集個", "認集個", "短認集個"};
    for (int mask = 0; mask < 16; ++mask) {
        TKubun k;
        k.SetCode(mask);
        EXPECT_EQ(k.Tanki, (mask & 1) != 0) << mask;
        EXPECT_EQ(k.Ninchi, (mask & 2) != 0) << mask;
        EXPECT_EQ(k.Shudan, (mask & 4) != 0) << mask;
        EXPECT_EQ(k.Kobetsu, (mask & 8) != 0) << mask;
        EXPECT_EQ(k.GetCode(), mask);
        EXPECT_EQ(k.ShortText(), QString::fromUtf8(shortTexts[mask])) << mask;
    }
    struct Row { int mask; int code; const char* longText; };
    const Row rows[] = {
        {0, 0, ""}, {1, 1, "短期集中 "}, {5, 5, "短期集中 集団 "}, {8, 8, "個別"}, {10, 10, "認知症 個別"},
        {15, 15, "短期集中 認知症 集団 個別"}, {16, 0, ""}, {31, 15, "短期集中 認知症 集団 個別"}, {-1, 15, "短期集中 認知症 集団 個別"},
    };
    for (const Row& r : rows) {
        TKubun k;
        k.SetCode(15);
        k.SetCode(r.mask);  // clears what was set before
        EXPECT_EQ(k.GetCode(), r.code) << r.mask;
        EXPECT_EQ(k.LongText(), QString::fromUtf8(r.longText)) << r.mask;
        EXPECT_EQ(lum::KubunLongText(r.mask), QString::fromUtf8(r.longText)) << r.mask;
    }
    TKubun k;
    k.SetCode(15);
    k.Clear();
    EXPECT_EQ(k.GetCode(), 0);
    EXPECT_TRUE(k.ShortText().isEmpty());
}

TEST(TRihaKubun, TypeOffersItsInputs) {
    TRihaKubun fresh;
    EXPECT_EQ(fresh.RihaType, -1);
    EXPECT_EQ(fresh.GetCode(), 0);
    EXPECT_FALSE(fresh.UseType || fresh.UseTanki || fresh.UseNinchi || fresh.UseShudan || fresh.UseKobetsu ||
                 fresh.UseKijun);

    struct Row { int type; bool use[6]; };  // type, 短期集中, 認知症, 集団, 個別, 基準日
    const Row rows[] = {
        {-1, {false, false, false, false, false, false}}, {0, {true, true, true, true, true, false}},
        {1, {true, true, true, true, true, false}},       {2, {true, true, true, true, true, true}},
        {3, {true, true, true, false, false, true}},       {4, {false, false, false, false, false, false}},
    };
    for (const Row& r : rows) {
        TRihaKubun k;
        k.SetRihaType(2);  // every flag set, so the row's clearing shows
        k.SetCode(15);
        k.SetRihaType(r.type);
        EXPECT_EQ(k.RihaType, r.type);
        EXPECT_EQ(k.GetCode(), 0) << r.type;
        const bool got[6] = {k.UseType, k.UseTanki, k.UseNinchi, k.UseShudan, k.UseKobetsu, k.UseKijun};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(got[i], r.use[i]) << "type " << r.type << " flag " << i;
    }
}
