// KeikakuData, the 1664-byte rehabilitation plan record: its row of the codec
// tests over every kind (a fixture written byte by byte from the layout table,
// and the layout); damaged and over-long fields never reach past themselves.
#include "plans/urin_plan_record.h"

#include "common/cp932.h"
#include "plans/record_bytes.h"
#include "plans/record_kind.h"

#include <gtest/gtest.h>

#include <functional>


namespace {

using lum::TDateTime;
using lum::TUrinPlan;
using lum::UrinPlanSize;
using lum::test::RecordCodec;
using lum::test::RecordField;
using lum::test::RecordKind;

// Every field set, at the offsets of the layout table, in code page 932.
QByteArray fixture() {
    QByteArray b(UrinPlanSize, '\0');
    put(b, 0, "08 8e52 9363 91be 9859");               // 山田太郎
    put(b, 52, "01000000");                            // sex 1
    put(b, 56, "00000000 c0e4d140");                   // 1950-03-01
    put(b, 64, "4a000000");                            // age 74
    put(b, 68, "03000000");                            // 要介護２ (index 3)
    put(b, 72, "06 945d 8d5b 8dc7");                   // 脳梗塞
    put(b, 72 + 51, "06 8d82 8c8c 88b3");              // 高血圧
    put(b, 72 + 5 * 51, "01 b1");                      // ｱ, the sixth diagnosis
    put(b, 378, "08 8ddd 91ee 959c 8b41");             // 在宅復帰
    put(b, 378 + 3 * 51, "08 95e0 8d73 8c50 97fb");    // 歩行訓練, the fourth purpose
    put(b, 584, "00000000 20fbe540");                  // admitted 2023-04-01
    put(b, 592, "01 01");                              // admitted before, 短期集中 有
    put(b, 600, "00000000 2038e640");                  // 短期集中 to 2024-08-01
    put(b, 608, "00");                                 // 認知症 無
    put(b, 624, "04 3230 2f33");                       // "20/3"
    put(b, 635, "935d 937c 928d 88d3 0d0a 8c8c 88b3"); // 転倒注意\r\n血圧
    put(b, 1147, "8160 41");                           // ～A
    put(b, 1660, "ffffffff");                          // no staff member
    return b;
}

TUrinPlan expected() {
    TUrinPlan p;
    p.Shimei = QStringLiteral("山田太郎");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1950, 3, 1);
    p.Old = 74;
    p.Kaigodo = 3;
    p.Disease = {QStringLiteral("脳梗塞"), QStringLiteral("高血圧"), {}, {}, {}, QStringLiteral("ｱ")};
    p.Purpose = {QStringLiteral("在宅復帰"), {}, {}, QStringLiteral("歩行訓練")};
    p.Nyushobi = TDateTime::fromYmd(2023, 4, 1);
    p.NyushoKiou = true;
    p.TankiKasann = true;
    p.TankiKasannTo = TDateTime::fromYmd(2024, 8, 1);
    p.HDSR = QStringLiteral("20/3");
    p.SpacialMemo = QStringLiteral("転倒注意\n血圧");
    p.KinkiMemo = QStringLiteral("～A");
    p.Rihabi = -1;
    return p;
}

TEST(UrinPlanRecord, OverlongTextsAreCutOnACharacterBoundaryInsideTheirField) {
    // A client name of 100 bytes (the Person column holds 50 characters).
    TUrinPlan p;
    p.Shimei = QString(50, QChar(u'山'));
    p.Disease[0] = QStringLiteral("a") + QString(49, QChar(u'脳'));  // 99 bytes: 1 + 24 characters fit
    p.Sex = 0x01020304;
    const QByteArray b = lum::encodeUrinPlan(p);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 50);
    EXPECT_EQ(b[51], '\0');  // the reserved byte after the name
    EXPECT_EQ(static_cast<unsigned char>(b[72]), 49);
    EXPECT_EQ(b[72 + 50], '\0');
    const TUrinPlan back = *lum::decodeUrinPlan(b);
    EXPECT_EQ(back.Shimei, QString(25, QChar(u'山')));
    EXPECT_EQ(back.Disease[0], QStringLiteral("a") + QString(24, QChar(u'脳')));
    EXPECT_EQ(back.Sex, 0x01020304);
    EXPECT_EQ(back.Disease[1], QString());
}

