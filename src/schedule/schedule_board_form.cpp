#include "schedule/schedule_board_form.h"

#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "app/staff_box.h"
#include "common/code_tables.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "schedule/board_chart.h"
#include "schedule/board_layout.h"
#include "schedule/booking_rules.h"
#include "schedule/client_drag.h"
#include "schedule/client_list_query.h"
#include "schedule/drag_person_grid.h"
#include "schedule/frame_caption.h"
#include "schedule/person_property_form.h"
#include "schedule/schedule_data.h"
#include "schedule/schedule_menu_form.h"
#include "schedule/stuff_change_form.h"
#include "schedule/stuff_time_form.h"
#include "schedule/time_table_form.h"
#include "platform/ui/wheel_rule.h"
#include "widgets/lazy_window.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace board = lum::board;

namespace {

const QString kDisplayFailed = QStringLiteral("System Error 予約の表示でエラーが発生しました。");
const QString kFrameMissing = QStringLiteral("*** System Error 時間枠が見つかりません。");
const QString kClientListFailed = QStringLiteral("System Error リハビリ形態テーブル オープンで失敗しました。");

using lum::board::setBackground;

QLabel* panelLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return label;
}

}  // namespace

TScheduleBoardForm::TScheduleBoardForm(const Names& names, QWidget* parent)
    : QWidget(parent, Qt::Window), headerPrefix_(QString::fromLatin1(names.headerPrefix)) {
    setObjectName(QString::fromLatin1(names.objectName));
    setWindowTitle(QString::fromUtf8(names.caption));
    setFont(lum::uiFont(10));
    BuildTopBar();
    BuildClientList();
    BuildChart(names);
    BuildMenus();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(StatusBar1);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusBar1->addWidget(statusPanels_[i], i == 0 ? 0 : 1);
    }
    statusPanels_[0]->setMinimumWidth(200);

    // The wheel steps the chart wherever the pointer is on the board; the client
    // list, a list, scrolls itself.
    lum::scrollByOwnRule(this, [this](const QWheelEvent& turn) { FormMouseWheel(turn.angleDelta().y()); });

    resize(1100, 720);
    lum::centreOnScreen(*this);
    LayOut();
    ShowChart(false);
}

// ---- building the window ---------------------------------------------------

void TScheduleBoardForm::BuildTopBar() {
    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    setBackground(TopPanel, board::SkyBlue);
    TopPanel->installEventFilter(this);
    topBar_ = new QHBoxLayout(TopPanel);
    topBar_->setContentsMargins(10, 4, 10, 4);
    topBar_->setSpacing(8);

    RVDate = new QDateEdit(TopPanel);
    RVDate->setObjectName(QStringLiteral("RVDate"));
    RVDate->setCalendarPopup(true);
    RVDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    RVDate->setMinimumWidth(130);
    DispButton = new QPushButton(QStringLiteral("表示"), TopPanel);
    DispButton->setObjectName(QStringLiteral("DispButton"));
    ClearButton = new QPushButton(QStringLiteral("クリア"), TopPanel);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    for (QPushButton* b : {DispButton, ClearButton}) {
        b->setAutoDefault(true);  // Enter presses the focused button
        b->setMinimumWidth(80);
    }
    topBar_->addWidget(panelLabel(QStringLiteral("日付"), TopPanel));
    topBar_->addWidget(RVDate);
    topBar_->addSpacing(12);
    topBar_->addWidget(DispButton);
    topBar_->addWidget(ClearButton);
    topBar_->addStretch();
    connect(DispButton, &QPushButton::clicked, this, &TScheduleBoardForm::DispButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TScheduleBoardForm::ClearButtonClick);
}

