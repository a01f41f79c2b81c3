#pragma once
// A data set held in memory: named columns and rows of values. Tests use it,
// and windows that compute their rows before printing can hand them over.
#include "report/data/report_data_set.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>

namespace lum {

class MemoryDataSet : public ReportDataSet {
public:
    MemoryDataSet() = default;
    MemoryDataSet(QStringList columns, QList<QList<ExprValue>> rows);

    QStringList columns;
    QList<QList<ExprValue>> rows;
    QSet<QString> blobColumns;  // upper-cased names whose values are byte texts
    // Display texts by upper-cased column name (the data set's own text event).
    QHash<QString, std::function<QString(const ExprValue&)>> displayTexts;

    bool isOpen() const override { return open_; }
    void open() override;
    void close() override { open_ = false; }
    void first() override { pos_ = 0; }
    void next() override;
    bool eof() const override { return pos_ >= rows.size(); }
    QVariant bookmark() const override { return QVariant(qlonglong(pos_)); }
    void gotoBookmark(const QVariant& mark) override { pos_ = qBound<qsizetype>(0, mark.toLongLong(), rows.size()); }

    bool hasField(const QString& name) const override { return column(name) >= 0; }
    ExprValue fieldValue(const QString& name) const override;
    bool hasDisplayText(const QString& name) const override { return displayTexts.contains(name.toUpper()); }
    QString displayText(const QString& name) const override;
    bool isBlobField(const QString& name) const override { return blobColumns.contains(name.toUpper()); }
    QByteArray blobBytes(const QString& name) const override;

    qsizetype position() const { return pos_; }
    int opens = 0;  // times open() was called

private:
    int column(const QString& name) const;
    bool open_ = false;
    qsizetype pos_ = 0;
};

}  // namespace lum
