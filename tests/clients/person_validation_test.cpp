// The registration's input checks without a window: each refusal with its
// message and control, the byte limits at their edges, and what goes into
// the record.
#include "clients/person_validation.h"

#include "common/era_text.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using lum::PersonInput;
using lum::TDateTime;

PersonInput goodInput() {
    PersonInput in;
    in.name = QStringLiteral("山田太郎");
    in.kana = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
    in.birthDay = QStringLiteral("昭和15年04月01日");
    in.sex = 0;
    in.rihaType = 2;
    in.nyushoDay = QStringLiteral("平成14年05月01日");
    in.kijun = QStringLiteral("＿＿__年__月__日");
    in.taiinDay = QStringLiteral("＿＿__年__月__日");
    in.taishoDay = QStringLiteral("＿＿__年__月__日");
    return in;
}

struct Refusal {
    const char* what;
    std::function<void(PersonInput&)> change;
    QString message;
    QString focus;
};

const QString kOver190 = "入力文字数がオーバーしています。\n半角190文字・全角95文字以内で入力してください。";
const QString kOver18 = "入力文字数がオーバーしています。\n半角18文字以内で入力してください。";
const QString kOver40 = "入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。";

TEST(ValidateInput, EachRefusalHasItsMessageAndControl) {
    const Refusal refusals[] = {
        {"name 11 full-width", [](PersonInput& i) { i.name = QString(11, u'山'); },
         "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。", "RegistName"},
        {"name 21 bytes mixed", [](PersonInput& i) { i.name = QString(10, u'山') + "a"; },
         "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。", "RegistName"},
        {"name empty", [](PersonInput& i) { i.name.clear(); },
         "氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。", "RegistName"},
        {"kana 21 bytes", [](PersonInput& i) { i.kana = QString(21, u'ｱ'); },
         "カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。", "RegistKanaName"},
        {"kana empty", [](PersonInput& i) { i.kana.clear(); },
         "カナの入力が必要です。\n半角20文字以内で入力してください。", "RegistKanaName"},
        {"birth mask", [](PersonInput& i) { i.birthDay = "＿＿__年__月__日"; }, "生年月日の日付けが不明です。",
         "BirthDay"},
        {"no sex", [](PersonInput& i) { i.sex = -1; }, "性別の指定が必要です。", "SexBox"},
        {"distinctive 191", [](PersonInput& i) { i.distinctive = QString(191, u'x'); }, kOver190, "distinctive"},
        {"room 20 full-width", [](PersonInput& i) { i.room = QString(20, u'室'); },
         "入力文字数がオーバーしています。\n半角38文字・全角19文字以内で入力してください。", "RoomBox"},
        {"postal 19", [](PersonInput& i) { i.postalCode = QString(19, u'1'); }, kOver18, "UbinNo"},
        {"address 111", [](PersonInput& i) { i.address = QString(55, u'町') + "1"; },
         "入力文字数がオーバーしています。\n半角110文字・全角55文字以内で入力してください。", "Address"},
        {"tel 19", [](PersonInput& i) { i.tel = QString(19, u'0'); }, kOver18, "TelNo"},
        {"fax 19", [](PersonInput& i) { i.fax = QString(19, u'0'); }, kOver18, "FaxNo"},
        {"email 79", [](PersonInput& i) { i.email = QString(79, u'm'); },
         "入力文字数がオーバーしています。\n半角78文字以内で入力してください。", "EMailEdit"},
        {"linked number 1a", [](PersonInput& i) { i.tavelundNo = "1a"; }, "", "TavelundUserNoEdit"},
        {"no type", [](PersonInput& i) { i.rihaType = -1; }, "リハビリ形態は入力必須項目です。", "RihaTypeBox"},
        {"no start", [](PersonInput& i) { i.nyushoDay = "＿＿__年__月__日"; }, "利用開始日は入力必須項目です。",
         "NyushoDay"},
        {"leaving a day early", [](PersonInput& i) { i.taishoDay = "平成14年04月30日"; },
         "退所(終了)日<入所日:日付エラーです。", "TaishoDay"},
        {"disease 1 41 bytes", [](PersonInput& i) { i.diseases[0] = QString(41, u'd'); }, kOver40, "ShikanName1Box"},
        {"disease 6 21 full-width", [](PersonInput& i) { i.diseases[5] = QString(21, u'病'); }, kOver40,
         "ShikanName6Box"},
    };
    for (const Refusal& r : refusals) {
        PersonInput in = goodInput();
        r.change(in);
        TPerson p;
        const lum::ValidationResult result = lum::ValidateInput(in, p, TDateTime());
        EXPECT_FALSE(result.ok) << r.what;
        EXPECT_EQ(result.message.toStdString(), r.message.toStdString()) << r.what;
        EXPECT_EQ(result.focus.toStdString(), r.focus.toStdString()) << r.what;
    }
}