void TScheduleBoardForm::BuildClientList() {
    UserPanel = new QWidget(this);
    UserPanel->setObjectName(QStringLiteral("UserPanel"));
    setBackground(UserPanel, board::MoneyGreen);
    UserPanel->installEventFilter(this);
    auto makeBox = [this](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, UserPanel);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        connect(box, &QCheckBox::clicked, this, &TScheduleBoardForm::KubunBoxClick);
        return box;
    };
    TankiBox = makeBox("TankiBox", QStringLiteral("短期集中"));
    NinchiBox = makeBox("NinchiBox", QStringLiteral("認知症"));
    ShudanBox = makeBox("ShudanBox", QStringLiteral("集団"));
    KobetsuBox = makeBox("KobetsuBox", QStringLiteral("個別"));
    RihaTypeBox = new QComboBox(UserPanel);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    connect(RihaTypeBox, &QComboBox::activated, this, [this] { RihaTypeBoxChange(); });

    DragPersonQuery = new ClientListQuery(this);
    DragPersonDBGrid = new DragPersonGrid(UserPanel);
    DragPersonDBGrid->setModel(DragPersonQuery);
    DragPersonDBGrid->setColumnWidth(ClientListQuery::ColName, 100);
    DragPersonDBGrid->setColumnWidth(ClientListQuery::ColKubun, 52);
    DragPersonDBGrid->horizontalHeader()->setStretchLastSection(true);
    connect(DragPersonDBGrid, &DragPersonGrid::mouseUp, this, &TScheduleBoardForm::DragPersonDBGridMouseUp);
    connect(DragPersonDBGrid, &DragPersonGrid::dragEnded, this, &TScheduleBoardForm::LabelEndDrag);

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    boxes->addWidget(TankiBox, 0, 0);
    boxes->addWidget(NinchiBox, 0, 1);
    boxes->addWidget(ShudanBox, 1, 0);
    boxes->addWidget(KobetsuBox, 1, 1);
    auto* layout = new QVBoxLayout(UserPanel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(boxes);
    layout->addWidget(RihaTypeBox);
    layout->addWidget(DragPersonDBGrid, 1);
}

void TScheduleBoardForm::BuildChart(const Names& names) {
    chart_ = board::buildBoardChart(this, names.headerPanel, names.headerPrefix, this);
    ChartArea = chart_.Area;
    HeaderPanel = chart_.HeaderPanel;
    Headers = chart_.Headers;
    TimePanel = chart_.TimePanel;
    SchedulePanel = chart_.SchedulePanel;
    Columns = chart_.Columns;
    DayScrollBar = chart_.DayScrollBar;
    TimeScrollBar = chart_.TimeScrollBar;
    connect(DayScrollBar, &QScrollBar::valueChanged, this, &TScheduleBoardForm::DayScrollBarScroll);
    connect(TimeScrollBar, &QScrollBar::valueChanged, this, &TScheduleBoardForm::TimeScrollBarScroll);
}

void TScheduleBoardForm::BuildMenus() {
    LabelPopupMenu = new QMenu(this);
    LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
    auto labelItem = [this](const char* name, const QString& caption, void (TScheduleBoardForm::*handler)(QLabel*)) {
        QAction* action = LabelPopupMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (handler) connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(MenuLabel); });
        return action;
    };
    TimeCopyMenu = labelItem("TimeCopyMenu", QStringLiteral("時間枠コピー"), &TScheduleBoardForm::TimeCopyMenuClick);
    AllCopyMenu = labelItem("AllCopyMenu", QStringLiteral("全てコピー"), &TScheduleBoardForm::AllCopyMenuClick);
    LabelPopupMenu->addSeparator();
    AllEraseMenu = labelItem("AllEraseMenu", QStringLiteral("全て消去"), &TScheduleBoardForm::AllEraseMenuClick);
    LabelPopupMenu->addSeparator();
    BoxUpdateMenu = labelItem("BoxUpdateMenu", QStringLiteral("時間枠の変更"), &TScheduleBoardForm::BoxUpdateClick);
    ReserveUpdateMenu =
        labelItem("ReserveUpdateMenu", QStringLiteral("予約詳細"), &TScheduleBoardForm::ReserveUpdateMenuClick);
    LabelPopupMenu->addSeparator();
    TantouChangeMenu =
        labelItem("TantouChangeMenu", QStringLiteral("担当者変更"), &TScheduleBoardForm::TantouChangeMenuClick);

    PanelPopupMenu = new QMenu(this);
    PanelPopupMenu->setObjectName(QStringLiteral("PanelPopupMenu"));
    NewBoxMenu = PanelPopupMenu->addAction(QStringLiteral("新規作成"));
    NewBoxMenu->setObjectName(QStringLiteral("NewBoxMenu"));
    connect(NewBoxMenu, &QAction::triggered, this, [this] { NewBoxMenuClick(MenuColumn); });
    PasteTimeMenu = PanelPopupMenu->addAction(QStringLiteral("貼り付け"));
    PasteTimeMenu->setObjectName(QStringLiteral("PasteTimeMenu"));
    PasteTimeMenu->setEnabled(false);
    connect(PasteTimeMenu, &QAction::triggered, this, [this] { PasteTimeMenuClick(MenuColumn); });

    EditPopupMenu = new QMenu(this);
    EditPopupMenu->setObjectName(QStringLiteral("EditPopupMenu"));
}

