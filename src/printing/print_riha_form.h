#pragma once
// The treatment plans in bulk (リハビリ治療計画書（印刷）): the clients'
// treatment plans listed, narrowed and chosen, and "CurePlan.frf" printed
// once per chosen plan with the plan window's values, memos and body chart.
// After printing the list is empty until it is read again.
#include "plans/plan_record.h"
#include "printing/plan_print_list_form.h"
#include "report/data/tfr_dataset.h"

#include <QImage>

#include <vector>

class TPrintRihaForm : public TPlanPrintListForm {
    Q_OBJECT
public:
    explicit TPrintRihaForm(QWidget* parent = nullptr);
    ~TPrintRihaForm() override;

    // The second column of buttons, running the same commands and never disabled.
    QPushButton* NewBtn2;
    QPushButton* AllBtn2;
    QPushButton* AllSelectBtn2;
    QPushButton* EraseBtn2;
    QPushButton* ReturnButton2;

    // One record per chosen plan.
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};

    // The plan of the page being formed and its chart.
    const lum::TPlan& PagePlan() const { return plan_; }
    const QImage& PageChart() const { return chart_; }

protected:
    QString ListSql(bool recent) const override;
    void PrintRows(const QVector<QSqlRecord>& rows) override;

private:
    void BeginPage();
    void GetValue(const QString& name, lum::ExprValue& value);
    void EnterRect(QStringList& memo, lum::TfrView* view);

    lum::TPlan plan_;
    QImage chart_;
};

extern TPrintRihaForm* PrintRihaForm;
