// The statistics window on both backends, driven by its control names: the
// month and its label, 表示 filling the grid, キャンセル clearing it, the three
// CSV files (a declined month does not stop the others), the path buttons,
// the printout read back from its PDF, and a count that fails.
#include "printing/print_toukei_form.h"

#include "common/cp932.h"
#include "print_fixture.h"
#include "report/engine/tfr_report.h"
#include "results/cure_results_store.h"
#include "widgets/up_down.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TDateTime on(int y, int m, int d, int h = 0, int min = 0) { return TDateTime::fromYmdHms(y, m, d, h, min); }

const QString kDone = QStringLiteral("ＣＳＶ出力を終了しました。");
const QString kOverwrite = QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？");

class PrintToukeiTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        clock_.set(QDateTime(QDate(2002, 6, 15), QTime(9, 0)));  // the window opens on June
        form_ = std::make_unique<TPrintToukeiForm>();
        form_->frReport1->Ui = &ui_;
    }
    void TearDown() override {
        form_.reset();
        PrintWindowTest::TearDown();
    }

    void add(TDateTime day, int cureNo, int type, int kubun, const QString& name = QStringLiteral("山田　太郎"),
             const QString& login = QString()) {
        lum::CureResult r;
        r.CureDate = day;
        r.CureNo = cureNo;
        r.RihaType = type;
        r.KubunCode = kubun;
        r.Flags = lum::CategoryFlagsOf(type, kubun);
        r.Name = name;
        r.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
        r.LoginName = login;
        r.UpdateDate = on(2002, 6, 1, 17, 30);
        lum::CureResultsStore(db()).insert(r);
    }
    // Results in March, April and May 2002 (M = May).
    void addFixture() {
        add(on(2002, 5, 10), 1, 0, 1);
        add(on(2002, 5, 10), 1, 0, 1);
        add(on(2002, 5, 10), 1, 0, 1);
        add(on(2002, 5, 10), 2, 0, 1, QStringLiteral("佐藤,花子"), QStringLiteral("鈴木"));
        add(on(2002, 5, 11), 2, 0, 9, QStringLiteral("佐藤,花子"));
        add(on(2002, 5, 31, 14, 30), 3, 3, 15, QStringLiteral("田中\"一\""));
        add(on(2002, 4, 30), 1, 2, 4);
        add(on(2002, 3, 1), 4, 1, 2);
        add(on(2002, 2, 28), 4, 1, 2);
        add(on(2002, 6, 1), 1, 0, 1);
    }
    // Shows the window and steps back to May.
    void openOnMay() {
        form_->show();
        form_->Hizuke->clickDown();
    }
    QString cell(int row, int column) const { return form_->StringGrid1->item(row, column)->text(); }
    QString value(const char* name) {
        lum::ExprValue v;
        form_->frReport1->OnGetValue(QString::fromLatin1(name), v);
        return v.toString();
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TPrintToukeiForm> form_;
};

TEST_P(PrintToukeiTest, ShowingStartsOnTheCurrentMonthWithTheCountsHidden) {
    settings().Toukei0 = QStringLiteral("/srv/m0.csv");
    settings().Toukei1 = QStringLiteral("/srv/m1.csv");
    settings().Toukei2 = QStringLiteral("/srv/m2.csv");
    form_->show();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("統計情報（印刷）"));
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("平成 14年06月"));
    EXPECT_EQ(form_->B0Edit->text(), QStringLiteral("/srv/m0.csv"));
    EXPECT_EQ(form_->B1Edit->text(), QStringLiteral("/srv/m1.csv"));
    EXPECT_EQ(form_->B2Edit->text(), QStringLiteral("/srv/m2.csv"));
    EXPECT_TRUE(form_->ResultLoadBtn->isEnabled());
    EXPECT_FALSE(form_->CancelButton->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{form_->PrintButton, form_->CSVButton, form_->B0Edit,
                                                      form_->B2Button, form_->B1Label, form_->B0Lbl})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(cell(0, 0), QStringLiteral("  0"));
    // Over the year's end and back, the label without the blank.
    for (int i = 0; i < 6; ++i) form_->Hizuke->clickUp();
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("平成14年12月"));
    form_->Hizuke->clickUp();
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("平成15年01月"));
    EXPECT_EQ(form_->Year, 2003);
    EXPECT_EQ(form_->Month, 1);
}

