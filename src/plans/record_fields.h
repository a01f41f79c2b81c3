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
#include "clients/person.h"
#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>

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

// ---- field tables: a record kind lists its fields once, and the walks below
// write and read them all; the printout finds its variables in the same rows.

// A text: a short string (a length byte, then width - 1 bytes) or a
// zero-terminated text in an area of width bytes.
template <class R>
struct TextField {
    QString R::*member;
    int offset;
    int width;  // bytes of the field, the length byte included
    bool zeroTerminated;
    const char* variable;  // the printout's name ("" for none)
    int limit = 0;         // bytes the window accepts, where the kind says (stored form, CR LF counting 2)
};
template <class R>
struct FlagField {
    bool R::*member;
    int offset;
    const char* variable;
};
template <class R>
struct IntField {
    int R::*member;
    int offset;
    const char* variable;
};
template <class R>
struct DateField {
    TDateTime R::*member;
    int offset;
    const char* variable;
};

// A record kind's layout: its size and its field tables. What a table cannot
// name (a member's array) is written and read by the kind's own step after them.
template <class R>
struct Layout {
    int size;
    std::span<const TextField<R>> texts;
    std::span<const FlagField<R>> flags = {};
    std::span<const IntField<R>> ints = {};
    std::span<const DateField<R>> dates = {};
    void (*writeMore)(Writer&, const R&) = nullptr;
    void (*readMore)(const Reader&, R&) = nullptr;
};

// Exactly layout.size bytes; zeros in reserved bytes and after each text.
template <class R>
QByteArray encode(const Layout<R>& layout, const R& record) {
    Writer w(layout.size);
    for (const TextField<R>& f : layout.texts) {
        if (f.zeroTerminated)
            w.zeroText(f.offset, f.width, record.*f.member);
        else
            w.shortString(f.offset, f.width - 1, record.*f.member);
    }
    for (const FlagField<R>& f : layout.flags) w.flag(f.offset, record.*f.member);
    for (const IntField<R>& f : layout.ints) w.int32(f.offset, record.*f.member);
    for (const DateField<R>& f : layout.dates) w.dateTime(f.offset, record.*f.member);
    if (layout.writeMore) layout.writeMore(w, record);
    return w.bytes();
}

// Reads the first layout.size bytes into a default record; nothing when
// fewer are given.
template <class R>
std::optional<R> decode(const Layout<R>& layout, QByteArrayView bytes) {
    if (bytes.size() < layout.size) return std::nullopt;
    const Reader r(bytes.first(layout.size));
    R record;
    for (const TextField<R>& f : layout.texts)
        record.*f.member = f.zeroTerminated ? r.zeroText(f.offset, f.width) : r.shortString(f.offset, f.width - 1);
    for (const FlagField<R>& f : layout.flags) record.*f.member = r.flag(f.offset);
    for (const IntField<R>& f : layout.ints) record.*f.member = r.int32(f.offset);
    for (const DateField<R>& f : layout.dates) record.*f.member = r.dateTime(f.offset);
    if (layout.readMore) layout.readMore(r, record);
    return record;
}

// The client header of a new document, from the client row: the name cut to
// its field on a character boundary, sex, birth, the age at the document's
// day and the care level. Every record kind stores it under these names
// (the name's member is the kind's own).
inline constexpr int ClientNameCapacity = 50;
template <class R>
void takeClientHeader(R& record, QString R::*name, const TPerson& client, TDateTime day) {
    record.*name = cp932::leftBytes(client.Name, ClientNameCapacity);
    record.Sex = client.Sex;
    record.Birth = client.Birth;
    record.Old = AgeInYears(client.Birth, day);
    record.Kaigodo = client.YOUKAIGO_KBN;
}

}  // namespace lum::record
