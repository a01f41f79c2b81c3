#include "schedule/booking_store.h"

#include "common/db/sql_date.h"

#include <QSqlQuery>
#include <QVariant>

namespace lum {
namespace {

int scalar(db::Database& db, const QString& sql, const std::vector<std::pair<QString, QVariant>>& values) {
    QSqlQuery q = db.prepare(sql);
    for (const auto& [name, value] : values) q.bindValue(name, value);
    db.exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

std::vector<FrameBooking> BookingStore::frameBookings(int workingNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Schedule.ScheduleNo, Schedule.WorkingNo, Person.CureNo, Person.Name, Person.RihaType, "
        "Person.KubunCode FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
        "WHERE Schedule.WorkingNo = :frame ORDER BY Schedule.ScheduleNo"));
    q.bindValue(QStringLiteral(":frame"), workingNo);
    db_.exec(q);
    std::vector<FrameBooking> rows;
    while (q.next()) {
        rows.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toString(),
                        q.value(4).isNull() ? -1 : q.value(4).toInt(), q.value(5).toInt()});
    }
    return rows;
}

int BookingStore::countFrameBookings(int workingNo) const {
    return scalar(db_,
                  QStringLiteral("SELECT COUNT(*) FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
                                 "WHERE Schedule.WorkingNo = :frame"),
                  {{QStringLiteral(":frame"), workingNo}});
}

bool BookingStore::isBooked(int workingNo, int cureNo) const {
    return scalar(db_,
                  QStringLiteral("SELECT COUNT(*) FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
                                 "WHERE Schedule.WorkingNo = :frame AND Schedule.CureNo = :client"),
                  {{QStringLiteral(":frame"), workingNo}, {QStringLiteral(":client"), cureNo}}) > 0;
}

int BookingStore::countAllRows(int workingNo) const {
    return scalar(db_, QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE WorkingNo = :frame"),
                  {{QStringLiteral(":frame"), workingNo}});
}

std::vector<ClientFrameBooking> BookingStore::clientBookingsOnDay(int cureNo, TDateTime day) const {
    const DateRange range = dayRange(day);
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Schedule.ScheduleNo, Schedule.CureNo, TimeTable.ReserveDay, TimeTable.StuffCode, "
        "TimeTable.StartTime, TimeTable.WorkingMin FROM TimeTable INNER JOIN Schedule "
        "ON TimeTable.ReserveNo = Schedule.WorkingNo WHERE Schedule.CureNo = :client "
        "AND TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to "
        "ORDER BY TimeTable.StartTime, Schedule.ScheduleNo"));
    q.bindValue(QStringLiteral(":client"), cureNo);
    db::bindDate(q, QStringLiteral(":from"), range.begin);
    db::bindDate(q, QStringLiteral(":to"), range.end);
    db_.exec(q);
    std::vector<ClientFrameBooking> rows;
    while (q.next()) {
        rows.push_back({q.value(0).toInt(), q.value(1).toInt(), db::readDate(q.value(2)), q.value(3).toInt(),
                        db::readDate(q.value(4)), q.value(5).toInt()});
    }
    return rows;
}

std::vector<ClientMonthBooking> BookingStore::clientMonthBookings(int cureNo, TDateTime monthStart) const {
    const DateRange month = monthRange(monthStart);
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Schedule.ScheduleNo, Schedule.WorkingNo, Schedule.CureNo, TimeTable.ReserveDay, "
        "TimeTable.StuffCode, TimeTable.StartTime, TimeTable.WorkingMin, TimeTable.Capacity, KaigoStuff.StuffName "
        "FROM (Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
        "LEFT JOIN KaigoStuff ON TimeTable.StuffCode = KaigoStuff.CD "
        "WHERE Schedule.CureNo = :client AND TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to "
        "ORDER BY TimeTable.ReserveDay, TimeTable.StartTime, Schedule.ScheduleNo"));
    q.bindValue(QStringLiteral(":client"), cureNo);
    db::bindDate(q, QStringLiteral(":from"), month.begin);
    db::bindDate(q, QStringLiteral(":to"), month.end);
    db_.exec(q);
    std::vector<ClientMonthBooking> rows;
    while (q.next()) {
        rows.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), db::readDate(q.value(3)),
                        q.value(4).toInt(), db::readDate(q.value(5)), q.value(6).toInt(), q.value(7).toInt(),
                        q.value(8).isNull() ? QString() : q.value(8).toString()});
    }
    return rows;
}

