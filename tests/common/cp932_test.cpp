#include "common/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <thread>
#include <vector>

#include "support/qt_printers.h"

namespace cp932 = lum::cp932;

namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

}  // namespace

TEST(Cp932, EncodesAndDecodesTheMicrosoftTable) {
    struct Row { const char* text; const char* bytes; };
    const Row rows[] = {
        {"A~\\", "417e5c"},   // ASCII stays ASCII, backslash and tilde included
        {"①", "8740"},       // NEC row 13
        {"Ⅰ", "8754"}, {"Ⅱ", "8755"}, {"Ⅲ", "8756"}, {"Ⅳ", "8757"}, {"Ⅴ", "8758"}, {"Ⅵ", "8759"},
        {"～", "8160"},
        {"＼", "815f"},
        {"髙", "fbfc"},      // IBM extension
        {"㈱", "878a"},
        {"ｱﾞﾟ", "b1dedf"},   // half-width katakana and voicing marks are one byte each
        {"Ｍ", "826c"},
        {"平成14年", "95bd90ac3134944e"},
        {"", ""},
    };
    for (const Row& r : rows) {
        const QString text = QString::fromUtf8(r.text);
        const auto bytes = cp932::encode(text);
        ASSERT_TRUE(bytes.has_value()) << r.text;
        EXPECT_EQ(*bytes, hex(r.bytes)) << r.text;
        EXPECT_EQ(cp932::decode(*bytes), text) << r.text;
        EXPECT_EQ(cp932::byteLength(text), bytes->size()) << r.text;
        EXPECT_TRUE(cp932::canEncode(text)) << r.text;
    }
}

TEST(Cp932, NormalizesCharactersTypedOnLinux) {
    struct Row { const char* typed; const char* stored; const char* bytes; };
    const Row rows[] = {
        {"〜", "～", "8160"}, {"−", "－", "817c"}, {"‖", "∥", "8161"}, {"—", "―", "815c"},
        {"¢", "￠", "8191"}, {"£", "￡", "8192"}, {"¬", "￢", "81ca"}, {"¥", "￥", "818f"},
        {"‾", "￣", "8150"}, {"1〜2", "1～2", "31816032"},
    };
    for (const Row& r : rows) {
        const QString typed = QString::fromUtf8(r.typed);
        EXPECT_EQ(cp932::normalize(typed), QString::fromUtf8(r.stored)) << r.typed;
        EXPECT_EQ(cp932::encode(typed), hex(r.bytes)) << r.typed;
        EXPECT_EQ(cp932::decode(hex(r.bytes)), QString::fromUtf8(r.stored)) << r.typed;
        EXPECT_EQ(cp932::byteLength(typed), hex(r.bytes).size()) << r.typed;
    }
}

