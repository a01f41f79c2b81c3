#pragma once
// Wrapped memo text as prepared pages keep it. Each wrapped line carries its
// measured width (pixels at 96 ppi, scale 1) so the preview and the printer
// place it without wrapping again, and a mark for a paragraph end (a hard line
// end, never justified). In a memo's text lines a wrapped line is
//   text [U+0001 when a paragraph ends] U+F7hh U+F7ll
// where hh and ll are the high and low byte of the width; the stream writer
// stores the two width characters as the raw bytes hh ll. A memo text in which
// any line holds U+0001 counts as already wrapped.
#include <QList>
#include <QString>
#include <QStringList>

namespace lum {

inline constexpr QChar kParagraphEnd = QChar(0x0001);
inline constexpr char16_t kWidthByteBase = 0xF700;
inline bool isWidthByteChar(QChar c) { return c.unicode() >= kWidthByteBase && c.unicode() <= kWidthByteBase + 0xFF; }

struct WrappedLine {
    QString text;
    bool paragraphEnd = false;
    int width = 0;

    friend bool operator==(const WrappedLine&, const WrappedLine&) = default;
};

QString encodeWrappedLine(const WrappedLine& line);
WrappedLine decodeWrappedLine(const QString& encoded);
QStringList encodeWrappedLines(const QList<WrappedLine>& lines);
// Decodes every line; a last line that is the paragraph mark alone is dropped.
QList<WrappedLine> decodeWrappedLines(const QStringList& encoded);
bool isAlreadyWrapped(const QStringList& lines);

}  // namespace lum
