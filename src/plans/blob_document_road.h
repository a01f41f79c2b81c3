#pragma once
// The common road's Save, Open and Delete of the blob members, with the
// member's messages: plain functions over BlobDocumentStore that the
// document windows call and tests drive without a window.
//
// Every save follows the overwrite rule of overwrite_question.h.
#include "plans/blob_document_store.h"
#include "plans/overwrite_question.h"

#include <functional>

class QWidget;

namespace lum {

// True when the record was written (the member's saved message shown). Any
// stored document of that client and day is asked about, the one on screen
// too, and はい replaces that stored document only: one stored meanwhile by
// another workstation is asked about again.
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
