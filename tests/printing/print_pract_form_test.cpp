// The practice plans in bulk on both backends, driven by control names on
// 2002/05/20: the list in kana then date order, 最新 by calendar day, two
// plans of one client printed in date order with their own values, a plan
// stored with a time of day found by its number, a plan of record version 29,
// the closed list and the empty selection, and a Cancel in the middle.
#include "printing/print_pract_form.h"

#include "clients/person_store.h"
#include "common/db/sql_date.h"
#include "plans/blob_document_store.h"
#include "plans/document_kinds.h"
#include "plan_print_fixture.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class PrintPractFormTest : public lum::test::PlanPrintTest<TPrintPractForm> {
protected:
    PrintPractFormTest() : PlanPrintTest("PractNo") {}
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        clientBase_.YOUKAIGO_KBN = 2;
        yamada_ = addClient(QStringLiteral("山田　花子"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"), 0, 1 | 8);
        kato_ = addClient(QStringLiteral("加藤　一郎"), QStringLiteral("ｶﾄｳ ｲﾁﾛｳ"), 2, 2);
        kimura_ = addClient(QStringLiteral("木村　京子"), QStringLiteral("ｷﾑﾗ ｷｮｳｺ"), 1, 0);
        // The later plan first: the list orders by date, not by number.
        planB_ = addPlan(yamada_, TDateTime::fromYmdHms(2002, 5, 1, 0, 0), QStringLiteral("二回目の評価"));
        planA_ = addPlan(yamada_, TDateTime::fromYmdHms(2002, 3, 4, 15, 42, 17), QStringLiteral("初回の評価"));
        // On the first day of the month three months back, in the afternoon: not recent.
        planC_ = addPlan(kato_, TDateTime::fromYmdHms(2002, 2, 1, 14, 0), QStringLiteral("加藤さんの評価"));
        planD_ = addPlan(kimura_, TDateTime::fromYmdHms(2002, 2, 2, 0, 0), QStringLiteral("木村さんの評価"));
        makeForm();
    }

    // A plan stored as it is, its date with the time given, version 30.
    int addPlan(int cureNo, TDateTime when, const QString& hope, int version = 30) {
        const TPerson p = *lum::PersonStore(db()).find(cureNo);
        lum::TPracticePlan plan = lum::newPracticePlan(p, when);
        plan.SelfHope = hope;
        plan.KenkouMemo = QStringLiteral("高血圧");
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Practice (CureNo, PrcticeDay, DataFormatVersion, PracticeData) VALUES (:c, :d, :v, :b)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), when);
        q.bindValue(QStringLiteral(":v"), version);
        q.bindValue(QStringLiteral(":b"), lum::encodePracticePlan(plan));
        db().exec(q);
        QSqlQuery last = db().prepare(QStringLiteral("SELECT MAX(PractNo) FROM Practice"));
        db().exec(last);
        last.next();
        return last.value(0).toInt();
    }

    // The texts of the pages from..to-1, joined.
    QString pagesText(int from, int to) {
        QStringList out;
        for (int pg = from; pg < to; ++pg)
            for (const auto& v : f().frReport1.EMFPages.GetPage(pg).objects()) out << v->Memo.join(u'\n');
        return out.join(u'|');
    }
    // The pages one plan prints.
    int pagesOfOnePlan() {
        button("AllBtn")->click();
        select({0});
        button("PrintBtn")->click();
        return f().frReport1.EMFPages.Count();
    }

    int yamada_ = 0, kato_ = 0, kimura_ = 0;
    int planA_ = 0, planB_ = 0, planC_ = 0, planD_ = 0;
};

