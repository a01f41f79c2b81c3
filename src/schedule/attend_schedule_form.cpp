#include "schedule/attend_schedule_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "schedule/attend_texts.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/radio_group.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

TAttendScheduleForm* AttendScheduleForm = nullptr;

using lum::AttendRow;
using lum::TDateTime;
namespace attend = lum::attend;

const QString TAttendScheduleForm::kTemplateFile = QStringLiteral("AttendSchedule.frf");

namespace {
enum ColumnIndex { DayColumn, WeekdayColumn, CureNoColumn, NameColumn, AdmissionColumn, TypeColumn, CategoryColumn,
                   StartColumn, MinuteColumn, CapacityColumn };
}

TAttendScheduleForm::TAttendScheduleForm(QWidget* parent)
    : TAttendListForm("AttendScheduleForm", QStringLiteral("月別担当者別予約表"),
                      {{QStringLiteral("年月日"), 130},
                       {QStringLiteral("曜日"), 60},
                       {QStringLiteral("利用者番号"), 84, true},
                       {QStringLiteral("氏名"), 120},
                       {QStringLiteral("入所日"), 130},
                       {QStringLiteral("リハビリ形態"), 96},
                       {QStringLiteral("区分"), 190},
                       {QStringLiteral("開始"), 50},
                       {QStringLiteral("時間"), 44, true},
                       {QStringLiteral("人数"), 44, true}},
                      QStringLiteral("印刷"), parent) {
    YearMonthLabel = BoxLabel("YearMonthLabel", 120);
    Hizuke = DateArrows();
    TantouBox = new QComboBox(MainPanel);
    TantouBox->setObjectName(QStringLiteral("TantouBox"));
    TantouBox->setMinimumWidth(150);
    SagyoGroup = new lum::RadioGroup(QStringLiteral("SagyoGroup"), QStringLiteral("作業日"),
                                     {QStringLiteral("１ヵ月分"), QStringLiteral("指定日")}, MainPanel);
    FromEdit = new QSpinBox(MainPanel);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    ToEdit = new QSpinBox(MainPanel);
    ToEdit->setObjectName(QStringLiteral("ToEdit"));
    DisplayButton = new QPushButton(QStringLiteral("表示"), MainPanel);
    DisplayButton->setObjectName(QStringLiteral("DisplayButton"));
    DisplayButton->setAutoDefault(true);
    DisplayButton->setMinimumSize(90, 30);

    auto* criteria = new QHBoxLayout;
    criteria->setSpacing(8);
    criteria->addWidget(YearMonthLabel);
    criteria->addWidget(Hizuke);
    criteria->addSpacing(16);
    criteria->addWidget(CaptionLabel(QStringLiteral("担当者")));
    criteria->addWidget(TantouBox);
    criteria->addSpacing(16);
    criteria->addWidget(SagyoGroup);
    criteria->addWidget(FromEdit);
    criteria->addWidget(new QLabel(QStringLiteral("日　～"), MainPanel));
    criteria->addWidget(ToEdit);
    criteria->addWidget(new QLabel(QStringLiteral("日"), MainPanel));
    criteria->addSpacing(16);
    criteria->addWidget(DisplayButton);
    criteria->addStretch();
    PanelLayout()->insertLayout(1, criteria);
    FinishLayout();
    lum::setTabChain({Hizuke->previousButton(), Hizuke->nextButton(), TantouBox, SagyoGroup->item(0),
                      SagyoGroup->item(1), FromEdit, ToEdit, DisplayButton, ScheduleGrid, PrintButton, ReturnButton});

    connect(Hizuke, &lum::HorizontalUpDown::stepped, this, &TAttendScheduleForm::HizukeClick);
    connect(DisplayButton, &QPushButton::clicked, this, &TAttendScheduleForm::DisplayButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TAttendScheduleForm::PrintButtonClick);
    connect(TantouBox, &QComboBox::currentIndexChanged, this, &TAttendScheduleForm::CriteriaChanged);
    connect(FromEdit, &QSpinBox::valueChanged, this, &TAttendScheduleForm::CriteriaChanged);
    connect(ToEdit, &QSpinBox::valueChanged, this, &TAttendScheduleForm::CriteriaChanged);
    connect(SagyoGroup, &lum::RadioGroup::itemIndexChanged, this, [this](int index) {
        FromEdit->setEnabled(index == 1);
        ToEdit->setEnabled(index == 1);
        CriteriaChanged();
    });
}

