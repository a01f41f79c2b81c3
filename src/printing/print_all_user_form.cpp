#include "printing/print_all_user_form.h"

#include "app/registory.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "printing/csv_report_writer.h"
#include "printing/print_window.h"
#include "report/engine/tfr_report.h"
#include "widgets/radio_group.h"
#include "widgets/ui_font.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPrintAllUserForm* PrintAllUserForm = nullptr;

namespace {

const QString kTemplate = QStringLiteral("AllUser.frf");

void showError(const QString& text, QWidget* parent) {
    lum::message(lum::MsgKind::Error, text, lum::MsgButton::Yes, parent);
}

}  // namespace

TPrintAllUserForm::TPrintAllUserForm(QWidget* parent)
    : QWidget(parent, Qt::Window), frReport1(std::make_unique<lum::TfrReport>(&Components)) {
    MainPanel = lum::setUpPrintWindow(*this, QStringLiteral("PrintAllUserForm"), QStringLiteral("利用者一覧表(印刷)"),
                                      {kPanelWidth, kPanelHeight});
    auto* title = lum::printWindowTitle(QStringLiteral("利用者一覧表"), MainPanel);

    auto* types = new QGroupBox(QStringLiteral(" 条件１ "), MainPanel);
    types->setObjectName(QStringLiteral("GroupBox1"));
    auto makeBox = [types](const char* name, const char* caption) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), types);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    NyushoBox = makeBox("NyushoBox", "入所");
    TankiBox = makeBox("TankiBox", "短期入所");
    TsushoBox = makeBox("TsushoBox", "通所リハビリ");
    HoumonBox = makeBox("HoumonBox", "訪問リハビリ");
    auto* typeLayout = new QHBoxLayout(types);
    for (QCheckBox* box : {NyushoBox, TankiBox, TsushoBox, HoumonBox}) typeLayout->addWidget(box);

    RadioGroup1 = new lum::RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("条件２"),
                                      {QStringLiteral("退所者を除く"), QStringLiteral("退所者を含む")}, MainPanel);
    RadioGroup2 = new lum::RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral(" 条件３ "),
                                      {QStringLiteral("３ヶ月以内"), QStringLiteral("過去分の全て")}, MainPanel);
    RadioGroup1->setItemIndex(0);
    RadioGroup2->setItemIndex(0);

    auto* csvLabel = new QLabel(QStringLiteral("CSVファイルの保存場所"), MainPanel);
    Fnrm1910_1Edit = new QLineEdit(MainPanel);
    Fnrm1910_1Edit->setObjectName(QStringLiteral("Fnrm1910_1Edit"));
    csvLabel->setBuddy(Fnrm1910_1Edit);
    CSVSearchButton = lum::printWindowButton("CSVSearchButton", QStringLiteral("設定"), MainPanel);
    CSVOutButton = lum::printWindowButton("CSVOutButton", QStringLiteral("CSV出力"), MainPanel);
    PrintButton = lum::printWindowButton("PrintButton", QStringLiteral("印　刷"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);

    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(types);
    auto* radios = new QHBoxLayout;
    radios->setSpacing(12);
    radios->addWidget(RadioGroup1);
    radios->addWidget(RadioGroup2);
    layout->addLayout(radios);
    layout->addSpacing(8);
    layout->addWidget(csvLabel);
    auto* path = new QHBoxLayout;
    path->addWidget(Fnrm1910_1Edit, 1);
    path->addWidget(CSVSearchButton);
    layout->addLayout(path);
    layout->addStretch(1);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(12);
    commands->addWidget(CSVOutButton);
    commands->addStretch(1);
    commands->addWidget(PrintButton);
    commands->addWidget(ReturnButton);
    layout->addLayout(commands);

    Components.addDataSource(&frDBDataSet1);
    frReport1->OnGetValue = [this](const QString& name, lum::ExprValue& value) {
        std::optional<QString> text =
            lum::clientListPageValue(name, listConditions_, lum::printFacilityName(), lum::now());
        if (!text && AllUserPrintQuery && AllUserPrintQuery->query().isValid())
            text = lum::clientListRowValue(name, lum::clientListRow(AllUserPrintQuery->query()), lum::now());
        if (text) value = lum::ExprValue(*text);
    };

    connect(PrintButton, &QPushButton::clicked, this, &TPrintAllUserForm::PrintButtonClick);
    connect(CSVSearchButton, &QPushButton::clicked, this, &TPrintAllUserForm::CSVSearchButtonClick);
    connect(CSVOutButton, &QPushButton::clicked, this, &TPrintAllUserForm::CSVOutButtonClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

TPrintAllUserForm::~TPrintAllUserForm() { closeList(); }

void TPrintAllUserForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lum::enterFromPrintMenu(*this);
    lum::centrePanel(*MainPanel);
    if (TRegistory* settings = lum::printSettings()) Fnrm1910_1Edit->setText(settings->AllUser);
}

void TPrintAllUserForm::closeEvent(QCloseEvent* event) {
    event->accept();
    closeList();
    lum::returnToPrintMenu();
}

lum::ClientListConditions TPrintAllUserForm::conditions() const {
    lum::ClientListConditions c;
    c.nyusho = NyushoBox->isChecked();
    c.tanki = TankiBox->isChecked();
    c.tsusho = TsushoBox->isChecked();
    c.houmon = HoumonBox->isChecked();
    c.leavers = RadioGroup1->ItemIndex();
    c.period = RadioGroup2->ItemIndex();
    return c;
}

void TPrintAllUserForm::closeList() {
    frDBDataSet1.SetDataSet(nullptr);
    AllUserPrintQuery.reset();
}

bool TPrintAllUserForm::PrepareList() {
    closeList();
    listConditions_ = conditions();
    TypeChosen = listConditions_.typeChosen();
    const lum::BoundStatement statement = lum::clientListStatement(listConditions_, lum::today());
    try {
        lum::db::Database& db = lum::requireFacilityDatabase();
        QSqlQuery query = db.prepare(statement.sql);
        for (const auto& [name, value] : statement.values) query.bindValue(name, value);
        AllUserPrintQuery = std::make_unique<lum::SqlQueryDataSet>(std::move(query));
        AllUserPrintQuery->open();
    } catch (const std::exception&) {
        AllUserPrintQuery.reset();
        showError(QStringLiteral("データの抽出に失敗しました。"), this);
        return false;
    }
    if (AllUserPrintQuery->eof()) {
        lum::message(lum::MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), lum::MsgButton::Yes,
                     this);
        return false;
    }
    return true;
}