std::vector<AttendRow> BookingStore::attendRows(const AttendCriteria& criteria) const {
    // A staff member since removed from the staff table keeps the bookings
    // in the lists, with an empty name.
    QString sql = QStringLiteral(
        "SELECT Schedule.ScheduleNo, Schedule.WorkingNo, Person.RihaType, TimeTable.ReserveDay, TimeTable.StuffCode, "
        "Person.NYUSHOBI_YMD, Person.KubunCode, TimeTable.StartTime, TimeTable.WorkingMin, TimeTable.Capacity, "
        "Person.CureNo, Person.Name, Person.Sex, Person.Birth, KaigoStuff.StuffName "
        "FROM ((Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
        "INNER JOIN Person ON Schedule.CureNo = Person.CureNo) "
        "LEFT JOIN KaigoStuff ON TimeTable.StuffCode = KaigoStuff.CD "
        "WHERE TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to");
    if (criteria.StuffCode >= 0) sql += QStringLiteral(" AND TimeTable.StuffCode = :staff");
    if (criteria.CureNo >= 0) sql += QStringLiteral(" AND Person.CureNo = :client");
    sql += QStringLiteral(" ORDER BY TimeTable.ReserveDay, TimeTable.StuffCode, TimeTable.StartTime, Schedule.ScheduleNo");
    QSqlQuery q = db_.prepare(sql);
    db::bindDate(q, QStringLiteral(":from"), criteria.Days.begin);
    db::bindDate(q, QStringLiteral(":to"), criteria.Days.end);
    if (criteria.StuffCode >= 0) q.bindValue(QStringLiteral(":staff"), criteria.StuffCode);
    if (criteria.CureNo >= 0) q.bindValue(QStringLiteral(":client"), criteria.CureNo);
    db_.exec(q);
    std::vector<AttendRow> rows;
    while (q.next()) {
        AttendRow r;
        r.ScheduleNo = q.value(0).toInt();
        r.WorkingNo = q.value(1).toInt();
        r.RihaType = q.value(2).isNull() ? -1 : q.value(2).toInt();
        r.ReserveDay = db::readDate(q.value(3));
        r.StuffCode = q.value(4).toInt();
        r.NYUSHOBI_YMD = db::readDate(q.value(5));
        r.KubunCode = q.value(6).isNull() ? -1 : q.value(6).toInt();
        r.HasStartTime = !q.value(7).isNull();
        r.StartTime = db::readDate(q.value(7));
        r.WorkingMin = q.value(8).toInt();
        r.Capacity = q.value(9).toInt();
        r.CureNo = q.value(10).toInt();
        r.Name = q.value(11).toString();
        r.Sex = q.value(12).toInt();
        r.Birth = db::readDate(q.value(13));
        r.StuffName = q.value(14).isNull() ? QString() : q.value(14).toString();
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<ClientBookingDay> BookingStore::clientBookingDays(const DateRange& days) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Person.CureNo, TimeTable.ReserveDay "
        "FROM (Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
        "INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
        "WHERE TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to "
        "ORDER BY Person.CureNo, TimeTable.ReserveDay"));
    db::bindDate(q, QStringLiteral(":from"), days.begin);
    db::bindDate(q, QStringLiteral(":to"), days.end);
    db_.exec(q);
    std::vector<ClientBookingDay> rows;
    while (q.next()) rows.push_back({q.value(0).toInt(), db::readDate(q.value(1))});
    return rows;
}

int BookingStore::countOtherClients(int workingNo, int cureNo) const {
    return scalar(db_, QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE WorkingNo = :frame AND CureNo <> :client"),
                  {{QStringLiteral(":frame"), workingNo}, {QStringLiteral(":client"), cureNo}});
}

std::vector<BookingListRow> BookingStore::listRows(int workingNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Schedule.ScheduleNo, Schedule.WorkingNo, Person.CureNo, Person.Name, Person.Sex, Person.Birth, "
        "Person.NYUSHOBI_YMD, Person.TAISHOBI_YMD, Person.RihaType, Person.KubunCode, Schedule.Comment, "
        "Schedule.CreateDate FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
        "WHERE Schedule.WorkingNo = :frame ORDER BY Schedule.ScheduleNo"));
    q.bindValue(QStringLiteral(":frame"), workingNo);
    db_.exec(q);
    std::vector<BookingListRow> rows;
    while (q.next()) {
        BookingListRow r;
        r.ScheduleNo = q.value(0).toInt();
        r.WorkingNo = q.value(1).toInt();
        r.CureNo = q.value(2).toInt();
        r.Name = q.value(3).toString();
        r.Sex = q.value(4).toInt();
        r.Birth = db::readDate(q.value(5));
        r.NYUSHOBI_YMD = db::readDate(q.value(6));
        r.TAISHOBI_YMD = db::readDate(q.value(7));
        r.RihaType = q.value(8).isNull() ? -1 : q.value(8).toInt();
        r.KubunCode = q.value(9).toInt();
        r.Comment = q.value(10).toString();
        r.CreateDate = db::readDate(q.value(11));
        rows.push_back(r);
    }
    return rows;
}