void TScheduleBoardForm::LayOut() {
    const int top = 40;
    const int status = StatusBar1->sizeHint().height();
    const int userWidth = 210;
    const int w = width();
    const int h = height();
    TopPanel->setGeometry(0, 0, w, top);
    StatusBar1->setGeometry(0, h - status, w, status);
    UserPanel->setGeometry(w - userWidth, top, userWidth, h - top - status);
    ChartArea->setGeometry(0, top, w - userWidth, h - top - status);
    chart_.LayOut();
}

void TScheduleBoardForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// ---- small helpers ----------------------------------------------------------

lum::db::Database& TScheduleBoardForm::Db() const { return lum::scheduleData().database(); }

lum::BookingRules TScheduleBoardForm::Rules() const {
    return lum::BookingRules(Db(), lum::staffName);
}

void TScheduleBoardForm::ShowNotices(const lum::Notices& notices) { lum::showNotices(notices, this); }

QString TScheduleBoardForm::StatusText(int panel) const {
    return panel == 0 || panel == 1 ? statusPanels_[panel]->text() : QString();
}

void TScheduleBoardForm::SetStatusText(int panel, const QString& text) {
    if (panel == 0 || panel == 1) statusPanels_[panel]->setText(text);
}

int TScheduleBoardForm::ColumnOf(const QWidget* column) const { return chart_.ColumnOf(column); }

QLabel* TScheduleBoardForm::FrameLabelNamed(const QString& name) const {
    for (QWidget* column : Columns) {
        if (auto* label = column->findChild<FrameLabel*>(name, Qt::FindDirectChildrenOnly)) return label;
    }
    return nullptr;
}

int TScheduleBoardForm::LabelTotal() const {
    int n = 0;
    for (QWidget* column : Columns) {
        n += static_cast<int>(column->findChildren<FrameLabel*>(Qt::FindDirectChildrenOnly).size());
    }
    return n;
}

void TScheduleBoardForm::ShowChart(bool shown) {
    ChartArea->setVisible(shown);
    UserPanel->setVisible(shown);
}

void TScheduleBoardForm::DestroyLabels() {
    for (QWidget* column : Columns) {
        for (FrameLabel* label : column->findChildren<FrameLabel*>(Qt::FindDirectChildrenOnly)) delete label;
    }
}

void TScheduleBoardForm::ResetColumns() { chart_.ResetColumns(); }

// ---- frame labels -----------------------------------------------------------

FrameLabel* TScheduleBoardForm::CreateFrameLabel(const TIMETABLE_ITEM& frame, const QString& caption) {
    if (frame.PNo < 0 || frame.PNo >= board::Columns) return nullptr;
    auto* label = new FrameLabel(frame.LName, *this, Columns[static_cast<size_t>(frame.PNo)]);
    PlaceFrameLabel(label, frame, caption);
    label->show();
    return label;
}

void TScheduleBoardForm::PlaceFrameLabel(QLabel* label, const TIMETABLE_ITEM& frame, const QString& caption) {
    label->setGeometry(board::FrameGeometry(frame));
    setBackground(label, board::FrameColour(frame.Cap));
    label->setText(caption);
}

// ---- showing and closing ------------------------------------------------------

void TScheduleBoardForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ScheduleMenuForm) ScheduleMenuForm->hide();
    ShowChart(false);
    displayed_ = false;
    Axis = ScrollAxis::None;
    DayScrollBar->setValue(0);
    TimeScrollBar->setValue(0);
    Axis = ScrollAxis::None;
    ClearButton->setEnabled(false);
    DispButton->setEnabled(true);
    for (QLabel* header : Headers) header->clear();
    ResetColumns();
    RihaTypeBox->clear();
    for (const QString& name : lum::RihaTypeNames) RihaTypeBox->addItem(name);
    RihaTypeBox->setCurrentIndex(-1);
    RihaTypeBox->setEnabled(true);
    RVDate->setDate(lum::today());
    ResetInputs();
    SetInputsEnabled(true);
    Clip.Clear();
    SetStatusText(1, {});
}

