#pragma once
// 計画書期限参照（印刷）: the clients still in care whose latest treatment
// plan (PlanBtn) or latest practice plan (PractBtn) is older than three
// months, narrowed by the kana rows and printed through "PrintLimit.frf"
// as far as the filter lets rows through. Shown from the print menu, which
// it hides while open.
#include "clients/kana_row_print_list.h"
#include "printing/plan_deadline_list.h"
#include "report/data/report_components.h"
#include "report/data/sql_query_data_set.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"

#include <QWidget>

#include <memory>

class QPushButton;

class TPrintLimitRihaForm : public QWidget {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "PrintLimit.frf"

    explicit TPrintLimitRihaForm(QWidget* parent = nullptr);
    ~TPrintLimitRihaForm() override;

    QWidget* MainPanel;
    QPushButton* PlanBtn;   // リハビリ治療計画書表示
    QPushButton* PractBtn;  // リハビリ実施計画書表示
    lum::KanaRowPrintList* List;  // DBGrid1, the kana-row buttons, AllDispBtn (全て)
    QPushButton* PrintBtn;
    QPushButton* ReturnButton;

    // The list read; open from a list button until printed or closed.
    std::unique_ptr<lum::SqlQueryDataSet> PrintLimitRihaQuery;
    lum::ReportComponents Components{QStringLiteral("PrintLimitRihaForm")};
    lum::TfrDBDataSet frDBDataSet1{QStringLiteral("frDBDataSet1")};
    lum::TfrReport frReport1{&Components};

    void PlanBtnClick();
    void PractBtnClick();
    void PrintBtnClick();
    // The kana-row buttons and 全て together.
    void EnableListButtons(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowList(lum::PlanDeadlineKind kind);
    void CloseQuery();
    void GetValue(const QString& name, lum::ExprValue& value);
};

extern TPrintLimitRihaForm* PrintLimitRihaForm;
