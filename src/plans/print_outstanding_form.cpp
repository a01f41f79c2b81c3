#include "plans/print_outstanding_form.h"

#include "app/app_folder.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "common/code_tables.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "common/text_helpers.h"
#include "plans/document_form.h"
#include "plans/paper_menu_form.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

TPrintOutstandingForm* PrintOutstandingForm = nullptr;

namespace lum {

const QString OutstandingPlanSql = QStringLiteral(
    "SELECT Person.CureNo, Person.Name, Person.Kana, Person.NYUSHOBI_YMD, Person.RihaType, Person.KubunCode, "
    "RihaPlan.PlanRegistDay "
    "FROM Person LEFT JOIN RihaPlan ON Person.CureNo = RihaPlan.CureNo "
    "WHERE ( RihaPlan.PlanRegistDay Is Null ) "
    "ORDER BY Person.CureNo");

const QString OutstandingPracticeSql = QStringLiteral(
    "SELECT Person.CureNo, Person.Name, Person.Kana, Person.NYUSHOBI_YMD, Person.RihaType, Person.KubunCode, "
    "Practice.PrcticeDay "
    "FROM Person LEFT JOIN Practice ON Person.CureNo = Practice.CureNo "
    "WHERE ( Practice.PrcticeDay Is Null ) "
    "ORDER BY Person.CureNo");

QString outstandingAdmissionText(const QVariant& stored) {
    // No admission date (0 or NULL) shows nothing, not the first day of the calendar.
    try {
        const TDateTime day = db::readDate(stored);
        return day.isEmpty() ? QString() : DateToEraText(day);
    } catch (const std::exception&) {
        return QString();
    }
}

QString outstandingTypeText(const QVariant& rihaType) { return RihaTypeNames.at(rihaType.toInt()); }

QString outstandingKubunText(const QVariant& kubunCode) { return KubunLongText(kubunCode.toInt()); }

}  // namespace lum

namespace {

const QString kTemplate = QStringLiteral("OutStandingList.frf");
const QString kListFailed = QStringLiteral("System Error\n表示に失敗しました。");

QLabel* panelLabel(const QString& text, QWidget* parent, int size = 10, QFont::Weight weight = QFont::Normal) {
    auto* label = new QLabel(text, parent);
    label->setFont(lum::uiFont(size, weight));
    return label;
}

QPushButton* panelButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(true);  // Enter presses it while it has the focus
    return button;
}

QVector<lum::KanaRowListColumn> listColumns() {
    using lum::KanaRowListColumn;
    const auto field = [](const char* name, auto text) {
        return [name, text](const QSqlRecord& r) { return text(r.value(QString::fromLatin1(name))); };
    };
    return {
        lum::cureNoColumn(70, QStringLiteral("利用者番号")),
        {QStringLiteral("Name"), 120, QStringLiteral("氏名"), {}},
        {QStringLiteral("NYUSHOBI_YMD"), 112, QStringLiteral("入所(開始)日"),
         field("NYUSHOBI_YMD", lum::outstandingAdmissionText)},
        {QStringLiteral("RihaType"), 93, QStringLiteral("リハビリ形態"), field("RihaType", lum::outstandingTypeText)},
        {QStringLiteral("KubunCode"), 185, QStringLiteral("区分"), field("KubunCode", lum::outstandingKubunText)},
    };
}

}  // namespace

