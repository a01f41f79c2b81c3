// The conference survey printed through its window on the demo data set:
// opened from the open dialog, prepared, written to PDF and read back with
// pdftotext. Set LUMORIND_PRINT_OUT to a folder to keep the PDF files (and a
// picture of the window) and look at them.
#include "demo_data.h"
#include "print_fixture.h"
#include "app/staff_list.h"
#include "common/era_text.h"
#include "plans/before_conference_form.h"
#include "plans/open_document_dialog.h"
#include "platform/ui/scripted_dialogs.h"
#include "report/engine/tfr_report.h"
#include "report/objects/addin_views.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DemoConferenceSurveyTest : public lum::test::PrintWindowTest {
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
        QSqlQuery q = db().prepare(QStringLiteral("SELECT CureNo, COUNT(*) FROM BeforeConfer GROUP BY CureNo ORDER BY CureNo"));
        db().exec(q);
        while (q.next()) {
            if (q.value(1).toInt() == 2) twice_ = q.value(0).toInt();
            last_ = q.value(0).toInt();  // the survey with every text at its limit
        }
        form_ = std::make_unique<TBeforeConferenceForm>();
        form_->frReport1.Ui = &ui_;
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        form_.reset();
        delete GetBeforeConfForm;
        PrintWindowTest::TearDown();
    }
    // Opens the client's survey; with two, the older one.
    void open(int cureNo) {
        lum::ScriptedDialogs d;
        d.expectModal(QStringLiteral("TGetBeforeConfForm"), [cureNo](QDialog& dialog) {
            auto& g = static_cast<TGetDocumentForm&>(dialog);
            g.setResult(QDialog::Rejected);
            g.CureNoEdit->setText(QString::number(cureNo));
            g.ConFirmButton->click();
            if (g.result() != QDialog::Accepted) {
                g.DBGrid1->setCurrentCell(g.DBGrid1->rowCount() - 1, 0);
                g.DecideButtonClick();
            }
            return g.result();
        });
        form_->OpenToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    QString printToPdf(const char* name) {
        form_->PrintToolButton->click();
        EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
        const QString file = outputFile(QStringLiteral("demo-%1-%2.pdf").arg(QLatin1String(name), isSqlite() ? "sqlite" : "pg"));
        writePdf(form_->frReport1.EMFPages, file);
        return pdfText(file);
    }
    void keepPicture(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_PRINT_OUT");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        form_->grab().save(folder + u'/' + name + QStringLiteral(".png"));
        form_->ChosaPanel->grab().save(folder + u'/' + name + QStringLiteral("-sheet.png"));
    }
    QStringList printedBoxes() {
        QStringList boxes;
        for (const auto& v : form_->frReport1.EMFPages.GetPage(0).objects())
            if (dynamic_cast<const lum::TfrCheckBoxView*>(v.get())) boxes << v->Memo.value(0);
        return boxes;
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TBeforeConferenceForm> form_;
    int twice_ = 0;
    int last_ = 0;
};

TEST_P(DemoConferenceSurveyTest, TheSurveyAtItsLimitsPrintsEveryTextWhole) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_GT(last_, 0);
    open(last_);
    keepPicture(QStringLiteral("demo-BeforeConf-window"));
    const QString text = printToPdf("BeforeConf-limits");
    const QString flat = lum::test::withoutBlanks(text);
    for (const QString& s : {QStringLiteral("開始時リハビリテーションカンフアレンス（調査票参照）"), QStringLiteral("平成14年"),
                             QStringLiteral("実施日"), QStringLiteral("利用者氏名"), QStringLiteral("心身機能"),
                             QStringLiteral("運動機能障害"), QStringLiteral("認知症"), QStringLiteral("出席者"),
                             QStringLiteral("※多施設申し込み：有"), QStringLiteral("退所予定：有（") + QString(24, QChar(u'先'))})
        EXPECT_TRUE(flat.contains(s)) << s.toStdString();
    // 検討内容 whole: its 511 characters and the heading's one.
    EXPECT_EQ(flat.count(QChar(u'検')), 512);
    // Every note whole: 11 texts of 127 characters.
    EXPECT_EQ(flat.count(QChar(u'記')), 11 * 127);
    // Every attendee named.
    for (const char* role : {"医師：", "ケアマネ：", "管理栄養士：", "看介護：", "リハビリ："})
        EXPECT_FALSE(flat.contains(QString::fromUtf8(role) + QStringLiteral("ケアマネ"))) << role;
    const QString staff = form_->AttendeeBoxes[0]->currentText().remove(QChar(u'　'));
    ASSERT_FALSE(staff.isEmpty());
    EXPECT_EQ(flat.count(staff), 5);
    EXPECT_EQ(printedBoxes(), QStringList({"-1", "-1", "-1", "-1", "-1", "-1", "-1"}));
    form_->ResetModified();
}

TEST_P(DemoConferenceSurveyTest, TheClientWithTwoSurveysPrintsTheOlderOne) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_GT(twice_, 0);
    open(twice_);
    keepPicture(QStringLiteral("demo-BeforeConf-window-older"));
    const QString text = printToPdf("BeforeConf-older");
    const QString flat = lum::test::withoutBlanks(text);
    EXPECT_TRUE(flat.contains(lum::DateToEraText(form_->PractDay))) << text.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("検討内容")));
    EXPECT_TRUE(flat.contains(form_->kentou->toPlainText().section(u'\n', 0, 0).remove(u' ')));
    EXPECT_EQ(form_->frReport1.EMFPages.Count(), 1);
    form_->ResetModified();
}

LUM_INSTANTIATE_DATABASE_TESTS(DemoConferenceSurveyTest);

}  // namespace
