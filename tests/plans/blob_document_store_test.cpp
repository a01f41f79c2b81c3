// The storage rule of the five blob documents, each case on every table and
// both backends: save, the overwrite question (いいえ keeps the row), rows
// found by calendar day and written by their own key, format versions other
// than 30 and short blobs refused, delete, and a document saved, rewritten
// or deleted meanwhile by another workstation.
#include "plans/blob_document_road.h"

#include "common/db/sql_date.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <gtest/gtest.h>

namespace {

using lum::BlobDocumentStore;
using lum::DocumentId;
using lum::DocumentKind;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kOverwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");

QByteArray record(const DocumentKind& kind, char fill) { return QByteArray(kind.recordSize, fill); }

class BlobStoreTest : public lum::test::DatabaseTest {
protected:
    QByteArray storedBlob(const DocumentKind& kind, int cureNo) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE CureNo = :c").arg(kind.blobColumn, kind.table));
        q.bindValue(":c", cureNo);
        db().exec(q);
        return q.next() ? q.value(0).toByteArray() : QByteArray();
    }
    int rows(const DocumentKind& kind) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM %1").arg(kind.table));
        db().exec(q);
        q.next();
        return q.value(0).toInt();
    }
    void insertRaw(const DocumentKind& kind, int cureNo, TDateTime day, int version, const QByteArray& blob) {
        QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO %1 (CureNo, %2, DataFormatVersion, %3) VALUES (:c, :d, :v, :b)")
                                       .arg(kind.table, kind.dateColumn, kind.blobColumn));
        q.bindValue(":c", cureNo);
        lum::db::bindDate(q, ":d", day);
        q.bindValue(":v", version);
        q.bindValue(":b", blob);
        db().exec(q);
    }
};

TEST_P(BlobStoreTest, SaveAsksBeforeOverwritingAndNoKeepsTheRow) {
    const TDateTime day = TDateTime::fromYmd(2024, 4, 1);
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        SCOPED_TRACE(kind.table.toStdString());
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, kind.messages.saved, MsgButton::Ok)
            .expect(MsgKind::Information, kOverwrite, MsgButton::No)
            .expect(MsgKind::Information, kind.messages.cancelled, MsgButton::Ok)
            .expect(MsgKind::Information, kOverwrite, MsgButton::Yes)
            .expect(MsgKind::Information, kind.messages.saved, MsgButton::Ok);
        EXPECT_TRUE(lum::saveBlobDocument(db(), kind, 5, day, record(kind, 'a')));
        EXPECT_FALSE(lum::saveBlobDocument(db(), kind, 5, day, record(kind, 'b')));
        EXPECT_EQ(storedBlob(kind, 5), record(kind, 'a'));
        // A time of day on the key changes nothing: the day's row is the one.
        EXPECT_TRUE(lum::saveBlobDocument(db(), kind, 5, TDateTime::fromYmdHms(2024, 4, 1, 9, 30), record(kind, 'c')));
        EXPECT_EQ(storedBlob(kind, 5), record(kind, 'c'));
        EXPECT_EQ(rows(kind), 1);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();

        const BlobDocumentStore::Loaded loaded = BlobDocumentStore(db(), kind).load(5, day);
        EXPECT_EQ(loaded.status, BlobDocumentStore::LoadStatus::Ok);
        EXPECT_EQ(loaded.record, record(kind, 'c'));
        EXPECT_EQ(loaded.day, day);  // the day alone is stored
    }
}

TEST_P(BlobStoreTest, ARowStoredWithATimeOfDayIsFoundAndWrittenByItsOwnKey) {
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        SCOPED_TRACE(kind.table.toStdString());
        insertRaw(kind, 8, TDateTime::fromYmdHms(2023, 12, 24, 14, 5, 9), 30, record(kind, 'x'));
        insertRaw(kind, 8, TDateTime::fromYmd(2023, 12, 25), 30, record(kind, 'y'));
        const BlobDocumentStore store(db(), kind);
        EXPECT_EQ(store.load(8, TDateTime::fromYmd(2023, 12, 24)).record, record(kind, 'x'));
        EXPECT_EQ(store.save(8, TDateTime::fromYmd(2023, 12, 24), record(kind, 'z'), true),
                  BlobDocumentStore::SaveResult::Replaced);
        EXPECT_EQ(store.load(8, TDateTime::fromYmd(2023, 12, 25)).record, record(kind, 'y'));
        store.remove(8, TDateTime::fromYmd(2023, 12, 24));
        EXPECT_EQ(rows(kind), 1);
        EXPECT_THROW(store.remove(8, TDateTime::fromYmd(2023, 12, 24)), lum::db::NoRowTouched);
    }
}

