// ConferData, the 5232-byte conference record: its row of the codec tests over
// every kind (a fixture written byte by byte from the layout table, and the
// layout); texts at their limits; damaged fields read only themselves; the
// printout's values.
#include "plans/conference_record.h"
#include "plans/conference_values.h"
#include "plans/record_bytes.h"
#include "plans/record_kind.h"

#include <gtest/gtest.h>


namespace {

using lum::ConferenceSize;
using lum::test::RecordCodec;
using lum::test::RecordField;
using lum::test::RecordKind;
using lum::TConference;
using lum::TDateTime;

QByteArray fixture() {
    QByteArray b(ConferenceSize, '\0');
    put(b, 0, "08 97e9 96d8 89d4 8e71");            // 鈴木花子
    put(b, 52, "01000000");                         // sex 1
    put(b, 56, "00000000 c0e4d140");                // birth 1950-03-01
    put(b, 64, "4a000000");                         // 74
    put(b, 68, "03000000");                         // care level 3
    put(b, 72, "00000000 801de640");                // period from 2024-01-01
    put(b, 80, "00000000 c028e640");                // to 2024-03-31
    put(b, 88, "95e0 8d73 88c0 92e8 0d0a 41 00");   // 歩行安定\r\nA and its zero
    put(b, 4184, "01");                             // goal changed
    put(b, 4185, "08 8ddd 91ee 959c 8b41");         // 在宅復帰
    put(b, 4441, "05 33 8396 8c8e");                // 3ヶ月
    put(b, 4697, "00");                             // nursing approach unchanged
    put(b, 4698, "06 8ca9 8ee7 82e8");              // 見守り
    put(b, 4954, "01");                             // programme changed
    put(b, 4955, "04 41 0d0a 42");                  // A\r\nB
    put(b, 5212, "03000000 ffffffff 05000000 ffffffff 09000000");  // 医師 3, ケアマネ none, 栄養士 5, 看介護 none, リハ 9
    return b;
}

TConference expected() {
    TConference c;
    c.Shimei = QStringLiteral("鈴木花子");
    c.Sex = 1;
    c.Birth = TDateTime::fromYmd(1950, 3, 1);
    c.Old = 74;
    c.Kaigodo = 3;
    c.FromDay = TDateTime::fromYmd(2024, 1, 1);
    c.ToDay = TDateTime::fromYmd(2024, 3, 31);
    c.Hyouka = QStringLiteral("歩行安定\nA");
    c.Target = true;
    c.Mokuhyou = QStringLiteral("在宅復帰");
    c.Toutatsu = QStringLiteral("3ヶ月");
    c.KankaiAriNasi = false;
    c.KanKaigo = QStringLiteral("見守り");
    c.RihabiAriNasi = true;
    c.Rihabi = QStringLiteral("A\nB");
    c.Dr = 3;
    c.Care = -1;
    c.Eiyou = 5;
    c.KanKai = -1;
    c.Rihabiri = 9;
    return c;
}

TEST(ConferenceRecord, NoAttendeeIsStoredAsAllOnes) {
    TConference none;
    EXPECT_EQ(lum::encodeConference(none).mid(5212, 20), QByteArray(20, '\xff'));
}

TEST(ConferenceRecord, TextsAtTheirLimitsFitAndLongerOnesAreCutOnACharacter) {
    TConference c = expected();
    c.Hyouka = QString(2047, QChar(u'評'));                        // 4094 bytes, the limit
    c.Mokuhyou = QString(126, QChar(u'目')) + QStringLiteral("\n");  // 252 + CR LF = 254
    c.Rihabi = QString(128, QChar(u'リ'));                          // 256 bytes: cut to 254
    const QByteArray b = lum::encodeConference(c);
    const TConference back = *lum::decodeConference(b);
    EXPECT_EQ(back.Hyouka, c.Hyouka);
    EXPECT_EQ(b[88 + 4094], '\0');
    EXPECT_EQ(back.Mokuhyou, c.Mokuhyou);
    EXPECT_EQ(static_cast<quint8>(b[4185]), 254);
    EXPECT_EQ(back.Rihabi, QString(127, QChar(u'リ')));
    EXPECT_EQ(back.Dr, 3);  // the next field untouched
}

TEST(ConferenceRecord, DamagedFieldsNeverReadPastThemselves) {
    QByteArray b = fixture();
    b.replace(88, 4096, QByteArray(4096, 'e'));  // the evaluation without its zero
    put(b, 4185, "ff");                          // length 255 in the goal: its 255 bytes only
    b.replace(4186, 255, QByteArray(255, 'g'));
    put(b, 4441, "02 3382");                     // a lone lead byte at the end
    const TConference c = *lum::decodeConference(b);
    EXPECT_EQ(c.Hyouka, QString(4096, QChar(u'e')));
    EXPECT_TRUE(c.Target);
    EXPECT_EQ(c.Mokuhyou, QString(255, QChar(u'g')));
    EXPECT_EQ(c.Toutatsu, QStringLiteral("3"));
    EXPECT_EQ(c.KanKaigo, QStringLiteral("見守り"));
    EXPECT_EQ(c.Dr, 3);
}

TEST(ConferenceRecord, ANewHeaderKeepsTheBody) {
    TPerson p;
    p.Name = QString(26, QChar(u'長'));  // 52 bytes: 50 kept
    p.Sex = 0;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.YOUKAIGO_KBN = 2;
    const TDateTime day = TDateTime::fromYmd(2024, 3, 31);
    const TConference c = lum::withNewHeader(expected(), p, day);
    EXPECT_EQ(c.Shimei, QString(25, QChar(u'長')));
    EXPECT_EQ(c.Old, 83);
    EXPECT_EQ(c.Kaigodo, 2);
    EXPECT_EQ(c.FromDay, day);
    EXPECT_EQ(c.ToDay, day);
    EXPECT_EQ(c.Hyouka, expected().Hyouka);
    EXPECT_EQ(c.Rihabiri, 9);
}

TEST(ConferenceValues, TheTemplatesNames) {
    const TConference c = expected();
    const lum::ConferencePrint print{c, TDateTime::fromYmd(2024, 3, 31),
                                     [](int code) { return code == 3 ? QStringLiteral("佐藤") : QString(); }};
    auto text = [&](const char* name) {
        const std::optional<lum::ExprValue> v = lum::conferenceValue(print, QString::fromLatin1(name));
        return v ? v->toString() : QStringLiteral("<none>");
    };
    const std::pair<const char*, QString> cases[] = {
        {"ConferDay", QStringLiteral("令和06年03月31日")}, {"FromDay", QStringLiteral("令和06年01月01日")},
        {"ToDay", QStringLiteral("令和06年03月31日")},     {"Shimei", QStringLiteral("鈴木花子")},
        {"Hyouka", QStringLiteral("歩行安定\nA")},       {"Mokuhyou", QStringLiteral("在宅復帰")},
        {"Toutatsu", QStringLiteral("3ヶ月")},           {"KanKaigo", QStringLiteral("見守り")},
        {"Rihabi", QStringLiteral("A\nB")},              {"Sex", QStringLiteral("女性")},
        {"Old", QStringLiteral("74")},                   {"Kaigodo", QStringLiteral("要介護2")},
        {"Target", QStringLiteral("変更（有）")},        {"KankaiAriNasi", QStringLiteral("変更（無）")},
        {"RihabiAriNasi", QStringLiteral("変更（有）")}, {"Dr", QStringLiteral("佐藤")},
        {"Care", QString()},                             {"Rihabiri", QString()},
        {"Unknown", QStringLiteral("<none>")},
    };
    for (const auto& [name, value] : cases) EXPECT_EQ(text(name), value) << name;
    // A care level or sex outside the tables prints nothing.
    TConference odd = c;
    odd.Kaigodo = 9;
    odd.Sex = -1;
    const lum::ConferencePrint oddPrint{odd, {}, {}};
    EXPECT_EQ(lum::conferenceValue(oddPrint, QStringLiteral("Kaigodo"))->toString(), QString());
    EXPECT_EQ(lum::conferenceValue(oddPrint, QStringLiteral("Sex"))->toString(), QString());
    EXPECT_EQ(lum::conferenceValue(oddPrint, QStringLiteral("ConferDay"))->toString().trimmed(), QString());
}

}  // namespace

