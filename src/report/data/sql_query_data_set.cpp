#include "report/data/sql_query_data_set.h"

#include <QSqlError>
#include <QSqlField>
#include <stdexcept>

namespace lum {

SqlQueryDataSet::SqlQueryDataSet(QSqlQuery query) : query_(std::move(query)) { query_.setForwardOnly(false); }

void SqlQueryDataSet::open() {
    if (query_.isActive()) return;
    if (!query_.exec()) throw std::runtime_error(query_.lastError().text().toStdString());
    first();
}

void SqlQueryDataSet::close() {
    query_.finish();
    eof_ = true;
}

void SqlQueryDataSet::settle(bool moved) {
    while (moved && rowFilter && !rowFilter(query_.record())) moved = query_.next();
    eof_ = !moved;
}

void SqlQueryDataSet::first() { settle(query_.first()); }

void SqlQueryDataSet::next() {
    if (!eof_) settle(query_.next());
}

void SqlQueryDataSet::gotoBookmark(const QVariant& mark) {
    const int row = mark.toInt();
    if (row < 0) {
        query_.seek(QSql::AfterLastRow);
        eof_ = true;
    } else {
        eof_ = !query_.seek(row);
    }
}

bool SqlQueryDataSet::hasField(const QString& name) const { return query_.record().indexOf(name) >= 0; }

ExprValue SqlQueryDataSet::fieldValue(const QString& name) const {
    const int i = query_.record().indexOf(name);
    if (i < 0 || eof_) return ExprValue::null();
    return exprValueFromVariant(query_.value(i));
}

bool SqlQueryDataSet::isBlobField(const QString& name) const {
    const QSqlField f = query_.record().field(name);
    return f.isValid() && f.metaType().id() == QMetaType::QByteArray;
}

QByteArray SqlQueryDataSet::blobBytes(const QString& name) const {
    const int i = query_.record().indexOf(name);
    return (i < 0 || eof_) ? QByteArray() : query_.value(i).toByteArray();
}

}  // namespace lum
