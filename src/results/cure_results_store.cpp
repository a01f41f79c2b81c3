#include "results/cure_results_store.h"

#include "common/db/sql_date.h"

#include <QMetaType>
#include <algorithm>
#include <tuple>
#include <QSqlQuery>
#include <QVariant>

namespace lum {

using db::bindDate;
using db::readDate;

namespace {

// A text column: a null text is NULL (a column the road does not write).
QVariant textValue(const QString& text) {
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

const QString kPeriod = QStringLiteral("CureDate >= :from AND CureDate < :to");

void bindPeriod(QSqlQuery& q, DateRange period) {
    bindDate(q, QStringLiteral(":from"), period.begin);
    bindDate(q, QStringLiteral(":to"), period.end);
}

}  // namespace

bool CureResultChange::empty() const {
    for (const auto& flag : Flags) {
        if (flag) return false;
    }
    return !RStartTime && !RMinute && !RihaType && !KubunCode && !Comment && !Stuff && !UpdateDate;
}

const QStringList& CureResultsStore::columns() {
    static const QStringList names = [] {
        QStringList c = {QStringLiteral("ResultNo"),   QStringLiteral("CureDate"),  QStringLiteral("ReserveNo"),
                         QStringLiteral("CureNo"),     QStringLiteral("StuffCode"), QStringLiteral("StuffName"),
                         QStringLiteral("StuffKigo"),  QStringLiteral("PStartTime"), QStringLiteral("PMinute"),
                         QStringLiteral("RStartTime"), QStringLiteral("RMinute"),   QStringLiteral("Comment"),
                         QStringLiteral("RihaType"),   QStringLiteral("KubunCode")};
        for (const QString& flag : CategoryFlagNames) c << flag;
        c << QStringLiteral("KubunDate") << QStringLiteral("Name") << QStringLiteral("Kana") << QStringLiteral("Sex")
          << QStringLiteral("Birth") << QStringLiteral("ROOM_NO") << QStringLiteral("Jiritsu_KBN")
          << QStringLiteral("Ninchi_KBN") << QStringLiteral("YOUKAIGO_KBN") << QStringLiteral("HP_TAISHO_YMD")
          << QStringLiteral("NYUSHOBI_YMD") << QStringLiteral("TAISHOBI_YMD") << QStringLiteral("LoginCD")
          << QStringLiteral("LoginName") << QStringLiteral("UpdateDate");
        return c;
    }();
    return names;
}

CureResult CureResultsStore::readRow(const QSqlQuery& q) {
    CureResult r;
    int i = 0;
    r.ResultNo = q.value(i++).toLongLong();
    r.CureDate = readDate(q.value(i++));
    r.ReserveNo = q.value(i++).toInt();
    r.CureNo = q.value(i++).toInt();
    r.StuffCode = q.value(i++).toInt();
    r.StuffName = q.value(i++).toString();
    r.StuffKigo = q.value(i++).toString();
    r.PStartTime = readDate(q.value(i++));
    r.PMinute = q.value(i++).toInt();
    r.RStartTime = readDate(q.value(i++));
    r.RMinute = q.value(i++).toInt();
    r.Comment = q.value(i++).toString();
    r.RihaType = q.value(i++).toInt();
    r.KubunCode = q.value(i++).toInt();
    for (bool& flag : r.Flags) flag = CategoryFlagIsTrue(q.value(i++).toString());
    r.KubunDate = readDate(q.value(i++));
    r.Name = q.value(i++).toString();
    r.Kana = q.value(i++).toString();
    r.Sex = q.value(i++).toInt();
    r.Birth = readDate(q.value(i++));
    r.ROOM_NO = q.value(i++).toString();
    r.Jiritsu_KBN = q.value(i++).toInt();
    r.Ninchi_KBN = q.value(i++).toInt();
    r.YOUKAIGO_KBN = q.value(i++).toInt();
    r.HP_TAISHO_YMD = readDate(q.value(i++));
    r.NYUSHOBI_YMD = readDate(q.value(i++));
    r.TAISHOBI_YMD = readDate(q.value(i++));
    r.LoginCD = q.value(i++).toString();
    r.LoginName = q.value(i++).toString();
    r.UpdateDate = readDate(q.value(i++));
    return r;
}

namespace {

// Every column but ResultNo (the database's), optionally without Comment
// (which the copy of a booking never writes over).
QStringList writtenColumns(bool withComment) {
    QStringList all = CureResultsStore::columns().mid(1);
    if (!withComment) all.removeOne(QStringLiteral("Comment"));
    return all;
}

QString insertSql(bool returningKey = true) {
    const QStringList all = writtenColumns(true);
    QStringList placeholders;
    for (const QString& c : all) placeholders << u':' + c;
    return QStringLiteral("INSERT INTO CureResults (%1) VALUES (%2)%3")
        .arg(all.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")),
             returningKey ? QStringLiteral(" RETURNING ResultNo") : QString());
}

// Binds the row to the placeholders ":<column>" of writtenColumns(withComment).
void bindWholeRow(QSqlQuery& q, const CureResult& r, bool withComment) {
    bindDate(q, QStringLiteral(":CureDate"), r.CureDate);
    q.bindValue(QStringLiteral(":ReserveNo"), r.ReserveNo);
    q.bindValue(QStringLiteral(":CureNo"), r.CureNo);
    q.bindValue(QStringLiteral(":StuffCode"), r.StuffCode);
    q.bindValue(QStringLiteral(":StuffName"), textValue(r.StuffName));
    q.bindValue(QStringLiteral(":StuffKigo"), textValue(r.StuffKigo));
    bindDate(q, QStringLiteral(":PStartTime"), StartTimeOnEmptyDate(r.PStartTime));
    q.bindValue(QStringLiteral(":PMinute"), r.PMinute);
    bindDate(q, QStringLiteral(":RStartTime"), StartTimeOnEmptyDate(r.RStartTime));
    q.bindValue(QStringLiteral(":RMinute"), r.RMinute);
    if (withComment) q.bindValue(QStringLiteral(":Comment"), textValue(r.Comment));
    q.bindValue(QStringLiteral(":RihaType"), r.RihaType);
    q.bindValue(QStringLiteral(":KubunCode"), r.KubunCode);
    for (int f = 0; f < CategoryFlagCount; ++f) {
        q.bindValue(u':' + CategoryFlagNames[f], CategoryFlagText(r.Flags[f]));
    }
    bindDate(q, QStringLiteral(":KubunDate"), r.KubunDate);
    q.bindValue(QStringLiteral(":Name"), textValue(r.Name));
    q.bindValue(QStringLiteral(":Kana"), textValue(r.Kana));
    q.bindValue(QStringLiteral(":Sex"), r.Sex);
    bindDate(q, QStringLiteral(":Birth"), r.Birth);
    q.bindValue(QStringLiteral(":ROOM_NO"), textValue(r.ROOM_NO));
    q.bindValue(QStringLiteral(":Jiritsu_KBN"), r.Jiritsu_KBN);
    q.bindValue(QStringLiteral(":Ninchi_KBN"), r.Ninchi_KBN);
    q.bindValue(QStringLiteral(":YOUKAIGO_KBN"), r.YOUKAIGO_KBN);
    bindDate(q, QStringLiteral(":HP_TAISHO_YMD"), r.HP_TAISHO_YMD);
    bindDate(q, QStringLiteral(":NYUSHOBI_YMD"), r.NYUSHOBI_YMD);
    bindDate(q, QStringLiteral(":TAISHOBI_YMD"), r.TAISHOBI_YMD);
    q.bindValue(QStringLiteral(":LoginCD"), textValue(r.LoginCD));
    q.bindValue(QStringLiteral(":LoginName"), textValue(r.LoginName));
    bindDate(q, QStringLiteral(":UpdateDate"), r.UpdateDate);
}

}  // namespace

qint64 CureResultsStore::insert(const CureResult& r) const {
    return db::inTransaction(db_, [&] {
        QSqlQuery q = db_.prepare(insertSql());
        bindWholeRow(q, r, true);
        return db_.execReturningKey(q);
    });
}

void CureResultsStore::insertAll(const std::vector<CureResult>& rows,
                                 const std::function<bool(std::size_t)>& keep) const {
    db::inTransaction(db_, [&] {
        // No key wanted back: a row read per insert would cost the batch dearly.
        QSqlQuery q = db_.prepare(insertSql(false));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (keep && !keep(i)) continue;
            const CureResult& r = rows[i];
            bindWholeRow(q, r, true);
            // A row the database passed over without an error is not stored:
            // the batch fails whole rather than report it written.
            db_.execTouching(q);
        }
    });
}

std::optional<qint64> CureResultsStore::findCopied(int reserveNo, int cureNo) const {
    if (reserveNo < 0) return std::nullopt;
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT ResultNo FROM CureResults WHERE ReserveNo = :reserveNo "
                                             "AND CureNo = :cureNo AND ReserveNo >= 0 ORDER BY ResultNo LIMIT 1"));
    q.bindValue(QStringLiteral(":reserveNo"), reserveNo);
    q.bindValue(QStringLiteral(":cureNo"), cureNo);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    return q.value(0).toLongLong();
}

