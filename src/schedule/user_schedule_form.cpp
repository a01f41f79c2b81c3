#include "schedule/user_schedule_form.h"

#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "app/staff_box.h"
#include "app/staff_list.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "schedule/board_layout.h"
#include "schedule/booking_rules.h"
#include "schedule/booking_store.h"
#include "schedule/drag_person_grid.h"
#include "schedule/staff_drag.h"
#include "schedule/staff_pick_forms.h"
#include "schedule/time_span.h"
#include "schedule/time_table_form.h"
#include "schedule/user_book_form.h"
#include "platform/ui/wheel_rule.h"
#include "widgets/lazy_window.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

TUserScheduleForm* UserScheduleForm = nullptr;

namespace board = lum::board;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace {

const QString kStaffListFailed = QStringLiteral("System Error 担当者DBエラー");
const QString kBookingsFailed = QStringLiteral("System Error 予約ＤＢエラー");
const QString kUndecided = QStringLiteral("担当者未定");
constexpr int kTopHeight = 64;
constexpr int kStaffWidth = 210;

int dayNumber(TDateTime t) { return t.dayNumber(); }

}  // namespace

TUserScheduleForm::TUserScheduleForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("UserScheduleForm"));
    setWindowTitle(QStringLiteral("利用者治療予定表"));
    setFont(lum::uiFont(10));
    BuildTop();
    BuildStaffList();

    chartHost_ = new QWidget(this);
    chart_ = board::buildBoardChart(chartHost_, "DayPanel", "Day", nullptr);
    chart_.Area->setParent(chartHost_);
    DayPanel = chart_.HeaderPanel;
    Days = chart_.Headers;
    TimePanel = chart_.TimePanel;
    SchedulePanel = chart_.SchedulePanel;
    Columns = chart_.Columns;
    DayScrollBar = chart_.DayScrollBar;
    TimeScrollBar = chart_.TimeScrollBar;
    connect(DayScrollBar, &QScrollBar::valueChanged, this, &TUserScheduleForm::DayScrollBarScroll);
    connect(TimeScrollBar, &QScrollBar::valueChanged, this, &TUserScheduleForm::TimeScrollBarScroll);
    BuildMenu();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(StatusBar1);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    StatusBar1->addWidget(statusPanel_, 1);

    // The wheel steps the chart wherever the pointer is on the board; the staff
    // list, a list, scrolls itself.
    lum::scrollByOwnRule(this, [this](const QWheelEvent& turn) { FormMouseWheel(turn.angleDelta().y()); });

    resize(1180, 760);
    LayOut();
    SchedulePanel->hide();
    StuffPanel->hide();
}

void TUserScheduleForm::BuildTop() {
    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    board::setBackground(TopPanel, board::SkyBlue);
    TopPanel->installEventFilter(this);
    auto* grid = new QGridLayout(TopPanel);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    auto value = [this](const char* name, int width) {
        auto* l = new QLabel(TopPanel);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, Qt::white);
        l->setPalette(p);
        l->setAutoFillBackground(true);
        return l;
    };
    UserNoLabel = value("UserNoLabel", 60);
    NameLabel = value("NameLabel", 140);
    KanaLabel = value("KanaLabel", 140);
    SexLabel = value("SexLabel", 40);
    BirthLabel = value("BirthLabel", 130);
    OldLabel = value("OldLabel", 60);
    CureStartLabel = value("CureStartLabel", 130);
    CureEndLabel = value("CureEndLabel", 130);
    RihaTypeLabel = value("RihaTypeLabel", 100);
    RihaKubunLabel = value("RihaKubunLabel", 200);
    RVDate = value("RVDate", 130);
    int column = 0;
    auto put = [this, grid, &column](int row, const QString& caption, QLabel* label) {
        if (row == 0 && column == 0) column = 0;
        grid->addWidget(new QLabel(caption, TopPanel), row, column, Qt::AlignRight);
        grid->addWidget(label, row, column + 1);
        column += 2;
    };
    put(0, QStringLiteral("予定月"), RVDate);
    put(0, QStringLiteral("番号"), UserNoLabel);
    put(0, QStringLiteral("氏名"), NameLabel);
    put(0, QStringLiteral("カナ"), KanaLabel);
    put(0, QStringLiteral("性別"), SexLabel);
    column = 0;
    put(1, QStringLiteral("生年月日"), BirthLabel);
    put(1, QStringLiteral("年齢"), OldLabel);
    put(1, QStringLiteral("入所日"), CureStartLabel);
    put(1, QStringLiteral("退所日"), CureEndLabel);
    put(1, QStringLiteral("形態"), RihaTypeLabel);
    put(1, QStringLiteral("区分"), RihaKubunLabel);
    grid->setColumnStretch(12, 1);
}

