#pragma once
// CureResults, the treatment results: every statement on the table lives
// here, for every window and printout that reads or writes it. Periods are
// half-open DateRanges (monthRange, dayRange), so a CureDate with a time of
// day still falls into its day; rows of one period come in CureDate order
// with ties in ResultNo order. Every write runs in a db::Transaction of its
// own (a savepoint inside the caller's), and an UPDATE or DELETE by ResultNo
// throws db::NoRowTouched when the row is gone. Throws db::DbError.
#include "results/cure_result.h"

#include "common/datetime.h"
#include "platform/db/database.h"

#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace lum {

// The columns one edit changes; only these are written, so two workstations
// editing different columns of one row keep both changes. Start times are
// stored on the empty date.
struct CureResultChange {
    struct Staff {
        int code = -1;
        QString name;
        QString symbol;
    };
    std::optional<TDateTime> RStartTime;
    std::optional<int> RMinute;
    std::optional<int> RihaType;
    std::optional<int> KubunCode;
    std::array<std::optional<bool>, CategoryFlagCount> Flags{};
    std::optional<QString> Comment;
    std::optional<Staff> Stuff;  // StuffCode, StuffName, StuffKigo together
    std::optional<TDateTime> UpdateDate;

    bool empty() const;
};

// One client row of the results sheet's month: a client and a name its
// results of the period carry (ResultCureNoQuery).
struct ResultClientName {
    int CureNo = 0;
    QString Name;
    bool operator==(const ResultClientName&) const = default;
};

// A result's day and type (ResultDayQuery and the sheet's month).
struct ResultDayType {
    int CureNo = 0;
    QString Name;
    TDateTime CureDate;
    int RihaType = 0;
};

class CureResultsStore {
public:
    explicit CureResultsStore(db::Database& database) : db_(database) {}

    db::Database& database() const { return db_; }

    // ---- whole rows
    // Appends the row (its ResultNo is ignored) and gives the new ResultNo.
    // The flags are written as the row holds them: whole-row writers set them
    // with CategoryFlagsOf (TakeClientSnapshot does).
    qint64 insert(const CureResult& row) const;
    // Appends the rows in order with one prepared statement, all or none;
    // with `keep`, only the rows (by index) it keeps; throws db::NoRowTouched
    // (and stores none) when an insert stored no row.
    void insertAll(const std::vector<CureResult>& rows,
                   const std::function<bool(std::size_t)>& keep = nullptr) const;
    // The row with this number, if there is one.
    std::optional<CureResult> find(qint64 resultNo) const;
    // One client's rows of a period (CurResultQuery), or only those of one
    // staff member (the monthly medical record's ResultQueryPerson). The
    // monthly record's print reads the client's month here too, once, and
    // groups it by day (PrintResultLineQuery).
    std::vector<CureResult> clientPeriod(int cureNo, DateRange period,
                                         std::optional<int> stuffCode = std::nullopt) const;
    // The rows of one staff member and type in a period, a day as a rule
    // (the daily medical record's ResultQueryDaily).
    std::vector<CureResult> staffPeriod(int stuffCode, int rihaType, DateRange period) const;

    // ---- the copy of bookings (ReserveNo >= 0 is unique with CureNo)
    // The result copied from the frame's booking of the client, if any
    // (a frame number below 0 is no frame: nothing).
    std::optional<qint64> findCopied(int reserveNo, int cureNo) const;
    // Writes every column of the row but ResultNo and Comment over the
    // result; NoRowTouched when it is gone.
    void overwriteCopied(qint64 resultNo, const CureResult& row) const;

    // ---- the CSV exchange
    // Whole rows of a period in CureNo, CureDate, ResultNo order (ExportQuery).
    std::vector<CureResult> periodRows(DateRange period) const;
    // The same rows one at a time, none of them kept.
    void forEachPeriodRow(DateRange period, const std::function<void(const CureResult&)>& visit) const;

    // ---- edits of existing rows
    // Writes the changed columns of one row; NoRowTouched when it is gone.
    void update(qint64 resultNo, const CureResultChange& change) const;
    // Brings the row's KubunCode in line with its RihaType and flags as
    // stored (KubunCodeOfFlags), the row locked from the read to the write,
    // and gives the row as it now is; NoRowTouched when it is gone.
    CureResult alignKubunCode(qint64 resultNo) const;
    // Deletes one row; NoRowTouched when it is gone.
    void remove(qint64 resultNo) const;
    // Deletes every row of the client in the period (AllDeleteQuery) and
    // gives how many went.
    int removeClientPeriod(int cureNo, DateRange period) const;

    // ---- the results sheet
    // The clients of a period, one row per client and name, in CureNo then
    // Name order (ResultCureNoQuery).
    std::vector<ResultClientName> clientsOfPeriod(DateRange period) const;
    // One client's days and types of a period (ResultDayQuery).
    std::vector<ResultDayType> dayTypes(int cureNo, DateRange period) const;
    // Every result's client, name, day and type of a period in one statement,
    // in CureNo, CureDate, ResultNo order: what the sheet shows.
    std::vector<ResultDayType> periodDayTypes(DateRange period) const;
    // Whether the client has any result in the period (UserAddCheckQuery).
    bool hasResults(int cureNo, DateRange period) const;

    // ---- the three-month statistics
    // Day, client and flags of every result of the period, in one statement
    // (ToukeiQuery); in no particular order.
    std::vector<CureResultFlags> periodFlags(DateRange period) const;
    // What a month's CSV file lists, in CureDate, ResultNo order (OpenMonthRowsQuery).
    std::vector<CureResultEntry> periodEntries(DateRange period) const;

    // ---- the month printouts by type
    enum class MonthTypeOrder {
        ByClientAndType,  // CureNo, RihaType (results per type)
        ByKanaAndClient,  // Kana, CureNo (month grid)
    };
    // The results of a period, of one type and one staff member when given
    // (PrintKeitaiQuery, PrintScheduleTypeQuery). Ordered by the two keys,
    // then by calendar day, and within a day by the time of day of
    // RStartTime, then ResultNo, so "the day's first result" is the earliest
    // one on every backend.
    std::vector<MonthTypeResult> monthTypeResults(DateRange period, MonthTypeOrder order,
                                                  std::optional<int> rihaType = std::nullopt,
                                                  std::optional<int> stuffCode = std::nullopt) const;

    // Every column in table order, for statements that read whole rows.
    static const QStringList& columns();
    // Reads a whole row from a query whose columns are columns(), in order.
    static CureResult readRow(const QSqlQuery& query);

private:
    std::vector<ResultDayType> readDayTypes(QSqlQuery& query) const;
    std::vector<CureResult> readRows(QSqlQuery& query) const;

    db::Database& db_;
};

}  // namespace lum
