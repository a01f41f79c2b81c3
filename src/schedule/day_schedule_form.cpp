#include "schedule/day_schedule_form.h"

#include "app/main_module.h"
#include "platform/ui/dialogs.h"
#include "schedule/board_layout.h"
#include "schedule/booking_rules.h"
#include "schedule/booking_store.h"
#include "schedule/schedule_data.h"
#include "schedule/shift_up_down.h"
#include "schedule/staff_pick_forms.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

TDayScheduleForm* DayScheduleForm = nullptr;

namespace {

const TScheduleBoardForm::Names kNames{"DayScheduleForm", "当日担当者作業表", "StuffPanel", "Stuff"};

const std::vector<int>& staffCodes() {
    static const std::vector<int> none;
    return MainModule ? MainModule->StuffCD : none;
}

int staffCount() { return static_cast<int>(staffCodes().size()); }

QString staffNameAt(int index) {
    if (!MainModule || index < 0 || index >= MainModule->StuffNames.size()) return {};
    return MainModule->StuffNames.at(index);
}

}  // namespace

TDayScheduleForm::TDayScheduleForm(QWidget* parent) : TScheduleBoardForm(kNames, parent) {
    auto* caption = new QLabel(QStringLiteral("担当者"), TopPanel);
    StuffNameShift = new ShiftUpDown(TopPanel);
    StuffNameShift->setObjectName(QStringLiteral("StuffNameShift"));
    StuffNameShift->setRange(0, 1000);
    StuffNameShift->setIncrement(10);
    StartStuffNo = new QLabel(QStringLiteral("1人～"), TopPanel);
    StartStuffNo->setObjectName(QStringLiteral("StartStuffNo"));
    StartStuffNo->setMinimumWidth(70);
    TopBarLayout()->insertWidget(0, caption);
    TopBarLayout()->insertWidget(1, StuffNameShift);
    TopBarLayout()->insertWidget(2, StartStuffNo);
    TopBarLayout()->insertSpacing(3, 12);
    connect(StuffNameShift, &ShiftUpDown::clicked, this, &TDayScheduleForm::StuffNameShiftClick);

    // No copy with bookings on this board.
    delete AllCopyMenu;
    AllCopyMenu = nullptr;

    CopyStuffBoxFromPanelMenu = EditPopupMenu->addAction(QStringLiteral("全ての枠コピー"));
    CopyStuffBoxFromPanelMenu->setObjectName(QStringLiteral("CopyStuffBoxFromPanelMenu"));
    PasteBoxesToPanelMenu = EditPopupMenu->addAction(QStringLiteral("貼り付け"));
    PasteBoxesToPanelMenu->setObjectName(QStringLiteral("PasteBoxesToPanelMenu"));
    PasteBoxesToPanelMenu->setEnabled(false);
    EditPopupMenu->addSeparator();
    ChangeStuffOfPanelMenu = EditPopupMenu->addAction(QStringLiteral("担当者一括変更"));
    ChangeStuffOfPanelMenu->setObjectName(QStringLiteral("ChangeStuffOfPanelMenu"));
    connect(CopyStuffBoxFromPanelMenu, &QAction::triggered, this,
            [this] { CopyStuffBoxFromPanelMenuClick(MenuHeader); });
    connect(PasteBoxesToPanelMenu, &QAction::triggered, this, [this] { PasteBoxesToPanelMenuClick(MenuHeader); });
    connect(ChangeStuffOfPanelMenu, &QAction::triggered, this, [this] { ChangeStuffOfPanelMenuClick(MenuHeader); });
}

int TDayScheduleForm::BoardWidth(int count) {
    return lum::board::ColumnWidth * std::clamp(count, 0, lum::board::Columns);
}

// ---- showing, the offset and the width ------------------------------------------

void TDayScheduleForm::ResetInputs() {
    const int count = staffCount();
    StuffNameShift->setPosition(0);
    // Never past the last staff member: the largest multiple of 10 below the count.
    StuffNameShift->setRange(0, count > 0 ? (count - 1) / 10 * 10 : 0);
    StuffNameShift->setEnabled(count > lum::board::Columns);
    StartStuffNo->setText(QStringLiteral("1人～"));
    for (int c = 0; c < lum::board::Columns; ++c) Headers[static_cast<size_t>(c)]->setText(staffNameAt(c));
    FormResize();
    RVDate->setFocus();
}

void TDayScheduleForm::StuffNameShiftClick() {
    StartStuffNo->setText(QStringLiteral("%1人目～").arg(StuffNameShift->position() + 1));
}

