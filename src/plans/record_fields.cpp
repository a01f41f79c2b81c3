#include "plans/record_fields.h"

#include "common/cp932.h"

#include <QtEndian>

#include <cstring>
#include <stdexcept>

namespace lum::record {
namespace {

// A field's text as shown. A lead byte whose trail byte would lie past the
// field (a damaged length, or a text cut by another program) is dropped
// rather than shown as a replacement character.
QString decodeStored(QByteArrayView bytes) {
    return fromStoredLineBreaks(cp932::decode(cp932::cutBytes(bytes, bytes.size())));
}

}  // namespace

QString toStoredLineBreaks(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += QStringLiteral("\r\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            out += QStringLiteral("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString fromStoredLineBreaks(QStringView text) {
    QString out = text.toString();
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

qsizetype storedLength(QStringView text) { return cp932::byteLength(toStoredLineBreaks(text)); }

bool isStorable(QStringView text, QString* unmappable) { return cp932::canEncode(text, unmappable); }

QByteArray encodeText(QStringView text, qsizetype maxBytes, LineBreaks breaks) {
    const QString stored = breaks == LineBreaks::CrLf ? toStoredLineBreaks(text) : text.toString();
    QString bad;
    std::optional<QByteArray> bytes = cp932::encode(stored, &bad);
    if (!bytes) {
        // Leave out what cannot be stored rather than lose the whole text.
        QString kept;
        for (qsizetype i = 0; i < stored.size();) {
            const qsizetype n = (stored[i].isHighSurrogate() && i + 1 < stored.size()) ? 2 : 1;
            const QStringView ch = QStringView(stored).mid(i, n);
            if (cp932::canEncode(ch)) kept += ch;
            i += n;
        }
        bytes = cp932::encode(kept).value_or(QByteArray());
    }
    QByteArray cut = cp932::cutBytes(*bytes, maxBytes);
    // A CR LF is one line break: never keep its CR alone.
    if (cut.size() < bytes->size() && cut.endsWith('\r')) cut.chop(1);
    return cut;
}

char* Writer::at(qsizetype offset, qsizetype width) {
    if (offset < 0 || width < 0 || offset + width > bytes_.size()) {
        throw std::out_of_range("record field past the end of the record");
    }
    return bytes_.data() + offset;
}

void Writer::int32(qsizetype offset, qint32 value) { qToLittleEndian<qint32>(value, at(offset, 4)); }

void Writer::dateTime(qsizetype offset, TDateTime value) {
    const double v = value.value();
    quint64 raw;
    std::memcpy(&raw, &v, sizeof raw);
    qToLittleEndian<quint64>(raw, at(offset, 8));
}

void Writer::flag(qsizetype offset, bool value) { *at(offset, 1) = value ? 1 : 0; }

void Writer::shortString(qsizetype offset, int capacity, QStringView text, LineBreaks breaks) {
    char* p = at(offset, capacity + 1);
    const QByteArray b = encodeText(text, std::min(capacity, 255), breaks);
    p[0] = static_cast<char>(static_cast<unsigned char>(b.size()));
    std::memcpy(p + 1, b.constData(), static_cast<size_t>(b.size()));
}

void Writer::zeroText(qsizetype offset, int area, QStringView text) {
    char* p = at(offset, area);
    const QByteArray b = encodeText(text, area - 1);  // room for the zero
    std::memcpy(p, b.constData(), static_cast<size_t>(b.size()));
}

const char* Reader::at(qsizetype offset, qsizetype width) const {
    if (offset < 0 || width < 0 || offset + width > bytes_.size()) {
        throw std::out_of_range("record field past the end of the record");
    }
    return bytes_.data() + offset;
}

qint32 Reader::int32(qsizetype offset) const { return qFromLittleEndian<qint32>(at(offset, 4)); }

TDateTime Reader::dateTime(qsizetype offset) const {
    const quint64 raw = qFromLittleEndian<quint64>(at(offset, 8));
    double v;
    std::memcpy(&v, &raw, sizeof v);
    // A damaged value (not a number, or beyond any calendar) reads as no date.
    if (!(v > -700000.0 && v < 3000000.0)) v = 0.0;
    return TDateTime(v);
}

bool Reader::flag(qsizetype offset) const { return *at(offset, 1) != 0; }

QString Reader::shortString(qsizetype offset, int capacity) const {
    const char* p = at(offset, capacity + 1);
    const int length = std::min<int>(static_cast<unsigned char>(p[0]), capacity);
    return decodeStored(QByteArrayView(p + 1, length));
}

QString Reader::zeroText(qsizetype offset, int area) const {
    const char* p = at(offset, area);
    const void* zero = std::memchr(p, 0, static_cast<size_t>(area));
    const qsizetype length = zero ? static_cast<const char*>(zero) - p : area;
    return decodeStored(QByteArrayView(p, length));
}

}  // namespace lum::record
