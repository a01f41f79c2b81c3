#include "common/db/sql_date.h"

#include "platform/db/db_error.h"

#include <QDateTime>

#include <cmath>

namespace lum::db {
namespace {

// Wall-clock arithmetic in UTC so that no local-time gap can move a value.
QDateTime wallClock(TDateTime value) {
    const qint64 seconds = std::llround(value.msecsOfDay() / 1000.0);
    return QDateTime(value.date(), QTime(0, 0), Qt::UTC).addSecs(seconds);
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
        return TDateTime::fromDateTime(QDateTime(dt.date(), dt.time(), Qt::UTC));
    }
    if (stored.metaType().id() == QMetaType::QDate) return TDateTime::fromDate(stored.toDate());
    // Date and time are read apart: a local-time QDateTime could fall into a
    // daylight-saving gap and move.
    const QString text = stored.toString().trimmed();
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
    return TDateTime::fromDateTime(QDateTime(day, time, Qt::UTC));
}

}  // namespace lum::db