void TScheduleBoardForm::closeEvent(QCloseEvent* event) {
    event->accept();
    DragPersonDBGrid->disarm();
    DragPersonQuery->Close();
    DestroyLabels();
    if (ScheduleMenuForm) ScheduleMenuForm->show();
}

// ---- display and clear ----------------------------------------------------------

void TScheduleBoardForm::DispButtonClick() {
    if (!CanDisplay()) return;
    if (!KeepsClipOnDisplay()) {
        Clip.Clear();
        SetStatusText(1, {});
    }
    FirstDay = lum::TDateTime::fromDate(RVDate->date());
    // Read first: an empty chart after a failed read would invite frames made twice.
    lum::FrameBookingSummaries booked;
    if (!LoadFrames(booked)) {
        lum::scheduleData().ClearFrames();
        lum::message(lum::MsgKind::Error, kDisplayFailed, lum::MsgButton::Ok, this);
        return;
    }
    FillHeaders();
    SetInputsEnabled(false);
    DestroyLabels();
    const TTimeTable& frames = lum::scheduleData().Frames;
    LabelCount = frames.Count();
    for (int i = 0; i < frames.Count(); ++i) {
        const TIMETABLE_ITEM frame = frames.GetItem(i);
        const auto found = booked.find(frame.ResNo);
        const QString caption = found == booked.end()
                                    ? lum::CaptionForBookings(frame, 0)
                                    : lum::CaptionForBookings(frame, found->second.Count, found->second.Name,
                                                              found->second.RihaType, found->second.KubunCode);
        CreateFrameLabel(frame, caption);
    }
    ShowChart(true);
    ClearButton->setEnabled(true);
    displayed_ = true;
}

void TScheduleBoardForm::ClearButtonClick() {
    ClearButton->setEnabled(false);
    ShowChart(false);
    SetInputsEnabled(true);
    ResetColumns();
    DestroyLabels();
    lum::scheduleData().ClearFrames();
    RihaTypeBox->setCurrentIndex(-1);
    DragPersonDBGrid->disarm();
    DragPersonQuery->Close();
    DispButton->setEnabled(true);
    displayed_ = false;
}

// ---- the client list -------------------------------------------------------------

void TScheduleBoardForm::RihaTypeBoxChange() {
    DragPersonDBGrid->disarm();
    DragPersonQuery->Close();
    const int type = RihaTypeBox->currentIndex();
    if (type < 0) return;
    int mask = 0;
    if (TankiBox->isChecked()) mask |= 1;
    if (NinchiBox->isChecked()) mask |= 2;
    if (ShudanBox->isChecked()) mask |= 4;
    if (KobetsuBox->isChecked()) mask |= 8;
    if (!DragPersonQuery->Open(Db(), type, mask)) {
        lum::message(lum::MsgKind::Error, kClientListFailed, lum::MsgButton::Ok, this);
    }
}

// A category changed: the list is closed until a type is chosen again.
void TScheduleBoardForm::KubunBoxClick() {
    RihaTypeBox->setCurrentIndex(-1);
    DragPersonDBGrid->disarm();
    DragPersonQuery->Close();
}

void TScheduleBoardForm::DragPersonDBGridMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = DragPersonDBGrid->currentIndex();
    if (!DragPersonQuery->Active() || !current.isValid() || DragPersonQuery->rowCount() == 0) return;
    DragClient = DragPersonQuery->Row(current.row());
    if (button == Qt::LeftButton && modifiers == Qt::ControlModifier) {
        DragPersonDBGrid->disarm();
        TPersonPropertyForm& form = lum::lazyWindow(PersonPropertyForm, this);
        form.CureNo = DragClient.CureNo;
        form.NyushoDate = DragClient.NYUSHOBI_YMD;
        form.TaishoDate = DragClient.TAISHOBI_YMD;
        form.RihaTypeText = RihaTypeBox->currentText();
        form.KubunCode = DragClient.KubunCode;
        form.UserName = DragClient.Name;
        lum::runModal(form);
    } else if (button == Qt::LeftButton) {
        DragPersonDBGrid->arm(DragClient.CureNo);
    } else if (button == Qt::RightButton) {
        LabelEndDrag();
    }
}

