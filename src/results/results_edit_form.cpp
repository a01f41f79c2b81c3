#include "results/results_edit_form.h"

#include "clients/person_store.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "results/result_cell_input.h"
#include "results/result_grid_style.h"
#include "widgets/cell_after_message.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

TResultsEditForm* ResultsEditForm = nullptr;

using lum::CureResult;
using lum::CureResultChange;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace lum {
TResultsEditForm& resultsEditForm() {
    if (!ResultsEditForm) {
        ResultsEditForm = new TResultsEditForm;
        QObject::connect(ResultsEditForm, &QObject::destroyed, [] { ResultsEditForm = nullptr; });
    }
    return *ResultsEditForm;
}
}  // namespace lum

namespace {

const QString kCommentList = QStringLiteral("ResultEdit");
const QString& kWriteFailed = lum::kResultWriteFailed;
const QString& kRowGone = lum::kResultGoneElsewhere;

// The flag boxes of the design, in CategoryFlagNames order.
const char* const kFlagBoxNames[] = {"NYUTBox", "NYUNBox", "NYUGBox", "NYUKBox", "TNKTBox", "TNKNBox", "TNKGBox",
                                     "TNKKBox", "TUTBox",  "TUNBox",  "TUGBox",  "TUKBox",  "HTBox",   "HNBox"};
using lum::kCategoryCaptions;
using lum::kCategoryColours;

// Narrow enough for the window to lie whole on a 1024-wide screen: a flag
// column is as wide as its check box and its two-character title lines.
constexpr int kColumnWidths[] = {124, 46, 48, 90, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 134, 96, 44};

bool isFlagColumn(int column) {
    return column >= TResultsEditForm::FirstFlagColumn &&
           column < TResultsEditForm::FirstFlagColumn + lum::CategoryFlagCount;
}

QString dayText(TDateTime day) {
    const QDate d = day.date();
    return lum::DateToEraSlashText(day) + u'(' + lum::WeekdayShortNames[d.dayOfWeek() - 1] + u')';
}

}  // namespace

