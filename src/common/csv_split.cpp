#include "common/csv_split.h"

#include "common/cp932.h"

namespace lum {

void TCsv::Split() {
    Fields.clear();
    const qsizetype n = Line.size();
    qsizetype start = 0;
    bool inQuote = false;
    qsizetype i = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(Line[i]);
        // Both bytes of a double-byte character pass unexamined.
        if (cp932::isLeadByte(b)) {
            i += 2;
            continue;
        }
        if (QuoteAware && Line[i] == Quote) {
            inQuote = !inQuote;
        } else if (Line[i] == Delimiter && !(QuoteAware && inQuote)) {
            Fields.append(Line.mid(start, i - start));
            if (MergeDelimiters) {
                while (i + 1 < n && Line[i + 1] == Delimiter) ++i;
            }
            start = i + 1;
            if (start == n) Fields.append(QByteArray());
        }
        ++i;
    }
    if (start < n) Fields.append(Line.mid(start));
}

void TCsv::StripQuotes() {
    for (QByteArray& field : Fields) {
        if (field.startsWith(Quote)) field.remove(0, 1);
        if (field.endsWith(Quote)) field.chop(1);
    }
}

}  // namespace lum
