// PracticeData, the 21480-byte practice plan record: its row of the codec
// tests over every kind (a fixture written byte by byte from the layout table,
// and the layout); level cells and memos; a table of plans round-trips;
// damaged fields are handled.
#include "plans/practice_plan_record.h"

#include "plans/record_fields.h"
#include "plans/record_bytes.h"
#include "plans/record_kind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using lum::PracticePlanSize;
using lum::TDateTime;
using lum::TPracticePlan;
using lum::test::RecordCodec;
using lum::test::RecordField;
using lum::test::RecordKind;

QByteArray fixture() {
    QByteArray b(PracticePlanSize, '\0');
    put(b, 0, "00000000 4021e640");            // 2024-01-31 (45322)
    put(b, 8, "08 8e52 9363 89d4 8e71");       // 山田花子
    put(b, 60, "01000000");                    // sex 1
    put(b, 64, "00000000 00b7cc40");           // 1940-04-01 (14702)
    put(b, 72, "53000000");                    // 83
    put(b, 76, "04000000");                    // care level 4
    put(b, 80, "0e 945d 8d5b 8dc7 0d0a 8d82 8c8c 88b3");  // 脳梗塞\r\n高血圧: 14 bytes
    put(b, 848, "01");                         // 自宅
    put(b, 891, "01");                         // 退院未定
    put(b, 1397, "01 02 8ff1");                // 運動器機能障害, 杖
    put(b, 2012, "07000000");                  // HDS-R 7
    // Row 0: 自立 "AB", LF, "C"; 見守り "　"; 行わず empty.
    put(b, 2016, "04 41420a43");
    put(b, 2016 + 11, "02 8140");
    put(b, 2016 + 55, "06 8ff1 0d0a 8ff1");     // Goods 杖\r\n杖
    put(b, 4508, "02000000");                   // row 12's 重点項目 ◎
    put(b, 9109, "07 20 3132 8395 8c8e");       // row 27's 到達時期 " 12ヵ月"
    put(b, 20399, "94f5 8d6c");                 // 備考 備考
    put(b, 21424, "ffffffff");                  // TeamBox1 none
    put(b, 21472, "05000000");                  // TeamBox13 staff 5
    return b;
}

TPracticePlan expected() {
    TPracticePlan p;
    p.PlanDate = TDateTime::fromYmd(2024, 1, 31);
    p.UserName = QStringLiteral("山田花子");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.Old = 83;
    p.Kaigodo = 4;
    p.KenkouMemo = QStringLiteral("脳梗塞\n高血圧");
    p.HomeBox = true;
    p.TaiinBox = true;
    p.Exercise = true;
    p.ExerciseMemo = QStringLiteral("杖");
    p.HDSR = 7;
    p.Table0[0].ABC[0] = QStringLiteral("AB\nC");
    p.Table0[0].ABC[1] = QStringLiteral("　");
    p.Table0[0].Goods = QStringLiteral("杖\n杖");
    p.Table0[12].Special = 2;
    p.Table1[7].Time = QStringLiteral(" 12ヵ月");
    p.Remark = QStringLiteral("備考");
    p.Team.fill(0);
    p.Team[0] = -1;
    p.Team[12] = 5;
    return p;
}

TEST(PracticePlanRecord, LevelCellsKeepTheirBareLineFeedAndMemosUseCrLf) {
    TPracticePlan p;
    p.Table1[0].ABC[4] = QStringLiteral("AB\nC");
    p.Table1[0].Kaigo = QStringLiteral("a\nb");
    const QByteArray b = lum::encodePracticePlan(p);
    EXPECT_EQ(b.mid(7588 + 44, 5), QByteArray::fromHex("0441420a43"));  // length byte 4
    EXPECT_EQ(b.mid(7588 + 116, 5), QByteArray::fromHex("04610d0a62"));
    EXPECT_EQ(lum::decodePracticePlan(b)->Table1[0].ABC[4], QStringLiteral("AB\nC"));
}

TEST(PracticePlanRecord, PlansRoundTrip) {
    TPracticePlan full = expected();
    full.UserName = QString(25, QChar(u'名'));  // 50 bytes
    full.GapeiMemo = QString(127, QChar(u'合'));
    full.SeikatsuMemo = QStringLiteral("ｱｲｳ\n①Ⅱ～");
    full.EtcBox = true;
    full.EtcEdit = QString(19, QChar(u'他'));
    full.Sonota = true;
    full.SonotaMemo = QString(49, QChar(u'そ'));
    full.Jitchi1 = QString(500, QChar(u'実'));
    full.PTOTST0 = QStringLiteral("週3回\n歩行訓練");
    for (int number : lum::PracticeRowNumbers) {
        lum::TPracticeRow& r = full.row(number);
        r.ABC = {QStringLiteral("A"), QStringLiteral("AB\nC"), QStringLiteral("　"), QString(), QStringLiteral("BC")};
        r.Goods = QStringLiteral("杖\n装具");
        r.Kaigo = QString(29, QChar(u'介'));
        r.Time = QStringLiteral(" 3月");
        r.Special = number % 3;
    }
    for (int s = 0; s < 13; ++s) full.Team[size_t(s)] = s * 7 - 1;

    TPracticePlan fresh = lum::newPracticePlan(TPerson{}, TDateTime::fromYmd(2024, 1, 31));
    const std::vector<TPracticePlan> plans = {TPracticePlan{}, expected(), full, fresh};
    for (const TPracticePlan& plan : plans) {
        const QByteArray bytes = lum::encodePracticePlan(plan);
        ASSERT_EQ(bytes.size(), PracticePlanSize);
        EXPECT_EQ(lum::decodePracticePlan(bytes), plan);
    }
}

