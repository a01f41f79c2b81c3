// The name, kana and number checks shared by the client windows, and the
// number parse that keeps typed text out of SQL.
#include "clients/client_input_rules.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

const QString kNameOver = "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。";
const QString kNameEmpty = "氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。";
const QString kKanaOver = "カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。";
const QString kKanaEmpty = "カナの入力が必要です。\n半角20文字以内で入力してください。";

TEST(ClientInputRules, NameAndKanaLimitsAreBytes) {
    struct Case {
        QString text;
        QString name;
        QString kana;
    };
    const Case cases[] = {
        {QString(20, u'a'), "", ""},
        {QString(21, u'a'), kNameOver, kKanaOver},
        {QString(10, u'山'), "", ""},
        {QString(10, u'山') + "a", kNameOver, kKanaOver},
        {QString(11, u'山'), kNameOver, kKanaOver},
        {QString(20, u'ｱ'), "", ""},  // half-width katakana count one byte each
        {QString(21, u'ｱ'), kNameOver, kKanaOver},
        {"", kNameEmpty, kKanaEmpty},
        {"   ", kNameEmpty, kKanaEmpty},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lum::checkNameInput(c.text), c.name) << c.text.toStdString();
        EXPECT_EQ(lum::checkKanaInput(c.text), c.kana) << c.text.toStdString();
    }
}

TEST(ClientInputRules, NumberCheckAndParse) {
    EXPECT_EQ(lum::checkNumberInput(QString(10, u'1')), "");
    EXPECT_EQ(lum::checkNumberInput(QString(11, u'1')),
              "入力文字数がオーバーしています。\n半角10文字以内で入力してください。");
    EXPECT_EQ(lum::checkNumberInput(u""), "入力が必要です。\n半角10文字以内で入力してください。");

    EXPECT_EQ(lum::parseWholeNumber(u"12"), 12);
    EXPECT_EQ(lum::parseWholeNumber(u" 12 "), 12);
    EXPECT_EQ(lum::parseWholeNumber(u"-3"), -3);
    for (const char* bad : {"abc", "1a", "1.5", "1 OR 1=1", "", "0x10", "12;DROP TABLE Person"}) {
        EXPECT_FALSE(lum::parseWholeNumber(QString::fromUtf8(bad)).has_value()) << bad;
    }
}

TEST(ClientInputRules, OverLimitMessages) {
    EXPECT_EQ(lum::overLimitMessage(254), "入力文字数がオーバーしています。\n半角254文字・全角127文字以内で入力してください。");
    EXPECT_EQ(lum::overLimitMessage(78, false), "入力文字数がオーバーしています。\n半角78文字以内で入力してください。");
}

}  // namespace
