#pragma once
// Builds template bytes by hand, field by field, for the stream tests; it
// shares no code with the engine's writer.
#include <QByteArray>
#include <QList>
#include <initializer_list>

namespace frftest {

class Bytes {
public:
    Bytes& u8(int v) { data.append(char(v & 0xFF)); return *this; }
    Bytes& u16(int v) { return u8(v).u8(v >> 8); }
    Bytes& i32(qint64 v) { return u16(int(v & 0xFFFF)).u16(int((v >> 16) & 0xFFFF)); }
    Bytes& raw(const QByteArray& b) { data.append(b); return *this; }
    // Current string: length, bytes, a 0 byte.
    Bytes& str(const QByteArray& b) { return u16(int(b.size())).raw(b).u8(0); }
    // Old string: bytes up to a 0 byte.
    Bytes& oldStr(const QByteArray& b) { return raw(b).u8(0); }
    Bytes& shortStr(const QByteArray& b) { return u8(int(b.size())).raw(b); }
    // Current text lines.
    Bytes& lines(std::initializer_list<QByteArray> ls) {
        u16(int(ls.size()));
        if (ls.size() == 0)
            return u8(0);
        int i = 0;
        for (const QByteArray& l : ls) {
            str16(l);
            u8(++i < int(ls.size()) ? 13 : 0);
        }
        return *this;
    }
    // Old text lines: each line ended by 13, the list by 0.
    Bytes& oldLines(std::initializer_list<QByteArray> ls) {
        for (const QByteArray& l : ls)
            raw(l).u8(13);
        return u8(0);
    }
    qsizetype size() const { return data.size(); }
    void patch32(qsizetype at, qint32 v) {
        for (int i = 0; i < 4; ++i)
            data[at + i] = char((quint32(v) >> (8 * i)) & 0xFF);
    }

    QByteArray data;

private:
    Bytes& str16(const QByteArray& b) { return u16(int(b.size())).raw(b); }
};

// The smallest bitmap file: a 1x1 24-bit picture.
inline QByteArray tinyBitmap() {
    Bytes b;
    b.raw("BM").i32(58).i32(0).i32(54);                            // file header
    b.i32(40).i32(1).i32(1).u16(1).u16(24).i32(0).i32(4).i32(0).i32(0).i32(0).i32(0);  // info header
    b.u8(0x00).u8(0x00).u8(0xFF).u8(0);                            // one red pixel, row padded
    return b.data;
}

}  // namespace frftest
