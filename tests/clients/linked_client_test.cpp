// The pickers' rules without a window or a source: the stored values as the
// drivers hand them over, the kana order, the three filters with the texts
// taken literally, the number check, and the texts shown.
#include "clients/client_input_rules.h"
#include "clients/linked_client.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <limits>

namespace {

using lum::LinkedClient;
using lum::TDateTime;

LinkedClient client(std::optional<int> sid, const QString& jname, const QString& kname) {
    LinkedClient c;
    c.Sid = sid;
    c.Jname = jname;
    c.Kname = kname;
    return c;
}

std::vector<int> sids(const std::vector<LinkedClient>& rows) {
    std::vector<int> out;
    for (const LinkedClient& c : rows) out.push_back(c.Sid.value_or(-1));
    return out;
}

const std::vector<LinkedClient> kRows = {
    client(1, "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ"),
    client(2, "100%天然", "ﾃﾝﾈﾝ"),
    client(3, "100円", "ﾋｬｸｴﾝ"),
    client(4, "山_花子", "ﾔﾏﾊﾅｺ"),
    client(5, "O'Brien　ジョン", "ｵﾌﾞﾗｲｴﾝ"),
    client(6, "我妻　栄", "ｶﾞﾂﾏ ｻｶｴ"),
    client(7, "渡辺　トミ", "ﾜﾀﾅﾍﾞ ﾄﾐ"),
    client(8, "小川　ヲン", "ｦｶﾞﾜ"),
    client(9, "*印", "ﾝﾀﾞ"),
    client(10, "原　ぱん", "ﾊﾟﾝ"),
    client(-2147483647 - 1, "最小", "ｻｲｼｮｳ"),
    client(std::nullopt, "番号なし", "ﾊﾞﾝｺﾞｳﾅｼ"),
};

TEST(LinkedClientFilters, TheNameSearchTakesBothTextsLiterallyAndEitherMatches) {
    const struct {
        const char* name;
        const char* kana;
        std::vector<int> want;
    } cases[] = {
        {"山", "ﾝ", {1, 4, 9}},            // name prefix or kana prefix
        {"山田", "ｶﾞ", {1, 6}},
        {"100%", "ﾝ", {2, 9}},             // % is a percent sign, not "anything"
        {"%", "%", {}},
        {"山_", "_", {4}},                 // _ is an underscore, not "one character"
        {"*", "*", {9}},
        {"o'b", "'", {5}},                 // a quote is a quote; Latin letters in either case
        {"O'Brien　ジョン", "x", {5}},
        {"太郎", "ﾀﾛｳ", {}},               // a prefix, not a part
        {"ﾔﾏﾀﾞ", "山田", {}},              // each text against its own column
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sids(lum::filterByNameOrKana(kRows, QString::fromUtf8(c.name), QString::fromUtf8(c.kana))), c.want);
    }
}

