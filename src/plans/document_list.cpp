#include "plans/document_list.h"

#include "common/db/sql_date.h"

namespace lum {

std::vector<DocumentListRow> listDocuments(db::Database& db, const DocumentKind& kind, int cureNo) {
    const bool numbered = kind.key != DocumentKey::KeyDay;
    const bool withEnd = kind.id == DocumentId::CurePlan;
    const QString numberColumn = kind.key == DocumentKey::PlanNo ? QStringLiteral("PlanNo") : QStringLiteral("PractNo");
    QSqlQuery q = db.prepare(QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE CureNo = :PCureNo ORDER BY %1 DESC%5")
                                 .arg(kind.dateColumn, numbered ? numberColumn : QStringLiteral("0"),
                                      withEnd ? QStringLiteral("PlanEndDay") : QStringLiteral("NULL"), kind.table,
                                      numbered ? QStringLiteral(", ") + numberColumn + QStringLiteral(" DESC")
                                               : QString()));
    q.bindValue(QStringLiteral(":PCureNo"), cureNo);
    db.exec(q);
    std::vector<DocumentListRow> rows;
    while (q.next()) rows.push_back({q.value(1).toLongLong(), db::readDate(q.value(0)), db::readDate(q.value(2))});
    return rows;
}

}  // namespace lum
