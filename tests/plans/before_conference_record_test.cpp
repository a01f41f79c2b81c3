// BeforeConferData, the 4200-byte conference survey record: its row of the
// codec tests over every kind (a fixture written byte by byte from the layout
// table, and the layout); damaged fields read only themselves.
#include "plans/before_conference_record.h"

#include "plans/before_conference_values.h"
#include "report/expr/expr_value.h"
#include "plans/record_bytes.h"
#include "plans/record_kind.h"

#include <gtest/gtest.h>


namespace {

using lum::BeforeConferenceSize;
using lum::test::RecordCodec;
using lum::test::RecordField;
using lum::test::RecordKind;
using lum::TBeforeConference;
using lum::TDateTime;

QByteArray fixture() {
    QByteArray b(BeforeConferenceSize, '\0');
    put(b, 0, "08 8e52 9363 91be 9859");          // 山田太郎
    put(b, 52, "00000000");                        // sex 0
    put(b, 56, "00000000 c0e4d140");               // birth 1950-03-01
    put(b, 64, "4a000000");                        // 74
    put(b, 68, "02000000");                        // care level 2
    put(b, 72, "06 8d82 8c8c 88b3");               // 健康状態 高血圧
    put(b, 328, "04 e175 92c9");                   // 合併症 疼痛
    put(b, 584, "0a 95e0 8d73 82b5 82bd 82a2");    // 本人 歩行したい
    put(b, 840, "04 41 0d0a 42");                  // 家族 A CR LF B
    put(b, 1096, "01");                            // 退所予定 有
    put(b, 1097, "08 91de 8940 92b2 90ae");        // 退院調整
    put(b, 1148, "00");                            // 退所先 unset, its text kept
    put(b, 1149, "04 8ea9 91ee");                  // 自宅
    put(b, 1200, "01");                            // 多施設 有
    put(b, 1201, "0a 93c1 977b 82b3 82ad 82e7");   // 特養さくら
    put(b, 1303, "01 b1");                         // 療養型 ｱ
    put(b, 1354, "01");                            // 運動機能障害
    put(b, 1355, "08 8945 95d0 9683 e183");        // 右片麻痺
    put(b, 2125, "01");                            // 拘縮, no note
    put(b, 2383, "02 8ff1");                       // 関節痛's note while unset: 杖
    put(b, 2896, "01");                            // 認知症
    put(b, 3153, "95e0 8d73 82b5 82bd 82a2 0d0a 8ea9 91ee");  // 検討内容 歩行したい CR LF 自宅
    put(b, 4180, "ffffffff");                      // 医師 none
    put(b, 4184, "03000000");                      // ケアマネ 3
    put(b, 4188, "ffffffff");                      // 管理栄養士 none
    put(b, 4192, "09000000");                      // 看介護 9
    put(b, 4196, "05000000");                      // リハビリ 5
    return b;
}

TBeforeConference expected() {
    TBeforeConference b;
    b.Shimei = QStringLiteral("山田太郎");
    b.Sex = 0;
    b.Birth = TDateTime::fromYmd(1950, 3, 1);
    b.Old = 74;
    b.Kaigodo = 2;
    b.Health = QStringLiteral("高血圧");
    b.Gapeisho = QStringLiteral("疼痛");
    b.HonninHope = QStringLiteral("歩行したい");
    b.KazokuHope = QStringLiteral("A\nB");
    b.Taisho = true;
    b.TaishoText = QStringLiteral("退院調整");
    b.TaishoTo = QStringLiteral("自宅");
    b.Tashisetsu = true;
    b.Tokuyou = QStringLiteral("特養さくら");
    b.Ryoyou = QStringLiteral("ｱ");
    b.Undou = true;
    b.UndouText = QStringLiteral("右片麻痺");
    b.Koushuku = true;
    b.KansetsuText = QStringLiteral("杖");
    b.Ninchi = true;
    b.Kentou = QStringLiteral("歩行したい\n自宅");
    b.Dr = -1;
    b.Care = 3;
    b.Eiyou = -1;
    b.Kaigo = 9;
    b.Rihabi = 5;
    return b;
}

// A length byte above its capacity, or a 検討内容 with no zero, reads only
// its own field; a lead byte cut from its trail at a field's end is dropped.
TEST(BeforeConferenceRecord, DamagedFieldsNeverReadPastTheirField) {
    QByteArray b = fixture();
    put(b, 72, "ff");                                 // 健康状態 claims 255 bytes of its 255
    b.replace(73, 255, QByteArray(255, 'h'));
    put(b, 1097, "ff");                               // 退所予定 claims 255 of its 50
    b.replace(1098, 50, QByteArray(50, 't'));
    b.replace(3153, 1024, QByteArray(1024, 'k'));     // 検討内容 without its zero
    put(b, 1303, "02 b1 93");                         // 療養型 ends on a lead byte
    const std::optional<TBeforeConference> s = lum::decodeBeforeConference(b);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Health, QString(255, QChar(u'h')));
    EXPECT_EQ(s->Gapeisho, expected().Gapeisho);
    EXPECT_EQ(s->TaishoText, QString(50, QChar(u't')));
    EXPECT_TRUE(s->TaishoSaki == false && s->TaishoTo == expected().TaishoTo);
    EXPECT_EQ(s->Kentou, QString(1024, QChar(u'k')));
    EXPECT_EQ(s->Dr, -1);
    EXPECT_EQ(s->Care, 3);
    EXPECT_EQ(s->Ryoyou, QStringLiteral("ｱ"));
}