TEST(LinkedClientFilters, TheNumberSearchFindsOnlyThatNumber) {
    const struct {
        qint64 number;
        std::vector<int> want;
    } cases[] = {{7, {7}}, {0, {}}, {2147483648LL, {}}, {std::numeric_limits<qint64>::max(), {}},
                 {-2147483648LL, {-2147483647 - 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(sids(lum::filterBySid(kRows, c.number)), c.want);
    }
}

TEST(LinkedClientFilters, KanaRowsFollowTheKanaRowRule) {
    const struct {
        int row;
        std::vector<int> want;
    } cases[] = {
        {0, {5}},            // あ: ｵ
        {1, {6}},            // か: ｶﾞ is under カ
        {2, {-2147483647 - 1}},
        {3, {2}},
        {5, {3, 10, -1}},    // は: ﾋ, ﾊﾟ, ﾊﾞ
        {7, {1, 4}},
        {9, {7}},            // わ: ﾜ alone, never ｦ or ﾝ
        {10, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(sids(lum::filterByKanaRow(kRows, c.row)), c.want);
    }
}

TEST(LinkedClientFilters, KanaOrderIsTheTextsOrderThenTheNumber) {
    std::vector<LinkedClient> rows = {client(5, "", "ﾜ"), client(std::nullopt, "", "ｱ"), client(9, "", "ｱ"),
                                      client(2, "", "ｱ"), client(1, "", "ｦ"), client(3, "", "ﾝ"),
                                      client(4, "", "ｶﾞ"), client(6, "", "ｶ"), client(7, "", "")};
    lum::sortByKana(rows);
    EXPECT_EQ(sids(rows), (std::vector<int>{7, 1, 2, 9, -1, 6, 4, 5, 3}));
}

TEST(LinkedClientValues, SexAsTheDriversHandItOver) {
    const struct {
        QVariant stored;
        std::optional<bool> want;
    } cases[] = {
        {QVariant(true), true},        {QVariant(false), false},      {QVariant(-1), true},
        {QVariant(0), false},          {QVariant(1), true},           {QVariant(4294967295U), true},
        {QVariant(QStringLiteral("1")), true},   {QVariant(QStringLiteral("0")), false},
        {QVariant(QStringLiteral("-1")), true},  {QVariant(QStringLiteral("True")), true},
        {QVariant(QStringLiteral("false")), false}, {QVariant(QStringLiteral("")), std::nullopt},
        {QVariant(QStringLiteral("女")), std::nullopt}, {QVariant(), std::nullopt},
        {QVariant(QMetaType(QMetaType::Int)), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        EXPECT_EQ(lum::linkedSex(c.stored), c.want);
    }
}

TEST(LinkedClientValues, BirthAsTheDriversHandItOver) {
    const struct {
        QVariant stored;
        TDateTime birth;
        const char* text;
    } cases[] = {
        {QDateTime(QDate(1940, 4, 1), QTime(0, 0)), TDateTime::fromYmd(1940, 4, 1), ""},
        {QDateTime(QDate(1950, 1, 2), QTime(10, 30), Qt::UTC), TDateTime::fromYmdHms(1950, 1, 2, 10, 30), ""},
        {QDate(1929, 2, 28), TDateTime::fromYmd(1929, 2, 28), ""},
        {QStringLiteral("1940-04-01"), TDateTime::fromYmd(1940, 4, 1), ""},
        {QStringLiteral("1940/4/1"), TDateTime::fromYmd(1940, 4, 1), ""},
        {QStringLiteral("1950-01-02 10:30:00"), TDateTime::fromYmdHms(1950, 1, 2, 10, 30), ""},
        {QStringLiteral("1950-01-02T10:30:00.000"), TDateTime::fromYmdHms(1950, 1, 2, 10, 30), ""},
        {QStringLiteral("2001-02-30"), TDateTime(), "2001-02-30"},
        {QStringLiteral("notadate"), TDateTime(), "notadate"},
        {QVariant(), TDateTime(), ""},
        {QVariant(QMetaType(QMetaType::QDateTime)), TDateTime(), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        TDateTime birth(123);
        QString text = QStringLiteral("old");
        lum::readLinkedBirth(c.stored, birth, text);
        EXPECT_EQ(birth, c.birth);
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
}

TEST(LinkedClientValues, TheTextsThePickerShows) {
    LinkedClient c = client(1, "", "");
    EXPECT_EQ(lum::linkedSexText(c), "");
    EXPECT_EQ(lum::linkedSexIndex(c), -1);
    EXPECT_EQ(lum::linkedBirthText(c), "");
    c.Sex = true;
    c.Birth = TDateTime::fromYmd(1940, 4, 1);
    EXPECT_EQ(lum::linkedSexText(c), "女性");
    EXPECT_EQ(lum::linkedSexIndex(c), 1);
    EXPECT_EQ(lum::linkedBirthText(c), "昭和 15年04月01日");
    c.Sex = false;
    c.Birth = TDateTime();
    c.BirthText = QStringLiteral("不明");
    EXPECT_EQ(lum::linkedSexText(c), "男性");
    EXPECT_EQ(lum::linkedSexIndex(c), 0);
    EXPECT_EQ(lum::linkedBirthText(c), "不明");
}

TEST(LinkedNumberInput, EachTextGetsItsMessageOrItsNumber) {
    const QString empty = QStringLiteral("Tavelund利用者Noが記入されていません。");
    const QString digits = QStringLiteral("半角の数字で入力してください。");
    const QString negative = QStringLiteral("数値の値がマイナスです。\n正しい数値で入力してください。");
    const struct {
        const char* text;
        QString message;
        qint64 number;
    } cases[] = {
        {"", empty, 0},           {"   ", empty, 0},        {"12", {}, 12},          {" 12 ", {}, 12},
        {"0", {}, 0},             {"-0", {}, 0},            {"-1", negative, 0},     {"1.5", digits, 0},
        {"１２", digits, 0},      {"12a", digits, 0},       {"+", digits, 0},        {"-", digits, 0},
        {"2147483648", {}, 2147483648LL},
        {"99999999999999999999999", {}, std::numeric_limits<qint64>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const lum::LinkedNumberInput in = lum::checkLinkedNumberInput(QString::fromUtf8(c.text));
        EXPECT_EQ(in.message, c.message);
        EXPECT_EQ(in.number, c.number);
    }
}

}  // namespace
