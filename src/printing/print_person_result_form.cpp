#include "printing/print_person_result_form.h"

#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "plans/print_outstanding_form.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "printing/print_window.h"
#include "widgets/ui_font.h"
#include "widgets/up_down.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

TPrintPersonResultForm* PrintPersonResultForm = nullptr;

const QString TPrintPersonResultForm::kTemplateFile = QStringLiteral("PrintPersonKirokusho.frf");

using lum::MsgButton;
using lum::MsgKind;

namespace lum {

QSqlQuery SelectPlanPersonQuery(db::Database& database, TDateTime month) {
    // The list needs no PlanData: the print reads the latest plan again.
    QSqlQuery q = database.prepare(QStringLiteral(
        "SELECT RihaPlan.PlanNo, RihaPlan.CureNo, Person.Kana, Person.Name, Person.Sex, Person.Birth, "
        "Person.RihaType, Person.Jiritsu_KBN, Person.Ninchi_KBN, Person.YOUKAIGO_KBN, "
        "RihaPlan.PlanRegistDay, RihaPlan.PlanEndDay "
        "FROM RihaPlan INNER JOIN Person ON RihaPlan.CureNo = Person.CureNo "
        "WHERE ( RihaPlan.PlanRegistDay < :nextMonth ) AND ( RihaPlan.PlanEndDay >= :firstDay ) "
        "ORDER BY RihaPlan.CureNo, RihaPlan.PlanNo"));
    const DateRange range = monthRange(month);
    db::bindDate(q, QStringLiteral(":nextMonth"), range.end);
    db::bindDate(q, QStringLiteral(":firstDay"), range.begin);
    return q;
}

}  // namespace lum

namespace {

const QString kCaption = QStringLiteral("リハビリ実績記録書（印刷）");

QString planDayText(const QVariant& stored) { return lum::outstandingAdmissionText(stored); }

QVector<lum::KanaRowListColumn> listColumns() {
    const auto field = [](const char* name, auto text) {
        return [name, text](const QSqlRecord& r) { return text(r.value(QString::fromLatin1(name))); };
    };
    return {
        lum::cureNoColumn(76, QStringLiteral("治療番号")),
        {QStringLiteral("Kana"), 130, QStringLiteral("カナ"), {}},
        {QStringLiteral("Name"), 130, QStringLiteral("氏名"), {}},
        {QStringLiteral("RihaType"), 100, QStringLiteral("リハビリ形態"), field("RihaType", lum::outstandingTypeText)},
        {QStringLiteral("PlanRegistDay"), 130, QStringLiteral("計画登録日"), field("PlanRegistDay", planDayText)},
    };
}

}  // namespace