void TUserScheduleForm::BuildStaffList() {
    StuffPanel = new QWidget(this);
    StuffPanel->setObjectName(QStringLiteral("StuffPanel"));
    board::setBackground(StuffPanel, board::MoneyGreen);
    StuffPanel->installEventFilter(this);
    auto* box = new QVBoxLayout(StuffPanel);
    box->setContentsMargins(4, 4, 4, 4);
    auto* title = new QLabel(QStringLiteral("介護治療担当者"), StuffPanel);
    title->setAlignment(Qt::AlignCenter);
    box->addWidget(title);
    DragStuffQuery = new QStandardItemModel(0, 3, this);
    DragStuffQuery->setObjectName(QStringLiteral("DragStuffQuery"));
    DragStuffQuery->setHorizontalHeaderLabels({QStringLiteral("CD"), QStringLiteral("担当者"), QStringLiteral("記号")});
    DragStuffDBGrid = new DragPersonGrid(StuffPanel, QStringLiteral("DragStuffDBGrid"), lum::StaffDragMimeType);
    DragStuffDBGrid->setModel(DragStuffQuery);
    DragStuffDBGrid->setColumnWidth(0, 44);
    DragStuffDBGrid->setColumnWidth(1, 100);
    DragStuffDBGrid->setColumnWidth(2, 36);
    box->addWidget(DragStuffDBGrid, 1);
    connect(DragStuffDBGrid, &DragPersonGrid::mouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers) { DragStuffDBGridMouseUp(button); });
    connect(DragStuffDBGrid, &DragPersonGrid::dragEnded, this, &TUserScheduleForm::LabelEndDrag);
}

void TUserScheduleForm::BuildMenu() {
    LabelPopupMenu = new QMenu(this);
    LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
    EraseMenu = LabelPopupMenu->addAction(QStringLiteral("消去"));
    EraseMenu->setObjectName(QStringLiteral("EraseMenu"));
    connect(EraseMenu, &QAction::triggered, this, [this] { EraseMenuClick(SelectedLabel); });
    ReserveInfoMenu = LabelPopupMenu->addAction(QStringLiteral("予約詳細"));
    ReserveInfoMenu->setObjectName(QStringLiteral("ReserveInfoMenu"));
    connect(ReserveInfoMenu, &QAction::triggered, this, [this] { ReserveInfoMenuClick(SelectedLabel); });
    StuffChangeMenu = LabelPopupMenu->addAction(QStringLiteral("担当者変更"));
    StuffChangeMenu->setObjectName(QStringLiteral("StuffChangeMenu"));
    connect(StuffChangeMenu, &QAction::triggered, this,
            [this] { StuffChangeMenuClick(SelectedLabel, QCursor::pos() - QPoint(30, 70)); });
}

void TUserScheduleForm::LayOut() {
    const int status = StatusBar1->sizeHint().height();
    const int w = width();
    const int h = height();
    TopPanel->setGeometry(0, 0, w, kTopHeight);
    StatusBar1->setGeometry(0, h - status, w, status);
    StuffPanel->setGeometry(w - kStaffWidth, kTopHeight, kStaffWidth, h - kTopHeight - status);
    chartHost_->setGeometry(0, kTopHeight, w - kStaffWidth, h - kTopHeight - status);
    chart_.Area->setGeometry(0, 0, chartHost_->width(), chartHost_->height());
    chart_.LayOut();
}

void TUserScheduleForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

lum::BookingRules TUserScheduleForm::Rules() const {
    return lum::BookingRules(lum::requireFacilityDatabase(),
                             lum::staffName);
}