TEST_P(BlobStoreTest, OtherVersionsAndShortBlobsAreNotRead) {
    struct Case {
        int version;
        int sizeDelta;
        bool ok;
    } cases[] = {{29, 0, false}, {31, 0, false}, {30, -1, false}, {30, 0, true}, {30, 12, true}};
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        int cureNo = 100;
        for (const Case& c : cases) {
            SCOPED_TRACE(kind.table.toStdString() + " version " + std::to_string(c.version) + " delta " +
                         std::to_string(c.sizeDelta));
            const TDateTime day = TDateTime::fromYmd(2024, 1, 10);
            insertRaw(kind, ++cureNo, day, c.version, QByteArray(kind.recordSize + c.sizeDelta, 'q'));
            lum::ScriptedDialogs d;
            if (!c.ok) d.expect(MsgKind::Error, kind.messages.readError, MsgButton::Abort);
            const auto loaded = lum::openBlobDocument(db(), kind, cureNo, day);
            EXPECT_EQ(loaded.has_value(), c.ok);
            if (loaded) {
                EXPECT_EQ(loaded->record, QByteArray(kind.recordSize, 'q'));
            }
            EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        }
    }
}

TEST_P(BlobStoreTest, OpenAndDeleteSayWhatWentWrong) {
    const TDateTime day = TDateTime::fromYmd(2024, 2, 29);
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        if (kind.messages.deleteQuestion.isEmpty()) continue;  // the practice plan deletes on its own road
        SCOPED_TRACE(kind.table.toStdString());
        insertRaw(kind, 4, day, 30, record(kind, 'a'));
        lum::ScriptedDialogs d;
        // Delete's own text where the member has one (the preventive-care plan).
        const QString deleteNotFound =
            kind.messages.deleteNotFound.isEmpty() ? kind.messages.notFound : kind.messages.deleteNotFound;
        d.expect(MsgKind::Error, kind.messages.notFound, MsgButton::Abort)
            .expect(MsgKind::Error, deleteNotFound, MsgButton::Abort)
            .expect(MsgKind::Confirm, kind.messages.deleteQuestion, MsgButton::No)
            .expect(MsgKind::Confirm, kind.messages.deleteQuestion, MsgButton::Yes);
        EXPECT_FALSE(lum::openBlobDocument(db(), kind, 4, day.addDays(1)));
        EXPECT_FALSE(lum::deleteBlobDocument(db(), kind, 4, day.addDays(1)));
        EXPECT_FALSE(lum::deleteBlobDocument(db(), kind, 4, day));
        EXPECT_EQ(rows(kind), 1);
        EXPECT_TRUE(lum::deleteBlobDocument(db(), kind, 4, day));
        EXPECT_EQ(rows(kind), 0);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // A table that cannot be read is an open error, not "no document".
    const DocumentKind& kind = lum::documentKind(DocumentId::UrinPlan);
    db().execute("DROP TABLE UrinKeikaku");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, kind.messages.openError, MsgButton::Abort)
        .expect(MsgKind::Error, kind.messages.saveFailure, MsgButton::Abort);
    EXPECT_FALSE(lum::openBlobDocument(db(), kind, 4, day));
    EXPECT_FALSE(lum::saveBlobDocument(db(), kind, 4, day, record(kind, 'a')));
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(BlobStoreTest, ADocumentSavedMeanwhileElsewhereIsNeverOverwrittenUnasked) {
    const TDateTime day = TDateTime::fromYmd(2024, 7, 7);
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        SCOPED_TRACE(kind.table.toStdString());
        auto other = scratch().open();
        // No question here (nothing stored yet) ...
        const BlobDocumentStore here(db(), kind);
        ASSERT_FALSE(here.exists(6, day));
        // ... then the other workstation stores the document ...
        EXPECT_EQ(BlobDocumentStore(*other, kind).save(6, day, record(kind, 'o'), false),
                  BlobDocumentStore::SaveResult::Inserted);
        // ... and this one's write is refused inside its transaction.
        EXPECT_EQ(here.save(6, day, record(kind, 'h'), false), BlobDocumentStore::SaveResult::Refused);
        EXPECT_EQ(storedBlob(kind, 6), record(kind, 'o'));
        EXPECT_FALSE(db().inTransaction());
    }
}