void CureResultsStore::overwriteCopied(qint64 resultNo, const CureResult& r) const {
    QStringList sets;
    for (const QString& c : writtenColumns(false)) sets << c + QStringLiteral(" = :") + c;
    db::inTransaction(db_, [&] {
        QSqlQuery q = db_.prepare(QStringLiteral("UPDATE CureResults SET %1 WHERE ResultNo = :resultNo")
                                      .arg(sets.join(QStringLiteral(", "))));
        bindWholeRow(q, r, false);
        q.bindValue(QStringLiteral(":resultNo"), resultNo);
        db_.execTouching(q);
    });
}

std::vector<CureResult> CureResultsStore::periodRows(DateRange period) const {
    std::vector<CureResult> rows;
    forEachPeriodRow(period, [&rows](const CureResult& r) { rows.push_back(r); });
    return rows;
}

void CureResultsStore::forEachPeriodRow(DateRange period,
                                        const std::function<void(const CureResult&)>& visit) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE %2 ORDER BY CureNo, CureDate, ResultNo")
                                  .arg(columns().join(QStringLiteral(", ")), kPeriod));
    bindPeriod(q, period);
    q.setForwardOnly(true);
    db_.exec(q);
    while (q.next()) visit(readRow(q));
}

std::optional<CureResult> CureResultsStore::find(qint64 resultNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE ResultNo = :no")
                                  .arg(columns().join(QStringLiteral(", "))));
    q.bindValue(QStringLiteral(":no"), resultNo);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    return readRow(q);
}

