// Both medical records on the demo data set, printed through each window's
// own print road, written to PDF and read back with pdftotext. Set
// LUMORIND_PRINT_OUT to a folder to keep the PDF files and look at them.
#include "common/db/sql_date.h"
#include "demo_data.h"
#include "medical_record_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "results/daily_medical_record_form.h"
#include "results/person_medical_record_form.h"
#include "support/report_pdf.h"
#include "widgets/horizontal_up_down.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using lum::TDateTime;

class DemoMedicalRecordsTest : public lum::test::MedicalRecordTest {
protected:
    DemoMedicalRecordsTest() { seedStaff_ = false; }
    void SetUp() override {
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        lum::setup::writeDemoData(db(), clock_.now().date());  // results in March and April 2024
        reloadStaff();
        QSqlQuery q = db().prepare(QStringLiteral("SELECT FACILITIES_NAME FROM Facilities"));
        db().exec(q);
        if (q.next()) module().FacilityName = q.value(0).toString();
    }
    QString pdfOf(lum::TfrEMFPages& pages, const char* name) {
        const QString file = out_.file(QStringLiteral("demo-%1-%2.pdf").arg(QLatin1String(name), isSqlite() ? "sqlite" : "pg"));
        lum::test::writePdf(pages, file);
        return lum::test::withoutBlanks(lum::test::pdfText(file));
    }

    lum::HeadlessReportUi ui_;
    lum::test::PdfOutput out_;
};

TEST_P(DemoMedicalRecordsTest, AClientsMonthPrintsItsHeadingDaysTotalsAndLegend) {
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::ScriptedDialogs d;
    TPersonMedicalRecordForm form;
    form.frReport1.Ui = &ui_;
    form.show();
    form.Hizuke->previousButton()->click();  // April 2024: thirty days
    form.CureEdit->setText(QStringLiteral("1"));
    form.OpenButton->click();
    ASSERT_GT(form.ResultGrid->rowCount(), 0);
    form.PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 1);
    const QString text = pdfOf(form.frReport1.EMFPages, "RihaPersonKirokusho");
    const lum::MonthRecordReport& r = form.Record;
    EXPECT_TRUE(text.contains(QStringLiteral("リハビリ実績記録書")));
    EXPECT_TRUE(text.contains(QStringLiteral("令和06年04月")));
    EXPECT_TRUE(text.contains(lum::test::withoutBlanks(r.Heading.Name))) << r.Heading.Name.toStdString();
    EXPECT_TRUE(text.contains(lum::test::withoutBlanks(r.Heading.Program[5])));
    EXPECT_TRUE(text.contains(QStringLiteral("介護老人保健施設ルモリンド苑")));
    EXPECT_TRUE(text.contains(QStringLiteral("1(月)")));
    EXPECT_TRUE(text.contains(QStringLiteral("30(火)")));
    EXPECT_FALSE(text.contains(QStringLiteral("31("))) << "April has thirty days";
    EXPECT_GT(r.CntTotal, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("合計%1%2").arg(r.FunnTotal).arg(r.CntTotal)));
    for (int n = 0; n < module().StuffCount; ++n) {
        EXPECT_TRUE(text.contains(lum::test::withoutBlanks(module().StuffKigo[n] + module().StuffNames[n]))) << n;
    }
}

TEST_P(DemoMedicalRecordsTest, ADayPrintsItsHeaderRowsAndSums) {
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    // The busiest staff member and type of 10 April 2024.
    const lum::DateRange day = lum::dayRange(TDateTime::fromYmd(2024, 4, 10));
    QSqlQuery q = db().prepare(QStringLiteral(
        "SELECT StuffCode, RihaType, COUNT(*) AS n FROM CureResults WHERE CureDate >= :a AND CureDate < :b "
        "GROUP BY StuffCode, RihaType ORDER BY n DESC, StuffCode, RihaType LIMIT 1"));
    lum::db::bindDate(q, QStringLiteral(":a"), day.begin);
    lum::db::bindDate(q, QStringLiteral(":b"), day.end);
    db().exec(q);
    ASSERT_TRUE(q.next());
    const int staff = module().IndexOfStuff(q.value(0).toInt());
    const int type = q.value(1).toInt();
    const int rows = q.value(2).toInt();

    lum::ScriptedDialogs d;
    TDailyMedicalRecordForm form;
    form.frReport1.Ui = &ui_;
    form.show();
    form.ResultInputDay->setText(QStringLiteral("令和06年04月10日"));
    form.TantouBox->setCurrentIndex(staff);
    form.RihaTypeBox->setCurrentIndex(type);
    form.ResultLoadBtn->click();
    ASSERT_EQ(static_cast<int>(form.Rows().size()), rows);
    form.PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_GE(form.frReport1.EMFPages.Count(), 1);
    const QString text = pdfOf(form.frReport1.EMFPages, "DailyMedicalRecord");
    EXPECT_TRUE(text.contains(QStringLiteral("治療実績記録（日別）")));
    EXPECT_TRUE(text.contains(QStringLiteral("実施日令和06年04月10日")));
    EXPECT_TRUE(text.contains(lum::test::withoutBlanks(module().StuffNames[staff])));
    EXPECT_TRUE(text.contains(lum::RihaTypeNames[type]));
    EXPECT_TRUE(text.contains(QStringLiteral("介護老人保健施設ルモリンド苑")));
    for (const lum::CureResult& r : form.Rows()) {
        EXPECT_TRUE(text.contains(lum::test::withoutBlanks(r.Name))) << r.Name.toStdString();
    }
    EXPECT_TRUE(text.contains(QStringLiteral("%1回%2分").arg(form.Totals.ExecCount).arg(form.Totals.ExecMinutes)));
}

LUM_INSTANTIATE_DATABASE_TESTS(DemoMedicalRecordsTest);

}  // namespace
