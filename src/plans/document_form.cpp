#include "plans/document_form.h"

#include "app/app_folder.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "clients/person_store.h"
#include "plans/blob_document_road.h"
#include "plans/entry_checks.h"
#include "plans/open_document_dialog.h"
#include "plans/paper_menu_form.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "widgets/combo_helpers.h"
#include "widgets/key_edit_binding.h"
#include "widgets/phrase_picking.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

using lum::MsgButton;
using lum::MsgKind;

void abortBox(const QString& text, QWidget* parent) { lum::message(MsgKind::Error, text, MsgButton::Abort, parent); }

}  // namespace

TDocumentForm::TDocumentForm(lum::DocumentId id, QWidget* parent) : QMainWindow(parent), kind_(lum::documentKind(id)) {
    setWindowTitle(kind_.caption);
    setFont(lum::uiFont(10));
    // Shown from the menu as a modal window: the rest of the application waits.
    if (kind_.shownModally) setWindowModality(Qt::ApplicationModal);
    BuildCommands();
    frUserDataset1.RangeEnd = lum::reCount;
    frUserDataset1.RangeEndCount = 1;
    Components.addDataSource(&frUserDataset1);
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& value) { GetValue(name, value); };
    frReport1.OnEnterRect = [this](QStringList& memo, lum::TfrView* view) { EnterRect(memo, view); };
}

TDocumentForm::~TDocumentForm() { Components.remove(frUserDataset1.Name); }

void TDocumentForm::BuildCommands() {
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, ToolBar);
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumSize(84, 32);
        b->setFocusPolicy(Qt::NoFocus);  // cut, copy and paste act on the focused field
        ToolBar->addWidget(b);
        return b;
    };
    NewToolButton = button("NewToolButton", QStringLiteral("新規作成"));
    OpenToolButton = button("OpenToolButton", QStringLiteral("開く"));
    SaveToolButton = button("SaveToolButton", QStringLiteral("保存"));
    PrintToolButton = button("PrintToolButton", QStringLiteral("印刷"));
    ToolBar->addSeparator();
    CloaeToolButton = button("CloaeToolButton", QStringLiteral("閉じる"));

    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    NewMenu = item(FileMenu, "NewMenu", QStringLiteral("新規作成"));
    OpenMenu = item(FileMenu, "OpenMenu", QStringLiteral("開く"));
    SaveMenu = item(FileMenu, "SaveMenu", QStringLiteral("保存"));
    PrintMenu = item(FileMenu, "PrintMenu", QStringLiteral("印刷"));
    DeleteMenu = item(FileMenu, "DeleteMenu", QStringLiteral("消去"));
    FileMenu->addSeparator();
    N9 = item(FileMenu, "N9", QStringLiteral("閉じる"));
    EditMenu = menuBar()->addMenu(QStringLiteral("編集"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    QAction* cut = item(EditMenu, "CutMenu", QStringLiteral("切り取り(&T)"));
    QAction* copy = item(EditMenu, "CopyMenu", QStringLiteral("コピー(&C)"));
    QAction* paste = item(EditMenu, "PasteMenu", QStringLiteral("貼り付け(&P)"));
    cut->setShortcut(QKeySequence::Cut);
    copy->setShortcut(QKeySequence::Copy);
    paste->setShortcut(QKeySequence::Paste);
    connect(cut, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Cut); });
    connect(copy, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Copy); });
    connect(paste, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Paste); });
    // The file menu's items follow the tool buttons when it opens.
    connect(FileMenu, &QMenu::aboutToShow, this, [this] {
        SaveMenu->setEnabled(SaveToolButton->isEnabled());
        PrintMenu->setEnabled(PrintToolButton->isEnabled());
    });

    connect(NewToolButton, &QPushButton::clicked, this, &TDocumentForm::NewClick);
    connect(NewMenu, &QAction::triggered, this, &TDocumentForm::NewClick);
    connect(OpenToolButton, &QPushButton::clicked, this, &TDocumentForm::OpenClick);
    connect(OpenMenu, &QAction::triggered, this, &TDocumentForm::OpenClick);
    connect(SaveToolButton, &QPushButton::clicked, this, &TDocumentForm::SaveClick);
    connect(SaveMenu, &QAction::triggered, this, &TDocumentForm::SaveClick);
    connect(PrintToolButton, &QPushButton::clicked, this, &TDocumentForm::PrintClick);
    connect(PrintMenu, &QAction::triggered, this, &TDocumentForm::PrintClick);
    connect(DeleteMenu, &QAction::triggered, this, &TDocumentForm::DeleteClick);
    connect(CloaeToolButton, &QPushButton::clicked, this, &TDocumentForm::CloseClick);
    connect(N9, &QAction::triggered, this, &TDocumentForm::CloseClick);
}

bool TDocumentForm::IsModified() const {
    if (DocChanged) return true;
    for (const QLineEdit* e : edits_)
        if (e->isModified()) return true;
    for (const QPlainTextEdit* m : memos_)
        if (m->document()->isModified()) return true;
    return false;
}

