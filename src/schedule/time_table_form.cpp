#include "schedule/time_table_form.h"

#include <algorithm>

#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/kubun.h"
#include "common/text_helpers.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "schedule/schedule_write.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QLayout>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

TTimeTableForm* TimeTableForm = nullptr;

using lum::MsgButton;
using lum::MsgKind;

namespace {

const QString kProgram = QStringLiteral("Schd");

struct ColumnSpec {
    const char16_t* title;
    int width;
};
constexpr ColumnSpec kColumns[] = {
    {u"利用者番号", 65}, {u"氏　　名", 84}, {u"性別", 34},   {u"生年月日", 114}, {u"入所(開始)日", 114},
    {u"退所(終了)日", 114}, {u"リハビリ形態", 76}, {u"区分", 63}, {u"コメント", 150}, {u"受付日", 114},
};

QStringList cells(const lum::BookingListRow& r) {
    lum::TKubun kubun;
    kubun.SetCode(r.KubunCode);
    return {lum::CureNoText(r.CureNo),
            r.Name,
            r.Sex == 0 ? QStringLiteral("男性") : QStringLiteral("女性"),
            lum::DateToEraText(r.Birth),
            lum::DateToEraText(r.NYUSHOBI_YMD),
            r.TAISHOBI_YMD.value() > 0 ? lum::DateToEraText(r.TAISHOBI_YMD) : QString(),
            lum::RihaTypeNames.at(r.RihaType),
            kubun.ShortText(),
            r.Comment,
            lum::DateToEraText(r.CreateDate)};
}

void error(const QString& text, MsgButton button = MsgButton::Ok) { lum::message(MsgKind::Error, text, button); }

}  // namespace

TTimeTableForm::TTimeTableForm(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TimeTableForm"));
    setWindowTitle(QStringLiteral("予約状況"));
    setFont(lum::uiFont(10));
    setSizeGripEnabled(true);

    DeleteButton = lum::dialogButton("DeleteButton", QStringLiteral("予約取消し"), this);
    DeleteButton->setToolTip(QStringLiteral("指定した予約の取り消し"));
    AllDeleteButton = lum::dialogButton("AllDeleteButton", QStringLiteral("予約全取消"), this);
    AllDeleteButton->setToolTip(QStringLiteral("時間枠の全ての予約の取り消し"));
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("完了"), this);
    connect(DeleteButton, &QPushButton::clicked, this, &TTimeTableForm::DeleteButtonClick);
    connect(AllDeleteButton, &QPushButton::clicked, this, &TTimeTableForm::AllDeleteButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::accept);

    ScheduleDispGrid = new QTableWidget(0, ColumnCount, this);
    ScheduleDispGrid->setObjectName(QStringLiteral("ScheduleDispGrid"));
    ScheduleDispGrid->verticalHeader()->setVisible(false);
    ScheduleDispGrid->verticalHeader()->setDefaultSectionSize(26);
    ScheduleDispGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ScheduleDispGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ScheduleDispGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    int width = 4;
    for (int c = 0; c < ColumnCount; ++c) {
        auto* title = new QTableWidgetItem(QString::fromUtf16(kColumns[c].title));
        title->setBackground(c == ColComment ? QColor(0x00, 0xff, 0xff) : QColor(0xff, 0xff, 0xe1));
        ScheduleDispGrid->setHorizontalHeaderItem(c, title);
        ScheduleDispGrid->setColumnWidth(c, kColumns[c].width);
        width += kColumns[c].width;
    }
    connect(ScheduleDispGrid, &QTableWidget::currentCellChanged, this, &TTimeTableForm::ScheduleDispGridCellChanged);

    CommentBox = new QComboBox(ScheduleDispGrid->viewport());
    CommentBox->setObjectName(QStringLiteral("CommentBox"));
    CommentBox->setEditable(true);
    CommentBox->setInsertPolicy(QComboBox::NoInsert);
    CommentBox->hide();
    connect(CommentBox, &QComboBox::activated, this, [this] { CommentEditEnded(); });
    connect(CommentBox->lineEdit(), &QLineEdit::editingFinished, this, &TTimeTableForm::CommentEditEnded);
    lum::onDoubleClick(CommentBox, [this] { CommentBoxDblClick(); });
    CommentBox->installEventFilter(this);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    countPanel_ = new QLabel(this);
    countPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    countPanel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countPanel_->setMinimumWidth(80);
    errorPanel_ = new QLabel(this);
    errorPanel_->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(countPanel_);
    StatusBar1->addWidget(errorPanel_, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(DeleteButton);
    top->addWidget(AllDeleteButton);
    top->addStretch();
    top->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addLayout(top);
    layout->addWidget(ScheduleDispGrid, 1);
    layout->addWidget(StatusBar1);
    resize(width + 30, 420);
}

