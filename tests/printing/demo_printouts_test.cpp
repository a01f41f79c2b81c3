// The printouts of the print menu on the demo data set, through each
// window's own print road: prepared, written to PDF and read back with
// pdftotext. Set LUMORIND_PRINT_OUT to a folder to keep the PDF files and
// look at them.
#include "demo_data.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "common/text_helpers.h"
#include "print_fixture.h"
#include "support/page_layout.h"
#include "support/report_pdf.h"
#include "plans/life_estimate_form.h"
#include "plans/open_document_dialog.h"
#include "plans/practice_plan_form.h"
#include "app/staff_list.h"
#include "plans/print_outstanding_form.h"
#include "platform/ui/scripted_dialogs.h"
#include "printing/print_all_user_form.h"
#include "printing/print_keitai_form.h"
#include "printing/print_pract_form.h"
#include "printing/print_riha_form.h"
#include "printing/print_limit_riha_form.h"
#include "printing/print_person_result_form.h"
#include "printing/print_schedule_type_form.h"
#include "printing/print_toukei_form.h"
#include "widgets/up_down.h"
#include "report/engine/tfr_report.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QComboBox>
#include <QRadioButton>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <set>

namespace {

class DemoPrintoutsTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        summary_ = lum::setup::writeDemoData(db(), clock_.now().date());
        QSqlQuery q = db().prepare(QStringLiteral("SELECT FACILITIES_NAME FROM Facilities"));
        db().exec(q);
        if (q.next()) module().FacilityName = q.value(0).toString();
    }
    QString pdfOf(lum::TfrEMFPages& pages, const char* name) {
        const QString file = outputFile(QStringLiteral("demo-%1-%2.pdf").arg(QLatin1String(name), isSqlite() ? "sqlite" : "pg"));
        writePdf(pages, file);
        return pdfText(file);
    }
    lum::setup::DemoSummary summary_;
};

TEST_P(DemoPrintoutsTest, TheClientListPrintsEveryClient) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintAllUserForm form;
    lum::HeadlessReportUi ui;
    form.frReport1->Ui = &ui;
    form.findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item1"))->click();
    form.findChild<QRadioButton*>(QStringLiteral("RadioGroup2Item1"))->click();
    form.PrintButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_GE(form.frReport1->EMFPages.Count(), 2);
    const QString text = pdfOf(form.frReport1->EMFPages, "AllUser");
    EXPECT_TRUE(text.contains(QStringLiteral("介護老人保健施設 ルモリンド苑")));
    EXPECT_TRUE(text.contains(QStringLiteral("（印刷条件:利用者全員、退所者を含む、過去分の全て）")));
    const int pages = form.frReport1->EMFPages.Count();
    EXPECT_TRUE(text.contains(QStringLiteral("%1 / %1").arg(pages)));
    // Every client's number, in order.
    qsizetype at = 0;
    for (int n = 1; n <= summary_.clients; ++n) {
        at = text.indexOf(lum::CureNoText(n), at);
        ASSERT_GE(at, 0) << "client " << n;
    }
}

TEST_P(DemoPrintoutsTest, TheClientsWithoutPlansOfTheKaRowPrintOnlyThoseRows) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintOutstandingForm form;
    lum::HeadlessReportUi ui;
    form.frReport1.Ui = &ui;
    form.show();
    form.PlanBtn->click();
    const int all = form.List->rowCount();
    ASSERT_GT(all, 5);
    form.List->KanaButtons[1]->click();  // カ
    const int shown = form.List->rowCount();
    ASSERT_GT(shown, 0);
    ASSERT_LT(shown, all);
    form.PrintBtn->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    const QString text = pdfOf(form.frReport1.EMFPages, "OutStandingList");
    EXPECT_TRUE(text.contains(QStringLiteral("計画書未登録者リスト")));
    for (int r = 0; r < shown; ++r) {
        const QSqlRecord row = form.List->row(r);
        EXPECT_TRUE(text.contains(lum::CureNoText(row.value(QStringLiteral("CureNo")).toInt())));
    }
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("\\b000000\\d\\d\\b"))), shown);
}

