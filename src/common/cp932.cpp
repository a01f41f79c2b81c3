#include "common/cp932.h"

#include <QSysInfo>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace lum::cp932 {
namespace {

// QString's storage order, so iconv reads the text without a copy.
constexpr const char* kUtf16 =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
constexpr const char* kCp932 = "CP932";  // the Microsoft table; plain SHIFT_JIS lacks the NEC and IBM rows

// A converter of one direction. Opening one is not cheap (glibc parses the
// names, searches its cache and loads the modules), so each thread keeps one
// per direction for its whole life and resets it before every conversion.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Back to the initial state, whatever the last conversion left.
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

    // Converts as far as possible; returns 0 when all input was used, else errno.
    int convert(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) {
        char* src = const_cast<char*>(in);
        const size_t r = iconv(cd_, &src, &inLeft, &out, &outLeft);
        in = src;
        return r == static_cast<size_t>(-1) ? errno : 0;
    }

private:
    iconv_t cd_;
};

Iconv& toCp932() {
    thread_local Iconv cd(kCp932, kUtf16);
    cd.reset();
    return cd;
}

Iconv& fromCp932() {
    thread_local Iconv cd(kUtf16, kCp932);
    cd.reset();
    return cd;
}

// Code page 932 keeps the 128 ASCII codes as they are (backslash and tilde
// included), so plain ASCII needs no converter.
bool isAscii(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

bool isAscii(QByteArrayView bytes) {
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return false;
    return true;
}

// Length in UTF-16 units of the character starting at i (2 for a surrogate pair).
qsizetype charLength(QStringView text, qsizetype i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) return 2;
    return 1;
}

// Bytes the character at i takes once encoded.
int charBytes(QStringView text, qsizetype i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width katakana
    return 2;
}

}  // namespace

char16_t normalizeChar(char16_t c) {
    switch (c) {
    case 0x301C: return 0xFF5E;  // 〜 → ～
    case 0x2212: return 0xFF0D;  // − → －
    case 0x2016: return 0x2225;  // ‖ → ∥
    case 0x2014: return 0x2015;  // — → ―
    case 0x00A2: return 0xFFE0;  // ¢ → ￠
    case 0x00A3: return 0xFFE1;  // £ → ￡
    case 0x00AC: return 0xFFE2;  // ¬ → ￢
    // The converter would store these as '\' and '~', which read back as
    // other characters; the full-width forms survive the round trip.
    case 0x00A5: return 0xFFE5;  // ¥ → ￥
    case 0x203E: return 0xFFE3;  // ‾ → ￣
    default: return c;
    }
}

QString normalize(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) out[i] = QChar(normalizeChar(text[i].unicode()));
    return out;
}

std::optional<QByteArray> encode(QStringView text, QString* firstUnmappable) {
    if (isAscii(text)) return text.toLatin1();
    const QString norm = normalize(text);
    // At most two bytes per UTF-16 unit.
    QByteArray out(norm.size() * 2, Qt::Uninitialized);
    Iconv& cd = toCp932();
    const char* in = reinterpret_cast<const char*>(norm.utf16());
    size_t inLeft = static_cast<size_t>(norm.size()) * 2;
    char* o = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (cd.convert(in, inLeft, o, outLeft) != 0) {
        if (firstUnmappable) {
            const qsizetype at = (in - reinterpret_cast<const char*>(norm.utf16())) / 2;
            *firstUnmappable = text.mid(at, charLength(text, at)).toString();
        }
        return std::nullopt;
    }
    out.truncate(o - out.data());
    return out;
}

QString decode(QByteArrayView bytes) {
    if (!bytes.isEmpty() && isAscii(bytes)) return QString::fromLatin1(bytes);
    QString out;
    out.reserve(bytes.size());
    Iconv& cd = fromCp932();
    QByteArray buf(bytes.size() * 2 + 4, Qt::Uninitialized);  // every character is one BMP unit
    const char* in = bytes.data();
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char* o = buf.data();
        size_t outLeft = static_cast<size_t>(buf.size());
        const int err = cd.convert(in, inLeft, o, outLeft);
        out.append(QStringView(reinterpret_cast<const char16_t*>(buf.constData()), (o - buf.data()) / 2));
        if (err == 0) break;
        // An undefined byte or pair: one replacement character for the pair
        // when the trail byte is plausible, else for the single byte.
        out.append(QChar(QChar::ReplacementCharacter));
        const auto b = static_cast<unsigned char>(*in);
        size_t skip = 1;
        if (isLeadByte(b) && inLeft > 1) {
            const auto t = static_cast<unsigned char>(in[1]);
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) skip = 2;
        }
        in += skip;
        inLeft -= skip;
    }
    return out;
}

std::optional<QString> decodeStrict(QByteArrayView bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    QByteArray buf(bytes.size() * 2, Qt::Uninitialized);  // every character is one BMP unit
    Iconv& cd = fromCp932();
    const char* in = bytes.data();
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* o = buf.data();
    size_t outLeft = static_cast<size_t>(buf.size());
    if (cd.convert(in, inLeft, o, outLeft) != 0) return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(buf.constData()), (o - buf.data()) / 2);
}

bool canEncode(QStringView text, QString* firstUnmappable) {
    return encode(text, firstUnmappable).has_value();
}

qsizetype byteLength(QStringView text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); i += charLength(text, i)) n += charBytes(text, i);
    return n;
}

qsizetype leftBytesLength(QStringView text, qsizetype maxBytes) {
    qsizetype n = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const int b = charBytes(text, i);
        if (n + b > maxBytes) break;
        n += b;
        i += charLength(text, i);
    }
    return i;
}

QString leftBytes(QStringView text, qsizetype maxBytes) { return text.left(leftBytesLength(text, maxBytes)).toString(); }

QByteArray cutBytes(QByteArrayView bytes, qsizetype maxBytes) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype len = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + len > maxBytes || i + len > bytes.size()) break;
        i += len;
    }
    return bytes.first(i).toByteArray();
}

}  // namespace lum::cp932