QString TTimeTableForm::StatusText(int panel) const { return (panel == 0 ? countPanel_ : errorPanel_)->text(); }

void TTimeTableForm::SetCancelButtons(bool enabled) {
    DeleteButton->setEnabled(enabled);
    AllDeleteButton->setEnabled(enabled);
}

void TTimeTableForm::showEvent(QShowEvent* event) {
    DeleteButton->setVisible(CancelAllowed);
    AllDeleteButton->setVisible(CancelAllowed);
    SetCancelButtons(false);
    countPanel_->clear();
    errorPanel_->clear();
    HideCommentBox();
    lum::fillComboBox(CommentBox, lum::LoadComments(kProgram, 0));
    QDialog::showEvent(event);
    try {
        rows_ = lum::BookingStore(lum::requireFacilityDatabase()).listRows(WorkingNo);
    } catch (const lum::db::DbError&) {
        rows_.clear();
        Fill(-1);
        BookedCount = 0;
        errorPanel_->setText(QStringLiteral("予約表示に失敗しました。"));
        FitWidth();
        return;
    }
    Fill(-1);
    ShowCount();
    FitWidth();
    ScheduleDispGrid->setFocus();
}

void TTimeTableForm::closeEvent(QCloseEvent* event) {
    CommentEditEnded();
    QDialog::closeEvent(event);
}

void TTimeTableForm::FitWidth() {
    int width = ScheduleDispGrid->frameWidth() * 2 + ScheduleDispGrid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < ColumnCount; ++c) width += ScheduleDispGrid->columnWidth(c);
    width += layout()->contentsMargins().left() + layout()->contentsMargins().right();
    if (const QScreen* screen = this->screen()) width = std::min(width, screen->availableGeometry().width());
    if (width > this->width()) resize(width, height());
    lum::centreOnScreen(*this);
}

void TTimeTableForm::ShowCount() {
    BookedCount = static_cast<int>(rows_.size());
    countPanel_->setText(QString::number(BookedCount));
    // Nothing left to cancel once the last booking is gone.
    SetCancelButtons(BookedCount > 0);
}

bool TTimeTableForm::Refresh(int keepScheduleNo) {
    try {
        rows_ = lum::BookingStore(lum::requireFacilityDatabase()).listRows(WorkingNo);
    } catch (const lum::db::DbError&) {
        error(QStringLiteral("SystemError : ScheduleDispQuery KeyRecord error "), MsgButton::Abort);
        return false;
    }
    Fill(keepScheduleNo);
    ShowCount();
    return true;
}

void TTimeTableForm::Fill(int keepScheduleNo) {
    busy_ = true;
    HideCommentBox();
    const int keepColumn = ScheduleDispGrid->currentColumn() == ColComment ? ColComment : ColCureNo;
    ScheduleDispGrid->setRowCount(0);
    ScheduleDispGrid->setRowCount(static_cast<int>(rows_.size()));
    int current = rows_.empty() ? -1 : 0;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const QStringList texts = cells(rows_[static_cast<size_t>(r)]);
        for (int c = 0; c < ColumnCount; ++c) ScheduleDispGrid->setItem(r, c, new QTableWidgetItem(texts[c]));
        if (rows_[static_cast<size_t>(r)].ScheduleNo == keepScheduleNo) current = r;
    }
    // The designed widths at least; wider where a text would be cut.
    for (int c = 0; c < ColumnCount; ++c) {
        const int wanted = std::max(static_cast<QAbstractItemView*>(ScheduleDispGrid)->sizeHintForColumn(c),
                                    ScheduleDispGrid->horizontalHeader()->sectionSizeHint(c));
        ScheduleDispGrid->setColumnWidth(c, std::max(kColumns[c].width, wanted + 6));
    }
    if (current >= 0) ScheduleDispGrid->setCurrentCell(current, keepScheduleNo >= 0 ? keepColumn : ColCureNo);
    busy_ = false;
    PlaceCommentBox();
}

