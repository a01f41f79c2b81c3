#include "report/frf/byte_reader.h"

#include "report/draw/wrapped_lines.h"

#include "common/cp932.h"
#include "report/frf/frf_error.h"

namespace lum {

void ByteReader::require(qsizetype count, const char* what) const {
    if (count < 0 || count > remaining())
        throw FrfError(QStringLiteral("The stream ends inside %1 (byte %2).")
                           .arg(QLatin1String(what))
                           .arg(pos_));
}

void ByteReader::seek(qsizetype position) {
    if (position < 0 || position > data_.size())
        throw FrfError(QStringLiteral("Position %1 lies outside the stream.").arg(position));
    pos_ = position;
}

quint8 ByteReader::u8() {
    require(1, "a byte");
    return static_cast<quint8>(data_[pos_++]);
}

quint16 ByteReader::u16() {
    require(2, "a 16-bit word");
    const auto* p = reinterpret_cast<const uchar*>(data_.constData() + pos_);
    pos_ += 2;
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

qint32 ByteReader::i32() {
    require(4, "a 32-bit integer");
    const auto* p = reinterpret_cast<const uchar*>(data_.constData() + pos_);
    pos_ += 4;
    const quint32 v = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    return static_cast<qint32>(v);
}

QByteArray ByteReader::bytes(qsizetype count) {
    require(count, "a block of bytes");
    QByteArray out = data_.mid(pos_, count);
    pos_ += count;
    return out;
}

void ByteReader::skip(qsizetype count) {
    require(count, "skipped bytes");
    pos_ += count;
}

QByteArray ByteReader::currentStringBytes() {
    const quint16 n = u16();
    require(qsizetype(n) + 1, "a string");
    QByteArray out = data_.mid(pos_, n);
    pos_ += n + 1;  // the byte after the text is written 0 and skipped
    return out;
}

QByteArray ByteReader::oldStringBytes() {
    const qsizetype end = data_.indexOf('\0', pos_);
    if (end < 0)
        throw FrfError(QStringLiteral("The stream ends inside a string (byte %1).").arg(pos_));
    QByteArray out = data_.mid(pos_, end - pos_);
    pos_ = end + 1;
    return out;
}

QByteArray ByteReader::shortStringBytes() {
    const quint8 n = u8();
    return bytes(n);
}

QList<QByteArray> ByteReader::currentLineBytes() {
    QList<QByteArray> lines;
    if (u16() == 0) {
        u8();  // the end byte of an empty list
        return lines;
    }
    // The count only says that lines follow; the byte after each line says
    // whether another one does.
    for (;;) {
        const quint16 n = u16();
        lines.append(bytes(n));
        if (u8() == 0)
            return lines;
    }
}

QList<QByteArray> ByteReader::oldLineBytes() {
    QList<QByteArray> lines;
    QByteArray line;
    for (;;) {
        const char c = static_cast<char>(u8());
        if (c == '\0') {
            if (!line.isEmpty())
                lines.append(line);
            return lines;
        }
        if (c == '\r') {
            lines.append(line);
            line.clear();
        } else {
            line.append(c);
        }
    }
}

namespace {
// Lines of a wrapped memo text (any line holds the byte 1) end in two raw
// width bytes, kept as width characters (report/draw/wrapped_lines.h).
QStringList decodeLines(const QList<QByteArray>& lines) {
    bool wrapped = false;
    for (const QByteArray& l : lines) wrapped = wrapped || l.contains('\x01');
    QStringList out;
    out.reserve(lines.size());
    for (const QByteArray& l : lines) {
        if (wrapped && l.size() >= 2) {
            QString s = cp932::decode(l.left(l.size() - 2));
            s += QChar(char16_t(kWidthByteBase + quint8(l.at(l.size() - 2))));
            s += QChar(char16_t(kWidthByteBase + quint8(l.at(l.size() - 1))));
            out.append(s);
        } else {
            out.append(cp932::decode(l));
        }
    }
    return out;
}
}  // namespace

QString ByteReader::currentString() {
    // Every memo of a page reads its font name here: the last text is kept
    // with its bytes (per thread, as the converter).
    thread_local QByteArray lastBytes;
    thread_local QString lastText;
    const QByteArray bytes = currentStringBytes();
    if (lastText.isNull() || bytes != lastBytes) {
        lastText = cp932::decode(bytes);
        lastBytes = bytes;
    }
    return lastText;
}
QString ByteReader::oldString() { return cp932::decode(oldStringBytes()); }
QString ByteReader::shortString() { return cp932::decode(shortStringBytes()); }
QStringList ByteReader::currentLines() { return decodeLines(currentLineBytes()); }
QStringList ByteReader::oldLines() { return decodeLines(oldLineBytes()); }

}  // namespace lum
