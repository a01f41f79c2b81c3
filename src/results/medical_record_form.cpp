#include "results/medical_record_form.h"

#include "app/app_folder.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "platform/clock.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "report/templates/report_templates.h"
#include "results/result_cell_input.h"
#include "results/result_grid_style.h"
#include "results/results_menu_form.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using lum::CureResult;
using lum::CureResultChange;
using lum::MsgButton;
using lum::MsgKind;

const QString TMedicalRecordForm::kPhraseList = QStringLiteral("ResultEdit");

namespace {
constexpr int kToolBarHeight = 48;
constexpr int kPanelTop = 60;
constexpr int kRowHeight = 22;
constexpr int kGroupHeight = 20;
// Narrow enough for the daily window's panel, the widest, to lie whole on a
// 1024-wide screen.
constexpr int kStartWidth = 46;
constexpr int kMinuteWidth = 40;
constexpr int kFlagWidth = 24;
constexpr int kCommentWidth = 120;
constexpr int kLoginWidth = 72;

const QString kReadAgainFailed = QStringLiteral("*** System Error : 保存後の最新状態の表示に失敗しました。");
const QString kReadFailed = QStringLiteral("*** System Error : 治療実績の抽出に失敗しました。");
const QString kCloseQuestion = QStringLiteral("保存していませんが、このまま閉じますか？");

// The grid's cell editor: its opening is the row entering edit mode.
class EditModeDelegate : public QStyledItemDelegate {
public:
    EditModeDelegate(QObject* parent, std::function<void()> started)
        : QStyledItemDelegate(parent), started_(std::move(started)) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        started_();
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    std::function<void()> started_;
};
}  // namespace

