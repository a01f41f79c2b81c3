// The monthly personal records in bulk on both backends, driven by control
// names: which plans cover a month, each selected client's own heading, day
// lines and totals (read back from the PDF), a plan deleted after 抽出, the
// messages, the list emptied by printing and a Cancel in mid-run.
#include "printing/print_person_result_form.h"

#include "report/engine/tfr_report.h"
#include "results/medical_record_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/report_pdf.h"
#include "widgets/up_down.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTableView>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class PrintPersonResultFormTest : public lum::test::MedicalRecordTest {
protected:
    void SetUp() override {
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TPrintPersonResultForm>();
        form_->frReport1.Ui = &ui_;
        form_->frReport1.Progress = &progress_;
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        MedicalRecordTest::TearDown();
    }

    TPerson client(const QString& name, const QString& kana) {
        TPerson p = lum::test::makeClient(name, 0, 0);
        p.Kana = kana;
        return registered(p);
    }
    int plan(const TPerson& c, TDateTime start, TDateTime end, const QString& program = {}) {
        lum::TPlan p;
        p.CureNo = c.CureNo;
        p.PlanRegistDay = start;
        p.PlanEndDay = end;
        p.Name = c.Name;
        p.RihaType = c.RihaType;
        p.Body.Program[0] = program;
        return lum::PlanStore(db()).AppendPlanRow(p, QStringLiteral("作成者"), start);
    }
    // Steps the month from May 2024 (the clock's) to the given one and lists it.
    void display(int year, int month) {
        const int steps = (year - 2024) * 12 + month - 5;
        for (int i = 0; i < std::abs(steps); ++i) steps > 0 ? form_->Hizuke->clickUp() : form_->Hizuke->clickDown();
        form_->DisplayBtn->click();
    }
    QList<int> listed() const {
        QList<int> numbers;
        for (int r = 0; r < form_->List->rowCount(); ++r)
            numbers << form_->List->row(r).value(QStringLiteral("CureNo")).toInt();
        return numbers;
    }
    // The PDF text of the prepared pages, one entry per page.
    QStringList pages(const QString& name) {
        const QString file = out_.file(name + (isSqlite() ? QStringLiteral("-sqlite.pdf") : QStringLiteral("-pg.pdf")));
        lum::test::writePdf(form_->frReport1.EMFPages, file);
        QStringList list = lum::test::pdfText(file).split(u'\f');
        while (!list.isEmpty() && list.last().trimmed().isEmpty()) list.removeLast();
        return list;
    }
    static int dayLines(const QString& page) {
        return int(page.count(QRegularExpression(QStringLiteral("(?m)^[ \\t]*\\d{1,2} \\([日月火水木金土]\\)"))));
    }

    lum::HeadlessReportUi ui_;
    lum::HeadlessProgress progress_;
    lum::test::PdfOutput out_;
    std::unique_ptr<TPrintPersonResultForm> form_;
};

TEST_P(PrintPersonResultFormTest, ShowingStartsOnThisMonthWithTheCommandsOff) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("リハビリ実績記録書（印刷）"));
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("令和 06年05月"));
    EXPECT_TRUE(form_->CountLabel->text().isEmpty());
    for (const char* name : {"ABtn", "WBtn", "AllDispBtn", "AllSelectBtn", "EraseBtn", "PrintBtn"})
        EXPECT_FALSE(form_->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(form_->findChild<QPushButton*>(QStringLiteral("DisplayBtn"))->isEnabled());
    form_->Hizuke->clickDown();
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("令和06年04月"));
}

