#pragma once
// The seven care documents as data: each member's table, key, open dialog,
// template, messages and the places where it departs from the common road.
// The document windows, the open dialogs and the blob store are configured
// from this table, so a member adds its sheet, its record mapping and its
// values, never a second copy of the road.
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace lum {

enum class DocumentId {
    CurePlan,      // リハビリ治療計画書 (RihaPlan + Figure)
    PracticePlan,  // リハビリ実施計画書 (Practice)
    UrinPlan,      // リハビリテーション計画書 (UrinKeikaku)
    UrinPract,     // リハビリテーション実施計画書 (UrinYobou)
    BeforeConf,    // カンファレンス調査 (BeforeConfer)
    Conference,    // カンファレンス報告 (Conference)
    Estimate,      // 日常生活機能評価表 (Estimate, plain columns)
};

// How the open dialog hands back the chosen document.
enum class DocumentKey { PlanNo, PractNo, KeyDay };

// When Open asks the discard question of New first. Every member asks when
// anything is modified: Open clears the window, so an unasked Open would
// lose edits.
// What Print collects from the screen first: everything (CollectRecord), the
// entries with their length checks into a print copy of the member's own
// (CollectForPrint; the held document untouched), or nothing.
enum class PrintCollect { Full, LengthsOnly, None };

struct GridColumn {
    QString column;
    QString title;
};

struct OpenDialogSpec {
    const char* className;  // TGetCurePlanForm, ...
    QString caption;
    QString prompt;
    QStringList selectColumns;     // the query's columns, the key among them
    QString keyColumn;             // PlanNo, PractNo or the date column
    std::vector<GridColumn> grid;  // the columns shown, newest document first
    QString notFound;              // the client has no such document
};

// The member's texts. Empty where the member's own road does not use one.
struct DocumentMessages {
    QString saved;
    QString cancelled;        // overwrite declined
    QString saveFailure;
    QString closeQuestion;    // the close command's question (information, はい/いいえ)
    QString openError;
    QString readError;
    QString notFound;         // no stored document for the key
    QString formatError;      // DataFormatVersion other than 30, or a short blob
    QString deleteQuestion;   // confirmation, はい/いいえ
    QString deleteFailure;
    QString deleteOpenError;  // "System DB Error:" + the member's word
    QString deleteNotFound;   // Delete finds no document; empty: notFound
};

struct DocumentKind {
    DocumentId id;
    const char* windowClass;  // TCurePlanForm, ...
    QString caption;          // the window's caption
    QString table;
    QString dateColumn;
    QString blobColumn;       // empty: plain columns (Estimate) or RihaPlan's own road
    int recordSize = 0;       // bytes of the blob record
    DocumentKey key = DocumentKey::KeyDay;
    QString templateName;
    OpenDialogSpec dialog;
    DocumentMessages messages;
    // Departures from the common road.
    bool shownModally = false;       // opened from the menu by ShowModal
    bool newKeepsBody = false;       // New sets header and dates afresh, keeps the body
    bool newResetsModified = true;   // false: New leaves the modified flags as they are
    bool deleteBeforeStored = false; // 消去 offered for a new document never saved (it finds no row)
    bool formCloseAsks = true;       // the window's close asks "データ保存の確認\n終了して良いですか?"
    PrintCollect printCollect = PrintCollect::Full;
};

// The format version every blob member writes and accepts.
inline constexpr int BlobFormatVersion = 30;

const DocumentKind& documentKind(DocumentId id);
// The seven in the menu's order.
const std::array<DocumentId, 7>& allDocuments();
// The five members stored as one blob per client and date.
const std::array<DocumentId, 5>& blobDocuments();

}  // namespace lum