TEST_P(DemoPrintoutsTest, TheTreatmentPlansChosenPrintOneAfterTheOther) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintRihaForm form;
    lum::HeadlessReportUi ui;
    form.frReport1.Ui = &ui;
    form.show();
    form.AllBtn->click();
    const int all = form.List->rowCount();
    form.NewBtn->click();
    ASSERT_GT(all, form.List->rowCount());  // the first client's plan of three months before
    ASSERT_GE(form.List->rowCount(), 3);
    QStringList names;
    for (int r = 0; r < 3; ++r) {
        form.List->DBGrid1->selectionModel()->select(form.List->DBGrid1->model()->index(r, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        names << form.List->row(r).value(QStringLiteral("Name")).toString();
    }
    form.PrintBtn->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 3);
    const QString text = lum::test::withoutBlanks(pdfOf(form.frReport1.EMFPages, "CurePlan"));
    EXPECT_EQ(text.count(QStringLiteral("リハビリ治療計画書")), 3);
    qsizetype at = 0;
    for (const QString& name : names) {
        at = text.indexOf(lum::test::withoutBlanks(name), at);
        EXPECT_GE(at, 0) << name.toStdString();
    }
    EXPECT_TRUE(text.contains(QStringLiteral("介護老人保健施設ルモリンド苑")));
}

TEST_P(DemoPrintoutsTest, ThePracticePlansOfAClientPrintInDateOrder) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintPractForm form;
    lum::HeadlessReportUi ui;
    form.frReport1.Ui = &ui;
    form.show();
    form.AllBtn->click();
    // The first client listed twice: its plans one after the other, by date.
    int from = -1;
    for (int r = 0; r + 1 < form.List->rowCount() && from < 0; ++r)
        if (form.List->row(r).value(QStringLiteral("CureNo")) == form.List->row(r + 1).value(QStringLiteral("CureNo")))
            from = r;
    ASSERT_GE(from, 0) << "the demo has a client with two practice plans";
    QStringList days;
    for (int r = from; r < from + 2; ++r) {
        form.List->DBGrid1->selectionModel()->select(form.List->DBGrid1->model()->index(r, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        days << lum::DateToEraText(lum::db::readDate(form.List->row(r).value(QStringLiteral("PrcticeDay"))));
    }
    const QString name = form.List->row(from).value(QStringLiteral("Name")).toString();
    form.PrintBtn->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 4);
    const QString text = lum::test::withoutBlanks(pdfOf(form.frReport1.EMFPages, "PracticePlans"));
    EXPECT_EQ(text.count(QStringLiteral("リハビリテーション実施計画書（２）")), 2);
    EXPECT_GE(text.count(lum::test::withoutBlanks(name)), 4);
    const qsizetype first = text.indexOf(days[0]);
    EXPECT_GE(first, 0) << days[0].toStdString();
    EXPECT_GT(text.indexOf(days[1], first + 1), first) << days[1].toStdString();
}

TEST_P(DemoPrintoutsTest, TheEvaluationAtTheMaximumPrintsItsThirteenCircles) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TLifeEstimateForm form;
    lum::HeadlessReportUi ui;
    form.frReport1.Ui = &ui;
    form.show();
    lum::ScriptedDialogs d;
    d.expectModal(QStringLiteral("TGetEstimateForm"), [](QDialog& dialog) {
        auto& open = static_cast<TGetDocumentForm&>(dialog);
        open.CureNoEdit->setText(QStringLiteral("2"));
        open.ConFirmButton->click();
        if (open.result() != QDialog::Accepted) open.DecideButtonClick();
        return open.result();
    });
    form.OpenToolButton->click();
    ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    ASSERT_EQ(form.TotalLabel->text(), QStringLiteral("19"));
    form.PrintToolButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    const QString text = pdfOf(form.frReport1.EMFPages, "Estimate");
    EXPECT_TRUE(text.contains(QStringLiteral("日常生活機能評価表")));
    // Thirteen chosen options, each ringed.
    EXPECT_EQ(lum::test::layOutPage(form.frReport1.EMFPages.GetPage(0)).rings.size(), 13);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("19\\s*点"))));
    form.ResetModified();
    delete GetEstimateForm;
}

