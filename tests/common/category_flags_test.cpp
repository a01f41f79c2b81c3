// The category-flag rule and its reverse, as tables over every type the
// store may meet and the category codes that matter.
#include "common/category_flags.h"

#include <gtest/gtest.h>

namespace {

// The fourteen flags as a text, one letter per flag in column order, grouped
// by type: 入所 短期入所 通所 訪問.
QString flagsText(const lum::CategoryFlags& flags) {
    QString t;
    for (int i = 0; i < lum::CategoryFlagCount; ++i) {
        if (i > 0 && i % 4 == 0) t += u' ';
        t += flags[i] ? u'T' : u'-';
    }
    return t;
}

TEST(CategoryFlags, NamesAreTheColumnsInOrder) {
    const char* expected[] = {"NyushoTanki",   "NyushoNinchi",      "NyushoShudan",      "NyushoKobetsu",
                              "TankiNyushoTanki", "TankiNyushoNinchi", "TankiNyushoShudan", "TankiNyushoKobetsu",
                              "TsushoTanki",   "TsushoNinchi",      "TsushoShudan",      "TsushoKobetsu",
                              "HoumonTanki",   "HoumonNinchi"};
    for (int i = 0; i < lum::CategoryFlagCount; ++i) {
        EXPECT_EQ(lum::CategoryFlagNames[i], QString::fromLatin1(expected[i]));
        EXPECT_EQ(lum::CategoryFlagIndex(lum::CategoryFlagType(i), lum::CategoryFlagBit(i)), i);
    }
}

TEST(CategoryFlags, EveryWholeRowWriteDerivesTheFlagsFromTypeAndCode) {
    struct Case {
        int type;
        int code;
        const char* flags;
    };
    const Case cases[] = {
        // 入所
        {0, 0, "---- ---- ---- --"}, {0, 1, "T--- ---- ---- --"}, {0, 5, "T-T- ---- ---- --"},
        {0, 10, "-T-T ---- ---- --"}, {0, 15, "TTTT ---- ---- --"}, {0, 16, "---- ---- ---- --"},
        // 短期入所
        {1, 0, "---- ---- ---- --"}, {1, 1, "---- T--- ---- --"}, {1, 5, "---- T-T- ---- --"},
        {1, 10, "---- -T-T ---- --"}, {1, 15, "---- TTTT ---- --"}, {1, 16, "---- ---- ---- --"},
        // 通所リハビリ
        {2, 0, "---- ---- ---- --"}, {2, 1, "---- ---- T--- --"}, {2, 5, "---- ---- T-T- --"},
        {2, 10, "---- ---- -T-T --"}, {2, 15, "---- ---- TTTT --"}, {2, 16, "---- ---- ---- --"},
        // 訪問リハビリ: no 集団, no 個別
        {3, 0, "---- ---- ---- --"}, {3, 1, "---- ---- ---- T-"}, {3, 5, "---- ---- ---- T-"},
        {3, 10, "---- ---- ---- -T"}, {3, 15, "---- ---- ---- TT"}, {3, 16, "---- ---- ---- --"},
        // no such type
        {4, 0, "---- ---- ---- --"}, {4, 1, "---- ---- ---- --"}, {4, 5, "---- ---- ---- --"},
        {4, 10, "---- ---- ---- --"}, {4, 15, "---- ---- ---- --"}, {4, 16, "---- ---- ---- --"},
        {-1, 0, "---- ---- ---- --"}, {-1, 1, "---- ---- ---- --"}, {-1, 5, "---- ---- ---- --"},
        {-1, 10, "---- ---- ---- --"}, {-1, 15, "---- ---- ---- --"}, {-1, 16, "---- ---- ---- --"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(flagsText(lum::CategoryFlagsOf(c.type, c.code)), QString::fromLatin1(c.flags))
            << "type " << c.type << ", code " << c.code;
    }
}

TEST(CategoryFlags, SaveReadsBackTheCodeFromTheFlagsOfTheRowsOwnType) {
    lum::CategoryFlags every{};
    every.fill(true);
    struct Case {
        int type;
        lum::CategoryFlags flags;
        int code;
    };
    const Case cases[] = {
        // The derived flags give the code back (bits above 8 and, for
        // visits, 集団 and 個別 are lost on the way).
        {0, lum::CategoryFlagsOf(0, 10), 10}, {1, lum::CategoryFlagsOf(1, 5), 5}, {2, lum::CategoryFlagsOf(2, 15), 15},
        {3, lum::CategoryFlagsOf(3, 15), 3}, {0, lum::CategoryFlagsOf(0, 16), 0},
        // Flags of other types are not read.
        {0, lum::CategoryFlagsOf(2, 15), 0}, {3, lum::CategoryFlagsOf(2, 15), 0},
        // Every flag ticked: each type reads only its own.
        {0, every, 15}, {1, every, 15}, {2, every, 15}, {3, every, 3},
        // No such type.
        {4, every, -1}, {-1, lum::CategoryFlags{}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lum::KubunCodeOfFlags(c.type, c.flags), c.code) << "type " << c.type << " " << qPrintable(flagsText(c.flags));
    }
}

TEST(CategoryFlags, StoredTextsAreTrueAndFalse) {
    EXPECT_EQ(lum::CategoryFlagText(true), QStringLiteral("True"));
    EXPECT_EQ(lum::CategoryFlagText(false), QStringLiteral("False"));
    EXPECT_TRUE(lum::CategoryFlagIsTrue(u"True"));
    EXPECT_TRUE(lum::CategoryFlagIsTrue(u"True      "));
    for (const char16_t* no : {u"False", u"true", u"TRUE", u"", u"1"}) EXPECT_FALSE(lum::CategoryFlagIsTrue(no));
    EXPECT_EQ(lum::CategoryFlagIndex(3, 4), -1);
    EXPECT_EQ(lum::CategoryFlagIndex(3, 8), -1);
    EXPECT_EQ(lum::CategoryFlagIndex(0, 16), -1);
}

}  // namespace