QString TUserScheduleForm::StaffName(int code) const {
    for (int r = 0; r < DragStuffQuery->rowCount(); ++r) {
        if (DragStuffQuery->item(r, 0)->data(Qt::DisplayRole).toInt() == code) return DragStuffQuery->item(r, 1)->text();
    }
    return lum::staffName(code);
}

QString TUserScheduleForm::BuildRequestCaption(const TREQUEST_ITEM& item, const QString& staffName) {
    const int m = lum::minutesOfDay(item.StartTime);
    return QStringLiteral("%1.%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0')) +
           QStringLiteral(" -> ") + QString::number(item.Fnn) + QStringLiteral("分\n") + staffName;
}

QLabel* TUserScheduleForm::RequestLabelNamed(const QString& name) const {
    for (QWidget* column : Columns) {
        if (auto* label = column->findChild<FrameLabel*>(name, Qt::FindDirectChildrenOnly)) return label;
    }
    return nullptr;
}

int TUserScheduleForm::LabelTotal() const {
    int n = 0;
    for (QWidget* column : Columns) n += static_cast<int>(column->findChildren<FrameLabel*>(Qt::FindDirectChildrenOnly).size());
    return n;
}

QString TUserScheduleForm::StatusText() const { return statusPanel_->text(); }

FrameLabel* TUserScheduleForm::CreateRequestLabel(const TREQUEST_ITEM& item, const QString& caption) {
    if (item.PNo < 0 || item.PNo >= board::Columns) return nullptr;
    auto* label = new FrameLabel(item.LName, *this, Columns[static_cast<size_t>(item.PNo)], lum::StaffDragMimeType);
    PlaceRequestLabel(label, item, caption);
    label->show();
    return label;
}

void TUserScheduleForm::PlaceRequestLabel(QLabel* label, const TREQUEST_ITEM& item, const QString& caption) {
    TIMETABLE_ITEM frame;
    frame.StartTime = item.StartTime;
    frame.Fnn = item.Fnn;
    label->setGeometry(board::FrameGeometry(frame));
    board::setBackground(label, item.Flag ? board::FrameColour(item.Cap) : board::FrameColour(2));
    label->setText(caption);
}

void TUserScheduleForm::DestroyLabels() {
    for (QWidget* column : Columns) {
        for (FrameLabel* label : column->findChildren<FrameLabel*>(Qt::FindDirectChildrenOnly)) delete label;
    }
}

// ---- show and close -----------------------------------------------------------

void TUserScheduleForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (QWidget* opener = Opener ? Opener.data() : UserBookForm) opener->hide();
    Rebuild();
}

