#pragma once
// What the report engine needs of a data set the application's windows query:
// walking it (open, first, next, end), bookmarks to come back to a record,
// fields by name (letter case ignored) with their values, display texts and
// large-object bytes. The project's data-set class implements it (over SQLite
// or PostgreSQL), so a report prints exactly the rows the window's filter lets
// through; SqlQueryDataSet and MemoryDataSet are ready-made implementations.
#include "report/expr/expr_value.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace lum {

class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;

    virtual bool isOpen() const = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    // A mark of the current record, valid while the data set stays open.
    virtual QVariant bookmark() const = 0;
    virtual void gotoBookmark(const QVariant& mark) = 0;
    virtual bool sameBookmark(const QVariant& a, const QVariant& b) const { return a == b; }

    virtual bool hasField(const QString& name) const = 0;
    // The field's value on the current record (Null for a database null).
    virtual ExprValue fieldValue(const QString& name) const = 0;
    // A field whose text the data set formats itself (the window's own text event).
    virtual bool hasDisplayText(const QString& /*name*/) const { return false; }
    virtual QString displayText(const QString& /*name*/) const { return {}; }
    // Large objects: text memos, pictures, binary data.
    virtual bool isBlobField(const QString& /*name*/) const { return false; }
    virtual QByteArray blobBytes(const QString& /*name*/) const { return {}; }
};

// Database values as the expression language takes them.
ExprValue exprValueFromVariant(const QVariant& v);

}  // namespace lum