void TAttendScheduleForm::FormShow() {
    CloseList();
    {
        const QSignalBlocker block(TantouBox);
        lum::fillStaffBox(TantouBox);
        TantouBox->setCurrentIndex(TantouBox->count() > 0 ? 0 : -1);
    }
    SagyoGroup->setItemIndex(0);
    FromEdit->setEnabled(false);
    ToEdit->setEnabled(false);
    SetMonth(lum::FirstDayOfMonth(TDateTime::fromDate(lum::today())));
    // Without a staff member there is nothing to list.
    DisplayButton->setEnabled(TantouBox->currentIndex() >= 0);
    TantouBox->setFocus();
}

void TAttendScheduleForm::SetMonth(TDateTime firstDay) {
    UseMonth = firstDay;
    YearMonthLabel->setText(lum::DateToEraSpacedMonthText(UseMonth));
    const int days = UseMonth.date().daysInMonth();
    const QSignalBlocker blockFrom(FromEdit);
    const QSignalBlocker blockTo(ToEdit);
    FromEdit->setRange(1, days);
    ToEdit->setRange(1, days);
    FromEdit->setValue(1);
    ToEdit->setValue(days);
}

void TAttendScheduleForm::HizukeClick(int step) {
    const QDate d = UseMonth.date().addMonths(step > 0 ? 1 : -1);
    SetMonth(TDateTime::fromYmd(d.year(), d.month(), 1));
    CloseList();
}

void TAttendScheduleForm::CriteriaChanged() {
    CloseList();
    DisplayButton->setEnabled(TantouBox->currentIndex() >= 0);
}

void TAttendScheduleForm::DisplayButtonClick() {
    const int staff = lum::chosenStaffCode(TantouBox);
    if (staff < 0) return;
    Hizuke->setEnabled(false);
    CloseList();
    if (SagyoGroup->ItemIndex() == 1) {
        if (FromEdit->value() > ToEdit->value()) {
            lum::message(lum::MsgKind::Error, QStringLiteral("作業日の指定に誤りがあります。"), lum::MsgButton::Abort,
                         this);
            Hizuke->setEnabled(true);
            return;
        }
        FromDate = UseMonth.addDays(FromEdit->value() - 1);
        ToDate = UseMonth.addDays(ToEdit->value() - 1);
    } else {
        FromDate = UseMonth;
        ToDate = UseMonth.addDays(UseMonth.date().daysInMonth() - 1);
    }
    // The printout is headed with the period of this display.
    periodText_ = YearMonthLabel->text() + QStringLiteral(" %1日～%2日").arg(FromDate.date().day()).arg(ToDate.date().day());
    listedStaff_ = staff;
    OpenList({staff, -1, {FromDate, ToDate.addDays(1)}});
    Hizuke->setEnabled(true);
}

QString TAttendScheduleForm::CellText(const AttendRow& row, int column) const {
    switch (column) {
    case DayColumn: return attend::DateCell(row.ReserveDay);
    case WeekdayColumn: return attend::WeekdayName(row.ReserveDay);
    case CureNoColumn: return attend::CureNoCell(row.CureNo);
    case NameColumn: return row.Name;
    case AdmissionColumn: return attend::DateCell(row.NYUSHOBI_YMD);
    case TypeColumn: return attend::TypeName(row.RihaType);
    case CategoryColumn: return attend::CategoryCell(row.KubunCode);
    case StartColumn: return attend::StartCell(row);
    case MinuteColumn: return attend::CountCell(row.WorkingMin);
    case CapacityColumn: return attend::CountCell(row.Capacity);
    default: return QString();
    }
}

std::optional<lum::ExprValue> TAttendScheduleForm::Value(const QString& name, const AttendRow* row) const {
    const attend::PrintHeading heading{MainModule ? MainModule->FacilityName : QString(), printed_, periodText_};
    return attend::StaffListValue(name, row, heading,
                                  lum::staffName,
                                  listedStaff_);
}

void TAttendScheduleForm::PrintButtonClick() {
    if (!ListOpen()) return;
    printed_ = TDateTime::fromDateTime(lum::now());
    PrintTemplate(kTemplateFile);
}
