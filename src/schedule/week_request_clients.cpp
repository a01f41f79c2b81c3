#include "schedule/week_request_clients.h"

#include "clients/person_store.h"
#include "common/code_tables.h"
#include "schedule/time_span.h"

namespace {

QString timeText(lum::TDateTime time) {
    const int m = lum::minutesOfDay(time);
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0'));
}

}  // namespace

WeekRequestClients::WeekRequestClients(QObject* parent) : QAbstractTableModel(parent) {
    setObjectName(QStringLiteral("UserSrchQuery"));
}

void WeekRequestClients::Open(lum::db::Database& db, lum::TDateTime monthStart, int rihaType, int kubunMask) {
    beginResetModel();
    rows_.clear();
    active_ = false;
    try {
        rows_ = lum::PersonStore(db).monthClients(monthStart, rihaType, kubunMask);
        active_ = true;
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void WeekRequestClients::Close() {
    beginResetModel();
    rows_.clear();
    active_ = false;
    endResetModel();
}

int WeekRequestClients::RowOf(int cureNo) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].CureNo == cureNo) return static_cast<int>(i);
    }
    return -1;
}

int WeekRequestClients::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WeekRequestClients::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnTotal; }

QVariant WeekRequestClients::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TPerson& p = Row(index.row());
    const int c = index.column();
    if (role == Qt::TextAlignmentRole) {
        return c == 1 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    if (c == 0) return p.CureNo;
    if (c == 1) return p.Name;
    const size_t day = static_cast<size_t>((c - 2) / 2);
    return (c - 2) % 2 == 0 ? QVariant(timeText(p.Reserve[day])) : QVariant(p.Funn[day]);
}

QVariant WeekRequestClients::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::ToolTipRole && section >= 2) return lum::WeekdayNames[(section - 2) / 2];
    if (role != Qt::DisplayRole) return {};
    if (section == 0) return QStringLiteral("治療番号");
    if (section == 1) return QStringLiteral("氏　名");
    // Fourteen columns of 開始 and 分 read only with their weekday named.
    const QString day = lum::WeekdayShortNames[(section - 2) / 2];
    return day + ((section - 2) % 2 == 0 ? QStringLiteral("\n開始") : QStringLiteral("\n分"));
}
