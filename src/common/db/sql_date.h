#pragma once
// The one road of dates into and out of the facility database. A date is
// stored as "YYYY-MM-DD HH:MM:SS" (text on SQLite, timestamp(0) without time
// zone on PostgreSQL), to the whole second, and the empty date as
// 1899-12-30 00:00:00, never as NULL. Qt's own binding of QDate or QDateTime
// is never used: it stores forms that do not compare equal and shifts zones.
#include "common/datetime.h"
#include "platform/db/connection_string.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace lum::db {

// The stored form, rounded to the nearest second.
QString sqlDateText(TDateTime value);
inline QVariant sqlDate(TDateTime value) { return sqlDateText(value); }
inline void bindDate(QSqlQuery& query, const QString& placeholder, TDateTime value) {
    query.bindValue(placeholder, sqlDate(value));
}

// A date column in a SELECT list that reads many rows: PostgreSQL hands it
// over as text in the stored form (its driver's own conversion to a
// QDateTime costs microseconds a row); SQLite stores the text already.
// readDate reads both; the column keeps its name.
QString selectDate(Backend backend, const QString& column);

// A stored date as read from either backend; NULL reads as the empty date.
// Throws DbError for a value that is no date.
TDateTime readDate(const QVariant& stored);

}  // namespace lum::db