void TDocumentForm::ResetModified() {
    DocChanged = false;
    for (QLineEdit* e : edits_) e->setModified(false);
    for (QPlainTextEdit* m : memos_) m->document()->setModified(false);
}

bool TDocumentForm::AskDiscard() {
    return !IsModified() || lum::message(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"),
                                         MsgButton::No | MsgButton::Ok, this) != MsgButton::No;
}

void TDocumentForm::EnableDocumentCommands(bool on) {
    SaveToolButton->setEnabled(on);
    PrintToolButton->setEnabled(on);
    SaveMenu->setEnabled(on);
    PrintMenu->setEnabled(on);
    EnableDelete(on);
}

void TDocumentForm::EnableDelete(bool on) {
    // 消去 acts on a stored document: an opened one, or a new one once saved.
    DeleteMenu->setEnabled(on && (StoredDate.has_value() || kind_.deleteBeforeStored));
}

void TDocumentForm::ShowEmpty() {
    ClearDocument();
    WorkArea()->hide();
    DocCureNo = 0;
    StoredDate.reset();
    EnableDocumentCommands(false);
    ResetModified();
}

void TDocumentForm::ShowDocument() {
    // A new or opened document is shown from its top, on its first page,
    // with the caret in its first field.
    if (auto* pages = qobject_cast<QTabWidget*>(WorkArea())) pages->setCurrentIndex(0);
    for (TSheetScrollBox* box : findChildren<TSheetScrollBox*>()) box->verticalScrollBar()->setValue(0);
    WorkArea()->show();
    EnableDocumentCommands(true);
    if (QWidget* field = DateField()) field->setFocus();
}

TGetDocumentForm& TDocumentForm::PreparedDialog(int mode) {
    TGetDocumentForm& dialog = lum::openDialogFor(kind_.id);
    dialog.Mode = mode;
    QWidget* area = centralWidget() ? centralWidget() : this;
    dialog.move(area->mapToGlobal(QPoint(20, 20)));
    return dialog;
}

void TDocumentForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (PaperMenuForm) PaperMenuForm->hide();
    FillLists();
    ShowEmpty();
    NewToolButton->setEnabled(true);
    OpenToolButton->setEnabled(true);
}

