#include "report/draw/wrapped_lines.h"

namespace lum {
QString encodeWrappedLine(const WrappedLine& line) {
    QString s = line.text;
    if (line.paragraphEnd) s += kParagraphEnd;
    const int w = qBound(0, line.width, 0xFFFF);
    s += QChar(char16_t(kWidthByteBase + (w >> 8)));
    s += QChar(char16_t(kWidthByteBase + (w & 0xFF)));
    return s;
}

WrappedLine decodeWrappedLine(const QString& encoded) {
    WrappedLine line;
    QString s = encoded;
    if (s.size() >= 2 && isWidthByteChar(s.at(s.size() - 1)) && isWidthByteChar(s.at(s.size() - 2))) {
        line.width = ((s.at(s.size() - 2).unicode() - kWidthByteBase) << 8) | (s.at(s.size() - 1).unicode() - kWidthByteBase);
        s.chop(2);
    }
    if (s.endsWith(kParagraphEnd)) {
        line.paragraphEnd = true;
        s.chop(1);
    }
    line.text = s;
    return line;
}

QStringList encodeWrappedLines(const QList<WrappedLine>& lines) {
    QStringList out;
    out.reserve(lines.size());
    for (const WrappedLine& l : lines) out.append(encodeWrappedLine(l));
    return out;
}

QList<WrappedLine> decodeWrappedLines(const QStringList& encoded) {
    QList<WrappedLine> out;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (i == encoded.size() - 1 && encoded.at(i) == QString(kParagraphEnd)) break;
        out.append(decodeWrappedLine(encoded.at(i)));
    }
    return out;
}

bool isAlreadyWrapped(const QStringList& lines) {
    for (const QString& l : lines)
        if (l.contains(kParagraphEnd)) return true;
    return false;
}

}  // namespace lum