TResultsEditForm::TResultsEditForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ResultsEditForm"));
    setWindowTitle(QStringLiteral("Brennivo７　治療実績登録（利用者別）"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(lum::uiFont(10));

    // The header: the client and the day to add.
    auto caption = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto value = [this](const char* name, int width) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(width);
        l->setFont(lum::uiFont(11));
        return l;
    };
    CureNoLabel = value("CureNoLabel", 90);
    NameLabel = value("NameLabel", 170);
    KanaLabel = value("KanaLabel", 170);
    SexLabel = value("SexLabel", 50);
    WorkingDay = new QLineEdit(this);
    WorkingDay->setObjectName(QStringLiteral("WorkingDay"));
    WorkingDay->setFixedWidth(170);
    WorkingDay->setFont(lum::uiFont(11));
    dayBinding_ = lum::KeyEditBinding::bindEraDate(WorkingDay);
    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
        return b;
    };
    WorkingAddButton = button("WorkingAddButton", "利用日追加");
    Button2 = button("Button2", "全て削除");
    Button3 = button("Button3", "保存");
    ReturnButton = button("ReturnButton", "戻る");

    auto* header = new QGridLayout;
    header->setHorizontalSpacing(8);
    header->addWidget(caption(QStringLiteral("利用者番号")), 0, 0);
    header->addWidget(CureNoLabel, 0, 1);
    header->addWidget(caption(QStringLiteral("氏名")), 0, 2);
    header->addWidget(NameLabel, 0, 3);
    header->addWidget(caption(QStringLiteral("フリガナ")), 0, 4);
    header->addWidget(KanaLabel, 0, 5);
    header->addWidget(caption(QStringLiteral("性別")), 0, 6);
    header->addWidget(SexLabel, 0, 7);
    header->setColumnStretch(8, 1);
    header->addWidget(caption(QStringLiteral("利用日")), 1, 0);
    header->addWidget(WorkingDay, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(WorkingAddButton);
    buttons->addSpacing(24);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button3);
    buttons->addWidget(ReturnButton);
    header->addLayout(buttons, 1, 3, 1, 6);

    // The groups above the column titles.
    auto* groups = new QWidget(this);
    int gridWidth = 0;
    for (int w : kColumnWidths) gridWidth += w;
    groups->setFixedSize(gridWidth + 2, 22);
    int x = 1;
    auto group = [groups, &x](const QString& text, int columns, int firstColumn) {
        int width = 0;
        for (int c = firstColumn; c < firstColumn + columns; ++c) width += kColumnWidths[c];
        auto* l = new QLabel(text, groups);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Box);
        l->setGeometry(x, 0, width, 22);
        x += width;
    };
    x += kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + kColumnWidths[3];
    group(QStringLiteral("入所"), 4, 4);
    group(QStringLiteral("短期入所"), 4, 8);
    group(QStringLiteral("通所"), 4, 12);
    group(QStringLiteral("訪問"), 2, 16);

    DBGrid1 = new QTableWidget(0, ColumnCount, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(24);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    DBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList titles = {QStringLiteral("利用日"), QStringLiteral("開始\n時間"), QStringLiteral("実施時間\n（分）"),
                          QStringLiteral("リハビリ形態")};
    for (int f = 0; f < lum::CategoryFlagCount; ++f) titles << QString::fromUtf16(kCategoryCaptions[f % 4]);
    titles << QStringLiteral("備考") << QStringLiteral("担当者") << QString();
    DBGrid1->setHorizontalHeaderLabels(titles);
    DBGrid1->horizontalHeader()->setFixedHeight(36);
    DBGrid1->horizontalHeader()->setSectionsClickable(false);
    DBGrid1->horizontalHeader()->setFont(lum::uiFont(8));
    for (int c = 0; c < ColumnCount; ++c) DBGrid1->setColumnWidth(c, kColumnWidths[c]);
    DBGrid1->setFixedWidth(gridWidth + DBGrid1->verticalScrollBar()->sizeHint().width() + 4);
    DBGrid1->setMinimumHeight(420);
    DBGrid1->installEventFilter(this);

    // The editing controls, hidden until a cell is focused.
    QWidget* cells = DBGrid1->viewport();
    ResultTypeBox = new QComboBox(cells);
    ResultTypeBox->setObjectName(QStringLiteral("ResultTypeBox"));
    for (const QString& name : lum::RihaTypeNames) ResultTypeBox->addItem(name);
    for (int f = 0; f < lum::CategoryFlagCount; ++f) {
        auto* box = new QCheckBox(cells);
        box->setObjectName(QString::fromLatin1(kFlagBoxNames[f]));
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, kCategoryColours[f % 4]);
        box->setPalette(p);
        box->installEventFilter(this);
        FlagBoxes[f] = box;
        connect(box, &QCheckBox::clicked, this, [this, f](bool on) { FlagClicked(f, on); });
    }
    ResultCommentBox = new QComboBox(cells);
    ResultCommentBox->setObjectName(QStringLiteral("ResultCommentBox"));
    ResultCommentBox->setEditable(true);
    ResultCommentBox->setInsertPolicy(QComboBox::NoInsert);
    ResultCommentBox->lineEdit()->setMaxLength(255);
    DBLookupComboBox1 = new QComboBox(cells);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->installEventFilter(this);
    ResultTypeBox->installEventFilter(this);
    DeleteButton = new QPushButton(QStringLiteral("削除"), cells);
    DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
    DeleteButton->setAutoDefault(false);
    HideEditors();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addLayout(header);
    layout->addSpacing(6);
    layout->addWidget(groups);
    layout->setSpacing(0);
    layout->addWidget(DBGrid1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(WorkingAddButton, &QPushButton::clicked, this, &TResultsEditForm::WorkingAddButtonClick);
    connect(Button2, &QPushButton::clicked, this, &TResultsEditForm::AllDeleteClick);
    connect(Button3, &QPushButton::clicked, this, &TResultsEditForm::SaveClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::close);
    connect(DeleteButton, &QPushButton::clicked, this, &TResultsEditForm::DeleteButtonClick);
    connect(ResultTypeBox, &QComboBox::activated, this, &TResultsEditForm::TypeChosen);
    connect(ResultCommentBox, &QComboBox::editTextChanged, this, &TResultsEditForm::CommentEdited);
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TResultsEditForm::StaffChosen);
    lum::onDoubleClick(ResultCommentBox, [this] { EditComments(); });
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this] { PlaceEditors(); });
    connect(DBGrid1, &QTableWidget::itemSelectionChanged, this, [this] { PlaceEditors(); });
    connect(DBGrid1, &QTableWidget::cellChanged, this, &TResultsEditForm::CellEdited);
    // A click on the remark cell puts the caret in its box: the first click
    // takes typing (the keys keep the grid's focus for the arrows).
    connect(DBGrid1, &QTableWidget::cellClicked, this, [this](int, int column) {
        if (column != CommentColumn || !ResultCommentBox->isVisible()) return;
        ResultCommentBox->setFocus(Qt::MouseFocusReason);
        ResultCommentBox->lineEdit()->end(false);
    });
    connect(DBGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceEditors(); });
}

