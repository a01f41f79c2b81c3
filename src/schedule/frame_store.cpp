#include "schedule/frame_store.h"

#include "common/db/sql_date.h"
#include "schedule/time_span.h"

#include <QSqlQuery>
#include <QVariant>

namespace lum {
namespace {

const QString kColumns =
    QStringLiteral("SELECT ReserveNo, ReserveDay, StuffCode, StartTime, WorkingMin, Capacity FROM TimeTable ");
const QString kDayOrder = QStringLiteral(" ORDER BY ReserveDay, StartTime, ReserveNo");

FrameRow readRow(const QSqlQuery& q) {
    FrameRow row;
    row.ReserveNo = q.value(0).toInt();
    row.ReserveDay = db::readDate(q.value(1));
    row.StuffCode = q.value(2).toInt();
    row.StartTime = db::readDate(q.value(3));
    row.WorkingMin = q.value(4).toInt();
    row.Capacity = q.value(5).toInt();
    return row;
}

void bindValues(QSqlQuery& q, const FrameRow& row, const QString& suffix) {
    db::bindDate(q, QStringLiteral(":day") + suffix, row.ReserveDay);
    q.bindValue(QStringLiteral(":staff") + suffix, row.StuffCode);
    db::bindDate(q, QStringLiteral(":start") + suffix, row.StartTime);
    q.bindValue(QStringLiteral(":minutes") + suffix, row.WorkingMin);
    q.bindValue(QStringLiteral(":capacity") + suffix, row.Capacity);
}

}  // namespace

FrameRow frameRowOf(const TIMETABLE_ITEM& item) {
    return {item.ResNo, item.RegistDay, item.Stf, item.StartTime, item.Fnn, item.Cap};
}

TIMETABLE_ITEM frameItemOf(const FrameRow& row, int column, const QString& labelName) {
    TIMETABLE_ITEM item;
    item.PNo = column;
    item.LName = labelName;
    item.ResNo = row.ReserveNo;
    item.RegistDay = row.ReserveDay;
    item.Stf = row.StuffCode;
    item.StartTime = row.StartTime;
    item.Fnn = row.WorkingMin;
    item.Cap = row.Capacity;
    return item;
}

FrameRow normalizedFrame(FrameRow row) {
    row.ReserveDay = row.ReserveDay.dateOnly();
    row.StartTime = timeOfDay(minutesOfDay(row.StartTime));
    return row;
}

std::vector<FrameRow> FrameStore::select(const QString& where,
                                         const std::vector<std::pair<QString, QVariant>>& values,
                                         const QString& orderBy) const {
    QSqlQuery q = db_.prepare(kColumns + where + orderBy);
    for (const auto& [name, value] : values) q.bindValue(name, value);
    db_.exec(q);
    std::vector<FrameRow> rows;
    while (q.next()) rows.push_back(readRow(q));
    return rows;
}

std::vector<FrameRow> FrameStore::staffFrames(int staffCode, TDateTime firstDay, TDateTime lastDay) const {
    return select(QStringLiteral("WHERE StuffCode = :staff AND ReserveDay >= :from AND ReserveDay < :to"),
                  {{QStringLiteral(":staff"), staffCode},
                   {QStringLiteral(":from"), db::sqlDate(dayRange(firstDay).begin)},
                   {QStringLiteral(":to"), db::sqlDate(dayRange(lastDay).end)}},
                  kDayOrder);
}

std::vector<FrameRow> FrameStore::dayFrames(TDateTime day) const {
    const DateRange range = dayRange(day);
    return select(QStringLiteral("WHERE ReserveDay >= :from AND ReserveDay < :to"),
                  {{QStringLiteral(":from"), db::sqlDate(range.begin)}, {QStringLiteral(":to"), db::sqlDate(range.end)}},
                  kDayOrder);
}

std::vector<FrameRow> FrameStore::staffDayFrames(int staffCode, TDateTime day) const {
    const DateRange range = dayRange(day);
    return select(QStringLiteral("WHERE StuffCode = :staff AND ReserveDay >= :from AND ReserveDay < :to"),
                  {{QStringLiteral(":staff"), staffCode},
                   {QStringLiteral(":from"), db::sqlDate(range.begin)},
                   {QStringLiteral(":to"), db::sqlDate(range.end)}},
                  QStringLiteral(" ORDER BY StartTime, ReserveNo"));
}

std::optional<FrameRow> FrameStore::find(int reserveNo) const {
    const auto rows = select(QStringLiteral("WHERE ReserveNo = :no"), {{QStringLiteral(":no"), reserveNo}}, {});
    if (rows.empty()) return std::nullopt;
    return rows.front();
}

std::optional<FrameRow> FrameStore::overlapping(const FrameRow& row) const {
    for (const FrameRow& stored : staffDayFrames(row.StuffCode, row.ReserveDay)) {
        if (stored.ReserveNo == row.ReserveNo) continue;
        if (spansOverlap(row.StartTime, row.WorkingMin, stored.StartTime, stored.WorkingMin)) return stored;
    }
    return std::nullopt;
}

int FrameStore::insert(const FrameRow& row) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
        "VALUES (:day, :staff, :start, :minutes, :capacity) RETURNING ReserveNo"));
    bindValues(q, normalizedFrame(row), {});
    return static_cast<int>(db_.execReturningKey(q));
}

bool FrameStore::rewrite(const FrameRow& loaded, const FrameRow& changed) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "UPDATE TimeTable SET ReserveDay = :day, StuffCode = :staff, StartTime = :start, WorkingMin = :minutes, "
        "Capacity = :capacity WHERE ReserveNo = :no AND ReserveDay = :day0 AND StuffCode = :staff0 "
        "AND StartTime = :start0 AND WorkingMin = :minutes0 AND Capacity = :capacity0"));
    bindValues(q, normalizedFrame(changed), {});
    bindValues(q, loaded, QStringLiteral("0"));
    q.bindValue(QStringLiteral(":no"), loaded.ReserveNo);
    db_.exec(q);
    return q.numRowsAffected() == 1;
}

bool FrameStore::remove(int reserveNo) const {
    // The bookings first: the foreign key would cascade, but a database
    // without it must not keep orphans either.
    QSqlQuery bookings = db_.prepare(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = :no"));
    bookings.bindValue(QStringLiteral(":no"), reserveNo);
    db_.exec(bookings);
    QSqlQuery frame = db_.prepare(QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = :no"));
    frame.bindValue(QStringLiteral(":no"), reserveNo);
    db_.exec(frame);
    return frame.numRowsAffected() > 0;
}

}  // namespace lum
