// The clients without plans on both backends, driven by control names: the
// two lists, the kana rows over them, the buttons' states, the failures and
// the printout of the rows the filter lets through.
#include "plans/print_outstanding_form.h"

#include "common/db/sql_date.h"
#include "plans/plans_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/report_pdf.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class PrintOutstandingFormTest : public lum::test::PlansTest {
protected:
    void SetUp() override {
        PlansTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // client_ has both plans; other_ none.
        addPlan(client_, TDateTime::fromYmd(2010, 4, 1));
        addPractice(client_, TDateTime::fromYmd(2010, 4, 1));
        gamou1_ = addClient(QStringLiteral("蒲生　次郎"), QStringLiteral("ｶﾞﾓｳ ｼﾞﾛｳ"), TDateTime::fromYmd(2022, 4, 1), 0, 1);
        gamou2_ = addClient(QStringLiteral("蒲生　次郎"), QStringLiteral("ｶﾞﾓｳ ｼﾞﾛｳ"), TDateTime::fromYmd(2023, 11, 6), 2, 12);
        addPractice(gamou1_, TDateTime::fromYmd(2022, 4, 2));
        kimura_ = addClient(QStringLiteral("木村　京子"), QStringLiteral("ｷﾑﾗ ｷｮｳｺ"), TDateTime(), 1, 0);
        sato_ = addClient(QStringLiteral("佐藤　三郎"), QStringLiteral("ｻﾄｳ ｻﾌﾞﾛｳ"), TDateTime::fromYmd(2024, 1, 5), 3, 2);
        form_ = std::make_unique<TPrintOutstandingForm>();
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->frReport1.Ui = &ui_;
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        PlansTest::TearDown();
    }
    int addClient(const QString& name, const QString& kana, TDateTime admitted, int type, int kubun) {
        TPerson p;
        p.Name = name;
        p.Kana = kana;
        p.Birth = TDateTime::fromYmd(1935, 6, 1);
        p.NYUSHOBI_YMD = admitted;
        p.RihaType = type;
        p.KubunCode = kubun;
        return lum::PersonStore(db()).insert(p);
    }
    void addPlan(int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay) VALUES (:c, :d)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
    }
    void addPractice(int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO Practice (CureNo, PrcticeDay) VALUES (:c, :d)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
    }
    TPrintOutstandingForm& f() { return *form_; }
    // With $LUMORIND_SHOTS naming a folder, a picture of the window there.
    void shot(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        f().grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }
    QPushButton* button(const char* name) { return f().findChild<QPushButton*>(QString::fromLatin1(name)); }
    QVector<int> listed() const {
        QVector<int> n;
        for (int r = 0; r < form_->List->rowCount(); ++r) n << form_->List->row(r).value(QStringLiteral("CureNo")).toInt();
        return n;
    }
    QString cell(int row, int column) const {
        QAbstractItemModel* m = form_->List->DBGrid1->model();
        return m->data(m->index(row, column)).toString();
    }
    bool listButtonsEnabled(bool on) {
        for (const char* name : {"ABtn", "KBtn", "SBtn", "TBtn", "NBtn", "HBtn", "MBtn", "YBtn", "RBtn", "WBtn",
                                 "AllDispBtn", "PrintBtn"})
            if (button(name)->isEnabled() != on) return false;
        return true;
    }
    // The memo texts of the page in the order written: title, headings, the
    // rows' cells, the page number.
    QStringList printedMemos() const {
        QStringList out;
        // The frames drawn around a cell's text hold no text of their own.
        for (const auto& v : form_->frReport1.EMFPages.GetPage(0).objects())
            if (!v->Memo.isEmpty()) out << v->Memo.join(u'\n');
        return out;
    }

    int gamou1_ = 0, gamou2_ = 0, kimura_ = 0, sato_ = 0;
    lum::HeadlessReportUi ui_;
    std::unique_ptr<TPrintOutstandingForm> form_;
};