TMedicalRecordForm::TMedicalRecordForm(const char* objectName, const QString& caption, const char* firstButton,
                                       const QString& firstCaption, const std::vector<LeadingColumn>& own,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      leading_(static_cast<int>(own.size()) + 2) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    setFont(lum::uiFont(10));

    // The tool bar.
    ToolBarPanel = new QWidget(this);
    ToolBarPanel->setObjectName(QStringLiteral("ToolBarPanel"));
    auto* bar = new QHBoxLayout(ToolBarPanel);
    bar->setContentsMargins(6, 2, 6, 2);
    auto makeTool = [this, bar](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(ToolBarPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(72);
        bar->addWidget(b);
        return b;
    };
    firstButton_ = makeTool(firstButton, firstCaption, QStyle::SP_DialogOpenButton);
    SaveButton = makeTool("SaveButton", QStringLiteral("保存"), QStyle::SP_DialogSaveButton);
    PrintButton = makeTool("PrintButton", QStringLiteral("印刷"), QStyle::SP_FileDialogDetailedView);
    CloseButton = makeTool("CloseButton", QStringLiteral("閉じる"), QStyle::SP_DialogCloseButton);
    bar->addStretch();

    // The panel: the window's own controls go on top, the grid below them.
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    auto* panel = new QVBoxLayout(MainPanel);
    panelLayout_ = panel;
    panel->setContentsMargins(4, 4, 4, 10);
    panel->setSpacing(0);

    // The criteria's up-down and staff box; the window places them.
    Hizuke = new lum::HorizontalUpDown(MainPanel);
    Hizuke->setObjectName(QStringLiteral("Hizuke"));
    // The arrows take the focus too, so the date is stepped from the keyboard (Space).
    for (QToolButton* b : {Hizuke->previousButton(), Hizuke->nextButton()}) b->setFocusPolicy(Qt::StrongFocus);
    TantouBox = new QComboBox(MainPanel);
    TantouBox->setObjectName(QStringLiteral("TantouBox"));
    TantouBox->setMinimumWidth(150);

    // The columns: the window's own, the plan's start time and minutes, then the actual ones.
    QStringList titles;
    std::vector<int> widths;
    for (const LeadingColumn& c : own) {
        titles << c.title;
        widths.push_back(c.width);
    }
    for (int twice = 0; twice < 2; ++twice) {
        titles << QStringLiteral("開始\n時間") << QStringLiteral("時間\n（分）");
        widths.push_back(kStartWidth);
        widths.push_back(kMinuteWidth);
    }
    for (int f = 0; f < lum::CategoryFlagCount; ++f) {
        titles << QString::fromUtf16(lum::kCategoryCaptions[f % 4]);
        widths.push_back(kFlagWidth);
    }
    titles << QStringLiteral("備考") << QStringLiteral("入力者");
    widths.push_back(kCommentWidth);
    widths.push_back(kLoginWidth);
    int x = 1;
    for (int w : widths) {
        columnX_.push_back(x);
        x += w;
    }
    columnX_.push_back(x);

    ResultGrid = new QTableWidget(0, ColumnCount(), MainPanel);
    ResultGrid->setObjectName(QStringLiteral("ResultGrid"));
    ResultGrid->verticalHeader()->hide();
    ResultGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    ResultGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ResultGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    ResultGrid->setTabKeyNavigation(false);
    ResultGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ResultGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ResultGrid->setWordWrap(false);
    ResultGrid->setHorizontalHeaderLabels(titles);
    ResultGrid->horizontalHeader()->setFixedHeight(36);
    ResultGrid->horizontalHeader()->setSectionsClickable(false);
    ResultGrid->horizontalHeader()->setFont(lum::uiFont(8));
    ResultGrid->setStyleSheet(QStringLiteral("QTableWidget::item { padding-left: 4px; }"));
    for (int c = 0; c < ColumnCount(); ++c) ResultGrid->setColumnWidth(c, widths[static_cast<size_t>(c)]);
    const int gridWidth = x + ResultGrid->verticalScrollBar()->sizeHint().width() + 3;
    ResultGrid->setFixedSize(gridWidth, 36 + 20 * kRowHeight + 4);
    ResultGrid->installEventFilter(this);
    ResultGrid->setItemDelegate(new EditModeDelegate(ResultGrid, [this] { EditStarted(); }));

    groups_ = new QWidget(MainPanel);
    groups_->setFixedSize(gridWidth, kGroupHeight);
    AddColumnGroup(QStringLiteral("リハビリ計画"), PlanStartColumn(), 2);
    AddColumnGroup(QStringLiteral("実施"), StartColumn(), 2);
    int first = FirstFlagColumn();
    for (int t = 0; t < 4; ++t) {
        const int columns = t < 3 ? 4 : 2;
        AddColumnGroup(QString::fromUtf16(lum::kFlagGroupCaptions[t]), first, columns);
        first += columns;
    }
    panel->addSpacing(8);
    panel->addWidget(groups_);
    panel->addWidget(ResultGrid);

    CommentBox = new QComboBox(ResultGrid->viewport());
    CommentBox->setObjectName(QStringLiteral("CommentBox"));
    CommentBox->setEditable(true);
    CommentBox->setInsertPolicy(QComboBox::NoInsert);
    CommentBox->lineEdit()->setMaxLength(255);
    CommentBox->installEventFilter(this);
    CommentBox->lineEdit()->installEventFilter(this);
    CommentBox->hide();

    connect(SaveButton, &QToolButton::clicked, this, &TMedicalRecordForm::SaveButtonClick);
    connect(CloseButton, &QToolButton::clicked, this, &QWidget::close);
    connect(ResultGrid, &QTableWidget::currentCellChanged, this, &TMedicalRecordForm::CurrentCellMoved);
    connect(ResultGrid, &QTableWidget::cellChanged, this, &TMedicalRecordForm::CellEdited);
    connect(ResultGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceCommentBox(); });
    connect(CommentBox, &QComboBox::editTextChanged, this, &TMedicalRecordForm::CommentEdited);
    lum::onDoubleClick(CommentBox, [this] { EditComments(); });

    Components.addDataSource(&frUserDataset1);
    lum::keepCentred(*MainPanel, lum::Centring{lum::Centring::Area::Client, kPanelTop});
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(false);
}

QString TMedicalRecordForm::TemplatePath(const QString& fileName) { return lum::applicationTemplatePath(fileName); }

TMedicalRecordForm::~TMedicalRecordForm() { Components.remove(frUserDataset1.Name); }

