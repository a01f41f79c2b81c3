#pragma once
// Little-endian writer of template and prepared-page streams; the text
// writers always write the current encodings (code page 932). Text that code
// page 932 cannot hold raises FrfError rather than being stored wrongly.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lum {

class ByteWriter {
public:
    // Room for an object's usual bytes from the start: a prepared page is
    // written an object at a time, each with a writer of its own.
    ByteWriter() { data_.reserve(kInitialCapacity); }
    // A writer whose bytes will follow `base` bytes already in a stream, so
    // positions it writes (a picture's end position) count from that stream's
    // start: objects appended to a prepared page's stream one by one.
    explicit ByteWriter(qsizetype base) : base_(base) { data_.reserve(kInitialCapacity); }

    qsizetype pos() const { return base_ + data_.size(); }
    const QByteArray& data() const { return data_; }
    QByteArray take() { return std::move(data_); }

    void u8(quint8 value);
    void u16(quint16 value);
    void i32(qint32 value);
    void bytes(const QByteArray& value);
    // Overwrites four bytes already written at position `at` (the picture's end position).
    void patchI32(qsizetype at, qint32 value);

    void currentStringBytes(const QByteArray& value);
    void shortStringBytes(const QByteArray& value);
    void currentLineBytes(const QList<QByteArray>& lines);

    void currentString(const QString& value);
    void shortString(const QString& value);
    void currentLines(const QStringList& lines);

private:
    void put(const char* bytes, qsizetype count);
    static constexpr qsizetype kInitialCapacity = 256;
    qsizetype base_ = 0;
    QByteArray data_;
};

// Code page 932 bytes of a text, or FrfError naming the text.
QByteArray encodeStreamText(const QString& text);
QString decodeStreamText(const QByteArray& bytes);

}  // namespace lum