void TPrintAllUserForm::PrintButtonClick() {
    if (!PrepareList()) return;
    frDBDataSet1.SetDataSet(AllUserPrintQuery.get());
    if (!frReport1->LoadTemplateFromFile(lum::printTemplatePath(kTemplate))) return;
    frReport1->PrepareAndShow();
}

void TPrintAllUserForm::CSVSearchButtonClick() {
    TRegistory* settings = lum::printSettings();
    if (settings) Fnrm1910_1Edit->setText(settings->AllUser);
    CsvSaveDialog.FileName = Fnrm1910_1Edit->text();
    if (!CsvSaveDialog.Execute(this)) return;
    Fnrm1910_1Edit->setText(CsvSaveDialog.FileName);
    if (settings) settings->AllUser = CsvSaveDialog.FileName;
}

void TPrintAllUserForm::CSVOutButtonClick() {
    lum::CsvReportMember member;
    member.quoting = lum::CsvQuoting::EveryValue;
    member.refuseUnsetPath = true;
    member.prepareData = [this] { return PrepareList(); };
    member.headingLines = [] { return std::vector<lum::CsvHeadingLine>{{lum::clientListCsvHeader()}}; };
    member.writeRows = [this](lum::CsvLineWriter& out) {
        const QDateTime now = lum::now();
        for (AllUserPrintQuery->first(); !AllUserPrintQuery->eof(); AllUserPrintQuery->next())
            out.writeLine(lum::clientListCsvValues(lum::clientListRow(AllUserPrintQuery->query()), now));
    };
    member.endMessage = QStringLiteral("終了しました。");
    lum::CsvReportWriter(this).write(Fnrm1910_1Edit->text(), member);
}