QLabel* TMedicalRecordForm::CaptionLabel(const QString& text) {
    auto* l = new QLabel(text, MainPanel);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

std::vector<lum::StaffMember> TMedicalRecordForm::FillStaffBox(QComboBox* box) {
    std::vector<lum::StaffMember> staff;
    try {
        staff = lum::RunStaffList();
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, QStringLiteral("*** System : 介護担当者の抽出 error \n") + e.text(), MsgButton::Ok,
                     this);
    }
    const QSignalBlocker block(box);
    box->clear();
    for (const lum::StaffMember& s : staff) box->addItem(s.name, s.code);
    box->setCurrentIndex(-1);
    return staff;
}

void TMedicalRecordForm::FinishLayout() {
    MainPanel->setFixedSize(MainPanel->sizeHint());
    resize(MainPanel->width() + 40, kPanelTop + MainPanel->height() + 20);
    lum::centreOnScreen(*this);
}

void TMedicalRecordForm::AddColumnGroup(const QString& title, int firstColumn, int columns) {
    auto* l = new QLabel(title, groups_);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    const int x = columnX_[static_cast<size_t>(firstColumn)];
    l->setGeometry(x, 0, columnX_[static_cast<size_t>(firstColumn + columns)] - x, kGroupHeight);
}

int TMedicalRecordForm::EditableColumn(int column) const {
    if (column < StartColumn()) return StartColumn();
    if (column > MinuteColumn()) return CommentColumn();
    return column;
}

// ---- showing and closing

void TMedicalRecordForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // restored from the task bar: nothing is reset
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ResultsMenuForm) ResultsMenuForm->hide();
    ToolBarPanel->setGeometry(0, 0, width(), kToolBarHeight);
    LoadPhrases();
    FormShow();
    lum::centrePanel(*MainPanel, lum::Centring{lum::Centring::Area::Client, kPanelTop});
}

void TMedicalRecordForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ToolBarPanel->setGeometry(0, 0, width(), kToolBarHeight);
}

void TMedicalRecordForm::closeEvent(QCloseEvent* event) {
    CommitTyping();
    if (SaveButton->isEnabled() &&
        lum::message(MsgKind::Confirm, kCloseQuestion, MsgButton::Yes | MsgButton::No, this) != MsgButton::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    CloseRows();
    if (ResultsMenuForm) ResultsMenuForm->show();
}

void TMedicalRecordForm::LoadPhrases() {
    const QSignalBlocker block(CommentBox);
    lum::LoadCommentsInto({CommentBox}, kPhraseList, 0);
}

// ---- the rows

void TMedicalRecordForm::ShowRows(std::vector<CureResult> rows) {
    // The current result keeps its place when the rows are read again.
    qint64 current = -1;
    const int currentColumn = ResultGrid->currentColumn() >= 0 ? ResultGrid->currentColumn() : StartColumn();
    if (const int r = ResultGrid->currentRow(); r >= 0 && r < static_cast<int>(rows_.size())) {
        current = rows_[static_cast<size_t>(r)].ResultNo;
    }
    CommentBox->hide();
    rows_ = std::move(rows);
    open_ = true;
    filling_ = true;
    ResultGrid->setRowCount(0);
    ResultGrid->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) FillRow(r);
    filling_ = false;
    if (rows_.empty()) return;
    int row = 0;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        if (rows_[static_cast<size_t>(r)].ResultNo == current) row = r;
    }
    ResultGrid->setCurrentCell(row, EditableColumn(currentColumn));
    PlaceCommentBox();
}

void TMedicalRecordForm::CloseRows() {
    CommentBox->hide();
    rows_.clear();
    open_ = false;
    filling_ = true;
    ResultGrid->setRowCount(0);
    filling_ = false;
}

QString TMedicalRecordForm::LeadingText(const CureResult& row, int column) const {
    if (column == PlanStartColumn()) return row.PStartTime.time().toString(QStringLiteral("hh:mm"));
    if (column == PlanMinuteColumn()) return QString::number(row.PMinute);
    return OwnText(row, column);
}