TEST_P(PrintToukeiTest, ShowFillsTheGridAndAMonthStepChangesOnlyTheLabel) {
    addFixture();
    openOnMay();
    form_->ResultLoadBtn->click();
    const char* const expected[14][9] = {
        {"  0", "  0", "  0", "  0", "  0", "  0", "  2", "  3", "  5"},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0"},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0"},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  1", "  1", "  1"},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0", "  0"},
        {"  1", "  1", "  1", "  0", "  0", "  0", "  0", "  0", "  0"},
        {}, {}, {}, {},
        {"  0", "  0", "  0", "  1", "  1", "  1", "  0", "  0", "  0"},
        {},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  1", "  1", "  1"},
        {"  0", "  0", "  0", "  0", "  0", "  0", "  1", "  1", "  1"},
    };
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 9; ++c)
            EXPECT_EQ(cell(r, c), QString::fromLatin1(expected[r][c] ? expected[r][c] : "  0")) << r << "," << c;
    EXPECT_EQ(form_->B2Label->text(), QStringLiteral("平成14年03月"));
    EXPECT_EQ(form_->B1Label->text(), QStringLiteral("平成14年04月"));
    EXPECT_EQ(form_->B0Label->text(), QStringLiteral("平成14年05月"));
    EXPECT_EQ(form_->B1Lbl->text(), QStringLiteral("平成14年04月CSVファイルの保存場所"));
    EXPECT_TRUE(form_->PrintButton->isVisible());
    EXPECT_TRUE(form_->CSVButton->isVisible());
    EXPECT_TRUE(form_->B2Edit->isVisible());
    EXPECT_FALSE(form_->ResultLoadBtn->isEnabled());
    EXPECT_TRUE(form_->CancelButton->isEnabled());

    form_->Hizuke->clickUp();
    EXPECT_EQ(form_->YearMonthLabel->text(), QStringLiteral("平成14年06月"));
    EXPECT_EQ(cell(0, 8), QStringLiteral("  5")) << "the counts stay";
    EXPECT_EQ(form_->B0Label->text(), QStringLiteral("平成14年05月"));
    EXPECT_EQ(value("Hizuke1B"), QStringLiteral("平成14年05月")) << "the printout keeps the counted months";
    EXPECT_EQ(value("TokeiData"), QStringLiteral("0"));

    form_->CancelButton->click();
    EXPECT_EQ(cell(0, 8), QStringLiteral("  0"));
    EXPECT_FALSE(form_->PrintButton->isVisible());
    EXPECT_FALSE(form_->B0Label->isVisible());
    EXPECT_TRUE(form_->ResultLoadBtn->isEnabled());
    EXPECT_FALSE(form_->CancelButton->isEnabled());
    // The next count is June's.
    form_->ResultLoadBtn->click();
    EXPECT_EQ(form_->B0Label->text(), QStringLiteral("平成14年06月"));
    EXPECT_EQ(cell(0, 8), QStringLiteral("  1"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("  5"));
}

