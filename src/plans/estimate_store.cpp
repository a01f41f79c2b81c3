#include "plans/estimate_store.h"

#include "common/cp932.h"
#include "common/db/sql_date.h"

#include <QSqlRecord>
#include <QVariant>

namespace lum {
namespace {

constexpr int kNameBytes = 50;

QString placeholder(const QString& column) { return u':' + column; }

int scoreOf(const QVariant& v) { return v.isNull() ? EstimateUnanswered : v.toInt(); }

}  // namespace

const QStringList& EstimateStore::columns() {
    static const QStringList all = [] {
        QStringList c = {QStringLiteral("CureNo"), QStringLiteral("Sakuseibi"), QStringLiteral("UserName"),
                         QStringLiteral("Sex"),    QStringLiteral("Birth"),     QStringLiteral("Old"),
                         QStringLiteral("Kaigodo")};
        for (const EstimateItem& item : estimateItems()) c << QString::fromLatin1(item.column);
        c << QStringLiteral("RihaStuff");
        return c;
    }();
    return all;
}

std::optional<TDateTime> EstimateStore::stored(int cureNo, TDateTime day) const {
    const DateRange range = dayRange(day);
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT Sakuseibi FROM Estimate WHERE CureNo = :c AND Sakuseibi >= :from "
                                             "AND Sakuseibi < :to ORDER BY Sakuseibi"));
    q.bindValue(QStringLiteral(":c"), cureNo);
    db::bindDate(q, QStringLiteral(":from"), range.begin);
    db::bindDate(q, QStringLiteral(":to"), range.end);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    return db::readDate(q.value(0));
}

std::optional<TLifeEstimate> EstimateStore::load(int cureNo, TDateTime day) const {
    const std::optional<TDateTime> key = stored(cureNo, day);
    if (!key) return std::nullopt;
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM Estimate WHERE CureNo = :c AND Sakuseibi = :d")
                                  .arg(columns().join(QStringLiteral(", "))));
    q.bindValue(QStringLiteral(":c"), cureNo);
    db::bindDate(q, QStringLiteral(":d"), *key);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    TLifeEstimate e;
    e.CureNo = r.value(QStringLiteral("CureNo")).toInt();
    e.Sakuseibi = db::readDate(r.value(QStringLiteral("Sakuseibi")));
    e.UserName = r.value(QStringLiteral("UserName")).toString();
    e.Sex = r.value(QStringLiteral("Sex")).toInt();
    e.Birth = db::readDate(r.value(QStringLiteral("Birth")));
    e.Old = r.value(QStringLiteral("Old")).toInt();
    e.Kaigodo = r.value(QStringLiteral("Kaigodo")).toInt();
    for (int i = 0; i < EstimateItemCount; ++i)
        e.Scores[i] = scoreOf(r.value(QString::fromLatin1(estimateItems()[i].column)));
    e.RihaStuff = r.value(QStringLiteral("RihaStuff")).toInt();
    return e;
}

EstimateStore::SaveOutcome EstimateStore::save(const TLifeEstimate& e,
                                               const std::function<bool(const TLifeEstimate&)>& mayReplace) const {
    const TDateTime day = e.Sakuseibi.dateOnly();
    const auto bindRow = [&](QSqlQuery& q) {
        q.bindValue(QStringLiteral(":CureNo"), e.CureNo);
        db::bindDate(q, QStringLiteral(":Sakuseibi"), day);
        q.bindValue(QStringLiteral(":UserName"), cp932::leftBytes(e.UserName, kNameBytes));
        q.bindValue(QStringLiteral(":Sex"), e.Sex);
        db::bindDate(q, QStringLiteral(":Birth"), e.Birth);
        q.bindValue(QStringLiteral(":Old"), 0);
        q.bindValue(QStringLiteral(":Kaigodo"), 0);
        for (int i = 0; i < EstimateItemCount; ++i)
            q.bindValue(placeholder(QString::fromLatin1(estimateItems()[i].column)), offeredScore(i, e.Scores[i]));
        q.bindValue(QStringLiteral(":RihaStuff"), 0);
    };
    QStringList assignments;
    QStringList placeholders;
    for (const QString& c : columns()) {
        placeholders << placeholder(c);
        if (c != u"CureNo") assignments << c + QStringLiteral(" = ") + placeholder(c);
    }
    return db::inTransaction(db_, [&] {
        SaveOutcome outcome;
        // Overwrites the row found, once accepted.
        const auto update = [&](const TLifeEstimate& found) {
            outcome.row = found;
            if (!mayReplace(found)) return false;
            QSqlQuery q = db_.prepare(QStringLiteral("UPDATE Estimate SET %1 WHERE CureNo = :CureNo AND Sakuseibi = :stored")
                                          .arg(assignments.join(QStringLiteral(", "))));
            bindRow(q);
            db::bindDate(q, QStringLiteral(":stored"), *stored(e.CureNo, day));
            db_.execTouching(q);
            outcome.result = SaveResult::Updated;
            return true;
        };
        if (const std::optional<TLifeEstimate> found = load(e.CureNo, day)) {
            if (!update(*found)) return outcome;
        } else {
            // Another workstation may insert the same client and day meanwhile:
            // the unique key turns this insert into nothing, and that row is
            // then the one found.
            QSqlQuery q = db_.prepare(QStringLiteral("INSERT INTO Estimate (%1) VALUES (%2) "
                                                     "ON CONFLICT (CureNo, Sakuseibi) DO NOTHING")
                                          .arg(columns().join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))));
            bindRow(q);
            db_.exec(q);
            if (q.numRowsAffected() > 0) {
                outcome.result = SaveResult::Inserted;
            } else if (const std::optional<TLifeEstimate> inserted = load(e.CureNo, day)) {
                if (!update(*inserted)) return outcome;
            } else {
                // A trigger may drop the row without an error: never report it saved.
                throw db::NoRowTouched(QStringLiteral("the evaluation was not stored"));
            }
        }
        outcome.row = load(e.CureNo, day);
        return outcome;
    });
}

EstimateStore::SaveResult EstimateStore::save(const TLifeEstimate& e) const {
    return save(e, [](const TLifeEstimate&) { return true; }).result;
}

void EstimateStore::remove(int cureNo, TDateTime day) const {
    db::inTransaction(db_, [&] {
        const std::optional<TDateTime> key = stored(cureNo, day);
        if (!key) throw db::NoRowTouched(QStringLiteral("no evaluation of that day"));
        QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Estimate WHERE CureNo = :c AND Sakuseibi = :stored"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        db::bindDate(q, QStringLiteral(":stored"), *key);
        db_.execTouching(q);
    });
}

}  // namespace lum