void TMedicalRecordForm::FillRow(int row) {
    const CureResult& r = rows_[static_cast<size_t>(row)];
    const bool wasFilling = filling_;
    filling_ = true;
    auto put = [this, row](int column, const QString& text, bool editable) {
        QTableWidgetItem* item = ResultGrid->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            ResultGrid->setItem(row, column, item);
        }
        item->setText(text);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        return item;
    };
    for (int c = 0; c < StartColumn(); ++c) {
        QTableWidgetItem* item = put(c, LeadingText(r, c), false);
        if (c == PlanMinuteColumn()) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    put(StartColumn(), r.RStartTime.time().toString(QStringLiteral("hh:mm")), true);
    put(MinuteColumn(), QString::number(r.RMinute), true)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int f = 0; f < lum::CategoryFlagCount; ++f) {
        QTableWidgetItem* item = put(FirstFlagColumn() + f, QString(), false);
        item->setData(Qt::CheckStateRole, r.Flags[static_cast<size_t>(f)] ? Qt::Checked : Qt::Unchecked);
        item->setBackground(lum::kCategoryColours[f % 4]);
    }
    put(CommentColumn(), r.Comment, false);
    put(LoginColumn(), r.LoginName, false);
    filling_ = wasFilling;
}

std::optional<std::vector<CureResult>> TMedicalRecordForm::ReadNewRows() {
    try {
        return ReadRows();
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, kReadFailed + u'\n' + e.text(), MsgButton::Ok, this);
        return std::nullopt;
    }
}

void TMedicalRecordForm::ShowNewRows(std::vector<CureResult> rows) {
    ShowRows(std::move(rows));
    SaveButton->setEnabled(true);
    PrintButton->setEnabled(true);
    ResultGrid->setFocus();
}

void TMedicalRecordForm::SetTabChain(QList<QWidget*> criteria) {
    criteria << ResultGrid << SaveButton << PrintButton << CloseButton;
    lum::setTabChain(criteria);
}

bool TMedicalRecordForm::Reload(const QString& failure) {
    std::vector<CureResult> rows;
    try {
        rows = ReadRows();
    } catch (const lum::db::DbError& e) {
        CloseRows();
        lum::message(MsgKind::Error, failure + u'\n' + e.text(), MsgButton::Ok, this);
        return false;
    }
    ShowRows(std::move(rows));
    return true;
}

// ---- moving in the grid

void TMedicalRecordForm::CurrentCellMoved(int row, int column, int, int) {
    if (redirecting_) return;
    if (row >= 0 && column >= 0 && EditableColumn(column) != column) {
        redirecting_ = true;
        ResultGrid->setCurrentCell(row, EditableColumn(column));
        redirecting_ = false;
    }
    PlaceCommentBox();
}

void TMedicalRecordForm::PlaceCommentBox() {
    const int row = ResultGrid->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()) || ResultGrid->currentColumn() != CommentColumn()) {
        // Leaving the remark column hides the box; the grid keeps the focus.
        if (focusWidget() == CommentBox || focusWidget() == CommentBox->lineEdit()) ResultGrid->setFocus();
        CommentBox->hide();
        return;
    }
    const QRect cell = ResultGrid->visualRect(ResultGrid->model()->index(row, CommentColumn()));
    {
        const QSignalBlocker block(CommentBox);
        CommentBox->setEditText(rows_[static_cast<size_t>(row)].Comment);
    }
    CommentBox->setGeometry(cell.adjusted(1, 1, 0, 0));
    CommentBox->show();
    // Typed text, Japanese input included, goes straight into the box.
    if (focusWidget() == ResultGrid) CommentBox->setFocus();
}

void TMedicalRecordForm::TabMove(bool forward) {
    const int row = ResultGrid->currentRow();
    const int column = ResultGrid->currentColumn();
    if (forward) {
        if (column == StartColumn()) {
            ResultGrid->setCurrentCell(row, MinuteColumn());
        } else if (column == MinuteColumn()) {
            ResultGrid->setCurrentCell(row, CommentColumn());
        } else if (row + 1 < ResultGrid->rowCount()) {
            ResultGrid->setCurrentCell(row + 1, StartColumn());
        }
    } else {
        if (column == CommentColumn()) {
            ResultGrid->setCurrentCell(row, MinuteColumn());
        } else if (column == MinuteColumn()) {
            ResultGrid->setCurrentCell(row, StartColumn());
        } else if (row > 0) {
            ResultGrid->setCurrentCell(row - 1, CommentColumn());
        }
    }
}