void TDocumentForm::closeEvent(QCloseEvent* event) {
    if (kind_.formCloseAsks && IsModified() &&
        lum::message(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"),
                     MsgButton::No | MsgButton::Ok, this) == MsgButton::No) {
        event->ignore();
        return;
    }
    // A member whose window asks nothing of its own: every other way of
    // closing asks the close command's question, so no edit is lost unasked.
    const QString& question = kind_.messages.closeQuestion;
    if (!kind_.formCloseAsks && !closeAsked_ && !question.isEmpty() && IsModifiedOnClose() &&
        lum::message(MsgKind::Information, question, MsgButton::Yes | MsgButton::No, this) != MsgButton::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    if (PaperMenuForm) PaperMenuForm->show();
}

void TDocumentForm::CloseClick() {
    // The member's own question first; the window's close asks its own after it.
    const QString& question = kind_.messages.closeQuestion;
    if (!question.isEmpty() && IsModifiedOnClose() &&
        lum::message(MsgKind::Information, question, MsgButton::Yes | MsgButton::No, this) != MsgButton::Yes) {
        return;
    }
    closeAsked_ = true;
    close();
    closeAsked_ = false;
}

void TDocumentForm::NewClick() {
    if (!AskDiscard()) return;
    TGetDocumentForm& dialog = PreparedDialog(1);
    // Cancel only ends the command: the document on screen stays as it was.
    if (lum::runModal(dialog) == QDialog::Rejected) return;
    if (!kind_.newKeepsBody) ShowEmpty();
    WorkArea()->hide();
    std::optional<TPerson> person;
    try {
        person = lum::PersonStore(lum::requireFacilityDatabase()).find(dialog.CureNo);
    } catch (const lum::db::DbError&) {
        abortBox(QStringLiteral("*** SystemError : 治療番号の確認に失敗しました。"), this);
        ShowEmpty();
        return;
    }
    if (!person) {
        abortBox(QStringLiteral("治療番号の利用者が見つかりません。"), this);
        ShowEmpty();
        return;
    }
    DocCureNo = person->CureNo;
    StoredDate.reset();
    TakeHeader(*person);
    ShowHeader();
    if (kind_.newResetsModified) ResetModified();
    ShowDocument();
}

void TDocumentForm::OpenClick() {
    // Open replaces what is on screen: an edited document is never dropped unasked.
    if (!AskDiscard()) return;
    TGetDocumentForm& dialog = PreparedDialog(2);
    if (lum::runModal(dialog) == QDialog::Rejected) return;
    ShowEmpty();
    if (!OpenDocument(dialog)) {
        ShowEmpty();
        return;
    }
    ShowHeader();
    ShowRecord();
    ResetModified();
    ShowDocument();
}

bool TDocumentForm::OpenDocument(TGetDocumentForm& dialog) {
    lum::db::Database& db = lum::requireFacilityDatabase();
    const std::optional<lum::BlobDocumentStore::Loaded> loaded =
        kind_.key == lum::DocumentKey::PractNo ? lum::openBlobDocumentByNumber(db, kind_, dialog.PractNo, this)
                                               : lum::openBlobDocument(db, kind_, dialog.CureNo, dialog.KeyDay, this);
    if (!loaded) return false;
    if (!LoadRecord(loaded->record, loaded->day)) {
        abortBox(kind_.messages.readError, this);
        return false;
    }
    DocCureNo = loaded->cureNo;
    StoredDate = loaded->day;
    return true;
}

void TDocumentForm::SaveClick() {
    SaveToolButton->setEnabled(false);
    SaveMenu->setEnabled(false);
    if (CollectRecord() && SaveDocument()) {
        ResetModified();
        EnableDelete(true);
    }
    SaveToolButton->setEnabled(true);
    SaveMenu->setEnabled(true);
}

bool TDocumentForm::SaveDocument() {
    const lum::TDateTime day = RecordDate().dateOnly();
    if (!lum::saveBlobDocument(lum::requireFacilityDatabase(), kind_, DocCureNo, day, RecordBytes(), this)) {
        return false;
    }
    StoredDate = day;
    return true;
}

void TDocumentForm::DeleteClick() {
    DeleteMenu->setEnabled(false);
    if (DeleteDocument()) {
        ShowEmpty();
        return;
    }
    DeleteMenu->setEnabled(true);
}

bool TDocumentForm::DeleteDocument() {
    if (!StoredDate) {
        // Nothing stored is on screen: there is nothing to delete.
        abortBox(kind_.messages.notFound, this);
        return false;
    }
    return lum::deleteBlobDocument(lum::requireFacilityDatabase(), kind_, DocCureNo, *StoredDate, this);
}

void TDocumentForm::PrintClick() {
    if (kind_.printCollect != lum::PrintCollect::None && !CollectForPrint()) return;
    if (!BeforePrint()) return;
    const QString dir = TemplateDir.isEmpty() ? lum::applicationFolder() : TemplateDir;
    if (!frReport1.LoadTemplateFromFile(QDir(dir).filePath(kind_.templateName))) return;
    SetRecordCounts();
    frReport1.PrepareAndShow();
}

std::optional<QString> TDocumentForm::RefuseUnprinted(const QString& objectName, const QString& caption,
                                                      const QStringList& printed) {
    const QString path =
        QDir(TemplateDir.isEmpty() ? lum::applicationFolder() : TemplateDir).filePath(kind_.templateName);
    if (!memoBoxes_ || memoBoxes_->path() != path) memoBoxes_ = std::make_unique<lum::TemplateMemoBoxes>(path);
    const std::optional<lum::memo::Fit> fit = memoBoxes_->fit(objectName, printed);
    if (!fit || fit->whole()) return std::nullopt;
    return lum::printedBoxMessage(caption, fit->held);
}

std::optional<QString> TDocumentForm::RefuseUnprinted(const QString& objectName, const QString& caption,
                                                      const QString& text) {
    return RefuseUnprinted(objectName, caption, lum::memo::splitLines(text));
}

void TDocumentForm::GetValue(const QString&, lum::ExprValue&) {}
void TDocumentForm::EnterRect(QStringList&, lum::TfrView*) {}

const QString TSheetDocumentForm::BlankDate = QStringLiteral("平成  年  月  日");

TSheetDocumentForm::TSheetDocumentForm(lum::DocumentId id, QWidget* parent) : TDocumentForm(id, parent) {
    ScrollBox1 = new TSheetScrollBox(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    setCentralWidget(ScrollBox1);
}

void TSheetDocumentForm::PlaceSheet(QWidget* sheet, QWidget* dateField, const QString& phraseProgram) {
    firstField_ = dateField;
    phraseProgram_ = phraseProgram;
    if (!phraseProgram.isEmpty()) {
        CopyMemo = lum::sheet::memo(sheet, "CopyMemo", {0, 0, 10, 10});
        CopyMemo->hide();
    }
    ScrollBox1->setWidget(sheet);
}

void TSheetDocumentForm::PickPhrases(int code) { lum::PickPhrasesToClipboard(phraseProgram_, code, CopyMemo); }

void TSheetDocumentForm::PickPhrasesOn(QPlainTextEdit* memo, int code) {
    lum::onDoubleClick(memo, [this, code] { PickPhrases(code); });
}

void TSheetDocumentForm::PickPhrasesOn(QLineEdit* edit, int code) {
    lum::onDoubleClick(edit, [this, code] { PickPhrases(code); });
}

lum::KeyEditBinding* TSheetDocumentForm::BindEraDate(QLineEdit* edit) {
    trackEdit(edit);
    return lum::KeyEditBinding::bindEraDate(edit);
}

bool TSheetDocumentForm::refuse(const QString& text, QWidget* focus) {
    lum::message(MsgKind::Information, text, MsgButton::Ok, this);
    if (focus) focus->setFocus();
    return false;
}

QWidget* TSheetDocumentForm::WorkArea() const { return ScrollBox1; }
