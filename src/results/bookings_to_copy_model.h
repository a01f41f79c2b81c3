#pragma once
// The copy dialog's list (DBGrid1) as a table model over the bookings shown:
// 治療番号 ("%8.8d"), 氏名, 予定日 (the one-letter era date), 開始時間
// ("hh:mm"), リハビリ形態, リハビリ区分 (the long category text) and the
// frame's number (hidden).
#include "results/booking_copy.h"

#include <QAbstractTableModel>

#include <vector>

namespace lum {

class BookingsToCopyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CureNoColumn, NameColumn, DayColumn, StartColumn, TypeColumn, KubunColumn, ReserveNoColumn,
                  ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<BookingToCopy> rows);
    const std::vector<BookingToCopy>& rows() const { return rows_; }

    static QString text(const BookingToCopy& row, int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<BookingToCopy> rows_;
};

}  // namespace lum