FrameBookingSummaries BookingStore::summaries(const QString& frameCondition,
                                              const std::vector<std::pair<QString, QVariant>>& values) const {
    // Counted per frame through the join with Person; the first booking's
    // client joined back by its ScheduleNo.
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT g.WorkingNo, g.Booked, Person.Name, Person.RihaType, Person.KubunCode FROM "
        "(SELECT Schedule.WorkingNo AS WorkingNo, COUNT(*) AS Booked, MIN(Schedule.ScheduleNo) AS FirstNo "
        "FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
        "INNER JOIN TimeTable ON TimeTable.ReserveNo = Schedule.WorkingNo WHERE ") +
        frameCondition +
        QStringLiteral(" GROUP BY Schedule.WorkingNo) g "
                       "INNER JOIN Schedule ON Schedule.ScheduleNo = g.FirstNo "
                       "INNER JOIN Person ON Person.CureNo = Schedule.CureNo"));
    for (const auto& [name, value] : values) q.bindValue(name, value);
    q.setForwardOnly(true);
    db_.exec(q);
    FrameBookingSummaries out;
    while (q.next()) {
        const int frame = q.value(0).toInt();
        out[frame] = {frame, q.value(1).toInt(), q.value(2).toString(), q.value(3).isNull() ? -1 : q.value(3).toInt(),
                      q.value(4).toInt()};
    }
    return out;
}

FrameBookingSummaries BookingStore::staffFrameSummaries(int staffCode, TDateTime firstDay, TDateTime lastDay) const {
    return summaries(QStringLiteral("TimeTable.StuffCode = :staff AND TimeTable.ReserveDay >= :from "
                                    "AND TimeTable.ReserveDay < :to"),
                     {{QStringLiteral(":staff"), staffCode},
                      {QStringLiteral(":from"), db::sqlDate(dayRange(firstDay).begin)},
                      {QStringLiteral(":to"), db::sqlDate(dayRange(lastDay).end)}});
}

FrameBookingSummaries BookingStore::dayFrameSummaries(TDateTime day) const {
    const DateRange range = dayRange(day);
    return summaries(QStringLiteral("TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to"),
                     {{QStringLiteral(":from"), db::sqlDate(range.begin)}, {QStringLiteral(":to"), db::sqlDate(range.end)}});
}

int BookingStore::insert(const TSCHEDULE_ITEM& booking) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) VALUES (:frame, :client, :comment, :created) "
        "RETURNING ScheduleNo"));
    q.bindValue(QStringLiteral(":frame"), booking.WorkingNo);
    q.bindValue(QStringLiteral(":client"), booking.CureNo);
    q.bindValue(QStringLiteral(":comment"), booking.Comment.isNull() ? QStringLiteral("") : booking.Comment);
    db::bindDate(q, QStringLiteral(":created"), booking.CreateDate);
    return static_cast<int>(db_.execReturningKey(q));
}

bool BookingStore::remove(int scheduleNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Schedule WHERE ScheduleNo = :no"));
    q.bindValue(QStringLiteral(":no"), scheduleNo);
    db_.exec(q);
    return q.numRowsAffected() > 0;
}

int BookingStore::removeAllOfFrame(int workingNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = :frame"));
    q.bindValue(QStringLiteral(":frame"), workingNo);
    db_.exec(q);
    return q.numRowsAffected();
}

bool BookingStore::setComment(int scheduleNo, const QString& comment) const {
    QSqlQuery q = db_.prepare(QStringLiteral("UPDATE Schedule SET Comment = :comment WHERE ScheduleNo = :no"));
    q.bindValue(QStringLiteral(":comment"), comment.isNull() ? QStringLiteral("") : comment);
    q.bindValue(QStringLiteral(":no"), scheduleNo);
    db_.exec(q);
    return q.numRowsAffected() == 1;
}

}  // namespace lum
