#include "widgets/comment_form.h"

#include "common/input_limits.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_store.h"
#include "common/cp932.h"
#include "platform/db/facility_database.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TCommentForm* CommentForm = nullptr;
TStringsForm* StringsForm = nullptr;

namespace lum {
namespace {

constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

void error(const QString& text) { message(MsgKind::Error, text, MsgButton::Ok); }

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumSize(96, 32);
    return button;
}

}  // namespace

QStringList LoadComments(const QString& programName, int commentCode) {
    try {
        return CommentStore(requireFacilityDatabase()).texts(programName, commentCode);
    } catch (const db::DbError&) {
        error(QStringLiteral("System Error : コメント取り込みエラーです。"));
        return {};
    }
}

void LoadCommentsInto(std::initializer_list<QComboBox*> boxes, const QString& programName, int commentCode) {
    const QStringList items = LoadComments(programName, commentCode);
    for (QComboBox* box : boxes) fillComboBox(box, items);
}

TCommentForm& commentForm() {
    if (!CommentForm) {
        // Lives for the run, as the start-up list's would.
        CommentForm = new TCommentForm;
        QObject::connect(CommentForm, &QObject::destroyed, [] { CommentForm = nullptr; });
    }
    return *CommentForm;
}

TStringsForm& stringsForm() {
    if (!StringsForm) {
        StringsForm = new TStringsForm;
        QObject::connect(StringsForm, &QObject::destroyed, [] { StringsForm = nullptr; });
    }
    return *StringsForm;
}

}  // namespace lum

using lum::MsgButton;
using lum::MsgKind;

TCommentForm::TCommentForm(QWidget* parent) : QDialog(parent, lum::kDialogFlags) {
    setObjectName(QStringLiteral("CommentForm"));
    setWindowTitle(QStringLiteral("コメント"));
    setFont(lum::uiFont(11));

    CommentEdit = new QLineEdit(this);
    CommentEdit->setObjectName(QStringLiteral("CommentEdit"));
    CommentGrid = new QTableWidget(0, 1, this);
    CommentGrid->setObjectName(QStringLiteral("CommentGrid"));
    CommentGrid->setHorizontalHeaderLabels({QStringLiteral("コメント")});
    CommentGrid->horizontalHeader()->setStretchLastSection(true);
    CommentGrid->verticalHeader()->setVisible(false);
    CommentGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CommentGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    CommentGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CommentGrid->viewport()->installEventFilter(this);
    CommentGrid->setMinimumSize(520, 300);

    AppendButton = lum::makeButton("AppendButton", QStringLiteral("追加"), this);
    DeleteButton = lum::makeButton("DeleteButton", QStringLiteral("削除"), this);
    CloseButton = lum::makeButton("CloseButton", QStringLiteral("戻る"), this);
    connect(AppendButton, &QPushButton::clicked, this, &TCommentForm::AppendButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TCommentForm::DeleteButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AppendButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(CommentEdit);
    layout->addWidget(CommentGrid);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    DeleteButton->setEnabled(false);
}

const QStringList& TCommentForm::LoadComments(const QString& programName, int commentCode) {
    Comments = lum::LoadComments(programName, commentCode);
    return Comments;
}

void TCommentForm::showEvent(QShowEvent* event) {
    CommentEdit->clear();
    DeleteButton->setEnabled(false);
    SelectedIDNo = -1;
    ReloadGrid(QStringLiteral("System Error : コメントエラーです。"));
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
}

bool TCommentForm::ReloadGrid(const QString& failure) {
    std::vector<lum::CommentRow> rows;
    try {
        rows = lum::CommentStore(lum::requireFacilityDatabase()).rows(ProgramName, CommentCode);
    } catch (const lum::db::DbError&) {
        lum::error(failure);
        return false;
    }
    CommentGrid->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        auto* item = new QTableWidgetItem(rows[i].text);
        item->setData(Qt::UserRole, rows[i].id);
        CommentGrid->setItem(i, 0, item);
    }
    return true;
}

qint64 TCommentForm::CurrentRowID() const {
    const QTableWidgetItem* item = CommentGrid->item(CommentGrid->currentRow(), 0);
    return item ? item->data(Qt::UserRole).toLongLong() : -1;
}