TEST_P(PrintPractFormTest, ThePlansAreListedByKanaThenDateAndRecentGoesByCalendarDay) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("リハビリ実施計画書（印刷）"));
    for (const char* name : {"ABtn", "AllDispBtn", "AllSelectBtn", "EraseBtn", "PrintBtn"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    struct Case {
        const char* button;
        QVector<int> plans;
    };
    const Case cases[] = {{"AllBtn", {planC_, planD_, planA_, planB_}}, {"NewBtn", {planD_, planA_, planB_}}};
    for (const Case& c : cases) {
        button(c.button)->click();
        EXPECT_EQ(listed(), c.plans) << c.button;
    }
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
    EXPECT_EQ(cell(1, 0), QStringLiteral("%1").arg(yamada_, 8, 10, QChar(u'0')));
    EXPECT_EQ(cell(1, 1), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("山田　花子"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("2002/03/04"));
    EXPECT_EQ(cell(1, 4), QStringLiteral("入所"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("2002/02/02"));
    f().List->DBGrid1->selectRow(1);
    shot(f(), QStringLiteral("print-pract"));
    // A kana row chosen before 最新 stays; 全て clears it.
    button("YBtn")->click();
    button("NewBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{planA_, planB_}));
    button("AllBtn")->click();
    EXPECT_EQ(listed().size(), 4);
}

TEST_P(PrintPractFormTest, AClosedListAndAnEmptySelectionAreTold) {
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("*** SystemError : 印刷データがありません。"), MsgButton::Ok);
        f().PrintBtnClick();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    button("AllBtn")->click();
    button("KBtn")->click();
    button("AllSelectBtn")->click();
    EXPECT_EQ(f().List->selectedCount(), 2);  // the rows shown only
    button("EraseBtn")->click();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("選択データがありません。"), MsgButton::Ok);
    button("PrintBtn")->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 0);
}

TEST_P(PrintPractFormTest, TwoPlansOfOneClientPrintInDateOrderEachWithItsOwnValues) {
    const int k = pagesOfOnePlan();
    ASSERT_GE(k, 1);
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    button("AllBtn")->click();
    button("YBtn")->click();
    button("AllSelectBtn")->click();
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    EXPECT_EQ(progress_.captions.last(), QStringLiteral("Report preparing - リハビリ実施計画書（印刷）"));
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 2 * k);
    const QString first = pagesText(0, k);
    const QString second = pagesText(k, 2 * k);
    // The earlier plan (stored with a time of day) first, found by its number.
    EXPECT_TRUE(first.contains(QStringLiteral("初回の評価")));
    EXPECT_FALSE(first.contains(QStringLiteral("二回目の評価")));
    EXPECT_TRUE(second.contains(QStringLiteral("二回目の評価")));
    EXPECT_TRUE(first.contains(QStringLiteral("山田　花子")));
    // The list then shows the last plan printed until it is filtered again.
    EXPECT_EQ(listed(), (QVector<int>{planB_}));
    button("AllDispBtn")->click();
    EXPECT_EQ(listed().size(), 4);

    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = outputFile(QStringLiteral("practice-plans-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    writePdf(f().frReport1.EMFPages, pdf);
    const QString text = lum::test::withoutBlanks(pdfText(pdf));
    const qsizetype a = text.indexOf(QStringLiteral("初回の評価"));
    const qsizetype b = text.indexOf(QStringLiteral("二回目の評価"));
    EXPECT_GE(a, 0);
    EXPECT_GT(b, a);
    // Each plan under its own date.
    const qsizetype day1 = text.indexOf(QStringLiteral("平成14年03月04日"));
    const qsizetype day2 = text.indexOf(QStringLiteral("平成14年05月01日"));
    EXPECT_GE(day1, 0);
    EXPECT_GT(day2, day1);
}

TEST_P(PrintPractFormTest, APlanOfAnotherRecordVersionEndsThePrintoutWithItsMessage) {
    const int old = addPlan(kato_, TDateTime::fromYmd(2002, 4, 1), QStringLiteral("古い形式"), 29);
    button("AllBtn")->click();
    button("AllSelectBtn")->click();
    ASSERT_EQ(f().List->selectedCount(), 5);
    button("PrintBtn")->click();
    EXPECT_EQ(ui_.errors, QStringList{QStringLiteral("System DB Read Error:実施計画データの形式エラーです。")});
    EXPECT_TRUE(ui_.previews.isEmpty());
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 0);
    EXPECT_EQ(listed(), (QVector<int>{old}));
}

TEST_P(PrintPractFormTest, CancelStopsAfterThePlanInHandAndShowsThePagesMade) {
    const int k = pagesOfOnePlan();
    ASSERT_GE(k, 1);
    button("AllBtn")->click();
    button("AllSelectBtn")->click();
    progress_.labels.clear();
    // Cancel as the second plan's first page is reported: the window's first
    // label, then per plan its start, its k pages and its end.
    progress_.cancelAtLabel = 1 + (k + 2) + 2;
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 2 * k) << progress_.labels.join(u'|').toStdString();
    EXPECT_TRUE(pagesText(k, 2 * k).contains(QStringLiteral("木村さんの評価")));
    EXPECT_EQ(ui_.previews.size(), 2);
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintPractFormTest);

}  // namespace