// 表示 and キャンセル give way to each other: the focus goes with them, by
// the keys or the mouse, and never into a CSV path where the next key would
// overwrite it.
TEST_P(PrintToukeiTest, TheFocusGoesBetweenShowAndCancelNeverIntoAPath) {
    settings().Toukei2 = QStringLiteral("/srv/m2.csv");
    addFixture();
    openOnMay();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->ResultLoadBtn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form_->ResultLoadBtn, Qt::Key_Space);
    ASSERT_TRUE(form_->PrintButton->isVisible()) << "counted";
    EXPECT_EQ(QApplication::focusWidget(), form_->CancelButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    EXPECT_EQ(form_->B2Edit->text(), QStringLiteral("/srv/m2.csv"));
    EXPECT_FALSE(form_->B2Edit->hasSelectedText());

    QTest::keyClick(form_->CancelButton, Qt::Key_Space);
    EXPECT_FALSE(form_->PrintButton->isVisible()) << "cancelled";
    EXPECT_EQ(QApplication::focusWidget(), form_->ResultLoadBtn);

    QTest::mouseClick(form_->ResultLoadBtn, Qt::LeftButton);
    ASSERT_TRUE(form_->PrintButton->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form_->CancelButton);
    EXPECT_EQ(form_->B2Edit->text(), QStringLiteral("/srv/m2.csv"));
}

TEST_P(PrintToukeiTest, AFailedCountSaysSoAndLeavesTheWindowAsItWas) {
    db().execute(QStringLiteral("DROP TABLE CureResults"));
    openOnMay();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("SystemError : 統計 集計 Error "), MsgButton::Abort);
    form_->ResultLoadBtn->click();
    EXPECT_TRUE(form_->ResultLoadBtn->isEnabled());
    EXPECT_FALSE(form_->PrintButton->isVisible());
    EXPECT_TRUE(form_->Hizuke->isEnabled());
}

TEST_P(PrintToukeiTest, DecliningTheOverwriteForOneMonthStillWritesTheOthers) {
    addFixture();
    QTemporaryDir dir;
    {
        QFile old(dir.filePath(QStringLiteral("april.csv")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    openOnMay();
    form_->ResultLoadBtn->click();
    form_->B2Edit->setText(dir.filePath(QStringLiteral("march.csv")));
    form_->B1Edit->setText(dir.filePath(QStringLiteral("april.csv")));
    form_->B0Edit->setText(dir.filePath(QStringLiteral("may/may.txt")));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Warning, kOverwrite, MsgButton::No);
    d.expect(MsgKind::Error, QStringLiteral("２ヶ月前のデータの保存に失敗しました。"), MsgButton::Yes);
    d.expect(MsgKind::Information, kDone, MsgButton::Ok);
    form_->CSVButton->click();

    const auto read = [&](const char* name) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? lum::cp932::decode(f.readAll()) : QString();
    };
    EXPECT_EQ(read("april.csv"), QStringLiteral("old"));
    const QString header = QStringLiteral("\"利用日\",\"利用者番号\",\"氏名\",\"カナ\",\"リハ形態\",\"区分\",\"入力者\",\"更新日\"\r\n");
    EXPECT_EQ(read("march.csv"),
              header + QStringLiteral("\"20020301\",\"00000004\",\"山田　太郎\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"短期入所\",\"認知症 \",\"\",\"20020601\"\r\n"));
    // In CureDate, ResultNo order; the result at 14:30 on the last day is May's.
    const QString mayLine = QStringLiteral("\"20020510\",\"00000001\",\"山田　太郎\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"入所\",\"短期集中 \",\"\",\"20020601\"\r\n");
    EXPECT_EQ(read("may/may.csv"),
              header + mayLine + mayLine + mayLine +
                  QStringLiteral("\"20020510\",\"00000002\",\"佐藤,花子\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"入所\",\"短期集中 \",\"鈴木\",\"20020601\"\r\n"
                                 "\"20020511\",\"00000002\",\"佐藤,花子\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"入所\",\"短期集中 個別\",\"\",\"20020601\"\r\n"
                                 "\"20020531\",\"00000003\",\"田中\"\"一\"\"\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"訪問リハビリ\",\"短期集中 認知症 集団 個別\",\"\",\"20020601\"\r\n"));
}

TEST_P(PrintToukeiTest, AMonthWithoutResultsOrWithABadCharacterFailsAloneAndTheRunEnds) {
    add(on(2002, 3, 5), 1, 0, 1, QStringLiteral("𠮷田"));
    add(on(2002, 5, 5), 1, 0, 1);
    QTemporaryDir dir;
    openOnMay();
    form_->ResultLoadBtn->click();
    form_->B2Edit->setText(dir.filePath(QStringLiteral("march.csv")));
    form_->B1Edit->setText(dir.filePath(QStringLiteral("april.csv")));
    form_->B0Edit->setText(dir.filePath(QStringLiteral("may.csv")));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("書き出しでエラーが発生しました。"), MsgButton::Yes);
    d.expect(MsgKind::Error, QRegularExpression(QStringLiteral("「𠮷」")), MsgButton::Ok);
    d.expect(MsgKind::Error, QStringLiteral("３ヶ月前のデータの保存に失敗しました。"), MsgButton::Yes);
    d.expect(MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), MsgButton::Yes);
    d.expect(MsgKind::Error, QStringLiteral("２ヶ月前のデータの保存に失敗しました。"), MsgButton::Yes);
    d.expect(MsgKind::Information, kDone, MsgButton::Ok);
    form_->CSVButton->click();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("march.csv"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("april.csv"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("may.csv"))));
}