std::vector<CureResult> CureResultsStore::clientPeriod(int cureNo, DateRange period,
                                                      std::optional<int> stuffCode) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE %2 AND CureNo = :cureNo%3 "
                                             "ORDER BY CureDate, ResultNo")
                                  .arg(columns().join(QStringLiteral(", ")), kPeriod,
                                       stuffCode ? QStringLiteral(" AND StuffCode = :stuffCode") : QString()));
    bindPeriod(q, period);
    q.bindValue(QStringLiteral(":cureNo"), cureNo);
    if (stuffCode) q.bindValue(QStringLiteral(":stuffCode"), *stuffCode);
    return readRows(q);
}

std::vector<CureResult> CureResultsStore::staffPeriod(int stuffCode, int rihaType, DateRange period) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE %2 AND StuffCode = :stuffCode "
                                             "AND RihaType = :rihaType ORDER BY CureDate, ResultNo")
                                  .arg(columns().join(QStringLiteral(", ")), kPeriod));
    bindPeriod(q, period);
    q.bindValue(QStringLiteral(":stuffCode"), stuffCode);
    q.bindValue(QStringLiteral(":rihaType"), rihaType);
    return readRows(q);
}

std::vector<CureResult> CureResultsStore::readRows(QSqlQuery& q) const {
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<CureResult> rows;
    while (q.next()) rows.push_back(readRow(q));
    return rows;
}

