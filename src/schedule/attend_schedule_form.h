#pragma once
// "月別担当者別予約表": one staff member's bookings of a month, or of a range
// of its days (指定日), listed and printed through "AttendSchedule.frf".
#include "common/datetime.h"
#include "schedule/attend_list_form.h"

class QComboBox;
class QSpinBox;

namespace lum {
class HorizontalUpDown;
class RadioGroup;
}  // namespace lum

class TAttendScheduleForm : public TAttendListForm {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "AttendSchedule.frf"

    explicit TAttendScheduleForm(QWidget* parent = nullptr);

    lum::TDateTime UseMonth;  // the chosen month's first day
    lum::TDateTime FromDate;  // the period listed
    lum::TDateTime ToDate;

    QLabel* YearMonthLabel;
    lum::HorizontalUpDown* Hizuke;
    QComboBox* TantouBox;
    lum::RadioGroup* SagyoGroup;  // １ヵ月分, 指定日
    QSpinBox* FromEdit;
    QSpinBox* ToEdit;
    QPushButton* DisplayButton;

    void HizukeClick(int step);
    void DisplayButtonClick();
    void PrintButtonClick();

protected:
    QString CellText(const lum::AttendRow& row, int column) const override;
    std::optional<lum::ExprValue> Value(const QString& name, const lum::AttendRow* row) const override;
    void FormShow() override;

private:
    void SetMonth(lum::TDateTime firstDay);
    void CriteriaChanged();

    QString periodText_;   // YYMMDD of the last display
    int listedStaff_ = -1;  // the staff code of the last display
    lum::TDateTime printed_;
};

extern TAttendScheduleForm* AttendScheduleForm;