TEST_P(PrintPersonResultFormTest, APlanIsListedForEveryMonthItCovers) {
    const TPerson a = client(QStringLiteral("相川　一"), QStringLiteral("ｱｲｶﾜ ﾊｼﾞﾒ"));
    const TPerson b = client(QStringLiteral("石田　二"), QStringLiteral("ｲｼﾀﾞ ｼﾞ"));
    const TPerson c = client(QStringLiteral("上野　三"), QStringLiteral("ｳｴﾉ ｿﾞｳ"));
    const TPerson d = client(QStringLiteral("江藤　四"), QStringLiteral("ｴﾄｳ ｼﾛｳ"));
    const TPerson e = client(QStringLiteral("小野　五"), QStringLiteral("ｵﾉ ｺﾞﾛｳ"));
    plan(b, ymd(2024, 4, 20), ymd(2024, 5, 5));   // from the 20th of April to the 5th of May
    plan(a, ymd(2024, 3, 1), ymd(2024, 4, 30));   // ends on April's last day
    plan(c, ymd(2024, 5, 31), ymd(2024, 8, 31));  // starts on May's last day
    plan(d, ymd(2024, 6, 1), ymd(2024, 9, 1));    // starts in June
    plan(e, ymd(2024, 1, 10), ymd(2024, 6, 10));  // two plans over May: listed twice
    plan(e, ymd(2024, 5, 10), ymd(2024, 11, 10));
    plan(b, TDateTime::fromYmdHms(2024, 5, 6, 13, 0), ymd(2024, 5, 31));  // a start with a time of day is still in May
    struct Case {
        int year, month;
        QList<int> numbers;
    };
    const Case cases[] = {
        {2024, 5, {b.CureNo, b.CureNo, c.CureNo, e.CureNo, e.CureNo}},
        {2024, 4, {a.CureNo, b.CureNo, e.CureNo}},
        {2024, 6, {c.CureNo, d.CureNo, e.CureNo, e.CureNo}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.month);
        form_.reset(new TPrintPersonResultForm);
        form_->show();
        display(k.year, k.month);
        EXPECT_EQ(listed(), k.numbers);
        EXPECT_EQ(form_->CountLabel->text(), QStringLiteral("抽出件数　%1件").arg(k.numbers.size()));
        for (const char* name : {"ABtn", "AllDispBtn", "AllSelectBtn", "EraseBtn", "PrintBtn"})
            EXPECT_TRUE(form_->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled()) << name;
        // A month step closes the list.
        form_->Hizuke->clickUp();
        EXPECT_EQ(form_->List->rowCount(), 0);
        EXPECT_TRUE(form_->CountLabel->text().isEmpty());
        EXPECT_FALSE(form_->PrintBtn->isEnabled());
    }
    lum::ScriptedDialogs dialogs;
    dialogs.expect(MsgKind::Error, QStringLiteral("条件に該当する計画書がありません。"), MsgButton::Abort);
    form_.reset(new TPrintPersonResultForm);
    form_->show();
    display(2023, 5);
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
    EXPECT_FALSE(form_->PrintBtn->isEnabled());
}

