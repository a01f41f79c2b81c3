#include "printing/plan_print_list_form.h"

#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/kubun.h"
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
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

namespace lum {

TDateTime recentPlansFrom(QDate today) {
    const QDate back = today.addMonths(-3);
    return TDateTime::fromDate(QDate(back.year(), back.month(), 1).addDays(1));
}

}  // namespace lum

namespace {

const QString kNothingChosen = QStringLiteral("選択データがありません。");

}  // namespace

TPlanPrintListForm::TPlanPrintListForm(const Layout& layout, QWidget* parent)
    : QWidget(parent, Qt::Window), Components(layout.objectName) {
    MainPanel = lum::setUpPrintWindow(*this, layout.objectName, layout.caption, layout.panel);
    auto* title = lum::printWindowTitle(layout.title, MainPanel);

    NewBtn = lum::printWindowButton("NewBtn", QStringLiteral("最新"), MainPanel);
    NewBtn->setToolTip(QStringLiteral("３ヶ月以内の利用者"));
    AllBtn = lum::printWindowButton("AllBtn", QStringLiteral("全て"), MainPanel);
    AllBtn->setToolTip(QStringLiteral("全ての利用者"));

    lum::KanaRowListOptions options;
    options.selectionButtons = true;
    options.titles = true;
    List = new lum::KanaRowPrintList(MainPanel, layout.columns, options);
    List->setObjectName(QStringLiteral("KanaRowList"));
    List->DBGrid1->setFont(lum::uiFont(9));
    List->DBGrid1->setMinimumWidth(List->GridWidth());

    PrintBtn = lum::printWindowButton("PrintBtn", QStringLiteral("印刷"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);

    auto* steps = new QVBoxLayout;
    steps->setSpacing(6);
    auto* step1 = new QHBoxLayout;
    step1->addWidget(lum::printWindowLabel(QStringLiteral("手順１．誰の計画書を印刷するのか？"), MainPanel));
    step1->addWidget(lum::printWindowLabel(QStringLiteral("指定して下さい。"), MainPanel));
    step1->addStretch(1);
    steps->addLayout(step1);
    auto* fill = new QHBoxLayout;
    fill->addWidget(lum::printWindowLabel(QStringLiteral("<<<<<　画面表示 >>>>>"), MainPanel));
    fill->addWidget(NewBtn);
    fill->addWidget(AllBtn);
    fill->addStretch(1);
    steps->addLayout(fill);
    steps->addWidget(List->DBGrid1, 1);
    steps->addLayout(List->KanaButtonRow(80));
    auto* selection = new QHBoxLayout;
    selection->addWidget(lum::printWindowLabel(QStringLiteral("<<<<<　一括選択 >>>>>"), MainPanel));
    for (QPushButton* b : {List->AllSelectBtn, List->EraseBtn}) {
        b->setMinimumSize(96, 30);
        selection->addWidget(b);
    }
    selection->addStretch(1);
    steps->addLayout(selection);
    auto* print = new QHBoxLayout;
    print->addWidget(lum::printWindowLabel(QStringLiteral("手順２.印刷実行して下さい。"), MainPanel));
    print->addStretch(1);
    print->addWidget(PrintBtn);
    print->addWidget(ReturnButton);
    steps->addLayout(print);

    SideColumn = new QVBoxLayout;
    SideColumn->setSpacing(6);
    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addLayout(steps, 1);
    body->addLayout(SideColumn);
    auto* outer = new QVBoxLayout(MainPanel);
    outer->setContentsMargins(16, 10, 16, 12);
    outer->setSpacing(8);
    outer->addWidget(title, 0, Qt::AlignHCenter);
    outer->addLayout(body, 1);

    QList<QWidget*> chain = {NewBtn, AllBtn, List->DBGrid1};
    for (QPushButton* b : List->KanaButtons) chain << b;
    chain << List->AllDispBtn << List->AllSelectBtn << List->EraseBtn << PrintBtn << ReturnButton;
    lum::setTabChain(chain);

    frReport1.Title = layout.caption;
    // A Cancel lets the plan in hand print whole.
    frReport1.FinishRecordOnCancel = true;

    connect(NewBtn, &QPushButton::clicked, this, &TPlanPrintListForm::NewBtnClick);
    connect(AllBtn, &QPushButton::clicked, this, &TPlanPrintListForm::AllBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TPlanPrintListForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

TPlanPrintListForm::~TPlanPrintListForm() = default;

void TPlanPrintListForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    lum::enterFromPrintMenu(*this);
    List->clear();
    EnableListButtons(false);
    for (QPushButton* b : {List->AllSelectBtn, List->EraseBtn, PrintBtn}) b->setEnabled(false);
    NewBtn->setFocus();
}

void TPlanPrintListForm::closeEvent(QCloseEvent* event) {
    event->accept();
    List->clear();
    lum::returnToPrintMenu();
}

void TPlanPrintListForm::NewBtnClick() { FillList(true); }

void TPlanPrintListForm::AllBtnClick() {
    List->ShowAll();
    FillList(false);
}

void TPlanPrintListForm::FillList(bool recent) {
    List->clear();
    try {
        lum::db::Database& db = lum::requireFacilityDatabase();
        QSqlQuery query = db.prepare(ListSql(recent));
        if (recent) lum::db::bindDate(query, QStringLiteral(":from"), lum::recentPlansFrom(lum::today()));
        db.exec(query);
        List->load(query);
    } catch (const std::exception&) {
        List->clear();
        lum::message(lum::MsgKind::Information, lum::PrintListFailedText, lum::MsgButton::Ok, this);
        return;
    }
    // An empty list leaves the buttons as they were.
    if (List->loadedCount() == 0) return;
    EnableListButtons(true);
    for (QPushButton* b : {List->AllSelectBtn, List->EraseBtn, PrintBtn}) b->setEnabled(true);
}

QString TPlanPrintListForm::NoListMessage() const { return kNothingChosen; }

void TPlanPrintListForm::PrintBtnClick() {
    if (!List->isLoaded()) {
        lum::message(lum::MsgKind::Information, NoListMessage(), lum::MsgButton::Ok, this);
        return;
    }
    const QVector<QSqlRecord> rows = List->selectedRows();
    if (rows.isEmpty()) {
        lum::message(lum::MsgKind::Information, kNothingChosen, lum::MsgButton::Ok, this);
        return;
    }
    PrintRows(rows);
}

std::optional<int> TPlanPrintListForm::PrintChosen(const QVector<QSqlRecord>& rows, const QString& numberField,
                                                   lum::TfrUserDataset& perPlan, const QString& templateName) {
    chosen_.clear();
    for (const QSqlRecord& r : rows) chosen_.push_back(r.value(numberField).toInt());
    perPlan.RangeEndCount = int(chosen_.size());
    readRecord_ = -1;
    if (frReport1.LoadTemplateFromFile(lum::printTemplatePath(templateName))) frReport1.PrepareAndShow();
    std::optional<int> last;
    if (readRecord_ >= 0) last = chosen_[size_t(readRecord_)];
    chosen_.clear();
    readRecord_ = -1;
    return last;
}

std::optional<int> TPlanPrintListForm::PlanToRead(int record) {
    if (record == readRecord_ || record < 0 || record >= int(chosen_.size())) return std::nullopt;
    readRecord_ = record;
    return chosen_[size_t(record)];
}

lum::KanaRowListColumn TPlanPrintListForm::TypeColumn(int width) {
    return {QStringLiteral("RihaType"), width, QStringLiteral("リハビリ形態"),
            [](const QSqlRecord& r) { return lum::RihaTypeNames.at(r.value(QStringLiteral("RihaType")).toInt()); }};
}

lum::KanaRowListColumn TPlanPrintListForm::KubunColumn(int width) {
    return {QStringLiteral("KubunCode"), width, QStringLiteral("リハビリ区分"),
            [](const QSqlRecord& r) { return lum::KubunLongText(r.value(QStringLiteral("KubunCode")).toInt()); }};
}

lum::KanaRowListColumn TPlanPrintListForm::DateColumn(const QString& field, int width, const QString& title,
                                                      std::function<QString(lum::TDateTime)> text) {
    return {field, width, title, [field, text](const QSqlRecord& r) {
                try {
                    return text(lum::db::readDate(r.value(field)));
                } catch (const std::exception&) {
                    return QString();
                }
            }};
}
