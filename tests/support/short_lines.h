#pragma once
// Texts of many short lines for the memo tests: the document windows' tests
// (which check at saving that a memo prints whole) and the printout layout
// tests share them, without the layout tests' other needs.
#include <QString>
#include <QStringList>

namespace lum::test {

// The most distinct short lines a memo of `maxBytes` (its stored form, CR LF
// two bytes) accepts, at most 30: each of 11 bytes and numbered, "L01" and
// four full-width characters, so with its line end each takes 13 bytes and
// each is found on the page by its text. A memo with many line breaks takes
// far more paper than its longest paragraph.
inline QStringList mostShortLines(int maxBytes, char16_t c = u'短') {
    const int count = qMin(30, (maxBytes + 2) / 13);
    QStringList lines;
    for (int k = 1; k <= count; ++k) lines << QStringLiteral("L%1").arg(k, 2, 10, QChar(u'0')) + QString(4, QChar(c));
    return lines;
}

}  // namespace lum::test
