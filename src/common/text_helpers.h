#pragma once
// Small text helpers where "blank" means the ASCII blank only: a full-width
// blank (U+3000) inside a name is part of the name.
#include <QString>
#include <QStringView>

namespace lum {

// The 1-based position of the first character at or after start (1-based)
// that is not an ASCII blank; the length + 1 when only blanks remain; start
// itself when start lies past the end.
int SkipSpaces(QStringView text, int start);

// Removes the characters up to and including the ASCII blank (controls and
// ' ') at both ends, leaving full-width blanks in place.
QString asciiTrim(QStringView text);

// A client number as lists and files write it: eight digits with leading
// zeros ("00000123"), the sign in front of the zeros for a negative number.
QString CureNoText(int cureNo);

}  // namespace lum
