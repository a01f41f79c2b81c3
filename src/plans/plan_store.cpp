#include "plans/plan_store.h"

#include "common/cp932.h"
#include "common/db/sql_date.h"

#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace lum {
namespace {

using db::DbError;

const QString kHeadColumns = QStringLiteral(
    "CureNo, PlanRegistDay, PlanEndDay, Name, Sex, Birth, RihaType, KubunCode, Jiritsu_KBN, Ninchi_KBN, "
    "YOUKAIGO_KBN, Disease1, Disease2, Disease3, Disease4, Disease5, Disease6, Creator, CreateDay, Updator, "
    "UpdateDay, PlanData");

// Rethrows a failure with the operation's name first, for the message.
template <typename Fn>
decltype(auto) named(const char* what, Fn&& fn) {
    try {
        return fn();
    } catch (const db::NoRowTouched&) {
        throw;
    } catch (const DbError& e) {
        throw DbError(QString::fromLatin1(what) + QStringLiteral("\n") + e.text());
    }
}

QString columnText(const QString& text, int chars) { return text.left(chars); }

}  // namespace

std::optional<TPlan> PlanStore::LoadPlanRow(int planNo) const {
    return named("Plan Table Open Error", [&]() -> std::optional<TPlan> {
        QSqlQuery q = db_.prepare(QStringLiteral("SELECT PlanNo, ") + kHeadColumns +
                                  QStringLiteral(" FROM RihaPlan WHERE PlanNo = :PPlanNo"));
        q.bindValue(QStringLiteral(":PPlanNo"), planNo);
        db_.exec(q);
        if (!q.next()) return std::nullopt;
        TPlan p;
        int i = 0;
        p.PlanNo = q.value(i++).toInt();
        p.CureNo = q.value(i++).toInt();
        p.PlanRegistDay = db::readDate(q.value(i++));
        p.PlanEndDay = db::readDate(q.value(i++));
        p.Name = q.value(i++).toString();
        p.Sex = q.value(i++).toInt();
        p.Birth = db::readDate(q.value(i++));
        p.RihaType = q.value(i++).toInt();
        p.KubunCode = q.value(i++).toInt();
        p.Jiritsu_KBN = q.value(i++).toInt();
        p.Ninchi_KBN = q.value(i++).toInt();
        p.YOUKAIGO_KBN = q.value(i++).toInt();
        for (QString& d : p.Disease) d = cp932::leftBytes(q.value(i++).toString(), 50);
        p.Creator = q.value(i++).toString();
        p.CreateDay = db::readDate(q.value(i++));
        p.Updator = q.value(i++).toString();
        p.UpdateDay = db::readDate(q.value(i++));
        const QByteArray data = q.value(i++).toByteArray();
        std::optional<PlanBody> body = decodePlanData(data);
        if (!body) {
            throw DbError(QStringLiteral("PlanData is %1 bytes, not %2").arg(data.size()).arg(PlanDataSize));
        }
        p.Body = *body;
        return p;
    });
}

std::vector<FigureRow> PlanStore::LoadFigures(int planNo) const {
    return named("Figure Table Open Error", [&] {
        QSqlQuery q = db_.prepare(
            QStringLiteral("SELECT Parts, Side, Corner, X, Y FROM Figure WHERE PlanNo = :PPlanNo ORDER BY AutoNo"));
        q.bindValue(QStringLiteral(":PPlanNo"), planNo);
        db_.exec(q);
        std::vector<FigureRow> rows;
        while (q.next()) {
            rows.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                            q.value(4).toInt()});
        }
        return rows;
    });
}

int PlanStore::AppendPlanRow(const TPlan& p, const QString& creator, TDateTime today) const {
    return named("Plan Table Append Error", [&] {
        QSqlQuery q = db_.prepare(
            QStringLiteral("INSERT INTO RihaPlan (") + kHeadColumns +
            QStringLiteral(") VALUES (:CureNo, :PlanRegistDay, :PlanEndDay, :Name, :Sex, :Birth, :RihaType, "
                           ":KubunCode, :Jiritsu, :Ninchi, :Youkaigo, :D1, :D2, :D3, :D4, :D5, :D6, :Creator, "
                           ":CreateDay, :Updator, :UpdateDay, :PlanData) RETURNING PlanNo"));
        q.bindValue(QStringLiteral(":CureNo"), p.CureNo);
        db::bindDate(q, QStringLiteral(":PlanRegistDay"), p.PlanRegistDay.dateOnly());
        db::bindDate(q, QStringLiteral(":PlanEndDay"), p.PlanEndDay.dateOnly());
        q.bindValue(QStringLiteral(":Name"), columnText(p.Name, 50));
        q.bindValue(QStringLiteral(":Sex"), p.Sex);
        db::bindDate(q, QStringLiteral(":Birth"), p.Birth);
        q.bindValue(QStringLiteral(":RihaType"), p.RihaType);
        q.bindValue(QStringLiteral(":KubunCode"), p.KubunCode);
        q.bindValue(QStringLiteral(":Jiritsu"), p.Jiritsu_KBN);
        q.bindValue(QStringLiteral(":Ninchi"), p.Ninchi_KBN);
        q.bindValue(QStringLiteral(":Youkaigo"), p.YOUKAIGO_KBN);
        for (int i = 0; i < 6; ++i)
            q.bindValue(QStringLiteral(":D%1").arg(i + 1), columnText(cp932::leftBytes(p.Disease[i], 50), 50));
        // A login name may be longer than the column: cut, never fail the save.
        q.bindValue(QStringLiteral(":Creator"), columnText(creator, plan_limits::CreatorChars));
        db::bindDate(q, QStringLiteral(":CreateDay"), today.dateOnly());
        q.bindValue(QStringLiteral(":Updator"), QStringLiteral(""));
        db::bindDate(q, QStringLiteral(":UpdateDay"), today.dateOnly());
        q.bindValue(QStringLiteral(":PlanData"), encodePlanData(p.Body));
        return static_cast<int>(db_.execReturningKey(q));
    });
}

