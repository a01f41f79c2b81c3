#include "common/csv_split.h"

#include "common/cp932.h"

namespace lum {

// Walks Line by the splitting rules and gives each field's start and length
// to `field`, which returns false to stop the walk.
template <typename Field>
bool TCsv::walkFields(Field&& field) const {
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
            if (!field(start, i - start)) return false;
            if (MergeDelimiters) {
                while (i + 1 < n && Line[i + 1] == Delimiter) ++i;
            }
            start = i + 1;
            if (start == n && !field(n, 0)) return false;
        }
        ++i;
    }
    if (start < n && !field(start, n - start)) return false;
    return inQuote;
}

void TCsv::Split() {
    Fields.clear();
    walkFields([this](qsizetype start, qsizetype length) {
        Fields.append(Line.mid(start, length));
        return true;
    });
}

qsizetype TCsv::CountFields(qsizetype limit) const {
    qsizetype count = 0;
    walkFields([&count, limit](qsizetype, qsizetype) { return ++count <= limit; });
    return count;
}

bool TCsv::QuoteLeftOpen() const {
    return walkFields([](qsizetype, qsizetype) { return true; });
}

void TCsv::StripQuotes() {
    // A field's quotes are read as the line's were: a double-byte
    // character's second byte is never taken for one.
    TCsv quotes;
    quotes.Quote = Quote;
    quotes.QuoteAware = QuoteAware;
    for (QByteArray& field : Fields) {
        if (field.startsWith(Quote)) {
            quotes.Line = QByteArray::fromRawData(field.constData(), field.size());
            if (quotes.QuoteLeftOpen()) continue;
            field.remove(0, 1);
        }
        if (field.endsWith(Quote)) field.chop(1);
    }
}

}  // namespace lum
