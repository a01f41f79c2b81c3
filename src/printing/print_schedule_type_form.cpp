#include "printing/print_schedule_type_form.h"

#include "common/code_tables.h"
#include "app/registory.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "printing/csv_report_writer.h"
#include "printing/print_window.h"
#include "report/engine/tfr_report.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TPrintScheduleTypeForm* PrintScheduleTypeForm = nullptr;

namespace {
const QString kTemplate = QStringLiteral("PrintScheduleType.frf");
}  // namespace

TPrintScheduleTypeForm::TPrintScheduleTypeForm(QWidget* parent)
    : TMonthTypeForm(QStringLiteral("PrintScheduleTypeForm"), QStringLiteral("月別リハビリ形態別実施一覧(印刷)"),
                     QStringLiteral("月別リハビリ形態別実施一覧"), 6, &TRegistory::PrnSch, parent) {
    ComboBox1 = new QComboBox(MainPanel);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int type = 0; type < lum::RihaTypeNames.size(); ++type) ComboBox1->addItem(lum::RihaTypeNames.at(type));
    ComboBox1->setCurrentIndex(0);
    auto* typeLabel = new QLabel(QStringLiteral("リハビリ形態"), MainPanel);
    typeLabel->setBuddy(ComboBox1);
    Conditions->addWidget(typeLabel, 2, 0);
    Conditions->addWidget(ComboBox1, 2, 1);
    setTabOrder(RadioButton2, ComboBox1);

    frReport1->OnGetValue = [this](const QString& name, lum::ExprValue& value) {
        const lum::GridRecords at{frUserDataset(1).RecNo(), frUserDataset(3).RecNo(), frUserDataset(4).RecNo(),
                                  frUserDataset(6).RecNo()};
        if (std::optional<lum::ExprValue> v = Report.Value(name, at)) value = *v;
    };
    connect(PrintButton, &QPushButton::clicked, this, &TPrintScheduleTypeForm::PrintButtonClick);
    connect(CSVOutButton, &QPushButton::clicked, this, &TPrintScheduleTypeForm::CSVOutButtonClick);
}

void TPrintScheduleTypeForm::showEvent(QShowEvent* event) {
    TMonthTypeForm::showEvent(event);
    ComboBox1->setCurrentIndex(0);
}

bool TPrintScheduleTypeForm::OpenScheduleTypeQuery(int rihaType, std::optional<int> stuffCode,
                                                   std::vector<lum::MonthTypeResult>& rows) {
    return ReadResults(
        [&](const lum::CureResultsStore& store) {
            return store.monthTypeResults(Month.Range, lum::CureResultsStore::MonthTypeOrder::ByKanaAndClient,
                                          rihaType, stuffCode);
        },
        rows);
}

bool TPrintScheduleTypeForm::PrepareScheduleTypeReport() {
    const int type = ComboBox1->currentIndex();
    if (type < 0) {
        lum::message(lum::MsgKind::Error, QStringLiteral("リハビリ形態を指定してください。"), lum::MsgButton::Yes, this);
        return false;
    }
    std::optional<int> stuffCode;
    if (!StaffCondition(stuffCode)) return false;
    std::vector<lum::MonthTypeResult> rows;
    if (!OpenScheduleTypeQuery(type, stuffCode, rows)) return false;
    try {
        Report.Grid = lum::BuildScheduleTypeGrid(rows);
    } catch (const std::exception&) {
        Report.Grid = {};
        PrintStartError();
        return false;
    }
    Report.Month = Month;
    Report.Texts = lum::ReportTexts::Of(lum::now(), Month.UseMonth);
    Report.Facility = lum::printFacilityName();
    Report.TypeText = ComboBox1->currentText();
    const int counts[] = {static_cast<int>(Report.Grid.Rows.size()), 1, lum::CalendorDays, lum::CalendorDays, 1,
                          lum::CalendorDays};
    for (int n = 1; n <= 6; ++n) frUserDataset(n).RangeEndCount = counts[n - 1];
    Report.Legend.Fill(Staff);
    return true;
}

void TPrintScheduleTypeForm::PrintButtonClick() {
    // The template is loaded first, then the data prepared.
    if (!frReport1->LoadTemplateFromFile(lum::printTemplatePath(kTemplate))) return;
    if (!PrepareScheduleTypeReport()) return;
    frReport1->PrepareAndShow();
}

void TPrintScheduleTypeForm::CSVOutButtonClick() {
    lum::CsvReportMember member;
    member.quoting = lum::CsvQuoting::EveryValue;
    member.prepareData = [this] { return PrepareScheduleTypeReport(); };
    member.headingLines = [this] {
        return std::vector<lum::CsvHeadingLine>{
            {Report.CsvTitle()},
            {Report.CsvDateLine(), QStringLiteral("日付の書き出しができません。")},
            {Report.CsvHeader()}};
    };
    member.writeRows = [this](lum::CsvLineWriter& out) {
        for (const lum::GridRow& row : Report.Grid.Rows) out.writeLine(Report.CsvRow(row));
        out.writeLine(Report.CsvTotals());
        for (int r = 0; r < 4; ++r) out.writeLine(lum::ScheduleTypeReport::CsvLegendLine(Staff, r));
    };
    member.endMessage = QStringLiteral("終了しました。");
    lum::CsvReportWriter(this).write(CsvEdit->text(), member);
}

void TPrintScheduleTypeForm::Closing() { Report.Grid = {}; }
