// YobouData, the 4552-byte preventive-care plan record: its row of the codec
// tests over every kind (a fixture written byte by byte from the layout table,
// and the layout); the diagnoses never overwrite the next field; damaged
// fields read only themselves.
#include "plans/urin_pract_record.h"

#include "common/cp932.h"
#include "plans/record_fields.h"
#include "plans/record_bytes.h"
#include "plans/record_kind.h"

#include <gtest/gtest.h>


namespace {

using lum::TDateTime;
using lum::TUrinPract;
using lum::test::RecordCodec;
using lum::test::RecordField;
using lum::test::RecordKind;
using lum::UrinPractSize;

QByteArray fixture() {
    QByteArray b(UrinPractSize, '\0');
    put(b, 0, "05000000");                               // maker: staff code 5
    put(b, 4, "0a 89ee 8cec 959f 8e83 8e6d");            // 介護福祉士
    put(b, 35, "08 97e9 96d8 89d4 8e71");                // 鈴木花子
    put(b, 88, "01000000");                              // sex 1
    put(b, 96, "00000000 c0e4d140");                     // 1950-03-01
    put(b, 104, "4a000000");                             // 74
    put(b, 108, "01000000");                             // care level 1
    put(b, 112, "945d 8d5b 8dc7 0d0a 8d82 8c8c 88b3");   // 脳梗塞\r\n高血圧
    put(b, 624, "8d82 8c8c 88b3");                       // 高血圧
    put(b, 1136, "04 32322e35");                         // grip right 22.5
    put(b, 1147, "02 3230");                             // grip left 20
    put(b, 1169, "01 35");                               // one-leg stand left 5
    put(b, 1191, "04 31322e30");                         // TUG second 12.0
    put(b, 1202, "02 8160");                             // 30-second stand-up text ～
    put(b, 1233, "02 3132");                             // 30-second stand-up count 12
    put(b, 1255, "01 39");                               // maximum walking second 9
    put(b, 1266, "02 8ff1");                             // 杖
    put(b, 1307, "02 3235");                             // HDS-R 25
    put(b, 1318, "b1");                                  // pain ｱ
    put(b, 2854, "95e0 8d73 8c50 97fb");                 // short-term goal 歩行訓練
    put(b, 3366, "8ddd 91ee 959c 8b41");                 // overall goal 在宅復帰
    put(b, 3878, "41 0d0a 42");                          // evaluation A\r\nB
    put(b, 4390, "01 00 01 00 00 00 00 00 00 01 01");    // 軽体操 セラバンド 認知的 その他
    put(b, 4401, "02 8ff1");                             // その他 杖
    put(b, 4442, "01 32");                               // 2 days a week
    put(b, 4453, "01 31");
    put(b, 4464, "01 31");
    put(b, 4475, "02 3230");                             // 20 minutes
    put(b, 4486, "01 b1");                               // 負荷強度 ｱ
    put(b, 4517, "02 8f7c");                             // 負荷方法 楯
    return b;
}

TUrinPract expected() {
    TUrinPract p;
    p.Sakusei = 5;
    p.Shokushu = QStringLiteral("介護福祉士");
    p.UserName = QStringLiteral("鈴木花子");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1950, 3, 1);
    p.Old = 74;
    p.Kaigodo = 1;
    p.Diagnose = QStringLiteral("脳梗塞\n高血圧");
    p.PastDiagnose = QStringLiteral("高血圧");
    p.AkuryokuR = QStringLiteral("22.5");
    p.AkuryokuL = QStringLiteral("20");
    p.StandL = QStringLiteral("5");
    p.TUG2 = QStringLiteral("12.0");
    p.Stand30Str = QStringLiteral("～");
    p.Stand30 = QStringLiteral("12");
    p.MaxWalk2 = QStringLiteral("9");
    p.HelpGoods = QStringLiteral("杖");
    p.HDS_R = QStringLiteral("25");
    p.Itami = QStringLiteral("ｱ");
    p.ShortTarget = QStringLiteral("歩行訓練");
    p.TotalTarget = QStringLiteral("在宅復帰");
    p.Hyuka = QStringLiteral("A\nB");
    p.Programme = {true, false, true, false, false, false, false, false, false, true, true};
    p.SonotaText = QStringLiteral("杖");
    p.Kaisu = QStringLiteral("2");
    p.kobetsu = QStringLiteral("1");
    p.Shuudan = QStringLiteral("1");
    p.Jikan = QStringLiteral("20");
    p.Fuka = QStringLiteral("ｱ");
    p.Fukahow = QStringLiteral("楯");
    return p;
}