// ---- showing

void TResultsEditForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    lum::centreOnScreen(*this);
    if (!FormShow()) {
        // Nothing of this client to show: the window closes at once.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

bool TResultsEditForm::FormShow() {
    havePerson_ = false;
    rows_.clear();
    filling_ = true;
    DBGrid1->setRowCount(0);
    filling_ = false;
    HideEditors();
    // The day to add: today, or the period's first day when today lies outside it.
    const TDateTime today = TDateTime::fromDate(lum::today());
    if (lum::DateRange{FromDate, ToDate}.contains(today) || FromDate.isEmpty()) {
        dayBinding_->reset(-2);
    } else {
        WorkingDay->setText(lum::DateToEraText(FromDate));
    }
    lum::LoadCommentsInto({ResultCommentBox}, kCommentList, 0);
    lum::db::Database& db = lum::requireFacilityDatabase();
    try {
        staff_ = lum::ReadStaffList(db);
    } catch (const lum::db::DbError& e) {
        staff_.clear();
        lum::message(MsgKind::Error, QStringLiteral("*** System : 介護担当者の抽出 error \n") + e.text(), MsgButton::Ok, this);
    }
    {
        const QSignalBlocker block(DBLookupComboBox1);
        DBLookupComboBox1->clear();
        for (const lum::StaffMember& s : staff_) DBLookupComboBox1->addItem(s.name, s.code);
    }
    std::optional<TPerson> person;
    try {
        person = lum::PersonStore(db).find(CureNo);
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, QStringLiteral("SystemError : 利用者の抽出 error \n") + e.text(), MsgButton::Ok, this);
        return false;
    }
    if (!person) {
        lum::message(MsgKind::Error, QStringLiteral("利用者の登録データが見つかりません。"), MsgButton::Abort, this);
        CureNoLabel->clear();
        NameLabel->clear();
        KanaLabel->clear();
        SexLabel->clear();
        return false;
    }
    person_ = *person;
    havePerson_ = true;
    CureNoLabel->setText(QString::number(person_.CureNo));
    NameLabel->setText(person_.Name);
    KanaLabel->setText(person_.Kana);
    SexLabel->setText(lum::SexNames[person_.Sex]);
    Reload(QStringLiteral("SystemError : 利用者実績の抽出 error "), MsgButton::Ok);
    return true;
}

bool TResultsEditForm::Reload(const QString& failure, MsgButton button) {
    HideEditors();
    try {
        rows_ = lum::CureResultsStore(lum::requireFacilityDatabase()).clientPeriod(CureNo, {FromDate, ToDate});
    } catch (const lum::db::DbError& e) {
        rows_.clear();
        filling_ = true;
        DBGrid1->setRowCount(0);
        filling_ = false;
        lum::message(MsgKind::Error, failure + u'\n' + e.text(), button, this);
        return false;
    }
    filling_ = true;
    DBGrid1->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) FillRow(r);
    filling_ = false;
    if (!rows_.empty()) DBGrid1->setCurrentCell(0, DateColumn);
    PlaceEditors();
    return true;
}

QString TResultsEditForm::StaffName(int code) const {
    for (const lum::StaffMember& s : staff_) {
        if (s.code == code) return s.name;
    }
    return QString();
}

