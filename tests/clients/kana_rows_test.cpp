// The kana-row rule: which names each of the ten buttons lists, and the SQL
// condition built from it.
#include "clients/kana_rows.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

TEST(KanaRows, CaptionsAndLetters) {
    const char* captions[] = {"ア", "カ", "サ", "タ", "ナ", "ハ", "マ", "ヤ", "ラ", "ワ"};
    for (int row = 0; row < lum::KanaRowCount; ++row) {
        EXPECT_EQ(lum::kanaRowCaption(row), QString::fromUtf8(captions[row]));
    }
    EXPECT_EQ(lum::kanaRowLetters(0), (QStringList{"ｱ", "ｲ", "ｳ", "ｴ", "ｵ"}));
    EXPECT_EQ(lum::kanaRowLetters(7), (QStringList{"ﾔ", "ﾕ", "ﾖ"}));
    EXPECT_EQ(lum::kanaRowLetters(9), (QStringList{"ﾜ"}));
    EXPECT_TRUE(lum::kanaRowLetters(-1).isEmpty());
    EXPECT_TRUE(lum::kanaRowLetters(10).isEmpty());
}

TEST(KanaRows, WhichNamesBelongToARow) {
    struct Case {
        const char* kana;
        int row;  // -1: no row
    };
    const Case cases[] = {
        {"ｱｵｷ ﾀﾛｳ", 0}, {"ｵｶﾀﾞ", 0},  {"ｶﾞﾓｳ ﾊﾅｺ", 1}, {"ｷﾑﾗ", 1},  {"ｿﾞﾉ", 2},   {"ﾄﾞｲ", 3},  {"ﾉﾑﾗ", 4},
        {"ﾊﾟｸ", 5},       {"ﾎﾝﾀﾞ", 5}, {"ﾓﾘ", 6},         {"ﾖｼﾀﾞ", 7}, {"ﾛｯｸ", 8}, {"ﾜﾀﾞ", 9},
        {"ｦﾉ", -1},       {"ﾝｼﾞ", -1}, {"ｧｲ", -1},        {"ｬﾏ", -1},  {"ﾞｱ", -1},  {"ｱ", 0},    {"", -1},
        {"ヤマダ", -1},   {"山田", -1}, {" ﾔﾏﾀﾞ", -1},
    };
    for (const Case& c : cases) {
        for (int row = 0; row < lum::KanaRowCount; ++row) {
            EXPECT_EQ(lum::isInKanaRow(QString::fromUtf8(c.kana), row), row == c.row) << c.kana << " row " << row;
        }
    }
}

TEST(KanaRows, SqlCondition) {
    EXPECT_EQ(lum::kanaRowCondition("Kana", 7, "LIKE"),
              QString("( Kana LIKE :kanaRow0 OR Kana LIKE :kanaRow1 OR Kana LIKE :kanaRow2 )"));
    EXPECT_EQ(lum::kanaRowPatterns(7), (QStringList{"ﾔ%", "ﾕ%", "ﾖ%"}));
    EXPECT_EQ(lum::kanaRowCondition("Kana", 9, "ILIKE"), QString("( Kana ILIKE :kanaRow0 )"));
    EXPECT_EQ(lum::kanaRowPatterns(9), QStringList{"ﾜ%"});
    EXPECT_EQ(lum::kanaRowCondition("Kana", 10, "LIKE"), QString("( 1 = 0 )"));
}

}  // namespace