// A text longer than its field is cut on a character boundary; a line break
// is stored as CR LF and never cut in two.
TEST(BeforeConferenceRecord, LongTextsAreCutOnACharacterBoundary) {
    TBeforeConference b;
    b.TaishoText = QString(26, QChar(u'あ'));   // 52 bytes into 50
    b.Health = QString(254, QChar(u'a')) + QStringLiteral("\nb");  // CR LF would end at 256
    b.Kentou = QString(600, QChar(u'検'));      // 1200 bytes into 1023
    const std::optional<TBeforeConference> back = lum::decodeBeforeConference(lum::encodeBeforeConference(b));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->TaishoText, QString(25, QChar(u'あ')));
    EXPECT_EQ(back->Health, QString(254, QChar(u'a')));
    EXPECT_EQ(back->Kentou, QString(511, QChar(u'検')));
}

TEST(BeforeConferenceRecord, NewTakesTheHeaderAndTheAgeAtTheDay) {
    TPerson p;
    p.Name = QString(30, QChar(u'名'));  // 60 bytes: cut to 25 characters
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.YOUKAIGO_KBN = 4;
    const TBeforeConference b = lum::newBeforeConference(p, TDateTime::fromYmd(2024, 3, 31));
    EXPECT_EQ(b.Shimei, QString(25, QChar(u'名')));
    EXPECT_EQ(b.Old, 83);
    EXPECT_EQ(lum::newBeforeConference(p, TDateTime::fromYmd(2024, 4, 1)).Old, 84);
    EXPECT_EQ(b.Kaigodo, 4);
    EXPECT_EQ(b.Dr, -1);
    EXPECT_EQ(b.Rihabi, -1);
}

QString valueText(const lum::BeforeConferencePrint& print, const char* name) {
    const std::optional<lum::ExprValue> v = lum::beforeConferenceValue(print, QString::fromLatin1(name));
    return v ? v->toString() : QStringLiteral("<none>");
}

TEST(BeforeConferenceValues, EveryVariableAsThePrintoutShowsIt) {
    const TBeforeConference b = expected();
    const lum::BeforeConferencePrint print{b, TDateTime::fromYmd(2024, 5, 7),
                                           [](int code) { return QStringLiteral("職員%1").arg(code); }};
    const std::pair<const char*, QString> cases[] = {
        {"PractDay", QStringLiteral("令和06年05月07日")},
        {"Birth", QStringLiteral("昭和25年03月01日")},
        {"Old", QStringLiteral("74")},
        {"Sex", QStringLiteral("男性")},
        {"Kaigodo", QStringLiteral("要介護1")},
        {"Shimei", QStringLiteral("山田太郎")},
        {"Health", QStringLiteral("高血圧")},
        {"KazokuHope", QStringLiteral("A\nB")},
        {"TaishoText", QStringLiteral("有（退院調整　）")},
        {"TaishoTo", QStringLiteral("未定")},  // unchecked, whatever the text holds
        {"Tashisetsu", QStringLiteral("有")},
        {"Tokuyou", QStringLiteral("特養さくら")},
        {"UndouText", QStringLiteral("右片麻痺")},
        {"Kentou", QStringLiteral("歩行したい\n自宅")},
        {"Dr", QString()},
        {"Care", QStringLiteral("職員3")},
        {"Rihabi", QStringLiteral("職員5")},
        {"Unknown", QStringLiteral("<none>")},
    };
    for (const auto& [name, text] : cases) EXPECT_EQ(valueText(print, name), text) << name;
    const char* const flags[7] = {"Undou", "Kankaku", "KoujiNou", "Koushuku", "Kansetsu", "Sonota", "Ninchi"};
    const bool set[7] = {true, false, false, true, false, false, true};
    for (int i = 0; i < 7; ++i) {
        const std::optional<lum::ExprValue> v = lum::beforeConferenceValue(print, QString::fromLatin1(flags[i]));
        ASSERT_TRUE(v) << flags[i];
        EXPECT_EQ(v->type(), lum::ExprValue::Type::Boolean) << flags[i];
        EXPECT_EQ(v->toBool(), set[i]) << flags[i];
    }
    TBeforeConference none = b;
    none.Tashisetsu = false;
    none.Kaigodo = -1;
    none.Sex = 7;
    const lum::BeforeConferencePrint other{none, {}, {}};
    EXPECT_EQ(valueText(other, "Tashisetsu"), QStringLiteral("無"));
    EXPECT_EQ(valueText(other, "Kaigodo"), QString());
    EXPECT_EQ(valueText(other, "Sex"), QString());
    EXPECT_EQ(valueText(other, "PractDay"), QStringLiteral(" "));
}

}  // namespace

// The layout as one list: every field and the reserved spans 51 and
// 4177..4179, contiguous from 0 to 4200.
lum::test::RecordKind lum::test::beforeConferenceRecordKind() {
    const RecordCodec<TBeforeConference> codec{lum::decodeBeforeConference, lum::encodeBeforeConference};
    RecordKind k = recordKind<TBeforeConference>(
        "BeforeConference", BeforeConferenceSize, codec, fixture(),
        [](const std::optional<TBeforeConference>& b) { EXPECT_EQ(b, expected()); }, "tail");
    std::vector<RecordField<TBeforeConference>> fields = {
        {"Shimei", 0, 51, [](TBeforeConference& b) { b.Shimei = QString(60, QChar(u'x')); }, 50},
    };
    addClientFields(fields, 52, 56);
    addTextFields(fields, lum::beforeConferenceTexts());
    addFlagFields(fields, lum::beforeConferenceFlags());
    addNumberFields(fields, lum::beforeConferenceAttendees());
    TBeforeConference base;
    base.Kaigodo = 0;
    base.Dr = base.Care = base.Eiyou = base.Kaigo = base.Rihabi = 0;
    addLayout(k, codec, base, fields, {{51, 1}, {4177, 3}});
    k.fieldCount = 5 + 17 + 10 + 5;
    return k;
}
