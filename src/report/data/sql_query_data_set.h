#pragma once
// A report data set over a QSqlQuery (SQLite or PostgreSQL). The query is
// made scrollable so that bookmarks (row positions) work; an optional row
// filter skips the rows a window's filter does not let through.
#include "report/data/report_data_set.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

namespace lum {

class SqlQueryDataSet : public ReportDataSet {
public:
    // `query` is prepared (and its values bound) by the caller; open() runs it
    // unless it is already active.
    explicit SqlQueryDataSet(QSqlQuery query);

    std::function<bool(const QSqlRecord&)> rowFilter;

    bool isOpen() const override { return query_.isActive(); }
    void open() override;
    void close() override;
    void first() override;
    void next() override;
    bool eof() const override { return eof_; }
    QVariant bookmark() const override { return eof_ ? QVariant(-1) : QVariant(query_.at()); }
    void gotoBookmark(const QVariant& mark) override;

    bool hasField(const QString& name) const override;
    ExprValue fieldValue(const QString& name) const override;
    bool isBlobField(const QString& name) const override;
    QByteArray blobBytes(const QString& name) const override;

    QSqlQuery& query() { return query_; }

private:
    // Moves forward from the current row to the first row the filter lets through.
    void settle(bool moved);
    QSqlQuery query_;
    bool eof_ = true;
};

}  // namespace lum
