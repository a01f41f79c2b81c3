#pragma once
// The results sheet's grid as a table model over the month's rows: the cells
// are made when drawn, so a refresh costs the month's read and no more.
// Columns: 0 the client number ("%8.8d"), 1 the name, 2..32 days 1..31 (the
// type mark), 33 the count. Without rows it has kEmptyRows empty rows.
#include "results/month_sheet.h"

#include <QAbstractTableModel>

#include <vector>

namespace lum {

class MonthSheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 34;
    static constexpr int kEmptyRows = 30;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<MonthSheetRow> rows);
    void clear() { setRows({}); }
    const std::vector<MonthSheetRow>& rows() const { return rows_; }

    // The text of a cell; empty outside the rows.
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<MonthSheetRow> rows_;
};

}  // namespace lum
