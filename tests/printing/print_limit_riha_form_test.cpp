// The plan deadlines on both backends at 2002/05/20, driven by control
// names: who is listed for each kind of plan (the three-month limit, the
// discharge date), the limit's day arithmetic, the kana rows, the printout
// read back from its PDF, and a list that cannot be read.
#include "printing/print_limit_riha_form.h"

#include "common/db/sql_date.h"
#include "print_fixture.h"
#include "report/engine/tfr_report.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TDateTime ymd(int y, int m, int d, int h = 0) { return TDateTime::fromYmdHms(y, m, d, h, 0); }

TEST(PlanDeadlineLimit, IsTheSameDayThreeMonthsBackOrThatMonthsLastDay) {
    struct Case {
        QDate today, limit;
    };
    const Case cases[] = {
        {QDate(2002, 5, 20), QDate(2002, 2, 20)}, {QDate(2002, 5, 31), QDate(2002, 2, 28)},
        {QDate(2004, 5, 31), QDate(2004, 2, 29)}, {QDate(2002, 1, 15), QDate(2001, 10, 15)},
        {QDate(2002, 12, 31), QDate(2002, 9, 30)},
    };
    for (const Case& c : cases) EXPECT_EQ(lum::PlanDeadlineLimit(c.today), c.limit) << c.today.toString().toStdString();
}

class PrintLimitRihaFormTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TPrintLimitRihaForm>();
        form_->frReport1.Ui = &ui_;
        form_->frReport1.Progress = &progress_;
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        PrintWindowTest::TearDown();
    }
    void person(int cureNo, const QString& name, const QString& kana, TDateTime discharged) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, NYUSHOBI_YMD, TAISHOBI_YMD) "
            "VALUES (:no, :name, :kana, 2, 4, :in, :out)"));
        q.bindValue(QStringLiteral(":no"), cureNo);
        q.bindValue(QStringLiteral(":name"), name);
        q.bindValue(QStringLiteral(":kana"), kana);
        lum::db::bindDate(q, QStringLiteral(":in"), ymd(2001, 4, 1));
        lum::db::bindDate(q, QStringLiteral(":out"), discharged);
        db().exec(q);
    }
    // A treatment plan or a practice plan of the client on the day.
    void planOn(bool practice, int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(practice ? QStringLiteral("INSERT INTO Practice (CureNo, PrcticeDay) VALUES (:c, :d)")
                                            : QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay) VALUES (:c, :d)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
    }
    // The clients of the cases, each with its plans of both kinds.
    void seed() {
        struct Client {
            int cureNo;
            const char* name;
            const char* kana;
            TDateTime discharged;
            std::vector<TDateTime> plans;
        };
        const Client clients[] = {
            {11, "青木　限日", "ｱｵｷ", {}, {ymd(2002, 2, 20)}},                          // exactly three months: not
            {12, "井上　前日", "ｲﾉｳｴ", {}, {ymd(2002, 2, 19)}},                         // a day older: listed
            {13, "内田　昨日退所", "ｳﾁﾀﾞ", ymd(2002, 5, 19), {ymd(2001, 12, 1)}},       // discharged yesterday
            {14, "遠藤　本日退所", "ｴﾝﾄﾞｳ", ymd(2002, 5, 20), {ymd(2001, 12, 1)}},      // discharged today
            {15, "大塚　来月退所", "ｵｵﾂｶ", ymd(2002, 6, 1), {ymd(2001, 12, 1)}},        // leaves next month: listed
            {123, "加藤　在所", "ｶﾄｳ", {}, {ymd(2001, 9, 1), ymd(2001, 11, 30)}},      // not discharged: listed
            {17, "木下　新計画", "ｷﾉｼﾀ", {}, {ymd(2001, 11, 1), ymd(2002, 4, 1)}},      // a newer plan: not
            {18, "工藤　計画なし", "ｸﾄﾞｳ", {}, {}},                                     // no plan: not
            {19, "小林　負の日付", "ｺﾊﾞﾔｼ", ymd(1899, 12, 29), {ymd(2001, 10, 1)}},    // a date before 0: listed
            {20, "佐々木　限日午後", "ｻｻｷ", {}, {ymd(2002, 2, 20, 10)}},               // that day at ten: not
        };
        for (const Client& c : clients) {
            person(c.cureNo, QString::fromUtf8(c.name), QString::fromUtf8(c.kana), c.discharged);
            for (const TDateTime& day : c.plans) {
                planOn(false, c.cureNo, day);
                planOn(true, c.cureNo, day);
            }
        }
    }
    QList<int> listed() const {
        QList<int> numbers;
        for (int r = 0; r < form_->List->rowCount(); ++r)
            numbers << form_->List->row(r).value(QStringLiteral("CureNo")).toInt();
        return numbers;
    }
    QPushButton* button(const char* name) { return form_->findChild<QPushButton*>(QString::fromLatin1(name)); }

    lum::HeadlessReportUi ui_;
    lum::HeadlessProgress progress_;
    std::unique_ptr<TPrintLimitRihaForm> form_;
};

