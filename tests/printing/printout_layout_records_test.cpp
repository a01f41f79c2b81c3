// The monthly records (リハビリ実績記録書) laid out for paper, on both
// backends: one client's record printed through the monthly record window
// (RihaPersonKirokusho.frf) and the records in bulk through the print menu's
// window (PrintPersonKirokusho.frf), each on a month of data holding the
// longest values the windows accept, and their prepared pages read back
// object by object (support/page_layout.h). Set LUMORIND_PRINT_OUT to a
// folder to keep the pages as PNG pictures.
#include "printing/print_person_result_form.h"
#include "results/medical_record_fixture.h"
#include "results/person_medical_record_form.h"
#include "support/longest_values.h"
#include "support/page_layout.h"

#include "report/engine/tfr_report.h"
#include "clients/kana_row_print_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using lum::TDateTime;
using lum::test::fullWidth;

// Passes without faults; otherwise names each, one per line.
testing::AssertionResult readsRight(const QStringList& faults) {
    if (faults.isEmpty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << faults.size() << " faults:\n" << faults.join(u'\n').toStdString();
}

class PrintoutLayoutRecordsTest : public lum::test::MedicalRecordTest {
protected:
    // Results a day: ten, so a day's count has two digits and its minutes four.
    static constexpr int kResultsADay = 10;

    void SetUp() override {
        seedStaff_ = false;
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // The legend's twenty staff members, each with the longest name the
        // setup tool accepts (30 characters) and a symbol of 4 bytes (two
        // full-width characters).
        for (int code = 1; code <= lum::MonthRecordLegendSize; ++code) {
            QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (:c, :n, :k)"));
            q.bindValue(QStringLiteral(":c"), code);
            q.bindValue(QStringLiteral(":n"), lum::test::longestStaffName());
            q.bindValue(QStringLiteral(":k"), fullWidth(4, u'鷲'));
            db().exec(q);
        }
        reloadStaff();
        module().FacilityName = lum::test::longestFacilityName();

        // The client: the widest texts of every heading field, number 99999999.
        TPerson c = lum::test::longestClient();
        c.RihaType = 2;                        // 通所リハビリ
        c.Jiritsu_KBN = c.Ninchi_KBN = 0;      // 正常: two full-width characters
        c.YOUKAIGO_KBN = 6;                    // 要介護5
        c.NYUSHOBI_YMD = ymd(2018, 12, 28);
        c.TAISHOBI_YMD = ymd(2028, 12, 28);
        const TPerson stored = registered(c);
        QSqlQuery renumber = db().prepare(QStringLiteral("UPDATE Person SET CureNo = :to WHERE CureNo = :from"));
        renumber.bindValue(QStringLiteral(":to"), c.CureNo);
        renumber.bindValue(QStringLiteral(":from"), stored.CureNo);
        db().exec(renumber);
        client_ = c;
        // Its plan with six programme texts of 40 bytes.
        QStringList programs;
        for (int k = 0; k < lum::MonthRecordPrograms; ++k) programs << fullWidth(40, u'標');
        addPlan(client_, ymd(2024, 4, 28), programs);

        // Every day of May 2024: ten results of 999 minutes, the first with
        // every category marked, entered by the longest login name the setup
        // tool accepts (20 full-width characters, which the 入力者 column
        // holds whole within a day's line).
        std::vector<lum::CureResult> rows;
        for (int day = 1; day <= 31; ++day) {
            for (int k = 0; k < kResultsADay; ++k) {
                lum::CureResult r = lum::test::resultOn(client_, ymd(2024, 5, day), 2);
                r.StuffCode = k + 1;
                r.StuffName = lum::test::longestStaffName();
                r.StuffKigo = fullWidth(4, u'鷲');
                r.PStartTime = r.RStartTime = hm(k == 0 ? 8 : 9, 0);
                r.PMinute = r.RMinute = 999;
                if (k == 0) r.Flags.fill(true);
                r.LoginName = lum::test::longestLoginName();
                rows.push_back(r);
            }
        }
        store().insertAll(rows);
    }

    QStringList faults(const lum::TfrEMFPages& pages, const QString& name) {
        lum::test::keepPages(pages, name);
        return lum::test::layoutFaults(pages, name) + lum::test::scaleFaults(pages, name);
    }

    // The client's name, every staff member's in the legend and the login
    // name on every day print from their start.
    static void expectNamesFromTheStart(const lum::TfrEMFPages& pages) {
        using namespace lum::test;
        EXPECT_EQ(namesPrintedFromTheStart(pages, kClientNameStart), 1);
        EXPECT_EQ(namesPrintedFromTheStart(pages, kStaffNameStart), lum::MonthRecordLegendSize);
        EXPECT_EQ(namesPrintedFromTheStart(pages, kLoginNameStart), 31);
    }

    TPerson client_;
    lum::HeadlessReportUi ui_;
    lum::HeadlessProgress progress_;
};

TEST_P(PrintoutLayoutRecordsTest, TheMonthlyRecordOfOneClient) {
    TPersonMedicalRecordForm form;
    form.frReport1.Ui = &ui_;
    form.show();
    form.CureEdit->setText(QString::number(client_.CureNo));
    form.OpenButton->click();
    ASSERT_TRUE(form.PrintButton->isEnabled());
    form.PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 1);
    ASSERT_EQ(form.Record.CntTotal, 31 * kResultsADay);
    EXPECT_TRUE(readsRight(faults(form.frReport1.EMFPages, QStringLiteral("RihaPersonKirokusho"))));
    expectNamesFromTheStart(form.frReport1.EMFPages);
}

TEST_P(PrintoutLayoutRecordsTest, TheMonthlyRecordsInBulk) {
    TPrintPersonResultForm form;
    form.frReport1.Ui = &ui_;
    form.frReport1.Progress = &progress_;
    form.show();
    form.DisplayBtn->click();
    ASSERT_EQ(form.List->rowCount(), 1);
    form.List->AllSelectBtn->click();
    form.PrintBtn->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(form.frReport1.EMFPages.Count(), 1);
    EXPECT_TRUE(readsRight(faults(form.frReport1.EMFPages, QStringLiteral("PrintPersonKirokusho"))));
    expectNamesFromTheStart(form.frReport1.EMFPages);
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintoutLayoutRecordsTest);

}  // namespace