void CureResultsStore::update(qint64 resultNo, const CureResultChange& change) const {
    if (change.empty()) return;
    // Column names come from this code only; every value is bound.
    QStringList sets;
    auto set = [&sets](const QString& column) { sets << column + QStringLiteral(" = :") + column; };
    if (change.RStartTime) set(QStringLiteral("RStartTime"));
    if (change.RMinute) set(QStringLiteral("RMinute"));
    if (change.RihaType) set(QStringLiteral("RihaType"));
    if (change.KubunCode) set(QStringLiteral("KubunCode"));
    for (int f = 0; f < CategoryFlagCount; ++f) {
        if (change.Flags[f]) set(CategoryFlagNames[f]);
    }
    if (change.Comment) set(QStringLiteral("Comment"));
    if (change.Stuff) {
        set(QStringLiteral("StuffCode"));
        set(QStringLiteral("StuffName"));
        set(QStringLiteral("StuffKigo"));
    }
    if (change.UpdateDate) set(QStringLiteral("UpdateDate"));
    db::inTransaction(db_, [&] {
        QSqlQuery q = db_.prepare(QStringLiteral("UPDATE CureResults SET %1 WHERE ResultNo = :resultNo")
                                      .arg(sets.join(QStringLiteral(", "))));
        if (change.RStartTime) bindDate(q, QStringLiteral(":RStartTime"), StartTimeOnEmptyDate(*change.RStartTime));
        if (change.RMinute) q.bindValue(QStringLiteral(":RMinute"), *change.RMinute);
        if (change.RihaType) q.bindValue(QStringLiteral(":RihaType"), *change.RihaType);
        if (change.KubunCode) q.bindValue(QStringLiteral(":KubunCode"), *change.KubunCode);
        for (int f = 0; f < CategoryFlagCount; ++f) {
            if (change.Flags[f]) q.bindValue(u':' + CategoryFlagNames[f], CategoryFlagText(*change.Flags[f]));
        }
        if (change.Comment) q.bindValue(QStringLiteral(":Comment"), textValue(*change.Comment));
        if (change.Stuff) {
            q.bindValue(QStringLiteral(":StuffCode"), change.Stuff->code);
            q.bindValue(QStringLiteral(":StuffName"), textValue(change.Stuff->name));
            q.bindValue(QStringLiteral(":StuffKigo"), textValue(change.Stuff->symbol));
        }
        if (change.UpdateDate) bindDate(q, QStringLiteral(":UpdateDate"), *change.UpdateDate);
        q.bindValue(QStringLiteral(":resultNo"), resultNo);
        db_.execTouching(q);
    });
}

CureResult CureResultsStore::alignKubunCode(qint64 resultNo) const {
    return db::inTransaction(db_, [&] {
        // SQLite's transaction holds the write lock from its start; PostgreSQL
        // locks the row, so a flag ticked elsewhere waits or is read.
        QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM CureResults WHERE ResultNo = :no%2")
                                      .arg(columns().join(QStringLiteral(", ")),
                                           db_.backend() == db::Backend::PostgreSQL ? QStringLiteral(" FOR UPDATE")
                                                                                    : QString()));
        q.bindValue(QStringLiteral(":no"), resultNo);
        db_.exec(q);
        if (!q.next()) throw db::NoRowTouched(QStringLiteral("対象の行がありません。他の端末で削除された可能性があります。"));
        CureResult row = readRow(q);
        CureResultChange change;
        change.KubunCode = KubunCodeOfFlags(row.RihaType, row.Flags);
        update(resultNo, change);
        row.KubunCode = *change.KubunCode;
        return row;
    });
}

