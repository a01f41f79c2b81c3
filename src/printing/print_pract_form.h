#pragma once
// The practice plans in bulk (リハビリ実施計画書（印刷）): the clients'
// practice plans listed by kana and date, narrowed and chosen, and
// "PracticePlan.frf" printed once per chosen plan with the practice plan
// window's values. A plan is found by its PractNo; one stored in another
// record version ends the printout with its message. After printing the
// list shows the last plan printed until it is read or filtered again.
#include "plans/practice_plan_record.h"
#include "printing/plan_print_list_form.h"
#include "report/data/tfr_dataset.h"

#include <vector>

class TPrintPractForm : public TPlanPrintListForm {
    Q_OBJECT
public:
    explicit TPrintPractForm(QWidget* parent = nullptr);
    ~TPrintPractForm() override;

    // The first table's lines (15), the second's (8), one record per chosen plan.
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};
    lum::TfrUserDataset frUserDataset2{QStringLiteral("frUserDataset2")};
    lum::TfrUserDataset frUserDataset3{QStringLiteral("frUserDataset3")};

    const lum::TPracticePlan& PagePlan() const { return plan_; }

protected:
    QString ListSql(bool recent) const override;
    void PrintRows(const QVector<QSqlRecord>& rows) override;
    QString NoListMessage() const override;

private:
    void BeginPage();
    void GetValue(const QString& name, lum::ExprValue& value);

    lum::TPracticePlan plan_;
};

// The message that ends a printout meeting a plan of another record version.
extern const QString PracticeFormatErrorText;

extern TPrintPractForm* PrintPractForm;