void TUserScheduleForm::Rebuild() {
    built_ = false;
    SchedulePanel->hide();
    StuffPanel->hide();
    WheelMode = 0;
    DestroyLabels();
    chart_.ResetColumns();
    RequestTable.Clear();
    SelectedLabel = nullptr;
    const QDate first = UseMonth.date();
    for (int i = 0; i < board::Columns; ++i) {
        const QDate day = first.addDays(i);
        QLabel* header = Days[static_cast<size_t>(i)];
        header->setText(day.toString(QStringLiteral("yyyy/MM/dd")) + u' ' + lum::WeekdayNames[day.dayOfWeek() - 1]);
        const QColor* weekend = day.dayOfWeek() == 6 ? &board::Saturday : day.dayOfWeek() == 7 ? &board::Sunday : nullptr;
        if (weekend) {
            board::setBackground(header, *weekend);
            board::setBackground(Columns[static_cast<size_t>(i)], *weekend);
        }
    }
    UserNoLabel->setText(QString::number(CureNo));
    NameLabel->setText(UserName);
    KanaLabel->setText(UserKana);
    SexLabel->setText(SexText);
    OldLabel->setText(AgeText);
    BirthLabel->setText(BirthText);
    RihaTypeLabel->setText(TypeText);
    RihaKubunLabel->setText(KubunText);
    CureStartLabel->setText(lum::DateToEraText(NyushoDate));
    CureEndLabel->setText(TaishoDate.isEmpty() ? QString() : lum::DateToEraText(TaishoDate));

    lum::db::Database& db = lum::requireFacilityDatabase();
    DragStuffDBGrid->disarm();
    DragStuffQuery->removeRows(0, DragStuffQuery->rowCount());
    try {
        for (const lum::StaffMember& s : lum::ReadStaffList(db)) {
            auto* code = new QStandardItem;
            code->setData(s.code, Qt::DisplayRole);
            DragStuffQuery->appendRow({code, new QStandardItem(s.name), new QStandardItem(s.symbol)});
        }
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, kStaffListFailed, MsgButton::Ok, this);
        return;
    }
    RVDate->setText(lum::DateToEraText(UseMonth));
    std::vector<lum::ClientMonthBooking> booked;
    try {
        booked = lum::BookingStore(db).clientMonthBookings(CureNo, UseMonth);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, kBookingsFailed, MsgButton::Ok, this);
        return;
    }
    for (const lum::ClientMonthBooking& b : booked) {
        TREQUEST_ITEM item;
        item.Flag = true;
        item.PNo = b.ReserveDay.dayNumber() - UseMonth.dayNumber();
        item.LName = QStringLiteral("L%1").arg(LabelCount++);
        item.ResNo = b.WorkingNo;
        item.RegistDay = b.ReserveDay;
        item.Stf = b.StuffCode;
        item.StartTime = b.StartTime;
        item.Fnn = b.WorkingMin;
        item.Cap = b.Capacity;
        RequestTable.Add(item);
        CreateRequestLabel(item, BuildRequestCaption(item, b.StuffName));
    }
    for (int d = 0; d < board::Columns; ++d) {
        const lum::TMonthBookDay& request = MonthBook[static_cast<size_t>(d)];
        if (!request.Requested) continue;
        const TDateTime day = UseMonth.addDays(d);
        // Nothing is asked for where the client is booked already.
        if (RequestTable.OverlapsOnDay(day, request.StartTime, request.Minutes)) continue;
        if (dayNumber(day) < dayNumber(NyushoDate)) continue;
        if (!TaishoDate.isEmpty() && dayNumber(day) > dayNumber(TaishoDate)) continue;
        TREQUEST_ITEM item;
        item.Flag = false;
        item.PNo = d;
        item.LName = QStringLiteral("L%1").arg(LabelCount++);
        item.ResNo = -1;
        item.RegistDay = day;
        item.Stf = -1;
        item.StartTime = request.StartTime;
        item.Fnn = request.Minutes;
        item.Cap = 1;
        RequestTable.Add(item);
        CreateRequestLabel(item, BuildRequestCaption(item, kUndecided));
    }
    statusPanel_->clear();
    SchedulePanel->show();
    StuffPanel->show();
    built_ = true;
}

void TUserScheduleForm::closeEvent(QCloseEvent* event) {
    event->accept();
    DragStuffDBGrid->disarm();
    DragStuffQuery->removeRows(0, DragStuffQuery->rowCount());
    DestroyLabels();
    RequestTable.Clear();
    built_ = false;
    if (QWidget* opener = Opener ? Opener.data() : UserBookForm) opener->show();
}

// ---- picking and dragging a staff member ---------------------------------------------

void TUserScheduleForm::DragStuffDBGridMouseUp(Qt::MouseButton button) {
    const QModelIndex current = DragStuffDBGrid->currentIndex();
    if (DragStuffQuery->rowCount() == 0 || !current.isValid()) return;
    DragStuffCD = DragStuffQuery->item(current.row(), 0)->data(Qt::DisplayRole).toInt();
    DragStuffName = DragStuffQuery->item(current.row(), 1)->text();
    DragStuffKigo = DragStuffQuery->item(current.row(), 2)->text();
    if (button == Qt::LeftButton) {
        DragStuffDBGrid->arm(DragStuffCD);
    } else if (button == Qt::RightButton) {
        LabelEndDrag();
    }
}

void TUserScheduleForm::TopPanelMouseUp() { DragStuffDBGrid->disarm(); }

void TUserScheduleForm::StuffPanelMouseUp() { DragStuffDBGrid->disarm(); }

