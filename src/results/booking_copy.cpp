#include "results/booking_copy.h"

#include "common/db/sql_date.h"
#include "platform/db/db_error.h"
#include "results/cure_results_store.h"

#include <QSqlQuery>
#include <QVariant>

namespace lum {

std::vector<BookingToCopy> ListBookingsToCopy(db::Database& database, TDateTime firstDay, TDateTime lastDay,
                                              std::optional<int> staffCode) {
    QString sql = QStringLiteral(
        "SELECT Schedule.ScheduleNo, TimeTable.ReserveNo, TimeTable.ReserveDay, TimeTable.StuffCode, "
        "TimeTable.StartTime, TimeTable.WorkingMin, Schedule.CureNo, Schedule.Comment, Person.RihaType, "
        "Person.KubunCode, Person.KubunDate, Person.Jiritsu_KBN, Person.Ninchi_KBN, Person.YOUKAIGO_KBN, "
        "Person.HP_TAISHO_YMD, Person.NYUSHOBI_YMD, Person.TAISHOBI_YMD, Person.Name, Person.Kana, Person.Sex, "
        "Person.Birth, Person.ROOM_NO "
        "FROM (Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
        "INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
        "WHERE TimeTable.ReserveDay >= :first AND TimeTable.ReserveDay < :afterLast");
    if (staffCode) sql += QStringLiteral(" AND TimeTable.StuffCode = :staff");
    sql += QStringLiteral(" ORDER BY TimeTable.ReserveDay, TimeTable.StartTime, Person.Kana, Schedule.ScheduleNo");
    QSqlQuery q = database.prepare(sql);
    db::bindDate(q, QStringLiteral(":first"), firstDay.dateOnly());
    db::bindDate(q, QStringLiteral(":afterLast"), lastDay.dateOnly().addDays(1));
    if (staffCode) q.bindValue(QStringLiteral(":staff"), *staffCode);
    q.setForwardOnly(true);
    database.exec(q);
    std::vector<BookingToCopy> rows;
    while (q.next()) {
        BookingToCopy b;
        int i = 0;
        b.ScheduleNo = q.value(i++).toInt();
        b.ReserveNo = q.value(i++).toInt();
        b.ReserveDay = db::readDate(q.value(i++));
        b.StuffCode = q.value(i++).toInt();
        b.StartTime = db::readDate(q.value(i++));
        b.WorkingMin = q.value(i++).toInt();
        b.CureNo = q.value(i++).toInt();
        b.Comment = q.value(i++).toString();
        TPerson& p = b.Client;
        p.CureNo = b.CureNo;
        p.RihaType = q.value(i++).toInt();
        p.KubunCode = q.value(i++).toInt();
        p.KubunDate = db::readDate(q.value(i++));
        p.Jiritsu_KBN = q.value(i++).toInt();
        p.Ninchi_KBN = q.value(i++).toInt();
        p.YOUKAIGO_KBN = q.value(i++).toInt();
        p.HP_TAISHO_YMD = db::readDate(q.value(i++));
        p.NYUSHOBI_YMD = db::readDate(q.value(i++));
        p.TAISHOBI_YMD = db::readDate(q.value(i++));
        p.Name = q.value(i++).toString();
        p.Kana = q.value(i++).toString();
        p.Sex = q.value(i++).toInt();
        p.Birth = db::readDate(q.value(i++));
        p.ROOM_NO = q.value(i++).toString();
        rows.push_back(std::move(b));
    }
    return rows;
}

CureResult CopiedResult(const BookingToCopy& booking, const std::vector<StaffMember>& staff,
                        const WriterStamp& stamp) {
    CureResult row;
    row.CureDate = booking.ReserveDay.dateOnly();
    row.ReserveNo = booking.ReserveNo;
    row.CureNo = booking.CureNo;
    row.StuffCode = booking.StuffCode;
    const StaffMember* member = FindStaff(staff, booking.StuffCode);
    row.StuffName = member ? member->name : QStringLiteral("");
    row.StuffKigo = member ? member->symbol : QStringLiteral("");
    row.PStartTime = StartTimeOnEmptyDate(booking.StartTime);
    row.RStartTime = row.PStartTime;
    row.PMinute = booking.WorkingMin;
    row.RMinute = booking.WorkingMin;
    TakeClientSnapshot(row, booking.Client);
    row.LoginCD = stamp.LoginCD;
    row.LoginName = stamp.LoginName;
    row.UpdateDate = stamp.Now;
    return row;  // Comment stays null: not written
}

namespace {

// A failure of one step: its text, then the database's words.
QString failureText(const QString& step, const db::DbError& e) { return step + u'\n' + e.text(); }

}  // namespace

CopyOutcome CopyBookingsToResults(db::Database& database, const std::vector<BookingToCopy>& bookings, CopyMode mode,
                                  const std::vector<StaffMember>& staff, const WriterStamp& stamp,
                                  const std::function<void(int)>& progress) {
    CopyOutcome outcome;
    std::optional<db::Transaction> tx;
    try {
        tx.emplace(database);
    } catch (const db::DbError& e) {
        outcome.message = failureText(copy_text::OpenError, e);
        return outcome;
    }
    const CureResultsStore store(database);
    int handled = 0;
    for (const BookingToCopy& booking : bookings) {
        std::optional<qint64> existing;
        try {
            existing = store.findCopied(booking.ReserveNo, booking.CureNo);
        } catch (const db::DbError& e) {
            outcome = {false, 0, 0, 0, failureText(copy_text::SearchError, e)};
            return outcome;  // tx rolls back
        }
        if (existing && mode == CopyMode::Skip) {
            ++outcome.skipped;
        } else if (existing) {
            try {
                store.overwriteCopied(*existing, CopiedResult(booking, staff, stamp));
            } catch (const db::DbError& e) {
                outcome = {false, 0, 0, 0, failureText(copy_text::UpdateError, e)};
                return outcome;
            }
            ++outcome.overwritten;
        } else {
            try {
                store.insert(CopiedResult(booking, staff, stamp));
            } catch (const db::DbError& e) {
                outcome = {false, 0, 0, 0, failureText(copy_text::AppendError, e)};
                return outcome;
            }
            ++outcome.added;
        }
        if (progress) progress(++handled);
    }
    try {
        tx->commit();
    } catch (const db::DbError& e) {
        outcome = {false, 0, 0, 0, failureText(copy_text::AppendError, e)};
        return outcome;
    }
    outcome.done = true;
    return outcome;
}

}  // namespace lum