bool TCommentForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CommentGrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // After the grid has moved its current row to the click.
        QMetaObject::invokeMethod(this, &TCommentForm::GridMouseUp, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TCommentForm::GridMouseUp() {
    const qint64 id = CurrentRowID();
    DeleteButton->setEnabled(id >= 0);
    SelectedIDNo = id;
    if (id >= 0) CommentEdit->setText(CommentGrid->item(CommentGrid->currentRow(), 0)->text());
}

void TCommentForm::AppendButtonClick() {
    const QString text = CommentEdit->text();
    if (lum::cp932::byteLength(text) > lum::CommentBytes) {
        lum::message(MsgKind::Information, lum::overLimitMessage(lum::CommentBytes), MsgButton::Ok, this);
        CommentEdit->setFocus();
        return;
    }
    lum::db::Database* db = lum::facilityDatabase();
    if (!db || !db->isOpen()) {
        lum::error(QStringLiteral("System Error : コメント追加エラーです。"));
        return;
    }
    qint64 id = -1;
    try {
        lum::db::Transaction tx(*db);
        id = lum::CommentStore(*db).append(ProgramName, CommentCode, text, lum::TDateTime::fromDateTime(lum::now()));
        tx.commit();
    } catch (const lum::db::TransactionStartError&) {
        lum::error(QStringLiteral("System Error : コメント追加開始エラーです。"));
        return;
    } catch (const lum::db::DbError&) {
        lum::error(QStringLiteral("System Error : コメント追加終了エラーです。"));
        return;
    }
    if (ReloadGrid(QStringLiteral("System Error : コメントエラーです。"))) {
        // The new phrase is the last row of the list.
        for (int row = 0; row < CommentGrid->rowCount(); ++row) {
            if (CommentGrid->item(row, 0)->data(Qt::UserRole).toLongLong() == id) CommentGrid->setCurrentCell(row, 0);
        }
    }
}

void TCommentForm::DeleteButtonClick() {
    if (SelectedIDNo < 0) return;
    lum::db::Database* db = lum::facilityDatabase();
    if (!db || !db->isOpen()) {
        lum::error(QStringLiteral("System Error : コメント削除エラーです。"));
        return;
    }
    // The row deleted is the highlighted one: the one clicked, or after a
    // deletion the one that took its place.
    const int row = CommentGrid->currentRow();
    const qint64 id = CurrentRowID();
    if (id < 0) {
        DeleteButton->setEnabled(false);
        SelectedIDNo = -1;
        return;
    }
    try {
        lum::db::Transaction tx(*db);
        lum::CommentStore(*db).remove(id);
        tx.commit();
    } catch (const lum::db::TransactionStartError&) {
        lum::error(QStringLiteral("System Error : コメント削除開始エラーです。"));
        return;
    } catch (const lum::db::DbError&) {
        lum::error(QStringLiteral("System Error : コメント削除終了エラーです。"));
        return;
    }
    if (!ReloadGrid(QStringLiteral("System Error : コメントエラーです。"))) return;
    if (CommentGrid->rowCount() == 0) {
        DeleteButton->setEnabled(false);
        SelectedIDNo = -1;
        return;
    }
    // The row that followed takes the place, or the one before when the last went.
    CommentGrid->setCurrentCell(std::min(row, CommentGrid->rowCount() - 1), 0);
}

// ---- TStringsForm

TStringsForm::TStringsForm(QWidget* parent) : QDialog(parent, lum::kDialogFlags) {
    setObjectName(QStringLiteral("StringsForm"));
    setWindowTitle(QStringLiteral("記入"));
    setFont(lum::uiFont(11));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    QComboBox** boxes[] = {&TextBox1, &TextBox2, &TextBox3, &TextBox4, &TextBox5, &TextBox6};
    for (int i = 0; i < 6; ++i) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("TextBox%1").arg(i + 1));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumWidth(480);
        lum::onDoubleClick(box, [this] { EditList(); });
        layout->addWidget(box);
        *boxes[i] = box;
    }
    OkButton = lum::makeButton("OkButton", QStringLiteral("コピー"), this);
    CancelButton = lum::makeButton("CancelButton", QStringLiteral("キャンセル"), this);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

std::array<QComboBox*, 6> TStringsForm::Boxes() const {
    return {TextBox1, TextBox2, TextBox3, TextBox4, TextBox5, TextBox6};
}

QStringList TStringsForm::ChosenTexts() const {
    QStringList texts;
    for (QComboBox* box : Boxes()) {
        if (!box->currentText().isEmpty()) texts << box->currentText();
    }
    return texts;
}

void TStringsForm::showEvent(QShowEvent* event) {
    Reload(false);
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
}

void TStringsForm::Reload(bool keepTexts) {
    const QStringList items = lum::LoadComments(ProgramName, CommentCode);
    for (QComboBox* box : Boxes()) {
        const QString shown = box->currentText();
        lum::fillComboBox(box, items);
        if (keepTexts) box->setEditText(shown);
    }
}

namespace lum {
void EditCommentsOf(std::initializer_list<QComboBox*> boxes, const QString& programName, int commentCode) {
    TCommentForm& comments = commentForm();
    comments.ProgramName = programName;
    comments.CommentCode = commentCode;
    runModal(comments);
    const QStringList items = LoadComments(programName, commentCode);
    for (QComboBox* box : boxes) {
        const QSignalBlocker block(box);
        const QString shown = box->currentText();
        fillComboBox(box, items);
        box->setEditText(shown);
    }
}
}  // namespace lum

void TStringsForm::EditList() {
    TCommentForm& comments = lum::commentForm();
    comments.ProgramName = ProgramName;
    comments.CommentCode = CommentCode;
    lum::runModal(comments);
    Reload(true);
}