// The layout as one list: every field and the reserved bytes 51 and 5211,
// contiguous from 0 to 5232.
lum::test::RecordKind lum::test::conferenceRecordKind() {
    const RecordCodec<TConference> codec{lum::decodeConference, lum::encodeConference};
    RecordKind k = recordKind<TConference>(
        "Conference", ConferenceSize, codec, fixture(),
        [](const std::optional<TConference>& c) { EXPECT_EQ(c, expected()); }, "tail");
    std::vector<RecordField<TConference>> fields;
    addClientFields(fields, 52, 56);
    fields.push_back({"FromDay", 72, 8, [](TConference& c) { c.FromDay = TDateTime(-12345.678); }, 7});
    fields.push_back({"ToDay", 80, 8, [](TConference& c) { c.ToDay = TDateTime(-12345.678); }, 7});
    addTextFields(fields, lum::conferenceTextFields());
    addFlagFields(fields, lum::conferenceFlagFields());
    addNumberFields(fields, lum::conferenceAttendeeFields());
    TConference base;
    base.Kaigodo = 0;
    base.Dr = base.Care = base.Eiyou = base.KanKai = base.Rihabiri = 0;
    addLayout(k, codec, base, fields, {{51, 1}, {5211, 1}});
    k.fieldCount = 20;
    return k;
}