bool TMedicalRecordForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    const int row = ResultGrid->currentRow();
    const int column = ResultGrid->currentColumn();
    // The grid's ends: Tab leaves it for the next control.
    const bool atEnd = row < 0 || (forward && column == CommentColumn() && row + 1 >= ResultGrid->rowCount()) ||
                       (!forward && column == StartColumn() && row == 0);
    if (watched == ResultGrid) {
        if (tab && !atEnd) {
            TabMove(forward);
            return true;
        }
        return false;
    }
    // From the remark box: Tab, Shift+Tab, Up and Down move on in the grid.
    if (tab) {
        ResultGrid->setFocus();
        if (!atEnd) {
            TabMove(forward);
            return true;
        }
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(ResultGrid, &copy);
        return true;
    }
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        ResultGrid->setFocus();
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(ResultGrid, &copy);
        return true;
    }
    return false;
}

// ---- editing

void TMedicalRecordForm::CommitTyping() {
    if (QWidget* editor = ResultGrid->indexWidget(ResultGrid->currentIndex())) {
        emit ResultGrid->itemDelegate()->commitData(editor);
        emit ResultGrid->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TMedicalRecordForm::CellEdited(int row, int column) {
    if (filling_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
    if (column != StartColumn() && column != MinuteColumn()) return;
    const auto cell = column == StartColumn() ? lum::TypedCell::Start : lum::TypedCell::Minutes;
    const std::optional<CureResultChange> change = lum::ReadTypedCell(cell, ResultGrid->item(row, column)->text(), this);
    if (!change) {
        FillRow(row);
        return;
    }
    WriteChange(row, *change);
    // A message shown meanwhile leaves the window's focus on the editor,
    // which closes after this: the focus comes back to the grid, so typing
    // goes on from the keyboard.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QWidget* focus = focusWidget();
            if (!focus || focus == this || !focus->isVisible()) ResultGrid->setFocus();
        },
        Qt::QueuedConnection);
}

void TMedicalRecordForm::CommentEdited(const QString& text) {
    const int row = ResultGrid->currentRow();
    if (!CommentBox->isVisible() || row < 0 || row >= static_cast<int>(rows_.size())) return;
    if (rows_[static_cast<size_t>(row)].Comment == text) return;
    if (const auto change = lum::ReadTypedComment(*CommentBox, rows_[static_cast<size_t>(row)].Comment, this)) {
        EditStarted();
        WriteChange(row, *change);
    }
}

bool TMedicalRecordForm::WriteChange(int row, CureResultChange change) {
    change.UpdateDate = lum::TDateTime::fromDateTime(lum::now());
    try {
        lum::CureResultsStore(lum::requireFacilityDatabase()).update(rows_[static_cast<size_t>(row)].ResultNo, change);
    } catch (const lum::db::NoRowTouched&) {
        lum::message(MsgKind::Error, lum::kResultGoneElsewhere, MsgButton::Ok, this);
        Reload(kReadAgainFailed);
        return false;
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, lum::kResultWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
        FillRow(row);
        return false;
    }
    CureResult& r = rows_[static_cast<size_t>(row)];
    if (change.RStartTime) r.RStartTime = lum::StartTimeOnEmptyDate(*change.RStartTime);
    if (change.RMinute) r.RMinute = *change.RMinute;
    if (change.Comment) r.Comment = *change.Comment;
    r.UpdateDate = *change.UpdateDate;
    FillRow(row);
    // Posted: nothing of the row is left to save. 印刷 waits for the rows read again.
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(false);
    return true;
}

void TMedicalRecordForm::EditStarted() {
    if (!open_) return;
    SaveButton->setEnabled(true);
    PrintButton->setEnabled(false);
}

void TMedicalRecordForm::EditComments() { lum::EditCommentsOf({CommentBox}, kPhraseList, 0); }

void TMedicalRecordForm::SaveButtonClick() {
    CommitTyping();
    if (!open_) return;
    if (!Reload(kReadAgainFailed)) return;
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(true);
    RowsSaved();
}