// Stored blobs are read defensively: whatever a field holds, it reads only
// its own bytes and its neighbours are unaffected.
TEST(UrinPlanRecord, DamagedFieldsNeverReadPastThemselves) {
    struct Case {
        const char* what;
        int offset;
        const char* bytes;
        std::function<QString(const TUrinPlan&)> field;
        QString expected;
    };
    const QString a24 = QString(24, QChar(u'あ'));
    // 50 bytes: "あ" x 24, "A", then a lead byte whose trail is past the field.
    const QByteArray across = QByteArray::fromHex("32") + *lum::cp932::encode(a24 + "A") + QByteArray::fromHex("82");
    const QByteArray acrossHex = across.toHex();  // kept alive while the cases point into it
    const Case cases[] = {
        {"a double-byte character across the capacity", 0, acrossHex.constData(),
         [](const TUrinPlan& p) { return p.Shimei; }, a24 + "A"},
        {"length 200 in a 51-byte field", 0, "c8 41424344", [](const TUrinPlan& p) { return p.Shimei.left(4); },
         QStringLiteral("ABCD")},
        {"a lone lead byte at the text's end", 624, "03 414282", [](const TUrinPlan& p) { return p.HDSR; },
         QStringLiteral("AB")},
    };
    for (const Case& c : cases) {
        QByteArray b = fixture();
        put(b, c.offset, c.bytes);
        const std::optional<TUrinPlan> p = lum::decodeUrinPlan(b);
        ASSERT_TRUE(p) << c.what;
        EXPECT_EQ(c.field(*p), c.expected) << c.what;
        EXPECT_EQ(p->Sex, 1) << c.what;
        EXPECT_EQ(p->Disease[0], QStringLiteral("脳梗塞")) << c.what;
        EXPECT_EQ(p->SpacialMemo, expected().SpacialMemo) << c.what;
    }

    // Length 200: exactly the 50 bytes of the field, never the reserved byte
    // or the sex after it.
    QByteArray b = fixture();
    b[0] = static_cast<char>(200);
    b.replace(1, 50, QByteArray(50, 'x'));
    b[51] = 'Z';
    EXPECT_EQ(lum::decodeUrinPlan(b)->Shimei, QString(50, QChar(u'x')));

    // A memo without its zero ends at its field: 特記事項 fills all 512 bytes
    // and 禁忌事項 still reads as stored.
    b = fixture();
    b.replace(635, 512, QByteArray(512, 'm'));
    const TUrinPlan p = *lum::decodeUrinPlan(b);
    EXPECT_EQ(p.SpacialMemo, QString(512, QChar(u'm')));
    EXPECT_EQ(p.KinkiMemo, QStringLiteral("～A"));
    // A damaged date reads as no date.
    put(b, 600, "ffffffffffffffff");
    EXPECT_TRUE(lum::decodeUrinPlan(b)->TankiKasannTo.isEmpty());
}

}  // namespace

namespace {

TEST(UrinPlanRecord, ANewPlanTakesTheClientsHeaderCutToItsFields) {
    TPerson c;
    c.Name = QString(50, QChar(u'山'));  // 100 bytes
    c.Sex = 1;
    c.Birth = TDateTime::fromYmd(1940, 4, 1);
    c.YOUKAIGO_KBN = 4;
    c.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 10, 1);
    c.Disease = {QStringLiteral("脳梗塞"), {}, {}, {}, {}, QString(26, QChar(u'糖'))};
    const TUrinPlan p = lum::newUrinPlan(c, TDateTime::fromYmd(2024, 3, 31));
    EXPECT_EQ(p.Shimei, QString(25, QChar(u'山')));
    EXPECT_EQ(p.Disease[5], QString(25, QChar(u'糖')));
    EXPECT_EQ(p.Old, 83);
    EXPECT_EQ(p.Kaigodo, 4);
    EXPECT_EQ(p.Nyushobi, c.NYUSHOBI_YMD);
    EXPECT_EQ(p.Rihabi, -1);
    EXPECT_FALSE(p.TankiKasann);
    EXPECT_EQ(lum::decodeUrinPlan(lum::encodeUrinPlan(p)), p);
}

}  // namespace

