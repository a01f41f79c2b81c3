#include "common/era.h"

namespace lum {

const std::vector<Era>& eras() {
    static const std::vector<Era> table{
        {QStringLiteral("明治"), QStringLiteral("明"), u'M', 1867, QDate(1868, 1, 1)},
        {QStringLiteral("大正"), QStringLiteral("大"), u'T', 1911, QDate(1912, 7, 30)},
        {QStringLiteral("昭和"), QStringLiteral("昭"), u'S', 1925, QDate(1926, 12, 25)},
        {QStringLiteral("平成"), QStringLiteral("平"), u'H', 1988, QDate(1989, 1, 8)},
        {QStringLiteral("令和"), QStringLiteral("令"), u'R', 2018, QDate(2019, 5, 1)},
    };
    return table;
}

const Era* eraOf(const QDate& date) {
    if (!date.isValid()) return nullptr;
    const Era* found = nullptr;
    for (const Era& e : eras()) {
        if (date < e.firstDay) break;
        found = &e;
    }
    return found;
}

int eraYear(const QDate& date) {
    const Era* e = eraOf(date);
    return e ? date.year() - e->baseYear : 0;
}

const Era* eraByKey(QChar key) {
    const QChar upper = key.toUpper();
    for (const Era& e : eras())
        if (e.key == upper) return &e;
    return nullptr;
}

const Era* eraByFirstLetter(QChar letter) {
    for (const Era& e : eras())
        if (e.firstLetter.front() == letter) return &e;
    return nullptr;
}

}  // namespace lum