void TResultsEditForm::FillRow(int row) {
    const CureResult& r = rows_[row];
    const bool wasFilling = filling_;
    filling_ = true;
    auto put = [this, row](int column, const QString& text, bool editable) {
        auto* item = new QTableWidgetItem(text);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        DBGrid1->setItem(row, column, item);
        return item;
    };
    put(DateColumn, dayText(r.CureDate), false);
    put(StartColumn, r.RStartTime.time().toString(QStringLiteral("hh:mm")), true);
    put(MinuteColumn, QString::number(r.RMinute), true)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    put(TypeColumn, lum::RihaTypeNames[r.RihaType], false);
    for (int f = 0; f < lum::CategoryFlagCount; ++f) {
        QTableWidgetItem* item = put(FirstFlagColumn + f, QString(), false);
        item->setData(Qt::CheckStateRole, r.Flags[f] ? Qt::Checked : Qt::Unchecked);
        item->setBackground(kCategoryColours[f % 4]);
    }
    put(CommentColumn, r.Comment, false);
    put(StaffColumn, StaffName(r.StuffCode), false);
    put(DeleteColumn, QStringLiteral("削除"), false)->setTextAlignment(Qt::AlignCenter);
    filling_ = wasFilling;
}

// ---- the editing controls over the focused cell

void TResultsEditForm::HideEditors() {
    ResultTypeBox->hide();
    for (QCheckBox* box : FlagBoxes) box->hide();
    ResultCommentBox->hide();
    DBLookupComboBox1->hide();
    DeleteButton->hide();
}

void TResultsEditForm::PlaceEditors() {
    const int row = DBGrid1->currentRow();
    const int column = DBGrid1->currentColumn();
    QWidget* shown = nullptr;
    if (row >= 0 && row < static_cast<int>(rows_.size())) {
        const CureResult& r = rows_[row];
        const QRect cell = DBGrid1->visualRect(DBGrid1->model()->index(row, column));
        if (column == TypeColumn) {
            const QSignalBlocker block(ResultTypeBox);
            ResultTypeBox->setCurrentIndex(r.RihaType >= 0 && r.RihaType < 4 ? r.RihaType : -1);
            ResultTypeBox->setGeometry(cell);
            shown = ResultTypeBox;
        } else if (isFlagColumn(column)) {
            QCheckBox* box = FlagBoxes[column - FirstFlagColumn];
            const QSignalBlocker block(box);
            box->setChecked(r.Flags[column - FirstFlagColumn]);
            box->setGeometry(cell.x() + 7, cell.y() + 3, cell.width() - 4, cell.height() - 1);
            shown = box;
        } else if (column == CommentColumn) {
            const QSignalBlocker block(ResultCommentBox);
            ResultCommentBox->setEditText(r.Comment);
            ResultCommentBox->setGeometry(cell);
            shown = ResultCommentBox;
        } else if (column == StaffColumn) {
            const QSignalBlocker block(DBLookupComboBox1);
            DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findData(r.StuffCode));
            DBLookupComboBox1->setGeometry(cell.adjusted(2, 0, -2, 0));
            shown = DBLookupComboBox1;
        } else if (column == DeleteColumn && DBGrid1->item(row, column) && DBGrid1->item(row, column)->isSelected()) {
            DeleteButton->setGeometry(cell);
            shown = DeleteButton;
        }
    }
    for (QWidget* w : std::initializer_list<QWidget*>{ResultTypeBox, ResultCommentBox, DBLookupComboBox1, DeleteButton}) {
        if (w != shown) w->hide();
    }
    for (QCheckBox* box : FlagBoxes) {
        if (box != shown) box->hide();
    }
    if (shown) shown->show();
}

