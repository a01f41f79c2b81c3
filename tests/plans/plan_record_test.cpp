// PlanData, the 3700-byte body of the treatment plan: its row of the codec
// tests over every kind (a fixture written by hand from the layout table, read
// back field by field); plans of every text kind round-trip; damaged blobs
// stay inside their fields.
#include "plans/plan_record.h"

#include "common/cp932.h"
#include "plans/record_kind.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using lum::PlanBody;
using lum::PlanDataSize;

void putInt(QByteArray& b, int offset, qint32 v) { qToLittleEndian<qint32>(v, b.data() + offset); }
void putShort(QByteArray& b, int offset, const QString& text) {
    const QByteArray t = *lum::cp932::encode(text);
    b[offset] = static_cast<char>(t.size());
    b.replace(offset + 1, t.size(), t);
}
void putZero(QByteArray& b, int offset, const QByteArray& bytes) { b.replace(offset, bytes.size(), bytes); }

// Every field set, at the offsets of the layout table.
QByteArray handWrittenFixture() {
    QByteArray b(PlanDataSize, '\0');
    for (int i = 0; i < 9; ++i) putInt(b, 4 * i, i % 4);
    putInt(b, 36, 6);
    putInt(b, 40, 1);
    putInt(b, 44, -1);
    putShort(b, 48, QStringLiteral("肩関節"));
    putShort(b, 99, QStringLiteral("上肢"));
    putShort(b, 150, QStringLiteral("下肢"));
    putShort(b, 201, QStringLiteral("手指"));
    putShort(b, 252, QStringLiteral("筋力"));
    putShort(b, 303, QStringLiteral("腰痛"));
    putShort(b, 354, QStringLiteral("視力"));
    putShort(b, 405, QStringLiteral("ああああああああああああああああああああ"));  // 40 bytes
    putShort(b, 456, QStringLiteral("右"));
    putZero(b, 507, *lum::cp932::encode(QStringLiteral("一行目\r\n二行目")));
    putInt(b, 860, 3);
    putInt(b, 864, 1);
    b[868] = 1;
    b[868 + 7] = 1;
    b[868 + 14] = 1;
    putShort(b, 883, QStringLiteral("①失語"));
    putShort(b, 944, QStringLiteral("②失認"));
    for (int i = 0; i < 10; ++i) {
        putInt(b, 1008 + 4 * i, i % 3);
        putShort(b, 1048 + 81 * i, QStringLiteral("項目%1").arg(i));
    }
    putZero(b, 1858, *lum::cp932::encode(QStringLiteral("その他～")));
    for (int k = 0; k < 6; ++k) {
        putShort(b, 2409 + 41 * k, QStringLiteral("問題%1").arg(k + 1));
        putShort(b, 2655 + 41 * k, QStringLiteral("目標%1").arg(k + 1));
        putShort(b, 2901 + 41 * k, QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ%1").arg(k + 1));
    }
    putZero(b, 3147, *lum::cp932::encode(QStringLiteral("医師Ⅵ")));
    return b;
}

TEST(PlanRecord, AFortyByteRemarkKeepsItsLengthByte) {
    const QByteArray again = lum::encodePlanData(*lum::decodePlanData(handWrittenFixture()));
    EXPECT_EQ(static_cast<unsigned char>(again[405]), 40u);
}

PlanBody filled(const QString& text, const QString& memo, int index, const QString& longMemo = {}) {
    PlanBody b;
    b.Kansetsu = b.MahiUp = b.Itami = index;
    b.MahiUpDetail = index;
    for (QString& c : b.ImpairmentComments) c = text;
    b.EtcMemo = memo;
    b.Shitsugo = index;
    b.Behaviours.fill(index != 0);
    b.ShitsugoComment = b.ShitsuninnComment = text;
    b.DailyLife.fill(index);
    for (QString& c : b.DailyLifeComments) c = text;
    b.Sonota = b.DrMemo = longMemo.isEmpty() ? memo : longMemo;
    for (auto* lines : {&b.Mondaiten, &b.Mokuhyo, &b.Program})
        for (QString& l : *lines) l = text.left(18);
    return b;
}

TEST(PlanRecord, PlansRoundTrip) {
    const QString full20 = QString(20, QChar(u'Ⅵ'));
    struct Case {
        const char* what;
        PlanBody body;
    } cases[] = {
        {"empty", filled(QString(), QString(), 0)},
        {"no choice", filled(QStringLiteral("abc"), QStringLiteral("x"), -1)},
        {"circled and wave", filled(QStringLiteral("①②～髙"), QStringLiteral("①\n②\n～"), 3)},
        {"full remarks", filled(full20, QString(170, QChar(u'あ')), 6)},
        {"memo of 340 bytes with line breaks", filled(QStringLiteral("ｱ"), QString(168, QChar(u'い')) + "\n", 2)},
        {"full long memos", filled(full20, QString(170, QChar(u'ン')), 1, QString(269, QChar(u'ン')) + "\n")},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = lum::encodePlanData(c.body);
        ASSERT_EQ(bytes.size(), PlanDataSize) << c.what;
        const std::optional<PlanBody> back = lum::decodePlanData(bytes);
        ASSERT_TRUE(back) << c.what;
        EXPECT_EQ(*back, c.body) << c.what;
        EXPECT_EQ(lum::encodePlanData(*back), bytes) << c.what;
        // Padding stays zero.
        for (int pad : {858, 859, 1005, 1006, 1007, 3698, 3699}) EXPECT_EQ(bytes[pad], 0) << c.what << " " << pad;
    }
}

TEST(PlanRecord, DamagedBlobsStayInsideTheirFields) {
    EXPECT_FALSE(lum::decodePlanData(QByteArray(PlanDataSize - 1, '\0')));
    // Every byte 0xFF: length bytes above capacity, areas without a zero.
    const QByteArray ones(PlanDataSize, '\xff');
    const std::optional<PlanBody> body = lum::decodePlanData(ones);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->Kansetsu, -1);
    EXPECT_LE(lum::cp932::byteLength(body->ImpairmentComments[0]), 50 * 2);
    EXPECT_LE(body->EtcMemo.size(), 351);
    // A longer blob: its first 3700 bytes are the record.
    QByteArray longer = handWrittenFixture() + QByteArray(100, 'z');
    EXPECT_EQ(lum::encodePlanData(*lum::decodePlanData(longer)), handWrittenFixture());
}

}  // namespace

