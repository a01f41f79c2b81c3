#pragma once
// The table Estimate: one daily-life function evaluation per client and date
// of making, in plain columns (CureNo, Sakuseibi, UserName, Sex, Birth, Old,
// Kaigodo, the thirteen scores, RihaStuff).
//
// The date of making is matched by calendar day, so a row stored with a time
// of day is found by a later save or delete; writes store the day alone. A
// save looks for the row and writes it in one transaction, and a new row goes
// in with an insert that yields to a row another workstation inserted on the
// unique (CureNo, Sakuseibi) key meanwhile, which the save then treats as
// found, so two workstations saving one client and day leave one row holding
// one save's scores. Old, Kaigodo and RihaStuff are always written 0.
#include "plans/life_estimate.h"
#include "platform/db/database.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace lum {

class EstimateStore {
public:
    explicit EstimateStore(db::Database& database) : db_(database) {}

    // The 21 columns in the order the window writes them.
    static const QStringList& columns();

    // The client's evaluation of that day. Throws db::DbError when the table
    // cannot be read or a row holds no date.
    std::optional<TLifeEstimate> load(int cureNo, TDateTime day) const;

    enum class SaveResult { Inserted, Updated, Refused };
    struct SaveOutcome {
        SaveResult result = SaveResult::Refused;
        // Written: the row as stored now. Refused: the row found.
        std::optional<TLifeEstimate> row;
    };
    // Writes the evaluation as the client's of its day, in one transaction
    // that looks for that day's row first: a row mayReplace does not accept
    // is left alone and Refused comes back with it (also one another
    // workstation inserted during this save). Throws db::DbError with nothing
    // written (db::NoRowTouched when the write touched no row).
    SaveOutcome save(const TLifeEstimate& estimate,
                     const std::function<bool(const TLifeEstimate& stored)>& mayReplace) const;
    // The same replacing whatever row that day holds.
    SaveResult save(const TLifeEstimate& estimate) const;

    // Deletes the client's evaluation of that day in one transaction; throws
    // db::NoRowTouched when there is none.
    void remove(int cureNo, TDateTime day) const;
    bool exists(int cureNo, TDateTime day) const { return stored(cureNo, day).has_value(); }

private:
    // The row's date exactly as stored.
    std::optional<TDateTime> stored(int cureNo, TDateTime day) const;

    db::Database& db_;
};

}  // namespace lum
