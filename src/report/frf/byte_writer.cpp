#include "report/frf/byte_writer.h"

#include "report/draw/wrapped_lines.h"

#include "common/cp932.h"
#include "report/frf/frf_error.h"

#include <cstring>

namespace lum {

QByteArray encodeStreamText(const QString& text) {
    std::optional<QByteArray> bytes = cp932::encode(text);
    if (!bytes)
        throw FrfError(QStringLiteral("The text \"%1\" has characters that code page 932 cannot hold.").arg(text));
    return *bytes;
}

QString decodeStreamText(const QByteArray& bytes) { return cp932::decode(bytes); }

// Appends by growing the array and copying: a page is many small writes.
void ByteWriter::put(const char* bytes, qsizetype count) {
    const qsizetype at = data_.size();
    data_.resize(at + count);
    std::memcpy(data_.data() + at, bytes, size_t(count));
}

void ByteWriter::u8(quint8 value) {
    const char b = static_cast<char>(value);
    put(&b, 1);
}

void ByteWriter::u16(quint16 value) {
    const char b[2] = {char(value & 0xFF), char(value >> 8)};
    put(b, 2);
}

void ByteWriter::i32(qint32 value) {
    const auto v = static_cast<quint32>(value);
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    put(b, 4);
}

void ByteWriter::bytes(const QByteArray& value) {
    if (!value.isEmpty()) put(value.constData(), value.size());
}

void ByteWriter::patchI32(qsizetype at, qint32 value) {
    const auto v = static_cast<quint32>(value);
    for (int i = 0; i < 4; ++i)
        data_[at - base_ + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void ByteWriter::currentStringBytes(const QByteArray& value) {
    if (value.size() > 0xFFFF)
        throw FrfError(QStringLiteral("A text of %1 bytes is longer than a stored string can be (65535).")
                           .arg(value.size()));
    u16(quint16(value.size()));
    bytes(value);
    u8(0);
}

void ByteWriter::shortStringBytes(const QByteArray& value) {
    if (value.size() > 0xFF)
        throw FrfError(QStringLiteral("A name of %1 bytes is longer than a variable binding can hold (255).")
                           .arg(value.size()));
    u8(quint8(value.size()));
    bytes(value);
}

void ByteWriter::currentLineBytes(const QList<QByteArray>& lines) {
    if (lines.size() > 0xFFFF)
        throw FrfError(QStringLiteral("%1 text lines are more than a stored list can hold (65535).")
                           .arg(lines.size()));
    u16(quint16(lines.size()));
    if (lines.isEmpty()) {
        u8(0);
        return;
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > 0xFFFF)
            throw FrfError(QStringLiteral("A text line of %1 bytes is longer than a stored line can be (65535).")
                               .arg(lines[i].size()));
        u16(quint16(lines[i].size()));
        bytes(lines[i]);
        u8(i + 1 < lines.size() ? 13 : 0);
    }
}

void ByteWriter::currentString(const QString& value) {
    // Every memo of a page writes its font name here: the last text is kept
    // with its bytes (per thread, as the converter).
    thread_local QString lastText;
    thread_local QByteArray lastBytes;
    if (lastBytes.isNull() || value != lastText) {
        lastBytes = encodeStreamText(value);
        lastText = value;
    }
    currentStringBytes(lastBytes);
}
void ByteWriter::shortString(const QString& value) { shortStringBytes(encodeStreamText(value)); }

void ByteWriter::currentLines(const QStringList& lines) {
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (const QString& l : lines) {
        // A wrapped memo line ends in its width as two characters that stand
        // for raw bytes (report/draw/wrapped_lines.h).
        const qsizetype n = l.size();
        if (n >= 2 && isWidthByteChar(l.at(n - 2)) && isWidthByteChar(l.at(n - 1))) {
            QByteArray bytes = encodeStreamText(l.left(n - 2));
            bytes.append(char(l.at(n - 2).unicode() - kWidthByteBase));
            bytes.append(char(l.at(n - 1).unicode() - kWidthByteBase));
            encoded.append(bytes);
        } else {
            encoded.append(encodeStreamText(l));
        }
    }
    currentLineBytes(encoded);
}

}  // namespace lum
