#pragma once
// The base of the seven care-document windows: New, Open, Save, Delete,
// Print and Close with modified tracking, run from the member's row of the
// member table (document_kinds.h). A member builds its sheet inside
// WorkArea(), maps controls to its record in the hooks below and answers its
// template's names; the road itself is here once.
//
// Departures from the common road are flags of the member table, or the
// virtual roads (OpenDocument, SaveDocument, DeleteDocument) for a member
// stored otherwise (the treatment plan, the daily-life evaluation).
#include "clients/person.h"
#include "common/datetime.h"
#include "plans/document_kinds.h"
#include "plans/sheet_builder.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"
#include "report/templates/template_memo_boxes.h"

#include <QByteArrayView>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolBar;
class TGetDocumentForm;
class TSheetScrollBox;

namespace lum {
class KeyEditBinding;
}

class TDocumentForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TDocumentForm(lum::DocumentId id, QWidget* parent = nullptr);
    ~TDocumentForm() override;

    const lum::DocumentKind& Kind() const { return kind_; }

    // Set by changes the edits' and memos' own modified flags do not cover.
    bool DocChanged = false;
    // The client of the document on screen (0: none).
    int DocCureNo = 0;
    // The stored document the window shows (after Open or Save): Delete acts
    // on it, never on a date typed since.
    std::optional<lum::TDateTime> StoredDate;
    // Where templates are read from; empty: the application's folder.
    QString TemplateDir;

    // Commands.
    void NewClick();
    void OpenClick();
    void SaveClick();
    void DeleteClick();
    void PrintClick();
    // The close command: the member's close question when modified, then close().
    void CloseClick();

    // Controls into the record with the member's checks; false after the
    // first failed check's message, with the focus on its field.
    virtual bool CollectRecord() = 0;

    virtual bool IsModified() const;
    virtual void ResetModified();
    // What the close question asks about (the practice plan also counts its
    // date edit there).
    virtual bool IsModifiedOnClose() const { return IsModified(); }

    // Tool bar buttons and ファイル menu items (object names of the treatment
    // plan; a member renames them after construction when its own differ).
    QToolBar* ToolBar;
    QPushButton* NewToolButton;
    QPushButton* OpenToolButton;
    QPushButton* SaveToolButton;
    QPushButton* PrintToolButton;
    QPushButton* CloaeToolButton;
    QMenu* FileMenu;
    QAction* NewMenu;
    QAction* OpenMenu;
    QAction* SaveMenu;
    QAction* PrintMenu;
    QAction* DeleteMenu;
    QAction* N9;  // 閉じる
    QMenu* EditMenu;

    // The report component and its one-record user data source.
    lum::ReportComponents Components;
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};
    lum::TfrReport frReport1{&Components};

protected:
    // ---- the member's hooks
    // Empties the controls (the record's other bytes may stay).
    virtual void ClearDocument() = 0;
    // New: takes the header snapshot from the client row (step 5); the
    // document date starts as now unless the member says otherwise.
    virtual void TakeHeader(const TPerson& person) = 0;
    virtual void ShowHeader() = 0;
    virtual void ShowRecord() = 0;
    // The area hidden while no document is shown, and the field focused
    // after New and Open.
    virtual QWidget* WorkArea() const = 0;
    virtual QWidget* DateField() const = 0;
    // Fills the suggestion lists when the window is shown.
    virtual void FillLists() {}

    // ---- blob members: the record's bytes and back (the header included)
    virtual QByteArray RecordBytes() const { return {}; }
    // The stored record and its day (the row's key date) into the member.
    virtual bool LoadRecord(const QByteArray&, lum::TDateTime) { return false; }
    // The document date the record holds (CollectRecord sets it).
    virtual lum::TDateTime RecordDate() const { return {}; }

    // ---- the roads; the defaults are the common road of the blob members
    virtual bool OpenDocument(TGetDocumentForm& dialog);
    virtual bool SaveDocument();
    virtual bool DeleteDocument();

    // ---- printing: the template's names and object texts
    virtual void GetValue(const QString& name, lum::ExprValue& value);
    virtual void EnterRect(QStringList& memo, lum::TfrView* view);
    // Before preparing (the chart bitmap, say); false prints nothing.
    virtual bool BeforePrint() { return true; }
    // The record counts of the user data sources (one record by default).
    virtual void SetRecordCounts() { frUserDataset1.RangeEndCount = 1; }
    // Print's collecting step (members whose kind collects for printing):
    // CollectRecord unless the member prints from a copy of its own.
    virtual bool CollectForPrint() { return CollectRecord(); }

    // Save's check that a memo prints whole: `printed` (its lines as the
    // template's value gives them) in the template's memo `objectName`. The
    // message refusing it ("<caption>は印刷欄に入りきりません。…", naming the
    // lines the box holds), or nothing when it prints whole. The same layout
    // as the printout, so what is stored is what prints.
    std::optional<QString> RefuseUnprinted(const QString& objectName, const QString& caption,
                                           const QStringList& printed);
    std::optional<QString> RefuseUnprinted(const QString& objectName, const QString& caption, const QString& text);

    // Enables the commands that need a document.
    virtual void EnableDocumentCommands(bool on);
    // 消去 with them, for a stored document only (unless the member says otherwise).
    void EnableDelete(bool on);

    // The edits and memos whose own modified flags count.
    void trackEdit(QLineEdit* edit) { edits_.push_back(edit); }
    void trackMemo(QPlainTextEdit* memo) { memos_.push_back(memo); }

    // "データ保存の確認\n破棄して良いですか?"; true to go on.
    bool AskDiscard();
    // Work area hidden, commands off, nothing shown.
    void ShowEmpty();
    void ShowDocument();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildCommands();
    TGetDocumentForm& PreparedDialog(int mode);

    const lum::DocumentKind& kind_;
    bool closeAsked_ = false;  // the close command asked its question already
    std::vector<QLineEdit*> edits_;
    std::vector<QPlainTextEdit*> memos_;
    std::unique_ptr<lum::TemplateMemoBoxes> memoBoxes_;  // read at the first check
};

