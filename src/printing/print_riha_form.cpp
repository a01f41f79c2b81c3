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
    const auto registDay = [](const QSqlRecord& r) {
        try {
            return lum::DateToEraShortText(lum::db::readDate(r.value(QStringLiteral("PlanRegistDay"))));
        } catch (const std::exception&) {
            return QString();
        }
    };
    const auto type = [](const QSqlRecord& r) { return lum::RihaTypeNames.at(r.value(QStringLiteral("RihaType")).toInt()); };
    const auto kubun = [](const QSqlRecord& r) { return lum::KubunLongText(r.value(QStringLiteral("KubunCode")).toInt()); };
    return {
        lum::cureNoColumn(80, QStringLiteral("利用者番号")),
        {QStringLiteral("Name"), 130, QStringLiteral("氏名"), {}},
        {QStringLiteral("PlanRegistDay"), 130, QStringLiteral("登録日（治療計画）"), registDay},
        {QStringLiteral("RihaType"), 100, QStringLiteral("リハビリ形態"), type},
        {QStringLiteral("KubunCode"), 170, QStringLiteral("リハビリ区分"), kubun},
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
    PlanNos.clear();
    for (const QSqlRecord& r : rows) PlanNos.push_back(r.value(QStringLiteral("PlanNo")).toInt());
    frUserDataset1.RangeEndCount = int(PlanNos.size());
    loadedRecord_ = -1;
    RunReport(kTemplate);
    // The list is read again before the next printout.
    List->clear();
    PlanNos.clear();
    loadedRecord_ = -1;
}

void TPrintRihaForm::BeginPage() {
    // Every page of a record starts here; its plan is read once.
    const int record = frUserDataset1.RecNo();
    if (record == loadedRecord_ || record < 0 || record >= int(PlanNos.size())) return;
    loadedRecord_ = record;
    const lum::PlanStore store(lum::requireFacilityDatabase());
    const int planNo = PlanNos[size_t(record)];
    // A plan deleted since the list was read prints nothing of another plan.
    plan_ = store.LoadPlanRow(planNo).value_or(lum::TPlan{});
    chart_ = lum::renderBodyChart(lum::chartFromRows(store.LoadFigures(planNo)));
}

void TPrintRihaForm::GetValue(const QString& name, lum::ExprValue& value) {
    if (std::optional<lum::ExprValue> v = lum::curePlanValue(plan_, lum::printFacilityName(), name)) value = *v;
}

void TPrintRihaForm::EnterRect(QStringList& memo, lum::TfrView* view) {
    lum::enterCurePlanObject(plan_, chart_, memo, view);
}
