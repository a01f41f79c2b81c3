#include "printing/print_limit_riha_form.h"

#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "plans/print_outstanding_form.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "printing/print_window.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

TPrintLimitRihaForm* PrintLimitRihaForm = nullptr;

const QString TPrintLimitRihaForm::kTemplateFile = QStringLiteral("PrintLimit.frf");

namespace {

const QString kCaption = QStringLiteral("計画書期限参照（印刷）");

// The latest plan's day as the list and the printout show it.
QString latestPlanText(const QVariant& stored) { return lum::outstandingAdmissionText(stored); }

QVector<lum::KanaRowListColumn> listColumns() {
    const auto field = [](const char* name, auto text) {
        return [name, text](const QSqlRecord& r) { return text(r.value(QString::fromLatin1(name))); };
    };
    return {
        lum::cureNoColumn(76, QStringLiteral("利用者番号")),
        {QStringLiteral("Name"), 130, QStringLiteral("氏名"), {}},
        {QStringLiteral("MaxRegistDay"), 124, QStringLiteral("登録(実施)日"), field("MaxRegistDay", latestPlanText)},
        {QStringLiteral("RihaType"), 100, QStringLiteral("リハビリ形態"), field("RihaType", lum::outstandingTypeText)},
        {QStringLiteral("KubunCode"), 180, QStringLiteral("区分"), field("KubunCode", lum::outstandingKubunText)},
    };
}

}  // namespace

TPrintLimitRihaForm::TPrintLimitRihaForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    MainPanel = lum::setUpPrintWindow(*this, QStringLiteral("PrintLimitRihaForm"), kCaption, QSize(680, 580));
    auto* title = lum::printWindowTitle(QStringLiteral("計　画　書　期　限　参　照"), MainPanel);
    title->setAlignment(Qt::AlignCenter);
    auto* note = lum::printWindowLabel(QStringLiteral("入所中の人で、現在の計画書がない"), MainPanel);
    PlanBtn = lum::printWindowButton("PlanBtn", QStringLiteral("リハビリ治療計画書表示"), MainPanel);
    PractBtn = lum::printWindowButton("PractBtn", QStringLiteral("リハビリ実施計画書表示"), MainPanel);
    for (QPushButton* b : {PlanBtn, PractBtn}) b->setMinimumWidth(200);

    lum::KanaRowListOptions options;
    options.showAllCaption = QStringLiteral("全て");
    List = new lum::KanaRowPrintList(MainPanel, listColumns(), options);
    List->setObjectName(QStringLiteral("KanaRowList"));
    PrintBtn = lum::printWindowButton("PrintBtn", QStringLiteral("印刷"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);
    for (QPushButton* b : {PrintBtn, ReturnButton}) b->setMinimumWidth(120);
    List->LayOutPanel(MainPanel, title, note, {PlanBtn, PractBtn}, {PrintBtn, ReturnButton}, lum::uiFont(10));

    Components.addDataSource(&frDBDataSet1);
    frReport1.Title = kCaption;
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& value) { GetValue(name, value); };

    connect(PlanBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PlanBtnClick);
    connect(PractBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PractBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    EnableListButtons(false);
    PrintBtn->setEnabled(false);
}

TPrintLimitRihaForm::~TPrintLimitRihaForm() {
    CloseQuery();
    Components.remove(frDBDataSet1.Name);
}

void TPrintLimitRihaForm::EnableListButtons(bool on) { List->EnableListButtons(on); }

void TPrintLimitRihaForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    lum::enterFromPrintMenu(*this);
    CloseQuery();
    List->clear();
    EnableListButtons(false);
    PrintBtn->setEnabled(false);
    PlanBtn->setFocus();
}

void TPrintLimitRihaForm::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseQuery();
    List->clear();
    lum::returnToPrintMenu();
}

void TPrintLimitRihaForm::CloseQuery() {
    frDBDataSet1.SetDataSet(nullptr);
    PrintLimitRihaQuery.reset();
}

void TPrintLimitRihaForm::PlanBtnClick() { ShowList(lum::PlanDeadlineKind::Treatment); }
void TPrintLimitRihaForm::PractBtnClick() { ShowList(lum::PlanDeadlineKind::Practice); }

void TPrintLimitRihaForm::ShowList(lum::PlanDeadlineKind kind) {
    // A kana filter in force stays in force over the new list.
    std::unique_ptr<lum::SqlQueryDataSet> query;
    try {
        query = std::make_unique<lum::SqlQueryDataSet>(
            lum::PrintLimitRihaQuery(lum::requireFacilityDatabase(), kind, lum::today()));
        query->rowFilter = List->rowFilter();
        query->open();
    } catch (const std::exception&) {
        // The list on show, if any, and the buttons stay as they were.
        lum::message(lum::MsgKind::Information, lum::PrintListFailedText, lum::MsgButton::Ok, this);
        return;
    }
    CloseQuery();
    PrintLimitRihaQuery = std::move(query);
    List->load(PrintLimitRihaQuery->query());
    if (List->loadedCount() == 0) return;
    EnableListButtons(true);
    PrintBtn->setEnabled(true);
}

void TPrintLimitRihaForm::PrintBtnClick() {
    if (!PrintLimitRihaQuery || !PrintLimitRihaQuery->isOpen()) return;
    frDBDataSet1.SetDataSet(PrintLimitRihaQuery.get());
    if (frReport1.LoadTemplateFromFile(lum::printTemplatePath(kTemplateFile))) frReport1.PrepareAndShow();
    // Printed or not, the list is empty until a list button is pressed again.
    CloseQuery();
    List->clear();
}

void TPrintLimitRihaForm::GetValue(const QString& name, lum::ExprValue& value) {
    const QString n = name.toUpper();
    if (n == u"SAKUSEIBI") {
        value = lum::ExprValue(lum::DateToEraText(lum::TDateTime::fromDateTime(lum::now())));
        return;
    }
    if (n == u"HOME") {
        value = lum::ExprValue(lum::printFacilityName());
        return;
    }
    if (!PrintLimitRihaQuery || !PrintLimitRihaQuery->query().isValid()) return;
    const QSqlRecord row = PrintLimitRihaQuery->query().record();
    if (n == u"CURENO")
        value = lum::ExprValue(QString::number(row.value(QStringLiteral("CureNo")).toInt()));
    else if (n == u"NAME")
        value = lum::ExprValue(row.value(QStringLiteral("Name")).toString());
    else if (n == u"STOREDAY")
        value = lum::ExprValue(latestPlanText(row.value(QStringLiteral("MaxRegistDay"))));
    else if (n == u"RIHATYPE")
        value = lum::ExprValue(lum::outstandingTypeText(row.value(QStringLiteral("RihaType"))));
}