void TTimeTableForm::ScheduleDispGridCellChanged(int row, int column, int previousRow, int previousColumn) {
    if (busy_) return;
    // Only the number and the comment can be current; another row starts at the number.
    if (row >= 0 && (column != ColCureNo && column != ColComment)) {
        ScheduleDispGrid->setCurrentCell(row, ColCureNo);
        return;
    }
    if (row >= 0 && previousRow >= 0 && row != previousRow && column == ColComment && previousColumn == ColComment) {
        CommentEditEnded();
        ScheduleDispGrid->setCurrentCell(row, ColCureNo);
        return;
    }
    if (previousColumn == ColComment && column != ColComment) CommentEditEnded();
    PlaceCommentBox();
}

void TTimeTableForm::PlaceCommentBox() {
    const int row = ScheduleDispGrid->currentRow();
    if (busy_ || row < 0 || ScheduleDispGrid->currentColumn() != ColComment ||
        row >= static_cast<int>(rows_.size())) {
        HideCommentBox();
        return;
    }
    const QRect cell = ScheduleDispGrid->visualRect(ScheduleDispGrid->model()->index(row, ColComment));
    CommentBox->setGeometry(cell.adjusted(0, 0, 1, 1));
    const lum::BookingListRow& booking = rows_[static_cast<size_t>(row)];
    editedScheduleNo_ = booking.ScheduleNo;
    editedOriginal_ = booking.Comment;
    CommentBox->setEditText(booking.Comment);
    CommentBox->show();
    CommentBox->setFocus();
}

void TTimeTableForm::HideCommentBox() {
    editedScheduleNo_ = -1;
    CommentBox->hide();
}

void TTimeTableForm::CommentEditEnded() {
    if (busy_ || editedScheduleNo_ < 0) return;
    const QString text = CommentBox->currentText();
    if (text == editedOriginal_) return;
    const int scheduleNo = editedScheduleNo_;
    busy_ = true;
    editedOriginal_ = text;  // one answer per edit, whatever happens next
    QString failure;
    if (text.size() > lum::BookingCommentLength) {
        failure = QStringLiteral("コメントは%1文字以内です。（%2文字あります）").arg(lum::BookingCommentLength).arg(text.size());
    } else {
        try {
            lum::db::Database& db = lum::requireFacilityDatabase();
            lum::ScheduleWriteTransaction tx(db);
            if (!lum::BookingStore(db).setComment(scheduleNo, text)) {
                failure = QStringLiteral("SystemError : ScheduleTable KeyRecord error ");
            } else {
                tx.commit();
            }
        } catch (const lum::db::DbError& e) {
            failure = QStringLiteral("System Error コメントの登録に失敗しました。\n") + e.text();
        }
    }
    busy_ = false;
    if (!failure.isEmpty()) {
        error(failure, failure.startsWith(u"SystemError") ? MsgButton::Abort : MsgButton::Ok);
    }
    // The list stays on the row the user is on (the edited one, or the one
    // a click moved to).
    const int row = ScheduleDispGrid->currentRow();
    Refresh(row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].ScheduleNo : scheduleNo);
}

void TTimeTableForm::CommentBoxDblClick() { lum::EditCommentsOf({CommentBox}, kProgram, 0); }

bool TTimeTableForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CommentBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            // Esc gives up the edit and leaves the comment as stored.
            CommentBox->setEditText(editedOriginal_);
            ScheduleDispGrid->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTimeTableForm::DeleteButtonClick() {
    const int row = ScheduleDispGrid->currentRow();
    if (row < 0 || ScheduleDispGrid->currentColumn() < 0 || row >= static_cast<int>(rows_.size())) {
        error(QStringLiteral("データを選択して下さい。"));
        return;
    }
    const int scheduleNo = rows_[static_cast<size_t>(row)].ScheduleNo;
    HideCommentBox();
    try {
        lum::db::Database& db = lum::requireFacilityDatabase();
        lum::ScheduleWriteTransaction tx(db);
        lum::BookingStore(db).remove(scheduleNo);  // gone already: the refresh shows it
        tx.commit();
    } catch (const lum::db::DbError& e) {
        error(e.text());
    }
    Refresh();
}

void TTimeTableForm::AllDeleteButtonClick() {
    HideCommentBox();
    try {
        lum::db::Database& db = lum::requireFacilityDatabase();
        lum::ScheduleWriteTransaction tx(db);
        const lum::BookingStore store(db);
        if (store.countAllRows(WorkingNo) == 0) {
            ScheduleDispGrid->viewport()->update();
            return;
        }
        // Every row of the frame, those of clients no longer listed too.
        store.removeAllOfFrame(WorkingNo);
        tx.commit();
    } catch (const lum::db::DbError&) {
        error(QStringLiteral("SystemError : ScheduleTable Open error "), MsgButton::Abort);
        return;
    }
    Refresh();
}
