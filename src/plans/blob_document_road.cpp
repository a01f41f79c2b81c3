#include "plans/blob_document_road.h"

#include "platform/ui/dialogs.h"

namespace lum {
namespace {

void errorBox(const QString& text, QWidget* parent) { message(MsgKind::Error, text, MsgButton::Abort, parent); }
void infoBox(const QString& text, QWidget* parent) { message(MsgKind::Information, text, MsgButton::Ok, parent); }

const QString& deleteNotFound(const DocumentKind& kind) {
    return kind.messages.deleteNotFound.isEmpty() ? kind.messages.notFound : kind.messages.deleteNotFound;
}

std::optional<BlobDocumentStore::Loaded> checked(const DocumentKind& kind, BlobDocumentStore::Loaded loaded,
                                                 QWidget* parent) {
    using S = BlobDocumentStore::LoadStatus;
    switch (loaded.status) {
    case S::Ok:
        return loaded;
    case S::NotFound:
        errorBox(kind.messages.notFound, parent);
        return std::nullopt;
    case S::FormatError:
    case S::ShortRecord:
        errorBox(kind.messages.readError, parent);
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

QString transactionStartText(int level) { return QStringLiteral("SystemError : DB Trans Start error %1").arg(level); }

bool saveBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo, TDateTime day, const QByteArray& record,
                      QWidget* parent) {
    const BlobDocumentStore store(db, kind);
    try {
        using Stored = BlobDocumentStore::StoredDocument;
        const auto attempt = [&](const std::function<bool(const Stored&)>& mayReplace) {
            const BlobDocumentStore::SaveOutcome outcome = store.save(cureNo, day, record, mayReplace);
            return outcome.result == BlobDocumentStore::SaveResult::Refused ? std::vector<Stored>{*outcome.found}
                                                                            : std::vector<Stored>();
        };
        // Unasked, nothing stored is replaced: not even the document on screen.
        if (!writeAskingOverwrite<Stored>(kind, attempt, nullptr, parent)) return false;
    } catch (const db::TransactionStartError& e) {
        errorBox(transactionStartText(e.level()), parent);
        return false;
    } catch (const db::DbError&) {
        errorBox(kind.messages.saveFailure, parent);
        return false;
    }
    infoBox(kind.messages.saved, parent);
    return true;
}

std::optional<BlobDocumentStore::Loaded> openBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo,
                                                          TDateTime day, QWidget* parent) {
    try {
        return checked(kind, BlobDocumentStore(db, kind).load(cureNo, day), parent);
    } catch (const db::DbError&) {
        errorBox(kind.messages.openError, parent);
        return std::nullopt;
    }
}

std::optional<BlobDocumentStore::Loaded> openBlobDocumentByNumber(db::Database& db, const DocumentKind& kind,
                                                                  int practNo, QWidget* parent) {
    try {
        return checked(kind, BlobDocumentStore(db, kind).loadByNumber(practNo), parent);
    } catch (const db::DbError&) {
        errorBox(kind.messages.openError, parent);
        return std::nullopt;
    }
}

bool deleteStoredDocument(const DocumentKind& kind, const std::function<bool()>& exists,
                          const std::function<void()>& remove, QWidget* parent) {
    try {
        if (!exists()) {
            errorBox(deleteNotFound(kind), parent);
            return false;
        }
    } catch (const db::DbError&) {
        errorBox(kind.messages.deleteOpenError, parent);
        return false;
    }
    if (message(MsgKind::Confirm, kind.messages.deleteQuestion, MsgButton::Yes | MsgButton::No, parent) !=
        MsgButton::Yes) {
        return false;
    }
    try {
        remove();
    } catch (const db::NoRowTouched&) {
        // Deleted by another workstation after the question.
        errorBox(deleteNotFound(kind), parent);
        return false;
    } catch (const db::TransactionStartError& e) {
        errorBox(transactionStartText(e.level()), parent);
        return false;
    } catch (const db::DbError&) {
        errorBox(kind.messages.deleteFailure, parent);
        return false;
    }
    return true;
}

bool deleteBlobDocument(db::Database& db, const DocumentKind& kind, int cureNo, TDateTime day, QWidget* parent) {
    const BlobDocumentStore store(db, kind);
    return deleteStoredDocument(
        kind, [&] { return store.exists(cureNo, day); }, [&] { store.remove(cureNo, day); }, parent);
}

}  // namespace lum