TEST(Cp932, RefusesCharactersWithoutAForm) {
    struct Row { QString text; QString offending; qsizetype length; };
    const Row rows[] = {
        {QStringLiteral("山田😀"), QStringLiteral("😀"), 6},
        {QStringLiteral("𠮷野家"), QStringLiteral("𠮷"), 6},
        {QStringLiteral("abc¦"), QStringLiteral("¦"), 5},
        {QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"), QString(QChar(0xD800)), 4},
    };
    for (const Row& r : rows) {
        QString bad;
        EXPECT_FALSE(cp932::encode(r.text, &bad).has_value()) << qPrintable(r.text);
        EXPECT_EQ(bad, r.offending);
        bad.clear();
        EXPECT_FALSE(cp932::canEncode(r.text, &bad));
        EXPECT_EQ(bad, r.offending);
        EXPECT_EQ(cp932::byteLength(r.text), r.length) << qPrintable(r.text);
    }
}

// No character is ever stored as another: whatever encodes decodes to itself.
TEST(Cp932, EveryEncodableBmpCharacterRoundTrips) {
    int encodable = 0;
    for (char16_t c = 1; c < 0xD800; ++c) {
        const QString s(QChar{c});
        const auto bytes = cp932::encode(s);
        if (!bytes) continue;
        ++encodable;
        EXPECT_EQ(cp932::decode(*bytes), cp932::normalize(s)) << "U+" << std::hex << int(c);
        EXPECT_EQ(cp932::byteLength(s), bytes->size()) << "U+" << std::hex << int(c);
    }
    for (char16_t c = 0xE000; c != 0; ++c) {
        const QString s(QChar{c});
        const auto bytes = cp932::encode(s);
        if (!bytes) continue;
        ++encodable;
        EXPECT_EQ(cp932::decode(*bytes), cp932::normalize(s)) << "U+" << std::hex << int(c);
        EXPECT_EQ(cp932::byteLength(s), bytes->size()) << "U+" << std::hex << int(c);
    }
    EXPECT_GT(encodable, 7000);
}

TEST(Cp932, DecodeReplacesInvalidBytes) {
    struct Row { const char* bytes; QString text; };
    const Row rows[] = {
        {"41804142", QStringLiteral("A\uFFFDAB")},   // 0x80 is no character
        {"418540", QStringLiteral("A\uFFFD")},       // an unassigned pair is one replacement
        {"8141", QStringLiteral("、")},
        {"4181", QStringLiteral("A\uFFFD")},         // a lead byte cut off at the end
        {"81204142", QStringLiteral("\uFFFD AB")},  // a lead byte before an impossible trail
        {"ff", QStringLiteral("\uFFFD")},
    };
    for (const Row& r : rows) EXPECT_EQ(cp932::decode(hex(r.bytes)), r.text) << r.bytes;
}

// Bytes from a file read elsewhere: all of them must form characters, or
// there is no text at all (never a replacement character to store).
TEST(Cp932, DecodeStrictRefusesWhatDecodeReplaces) {
    struct Row { const char* bytes; std::optional<QString> text; };
    const Row rows[] = {
        {"", QString()},
        {"41", QStringLiteral("A")},
        {"8141", QStringLiteral("、")},
        {"fbfc", QStringLiteral("髙")},              // IBM extension
        {"8755b1", QStringLiteral("Ⅱｱ")},
        {"41804142", std::nullopt},                  // 0x80 is no character
        {"418540", std::nullopt},                    // an unassigned pair
        {"4181", std::nullopt},                      // a lead byte cut off at the end
        {"81204142", std::nullopt},
        {"ff", std::nullopt},
        {"efbbbf41", std::nullopt},                  // a UTF-8 byte order mark
    };
    for (const Row& r : rows) EXPECT_EQ(cp932::decodeStrict(hex(r.bytes)), r.text) << r.bytes;
    // A refusal leaves nothing behind for the next call.
    EXPECT_EQ(cp932::decodeStrict(hex("95bd90ac")), QStringLiteral("平成"));
}

TEST(Cp932, CutsOnACharacterBoundary) {
    const QString text = QStringLiteral("aあｱ𠮷b");  // bytes 1 + 2 + 1 + 2 + 1
    struct Row { qsizetype max; QString prefix; };
    const Row rows[] = {
        {-1, QString()}, {0, QString()}, {1, QStringLiteral("a")}, {2, QStringLiteral("a")},
        {3, QStringLiteral("aあ")}, {4, QStringLiteral("aあｱ")}, {5, QStringLiteral("aあｱ")},
        {6, QStringLiteral("aあｱ𠮷")}, {7, text}, {100, text},
    };
    for (const Row& r : rows) EXPECT_EQ(cp932::leftBytes(text, r.max), r.prefix) << r.max;

    const QByteArray bytes = hex("61 82a0 b1 95bd 62");
    struct BRow { qsizetype max; const char* cut; };
    const BRow brows[] = {{0, ""}, {1, "61"}, {2, "61"}, {3, "6182a0"}, {4, "6182a0b1"},
                          {5, "6182a0b1"}, {6, "6182a0b195bd"}, {7, "6182a0b195bd62"}, {9, "6182a0b195bd62"}};
    for (const BRow& r : brows) EXPECT_EQ(cp932::cutBytes(bytes, r.max), hex(r.cut)) << r.max;
    // A pair already cut in the input is dropped rather than kept half.
    EXPECT_EQ(cp932::cutBytes(hex("6182"), 10), hex("61"));
}

// Plain ASCII skips the converter: it must give exactly the converter's bytes
// and characters for every one of the 128 codes.
TEST(Cp932, AsciiGivesWhatTheConverterGives) {
    iconv_t to = iconv_open("CP932", "UTF-16LE");
    iconv_t from = iconv_open("UTF-16LE", "CP932");
    ASSERT_NE(to, reinterpret_cast<iconv_t>(-1));
    ASSERT_NE(from, reinterpret_cast<iconv_t>(-1));
    for (char16_t c = 0; c < 0x80; ++c) {
        char16_t unit = c;  // little-endian on the machines this runs on
        char* in = reinterpret_cast<char*>(&unit);
        size_t inLeft = 2;
        char byte[4] = {};
        char* out = byte;
        size_t outLeft = sizeof byte;
        ASSERT_NE(iconv(to, &in, &inLeft, &out, &outLeft), size_t(-1)) << int(c);
        const QByteArray converted(byte, out - byte);
        EXPECT_EQ(cp932::encode(QStringView(&c, 1)), converted) << int(c);

        char16_t back[2] = {};
        in = byte;
        inLeft = size_t(converted.size());
        out = reinterpret_cast<char*>(back);
        outLeft = sizeof back;
        ASSERT_NE(iconv(from, &in, &inLeft, &out, &outLeft), size_t(-1)) << int(c);
        EXPECT_EQ(cp932::decode(converted), QString(QChar(back[0]))) << int(c);
    }
    iconv_close(to);
    iconv_close(from);
    EXPECT_EQ(cp932::encode(QStringLiteral("CureNo [12345] ~\\")), QByteArray("CureNo [12345] ~\\"));
    EXPECT_EQ(cp932::decode("CureNo [12345] ~\\"), QStringLiteral("CureNo [12345] ~\\"));
}

// Each thread keeps its converters: a refusal or a bad byte in one call leaves
// nothing behind for the next, and threads converting at once do not mix.
TEST(Cp932, ConvertersStartCleanOnEveryCallAndThread) {
    QString bad;
    EXPECT_FALSE(cp932::encode(QStringLiteral("山田😀"), &bad));
    EXPECT_EQ(cp932::encode(QStringLiteral("平成")), hex("95bd90ac"));
    EXPECT_EQ(cp932::decode(hex("4181")), QStringLiteral("A\uFFFD"));
    EXPECT_EQ(cp932::decode(hex("95bd90ac")), QStringLiteral("平成"));

    const QString text = QStringLiteral("利用者一覧 ﾔﾏﾀﾞ ①～髙 No.12");
    const QByteArray bytes = *cp932::encode(text);
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (cp932::encode(text) != bytes || cp932::decode(bytes) != text) ++failures[size_t(t)];
                if (cp932::encode(QStringLiteral("😀"))) ++failures[size_t(t)];
            }
        });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}
