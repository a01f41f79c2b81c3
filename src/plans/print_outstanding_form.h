#pragma once
// The clients without a treatment plan or without a practice plan
// (計画書未登録者リスト(印刷)): one of two lists read on request, narrowed
// by the kana rows and printed through "OutStandingList.frf" as far as the
// filter lets rows through. Shown from the documents menu, which it hides
// while open.
#include "clients/kana_row_print_list.h"
#include "common/kubun.h"
#include "report/data/report_components.h"
#include "report/data/sql_query_data_set.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"

#include <QWidget>

#include <memory>

class QPushButton;

namespace lum {
// The two lists: clients (admission episodes) with no treatment plan row,
// and with no practice plan row, in CureNo order.
extern const QString OutstandingPlanSql;
extern const QString OutstandingPracticeSql;
// The texts of a list row as the grid shows and the printout prints them.
QString outstandingAdmissionText(const QVariant& stored);  // empty for no date
QString outstandingTypeText(const QVariant& rihaType);
QString outstandingKubunText(const QVariant& kubunCode);
}  // namespace lum

class TPrintOutstandingForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 640;
    static constexpr int kPanelHeight = 560;

    explicit TPrintOutstandingForm(QWidget* parent = nullptr);
    ~TPrintOutstandingForm() override;

    QWidget* MainPanel;
    QPushButton* PlanBtn;
    QPushButton* PractBtn;
    lum::KanaRowPrintList* List;  // DBGrid1, the kana-row buttons, AllDispBtn
    QPushButton* PrintBtn;
    QPushButton* ReturnButton;

    // The list read; open from a list button until the next or the close.
    std::unique_ptr<lum::SqlQueryDataSet> PrintOutStandingQuery;
    lum::ReportComponents Components{QStringLiteral("PrintOutstandingForm")};
    lum::TfrDBDataSet frDBDataSet1{QStringLiteral("frDBDataSet1")};
    lum::TfrReport frReport1{&Components};
    lum::TKubun Kubun;
    // Where the template is read from; empty: the application's folder.
    QString TemplateDir;

    void PlanBtnClick();
    void PractBtnClick();
    void PrintBtnClick();
    // The kana-row buttons and 全て together.
    void EnableListButtons(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowList(const QString& sql);
    void CloseQuery();
    void GetValue(const QString& name, lum::ExprValue& value);
};

extern TPrintOutstandingForm* PrintOutstandingForm;