void CureResultsStore::remove(qint64 resultNo) const {
    db::inTransaction(db_, [&] {
        QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM CureResults WHERE ResultNo = :resultNo"));
        q.bindValue(QStringLiteral(":resultNo"), resultNo);
        db_.execTouching(q);
    });
}

int CureResultsStore::removeClientPeriod(int cureNo, DateRange period) const {
    return db::inTransaction(db_, [&] {
        QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM CureResults WHERE %1 AND CureNo = :cureNo").arg(kPeriod));
        bindPeriod(q, period);
        q.bindValue(QStringLiteral(":cureNo"), cureNo);
        db_.exec(q);
        return std::max(0, q.numRowsAffected());
    });
}

std::vector<ResultClientName> CureResultsStore::clientsOfPeriod(DateRange period) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT DISTINCT CureNo, Name FROM CureResults WHERE %1 "
                                             "ORDER BY CureNo, Name")
                                  .arg(kPeriod));
    bindPeriod(q, period);
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<ResultClientName> rows;
    while (q.next()) rows.push_back({q.value(0).toInt(), q.value(1).toString()});
    return rows;
}

std::vector<ResultDayType> CureResultsStore::dayTypes(int cureNo, DateRange period) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT CureNo, Name, CureDate, RihaType FROM CureResults "
                                             "WHERE %1 AND CureNo = :cureNo ORDER BY CureDate, ResultNo")
                                  .arg(kPeriod));
    bindPeriod(q, period);
    q.bindValue(QStringLiteral(":cureNo"), cureNo);
    return readDayTypes(q);
}

std::vector<ResultDayType> CureResultsStore::periodDayTypes(DateRange period) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT CureNo, Name, CureDate, RihaType FROM CureResults "
                                             "WHERE %1 ORDER BY CureNo, CureDate, ResultNo")
                                  .arg(kPeriod));
    bindPeriod(q, period);
    return readDayTypes(q);
}

// Runs a statement selecting CureNo, Name, CureDate, RihaType.
std::vector<ResultDayType> CureResultsStore::readDayTypes(QSqlQuery& q) const {
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<ResultDayType> rows;
    while (q.next()) {
        rows.push_back({q.value(0).toInt(), q.value(1).toString(), readDate(q.value(2)), q.value(3).toInt()});
    }
    return rows;
}

bool CureResultsStore::hasResults(int cureNo, DateRange period) const {
    QSqlQuery q = db_.prepare(
        QStringLiteral("SELECT 1 FROM CureResults WHERE %1 AND CureNo = :cureNo LIMIT 1").arg(kPeriod));
    bindPeriod(q, period);
    q.bindValue(QStringLiteral(":cureNo"), cureNo);
    db_.exec(q);
    return q.next();
}

std::vector<CureResultFlags> CureResultsStore::periodFlags(DateRange period) const {
    // The fourteen flags come as one number, bit i for flag i, so a month of
    // rows crosses the connection as three columns instead of sixteen. A
    // flag counts as set as CategoryFlagIsTrue reads it: "True", blanks around
    // it ignored.
    QStringList bits;
    for (int i = 0; i < CategoryFlagCount; ++i) {
        bits << QStringLiteral("(CASE WHEN TRIM(%1) = 'True' THEN %2 ELSE 0 END)")
                    .arg(CategoryFlagNames[static_cast<size_t>(i)])
                    .arg(1 << i);
    }
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1, CureNo, %2 FROM CureResults WHERE %3")
                                  .arg(db::selectDate(db_.backend(), QStringLiteral("CureDate")),
                                       bits.join(QStringLiteral(" + ")), kPeriod));
    bindPeriod(q, period);
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<CureResultFlags> rows;
    while (q.next()) {
        CureResultFlags& r = rows.emplace_back();
        r.CureDate = readDate(q.value(0));
        r.CureNo = q.value(1).toInt();
        const int mask = q.value(2).toInt();
        for (int i = 0; i < CategoryFlagCount; ++i) r.Flags[static_cast<size_t>(i)] = (mask >> i) & 1;
    }
    return rows;
}