TEST(PracticePlanRecord, ANewPlanTakesTheClientsHeaderAndBlankCells) {
    TPerson client;
    client.Name = QString(26, QChar(u'名'));  // 52 bytes: cut to 25 characters
    client.Sex = 1;
    client.Birth = TDateTime::fromYmd(1940, 4, 1);
    client.YOUKAIGO_KBN = 3;
    client.Disease = {QStringLiteral("脳梗塞"), QString(), QStringLiteral("高血圧"), {}, {}, {}};
    const TPracticePlan p = lum::newPracticePlan(client, TDateTime::fromYmd(2024, 3, 31));
    EXPECT_EQ(p.UserName, QString(25, QChar(u'名')));
    EXPECT_EQ(p.Old, 83);
    EXPECT_EQ(p.Kaigodo, 3);
    EXPECT_EQ(p.KenkouMemo, QStringLiteral("脳梗塞\n\n高血圧\n\n\n"));  // six lines, empty ones included
    EXPECT_EQ(p.Table0[4].ABC[2], QStringLiteral("　"));
    EXPECT_EQ(p.Table1[7].Time, QStringLiteral("　"));
    EXPECT_EQ(p.Table1[7].Special, 0);
    EXPECT_EQ(p.Team[12], -1);
    // "　" is stored as 81 40.
    EXPECT_EQ(lum::encodePracticePlan(p).mid(2016, 3), QByteArray::fromHex("028140"));
}

TEST(PracticePlanRecord, DamagedFieldsNeverReadPastThemselves) {
    QByteArray b = fixture();
    put(b, 2016 + 22, "c8 3132333435363738393061");  // a cell of length 200: its 10 bytes read
    put(b, 2016 + 33, "02 3282");                     // a lone lead byte at the cell's end
    b.replace(20399, 1025, QByteArray(1025, 'r'));    // 備考 without its zero
    const TPracticePlan p = *lum::decodePracticePlan(b);
    EXPECT_EQ(p.Table0[0].ABC[2], QStringLiteral("1234567890"));
    EXPECT_EQ(p.Table0[0].ABC[3], QStringLiteral("2"));
    EXPECT_EQ(p.Table0[0].ABC[4], QString());
    EXPECT_EQ(p.Remark, QString(1025, QChar(u'r')));
    EXPECT_EQ(p.Team[12], 5);
}

}  // namespace

// The layout as one list: every field and padding span, contiguous from 0 to
// 21480.
lum::test::RecordKind lum::test::practicePlanRecordKind() {
    const RecordCodec<TPracticePlan> codec{lum::decodePracticePlan, lum::encodePracticePlan};
    RecordKind k = recordKind<TPracticePlan>(
        "PracticePlan", PracticePlanSize, codec, fixture(),
        [](const std::optional<TPracticePlan>& p) { EXPECT_EQ(p, expected()); }, QByteArray(100, '\xff'));
    std::vector<RecordField<TPracticePlan>> fields = {
        {"PlanDate", 0, 8, [](TPracticePlan& p) { p.PlanDate = TDateTime(-12345.678); }, 7},
        {"HDSR", 2012, 4, [](TPracticePlan& p) { p.HDSR = 0x7f7f7f7f; }, 3},
    };
    addClientFields(fields, 60, 64);
    addTextFields(fields, lum::practiceTextFields());
    addFlagFields(fields, lum::practiceFlagFields());
    for (int number : lum::PracticeRowNumbers) {
        const int at = lum::practice_layout::rowOffset(number);
        const std::string row = "row " + std::to_string(number);
        for (int c = 0; c < 5; ++c)
            fields.push_back({row + " ABC" + std::to_string(c), at + 11 * c, 11,
                              [number, c](TPracticePlan& p) { p.row(number).ABC[size_t(c)] = "ABCDEFGHIJK"; }, 10});
        fields.push_back({row + " Goods", at + 55, 61, [number](TPracticePlan& p) { p.row(number).Goods = QString(70, u'g'); }, 60});
        fields.push_back({row + " Kaigo", at + 116, 61, [number](TPracticePlan& p) { p.row(number).Kaigo = QString(70, u'k'); }, 60});
        fields.push_back({row + " Time", at + 177, 11, [number](TPracticePlan& p) { p.row(number).Time = QString(20, u't'); }, 10});
        fields.push_back({row + " Special", at + 188, 4, [number](TPracticePlan& p) { p.row(number).Special = 0x7f7f7f7f; }, 3});
    }
    for (int s = 0; s < 13; ++s)
        fields.push_back({"TeamBox" + std::to_string(s + 1), 21424 + 4 * s, 4,
                          [s](TPracticePlan& p) { p.Team[size_t(s)] = 0x7f7f7f7f; }, 3});
    TPracticePlan base;
    base.Kaigodo = 0;
    base.Team.fill(0);
    addLayout(k, codec, base, fields, {{59, 1}, {2009, 3}, {7587, 1}, {21476, 4}});
    return k;
}
