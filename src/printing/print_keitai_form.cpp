#include "printing/print_keitai_form.h"

#include "app/registory.h"
#include "platform/clock.h"
#include "printing/csv_report_writer.h"
#include "printing/print_window.h"
#include "report/engine/tfr_report.h"

#include <QLineEdit>
#include <QPushButton>

TPrintKeitaiForm* PrintKeitaiForm = nullptr;

namespace {
const QString kTemplate = QStringLiteral("PrintKeitai.frf");
}  // namespace

TPrintKeitaiForm::TPrintKeitaiForm(QWidget* parent)
    : TMonthTypeForm(QStringLiteral("PrintKeitaiForm"), QStringLiteral("形態別実績一覧表（印刷）"),
                     QStringLiteral("形態別実績一覧表"), 7, &TRegistory::Keitai, parent) {
    frReport1->OnGetValue = [this](const QString& name, lum::ExprValue& value) {
        const lum::KeitaiRecords at{frUserDataset(1).RecNo(), frUserDataset(3).RecNo(), frUserDataset(4).RecNo(),
                                    frUserDataset(6).RecNo()};
        if (std::optional<lum::ExprValue> v = Report.Value(name, at)) value = *v;
    };
    connect(PrintButton, &QPushButton::clicked, this, &TPrintKeitaiForm::PrintButtonClick);
    connect(CSVOutButton, &QPushButton::clicked, this, &TPrintKeitaiForm::CSVOutButtonClick);
}

bool TPrintKeitaiForm::OpenKeitaiQuery(std::optional<int> stuffCode, std::vector<lum::MonthTypeResult>& rows) {
    return ReadResults(
        [&](const lum::CureResultsStore& store) {
            return store.monthTypeResults(Month.Range, lum::CureResultsStore::MonthTypeOrder::ByClientAndType,
                                          std::nullopt, stuffCode);
        },
        rows);
}

bool TPrintKeitaiForm::PrepareKeitaiReport() {
    std::optional<int> stuffCode;
    if (!StaffCondition(stuffCode)) return false;
    std::vector<lum::MonthTypeResult> rows;
    if (!OpenKeitaiQuery(stuffCode, rows)) return false;
    try {
        Report.Table = lum::BuildKeitaiRows(rows);
    } catch (const std::exception&) {
        Report.Table = {};
        PrintStartError();
        return false;
    }
    Report.Month = Month;
    Report.Texts = lum::ReportTexts::Of(lum::now(), Month.UseMonth);
    Report.Facility = lum::printFacilityName();
    const int count = static_cast<int>(Report.Table.Rows.size());
    const int counts[] = {count, 1, lum::CalendorDays, lum::CalendorDays, 1, lum::CalendorDays, count};
    for (int n = 1; n <= 7; ++n) frUserDataset(n).RangeEndCount = counts[n - 1];
    Report.Legend.Fill(Staff);
    return true;
}

void TPrintKeitaiForm::PrintButtonClick() {
    if (!PrepareKeitaiReport()) return;
    if (!frReport1->LoadTemplateFromFile(lum::printTemplatePath(kTemplate))) return;
    frReport1->PrepareAndShow();
}

void TPrintKeitaiForm::CSVOutButtonClick() {
    lum::CsvReportMember member;
    // Nothing is quoted but a value that would otherwise split the line.
    member.quoting = lum::CsvQuoting::WhereNeeded;
    member.prepareData = [this] { return PrepareKeitaiReport(); };
    member.headingLines = [this] {
        return std::vector<lum::CsvHeadingLine>{{Report.CsvTitle()}, {Report.CsvHeader()}};
    };
    member.writeRows = [this](lum::CsvLineWriter& out) {
        for (const lum::KeitaiRow& row : Report.Table.Rows) out.writeLine(Report.CsvRow(row));
    };
    member.endMessage = QStringLiteral("終了しました。");
    lum::CsvReportWriter(this).write(CsvEdit->text(), member);
}

void TPrintKeitaiForm::Closing() { Report.Table = {}; }