TEST_P(PrintOutstandingFormTest, ListsTheClientsWithoutEachPlanOncePerEpisode) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("計画書未登録者リスト(印刷)"));
    EXPECT_TRUE(listButtonsEnabled(false));
    EXPECT_FALSE(f().List->DBGrid1->horizontalHeader()->isVisible());

    button("PlanBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{other_, gamou1_, gamou2_, kimura_, sato_}));
    EXPECT_TRUE(listButtonsEnabled(true));
    // The grid's texts: eight digits, the name, the era date (none for no
    // date), the type's name and the categories' long text.
    EXPECT_EQ(cell(1, 0), QString::asprintf("%8.8d", gamou1_));
    EXPECT_EQ(cell(1, 1), QStringLiteral("蒲生　次郎"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("令和04年04月01日"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("入所"));
    EXPECT_EQ(cell(1, 4), QStringLiteral("短期集中 "));
    EXPECT_EQ(cell(2, 4), QStringLiteral("集団 個別"));
    EXPECT_EQ(cell(3, 2), QString());

    f().List->DBGrid1->selectRow(1);
    shot(QStringLiteral("outstanding"));
    button("PractBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{other_, gamou2_, kimura_, sato_}));
}

TEST_P(PrintOutstandingFormTest, KanaRowsNarrowTheListAndANewListStartsUnfiltered) {
    button("PlanBtn")->click();
    button("KBtn")->click();  // ｶﾞ and ｷ names
    EXPECT_EQ(listed(), (QVector<int>{gamou1_, gamou2_, kimura_}));
    button("ABtn")->click();
    EXPECT_TRUE(listed().isEmpty());
    button("AllDispBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{other_, gamou1_, gamou2_, kimura_, sato_}));
    button("SBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{sato_}));
    button("PractBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{other_, gamou2_, kimura_, sato_}));
}

TEST_P(PrintOutstandingFormTest, PrintsTheRowsTheFilterLetsThrough) {
    button("PlanBtn")->click();
    // Rows selected in the grid play no part in what is printed.
    f().List->DBGrid1->selectRow(0);
    button("KBtn")->click();
    button("PrintBtn")->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    const QStringList memos = printedMemos();
    ASSERT_EQ(memos.size(), 6 + 15 + 1) << memos.join(u'|').toStdString();
    const QStringList cells = memos.mid(6, 15);
    const QStringList expected = {
        QString::asprintf("%8.8d", gamou1_), QStringLiteral("蒲生　次郎"), QStringLiteral("令和04年04月01日"),
        QStringLiteral("入所"), QStringLiteral("短期集中 "),
        QString::asprintf("%8.8d", gamou2_), QStringLiteral("蒲生　次郎"), QStringLiteral("令和05年11月06日"),
        QStringLiteral("通所リハビリ"), QStringLiteral("集団 個別"),
        QString::asprintf("%8.8d", kimura_), QStringLiteral("木村　京子"), QString(), QStringLiteral("短期入所"),
        QString()};
    EXPECT_EQ(cells, expected);

    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::test::PdfOutput out;
    const QString pdf = out.file(QStringLiteral("outstanding.pdf"));
    lum::test::writePdf(f().frReport1.EMFPages, pdf);
    const QString text = lum::test::withoutBlanks(lum::test::pdfText(pdf));
    for (const QString& s : {QStringLiteral("計画書未登録者リスト"), QStringLiteral("利用者番号"), QStringLiteral("木村京子"),
                             QStringLiteral("令和05年11月06日"), QStringLiteral("1/1")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("佐藤三郎")));
    EXPECT_FALSE(text.contains(QStringLiteral("明治")));
}

TEST_P(PrintOutstandingFormTest, TheKeysAloneListNarrowAndPrint) {
    f().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f()));
    ASSERT_TRUE(button("PlanBtn")->hasFocus());
    QTest::keyClick(button("PlanBtn"), Qt::Key_Return);
    ASSERT_EQ(listed().size(), 5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // 実施計画書表示
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // the grid
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // ア
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // カ
    ASSERT_EQ(QApplication::focusWidget(), button("KBtn"));
    QTest::keyClick(button("KBtn"), Qt::Key_Return);
    EXPECT_EQ(listed(), (QVector<int>{gamou1_, gamou2_, kimura_}));
    button("PrintBtn")->setFocus();
    QTest::keyClick(button("PrintBtn"), Qt::Key_Return);
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 1);
}

TEST_P(PrintOutstandingFormTest, AnEmptyListLeavesTheButtonsOffSilentlyAndAFailureSaysSo) {
    for (const char* sql : {"DELETE FROM Practice", "DELETE FROM RihaPlan", "DELETE FROM Person"})
        db().execute(QString::fromLatin1(sql));
    lum::ScriptedDialogs quiet;
    button("PlanBtn")->click();
    EXPECT_TRUE(quiet.allDone()) << quiet.report().toStdString();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(listButtonsEnabled(false));

    addClient(QStringLiteral("新規　太郎"), QStringLiteral("ｼﾝｷ ﾀﾛｳ"), TDateTime(), 0, 0);
    button("PractBtn")->click();
    EXPECT_TRUE(listButtonsEnabled(true));
    db().execute(QStringLiteral("ALTER TABLE RihaPlan RENAME TO RihaPlanGone"));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("System Error\n表示に失敗しました。"), MsgButton::Ok);
    button("PlanBtn")->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(listButtonsEnabled(false));
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintOutstandingFormTest);

}  // namespace
