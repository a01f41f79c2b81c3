#include "schedule/stuff_schedule_form.h"

#include "app/staff_box.h"
#include "common/code_tables.h"
#include "platform/ui/dialogs.h"
#include "schedule/board_layout.h"
#include "schedule/booking_store.h"
#include "schedule/schedule_data.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

TStuffScheduleForm* StuffScheduleForm = nullptr;

namespace {

const TScheduleBoardForm::Names kNames{"StuffScheduleForm", "介護担当者作業表", "DayPanel", "Day"};
const QString kNoStaff = QStringLiteral("担当者を指定してください。");

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

}  // namespace

TStuffScheduleForm::TStuffScheduleForm(QWidget* parent) : TScheduleBoardForm(kNames, parent) {
    StuffBox = new QComboBox(TopPanel);
    StuffBox->setObjectName(QStringLiteral("StuffBox"));
    StuffBox->setMinimumWidth(170);
    auto* caption = new QLabel(QStringLiteral("担当者"), TopPanel);
    TopBarLayout()->insertWidget(0, caption);
    TopBarLayout()->insertWidget(1, StuffBox);
    TopBarLayout()->insertSpacing(2, 12);
    connect(StuffBox, &QComboBox::activated, this, [this] { StuffBoxChange(); });
    QWidget::setTabOrder(StuffBox, RVDate);  // the staff box first, as it reads

    CopyDaysBoxFromPanelMenu = EditPopupMenu->addAction(QStringLiteral("当日時間枠コピー"));
    CopyDaysBoxFromPanelMenu->setObjectName(QStringLiteral("CopyDaysBoxFromPanelMenu"));
    CopyDaysAllFromPanelMenu = EditPopupMenu->addAction(QStringLiteral("当日全てコピー"));
    CopyDaysAllFromPanelMenu->setObjectName(QStringLiteral("CopyDaysAllFromPanelMenu"));
    PasteDaysToPanelMenu = EditPopupMenu->addAction(QStringLiteral("貼り付け"));
    PasteDaysToPanelMenu->setObjectName(QStringLiteral("PasteDaysToPanelMenu"));
    PasteDaysToPanelMenu->setEnabled(false);
    connect(CopyDaysBoxFromPanelMenu, &QAction::triggered, this, [this] { CopyDaysBoxFromPanelMenuClick(MenuHeader); });
    connect(CopyDaysAllFromPanelMenu, &QAction::triggered, this, [this] { CopyDaysAllFromPanelMenuClick(MenuHeader); });
    connect(PasteDaysToPanelMenu, &QAction::triggered, this, [this] { PasteDaysToPanelMenuClick(MenuHeader); });
}

void TStuffScheduleForm::EditPopupMenuPopup() { PasteDaysToPanelMenu->setEnabled(Clip.HasClip && Clip.ClipKind == 1); }

void TStuffScheduleForm::CopyDaysBoxFromPanelMenuClick(QLabel* header) {
    CopyColumn(header, false, QStringLiteral(" 日付の枠コピー"));
}

void TStuffScheduleForm::CopyDaysAllFromPanelMenuClick(QLabel* header) {
    CopyColumn(header, true, QStringLiteral(" 日付けの全てコピー"));
}

void TStuffScheduleForm::PasteDaysToPanelMenuClick(QLabel* header) {
    if (!header || !Clip.HasClip || Clip.ClipKind != 1) return;
    const std::optional<int> source = HeaderColumn(Clip.ClipSource, HeaderPrefix());
    const std::optional<int> target = HeaderColumn(header->objectName(), HeaderPrefix());
    if (!source || !target) return;
    PasteColumn(lum::PasteKind::Day, *source, *target, lum::chosenStaffCode(StuffBox), Days(*target));
}

void TStuffScheduleForm::StuffBoxChange() { DispButton->setEnabled(true); }

bool TStuffScheduleForm::CanDisplay() {
    if (lum::chosenStaffCode(StuffBox) >= 0) return true;
    // Beside the staff box.
    const QPoint box = StuffBox->mapTo(this, QPoint(0, 0));
    lum::messageAt(QPoint(x() + box.x() + 10, y() + box.y() + 60), lum::MsgKind::Error, kNoStaff,
                   lum::MsgButton::Ok, this);
    return false;
}

bool TStuffScheduleForm::LoadFrames(lum::FrameBookingSummaries& booked) {
    LastDay = FirstDay.addDays(30);
    const int staff = lum::chosenStaffCode(StuffBox);
    if (!lum::scheduleData().LoadStaffFrames(staff, FirstDay, LastDay)) return false;
    try {
        booked = lum::BookingStore(Db()).staffFrameSummaries(staff, FirstDay, LastDay);
    } catch (const lum::db::DbError&) {
        return false;
    }
    return true;
}

void TStuffScheduleForm::FillHeaders() {
    for (int i = 0; i < lum::board::Columns; ++i) {
        const QDate day = Days(i).date();
        QLabel* header = Headers[static_cast<size_t>(i)];
        header->setText(lum::WeekdayNames.at(day.dayOfWeek() - 1) + u' ' + Days(i).toDateText());
        const int weekday = day.dayOfWeek();
        if (weekday == 6 || weekday == 7) {
            const QColor& colour = weekday == 6 ? lum::board::Saturday : lum::board::Sunday;
            setBackground(header, colour);
            setBackground(Columns[static_cast<size_t>(i)], colour);
        }
    }
}

void TStuffScheduleForm::SetInputsEnabled(bool enabled) {
    StuffBox->setEnabled(enabled);
    RVDate->setEnabled(enabled);
    DispButton->setEnabled(enabled);
}

void TStuffScheduleForm::ResetInputs() {
    lum::fillStaffBox(StuffBox);
    StuffBox->setFocus();
}

int TStuffScheduleForm::StaffOfColumn(int) { return lum::chosenStaffCode(StuffBox); }

lum::TDateTime TStuffScheduleForm::DayOfColumn(int column) const { return Days(column); }
