#pragma once
// Table descriptions and their SQL on both backends, for the migrations.
// One description gives the same rules on both: identity keys that are never
// reused, text widths in characters, dates in one stored form, "C" ordering.
#include "platform/db/connection_string.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lum::db {

enum class ColumnType {
    Key,       // the row's number, given by the database, never reused
    Integer,   // 32-bit
    Text,      // width in characters; 0 = no limit
    DateTime,  // "YYYY-MM-DD HH:MM:SS": text on SQLite, timestamp(0) on PostgreSQL
    Blob,
};

struct Column {
    QString name;
    ColumnType type = ColumnType::Integer;
    int width = 0;
    bool notNull = false;
    QString references;  // "Table (Column) ON DELETE CASCADE"
};

struct Table {
    QString name;
    std::vector<Column> columns;
};

QString createTableSql(const Table& table, Backend backend);

// The column's type on the backend (without constraints).
QString columnTypeSql(const Column& column, Backend backend);

}  // namespace lum::db
