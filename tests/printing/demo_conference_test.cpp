// The conference record printed through its window on the demo data set:
// opened from the client with two conferences and from the one at the
// limits, prepared, written to PDF and read back with pdftotext. Set
// LUMORIND_PRINT_OUT to a folder to keep the PDF files and look at them.
#include "demo_data.h"
#include "app/staff_list.h"
#include "common/era_text.h"
#include "plans/conference_form.h"
#include "plans/open_document_dialog.h"
#include "print_fixture.h"
#include "report/engine/tfr_report.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class DemoConferenceTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        lum::setup::writeDemoData(db(), clock_.now().date());
        for (const lum::StaffMember& s : lum::ReadStaffList(db())) {
            module().StuffCD.push_back(s.code);
            module().StuffNames << s.name;
            module().StuffKigo << s.symbol;
        }
        module().StuffCount = static_cast<int>(module().StuffCD.size());
        form_ = std::make_unique<TConferenceForm>();
        form_->frReport1.Ui = &ui_;
        form_->show();
    }
    void TearDown() override {
        if (form_) form_->ResetModified();
        form_.reset();
        delete GetConfForm;
        PrintWindowTest::TearDown();
    }
    // The client's conferences, newest first.
    std::vector<std::pair<int, lum::TDateTime>> conferences() {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT CureNo, PractDay FROM Conference ORDER BY CureNo, PractDay DESC"));
        db().exec(q);
        std::vector<std::pair<int, lum::TDateTime>> out;
        while (q.next()) out.emplace_back(q.value(0).toInt(), lum::TDateTime::fromDateTime(q.value(1).toDateTime()));
        return out;
    }
    // Opens the client's conference in the given row of the open dialog's list.
    void open(int cureNo, int row) {
        lum::ScriptedDialogs d;
        d.expectModal(QStringLiteral("TGetConfForm"), [cureNo, row](QDialog& dialog) {
            auto& o = static_cast<TGetDocumentForm&>(dialog);
            o.CureNoEdit->setText(QString::number(cureNo));
            o.ConFirmButton->click();
            if (o.result() != QDialog::Accepted) {
                o.DBGrid1->setCurrentCell(row, 0);
                o.DecideButtonClick();
            }
            return o.result();
        });
        form_->OpenToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    QString printed(const char* name) {
        form_->PrintToolButton->click();
        EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
        const QString file =
            outputFile(QStringLiteral("demo-%1-%2.pdf").arg(QLatin1String(name), isSqlite() ? "sqlite" : "pg"));
        writePdf(form_->frReport1.EMFPages, file);
        return pdfText(file);
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TConferenceForm> form_;
};

TEST_P(DemoConferenceTest, TheClientWithTwoConferencesPrintsTheOneOpened) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const auto all = conferences();
    ASSERT_EQ(all.size(), 6u);
    // The client listed twice: the older of the two, the second in the list.
    int twice = 0;
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i].first == all[i - 1].first) twice = all[i].first;
    ASSERT_GT(twice, 0);
    open(twice, 1);
    const lum::TConference& c = form_->Conf;
    ASSERT_FALSE(c.Hyouka.isEmpty());
    EXPECT_LT(form_->ConfDate.date(), clock_.now().date().addMonths(-2));
    const QString text = printed("conference");
    ASSERT_EQ(form_->frReport1.EMFPages.Count(), 1);
    const QString flat = lum::test::withoutBlanks(text);
    for (const QString& s :
         {QStringLiteral("リハビリテーションカンフアレンス"), QStringLiteral("実施日"),
          lum::test::withoutBlanks(c.Shimei), QStringLiteral("(%1歳)").arg(c.Old), QStringLiteral("（期間") + lum::DateToEraText(c.FromDay),
          QStringLiteral("評価及び経過"), lum::test::withoutBlanks(c.Hyouka), QStringLiteral("到達時期"),
          lum::test::withoutBlanks(c.Toutatsu), QStringLiteral("出席者"),
          lum::test::withoutBlanks(module().GetStuffName(c.Rihabiri)),
          lum::test::withoutBlanks(module().GetStuffName(c.KanKai))})
        EXPECT_TRUE(flat.contains(s)) << s.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("平成14年02月")));  // the older conference's date
    EXPECT_EQ(text.count(QStringLiteral("変更（有）")) + text.count(QStringLiteral("変更（無）")), 3);
    EXPECT_EQ(text.count(QStringLiteral("変更（有）")), int(c.Target) + int(c.KankaiAriNasi) + int(c.RihabiAriNasi));
}

TEST_P(DemoConferenceTest, TheEvaluationAtItsLimitPrintsWholeOverTwoPages) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    // The last client's conference holds every text at its limit.
    const auto all = conferences();
    ASSERT_FALSE(all.empty());
    open(all.back().first, 0);
    const lum::TConference& c = form_->Conf;
    ASSERT_EQ(c.Hyouka.size(), 2047);
    ASSERT_TRUE(c.Hyouka.endsWith(u'了'));
    const QString text = printed("conference-limits");
    EXPECT_EQ(form_->frReport1.EMFPages.Count(), 2);
    const QString flat = lum::test::withoutBlanks(text);
    EXPECT_TRUE(flat.contains(c.Hyouka)) << text.toStdString();
    // The rows whole: each text's character, plus where a caption has it.
    EXPECT_EQ(flat.count(u'目'), 127 + 1);  // 目　　　標
    EXPECT_EQ(flat.count(u'期'), 126 + 2);  // 到達時期, （期間
    EXPECT_EQ(flat.count(u'看'), 127 + 2);  // 看介護 twice
    EXPECT_EQ(flat.count(u'訓'), 127);
    EXPECT_TRUE(flat.contains(QStringLiteral("出席者")));
}

LUM_INSTANTIATE_DATABASE_TESTS(DemoConferenceTest);

}  // namespace
