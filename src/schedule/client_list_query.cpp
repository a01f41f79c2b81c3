#include "schedule/client_list_query.h"

#include "clients/person_store.h"
#include "common/kubun.h"

ClientListQuery::ClientListQuery(QObject* parent) : QAbstractTableModel(parent) {
    setObjectName(QStringLiteral("DragPersonQuery"));
}

bool ClientListQuery::Open(lum::db::Database& db, int rihaType, int kubunMask) {
    std::vector<TPerson> rows;
    bool ok = true;
    try {
        rows = lum::PersonStore(db).byTypeAndCategories(rihaType, kubunMask);
    } catch (const lum::db::DbError&) {
        ok = false;
        rows.clear();
    }
    beginResetModel();
    rows_ = std::move(rows);
    active_ = ok;
    endResetModel();
    return ok;
}

void ClientListQuery::Close() {
    beginResetModel();
    rows_.clear();
    active_ = false;
    endResetModel();
}

int ClientListQuery::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ClientListQuery::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ClientListQuery::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    const TPerson& p = Row(index.row());
    if (index.column() == ColName) return p.Name;
    lum::TKubun kubun;
    kubun.SetCode(p.KubunCode);
    return kubun.ShortText();
}

QVariant ClientListQuery::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section == ColName ? QStringLiteral("氏名") : QStringLiteral("区分");
}
