#pragma once
// Field helpers of the care documents' fixed-size records: every record codec
// reads and writes its fields through these, at the offsets of its layout.
//
// The stored forms: little-endian signed 32-bit integers; 8-byte date-times
// (IEEE double, days since 1899-12-30, time as the fraction); one-byte flags;
// short strings of capacity N (one length byte, then N bytes of which the
// first L are code page 932 text); zero-terminated code page 932 texts in an
// area of N bytes. Bytes after a text's end and padding are written as zeros.
//
// Texts are QString with "\n" line breaks in memory and CR LF when stored, so
// a limit is counted on the stored form (storedLength). Reading never goes
// past a field: a length byte above the capacity is clamped, an area without
// a zero byte is read to its end, and a lead byte left without its trail byte
// at a text's end is dropped.
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lum::record {

// The text as stored: "\n" becomes CR LF (a CR LF already there stays one).
QString toStoredLineBreaks(QStringView text);
// The text as shown: CR LF (and a lone CR) becomes "\n".
QString fromStoredLineBreaks(QStringView text);
// Bytes of the stored form: code page 932 with CR LF line breaks.
qsizetype storedLength(QStringView text);
// True when every character has a code page 932 form; otherwise the first
// one that has none is put in *unmappable.
bool isStorable(QStringView text, QString* unmappable = nullptr);

// How a text's line breaks are stored: CR LF (memos), or as the bare line
// feed "\n" is (the level cells of the practice plan, "AB", LF, "C").
enum class LineBreaks { CrLf, BareLf };

// Writes fields into a zero-filled record of a fixed size. A write that would
// pass the record's end throws std::out_of_range (a codec's own mistake); a
// text longer than its field is cut on a character boundary, and a character
// with no code page 932 form is left out (callers refuse such texts first).
class Writer {
public:
    explicit Writer(qsizetype size) : bytes_(size, '\0') {}

    void int32(qsizetype offset, qint32 value);
    void dateTime(qsizetype offset, TDateTime value);
    void flag(qsizetype offset, bool value);
    void shortString(qsizetype offset, int capacity, QStringView text, LineBreaks breaks = LineBreaks::CrLf);
    void zeroText(qsizetype offset, int area, QStringView text);

    const QByteArray& bytes() const { return bytes_; }

private:
    char* at(qsizetype offset, qsizetype width);
    QByteArray bytes_;
};

// Reads fields of a record; the view must hold the whole record (callers
// check the length first). A read past the end throws std::out_of_range.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

    qint32 int32(qsizetype offset) const;
    TDateTime dateTime(qsizetype offset) const;
    bool flag(qsizetype offset) const;
    QString shortString(qsizetype offset, int capacity) const;
    QString zeroText(qsizetype offset, int area) const;

private:
    const char* at(qsizetype offset, qsizetype width) const;
    QByteArrayView bytes_;
};

// The stored bytes of a text, cut to maxBytes on a character boundary (a
// CR LF is never cut in two).
QByteArray encodeText(QStringView text, qsizetype maxBytes, LineBreaks breaks = LineBreaks::CrLf);

}  // namespace lum::record