TEST_P(PrintPersonResultFormTest, EachSelectedClientPrintsItsOwnRecordOverTheMonthsDays) {
    const TPerson a = client(QStringLiteral("相川　一"), QStringLiteral("ｱｲｶﾜ ﾊｼﾞﾒ"));
    const TPerson b = client(QStringLiteral("石田　二"), QStringLiteral("ｲｼﾀﾞ ｼﾞ"));
    plan(a, ymd(2022, 12, 1), ymd(2024, 12, 31), QStringLiteral("平行棒内歩行訓練"));
    plan(b, ymd(2022, 12, 1), ymd(2024, 12, 31), QStringLiteral("関節可動域訓練"));
    struct Case {
        int year, month, days;
    };
    const Case cases[] = {{2023, 2, 28}, {2024, 2, 29}, {2024, 4, 30}, {2024, 5, 31}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.month);
        const TDateTime third = ymd(k.year, k.month, 3);
        addResult(a, third, 3, hm(10, 0), 40);
        addResult(a, third, 7, hm(9, 0), 20);
        // A CureDate with a time of day still counts for its day.
        const qint64 timed = addResult(b, third, 9, hm(14, 0), 30);
        setRaw(timed, "CureDate", TDateTime::fromYmdHms(k.year, k.month, 3, 14, 0));
        form_.reset(new TPrintPersonResultForm);
        form_->frReport1.Ui = &ui_;
        form_->frReport1.Progress = &progress_;
        form_->show();
        display(k.year, k.month);
        ASSERT_EQ(listed(), (QList<int>{a.CureNo, b.CureNo}));
        form_->List->AllSelectBtn->click();
        form_->PrintBtn->click();
        ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
        ASSERT_EQ(form_->frReport1.EMFPages.Count(), 2);
        EXPECT_EQ(form_->CureNos, (std::vector<int>{a.CureNo, b.CureNo}));
        if (!lum::test::havePdfToText()) continue;
        const QStringList text = pages(QStringLiteral("PrintPersonKirokusho-%1-%2").arg(k.year).arg(k.month));
        ASSERT_EQ(text.size(), 2);
        struct Page {
            const TPerson& who;
            const char* program;
            int minutes, count;
            const TPerson& other;
        };
        const Page expected[] = {{a, "平行棒内歩行訓練", 60, 2, b}, {b, "関節可動域訓練", 30, 1, a}};
        for (int p = 0; p < 2; ++p) {
            const QString page = lum::test::withoutBlanks(text[p]);
            const Page& e = expected[p];
            EXPECT_EQ(dayLines(text[p]), k.days) << text[p].toStdString();
            EXPECT_TRUE(page.contains(lum::test::withoutBlanks(e.who.Name)));
            EXPECT_FALSE(page.contains(lum::test::withoutBlanks(e.other.Name)));
            EXPECT_TRUE(page.contains(QString::fromUtf8(e.program)));
            // Day 3: the first result by time, the minutes summed, the count.
            EXPECT_TRUE(page.contains(QStringLiteral("3(%1)%2%3").arg(lum::CalendorWeekNames[ymd(k.year, k.month, 3).date().dayOfWeek() % 7],
                                                                     p == 0 ? QStringLiteral("09:00") : QStringLiteral("14:00"))
                                          .arg(e.minutes)))
                << page.toStdString();
        }
    }
}

TEST_P(PrintPersonResultFormTest, AClientWhosePlanWentAfterTheListPrintsOnlyItsNumberAndDays) {
    const TPerson a = client(QStringLiteral("相川　一"), QStringLiteral("ｱｲｶﾜ ﾊｼﾞﾒ"));
    const TPerson b = client(QStringLiteral("石田　二"), QStringLiteral("ｲｼﾀﾞ ｼﾞ"));
    plan(a, ymd(2024, 4, 1), ymd(2024, 7, 1), QStringLiteral("平行棒内歩行訓練"));
    const int gone = plan(b, ymd(2024, 4, 1), ymd(2024, 7, 1), QStringLiteral("関節可動域訓練"));
    addResult(b, ymd(2024, 5, 7), 3, hm(11, 0), 25);
    form_->DisplayBtn->click();
    ASSERT_EQ(listed().size(), 2);
    lum::PlanStore(db()).DeletePlan(gone);
    lum::ScriptedDialogs dialogs;
    dialogs.expect(MsgKind::Information, QStringLiteral("リハビリ計画書データが見つかりません。"), MsgButton::Ok);
    form_->List->AllSelectBtn->click();
    form_->PrintBtn->click();
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
    ASSERT_EQ(form_->frReport1.EMFPages.Count(), 2);
    EXPECT_EQ(ui_.previews.size(), 1);
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QStringList text = pages(QStringLiteral("PrintPersonKirokusho-gone"));
    ASSERT_EQ(text.size(), 2);
    const QString second = lum::test::withoutBlanks(text[1]);
    EXPECT_TRUE(second.contains(QStringLiteral("治療番号%1").arg(b.CureNo))) << second.toStdString();
    EXPECT_EQ(dayLines(text[1]), 31);
    EXPECT_TRUE(second.contains(QStringLiteral("7(火)11:0025")));
    // Nothing of the client before: no name, no programme, no plan day.
    for (const QString& before : {lum::test::withoutBlanks(a.Name), lum::test::withoutBlanks(b.Name),
                                  QStringLiteral("平行棒内歩行訓練"), QStringLiteral("関節可動域訓練"),
                                  QStringLiteral("令和6年04月01日")})
        EXPECT_FALSE(second.contains(before)) << before.toStdString();
}

