#pragma once
// Hand-written record fixtures: bytes written at their offset from a hex text
// (blanks allowed, so a field's parts can be read apart).
#include <QByteArray>

inline void put(QByteArray& b, int offset, const char* hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    b.replace(offset, bytes.size(), bytes);
}
