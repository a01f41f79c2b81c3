#pragma once
// The client list of a board (its DragPersonQuery): the clients of one
// rehabilitation type with any of the ticked categories, in CureNo order,
// discharged ones too. A model for the list's grid: 氏名 (Name) and 区分 (the
// category letters 短認集個 of KubunCode). Closed it holds no rows.
#include "clients/person.h"
#include "platform/db/database.h"

#include <QAbstractTableModel>

#include <vector>

class ClientListQuery : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName, ColKubun, ColumnCount };

    explicit ClientListQuery(QObject* parent = nullptr);

    // Reads the list; false (and closed) when it cannot be read.
    bool Open(lum::db::Database& db, int rihaType, int kubunMask);
    void Close();
    bool Active() const { return active_; }
    const TPerson& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<TPerson> rows_;
    bool active_ = false;
};
