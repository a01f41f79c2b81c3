#include "report/data/memory_data_set.h"

#include <QDate>
#include <QDateTime>

namespace lum {

ExprValue exprValueFromVariant(const QVariant& v) {
    if (!v.isValid()) return ExprValue();
    if (v.isNull()) return ExprValue::null();
    switch (v.typeId()) {
    case QMetaType::Bool: return ExprValue(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: return ExprValue(std::int64_t(v.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float: return ExprValue(v.toDouble());
    case QMetaType::QDate: return ExprValue(TDateTime::fromDate(v.toDate()));
    case QMetaType::QDateTime: return ExprValue(TDateTime::fromDateTime(v.toDateTime()));
    default: return ExprValue(v.toString());
    }
}

MemoryDataSet::MemoryDataSet(QStringList cols, QList<QList<ExprValue>> data)
    : columns(std::move(cols)), rows(std::move(data)) {}

void MemoryDataSet::open() {
    ++opens;
    if (!open_) pos_ = 0;
    open_ = true;
}

void MemoryDataSet::next() {
    if (pos_ < rows.size()) ++pos_;
}

int MemoryDataSet::column(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (QString::compare(columns[i], name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

ExprValue MemoryDataSet::fieldValue(const QString& name) const {
    const int c = column(name);
    if (c < 0 || eof()) return ExprValue::null();
    const auto& row = rows.at(pos_);
    return c < row.size() ? row.at(c) : ExprValue::null();
}

QString MemoryDataSet::displayText(const QString& name) const {
    const auto f = displayTexts.value(name.toUpper());
    return f ? f(fieldValue(name)) : fieldValue(name).toString();
}

QByteArray MemoryDataSet::blobBytes(const QString& name) const {
    const ExprValue v = fieldValue(name);
    return v.isString() ? v.stringValue().toUtf8() : QByteArray();
}

}  // namespace lum
