#include "common/db/sql_date.h"

#include "platform/db/db_error.h"

#include <QDateTime>

#include <cmath>
#include <optional>

namespace lum::db {
namespace {

// Wall-clock arithmetic in UTC so that no local-time gap can move a value.
QDateTime wallClock(TDateTime value) {
    const qint64 seconds = std::llround(value.msecsOfDay() / 1000.0);
    return QDateTime(value.date(), QTime(0, 0), Qt::UTC).addSecs(seconds);
}

// The stored form "YYYY-MM-DD HH:MM:SS" read digit by digit: lists read
// thousands of dates, and the format parsers cost microseconds each. Anything
// else (or an impossible date) is left to the general reader.
std::optional<TDateTime> storedFormValue(const QString& text) {
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' || text[13] != u':' ||
        text[16] != u':') {
        return std::nullopt;
    }
    auto number = [&text](int at, int digits) {
        int n = 0;
        for (int i = at; i < at + digits; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9') return -1;
            n = n * 10 + (c - u'0');
        }
        return n;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59 || !QDate::isValid(year, month, day)) {
        return std::nullopt;
    }
    return TDateTime::fromDateAndTime(QDate(year, month, day), QTime(hour, minute, second));
}

}  // namespace

QString sqlDateText(TDateTime value) {
    return wallClock(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TDateTime readDate(const QVariant& stored) {
    if (stored.isNull() || !stored.isValid()) return TDateTime();
    if (stored.metaType().id() == QMetaType::QDateTime) {
        // PostgreSQL's timestamp without zone: take its fields as they are.
        const QDateTime dt = stored.toDateTime();
        return TDateTime::fromDateAndTime(dt.date(), dt.time());
    }
    if (stored.metaType().id() == QMetaType::QDate) return TDateTime::fromDate(stored.toDate());
    // Date and time are read apart and counted, never through the local clock.
    const QString text = stored.toString().trimmed();
    if (const auto value = storedFormValue(text)) return *value;
    const QDate day = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    QTime time(0, 0);
    if (text.size() > 10) {
        const QChar separator = text[10];
        QString clock = text.mid(11);
        if (clock.endsWith(u'Z')) clock.chop(1);
        time = QTime::fromString(clock, clock.size() > 8 ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
        if (separator != u' ' && separator != u'T') time = QTime();
    }
    if (!day.isValid() || !time.isValid()) throw DbError(QStringLiteral("日付として読めない値です: \"%1\"").arg(text));
    return TDateTime::fromDateAndTime(day, time);
}

QString selectDate(Backend backend, const QString& column) {
    if (backend == Backend::SQLite) return column;
    return QStringLiteral("to_char(%1, 'YYYY-MM-DD HH24:MI:SS') AS %1").arg(column);
}

}  // namespace lum::db