void TDayScheduleForm::FormResize() {
    const int width = BoardWidth(staffCount());
    HeaderPanel->resize(width, HeaderPanel->height());
    SchedulePanel->resize(width, SchedulePanel->height());
    // The bar stops at the last staff column: past it lies nothing but blank board.
    DayScrollBar->setMaximum(std::max(0, width / lum::board::ColumnWidth - 1));
}

void TDayScheduleForm::resizeEvent(QResizeEvent* event) {
    TScheduleBoardForm::resizeEvent(event);
    FormResize();
}

void TDayScheduleForm::SetInputsEnabled(bool enabled) {
    RVDate->setEnabled(enabled);
    DispButton->setEnabled(enabled);
}

// ---- display ---------------------------------------------------------------------

bool TDayScheduleForm::LoadFrames(lum::FrameBookingSummaries& booked) {
    TScheduleData& list = lum::scheduleData();
    if (!list.LoadDayFrames(FirstDay)) return false;
    try {
        booked = lum::BookingStore(Db()).dayFrameSummaries(FirstDay);
    } catch (const lum::db::DbError&) {
        return false;
    }
    offset_ = StuffNameShift->position();
    // A frame's column is its staff member's place in the list, when shown;
    // the others (and those of staff members no longer listed) keep none.
    for (int i = 0; i < list.FrameCount(); ++i) {
        const TIMETABLE_ITEM frame = list.GetFrame(i);
        const int index = MainModule ? MainModule->IndexOfStuff(frame.Stf) : -1;
        const int column = index < 0 ? -1 : index - offset_;
        list.SetFramePNo(frame.LName, column >= 0 && column < lum::board::Columns ? column : -1);
    }
    return true;
}

void TDayScheduleForm::FillHeaders() {
    for (int c = 0; c < lum::board::Columns; ++c) Headers[static_cast<size_t>(c)]->setText(staffNameAt(offset_ + c));
}

// The column's staff member by its place in the list: two staff members of
// one name are still told apart.
int TDayScheduleForm::StaffOfColumn(int column) {
    const int index = offset_ + column;
    if (column >= 0 && index < staffCount()) return staffCodes()[static_cast<size_t>(index)];
    lum::message(lum::MsgKind::Error, lum::booking_text::StaffUnknown, lum::MsgButton::Ok, this);
    return -1;
}

lum::TDateTime TDayScheduleForm::DayOfColumn(int) const { return FirstDay; }

// ---- the staff header menu ---------------------------------------------------------

void TDayScheduleForm::EditPopupMenuPopup() {
    PasteBoxesToPanelMenu->setEnabled(Clip.HasClip && Clip.ClipKind == 1);
}

void TDayScheduleForm::CopyStuffBoxFromPanelMenuClick(QLabel* header) {
    CopyColumn(header, false, QStringLiteral(" 枠コピー"));
}

void TDayScheduleForm::PasteBoxesToPanelMenuClick(QLabel* header) {
    if (!header || !Clip.HasClip || Clip.ClipKind != 1) return;
    const std::optional<int> source = HeaderColumn(Clip.ClipSource, HeaderPrefix());
    const std::optional<int> target = HeaderColumn(header->objectName(), HeaderPrefix());
    if (!source || !target) return;
    const int staff = StaffOfColumn(*target);
    if (staff < 0) return;
    PasteColumn(lum::PasteKind::StaffColumn, *source, *target, staff, FirstDay);
}

void TDayScheduleForm::ChangeStuffOfPanelMenuClick(QLabel* header) {
    const std::optional<int> column = header ? HeaderColumn(header->objectName(), HeaderPrefix()) : std::nullopt;
    const int index = column ? offset_ + *column : -1;
    if (!column || index >= staffCount()) {
        // A blank header past the last staff member names nobody.
        lum::message(lum::MsgKind::Error, lum::booking_text::StaffConfirmFailed, lum::MsgButton::Ok, this);
        return;
    }
    const int fromStaff = staffCodes()[static_cast<size_t>(index)];
    if (!StuffAllChangeForm) {
        StuffAllChangeForm = new TStuffAllChangeForm(this);
        connect(StuffAllChangeForm, &QObject::destroyed, [] { StuffAllChangeForm = nullptr; });
    }
    if (lum::runModal(*StuffAllChangeForm) != QDialog::Accepted) return;
    const lum::Notices notices =
        Rules().ChangeStaffOfFrames(lum::scheduleData().Frames, fromStaff, StuffAllChangeForm->StuffCode);
    lum::showNotices(notices, this);
    ClearButtonClick();
    DispButtonClick();
}
