#include "common/text_helpers.h"

namespace lum {

int SkipSpaces(QStringView text, int start) {
    const int length = static_cast<int>(text.size());
    if (start > length) return start;
    int i = start < 1 ? 1 : start;
    while (i <= length && text[i - 1] == u' ') ++i;
    return i;
}

QString asciiTrim(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= u' ') ++b;
    while (e > b && text[e - 1].unicode() <= u' ') --e;
    return text.sliced(b, e - b).toString();
}

QString CureNoText(int cureNo) { return QString::asprintf("%8.8d", cureNo); }

}  // namespace lum
