#include "results/import_schedule_dialog.h"

#include "platform/clock.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "results/bookings_to_copy_model.h"
#include "results/copy_mode_form.h"
#include "results/writer_stamp.h"
#include "widgets/date_picker.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TImportScheduleDialog* ImportScheduleDialog = nullptr;

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace lum {
TImportScheduleDialog& importScheduleDialog() {
    if (!ImportScheduleDialog) {
        ImportScheduleDialog = new TImportScheduleDialog;
        QObject::connect(ImportScheduleDialog, &QObject::destroyed, [] { ImportScheduleDialog = nullptr; });
    }
    return *ImportScheduleDialog;
}
}  // namespace lum

namespace {

const QString kAllStaff = QStringLiteral("全員");

QDateEdit* makePicker(const char* name, QWidget* parent) {
    auto* picker = new lum::DatePicker(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setDate(lum::today());  // once, when the window is made
    return picker;
}

}  // namespace

TImportScheduleDialog::TImportScheduleDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ImportScheduleDialog"));
    setWindowTitle(QStringLiteral("インポート　スケジュール"));
    setFont(lum::uiFont(10));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    FromDatePicker = makePicker("FromDatePicker", this);
    ToDatePicker = makePicker("ToDatePicker", this);
    StuffBox = new QComboBox(this);
    StuffBox->setObjectName(QStringLiteral("StuffBox"));
    StuffBox->setMinimumWidth(170);
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(84);
        return b;
    };
    DisplayBtn = button("DisplayBtn", "表示");
    DisplayBtn->setToolTip(QStringLiteral("３ヶ月以内の利用者"));
    DisplayBtn->setDefault(true);  // Enter in the range lists it
    AllSelectBtn = button("AllSelectBtn", "全選択");
    EraseBtn = button("EraseBtn", "全取消");
    ImportBtn = button("ImportBtn", "開く");
    ReturnButton = button("ReturnButton", "キャンセル");

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1Model = new lum::BookingsToCopyModel(this);
    DBGrid1->setModel(DBGrid1Model);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(22);
    DBGrid1->setColumnHidden(lum::BookingsToCopyModel::ReserveNoColumn, true);
    DBGrid1->setWordWrap(false);
    const int widths[] = {80, 130, 84, 70, 100, 190};
    for (int c = 0; c < 6; ++c) DBGrid1->setColumnWidth(c, widths[c]);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    {
        // Rows alternate white and the menu colour; selected rows are pale green, text always black.
        QPalette p = DBGrid1->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::AlternateBase, p.color(QPalette::Button));
        DBGrid1->setPalette(p);
        DBGrid1->setStyleSheet(QStringLiteral("QTableView::item:selected { background: #C0DCC0; color: black; }"));
    }
    DBGrid1->installEventFilter(this);
    DBGrid1->setMinimumSize(680, 330);

    StatBar = new QProgressBar(this);
    StatBar->setObjectName(QStringLiteral("StatBar"));
    StatBar->setRange(0, 1);
    StatBar->setValue(0);
    StatBar->setTextVisible(false);

    auto* range = new QGridLayout;
    range->setHorizontalSpacing(10);
    range->addWidget(new QLabel(QStringLiteral("期間(始まり)"), this), 0, 0);
    range->addWidget(FromDatePicker, 0, 1);
    range->addWidget(new QLabel(QStringLiteral("期間(終わり)"), this), 1, 0);
    range->addWidget(ToDatePicker, 1, 1);
    range->addWidget(new QLabel(QStringLiteral("担当者"), this), 0, 2);
    range->addWidget(StuffBox, 0, 3);
    range->addWidget(DisplayBtn, 1, 3);
    range->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AllSelectBtn);
    buttons->addWidget(EraseBtn);
    buttons->addStretch();
    buttons->addWidget(ImportBtn);
    buttons->addWidget(ReturnButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(range);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(StatBar);
    layout->addLayout(buttons);

    setTabOrder(FromDatePicker, ToDatePicker);
    setTabOrder(ToDatePicker, StuffBox);
    setTabOrder(StuffBox, DisplayBtn);
    setTabOrder(DisplayBtn, DBGrid1);
    setTabOrder(DBGrid1, AllSelectBtn);
    setTabOrder(AllSelectBtn, EraseBtn);
    setTabOrder(EraseBtn, ImportBtn);
    setTabOrder(ImportBtn, ReturnButton);

    connect(DisplayBtn, &QPushButton::clicked, this, &TImportScheduleDialog::DisplayBtnClick);
    connect(AllSelectBtn, &QPushButton::clicked, this, &TImportScheduleDialog::AllSelectBtnClick);
    connect(EraseBtn, &QPushButton::clicked, this, &TImportScheduleDialog::EraseBtnClick);
    connect(ImportBtn, &QPushButton::clicked, this, &TImportScheduleDialog::ImportBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TImportScheduleDialog::EnableSelectionButtons);
    connect(DBGrid1Model, &QAbstractItemModel::modelReset, this, &TImportScheduleDialog::EnableSelectionButtons);
    EnableSelectionButtons();
}

void TImportScheduleDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The staff list of the run, then 全員; no choice yet.
    try {
        staff_ = lum::RunStaffList(lum::requireFacilityDatabase());
    } catch (const lum::db::DbError& e) {
        staff_.clear();
        lum::message(MsgKind::Error, QStringLiteral("*** System : 介護担当者の抽出 error \n") + e.text(), MsgButton::Ok,
                     this);
    }
    StuffBox->clear();
    for (const lum::StaffMember& s : staff_) StuffBox->addItem(s.name, s.code);
    StuffBox->addItem(kAllStaff);
    StuffBox->setCurrentIndex(-1);
    DBGrid1->clearSelection();
    AllSelectBtn->setEnabled(false);
    EnableSelectionButtons();
    StatBar->setValue(0);
    FromDatePicker->setFocus();
    lum::centreOnOwner(*this);
}

bool TImportScheduleDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list neither lists again nor copies.
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TImportScheduleDialog::EnableSelectionButtons() {
    const bool any = DBGrid1->selectionModel() && DBGrid1->selectionModel()->hasSelection();
    EraseBtn->setEnabled(any);
    ImportBtn->setEnabled(any);
}

void TImportScheduleDialog::DisplayBtnClick() {
    const QDate from = FromDatePicker->date();
    const QDate to = ToDatePicker->date();
    if (from > to) {
        lum::message(MsgKind::Information, QStringLiteral("範囲日の日付けに誤りがあります。"), MsgButton::Ok, this);
        FromDatePicker->setFocus();
        return;
    }
    FirstDay = TDateTime::fromDate(from);
    LastDay = TDateTime::fromDate(to);
    const int index = StuffBox->currentIndex();
    if (index < 0) {
        lum::message(MsgKind::Error, QStringLiteral("担当者の指定がありません。"), MsgButton::Ok, this);
        StuffBox->setFocus();
        return;
    }
    StuffCode = index < static_cast<int>(staff_.size()) ? std::optional<int>(staff_[static_cast<size_t>(index)].code)
                                                         : std::nullopt;
    std::vector<lum::BookingToCopy> rows;
    try {
        rows = lum::ListBookingsToCopy(lum::requireFacilityDatabase(), FirstDay, LastDay, StuffCode);
    } catch (const lum::db::DbError& e) {
        DBGrid1Model->setRows({});
        AllSelectBtn->setEnabled(false);
        lum::message(MsgKind::Error, QStringLiteral("System Error\n表示に失敗しました。\n") + e.text(), MsgButton::Ok,
                     this);
        return;
    }
    DBGrid1Model->setRows(std::move(rows));
    AllSelectBtn->setEnabled(DBGrid1Model->rowCount() > 0);
    StatBar->setValue(0);
}

void TImportScheduleDialog::AllSelectBtnClick() {
    DBGrid1->selectAll();
    EnableSelectionButtons();
}

void TImportScheduleDialog::EraseBtnClick() {
    DBGrid1->clearSelection();
    EnableSelectionButtons();
}

std::vector<lum::BookingToCopy> TImportScheduleDialog::SelectedBookings() const {
    QList<int> rows;
    for (const QModelIndex& index : DBGrid1->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    std::vector<lum::BookingToCopy> selected;
    for (const int r : rows) selected.push_back(DBGrid1Model->rows()[static_cast<size_t>(r)]);
    return selected;
}

void TImportScheduleDialog::ImportBtnClick() {
    const std::vector<lum::BookingToCopy> selected = SelectedBookings();
    if (selected.empty()) return;
    TCopyModeForm& mode = lum::copyModeForm();
    lum::runModal(mode);  // it cannot be cancelled
    const lum::CopyMode copyMode = mode.OverWrite->isChecked() ? lum::CopyMode::Overwrite : lum::CopyMode::Skip;
    StatBar->setRange(0, static_cast<int>(selected.size()));
    StatBar->setValue(0);
    const lum::CopyOutcome outcome =
        lum::CopyBookingsToResults(lum::requireFacilityDatabase(), selected, copyMode, staff_, lum::RunWriterStamp(),
                                   [this](int n) {
                                       StatBar->setValue(n);
                                       StatBar->repaint();  // drawn now; no input is taken during the copy
                                   });
    if (!outcome.done) {
        lum::message(MsgKind::Error, outcome.message, MsgButton::Ok, this);
        done(QDialog::Rejected);
        return;
    }
    done(QDialog::Accepted);
}