void PlanStore::AppendFigureRow(int planNo, const FigureRow& r) const {
    named("Figure Table Write Error", [&] {
        QSqlQuery q = db_.prepare(QStringLiteral(
            "INSERT INTO Figure (PlanNo, Parts, Side, Corner, X, Y) VALUES (:PlanNo, :Parts, :Side, :Corner, :X, :Y)"));
        q.bindValue(QStringLiteral(":PlanNo"), planNo);
        q.bindValue(QStringLiteral(":Parts"), r.Parts);
        q.bindValue(QStringLiteral(":Side"), r.Side);
        q.bindValue(QStringLiteral(":Corner"), r.Corner);
        q.bindValue(QStringLiteral(":X"), r.X);
        q.bindValue(QStringLiteral(":Y"), r.Y);
        db_.exec(q);
    });
}

void PlanStore::SaveFigures(int planNo, const std::vector<FigureRow>& rows) const {
    for (const FigureRow& r : rows) AppendFigureRow(planNo, r);
}

void PlanStore::DeletePlanRow(int planNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM RihaPlan WHERE PlanNo = :PPlanNo"));
    q.bindValue(QStringLiteral(":PPlanNo"), planNo);
    db_.execTouching(q);
}

void PlanStore::DeleteFigureRows(int planNo) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Figure WHERE PlanNo = :PPlanNo"));
    q.bindValue(QStringLiteral(":PPlanNo"), planNo);
    db_.exec(q);
}

std::vector<int> PlanStore::PlansOfDay(int cureNo, TDateTime day) const {
    return named("CurePlan Open error", [&] {
        const DateRange range = dayRange(day);
        QSqlQuery q = db_.prepare(QStringLiteral(
            "SELECT PlanNo FROM RihaPlan WHERE CureNo = :PCureNo AND PlanRegistDay >= :PFrom "
            "AND PlanRegistDay < :PTo ORDER BY PlanNo"));
        q.bindValue(QStringLiteral(":PCureNo"), cureNo);
        db::bindDate(q, QStringLiteral(":PFrom"), range.begin);
        db::bindDate(q, QStringLiteral(":PTo"), range.end);
        db_.exec(q);
        std::vector<int> plans;
        while (q.next()) plans.push_back(q.value(0).toInt());
        return plans;
    });
}

PlanStore::SaveOutcome PlanStore::SavePlan(const TPlan& plan, const std::vector<FigureRow>& rows,
                                           const QString& creator, TDateTime today,
                                           const std::function<bool(int planNo)>& mayReplace) const {
    return db::inTransaction(db_, [&] {
        // Sought inside the transaction, so a plan another workstation saved
        // for the same day a moment ago is never replaced unless accepted.
        SaveOutcome outcome;
        outcome.stored = PlansOfDay(plan.CureNo, plan.PlanRegistDay);
        if (!std::all_of(outcome.stored.begin(), outcome.stored.end(), mayReplace)) return outcome;
        for (int earlier : outcome.stored) {
            DeleteFigureRows(earlier);
            DeletePlanRow(earlier);
        }
        outcome.planNo = AppendPlanRow(plan, creator, today);
        SaveFigures(*outcome.planNo, rows);
        return outcome;
    });
}

int PlanStore::SavePlan(const TPlan& plan, const std::vector<FigureRow>& rows, const QString& creator,
                        TDateTime today) const {
    return *SavePlan(plan, rows, creator, today, [](int) { return true; }).planNo;
}

void PlanStore::DeletePlan(int planNo) const {
    db::inTransaction(db_, [&] {
        DeleteFigureRows(planNo);
        DeletePlanRow(planNo);
    });
}

}  // namespace lum