TEST_P(PrintToukeiTest, APathButtonStartsFromTheSettingAndTheDialogsLastName) {
    settings().Toukei1 = QStringLiteral("/srv/april.csv");
    addFixture();
    openOnMay();
    form_->ResultLoadBtn->click();
    form_->B1Edit->setText(QStringLiteral("typed"));
    lum::ScriptedDialogs d;
    d.expectFile(lum::FileMode::Save, QStringLiteral("/srv/4月.csv"));
    form_->B1Button->click();
    EXPECT_EQ(d.fileRequests().at(0).fileName, QString()) << "the dialog had no name yet";
    EXPECT_EQ(d.fileRequests().at(0).filter, QStringLiteral("ＣＳＶ|*.csv"));
    EXPECT_EQ(form_->B1Edit->text(), QStringLiteral("/srv/4月.csv"));
    EXPECT_EQ(settings().Toukei1, QStringLiteral("/srv/4月.csv"));

    settings().Toukei0 = QStringLiteral("/srv/may.csv");
    form_->B0Edit->setText(QStringLiteral("typed"));
    d.expectFile(lum::FileMode::Save, QString());  // cancelled
    form_->B0Button->click();
    EXPECT_EQ(d.fileRequests().at(1).fileName, QStringLiteral("/srv/4月.csv")) << "the name it had last";
    EXPECT_EQ(form_->B0Edit->text(), QStringLiteral("/srv/may.csv")) << "reset to its setting";
    EXPECT_EQ(settings().Toukei0, QStringLiteral("/srv/may.csv"));
}

TEST_P(PrintToukeiTest, ThePrintoutHoldsTheCountedMonthsAndTheirCounts) {
    addFixture();
    openOnMay();
    form_->ResultLoadBtn->click();
    form_->PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(form_->frReport1->EMFPages.Count(), 1);
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = outputFile(QStringLiteral("Toukei-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    writePdf(form_->frReport1->EMFPages, pdf);
    const QString text = pdfText(pdf);
    for (const char* expected : {"統計情報", "平成14年06月15日 作成", "介護老人保健施設 みどり苑", "平成14年03月",
                                 "平成14年04月", "平成14年05月", "実人数（人）", "短期入所", "通所リハビリ", "訪問"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    // The 入所 x 短期集中 row, the first 短期集中 of the page (the type's caption
    // stands centred over its four rows): nothing in March and April, 2 3 5 in May.
    const QStringList lines = text.split(u'\n');
    const auto row = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains(QStringLiteral("短期集中")); });
    ASSERT_NE(row, lines.end()) << text.toStdString();
    EXPECT_EQ(row->split(u' ', Qt::SkipEmptyParts).mid(1).last(9), QStringList({"0", "0", "0", "0", "0", "0", "2", "3", "5"}));
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintToukeiTest);

}  // namespace