TPrintPersonResultForm::TPrintPersonResultForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    MainPanel = lum::setUpPrintWindow(*this, QStringLiteral("PrintPersonResultForm"), kCaption, QSize(680, 600));
    auto* title = lum::printWindowTitle(QStringLiteral("リハビリ実績記録書"), MainPanel);
    title->setAlignment(Qt::AlignCenter);

    auto* monthCaption = lum::printWindowLabel(QStringLiteral("実施年月"), MainPanel, 11);
    YearMonthLabel = new QLabel(MainPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setFont(lum::uiFont(14, QFont::Bold));
    YearMonthLabel->setMinimumWidth(170);
    YearMonthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Hizuke = new lum::UpDown(QStringLiteral("Hizuke"), MainPanel);
    DisplayBtn = lum::printWindowButton("DisplayBtn", QStringLiteral("抽出"), MainPanel);
    CountLabel = lum::printWindowLabel(QString(), MainPanel, 11);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CountLabel->setMinimumWidth(140);
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(monthCaption);
    monthRow->addWidget(YearMonthLabel);
    monthRow->addWidget(Hizuke);
    monthRow->addSpacing(16);
    monthRow->addWidget(DisplayBtn);
    monthRow->addSpacing(16);
    monthRow->addWidget(CountLabel);
    monthRow->addStretch(1);

    lum::KanaRowListOptions options;
    options.selectionButtons = true;
    options.titles = true;
    List = new lum::KanaRowPrintList(MainPanel, listColumns(), options);
    List->setObjectName(QStringLiteral("KanaRowList"));
    List->DBGrid1->setFixedWidth(List->GridWidth() + 18);  // and the scroll bar
    List->DBGrid1->setFont(lum::uiFont(9));

    PrintBtn = lum::printWindowButton("PrintBtn", QStringLiteral("印刷"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);
    auto* hint = lum::printWindowLabel(QStringLiteral("リストから利用者を\n選択し印刷します。"), MainPanel);

    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addLayout(monthRow);
    layout->addWidget(List->DBGrid1, 1);
    layout->addLayout(List->KanaButtonRow(80));
    auto* commands = new QHBoxLayout;
    commands->addWidget(hint);
    commands->addStretch(1);
    commands->addWidget(List->AllSelectBtn);
    commands->addWidget(List->EraseBtn);
    commands->addSpacing(12);
    commands->addWidget(PrintBtn);
    commands->addWidget(ReturnButton);
    for (QPushButton* b : {List->AllSelectBtn, List->EraseBtn}) b->setMinimumSize(80, 34);
    layout->addLayout(commands);

    QList<QWidget*> chain = {Hizuke, DisplayBtn, List->DBGrid1};
    for (QPushButton* b : List->KanaButtons) chain << b;
    chain << List->AllDispBtn << List->AllSelectBtn << List->EraseBtn << PrintBtn << ReturnButton;
    lum::setTabChain(chain);

    // One copy of the template's pages per selected client; the day band
    // counts the month's days.
    frUserDataset1.RangeEnd = lum::reCount;
    frUserDataset2.RangeEnd = lum::reCount;
    Components.addDataSource(&frUserDataset1);
    Components.addDataSource(&frUserDataset2);
    frReport1.ReportType = lum::rtMultiple;
    frReport1.Dataset = &frUserDataset1;
    frReport1.Title = kCaption;
    // A Cancel lets the client in hand print whole.
    frReport1.FinishRecordOnCancel = true;
    frReport1.OnBeginDoc = [this] {
        builtRecord_ = -1;
        runFailed_ = false;
    };
    frReport1.OnBeginPage = [this](int) { BeginPage(); };
    // A run stopped by a failure shows nothing, as a single record would.
    frReport1.OnEndDoc = [this] {
        if (runFailed_) frReport1.EMFPages.Clear();
    };
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& answer) {
        if (std::optional<lum::ExprValue> v = Record.Value(name, frUserDataset2.RecNo())) answer = *v;
    };

    connect(Hizuke, &lum::UpDown::stepped, this, &TPrintPersonResultForm::HizukeClick);
    connect(DisplayBtn, &QPushButton::clicked, this, &TPrintPersonResultForm::DisplayBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintPersonResultForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);

    SetMonth(lum::TDateTime::fromDate(lum::today()));
    EnableCommands(false);
}

TPrintPersonResultForm::~TPrintPersonResultForm() {
    Components.remove(frUserDataset1.Name);
    Components.remove(frUserDataset2.Name);
}

void TPrintPersonResultForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    lum::enterFromPrintMenu(*this);
    CloseList();
    SetMonth(lum::TDateTime::fromDate(lum::today()));
    YearMonthLabel->setText(lum::DateToEraSpacedMonthText(Month));
    DisplayBtn->setFocus();
}

void TPrintPersonResultForm::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseList();
    CureNos.clear();
    lum::returnToPrintMenu();
}

void TPrintPersonResultForm::SetMonth(lum::TDateTime anyDay) {
    Month = lum::monthRange(anyDay).begin;
    YearMonthLabel->setText(lum::DateToEraMonthText(Month));
}

