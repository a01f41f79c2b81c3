#include "results/month_sheet_model.h"

namespace lum {

void MonthSheetModel::setRows(std::vector<MonthSheetRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString MonthSheetModel::text(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return QString();
    const MonthSheetRow& r = rows_[row];
    if (column == 0) return CureNoText(r.CureNo);
    if (column == 1) return r.Name;
    if (column >= 2 && column <= 32) return ResultTypeMark(r.DayType[column - 2]);
    if (column == 33) return MonthSheetCountText(r.Count);
    return QString();
}

int MonthSheetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return rows_.empty() ? kEmptyRows : static_cast<int>(rows_.size());
}

int MonthSheetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant MonthSheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == 33) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() >= 2) return QVariant::fromValue(Qt::AlignCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

}  // namespace lum