bool TResultsEditForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::InputMethod && DBGrid1->currentColumn() == CommentColumn &&
        ResultCommentBox->isVisible()) {
        // Text from the input method on the remark cell is the remark's.
        ResultCommentBox->setFocus(Qt::OtherFocusReason);
        QApplication::sendEvent(ResultCommentBox->lineEdit(), event);
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int column = DBGrid1->currentColumn();
    if (watched == DBGrid1) {
        // A key typed on a flag goes to its check box (Space ticks it); on the
        // staff cell to the staff box; on the remark to the remark box.
        const QString text = key->text();
        if (key->key() != Qt::Key_Tab && !text.isEmpty() && text[0].isPrint()) {
            QWidget* target = nullptr;
            if (isFlagColumn(column)) target = FlagBoxes[column - FirstFlagColumn];
            if (column == StaffColumn) target = DBLookupComboBox1;
            if (column == CommentColumn) target = ResultCommentBox;
            if (target && target->isVisible()) {
                target->setFocus();
                if (auto* box = qobject_cast<QCheckBox*>(target); box && key->key() == Qt::Key_Space) {
                    box->click();  // its release, arriving now or never, finds it up
                    return true;
                }
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(target, &copy);
                return true;
            }
        }
        return false;
    }
    // From an editing control the arrows and Tab move on in the grid.
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (watched == ResultTypeBox || watched == DBLookupComboBox1) return false;  // they choose with these
        break;
    default:
        return false;
    }
    DBGrid1->setFocus();
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(DBGrid1, &copy);
    return true;
}

// ---- writing

bool TResultsEditForm::WriteChange(int row, const CureResultChange& change) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
    try {
        lum::CureResultsStore(lum::requireFacilityDatabase()).update(rows_[row].ResultNo, change);
    } catch (const lum::db::NoRowTouched&) {
        lum::message(MsgKind::Error, kRowGone, MsgButton::Ok, this);
        Reload(QStringLiteral("*** System : 結果の再表示 error "), MsgButton::Abort);
        return false;
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, kWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
        FillRow(row);
        return false;
    }
    CureResult& r = rows_[row];
    if (change.RStartTime) r.RStartTime = lum::StartTimeOnEmptyDate(*change.RStartTime);
    if (change.RMinute) r.RMinute = *change.RMinute;
    if (change.RihaType) r.RihaType = *change.RihaType;
    if (change.KubunCode) r.KubunCode = *change.KubunCode;
    for (int f = 0; f < lum::CategoryFlagCount; ++f) {
        if (change.Flags[f]) r.Flags[f] = *change.Flags[f];
    }
    if (change.Comment) r.Comment = *change.Comment;
    if (change.Stuff) {
        r.StuffCode = change.Stuff->code;
        r.StuffName = change.Stuff->name;
        r.StuffKigo = change.Stuff->symbol;
    }
    FillRow(row);
    return true;
}

void TResultsEditForm::TypeChosen(int index) {
    if (index < 0) return;
    const lum::CellAfterMessage back(DBGrid1);
    CureResultChange change;
    change.RihaType = index;  // the flags stay as they are
    WriteChange(DBGrid1->currentRow(), change);
}

void TResultsEditForm::FlagClicked(int flag, bool on) {
    const lum::CellAfterMessage back(DBGrid1);
    CureResultChange change;
    change.Flags[flag] = on;
    if (!WriteChange(DBGrid1->currentRow(), change)) PlaceEditors();
}

void TResultsEditForm::CommentEdited(const QString&) {
    const int row = DBGrid1->currentRow();
    if (!ResultCommentBox->isVisible() || row < 0 || row >= static_cast<int>(rows_.size())) return;
    const lum::CellAfterMessage back(DBGrid1);
    if (const auto change = lum::ReadTypedComment(*ResultCommentBox, rows_[row].Comment, this)) WriteChange(row, *change);
}

void TResultsEditForm::StaffChosen(int index) {
    if (index < 0 || index >= static_cast<int>(staff_.size())) return;
    const lum::CellAfterMessage back(DBGrid1);
    const lum::StaffMember& s = staff_[index];
    CureResultChange change;
    change.Stuff = CureResultChange::Staff{s.code, s.name, s.symbol};
    WriteChange(DBGrid1->currentRow(), change);
}

