#pragma once
// The Person table: one row per client and admission. Every value is bound;
// typed numbers are parsed before they get here, typed texts in LIKE
// patterns are escaped.
#include "clients/person.h"
#include "platform/db/database.h"

#include <QString>

#include <optional>
#include <vector>

namespace lum {

class PersonStore {
public:
    explicit PersonStore(db::Database& database) : db_(database) {}

    // The columns the client search shows and sorts by, in grid order:
    // CureNo, Name, Kana, Sex, Birth, Address, NYUSHOBI_YMD, RihaType, TavelundUserNo.
    static const QStringList& gridColumns();

    // Searches; each gives whole rows without the weekly requests (they stay
    // 0) and the disease texts cut to their record width. Throws db::DbError.
    std::vector<TPerson> byCureNo(int cureNo) const;
    std::vector<TPerson> byNamePrefix(const QString& name) const;   // ordered by CureNo
    std::vector<TPerson> byKanaPrefix(const QString& kana) const;   // ordered by CureNo
    std::vector<TPerson> byTavelundPrefix(const QString& digits) const;  // the number's text starts so
    std::vector<TPerson> byKanaRow(int row) const;                  // ordered by Kana
    std::vector<TPerson> all() const;                               // ordered by CureNo
    // The clients of one rehabilitation type with at least one of the
    // categories of the mask (KubunCode & mask > 0), discharged ones too;
    // ordered by CureNo. A mask of 0 gives none.
    std::vector<TPerson> byTypeAndCategories(int rihaType, int kubunMask) const;
    // The clients of a month (the weekly requests and the booking summary):
    // admitted before the next month's first day and either not discharged
    // (the empty date) or discharged on or after the month's first day. A
    // type 0..3 also asks for that type and at least one category of the
    // mask (a mask of 0 gives none); AllRihaTypes asks for neither. Whole
    // rows with the weekly requests, ordered by CureNo.
    static constexpr int AllRihaTypes = 4;
    std::vector<TPerson> monthClients(TDateTime monthStart, int rihaType, int kubunMask) const;
    // Every row ordered by one of gridColumns() (index 0..8).
    std::vector<TPerson> sortedBy(int gridColumn, bool ascending) const;

    // The whole row, weekly requests included; nothing when there is none.
    std::optional<TPerson> find(int cureNo) const;

    // Rows that may be the same person admitted on the same day: the kana
    // contains the family part, and birth, sex and start date are equal.
    std::vector<TPerson> duplicateCandidates(const QString& family, TDateTime birth, int sex,
                                             TDateTime startDate) const;

    // Adds a row (the weekly requests of the record included) and gives its CureNo.
    int insert(const TPerson& person) const;
    // Writes every column but CureNo and the weekly requests; throws
    // db::NoRowTouched when the row is gone.
    void update(const TPerson& person) const;
    // Writes the seven weekly requests (Reserve01..07, Funn01..07, Monday
    // first) of the client; throws db::NoRowTouched when the row is gone.
    void updateWeekRequests(int cureNo, const std::array<TDateTime, WeekDays>& reserve,
                            const std::array<int, WeekDays>& funn) const;
    // Deletes the row; throws db::NoRowTouched when it is gone.
    void remove(int cureNo) const;

private:
    std::vector<TPerson> select(const QString& where, const QString& orderBy,
                                const std::vector<std::pair<QString, QVariant>>& values) const;

    db::Database& db_;
};

}  // namespace lum