// Every field of the hand-written fixture read back as written.
lum::test::RecordKind lum::test::planRecordKind() {
    return lum::test::recordKind<PlanBody>(
        "Plan", PlanDataSize, {lum::decodePlanData, lum::encodePlanData}, handWrittenFixture(),
        [](const std::optional<PlanBody>& body) {
            ASSERT_TRUE(body);
            EXPECT_EQ(body->Kansetsu, 0);
            EXPECT_EQ(body->MahiUp, 1);
            EXPECT_EQ(body->Shiryoku, 2);
            EXPECT_EQ(body->RightChoryoku, 0);
            EXPECT_EQ(body->MahiUpDetail, 6);
            EXPECT_EQ(body->MahiFinDetail, -1);
            EXPECT_EQ(body->ImpairmentComments[0], QStringLiteral("肩関節"));
            EXPECT_EQ(body->ImpairmentComments[7], QString(20, QChar(u'あ')));
            EXPECT_EQ(body->ImpairmentComments[8], QStringLiteral("右"));
            EXPECT_EQ(body->EtcMemo, QStringLiteral("一行目\n二行目"));
            EXPECT_EQ(body->Shitsugo, 3);
            EXPECT_EQ(body->Shitsunin, 1);
            EXPECT_TRUE(body->Behaviours[0]);
            EXPECT_FALSE(body->Behaviours[1]);
            EXPECT_TRUE(body->Behaviours[7]);
            EXPECT_TRUE(body->Behaviours[14]);
            EXPECT_EQ(body->ShitsugoComment, QStringLiteral("①失語"));
            EXPECT_EQ(body->ShitsuninnComment, QStringLiteral("②失認"));
            EXPECT_EQ(body->DailyLife[4], 1);
            EXPECT_EQ(body->DailyLifeComments[9], QStringLiteral("項目9"));
            EXPECT_EQ(body->Sonota, QStringLiteral("その他～"));
            EXPECT_EQ(body->Mondaiten[5], QStringLiteral("問題6"));
            EXPECT_EQ(body->Mokuhyo[0], QStringLiteral("目標1"));
            EXPECT_EQ(body->Program[5], QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ6"));
            EXPECT_EQ(body->DrMemo, QStringLiteral("医師Ⅵ"));

        },
        QByteArray(100, 'z'));
}
