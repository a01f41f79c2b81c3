#pragma once
// The results per type (形態別実績一覧表（印刷）): one month's results, of one
// staff member or all, as one row per client and service type with each
// day's mark, minutes and start time, printed through "PrintKeitai.frf" and
// written to a CSV file (setting Keitai).
#include "printing/keitai_report.h"
#include "printing/month_type_form.h"

class TPrintKeitaiForm : public TMonthTypeForm {
    Q_OBJECT
public:
    explicit TPrintKeitaiForm(QWidget* parent = nullptr);

    // What the last preparation built: the table, the texts and the legend.
    lum::KeitaiReport Report;

    // Checks the conditions, reads the month, builds the table and sets the
    // data sources; false after its message.
    bool PrepareKeitaiReport();
    // The month's results (of the staff member when given), or nothing
    // after "データの抽出に失敗しました。".
    bool OpenKeitaiQuery(std::optional<int> stuffCode, std::vector<lum::MonthTypeResult>& rows);

    void PrintButtonClick();
    void CSVOutButtonClick();

protected:
    void Closing() override;
};

extern TPrintKeitaiForm* PrintKeitaiForm;
