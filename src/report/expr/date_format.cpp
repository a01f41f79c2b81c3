#include "report/expr/date_format.h"

#include "common/era.h"

#include <QRegularExpression>

namespace lum {
namespace {

const QString ShortDateFormat = QStringLiteral("yyyy/mm/dd");
const QString LongDateFormat = QStringLiteral("yyyy'年'm'月'd'日'");
const QString ShortTimeFormat = QStringLiteral("h:nn");
const QString LongTimeFormat = QStringLiteral("h:nn:ss");

QString shortDayName(int dayOfWeek) {  // Qt: 1 Monday .. 7 Sunday
    static const QString names[] = {QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                                    QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土"),
                                    QStringLiteral("日")};
    return names[(dayOfWeek - 1) % 7];
}

QString pad(int v, int width) { return QStringLiteral("%1").arg(v, width, 10, QChar(u'0')); }

// Number of times the character at text[i] repeats (ignoring case).
int runLength(QStringView text, qsizetype i) {
    const QChar c = text.at(i).toLower();
    int n = 0;
    while (i + n < text.size() && text.at(i + n).toLower() == c) ++n;
    return n;
}

bool startsWithCi(QStringView text, qsizetype i, QStringView word) {
    return text.mid(i).startsWith(word, Qt::CaseInsensitive);
}

bool hasAmPm(QStringView pattern) {
    QChar quote;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') quote = c;
        else if (startsWithCi(pattern, i, u"am/pm") || startsWithCi(pattern, i, u"a/p") ||
                 startsWithCi(pattern, i, u"ampm"))
            return true;
    }
    return false;
}

class Formatter {
public:
    explicit Formatter(TDateTime v) : date_(v.date()), time_(v.time()) {}

    void run(QStringView p, int depth = 0) {
        const bool twelveHour = hasAmPm(p);
        bool lastWasHour = false;
        for (qsizetype i = 0; i < p.size();) {
            const QChar c = p.at(i);
            const QChar lc = c.toLower();
            if (c == u'\'' || c == u'"') {
                const qsizetype end = p.indexOf(c, i + 1);
                const qsizetype stop = end < 0 ? p.size() : end;
                out_ += p.mid(i + 1, stop - i - 1);
                i = stop + 1;
                continue;
            }
            const int n = runLength(p, i);
            bool hour = false;
            if (lc == u'd') {
                const int take = std::min(n, 6);
                switch (take) {
                case 1: out_ += QString::number(date_.day()); break;
                case 2: out_ += pad(date_.day(), 2); break;
                case 3: out_ += shortDayName(date_.dayOfWeek()); break;
                case 4: out_ += shortDayName(date_.dayOfWeek()) + QStringLiteral("曜日"); break;
                case 5: nested(ShortDateFormat, depth); break;
                default: nested(LongDateFormat, depth); break;
                }
                i += take;
            } else if (lc == u'm') {
                const int take = std::min(n, 4);
                if (lastWasHour && take <= 2) {
                    out_ += take == 1 ? QString::number(time_.minute()) : pad(time_.minute(), 2);
                } else if (take <= 2) {
                    out_ += take == 1 ? QString::number(date_.month()) : pad(date_.month(), 2);
                } else {
                    out_ += QString::number(date_.month()) + QStringLiteral("月");
                }
                i += take;
            } else if (lc == u'y') {
                out_ += n <= 2 ? pad(date_.year() % 100, 2) : pad(date_.year(), 4);
                i += n;
            } else if (lc == u'g') {
                const int take = std::min(n, 2);
                if (const Era* era = eraOf(date_)) out_ += take == 1 ? era->firstLetter : era->name;
                i += take;
            } else if (lc == u'e') {
                const int take = std::min(n, 2);
                const int year = eraOf(date_) ? eraYear(date_) : date_.year();
                out_ += take == 1 ? QString::number(year) : pad(year, 2);
                i += take;
            } else if (lc == u'h') {
                const int take = std::min(n, 2);
                int h = time_.hour();
                if (twelveHour) {
                    h %= 12;
                    if (h == 0) h = 12;
                }
                out_ += take == 1 ? QString::number(h) : pad(h, 2);
                i += take;
                hour = true;
            } else if (lc == u'n') {
                const int take = std::min(n, 2);
                out_ += take == 1 ? QString::number(time_.minute()) : pad(time_.minute(), 2);
                i += take;
            } else if (lc == u's') {
                const int take = std::min(n, 2);
                out_ += take == 1 ? QString::number(time_.second()) : pad(time_.second(), 2);
                i += take;
            } else if (lc == u'z') {
                const int take = n >= 3 ? 3 : 1;
                out_ += take == 1 ? QString::number(time_.msec()) : pad(time_.msec(), 3);
                i += take;
            } else if (lc == u't') {
                const int take = std::min(n, 2);
                nested(take == 1 ? ShortTimeFormat : LongTimeFormat, depth);
                i += take;
            } else if (lc == u'c') {
                nested(ShortDateFormat, depth);
                if (time_.msecsSinceStartOfDay() != 0) {
                    out_ += u' ';
                    nested(LongTimeFormat, depth);
                }
                ++i;
            } else if (startsWithCi(p, i, u"am/pm")) {
                const QStringView src = p.mid(i, 5);
                out_ += time_.hour() < 12 ? src.left(2) : src.mid(3, 2);
                i += 5;
            } else if (startsWithCi(p, i, u"a/p")) {
                const QStringView src = p.mid(i, 3);
                out_ += time_.hour() < 12 ? src.at(0) : src.at(2);
                i += 3;
            } else if (startsWithCi(p, i, u"ampm")) {
                out_ += time_.hour() < 12 ? QStringLiteral("午前") : QStringLiteral("午後");
                i += 4;
            } else {
                out_ += c;  // "/" and ":" are the run's separators themselves
                ++i;
            }
            if (hour) lastWasHour = true;
            else if (lc.isLetter()) lastWasHour = false;
        }
    }

    QString result() const { return out_; }

private:
    void nested(const QString& pattern, int depth) {
        if (depth < 2) run(pattern, depth + 1);
    }
    QDate date_;
    QTime time_;
    QString out_;
};

}  // namespace

bool isValidDateTime(TDateTime value) {
    constexpr double First = -693593.0;  // 0001-01-01
    constexpr double End = 2958466.0;    // 10000-01-01
    return value.value() >= First && value.value() < End;  // false for NaN too
}

QString formatDateTime(QStringView pattern, TDateTime value) {
    if (!isValidDateTime(value)) return {};
    Formatter f(value);
    f.run(pattern.isEmpty() ? QStringView(u"c") : pattern);
    return f.result();
}

std::optional<TDateTime> strToDate(QStringView text) {
    return parseDateText(text.trimmed());
}

std::optional<TDateTime> strToTime(QStringView text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*(AM|PM)?\s*$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.toString());
    if (!m.hasMatch()) return std::nullopt;
    int h = m.captured(1).toInt();
    const int n = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12) return std::nullopt;
        h = (h % 12) + (ampm == u"PM" ? 12 : 0);
    }
    if (h > 23 || n > 59 || s > 59) return std::nullopt;
    return TDateTime((h * 3600.0 + n * 60.0 + s) / 86400.0);
}

}  // namespace lum
