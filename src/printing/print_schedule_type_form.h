#pragma once
// The month grid (月別リハビリ形態別実施一覧(印刷)): for one month and one
// service type (ComboBox1), of one staff member or all, a row per client
// with the staff mark of each day's first result, printed through
// "PrintScheduleType.frf" and written to a CSV file (setting PrnSch).
#include "printing/month_type_form.h"
#include "printing/schedule_type_grid.h"

class TPrintScheduleTypeForm : public TMonthTypeForm {
    Q_OBJECT
public:
    explicit TPrintScheduleTypeForm(QWidget* parent = nullptr);

    QComboBox* ComboBox1;  // the four type names, in type order

    lum::ScheduleTypeReport Report;

    bool PrepareScheduleTypeReport();
    bool OpenScheduleTypeQuery(int rihaType, std::optional<int> stuffCode, std::vector<lum::MonthTypeResult>& rows);

    void PrintButtonClick();
    void CSVOutButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void Closing() override;
};

extern TPrintScheduleTypeForm* PrintScheduleTypeForm;
