#include "plans/blob_document_store.h"

#include "common/db/sql_date.h"

#include <QVariant>

#include <stdexcept>

namespace lum {

BlobDocumentStore::BlobDocumentStore(db::Database& database, const DocumentKind& kind)
    : db_(database), kind_(kind) {
    if (kind.blobColumn.isEmpty() || kind.recordSize <= 0) throw std::invalid_argument("not a blob document");
}

std::optional<BlobDocumentStore::StoredDocument> BlobDocumentStore::find(int cureNo, TDateTime day,
                                                                        bool withContents) const {
    const DateRange range = dayRange(day);
    const bool numbered = kind_.key == DocumentKey::PractNo;
    // A save's lookup locks the row on PostgreSQL (SQLite's transaction holds
    // the write lock from its start), so the row compared is the row written.
    const bool lock = withContents && db_.backend() == db::Backend::PostgreSQL;
    QSqlQuery q = db_.prepare(
        QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE CureNo = :c AND %1 >= :from AND %1 < :to ORDER BY %1%5")
            .arg(kind_.dateColumn, numbered ? QStringLiteral("PractNo") : QStringLiteral("0"),
                 withContents ? QStringLiteral("DataFormatVersion, ") + kind_.blobColumn
                              : QStringLiteral("NULL, NULL"),
                 kind_.table, lock ? QStringLiteral(" FOR UPDATE") : QString()));
    q.bindValue(QStringLiteral(":c"), cureNo);
    db::bindDate(q, QStringLiteral(":from"), range.begin);
    db::bindDate(q, QStringLiteral(":to"), range.end);
    db_.exec(q);
    if (!q.next()) return std::nullopt;
    return StoredDocument{db::readDate(q.value(0)), q.value(1).toLongLong(), q.value(2), q.value(3).toByteArray()};
}

BlobDocumentStore::Loaded BlobDocumentStore::read(QSqlQuery& q) const {
    Loaded out;
    if (!q.next()) return out;
    out.cureNo = q.value(0).toInt();
    out.day = db::readDate(q.value(1));
    if (q.value(2).isNull() || q.value(2).toInt() != BlobFormatVersion) {
        out.status = LoadStatus::FormatError;
        return out;
    }
    const QByteArray blob = q.value(3).toByteArray();
    if (blob.size() < kind_.recordSize) {
        out.status = LoadStatus::ShortRecord;
        return out;
    }
    out.record = blob.left(kind_.recordSize);
    out.status = LoadStatus::Ok;
    return out;
}

BlobDocumentStore::Loaded BlobDocumentStore::load(int cureNo, TDateTime day) const {
    const std::optional<StoredDocument> key = find(cureNo, day);
    if (!key) return {};
    QSqlQuery q = db_.prepare(
        QStringLiteral("SELECT CureNo, %1, DataFormatVersion, %2 FROM %3 WHERE CureNo = :c AND %1 = :d")
            .arg(kind_.dateColumn, kind_.blobColumn, kind_.table));
    q.bindValue(QStringLiteral(":c"), cureNo);
    db::bindDate(q, QStringLiteral(":d"), key->stored);
    db_.exec(q);
    return read(q);
}

BlobDocumentStore::Loaded BlobDocumentStore::loadByNumber(int practNo) const {
    if (kind_.key != DocumentKey::PractNo) throw std::logic_error("documents of this kind have no number");
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT CureNo, %1, DataFormatVersion, %2 FROM %3 WHERE PractNo = :n")
                                  .arg(kind_.dateColumn, kind_.blobColumn, kind_.table));
    q.bindValue(QStringLiteral(":n"), practNo);
    db_.exec(q);
    return read(q);
}

bool BlobDocumentStore::exists(int cureNo, TDateTime day) const { return find(cureNo, day).has_value(); }

BlobDocumentStore::SaveOutcome BlobDocumentStore::save(
    int cureNo, TDateTime day, const QByteArray& record,
    const std::function<bool(const StoredDocument&)>& mayReplace) const {
    if (record.size() != kind_.recordSize) throw std::invalid_argument("record of the wrong size");
    return db::inTransaction(db_, [&] {
        // Sought with its contents inside the transaction, so a row another
        // workstation rewrote after the question is not the one agreed to.
        const std::optional<StoredDocument> key = find(cureNo, day, true);
        if (key && !mayReplace(*key)) return SaveOutcome{SaveResult::Refused, key};
        QSqlQuery q;
        if (!key) {
            q = db_.prepare(QStringLiteral("INSERT INTO %1 (CureNo, %2, DataFormatVersion, %3) "
                                           "VALUES (:c, :day, :v, :blob)")
                                .arg(kind_.table, kind_.dateColumn, kind_.blobColumn));
        } else if (kind_.key == DocumentKey::PractNo) {
            q = db_.prepare(QStringLiteral("UPDATE %1 SET CureNo = :c, %2 = :day, DataFormatVersion = :v, %3 = :blob "
                                           "WHERE PractNo = :n")
                                .arg(kind_.table, kind_.dateColumn, kind_.blobColumn));
            q.bindValue(QStringLiteral(":n"), key->practNo);
        } else {
            q = db_.prepare(QStringLiteral("UPDATE %1 SET %2 = :day, DataFormatVersion = :v, %3 = :blob "
                                           "WHERE CureNo = :c AND %2 = :stored")
                                .arg(kind_.table, kind_.dateColumn, kind_.blobColumn));
            db::bindDate(q, QStringLiteral(":stored"), key->stored);
        }
        q.bindValue(QStringLiteral(":c"), cureNo);
        db::bindDate(q, QStringLiteral(":day"), day.dateOnly());
        q.bindValue(QStringLiteral(":v"), BlobFormatVersion);
        q.bindValue(QStringLiteral(":blob"), record);
        if (key) {
            db_.execTouching(q);
            return SaveOutcome{SaveResult::Replaced, key};
        }
        db_.exec(q);
        return SaveOutcome{SaveResult::Inserted, std::nullopt};
    });
}

BlobDocumentStore::SaveResult BlobDocumentStore::save(int cureNo, TDateTime day, const QByteArray& record,
                                                      bool replaceAllowed) const {
    return save(cureNo, day, record, [replaceAllowed](const StoredDocument&) { return replaceAllowed; }).result;
}

void BlobDocumentStore::remove(int cureNo, TDateTime day) const {
    db::inTransaction(db_, [&] {
        const std::optional<StoredDocument> key = find(cureNo, day);
        if (!key) throw db::NoRowTouched(QStringLiteral("no document of that day"));
        QSqlQuery q;
        if (kind_.key == DocumentKey::PractNo) {
            q = db_.prepare(QStringLiteral("DELETE FROM %1 WHERE PractNo = :n").arg(kind_.table));
            q.bindValue(QStringLiteral(":n"), key->practNo);
        } else {
            q = db_.prepare(QStringLiteral("DELETE FROM %1 WHERE CureNo = :c AND %2 = :stored")
                                .arg(kind_.table, kind_.dateColumn));
            q.bindValue(QStringLiteral(":c"), cureNo);
            db::bindDate(q, QStringLiteral(":stored"), key->stored);
        }
        db_.execTouching(q);
    });
}

}  // namespace lum