void TScheduleBoardForm::LabelEndDrag() {
    DragPersonDBGrid->disarm();
    DragPersonDBGrid->clearSelection();
    DragPersonDBGrid->setCurrentIndex({});
}

void TScheduleBoardForm::TopPanelMouseUp() { DragPersonDBGrid->disarm(); }

void TScheduleBoardForm::UserPanelMouseUp() { DragPersonDBGrid->disarm(); }

// ---- the drop of a client on a frame ------------------------------------------------

void TScheduleBoardForm::LabelDragDrop(QLabel* label, const QByteArray& payload) {
    DragPersonDBGrid->disarm();
    const std::optional<int> cureNo = lum::decodeClientDrag(payload);
    if (!label || !cureNo) {
        lum::message(lum::MsgKind::Error, lum::booking_text::DropFailed, lum::MsgButton::Ok, this);
        return;
    }
    const lum::DropOutcome out = Rules().LabelDragDrop(lum::scheduleData().Frames, label->objectName(), *cureNo);
    if (out.booked) label->setText(out.caption);
    ShowNotices(out.notices);
}

// ---- the menus ------------------------------------------------------------------------

void TScheduleBoardForm::DispLabelMouseUp(FrameLabel* label, Qt::MouseButton, QPoint globalPos) {
    MenuLabel = label;
    LabelPopupMenu->popup(globalPos);
}

void TScheduleBoardForm::SchdulePanelMouseUp(QWidget* column, QPoint globalPos) {
    MenuColumn = column;
    PasteTimeMenu->setEnabled(Clip.HasClip && Clip.ClipKind == 0);
    PanelPopupMenu->popup(globalPos);
}

void TScheduleBoardForm::HeaderMouseUp(QLabel* header, QPoint globalPos) {
    MenuHeader = header;
    EditPopupMenuPopup();
    if (!EditPopupMenu->actions().isEmpty()) EditPopupMenu->popup(globalPos);
}

void TScheduleBoardForm::NewBoxMenuClick(QWidget* columnPanel) {
    const int column = ColumnOf(columnPanel);
    if (column < 0) return;
    TStuffTimeForm& editor = lum::lazyWindow(StuffTimeForm, this);
    editor.NewFrame = true;
    if (lum::runModal(editor) != QDialog::Accepted) return;
    TTimeTable& frames = lum::scheduleData().Frames;
    if (lum::BookingRules::CheckFrameOverlap(frames, column, editor.Minutes, -1, editor.StartTime)) {
        lum::message(lum::MsgKind::Error, lum::booking_text::TimeOverlap, lum::MsgButton::Ok, this);
        return;
    }
    const int staff = StaffOfColumn(column);
    if (staff < 0) return;
    TIMETABLE_ITEM item;
    item.PNo = column;
    item.LName = QStringLiteral("L%1").arg(LabelCount);
    item.Stf = staff;
    item.RegistDay = DayOfColumn(column);
    item.StartTime = editor.StartTime;
    item.Fnn = editor.Minutes;
    item.Cap = editor.Capacity;
    const lum::NewFrameOutcome out = Rules().AppendNewFrame(frames, item);
    if (out.appended) {
        CreateFrameLabel(out.frame, out.caption);
        ++LabelCount;
    }
    ShowNotices(out.notices);
}

void TScheduleBoardForm::AllEraseMenuClick(QLabel* label) {
    Clip.Clear();
    SetStatusText(1, {});
    const int i = label ? lum::scheduleData().IndexOfFrame(label->objectName()) : -1;
    if (i < 0 || ColumnOf(label->parentWidget()) < 0) {
        // Nothing to delete by: never the list's item -1.
        lum::message(lum::MsgKind::Error, kFrameMissing, lum::MsgButton::Ok, this);
        return;
    }
    lum::scheduleData().DeleteFrame(i);
    delete label;
}