TEST_P(DemoPrintoutsTest, TheStatisticsPrintTheThreeMonthsBeforeThisOne) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintToukeiForm form;
    lum::HeadlessReportUi ui;
    form.frReport1->Ui = &ui;
    form.show();
    form.Hizuke->clickDown();  // April 2002: February, March and April
    form.ResultLoadBtn->click();
    for (int month = 0; month < 3; ++month) {
        int results = 0;
        for (int row = 0; row < 14; ++row) results += form.StatisticsTable.at(row, month, lum::StatisticsTable::Results);
        EXPECT_GT(results, 300) << "the demo holds results in month " << month;
    }
    form.PrintButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1->EMFPages.Count(), 1);
    const QString text = pdfOf(form.frReport1->EMFPages, "Toukei");
    for (const char* expected : {"統計情報", "介護老人保健施設 ルモリンド苑", "平成14年02月", "平成14年03月", "平成14年04月"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // Every count of the grid is on the page, row by row.
    const QStringList lines = text.split(u'\n');
    int rowsFound = 0;
    for (const QString& line : lines) {
        QStringList numbers;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            word.toInt(&ok);
            if (ok) numbers << word;
        }
        if (numbers.size() != 9) continue;
        QStringList grid;
        for (int c = 0; c < 9; ++c) grid << QString::number(form.StatisticsTable.cell(rowsFound, c));
        EXPECT_EQ(numbers, grid) << "row " << rowsFound;
        ++rowsFound;
    }
    EXPECT_EQ(rowsFound, 14);
    form.close();
}

// May 2002 (31 days): this month's bookings before the 20th, copied into
// results; both month printouts through their windows.
TEST_P(DemoPrintoutsTest, TheMonthPrintoutsByTypeShowThirtyOneDaysMarksTotalsAndTheLegend) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::HeadlessReportUi ui;
    const QRegularExpression days(QStringLiteral("\\b1\\s+2\\s+3\\s.*\\b29\\s+30\\s+31\\b"));
    const QRegularExpression weekdays(QStringLiteral("水\\s+木\\s+金\\s+土\\s+日\\s+月\\s+火\\s+水"));  // 1 May 2002 was a Wednesday
    const QRegularExpression legend(QStringLiteral("佐\\s*佐藤\\s*健一.*高\\s*高橋\\s*由美"));

    TPrintKeitaiForm keitai;
    keitai.frReport1->Ui = &ui;
    keitai.show();
    keitai.PrintButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    const lum::KeitaiTable& t = keitai.Report.Table;
    ASSERT_GT(t.Rows.size(), 40u);
    EXPECT_EQ(t.DayCounts[19], 0) << "nothing from today on";
    EXPECT_GT(t.TotalCount, 300);
    std::set<int> types;
    for (const lum::KeitaiRow& row : t.Rows) types.insert(row.RihaType);
    EXPECT_EQ(types.size(), 4u);
    ASSERT_GE(keitai.frReport1->EMFPages.Count(), 2);
    const QString k = pdfOf(keitai.frReport1->EMFPages, "PrintKeitai");
    EXPECT_TRUE(k.contains(QStringLiteral("形態別実績一覧表")));
    EXPECT_TRUE(k.contains(QStringLiteral("平成14年05月度")));
    EXPECT_EQ(k.count(days), keitai.frReport1->EMFPages.Count()) << "the day headings on every page";
    EXPECT_TRUE(k.contains(weekdays));
    EXPECT_TRUE(k.contains(legend));
    EXPECT_TRUE(k.contains(QRegularExpression(QStringLiteral("\\b%1\\s+%2\\b").arg(t.TotalCount).arg(t.TotalMinutes))));
    EXPECT_TRUE(k.contains(t.Rows.front().Label.left(8)));
    keitai.close();

    TPrintScheduleTypeForm grid;
    grid.frReport1->Ui = &ui;
    grid.show();
    grid.ComboBox1->setCurrentIndex(2);  // 通所リハビリ
    grid.PrintButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    const lum::ScheduleTypeGrid& g = grid.Report.Grid;
    ASSERT_GT(g.Rows.size(), 5u);
    for (const lum::GridRow& row : g.Rows) EXPECT_EQ(row[1], QStringLiteral("通所リハビリ"));
    const QString text = pdfOf(grid.frReport1->EMFPages, "PrintScheduleType");
    EXPECT_TRUE(text.contains(QStringLiteral("月別リハビリ形態別実施一覧")));
    EXPECT_TRUE(text.contains(days));
    EXPECT_TRUE(text.contains(weekdays));
    EXPECT_TRUE(text.contains(legend));
    for (const lum::GridRow& row : g.Rows) EXPECT_TRUE(text.contains(row[0].left(8))) << row[0].toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("合\\s*計[^\\n]*\\b%1\\n").arg(g.TotalCount))));
    grid.close();
}

