#pragma once
// リハビリ実績記録書（印刷）: the monthly personal record (MonthRecordReport)
// of many clients in one run. 抽出 lists the treatment plans that cover the
// chosen month; the user narrows the list by kana row, selects clients and
// prints "PrintPersonKirokusho.frf" once per selected client, each with its
// own heading, day lines, totals and legend. Shown from the print menu,
// which it hides while open.
#include "app/staff_list.h"
#include "clients/kana_row_print_list.h"
#include "common/datetime.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"
#include "results/month_record_report.h"

#include <QSqlQuery>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;

namespace lum {
class UpDown;

// SelectPlanPersonQuery: the treatment plans covering the month of `month`
// (registered before the next month's first day and ending on or after its
// first day) with their clients, in CureNo then PlanNo order; a client with
// two such plans comes twice. Dates bound; prepared, not run.
QSqlQuery SelectPlanPersonQuery(db::Database& database, TDateTime month);
}  // namespace lum

class TPrintPersonResultForm : public QWidget {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "PrintPersonKirokusho.frf"

    explicit TPrintPersonResultForm(QWidget* parent = nullptr);
    ~TPrintPersonResultForm() override;

    // The month: its first day.
    lum::TDateTime Month;
    // The selected clients' numbers at the last print, in list order.
    std::vector<int> CureNos;
    // The record of the page's client.
    lum::MonthRecordReport Record;

    QWidget* MainPanel;
    QLabel* YearMonthLabel;   // 実施年月
    lum::UpDown* Hizuke;
    QPushButton* DisplayBtn;  // 抽出
    QLabel* CountLabel;
    lum::KanaRowPrintList* List;  // DBGrid1, kana rows, AllDispBtn, AllSelectBtn, EraseBtn
    QPushButton* PrintBtn;
    QPushButton* ReturnButton;

    lum::ReportComponents Components{QStringLiteral("PrintPersonResultForm")};
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};  // the clients
    lum::TfrUserDataset frUserDataset2{QStringLiteral("frUserDataset2")};  // the day lines
    lum::TfrReport frReport1{&Components};

    void HizukeClick(int direction);
    void DisplayBtnClick();
    void PrintBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetMonth(lum::TDateTime firstDay);
    // The list closed and emptied; the list, selection and print buttons off.
    void CloseList();
    void EnableCommands(bool on);
    // Page start: the record of the page's client, built once per client.
    void BeginPage();

    std::vector<lum::StaffMember> staff_;
    int builtRecord_ = -1;  // the client record the record was built for
    bool runFailed_ = false;
};

extern TPrintPersonResultForm* PrintPersonResultForm;