std::vector<CureResultEntry> CureResultsStore::periodEntries(DateRange period) const {
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1, CureNo, Name, Kana, RihaType, KubunCode, LoginName, %2 "
                                             "FROM CureResults WHERE %3 ORDER BY CureResults.CureDate, ResultNo")
                                  .arg(db::selectDate(db_.backend(), QStringLiteral("CureDate")),
                                       db::selectDate(db_.backend(), QStringLiteral("UpdateDate")), kPeriod));
    bindPeriod(q, period);
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<CureResultEntry> rows;
    while (q.next()) {
        rows.push_back({readDate(q.value(0)), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString(),
                        q.value(4).toInt(), q.value(5).toInt(), q.value(6).toString(), readDate(q.value(7))});
    }
    return rows;
}

std::vector<MonthTypeResult> CureResultsStore::monthTypeResults(DateRange period, MonthTypeOrder order,
                                                                std::optional<int> rihaType,
                                                                std::optional<int> stuffCode) const {
    QString sql = QStringLiteral("SELECT ResultNo, %1, CureNo, Name, Kana, RihaType, %2, StuffKigo, %3, RMinute "
                                 "FROM CureResults WHERE %4")
                      .arg(db::selectDate(db_.backend(), QStringLiteral("CureDate")),
                           db::selectDate(db_.backend(), QStringLiteral("NYUSHOBI_YMD")),
                           db::selectDate(db_.backend(), QStringLiteral("RStartTime")), kPeriod);
    if (rihaType) sql += QStringLiteral(" AND RihaType = :type");
    if (stuffCode) sql += QStringLiteral(" AND StuffCode = :staff");
    QSqlQuery q = db_.prepare(sql);
    bindPeriod(q, period);
    if (rihaType) q.bindValue(QStringLiteral(":type"), *rihaType);
    if (stuffCode) q.bindValue(QStringLiteral(":staff"), *stuffCode);
    q.setForwardOnly(true);
    db_.exec(q);
    std::vector<MonthTypeResult> rows;
    while (q.next()) {
        MonthTypeResult& r = rows.emplace_back();
        r.ResultNo = q.value(0).toLongLong();
        r.CureDate = readDate(q.value(1));
        r.CureNo = q.value(2).toInt();
        r.Name = q.value(3).toString();
        r.Kana = q.value(4).toString();
        r.RihaType = q.value(5).toInt();
        r.NYUSHOBI_YMD = readDate(q.value(6));
        r.StuffKigo = q.value(7).toString();
        r.RStartTime = readDate(q.value(8));
        r.RMinute = q.value(9).toInt();
    }
    // Sorted here rather than by the database: a CureDate with a time of day
    // still sorts by its calendar day, a start time by its time of day
    // whatever date it carries, and the kana by code point on both backends.
    const auto within = [](const MonthTypeResult& r) {
        return std::make_tuple(r.CureDate.dayNumber(), r.RStartTime.msecsOfDay(), r.ResultNo);
    };
    if (order == MonthTypeOrder::ByClientAndType) {
        std::sort(rows.begin(), rows.end(), [&](const MonthTypeResult& a, const MonthTypeResult& b) {
            return std::tuple_cat(std::make_tuple(a.CureNo, a.RihaType), within(a)) <
                   std::tuple_cat(std::make_tuple(b.CureNo, b.RihaType), within(b));
        });
    } else {
        std::sort(rows.begin(), rows.end(), [&](const MonthTypeResult& a, const MonthTypeResult& b) {
            const int kana = QString::compare(a.Kana.trimmed(), b.Kana.trimmed(), Qt::CaseSensitive);
            if (kana != 0) return kana < 0;
            return std::tuple_cat(std::make_tuple(a.CureNo), within(a)) <
                   std::tuple_cat(std::make_tuple(b.CureNo), within(b));
        });
    }
    return rows;
}

}  // namespace lum
