#pragma once
// Code page 932 (the Microsoft mapping of Shift_JIS with the NEC and IBM rows):
// the byte form of texts in stored records, files and byte-counted limits.
// Inside the application text is QString; these routines are the only place
// where it becomes bytes. All are thread-safe.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace lum::cp932 {

// Replaces characters typed on Linux that code page 932 only has in another
// form: 〜→～, −→－, ‖→∥, —→―, ¢→￠, £→￡, ¬→￢, ¥→￥, ‾→￣.
QString normalize(QStringView text);
// The same for one UTF-16 unit.
char16_t normalizeChar(char16_t c);

// The code page 932 bytes of the normalized text. A character with no code
// page 932 form (emoji, 𠮷, a lone surrogate) is never replaced: the result is
// empty and *firstUnmappable receives that character for the message.
std::optional<QByteArray> encode(QStringView text, QString* firstUnmappable = nullptr);

// Never fails: bytes that form no character become U+FFFD.
QString decode(QByteArrayView bytes);

// The text of bytes that are code page 932 throughout; nothing when a byte or
// pair forms no character or the bytes end inside a double-byte character
// (for files read from elsewhere, whose bad bytes must not be stored).
std::optional<QString> decodeStrict(QByteArrayView bytes);

bool canEncode(QStringView text, QString* firstUnmappable = nullptr);

// Bytes of the text once encoded: ASCII and half-width katakana count 1, every
// other character 2 (an unmappable one too, so limits stay conservative).
qsizetype byteLength(QStringView text);

// The longest prefix of the text whose byte length is at most maxBytes; a
// double-byte character or a surrogate pair is never split.
QString leftBytes(QStringView text, qsizetype maxBytes);
// The length of that prefix in UTF-16 units, without copying it.
qsizetype leftBytesLength(QStringView text, qsizetype maxBytes);

// The same cut on bytes already encoded: a lead byte whose trail byte would
// fall past maxBytes is dropped with it.
QByteArray cutBytes(QByteArrayView bytes, qsizetype maxBytes);

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace lum::cp932