TPrintOutstandingForm::TPrintOutstandingForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("PrintOutstandingForm"));
    setWindowTitle(QStringLiteral("計画書未登録者リスト(印刷)"));
    setFont(lum::uiFont(10));
    resize(800, 640);
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto* title = panelLabel(QStringLiteral("利　用　者　リ　ス　ト"), MainPanel, 16, QFont::Bold);
    title->setAlignment(Qt::AlignCenter);
    auto* note = panelLabel(QStringLiteral("入所中の人で、計画書がない"), MainPanel);
    PlanBtn = panelButton("PlanBtn", QStringLiteral("リハビリ治療計画書表示"), MainPanel);
    PlanBtn->setToolTip(QStringLiteral("３ヶ月以内の利用者"));
    PractBtn = panelButton("PractBtn", QStringLiteral("リハビリ実施計画書表示"), MainPanel);
    PractBtn->setToolTip(QStringLiteral("全ての利用者"));
    for (QPushButton* b : {PlanBtn, PractBtn}) b->setMinimumSize(200, 34);

    lum::KanaRowListOptions options;
    options.showAllCaption = QStringLiteral("全て");
    List = new lum::KanaRowPrintList(MainPanel, listColumns(), options);
    List->setObjectName(QStringLiteral("KanaRowList"));
    PrintBtn = panelButton("PrintBtn", QStringLiteral("印刷"), MainPanel);
    ReturnButton = panelButton("ReturnButton", QStringLiteral("戻る"), MainPanel);
    for (QPushButton* b : {PrintBtn, ReturnButton}) b->setMinimumSize(120, 34);
    List->LayOutPanel(MainPanel, title, note, {PlanBtn, PractBtn}, {PrintBtn, ReturnButton}, lum::uiFont(10));

    lum::keepCentred(*MainPanel, {lum::Centring::Area::Outer, std::nullopt});

    Components.addDataSource(&frDBDataSet1);
    frReport1.Title = QStringLiteral("計画書一覧");
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& value) { GetValue(name, value); };

    connect(PlanBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PlanBtnClick);
    connect(PractBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PractBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

TPrintOutstandingForm::~TPrintOutstandingForm() {
    CloseQuery();
    Components.remove(frDBDataSet1.Name);
}

void TPrintOutstandingForm::EnableListButtons(bool on) { List->EnableListButtons(on); }

void TPrintOutstandingForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (PaperMenuForm) PaperMenuForm->hide();
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    EnableListButtons(false);
    PrintBtn->setEnabled(false);
    // It takes the menu's place, keyboard included.
    activateWindow();
    PlanBtn->setFocus();
}

void TPrintOutstandingForm::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseQuery();
    List->clear();
    if (PaperMenuForm) PaperMenuForm->show();
}

void TPrintOutstandingForm::CloseQuery() {
    frDBDataSet1.SetDataSet(nullptr);
    PrintOutStandingQuery.reset();
}

void TPrintOutstandingForm::PlanBtnClick() { ShowList(lum::OutstandingPlanSql); }
void TPrintOutstandingForm::PractBtnClick() { ShowList(lum::OutstandingPracticeSql); }

void TPrintOutstandingForm::ShowList(const QString& sql) {
    EnableListButtons(false);
    PrintBtn->setEnabled(false);
    CloseQuery();
    // A new list starts unfiltered.
    List->ShowAll();
    List->clear();
    try {
        PrintOutStandingQuery = std::make_unique<lum::SqlQueryDataSet>(lum::requireFacilityDatabase().prepare(sql));
        PrintOutStandingQuery->rowFilter = List->rowFilter();
        PrintOutStandingQuery->open();
        List->load(PrintOutStandingQuery->query());
    } catch (const std::exception&) {
        CloseQuery();
        List->clear();
        lum::message(lum::MsgKind::Information, kListFailed, lum::MsgButton::Ok, this);
        return;
    }
    if (List->loadedCount() == 0) return;
    EnableListButtons(true);
    PrintBtn->setEnabled(true);
}

void TPrintOutstandingForm::PrintBtnClick() {
    if (!PrintOutStandingQuery || !PrintOutStandingQuery->isOpen()) return;
    frDBDataSet1.SetDataSet(PrintOutStandingQuery.get());
    const QString dir = TemplateDir.isEmpty() ? lum::applicationFolder() : TemplateDir;
    if (!frReport1.LoadTemplateFromFile(QDir(dir).filePath(kTemplate))) return;
    frReport1.PrepareAndShow();
}

void TPrintOutstandingForm::GetValue(const QString& name, lum::ExprValue& value) {
    if (!PrintOutStandingQuery || !PrintOutStandingQuery->query().isValid()) return;
    const QSqlRecord row = PrintOutStandingQuery->query().record();
    if (name.compare(u"CureNo", Qt::CaseInsensitive) == 0)
        value = lum::ExprValue(lum::CureNoText(row.value(QStringLiteral("CureNo")).toInt()));
    else if (name.compare(u"Name", Qt::CaseInsensitive) == 0)
        value = lum::ExprValue(row.value(QStringLiteral("Name")).toString());
    else if (name.compare(u"Nyusho", Qt::CaseInsensitive) == 0)
        value = lum::ExprValue(lum::outstandingAdmissionText(row.value(QStringLiteral("NYUSHOBI_YMD"))));
    else if (name.compare(u"RType", Qt::CaseInsensitive) == 0)
        value = lum::ExprValue(lum::outstandingTypeText(row.value(QStringLiteral("RihaType"))));
    else if (name.compare(u"RKubun", Qt::CaseInsensitive) == 0) {
        Kubun.SetCode(row.value(QStringLiteral("KubunCode")).toInt());
        value = lum::ExprValue(Kubun.LongText());
    }
}
