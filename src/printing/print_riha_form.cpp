#include "printing/print_riha_form.h"

#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "common/kubun.h"
#include "plans/body_chart.h"
#include "plans/cure_plan_values.h"
#include "plans/plan_store.h"
#include "platform/db/facility_database.h"
#include "printing/print_window.h"

#include <QPushButton>
#include <QSqlRecord>
#include <QVBoxLayout>

TPrintRihaForm* PrintRihaForm = nullptr;

namespace {

const QString kTemplate = QStringLiteral("CurePlan.frf");

QVector<lum::KanaRowListColumn> listColumns() {
    return {
        lum::cureNoColumn(80, QStringLiteral("利用者番号")),
        {QStringLiteral("Name"), 130, QStringLiteral("氏名"), {}},
        TPlanPrintListForm::DateColumn(QStringLiteral("PlanRegistDay"), 130, QStringLiteral("登録日（治療計画）"),
                                       lum::DateToEraShortText),
        TPlanPrintListForm::TypeColumn(100),
        TPlanPrintListForm::KubunColumn(170),
    };
}

}  // namespace

TPrintRihaForm::TPrintRihaForm(QWidget* parent)
    : TPlanPrintListForm({QStringLiteral("PrintRihaForm"), QStringLiteral("リハビリ治療計画書（印刷）"),
                          QStringLiteral("リハビリ治療計画書（印刷）"), listColumns(), QSize(800, 600)},
                         parent) {
    NewBtn2 = lum::printWindowButton("NewBtn2", QStringLiteral("最新"), MainPanel);
    NewBtn2->setToolTip(NewBtn->toolTip());
    AllBtn2 = lum::printWindowButton("AllBtn2", QStringLiteral("全て"), MainPanel);
    AllBtn2->setToolTip(AllBtn->toolTip());
    AllSelectBtn2 = lum::printWindowButton("AllSelectBtn2", QStringLiteral("全選択"), MainPanel);
    EraseBtn2 = lum::printWindowButton("EraseBtn2", QStringLiteral("全取消"), MainPanel);
    ReturnButton2 = lum::printWindowButton("ReturnButton2", QStringLiteral("戻る"), MainPanel);
    SideColumn->addSpacing(40);
    for (QPushButton* b : {NewBtn2, AllBtn2, AllSelectBtn2, EraseBtn2, ReturnButton2}) SideColumn->addWidget(b);
    SideColumn->addStretch(1);
    connect(NewBtn2, &QPushButton::clicked, this, &TPrintRihaForm::NewBtnClick);
    connect(AllBtn2, &QPushButton::clicked, this, &TPrintRihaForm::AllBtnClick);
    connect(AllSelectBtn2, &QPushButton::clicked, List, &lum::KanaRowPrintList::SelectAll);
    connect(EraseBtn2, &QPushButton::clicked, List, &lum::KanaRowPrintList::ClearSelection);
    connect(ReturnButton2, &QPushButton::clicked, this, &QWidget::close);

    frUserDataset1.RangeEnd = lum::reCount;
    frUserDataset1.RangeEndCount = 0;
    Components.addDataSource(&frUserDataset1);
    frReport1.ReportType = lum::rtMultiple;
    frReport1.Dataset = &frUserDataset1;
    frReport1.OnBeginPage = [this](int) { BeginPage(); };
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& value) { GetValue(name, value); };
    frReport1.OnEnterRect = [this](QStringList& memo, lum::TfrView* view) { EnterRect(memo, view); };
}

TPrintRihaForm::~TPrintRihaForm() { Components.remove(frUserDataset1.Name); }

QString TPrintRihaForm::ListSql(bool recent) const {
    // The plan itself (PlanData, the chart) is read page by page.
    return QStringLiteral(
               "SELECT RihaPlan.PlanNo, Person.CureNo, RihaPlan.PlanRegistDay, RihaPlan.PlanEndDay, Person.RihaType, "
               "Person.KubunCode, Person.Name, Person.Kana "
               "FROM Person INNER JOIN RihaPlan ON Person.CureNo = RihaPlan.CureNo ") +
           (recent ? QStringLiteral("WHERE ( RihaPlan.PlanRegistDay >= :from ) ") : QString()) +
           QStringLiteral("ORDER BY Person.Kana, Person.CureNo, RihaPlan.PlanRegistDay, RihaPlan.PlanNo");
}

void TPrintRihaForm::PrintRows(const QVector<QSqlRecord>& rows) {
    PrintChosen(rows, QStringLiteral("PlanNo"), frUserDataset1, kTemplate);
    // The list is read again before the next printout.
    List->clear();
}

void TPrintRihaForm::BeginPage() {
    const std::optional<int> planNo = PlanToRead(frUserDataset1.RecNo());
    if (!planNo) return;
    const lum::PlanStore store(lum::requireFacilityDatabase());
    // A plan deleted since the list was read prints nothing of another plan.
    plan_ = store.LoadPlanRow(*planNo).value_or(lum::TPlan{});
    chart_ = lum::renderBodyChart(lum::chartFromRows(store.LoadFigures(*planNo)));
}

void TPrintRihaForm::GetValue(const QString& name, lum::ExprValue& value) {
    if (std::optional<lum::ExprValue> v = lum::curePlanValue(plan_, lum::printFacilityName(), name)) value = *v;
}

void TPrintRihaForm::EnterRect(QStringList& memo, lum::TfrView* view) {
    lum::enterCurePlanObject(plan_, chart_, memo, view);
}
