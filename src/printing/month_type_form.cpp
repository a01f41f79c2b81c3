#include "printing/month_type_form.h"

#include "app/registory.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "printing/print_window.h"
#include "report/engine/tfr_report.h"
#include "widgets/ui_font.h"
#include "widgets/up_down.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TMonthTypeForm::TMonthTypeForm(const QString& objectName, const QString& caption, const QString& title,
                               int dataSources, QString TRegistory::*csvSetting, QWidget* parent)
    : QWidget(parent, Qt::Window), Components(objectName), csvSetting_(csvSetting) {
    MainPanel = lum::setUpPrintWindow(*this, objectName, caption, {640, 400});
    auto* heading = lum::printWindowTitle(title, MainPanel);

    YearMonthLabel = new QLabel(MainPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setFont(lum::uiFont(14, QFont::Bold));
    YearMonthLabel->setMinimumWidth(170);
    YearMonthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Hizuke = new lum::UpDown(QStringLiteral("Hizuke"), MainPanel);
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(new QLabel(QStringLiteral("対象年月"), MainPanel));
    monthRow->addWidget(YearMonthLabel);
    monthRow->addWidget(Hizuke);
    monthRow->addStretch(1);

    RadioButton1 = new QRadioButton(QStringLiteral("担当者"), MainPanel);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    Joken3Box = new QComboBox(MainPanel);
    Joken3Box->setObjectName(QStringLiteral("Joken3Box"));
    Joken3Box->setMinimumWidth(200);
    RadioButton2 = new QRadioButton(QStringLiteral("　  リハスタッフ全員"), MainPanel);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setChecked(true);
    Joken3Box->setEnabled(false);
    Conditions = new QGridLayout;
    Conditions->setHorizontalSpacing(12);
    Conditions->addWidget(RadioButton1, 0, 0);
    Conditions->addWidget(Joken3Box, 0, 1);
    Conditions->addWidget(RadioButton2, 1, 0, 1, 2);
    Conditions->setColumnStretch(2, 1);

    auto* csvLabel = new QLabel(QStringLiteral("CSVファイルの保存場所"), MainPanel);
    CsvEdit = new QLineEdit(MainPanel);
    CsvEdit->setObjectName(QStringLiteral("CsvEdit"));
    csvLabel->setBuddy(CsvEdit);
    CSVSearchButton = lum::printWindowButton("CSVSearchButton", QStringLiteral("設　定"), MainPanel);
    auto* path = new QHBoxLayout;
    path->addWidget(CsvEdit, 1);
    path->addWidget(CSVSearchButton);

    CSVOutButton = lum::printWindowButton("CSVOutButton", QStringLiteral("CSV出力"), MainPanel);
    PrintButton = lum::printWindowButton("PrintButton", QStringLiteral("印　刷"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(12);
    commands->addWidget(CSVOutButton);
    commands->addStretch(1);
    commands->addWidget(PrintButton);
    commands->addWidget(ReturnButton);

    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(heading);
    layout->addLayout(monthRow);
    layout->addLayout(Conditions);
    layout->addSpacing(8);
    layout->addWidget(csvLabel);
    layout->addLayout(path);
    layout->addStretch(1);
    layout->addLayout(commands);

    for (int n = 1; n <= dataSources; ++n) {
        auto& ds = frUserDatasets[static_cast<size_t>(n - 1)];
        ds = std::make_unique<lum::TfrUserDataset>(QStringLiteral("frUserDataset%1").arg(n));
        ds->RangeEnd = lum::reCount;
        Components.addDataSource(ds.get());
    }
    frReport1 = std::make_unique<lum::TfrReport>(&Components);

    connect(Hizuke, &lum::UpDown::stepped, this, &TMonthTypeForm::HizukeClick);
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { ChooseStaff(true); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { ChooseStaff(false); });
    connect(CSVSearchButton, &QPushButton::clicked, this, &TMonthTypeForm::CSVSearchButtonClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    const QDate today = lum::today();
    Month.Set(today.year(), today.month());
}

TMonthTypeForm::~TMonthTypeForm() = default;

void TMonthTypeForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lum::enterFromPrintMenu(*this);
    lum::centrePanel(*MainPanel);
    if (TRegistory* settings = lum::printSettings()) CsvEdit->setText(settings->*csvSetting_);
    const QDate today = lum::today();
    Month.Set(today.year(), today.month());
    YearMonthLabel->setText(lum::DateToEraMonthText(Month.UseMonth));
    try {
        Staff = lum::RunStaffList();
    } catch (const std::exception&) {
        Staff.clear();
    }
    Joken3Box->clear();
    for (const lum::StaffMember& s : Staff) Joken3Box->addItem(s.name);
    Joken3Box->setCurrentIndex(-1);
}

void TMonthTypeForm::closeEvent(QCloseEvent* event) {
    event->accept();
    Closing();
    lum::returnToPrintMenu();
}

void TMonthTypeForm::HizukeClick(int direction) {
    Hizuke->setEnabled(false);
    Month.Step(direction);
    YearMonthLabel->setText(lum::DateToEraMonthText(Month.UseMonth));
    Hizuke->setEnabled(true);
}

void TMonthTypeForm::ChooseStaff(bool one) {
    RadioButton1->setChecked(one);
    RadioButton2->setChecked(!one);
    Joken3Box->setEnabled(one);
}

void TMonthTypeForm::CSVSearchButtonClick() {
    // The dialog starts from the setting; the edit changes only on a choice.
    TRegistory* settings = lum::printSettings();
    if (settings) CsvSaveDialog.FileName = settings->*csvSetting_;
    if (!CsvSaveDialog.Execute(this)) return;
    CsvEdit->setText(CsvSaveDialog.FileName);
    if (settings) settings->*csvSetting_ = CsvSaveDialog.FileName;
}

bool TMonthTypeForm::StaffCondition(std::optional<int>& stuffCode) {
    stuffCode.reset();
    if (!RadioButton1->isChecked()) return true;
    const int index = Joken3Box->currentIndex();
    if (index < 0 || index >= static_cast<int>(Staff.size())) {
        lum::message(lum::MsgKind::Error, QStringLiteral("担当者を指定してください。"), lum::MsgButton::Yes, this);
        return false;
    }
    stuffCode = Staff[static_cast<size_t>(index)].code;
    return true;
}

bool TMonthTypeForm::ReadResults(
    std::function<std::vector<lum::MonthTypeResult>(const lum::CureResultsStore&)> read,
    std::vector<lum::MonthTypeResult>& rows) {
    try {
        rows = read(lum::CureResultsStore(lum::requireFacilityDatabase()));
    } catch (const std::exception&) {
        rows.clear();
        lum::message(lum::MsgKind::Error, QStringLiteral("データの抽出に失敗しました。"), lum::MsgButton::Yes, this);
        return false;
    }
    if (rows.empty()) {
        lum::message(lum::MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), lum::MsgButton::Yes,
                     this);
        return false;
    }
    return true;
}

void TMonthTypeForm::PrintStartError() {
    lum::message(lum::MsgKind::Error, QStringLiteral("SystemError : Print Start Error "), lum::MsgButton::Abort, this);
}