std::optional<TIMETABLE_ITEM> TScheduleBoardForm::ListedFrame(const QLabel* label) {
    const TTimeTable& frames = lum::scheduleData().Frames;
    const int i = label ? frames.IndexOf(label->objectName()) : -1;
    if (i < 0) {
        lum::message(lum::MsgKind::Error, lum::booking_text::FrameNotFound, lum::MsgButton::Ok, this);
        return std::nullopt;
    }
    return frames.GetItem(i);
}

void TScheduleBoardForm::BoxUpdateClick(QLabel* label) {
    const std::optional<TIMETABLE_ITEM> listed = ListedFrame(label);
    if (!listed) return;
    const TIMETABLE_ITEM& frame = *listed;
    TStuffTimeForm& editor = lum::lazyWindow(StuffTimeForm, this);
    editor.NewFrame = false;
    editor.StartTime = frame.StartTime;
    editor.Minutes = frame.Fnn;
    editor.Capacity = frame.Cap;
    if (lum::runModal(editor) != QDialog::Accepted) return;
    const lum::EditOutcome out =
        Rules().BoxUpdateClick(lum::scheduleData().Frames, label->objectName(), {editor.StartTime, editor.Minutes, editor.Capacity});
    if (out.changed) PlaceFrameLabel(label, out.frame, out.caption);
    ShowNotices(out.notices);
}

void TScheduleBoardForm::ReserveUpdateMenuClick(QLabel* label) {
    const std::optional<TIMETABLE_ITEM> listed = ListedFrame(label);
    if (!listed) return;
    const TIMETABLE_ITEM& frame = *listed;
    if (frame.Cap == 0) return;
    TTimeTableForm& bookings = lum::lazyWindow(TimeTableForm, this);
    bookings.WorkingNo = frame.ResNo;
    bookings.CancelAllowed = true;
    lum::runModal(bookings);
    // The caption by what is left: the client of an individual frame read
    // again (a cancelled one may leave another behind), else the count.
    try {
        const std::vector<lum::FrameBooking> left = lum::BookingStore(Db()).frameBookings(frame.ResNo);
        label->setText(left.empty() ? lum::CaptionForBookings(frame, 0)
                                    : lum::CaptionForBookings(frame, static_cast<int>(left.size()), left.front().Name,
                                                              left.front().RihaType, left.front().KubunCode));
    } catch (const lum::db::DbError&) {
        if (frame.Cap > 1 || bookings.BookedCount == 0) {
            label->setText(lum::CaptionForBookings(frame, bookings.BookedCount));
        }
    }
}

void TScheduleBoardForm::TantouChangeMenuClick(QLabel* label) {
    const std::optional<TIMETABLE_ITEM> listed = ListedFrame(label);
    if (!listed) return;
    const TIMETABLE_ITEM& frame = *listed;
    TStuffChangeForm& change = lum::lazyWindow(StuffChangeForm, this);
    change.WorkDay = frame.RegistDay;
    change.StuffCode = frame.Stf;
    change.StartTime = frame.StartTime;
    change.Minutes = frame.Fnn;
    if (lum::runModal(change) != QDialog::Accepted) return;
    const lum::StaffChangeOutcome out = Rules().TantouChangeMenuClick(
        lum::scheduleData().Frames, label->objectName(), {change.WorkDay, change.StuffCode, change.StartTime, change.Minutes});
    ShowNotices(out.notices);
    if (out.changed) {
        // The frame may now belong to another column, day or staff member.
        ClearButtonClick();
        DispButtonClick();
    }
}

// ---- the frame clipboard ----------------------------------------------------------------

void TScheduleBoardForm::TimeCopyMenuClick(QLabel* label) {
    const std::optional<TIMETABLE_ITEM> listed = ListedFrame(label);
    if (!listed) return;
    Clip.HasClip = true;
    Clip.ClipKind = 0;
    Clip.WithBookings = false;
    Clip.ClipSource = label->objectName();
    Clip.ClipFrame = *listed;
    SetStatusText(1, FrameClipboard::FrameCopyText(*listed, false));
}

void TScheduleBoardForm::AllCopyMenuClick(QLabel* label) {
    const std::optional<TIMETABLE_ITEM> listed = ListedFrame(label);
    if (!listed) return;
    Clip.HasClip = true;
    Clip.ClipKind = 0;
    Clip.WithBookings = true;
    Clip.ClipSource = label->objectName();
    Clip.ClipFrame = *listed;
    SetStatusText(1, FrameClipboard::FrameCopyText(*listed, true));
}

