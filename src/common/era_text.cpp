#include "common/era_text.h"

#include "common/era.h"

#include <QTime>

namespace lum {
namespace {

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// A short field of a date text is a number when it holds leading blanks, then
// at least one digit and nothing else: no sign, no blank after a digit.
bool readInt(QStringView s, int& value) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    if (i == s.size()) return false;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return false;
        v = v * 10 + (s[i].unicode() - u'0');
    }
    value = v;
    return true;
}

// The era, year, month and day of a date; false before 明治.
bool eraParts(TDateTime date, const Era*& era, QString& year, QString& month, QString& day) {
    const QDate d = date.date();
    era = eraOf(d);
    if (!era) return false;
    year = twoDigits(d.year() - era->baseYear);
    month = twoDigits(d.month());
    day = twoDigits(d.day());
    return true;
}

}  // namespace

bool EraTextToDate(QStringView text, TDateTime& date) {
    date = TDateTime();
    if (text.isEmpty()) return false;
    const Era* era = eraByFirstLetter(text[0]);
    if (!era) return false;
    int eraYear = 0;
    if (!readInt(text.mid(2, 2), eraYear)) return false;
    const QString dateText = QString::number(era->baseYear + eraYear) + u'/' + text.mid(5, 2).toString() +
                             u'/' + text.mid(8, 2).toString();
    const std::optional<TDateTime> parsed = parseDateText(dateText);
    if (!parsed) return false;
    date = *parsed;
    return true;
}

QString DateToEraText(TDateTime date) {
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->name + y + u'年' + m + u'月' + d + u'日';
}

QString DateToEraMonthText(TDateTime date) {
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->name + y + u'年' + m + u'月';
}

QString DateTimeToEraMinuteText(TDateTime dateTime) {
    const QString day = DateToEraText(dateTime);
    if (day.isEmpty()) return day;
    const QTime t = dateTime.time();
    return day + twoDigits(t.hour()) + u'時' + twoDigits(t.minute()) + u'分';
}

QString DateToEraSpacedText(TDateTime date) {
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->name + u' ' + y + u'年' + m + u'月' + d + u'日';
}

QString DateToEraSpacedMonthText(TDateTime date) {
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->name + u' ' + y + u'年' + m + u'月';
}

QString DateToEraSlashText(TDateTime date) {
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->name + y + u'/' + m + u'/' + d;
}

QString DateToEraShortText(TDateTime date) {
    if (date.dateOnly().isEmpty()) return QString();
    const Era* era = nullptr;
    QString y, m, d;
    if (!eraParts(date, era, y, m, d)) return QString();
    return era->key + y + u'.' + m + u'.' + d;
}

}  // namespace lum
