#pragma once
// "当日作業予約表": one staff member's bookings of one day, displayed at once
// on show and at every step of the day, and printed through "DayAttend.frf"
// under the day and the staff member of the last display.
#include "common/datetime.h"
#include "schedule/attend_list_form.h"

class QComboBox;

namespace lum {
class HorizontalUpDown;
}

class TDayAttendForm : public TAttendListForm {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "DayAttend.frf"

    explicit TDayAttendForm(QWidget* parent = nullptr);

    lum::TDateTime Day;

    QLabel* YearMonthLabel;  // the day
    QLabel* WeekLabel;       // its weekday
    lum::HorizontalUpDown* Hizuke;
    QComboBox* TantouBox;

    void HizukeClick(int step);
    // Lists the day's bookings of the staff member chosen.
    void DisplayList();
    void PrintButtonClick();

protected:
    QString CellText(const lum::AttendRow& row, int column) const override;
    std::optional<lum::ExprValue> Value(const QString& name, const lum::AttendRow* row) const override;
    void FormShow() override;

private:
    QString shownStaff_;  // the staff member of the last display
    lum::TDateTime printed_;
};

extern TDayAttendForm* DayAttendForm;