// The grid's own editors: the start time and the minutes.
void TResultsEditForm::CellEdited(int row, int column) {
    if (filling_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
    if (column != StartColumn && column != MinuteColumn) return;
    // The cell typed into, also when the key that ended the typing moved on.
    const lum::CellAfterMessage back(DBGrid1, row, column);
    const auto cell = column == StartColumn ? lum::TypedCell::Start : lum::TypedCell::Minutes;
    const std::optional<CureResultChange> change = lum::ReadTypedCell(cell, DBGrid1->item(row, column)->text(), this);
    if (!change) {
        FillRow(row);
        return;
    }
    WriteChange(row, *change);
}

void TResultsEditForm::EditComments() { lum::EditCommentsOf({ResultCommentBox}, kCommentList, 0); }

// ---- the commands

void TResultsEditForm::WorkingAddButtonClick() {
    if (!havePerson_) return;
    TDateTime day;
    if (const auto typed = dayBinding_->value()) {
        day = typed->dateOnly();
    } else {
        // No valid day typed: today's date, without the time of day.
        dayBinding_->reset(-2);
        day = TDateTime::fromDate(lum::today());
    }
    lum::db::Database& db = lum::requireFacilityDatabase();
    qint64 added = 0;
    try {
        lum::db::Transaction tx(db);
        added = lum::CureResultsStore(db).insert(
            lum::NewHandEnteredResult(person_, day, TDateTime::fromDateTime(lum::now())));
        tx.commit();
    } catch (const lum::db::TransactionStartError& e) {
        lum::message(MsgKind::Error, QStringLiteral("System Error サーバーの登録開始に失敗しました。\n") + e.text(),
                     MsgButton::Ok, this);
        return;
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, kWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
        return;
    }
    if (!Reload(QStringLiteral("スケジュールの表示に失敗しました。"), MsgButton::Ok)) return;
    // The new day becomes the current row, in sight.
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        if (rows_[r].ResultNo == added) {
            DBGrid1->setCurrentCell(r, DateColumn);
            DBGrid1->scrollTo(DBGrid1->model()->index(r, DateColumn));
        }
    }
}

void TResultsEditForm::DeleteButtonClick() {
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    // The button goes; the grid keeps the focus at the cell the reload makes current.
    const lum::CellAfterMessage back(DBGrid1, -1, -1);
    if (lum::message(MsgKind::Confirm, QStringLiteral("レコードを削除してもよいですか？"),
                     MsgButton::Ok | MsgButton::Cancel, this) == MsgButton::Ok) {
        try {
            lum::CureResultsStore(lum::requireFacilityDatabase()).remove(rows_[row].ResultNo);
        } catch (const lum::db::NoRowTouched&) {
            lum::message(MsgKind::Error, kRowGone, MsgButton::Ok, this);
        } catch (const lum::db::DbError& e) {
            lum::message(MsgKind::Error, kWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
        }
    }
    DeleteButton->hide();
    // 利用日追加 stays enabled, also when no result is left.
    Reload(QStringLiteral("*** System : 結果の再表示 error "), MsgButton::Abort);
}

void TResultsEditForm::AllDeleteClick() {
    try {
        lum::CureResultsStore(lum::requireFacilityDatabase()).removeClientPeriod(CureNo, {FromDate, ToDate});
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, kWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
    }
    Reload(QStringLiteral("*** System : 結果の再表示 error "), MsgButton::Abort);
}

void TResultsEditForm::SaveClick() {
    if (rows_.empty()) return;
    lum::db::Database& db = lum::requireFacilityDatabase();
    std::vector<CureResult> saved;
    try {
        // Every row's code from the flags of its own type as stored (another
        // workstation may have ticked one since they were read), all or none.
        lum::db::Transaction tx(db);
        const lum::CureResultsStore store(db);
        for (const CureResult& r : rows_) saved.push_back(store.alignKubunCode(r.ResultNo));
        tx.commit();
    } catch (const lum::db::NoRowTouched&) {
        lum::message(MsgKind::Error, kRowGone, MsgButton::Ok, this);
        Reload(QStringLiteral("*** System : 結果の再表示 error "), MsgButton::Abort);
        return;
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, kWriteFailed + u'\n' + e.text(), MsgButton::Ok, this);
        return;
    }
    // The grid shows what was saved.
    rows_ = std::move(saved);
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) FillRow(r);
    PlaceEditors();
    lum::message(MsgKind::Information, QStringLiteral("保存しました。"), MsgButton::Ok, this);
}

void TResultsEditForm::done(int result) {
    // A start time or minutes still being typed in the grid are written
    // before the window goes, whichever way it closes (戻る, Esc, the close box).
    if (QWidget* editor = DBGrid1->indexWidget(DBGrid1->currentIndex())) {
        emit DBGrid1->itemDelegate()->commitData(editor);
    }
    HideEditors();
    QDialog::done(result);
}