// May 2002: every client whose plan covers the month, selected and printed
// in one run, one page each with its own number, name and 31 day lines.
TEST_P(DemoPrintoutsTest, TheMonthlyRecordsOfAllPlanHoldersPrintOnePageEach) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintPersonResultForm form;
    lum::HeadlessReportUi ui;
    lum::HeadlessProgress progress;
    form.frReport1.Ui = &ui;
    form.frReport1.Progress = &progress;
    form.show();
    form.DisplayBtn->click();
    const int listed = form.List->rowCount();
    ASSERT_GT(listed, 20);
    form.List->AllSelectBtn->click();
    shot(form, QStringLiteral("PrintPersonResultForm"));
    form.PrintBtn->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), listed);
    const QString text = pdfOf(form.frReport1.EMFPages, "PrintPersonKirokusho");
    const QStringList pages = text.split(u'\f');
    const QRegularExpression dayLine(QStringLiteral("(?m)^[ \\t]*\\d{1,2} \\([日月火水木金土]\\)"));
    for (int p = 0; p < listed; ++p) {
        const QString page = lum::test::withoutBlanks(pages.value(p));
        EXPECT_TRUE(page.contains(QStringLiteral("治療番号%1").arg(form.CureNos[static_cast<size_t>(p)]))) << p;
        EXPECT_TRUE(page.contains(QStringLiteral("平成14年05月")));
        EXPECT_EQ(pages.value(p).count(dayLine), 31) << p;
    }
    EXPECT_EQ(form.List->rowCount(), 0);
    form.close();
}

// The demo's overdue plans (one client in ten, four to five months old):
// listed unless the client has left, and printed with plain numbers.
TEST_P(DemoPrintoutsTest, ThePlanDeadlinesListTheOverduePlansOfClientsStillInCare) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    TPrintLimitRihaForm form;
    lum::HeadlessReportUi ui;
    lum::HeadlessProgress progress;
    form.frReport1.Ui = &ui;
    form.frReport1.Progress = &progress;
    form.show();
    form.PlanBtn->click();
    const int listed = form.List->rowCount();
    ASSERT_GE(listed, 3);
    QStringList names;
    QList<int> numbers;
    for (int r = 0; r < listed; ++r) {
        const QSqlRecord row = form.List->row(r);
        numbers << row.value(QStringLiteral("CureNo")).toInt();
        names << lum::test::withoutBlanks(row.value(QStringLiteral("Name")).toString());
        EXPECT_LT(lum::db::readDate(row.value(QStringLiteral("MaxRegistDay"))).date(), QDate(2002, 2, 20));
    }
    shot(form, QStringLiteral("PrintLimitRihaForm"));
    form.PrintBtn->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    const QString text = lum::test::withoutBlanks(pdfOf(form.frReport1.EMFPages, "PrintLimit"));
    EXPECT_TRUE(text.contains(QStringLiteral("計画書期限参照")));
    EXPECT_TRUE(text.contains(QStringLiteral("作成日平成14年05月20日")));
    for (int r = 0; r < listed; ++r)
        EXPECT_TRUE(text.contains(QString::number(numbers[r]) + names[r])) << names[r].toStdString();
    form.close();
}

