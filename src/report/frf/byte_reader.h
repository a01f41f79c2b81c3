#pragma once
// Little-endian reader over the bytes of a template or prepared-page stream.
// Every read is checked against what remains: a read past the end raises
// FrfError instead of touching memory that is not there.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lum {

class ByteReader {
public:
    explicit ByteReader(const QByteArray& data) : data_(data) {}

    qsizetype pos() const { return pos_; }
    qsizetype size() const { return data_.size(); }
    qsizetype remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    // Moves to an absolute position; positions outside the stream are refused.
    void seek(qsizetype position);
    const QByteArray& data() const { return data_; }

    quint8 u8();
    quint16 u16();
    qint32 i32();
    QByteArray bytes(qsizetype count);
    void skip(qsizetype count);
    // Fails unless `count` bytes remain; `what` names the field in the message.
    void require(qsizetype count, const char* what) const;

    // Text codecs of the stream (code page 932). The "current" forms carry a
    // length; the "old" forms of versions 21 and 22 end at a 0 byte.
    QByteArray currentStringBytes();
    QByteArray oldStringBytes();
    QByteArray shortStringBytes();
    QList<QByteArray> currentLineBytes();
    QList<QByteArray> oldLineBytes();

    QString currentString();
    QString oldString();
    QString shortString();
    QStringList currentLines();
    QStringList oldLines();

private:
    const QByteArray& data_;
    qsizetype pos_ = 0;
};

}  // namespace lum
