#include "schedule/day_attend_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "platform/clock.h"
#include "schedule/attend_texts.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

TDayAttendForm* DayAttendForm = nullptr;

using lum::AttendRow;
using lum::TDateTime;
namespace attend = lum::attend;

const QString TDayAttendForm::kTemplateFile = QStringLiteral("DayAttend.frf");

namespace {
enum ColumnIndex { CureNoColumn, NameColumn, AdmissionColumn, TypeColumn, CategoryColumn, StartColumn, MinuteColumn,
                   CapacityColumn };
}

TDayAttendForm::TDayAttendForm(QWidget* parent)
    : TAttendListForm("DayAttendForm", QStringLiteral("当日作業予約表"),
                      {{QStringLiteral("利用者番号"), 84},
                       {QStringLiteral("氏名"), 130},
                       {QStringLiteral("入所日"), 130},
                       {QStringLiteral("リハビリ形態"), 96},
                       {QStringLiteral("区分"), 170},
                       {QStringLiteral("開始"), 50},
                       {QStringLiteral("時間"), 44, true},
                       {QStringLiteral("人数"), 44, true}},
                      QStringLiteral("印　刷"), parent) {
    YearMonthLabel = BoxLabel("YearMonthLabel", 150);
    WeekLabel = BoxLabel("WeekLabel", 60);
    Hizuke = DateArrows();
    TantouBox = new QComboBox(MainPanel);
    TantouBox->setObjectName(QStringLiteral("TantouBox"));
    TantouBox->setMinimumWidth(150);
    lum::fillStaffBox(TantouBox);
    TantouBox->setCurrentIndex(TantouBox->count() > 0 ? 0 : -1);

    auto* criteria = new QHBoxLayout;
    criteria->setSpacing(8);
    criteria->addWidget(YearMonthLabel);
    criteria->addWidget(WeekLabel);
    criteria->addWidget(Hizuke);
    criteria->addSpacing(16);
    criteria->addWidget(CaptionLabel(QStringLiteral("担当者")));
    criteria->addWidget(TantouBox);
    criteria->addStretch();
    PanelLayout()->insertLayout(1, criteria);
    FinishLayout();
    lum::setTabChain({Hizuke->previousButton(), Hizuke->nextButton(), TantouBox, ScheduleGrid, PrintButton,
                      ReturnButton});

    connect(Hizuke, &lum::HorizontalUpDown::stepped, this, &TDayAttendForm::HizukeClick);
    connect(PrintButton, &QPushButton::clicked, this, &TDayAttendForm::PrintButtonClick);
}

void TDayAttendForm::FormShow() {
    Day = TDateTime::fromDate(lum::today());
    DisplayList();
    Hizuke->nextButton()->setFocus();
}

// Another staff member alone lists nothing new; the next step of the day does.
void TDayAttendForm::HizukeClick(int step) {
    Day = Day.addDays(step > 0 ? 1 : -1);
    DisplayList();
}

void TDayAttendForm::DisplayList() {
    YearMonthLabel->setText(attend::DateCell(Day));
    WeekLabel->setText(attend::WeekdayName(Day));
    CloseList();
    const int staff = lum::chosenStaffCode(TantouBox);
    if (staff < 0) {
        // No staff member chosen (an empty staff list): nothing to list.
        shownStaff_.clear();
        return;
    }
    Hizuke->setEnabled(false);
    TantouBox->setEnabled(false);
    shownStaff_ = TantouBox->currentText();
    OpenList({staff, -1, lum::dayRange(Day)});
    Hizuke->setEnabled(true);
    TantouBox->setEnabled(true);
}

QString TDayAttendForm::CellText(const AttendRow& row, int column) const {
    switch (column) {
    case CureNoColumn: return QString::number(row.CureNo);
    case NameColumn: return row.Name;
    case AdmissionColumn: return attend::DateCell(row.NYUSHOBI_YMD);
    case TypeColumn: return attend::TypeName(row.RihaType);
    case CategoryColumn: return attend::CategoryText(row.KubunCode);
    case StartColumn: return attend::StartCell(row);
    case MinuteColumn: return attend::CountCell(row.WorkingMin);
    case CapacityColumn: return attend::CountCell(row.Capacity);
    default: return QString();
    }
}

std::optional<lum::ExprValue> TDayAttendForm::Value(const QString& name, const AttendRow* row) const {
    const attend::PrintHeading heading{MainModule ? MainModule->FacilityName : QString(), printed_,
                                       YearMonthLabel->text()};
    return attend::DayListValue(name, row, heading, WeekLabel->text(), shownStaff_);
}

void TDayAttendForm::PrintButtonClick() {
    if (!ListOpen()) return;
    printed_ = TDateTime::fromDateTime(lum::now());
    PrintTemplate(kTemplateFile);
}
