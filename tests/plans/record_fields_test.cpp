// The record field helpers every document codec uses: stored forms at their
// offsets, CR LF line breaks, limits counted on the stored form, and damaged
// fields that never read past themselves.
#include "plans/record_fields.h"

#include <gtest/gtest.h>

namespace {

using namespace lum::record;

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

TEST(RecordFields, IntegersDatesAndFlagsAreLittleEndianAtTheirOffsets) {
    Writer w(24);
    w.int32(0, -1);
    w.int32(4, 0x01020304);
    w.dateTime(8, lum::TDateTime(45322.5));  // 2024-01-31 12:00
    w.flag(16, true);
    w.flag(17, false);
    const QByteArray& b = w.bytes();
    EXPECT_EQ(b.mid(0, 4), hex("ffffffff"));
    EXPECT_EQ(b.mid(4, 4), hex("04030201"));
    EXPECT_EQ(b.mid(8, 8), hex("000000005021e640"));
    EXPECT_EQ(b.mid(16, 8), hex("0100000000000000"));

    const Reader r(b);
    EXPECT_EQ(r.int32(0), -1);
    EXPECT_EQ(r.int32(4), 0x01020304);
    EXPECT_EQ(r.dateTime(8).value(), 45322.5);
    EXPECT_TRUE(r.flag(16));
    EXPECT_FALSE(r.flag(17));
}

TEST(RecordFields, TextsAreStoredAsCodePage932WithCrLf) {
    Writer w(40);
    w.shortString(0, 10, QStringLiteral("①Ａ"));
    w.zeroText(11, 20, QStringLiteral("あ\nb"));
    const QByteArray& b = w.bytes();
    EXPECT_EQ(b.mid(0, 11), hex("0487408260000000000000"));
    EXPECT_EQ(b.mid(11, 8), hex("82a00d0a62000000"));
    const Reader r(b);
    EXPECT_EQ(r.shortString(0, 10), QStringLiteral("①Ａ"));
    EXPECT_EQ(r.zeroText(11, 20), QStringLiteral("あ\nb"));
}

TEST(RecordFields, LimitsCountTheStoredForm) {
    struct Case {
        QString text;
        qsizetype bytes;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("abc"), 3},
        {QStringLiteral("ｱｲ"), 2},
        {QStringLiteral("あ\nい"), 6},       // the line feed is stored as CR LF
        {QStringLiteral("a\r\nb"), 4},       // a CR LF stays one
        {QStringLiteral("～Ⅵ①"), 6},
    };
    for (const Case& c : cases) EXPECT_EQ(storedLength(c.text), c.bytes) << c.text.toStdString();
}

TEST(RecordFields, UnstorableCharactersAreNamed) {
    QString bad;
    EXPECT_TRUE(isStorable(QStringLiteral("～①Ⅵ髙"), &bad));
    EXPECT_FALSE(isStorable(QStringLiteral("ab😀c"), &bad));
    EXPECT_EQ(bad, QStringLiteral("😀"));
}

TEST(RecordFields, OverlongTextsAreCutOnACharacterBoundary) {
    Writer w(12);
    w.shortString(0, 5, QStringLiteral("aあいう"));  // 7 bytes into 5: "aあい" is 5
    w.zeroText(6, 4, QStringLiteral("あいう"));     // 3 bytes of room before the zero: "あ"
    const Reader r(w.bytes());
    EXPECT_EQ(r.shortString(0, 5), QStringLiteral("aあい"));
    EXPECT_EQ(w.bytes()[0], 5);
    EXPECT_EQ(r.zeroText(6, 4), QStringLiteral("あ"));
    EXPECT_EQ(w.bytes()[9], 0);
    // A cut between CR and LF keeps neither.
    EXPECT_EQ(encodeText(QStringLiteral("ab\ncd"), 3), QByteArray("ab"));
    EXPECT_EQ(encodeText(QStringLiteral("ab\ncd"), 4), QByteArray("ab\r\n"));
}

TEST(RecordFields, DamagedFieldsNeverReadPastThemselves) {
    // A length byte of 255 in a field of capacity 3, and an area with no zero.
    QByteArray b = hex("ff414243444546") + QByteArray("xyz", 3) + hex("99");
    const Reader r(b);
    EXPECT_EQ(r.shortString(0, 3), QStringLiteral("ABC"));
    EXPECT_EQ(r.zeroText(7, 3), QStringLiteral("xyz"));
    EXPECT_THROW(r.int32(8), std::out_of_range);
    EXPECT_THROW(r.shortString(8, 5), std::out_of_range);
    // A lead byte without its trail byte at the end of a text is dropped:
    // "aあ" with its last byte lost, in a short string and in an area.
    const QByteArray lone = hex("02 61 82") + hex("61 82 a0 82");
    EXPECT_EQ(Reader(lone).shortString(0, 2), QStringLiteral("a"));
    EXPECT_EQ(Reader(lone).zeroText(3, 4), QStringLiteral("aあ"));
    // A date that is no number reads as no date.
    Writer w(8);
    w.int32(0, -1);
    w.int32(4, -1);
    EXPECT_TRUE(Reader(w.bytes()).dateTime(0).isEmpty());
}

}  // namespace