TEST_P(PrintLimitRihaFormTest, ListsTheClientsInCareWhoseLatestPlanIsOlderThanThreeMonths) {
    seed();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("計画書期限参照（印刷）"));
    for (const char* name : {"ABtn", "WBtn", "AllDispBtn", "PrintBtn"}) EXPECT_FALSE(button(name)->isEnabled()) << name;
    EXPECT_EQ(button("AllDispBtn")->text(), QStringLiteral("全て"));
    // Name order (code point order of the names).
    const QList<int> expected = {12, 123, 15, 19};
    for (const char* name : {"PlanBtn", "PractBtn"}) {
        SCOPED_TRACE(name);
        button(name)->click();
        EXPECT_EQ(listed(), expected);
        for (const char* b : {"ABtn", "WBtn", "AllDispBtn", "PrintBtn"}) EXPECT_TRUE(button(b)->isEnabled()) << b;
    }
    // The grid: eight digits, the latest plan as an era date, type and category.
    const QSqlRecord row = form_->List->row(1);
    EXPECT_EQ(row.value(QStringLiteral("CureNo")).toInt(), 123);
    const QAbstractItemModel* model = form_->List->DBGrid1->model();
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("00000123"));
    EXPECT_EQ(model->index(1, 2).data().toString(), QStringLiteral("平成13年11月30日"));
    EXPECT_EQ(model->index(1, 3).data().toString(), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(model->index(1, 4).data().toString().trimmed(), QStringLiteral("集団"));
}

TEST_P(PrintLimitRihaFormTest, AKanaRowStaysOverANewListAndThePrintoutTakesTheRowsShown) {
    seed();
    button("PlanBtn")->click();
    form_->List->KanaButtons[1]->click();  // カ
    button("PractBtn")->click();
    EXPECT_EQ(listed(), (QList<int>{123, 19}));
    form_->List->AllDispBtn->click();
    EXPECT_EQ(listed(), (QList<int>{12, 123, 15, 19}));
    form_->List->KanaButtons[0]->click();  // ア: 井上 and 大塚
    EXPECT_EQ(listed(), (QList<int>{12, 15}));
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(form_->frReport1.EMFPages.Count(), 1);
    EXPECT_EQ(ui_.previews, QStringList{QStringLiteral("Preview - 計画書期限参照（印刷）")});
    // After printing the list is empty; the buttons keep their state, and
    // a print now does nothing.
    EXPECT_EQ(form_->List->rowCount(), 0);
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
    button("PrintBtn")->click();
    EXPECT_EQ(ui_.previews.size(), 1);
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    button("PlanBtn")->click();
    form_->List->AllDispBtn->click();
    button("PrintBtn")->click();
    const QString file = outputFile(QStringLiteral("PrintLimit-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    writePdf(form_->frReport1.EMFPages, file);
    const QString text = lum::test::withoutBlanks(pdfText(file));
    for (const char* expected : {"計画書期限参照", "作成日平成14年05月20日", "介護老人保健施設みどり苑", "登録(実施)日",
                                 "12井上前日平成14年02月19日通所リハビリ", "123加藤在所平成13年11月30日通所リハビリ",
                                 "15大塚来月退所平成13年12月01日通所リハビリ", "19小林負の日付平成13年10月01日通所リハビリ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("00000123")));
    for (const char* absent : {"青木", "内田", "遠藤", "木下", "工藤", "佐々木"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
}

TEST_P(PrintLimitRihaFormTest, AListThatCannotBeReadSaysSoAndKeepsTheOneShown) {
    seed();
    button("PlanBtn")->click();
    ASSERT_EQ(listed().size(), 4);
    db().execute(QStringLiteral("DROP TABLE Practice"));
    lum::ScriptedDialogs dialogs;
    dialogs.expect(MsgKind::Information, QStringLiteral("System Error\n表示に失敗しました。"), MsgButton::Ok);
    button("PractBtn")->click();
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
    EXPECT_EQ(listed().size(), 4);
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintLimitRihaFormTest);

}  // namespace
