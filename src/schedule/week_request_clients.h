#pragma once
// The client list of the weekly requests (its UserSrchQuery): the clients of
// a month (PersonStore::monthClients) as a grid model, 治療番号, 氏　名, then
// for Monday .. Sunday the requested start ("hh:mm") and minutes. Closed it
// holds no rows.
#include "clients/person.h"
#include "platform/db/database.h"

#include <QAbstractTableModel>

#include <vector>

class WeekRequestClients : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnTotal = 2 + 2 * lum::WeekDays;

    explicit WeekRequestClients(QObject* parent = nullptr);

    // Reads the month's clients; throws db::DbError (and is closed then).
    void Open(lum::db::Database& db, lum::TDateTime monthStart, int rihaType, int kubunMask);
    void Close();
    bool Active() const { return active_; }
    const TPerson& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }
    // The row of the client; -1 when it is not listed.
    int RowOf(int cureNo) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<TPerson> rows_;
    bool active_ = false;
};
