#pragma once
// The storage rule of the five documents kept as one fixed-size record per
// client and document day (Practice, UrinKeikaku, UrinYobou, Conference,
// BeforeConfer): the blob holds the record's bytes with no header, the row's
// DataFormatVersion is 30.
//
// The document date is a key matched by calendar day, so a row stored with a
// time of day is found by a later save or delete; a write stores the day
// alone and touches that row by its own key. Each write runs in one
// transaction and re-checks inside it what the user was asked about before:
// a row is the one asked about only while it is stored unchanged, so the
// saves compare the whole stored row.
#include "common/datetime.h"
#include "plans/document_kinds.h"
#include "platform/db/database.h"

#include <QByteArray>

#include <QVariant>

#include <functional>
#include <optional>

namespace lum {

class BlobDocumentStore {
public:
    BlobDocumentStore(db::Database& database, const DocumentKind& kind);

    enum class LoadStatus { Ok, NotFound, FormatError, ShortRecord };
    struct Loaded {
        LoadStatus status = LoadStatus::NotFound;
        int cureNo = 0;
        TDateTime day;
        QByteArray record;  // exactly the record's size when Ok
    };

    // The document of the client on that day. Throws db::DbError when the
    // table cannot be read.
    Loaded load(int cureNo, TDateTime day) const;
    // The practice plan's document by its number.
    Loaded loadByNumber(int practNo) const;
    // Whether the client has a document on that day.
    bool exists(int cureNo, TDateTime day) const;

    // A stored row as a save finds it: a row rewritten in place keeps its
    // key and number, so only the whole row tells whether it changed.
    struct StoredDocument {
        TDateTime stored;  // the date column exactly as stored
        qint64 practNo = 0;
        QVariant version;
        QByteArray blob;
        friend bool operator==(const StoredDocument&, const StoredDocument&) = default;
    };

    enum class SaveResult { Inserted, Replaced, Refused };
    struct SaveOutcome {
        SaveResult result = SaveResult::Refused;
        std::optional<StoredDocument> found;  // the row found, when there was one
    };
    // Writes the record (exactly the kind's size) as the client's document of
    // that day, in one transaction that looks for the row first: a row
    // mayReplace does not accept is left alone and Refused comes back with
    // it. Throws db::DbError on failure, with nothing written.
    SaveOutcome save(int cureNo, TDateTime day, const QByteArray& record,
                     const std::function<bool(const StoredDocument&)>& mayReplace) const;
    // The same replacing any row found (replaceAllowed) or none.
    SaveResult save(int cureNo, TDateTime day, const QByteArray& record, bool replaceAllowed) const;
    // Deletes the client's document of that day in one transaction; throws
    // db::NoRowTouched when there is none.
    void remove(int cureNo, TDateTime day) const;

private:
    // The row of the client and day; its version and blob only withContents.
    std::optional<StoredDocument> find(int cureNo, TDateTime day, bool withContents = false) const;
    Loaded read(QSqlQuery& q) const;

    db::Database& db_;
    const DocumentKind& kind_;
};

}  // namespace lum