void TScheduleBoardForm::CopyColumn(const QLabel* header, bool withBookings, const QString& statusText) {
    if (!header || !HeaderColumn(header->objectName(), HeaderPrefix())) return;
    Clip.HasClip = true;
    Clip.ClipKind = 1;
    Clip.WithBookings = withBookings;
    Clip.ClipSource = header->objectName();
    Clip.ClipFrame = {};
    SetStatusText(1, header->text() + statusText);
}

void TScheduleBoardForm::PasteTimeMenuClick(QWidget* columnPanel) {
    const int column = ColumnOf(columnPanel);
    if (column < 0 || !Clip.HasClip || Clip.ClipKind != 0) return;
    const TIMETABLE_ITEM& source = Clip.ClipFrame;
    if (lum::BookingRules::CheckFrameOverlap(lum::scheduleData().Frames, column, source.Fnn, -1, source.StartTime)) {
        lum::message(lum::MsgKind::Error, lum::booking_text::TimeOverlap, lum::MsgButton::Ok, this);
        return;
    }
    const int staff = StaffOfColumn(column);
    if (staff < 0) return;
    lum::PasteRequest request;
    request.kind = lum::PasteKind::Frame;
    request.sources = {source};
    request.column = column;
    request.staffCode = staff;
    request.day = DayOfColumn(column);
    request.withBookings = Clip.WithBookings;
    request.firstLabel = LabelCount;
    ApplyPaste(Rules().PasteFrames(lum::scheduleData().Frames, request));
}

void TScheduleBoardForm::PasteColumn(lum::PasteKind kind, int source, int target, int staffCode, lum::TDateTime day) {
    lum::PasteRequest request;
    request.kind = kind;
    const TTimeTable& frames = lum::scheduleData().Frames;
    for (int i = 0; i < frames.Count(); ++i) {
        if (frames.GetItem(i).PNo == source) request.sources.push_back(frames.GetItem(i));
    }
    request.column = target;
    request.staffCode = staffCode;
    request.day = day;
    request.withBookings = Clip.WithBookings;
    request.firstLabel = LabelCount;
    ApplyPaste(Rules().PasteFrames(lum::scheduleData().Frames, request));
}

void TScheduleBoardForm::ApplyPaste(const lum::PasteOutcome& outcome) {
    if (outcome.committed) {
        for (const lum::PastedFrame& made : outcome.pasted) {
            CreateFrameLabel(made.frame, made.caption);
            ++LabelCount;
        }
    }
    ShowNotices(outcome.notices);
}

// ---- scrolling ------------------------------------------------------------------------

void TScheduleBoardForm::DayScrollBarScroll(int position) {
    chart_.ScrollDays(position);
    Axis = ScrollAxis::Days;
}

void TScheduleBoardForm::TimeScrollBarScroll(int position) {
    chart_.ScrollTimes(position);
    Axis = ScrollAxis::Times;
}

void TScheduleBoardForm::FormMouseWheel(int delta) {
    if (delta == 0) return;
    const int step = delta < 0 ? 1 : -1;
    QScrollBar* bar = Axis == ScrollAxis::Days ? DayScrollBar : Axis == ScrollAxis::Times ? TimeScrollBar : nullptr;
    if (bar) bar->setValue(bar->value() + step);  // the bar keeps to its range
}

// ---- events ---------------------------------------------------------------------------

bool TScheduleBoardForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonRelease) return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint globalPos = mouse->globalPosition().toPoint();
    if (watched == TopPanel) {
        TopPanelMouseUp();
    } else if (watched == UserPanel) {
        UserPanelMouseUp();
    } else if (auto* widget = qobject_cast<QWidget*>(watched); widget && ColumnOf(widget) >= 0 &&
                                                               widget->parentWidget() == SchedulePanel) {
        SchdulePanelMouseUp(widget, globalPos);
        return true;
    } else if (auto* header = qobject_cast<QLabel*>(watched); header && header->parentWidget() == HeaderPanel) {
        HeaderMouseUp(header, globalPos);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