TEST(UrinPractRecord, DiagnosesAreCutAt511BytesAndNeverReachThePastHistory) {
    // Six diagnoses of 50 full-width characters: 6 * 100 + 5 * 2 bytes.
    QStringList six;
    for (int i = 0; i < 6; ++i) six << QString(50, QChar(u'脳'));
    TUrinPract p = expected();
    p.Diagnose = six.join(u'\n');
    const QByteArray b = lum::encodeUrinPract(p);
    EXPECT_EQ(b[112 + 510], '\0');  // 510 bytes fit before the zero (a pair of 2 cannot end at 511)
    EXPECT_EQ(b.mid(624, 6), QByteArray::fromHex("8d828c8c88b3"));
    const TUrinPract back = *lum::decodeUrinPract(b);
    EXPECT_EQ(back.PastDiagnose, QStringLiteral("高血圧"));
    EXPECT_EQ(back.Diagnose, lum::fitDiagnoses(p.Diagnose));
    EXPECT_LE(lum::record::storedLength(back.Diagnose), 511);

    // A cut that would fall between CR and LF keeps neither; the kept text
    // stored again is the same bytes.
    const QString lines = QString(255, QChar(u'あ')) + "\n" + QString(10, QChar(u'い'));  // 510 + CR LF
    const QString fitted = lum::fitDiagnoses(lines);
    EXPECT_EQ(fitted, QString(255, QChar(u'あ')));
    EXPECT_EQ(lum::fitDiagnoses(fitted), fitted);
    EXPECT_EQ(lum::fitDiagnoses(QStringLiteral("脳梗塞\n高血圧")), QStringLiteral("脳梗塞\n高血圧"));
}

TEST(UrinPractRecord, DamagedFieldsNeverReadPastThemselves) {
    QByteArray b = fixture();
    put(b, 1136, "c8 31323334353637383930");    // length 200 in an 11-byte field: 10 read
    put(b, 1307, "02 3282");                    // a lone lead byte at the end
    b.replace(3878, 512, QByteArray(512, 'e')); // 評価 without its zero
    const TUrinPract p = *lum::decodeUrinPract(b);
    EXPECT_EQ(p.AkuryokuR, QStringLiteral("1234567890"));
    EXPECT_EQ(p.AkuryokuL, QStringLiteral("20"));
    EXPECT_EQ(p.HDS_R, QStringLiteral("2"));
    EXPECT_EQ(p.Hyuka, QString(512, QChar(u'e')));
    EXPECT_TRUE(p.Programme[0]);
    EXPECT_EQ(p.SonotaText, QStringLiteral("杖"));
}

}  // namespace

namespace {

TEST(UrinPractRecord, ANewPlanTakesTheClientsHeaderAndDiagnosesOneALine) {
    TPerson c;
    c.Name = QStringLiteral("鈴木　花子");
    c.Birth = TDateTime::fromYmd(1950, 3, 1);
    c.YOUKAIGO_KBN = 1;
    c.Disease = {QStringLiteral("脳梗塞"), {}, QStringLiteral("高血圧"), {}, {}, {}};
    const TUrinPract p = lum::newUrinPract(c, TDateTime::fromYmd(2024, 3, 1));
    EXPECT_EQ(p.UserName, QStringLiteral("鈴木　花子"));
    EXPECT_EQ(p.Diagnose, QStringLiteral("脳梗塞\n高血圧"));
    EXPECT_EQ(p.Old, 74);
    EXPECT_EQ(p.Sakusei, -1);
    EXPECT_EQ(p.Shokushu, QString());
}

}  // namespace

// The layout as one list: every field and the reserved spans 86..87, 92..95
// and 4548..4551, contiguous from 0 to 4552.
lum::test::RecordKind lum::test::urinPractRecordKind() {
    const RecordCodec<TUrinPract> codec{lum::decodeUrinPract, lum::encodeUrinPract};
    RecordKind k = recordKind<TUrinPract>(
        "UrinPract", UrinPractSize, codec, fixture(),
        [](const std::optional<TUrinPract>& p) { EXPECT_EQ(p, expected()); }, "tail");
    std::vector<RecordField<TUrinPract>> fields = {
        {"Sakusei", 0, 4, [](TUrinPract& p) { p.Sakusei = 0x7f7f7f7f; }, 3},
    };
    addClientFields(fields, 88, 96);
    addTextFields(fields, lum::urinPractTextFields());
    for (int i = 0; i < 11; ++i) {
        fields.push_back({lum::UrinPractProgrammeVariables[i], lum::UrinPractProgrammeOffset + i, 1,
                          [i](TUrinPract& p) { p.Programme[i] = true; }, 0});
    }
    TUrinPract base;
    base.Sakusei = 0;
    base.Kaigodo = 0;
    addLayout(k, codec, base, fields, {{86, 2}, {92, 4}, {4548, 4}});
    return k;
}