TEST(ValidateInput, LimitsAcceptTheirEdges) {
    PersonInput in = goodInput();
    in.name = QString(10, u'山');
    in.kana = QString(20, u'ｱ');
    in.distinctive = QString(95, u'特');
    in.room = QString(19, u'室');
    in.postalCode = "123-4567";
    in.address = QString(55, u'町');
    in.tel = QString(18, u'0');
    in.fax = QString(18, u'0');
    in.email = QString(78, u'm');
    for (QString& d : in.diseases) d = QString(20, u'病');
    in.taishoDay = in.nyushoDay;  // leaving on the start day
    TPerson p;
    const lum::ValidationResult result = lum::ValidateInput(in, p, TDateTime());
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(p.Name, in.name);
    EXPECT_EQ(p.Disease[5], in.diseases[5]);
    EXPECT_EQ(p.TAISHOBI_YMD, p.NYUSHOBI_YMD);
}

TEST(ValidateInput, FillsTheRecord) {
    PersonInput in = goodInput();
    in.name = QStringLiteral(" 山田太郎 ");
    in.kana = QStringLiteral(" ﾔﾏﾀﾞ ﾀﾛｳ ");
    in.sex = 1;
    in.tavelundNo = "12";
    in.kubun.Shudan = true;
    in.jiritsu = 2;
    in.ninchi = 0;
    in.youkaigo = 5;
    in.taiinDay = QStringLiteral("平成14年04月20日");
    TPerson p;
    p.CureNo = 7;
    p.Funn[0] = 40;
    ASSERT_TRUE(lum::ValidateInput(in, p, TDateTime()).ok);
    EXPECT_EQ(p.CureNo, 7) << "the key is not an input";
    EXPECT_EQ(p.Funn[0], 40) << "the weekly requests are not inputs";
    EXPECT_EQ(p.Name, QStringLiteral("山田太郎"));
    EXPECT_EQ(p.Kana, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(p.Sex, 1);
    EXPECT_EQ(p.Birth, TDateTime::fromYmd(1940, 4, 1));
    EXPECT_EQ(p.TavelundUserNo, 12);
    EXPECT_EQ(p.KubunCode, 4) << "集団 alone is bit 4";
    EXPECT_EQ(p.Jiritsu_KBN, 2);
    EXPECT_EQ(p.YOUKAIGO_KBN, 5);
    EXPECT_EQ(p.HP_TAISHO_YMD, TDateTime::fromYmd(2002, 4, 20));
    EXPECT_EQ(p.NYUSHOBI_YMD, TDateTime::fromYmd(2002, 5, 1));
    EXPECT_TRUE(p.TAISHOBI_YMD.isEmpty()) << "no leaving date is the empty date";

    in.tavelundNo = "";
    ASSERT_TRUE(lum::ValidateInput(in, p, TDateTime()).ok);
    EXPECT_EQ(p.TavelundUserNo, 0);
}

// The reference date typed is stored for the types that offer it; otherwise
// the stored one stays.
TEST(ValidateInput, ReferenceDate) {
    const TDateTime stored = TDateTime::fromYmd(2001, 1, 10);
    const TDateTime typed = TDateTime::fromYmd(2002, 6, 1);
    struct Case {
        int type;
        const char* kijun;
        TDateTime expected;
    };
    const Case cases[] = {
        {2, "平成14年06月01日", typed},  {3, "平成14年06月01日", typed}, {2, "＿＿__年__月__日", stored},
        {0, "平成14年06月01日", stored}, {1, "平成14年06月01日", stored},
    };
    for (const Case& c : cases) {
        PersonInput in = goodInput();
        in.rihaType = c.type;
        in.kijun = QString::fromUtf8(c.kijun);
        TPerson p;
        ASSERT_TRUE(lum::ValidateInput(in, p, stored).ok);
        EXPECT_EQ(p.KubunDate, c.expected) << c.type << " " << c.kijun;
    }
}

}  // namespace