TEST_P(DemoPrintoutsTest, TheLaterPracticePlanOfTheClientWithTwoPrintsThroughItsWindow) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    // The team's names come from the data module's staff list.
    for (const lum::StaffMember& member : lum::ReadStaffList(db())) {
        module().StuffCD.push_back(member.code);
        module().StuffNames << member.name;
    }
    module().StuffCount = static_cast<int>(module().StuffCD.size());
    QSqlQuery q = db().prepare(QStringLiteral("SELECT CureNo FROM Practice GROUP BY CureNo HAVING COUNT(*) = 2"));
    db().exec(q);
    ASSERT_TRUE(q.next());
    const int cureNo = q.value(0).toInt();
    TPracticePlanForm form;
    lum::HeadlessReportUi ui;
    form.frReport1.Ui = &ui;
    form.show();
    lum::ScriptedDialogs d;
    d.expectModal(QStringLiteral("TGetPractPlanForm"), [cureNo](QDialog& dialog) {
        auto& open = static_cast<TGetDocumentForm&>(dialog);
        open.CureNoEdit->setText(QString::number(cureNo));
        open.ConFirmButton->click();
        EXPECT_EQ(open.DBGrid1->rowCount(), 2);
        open.DBGrid1->setCurrentCell(0, 0);  // the newest
        open.DecideButtonClick();
        return open.result();
    });
    form.ToolButton2->click();
    ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    const lum::TPracticePlan plan = form.Plan;
    ASSERT_FALSE(plan.Variation.isEmpty()) << "the later plan says what changed";
    form.PrintButton->click();
    ASSERT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 2);
    const QString keep = qEnvironmentVariable("LUMORIND_KEEP_PRINTOUT");
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(form.frReport1.SavePreparedToFile(keep.isEmpty() ? dir.filePath("practice.frp") : keep, &error))
        << error.toStdString();

    const QStringList pages = pdfOf(form.frReport1.EMFPages, "PracticePlan").split(u'\f');
    ASSERT_GE(pages.size(), 2);
    const QString first = lum::test::withoutBlanks(pages[0]);
    const QString second = lum::test::withoutBlanks(pages[1]);
    auto bare = [](const QString& s) { return lum::test::withoutBlanks(s.section(u'\n', 0, 0)); };
    for (const QString& s : {bare(plan.UserName), lum::practiceRowItem(0), lum::practiceRowItem(12),
                             lum::practiceRowItem(20), lum::practiceRowItem(27), bare(plan.Table0[0].Goods),
                             bare(plan.Table1[6].Goods), bare(plan.PTOTST0), bare(plan.Jitchi1), QStringLiteral("◎")})
        EXPECT_TRUE(first.contains(s)) << s.toStdString();
    EXPECT_GE(first.count(u'C'), 21);  // every row has its ability (C) somewhere
    for (const QString& s : {bare(plan.SelfHope), bare(plan.Variation), bare(plan.Remark),
                             bare(module().GetStuffName(plan.Team[1])), bare(module().GetStuffName(plan.Team[9]))})
        EXPECT_TRUE(second.contains(s)) << s.toStdString();
    EXPECT_FALSE(second.contains(lum::practiceRowItem(0)));
    form.ResetModified();
    delete GetPractPlanForm;
}

LUM_INSTANTIATE_DATABASE_TESTS(DemoPrintoutsTest);

}  // namespace
