#include "report/print/page_list.h"

namespace lum {

bool PageList::contains(int page) const {
    if (all_) return true;
    for (const Range& r : ranges_)
        if (page >= r.first && page <= r.last) return true;
    return false;
}

int PageList::firstOf(int count) const {
    if (count < 1) return 0;
    if (all_) return 1;
    int first = 0;
    for (const Range& r : ranges_) {
        const int from = qMax(1, r.first);
        if (from <= qMin(r.last, count) && (first == 0 || from < first)) first = from;
    }
    return first;
}

namespace {
bool toInt(const QString& s, int& value, QString* error) {
    bool ok = false;
    value = s.toInt(&ok);
    if (!ok && error) *error = QStringLiteral("'%1' is not a valid integer value").arg(s);
    return ok;
}
}  // namespace

bool ParsePageList(const QString& text, PageList& out, QString* error) {
    PageList result;
    QString s;
    for (QChar c : text)
        if (!c.isSpace()) s.append(c);
    if (s.isEmpty()) {
        out = result;
        return true;
    }
    result.selectNone();
    s.append(QLatin1Char(','));
    QString number;
    bool inRange = false;
    int rangeStart = 0;
    for (QChar c : s) {
        if (c == QLatin1Char('-')) {
            if (!toInt(number, rangeStart, error)) return false;
            inRange = true;
            number.clear();
        } else if (c == QLatin1Char(',')) {
            int n = 0;
            if (!toInt(number, n, error)) return false;
            if (inRange) {
                result.add(rangeStart, n);
            } else {
                result.add(n, n);
            }
            inRange = false;
            number.clear();
        } else {
            number.append(c);
        }
    }
    out = result;
    return true;
}

}  // namespace lum
