#include "results/bookings_to_copy_model.h"

#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/kubun.h"
#include "common/text_helpers.h"

#include <QColor>
#include <QTime>

namespace lum {

void BookingsToCopyModel::setRows(std::vector<BookingToCopy> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString BookingsToCopyModel::text(const BookingToCopy& row, int column) {
    switch (column) {
    case CureNoColumn: return CureNoText(row.CureNo);
    case NameColumn: return row.Client.Name;
    case DayColumn: return DateToEraShortText(row.ReserveDay);
    case StartColumn: return row.StartTime.time().toString(QStringLiteral("HH:mm"));
    case TypeColumn: return RihaTypeNames[row.Client.RihaType];
    case KubunColumn: {
        TKubun kubun;
        kubun.SetCode(row.Client.KubunCode);
        return kubun.LongText();
    }
    case ReserveNoColumn: return QString::number(row.ReserveNo);
    default: return QString();
    }
}

int BookingsToCopyModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BookingsToCopyModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BookingsToCopyModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    if (role == Qt::DisplayRole) return text(rows_[static_cast<size_t>(index.row())], index.column());
    if (role == Qt::ForegroundRole) return QColor(Qt::black);
    return {};
}

QVariant BookingsToCopyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t* const titles[] = {u"治療番号", u"氏名", u"予定日", u"開始時間", u"リハビリ形態", u"リハビリ区分",
                                             u"ReserveNo"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf16(titles[section]) : QVariant();
}

}  // namespace lum