void TPrintPersonResultForm::EnableCommands(bool on) {
    List->EnableListButtons(on);
    List->AllSelectBtn->setEnabled(on);
    List->EraseBtn->setEnabled(on);
    PrintBtn->setEnabled(on);
}

void TPrintPersonResultForm::CloseList() {
    List->clear();
    CountLabel->clear();  // the count goes with the rows it counted
    EnableCommands(false);
}

void TPrintPersonResultForm::HizukeClick(int direction) {
    CloseList();
    Hizuke->setEnabled(false);
    SetMonth(lum::TDateTime::fromDate(Month.date().addMonths(direction > 0 ? 1 : -1)));
    Hizuke->setEnabled(true);
}

void TPrintPersonResultForm::DisplayBtnClick() {
    CloseList();
    try {
        lum::db::Database& db = lum::requireFacilityDatabase();
        QSqlQuery q = lum::SelectPlanPersonQuery(db, Month);
        db.exec(q);
        List->load(q);
    } catch (const std::exception&) {
        List->clear();
        lum::message(MsgKind::Information, lum::PrintListFailedText, MsgButton::Ok, this);
        return;
    }
    if (List->loadedCount() == 0) {
        List->clear();
        lum::message(MsgKind::Error, QStringLiteral("条件に該当する計画書がありません。"), MsgButton::Abort, this);
        return;
    }
    CountLabel->setText(QStringLiteral("抽出件数　%1件").arg(List->loadedCount()));
    EnableCommands(true);
}

void TPrintPersonResultForm::PrintBtnClick() {
    if (!List->isLoaded()) {
        lum::message(MsgKind::Information, QStringLiteral("抽出データがありません。"), MsgButton::Ok, this);
        return;
    }
    const QVector<QSqlRecord> selected = List->selectedRows();
    if (selected.isEmpty()) {
        lum::message(MsgKind::Information, QStringLiteral("選択データがありません。"), MsgButton::Ok, this);
        return;
    }
    CureNos.clear();
    for (const QSqlRecord& row : selected) CureNos.push_back(row.value(QStringLiteral("CureNo")).toInt());
    try {
        staff_ = lum::RunStaffList();
    } catch (const std::exception&) {
        staff_.clear();
    }
    Record.Clear();
    Record.SetMonth(Month);
    frUserDataset1.RangeEndCount = static_cast<int>(CureNos.size());
    frUserDataset2.RangeEndCount = Record.DayCount();
    if (frReport1.LoadTemplateFromFile(lum::printTemplatePath(kTemplateFile))) frReport1.PrepareAndShow();
    // Printed or not, the list is empty until the next 抽出 (印刷 then says
    // so), and its count goes with it.
    List->clear();
    CountLabel->clear();
}

void TPrintPersonResultForm::BeginPage() {
    const int r = frUserDataset1.RecNo();
    if (runFailed_ || r < 0 || r >= static_cast<int>(CureNos.size())) return;
    // A client's continuation pages keep the record built for its first.
    if (r == builtRecord_) return;
    builtRecord_ = r;
    using Outcome = lum::MonthRecordReport::Outcome;
    const Outcome outcome = Record.Build(lum::requireFacilityDatabase(), CureNos[static_cast<size_t>(r)], Month, staff_);
    Record.FacilityName = lum::printFacilityName();
    switch (outcome) {
    case Outcome::Built:
        return;
    case Outcome::NoPlan:
        // The plan went after 抽出: the pages carry the client's number and
        // day lines and no one else's heading.
        lum::message(MsgKind::Information, lum::MonthRecordReport::NoPlanText(), MsgButton::Ok, this);
        return;
    case Outcome::PlanFailed:
    case Outcome::LinesFailed:
        runFailed_ = true;
        frReport1.Terminated = true;
        lum::message(outcome == Outcome::PlanFailed ? MsgKind::Error : MsgKind::Information,
                     lum::MonthRecordReport::FailureText(outcome) + u'\n' + Record.LastError, MsgButton::Ok, this);
        return;
    }
}