TEST_P(PrintPersonResultFormTest, PrintingNeedsAListAndASelectionAndEmptiesTheList) {
    const TPerson a = client(QStringLiteral("相川　一"), QStringLiteral("ｱｲｶﾜ ﾊｼﾞﾒ"));
    const TPerson k = client(QStringLiteral("加藤　六"), QStringLiteral("ｶﾄｳ ﾛｸ"));
    plan(a, ymd(2024, 4, 1), ymd(2024, 7, 1));
    plan(k, ymd(2024, 4, 1), ymd(2024, 7, 1));
    lum::ScriptedDialogs dialogs;
    dialogs.expect(MsgKind::Information, QStringLiteral("抽出データがありません。"), MsgButton::Ok)
        .expect(MsgKind::Information, QStringLiteral("選択データがありません。"), MsgButton::Ok)
        .expect(MsgKind::Information, QStringLiteral("抽出データがありません。"), MsgButton::Ok);
    form_->PrintBtnClick();  // before 抽出
    form_->DisplayBtn->click();
    form_->PrintBtn->click();  // nothing selected
    EXPECT_EQ(form_->frReport1.EMFPages.Count(), 0);
    // 全選択 takes the rows the カ row shows.
    form_->List->KanaButtons[1]->click();
    form_->List->AllSelectBtn->click();
    form_->PrintBtn->click();
    EXPECT_EQ(form_->CureNos, std::vector<int>{k.CureNo});
    EXPECT_EQ(form_->frReport1.EMFPages.Count(), 1);
    EXPECT_EQ(form_->List->rowCount(), 0);
    EXPECT_FALSE(form_->List->isLoaded());
    form_->PrintBtn->click();  // a second print needs 抽出 again
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
}

TEST_P(PrintPersonResultFormTest, CancelStopsAfterTheClientInHandAndShowsItsPages) {
    for (int i = 0; i < 3; ++i) {
        const TPerson c = client(QStringLiteral("利用者　%1").arg(i + 1), QStringLiteral("ﾘﾖｳｼｬ"));
        plan(c, ymd(2024, 4, 1), ymd(2024, 7, 1));
    }
    form_->DisplayBtn->click();
    form_->List->AllSelectBtn->click();
    // The labels: the window's first, then per client its start, its page
    // and its end. Cancel as the second client starts: that client still
    // prints whole, the third not at all.
    progress_.cancelAtLabel = 5;
    form_->PrintBtn->click();
    ASSERT_EQ(form_->frReport1.EMFPages.Count(), 2) << progress_.labels.join(u'|').toStdString();
    EXPECT_EQ(ui_.previews, QStringList{QStringLiteral("Preview - リハビリ実績記録書（印刷）")});
    ASSERT_FALSE(progress_.captions.isEmpty());
    EXPECT_EQ(progress_.captions.first(), QStringLiteral("Report preparing - リハビリ実績記録書（印刷）"));
    if (lum::test::havePdfToText()) {
        const QStringList text = pages(QStringLiteral("PrintPersonKirokusho-cancel"));
        ASSERT_EQ(text.size(), 2);
        EXPECT_EQ(dayLines(text[1]), 31);
        EXPECT_TRUE(lum::test::withoutBlanks(text[1]).contains(QStringLiteral("利用者2")));
    }
    // Without a Cancel all three print.
    progress_.cancelAtLabel = 0;
    form_->DisplayBtn->click();
    form_->List->AllSelectBtn->click();
    form_->PrintBtn->click();
    EXPECT_EQ(form_->frReport1.EMFPages.Count(), 3);
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintPersonResultFormTest);

}  // namespace