// The question is about the document stored when it was asked: one another
// workstation stores over it while the box is open (its key, and for the
// practice plan its number, unchanged) is asked about again, and only はい to
// that question replaces it.
TEST_P(BlobStoreTest, ADocumentRewrittenElsewhereWhileTheQuestionIsOpenIsAskedAboutAgain) {
    const TDateTime day = TDateTime::fromYmd(2024, 7, 9);
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        for (const MsgButton second : {MsgButton::No, MsgButton::Yes}) {
            SCOPED_TRACE(kind.table.toStdString() + (second == MsgButton::Yes ? " はい" : " いいえ"));
            db().execute(QStringLiteral("DELETE FROM %1").arg(kind.table));
            auto other = scratch().open();
            const BlobDocumentStore there(*other, kind);
            there.save(9, day, record(kind, 'o'), false);
            lum::ScriptedDialogs d;
            d.expect(MsgKind::Information, kOverwrite, MsgButton::Yes,
                     [&] { EXPECT_EQ(there.save(9, day, record(kind, 't'), true), BlobDocumentStore::SaveResult::Replaced); })
                .expect(MsgKind::Information, kOverwrite, second,
                        [&] { EXPECT_EQ(storedBlob(kind, 9), record(kind, 't')); })
                .expect(MsgKind::Information, second == MsgButton::Yes ? kind.messages.saved : kind.messages.cancelled,
                        MsgButton::Ok);
            EXPECT_EQ(lum::saveBlobDocument(db(), kind, 9, day, record(kind, 'h')), second == MsgButton::Yes);
            EXPECT_TRUE(d.allDone()) << d.report().toStdString();
            EXPECT_EQ(storedBlob(kind, 9), record(kind, second == MsgButton::Yes ? 'h' : 't'));
            EXPECT_EQ(rows(kind), 1);
            EXPECT_FALSE(db().inTransaction());
        }
    }
}

TEST_P(BlobStoreTest, ADocumentDeletedElsewhereWhileThisOneSavesIsSavedWhole) {
    const TDateTime day = TDateTime::fromYmd(2024, 7, 8);
    for (DocumentId id : lum::blobDocuments()) {
        const DocumentKind& kind = lum::documentKind(id);
        SCOPED_TRACE(kind.table.toStdString());
        auto other = scratch().open();
        const BlobDocumentStore here(db(), kind);
        const BlobDocumentStore there(*other, kind);
        there.save(7, day, record(kind, 'o'), false);
        // This workstation was asked and agreed to overwrite ...
        ASSERT_TRUE(here.exists(7, day));
        // ... the other deletes the document meanwhile ...
        there.remove(7, day);
        // ... and this save stores its record whole, as one row.
        EXPECT_EQ(here.save(7, day, record(kind, 'h'), true), BlobDocumentStore::SaveResult::Inserted);
        EXPECT_EQ(storedBlob(kind, 7), record(kind, 'h'));
        EXPECT_EQ(rows(kind), 1);
        // Deleting a document already deleted elsewhere touches nothing.
        there.remove(7, day);
        EXPECT_THROW(here.remove(7, day), lum::db::NoRowTouched);
        EXPECT_EQ(rows(kind), 0);
        EXPECT_FALSE(db().inTransaction());
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(BlobStoreTest);

}  // namespace