// Each field alone changed from a base record changes bytes only inside its
// own span, reaching the span's last text byte when filled to capacity, and
// reads back unchanged.
lum::test::RecordKind lum::test::urinPlanRecordKind() {
    const RecordCodec<TUrinPlan> codec{lum::decodeUrinPlan, lum::encodeUrinPlan};
    RecordKind k = recordKind<TUrinPlan>(
        "UrinPlan", UrinPlanSize, codec, fixture(),
        [](const std::optional<TUrinPlan>& plan) {
            ASSERT_TRUE(plan);
            EXPECT_EQ(*plan, expected());
            EXPECT_EQ(plan->Shimei, QStringLiteral("山田太郎"));
            EXPECT_EQ(plan->Birth.value(), 18323.0);
        },
        QByteArray(16, '\x7f'));
    const QString full50(25, QChar(u'あ'));
    const QString full10(5, QChar(u'あ'));
    const QString area(600, QChar(u'm'));  // cut to 511 bytes, then the zero
    // Filled to capacity, each reaches the last byte of its span.
    const auto spanning = [](std::string name, int offset, int width, std::function<void(TUrinPlan&)> set) {
        return RecordField<TUrinPlan>{std::move(name), offset, width, std::move(set), width - 1};
    };
    std::vector<RecordField<TUrinPlan>> fields = {
        spanning("Shimei", 0, 51, [&](TUrinPlan& p) { p.Shimei = full50; }),
        spanning("Sex", 52, 4, [](TUrinPlan& p) { p.Sex = -2; }),
        spanning("Birth", 56, 8, [](TUrinPlan& p) { p.Birth = TDateTime(-12345.678); }),
        spanning("Old", 64, 4, [](TUrinPlan& p) { p.Old = -2; }),
        spanning("Kaigodo", 68, 4, [](TUrinPlan& p) { p.Kaigodo = 0x7f7f7f7f; }),
        spanning("Purpose1", 378, 51, [&](TUrinPlan& p) { p.Purpose[0] = full50; }),
        spanning("Purpose4", 378 + 153, 51, [&](TUrinPlan& p) { p.Purpose[3] = full50; }),
        spanning("Nyushobi", 584, 8, [](TUrinPlan& p) { p.Nyushobi = TDateTime(-12345.678); }),
        spanning("NyushoKiou", 592, 1, [](TUrinPlan& p) { p.NyushoKiou = true; }),
        spanning("TankiKasann", 593, 1, [](TUrinPlan& p) { p.TankiKasann = true; }),
        spanning("TankiKasannTo", 600, 8, [](TUrinPlan& p) { p.TankiKasannTo = TDateTime(-12345.678); }),
        spanning("NinchiKasann", 608, 1, [](TUrinPlan& p) { p.NinchiKasann = true; }),
        spanning("NinchiKasannTo", 616, 8, [](TUrinPlan& p) { p.NinchiKasannTo = TDateTime(-12345.678); }),
        spanning("HDSR", 624, 11, [&](TUrinPlan& p) { p.HDSR = full10; }),
        spanning("SpacialMemo", 635, 511, [&](TUrinPlan& p) { p.SpacialMemo = area; }),
        spanning("KinkiMemo", 1147, 511, [&](TUrinPlan& p) { p.KinkiMemo = area; }),
        spanning("Rihabi", 1660, 4, [](TUrinPlan& p) { p.Rihabi = 0x7f7f7f7f; }),
    };
    for (int i = 0; i < 6; ++i)
        fields.push_back(spanning("Disease", 72 + 51 * i, 51, [&, i](TUrinPlan& p) { p.Disease[i] = full50; }));
    TUrinPlan base;
    base.Kaigodo = 0;
    base.Rihabi = 0;
    addLayout(k, codec, base, fields, {});
    k.contiguous = false;
    k.reencodeEachField = true;
    return k;
}