// A care document drawn as one paper sheet in a scroll box, like its printed
// form (the blob members and the daily-life evaluation). The scroll box is
// the work area; a double click on a phrase field picks phrases of its list
// into the hidden CopyMemo for pasting; a blob member binds its record and
// codec once, and the road stores, opens and dates it.
class TSheetDocumentForm : public TDocumentForm {
    Q_OBJECT
public:
    TSheetDocumentForm(lum::DocumentId id, QWidget* parent);

    // The blank text of an era date edit or label.
    static const QString BlankDate;

    TSheetScrollBox* ScrollBox1;
    QPlainTextEdit* CopyMemo = nullptr;  // hidden: phrases picked for pasting

protected:
    // The sheet into the scroll box; dateField is focused after New and Open.
    // With a phrase program, CopyMemo is laid on the sheet for its phrases.
    void PlaceSheet(QWidget* sheet, QWidget* dateField, const QString& phraseProgram = {});
    // A double click on the field picks phrases of its list `code`.
    void PickPhrasesOn(QPlainTextEdit* memo, int code);
    void PickPhrasesOn(QLineEdit* edit, int code);
    void PickPhrases(int code);
    // An era date edit of the sheet: its key editor, its modified flag tracked.
    lum::KeyEditBinding* BindEraDate(QLineEdit* edit);
    // The check's message (information), the focus on its field; false.
    bool refuse(const QString& text, QWidget* focus);

    // The record on screen and its date with the member's codec: Save stores
    // what encode gives under the date's day, Open decodes into both.
    template <class R>
    void BindRecord(R& record, lum::TDateTime& day, QByteArray (*encode)(const R&),
                    std::optional<R> (*decode)(QByteArrayView)) {
        recordBytes_ = [&record, encode] { return encode(record); };
        loadRecord_ = [&record, &day, decode](const QByteArray& bytes, lum::TDateTime stored) {
            std::optional<R> loaded = decode(bytes);
            if (!loaded) return false;
            record = std::move(*loaded);
            day = stored;
            return true;
        };
        recordDay_ = &day;
    }

    QWidget* WorkArea() const override;
    QWidget* DateField() const override { return firstField_; }
    QByteArray RecordBytes() const override { return recordBytes_ ? recordBytes_() : QByteArray(); }
    bool LoadRecord(const QByteArray& bytes, lum::TDateTime day) override {
        return loadRecord_ && loadRecord_(bytes, day);
    }
    lum::TDateTime RecordDate() const override { return recordDay_ ? *recordDay_ : lum::TDateTime(); }

    // Set while the window fills its controls: their change signals are not the user's.
    bool loading_ = false;

private:
    QWidget* firstField_ = nullptr;
    QString phraseProgram_;
    std::function<QByteArray()> recordBytes_;
    std::function<bool(const QByteArray&, lum::TDateTime)> loadRecord_;
    const lum::TDateTime* recordDay_ = nullptr;
};