void TUserScheduleForm::LabelEndDrag() {
    DragStuffDBGrid->disarm();
    DragStuffDBGrid->clearSelection();
    DragStuffDBGrid->setCurrentIndex({});
}

void TUserScheduleForm::LabelDragDrop(QLabel* label, const QByteArray& payload) {
    DragStuffDBGrid->disarm();
    const std::optional<int> staff = lum::decodeStaffDrag(payload);
    if (!label || !staff) {
        lum::message(MsgKind::Error, lum::booking_text::DropFailed, MsgButton::Ok, this);
        return;
    }
    const lum::RequestOutcome out = Rules().RequestDragDrop(RequestTable, label->objectName(), CureNo, *staff);
    if (out.done) {
        PlaceRequestLabel(label, out.item, BuildRequestCaption(out.item, StaffName(*staff)));
        board::setBackground(label, board::FrameColour(1));
    }
    lum::showNotices(out.notices, this);
}

// ---- the item menu -------------------------------------------------------------------

void TUserScheduleForm::DispLabelMouseUp(FrameLabel* label, Qt::MouseButton, QPoint globalPos) {
    SelectedLabel = label;
    LabelPopupMenu->popup(globalPos);
}

void TUserScheduleForm::EraseMenuClick(QLabel* label) {
    if (!label) {
        lum::message(MsgKind::Error, lum::request_text::NotFound, MsgButton::Ok, this);
        return;
    }
    const lum::RequestOutcome out = Rules().EraseRequest(RequestTable, label->objectName(), CureNo);
    if (out.done) delete label;
    lum::showNotices(out.notices, this);
}

void TUserScheduleForm::ReserveInfoMenuClick(QLabel* label) {
    const int i = label ? RequestTable.IndexOf(label->objectName()) : -1;
    if (i < 0) {
        lum::message(MsgKind::Error, lum::request_text::ItemNotFound, MsgButton::Ok, this);
        return;
    }
    const TREQUEST_ITEM item = RequestTable.GetItem(i);
    if (item.Cap == 0 || item.ResNo < 0) return;
    TTimeTableForm& bookings = lum::lazyWindow(TimeTableForm, this);
    bookings.WorkingNo = item.ResNo;
    bookings.CancelAllowed = false;
    lum::runModal(bookings);
}

void TUserScheduleForm::StuffChangeMenuClick(QLabel* label, QPoint pickerAt) {
    const int i = label ? RequestTable.IndexOf(label->objectName()) : -1;
    if (i < 0) {
        lum::message(MsgKind::Error, lum::request_text::ItemNotFound, MsgButton::Ok, this);
        return;
    }
    const TREQUEST_ITEM item = RequestTable.GetItem(i);
    if (!item.Flag) return;
    TStuffSelectForm& picker = lum::lazyWindow(StuffSelectForm, this);
    picker.StuffCode = item.Stf;
    picker.move(pickerAt);
    if (lum::runModal(picker) != QDialog::Accepted) return;
    const lum::RequestOutcome out = Rules().ChangeRequestStaff(RequestTable, label->objectName(), picker.StuffCode);
    if (out.done) {
        PlaceRequestLabel(label, out.item, BuildRequestCaption(out.item, picker.StuffName));
        board::setBackground(label, board::FrameColour(1));
    }
    lum::showNotices(out.notices, this);
}

// ---- scrolling ------------------------------------------------------------------------

void TUserScheduleForm::DayScrollBarScroll(int position) {
    chart_.ScrollDays(position);
    WheelMode = 1;
}

void TUserScheduleForm::TimeScrollBarScroll(int position) {
    chart_.ScrollTimes(position);
    WheelMode = 2;
}

void TUserScheduleForm::FormMouseWheel(int delta) {
    if (delta == 0) return;
    const int step = delta < 0 ? 1 : -1;
    QScrollBar* bar = WheelMode == 1 ? DayScrollBar : WheelMode == 2 ? TimeScrollBar : nullptr;
    if (bar) bar->setValue(bar->value() + step);  // the bar keeps to its range
}

bool TUserScheduleForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == TopPanel) TopPanelMouseUp();
        if (watched == StuffPanel) StuffPanelMouseUp();
    }
    return QWidget::eventFilter(watched, event);
}
