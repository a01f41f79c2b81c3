#include "widgets/comment_store.h"

#include "common/db/sql_date.h"

namespace lum {

std::vector<CommentRow> CommentStore::rows(const QString& programName, int commentCode) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT CommentIDNo, CommentText FROM Comment WHERE ProgramName = :key AND CommentCode = :code "
        "ORDER BY CommentIDNo ASC"));
    q.bindValue(QStringLiteral(":key"), programName);
    q.bindValue(QStringLiteral(":code"), commentCode);
    db_.exec(q);
    std::vector<CommentRow> rows;
    while (q.next()) rows.push_back({q.value(0).toLongLong(), q.value(1).toString()});
    return rows;
}

QStringList CommentStore::texts(const QString& programName, int commentCode) const {
    QStringList list;
    for (const CommentRow& row : rows(programName, commentCode)) list << row.text;
    return list;
}

qint64 CommentStore::append(const QString& programName, int commentCode, const QString& text, TDateTime now) const {
    QSqlQuery q = db_.prepare(QStringLiteral(
        "INSERT INTO Comment (ProgramName, CommentCode, CommentText, Creator, CreateDate, Updator, UpdateDate) "
        "VALUES (:key, :code, :text, 0, :created, 0, :updated) RETURNING CommentIDNo"));
    q.bindValue(QStringLiteral(":key"), programName);
    q.bindValue(QStringLiteral(":code"), commentCode);
    q.bindValue(QStringLiteral(":text"), text);
    db::bindDate(q, QStringLiteral(":created"), now);
    db::bindDate(q, QStringLiteral(":updated"), now);
    return db_.execReturningKey(q);
}

void CommentStore::remove(qint64 id) const {
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Comment WHERE CommentIDNo = :id"));
    q.bindValue(QStringLiteral(":id"), id);
    db_.execTouching(q);
}

}  // namespace lum
