#pragma once
// The common road's Save, Open and Delete of the blob members, with the
// member's messages: plain functions over BlobDocumentStore that the
// document windows call and tests drive without a window.
//
// Every document save decides inside its own transaction whether it may
// write and asks the overwrite question only between two such attempts, so
// no message box waits while a transaction holds the write lock and no
// stored document is replaced unasked.
#include "plans/blob_document_store.h"

#include <functional>

class QWidget;

namespace lum {

// The overwrite rule of every document save. write(agreed) is one attempt: it
// runs the save's transaction and decides inside it. It writes and gives true
// when nothing is stored under the document's key, when what is stored is
// the member's to replace unasked, or, with agreed, when it is the record the
// user was asked about at the attempt before; otherwise it writes nothing and
// gives false. Between attempts "保存されたデータがあります。\n上書きしますか？"
// is asked (again when yet another record took the key meanwhile); いいえ ends
// the save with the member's cancelled message, when it has one. True when
// written; failures of write pass to the caller.
bool writeAskingOverwrite(const DocumentKind& kind, const std::function<bool(bool agreed)>& write,
                          QWidget* parent = nullptr);

// True when the record was written (the member's saved message shown). Any
// stored document of that client and day is asked about, the one on screen too.
bool saveBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo, TDateTime day,
                      const QByteArray& record, QWidget* parent = nullptr);

// The stored record, or nothing after the member's message (open error, not
// found, or read error for a wrong format version or a short record).
std::optional<BlobDocumentStore::Loaded> openBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo,
                                                          TDateTime day, QWidget* parent = nullptr);
std::optional<BlobDocumentStore::Loaded> openBlobDocumentByNumber(db::Database& db, const DocumentKind& kind,
                                                                  int practNo, QWidget* parent = nullptr);

// The delete road of every stored document with the member's messages: not
// found (also when another workstation deleted it after the question), the
// delete question, the table that cannot be read, a failed delete. True when
// the document was deleted.
bool deleteStoredDocument(const DocumentKind& kind, const std::function<bool()>& exists,
                          const std::function<void()>& remove, QWidget* parent = nullptr);

// True when the document was deleted; asks the member's delete question.
bool deleteBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo, TDateTime day,
                        QWidget* parent = nullptr);

// "SystemError : DB Trans Start error " + the nesting level.
QString transactionStartText(int level);

}  // namespace lum
